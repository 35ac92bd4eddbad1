#include "mainwindow.h"

#include "catalogue.h"
#include "cataloguedocument.h"
#include "catalogueedit.h"
#include "cataloguestep.h"
#include "checkpicturesdialog.h"
#include "longtextedit.h"
#include "messages.h"
#include "messageservice.h"
#include "publishdialog.h"
#include "picturenames.h"
#include "picturepreview.h"
#include "printabletext.h"
#include "projectlist.h"
#include "projectlistmodel.h"
#include "recentfolders.h"
#include "workingfolder.h"
#include "recoveryjournal.h"
#include "spacetrim.h"
#include "stephistory.h"
#include "textshaping.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSessionManager>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>
#include <limits>
#include <utility>

namespace {

constexpr QSize ClientSize(745, 469);
// Edits stored within this time of the journal's last write wait for the next one, so that typing
// from box to box costs one write a second at most.
constexpr int JournalDelayMs = 1000;
constexpr QRect PictureFrameGeometry(288, 16, 180, 120);
constexpr QRect Image1Geometry(296, 24, 182, 122);

// The buttons were laid out for a smaller font than some desktop themes set: a caption that would
// run past its button's edge is drawn in the largest size that fits inside the button's frame.
void fitCaption(QPushButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const int room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
    QFont font = button->font();
    int pixels = QFontInfo(font).pixelSize();
    const int fitting = pixels;
    while (pixels > 8 && QFontMetrics(font).horizontalAdvance(option.text) > room)
        font.setPixelSize(--pixels);
    if (pixels != fitting)
        button->setFont(font);
}

QPushButton *createButton(QWidget *parent, const char *name, const QString &caption, QRect geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setFocusPolicy(Qt::StrongFocus);
    fitCaption(button);
    return button;
}

QLabel *createCaption(QWidget *parent, const char *name, const QString &text, QRect geometry)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QLineEdit *createLineEdit(QWidget *parent, const char *name, const QString &accessibleName, QRect geometry)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setAccessibleName(accessibleName);
    edit->setGeometry(geometry);
    // A record's text has no length limit; the box must not cut a long one short.
    edit->setMaxLength(std::numeric_limits<int>::max());
    return edit;
}

QFrame *createOutline(QWidget *parent, const char *name, QRect geometry)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setLineWidth(1);
    frame->setForegroundRole(QPalette::WindowText);
    frame->setGeometry(geometry);
    return frame;
}

// The label boxes were laid out for a narrower font than the default one: a condensed face, shrunk
// further where it still would not fit, shows the longest label whole rather than cut off.
QFont labelFont(const QStringList &texts, int width)
{
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setPixelSize(11);
    auto widest = [&texts](const QFont &candidate) {
        int widest = 0;
        for (const QString &text : texts)
            widest = std::max(widest, QFontMetrics(candidate).horizontalAdvance(text));
        return widest;
    };
    while (font.pixelSize() > 8 && widest(font) > width)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

QFont triangleFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(19); // 14.25 pt at 96 dots per inch
    font.setBold(true);
    return font;
}

// Beside the user's settings, wherever those are kept: one journal for each catalogue folder.
QString journalPathFor(const QString &folder)
{
    return QFileInfo(QSettings().fileName()).absolutePath() + QStringLiteral("/recovery/")
        + RecoveryJournal::fileNameFor(folder);
}

QAction *createAction(QWidget *window, const char *name, const QString &text)
{
    auto *action = new QAction(text, window);
    action->setObjectName(QLatin1String(name));
    return action;
}

} // namespace

