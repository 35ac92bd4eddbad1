#include "mainwindow.h"

#include "boxkeys.h"
#include "catalogue.h"
#include "cataloguedocument.h"
#include "cataloguestep.h"
#include "checkpicturesdialog.h"
#include "longtextedit.h"
#include "messages.h"
#include "messageservice.h"
#include "picturepreview.h"
#include "printabletext.h"
#include "projectlist.h"
#include "projectlistmodel.h"
#include "recentfolders.h"
#include "spacetrim.h"
#include "stephistory.h"
#include "textshaping.h"
#include "unsavedjournal.h"
#include "workingfolder.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSessionManager>

#include <algorithm>
#include <utility>

Main::Main(CatalogueDocument &document, MessageService &messages, QWidget *parent)
    : QMainWindow(parent), m_document(document), m_catalogue(document.catalogue()), m_messages(messages)
{
    m_undoStack = new StepHistory(this);
    m_journal = new UnsavedJournal(m_document, m_messages, this);
    m_ui.setupUi(this, m_undoStack);
    m_model = new ProjectListModel(m_catalogue, this);
    m_ui.list_projects->setModel(m_model);
    auto *keys = new BoxKeys(m_ui.actionRedo, this);
    for (QWidget *box :
         std::initializer_list<QWidget *>{m_ui.text_name, m_ui.text_location, m_ui.text_short, m_ui.text_long})
        keys->watch(box);
    connect(keys, &BoxKeys::left, this, &Main::onEditorFocusLost);
    connectCommands();
    createPreview();
    updateRecentMenu();
    updateTitle();
    connect(qApp, &QGuiApplication::commitDataRequest, this, &Main::commitData);
}

Main::~Main()
{
    // Its signals would reach a window already taken apart.
    delete m_undoStack;
}

void Main::setFolderChooser(FolderChooser &chooser)
{
    m_folders = &chooser;
}

void Main::connectCommands()
{
    connect(m_ui.list_projects->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Main::onListSelectionChanged);
    const std::pair<QPushButton *, QAction *> pairs[] = {
        {m_ui.cmd_add, m_ui.actionAddProject}, {m_ui.cmd_delete, m_ui.actionDeleteProject},
        {m_ui.cmd_up, m_ui.actionMoveUp},      {m_ui.cmd_down, m_ui.actionMoveDown},
        {m_ui.cmd_save, m_ui.actionSaveAll},   {m_ui.cmd_all, m_ui.actionBuildPages}};
    for (const auto &[button, action] : pairs)
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
    connect(m_ui.actionAddProject, &QAction::triggered, this, &Main::addProject);
    connect(m_ui.actionDeleteProject, &QAction::triggered, this, &Main::deleteProject);
    connect(m_ui.actionMoveUp, &QAction::triggered, this, [this] { moveProject(-1); });
    connect(m_ui.actionMoveDown, &QAction::triggered, this, [this] { moveProject(+1); });
    connect(m_ui.actionSaveAll, &QAction::triggered, this, &Main::saveAll);
    connect(m_ui.actionBuildPages, &QAction::triggered, this, &Main::buildPages);
    connect(m_ui.actionOpenFolder, &QAction::triggered, this, &Main::chooseFolder);
    connect(m_ui.actionCheckPictures, &QAction::triggered, this, &Main::checkPictures);
    connect(m_ui.actionQuit, &QAction::triggered, this, &QWidget::close);
    connect(m_ui.actionAbout, &QAction::triggered, this, &Main::showAbout);
    // Read afresh each time it opens: a folder may have gone since, or another window added one.
    connect(m_ui.menuOpenRecent, &QMenu::aboutToShow, this, &Main::updateRecentMenu);
    // Triggering goes through the window, which first stores an edit being typed.
    for (QAction *action : {m_ui.actionUndo, m_ui.actionRedo})
        disconnect(action, &QAction::triggered, nullptr, nullptr);
    connect(m_ui.actionUndo, &QAction::triggered, this, [this] { storePendingEdit(), m_undoStack->undo(); });
    connect(m_ui.actionRedo, &QAction::triggered, this, [this] { storePendingEdit(), m_undoStack->redo(); });
    connect(m_undoStack, &QUndoStack::indexChanged, this, &Main::updateTitle);
    connect(m_undoStack, &QUndoStack::indexChanged, m_journal, &UnsavedJournal::keep);
}

