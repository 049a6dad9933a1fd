// The per-word review state: what conf.ini keeps of it, what a grading does to
// it, and the order of the due list.
#include "core/reviewschedule.h"
#include "core/statistics.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <map>

namespace {

const qint32 today = static_cast<qint32>(QDate(2026, 3, 1).toJulianDay());

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestReviewSchedule : public QObject {
    Q_OBJECT

  private slots:
    void statesSurviveTheFileAndHostileValuesReadAsNone_data();
    void statesSurviveTheFileAndHostileValuesReadAsNone();
    void aGradingStepsFromTheLastDay_data();
    void aGradingStepsFromTheLastDay();
    void dueWordsComeByRecallThenRank_data();
    void dueWordsComeByRecallThenRank();
};

void TestReviewSchedule::statesSurviveTheFileAndHostileValuesReadAsNone_data()
{
    // Word 1's three items; "-" leaves the key out.
    QTest::addColumn<QByteArray>("day");
    QTest::addColumn<QByteArray>("stability");
    QTest::addColumn<QByteArray>("difficulty");
    QTest::addColumn<bool>("hasState");

    const QByteArray day = QByteArray::number(today - 3);
    QTest::newRow("an old file without the lists") << QByteArray("-") << QByteArray("-") << QByteArray("-") << false;
    QTest::newRow("a full state") << day << QByteArray("12.5") << QByteArray("5") << true;
    QTest::newRow("blanks around items") << " " + day + " " << QByteArray(" 0.212 ") << QByteArray("10 ") << true;
    QTest::newRow("ten years ahead is kept")
        << QByteArray::number(today + 3653) << QByteArray("3") << QByteArray("2") << true;
    QTest::newRow("NaN stability") << day << QByteArray("nan") << QByteArray("5") << false;
    QTest::newRow("infinite difficulty") << day << QByteArray("3") << QByteArray("inf") << false;
    QTest::newRow("negative stability") << day << QByteArray("-1") << QByteArray("5") << false;
    QTest::newRow("absurd stability") << day << QByteArray("1e7") << QByteArray("5") << false;
    QTest::newRow("difficulty above 10") << day << QByteArray("3") << QByteArray("10.5") << false;
    QTest::newRow("difficulty below 1") << day << QByteArray("3") << QByteArray("0.5") << false;
    QTest::newRow("400 digits") << day << "1" + QByteArray(399, '0') << QByteArray("5") << false;
    QTest::newRow("400 digits of a small number") << day << "3." + QByteArray(398, '1') << QByteArray("5") << false;
    QTest::newRow("a day of 400 digits") << QByteArray(400, '9') << QByteArray("3") << QByteArray("5") << false;
    QTest::newRow("a day before 2000") << QByteArray::number(QDate(1999, 12, 31).toJulianDay()) << QByteArray("3")
                                       << QByteArray("5") << false;
    QTest::newRow("garbage day") << QByteArray("2461100x") << QByteArray("3") << QByteArray("5") << false;
    QTest::newRow("a missing list") << day << QByteArray("3") << QByteArray("-") << false;
}

void TestReviewSchedule::statesSurviveTheFileAndHostileValuesReadAsNone()
{
    QFETCH(QByteArray, day);
    QFETCH(QByteArray, stability);
    QFETCH(QByteArray, difficulty);
    QFETCH(bool, hasState);

    QTemporaryDir dir;
    const QString path = dir.filePath("conf.ini");
    QByteArray file = "[Window]\r\nLeft=10\r\n[STATISTICS]\r\nNAME=x\r\nP_NOGPT=,3\r\n";
    const auto addList = [&](const char* key, const QByteArray& item) {
        if (item != "-")
            file += key + QByteArray("=,") + item + ",,\r\n"; // word 2 and 3 have empty items
    };
    addList("REVIEW_DAY", day);
    addList("REVIEW_STABILITY", stability);
    addList("REVIEW_DIFFICULTY", difficulty);
    file += "[Zzz]\r\nK=v\r\n";
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(file);
    }

    Statistics s(path);
    QVERIFY(s.loadStatistics());
    QCOMPARE(s.WordReviews[1].hasState, hasState);
    for (size_t t = 2; t < ReviewSlots; ++t)
        QVERIFY(!s.WordReviews[t].hasState);
    if (hasState)
        QCOMPARE(s.WordReviews[1].lastDay, day.trimmed().toInt()); // a day ahead too: kept as read

    s.recordReview(400, true, today - 1);
    s.recordReview(400, false, today);
    s.recordReview(401, false, today);
    s.recordReview(401, false, today); // same day
    s.recordReview(0, true, today);    // no word: ignored
    const ReviewTable recorded = s.WordReviews;

    // A failed save keeps the new states in memory, and a reload does not drop them.
    s.setBeforeCommit([] { return false; });
    QVERIFY(!s.saveStatistics());
    QVERIFY(s.loadStatistics());
    QVERIFY(s.WordReviews[401].hasState);
    s.setBeforeCommit({});
    QVERIFY(s.saveStatistics());

