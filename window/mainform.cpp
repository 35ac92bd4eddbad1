#include "mainform.h"

#include "longtextedit.h"
#include "projectlist.h"

#include <QAction>
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QUndoStack>

#include <algorithm>
#include <limits>

namespace {

// The caption as it is drawn: a mnemonic's '&' takes no room.
int captionWidth(const QFont &font, const QString &caption)
{
    return QFontMetrics(font).size(Qt::TextShowMnemonic, caption).width();
}

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
    while (pixels > 8 && captionWidth(font, option.text) > room)
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

QAction *createAction(QWidget *window, const char *name, const QString &text, const QList<QKeySequence> &keys = {})
{
    auto *action = new QAction(text, window);
    action->setObjectName(QLatin1String(name));
    action->setShortcuts(keys);
    // Added to the window too, so that their keys work wherever the focus is in it.
    window->addAction(action);
    return action;
}

QMenu *createMenu(QMainWindow *window, const char *name, const QString &title)
{
    QMenu *menu = window->menuBar()->addMenu(title);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

void centreOnScreen(QWidget *window)
{
    if (const QScreen *shown = window->screen()) {
        QRect placed(QPoint(), window->size());
        placed.moveCenter(shown->availableGeometry().center());
        window->move(placed.topLeft());
    }
}

} // namespace

void MainForm::setupUi(QMainWindow *window, QUndoStack *steps)
{
    window->setObjectName(QStringLiteral("Main"));
    auto *area = new QWidget(window);
    area->setObjectName(QStringLiteral("centralArea"));
    window->setCentralWidget(area);

    // The pictures first, so that every control that takes input lies above them: a wide main
    // picture overhangs the buttons to its left, which must still take their clicks there.
    createPictures(area);
    createList(area);
    createButtons(area);
    createEditors(area);
    createActions(window, steps);
    createMenus(window);
    setTabOrder();
    // The controls keep their places below the menu bar: the window is taller by the bar.
    window->resize(ClientSize.width(), ClientSize.height() + window->menuBar()->heightForWidth(ClientSize.width()));
    centreOnScreen(window);
}

void MainForm::createList(QWidget *area)
{
    list_projects = new ProjectList(area);
    list_projects->setObjectName(QStringLiteral("list_projects"));
    list_projects->setAccessibleName(tr("Projects"));
    list_projects->setGeometry(8, 16, 177, 251);
}

void MainForm::createButtons(QWidget *area)
{
    cmd_add = createButton(area, "cmd_add", tr("&Add"), {200, 16, 65, 20});
    cmd_delete = createButton(area, "cmd_delete", tr("&Delete"), {200, 48, 65, 20});
    cmd_up = createButton(area, "cmd_up", QStringLiteral("\u25B2"), {200, 80, 25, 25});
    cmd_down = createButton(area, "cmd_down", QStringLiteral("\u25BC"), {200, 104, 25, 25});
    cmd_save = createButton(area, "cmd_save", tr("&Save All"), {200, 144, 65, 20});
    cmd_all = createButton(area, "cmd_all", tr("&Build Pages"), {200, 192, 73, 28});

    cmd_up->setFont(triangleFont());
    cmd_down->setFont(triangleFont());
    cmd_up->setAccessibleName(tr("Up"));
    cmd_down->setAccessibleName(tr("Down"));
}

void MainForm::createPictures(QWidget *area)
{
    picframe1 = createOutline(area, "picframe1", PictureFrameGeometry);

    // Created after the frame so that it lies above it.
    Image1 = new QLabel(area);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(Image1Geometry);

    image_nopicture = new QLabel(area);
    image_nopicture->setObjectName(QStringLiteral("image_nopicture"));
    image_nopicture->setGeometry(312, 8, 180, 120);
    image_nopicture->setScaledContents(true);
    image_nopicture->hide();

    Shape2 = createOutline(area, "Shape2", {496, 16, 225, 289});
    for (int i = 0; i < int(Image_small.size()); ++i) {
        auto *label = new QLabel(area);
        label->setObjectName(QStringLiteral("Image_small%1").arg(i + 1));
        label->setScaledContents(true);
        label->setGeometry(i < 4 ? 512 : 616, 24 + (i % 4) * 72, 90, 60);
        Image_small[i] = label;
    }
}

void MainForm::createEditors(QWidget *area)
{
    const QStringList captions = {tr("TIP or Project Name"), tr("Location"), tr("Short Description"),
                                  tr("Long Description")};
    const QFont captionFont = labelFont(captions, 97);
    const char *names[] = {"Label1", "Label6", "Label9", "Label2"};
    for (int i = 0; i < captions.size(); ++i)
        createCaption(area, names[i], captions.at(i), {8, 288 + 24 * i, 97, 17})->setFont(captionFont);

    text_name = createLineEdit(area, "text_name", captions.at(0), {112, 288, 161, 19});
    text_location = createLineEdit(area, "text_location", captions.at(1), {112, 312, 161, 19});
    text_short = createLineEdit(area, "text_short", captions.at(2), {112, 336, 609, 19});

    text_long = new LongTextEdit(area);
    text_long->setObjectName(QStringLiteral("text_long"));
    text_long->setAccessibleName(captions.at(3));
    text_long->setGeometry(112, 360, 609, 99);
}

void MainForm::createActions(QMainWindow *window, QUndoStack *steps)
{
    actionOpenFolder = createAction(window, "actionOpenFolder", tr("&Open Folder\u2026"), {QKeySequence::Open});
    actionSaveAll = createAction(window, "actionSaveAll", tr("&Save All"), {QKeySequence::Save});
    actionBuildPages = createAction(window, "actionBuildPages", tr("&Build Pages"), {Qt::CTRL | Qt::Key_B});
    actionCheckPictures = createAction(window, "actionCheckPictures", tr("&Check Pictures\u2026"));
    // Platforms whose windows close by the system's own key bind none; Ctrl+Q still quits.
    const QKeySequence quit(QKeySequence::Quit);
    actionQuit = createAction(window, "actionQuit", tr("&Quit"), {quit.isEmpty() ? Qt::CTRL | Qt::Key_Q : quit});
    actionAbout = createAction(window, "actionAbout", tr("&About Project Catalogue"));

    // The stack's own actions keep their captions, which name the step, and their enabled state in
    // step with it.
    actionUndo = steps->createUndoAction(window, tr("&Undo"));
    actionUndo->setObjectName(QStringLiteral("actionUndo"));
    actionUndo->setShortcut(QKeySequence::Undo);
    actionRedo = steps->createRedoAction(window, tr("&Redo"));
    actionRedo->setObjectName(QStringLiteral("actionRedo"));
    // Ctrl+Y and Ctrl+Shift+Z on every desktop, whichever of them its own keys leave out.
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence &key : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)})
        if (!redoKeys.contains(key))
            redoKeys.append(key);
    actionRedo->setShortcuts(redoKeys);
    window->addActions({actionUndo, actionRedo});
    createEditActions(window);
}

