// The road of 学習記録: a graded drill shows on the screen with its tone
// confusion; a week of study, day by day on a clock of the test's own, shows in
// every chart; the countdown and the readiness on the day of a sitting and after.
#include "drilldriver.h"
#include "testsupport.h"

#include "core/progress/progresstext.h"
#include "ui/drills/drillscreen.h"
#include "ui/menu/frmTOC.h"
#include "ui/progress/frmProgress.h"
#include "ui/progress/progresscharts.h"
#include "ui/screenregistry.h"

#include <QFile>
#include <QLineEdit>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QDate firstDay(2026, 6, 1);

} // namespace

class TestProgressRoad : public QObject, public ScreenFixture {
    Q_OBJECT
  private slots:
    void init()
    {
        setUp(true);
        setDay(firstDay);
    }
    void cleanup() { tearDown(); }

    void aGradedDrillShowsWithItsConfusion()
    {
        finishStartup(*screens);
        Tovak& t = *state->tovak;
        // 安静 an1jing4 typed 13, 妈妈 ma1ma typed 2, 关系 guan1xi right.
        grade({1, 291, 2}, {u"13"_s, u"2"_s, u"1"_s});
        const Seen seen = progressScreen();
        QCOMPARE(seen.lastDay, (BarChart::Bar{1, 2}));
        QCOMPARE(seen.confusions, (QStringList{u"1声を2声と答えた：1回"_s, u"4声を3声と答えた：1回"_s, QString()}));
        QVERIFY(!seen.empty);
        const QList<LoggedAnswer> logged = t.stats.reviewLog().answers();
        QCOMPARE(logged.size(), 3);
        QCOMPARE(logged[0], (LoggedAnswer{QDateTime(firstDay, QTime(20, 0)).toMSecsSinceEpoch(),
                                          static_cast<qint32>(firstDay.toJulianDay()), 1, QuestionKind::Tone, false,
                                          u"13"_s, u"an1jing4"_s, -1}));
        QVERIFY(QFile::exists(state->dir.filePath(u"reviewlog.db"_s)));
    }

    void aWeekOfStudyShowsInEveryChart()
    {
        finishStartup(*screens);
        // Day 1 learns three words; day 2 reviews two, one wrong; days 3 to 7 review word 3 (意思 yi4si).
        grade({1, 2, 3}, {u"14"_s, u"1"_s, u"4"_s});
        setDay(firstDay.addDays(1));
        grade({1, 2}, {u"14"_s, u"3"_s});
        for (int d = 2; d < 7; ++d) {
            setDay(firstDay.addDays(d));
            grade({3}, {u"4"_s});
        }
        const Seen seen = progressScreen();
        QCOMPARE(seen.perDay.size(), 30);
        const QList<BarChart::Bar> week = seen.perDay.last(7);
        QCOMPARE(week, (QList<BarChart::Bar>{{3, 0}, {1, 1}, {1, 0}, {1, 0}, {1, 0}, {1, 0}, {1, 0}}));
        // The last week holds every review: 2 on day 2 (one right), 5 of word 3.
        QCOMPARE(seen.perWeek.last().first, 6.0 / 7.0);
        QVERIFY(std::all_of(seen.perWeek.begin(), seen.perWeek.end() - 1, [](auto b) { return b.first < 0; }));
        QCOMPARE(seen.forecastToday, dueCount(state->tovak->stats.WordReviews, state->tovak->todayNumber(), 0));
        QVERIFY(seen.forecastTotal > 0);
        QCOMPARE(seen.confusions.first(), u"1声を3声と答えた：1回"_s); // 关系 guan1xi typed 3
    }