Main::Main(CatalogueDocument &document, MessageService &messages, QWidget *parent)
    : QMainWindow(parent), m_document(document), m_catalogue(document.catalogue()), m_messages(messages)
{
    setObjectName(QStringLiteral("Main"));
    m_undoStack = new StepHistory(this);
    m_journalTimer = new QTimer(this);
    m_journalTimer->setSingleShot(true);
    m_journalTimer->setInterval(JournalDelayMs);
    connect(m_journalTimer, &QTimer::timeout, this, &Main::writeJournal);
    auto *area = new QWidget(this);
    area->setObjectName(QStringLiteral("centralArea"));
    setCentralWidget(area);

    // The pictures first, so that every control that takes input lies above them: a wide main
    // picture overhangs the buttons to its left, which must still take their clicks there.
    createPictures();
    createList();
    createButtons();
    createEditors();
    createActions();
    createMenus();
    setTabOrder();
    // The controls keep their places below the menu bar: the window is taller by the bar.
    resize(ClientSize.width(), ClientSize.height() + menuBar()->heightForWidth(ClientSize.width()));
    centreOnScreen();
    createPreview();
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

void Main::createMenus()
{
    m_fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    m_fileMenu->setObjectName(QStringLiteral("menuFile"));
    m_openFolderAction = createAction(this, "actionOpenFolder", QStringLiteral("&Open Folder\u2026"));
    m_openFolderAction->setShortcut(QKeySequence::Open);
    m_fileMenu->addAction(m_openFolderAction);
    m_recentMenu = m_fileMenu->addMenu(QStringLiteral("Open &Recent"));
    m_recentMenu->setObjectName(QStringLiteral("menuOpenRecent"));
    // Read afresh each time it opens: a folder may have gone since, or another window added one.
    connect(m_recentMenu, &QMenu::aboutToShow, this, &Main::updateRecentMenu);
    m_fileMenu->addAction(m_saveAction);
    m_buildPagesAction = createAction(this, "actionBuildPages", QStringLiteral("&Build Pages"));
    m_fileMenu->addAction(m_buildPagesAction);
    m_checkPicturesAction = createAction(this, "actionCheckPictures", QStringLiteral("&Check Pictures\u2026"));
    m_fileMenu->addAction(m_checkPicturesAction);
    // Publishing: its own dialog does the rest.
    QAction *publish = m_fileMenu->addAction(QCoreApplication::translate("Main", "&Publish\u2026"));
    publish->setObjectName(QStringLiteral("actionPublish"));
    connect(publish, &QAction::triggered, this, [this] {
        storePendingEdit();
        PublishDialog(this, m_document, m_messages).run(m_fileFindings);
    });
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(m_quitAction);

    m_editMenu = menuBar()->addMenu(QStringLiteral("&Edit"));
    m_editMenu->setObjectName(QStringLiteral("menuEdit"));
    m_editMenu->addActions({m_undoAction, m_redoAction});

    m_helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    m_helpMenu->setObjectName(QStringLiteral("menuHelp"));
    m_aboutAction = createAction(this, "actionAbout", QStringLiteral("&About Project Catalogue"));
    m_helpMenu->addAction(m_aboutAction);

    // Added to the window too, so that their shortcuts work wherever the focus is in it.
    addActions({m_openFolderAction, m_buildPagesAction, m_checkPicturesAction, m_aboutAction});
    connect(m_openFolderAction, &QAction::triggered, this, &Main::chooseFolder);
    connect(m_buildPagesAction, &QAction::triggered, this, [this] {
        storePendingEdit();
        buildPages();
    });
    connect(m_checkPicturesAction, &QAction::triggered, this, &Main::checkPictures);
    connect(m_aboutAction, &QAction::triggered, this, &Main::showAbout);
    updateRecentMenu();
}

void Main::createList()
{
    m_model = new ProjectListModel(m_catalogue, this);
    m_list = new ProjectList(centralWidget());
    m_list->setObjectName(QStringLiteral("list_projects"));
    m_list->setAccessibleName(QStringLiteral("Projects"));
    m_list->setGeometry(8, 16, 177, 251);
    m_list->setModel(m_model);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, &Main::onListSelectionChanged);
}

void Main::createButtons()
{
    m_add = createButton(centralWidget(), "cmd_add", QStringLiteral("Add"), {200, 16, 65, 20});
    m_delete = createButton(centralWidget(), "cmd_delete", QStringLiteral("Delete"), {200, 48, 65, 20});
    m_up = createButton(centralWidget(), "cmd_up", QStringLiteral("\u25B2"), {200, 80, 25, 25});
    m_down = createButton(centralWidget(), "cmd_down", QStringLiteral("\u25BC"), {200, 104, 25, 25});
    m_save = createButton(centralWidget(), "cmd_save", QStringLiteral("Save All"), {200, 144, 65, 20});
    m_buildPages = createButton(centralWidget(), "cmd_all", QStringLiteral("Build Pages"), {200, 192, 73, 28});

    m_up->setFont(triangleFont());
    m_down->setFont(triangleFont());
    m_up->setAccessibleName(QStringLiteral("Up"));
    m_down->setAccessibleName(QStringLiteral("Down"));

    connect(m_add, &QPushButton::clicked, this, &Main::addProject);
    connect(m_delete, &QPushButton::clicked, this, &Main::deleteProject);
    connect(m_up, &QPushButton::clicked, this, &Main::moveProjectUp);
    connect(m_down, &QPushButton::clicked, this, &Main::moveProjectDown);
    connect(m_save, &QPushButton::clicked, this, &Main::saveAll);
    connect(m_buildPages, &QPushButton::clicked, this, &Main::buildPages);
}