void Main::updateRecentMenu()
{
    RecentFolders().fillMenu(m_ui.menuOpenRecent, [this](const QByteArray &folder) { openRecentFolder(folder); });
}

void Main::createPreview()
{
    m_preview = std::make_unique<PicturePreview>(m_ui.pictureControls(), m_document.pictureFolder());
}

QString Main::shownFolder() const
{
    return QDir::toNativeSeparators(printableFileName(m_document.absoluteFolder()));
}

void Main::updateTitle()
{
    // The folder's name need not be UTF-8.
    const QByteArray folder = m_document.absoluteFolder();
    const QString name = printableFileName(folder.mid(folder.lastIndexOf('/') + 1));
    setWindowTitle(tr("%1[*] \u2014 Project Management").arg(name.isEmpty() ? shownFolder() : name));
    setWindowModified(m_document.isModified());
}

bool Main::openFolder(const QByteArray &folder)
{
    // Anything typed in a box belongs to the catalogue being left.
    m_ui.list_projects->setFocus(Qt::OtherFocusReason);
    if (!m_document.open(folder, QCoreApplication::applicationDirPath())) {
        m_messages.showMessage(tr("Not possible to open %1\rIt is not a folder that can be entered")
                                   .arg(QDir::toNativeSeparators(printableFileName(folder))));
        return false;
    }
    // The list is emptied first: a message of the start-up shows while the window is open, and the
    // list must not draw rows of a catalogue that is no longer there.
    m_model->rebuild();
    m_ui.clearShownProject();
    // States of the catalogue left behind are not those of the one opened.
    m_sessionLeaves = 0;
    createPreview();
    RecentFolders().add(m_document.absoluteFolder());
    updateRecentMenu();
    StartUp();
    return true;
}

void Main::StartUp()
{
    updateTitle();
    LoadProjects();
    m_model->rebuild();
    m_ui.list_projects->setSelectedRow(m_model->rowCount() > 0 ? 0 : -1);
    m_ui.list_projects->setFocus(Qt::OtherFocusReason);
}

void Main::LoadProjects()
{
    // The steps of another catalogue do not apply to the one read, nor does its journal.
    m_journal->release();
    m_undoStack->clear();
    const LoadResult loaded = m_document.load();
    updateTitle();
    // The first run says what it creates, and names the folder below the fixed sentence, before it does.
    const qsizetype findings = loaded.messages.size() - (loaded.firstSaveDue() ? 1 : 0);
    for (qsizetype i = 0; i < loaded.messages.size(); ++i)
        m_messages.showMessage(i < findings ? loaded.messages.at(i)
                                            : loaded.messages.at(i) + QLatin1Char('\r') + shownFolder());
    if (m_ending)
        return;
    if (loaded.firstSaveDue())
        SaveProjects();
    m_journal->offerRecovery([this](const RecoveryEntry &entry) { return replayRecovered(entry); },
                             [this] {
                                 m_undoStack->setIndex(0);
                                 m_undoStack->clear();
                             });
}

bool Main::replayRecovered(const RecoveryEntry &entry)
{
    // Each edit again as the step it was, with its time, so that undo takes them back one by one.
    const int row = std::clamp(int(entry.edit.position), 0, std::max(0, m_catalogue.LastProject() + 1));
    auto *step = new CatalogueStep(
        m_document, entry.edit, row, row,
        [this](const CatalogueEdit &edit, bool forward, int shown) { showStep(edit, forward, shown); }, entry.madeAt);
    return m_undoStack->pushStep(step);
}

