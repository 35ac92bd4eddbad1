#pragma once

#include <QElapsedTimer>
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