void Main::createPictures()
{
    m_pictureFrame = createOutline(centralWidget(), "picframe1", PictureFrameGeometry);

    // Created after the frame so that it lies above it.
    m_image = new QLabel(centralWidget());
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setGeometry(Image1Geometry);

    m_noPicture = new QLabel(centralWidget());
    m_noPicture->setObjectName(QStringLiteral("image_nopicture"));
    m_noPicture->setGeometry(312, 8, 180, 120);
    m_noPicture->setScaledContents(true);
    m_noPicture->hide();

    m_smallFrame = createOutline(centralWidget(), "Shape2", {496, 16, 225, 289});
    for (int i = 0; i < int(m_small.size()); ++i) {
        auto *label = new QLabel(centralWidget());
        label->setObjectName(QStringLiteral("Image_small%1").arg(i + 1));
        label->setScaledContents(true);
        label->setGeometry(i < 4 ? 512 : 616, 24 + (i % 4) * 72, 90, 60);
        m_small[i] = label;
    }
}

void Main::createEditors()
{
    const QStringList captions = {QStringLiteral("TIP or Project Name"), QStringLiteral("Location"),
                                  QStringLiteral("Short Description"), QStringLiteral("Long Description")};
    const QFont captionFont = labelFont(captions, 97);
    const char *names[] = {"Label1", "Label6", "Label9", "Label2"};
    for (int i = 0; i < captions.size(); ++i)
        createCaption(centralWidget(), names[i], captions.at(i), {8, 288 + 24 * i, 97, 17})->setFont(captionFont);

    m_name = createLineEdit(centralWidget(), "text_name", QStringLiteral("TIP or Project Name"), {112, 288, 161, 19});
    m_location = createLineEdit(centralWidget(), "text_location", QStringLiteral("Location"), {112, 312, 161, 19});
    m_short = createLineEdit(centralWidget(), "text_short", QStringLiteral("Short Description"), {112, 336, 609, 19});

    m_long = new LongTextEdit(centralWidget());
    m_long->setObjectName(QStringLiteral("text_long"));
    m_long->setAccessibleName(QStringLiteral("Long Description"));
    m_long->setGeometry(112, 360, 609, 99);

    for (QWidget *editor : {static_cast<QWidget *>(m_name), static_cast<QWidget *>(m_location),
                            static_cast<QWidget *>(m_short), static_cast<QWidget *>(m_long)})
        editor->installEventFilter(this);
}

void Main::createActions()
{
    m_saveAction = createAction(this, "actionSaveAll", QStringLiteral("&Save All"));
    m_saveAction->setShortcut(QKeySequence::Save);
    connect(m_saveAction, &QAction::triggered, this, &Main::saveAll);

    m_quitAction = createAction(this, "actionQuit", QStringLiteral("&Quit"));
    m_quitAction->setShortcut(QKeySequence::Quit);
    // Platforms whose windows close by the system's own key bind none; Ctrl+Q still quits.
    if (m_quitAction->shortcut().isEmpty())
        m_quitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(m_quitAction, &QAction::triggered, this, &QWidget::close);

    // The stack's own actions keep their captions and enabled state in step with it; triggering
    // goes through the window, which first stores an edit being typed.
    m_undoAction = m_undoStack->createUndoAction(this, QStringLiteral("&Undo"));
    m_undoAction->setObjectName(QStringLiteral("actionUndo"));
    m_undoAction->setShortcut(QKeySequence::Undo);
    disconnect(m_undoAction, &QAction::triggered, nullptr, nullptr);
    connect(m_undoAction, &QAction::triggered, this, &Main::undo);
    m_redoAction = m_undoStack->createRedoAction(this, QStringLiteral("&Redo"));
    m_redoAction->setObjectName(QStringLiteral("actionRedo"));
    // Ctrl+Y and Ctrl+Shift+Z on every desktop, whichever of them its own keys leave out.
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence &key : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)})
        if (!redoKeys.contains(key))
            redoKeys.append(key);
    m_redoAction->setShortcuts(redoKeys);
    disconnect(m_redoAction, &QAction::triggered, nullptr, nullptr);
    connect(m_redoAction, &QAction::triggered, this, &Main::redo);

    // Shortcuts work without a menu to hold them.
    addActions({m_saveAction, m_quitAction, m_undoAction, m_redoAction});
    connect(m_undoStack, &QUndoStack::indexChanged, this, &Main::updateTitle);
    connect(m_undoStack, &QUndoStack::indexChanged, this, &Main::keepJournal);
}

