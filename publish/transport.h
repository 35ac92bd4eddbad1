#pragma once

#include "publishitem.h"
#include "uploadresult.h"

#include <QStringList>

#include <atomic>
#include <functional>

// How files reach a destination. Each step returns its failure, or none.
class Transport
{
public:
    // Called after each file sent, with its index in the list given to send().
    using Sent = std::function<void(int index)>;

    explicit Transport(const std::atomic<bool> &cancelled) : m_cancelled(cancelled) {}
    virtual ~Transport() = default;
    Transport(const Transport &) = delete;
    Transport &operator=(const Transport &) = delete;

    virtual QString method() const = 0;
    // Reaches the destination and makes sure it is there and can be written.
    virtual PublishError open() = 0;
    // Marks each item as new, changed or the same by its content, and lists the destination's files
    // that may be unlinked (PublishPlan::mayBeUnlinked).
    virtual PublishError compare(QList<PublishItem> &items, QStringList &present) = 0;
    // Sends the items in order, each in place whole or not at all.
    virtual PublishError send(const QList<PublishItem> &items, const Sent &sent) = 0;
    virtual PublishError remove(const QStringList &names) = 0;

protected:
    bool cancelled() const { return m_cancelled.load(); }

private:
    const std::atomic<bool> &m_cancelled;
};
