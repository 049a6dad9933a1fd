// What a screen reader and a keyboard user meet on every screen: each
// clickable picture is a named push button that Tab reaches in reading order
// and Space or the press action clicks; the glyphs read as their characters.
#include "drilldriver.h"
#include "testsupport.h"

#include "core/browse/rankings.h"
#include "core/info/helppages.h"
#include "core/tovak.h"
#include "ui/browse/frmChar.h"
#include "ui/browse/frmExamListC.h"
#include "ui/browse/frmExamTOC.h"
#include "ui/browse/frmListC.h"
#include "ui/clickable.h"
#include "ui/drills/drillscreen.h"
#include "ui/drills/frmListDui.h"
#include "ui/info/frmAbout.h"
#include "ui/info/frmHelp.h"
#include "ui/info/frmSplash.h"
#include "ui/menu/frmTOC.h"
#include "ui/pictures.h"
#include "ui/screenregistry.h"
#include "ui/selection/frmSearch.h"

#include <QAccessible>
#include <QLineEdit>
#include <QtTest>

namespace {

// A 780x600 screen reads the header's help and exit, its body, then its bottom row.
QStringList framed(const QStringList& body, const QStringList& bottom)
{
    return QStringList{QStringLiteral("imgHelp"), QStringLiteral("imgExit")} + body + bottom;
}

// Once graded, each row's speaker follows its box.
QStringList boxes(int count, bool speakers = false)
{
    QStringList out;
    for (int r = 0; r < count; ++r) {
        out << QStringLiteral("txtTerm(%1)").arg(r);
        if (speakers)
            out << QStringLiteral("imgSpeaker(%1)").arg(r);
    }
    return out;
}

QStringList speakers(int rows)
{
    QStringList out;
    for (int r = 0; r < rows; ++r)
        out << QStringLiteral("imgSpeaker(%1)").arg(r);
    return out;
}

// The speaker and the four choices of each row, row by row; once everything
// was right, the speakers alone.
QStringList choices(int rows, bool reacting = true)
{
    QStringList out;
    for (int r = 0; r < rows; ++r) {
        out << QStringLiteral("imgSpeaker(%1)").arg(r);
        for (int j = 1; reacting && j <= 4; ++j)
            out << QStringLiteral("lblJp%1(%2)").arg(j).arg(r);
    }
    return out;
}

QStringList glyphs()
{
    QStringList out;
    for (int r = 0; r < 10; ++r)
        out << QStringLiteral("imgTovak(%1)").arg(r);
    return out;
}

} // namespace

class TestAccessibility : public QObject, public ScreenFixture {
    Q_OBJECT
  private:
    // The screen of a row in the state its name gives ("frmListP2-graded"),
    // loaded and shown as the program shows it.
    ScreenBase* openScreen(const QString& name)
    {
        Tovak& t = *state->tovak;
        const QString screen = name.section(QLatin1Char('-'), 0, 0);
        const QString how = name.section(QLatin1Char('-'), 1);
        if (screen != QLatin1String("frmSplash") && !t.db.isLoaded())
            t.initTables();
        ScreenBase* s = nullptr;
        if (screen == QLatin1String("frmTOC")) {
            finishStartup(*screens);
            s = shownMainMenu(*screens);
        } else if (screen == QLatin1String("frmHelp")) {
            auto& help = screens->screen<frmHelp>();
            help.setHelp(static_cast<qint16>(how.toInt()));
            s = &help;
        } else if (screen == QLatin1String("frmAbout")) {
            s = &screens->screen<frmAbout>();
        } else if (screen == QLatin1String("frmSplash")) {
            s = &screens->screen<frmSplash>();
        } else if (screen == QLatin1String("frmSearch")) {
            if (how.contains(QLatin1String("pinyin")))
                t.stats.pinyinCoverage = 60;
            s = &screens->screen<frmSearch>();
            if (how.startsWith(QLatin1String("found")))
                clickButton(s, QStringLiteral("Search(0)")); // every word
        } else if (screen.startsWith(QLatin1String("frmList")) && screen != QLatin1String("frmListC")) {
            s = openWordScreen(screen, how);
        } else if (screen == QLatin1String("frmListC") || screen == QLatin1String("frmChar")) {
            t.RankingKind = 1;
            buildRanking(t, 1);
            setFrmChar_maxcno(t, static_cast<qint16>(t.CurrentCharCount - 1));
            if (screen == QLatin1String("frmListC")) {
                auto& list = screens->screen<frmListC>();
                list.init();
                s = &list;
            } else {
                // "frmChar-6-next": the character of ckey 6, then one step on.
                t.cno =
                    static_cast<qint16>(t.CurrentCharList.indexOf(static_cast<qint16>(how.section('-', 0, 0).toInt())));
                auto& detail = screens->screen<frmChar>();
                detail.setFrmChar(t.CurrentCharList[t.cno]);
                if (how.endsWith(QLatin1String("next")))
                    clickButton(&detail, QStringLiteral("Next"));
                s = &detail;
            }
        } else if (screen == QLatin1String("frmExamTOC")) {
            s = &screens->screen<frmExamTOC>();
        } else if (screen == QLatin1String("frmExamListC")) {
            auto& list = screens->screen<frmExamListC>();
            list.setInit(static_cast<ExamListKind>(how.toInt()));
            setFrmChar_maxcno(t, static_cast<qint16>(t.CurrentCharCount - 1));
            list.init();
            s = &list;
        }
        if (s) {
            s->show();
            if (!QTest::qWaitForWindowExposed(s))
                return nullptr;
        }
        return s;
    }

