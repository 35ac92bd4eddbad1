#include "catalogue.h"
#include "sampleprojects.h"

#include <QTest>

namespace {

Catalogue catalogueOf(const QStringList &names)
{
    Catalogue c;
    QList<ProjectInfo> projects;
    qint16 pics = 2;
    for (const QString &name : names)
        projects.append(project(name, {}, pics++));
    c.assign(projects);
    return c;
}

QStringList namesOf(const Catalogue &c)
{
    QStringList names;
    for (const ProjectInfo &p : c.Projects())
        names.append(p.Name);
    return names;
}

ProjectInfo added()
{
    ProjectInfo p;
    p.Name = QStringLiteral("New");
    p.Pics = 1;
    return p;
}

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void addProject_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("position");
        QTest::addColumn<QStringList>("after");

        const QStringList abc{"A", "B", "C"};
        QTest::newRow("empty, nothing selected") << QStringList() << -1 << 0 << QStringList{"New"};
        QTest::newRow("after the first") << abc << 0 << 1 << QStringList{"A", "New", "B", "C"};
        QTest::newRow("after the last") << abc << 2 << 3 << QStringList{"A", "B", "C", "New"};
        QTest::newRow("nothing selected: top") << abc << -1 << 0 << QStringList{"New", "A", "B", "C"};
    }

    void addProject()
    {
        QFETCH(QStringList, before);
        QFETCH(int, selected);
        QFETCH(int, position);
        QFETCH(QStringList, after);

        Catalogue c = catalogueOf(before);
        const std::optional<qint16> result = c.AddProject(qint16(selected));
        QVERIFY(result.has_value());
        QCOMPARE(*result, position);
        QCOMPARE(namesOf(c), after);
        QCOMPARE(c.LastProject(), qint16(after.size() - 1));
        QCOMPARE(c.at(*result), added());
        // The records around the new one travel whole.
        if (position > 0)
            QCOMPARE(c.at(position - 1), catalogueOf(before).at(position - 1));
        if (position < c.LastProject())
            QCOMPARE(c.at(position + 1), catalogueOf(before).at(position));
    }

    void appendProject()
    {
        Catalogue c = catalogueOf({"A"});
        QCOMPARE(c.AppendProject(), std::optional<qint16>(1));
        QCOMPARE(c.at(1), ProjectInfo{});
        QCOMPARE(c.LastProject(), qint16(1));
    }

    void limitRefusesInOrderlyWay()
    {
        Catalogue c;
        c.assign(QList<ProjectInfo>(Catalogue::MaxProjects, project("X")));
        QCOMPARE(c.LastProject(), qint16(32766));
        QVERIFY(!c.AddProject(5).has_value());
        QVERIFY(!c.AddProject(-1).has_value());
        QVERIFY(!c.AppendProject().has_value());
        QCOMPARE(c.LastProject(), qint16(32766));
        QCOMPARE(c.at(6), project("X"));

        c.DeleteProject(0);
        QCOMPARE(c.AddProject(32765), std::optional<qint16>(32766));
        QCOMPARE(c.at(32766), added());
    }

    void deleteProject_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<int>("position");
        QTest::addColumn<QStringList>("after");

        QTest::newRow("middle") << QStringList{"A", "B", "C"} << 1 << QStringList{"A", "C"};
        QTest::newRow("last") << QStringList{"A", "B", "C"} << 2 << QStringList{"A", "B"};
        QTest::newRow("first") << QStringList{"A", "B", "C"} << 0 << QStringList{"B", "C"};
        QTest::newRow("only") << QStringList{"A"} << 0 << QStringList();
        QTest::newRow("out of range changes nothing") << QStringList{"A"} << -1 << QStringList{"A"};
    }

    void deleteProject()
    {
        QFETCH(QStringList, before);
        QFETCH(int, position);
        QFETCH(QStringList, after);

        Catalogue c = catalogueOf(before);
        c.DeleteProject(qint16(position));
        QCOMPARE(namesOf(c), after);
        QCOMPARE(c.LastProject(), qint16(after.size() - 1));
    }

    void moves_data()
    {
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("after");

        QTest::newRow("up third of three") << true << 2 << 1 << QStringList{"A", "C", "B"};
        QTest::newRow("up first") << true << 0 << 0 << QStringList{"A", "B", "C"};
        QTest::newRow("up nothing selected") << true << -1 << -1 << QStringList{"A", "B", "C"};
        QTest::newRow("down first") << false << 0 << 1 << QStringList{"B", "A", "C"};
        QTest::newRow("down last") << false << 2 << 2 << QStringList{"A", "B", "C"};
        QTest::newRow("down nothing selected") << false << -1 << -1 << QStringList{"A", "B", "C"};
    }

    void moves()
    {
        QFETCH(bool, up);
        QFETCH(int, position);
        QFETCH(int, result);
        QFETCH(QStringList, after);

        const Catalogue original = catalogueOf({"A", "B", "C"});
        Catalogue c = original;
        const qint16 moved = up ? c.MoveProjectUp(qint16(position)) : c.MoveProjectDown(qint16(position));
        QCOMPARE(moved, qint16(result));
        QCOMPARE(namesOf(c), after);
        // All five fields travel with the record.
        if (position >= 0)
            QCOMPARE(c.at(moved), original.at(qint16(position)));
    }

    void setProjectField_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<ProjectInfo>("expected");

        const ProjectInfo base = project("A", {}, 3);
        ProjectInfo p = base;
        p.Name = "  text\r\n";
        QTest::newRow("Name") << "Name" << p;
        p = base;
        p.Location = "  text\r\n";
        QTest::newRow("Location") << "Location" << p;
        p = base;
        p.ShortDesc = "  text\r\n";
        QTest::newRow("ShortDesc") << "ShortDesc" << p;
        p = base;
        p.LongDesc = "  text\r\n";
        QTest::newRow("LongDesc") << "LongDesc" << p;
        QTest::newRow("Pics is recognised and ignored") << "Pics" << base;
        QTest::newRow("other case") << "name" << base;
        QTest::newRow("file key") << "Name:" << base;
        QTest::newRow("empty key") << "" << base;
    }

    void setProjectField()
    {
        QFETCH(QString, key);
        QFETCH(ProjectInfo, expected);

        Catalogue c;
        c.assign({project("Z"), project("A", {}, 3)});
        c.SetProjectField(1, key, QStringLiteral("  text\r\n"));
        QCOMPARE(c.at(1), expected);
        QCOMPARE(c.at(0), project("Z"));
    }
};

QTEST_APPLESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
