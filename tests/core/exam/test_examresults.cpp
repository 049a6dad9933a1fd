#include "core/exam/examresults.h"
#include "core/exam/examsession.h"
#include "core/inifile.h"
#include "core/statistics.h"
#include "coresupport.h"

#include <QDate>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// The wrong choice of a pinyin item that is wrong in both of its contrasts.
int doublyWrong(const ExamItem& item)
{
    for (int c = 0; c < 4; ++c) {
        if (item.choices[static_cast<size_t>(c)].contrasts.size() == 2)
            return c;
    }
    return -1;
}

// Answers by a pattern, one letter an item: R right, W wrong (a pinyin item's
// doubly wrong spelling), - none.
void answer(ExamSession& session, const QString& pattern)
{
    for (int i = 0; i < session.count(); ++i) {
        const ExamItem& item = session.item(i);
        const QChar how = pattern[i];
        if (how == u'-')
            continue;
        if (item.kind == ExamItemKind::Number) {
            session.type(i, how == u'R' ? item.number.answer : u"99999"_s);
            continue;
        }
        const int wrong = item.kind == ExamItemKind::Pinyin ? doublyWrong(item) : (item.right + 1) % 4;
        session.choose(i, how == u'R' ? item.right : wrong);
    }
}

const qint32 day1 = static_cast<qint32>(QDate(2025, 3, 1).toJulianDay());

} // namespace

class TestExamResults : public QObject {
    Q_OBJECT

  private slots:
    void grading_data();
    void grading();
    void gradingPressesAndTheRepeatGuard();
    void aSaveRoundTripKeepsEveryOtherLine();
    void hostileValuesReadAsNothing_data();
    void hostileValuesReadAsNothing();
    void examWordsAreOnlyReviewed();
};

void TestExamResults::grading_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("score");
    QTest::addColumn<int>("unanswered");
    QTest::addColumn<int>("misses");
    QTest::addColumn<int>("reviewedRight"); // of the pinyin and meaning words
    const int written = static_cast<int>(ExamSectionKind::Written);
    const int listening = static_cast<int>(ExamSectionKind::Listening);
    QTest::newRow("written all right") << written << u"RRRRRRRRRR"_s << 20 << 0 << 0 << 5;
    QTest::newRow("written none") << written << u"----------"_s << 0 << 10 << 0 << 0;
    QTest::newRow("written tone wrong") << written << u"WRRRRRRRRR"_s << 18 << 0 << 0 << 5;
    QTest::newRow("written two pinyin wrong") << written << u"RRRRRWWRRR"_s << 16 << 0 << 4 << 3;
    QTest::newRow("listening all right") << listening << u"RRRRRRRRRR"_s << 50 << 0 << 0 << 6;
    QTest::newRow("listening pinyin and number wrong") << listening << u"WRRRRRRRRW"_s << 40 << 0 << 2 << 5;
    QTest::newRow("listening meaning left") << listening << u"RRR-RRRRRR"_s << 45 << 1 << 0 << 5;
}

void TestExamResults::grading()
{
    QFETCH(int, kind);
    QFETCH(QString, pattern);
    QFETCH(int, score);
    QFETCH(int, unanswered);
    QFETCH(int, misses);
    QFETCH(int, reviewedRight);
    const ExamGenerator generator(studyTables());
    for (quint32 seed = 1; seed <= 50; ++seed) {
        ExamSession session(generator.section(static_cast<ExamSectionKind>(kind), seed));
        answer(session, pattern);
        QCOMPARE(session.unansweredCount(), unanswered);
        QCOMPARE(session.press(0), ExamPress::Graded);
        const ExamGrade& g = session.grade();
        QCOMPARE(g.score, score);
        QCOMPARE(g.outOf, kind == static_cast<int>(ExamSectionKind::Written) ? 20 : 50);
        QCOMPARE(session.scoreCaption(), u"%1／%2点"_s.arg(score).arg(g.outOf));
        int missed = 0;
        for (int i = 0; i < session.count(); ++i) {
            QCOMPARE(g.items[i].right, pattern[i] == u'R');
            QCOMPARE(g.items[i].answered, pattern[i] != u'-');
            missed += static_cast<int>(g.items[i].missed.size());
        }
        QCOMPARE(missed, misses);
        const QList<GradedAnswer> logged = gradedSet(session.section(), session.answers(), g, studyTables()).answers;
        QCOMPARE(logged.size(), session.count());
        QCOMPARE(std::count_if(logged.begin(), logged.end(), [](const GradedAnswer& a) { return a.tkey > 0; }),
                 kind == static_cast<int>(ExamSectionKind::Written) ? 5 : 6);
        QCOMPARE(
            std::count_if(logged.begin(), logged.end(), [](const GradedAnswer& a) { return a.tkey > 0 && a.right; }),
            reviewedRight);
    }
}