    // A drill or the answer list: "answering" on 13 (choice drill 11) words,
    // "graded" with every second word wrong (grade button shown, last page),
    // "right" with one page all right (grade button hidden); the answer list
    // on 13 words, "last" on its second page.
    ScreenBase* openWordScreen(const QString& screen, const QString& how)
    {
        Tovak& t = *state->tovak;
        const bool choice = screen == QLatin1String("frmListR");
        if (screen == QLatin1String("frmListDui")) {
            openOn(t, firstWords(13));
            auto& list = screens->screen<frmListDui>();
            if (how == QLatin1String("last"))
                QTest::keyClick(&list, Qt::Key_PageDown);
            return &list;
        }
        const bool allRight = how == QLatin1String("right");
        openOn(t, firstWords(allRight ? (choice ? 10 : 12) : (choice ? 11 : 13)));
        DrillScreen& d = loadDrill(*screens, screen);
        if (how == QLatin1String("answering"))
            return &d;
        d.show();
        answerAll(&d, t, [allRight](int p) { return allRight || p % 2 == 0; });
        QTest::keyClick(&d, Qt::Key_F5);
        return &d;
    }

    // A screen opened from the one under test is counted and closed at once.
    void closeEveryScreenShown(int& count)
    {
        screens->setShownHook([&count](ScreenBase& shown) {
            ++count;
            shown.back();
        });
    }

    static QAccessibleInterface* control(ScreenBase* s, const QString& name)
    {
        auto* w = s->findChild<QWidget*>(name);
        return w ? QAccessible::queryAccessibleInterface(w) : nullptr;
    }

  private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void everyClickableControlIsANamedButton_data()
    {
        QTest::addColumn<QString>("screen");
        for (const char* s : {"frmTOC",
                              "frmHelp-0",
                              "frmHelp-4",
                              "frmHelp-7",
                              "frmAbout",
                              "frmSplash",
                              "frmSearch",
                              "frmSearch-found-pinyin",
                              "frmListP2-answering",
                              "frmListP2-graded",
                              "frmListP2-right",
                              "frmListP1-answering",
                              "frmListP1-graded",
                              "frmListP1-right",
                              "frmListR-answering",
                              "frmListR-graded",
                              "frmListR-right",
                              "frmListDui",
                              "frmListDui-last",
                              "frmListC",
                              "frmChar-1",
                              "frmChar-14",
                              "frmExamTOC",
                              "frmExamListC-1",
                              "frmExamListC-2"})
            QTest::newRow(s) << s;
    }

    void everyClickableControlIsANamedButton()
    {
        QFETCH(QString, screen);
        ScreenBase* s = openScreen(screen);
        QVERIFY(s);
        const QStringList faults = accessibilityFaults(s);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        QCOMPARE(QAccessible::queryAccessibleInterface(s)->text(QAccessible::Name), QStringLiteral("ルメナ　～四級～"));
    }

