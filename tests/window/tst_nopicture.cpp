#include "picturepreview.h"

#include <QFile>
#include <QSet>
#include <QTest>

// The built-in "No Picture" image as compiled into the program.
class NoPictureTest : public QObject
{
    Q_OBJECT

private:
    static constexpr QRgb Pink = 0xfffbb4b4;
    static constexpr QRgb Ring = 0xfffbb8b8;
    static constexpr QRgb Corner = 0xfffbbcbc;

    static QImage builtIn() { return PicturePreview::builtInImage().toImage().convertToFormat(QImage::Format_RGB32); }

private slots:
    void sizeBackgroundAndRing()
    {
        const QImage image = builtIn();
        QCOMPARE(image.size(), QSize(180, 120));
        for (int x = 0; x < 180; ++x) {
            for (int y = 0; y < 120; ++y) {
                const bool corner = (x == 0 || x == 179) && (y == 0 || y == 119);
                const bool ring = x == 0 || x == 179 || y == 0 || y == 119;
                const bool lettering = x >= 18 && x <= 164 && y >= 45 && y <= 67;
                const QRgb expected = corner ? Corner : ring ? Ring : Pink;
                if (!lettering && image.pixel(x, y) != expected)
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is %3").arg(x).arg(y).arg(image.pixel(x, y), 0, 16)));
            }
        }
    }

    void letteringIsBlackSmoothedIntoThePink()
    {
        const QImage image = builtIn();
        QRect dark;
        int black = 0;
        QSet<QRgb> shades;
        for (int x = 1; x < 179; ++x) {
            for (int y = 1; y < 119; ++y) {
                const QRgb c = image.pixel(x, y);
                if (c == Pink)
                    continue;
                // Every shade lies on the line from black to the pink.
                QVERIFY(qAbs(qGreen(c) - qRed(c) * 180 / 251) <= 2 && qGreen(c) == qBlue(c));
                dark |= QRect(x, y, 1, 1);
                if (c == qRgb(0, 0, 0))
                    ++black;
                else
                    shades.insert(c);
            }
        }
        QVERIFY2(black > 300, qPrintable(QString::number(black)));
        QVERIFY(shades.size() <= 15);
        QVERIFY(shades.size() >= 8);
        QCOMPARE(dark, QRect(QPoint(18, 45), QPoint(164, 67)));
    }

    void storedAsAPlainGif89a()
    {
        QFile file(QStringLiteral(":/no_picture.gif"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("GIF89a"));
        const auto byte = [&](int at) { return quint8(bytes.at(at)); };
        QCOMPARE(byte(6) | byte(7) << 8, 180);
        QCOMPARE(byte(8) | byte(9) << 8, 120);
        QVERIFY(byte(10) & 0x80);
        QCOMPARE(2 << (byte(10) & 7), 32);
        int at = 13 + 3 * 32;
        while (byte(at) == 0x21) { // extensions before the picture
            if (byte(at + 1) == 0xf9)
                QVERIFY2(!(byte(at + 3) & 1), "has a transparent colour");
            at += 2;
            while (byte(at) != 0)
                at += byte(at) + 1;
            ++at;
        }
        QCOMPARE(byte(at), quint8(0x2c));
        QVERIFY2(!(byte(at + 9) & 0x40), "interlaced");
    }
};

QTEST_MAIN(NoPictureTest)
#include "tst_nopicture.moc"
