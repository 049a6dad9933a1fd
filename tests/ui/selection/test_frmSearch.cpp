// The word search screen: refusals, results and the mask, the pinyin drill's
// offer, the launch buttons, the keys and the search buttons' hover.
#include "drilldriver.h"
#include "testsupport.h"

#include "core/voice.h"
#include "ui/layout.h"
#include "ui/messagebox.h"
#include "ui/pictures.h"
#include "ui/screenregistry.h"
#include "ui/selection/frmSearch.h"

#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

void choose(QWidget* search, const QString& combo, const QString& item)
{
    auto* c = search->findChild<QComboBox*>(combo);
    QVERIFY(c);
    c->setCurrentIndex(c->findText(item));
    QVERIFY(c->currentIndex() >= 0);
}

QLineEdit* freeWordBox(QWidget* search)
{
    return search->findChild<QLineEdit*>(u"txtFreeWord"_s);
}

bool masked(QWidget* search)
{
    return labelOf(search, u"imgSmask"_s)->isVisible();
}

} // namespace

class TestFrmSearch : public QObject, public ScreenFixture {
    Q_OBJECT
  private slots:
    void init() { setUp(true); }
    void cleanup() { tearDown(); }

    void refusalsChangeNothing_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("combo");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<bool>("searchedBefore");
        QTest::newRow("random, just opened") << 1 << u"cmbRandom"_s << u"問題数を選んでください"_s << false;
        QTest::newRow("genre") << 2 << u"cmbGenre"_s << u"ジャンルを選んでください"_s << true;
        QTest::newRow("characters") << 3 << u"cmbCharnum"_s << u"文字数を選んでください"_s << true;
        QTest::newRow("weak point") << 4 << u"cmdWeakpoint"_s << u"正答率を選んでください"_s << true;
        QTest::newRow("tone, just opened") << 5 << u"cmbSpinyin"_s << u"声調を選んでください"_s << false;
        QTest::newRow("review") << 6 << u"cmbReview"_s << u"復習の範囲を選んでください"_s << true;
    }
    void refusalsChangeNothing()
    {
        QFETCH(int, row);
        QFETCH(QString, combo);
        QFETCH(QString, prompt);
        QFETCH(bool, searchedBefore);
        auto& s = screens->screen<frmSearch>();
        s.show();
        auto* c = s.findChild<QComboBox*>(combo);
        QVERIFY(!c->isEditable());
        QCOMPARE(c->currentIndex(), -1);
        QCOMPARE(c->placeholderText(), prompt);
        if (searchedBefore) {
            freeWordBox(&s)->setText(u"ma"_s);
            clickButton(&s, u"Search(0)"_s);
        }
        const QString count = labelOf(&s, u"lblCount_is"_s)->text();
        const QList<qint16> list = state->tovak->CurrentWordList;
        const bool wasMasked = masked(&s);
        QCOMPARE(wasMasked, !searchedBefore);

        MsgBox::setNextAnswer(QMessageBox::Ok);
        clickButton(&s, u"Search(%1)"_s.arg(row));
        QCOMPARE(MsgBox::last().text, prompt);
        QCOMPARE(MsgBox::last().title, MsgBox::programTitle());
        QCOMPARE(labelOf(&s, u"lblCount_is"_s)->text(), count);
        QCOMPARE(state->tovak->CurrentWordList, list);
        QCOMPARE(masked(&s), wasMasked);
    }

    void resultsAndTheMask_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<int>("found");
        QTest::newRow("empty free text") << 0 << QString() << 500;
        QTest::newRow("one translation") << 0 << u"ジャスミン茶"_s << 1;
        QTest::newRow("nothing") << 0 << u"zzz"_s << 0;
        QTest::newRow("5 questions") << 1 << u"5問"_s << 5;
        QTest::newRow("weak points before any drill") << 4 << u"日訳正答率50%以下"_s << 0;
        QTest::newRow("4+4") << 5 << u"4声＋4声"_s << 52;
        QTest::newRow("nothing due this week") << 6 << u"今週中に復習"_s << 0;
    }
    void resultsAndTheMask()
    {
        QFETCH(int, row);
        QFETCH(QString, condition);
        QFETCH(int, found);
        auto& s = screens->screen<frmSearch>();
        s.show();
        QCOMPARE(labelOf(&s, u"lblCount_is"_s)->text(), u"0"_s);
        // A search that found words first; only the clicked row's condition counts after it.
        choose(&s, u"cmbRandom"_s, u"40問"_s);
        clickButton(&s, u"Search(1)"_s);
        QVERIFY(!masked(&s));
        const QStringList combos = {QString(),         u"cmbRandom"_s,  u"cmbGenre"_s, u"cmbCharnum"_s,
                                    u"cmdWeakpoint"_s, u"cmbSpinyin"_s, u"cmbReview"_s};
        if (row == 0)
            freeWordBox(&s)->setText(condition);
        else
            choose(&s, combos[row], condition);
        MsgBox::resetRecord();
        if (found == 0)
            MsgBox::setNextAnswer(QMessageBox::Ok);
        clickButton(&s, u"Search(%1)"_s.arg(row));
        QCOMPARE(labelOf(&s, u"lblCount_is"_s)->text(), QString::number(found));
        QCOMPARE(state->tovak->CurrentWordCount, found);
        QCOMPARE(masked(&s), found == 0);
        QCOMPARE(MsgBox::shownCount(), found == 0 ? 1 : 0);
        if (found == 0)
            QCOMPARE(MsgBox::last().text, u"検索条件に該当する問題はありませんでした"_s);

        if (found == 1) {
            int rows = 0;
            screens->setShownHook([&](ScreenBase& list) {
                for (int r = 0; r < 12; ++r)
                    rows += labelOf(&list, u"lblNo(%1)"_s.arg(r))->text().isEmpty() ? 0 : 1;
                list.back();
            });
            clickButton(&s, u"Dui"_s);
            QCOMPARE(rows, 1);
        }
    }

    void thePinyinDrillIsOfferedAboveFifty_data()
    {
        QTest::addColumn<int>("pinyinWords");
        QTest::addColumn<QString>("percent");
        QTest::newRow("50") << 9 << u"50"_s;
        QTest::newRow("51") << 10 << u"51"_s;
    }
    void thePinyinDrillIsOfferedAboveFifty()
    {
        QFETCH(int, pinyinWords);
        QFETCH(QString, percent);
        Statistics& st = state->tovak->stats;
        // Every word right in the tone drill, a few in the pinyin drill too.
        for (int w = 1; w <= 500; ++w) {
            for (const DrillKind kind : {DrillKind::ToneDrill, DrillKind::PinyinDrill}) {
                if (kind == DrillKind::PinyinDrill && w > pinyinWords)
                    break;
                st.incrementCounter(triesList(kind), w);
                st.incrementCounter(correctList(kind), w);
            }
        }
        QVERIFY(st.saveStatistics());
        st.computeCoverage();
        QCOMPARE(QString::number(st.pinyinCoverage), percent);

        auto& s = screens->screen<frmSearch>();
        s.show();
        const bool offered = percent == u"51"_s;
        // Not offered, the launcher keeps its place and tells why, also to a screen reader,
        // and says where the pinyin drills are offered meanwhile.
        QVERIFY(s.button(u"P1"_s)->isVisible());
        const QString reason =
            offered ? QString()
                    : u"ピンイン達成率が50%を超えると使えます（出る順の各漢字の画面ではいつでも解けます）"_s;
        choose(&s, u"cmbSpinyin"_s, u"4声＋4声"_s);
        clickButton(&s, u"Search(5)"_s);
        QVERIFY(tabOrder(&s).contains(u"imgR"_s));
        QVERIFY(s.button(u"LP1"_s)->isVisible());
        // The pinyin drill by ear follows the same rule.
        for (const QString& b : {u"P1"_s, u"LP1"_s}) {
            QCOMPARE(labelOf(&s, "img" + b)->toolTip(), reason);
            QCOMPARE(labelOf(&s, "lbl" + b)->toolTip(), reason);
            QCOMPARE(labelOf(&s, "img" + b)->accessibleDescription(), reason);
            // Greyed, not hidden from the keyboard: Tab reaches it to learn why.
            QCOMPARE(s.button(b)->isGreyed(), !offered);
            QVERIFY(tabOrder(&s).contains("img" + b));
        }
        int drills = 0;
        screens->setShownHook([&](ScreenBase& shown) {
            ++drills;
            shown.ScreenBase::back();
        });
        QTest::mouseClick(labelOf(&s, u"imgP1"_s), Qt::LeftButton);
        QCOMPARE(drills, offered ? 1 : 0);
        QCOMPARE(labelOf(&s, u"lblReason"_s)->isVisible(), !offered);
        QCOMPARE(labelOf(&s, u"lblReason"_s)->text(), reason);
        // Results that change while the screen is open do not change the offer.
        st.pinyinCoverage = offered ? 0 : 100;
        emit st.coverageChanged();
        clickButton(&s, u"Search(5)"_s);
        QCOMPARE(s.button(u"P1"_s)->isActive(), offered);
    }

    // A launcher not offered is drawn greyed, picture and caption, and its
    // reason is written on the screen while it has the focus or once pressed.
    void inactiveLaunchersLookInactiveAndSayWhy_data()
    {
        QTest::addColumn<QString>("launcher");
        QTest::addColumn<bool>("speechOn");
        QTest::addColumn<bool>("byFocus");
        QTest::addColumn<bool>("greyed");
        QTest::newRow("pinyin drill, focused") << u"P1"_s << true << true << true;
        QTest::newRow("tone drill by ear, speech off, pressed") << u"LP"_s << false << false << true;
        QTest::newRow("tone drill by ear, speech off, focused") << u"LP"_s << false << true << true;
        QTest::newRow("tone drill by ear, speech on") << u"LP"_s << true << true << false;
        QTest::newRow("tone drill, always offered") << u"P"_s << false << true << false;
    }
    void inactiveLaunchersLookInactiveAndSayWhy()
    {
        QFETCH(QString, launcher);
        QFETCH(bool, speechOn);
        QFETCH(bool, byFocus);
        QFETCH(bool, greyed);
        SpeechSettings settings = screens->voice().settings();
        settings.enabled = speechOn;
        QVERIFY(screens->voice().setSettings(settings));
        auto& s = screens->screen<frmSearch>();
        s.show();
        s.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s));
        choose(&s, u"cmbSpinyin"_s, u"4声＋4声"_s);
        clickButton(&s, u"Search(5)"_s);
        ImageButton* b = s.button(launcher);
        QCOMPARE(b->isGreyed(), greyed);
        QCOMPARE(b->picture()->pixmap().toImage() == Pictures::btn(9).toImage(), greyed);
        QCOMPARE(b->caption()->palette().color(QPalette::WindowText) == QColor::fromRgb(Layout::Palette::inactive),
                 greyed);
        // Hovering does not light a greyed button.
        b->setHovered(true);
        QCOMPARE(b->picture()->pixmap().toImage() == Pictures::btn(9).toImage(), greyed);
        b->restore();

        QLabel* line = labelOf(&s, u"lblReason"_s);
        QVERIFY(!line->isVisible());
        int drills = 0;
        screens->setShownHook([&](ScreenBase& shown) {
            ++drills;
            shown.ScreenBase::back();
        });
        if (byFocus)
            b->picture()->setFocus(Qt::TabFocusReason);
        else
            QTest::mouseClick(b->picture(), Qt::LeftButton);
        QCOMPARE(line->isVisible(), greyed);
        if (greyed) {
            QCOMPARE(line->text(), b->reasonNotOffered());
            QVERIFY(!line->text().isEmpty());
            QCOMPARE(drills, 0);
        }
        if (byFocus) { // the reason goes with the focus
            labelOf(&s, u"imgSearch(0)"_s)->setFocus(Qt::TabFocusReason);
            QVERIFY(!line->isVisible());
        }
        QVERIFY(screens->stack().isEmpty());
    }

    void theReviewRowOffersThreeHorizons()
    {
        auto& s = screens->screen<frmSearch>();
        auto* c = s.findChild<QComboBox*>(u"cmbReview"_s);
        QVERIFY(c);
        QStringList items;
        for (int i = 0; i < c->count(); ++i)
            items << c->itemText(i);
        QCOMPARE(items, (QStringList{u"今日の復習"_s, u"明日までに復習"_s, u"今週中に復習"_s}));
        QCOMPARE(s.button(u"Search(6)"_s)->caption()->text(), u"検索"_s);
        // Its button hovers with the other six.
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(labelOf(&s, u"imgSearch(0)"_s), &enter);
        QCoreApplication::sendEvent(labelOf(&s, u"imgSearch(6)"_s), &enter);
        QVERIFY(!s.button(u"Search(0)"_s)->isHovered());
    }

    void launchButtonsOpenTheirScreenOnTheWordsFound_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("screen");
        QTest::addColumn<bool>("byEar");
        QTest::newRow("answer list") << u"imgDui"_s << u"frmListDui"_s << false;
        QTest::newRow("tone drill, by its caption") << u"lblP"_s << u"frmListP2"_s << false;
        QTest::newRow("translation drill") << u"imgR"_s << u"frmListR"_s << false;
        QTest::newRow("tone drill by ear") << u"imgLP"_s << u"frmListP2"_s << true;
        QTest::newRow("tone drill by ear, by its caption") << u"lblLP"_s << u"frmListP2"_s << true;
    }
    void launchButtonsOpenTheirScreenOnTheWordsFound()
    {
        QFETCH(QString, control);
        QFETCH(QString, screen);
        QFETCH(bool, byEar);
        Tovak& t = *state->tovak;
        auto& s = screens->screen<frmSearch>();
        s.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s));
        QStringList shownScreens;
        QString count;
        bool heading = false;
        screens->setShownHook([&](ScreenBase& shown) {
            shownScreens << shown.objectName();
            count = labelOf(&shown, u"lblCount"_s)->text();
            auto* listening = shown.findChild<QLabel*>(u"lblListening"_s);
            heading = listening && listening->isVisible() && listening->text() == u"聞き取り"_s;
            shown.ScreenBase::back();
        });
        // Under the mask the launch buttons cannot be clicked; the drills by ear are not shown.
        QLabel* target = labelOf(&s, control);
        QCOMPARE(target->isVisible(), !byEar);
        const QPoint middle = target->geometry().center();
        QTest::mouseClick(labelOf(&s, u"imgSmask"_s), Qt::LeftButton, {},
                          labelOf(&s, u"imgSmask"_s)->mapFrom(&s, middle));
        QVERIFY(shownScreens.isEmpty());

        choose(&s, u"cmbSpinyin"_s, u"4声＋4声"_s);
        clickButton(&s, u"Search(5)"_s);
        t.DrillMode = 4;
        t.Listening = !byEar; // every launcher sets it
        QVERIFY(target->isVisible());
        QTest::mouseClick(target, Qt::LeftButton);
        QCOMPARE(shownScreens, QStringList{screen});
        QCOMPARE(count, u"52"_s);
        QCOMPARE(t.DrillMode, 1);
        QCOMPARE(t.Listening, byEar);
        QCOMPARE(heading, byEar);
    }

    void keysEnterAndF1()
    {
        Tovak& t = *state->tovak;
        int helpPage = -1;
        bool searchedByEnter = true, closedByEsc = false;
        screens->setShownHook([&](ScreenBase& s) {
            if (s.objectName() == u"frmHelp"_s) {
                helpPage = t.HelpPage;
                s.back();
                return;
            }
            QLineEdit* box = freeWordBox(&s);
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Return);
            searchedByEnter = labelOf(&s, u"lblCount_is"_s)->text() != u"0"_s;
            QTest::keyClick(box, Qt::Key_F1);
            QTest::keyClick(box, Qt::Key_Escape);
            closedByEsc = !s.isVisible();
            if (!closedByEsc)
                s.back();
        });
        QVERIFY(screens->open<frmSearch>(nullptr));
        QVERIFY(searchedByEnter); // Enter in the free-text box searches
        QCOMPARE(helpPage, 3);
        QVERIFY(closedByEsc);
    }

    // The launchers act on the result of the condition shown, and only on it.
    void launchersActOnTheResultShown_data()
    {
        QTest::addColumn<QString>("edit"); // what changes after the search
        QTest::addColumn<bool>("masked");
        QTest::newRow("nothing") << QString() << false;
        QTest::newRow("free text typed on") << u"type"_s << true;
        QTest::newRow("free text typed on, then back") << u"type back"_s << false;
        QTest::newRow("another row's condition") << u"other row"_s << false;
    }
    void launchersActOnTheResultShown()
    {
        QFETCH(QString, edit);
        QFETCH(bool, masked);
        auto& s = screens->screen<frmSearch>();
        s.show();
        QLineEdit* box = freeWordBox(&s);
        QTest::keyClicks(box, u"xue"_s);
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(!::masked(&s));
        if (edit.startsWith(u"type"_s))
            QTest::keyClicks(box, u"sheng"_s);
        if (edit == u"type back"_s)
            box->setText(u"xue"_s);
        if (edit == u"other row"_s)
            choose(&s, u"cmbGenre"_s, u"家庭"_s);
        QCOMPARE(::masked(&s), masked);
        QCOMPARE(tabOrder(&s).contains(u"imgP"_s), !masked);
    }

    // Back from a drill, the launchers drill the search's words again (not the
    // retest's), and a review result is searched afresh.
    void backFromADrillTheResultStands_data()
    {
        QTest::addColumn<bool>("review");
        QTest::newRow("tone pattern") << false;
        QTest::newRow("today's review") << true;
    }
    void backFromADrillTheResultStands()
    {
        QFETCH(bool, review);
        Tovak& t = *state->tovak;
        auto& s = screens->screen<frmSearch>();
        s.show();
        const auto today = static_cast<qint32>(QDate::currentDate().toJulianDay());
        for (size_t w = 1; w <= 5; ++w)
            t.stats.WordReviews[w] = reviewState(today - 10, 1.0);
        if (review) {
            s.searchDueToday();
        } else {
            choose(&s, u"cmbSpinyin"_s, u"4声＋4声"_s);
            clickButton(&s, u"Search(5)"_s);
        }
        const int found = t.CurrentWordCount;
        QVERIFY(found >= 5);
        QList<int> drilled;
        screens->setShownHook([&](ScreenBase& shown) {
            drilled << t.CurrentWordCount;
            // Two right, the rest wrong: the retest takes the rest.
            answerAll(&shown, t, [](int p) { return p < 2; });
            QTest::keyClick(&shown, Qt::Key_F5);
            passTime(&shown);
            QTest::keyClick(&shown, Qt::Key_F5);
            MsgBox::setNextAnswer(QMessageBox::Yes);
            shown.ScreenBase::back();
        });
        QTest::mouseClick(labelOf(&s, u"imgP"_s), Qt::LeftButton);
        // Graded today, none of the words is due today any more: the launchers wait under the mask.
        const int after = review ? 0 : found;
        QCOMPARE(labelOf(&s, u"lblCount_is"_s)->text(), QString::number(after));
        QCOMPARE(t.CurrentWordCount, after);
        QCOMPARE(::masked(&s), review);
        QTest::mouseClick(labelOf(&s, u"imgP"_s), Qt::LeftButton);
        QCOMPARE(drilled, review ? (QList<int>{found}) : (QList<int>{found, found}));
    }

    void hoveringOneSearchButtonRestoresTheOthers()
    {
        auto& s = screens->screen<frmSearch>();
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(labelOf(&s, u"lblSearch(1)"_s), &enter);
        QVERIFY(s.button(u"Search(1)"_s)->isHovered());
        QCoreApplication::sendEvent(labelOf(&s, u"imgSearch(4)"_s), &enter);
        for (int k = 0; k < 7; ++k)
            QCOMPARE(s.button(u"Search(%1)"_s.arg(k))->isHovered(), k == 4);
        // The answer list's caption passes the click only; the tone drill's lights its button.
        QCoreApplication::sendEvent(labelOf(&s, u"lblDui"_s), &enter);
        QCoreApplication::sendEvent(labelOf(&s, u"lblP"_s), &enter);
        QVERIFY(!s.button(u"Dui"_s)->isHovered());
        QVERIFY(s.button(u"P"_s)->isHovered());
    }
};

QTEST_MAIN(TestFrmSearch)
#include "test_frmSearch.moc"
