#include "windowfixture.h"

#include "cataloguedocument.h"
#include "cataloguestep.h"
#include "gifwriter.h"
#include "lastfolder.h"
#include "messages.h"
#include "messageservice.h"
#include "stephistory.h"
#include "workingfolder.h"

#include <QElapsedTimer>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSettings>

#include <cstdio>

#include <sys/fsuid.h>
#include <sys/stat.h>

Q_DECLARE_METATYPE(MessageService::Answer)

class CommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void commandOnThreeProjects_data();
    void commandOnThreeProjects();
    void addAndDeleteOnTheOnlyProject();
    void deleteWithNothingSelected();
    void pendingEditIsStoredBeforeTheCommand();
    void saveAllTwiceWritesTheSameBytes();
    void saveAllFailureIsReported();
    void textTheFileCannotKeepIsToldAndAsked();
    void commandsWithoutSaveLeaveTheFileUnchanged();
    void addRefusedAtTheLimit();
    void buildPagesWritesThePages();
    void buildPagesFailureIsReported();
    void selectionBringsThePictureCountInStep();
    void closeWithUnsavedChanges_data();
    void closeWithUnsavedChanges();
    void undoAndRedoEachStep_data();
    void undoAndRedoEachStep();
    void undoHistoryKeepsItsBudget_data();
    void undoHistoryKeepsItsBudget();
    void openFolderAndOpenRecent();
    void menuLaunchOpensTheLastFolder_data();
    void menuLaunchOpensTheLastFolder();
    void menuCommandsOnTheDemo();

private:
    QTemporaryDir m_settings;
};

// The recent folders go to a settings file of the test's own, never the user's.
void CommandsTest::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
}

// Alt and the menu's letter, then each item's letter in turn, as the user would type them.
static void chooseFromMenu(QWidget *window, const QList<Qt::Key> &letters)
{
    QTest::keyClick(window, letters.first(), Qt::AltModifier);
    for (const Qt::Key letter : letters.mid(1)) {
        QWidget *menu = QApplication::activePopupWidget();
        QVERIFY(menu);
        QTest::keyClick(menu, letter);
    }
}

void CommandsTest::commandOnThreeProjects_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("selectedAfter");
    QTest::addColumn<bool>("underWidePicture"); // clicked where a 240x160 main picture lies
    QTest::addColumn<QKeySequence>("key"); // pressed instead, the focus in `command`
    QTest::newRow("add after the first") << 0 << "cmd_add" << QStringList{"A", "New", "B", "C"} << 1 << false
                                         << QKeySequence();
    QTest::newRow("add after the last") << 2 << "cmd_add" << QStringList{"A", "B", "C", "New"} << 3 << false
                                        << QKeySequence();
    QTest::newRow("delete the middle") << 1 << "cmd_delete" << QStringList{"A", "C"} << 1 << false << QKeySequence();
    QTest::newRow("delete the last") << 2 << "cmd_delete" << QStringList{"A", "B"} << 0 << false << QKeySequence();
    QTest::newRow("up on the first") << 0 << "cmd_up" << QStringList{"A", "B", "C"} << 0 << false << QKeySequence();
    QTest::newRow("up on the third") << 2 << "cmd_up" << QStringList{"A", "C", "B"} << 1 << false << QKeySequence();
    QTest::newRow("down on the first") << 0 << "cmd_down" << QStringList{"B", "A", "C"} << 1 << false << QKeySequence();
    QTest::newRow("down on the last") << 2 << "cmd_down" << QStringList{"A", "B", "C"} << 2 << false << QKeySequence();
    // The picture overhangs its frame to the left, over the buttons' right edge; buttons stay on top.
    QTest::newRow("add under a wide picture")
        << 1 << "cmd_add" << QStringList{"A", "B", "New", "C"} << 2 << true << QKeySequence();
    QTest::newRow("delete under a wide picture")
        << 1 << "cmd_delete" << QStringList{"A", "C"} << 1 << true << QKeySequence();
    QTest::newRow("Ctrl+N") << 0 << "list_projects" << QStringList{"A", "New", "B", "C"} << 1 << false
                            << QKeySequence(Qt::CTRL | Qt::Key_N);
    QTest::newRow("Insert") << 2 << "list_projects" << QStringList{"A", "B", "C", "New"} << 3 << false
                            << QKeySequence(Qt::Key_Insert);
    QTest::newRow("Delete in the list") << 1 << "list_projects" << QStringList{"A", "C"} << 1 << false
                                        << QKeySequence(Qt::Key_Delete);
    QTest::newRow("Alt+Up") << 2 << "list_projects" << QStringList{"A", "C", "B"} << 1 << false
                            << QKeySequence(Qt::ALT | Qt::Key_Up);
    QTest::newRow("Alt+Down in a box") << 0 << "text_location" << QStringList{"B", "A", "C"} << 1 << false
                                       << QKeySequence(Qt::ALT | Qt::Key_Down);
}