void Main::endNow(int status)
{
    m_ending = true;
    storePendingEdit();
    m_journal->write();
    QCoreApplication::exit(status);
}

void Main::SaveProjects()
{
    SaveResult result = m_document.save();
    if (result.outcome == SaveResult::Outcome::TextNotKept) {
        if (!m_messages.askToSaveAnyway(result.message))
            return;
        result = m_document.save({}, CatalogueDocument::Texts::AsTheyAre);
    }
    // Each answer is about one version of the file: one written while the question was open is asked
    // about in turn.
    while (result.outcome == SaveResult::Outcome::Question) {
        if (!m_messages.askToReplace(result.message))
            return;
        result = m_document.save(result, CatalogueDocument::Texts::AsTheyAre);
    }
    updateTitle();
    m_journal->keep();
    if (!result.saved())
        m_messages.showMessage(result.message);
}

void Main::UpdateListBox()
{
    UpdateText();
    UpdatePicture();
}

void Main::UpdateText()
{
    const int selected = m_ui.list_projects->selectedRow();
    if (selected < 0)
        return;
    const ProjectInfo &project = m_catalogue.at(qint16(selected));
    for (const Field field : {Field::Name, Field::Location, Field::ShortDesc}) {
        QLineEdit *box = m_ui.lineBox(field);
        TextShaping::prepareBox(box, fieldText(project, field));
        box->setText(fieldText(project, field));
    }
    m_ui.text_long->setRecordText(project.LongDesc);
}

void Main::UpdatePicture()
{
    const int selected = m_ui.list_projects->selectedRow();
    if (selected < 0)
        return;
    m_document.setShownPictureCount(qint16(selected), m_preview->UpdatePicture(m_catalogue.at(qint16(selected))));
}

void Main::StoreField(Field field)
{
    const int selected = m_ui.list_projects->selectedRow();
    if (selected == -1)
        return;
    const QString text = trimSpaces(m_ui.boxText(field));
    const QString before = fieldText(m_catalogue.at(qint16(selected)), field);
    // Leaving a box unchanged is no step and no change.
    if (text == before || !pushStep(CatalogueEdit::setField(qint16(selected), field, before, text), selected))
        return;
    // Told while the text is still in mind, not first at Save All.
    if (!CatalogueFormat::comesBackExactly(text))
        m_messages.showMessage(Messages::textNotKept(selected, m_catalogue.at(qint16(selected)).Name, field));
}

void Main::onListSelectionChanged()
{
    // The step that changed the rows shows its row once they are the catalogue's again.
    if (m_model->following())
        return;
    UpdateText();
    UpdatePicture();
}

void Main::onEditorFocusLost(QObject *editor)
{
    const std::optional<Field> field = m_ui.fieldOf(editor);
    if (!field)
        return;
    StoreField(*field);
    // Leaving the name shows the project again, as its row does: the name is its pictures' name.
    if (*field == Field::Name)
        UpdateListBox();
}

bool Main::pushStep(const CatalogueEdit &edit, int rowAfter)
{
    const int rowBefore = m_ui.list_projects->selectedRow();
    return m_undoStack->pushStep(
        new CatalogueStep(m_document, edit, rowBefore, rowAfter,
                          [this](const CatalogueEdit &made, bool forward, int row) { showStep(made, forward, row); }));
}

void Main::showStep(const CatalogueEdit &edit, bool forward, int row)
{
    m_model->follow(edit, forward);
    ProjectList *list = m_ui.list_projects;
    // A box that holds the text just stored from it keeps its own typing to take back.
    if (edit.kind == CatalogueEdit::Kind::SetField && row == list->selectedRow()
        && trimSpaces(m_ui.boxText(edit.field)) == fieldText(m_catalogue.at(qint16(row)), edit.field))
        return;
    if (list->selectedRow() != row)
        list->setSelectedRow(row); // which shows it
    else
        UpdateListBox();
}

