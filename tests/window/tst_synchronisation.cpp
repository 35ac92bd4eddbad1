#include "windowfixture.h"

#include "projectlist.h"
#include "projectlistmodel.h"
#include "messages.h"
#include "spacetrim.h"

#include <QElapsedTimer>
#include <QTextBlock>
#include <QTextLayout>

#include <malloc.h>

class SynchronisationTest : public QObject
{
    Q_OBJECT

private slots:
    void startUp_data();
    void startUp();
    void trimRemovesOnlySpaces_data();
    void trimRemovesOnlySpaces();
    void nameStoredOnTabRebuildsAndReselects();
    void nameEditThenClickStoresIntoTheEditedProject_data();
    void nameEditThenClickStoresIntoTheEditedProject();
    void otherFieldsStoredTrimmedWhileTheBoxKeepsItsText();
    void longDescriptionLineBreaks_data();
    void longDescriptionLineBreaks();
    void untouchedLongDescriptionKeepsItsLineBreaks();
    void longTextsShownAndStoredWhole_data();
    void longTextsShownAndStoredWhole();
    void leavingTheNameUnchangedStillRefreshes();
    void duplicateNamesAreTellApartByRow();
    void keyboardSelectionShowsTheProject();
    void nothingSelectedStoresNothing();
    void listWithoutSelectionKeepsNoneWhenFocused();
};

void SynchronisationTest::startUp_data()
{
    QTest::addColumn<bool>("hasFile");
    QTest::addColumn<QList<ProjectInfo>>("projects");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("location");
    QTest::newRow("first run") << false << QList<ProjectInfo>() << QStringList{Messages::Creating} << QStringList{"New"}
                               << 0 << "New";
    QTest::newRow("empty file") << true << QList<ProjectInfo>() << QStringList() << QStringList() << -1 << "";
    QTest::newRow("three projects") << true << projectsNamed({"A", "B", "C"}) << QStringList()
                                    << QStringList{"A", "B", "C"} << 0 << "A place";
}

void SynchronisationTest::startUp()
{
    QFETCH(bool, hasFile);
    QFETCH(QList<ProjectInfo>, projects);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, rows);
    QFETCH(int, selected);
    QFETCH(QString, location);
    WindowFixture fixture(hasFile ? std::optional(projects) : std::nullopt);
    // The first run names the folder below its fixed sentence.
    if (!hasFile)
        messages.last() += '\r' + fixture.folder();
    QCOMPARE(fixture.messages.texts, messages);
    QCOMPARE(fixture.rows(), rows);
    QCOMPARE(fixture.selectedRow(), selected);
    QCOMPARE(fixture.line("text_location")->text(), location);
    QCOMPARE(QApplication::focusWidget(), fixture.list());
    if (!hasFile) {
        QCOMPARE(FirstRunFile.size(), 110);
        QCOMPARE(readFile(fixture.projectsPath()), FirstRunFile);
        QCOMPARE(fixture.longText()->toPlainText(), QStringLiteral("New"));
    }
}

void SynchronisationTest::trimRemovesOnlySpaces_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("spaces both ends") << "  Bridge  "
                                      << "Bridge";
    QTest::newRow("inner spaces kept") << " Old  Mill "
                                       << "Old  Mill";
    QTest::newRow("spaces only") << "   "
                                 << "";
    QTest::newRow("tabs and line breaks kept") << " \tA\r\n "
                                               << "\tA\r\n";
    QTest::newRow("no-break space kept") << QString(QChar(0xA0)) + "A " << QString(QChar(0xA0)) + "A";
    QTest::newRow("empty") << ""
                           << "";
}

void SynchronisationTest::trimRemovesOnlySpaces()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QCOMPARE(trimSpaces(typed), stored);
}

void SynchronisationTest::nameStoredOnTabRebuildsAndReselects()
{
    WindowFixture fixture(projectsNamed({"A", "B", "C"}));
    fixture.clickRow(1);
    fixture.type("text_name", "  Bridge  ");
    fixture.pressTab();
    QCOMPARE(fixture.names(), QStringList({"A", "Bridge", "C"}));
    QCOMPARE(fixture.rows(), QStringList({"A", "Bridge", "C"}));
    QCOMPARE(fixture.selectedRow(), 1);
    QCOMPARE(fixture.line("text_name")->text(), QStringLiteral("Bridge"));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("text_location"));
}