void Main::setTabOrder()
{
    const QList<QWidget *> order = {m_list, m_name, m_location,   m_short, m_long, m_delete,
                                    m_add,  m_save, m_buildPages, m_up,    m_down};
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

void Main::centreOnScreen()
{
    if (const QScreen *shown = screen()) {
        QRect placed(QPoint(), size());
        placed.moveCenter(shown->availableGeometry().center());
        move(placed.topLeft());
    }
}

void Main::createPreview()
{
    PicturePreview::Controls controls;
    controls.image1 = m_image;
    controls.frame = PictureFrameGeometry;
    controls.small = m_small;
    controls.noPicture = m_noPicture;
    m_preview = std::make_unique<PicturePreview>(controls, m_document.pictureFolder());
}

// The controls as they were before the first selection, so that a catalogue without a project shows
// nothing of the one opened before.
void Main::clearShownProject()
{
    for (QLineEdit *box : {m_name, m_location, m_short})
        box->clear();
    m_long->setRecordText(QString());
    m_image->clear();
    m_image->setGeometry(Image1Geometry);
    for (QLabel *label : m_small) {
        label->clear();
        label->show();
    }
}

QString Main::shownFolder() const
{
    return QDir::toNativeSeparators(printableFileName(WorkingFolder::current()));
}

void Main::updateTitle()
{
    // The document works in the working folder, whose name need not be UTF-8.
    const QByteArray folder = WorkingFolder::current();
    const QString name = printableFileName(folder.mid(folder.lastIndexOf('/') + 1));
    setWindowTitle(QStringLiteral("%1[*] \u2014 Project Management").arg(name.isEmpty() ? shownFolder() : name));
    setWindowModified(m_document.isModified());
}

void Main::updateRecentMenu()
{
    m_recentMenu->clear();
    const QList<QByteArray> folders = RecentFolders().folders();
    for (int i = 0; i < folders.size(); ++i) {
        const QByteArray folder = folders.at(i);
        QString label = QDir::toNativeSeparators(printableFileName(folder));
        label.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *action = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(label));
        action->setObjectName(QStringLiteral("actionRecentFolder%1").arg(i + 1));
        // A folder that is gone stays in the list, shown, until newer ones push it out.
        action->setEnabled(WorkingFolder::isFolder(folder));
        connect(action, &QAction::triggered, this, [this, folder] { openRecentFolder(folder); });
    }
    m_recentMenu->setEnabled(!folders.isEmpty());
}

bool Main::openFolder(const QByteArray &folder)
{
    // Anything typed in a box belongs to the catalogue being left.
    m_list->setFocus(Qt::OtherFocusReason);
    QString reason;
    if (!WorkingFolder::isFolder(folder) || !WorkingFolder::enter(folder, reason)) {
        m_messages.showMessage(QStringLiteral("Not possible to open %1\rIt is not a folder that can be entered")
                                   .arg(QDir::toNativeSeparators(printableFileName(folder))));
        return false;
    }
    const QByteArray absolute = WorkingFolder::current();
    // The list is emptied first: a message of the start-up shows while the window is open, and the
    // list must not draw rows of a catalogue that is no longer there.
    m_catalogue.assign({});
    m_model->rebuild();
    clearShownProject();
    // States of the catalogue left behind are not those of the one opened.
    m_sessionLeaves = 0;
    m_document = CatalogueDocument(
        QStringLiteral("."), PictureNames::pictureFolder(QCoreApplication::applicationDirPath(), QStringLiteral(".")));
    createPreview();
    RecentFolders().add(absolute);
    updateRecentMenu();
    StartUp();
    return true;
}

