// The latest-exam menu and its lists: comments under the mouse, the three
// lists opened from the menu, the detail stepping through an exam list under
// that list's title, and the help page of every browsing screen.
#include "drilldriver.h"
#include "testsupport.h"

#include "core/browse/rankings.h"
#include "ui/browse/frmChar.h"
#include "ui/browse/frmExamListC.h"
#include "ui/browse/frmExamTOC.h"
#include "ui/browse/frmListC.h"
#include "ui/menu/frmTOC.h"
#include "ui/pictures.h"
#include "ui/screenregistry.h"

#include <QScopeGuard>
#include <QtTest>

class TestFrmExamTOC : public QObject, public ScreenFixture {
    Q_OBJECT
  private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void commentsFollowTheMouse()
    {
        state->tovak->initTables();
        auto& menu = screens->screen<frmExamTOC>();
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QLabel* comment = labelOf(&menu, "lblPandaComment");
        const QString intro = QStringLiteral("2003年11月16日に行われた第51回中国語検定試験四級を分析しました。");
        QVERIFY(comment->text().startsWith(intro));
        const QStringList starts = {"本試験に登場した全ての漢字です。", "ヒアリングで登場した全ての漢字です。",
                                    "筆記で登場した全ての漢字です。"};
        for (int k = 1; k <= 3; ++k) {
            QLabel* item = labelOf(&menu, QStringLiteral("imgContents(%1)").arg(k));
            QTest::mouseMove(item, {20, 20});
            QTRY_VERIFY(comment->text().startsWith(starts[k - 1]));
            QCOMPARE(item->pixmap().toImage(), Pictures::contents(QStringLiteral("frmExamTOC"), k).toImage());
            // Moving over the comment itself keeps it.
            QTest::mouseMove(comment, {20, 20});
            QVERIFY(comment->text().startsWith(starts[k - 1]));
        }
        QTest::mouseMove(&menu, {200, 450});
        QTRY_VERIFY(comment->text().startsWith(intro));
        for (int k = 1; k <= 3; ++k)
            QVERIFY(labelOf(&menu, QStringLiteral("imgContents(%1)").arg(k))->pixmap().isNull());
    }

    void everyCommentFitsItsBubble()
    {
        state->tovak->initTables();
        auto& menu = screens->screen<frmExamTOC>();
        QLabel* comment = labelOf(&menu, "lblPandaComment");
        for (const QString& text : examMenuTexts()) {
            comment->setText(text);
            QVERIFY2(comment->heightForWidth(comment->width()) <= comment->height(), qPrintable(text));
        }
    }

