// The ranking list as the learner meets it: opened from the main menu, paged
// by buttons and keys, glyphs bordered under the mouse, a glyph opening the
// detail on its rank.
#include "drilldriver.h"
#include "testsupport.h"

#include "core/browse/rankings.h"
#include "ui/browse/frmListC.h"
#include "ui/menu/frmTOC.h"
#include "ui/pictures.h"
#include "ui/screenregistry.h"

#include <QScopeGuard>
#include <QtTest>

class TestFrmListC : public QObject, public ScreenFixture {
    Q_OBJECT
  private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void rankingsFromTheMenu_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QList<int>>("head");
        QTest::addColumn<QStringList>("counts");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("rowsOnLast");
        // Ties as shown: 2 before 11 overall, 5 before 6 in listening.
        QTest::newRow("overall") << 1 << "総合出る順"
                                 << "803" << QList<int>{1, 6, 8, 3, 2, 11, 14}
                                 << QStringList{"275", "230", "220", "163", "147", "147", "146"} << 81 << 3;
        QTest::newRow("listening") << 2 << "ヒアリング出る順"
                                   << "474" << QList<int>{1, 8, 5, 6} << QStringList{"191", "168", "121", "121"} << 48
                                   << 4;
        QTest::newRow("written words") << 3 << "筆記単語出る順"
                                       << "304" << QList<int>{69, 47} << QStringList{"7", "6"} << 31 << 4;
        QTest::newRow("written sentences") << 4 << "筆記文出る順"
                                           << "612" << QList<int>{6, 1, 3} << QStringList{"109", "84", "70"} << 62 << 2;
    }

    void rankingsFromTheMenu()
    {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(QString, count);
        QFETCH(QList<int>, head);
        QFETCH(QStringList, counts);
        QFETCH(int, pages);
        QFETCH(int, rowsOnLast);
        frmTOC& menu = shownMenu();
        // Another ranking first: each opening rebuilds the list and starts on page 1.
        bool shown = false;
        screens->setShownHook([&](ScreenBase& s) {
            auto closer = qScopeGuard([&] { s.back(); });
            if (shown)
                return;
            shown = true;
            QTest::keyClick(&s, Qt::Key_PageDown);
        });
        QTest::mouseClick(labelOf(&menu, QStringLiteral("imgContents(%1)").arg(kind % 4 + 1)), Qt::LeftButton);
        QVERIFY(shown);

        bool checked = false;
        screens->setShownHook([&](ScreenBase& s) {
            auto closer = qScopeGuard([&] { s.back(); });
            auto& list = static_cast<frmListC&>(s);
            QCOMPARE(labelOf(&s, "lblType")->text(), title);
            QCOMPARE(labelOf(&s, "lblCount")->text(), count);
            QCOMPARE(labelOf(&s, "lblCPagenum")->text(), QStringLiteral("1"));
            QCOMPARE(labelOf(&s, "lblTPagenum")->text(), u'/' + QString::number(pages));
            QVERIFY(!labelOf(&s, "imgBefore")->isVisible() && !labelOf(&s, "lblBefore")->isVisible());
            QVERIFY(labelOf(&s, "imgNext")->isVisible() && labelOf(&s, "lblNext")->isVisible());
            QTest::keyClick(&s, Qt::Key_PageUp);
            QCOMPARE(list.pages().listPage(), 1);
            for (int r = 0; r < head.size(); ++r) {
                QCOMPARE(labelOf(&s, QStringLiteral("lblNo(%1)").arg(r))->text(), QStringLiteral("第%1位.").arg(r + 1));
                QCOMPARE(labelOf(&s, QStringLiteral("lblLatter(%1)").arg(r))->text(), counts[r]);
                QCOMPARE(labelOf(&s, QStringLiteral("imgTovak(%1)").arg(r))->pixmap().toImage(),
                         loadGlyph(head[r]).toImage());
            }
            for (int p = 1; p < pages; ++p)
                QTest::keyClick(&s, Qt::Key_PageDown);
            QTest::keyClick(&s, Qt::Key_PageDown);
            QCOMPARE(labelOf(&s, "lblCPagenum")->text(), QString::number(pages));
            QVERIFY(!labelOf(&s, "imgNext")->isVisible() && !labelOf(&s, "lblNext")->isVisible());
            QVERIFY(labelOf(&s, "imgBefore")->isVisible());
            for (int r = 0; r < 10; ++r) {
                QCOMPARE(labelOf(&s, QStringLiteral("imgTovak(%1)").arg(r))->isVisible(), r < rowsOnLast);
                QCOMPARE(labelOf(&s, QStringLiteral("lblNo(%1)").arg(r))->text().isEmpty(), r >= rowsOnLast);
            }
            QTest::mouseClick(labelOf(&s, "lblBefore"), Qt::LeftButton);
            QCOMPARE(labelOf(&s, "lblCPagenum")->text(), QString::number(pages - 1));
            checked = true;
        });
        QTest::mouseClick(labelOf(&menu, QStringLiteral("imgContents(%1)").arg(kind)), Qt::LeftButton);
        QVERIFY(checked);
        QCOMPARE(state->tovak->RankingKind, kind);
        QCOMPARE(state->tovak->maxcno, count.toInt() - 1);
        QVERIFY(screens->stack().isEmpty());
        QVERIFY(menu.isVisible());
    }

    void glyphOpensTheDetailOnItsRank()
    {
        frmTOC& menu = shownMenu();
        QStringList seen;
        QString pageAfter;
        screens->setShownHook([&](ScreenBase& s) {
            auto closer = qScopeGuard([&] { s.back(); });
            if (s.objectName() == QStringLiteral("frmListC")) {
                QTest::keyClick(&s, Qt::Key_PageDown);
                QTest::keyClick(&s, Qt::Key_PageDown);
                QTest::mouseClick(labelOf(&s, "imgTovak(4)"), Qt::LeftButton);
                pageAfter = labelOf(&s, "lblCPagenum")->text();
            } else {
                seen << labelOf(&s, "lblType")->text() << labelOf(&s, "lblCount(0)")->text()
                     << labelOf(&s, "lblCount(2)")->text();
                QTest::mouseClick(labelOf(&s, "lblNext"), Qt::LeftButton);
                seen << labelOf(&s, "lblCount(2)")->text();
            }
        });
        QTest::mouseClick(labelOf(&menu, "imgContents(1)"), Qt::LeftButton);
        QCOMPARE(seen, (QStringList{"総合出る順", "803語中", "第25位", "第26位"}));
        // Back from the detail returns to the list on the same page.
        QCOMPARE(pageAfter, QStringLiteral("3"));
        QCOMPARE(state->tovak->cno, 25);
        QVERIFY(screens->stack().isEmpty());
    }

    void glyphBorderFollowsTheMouse()
    {
        // Shown on its own: the offscreen platform hands the pointer to the
        // first window under it, which would be the menu beneath a modal list.
        state->tovak->initTables();
        state->tovak->RankingKind = 1;
        buildRanking(*state->tovak, 1);
        auto& list = screens->screen<frmListC>();
        list.init();
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QVERIFY(!list.glyphBordered(2));
        QTest::mouseMove(labelOf(&list, "imgTovak(2)"), {5, 5});
        QTRY_VERIFY(list.glyphBordered(2));
        QTest::mouseMove(labelOf(&list, "imgNext"), {5, 5});
        QTRY_VERIFY(list.button(QStringLiteral("Next"))->isHovered());
        QTest::mouseMove(labelOf(&list, "imgTovak(5)"), {5, 5});
        QTRY_VERIFY(list.glyphBordered(5));
        QVERIFY(list.glyphBordered(2));
        // The glyph keeps its place inside the border.
        QCOMPARE(labelOf(&list, "imgTovak(5)")->contentsRect().size(), QSize(23, 24));
        // Over the row's other labels the form is not bare.
        QTest::mouseMove(labelOf(&list, "lblLatter(5)"), {5, 5});
        QVERIFY(list.glyphBordered(5));
        QTest::mouseMove(&list, {5, 300});
        QTRY_VERIFY(!list.glyphBordered(2));
        QVERIFY(!list.glyphBordered(5));
        QVERIFY(!list.button(QStringLiteral("Next"))->isHovered());
    }
};

QTEST_MAIN(TestFrmListC)
#include "test_frmListC.moc"