    void controlsAreNamedByCaptionOrPurpose_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("button"); // else a picture that only shows
        const auto row = [](const char* tag, const char* screen, const char* control, const char* name,
                            bool button = true) {
            QTest::newRow(tag) << QString::fromUtf8(screen) << QString::fromUtf8(control) << QString::fromUtf8(name)
                               << button;
        };
        row("menu item 1", "frmTOC", "imgContents(1)", "総合出る順");
        row("menu item 6", "frmTOC", "imgContents(6)", "第51回試験必勝分析");
        row("menu help", "frmTOC", "imgHelp", "ヘルプ");
        row("menu exit", "frmTOC", "imgExit", "終了");
        row("mascot", "frmTOC", "imgPanda", "このソフトについて");
        row("help next", "frmHelp-3", "imgNext", "次へ");
        row("help back", "frmHelp-3", "imgBack", "閉じる");
        row("help exit", "frmHelp-3", "imgExit", "終了");
        row("help entry", "frmHelp-0", "lblContents(0)", "１．はじめに");
        row("web link", "frmAbout", "lblURL", "https://rumena.example.org/");
        row("search", "frmSearch", "imgSearch(3)", "検索");
        row("review search", "frmSearch", "imgSearch(6)", "検索");
        row("launch", "frmSearch-found", "imgR", "日訳を解答");
        row("launch by ear", "frmSearch-found", "imgLP", "聞き取り声調");
        row("detail drill by ear", "frmChar-1", "imgLP1", "聞き取りﾋﾟﾝｲﾝ");
        row("grade", "frmListP2-answering", "imgGrade", "採点");
        row("retest", "frmListP1-graded", "imgGrade", "誤答再試験");
        row("ranking glyph", "frmListC", "imgTovak(0)", "我");
        row("detail drill", "frmChar-1", "imgP1", "ﾋﾟﾝｲﾝを解答");
        row("exam item 1", "frmExamTOC", "imgContents(1)", "出現漢字完全網羅");
        row("exam item 2", "frmExamTOC", "imgContents(2)", "ヒアリング漢字網羅");
        row("exam item 3", "frmExamTOC", "imgContents(3)", "筆記漢字網羅");
        row("exam glyph", "frmExamListC-1", "imgTovak(0)", "我");
        // Glyphs that only show read as their character too. Word 1 is 安静.
        row("drill row", "frmListP2-answering", "imgTovak2(0)", "静", false);
        row("no third character", "frmListP1-answering", "imgTovak3(0)", "", false);
        row("choice drill row", "frmListR-answering", "imgTovak1(0)", "安", false);
        row("answer list", "frmListDui", "imgTovak1(0)", "安", false);
        row("row past the end", "frmListDui-last", "imgTovak1(1)", "", false);
        row("detail", "frmChar-1", "imgChar", "我", false);
        row("related word", "frmChar-1", "imgTovak2(1)", "们", false);
        // From 16 related words to 2: the rows emptied read as nothing.
        row("stepped", "frmChar-6-next", "imgChar", "你", false);
        row("emptied related row", "frmChar-6-next", "imgTovak1(2)", "", false);
    }

    void controlsAreNamedByCaptionOrPurpose()
    {
        QFETCH(QString, screen);
        QFETCH(QString, control);
        QFETCH(QString, name);
        QFETCH(bool, button);
        ScreenBase* s = openScreen(screen);
        QVERIFY(s);
        QAccessibleInterface* iface = TestAccessibility::control(s, control);
        QVERIFY2(iface, qPrintable(control));
        QCOMPARE(iface->role() == QAccessible::Button, button);
        QCOMPARE(iface->text(QAccessible::Name), name);
    }

    void aButtonIsRenamedWithItsCaption()
    {
        // The drills turn "採点" into "誤答再試験"; the screen reader must follow.
        ScreenBase* s = openScreen(QStringLiteral("frmHelp-3"));
        QVERIFY(s);
        s->button(QStringLiteral("Back"))->caption()->setText(QStringLiteral("誤答再試験"));
        QCOMPARE(control(s, QStringLiteral("imgBack"))->text(QAccessible::Name), QStringLiteral("誤答再試験"));
    }

    void glyphsAreNamedByTheirCharacter_data()
    {
        QTest::addColumn<int>("ckey");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << 1 << "我";
        QTest::newRow("second") << 2 << "的";
        QTest::newRow("no character") << 804 << "";
        QTest::newRow("outside the set") << 0 << "";
    }

    void glyphsAreNamedByTheirCharacter()
    {
        QFETCH(int, ckey);
        QFETCH(QString, name);
        state->tovak->initTables();
        QLabel glyph;
        showGlyph(&glyph, state->tovak->db, ckey);
        QCOMPARE(glyph.accessibleName(), name);
        QCOMPARE(glyph.pixmap().cacheKey(), loadGlyph(ckey).cacheKey());
    }

    void choicesAreNamedByTheirText()
    {
        ScreenBase* s = openScreen(QStringLiteral("frmListR-answering"));
        QVERIFY(s);
        const Tovak& t = *state->tovak;
        for (int r = 0; r < 10; ++r) {
            for (int j = 0; j < 4; ++j) {
                QAccessibleInterface* iface = control(s, QStringLiteral("lblJp%1(%2)").arg(j + 1).arg(r));
                QVERIFY(iface);
                QCOMPARE(iface->role(), QAccessible::Button);
                QCOMPARE(iface->text(QAccessible::Name), t.ChoiceSets[r][j]);
            }
        }
    }

    void maskedLaunchButtonsCannotBePressed()
    {
        ScreenBase* s = openScreen(QStringLiteral("frmSearch"));
        QVERIFY(s);
        int shownScreens = 0;
        closeEveryScreenShown(shownScreens);
        for (const char* name : {"imgDui", "imgP", "imgR"}) {
            QAccessibleInterface* iface = control(s, QString::fromLatin1(name));
            QVERIFY(iface->state().disabled);
            iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        }
        QCOMPARE(shownScreens, 0);
        clickButton(s, QStringLiteral("Search(0)"));
        control(s, QStringLiteral("imgDui"))->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(shownScreens, 1);
    }

    void tabFollowsReadingOrder_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QStringList>("order");
        // The speech switches stand under the left column's items.
        QTest::newRow("main menu") << "frmTOC" << QStringList{"imgHelp",        "imgExit",        "imgContents(6)",
                                                              "imgContents(5)", "imgContents(7)", "imgContents(8)",
                                                              "lblSpeech",      "lblSlow",        "imgContents(1)",
                                                              "imgContents(2)", "imgContents(3)", "imgContents(4)",
                                                              "imgPanda"};
        QStringList contents{"imgExit"};
        for (int k = 0; k < HelpTopicCount; ++k)
            contents << QStringLiteral("lblContents(%1)").arg(k);
        QTest::newRow("help contents") << "frmHelp-0"
                                       << (contents << "imgNext"
                                                    << "imgBack");
        QTest::newRow("help page") << "frmHelp-4" << QStringList{"imgExit", "imgBefore", "imgNext", "imgBack"};
        QTest::newRow("help last page") << QStringLiteral("frmHelp-%1").arg(LastHelpPage)
                                        << QStringList{"imgExit", "imgBefore", "imgBack"};
        QTest::newRow("about") << "frmAbout" << QStringList{"lblURL"};

        // Each condition, then its button; the launch buttons only once unmasked.
        QStringList search{"txtFreeWord", "imgSearch(0)"};
        for (const char* combo : {"cmbRandom", "cmbGenre", "cmbCharnum", "cmdWeakpoint", "cmbSpinyin", "cmbReview"})
            search << combo << QStringLiteral("imgSearch(%1)").arg(search.size() / 2);
        QTest::newRow("search") << "frmSearch" << framed(search, {"imgBack"});
        QTest::newRow("search, found") << "frmSearch-found-pinyin"
                                       << framed(search,
                                                 {"imgLP", "imgLP1", "imgDui", "imgP", "imgP1", "imgR", "imgBack"});
        // The boxes down the left column, then down the right one.
        QTest::newRow("tone drill") << "frmListP2-answering" << framed(boxes(12), {"imgGrade", "imgNext", "imgBack"});
        QTest::newRow("pinyin drill, graded")
            << "frmListP1-graded" << framed(boxes(1, true), {"imgGrade", "imgBefore", "imgBack"});
        QTest::newRow("tone drill, all right") << "frmListP2-right" << framed(boxes(12, true), {"imgBack"});
        QTest::newRow("choice drill") << "frmListR-answering"
                                      << framed(choices(10), {"imgGrade", "imgNext", "imgBack"});
        QTest::newRow("choice drill, graded")
            << "frmListR-graded" << framed(choices(1), {"imgGrade", "imgBefore", "imgBack"});
        // Everything was right: the choices no longer react, so Tab passes them by; the speakers stay.
        QTest::newRow("choice drill, all right") << "frmListR-right" << framed(choices(10, false), {"imgBack"});
        QTest::newRow("answer list") << "frmListDui" << framed(speakers(12), {"imgNext", "imgBack"});
        QTest::newRow("ranking") << "frmListC" << framed(glyphs(), {"imgNext", "imgBack"});
        // The readings' speakers, the related words' speakers, the drill buttons.
        QTest::newRow("detail") << "frmChar-1"
                                << framed(QStringList{"imgReading(0)"} + speakers(4) +
                                              QStringList{"imgP", "imgP1", "imgR", "imgDui", "imgLP", "imgLP1"},
                                          {"imgNext", "imgBack"});
        QTest::newRow("detail, no related word")
            << "frmChar-14" << framed({"imgReading(0)", "imgReading(1)"}, {"imgBefore", "imgNext", "imgBack"});
        QTest::newRow("exam menu") << "frmExamTOC"
                                   << framed({"imgContents(1)", "imgContents(2)", "imgContents(3)"}, {"imgBack"});
        QTest::newRow("exam list") << "frmExamListC-2" << framed(glyphs(), {"imgNext", "imgBack"});
    }

    void tabFollowsReadingOrder()
    {
        QFETCH(QString, screen);
        QFETCH(QStringList, order);
        ScreenBase* s = openScreen(screen);
        QVERIFY(s);
        // Round from the screen itself, wherever the focus opened.
        s->setFocus();
        QCOMPARE(tabOrder(s), order);
    }

    void theFocusOpensInTheFirstTextBox_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("focus");
        // A screen without a text box keeps the focus itself.
        const std::pair<const char*, const char*> rows[] = {{"frmSearch", "txtFreeWord"},
                                                            {"frmListP2-answering", "txtTerm(0)"},
                                                            {"frmListP1-answering", "txtTerm(0)"},
                                                            {"frmListR-answering", "frmListR"},
                                                            {"frmListC", "frmListC"},
                                                            {"frmChar-1", "frmChar"}};
        for (const auto& [screen, focus] : rows)
            QTest::newRow(screen) << QString::fromLatin1(screen) << QString::fromLatin1(focus);
    }

    void theFocusOpensInTheFirstTextBox()
    {
        QFETCH(QString, screen);
        QFETCH(QString, focus);
        ScreenBase* s = openScreen(screen);
        QVERIFY(s);
        s->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s));
        QVERIFY(QApplication::focusWidget());
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        if (!focus.startsWith(QLatin1String("txtTerm")))
            return;
        // A page turn by Space on the next button lands in the first box again.
        QWidget* next = s->findChild<QWidget*>(QStringLiteral("imgNext"));
        next->setFocus(Qt::TabFocusReason);
        QTest::keyClick(next, Qt::Key_Space);
        QCOMPARE(state->tovak->CurrentPage, 2);
        QCOMPARE(QApplication::focusWidget(), s->findChild<QWidget*>(QStringLiteral("txtTerm(0)")));
    }

    void spaceAndThePressActionClickButTheMouseLeavesNoRing()
    {
        ScreenBase* menu = openScreen(QStringLiteral("frmTOC"));
        QVERIFY(menu);
        int helpShown = 0;
        closeEveryScreenShown(helpShown);
        QWidget* imgHelp = menu->findChild<QWidget*>(QStringLiteral("imgHelp"));
        auto* ring = menu->findChild<QWidget*>(QStringLiteral("focusRing"));
        QVERIFY(!ring || ring->isHidden());

        QTest::mouseClick(imgHelp, Qt::LeftButton);
        QCOMPARE(helpShown, 1);
        QVERIFY(!imgHelp->hasFocus());
        QVERIFY(!isClickable(QApplication::focusWidget())); // the menu opened with no control selected

        // Round the whole chain and back to the help button.
        QCOMPARE(tabOrder(menu).value(0), QStringLiteral("imgHelp"));
        QVERIFY(imgHelp->hasFocus());
        ring = menu->findChild<QWidget*>(QStringLiteral("focusRing"));
        QVERIFY(ring && ring->isVisible());
        QVERIFY(ring->geometry().contains(imgHelp->geometry()));
        QTest::keyClick(imgHelp, Qt::Key_Space);
        QCOMPARE(helpShown, 2);
        QTest::keyClick(imgHelp, Qt::Key_Return); // Enter presses nothing
        QCOMPARE(helpShown, 2);

        control(menu, QStringLiteral("imgHelp"))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(helpShown, 3);
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
