#pragma once

#include "cataloguecheck.h"
#include "folderdialog.h"
#include "journalclaim.h"

#include <QList>
#include <QMainWindow>
#include <QString>

#include <array>
#include <memory>

class Catalogue;
class CatalogueDocument;
struct CatalogueEdit;
class FindingsDialog;
class LongTextEdit;
class QKeyEvent;
class MessageService;
class PicturePreview;
class ProjectList;
class ProjectListModel;
class StepHistory;
class QFrame;
class QLabel;
class QLineEdit;
class QAction;
class QMenu;
class QPushButton;
class QSessionManager;
class QTimer;

// The one window: the project list, the editor of the selected project, its pictures and the
// commands. The list's selected row is the only record of which project is current. The controls
// sit on the central widget, below the menu bar, at their fixed places.
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
    // `startsCatalogue`: the user already agreed to start a catalogue there, which the first run
    // then makes without telling it again.
    bool openFolder(const QByteArray &folder, bool startsCatalogue = false);

    // Loads the catalogue and shows its first project; runs once, before the window is shown.
    void StartUp();

    // Fills the catalogue from projects.txt, or on the first run creates the file with one record;
    // tells the user what could not be read.
    void LoadProjects();
    // Writes the whole catalogue to projects.txt; tells the user when it cannot, the old file whole.
    // A file that changed since it was read, or could not be read, is replaced only when the user
    // says so.
    void SaveProjects();
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
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createMenus();
    void createList();
    void createButtons();
    void createPictures();
    void createEditors();
    void createActions();
    void setTabOrder();
    void centreOnScreen();
    void createPreview();
    void clearShownProject();
    void updateTitle();
    void updateRecentMenu();
    QString shownFolder() const;

    void StoreField(const QString &key);
    void onListSelectionChanged();
    void onEditorFocusLost(QObject *editor);
    bool takesOwnUndo(QObject *editor, const QKeyEvent *key) const;
    bool isRedoKey(const QKeyEvent *key) const;
    // A shortcut does not move the focus, and a menu opened with the mouse takes it as a popup,
    // which stores nothing: commands from either store the edit in progress first.
    void storePendingEdit();
    void commitData(QSessionManager &manager);

    // The journal of unsaved edits follows the catalogue: written within a second of an edit,
    // removed once nothing is unsaved.
    void keepJournal();
    void writeJournal();
    void removeJournal();
    // At the opening of a folder whose journal the program left behind.
    void offerRecovery();

    // Performs `edit` and puts it on the undo stack; false when the catalogue did not take it.
    bool perform(CatalogueEdit &edit);
    void pushStep(const CatalogueEdit &edit, int rowBefore);
    // Shows the catalogue after an undo or redo, `row` selected.
    void showStep(int row);
    void undo();
    void redo();

    void addProject();
    void deleteProject();
    void moveProjectUp();
    void moveProjectDown();
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
    // What the start-up found wrong with projects.txt as a whole, which Check Pictures reports
    // with the pictures until a save replaces the file.
    QList<CheckFinding> m_fileFindings;

    QMenu *m_fileMenu = nullptr;
    QMenu *m_recentMenu = nullptr;
    QMenu *m_editMenu = nullptr;
    QMenu *m_helpMenu = nullptr;
    QAction *m_openFolderAction = nullptr;
    QAction *m_buildPagesAction = nullptr;
    QAction *m_checkPicturesAction = nullptr;
    QAction *m_aboutAction = nullptr;
    FindingsDialog *m_checkDialog = nullptr;

    ProjectListModel *m_model = nullptr;
    ProjectList *m_list = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_up = nullptr;
    QPushButton *m_down = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_buildPages = nullptr;
    QFrame *m_pictureFrame = nullptr;
    QLabel *m_image = nullptr;
    QLabel *m_noPicture = nullptr;
    QFrame *m_smallFrame = nullptr;
    std::array<QLabel *, 8> m_small{};
    QLineEdit *m_name = nullptr;
    QLineEdit *m_location = nullptr;
    QLineEdit *m_short = nullptr;
    LongTextEdit *m_long = nullptr;

    std::unique_ptr<PicturePreview> m_preview;

    StepHistory *m_undoStack = nullptr;
    QAction *m_saveAction = nullptr;
    QAction *m_quitAction = nullptr;
    QAction *m_undoAction = nullptr;
    QAction *m_redoAction = nullptr;
    // The catalogue state the session's end was allowed to leave, so that closing then asks no
    // second time.
    quint64 m_sessionLeaves = 0;
    QTimer *m_journalTimer = nullptr;
    // Empty until the opening of the folder has settled what happens to the journal found there.
    QString m_journalPath;
    JournalClaim m_journalClaim;
    // Set by endNow(): a start-up still under way writes nothing more and asks nothing more.
    bool m_ending = false;
    bool m_startsCatalogue = false;
};