void CommandsTest::commandOnThreeProjects()
{
    QFETCH(int, selected);
    QFETCH(QString, command);
    QFETCH(QStringList, names);
    QFETCH(int, selectedAfter);
    QFETCH(bool, underWidePicture);
    QFETCH(QKeySequence, key);
    WindowFixture fixture(projectsNamed({"A", "B", "C"}));
    if (underWidePicture) {
        QVERIFY(QDir().mkpath(fixture.path("Thumbs")));
        for (const char *name : {"A", "B", "C"}) {
            QFile picture(fixture.path(QStringLiteral("Thumbs/%1_p1.gif").arg(QLatin1String(name))));
            QVERIFY(picture.open(QIODevice::WriteOnly));
            picture.write(GifWriter::solid(240, 160, qRgb(40, 90, 160)));
        }
    }
    fixture.clickRow(selected);
    if (underWidePicture) {
        QWidget *button = fixture.find(command.toLatin1().constData());
        const QRect covered = button->geometry() & fixture.find("Image1")->geometry();
        QVERIFY2(!covered.isEmpty(), "the picture does not reach the button");
        const QPoint at = covered.center();
        QWidget *area = fixture.window->centralWidget();
        QCOMPARE(area->childAt(at), button);
        // Through the window, so that the toolkit delivers the click to whatever lies there.
        QTest::mouseClick(fixture.window->windowHandle(), Qt::LeftButton, {}, area->mapTo(fixture.window.get(), at));
    } else {
        fixture.click(command.toLatin1().constData());
    }
    if (!key.isEmpty())
        QTest::keyClick(QApplication::focusWidget(), key[0].key(), key[0].keyboardModifiers());
    QCOMPARE(fixture.names(), names);
    QCOMPARE(fixture.rows(), names);
    QCOMPARE(fixture.selectedRow(), selectedAfter);
    const ProjectInfo &shown = fixture.catalogue.at(qint16(selectedAfter));
    QCOMPARE(fixture.line("text_name")->text(), shown.Name);
    QCOMPARE(fixture.line("text_location")->text(), shown.Location);
    QCOMPARE(fixture.line("text_short")->text(), shown.ShortDesc);
    QCOMPARE(fixture.longText()->toPlainText(), shown.LongDesc);
    QVERIFY(fixture.messages.texts.isEmpty());
    if (command == QLatin1String("cmd_add"))
        QCOMPARE(shown, (ProjectInfo{"New", "", "", "", 1}));
}

void CommandsTest::addAndDeleteOnTheOnlyProject()
{
    WindowFixture fixture(projectsNamed({"Only"}));
    fixture.click("cmd_delete");
    QVERIFY(fixture.rows().isEmpty());
    QCOMPARE(fixture.selectedRow(), -1);
    // Nothing is current, so the boxes keep showing the deleted project.
    QCOMPARE(fixture.line("text_location")->text(), QStringLiteral("Only place"));

    fixture.click("cmd_add");
    QCOMPARE(fixture.rows(), QStringList({"New"}));
    QCOMPARE(fixture.selectedRow(), 0);
    QCOMPARE(fixture.line("text_name")->text(), QStringLiteral("New"));
    QCOMPARE(fixture.line("text_location")->text(), QString());
    QCOMPARE(fixture.longText()->toPlainText(), QString());
    QVERIFY(fixture.messages.texts.isEmpty());
}

void CommandsTest::deleteWithNothingSelected()
{
    WindowFixture fixture(projectsNamed({}));
    fixture.click("cmd_delete");
    fixture.click("cmd_up");
    fixture.click("cmd_down");
    QCOMPARE(fixture.messages.texts, QStringList{"Please Select a Project to Delete"});
    QVERIFY(fixture.rows().isEmpty());
}