void Main::StartUp()
{
    updateTitle();
    LoadProjects();
    UpdateListBox();
    if (m_model->rowCount() > 0)
        m_list->setSelectedRow(0);
    UpdateText();
    m_list->setFocus(Qt::OtherFocusReason);
}

void Main::LoadProjects()
{
    // The steps of another catalogue do not apply to the one read, nor does its journal.
    m_journalTimer->stop();
    m_journalPath.clear();
    m_journalClaim.release();
    m_undoStack->clear();
    const LoadResult loaded = m_document.load();
    updateTitle();
    m_fileFindings.clear();
    for (const QString &message : loaded.messages) {
        // The first run names the folder it creates the file in, below the fixed sentence.
        if (message == Messages::Creating) {
            m_messages.showMessage(message + QLatin1Char('\r') + shownFolder());
            continue;
        }
        m_fileFindings.append(CatalogueCheck::fileFinding(message));
        m_messages.showMessage(message);
    }
    // The first run says what it creates before it does.
    if (m_ending)
        return;
    if (loaded.firstSaveDue())
        SaveProjects();
    offerRecovery();
}

void Main::offerRecovery()
{
    const QString folder = m_document.journalFolder();
    const QString path = journalPathFor(folder);
    // A window still open on the folder keeps its own edits there: they are not recovered ones.
    if (!m_journalClaim.claim(QFileInfo(path).fileName()))
        return;
    const std::optional<RecoveryJournal> found = RecoveryJournal::read(path);
    if (!found || found->folder != folder || found->entries.isEmpty()) {
        m_journalPath = path;
        return;
    }
    const QString when = found->entries.last().madeAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    if (!found->madeAgainst(m_document.fileIdentity())) {
        // Replayed on another file, the edits would change records they were never made on.
        m_messages.showMessage(tr("Unsaved edits of this catalogue from %1 were recovered, but projects.txt has "
                                  "changed since they were made.\rThey cannot be restored.")
                                   .arg(when));
        m_journalPath = path;
        removeJournal();
        return;
    }
    const qsizetype count = found->entries.size();
    const QString edits = count == 1 ? tr("1 edit") : tr("%1 edits").arg(count);
    switch (m_messages.askToRestore(
        tr("Unsaved edits of this catalogue from %1 were recovered (%2).\rRestore them?").arg(when, edits))) {
    case MessageService::Recovery::Undecided:
        // The program is ending: the journal stays for the next opening.
        return;
    case MessageService::Recovery::Discard:
        m_journalPath = path;
        removeJournal();
        return;
    case MessageService::Recovery::Restore:
        break;
    }
    // Each edit again as the step it was, with its time, so that undo takes them back one by one.
    for (const RecoveryEntry &entry : found->entries) {
        CatalogueEdit edit = entry.edit;
        if (!m_document.perform(edit, entry.madeAt)) {
            // Taken back, and the journal left as it is: this window keeps none that would replace it.
            m_undoStack->setIndex(0);
            m_undoStack->clear();
            m_messages.showMessage(tr("The recovered edits do not fit this catalogue.\rThey were not restored."));
            return;
        }
        const int row = std::clamp(int(edit.position), 0, std::max(0, int(m_catalogue.LastProject())));
        m_undoStack->push(new CatalogueStep(m_document, edit, row, row, [this](int shown) { showStep(shown); }));
    }
    m_journalPath = path;
    keepJournal();
}

void Main::keepJournal()
{
    if (m_journalPath.isEmpty())
        return;
    if (!m_document.isModified())
        removeJournal();
    else if (!m_journalTimer->isActive())
        m_journalTimer->start();
}

void Main::writeJournal()
{
    m_journalTimer->stop();
    if (m_journalPath.isEmpty())
        return;
    const RecoveryJournal journal = m_document.recoveryJournal();
    if (journal.entries.isEmpty()) {
        removeJournal();
        return;
    }
    QDir().mkpath(QFileInfo(m_journalPath).path());
    // Nothing to show the user a second after each edit: the edits themselves are safe in memory.
    if (const QString error = journal.write(m_journalPath); !error.isEmpty())
        qWarning("cannot keep the unsaved edits in %s: %s", qPrintable(m_journalPath), qPrintable(error));
}