void SynchronisationTest::nameEditThenClickStoresIntoTheEditedProject_data()
{
    QTest::addColumn<int>("clicked");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("another row") << 2 << QStringList{"Edited", "B", "C"};
    QTest::newRow("the same row") << 0 << QStringList{"Edited", "B", "C"};
}

void SynchronisationTest::nameEditThenClickStoresIntoTheEditedProject()
{
    QFETCH(int, clicked);
    QFETCH(QStringList, names);
    WindowFixture fixture(projectsNamed({"A", "B", "C"}));
    fixture.type("text_name", " Edited");
    fixture.clickRow(clicked);
    QCOMPARE(fixture.names(), names);
    QCOMPARE(fixture.rows(), names);
    QCOMPARE(fixture.selectedRow(), clicked);
    QCOMPARE(fixture.line("text_name")->text(), names.at(clicked));
    QCOMPARE(fixture.line("text_location")->text(), fixture.catalogue.at(clicked).Location);
}

void SynchronisationTest::otherFieldsStoredTrimmedWhileTheBoxKeepsItsText()
{
    WindowFixture fixture(projectsNamed({"A", "B"}));
    fixture.type("text_location", "  Quay  ");
    fixture.pressTab();
    fixture.type("text_short", " Short ");
    fixture.click("cmd_save");
    QCOMPARE(fixture.catalogue.at(0).Location, QStringLiteral("Quay"));
    QCOMPARE(fixture.catalogue.at(0).ShortDesc, QStringLiteral("Short"));
    QCOMPARE(fixture.line("text_location")->text(), QStringLiteral("  Quay  "));
    QCOMPARE(fixture.rows(), QStringList({"A", "B"}));
    // The stored edits are what Save All wrote.
    QCOMPARE(readFile(fixture.projectsPath()), CatalogueFormat::write(fixture.catalogue.Projects()));
    fixture.clickRow(1);
    fixture.clickRow(0);
    QCOMPARE(fixture.line("text_location")->text(), QStringLiteral("Quay"));
}

void SynchronisationTest::longDescriptionLineBreaks_data()
{
    QTest::addColumn<QStringList>("lines"); // typed with Enter between them
    QTest::addColumn<QString>("stored");
    QTest::newRow("two lines") << QStringList{"First", "Second"} << "First\r\nSecond";
    QTest::newRow("ends with a break") << QStringList{"Text", ""} << "Text\r\n";
    QTest::newRow("three spaces") << QStringList{"   "} << "";
    QTest::newRow("spaces around lines") << QStringList{"  a", "b  "} << "a\r\nb";
    QTest::newRow("no-break spaces") << QStringList{"10\u00A0km", "\u00A0"} << "10\u00A0km\r\n\u00A0";
}

void SynchronisationTest::longDescriptionLineBreaks()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, stored);
    WindowFixture fixture(projectsNamed({"A", "B"}));
    fixture.type("text_long", lines.first());
    for (const QString &line : lines.mid(1)) {
        QTest::keyClick(fixture.longText(), Qt::Key_Return);
        QTest::keyClicks(fixture.longText(), line);
    }
    fixture.click("cmd_save");
    QCOMPARE(CatalogueFormat::read(readFile(fixture.projectsPath())).projects.at(0).LongDesc, stored);
    fixture.clickRow(1);
    fixture.clickRow(0);
    QString shown = stored;
    QCOMPARE(fixture.longText()->document()->toRawText(), shown.replace(QStringLiteral("\r\n"), QChar(0x2029)));
}