    const QByteArray saved = readAll(path);
    QVERIFY(saved.startsWith("[Window]\r\nLeft=10\r\n[STATISTICS]\r\nNAME=x\r\nP_NOGPT=,3,0,"));
    QVERIFY(saved.endsWith("[Zzz]\r\nK=v\r\n"));
    Statistics reread(path);
    QVERIFY(reread.loadStatistics());
    QCOMPARE(reread.counter(CounterList::P_NOGPT, 1), 3);
    for (size_t t = 0; t < ReviewSlots; ++t) {
        const WordReview& a = recorded[t];
        const WordReview& b = reread.WordReviews[t];
        QCOMPARE(b.hasState, a.hasState);
        if (a.hasState) {
            QCOMPARE(b.lastDay, a.lastDay);
            // Bit for bit: a schedule must not drift through saving.
            QVERIFY(b.state.stability == a.state.stability);
            QVERIFY(b.state.difficulty == a.state.difficulty);
        }
    }
}

void TestReviewSchedule::aGradingStepsFromTheLastDay_data()
{
    QTest::addColumn<int>("lastDay"); // relative to today; 1000 = no state yet
    QTest::addColumn<bool>("right");
    QTest::addColumn<int>("elapsed"); // what the model must be given; -1 = first review

    QTest::newRow("first, right") << 1000 << true << -1;
    QTest::newRow("first, wrong") << 1000 << false << -1;
    QTest::newRow("same day") << 0 << true << 0;
    QTest::newRow("same day, wrong") << 0 << false << 0;
    QTest::newRow("three days later") << -3 << true << 3;
    QTest::newRow("a year later, wrong") << -365 << false << 365;
    QTest::newRow("the clock was set back") << 5 << true << 0;
}

void TestReviewSchedule::aGradingStepsFromTheLastDay()
{
    QFETCH(int, lastDay);
    QFETCH(bool, right);
    QFETCH(int, elapsed);

    const MemoryState before{4.0, 6.0};
    WordReview review;
    if (lastDay != 1000)
        review = {today + lastDay, before, true};
    recordReview(review, right, today);

    const Fsrs model;
    const Rating rating = right ? Rating::Good : Rating::Again;
    const MemoryState expected = elapsed < 0 ? model.initialState(rating) : model.nextState(before, elapsed, rating);
    QVERIFY(review.hasState);
    QCOMPARE(review.lastDay, today);
    QCOMPARE(review.state.stability, expected.stability);
    QCOMPARE(review.state.difficulty, expected.difficulty);
}

void TestReviewSchedule::dueWordsComeByRecallThenRank_data()
{
    QTest::addColumn<int>("horizon");
    QTest::addColumn<QList<int>>("due");

    // Recall falls with elapsed / stability alone; the seeded words' ratios are
    // given for each horizon. 30, 31 and 32 share a state: rank, then key.
    //                                  10    20   30-32  40    50    70 (future day)
    QTest::newRow("today") << 0 << QList<int>{10, 20, 31, 30, 32};             // 10, 2, 1.67, .01, .8, 0
    QTest::newRow("tomorrow") << 1 << QList<int>{10, 70, 20, 31, 30, 32, 50};  // 11, 2.2, 2, .02, 1.2, 2.5
    QTest::newRow("this week") << 7 << QList<int>{70, 10, 31, 30, 32, 50, 20}; // 17, 3.4, 4, .08, 3.6, 17.5
    QTest::newRow("a negative horizon is today") << -5 << QList<int>{10, 20, 31, 30, 32};
}

void TestReviewSchedule::dueWordsComeByRecallThenRank()
{
    QFETCH(int, horizon);
    QFETCH(QList<int>, due);

    ReviewTable reviews{};
    const auto seed = [&](int tkey, int daysAgo, double stability) {
        reviews[static_cast<size_t>(tkey)] = {today - daysAgo, {stability, 5.0}, true};
    };
    seed(10, 10, 1.0);
    seed(20, 10, 5.0);
    seed(30, 5, 3.0);
    seed(31, 5, 3.0);
    seed(32, 5, 3.0);
    seed(40, 1, 100.0);
    seed(50, 2, 2.5);
    seed(70, -30, 0.4);
    reviews[60] = {today - 100, {0.5, 5.0}, false}; // no state: never due
    const std::map<int, int> ranks = {{31, 1}, {30, 2}, {32, 2}, {10, 9}};
    const WordRank rank = [&](int tkey) { return ranks.count(tkey) ? ranks.at(tkey) : 500; };

    QCOMPARE(dueWords(reviews, today, horizon, rank), due);
    QCOMPARE(dueCount(reviews, today, horizon), due.size());
}

QTEST_GUILESS_MAIN(TestReviewSchedule)
#include "test_reviewschedule.moc"
