// On a screen at twice the density (or 1.5, given as the argument) the @2x
// pictures are drawn, at their 1x size in device-independent pixels.
#include "ui/pictures.h"

#include <QApplication>
#include <QtTest>

class TestPicturesHiDpi : public QObject {
    Q_OBJECT
  private slots:
    // First, while nothing is decoded yet.
    void prefetchedPicturesAreTheSharpOnesToo()
    {
        Pictures::prefetchMainMenu();
        const QPixmap bg = Pictures::background(QStringLiteral("frmTOC"));
        QCOMPARE(bg.devicePixelRatio(), 2.0);
        QCOMPARE(bg.deviceIndependentSize().toSize(), QSize(780, 600));
        QCOMPARE(Pictures::btn(7).devicePixelRatio(), 2.0);
    }

    void twiceTheDensityDrawsTheSharpPictures_data()
    {
        QTest::addColumn<QPixmap>("picture");
        QTest::addColumn<QSize>("size");
        QTest::newRow("background") << Pictures::background(QStringLiteral("frmTOC")) << QSize(780, 600);
        QTest::newRow("button") << Pictures::btn(1) << QSize(138, 29);
        QTest::newRow("mascot") << Pictures::panda(4) << QSize(108, 168);
        QTest::newRow("glyph") << loadGlyph(1) << QSize(23, 24);
    }

    void twiceTheDensityDrawsTheSharpPictures()
    {
        QFETCH(QPixmap, picture);
        QFETCH(QSize, size);
        QCOMPARE(picture.devicePixelRatio(), 2.0);
        QCOMPARE(picture.size(), size * 2);
        QCOMPARE(picture.deviceIndependentSize().toSize(), size);
    }
};

int main(int argc, char** argv)
{
    // Set before the application exists, as a learner's desktop would.
    qputenv("QT_SCALE_FACTOR", argc > 1 && qstrcmp(argv[1], "1.5") == 0 ? "1.5" : "2");
    QApplication app(argc, argv);
    TestPicturesHiDpi test;
    return QTest::qExec(&test, 1, argv);
}

#include "test_pictures_hidpi.moc"