void MainForm::createEditActions(QMainWindow *window)
{
    actionAddProject = createAction(window, "actionAddProject", tr("&Add Project"),
                                    {Qt::CTRL | Qt::Key_N, QKeySequence(Qt::Key_Insert)});
    // Only the list's own: in a text box Delete deletes text.
    actionDeleteProject = createAction(window, "actionDeleteProject", tr("&Delete Project"), {QKeySequence::Delete});
    window->removeAction(actionDeleteProject);
    actionDeleteProject->setShortcutContext(Qt::WidgetShortcut);
    list_projects->addAction(actionDeleteProject);
    // Alt rather than Ctrl: Ctrl+Up and Ctrl+Down move by paragraph in the text boxes and move the
    // current row without selecting it in a list, while Alt with an arrow is free in both.
    actionMoveUp = createAction(window, "actionMoveUp", tr("Move U&p"), {Qt::ALT | Qt::Key_Up});
    actionMoveDown = createAction(window, "actionMoveDown", tr("Move Dow&n"), {Qt::ALT | Qt::Key_Down});
}

void MainForm::createMenus(QMainWindow *window)
{
    menuFile = createMenu(window, "menuFile", tr("&File"));
    menuFile->addAction(actionOpenFolder);
    menuOpenRecent = menuFile->addMenu(tr("Open &Recent"));
    menuOpenRecent->setObjectName(QStringLiteral("menuOpenRecent"));
    menuFile->addActions({actionSaveAll, actionBuildPages, actionCheckPictures});
    menuFile->addSeparator();
    menuFile->addAction(actionQuit);

    menuEdit = createMenu(window, "menuEdit", tr("&Edit"));
    menuEdit->addActions({actionUndo, actionRedo});
    menuEdit->addSeparator();
    menuEdit->addActions({actionAddProject, actionDeleteProject, actionMoveUp, actionMoveDown});

    menuHelp = createMenu(window, "menuHelp", tr("&Help"));
    menuHelp->addAction(actionAbout);
}

void MainForm::setTabOrder()
{
    const QList<QWidget *> order = {list_projects, text_name, text_location, text_short, text_long, cmd_delete,
                                    cmd_add,       cmd_save,  cmd_all,       cmd_up,     cmd_down};
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

PicturePreview::Controls MainForm::pictureControls() const
{
    PicturePreview::Controls controls;
    controls.image1 = Image1;
    controls.frame = PictureFrameGeometry;
    controls.small = Image_small;
    controls.noPicture = image_nopicture;
    return controls;
}

void MainForm::clearShownProject()
{
    for (QLineEdit *box : {text_name, text_location, text_short})
        box->clear();
    text_long->setRecordText(QString());
    Image1->clear();
    Image1->setGeometry(Image1Geometry);
    for (QLabel *label : Image_small) {
        label->clear();
        label->show();
    }
}

QLineEdit *MainForm::lineBox(Field field) const
{
    switch (field) {
    case Field::Name:
        return text_name;
    case Field::Location:
        return text_location;
    case Field::ShortDesc:
    case Field::LongDesc:
        break;
    }
    return text_short;
}

QString MainForm::boxText(Field field) const
{
    return field == Field::LongDesc ? text_long->recordText() : lineBox(field)->text();
}

std::optional<Field> MainForm::fieldOf(const QObject *box) const
{
    if (box == text_long)
        return Field::LongDesc;
    for (const Field field : {Field::Name, Field::Location, Field::ShortDesc})
        if (box == lineBox(field))
            return field;
    return std::nullopt;
}
