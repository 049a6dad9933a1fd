// The figures of the progress screen, against small logs and states worked out by hand.
#include "core/progress/logexport.h"
#include "core/progress/logfigures.h"
#include "core/progress/progresstext.h"
#include "core/progress/readiness.h"
#include "coresupport.h"
#include "data/db.h"

#include <QDate>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const qint32 today = static_cast<qint32>(QDate(2026, 6, 1).toJulianDay());
// FSRS-6 defaults: the first Good leaves stability 2.3065; recall after 1, 2, 3 days.
constexpr double firstStability = 2.3065;
constexpr double recall1 = 0.946847, recall2 = 0.909493, recall3 = 0.880948;
// After Good again on day 3: stability 13.8269, recall one day later.
constexpr double recallAfterSecond1 = 0.989493;

LoggedAnswer at(qint32 day, int word, bool right, QuestionKind kind = QuestionKind::Translation,
                const QString& given = {}, const QString& expected = {})
{
    static qint64 clock = 1'780'000'000'000;
    return {clock += 1000, day, word, kind, right, given, expected, -1};
}

ReviewTable states(std::initializer_list<std::pair<int, WordReview>> words)
{
    ReviewTable t{};
    for (const auto& [w, r] : words)
        t[static_cast<size_t>(w)] = r;
    return t;
}

WordReview learnt(qint32 day, double stability = firstStability)
{
    return {day, {stability, 2.1182}, true};
}

QList<int> weightsOf(std::initializer_list<std::pair<int, int>> words)
{
    QList<int> w(501, 0);
    for (const auto& [word, weight] : words)
        w[word] = weight;
    return w;
}

} // namespace

class TestProgressFigures : public QObject {
    Q_OBJECT

  private slots:
    void answersAndRetentionByDayAndWeek();
    void forecastAssumesEveryReviewDoneAndRight();
    void syllablePairs_data();
    void syllablePairs();
    void confusionsOfASeededLog();
    void readinessAndPlan_data();
    void readinessAndPlan();
    void weightsCountEachCharacterOnce();
    void csvForTheOptimizer();
    void whatAScreenReaderHears_data();
    void whatAScreenReaderHears();
};

void TestProgressFigures::answersAndRetentionByDayAndWeek()
{
    const qint32 d0 = today - 13; // the first of two weeks
    const QList<LoggedAnswer> log = {
        at(today - 30, 9, true), // before the 30 days, and before the two weeks
        at(d0, 1, true),         // word 1 learnt: no review
        at(d0, 1, false),        // the same day again: no review
        at(d0 + 3, 1, false),    // a review, wrong
        at(d0 + 3, 1, true),     // not the first answer of that day
        at(d0 + 3, 2, true),     // word 2 learnt
        at(d0 + 10, 1, true),    // a review, right
        at(d0 + 10, 2, false),   // a review, wrong
        at(d0 + 10, 3, true),    // word 3 learnt
        at(today, 9, false),     // word 9 was answered 30 days ago: a review, wrong
        at(today + 1, 4, true),  // the clock was set back: not counted
    };
    const QList<DayCount> days = answersPerDay(log, today);
    QCOMPARE(days.size(), 30);
    QCOMPARE(days.first().day, today - 29);
    QCOMPARE(days.last(), (DayCount{today, 0, 1}));
    QCOMPARE(days[29 - 13], (DayCount{d0, 1, 1}));
    QCOMPARE(days[29 - 10], (DayCount{d0 + 3, 2, 1}));
    QCOMPARE(days[29 - 3], (DayCount{d0 + 10, 2, 1}));
    int all = 0;
    for (const DayCount& d : days)
        all += d.right + d.wrong;
    QCOMPARE(all, 9);

    const QList<WeekRetention> weeks = retentionPerWeek(log, extractOf(log, 0).firstDay, today, 2);
    QCOMPARE(weeks, (QList<WeekRetention>{{d0, 1, 0}, {d0 + 7, 3, 1}}));
    QCOMPARE(retentionPerWeek({}, {}, today).size(), 12);
}

void TestProgressFigures::forecastAssumesEveryReviewDoneAndRight()
{
    // Learnt today: due on day 3 (recall 0.88 < 0.9), then stability 13.83, due
    // 14 days later; then 57 days. Overdue for 100 days: today, then 51 days.
    const ReviewTable reviews = states({{1, learnt(today)},
                                        {2, learnt(today - 100)},
                                        {3, learnt(today - 1, 400)},
                                        {4, learnt(today + 5)}}); // a last day ahead counts as today
    const QList<int> forecast = dueForecast(reviews, today);
    QList<int> expected(30, 0);
    expected[0] = 1;
    expected[3] = 2;
    expected[17] = 2;
    QCOMPARE(forecast, expected);
    QCOMPARE(forecast[0], dueCount(reviews, today, 0)); // as the menu counts today's reviews
    QCOMPARE(dueDayAfter(today, firstStability), today + 3);
    QCOMPARE(dueForecast({}, today), QList<int>(30, 0));
}