void Main::addProject()
{
    storePendingEdit();
    if (m_catalogue.isFull()) {
        m_messages.showMessage(Messages::CatalogueFull);
        return;
    }
    const qint16 added = qint16(m_ui.list_projects->selectedRow() + 1);
    pushStep(CatalogueEdit::insert(added, Catalogue::newProject()), added);
}

void Main::deleteProject()
{
    storePendingEdit();
    const int selected = m_ui.list_projects->selectedRow();
    if (selected < 0) {
        m_messages.showMessage(Messages::NothingToDelete);
        return;
    }
    // The row below takes the deleted one's place; past the last row, the first is shown.
    const int shown = selected < m_catalogue.LastProject() ? selected : (selected > 0 ? 0 : -1);
    pushStep(CatalogueEdit::remove(qint16(selected), m_catalogue.at(qint16(selected))), shown);
}

void Main::moveProject(int by)
{
    storePendingEdit();
    const int selected = m_ui.list_projects->selectedRow();
    const int target = selected + by;
    if (selected < 0 || target < 0 || target > m_catalogue.LastProject())
        return;
    pushStep(CatalogueEdit::swapWithNext(qint16(std::min(selected, target))), target);
}

void Main::saveAll()
{
    // Ctrl+S leaves the focus where it is: what is being typed is part of what is saved.
    storePendingEdit();
    SaveProjects();
}

void Main::buildPages()
{
    storePendingEdit();
    const PublishResult published = m_document.publish();
    // Says where the pages went, below the fixed sentence.
    m_messages.showMessage(published.built ? published.message + QLatin1Char('\r') + shownFolder() : published.message);
}

void Main::chooseFolder()
{
    if (!maybeSave())
        return;
    const QString folder = m_folders->chooseFolder(this, QFile::decodeName(m_document.absoluteFolder()));
    if (!folder.isEmpty())
        openFolder(QFile::encodeName(folder));
}

void Main::openRecentFolder(const QByteArray &folder)
{
    if (maybeSave())
        openFolder(folder);
}

void Main::checkPictures()
{
    storePendingEdit();
    QStringList lines;
    for (const CheckFinding &finding : m_document.fileFindings() + m_document.check())
        lines.append(printableText(CatalogueCheck::formatFinding(finding)));
    if (!m_checkDialog)
        m_checkDialog = new CheckPicturesDialog(this);
    m_checkDialog->showFindings(lines);
}

void Main::showAbout()
{
    m_messages.showMessage(tr("Project Catalogue %1\rKeeps a catalogue of projects and publishes it as "
                              "three linked web pages.\rMIT License. Copyright (c) 2026 Project "
                              "Catalogue developers.")
                               .arg(QStringLiteral(CATALOGUE_VERSION)));
}

void Main::storePendingEdit()
{
    if (QWidget *focused = QApplication::focusWidget(); focused && focused->window() == this)
        onEditorFocusLost(focused);
}

bool Main::maybeSave()
{
    storePendingEdit();
    if (!m_document.isModified())
        return true;
    switch (m_messages.askToSave(Messages::UnsavedChanges)) {
    case MessageService::Answer::Save:
        SaveProjects();
        return !m_document.isModified();
    case MessageService::Answer::Discard:
        m_journal->remove();
        return true;
    case MessageService::Answer::Cancel:
        break;
    }
    return false;
}

void Main::closeEvent(QCloseEvent *event)
{
    if ((m_sessionLeaves != 0 && m_sessionLeaves == m_document.state()) || maybeSave())
        event->accept();
    else
        event->ignore();
}

void Main::commitData(QSessionManager &manager)
{
    // Without leave to ask, nothing is decided for the user: the changes stay unsaved, and are
    // offered again at the next opening.
    if (!manager.allowsInteraction()) {
        storePendingEdit();
        m_journal->write();
        return;
    }
    const bool leave = maybeSave();
    manager.release();
    if (leave)
        m_sessionLeaves = m_document.state();
    else
        manager.cancel();
}
