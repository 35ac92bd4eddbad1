#pragma once

#include "picturefilechooser.h"

#include <QCoreApplication>
#include <QObject>
#include <QPoint>
#include <QStringList>

#include <functional>

class CatalogueDocument;
class CatalogueStep;
class MessageService;
class PictureStep;
class QMainWindow;
class QMenu;
class StepHistory;

// The selected project's pictures from the window: the Pictures menu, the context menu of the
// picture frame and the eight small boxes, and photo files dropped onto the window (onto a picture:
// it is replaced). Each change is one step of the window's history. The picture count follows at
// once; the catalogue itself still waits for Save All.
class PictureMenu : public QObject
{
    Q_OBJECT

public:
    struct Hooks
    {
        std::function<int()> selectedRow;
        // A command from a menu or a drop takes what is being typed in a box first.
        std::function<void()> storePendingEdit;
        // Selects `row` afresh and shows its texts and pictures.
        std::function<void(int row)> showRow;
    };

    // Finds the picture controls among the window's children by their names.
    PictureMenu(QMainWindow *window, CatalogueDocument &document, MessageService &messages, StepHistory &history,
                Hooks hooks);

    QMenu *menu() const { return m_menu; }
    void setFileChooser(PictureFileChooser &chooser) { m_chooser = &chooser; }

    // Pushes the step that stores `newName` for the project at `row`, with the renaming of its
    // pictures when it has any and they may follow; otherwise they stay, and the user is told why.
    // False when the catalogue refused the name.
    bool pushNameStep(CatalogueStep *nameStep, int row, const QString &newName);

    // Makes pictures of `files` after the selected project's last one, or, with `k`, replaces
    // picture k by the first. Skipped files are named in one message, with the reasons.
    void addPhotos(const QStringList &files, int k = 0);
    void removePicture(int k);
    void movePicture(int from, int to);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The picture a control shows: 1 for the frame and the main picture, 2 to 9 for the small
    // boxes; 0 for anything else.
    int pictureUnder(QObject *control) const;
    void showContextMenu(QWidget *control, const QPoint &at);
    // The commands for picture k (none for 0) in `menu`, after Add Pictures when `withAdd`; each
    // enabled where it applies.
    void fillMenu(QMenu *menu, int k, bool withAdd);
    void choose(int k);
    // Runs a prepared step, pushes it when done, and shows the project afterwards.
    void perform(const QString &text, PictureStep step, int row);
    void showPictures(int row);
    QString pictureFolder() const;

    QMainWindow *m_window;
    CatalogueDocument &m_document;
    MessageService &m_messages;
    StepHistory &m_history;
    Hooks m_hooks;
    QMenu *m_menu;
    PictureFileDialog m_dialog;
    PictureFileChooser *m_chooser = &m_dialog;
};