void TestProgressFigures::syllablePairs_data()
{
    QTest::addColumn<int>("word");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("pairs"); // expected>answered of each syllable answered wrong

    const int tone = int(QuestionKind::Tone), pinyin = int(QuestionKind::Pinyin);
    // clang-format off
    QTest::newRow("tones right") << 1 << tone << "14" << "an1jing4" << "";
    QTest::newRow("second syllable wrong") << 1 << tone << "13" << "an1jing4" << "4>3";
    QTest::newRow("blanks, full width") << 1 << tone << " ２ ３" << "an1jing4" << "1>2 4>3";
    QTest::newRow("by ear") << 1 << int(QuestionKind::ToneByEar) << "31" << "an1jing4" << "1>3 4>1";
    QTest::newRow("neutral takes no digit") << 291 << tone << "2" << "ma1ma" << "1>2";
    QTest::newRow("a digit for the neutral") << 291 << tone << "11" << "ma1ma" << "0>1";
    QTest::newRow("5 for the neutral") << 291 << tone << "15" << "ma1ma" << "";
    QTest::newRow("too many digits") << 291 << tone << "123" << "ma1ma" << "";
    QTest::newRow("letters in a tone answer") << 1 << tone << "an14" << "an1jing4" << "";
    QTest::newRow("nothing typed") << 1 << tone << "" << "an1jing4" << "";
    QTest::newRow("yi changed before 4th") << 90 << tone << "24" << "yi1yang4" << "";
    QTest::newRow("yi as stored") << 90 << tone << "14" << "yi1yang4" << "";
    QTest::newRow("yi wrong") << 90 << tone << "34" << "yi1yang4" << "1>3";
    QTest::newRow("bu changed before 4th") << 58 << tone << "24" << "bu4cuo4" << "";
    QTest::newRow("pinyin typed") << 1 << pinyin << "an2 jing3" << "an1jing4" << "1>2 4>3";
    QTest::newRow("pinyin, neutral toned") << 291 << int(QuestionKind::PinyinByEar) << "ma1ma1" << "ma1ma" << "0>1";
    QTest::newRow("pinyin, other letters") << 1 << pinyin << "en1qing3" << "an1jing4" << "4>3";
    QTest::newRow("pinyin, a syllable short") << 1 << pinyin << "an1" << "an1jing4" << "";
    QTest::newRow("pinyin, not pinyin") << 1 << pinyin << "xyz" << "an1jing4" << "";
    QTest::newRow("translation carries no tones") << 1 << int(QuestionKind::Translation) << "1" << "an1jing4" << "";
    // clang-format on
}

void TestProgressFigures::syllablePairs()
{
    QFETCH(int, word);
    QFETCH(int, kind);
    QFETCH(QString, given);
    QFETCH(QString, expected);
    QFETCH(QString, pairs);
    const ToneConfusions c =
        toneConfusions({at(today, word, false, static_cast<QuestionKind>(kind), given, expected)}, studyTables());
    QStringList wanted = pairs.split(u' ', Qt::SkipEmptyParts);
    QCOMPARE(c.total(), wanted.size());
    for (const QString& p : wanted) {
        const int e = p.first(1).toInt(), a = p.last(1).toInt();
        QVERIFY2(c.count(e, a) == wanted.count(p), qPrintable(p));
    }
}

void TestProgressFigures::confusionsOfASeededLog()
{
    QList<LoggedAnswer> log;
    const auto add = [&](int times, int word, QuestionKind kind, const QString& given, const QString& expected) {
        for (int i = 0; i < times; ++i)
            log.append(at(today, word, false, kind, given, expected));
    };
    add(5, 291, QuestionKind::Tone, u"2"_s, u"ma1ma"_s);                 // 1>2 five times
    add(3, 2, QuestionKind::ToneByEar, u"2"_s, u"guan1xi"_s);            // 1>2 three times
    add(2, 1, QuestionKind::Pinyin, u"an2jing4"_s, u"an1jing4"_s);       // 1>2 twice
    add(3, 1, QuestionKind::Tone, u"13"_s, u"an1jing4"_s);               // 4>3 three times
    add(4, 90, QuestionKind::Tone, u"24"_s, u"yi1yang4"_s);              // right: the changed tone
    add(1, 90, QuestionKind::PinyinByEar, u"yi3yang4"_s, u"yi1yang4"_s); // 1>3 once
    add(6, 3, QuestionKind::Translation, u"意味"_s, u"意味、考え"_s);    // no tones
    log.append(at(today, 1, true, QuestionKind::Tone, u"14"_s, u"an1jing4"_s));

    const ToneConfusions c = toneConfusions(log, studyTables());
    QCOMPARE(c.count(1, 2), 10);
    QCOMPARE(c.count(4, 3), 3);
    QCOMPARE(c.count(1, 3), 1);
    QCOMPARE(c.count(1, 1), 0);
    QCOMPARE(c.total(), 10 + 3 + 1); // the right answer adds nothing
    QStringList named;
    for (const ToneConfusion& t : c.mostFrequent())
        named << confusionSentence(t);
    QCOMPARE(named, (QStringList{u"1声を2声と答えた：10回"_s, u"4声を3声と答えた：3回"_s, u"1声を3声と答えた：1回"_s}));
    QCOMPARE(c.wordsBehind(1, 2), (QList<int>{291, 2, 1}));
    QCOMPARE(c.wordsBehind(1, 1), QList<int>{});
    QCOMPARE(confusionSentence({0, 1, 3}), u"軽声を1声と答えた：3回"_s);
    QCOMPARE(confusionSentence({3, 2, 12}), u"3声を2声と答えた：12回"_s);
    QVERIFY(toneConfusions({}, studyTables()).mostFrequent().isEmpty());
}