void TestExamResults::gradingPressesAndTheRepeatGuard()
{
    const ExamGenerator generator(studyTables());
    ExamSession session(generator.section(ExamSectionKind::Written, 3));
    session.choose(0, session.item(0).right);
    QCOMPARE(session.press(10'000), ExamPress::Graded);
    QCOMPARE(session.press(10'000 + ExamSession::RepeatGuardMs - 1), ExamPress::Repeated);
    // Answers are frozen once graded.
    session.choose(0, (session.item(0).right + 1) % 4);
    QCOMPARE(session.answer(0).choice, session.item(0).right);
    QCOMPARE(session.grade().score, 2);
    QCOMPARE(session.press(10'000 + ExamSession::RepeatGuardMs), ExamPress::NewSetWanted);
    // The press that asked for the next sitting guards it too.
    ExamSession next(generator.section(ExamSectionKind::Written, 4), 20'000);
    QCOMPARE(next.press(20'500), ExamPress::Repeated);
    QVERIFY(!next.graded());
    QCOMPARE(next.press(21'000), ExamPress::Graded);
}

void TestExamResults::aSaveRoundTripKeepsEveryOtherLine()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"conf.ini"_s);
    const QByteArray before = "; by hand\r\n[STATISTICS]\r\nSCORE= 7\r\n[exam]\r\nOTHER=x\r\n[SPEECH]\r\nSLOW=1\r\n";
    QVERIFY(writeBytes(path, before));

    const ExamGenerator generator(studyTables());
    ExamResults results;
    for (int sitting = 0; sitting < ExamResults::KeptScores + 2; ++sitting) {
        ExamSession session(generator.section(ExamSectionKind::Written, static_cast<quint32>(sitting)));
        answer(session, sitting == 0 ? u"RRRRRWWRRR"_s : u"RRRRRRRRRR"_s);
        session.press(0);
        results.record(ExamSectionKind::Written, session.grade(), day1 + sitting);
    }
    ExamSession heard(generator.section(ExamSectionKind::Listening, 5));
    answer(heard, u"WRRRRRRRRR"_s);
    heard.press(0);
    results.record(ExamSectionKind::Listening, heard.grade(), day1);

    QCOMPARE(results.scores(ExamSectionKind::Written).size(), ExamResults::KeptScores);
    QCOMPARE(results.scores(ExamSectionKind::Written).first(), (ExamScore{day1 + 2, 20}));
    QCOMPARE(results.scores(ExamSectionKind::Listening), (QList<ExamScore>{{day1, 45}}));
    int misses = 0;
    for (int c = 0; c < ContrastCount; ++c)
        misses += results.misses(static_cast<Contrast>(c));
    QCOMPARE(misses, 6);
    const QList<Contrast> most = results.mostMissed(3);
    QVERIFY(!most.isEmpty());
    for (qsizetype i = 1; i < most.size(); ++i)
        QVERIFY(results.misses(most[i - 1]) >= results.misses(most[i]));

    QVERIFY(results.save(path));
    QCOMPARE(ExamResults::load(path), results);
    const QByteArray after = readBytes(path);
    QVERIFY(after.startsWith("; by hand\r\n[STATISTICS]\r\nSCORE= 7\r\n[exam]\r\nOTHER=x\r\nWRITTEN=2025-03-03:20,"));
    QVERIFY(after.contains("\r\nLISTENING=2025-03-01:45\r\nMISSES="));
    QVERIFY(after.endsWith("\r\n[SPEECH]\r\nSLOW=1\r\n"));
}

void TestExamResults::hostileValuesReadAsNothing_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("writtenScores");
    QTest::addColumn<int>("listeningScores");
    QTest::addColumn<int>("nNgMisses");
    const auto row = [](const char* name, const QByteArray& file, int w, int l, int m) {
        QTest::newRow(name) << file << w << l << m;
    };
    row("no section", "[STATISTICS]\nSCORE= 3\n", 0, 0, 0);
    row("as written", "[EXAM]\nWRITTEN=2025-03-01:16\nLISTENING=2025-03-01:35\nMISSES=N_NG:4\n", 1, 1, 4);
    row("case and blanks", "[exam]\n written = 2025-03-01 : 16 , 2025-03-02:18\nmisses= n_ng:4\n", 2, 0, 0);
    row("odd score, beyond the section", "[EXAM]\nWRITTEN=2025-03-01:15,2025-03-01:22\nLISTENING=2025-03-01:55\n", 0, 0,
        0);
    row("listening in fives", "[EXAM]\nLISTENING=2025-03-01:35,2025-03-01:36,2025-03-01:0\n", 0, 2, 0);
    row("no date", "[EXAM]\nWRITTEN=2025-02-30:16,yesterday:16,:16,1999-12-31:16,2025-03-01\n", 0, 0, 0);
    row("negative and huge counts", "[EXAM]\nMISSES=N_NG:-1,N_NG:99999999999999999999\n", 0, 0, 0);
    row("unknown contrast kept out", "[EXAM]\nMISSES=XX:3,N_NG:2\n", 0, 0, 2);
    row("first duplicate wins", "[EXAM]\nMISSES=N_NG:2,N_NG:5\n", 0, 0, 2);
    row("a line longer than ever written", "[EXAM]\nWRITTEN=" + QByteArray(5000, ',') + "2025-03-01:16\n", 0, 0, 0);
    // Control bytes, a NUL and bytes no encoding reads as a date or a number.
    static const char binary[] = "[EXAM]\nWRITTEN=\x01\xff\x00:16\nMISSES=\xff\xfe:\x80\n";
    row("binary", QByteArray(binary, sizeof(binary) - 1), 0, 0, 0);
}

void TestExamResults::hostileValuesReadAsNothing()
{
    QFETCH(QByteArray, file);
    QFETCH(int, writtenScores);
    QFETCH(int, listeningScores);
    QFETCH(int, nNgMisses);
    const ExamResults r = ExamResults::fromIni(IniFile(file));
    QCOMPARE(r.scores(ExamSectionKind::Written).size(), writtenScores);
    QCOMPARE(r.scores(ExamSectionKind::Listening).size(), listeningScores);
    QCOMPARE(r.misses(Contrast::NNg), nNgMisses);
}

void TestExamResults::examWordsAreOnlyReviewed()
{
    QTemporaryDir dir;
    Statistics stats(dir.filePath(u"conf.ini"_s));
    stats.splitCounterLists();
    QSignalSpy coverage(&stats, &Statistics::coverageChanged);
    const ExamGenerator generator(studyTables());
    ExamSession session(generator.section(ExamSectionKind::Listening, 9));
    answer(session, u"RWRRWRRRRR"_s);
    session.press(0);
    const GradedSet set = gradedSet(session.section(), session.answers(), session.grade(), studyTables());
    QCOMPARE(stats.recordGrading(set, day1).correct, 8);
    // Reviews, saved at once; no try, total or coverage.
    QCOMPARE(std::count_if(stats.WordReviews.begin(), stats.WordReviews.end(),
                           [](const WordReview& r) { return r.hasState; }),
             6);
    QCOMPARE(stats.questions + stats.score + stats.nog + stats.rate, 0);
    for (int list = 0; list < CounterListCount; ++list) {
        for (const GradedAnswer& a : set.answers)
            QCOMPARE(stats.counter(static_cast<CounterList>(list), a.tkey), 0);
    }
    QCOMPARE(coverage.count(), 0);
    QVERIFY(readBytes(stats.filePath()).contains("REVIEW_DAY="));

    // Every item is a row of the log, by its kind; only the reviews stand under a word.
    const QList<LoggedAnswer> rows = stats.reviewLog().answers();
    QCOMPARE(rows.size(), 10);
    for (int i = 0; i < 10; ++i) {
        const QuestionKind want = i < 3   ? QuestionKind::ExamPinyinByEar
                                  : i < 6 ? QuestionKind::ExamMeaningByEar
                                          : QuestionKind::ExamNumberByEar;
        QCOMPARE(rows[i].kind, want);
        QCOMPARE(rows[i].word > 0, reviewsItsWord(want));
        QCOMPARE(rows[i].right, session.grade().items[i].right);
        QVERIFY(!rows[i].expected.isEmpty());
    }
    QCOMPARE(rows[6].expected, session.item(6).number.answer);
}

QTEST_GUILESS_MAIN(TestExamResults)
#include "test_examresults.moc"
