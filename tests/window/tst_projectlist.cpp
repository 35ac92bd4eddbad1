#include "windowfixture.h"

#include "projectlist.h"
#include "projectlistmodel.h"

#include <QAccessible>
#include <QListView>
#include <QVBoxLayout>

// The project list keeps the looks and keys of a plain list, at any size of the catalogue.
class ProjectListTest : public QObject
{
    Q_OBJECT

private slots:
    void keysMoveLikeAList_data();
    void keysMoveLikeAList();
    void tabLeavesTheList();
    void rowsAsHighAsAListViewMakesThem();
    void fullCatalogueRebuildKeepsTheSelectedRowInView();
    void rowsPastTheCatalogueShowNothingUntilTheRebuild();
};

namespace {

QList<ProjectInfo> numbered(int count)
{
    QList<ProjectInfo> projects;
    projects.reserve(count);
    for (int i = 0; i < count; ++i)
        projects.append(project(QStringLiteral("P%1").arg(i)));
    return projects;
}

} // namespace

void ProjectListTest::keysMoveLikeAList_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("to");
    QTest::newRow("down") << 3 << int(Qt::Key_Down) << 0 << 4;
    QTest::newRow("up") << 3 << int(Qt::Key_Up) << 0 << 2;
    QTest::newRow("up at the top") << 0 << int(Qt::Key_Up) << 0 << 0;
    QTest::newRow("home goes to the first row") << 30 << int(Qt::Key_Home) << 0 << 0;
    QTest::newRow("end goes to the last row") << 3 << int(Qt::Key_End) << 0 << 39;
    QTest::newRow("ctrl+end too") << 3 << int(Qt::Key_End) << int(Qt::ControlModifier) << 39;
    QTest::newRow("left stays") << 3 << int(Qt::Key_Left) << 0 << 3;
    QTest::newRow("right stays") << 3 << int(Qt::Key_Right) << 0 << 3;
    QTest::newRow("page down moves on") << 0 << int(Qt::Key_PageDown) << 0 << -2;
}

void ProjectListTest::keysMoveLikeAList()
{
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, to);
    WindowFixture fixture(numbered(40));
    fixture.list()->setFocus();
    for (int i = 0; i < from; ++i)
        QTest::keyClick(fixture.list(), Qt::Key_Down);
    QCOMPARE(fixture.selectedRow(), from);
    QTest::keyClick(fixture.list(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    if (to == -2) {
        QVERIFY2(fixture.selectedRow() > from + 1, "a page is more than one row");
        QVERIFY(fixture.selectedRow() < 39);
    } else {
        QCOMPARE(fixture.selectedRow(), to);
    }
    // The project follows the row, however the row was reached.
    const QString name = fixture.catalogue.at(qint16(fixture.selectedRow())).Name;
    QCOMPARE(fixture.line("text_name")->text(), name);

    // A screen reader hears the entry the keys moved to, in a list of 40.
    QAccessibleInterface *announced = QAccessible::queryAccessibleInterface(fixture.list());
    QCOMPARE(announced->childCount(), 40);
    QAccessibleInterface *entry = announced->focusChild();
    QVERIFY(entry);
    QCOMPARE(entry->text(QAccessible::Name), name);
    QVERIFY(entry->state().selected);
    QVERIFY(entry->state().focused);
}

void ProjectListTest::tabLeavesTheList()
{
    WindowFixture fixture(numbered(5));
    fixture.list()->setFocus();
    QTest::keyClick(fixture.list(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), fixture.line("text_name"));
    QCOMPARE(fixture.selectedRow(), 0);
}

void ProjectListTest::rowsAsHighAsAListViewMakesThem()
{
    Catalogue catalogue;
    catalogue.assign(projectsNamed({"Harbour Bridge", "Mill Lane School", "Café Lumière"}));
    ProjectListModel model(catalogue);
    model.rebuild();
    QWidget host;
    auto *layout = new QVBoxLayout(&host);
    auto *list = new ProjectList(&host);
    auto *plain = new QListView(&host);
    layout->addWidget(list);
    layout->addWidget(plain);
    list->setModel(&model);
    plain->setModel(&model);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    for (int row = 0; row < 3; ++row) {
        const QRect rect = list->visualRect(model.index(row, 0));
        const QRect expected = plain->visualRect(model.index(row, 0));
        QCOMPARE(rect.top(), expected.top());
        QCOMPARE(rect.height(), expected.height());
        QCOMPARE(rect.width(), list->viewport()->width());
    }
}

void ProjectListTest::fullCatalogueRebuildKeepsTheSelectedRowInView()
{
    WindowFixture fixture(numbered(Catalogue::MaxProjects));
    QAbstractItemView *list = fixture.list();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_End);
    const int last = Catalogue::MaxProjects - 1;
    QCOMPARE(fixture.selectedRow(), last);
    fixture.type("text_name", QStringLiteral("  Renamed last  "));
    fixture.pressTab();
    QCOMPARE(fixture.catalogue.at(qint16(last)).Name, QStringLiteral("Renamed last"));
    QCOMPARE(fixture.selectedRow(), last);
    QCOMPARE(list->model()->rowCount(), Catalogue::MaxProjects);
    QCOMPARE(list->model()->index(last, 0).data().toString(), QStringLiteral("Renamed last"));
    QVERIFY(list->viewport()->rect().contains(list->visualRect(list->model()->index(last, 0))));
    QCOMPARE(list->indexAt(list->visualRect(list->model()->index(last, 0)).center()).row(), last);
    QAccessibleInterface *announced = QAccessible::queryAccessibleInterface(list);
    QCOMPARE(announced->childCount(), Catalogue::MaxProjects);
    QAccessibleInterface *entry = announced->focusChild();
    QCOMPARE(entry->text(QAccessible::Name), QStringLiteral("Renamed last"));
    QCOMPARE(announced->indexOfChild(entry), last);
    const QPoint onScreen = list->viewport()->mapToGlobal(list->visualRect(list->model()->index(last, 0)).center());
    QCOMPARE(announced->childAt(onScreen.x(), onScreen.y()), entry);
    QVERIFY(!entry->state().offscreen);
    QVERIFY(announced->child(0)->state().offscreen);
}

void ProjectListTest::rowsPastTheCatalogueShowNothingUntilTheRebuild()
{
    Catalogue catalogue;
    catalogue.assign(projectsNamed({"A", "B", "C"}));
    ProjectListModel model(catalogue);
    model.rebuild();
    catalogue.DeleteProject(2);
    catalogue.DeleteProject(1);
    QCOMPARE(model.rowCount(), 3);
    QVERIFY(!model.index(2, 0).data().isValid());
    QVERIFY(!model.index(3, 0).isValid());
    QVERIFY(!model.index(0, 1).isValid());
    model.rebuild();
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("A"));
}

QTEST_MAIN(ProjectListTest)
#include "tst_projectlist.moc"
