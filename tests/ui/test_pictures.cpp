#include "ui/layout.h"
#include "ui/pictures.h"

#include <QCryptographicHash>
#include <QGuiApplication>
#include <QImage>
#include <QResource>
#include <QSet>
#include <QtTest>

namespace {

QString resourcePath(const QString& list, const QString& name, bool twice)
{
    return QStringLiteral(":/pictures/%1/%2%3.png").arg(list, name, twice ? QStringLiteral("@2x") : QString());
}

// Both files of a picture exist in the binary, at the size and at twice the size.
void checkPair(const QString& list, const QString& name, QSize size)
{
    const QImage one(resourcePath(list, name, false));
    const QImage two(resourcePath(list, name, true));
    QVERIFY2(!one.isNull(), qPrintable(resourcePath(list, name, false)));
    QVERIFY2(!two.isNull(), qPrintable(resourcePath(list, name, true)));
    QCOMPARE(one.size(), size);
    QCOMPARE(two.size(), size * 2);
}

int inkPixels(const QImage& image)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    int count = 0;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            count += line[x] < 128;
    }
    return count;
}

// Dark pixels on the outermost rows and columns mean a character was cut off.
bool inkOnEdge(const QImage& image)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const int w = grey.width(), h = grey.height();
    for (int y = 0; y < h; ++y) {
        const uchar* line = grey.constScanLine(y);
        if (line[0] < 128 || line[w - 1] < 128)
            return true;
        if (y == 0 || y == h - 1)
            for (int x = 0; x < w; ++x)
                if (line[x] < 128)
                    return true;
    }
    return false;
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT

  private slots:
    // First, while nothing is decoded yet.
    void prefetchedPicturesAreTheSameAndTheSplashLetsGo()
    {
        Pictures::prefetchMainMenu();
        const QPixmap prefetched = Pictures::background("frmTOC");
        QCOMPARE(prefetched.toImage(),
                 QImage(resourcePath("backgrounds", "frmTOC", false)).convertToFormat(prefetched.toImage().format()));
        QCOMPARE(Pictures::background("frmTOC").cacheKey(), prefetched.cacheKey());
        QCOMPARE(Pictures::btn(7).deviceIndependentSize().toSize(), QSize(29, 29));

        const qint64 splash = Pictures::background("frmSplash").cacheKey();
        Pictures::releaseBackground("frmSplash");
        QVERIFY(Pictures::background("frmSplash").cacheKey() != splash);
    }

    void listPictures_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("n");
        QTest::addColumn<QSize>("size");
        for (int n = 1; n <= 4; ++n)
            QTest::addRow("ilBtn %d", n) << "ilBtn" << n << QSize(138, 29);
        QTest::addRow("ilBtn 5") << "ilBtn" << 5 << QSize(233, 79);
        QTest::addRow("ilBtn 6") << "ilBtn" << 6 << QSize(29, 30);
        QTest::addRow("ilBtn 7") << "ilBtn" << 7 << QSize(29, 29);
        QTest::addRow("ilBtn 8") << "ilBtn" << 8 << QSize(29, 29);
        QTest::addRow("ilBtn 9") << "ilBtn" << 9 << QSize(138, 29);
        const QSize pandas[] = {{167, 159}, {115, 171}, {111, 178}, {108, 168}};
        for (int n = 1; n <= 4; ++n)
            QTest::addRow("ilPanda %d", n) << "ilPanda" << n << pandas[n - 1];
        QTest::addRow("ilMaruBatu 1") << "ilMaruBatu" << 1 << QSize(60, 60);
        QTest::addRow("ilMaruBatu 2") << "ilMaruBatu" << 2 << QSize(60, 60);
        QTest::addRow("ilMaruBatuS 1") << "ilMaruBatuS" << 1 << Layout::smallMarkSize;
        QTest::addRow("ilMaruBatuS 2") << "ilMaruBatuS" << 2 << Layout::smallMarkSize;
        for (int n = 1; n <= Layout::frmTOC::contentsCount; ++n)
            QTest::addRow("ilContents-frmTOC %d", n)
                << "ilContents-frmTOC" << n << Layout::frmTOC::imgContents(n).size();
        for (int n = 1; n <= 3; ++n)
            QTest::addRow("ilContents-frmExamTOC %d", n)
                << "ilContents-frmExamTOC" << n << Layout::frmExamTOC::imgContents(n).size();
    }

    void listPictures()
    {
        QFETCH(QString, list);
        QFETCH(int, n);
        QFETCH(QSize, size);
        checkPair(list, QString::number(n), size);

        QPixmap viaApi;
        if (list == "ilBtn")
            viaApi = Pictures::btn(n);
        else if (list == "ilPanda")
            viaApi = Pictures::panda(n);
        else if (list == "ilMaruBatu")
            viaApi = Pictures::maruBatu(n);
        else if (list == "ilMaruBatuS")
            viaApi = Pictures::smallMark(n);
        else
            viaApi = Pictures::contents(list.section('-', 1), n);
        QCOMPARE(viaApi.deviceIndependentSize().toSize(), size);
    }

    void listsEndWhereTheyShould()
    {
        QVERIFY(Pictures::btn(0).isNull());
        QVERIFY(Pictures::btn(10).isNull());
        QVERIFY(Pictures::panda(5).isNull());
        QVERIFY(Pictures::maruBatu(3).isNull());
        QVERIFY(Pictures::smallMark(3).isNull());
        QVERIFY(Pictures::contents("frmTOC", Layout::frmTOC::contentsCount + 1).isNull());
        QVERIFY(Pictures::contents("frmExamTOC", 4).isNull());
        QVERIFY(Pictures::contents("frmSearch", 1).isNull());
        QVERIFY(loadGlyph(0).isNull());
        QVERIFY(loadGlyph(805).isNull());
    }

    void picturesAreDecodedOnce()
    {
        QCOMPARE(Pictures::panda(2).cacheKey(), Pictures::panda(2).cacheKey());
        QCOMPARE(loadGlyph(7).cacheKey(), loadGlyph(7).cacheKey());
    }

    void marksLetTheRowShowThrough()
    {
        // Marks lie over the answer rows: the middle and the corners must be clear.
        for (int n = 1; n <= 2; ++n) {
            const QImage mark = Pictures::maruBatu(n).toImage();
            QCOMPARE(qAlpha(mark.pixel(0, 0)), 0);
            QCOMPARE(qAlpha(mark.pixel(59, 59)), 0);
            QVERIFY(inkPixels(mark) > 0);
            const QRgb red = mark.pixel(n == 1 ? 30 : 12, n == 1 ? 7 : 12);
            QVERIFY(qRed(red) > 180 && qGreen(red) < 100 && qBlue(red) < 100);
        }
        QCOMPARE(qAlpha(Pictures::maruBatu(1).toImage().pixel(30, 30)), 0);
    }

    void glyphsHaveTheirSizeAndInk()
    {
        for (int k = 1; k <= 804; ++k) {
            const QString name = QString::number(k);
            const QImage one(resourcePath("ilCharsS", name, false));
            const QImage two(resourcePath("ilCharsS", name, true));
            QVERIFY2(!one.isNull() && !two.isNull(), qPrintable(name));
            QCOMPARE(one.size(), Layout::glyphSize);
            QCOMPARE(two.size(), Layout::glyphSize * 2);
            if (k < 804) {
                QVERIFY2(inkPixels(one) > 0, qPrintable(name));
                QVERIFY2(inkPixels(two) > 0, qPrintable(name));
                QVERIFY2(!inkOnEdge(one), qPrintable(name));
            } else {
                QCOMPARE(inkPixels(one), 0);
                QCOMPARE(inkPixels(two), 0);
                QCOMPARE(one.convertToFormat(QImage::Format_RGB32).pixel(11, 12), qRgb(255, 255, 255));
            }
        }
        QCOMPARE(loadGlyph(804).deviceIndependentSize().toSize(), Layout::glyphSize);
    }

    void noTwoGlyphsAlike()
    {
        QSet<QByteArray> seen;
        for (int k = 1; k <= 804; ++k) {
            const QImage g =
                QImage(resourcePath("ilCharsS", QString::number(k), true)).convertToFormat(QImage::Format_Grayscale8);
            QByteArray bytes;
            for (int y = 0; y < g.height(); ++y)
                bytes.append(reinterpret_cast<const char*>(g.constScanLine(y)), g.width());
            const QByteArray hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
            QVERIFY2(!seen.contains(hash), qPrintable(QString("glyph %1 repeats an earlier one").arg(k)));
            seen.insert(hash);
        }
    }

    void backgrounds_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        for (const char* s : {"frmTOC", "frmListC", "frmChar", "frmExamTOC", "frmExamListC", "frmSearch", "frmListR",
                              "frmAbout", "frmMockExam", "frmExamPaper"})
            QTest::newRow(s) << s << s << Layout::screenSize;
        for (const char* s : {"frmListP1", "frmListP2", "frmListDui"})
            QTest::newRow(s) << s << "frmListTyped" << Layout::screenSize;
        QTest::newRow("frmHelp") << "frmHelp"
                                 << "frmHelp" << Layout::helpSize;
        QTest::newRow("frmSplash") << "frmSplash"
                                   << "frmSplash" << Layout::splashSize;
    }

    void backgrounds()
    {
        QFETCH(QString, screen);
        QFETCH(QString, file);
        QFETCH(QSize, size);
        checkPair("backgrounds", file, size);
        const QPixmap bg = Pictures::background(screen);
        QCOMPARE(bg.deviceIndependentSize().toSize(), size);
        // Backgrounds are opaque: nothing of the window behind may show through.
        QVERIFY(!bg.hasAlphaChannel());
    }

    void typedScreensShareOneBackground()
    {
        const qint64 key = Pictures::background("frmListP1").cacheKey();
        QCOMPARE(Pictures::background("frmListP2").cacheKey(), key);
        QCOMPARE(Pictures::background("frmListDui").cacheKey(), key);
        QVERIFY(Pictures::background("frmNoSuchScreen").isNull());
    }

    void maskAndIcon()
    {
        checkPair("masks", "frmSearch", Layout::frmSearch::imgSmask.size());
        QCOMPARE(Pictures::searchMask().deviceIndependentSize().toSize(), Layout::frmSearch::imgSmask.size());
        const QIcon icon = Pictures::appIcon();
        QVERIFY(!icon.isNull());
        for (int size : Pictures::iconSizes) {
            const QImage file(QStringLiteral(":/pictures/icon/rumena-%1.png").arg(size));
            QCOMPARE(file.size(), QSize(size, size));
            QCOMPARE(icon.availableSizes().contains(QSize(size, size)), size <= Pictures::largestWindowIcon);
        }
        QCOMPARE(icon.pixmap(32).toImage().size(), QSize(32, 32));
    }

    void resourcesComeFromTheBinary()
    {
        // Run from an empty folder: nothing may be read from data/ on disk.
        QTemporaryDir empty;
        const QString before = QDir::currentPath();
        QDir::setCurrent(empty.path());
        QResource res(":/pictures/ilBtn/1.png");
        QVERIFY(res.isValid());
        QVERIFY(res.size() > 0);
        QVERIFY(!QImage(":/pictures/backgrounds/frmTOC.png").isNull());
        QDir::setCurrent(before);
    }
};

QTEST_MAIN(TestPictures)
#include "test_pictures.moc"
