#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGHUP and SIGINT (a kill, a closed terminal, a logout without a session manager) as
// a Qt signal, delivered by the event loop, where the program may still do what it must before it
// ends. A signal handler itself may do almost nothing: it only writes the signal's number down a
// socket this object watches. One at a time per process.
class EndSignals : public QObject
{
    Q_OBJECT

public:
    explicit EndSignals(QObject *parent = nullptr);
    ~EndSignals() override;

    // The signal that came last, 0 before any.
    int received() const { return m_received; }

signals:
    void ending(int signal);

private:
    void readSignal();

    QSocketNotifier *m_notifier = nullptr;
    int m_received = 0;
};