    void countdownAndReadinessOnTheDayOfASittingAndAfter_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("countdown"); // what the menu says
        QTest::addColumn<QString>("digits");
        QTest::addColumn<bool>("readiness"); // shown on the screen
        QTest::addColumn<bool>("plan");
        QTest::newRow("the day before") << QDate(2026, 6, 27) << u"試験まであと1日"_s << u"1"_s << true << true;
        QTest::newRow("the day") << QDate(2026, 6, 28) << u"試験は今日です"_s << QString() << true << false;
        QTest::newRow("the day after") << QDate(2026, 6, 29) << QString() << QString() << false << false;
    }
    void countdownAndReadinessOnTheDayOfASittingAndAfter()
    {
        QFETCH(QDate, today);
        QFETCH(QString, countdown);
        QFETCH(bool, readiness);
        QFETCH(bool, plan);
        QFile f(state->iniPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[EXAM]\nDATE=2026-06-28\n");
        f.close();
        // A word learnt a day before the sitting, and one never seen.
        setDay(QDate(2026, 6, 27));
        finishStartup(*screens);
        grade({1}, {u"14"_s});
        setDay(today);
        frmTOC* menu = shownMainMenu(*screens);
        menu->showCountdown();
        QCOMPARE(labelOf(menu, u"imgCountdownLead"_s)->isVisible(), !countdown.isEmpty());
        QCOMPARE(labelOf(menu, u"imgCountdownLead"_s)->accessibleName(), countdown);
        QTEST(labelOf(menu, u"lblCountdown"_s)->text(), "digits");
        // With a sitting set the menu still typesets no Japanese: its words are pictures.
        for (const QLabel* l : menu->findChildren<QLabel*>()) {
            const QString text = l->text();
            QVERIFY2(std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; }),
                     qPrintable(l->objectName()));
        }

        const Seen seen = progressScreen();
        QCOMPARE(seen.sitting.contains(u"試験まであと"_s) || seen.sitting.contains(u"今日"_s), readiness);
        QCOMPARE(!seen.readiness.isEmpty(), readiness);
        QCOMPARE(!seen.plan.isEmpty(), plan);
        if (readiness) // one word of 500 learnt: the vocabulary is far from ready
            QCOMPARE(seen.readiness, u"試験日の想定記憶率：0%"_s);
        if (!readiness)
            QVERIFY(seen.sitting.endsWith(u"の試験は終わりました"_s));
        // After the sitting, the next three start with November's.
        QCOMPARE(seen.firstSitting, today > QDate(2026, 6, 28) ? u"2026/11/22"_s : u"2026/06/28"_s);
    }

  private:
    struct Seen {
        QList<BarChart::Bar> perDay, perWeek;
        BarChart::Bar lastDay;
        int forecastToday = 0;
        int forecastTotal = 0;
        QStringList confusions;
        bool empty = true;
        QString sitting, readiness, plan, firstSitting;
    };

    void setDay(QDate d)
    {
        state->tovak->clock = [d] { return QDateTime(d, QTime(20, 0)); };
    }

    // The tone drill on these words, with these answers typed, graded and closed.
    void grade(const QList<qint16>& words, const QStringList& typed)
    {
        Tovak& t = *state->tovak;
        openOn(t, words);
        t.Listening = false;
        DrillScreen& drill = loadDrill(*screens, u"frmListP2"_s);
        drill.show();
        for (int r = 0; r < typed.size(); ++r)
            QTest::keyClicks(boxOf(&drill, r), typed[r]);
        QTest::keyClick(&drill, Qt::Key_F5);
        drill.ScreenBase::back();
    }

    // What 学習記録, opened from the main menu's item 8, shows.
    Seen progressScreen()
    {
        Seen seen;
        screens->setShownHook([&](ScreenBase& s) {
            const auto guard = qScopeGuard([&] { s.ScreenBase::back(); });
            QCOMPARE(s.objectName(), u"frmProgress"_s);
            seen.perDay = s.findChild<BarChart*>(u"chrPerDay"_s)->bars();
            seen.lastDay = seen.perDay.last();
            seen.perWeek = s.findChild<BarChart*>(u"chrPerWeek"_s)->bars();
            const QList<BarChart::Bar> forecast = s.findChild<BarChart*>(u"chrForecast"_s)->bars();
            seen.forecastToday = static_cast<int>(forecast.first().first);
            for (const BarChart::Bar& b : forecast)
                seen.forecastTotal += static_cast<int>(b.first);
            for (int i = 0; i < 3; ++i)
                seen.confusions << labelOf(&s, u"lblConfusion(%1)"_s.arg(i))->text();
            seen.empty = labelOf(&s, u"lblEmpty"_s)->isVisible();
            seen.sitting = labelOf(&s, u"lblExamDay"_s)->text();
            seen.readiness = labelOf(&s, u"lblReadiness"_s)->text();
            seen.plan = labelOf(&s, u"lblPlan"_s)->text();
            seen.firstSitting = labelOf(&s, u"lblSitting(0)"_s)->text();
        });
        clickButton(shownMainMenu(*screens), u"Contents(8)"_s);
        screens->setShownHook({});
        return seen;
    }
};

QTEST_MAIN(TestProgressRoad)
#include "test_progressroad.moc"