void Main::removeJournal()
{
    m_journalTimer->stop();
    if (!m_journalPath.isEmpty())
        QFile::remove(m_journalPath);
}

void Main::endNow(int status)
{
    m_ending = true;
    storePendingEdit();
    writeJournal();
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
    keepJournal();
    if (!result.saved()) {
        m_messages.showMessage(result.message);
        return;
    }
    // The file is now the catalogue, whatever the start-up found wrong with it.
    m_fileFindings.clear();
}

void Main::UpdateListBox()
{
    const qint16 old = qint16(m_list->selectedRow());
    m_model->rebuild();
    const qint16 count = qint16(m_model->rowCount());
    if (old < count)
        m_list->setSelectedRow(old);
    else if (count == 0)
        m_list->setSelectedRow(-1);
    else
        m_list->setSelectedRow(0);
}

void Main::UpdateText()
{
    const qint16 selected = qint16(m_list->selectedRow());
    if (selected < 0)
        return;
    const ProjectInfo &project = m_catalogue.at(selected);
    for (const auto &[box, text] : {std::pair{m_name, &project.Name}, std::pair{m_location, &project.Location},
                                    std::pair{m_short, &project.ShortDesc}}) {
        TextShaping::prepareBox(box, *text);
        box->setText(*text);
    }
    m_long->setRecordText(project.LongDesc);
}

void Main::UpdatePicture()
{
    const qint16 selected = qint16(m_list->selectedRow());
    if (selected < 0)
        return;
    m_document.setShownPictureCount(selected, m_preview->UpdatePicture(m_catalogue.at(selected)));
}

void Main::StoreField(const QString &key)
{
    const qint16 selected = qint16(m_list->selectedRow());
    if (selected == -1)
        return;
    QString text;
    if (key == QLatin1String("Name"))
        text = m_name->text();
    else if (key == QLatin1String("Location"))
        text = m_location->text();
    else if (key == QLatin1String("ShortDesc"))
        text = m_short->text();
    else if (key == QLatin1String("LongDesc"))
        text = m_long->recordText();
    else
        return;
    const QString before = CatalogueEdit::fieldOf(m_catalogue.at(selected), key);
    text = trimSpaces(text);
    // Leaving a box unchanged is no step and no change.
    if (text == before)
        return;
    CatalogueEdit edit = CatalogueEdit::setField(selected, key, before, text);
    if (!perform(edit))
        return;
    pushStep(edit, selected);
    // Told while the text is still in mind, not first at Save All.
    if (!CatalogueFormat::comesBackExactly(text))
        m_messages.showMessage(Messages::textNotKept(selected, m_catalogue.at(selected).Name, key));
}

void Main::onListSelectionChanged()
{
    UpdateText();
    UpdatePicture();
}

bool Main::eventFilter(QObject *watched, QEvent *event)
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
            else if (watched == m_long)
                m_long->redo();
        }
        return true;
    }
    if (event->type() == QEvent::FocusOut) {
        // Leaving for another window or a popup is not leaving the box for another control.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            onEditorFocusLost(watched);
    }
    return QMainWindow::eventFilter(watched, event);
}

void Main::onEditorFocusLost(QObject *editor)
{
    if (editor == m_name) {
        StoreField(QStringLiteral("Name"));
        UpdateListBox();
    } else if (editor == m_location) {
        StoreField(QStringLiteral("Location"));
    } else if (editor == m_short) {
        StoreField(QStringLiteral("ShortDesc"));
    } else if (editor == m_long) {
        StoreField(QStringLiteral("LongDesc"));
    }
}

void Main::addProject()
{
    const qint16 selected = qint16(m_list->selectedRow());
    const qint16 added = qint16(selected + 1);
    CatalogueEdit edit = CatalogueEdit::insert(added, Catalogue::newProject());
    if (!perform(edit)) {
        m_messages.showMessage(Messages::CatalogueFull);
        return;
    }
    UpdateText();
    UpdateListBox();
    m_list->setSelectedRow(added);
    UpdatePicture();
    pushStep(edit, selected);
}

