#include "cataloguecheck.h"
#include "picturenames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(CheckFinding)

namespace {

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
}

ProjectInfo named(const QString &name, qint16 pics)
{
    return {name, QStringLiteral("Place"), QStringLiteral("Short."), QStringLiteral("Long."), pics};
}

} // namespace

class TestCatalogueCheck : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void findings_data();
    void findings();
    void findingsNameTheirRecord();
    void pictureFolder_data();
    void pictureFolder();

private:
    QTemporaryDir m_root;
    QString m_thumbs;
};

void TestCatalogueCheck::init()
{
    QVERIFY(m_root.isValid());
    m_thumbs = m_root.filePath(QStringLiteral("Thumbs"));
    QDir(m_thumbs).removeRecursively();
    QVERIFY(QDir().mkpath(m_thumbs));
}

void TestCatalogueCheck::findings_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("pics");
    QTest::addColumn<QList<int>>("pictures"); // the picture files that exist
    QTest::addColumn<QStringList>("expected");

    const QString p1Missing = QStringLiteral("picture 1 is missing (%1_p1.gif): the %2 will show a broken image");
    const QString countDiffers = QStringLiteral("the stored picture count is %1, but picture %2 is the "
                                                "highest found: selecting the project makes it %2");
    const QString oneMissing = QStringLiteral("picture %1 is missing (Bridge_p%1.gif): the long page will "
                                              "show a broken image");
    const QString runMissing = QStringLiteral("pictures %1 to %2 are missing (Bridge_p%1.gif to "
                                              "Bridge_p%2.gif): the long page will show broken images");
    const QString notLookedUp = QStringLiteral("the name cannot be looked up as a picture file: it holds "
                                               "'/', '\\', a NUL or a character file names cannot hold, "
                                               "so its pictures are never found");

    QTest::newRow("every picture there") << "Bridge" << 3 << QList<int>{1, 2, 3} << QStringList();
    QTest::newRow("no main picture, no count")
        << "Bridge" << 0 << QList<int>{} << QStringList{p1Missing.arg("Bridge", "index and short pages")};
    QTest::newRow("no main picture, counted on the long page")
        << "Bridge" << 1 << QList<int>{} << QStringList{p1Missing.arg("Bridge", "index, short and long pages")};

    // What selecting the project does to its count: the highest of pictures 2 to 9 found.
    QTest::newRow("_p1 to _p4, stored 4") << "Bridge" << 4 << QList<int>{1, 2, 3, 4} << QStringList();
    QTest::newRow("_p1 to _p4, stored 1")
        << "Bridge" << 1 << QList<int>{1, 2, 3, 4} << QStringList{countDiffers.arg(1).arg(4)};
    QTest::newRow("_p1, _p2 and _p4: the gap is referenced")
        << "Bridge" << 4 << QList<int>{1, 2, 4} << QStringList{oneMissing.arg(3)};
    QTest::newRow("_p1 only keeps any count")
        << "Bridge" << 5 << QList<int>{1} << QStringList{runMissing.arg(2).arg(5)};
    QTest::newRow("_p2 to _p9 without _p1") << "Bridge" << 9 << QList<int>{2, 3, 4, 5, 6, 7, 8, 9}
                                            << QStringList{p1Missing.arg("Bridge", "index, short and long pages")};
    QTest::newRow("_p1 to _p3, stored 6")
        << "Bridge" << 6 << QList<int>{1, 2, 3} << QStringList{countDiffers.arg(6).arg(3), runMissing.arg(4).arg(6)};
    QTest::newRow("pictures past 9 are referenced, never counted")
        << "Bridge" << 12 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 11}
        << QStringList{countDiffers.arg(12).arg(9), oneMissing.arg(10), oneMissing.arg(12)};
    QTest::newRow("negative count references nothing") << "Bridge" << -2 << QList<int>{1} << QStringList();
    QTest::newRow("largest count is one finding")
        << "Bridge" << 32767 << QList<int>{1} << QStringList{runMissing.arg(2).arg(32767)};
    QTest::newRow("largest picture there")
        << "Bridge" << 32767 << QList<int>{1, 32767} << QStringList{runMissing.arg(2).arg(32766)};
    QTest::newRow("a name like a picture's") << "Mill_p2" << 2 << QList<int>{1, 2} << QStringList();
    QTest::newRow("a gap past the stored count")
        << "Bridge" << 1 << QList<int>{1, 3} << QStringList{countDiffers.arg(1).arg(3)};

    QTest::newRow("empty name") << "" << 1 << QList<int>{1} << QStringList();
    QTest::newRow("slash") << "North/South" << 1 << QList<int>{} << QStringList{notLookedUp};
    QTest::newRow("backslash") << "North\\South" << 1 << QList<int>{} << QStringList{notLookedUp};
    QTest::newRow("lone surrogate") << QString(QChar(0xd800)) << 1 << QList<int>{} << QStringList{notLookedUp};
    // The pages escape these in picture URLs, so such names are found like any other.
    QTest::newRow("hash and ampersand") << "Tom & Jerry #2" << 1 << QList<int>{1} << QStringList();
    QTest::newRow("percent") << "100% Oak" << 1 << QList<int>{1} << QStringList();
    QTest::newRow("question mark") << "Why?" << 1 << QList<int>{1} << QStringList();
    QTest::newRow("double quote") << "The \"Ark\"" << 1 << QList<int>{1} << QStringList();
    QTest::newRow("reserved characters and missing")
        << "A#B" << 0 << QList<int>{} << QStringList{p1Missing.arg("A#B", "index and short pages")};
}

