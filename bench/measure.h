#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QList>

#include <algorithm>

// Median wall time of `runs` calls, in milliseconds; `prepare` runs untimed before each call.
template <typename Prepare, typename Work>
double medianMilliseconds(int runs, Prepare prepare, Work work)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        times.append(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

template <typename Work>
double medianMilliseconds(int runs, Work work)
{
    return medianMilliseconds(
        runs, [] {}, work);
}

// A field of /proc/self/status, such as "VmRSS" or "VmHWM" (the peak since clear_refs was given 5),
// in kilobytes.
inline long statusKilobytes(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read /proc/self/status");
    const QByteArray key = QByteArray(field) + ':';
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').first().toLong();
    }
    qFatal("no %s in /proc/self/status", field);
}
