// Start-up and the main menu: what the learner sees first, the mascot table,
// the items' hover, help and the exit question from the menu.
#include "testsupport.h"

#include "ui/info/frmSplash.h"
#include "ui/menu/frmTOC.h"
#include "ui/messagebox.h"
#include "ui/pictures.h"
#include "ui/screenregistry.h"

#include <QComboBox>
#include <QDate>
#include <QtTest>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

QLabel* label(QWidget* w, const QString& name)
{
    auto* l = w->findChild<QLabel*>(name);
    if (!l)
        qFatal("no control %s", qPrintable(name));
    return l;
}

// Records what was ready at the moment the main menu first appeared.
class ShowWatcher : public QObject {
  public:
    std::function<void()> onMenuShown;

  protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show && o->objectName() == QStringLiteral("frmTOC") && onMenuShown) {
            onMenuShown();
            onMenuShown = nullptr;
        }
        return false;
    }
};

} // namespace

class TestFrmTOC : public QObject, public ScreenFixture {
    Q_OBJECT
  private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void startUpShowsTheMenuOnlyWhenEverythingIsReady()
    {
        startProgram(*screens);
        frmSplash* splash = screens->loadedScreen<frmSplash>();
        QVERIFY(splash && splash->isVisible());
        QVERIFY(!shownMainMenu(*screens));
        QVERIFY(!state->tovak->db.isLoaded());
        // The close box does not end (or hurry) the start.
        splash->close();
        QVERIFY(splash->isVisible());
        QCOMPARE(quits, 0);

        bool tablesReady = false, splashGone = false, coverageShown = false;
        int panda = 0;
        ShowWatcher watcher;
        watcher.onMenuShown = [&] {
            tablesReady = state->tovak->db.isLoaded();
            splashGone = !screens->loadedScreen<frmSplash>();
            frmTOC* menu = shownMainMenu(*screens);
            coverageShown =
                label(menu, QStringLiteral("lblMouraP"))->text() == QString::number(state->tovak->stats.pinyinCoverage);
            panda = menu->pandaNumber();
        };
        qApp->installEventFilter(&watcher);
        QTRY_VERIFY(shownMainMenu(*screens) && shownMainMenu(*screens)->isVisible());
        qApp->removeEventFilter(&watcher);
        QVERIFY(tablesReady);
        QVERIFY(splashGone);
        QVERIFY(coverageShown);
        QCOMPARE(panda, 1);
    }

