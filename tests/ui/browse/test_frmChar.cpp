// The character detail: what it shows of a character (glyphs, values, the
// chart as painted), stepping within the list, and the drill buttons.
#include "drilldriver.h"
#include "testsupport.h"

#include "core/browse/rankings.h"
#include "ui/browse/frmChar.h"
#include "ui/layout.h"
#include "ui/pictures.h"
#include "ui/screenregistry.h"

#include <QScopeGuard>
#include <QSet>
#include <QtTest>

#include <algorithm>

class TestFrmChar : public QObject, public ScreenFixture {
    Q_OBJECT
  private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void showsTheCharacter_data()
    {
        QTest::addColumn<int>("ckey");
        QTest::addColumn<int>("rows");
        QTest::newRow("1") << 1 << 4;
        QTest::newRow("6, sixteen words, row 16 empty") << 6 << 16;
        QTest::newRow("14, no words, no drills") << 14 << 0;
    }

    void showsTheCharacter()
    {
        QFETCH(int, ckey);
        QFETCH(int, rows);
        frmChar& d = shownDetail(1, ckey);
        QCOMPARE(labelOf(&d, "imgChar")->pixmap().toImage(), loadGlyph(ckey).toImage());
        QCOMPARE(labelOf(&d, "lblPinyin")->text(), state->tovak->db.character(ckey, CharField::Readings));
        QCOMPARE(labelOf(&d, "lblCount(1)")->text(), QString::number(rows));
        for (int i = 0; i < RelatedRows; ++i) {
            for (int j = 1; j <= 4; ++j)
                QCOMPARE(labelOf(&d, QStringLiteral("imgTovak%1(%2)").arg(j).arg(i))->pixmap().isNull(), i >= rows);
        }
        for (const char* b : {"imgP", "lblP", "imgP1", "lblP1", "imgR", "lblR", "imgDui", "lblDui", "imgLP", "lblLP",
                              "imgLP1", "lblLP1"})
            QCOMPARE(labelOf(&d, b)->isVisible(), rows > 0);
        QCOMPARE(labelOf(&d, "lblNoRelated")->isVisible(), rows == 0);

        // Every vertex carries a round mark in the chart's colour, those at the
        // centre too: an edge alone would not cover all four diagonal neighbours
        // (pixel centres 1.5 px off the vertex, which lies on a pixel corner).
        const QImage shot = d.grab().toImage();
        const QColor ink = QColor::fromRgb(Layout::Palette::accent);
        auto isInk = [&](QPoint p) {
            const QColor c = shot.pixelColor(p);
            return qAbs(c.red() - ink.red()) < 40 && qAbs(c.green() - ink.green()) < 40 &&
                   qAbs(c.blue() - ink.blue()) < 40;
        };
        for (const QPoint& v : d.chartVertices()) {
            for (const QPoint& o : {QPoint(1, 1), QPoint(-2, 1), QPoint(1, -2), QPoint(-2, -2)})
                QVERIFY2(isInk(v + o), qPrintable(QStringLiteral("no mark at %1,%2").arg(v.x()).arg(v.y())));
        }
    }