void TestCatalogueCheck::findings()
{
    QFETCH(QString, name);
    QFETCH(int, pics);
    QFETCH(QList<int>, pictures);
    QFETCH(QStringList, expected);

    for (const int k : pictures)
        touch(PictureNames::picturePath(m_thumbs, name, k));
    const QList<CheckFinding> findings = CatalogueCheck::checkProjects({named(name, qint16(pics))}, m_thumbs);
    QStringList messages;
    for (const CheckFinding &finding : findings) {
        QCOMPARE(finding.record, 1);
        QCOMPARE(finding.name, name);
        messages.append(finding.message);
    }
    QCOMPARE(messages, expected);
}

void TestCatalogueCheck::findingsNameTheirRecord()
{
    touch(PictureNames::picturePath(m_thumbs, QStringLiteral("Kept"), 1));
    // A folder named like a picture is no picture.
    QVERIFY(QDir().mkpath(PictureNames::picturePath(m_thumbs, QStringLiteral("Folder"), 1)));
    const QList<CheckFinding> findings = CatalogueCheck::checkProjects(
        {named(QStringLiteral("Kept"), 1), named(QStringLiteral("Folder"), 0), named(QStringLiteral("Kept"), 1)},
        m_thumbs);
    QCOMPARE(findings.size(), 1);
    QCOMPARE(findings.first().record, 2);
    QCOMPARE(findings.first().name, QStringLiteral("Folder"));
}

void TestCatalogueCheck::pictureFolder_data()
{
    QTest::addColumn<QString>("besideProgram"); // what lies at program/Thumbs
    QTest::addColumn<bool>("chosenBesideProgram");

    QTest::newRow("folder beside the program") << "folder" << true;
    QTest::newRow("nothing beside the program") << "" << false;
    QTest::newRow("a file named Thumbs beside the program") << "file" << false;
}

void TestCatalogueCheck::pictureFolder()
{
    QFETCH(QString, besideProgram);
    QFETCH(bool, chosenBesideProgram);

    const QString program = m_root.filePath(QStringLiteral("bin"));
    const QString catalogue = m_root.filePath(QStringLiteral("site"));
    QDir(program).removeRecursively();
    QVERIFY(QDir().mkpath(program));
    if (besideProgram == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(program + QStringLiteral("/Thumbs")));
    else if (besideProgram == QLatin1String("file"))
        touch(program + QStringLiteral("/Thumbs"));

    const QString chosen = chosenBesideProgram ? program : catalogue;
    QCOMPARE(PictureNames::pictureFolder(program, catalogue), chosen + QStringLiteral("/Thumbs"));
}

QTEST_GUILESS_MAIN(TestCatalogueCheck)
#include "tst_cataloguecheck.moc"
