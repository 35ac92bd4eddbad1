#pragma once

#include <QUndoCommand>
#include <QUndoStack>
#include <QtGlobal>

// A step the history holds: it tells what it keeps in memory, and gives a copy of itself, done, to
// push again when older steps are dropped.
class HistoryStep : public QUndoCommand
{
public:
    using QUndoCommand::QUndoCommand;
    virtual qint64 heldBytes() const = 0;
    virtual HistoryStep *copy() const = 0;
};

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
    bool pushStep(HistoryStep *step);
    // The memory the steps hold, as they count it.
    qint64 heldBytes() const;

private:
    void dropOldest();

    qint64 m_budget;
    qint64 m_held = 0;
};
