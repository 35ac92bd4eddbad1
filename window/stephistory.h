#pragma once

#include <QUndoStack>
#include <QtGlobal>

class CatalogueStep;

// The undo stack of the window's steps, held within a memory budget: past it, the oldest steps
// are dropped, down to three quarters of it so that dropping is rare; the newest step is always
// kept, however large. QUndoStack can limit only the number of its steps, and only while empty.
class StepHistory : public QUndoStack
{
public:
    // Tens of thousands of ordinary steps (a deleted project of a full catalogue holds a few
    // kilobytes), and well below what the catalogue itself takes at its largest.
    static constexpr qint64 Budget = qint64(64) << 20;

    explicit StepHistory(QObject *parent = nullptr, qint64 budget = Budget);

    // Pushes `step`, which makes its edit, then drops what is past the budget. False when the
    // document refused the edit: the step is gone, and the steps that were undone with it.
    bool pushStep(CatalogueStep *step);
    // The memory the steps hold, as they count it.
    qint64 heldBytes() const;

private:
    void dropOldest();

    qint64 m_budget;
    qint64 m_held = 0;
};