void TestProgressFigures::readinessAndPlan_data()
{
    QTest::addColumn<ReviewTable>("reviews");
    QTest::addColumn<QList<int>>("weights");
    QTest::addColumn<int>("examIn"); // days from today
    QTest::addColumn<double>("ready");
    QTest::addColumn<bool>("reachable");
    QTest::addColumn<int>("newPerDay");
    QTest::addColumn<double>("reached");
    QTest::addColumn<double>("reviewsPerDay");

    // clang-format off
    QTest::newRow("nothing studied, exam tomorrow: both words today")
        << ReviewTable{} << weightsOf({{1, 1}, {2, 1}}) << 1 << 0.0 << true << 2 << recall1 << 0.0;
    QTest::newRow("four days: one a day, the heavier first, one review")
        << ReviewTable{} << weightsOf({{1, 1}, {2, 3}}) << 4 << 0.0 << true << 1 << (3 * recallAfterSecond1 + recall3) / 4 << 0.25;
    QTest::newRow("learnt today counts on the day, not the unlearnt")
        << states({{1, learnt(today)}}) << weightsOf({{1, 3}, {2, 1}}) << 0 << 0.75 << false << 0 << 0.0 << 0.0;
    QTest::newRow("three days on: recall falls, the plan adds the other word")
        << states({{1, learnt(today)}}) << weightsOf({{1, 3}, {2, 1}}) << 3 << 3 * recall3 / 4 << false << 1 << (3 * recall3 + recall3) / 4 << 0.0;
    QTest::newRow("already there: no new word")
        << states({{1, learnt(today - 1, 400)}}) << weightsOf({{1, 19}, {2, 1}}) << 10 << 0.0 << true << 0 << 0.0 << 0.0;
    // Learnt first, a word falls due on the exam day itself, just below the retention.
    QTest::newRow("out of reach: the closest rate")
        << ReviewTable{} << weightsOf({{1, 1}, {2, 1}}) << 3 << 0.0 << false << 1 << (recall3 + recall2) / 2 << 0.0;
    // clang-format on
}

void TestProgressFigures::readinessAndPlan()
{
    QFETCH(ReviewTable, reviews);
    QFETCH(QList<int>, weights);
    QFETCH(int, examIn);
    QFETCH(double, ready);
    QFETCH(double, reached);
    QFETCH(double, reviewsPerDay);
    const double onTheDay = readiness(reviews, weights, today, today + examIn);
    if (ready > 0)
        QVERIFY2(qAbs(onTheDay - ready) < 1e-5, qPrintable(QString::number(onTheDay)));
    const StudyPlan plan = studyPlan(reviews, weights, today, today + examIn);
    QCOMPARE(plan.possible, examIn > 0);
    QCOMPARE(plan.days, examIn > 0 ? examIn : 0);
    QTEST(plan.reachable, "reachable");
    QTEST(plan.newPerDay, "newPerDay");
    if (reached > 0)
        QVERIFY2(qAbs(plan.reached - reached) < 1e-5, qPrintable(QString::number(plan.reached)));
    QCOMPARE(plan.reviewsPerDay, reviewsPerDay);
}

void TestProgressFigures::weightsCountEachCharacterOnce()
{
    const DB& db = studyTables();
    const QList<int> w = examWeights(db);
    QCOMPARE(w.size(), 501);
    // 安静 an1jing4: characters 374 and 402; 常常 chang2chang2: 520 twice.
    QCOMPARE(w[1], db.charInt(374, CharField::Total) + db.charInt(402, CharField::Total));
    QCOMPARE(w[37], db.charInt(520, CharField::Total));
    QVERIFY(w[37] > 0);
    // Every word learnt today and recalled on the day: all of the vocabulary.
    ReviewTable all{};
    for (int t = 1; t <= 500; ++t)
        all[static_cast<size_t>(t)] = learnt(today);
    QCOMPARE(readiness(all, w, today, today), 1.0);
    QCOMPARE(readiness({}, w, today, today), 0.0);
}