    void stepsWithinTheList_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("cno");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("before");
        QTest::addColumn<bool>("next");
        QTest::newRow("PageUp on the first") << 803 << 0 << QList<int>{Qt::Key_PageUp} << 0 << false << true;
        QTest::newRow("PageDown stops at the last")
            << 803 << 800 << QList<int>{Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_PageDown} << 802 << true << false;
        QTest::newRow("back and forth") << 803 << 24 << QList<int>{Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_PageUp}
                                        << 23 << true << true;
        QTest::newRow("one character") << 1 << 0 << QList<int>{Qt::Key_PageDown, Qt::Key_PageUp} << 0 << false << false;
    }

    void stepsWithinTheList()
    {
        QFETCH(int, count);
        QFETCH(int, cno);
        QFETCH(QList<int>, keys);
        QFETCH(int, expected);
        QFETCH(bool, before);
        QFETCH(bool, next);
        Tovak& t = *state->tovak;
        t.initTables();
        t.RankingKind = 1;
        buildRanking(t, 1);
        t.CurrentCharCount = static_cast<qint16>(count);
        setFrmChar_maxcno(t, static_cast<qint16>(count - 1));
        t.cno = static_cast<qint16>(cno);
        auto& d = screens->screen<frmChar>();
        d.setFrmChar(t.CurrentCharList[cno]);
        for (int k : keys)
            QTest::keyClick(&d, static_cast<Qt::Key>(k));
        QCOMPARE(t.cno, expected);
        QCOMPARE(d.shown().ckey, t.CurrentCharList[expected]);
        QCOMPARE(labelOf(&d, "lblCount(2)")->text(), QStringLiteral("第%1位").arg(expected + 1));
        QCOMPARE(labelOf(&d, "lblCount(0)")->text(), QStringLiteral("%1語中").arg(count));
        QCOMPARE(d.button(QStringLiteral("Before"))->isVisible(), before);
        QCOMPARE(d.button(QStringLiteral("Next"))->isVisible(), next);
    }

    void eachDrillPressReshufflesAndKeepsTheCharacter()
    {
        frmChar& d = shownDetail(1, 6);
        QStringList drills;
        QList<int> received;
        QList<bool> byEar;
        screens->setShownHook([&](ScreenBase& s) {
            drills << s.objectName();
            received << state->tovak->CurrentWordCount;
            auto* heading = s.findChild<QLabel*>(QStringLiteral("lblListening"));
            byEar << (heading && heading->isVisible());
            s.back();
        });
        const Tovak& t = *state->tovak;
        QList<qint16> stored;
        for (const QString& item : t.db.character(6, CharField::TKeys).split(u','))
            stored << static_cast<qint16>(item.toInt());
        QSet<QList<qint16>> orders;
        for (int round = 0; round < 2; ++round) {
            for (const char* caption : {"lblP", "lblP1", "lblR", "lblDui", "lblLP", "lblLP1"}) {
                QTest::mouseClick(labelOf(&d, caption), Qt::LeftButton);
                QCOMPARE(t.DrillMode, 1);
                QList<qint16> words = t.CurrentWordList.mid(0, t.CurrentWordCount);
                orders.insert(words);
                std::sort(words.begin(), words.end());
                QCOMPARE(words, stored);
            }
        }
        QVERIFY(orders.size() > 4);
        const QStringList drillsOpened = {"frmListP2", "frmListP1", "frmListR", "frmListDui", "frmListP2", "frmListP1"};
        QCOMPARE(drills, drillsOpened + drillsOpened);
        QCOMPARE(received, QList<int>(12, 16));
        // The last two open by ear; every other button clears it again.
        const QList<bool> ears = {false, false, false, false, true, true};
        QCOMPARE(byEar, ears + ears);
        QCOMPARE(d.shown().ckey, 6);
        QCOMPARE(labelOf(&d, "lblCount(2)")->text(), QStringLiteral("第2位"));
        QVERIFY(d.isVisible());
        QCOMPARE(quits, 0);
    }

    void drillButtonsLightUpByTheirOwnRule()
    {
        frmChar& d = shownDetail(1, 1);
        auto hovered = [&](const char* name) { return d.button(QString::fromLatin1(name))->isHovered(); };
        QTest::mouseMove(labelOf(&d, "imgP1"), {5, 5});
        QTest::mouseMove(labelOf(&d, "imgP"), {5, 5});
        QVERIFY(hovered("P") && hovered("P1"));
        QTest::mouseMove(labelOf(&d, "imgR"), {5, 5});
        QVERIFY(hovered("R") && !hovered("P") && hovered("P1"));
        // These two captions only forward the click.
        QTest::mouseMove(labelOf(&d, "lblDui"), {50, 5});
        QVERIFY(!hovered("Dui") && hovered("R"));
        QTest::mouseMove(labelOf(&d, "imgDui"), {5, 5});
        QVERIFY(hovered("Dui") && !hovered("R"));
        QTest::mouseMove(&d, {700, 480});
        QVERIFY(!hovered("Dui") && !hovered("P1"));
    }

  private:
    frmChar& shownDetail(qint16 kind, int ckey)
    {
        Tovak& t = *state->tovak;
        t.initTables();
        t.RankingKind = kind;
        buildRanking(t, kind);
        setFrmChar_maxcno(t, static_cast<qint16>(t.CurrentCharCount - 1));
        t.cno = static_cast<qint16>(t.CurrentCharList.indexOf(static_cast<qint16>(ckey)));
        auto& d = screens->screen<frmChar>();
        d.setFrmChar(static_cast<qint16>(ckey));
        d.show();
        if (!QTest::qWaitForWindowExposed(&d))
            qFatal("detail not exposed");
        return d;
    }
};

QTEST_MAIN(TestFrmChar)
#include "test_frmChar.moc"