    void firstRunWithoutStatisticsShowsZeros()
    {
        QVERIFY(!QFile::exists(state->iniPath()));
        state->tovak->initTables();
        finishStartup(*screens);
        frmTOC* menu = shownMainMenu(*screens);
        QCOMPARE(label(menu, QStringLiteral("lblMouraP"))->text(), QStringLiteral("0"));
        QCOMPARE(label(menu, QStringLiteral("lblMouraR"))->text(), QStringLiteral("0"));
        QCOMPARE(menu->pandaNumber(), 1);
        QCOMPARE(label(menu, QStringLiteral("imgPanda"))->pixmap().toImage(), Pictures::panda(1).toImage());
        // Everything Japanese on the first menu is drawn: typesetting any of it
        // would load a Japanese font and cost start-up some 3 MB and 6 ms.
        for (const QLabel* l : menu->findChildren<QLabel*>()) {
            const QString text = l->text();
            QVERIFY2(std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; }),
                     qPrintable(l->objectName() + QStringLiteral(": ") + text));
        }
    }

    void mascotFollowsThePercentages_data()
    {
        QTest::addColumn<QString>("pinyin");
        QTest::addColumn<QString>("translation");
        QTest::addColumn<int>("mascot");
        QTest::newRow("49") << "25"
                            << "24" << 1;
        QTest::newRow("50") << "25"
                            << "25" << 2;
        QTest::newRow("139") << "100"
                             << "39" << 2;
        QTest::newRow("140") << "70"
                             << "70" << 3;
        QTest::newRow("199") << "100"
                             << "99" << 3;
        QTest::newRow("200") << "100"
                             << "100" << 4;
    }
    void mascotFollowsThePercentages()
    {
        QFETCH(QString, pinyin);
        QFETCH(QString, translation);
        QFETCH(int, mascot);
        auto& menu = screens->screen<frmTOC>();
        state->tovak->stats.pinyinCoverage = pinyin.toInt();
        state->tovak->stats.translationCoverage = translation.toInt();
        menu.setPanda();
        QCOMPARE(menu.pandaNumber(), mascot);
        QCOMPARE(label(&menu, QStringLiteral("imgPanda"))->pixmap().toImage(), Pictures::panda(mascot).toImage());
    }

    void percentagesChangeAtOnceButTheMascotWaits()
    {
        auto& menu = screens->screen<frmTOC>();
        menu.setPanda();
        state->tovak->stats.pinyinCoverage = 80;
        state->tovak->stats.translationCoverage = 75;
        emit state->tovak->stats.coverageChanged();
        QCOMPARE(label(&menu, QStringLiteral("lblMouraP"))->text(), QStringLiteral("80"));
        QCOMPARE(label(&menu, QStringLiteral("lblMouraR"))->text(), QStringLiteral("75"));
        QCOMPARE(menu.pandaNumber(), 1);
    }

    void itemsLightUpOneByOneAndTheBareFormBlanksThem()
    {
        frmTOC& menu = shownMenu();
        QLabel* item2 = label(&menu, QStringLiteral("imgContents(2)"));
        QLabel* item5 = label(&menu, QStringLiteral("imgContents(5)"));
        QVERIFY(item2->pixmap().isNull());
        QTest::mouseMove(item2, {10, 10});
        QTRY_VERIFY(menu.button(QStringLiteral("Contents(2)"))->isHovered());
        QCOMPARE(item2->pixmap().toImage(), Pictures::contents(QStringLiteral("frmTOC"), 2).toImage());
        // Straight from one item to the next: only the item under the mouse lights.
        QTest::mouseMove(item5, {10, 10});
        QTRY_VERIFY(menu.button(QStringLiteral("Contents(5)"))->isHovered());
        QVERIFY(!menu.button(QStringLiteral("Contents(2)"))->isHovered());
        QTest::mouseMove(label(&menu, QStringLiteral("imgHelp")), {5, 5});
        QTRY_VERIFY(menu.button(QStringLiteral("Help"))->isHovered());

        QTest::mouseMove(&menu, {5, 590});
        QTRY_VERIFY(!menu.button(QStringLiteral("Contents(2)"))->isHovered());
        for (ImageButton* b : menu.buttons())
            QVERIFY2(!b->isHovered(), qPrintable(b->objectName()));
        QVERIFY(item2->pixmap().isNull());
        QCOMPARE(label(&menu, QStringLiteral("imgHelp"))->pixmap().toImage(), Pictures::btn(7).toImage());
    }

    // The switches and the review line look like the other controls: a picture
    // lit under the mouse (one control at a time), the ring when Tab reaches them.
    void switchesAndTheReviewLineLightUp_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("picture"); // the label that shows the picture
        QTest::addColumn<int>("rest");
        QTest::addColumn<int>("lit");
        QTest::newRow("音声 on") << u"lblSpeech"_s << u"lblSpeech"_s << 1 << 5;
        QTest::newRow("ゆっくり off") << u"lblSlow"_s << u"lblSlow"_s << 4 << 8;
        QTest::newRow("今日の復習") << u"lblReview"_s << u"imgReview"_s << 9 << 10;
    }
    void switchesAndTheReviewLineLightUp()
    {
        QFETCH(QString, control);
        QFETCH(QString, picture);
        QFETCH(int, rest);
        QFETCH(int, lit);
        frmTOC& menu = shownMenu();
        const auto today = static_cast<qint32>(QDate::currentDate().toJulianDay());
        for (size_t w = 1; w <= 3; ++w)
            state->tovak->stats.WordReviews[w] = reviewState(today - 10, 1.0);
        menu.showReviewCount();
        QLabel* target = label(&menu, control);
        QLabel* shown = label(&menu, picture);
        QVERIFY(target->isVisible() && shown->isVisible());
        QCOMPARE(shown->pixmap().toImage(), Pictures::speechSwitch(rest).toImage());
        QTest::mouseMove(label(&menu, u"imgContents(2)"_s), {10, 10});
        QTRY_VERIFY(menu.button(u"Contents(2)"_s)->isHovered());
        QTest::mouseMove(target, {8, 8});
        QTRY_COMPARE(shown->pixmap().toImage(), Pictures::speechSwitch(lit).toImage());
        QVERIFY(!menu.button(u"Contents(2)"_s)->isHovered());
        QTest::mouseMove(label(&menu, u"imgContents(5)"_s), {10, 10});
        QTRY_COMPARE(shown->pixmap().toImage(), Pictures::speechSwitch(rest).toImage());
        QTest::mouseMove(target, {8, 8});
        QTest::mouseMove(&menu, {5, 590});
        QTRY_COMPARE(shown->pixmap().toImage(), Pictures::speechSwitch(rest).toImage());
        // Tab reaches it and the ring marks it.
        target->setFocus(Qt::TabFocusReason);
        auto* ring = menu.findChild<QWidget*>(u"focusRing"_s);
        QVERIFY(ring && ring->isVisible());
        QVERIFY(ring->geometry().contains(target->geometry()));
        QVERIFY(tabOrder(&menu).contains(control));
    }

    // Back on the menu, the item clicked to leave it is no longer lit, and every
    // screen opened over another lies exactly over it.
    void backOnTheMenuNothingIsLitAndScreensOpenOverTheirOpener()
    {
        frmTOC& menu = shownMenu();
        menu.move(140, 90);
        QPoint aboutPos, helpPos;
        QRect aboutGeometry;
        screens->setShownHook([&](ScreenBase& s) {
            auto closer = qScopeGuard([&] { s.back(); });
            if (s.objectName() == QStringLiteral("frmAbout")) {
                aboutPos = s.pos();
                aboutGeometry = s.geometry();
                (void)screens->showHelp(0, &s);
            } else {
                helpPos = s.pos();
            }
        });
        QTest::mouseMove(label(&menu, QStringLiteral("imgContents(6)")), {10, 10});
        QTRY_VERIFY(menu.button(QStringLiteral("Contents(6)"))->isHovered());
        QTest::mouseClick(label(&menu, QStringLiteral("imgPanda")), Qt::LeftButton);
        QVERIFY(screens->stack().isEmpty());
        for (ImageButton* b : menu.buttons())
            QVERIFY2(!b->isHovered(), qPrintable(b->objectName()));
        QCOMPARE(aboutPos, menu.pos());
        QCOMPARE(aboutGeometry, menu.geometry());
        QCOMPARE(helpPos, aboutPos);
    }

    void theReviewLineOpensTodaysReview_data()
    {
        QTest::addColumn<int>("due");
        QTest::newRow("nothing due") << 0;
        QTest::newRow("three due") << 3;
    }
    void theReviewLineOpensTodaysReview()
    {
        QFETCH(int, due);
        const qint32 today = static_cast<qint32>(QDate::currentDate().toJulianDay());
        ReviewTable reviews{};
        for (size_t w = 1; w <= static_cast<size_t>(due); ++w)
            reviews[w] = reviewState(today - 10, 5);
        reviews[20] = reviewState(today - 1, 30); // graded yesterday: not due
        QVERIFY(writeReviewIni(state->iniPath(), reviews));
        frmTOC& menu = shownMenu();
        QLabel* line = label(&menu, QStringLiteral("lblReview"));
        QCOMPARE(line->isVisible(), due > 0);
        QCOMPARE(tabOrder(&menu).contains(QStringLiteral("lblReview")), due > 0);
        if (due == 0)
            return;
        const QString text = QStringLiteral("今日の復習：%1語").arg(due);
        QCOMPARE(line->text(), text);
        QCOMPARE(line->accessibleName(), text);
        QVERIFY(accessibilityFaults(&menu).isEmpty());

        QString condition, count;
        bool masked = true;
        screens->setShownHook([&](ScreenBase& search) {
            const auto guard = qScopeGuard([&] { search.ScreenBase::back(); });
            condition = search.findChild<QComboBox*>(QStringLiteral("cmbReview"))->currentText();
            count = label(&search, QStringLiteral("lblCount_is"))->text();
            masked = label(&search, QStringLiteral("imgSmask"))->isVisible();
            // A grading meanwhile takes the word off today's list.
            state->tovak->stats.recordReview(1, true, today);
        });
        QTest::keyClick(line, Qt::Key_Space);
        QCOMPARE(condition, QStringLiteral("今日の復習"));
        QCOMPARE(count, QString::number(due));
        QVERIFY(!masked);
        QCOMPARE(state->tovak->CurrentWordCount, due);
        QCOMPARE(line->text(), QStringLiteral("今日の復習：%1語").arg(due - 1));
    }

    void keysAndEnterDoNothingOnTheMenu()
    {
        frmTOC& menu = shownMenu();
        for (Qt::Key k : {Qt::Key_Escape, Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_F5, Qt::Key_Return, Qt::Key_Enter})
            QTest::keyClick(&menu, k);
        QVERIFY(menu.isVisible());
        QVERIFY(screens->stack().isEmpty());
        QCOMPARE(MsgBox::shownCount(), 0);
    }

    void helpOpensAtTheContentsAndEscReturnsToTheMenuUnchanged_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("help button") << false;
        QTest::newRow("F1") << true;
    }

    void helpOpensAtTheContentsAndEscReturnsToTheMenuUnchanged()
    {
        QFETCH(bool, byKey);
        frmTOC& menu = shownMenu();
        label(&menu, QStringLiteral("lblMouraP"))->setText(QStringLiteral("12"));
        QString title;
        bool nextOnly = false;
        screens->setShownHook([&](ScreenBase& help) {
            title = label(&help, QStringLiteral("lblType"))->text();
            nextOnly = label(&help, QStringLiteral("imgNext"))->isVisible() &&
                       !label(&help, QStringLiteral("imgBefore"))->isVisible();
            QCOMPARE(help.parentWidget(), &menu);
            QTest::keyClick(&help, Qt::Key_Escape);
        });
        if (byKey)
            QTest::keyClick(&menu, Qt::Key_F1);
        else
            QTest::mouseClick(label(&menu, QStringLiteral("imgHelp")), Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("ヘルプ目次"));
        QVERIFY(nextOnly);
        QVERIFY(!screens->loaded(QStringLiteral("frmHelp")));
        QVERIFY(menu.isVisible());
        QCOMPARE(label(&menu, QStringLiteral("lblMouraP"))->text(), QStringLiteral("12"));
        QCOMPARE(quits, 0);
    }

    void exitAsksAndNoKeepsTheMenu()
    {
        frmTOC& menu = shownMenu();
        MsgBox::setNextAnswer(QMessageBox::No);
        QTest::mouseClick(label(&menu, QStringLiteral("imgExit")), Qt::LeftButton);
        QCOMPARE(MsgBox::last().text, QStringLiteral("本当に終了しますか？"));
        QVERIFY(menu.isVisible());
        QCOMPARE(quits, 0);

        // The close box asks the same question.
        MsgBox::setNextAnswer(QMessageBox::No);
        menu.close();
        QCOMPARE(MsgBox::shownCount(), 2);
        QVERIFY(menu.isVisible());

        MsgBox::setNextAnswer(QMessageBox::Yes);
        menu.close();
        QVERIFY(screens->isQuitting());
        QVERIFY(!menu.isVisible());
        QCOMPARE(quits, 1);
    }

    void yesFromTheHelpOverTheAboutBoxEndsEverything()
    {
        frmTOC& menu = shownMenu();
        bool aboutFollowUpRan = false;
        screens->setShownHook([&](ScreenBase& s) {
            if (s.objectName() == QStringLiteral("frmAbout")) {
                if (!screens->showHelp(0, &s))
                    return;
                aboutFollowUpRan = true;
            } else {
                MsgBox::setNextAnswer(QMessageBox::Yes);
                screens->confirmExit(&s);
            }
        });
        QTest::mouseClick(label(&menu, QStringLiteral("imgPanda")), Qt::LeftButton);
        QVERIFY(!aboutFollowUpRan);
        QVERIFY(screens->isQuitting());
        QVERIFY(!screens->loaded(QStringLiteral("frmAbout")));
        QVERIFY(!screens->loaded(QStringLiteral("frmHelp")));
        QVERIFY(!menu.isVisible());
        QCOMPARE(quits, 1);
    }
};

QTEST_MAIN(TestFrmTOC)
#include "test_frmTOC.moc"