    void listsFromTheMenu_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("firstCount");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("rowsOnLast");
        QTest::addColumn<int>("lastKey");
        QTest::newRow("all sections") << 1 << "出現漢字完全網羅"
                                      << "58回" << 30 << 6 << 234;
        QTest::newRow("hearing") << 2 << "ヒアリング漢字網羅"
                                 << "31回" << 19 << 4 << 171;
        QTest::newRow("writing") << 3 << "筆記漢字網羅"
                                 << "27回" << 25 << 1 << 234;
    }

    void listsFromTheMenu()
    {
        QFETCH(int, k);
        QFETCH(QString, title);
        QFETCH(QString, firstCount);
        QFETCH(int, pages);
        QFETCH(int, rowsOnLast);
        QFETCH(int, lastKey);
        frmTOC& menu = shownMenu();
        state->tovak->RankingKind = 2;
        bool checked = false;
        screens->setShownHook([&](ScreenBase& s) {
            auto closer = qScopeGuard([&] { QTest::keyClick(&s, Qt::Key_Escape); });
            if (s.objectName() == QStringLiteral("frmExamTOC")) {
                QTest::mouseClick(labelOf(&s, QStringLiteral("imgContents(%1)").arg(k)), Qt::LeftButton);
                return;
            }
            auto& list = static_cast<frmExamListC&>(s);
            QCOMPARE(labelOf(&s, "lblType")->text(), title);
            QCOMPARE(labelOf(&s, "lblNo(0)")->text(), QStringLiteral("第1位"));
            QCOMPARE(labelOf(&s, "lblLatter(0)")->text(), firstCount);
            QCOMPARE(labelOf(&s, "lblTermNum(0)")->text(), QStringLiteral("4個"));
            QCOMPARE(labelOf(&s, "imgTovak(0)")->pixmap().toImage(), loadGlyph(1).toImage());
            QVERIFY(!labelOf(&s, "imgBefore")->isVisible());
            for (int p = 1; p <= pages; ++p)
                QTest::keyClick(&s, Qt::Key_PageDown);
            QCOMPARE(list.pages().listPage(), pages);
            QVERIFY(!labelOf(&s, "imgNext")->isVisible() && labelOf(&s, "imgBefore")->isVisible());
            const int last = rowsOnLast - 1;
            QCOMPARE(labelOf(&s, QStringLiteral("lblNo(%1)").arg(last))->text(),
                     QStringLiteral("第%1位").arg((pages - 1) * 10 + rowsOnLast));
            QCOMPARE(labelOf(&s, QStringLiteral("lblLatter(%1)").arg(last))->text(), QStringLiteral("1回"));
            QCOMPARE(labelOf(&s, QStringLiteral("imgTovak(%1)").arg(last))->pixmap().toImage(),
                     loadGlyph(lastKey).toImage());
            for (int r = rowsOnLast; r < 10; ++r)
                QVERIFY(!labelOf(&s, QStringLiteral("imgTovak(%1)").arg(r))->isVisible());
            checked = true;
        });
        QTest::mouseClick(labelOf(&menu, "imgContents(6)"), Qt::LeftButton);
        QVERIFY(checked);
        QCOMPARE(state->tovak->RankingKind, 2);
        QCOMPARE(state->tovak->maxcno, state->tovak->CurrentCharCount - 1);
        QVERIFY(screens->stack().isEmpty());
        QCOMPARE(quits, 0);
    }

    void detailStepsThroughTheExamListUnderItsTitle()
    {
        frmTOC& menu = shownMenu();
        QStringList seen;
        int stepped = 0;
        screens->setShownHook([&](ScreenBase& s) {
            auto closer = qScopeGuard([&] { s.back(); });
            if (s.objectName() == QStringLiteral("frmExamTOC")) {
                QTest::mouseClick(labelOf(&s, "imgContents(1)"), Qt::LeftButton);
            } else if (s.objectName() == QStringLiteral("frmExamListC")) {
                QTest::keyClick(&s, Qt::Key_PageDown);
                QTest::mouseClick(labelOf(&s, "imgTovak(3)"), Qt::LeftButton);
            } else {
                seen << labelOf(&s, "lblType")->text() << labelOf(&s, "lblCount(0)")->text()
                     << labelOf(&s, "lblCount(2)")->text();
                QTest::keyClick(&s, Qt::Key_PageDown);
                seen << labelOf(&s, "lblCount(2)")->text();
                stepped = static_cast<frmChar&>(s).shown().ckey;
            }
        });
        // A ranking opened before must not title the detail of an exam list.
        state->tovak->RankingKind = 3;
        QTest::mouseClick(labelOf(&menu, "imgContents(6)"), Qt::LeftButton);
        QCOMPARE(seen, (QStringList{"出現漢字完全網羅", "296語中", "第14位", "第15位"}));
        QCOMPARE(stepped, state->tovak->CurrentCharList[14]);
        QVERIFY(screens->stack().isEmpty());
    }

    void helpOpensEachScreensPage_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<int>("page");
        for (bool byKey : {false, true}) {
            const char* how = byKey ? "F1" : "button";
            QTest::addRow("ranking, %s", how) << "frmListC" << byKey << 2;
            QTest::addRow("detail, %s", how) << "frmChar" << byKey << 2;
            QTest::addRow("exam menu, %s", how) << "frmExamTOC" << byKey << 7;
            QTest::addRow("exam list, %s", how) << "frmExamListC" << byKey << 7;
        }
    }

    void helpOpensEachScreensPage()
    {
        QFETCH(QString, screen);
        QFETCH(bool, byKey);
        QFETCH(int, page);
        Tovak& t = *state->tovak;
        t.initTables();
        t.RankingKind = 1;
        buildRanking(t, 1);
        ScreenBase* s = nullptr;
        if (screen == QStringLiteral("frmListC")) {
            auto& list = screens->screen<frmListC>();
            list.init();
            s = &list;
        } else if (screen == QStringLiteral("frmChar")) {
            auto& d = screens->screen<frmChar>();
            d.setFrmChar(1);
            s = &d;
        } else if (screen == QStringLiteral("frmExamTOC")) {
            s = &screens->screen<frmExamTOC>();
        } else {
            auto& list = screens->screen<frmExamListC>();
            list.setInit(ExamListKind::Hearing);
            list.init();
            s = &list;
        }
        s->show();
        int shownPage = -1;
        screens->setShownHook([&](ScreenBase& help) {
            shownPage = t.HelpPage;
            help.back();
        });
        if (byKey)
            QTest::keyClick(s, Qt::Key_F1);
        else
            QTest::mouseClick(labelOf(s, "imgHelp"), Qt::LeftButton);
        QCOMPARE(shownPage, page);
        QVERIFY(s->isVisible());
    }
};

QTEST_MAIN(TestFrmExamTOC)
#include "test_frmExamTOC.moc"
