// The largest catalogue the program keeps, 32767 projects in a file of over 50 MB, through the
// window: it loads whole, is shown, refuses one more project, and saves back byte for byte.
#include "pages.h"
#include "messages.h"
#include "sample_catalogue.h"
#include "windowfixture.h"

#include <QElapsedTimer>

namespace {

constexpr qsizetype FileSize = qsizetype(50) * 1024 * 1024;
constexpr qint64 CommandLimitMs = 60000; // bounds a hang, not speed: the benchmark measures that

QList<ProjectInfo> largestCatalogue()
{
    QList<ProjectInfo> projects = sampleCatalogue(Catalogue::MaxProjects, 3);
    for (ProjectInfo &p : projects)
        p.LongDesc += QStringLiteral("\r\n\r\n") + p.ShortDesc.repeated(7);
    return projects;
}

} // namespace

class LargeCatalogueTest : public QObject
{
    Q_OBJECT

private:
    template <typename Action>
    void timed(const char *what, Action action)
    {
        QElapsedTimer timer;
        timer.start();
        action();
        const qint64 ms = timer.elapsed();
        qInfo("%s: %lld ms", what, ms);
        QVERIFY2(ms < CommandLimitMs, what);
    }

private slots:
    void largestCatalogueLosesNothing()
    {
        const QList<ProjectInfo> projects = largestCatalogue();
        const QByteArray file = CatalogueFormat::write(projects);
        QVERIFY2(file.size() > FileSize, qPrintable(QString::number(file.size())));

        std::unique_ptr<WindowFixture> fixture;
        timed("start-up", [&] { fixture = std::make_unique<WindowFixture>(file); });
        QVERIFY(fixture->messages.texts.isEmpty());
        QCOMPARE(fixture->catalogue.Projects(), projects);
        QCOMPARE(fixture->list()->model()->rowCount(), Catalogue::MaxProjects);

        timed("End key to the last project", [&] { QTest::keyClick(fixture->list(), Qt::Key_End); });
        QCOMPARE(fixture->selectedRow(), Catalogue::MaxProjects - 1);
        QCOMPARE(fixture->line("text_name")->text(), projects.last().Name);
        QCOMPARE(fixture->longText()->toPlainText(),
                 QString(projects.last().LongDesc).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

        fixture->click("cmd_add");
        QCOMPARE(fixture->messages.texts, QStringList{Messages::CatalogueFull});
        QCOMPARE(fixture->catalogue.Projects(), projects);
        fixture->messages.texts.clear();

        timed("Save All", [&] { fixture->click("cmd_save"); });
        QVERIFY(fixture->messages.texts.isEmpty());
        QVERIFY(readFile(fixture->projectsPath()) == file);

        timed("Build Pages", [&] { fixture->click("cmd_all"); });
        QCOMPARE(fixture->messages.texts, QStringList{fixture->pagesBuilt()});
        const QByteArray longPage = readFile(fixture->path(Pages::LongFileName));
        QVERIFY(longPage.endsWith(" \r\n</BODY>\r\n</HTML>\r\n"));
        qInfo("projects.txt %lld bytes, %s %lld bytes", qint64(file.size()), qPrintable(Pages::LongFileName),
              qint64(longPage.size()));
    }
};

QTEST_MAIN(LargeCatalogueTest)
#include "tst_largecatalogue.moc"