void Main::deleteProject()
{
    const qint16 selected = qint16(m_list->selectedRow());
    if (selected < 0) {
        m_messages.showMessage(Messages::NothingToDelete);
        return;
    }
    CatalogueEdit edit = CatalogueEdit::remove(selected, m_catalogue.at(selected));
    perform(edit);
    UpdateListBox();
    UpdateText();
    pushStep(edit, selected);
}

void Main::moveProjectUp()
{
    const qint16 selected = qint16(m_list->selectedRow());
    if (selected <= 0)
        return;
    CatalogueEdit edit = CatalogueEdit::swapWithNext(qint16(selected - 1));
    perform(edit);
    UpdateText();
    UpdateListBox();
    UpdatePicture();
    m_list->setSelectedRow(selected - 1);
    pushStep(edit, selected);
}

void Main::moveProjectDown()
{
    const qint16 selected = qint16(m_list->selectedRow());
    if (selected < 0 || selected >= m_catalogue.LastProject())
        return;
    CatalogueEdit edit = CatalogueEdit::swapWithNext(selected);
    perform(edit);
    UpdateText();
    UpdateListBox();
    UpdatePicture();
    m_list->setSelectedRow(selected + 1);
    pushStep(edit, selected);
}

void Main::saveAll()
{
    // Ctrl+S leaves the focus where it is: what is being typed is part of what is saved.
    storePendingEdit();
    SaveProjects();
}

void Main::buildPages()
{
    const PublishResult published = m_document.publish();
    // Says where the pages went, below the fixed sentence.
    m_messages.showMessage(published.built ? published.message + QLatin1Char('\r') + shownFolder() : published.message);
}

void Main::chooseFolder()
{
    if (!maybeSave())
        return;
    const QString folder = m_folders->chooseFolder(this, QFile::decodeName(WorkingFolder::current()));
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
    QList<CheckFinding> findings = m_fileFindings;
    findings += m_document.check();
    QStringList lines;
    for (const CheckFinding &finding : std::as_const(findings))
        lines.append(printableText(CatalogueCheck::formatFinding(finding)));
    if (!m_checkDialog)
        m_checkDialog = new CheckPicturesDialog(this);
    m_checkDialog->showFindings(lines);
}

void Main::showAbout()
{
    m_messages.showMessage(QStringLiteral("Project Catalogue %1\rKeeps a catalogue of projects and publishes it as "
                                          "three linked web pages.\rMIT License. Copyright (c) 2026 Project "
                                          "Catalogue developers.")
                               .arg(QStringLiteral(CATALOGUE_VERSION)));
}

bool Main::perform(CatalogueEdit &edit)
{
    return m_document.perform(edit);
}

void Main::pushStep(const CatalogueEdit &edit, int rowBefore)
{
    m_undoStack->pushStep(
        new CatalogueStep(m_document, edit, rowBefore, m_list->selectedRow(), [this](int row) { showStep(row); }));
}

void Main::showStep(int row)
{
    m_model->rebuild();
    // The reset left no row selected: selecting one shows its texts and pictures.
    m_list->setSelectedRow(row);
}

void Main::undo()
{
    storePendingEdit();
    m_undoStack->undo();
}

void Main::redo()
{
    storePendingEdit();
    m_undoStack->redo();
}

void Main::storePendingEdit()
{
    if (QWidget *focused = QApplication::focusWidget(); focused && focused->window() == this)
        onEditorFocusLost(focused);
}

bool Main::isRedoKey(const QKeyEvent *key) const
{
    return key->matches(QKeySequence::Redo) || m_redoAction->shortcuts().contains(QKeySequence(key->keyCombination()));
}

bool Main::takesOwnUndo(QObject *editor, const QKeyEvent *key) const
{
    const bool undoKey = key->matches(QKeySequence::Undo);
    if (!undoKey && !isRedoKey(key))
        return true;
    // A box takes back its own typing; once it has none left, the keys undo the catalogue's steps.
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        return undoKey ? line->isUndoAvailable() : line->isRedoAvailable();
    if (editor == m_long)
        return undoKey ? m_long->document()->isUndoAvailable() : m_long->document()->isRedoAvailable();
    return true;
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
        removeJournal();
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
        writeJournal();
        return;
    }
    const bool leave = maybeSave();
    manager.release();
    if (leave)
        m_sessionLeaves = m_document.state();
    else
        manager.cancel();
}
