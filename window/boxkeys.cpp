#include "boxkeys.h"

#include <QAction>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

BoxKeys::BoxKeys(const QAction *redo, QObject *parent) : QObject(parent), m_redo(redo) {}

void BoxKeys::watch(QWidget *box)
{
    box->installEventFilter(this);
}

bool BoxKeys::eventFilter(QObject *watched, QEvent *event)
{
    // Left unaccepted, the keys go on to the window's undo and redo.
    if (event->type() == QEvent::ShortcutOverride && !takesOwnUndo(watched, static_cast<QKeyEvent *>(event)))
        return true;
    // A redo key the box does not know redoes its own typing, as the one it knows does.
    if ((event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)
        && isRedoKey(static_cast<QKeyEvent *>(event))
        && !static_cast<QKeyEvent *>(event)->matches(QKeySequence::Redo)) {
        event->accept();
        if (event->type() == QEvent::KeyPress) {
            if (auto *line = qobject_cast<QLineEdit *>(watched))
                line->redo();
            else if (auto *text = qobject_cast<QPlainTextEdit *>(watched))
                text->redo();
        }
        return true;
    }
    if (event->type() == QEvent::FocusOut) {
        // Leaving for another window or a popup is not leaving the box for another control.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            emit left(watched);
    }
    return false;
}

bool BoxKeys::isRedoKey(const QKeyEvent *key) const
{
    return key->matches(QKeySequence::Redo) || m_redo->shortcuts().contains(QKeySequence(key->keyCombination()));
}

bool BoxKeys::takesOwnUndo(QObject *box, const QKeyEvent *key) const
{
    const bool undoKey = key->matches(QKeySequence::Undo);
    if (!undoKey && !isRedoKey(key))
        return true;
    // A box takes back its own typing; once it has none left, the keys undo the catalogue's steps.
    if (auto *line = qobject_cast<QLineEdit *>(box))
        return undoKey ? line->isUndoAvailable() : line->isRedoAvailable();
    if (auto *text = qobject_cast<QPlainTextEdit *>(box))
        return undoKey ? text->document()->isUndoAvailable() : text->document()->isRedoAvailable();
    return true;
}
