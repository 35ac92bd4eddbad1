#pragma once

#include "picturepreview.h"
#include "projectinfo.h"

#include <QCoreApplication>
#include <QRect>
#include <QSize>

#include <array>

class LongTextEdit;
class ProjectList;
class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPushButton;
class QUndoStack;

// The window's fixed form: every control at its place, with its name, font and caption, the
// actions in their menus with their keys, and the tab order. It holds no behaviour: the window
// connects what the controls do. The members bear the controls' own names.
//
// Written by hand rather than in a Designer file: the captions and label font are fitted to the
// fonts the desktop sets when the form is built, the Undo and Redo actions come from the undo
// stack, and the places are fixed numbers that read as well in code as in XML.
class MainForm
{
    Q_DECLARE_TR_FUNCTIONS(Main)

public:
    static constexpr QSize ClientSize{745, 469};
    static constexpr QRect PictureFrameGeometry{288, 16, 180, 120};
    static constexpr QRect Image1Geometry{296, 24, 182, 122};

    // Builds the form on `window`, its Undo and Redo actions following `steps`.
    void setupUi(QMainWindow *window, QUndoStack *steps);

    PicturePreview::Controls pictureControls() const;
    // The controls as they were before the first selection, so that a catalogue without a project
    // shows nothing of the one opened before.
    void clearShownProject();

    // The box of a one-line field, and the text a field's box holds as the record would.
    QLineEdit *lineBox(Field field) const;
    QString boxText(Field field) const;
    // The field whose box `box` is.
    std::optional<Field> fieldOf(const QObject *box) const;

    ProjectList *list_projects = nullptr;
    QPushButton *cmd_add = nullptr;
    QPushButton *cmd_delete = nullptr;
    QPushButton *cmd_up = nullptr;
    QPushButton *cmd_down = nullptr;
    QPushButton *cmd_save = nullptr;
    QPushButton *cmd_all = nullptr;
    QFrame *picframe1 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *image_nopicture = nullptr;
    QFrame *Shape2 = nullptr;
    std::array<QLabel *, 8> Image_small{};
    QLineEdit *text_name = nullptr;
    QLineEdit *text_location = nullptr;
    QLineEdit *text_short = nullptr;
    LongTextEdit *text_long = nullptr;

    QMenu *menuFile = nullptr;
    QMenu *menuOpenRecent = nullptr;
    QMenu *menuEdit = nullptr;
    QMenu *menuHelp = nullptr;
    QAction *actionOpenFolder = nullptr;
    QAction *actionSaveAll = nullptr;
    QAction *actionBuildPages = nullptr;
    QAction *actionCheckPictures = nullptr;
    QAction *actionQuit = nullptr;
    QAction *actionUndo = nullptr;
    QAction *actionRedo = nullptr;
    QAction *actionAddProject = nullptr;
    QAction *actionDeleteProject = nullptr;
    QAction *actionMoveUp = nullptr;
    QAction *actionMoveDown = nullptr;
    QAction *actionAbout = nullptr;

private:
    void createPictures(QWidget *area);
    void createList(QWidget *area);
    void createButtons(QWidget *area);
    void createEditors(QWidget *area);
    void createActions(QMainWindow *window, QUndoStack *steps);
    void createEditActions(QMainWindow *window);
    void createMenus(QMainWindow *window);
    void setTabOrder();
};