void CommandsTest::pendingEditIsStoredBeforeTheCommand()
{
    WindowFixture fixture(projectsNamed({"A", "B"}));
    fixture.type("text_name", "Edited ");
    fixture.click("cmd_add");
    QCOMPARE(fixture.names(), QStringList({"Edited", "New", "B"}));
    fixture.type("text_short", "Fresh");
    fixture.click("cmd_up");
    QCOMPARE(fixture.names(), QStringList({"New", "Edited", "B"}));
    QCOMPARE(fixture.catalogue.at(0).ShortDesc, QStringLiteral("Fresh"));
    QCOMPARE(fixture.selectedRow(), 0);
    // By its keys from the box being typed in, where Delete deletes text, not the project.
    fixture.type("text_long", "Kept");
    QTest::keyClick(fixture.longText(), Qt::Key_Home);
    QTest::keyClick(fixture.longText(), Qt::Key_Delete);
    QTest::keyClick(fixture.longText(), Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(fixture.names(), QStringList({"Edited", "New", "B"}));
    QCOMPARE(fixture.catalogue.at(1).LongDesc, QStringLiteral("ept"));
}

void CommandsTest::saveAllTwiceWritesTheSameBytes()
{
    QList<ProjectInfo> projects = projectsNamed({"A", "B"});
    projects[1].LongDesc = QStringLiteral("Commas, and\r\nlines");
    WindowFixture fixture(projects);
    fixture.click("cmd_save");
    const QByteArray first = readFile(fixture.projectsPath());
    fixture.click("cmd_save");
    QCOMPARE(readFile(fixture.projectsPath()), first);
    QCOMPARE(first, CatalogueFormat::write(projects));
    QVERIFY(fixture.messages.texts.isEmpty());

    // Changed by another program since: Save All asks, and Cancel writes nothing.
    writeFile(fixture.projectsPath(), first + first);
    fixture.click("cmd_save");
    QCOMPARE(fixture.messages.texts,
             QStringList{"projects.txt was changed by another program after it was read.\r"
                         "Replacing it loses those changes."});
    QCOMPARE(readFile(fixture.projectsPath()), first + first);

    // "Replace" is about the version the question named: one written while it waited is asked about.
    fixture.messages.replace = true;
    fixture.messages.whileAsking = [&] {
        writeFile(fixture.projectsPath(), first + first + first);
        fixture.messages.replace = false;
    };
    fixture.click("cmd_save");
    QCOMPARE(fixture.messages.texts.size(), 3);
    QCOMPARE(fixture.messages.texts.at(2), fixture.messages.texts.at(0));
    QCOMPARE(readFile(fixture.projectsPath()), first + first + first);
}

void CommandsTest::textTheFileCannotKeepIsToldAndAsked()
{
    WindowFixture fixture(projectsNamed({"A", "Old\nMill"}));
    const QByteArray before = readFile(fixture.projectsPath());
    fixture.clickRow(1);
    fixture.type("text_long", "Built in 1890.");
    QTest::keyClick(fixture.longText(), Qt::Key_Return);
    QTest::keyClicks(fixture.longText(), "\"Short Description:\",\"x\"");
    fixture.pressTab();
    const QString told = "The Long Description of project 2 (\"Old\\x0aMill\") holds a line that projects.txt "
                         "cannot keep apart from the next field.\rSaving it changes that project when the file is "
                         "read again.";
    QCOMPARE(fixture.messages.texts, QStringList{told});
    // Asked again at Save All; Cancel writes nothing.
    fixture.click("cmd_save");
    QCOMPARE(fixture.messages.texts, QStringList({told, told}));
    QCOMPARE(readFile(fixture.projectsPath()), before);
    QVERIFY(fixture.window->isWindowModified());
    fixture.messages.saveAnyway = true;
    fixture.click("cmd_save");
    QCOMPARE(fixture.messages.texts.size(), 3);
    QCOMPARE(readFile(fixture.projectsPath()), CatalogueFormat::write(fixture.catalogue.Projects()));
    QVERIFY(!fixture.window->isWindowModified());
}

void CommandsTest::saveAllFailureIsReported()
{
    WindowFixture fixture(projectsNamed({"A"}));
    // A folder where the file should be cannot be replaced by the save.
    QVERIFY(QFile::remove(fixture.projectsPath()));
    QVERIFY(QDir().mkdir(fixture.projectsPath()));
    fixture.click("cmd_save");
    QCOMPARE(fixture.messages.texts, QStringList{Messages::SaveFailed + "\rprojects.txt is not a plain file."});
    QCOMPARE(fixture.names(), QStringList({"A"}));
    QVERIFY(QDir().rmdir(fixture.projectsPath()));
    fixture.click("cmd_save");
    QCOMPARE(fixture.messages.texts.size(), 1);
    QCOMPARE(readFile(fixture.projectsPath()), CatalogueFormat::write(fixture.catalogue.Projects()));
}

void CommandsTest::commandsWithoutSaveLeaveTheFileUnchanged()
{
    QByteArray before;
    {
        WindowFixture fixture(projectsNamed({"A", "B", "C"}));
        before = readFile(fixture.projectsPath());
        fixture.type("text_name", "Renamed");
        fixture.click("cmd_add");
        fixture.click("cmd_up");
        fixture.click("cmd_down");
        fixture.click("cmd_delete");
        QCOMPARE(fixture.names(), QStringList({"Renamed", "B", "C"}));
        fixture.window->close();
        QCOMPARE(readFile(fixture.projectsPath()), before);
    }
    QCOMPARE(before, CatalogueFormat::write(projectsNamed({"A", "B", "C"})));
}

void CommandsTest::addRefusedAtTheLimit()
{
    QList<ProjectInfo> projects;
    for (int i = 0; i < Catalogue::MaxProjects; ++i)
        projects.append(project(QString::number(i)));
    QElapsedTimer timer;
    timer.start();
    WindowFixture fixture(projects);
    fixture.clickRow(0);
    fixture.type("text_name", "Renamed");
    fixture.click("cmd_add");
    QCOMPARE(fixture.messages.texts, QStringList{Messages::CatalogueFull});
    QCOMPARE(fixture.catalogue.Projects().size(), Catalogue::MaxProjects);
    QCOMPARE(fixture.list()->model()->rowCount(), Catalogue::MaxProjects);
    QCOMPARE(fixture.rows().first(), QStringLiteral("Renamed"));
    QCOMPARE(fixture.selectedRow(), 0);
    qInfo("start-up, rename and refused add at the limit: %lld ms", timer.elapsed());
}

void CommandsTest::buildPagesWritesThePages()
{
    WindowFixture fixture(projectsNamed({"A", "B"}));
    fixture.type("text_short", "Unsaved edit");
    fixture.click("cmd_all");
    QCOMPARE(fixture.messages.texts, QStringList{Messages::PagesBuilt + '\r' + fixture.folder()});
    for (const char *page : {"projects_index.htm", "projects_short.htm", "projects_long.htm"})
        QVERIFY2(QFileInfo(fixture.path(QLatin1String(page))).size() > 0, page);
    QVERIFY(readFile(fixture.path("projects_short.htm")).contains("Unsaved edit"));
}

void CommandsTest::buildPagesFailureIsReported()
{
    WindowFixture fixture(projectsNamed({"A"}));
    QVERIFY(QDir().mkdir(fixture.path("projects_index.htm")));
    fixture.click("cmd_all");
    QCOMPARE(fixture.messages.texts,
             QStringList{"Not possible to Create Web Pages\rCheck for write protection\r"
                         "projects_index.htm is not a plain file."});
    QVERIFY(!QFileInfo::exists(fixture.path("projects_long.htm")));
}

void CommandsTest::selectionBringsThePictureCountInStep()
{
    // "Old Station" of the demo has pictures 1, 2 and 4.
    QList<ProjectInfo> projects = {project("A"), project("Old Station")};
    WindowFixture fixture(projects);
    QDir().mkdir(fixture.path("Thumbs"));
    for (const char *file : {"Old Station_p1.gif", "Old Station_p2.gif", "Old Station_p4.gif"})
        QVERIFY(QFile::copy(QStringLiteral(CATALOGUE_SOURCE_DIR "/demo/Thumbs/") + file,
                            fixture.path(QStringLiteral("Thumbs/")) + file));
    fixture.clickRow(1);
    QCOMPARE(fixture.catalogue.at(1).Pics, qint16(4));
    QCOMPARE(fixture.catalogue.at(0).Pics, qint16(1));
    // Derived from the pictures, not an edit: closing asks nothing.
    QVERIFY(!fixture.window->isWindowModified());

    // Check Pictures reports the count the file holds, as --check does.
    QStringList checked;
    for (const CheckFinding &finding : CatalogueCheck::checkProjects(projects, fixture.path("Thumbs")))
        checked.append(CatalogueCheck::formatFinding(finding));
    QVERIFY(checked.join('\n').contains("stored picture count is 1"));
    chooseFromMenu(fixture.window.get(), {Qt::Key_F, Qt::Key_C});
    QCOMPARE(fixture.window->findChild<QPlainTextEdit *>("checkFindings")->toPlainText(), checked.join('\n'));
    QVERIFY(fixture.window->close());
    QVERIFY(fixture.messages.texts.isEmpty());
}

using Answer = MessageService::Answer;

void CommandsTest::closeWithUnsavedChanges_data()
{
    // Steps: a box typed into ("+" stores it with Tab, "=" types back what it showed and stores
    // that), or a button clicked.
    QTest::addColumn<QString>("edit");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("saveFails");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QString>("saved"); // the location in projects.txt afterwards
    QTest::newRow("no edit, no question") << "" << Answer::Cancel << false << true << "A place";
    QTest::newRow("save") << "+text_location" << Answer::Save << false << true << "Typed";
    QTest::newRow("discard") << "+text_location" << Answer::Discard << false << true << "A place";
    QTest::newRow("cancel") << "+text_location" << Answer::Cancel << false << false << "A place";
    QTest::newRow("save fails, the window stays") << "+text_location" << Answer::Save << true << false << "";
    QTest::newRow("typed, not yet stored, save") << "text_location" << Answer::Save << false << true << "Typed";
    QTest::newRow("Ctrl+Q, cancel") << "+text_location" << Answer::Cancel << false << false << "A place";
    // The content is what was saved again: nothing to ask.
    QTest::newRow("add then delete") << "cmd_add cmd_delete" << Answer::Cancel << false << true << "A place";
    QTest::newRow("down then up") << "cmd_down cmd_up" << Answer::Cancel << false << true << "A place";
    QTest::newRow("typed back") << "+text_location =text_location" << Answer::Cancel << false << true << "A place";
}

void CommandsTest::closeWithUnsavedChanges()
{
    QFETCH(QString, edit);
    QFETCH(Answer, answer);
    QFETCH(bool, saveFails);
    QFETCH(bool, closed);
    QFETCH(QString, saved);
    WindowFixture fixture(projectsNamed({"A", "B"}));
    fixture.messages.answer = answer;
    for (const QString &step : edit.split(' ', Qt::SkipEmptyParts)) {
        const QByteArray control = step.mid(step.startsWith('+') || step.startsWith('=')).toLatin1();
        if (step.startsWith("cmd_")) {
            fixture.click(control.constData());
            continue;
        }
        fixture.type(control.constData(), step.startsWith('=') ? QStringLiteral("A place") : QStringLiteral("Typed"));
        if (!step.startsWith("text_"))
            fixture.pressTab();
    }
    const bool asked = !(closed && answer == Answer::Cancel);
    QCOMPARE(fixture.window->isWindowModified(), asked && edit.startsWith('+'));
    if (saveFails) {
        QVERIFY(QFile::remove(fixture.projectsPath()));
        QVERIFY(QDir().mkdir(fixture.projectsPath()));
    }
    if (QString(QTest::currentDataTag()).startsWith("Ctrl+Q"))
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
    else
        fixture.window->close();
    QCOMPARE(fixture.window->isVisible(), !closed);
    QCOMPARE(fixture.messages.texts.value(0), asked ? Messages::UnsavedChanges : QString());
    QCOMPARE(fixture.messages.texts.size(), int(asked) + int(saveFails));
    if (!saved.isEmpty())
        QCOMPARE(CatalogueFormat::read(readFile(fixture.projectsPath())).projects.value(0).Location, saved);
}

void CommandsTest::undoAndRedoEachStep_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("command"); // a button, or a box whose new text Tab stores
    QTest::addColumn<QKeySequence>("redo"); // both keys, on every desktop
    QTest::addColumn<QString>("named"); // in the Undo and Redo items
    const QKeySequence ctrlY(Qt::CTRL | Qt::Key_Y), ctrlShiftZ(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    QTest::newRow("add") << 0 << "cmd_add" << ctrlY << "Add Project";
    QTest::newRow("delete the middle") << 1 << "cmd_delete" << ctrlShiftZ << "Delete Project";
    QTest::newRow("delete the last") << 2 << "cmd_delete" << ctrlY << "Delete Project";
    QTest::newRow("up") << 2 << "cmd_up" << ctrlShiftZ << "Move Up";
    QTest::newRow("down") << 0 << "cmd_down" << ctrlY << "Move Down";
    QTest::newRow("name") << 1 << "text_name" << ctrlY << "Typing in TIP or Project Name";
    QTest::newRow("long description") << 1 << "text_long" << ctrlShiftZ << "Typing in Long Description";
}

void CommandsTest::undoAndRedoEachStep()
{
    QFETCH(int, selected);
    QFETCH(QString, command);
    QFETCH(QKeySequence, redo);
    QFETCH(QString, named);
    WindowFixture fixture(projectsNamed({"A", "B", "C"}));
    const QByteArray original = readFile(fixture.projectsPath());
    const QList<ProjectInfo> before = fixture.catalogue.Projects();
    fixture.clickRow(selected);
    if (command.startsWith("text_")) {
        fixture.type(command.toLatin1().constData(), "Typed");
        fixture.pressTab();
    } else {
        fixture.click(command.toLatin1().constData());
    }
    const QList<ProjectInfo> after = fixture.catalogue.Projects();
    const int selectedAfter = fixture.selectedRow();
    QVERIFY(after != before);
    QVERIFY(fixture.window->isWindowModified());
    QCOMPARE(fixture.window->findChild<QAction *>("actionUndo")->text(), "&Undo " + named);
    QTest::keySequence(QApplication::focusWidget(), QKeySequence::Save);
    QCOMPARE(readFile(fixture.projectsPath()), CatalogueFormat::write(after));
    QVERIFY(!fixture.window->isWindowModified());

    // Undone wherever the focus is, a box with nothing typed in it included.
    QTest::keySequence(QApplication::focusWidget(), QKeySequence::Undo);
    QCOMPARE(fixture.catalogue.Projects(), before);
    QCOMPARE(fixture.rows(), QStringList({"A", "B", "C"}));
    QCOMPARE(fixture.selectedRow(), selected);
    QCOMPARE(fixture.line("text_name")->text(), before.at(selected).Name);
    QCOMPARE(fixture.longText()->toPlainText(), before.at(selected).LongDesc);
    QVERIFY(fixture.window->isWindowModified());
    QCOMPARE(fixture.window->findChild<QAction *>("actionRedo")->text(), "&Redo " + named);
    QTest::keyClick(fixture.window.get(), redo[0].key(), redo[0].keyboardModifiers());
    QCOMPARE(fixture.catalogue.Projects(), after);
    QCOMPARE(fixture.selectedRow(), selectedAfter);
    QVERIFY(!fixture.window->isWindowModified());
    QTest::keySequence(QApplication::focusWidget(), QKeySequence::Undo);
    fixture.click("cmd_save");
    QCOMPARE(readFile(fixture.projectsPath()), original);
    QVERIFY(fixture.messages.texts.isEmpty());
}

void CommandsTest::undoHistoryKeepsItsBudget_data()
{
    QTest::addColumn<int>("edits");
    QTest::addColumn<int>("characters");
    QTest::addColumn<bool>("dropsSteps");
    QTest::newRow("200 edits of a 1 MB description") << 200 << (1 << 20) << true;
    QTest::newRow("2000 short edits, all kept") << 2000 << 100 << false;
}

void CommandsTest::undoHistoryKeepsItsBudget()
{
    QFETCH(int, edits);
    QFETCH(int, characters);
    QFETCH(bool, dropsSteps);
    const auto text = [&](int i) { return QString(characters, QChar(u'a' + i % 26)) + QString::number(i); };
    QTemporaryDir folder;
    CatalogueDocument document(folder.path());
    document.catalogue().assign({ProjectInfo{"A", {}, {}, text(0), 0}});
    QVERIFY(document.save().saved());
    StepHistory history;
    for (int i = 1; i <= edits; ++i) {
        QVERIFY(history.pushStep(
            new CatalogueStep(document, CatalogueEdit::setField(0, Field::LongDesc, text(i - 1), text(i)), 0, 0, {})));
        QCOMPARE_LE(history.heldBytes(), StepHistory::Budget);
    }
    // Each step holds a text of its own.
    QCOMPARE_LE(qint64(history.count()) * 2 * characters, StepHistory::Budget);
    QCOMPARE(history.count() < edits, dropsSteps);
    QVERIFY(history.count() > 0);
    QCOMPARE(history.undoText(), QStringLiteral("Typing in Long Description"));
    // The newest steps undo exactly, each back to the text before it; the oldest are gone.
    for (int i = edits; i > edits - history.count(); --i) {
        history.undo();
        QCOMPARE(document.catalogue().Projects().first().LongDesc, text(i - 1));
    }
    QVERIFY(!history.canUndo());
    QCOMPARE(document.isModified(), dropsSteps);
    history.redo();
    QCOMPARE(document.catalogue().Projects().first().LongDesc, text(edits - history.count() + 1));
}

void CommandsTest::openFolderAndOpenRecent()
{
    WindowFixture fixture(projectsNamed({"A", "B"}));
    const QByteArray before = readFile(fixture.projectsPath());
    QTemporaryDir other, empty;
    writeFile(other.filePath("projects.txt"), CatalogueFormat::write(projectsNamed({"X", "Y", "Z"})));
    fixture.folders.answers = {QString(), other.path(), empty.path()};

    // The edit typed before Ctrl+O is stored and asked about; Cancel there asks for no folder.
    fixture.type("text_short", "Pending");
    QTest::keyClick(fixture.line("text_short"), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(fixture.messages.texts, QStringList{Messages::UnsavedChanges});
    QCOMPARE(fixture.folders.answers.size(), 3);
    QCOMPARE(fixture.catalogue.at(0).ShortDesc, QStringLiteral("Pending"));

    // Discarded, then the folder dialog cancelled: the catalogue stays, edit and all.
    fixture.messages.answer = MessageService::Answer::Discard;
    QTest::keyClick(fixture.line("text_short"), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(fixture.names(), QStringList({"A", "B"}));
    QVERIFY(fixture.window->isWindowModified());

    fixture.messages.texts.clear();
    QTest::keyClick(fixture.line("text_short"), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(fixture.rows(), QStringList({"X", "Y", "Z"}));
    QVERIFY(!fixture.window->isWindowModified());
    QCOMPARE(fixture.line("text_short")->text(), QStringLiteral("X short"));
    QCOMPARE(QDir::currentPath(), QDir(other.path()).absolutePath());
    QVERIFY(fixture.window->windowTitle().startsWith(QFileInfo(other.path()).fileName() + "[*] "));
    QCOMPARE(readFile(fixture.projectsPath()), before);
    QCOMPARE(fixture.messages.texts, QStringList{Messages::UnsavedChanges});
    fixture.messages.texts.clear();

    // A folder without a catalogue takes the first-run path there, naming it.
    QTest::keyClick(fixture.list(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(fixture.messages.texts, QStringList{Messages::Creating + '\r' + QDir::toNativeSeparators(empty.path())});
    QCOMPARE(readFile(empty.filePath("projects.txt")).size(), 110);
    QCOMPARE(fixture.rows(), QStringList{"New"});

    // Open Recent, newest first: the second is the folder before.
    chooseFromMenu(fixture.window.get(), {Qt::Key_F, Qt::Key_R, Qt::Key_2});
    QCOMPARE(fixture.rows(), QStringList({"X", "Y", "Z"}));
    auto *recent = fixture.window->findChild<QMenu *>("menuOpenRecent");
    QVERIFY(QDir(empty.path()).removeRecursively());
    chooseFromMenu(fixture.window.get(), {Qt::Key_F, Qt::Key_R});
    QCOMPARE(recent->actions().size(), 2);
    QVERIFY(recent->actions().at(0)->isEnabled());
    QVERIFY2(!recent->actions().at(1)->isEnabled(), "a folder that is gone can still be chosen");
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
}

void CommandsTest::menuLaunchOpensTheLastFolder_data()
{
    QTest::addColumn<QByteArray>("name"); // of the catalogue folder opened before
    QTest::addColumn<bool>("locked"); // mode 000 by the time of the launch
    QTest::addColumn<QString>("title"); // of the window opened on it

    QTest::newRow("name from an older disk")
        << QByteArray("caf\xe9") << false << "caf\\xe9[*] \u2014 Project Management";
    QTest::newRow("controls in the name") << QByteArray("a\x1b]0;t\a\n\xe2\x80\xae"
                                                        "b")
                                          << false << "a\\x1b]0;t\\x07\\x0a\\u202eb[*] \u2014 Project Management";
    QTest::newRow("cannot be entered") << QByteArray("locked") << true << "locked[*] \u2014 Project Management";
}

void CommandsTest::menuLaunchOpensTheLastFolder()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, locked);
    QFETCH(QString, title);
    WindowFixture fixture(projectsNamed({"A"}));
    QTemporaryDir root;
    writeFile(root.filePath("site/projects.txt"), CatalogueFormat::write(projectsNamed({"X", "Y"})));
    const QByteArray folder = QFile::encodeName(root.path()) + '/' + name;
    QVERIFY(::rename(QFile::encodeName(root.filePath("site")).constData(), folder.constData()) == 0);

    // Opened once, saved there, and remembered.
    QVERIFY(fixture.window->openFolder(folder));
    QCOMPARE(fixture.rows(), QStringList({"X", "Y"}));
    QCOMPARE(fixture.window->windowTitle(), title);
    fixture.type("text_short", "Saved");
    fixture.click("cmd_save");
    QCOMPARE(fixture.messages.texts, QStringList());
    QVERIFY(QDir::setCurrent(root.path()));

    // Root enters any folder: the launch is judged as "nobody", by this thread's file-system user.
    RecordingMessages messages;
    ScriptedFolders folders;
    folders.answers = {QString()};
    const uid_t nobody = getpwnam("nobody")->pw_uid;
    if (locked) {
        QVERIFY(::chmod(folder.constData(), 0) == 0);
        const QString settings = QSettings().fileName();
        for (const QString &open : {root.path(), m_settings.path(), QFileInfo(settings).path(), settings})
            QVERIFY(QFile::setPermissions(open,
                                          QFile::permissions(open) | QFile::ReadGroup | QFile::ExeGroup
                                              | QFile::ReadOther | QFile::ExeOther));
        ::setfsuid(nobody);
    }
    const bool entered = LastFolder::enter(messages, folders);
    if (locked) {
        ::setfsuid(::geteuid());
        QVERIFY(::chmod(folder.constData(), 0700) == 0);
    }
    QCOMPARE(entered, !locked);
    if (locked) {
        QCOMPARE(messages.texts,
                 QStringList{"Not possible to open " + QFile::decodeName(folder)
                             + "\rPermission denied. Choose another folder."});
        QVERIFY2(folders.answers.isEmpty(), "no other folder was asked for");
    } else {
        QCOMPARE(WorkingFolder::current(), folder);
        QCOMPARE(messages.texts, QStringList());
        QVERIFY(readFile("projects.txt").contains("Saved"));
    }
    // A name Qt cannot give back is not removed with the rest.
    QVERIFY(::rename(folder.constData(), QFile::encodeName(root.filePath("site")).constData()) == 0);
}

void CommandsTest::menuCommandsOnTheDemo()
{
    WindowFixture fixture(readFile(QStringLiteral(CATALOGUE_SOURCE_DIR "/demo/projects.txt")));
    QVERIFY(QDir().mkdir(fixture.path("Thumbs")));
    const QDir demo(QStringLiteral(CATALOGUE_SOURCE_DIR "/demo/Thumbs"));
    for (const QString &file : demo.entryList(QDir::Files))
        QVERIFY(QFile::copy(demo.filePath(file), fixture.path("Thumbs/" + file)));

    // Build Pages from the menu works on the edit typed, as the button does.
    fixture.type("text_short", "Unsaved edit");
    chooseFromMenu(fixture.window.get(), {Qt::Key_F, Qt::Key_B});
    QCOMPARE(fixture.messages.texts, QStringList{Messages::PagesBuilt + '\r' + fixture.folder()});
    QVERIFY(readFile(fixture.path("projects_short.htm")).contains("Unsaved edit"));

    // Undo from the Edit menu, Save All from the File menu, each by its letters.
    const QStringList rows = fixture.rows();
    fixture.click("cmd_add");
    chooseFromMenu(fixture.window.get(), {Qt::Key_E, Qt::Key_U});
    QCOMPARE(fixture.rows(), rows);
    chooseFromMenu(fixture.window.get(), {Qt::Key_F, Qt::Key_S});
    QVERIFY(!fixture.window->isWindowModified());
    QVERIFY(readFile(fixture.projectsPath()).contains("Unsaved edit"));

    // What --check prints for the demo, line for line.
    chooseFromMenu(fixture.window.get(), {Qt::Key_F, Qt::Key_C});
    auto *findings = fixture.window->findChild<QPlainTextEdit *>("checkFindings");
    QVERIFY(findings && findings->isVisible());
    const QStringList lines = findings->toPlainText().split('\n');
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.first(),
             "projects.txt:4: Old Station: picture 3 is missing (Old Station_p3.gif): the long page "
             "will show a broken image");
    QVERIFY(findings->textInteractionFlags() & Qt::TextSelectableByKeyboard);

    chooseFromMenu(fixture.window.get(), {Qt::Key_H, Qt::Key_A});
    QVERIFY(fixture.messages.texts.last().startsWith("Project Catalogue 1.")
            && fixture.messages.texts.last().contains("MIT"));

    WindowFixture nothing(projectsNamed({}));
    chooseFromMenu(nothing.window.get(), {Qt::Key_F, Qt::Key_C});
    QVERIFY(nothing.window->findChild<QPlainTextEdit *>("checkFindings")->toPlainText().startsWith("Nothing found"));
}

QTEST_MAIN(CommandsTest)
#include "tst_commands.moc"
