#pragma once

#include "catalogueedit.h"
#include "folderdialog.h"
#include "mainform.h"

#include <QMainWindow>
#include <QString>

#include <memory>

class Catalogue;
class CatalogueDocument;
class CatalogueStep;
class CheckPicturesDialog;
class MessageService;
class PicturePreview;
class ProjectListModel;
class StepHistory;
class UnsavedJournal;
class QSessionManager;
struct RecoveryEntry;

// The one window: the project list, the editor of the selected project, its pictures and the
// commands. The list's selected row is the only record of which project is current. Each command
// that changes the catalogue is a step on the undo stack that makes its own edit; the form (the
// controls at their fixed places, the actions in their menus) is MainForm.
class Main : public QMainWindow
{
    Q_OBJECT

public:
    // Shows the pictures of the document's picture folder.
    Main(CatalogueDocument &document, MessageService &messages, QWidget *parent = nullptr);
    ~Main() override;

    // Asks with `chooser` instead of the folder dialog from now on.
    void setFolderChooser(FolderChooser &chooser);

    // Opens the catalogue in `folder`, named by its bytes, as a start in that folder does: works there, shows pictures
    // from its picture folder, runs the start-up with its messages and first run, and remembers it
    // among the recent folders. False, with a message, when the folder cannot be entered.
    bool openFolder(const QByteArray &folder);

    // Loads the catalogue and shows its first project; runs once, before the window is shown.
    void StartUp();

    // Fills the catalogue from projects.txt, or on the first run creates the file with one record;
    // tells the user what could not be read.
    void LoadProjects();
    // Writes the whole catalogue to projects.txt; tells the user when it cannot, the old file whole.
    // A file that changed since it was read, or could not be read, is replaced only when the user
    // says so.
    void SaveProjects();
    // Shows the selected project again from its record; the rows follow the catalogue by themselves.
    void UpdateListBox();
    void UpdateText();
    void UpdatePicture();

    // Before the catalogue is left (the window closed, the session ended): with unsaved changes,
    // asks whether to save them, discard them or stay. True when it may be left: nothing unsaved,
    // saved, or discarded.
    bool maybeSave();

    // Ends the program now, asking nothing, with `status`: the edit being typed is stored and the
    // journal of unsaved edits written first, so that the next opening offers them back.
    void endNow(int status);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void connectCommands();
    void createPreview();
    void updateTitle();
    void updateRecentMenu();
    QString shownFolder() const;

    void StoreField(Field field);
    void onListSelectionChanged();
    void onEditorFocusLost(QObject *editor);
    // A shortcut does not move the focus, and a menu opened with the mouse takes it as a popup,
    // which stores nothing: commands from either store the edit in progress first.
    void storePendingEdit();
    void commitData(QSessionManager &manager);

    // Pushes the step of `edit`, which shows `rowAfter` once made; false when the catalogue refused it.
    bool pushStep(const CatalogueEdit &edit, int rowAfter);
    bool replayRecovered(const RecoveryEntry &entry);
    // After a step was made or taken back: the list follows it and `row` is shown.
    void showStep(const CatalogueEdit &edit, bool forward, int row);

    void addProject();
    void deleteProject();
    void moveProject(int by);
    void saveAll();
    void buildPages();
    void chooseFolder();
    void openRecentFolder(const QByteArray &folder);
    void checkPictures();
    void showAbout();

    CatalogueDocument &m_document;
    Catalogue &m_catalogue;
    MessageService &m_messages;
    FolderDialog m_folderDialog;
    FolderChooser *m_folders = &m_folderDialog;
    MainForm m_ui;
    CheckPicturesDialog *m_checkDialog = nullptr;
    ProjectListModel *m_model = nullptr;
    std::unique_ptr<PicturePreview> m_preview;
    StepHistory *m_undoStack = nullptr;
    UnsavedJournal *m_journal = nullptr;
    // The catalogue state the session's end was allowed to leave, so that closing then asks no
    // second time.
    quint64 m_sessionLeaves = 0;
    // Set by endNow(): a start-up still under way writes nothing more and asks nothing more.
    bool m_ending = false;
};
