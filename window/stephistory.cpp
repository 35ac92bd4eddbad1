#include "stephistory.h"

#include "cataloguestep.h"

#include <QList>
#include <QSignalBlocker>

namespace {

const CatalogueStep *stepAt(const QUndoStack &stack, int index)
{
    return static_cast<const CatalogueStep *>(stack.command(index));
}

} // namespace

StepHistory::StepHistory(QObject *parent, qint64 budget) : QUndoStack(parent), m_budget(budget) {}

bool StepHistory::pushStep(CatalogueStep *step)
{
    // After clear() the count starts again; the steps undone are dropped by the push.
    if (count() == 0)
        m_held = 0;
    for (int i = index(); i < count(); ++i)
        m_held -= stepAt(*this, i)->heldBytes();
    const qint64 held = step->heldBytes();
    const int below = index();
    push(step);
    // A step the document refused is not kept: the stack deleted it.
    if (index() == below)
        return false;
    m_held += held;
    if (m_held > m_budget)
        dropOldest();
    return true;
}

qint64 StepHistory::heldBytes() const
{
    return count() == 0 ? 0 : m_held;
}

void StepHistory::dropOldest()
{
    // Just pushed: every step is done, the newest on top.
    int first = count() - 1;
    qint64 kept = stepAt(*this, first)->heldBytes();
    while (first > 0 && kept + stepAt(*this, first - 1)->heldBytes() <= m_budget / 4 * 3) {
        --first;
        kept += stepAt(*this, first)->heldBytes();
    }
    QList<CatalogueStep *> steps;
    for (int i = first; i < count(); ++i)
        steps.append(stepAt(*this, i)->copy());
    // The stack is the same to its actions afterwards (the same top step, nothing to redo): they
    // need not follow each push of the rebuilding.
    const QSignalBlocker quiet(this);
    clear();
    for (CatalogueStep *step : steps)
        push(step);
    m_held = kept;
}
