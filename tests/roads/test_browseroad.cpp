// The road a learner takes through the characters: main menu, "ヒアリング出る順",
// page 3, a glyph, the detail, Next twice, "声調を解答", grading, then Back
// three times to the main menu; conf.ini holds the grading.
#include "drilldriver.h"
#include "testsupport.h"

#include "ui/menu/frmTOC.h"
#include "ui/screenregistry.h"

#include <QFile>
#include <QScopeGuard>
#include <QtTest>

class TestBrowseRoad : public QObject, public ScreenFixture {
    Q_OBJECT
  private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void menuToToneDrillAndBack()
    {
        frmTOC& menu = shownMenu();
        Tovak& t = *state->tovak;
        QStringList seen;
        int row = -1;
        int drilled = 0;
        QString score, gradeCaption, rankAfterDrill, pageAfterDetail;
        screens->setShownHook([&](ScreenBase& s) {
            // Whatever fails below, the screen closes and the road goes on back.
            auto closer = qScopeGuard([&] {
                if (s.isVisible())
                    QTest::keyClick(&s, Qt::Key_Escape);
            });
            seen << s.objectName();
            if (s.objectName() == QStringLiteral("frmListC")) {
                QTest::keyClick(&s, Qt::Key_PageDown);
                clickButton(&s, QStringLiteral("Next"));
                // The first row on page 3 whose character, two places on, has words to drill.
                for (int r = 0; r < 8 && row < 0; ++r) {
                    if (!t.db.character(t.CurrentCharList[22 + r], CharField::TKeys).isEmpty())
                        row = r;
                }
                QTest::mouseClick(labelOf(&s, QStringLiteral("imgTovak(%1)").arg(row)), Qt::LeftButton);
                pageAfterDetail = labelOf(&s, "lblCPagenum")->text();
            } else if (s.objectName() == QStringLiteral("frmChar")) {
                seen << labelOf(&s, "lblCount(2)")->text();
                QTest::mouseClick(labelOf(&s, "lblNext"), Qt::LeftButton);
                QTest::keyClick(&s, Qt::Key_PageDown);
                seen << labelOf(&s, "lblCount(2)")->text();
                QTest::mouseClick(labelOf(&s, "lblP"), Qt::LeftButton);
                rankAfterDrill = labelOf(&s, "lblCount(2)")->text();
            } else if (s.objectName() == QStringLiteral("frmListP2")) {
                drilled = t.CurrentWordCount;
                answerAll(&s, t, [](int p) { return p != 0; });
                QTest::keyClick(&s, Qt::Key_F5);
                score = labelOf(&s, "lblScore")->text();
                gradeCaption = labelOf(&s, "lblGrade")->text();
                passTime(&s); // Esc right after a grading would be a double press
            }
        });
        QTest::mouseClick(labelOf(&menu, "imgContents(2)"), Qt::LeftButton);

        QVERIFY(row >= 0);
        const int rank = 20 + row + 1;
        QCOMPARE(seen, (QStringList{"frmListC", "frmChar", QStringLiteral("第%1位").arg(rank),
                                    QStringLiteral("第%1位").arg(rank + 2), "frmListP2"}));
        QCOMPARE(rankAfterDrill, QStringLiteral("第%1位").arg(rank + 2));
        QCOMPARE(pageAfterDetail, QStringLiteral("3"));
        const qint16 ckey = t.CurrentCharList[rank + 1];
        QCOMPARE(drilled, t.db.character(ckey, CharField::TKeys).split(u',').size());
        QCOMPARE(score, QStringLiteral("%1／%2点").arg(drilled - 1).arg(drilled));
        QCOMPARE(gradeCaption, QStringLiteral("誤答再試験"));
        QVERIFY(screens->stack().isEmpty());
        QVERIFY(menu.isVisible());
        QCOMPARE(quits, 0);

        QFile ini(state->iniPath());
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QByteArray written = ini.readAll();
        QVERIFY(written.contains("QUESTIONS= " + QByteArray::number(drilled)));
        QVERIFY(written.contains("SCORE= " + QByteArray::number(drilled - 1)));
    }
};

QTEST_MAIN(TestBrowseRoad)
#include "test_browseroad.moc"