void TestProgressFigures::csvForTheOptimizer()
{
    QList<LoggedAnswer> log = {
        {1'780'000'003'000, today + 1, 7, QuestionKind::Tone, true, u"1"_s, u"1"_s, -1},
        {1'780'000'000'000, today, 7, QuestionKind::Tone, false, u"2"_s, u"1"_s, 1500},
        {1'780'000'001'000, today, 7, QuestionKind::Pinyin, true, {}, {}, -1},
        {1'780'000'002'000, today, 12, QuestionKind::ExamPinyin, true, {}, {}, 0},
        {1'780'000'002'100, today, 0, QuestionKind::ExamNumberByEar, true, u"105"_s, u"105"_s, -1},
        {1'780'000'002'200, today, 0, QuestionKind::ExamTonePattern, false, u"da4jia1"_s, u"jin1tian1"_s, -1},
        {1'780'000'004'000, today + 1, 7, QuestionKind::Translation, false, {}, {}, -1},
        {1'780'000'005'000, today + 1, 7, QuestionKind::Translation, true, {}, {}, -1},
        {1'780'000'006'000, today + 2, 7, QuestionKind::Translation, false, {}, {}, -1},
        {1'780'000'007'000, today + 2, 7, QuestionKind::Translation, true, {}, {}, -1},
    };
    QCOMPARE(fsrsCsv(log), QByteArray("card_id,review_time,review_rating,review_state,review_duration\n"
                                      "7,1780000000000,1,0,1500\n"
                                      "7,1780000001000,3,1,\n"
                                      "12,1780000002000,3,0,0\n"
                                      "7,1780000003000,3,2,\n"
                                      "7,1780000004000,1,2,\n"
                                      "7,1780000005000,3,3,\n"
                                      "7,1780000006000,1,2,\n"
                                      "7,1780000007000,3,3,\n"));
    QCOMPARE(fsrsCsv({}), QByteArray("card_id,review_time,review_rating,review_state,review_duration\n"));
}

void TestProgressFigures::whatAScreenReaderHears_data()
{
    QTest::addColumn<QString>("said");
    QTest::addColumn<QString>("expected");

    const qint32 d = static_cast<qint32>(QDate(2026, 5, 30).toJulianDay());
    QList<DayCount> days(30);
    for (int i = 0; i < 30; ++i)
        days[i].day = d - 29 + i;
    QTest::newRow("no answers") << describeAnswersPerDay(days) << u"過去30日の解答はありません。"_s;
    days[28] = {d - 1, 12, 3};
    days[29] = {d, 0, 1};
    QTest::newRow("two days")
        << describeAnswersPerDay(days)
        << u"過去30日の解答：正解12問、不正解4問。5月29日 正解12・不正解3、5月30日 正解0・不正解1。"_s;
    QTest::newRow("weeks") << describeRetention({{d - 13, 0, 0}, {d - 6, 20, 17}})
                           << u"週ごとの復習の正答率（目標は90%）：5月24日からの週 85%（20問中17問）。"_s;
    QList<int> forecast(30, 0);
    forecast[0] = 12;
    forecast[3] = 4;
    QTest::newRow("forecast") << describeForecast(forecast, d)
                              << u"今後30日の復習予定：合計16回。今日 12語、6月2日 4語。"_s;
    QTest::newRow("on the day") << readinessCaption(0.634) << u"試験日の想定記憶率：63%"_s;
    QTest::newRow("a date") << longDate(QDate(2026, 6, 28)) << u"2026年6月28日（日）"_s;
    StudyPlan plan;
    plan.possible = plan.reachable = true;
    plan.newPerDay = 4;
    plan.reviewsPerDay = 11.96;
    QTest::newRow("plan") << planSentence(plan)
                          << u"試験日に90%に届くには、新しい単語を1日4語ずつ覚え、復習を1日平均12.0回続けます。"_s;
    plan.reachable = false;
    plan.reached = 0.84;
    QTest::newRow("out of reach") << planSentence(plan)
                                  << u"試験日までに90%には届きませんが、1日4語ずつ覚えると84%まで上がります。"_s;
    QTest::newRow("no plan on the day") << planSentence(StudyPlan{}) << QString();
}

void TestProgressFigures::whatAScreenReaderHears()
{
    QFETCH(QString, said);
    QTEST(said, "expected");
}

QTEST_GUILESS_MAIN(TestProgressFigures)
#include "test_progressfigures.moc"