void SynchronisationTest::untouchedLongDescriptionKeepsItsLineBreaks()
{
    QList<ProjectInfo> projects = projectsNamed({"A"});
    projects[0].LongDesc = QStringLiteral("lone\nfeed and\r\npair\u00A0km");
    WindowFixture fixture(projects);
    fixture.click("text_long");
    fixture.pressTab();
    QCOMPARE(fixture.catalogue.at(0).LongDesc, projects[0].LongDesc);
    // Edited, its line breaks become CR LF, one typed with Shift too, and every other character stays.
    fixture.click("text_long");
    QTest::keyClick(fixture.longText(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(fixture.longText(), Qt::Key_Return, Qt::ShiftModifier);
    fixture.click("cmd_save");
    QCOMPARE(fixture.catalogue.at(0).LongDesc, QStringLiteral("lone\r\nfeed and\r\npair\u00A0km\r\n"));
}

namespace {

QString words(qsizetype length)
{
    QString text;
    while (text.size() < length)
        text += QStringLiteral("harbour bridge ");
    text.truncate(length);
    text[length - 1] = QLatin1Char('e');
    return text;
}

QString unbroken(qsizetype length)
{
    QString text(length, Qt::Uninitialized);
    for (qsizetype i = 0; i < length; ++i)
        text[i] = QLatin1Char(char('a' + i % 26));
    return text;
}

const QString Intro = QStringLiteral("Survey notes: ");

// This process's resident size (VmRSS), or its peak (VmHWM) since "5" was written to clear_refs.
double residentMegabytes(const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    const QByteArray text = status.open(QIODevice::ReadOnly) ? status.readAll() : QByteArray();
    return text.mid(text.indexOf(field + ':') + field.size() + 1, 30).simplified().split(' ').first().toDouble() / 1024;
}

int firstLineLength(QPlainTextEdit *box)
{
    return box->document()->firstBlock().layout()->lineAt(0).textLength();
}

} // namespace

void SynchronisationTest::longTextsShownAndStoredWhole_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("longDesc");
    QTest::addColumn<bool>("brokenAnywhere"); // the first line runs on into the unbroken stretch
    QTest::newRow("megabyte name, one unbroken megabyte line") << words(1 << 20) << Intro + unbroken(1 << 20) << true;
    QTest::newRow("megabyte of words") << QStringLiteral("Pier") << words(1 << 20) << false;
    // Counted from one break opportunity to the next, the space after the stretch included.
    QTest::newRow("1001 between two breaks")
        << QStringLiteral("Pier") << Intro + unbroken(1000) + QStringLiteral(" end") << true;
    QTest::newRow("1000 between two breaks")
        << QStringLiteral("Pier") << Intro + unbroken(999) + QStringLiteral(" end") << false;
}

void SynchronisationTest::longTextsShownAndStoredWhole()
{
    QFETCH(QString, name);
    QFETCH(QString, longDesc);
    QFETCH(bool, brokenAnywhere);
    QList<ProjectInfo> projects = projectsNamed({"Quay"});
    projects[0].LongDesc = words(3000);
    projects.append({name, name, name, longDesc, 1});
    WindowFixture fixture(projects);
    QPlainTextEdit *longBox = fixture.longText();
    const int wordsPerLine = firstLineLength(longBox);
    QVERIFY(wordsPerLine > 20);

    QElapsedTimer timer;
    timer.start();
    fixture.clickRow(1);
    QCoreApplication::processEvents();
    // Half a minute for the megabyte line before; a second or so now, even in a sanitized build.
    QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(fixture.line("text_name")->text(), name);
    QCOMPARE(fixture.line("text_short")->text(), name);
    QCOMPARE(longBox->toPlainText(), longDesc);
    if (brokenAnywhere)
        QVERIFY(firstLineLength(longBox) > Intro.size());
    else
        QCOMPARE(firstLineLength(longBox), longDesc.startsWith(Intro) ? Intro.size() : wordsPerLine);
    // The row shows what fits and an ellipsis; a screen reader still gets the whole name.
    const QModelIndex row = fixture.list()->model()->index(1, 0);
    QCOMPARE(row.data().toString(), name.size() > 1000 ? name.left(1000) + QChar(0x2026) : name);
    QCOMPARE(row.data(Qt::AccessibleTextRole).toString(), name);

    // A megabyte name is drawn from the stretch shown, not measured whole at each paint (some 30
    // MB each time); a click lands on the character drawn there, at either end of the name.
    QLineEdit *nameBox = fixture.line("text_name");
    nameBox->setFocus();
    for (const Qt::Key end : {Qt::Key_Home, Qt::Key_End}) {
        if (name.size() < 100000)
            break;
        QTest::keyClick(nameBox, end);
        // Memory freed before and kept by the allocator would hide what the paint takes.
        malloc_trim(0);
        const double before = residentMegabytes("VmRSS");
        QFile peak(QStringLiteral("/proc/self/clear_refs"));
        QVERIFY(peak.open(QIODevice::WriteOnly) && peak.write("5") == 1 && peak.flush());
        nameBox->repaint();
        QCOMPARE_LE(residentMegabytes("VmHWM") - before, 8.0);
        const QPoint at(nameBox->width() / 3, nameBox->height() / 2);
        QTest::mouseClick(nameBox, Qt::LeftButton, {}, at);
        QVERIFY(end == Qt::Key_Home ? nameBox->cursorPosition() < 100 : nameBox->cursorPosition() > name.size() - 100);
        const QRect cursor = nameBox->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        QVERIFY2(std::abs(cursor.x() - at.x()) <= nameBox->fontMetrics().averageCharWidth(),
                 qPrintable(QString::number(cursor.x())));
    }

    // Through every box and out again: each stores exactly the text it was given.
    fixture.click("text_name");
    for (int i = 0; i < 4; ++i)
        fixture.pressTab();
    QCOMPARE(fixture.catalogue.Projects(), projects);

    // The next project is wrapped at word boundaries and drawn in the box's own font again.
    fixture.clickRow(0);
    QCOMPARE(firstLineLength(longBox), wordsPerLine);
    for (const char *box : {"text_name", "text_location", "text_short", "text_long"})
        QCOMPARE(fixture.find(box)->font(), QApplication::font(fixture.find(box)));
}

void SynchronisationTest::leavingTheNameUnchangedStillRefreshes()
{
    WindowFixture fixture(projectsNamed({"A"}));
    fixture.type("text_location", "  Quay  ");
    fixture.click("text_name");
    QCOMPARE(fixture.line("text_location")->text(), QStringLiteral("  Quay  "));
    fixture.click("text_short");
    // The rebuild reselected the row, and the selection reloaded every box from the record.
    QCOMPARE(fixture.line("text_location")->text(), QStringLiteral("Quay"));
    QCOMPARE(fixture.names(), QStringList({"A"}));
}

void SynchronisationTest::duplicateNamesAreTellApartByRow()
{
    QList<ProjectInfo> projects = {project("Twin", "North"), project("Twin", "South")};
    WindowFixture fixture(projects);
    QCOMPARE(fixture.rows(), QStringList({"Twin", "Twin"}));
    fixture.clickRow(1);
    QCOMPARE(fixture.line("text_location")->text(), QStringLiteral("South"));
    fixture.clickRow(0);
    QCOMPARE(fixture.line("text_location")->text(), QStringLiteral("North"));
}

void SynchronisationTest::keyboardSelectionShowsTheProject()
{
    WindowFixture fixture(projectsNamed({"A", "B", "C"}));
    QTest::keyClick(fixture.list(), Qt::Key_Down);
    QCOMPARE(fixture.selectedRow(), 1);
    QCOMPARE(fixture.line("text_name")->text(), QStringLiteral("B"));
    QTest::keyClick(fixture.list(), Qt::Key_End);
    QCOMPARE(fixture.line("text_short")->text(), QStringLiteral("C short"));
    // Ctrl+Space and Ctrl+click toggle rows in item views; here the current project stays selected.
    QTest::keyClick(fixture.list(), Qt::Key_Space, Qt::ControlModifier);
    QTest::mouseClick(fixture.list()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      fixture.list()->visualRect(fixture.list()->model()->index(2, 0)).center());
    QCOMPARE(fixture.selectedRow(), 2);
}

void SynchronisationTest::nothingSelectedStoresNothing()
{
    WindowFixture fixture(projectsNamed({"Only"}));
    fixture.click("cmd_delete");
    QCOMPARE(fixture.selectedRow(), -1);
    QCOMPARE(fixture.line("text_name")->text(), QStringLiteral("Only"));
    fixture.type("text_name", "Typed");
    fixture.pressTab();
    fixture.type("text_long", "Typed");
    fixture.clickRow(0);
    fixture.click("text_short");
    QVERIFY(fixture.catalogue.Projects().isEmpty());
    QVERIFY(fixture.rows().isEmpty());
    QCOMPARE(fixture.line("text_name")->text(), QStringLiteral("Typed"));
    QVERIFY(fixture.messages.texts.isEmpty());
}

void SynchronisationTest::listWithoutSelectionKeepsNoneWhenFocused()
{
    Catalogue catalogue;
    catalogue.assign(projectsNamed({"A", "B"}));
    QWidget host;
    auto *before = new QLineEdit(&host);
    auto *list = new ProjectList(&host);
    ProjectListModel model(catalogue);
    model.rebuild();
    list->setModel(&model);
    host.show();
    host.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&host));
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), list);
    QVERIFY(!list->currentIndex().isValid());
    QTest::keyClick(list, Qt::Key_Space);
    QCOMPARE(list->selectedRow(), -1);
    // The rows stay as they were until the next rebuild, whatever the catalogue does meanwhile.
    catalogue.DeleteProject(0);
    QCOMPARE(model.rowCount(), 2);
    model.rebuild();
    QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("B"));
}

QTEST_MAIN(SynchronisationTest)
#include "tst_synchronisation.moc"
