#pragma once

#include <QObject>

class QAction;
class QKeyEvent;
class QWidget;

// The text boxes' keys beside the window's: a box takes back and makes again its own typing with
// the undo and redo keys, and once it has none left the keys go on to the window's steps. Tells
// when the focus leaves a box for another control of the window, which is when its text is stored.
class BoxKeys : public QObject
{
    Q_OBJECT

public:
    // `redo` is the window's Redo, whose keys the boxes honour too.
    explicit BoxKeys(const QAction *redo, QObject *parent = nullptr);

    void watch(QWidget *box);

signals:
    void left(QObject *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool takesOwnUndo(QObject *box, const QKeyEvent *key) const;
    bool isRedoKey(const QKeyEvent *key) const;

    const QAction *m_redo;
};
