#pragma once

#include "core/reviewlog.h"
#include "core/reviewschedule.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

enum class DrillKind : int { PinyinDrill = 0, ToneDrill = 1, TranslationDrill = 2 };

// The per-word counter lists, in the order they are read and written: the six
// of the drills, then the tone and pinyin drills by ear (listening mode). The
// by-ear lists count apart so that they never change the coverage or the weak
// words; a file is given them only once they hold something.
enum class CounterList : int {
    P_NOGPT = 0,
    P_NORPT,
    P2_NOGPT,
    P2_NORPT,
    R_NOGPT,
    R_NORPT,
    L_NOGPT,
    L_NORPT,
    L2_NOGPT,
    L2_NORPT
};
constexpr int CounterListCount = 10;
constexpr int DrillCounterLists = 6; // the lists before the by-ear ones
constexpr int CounterSlots = 501;    // position 0 belongs to no word

// One graded word: its key (one outside 1..500 still counts in the totals), the
// verdict, and for the review log what was answered and what was expected.
struct GradedAnswer {
    int tkey = 0;
    bool right = false;
    QString given;
    QString expected;
    // How the log names this one question, where it differs from the set's.
    std::optional<QuestionKind> question;
};

// One grading of a drill run: every answer is a try of its word in the drill's
// counter lists (the listening ones by ear), a review in its schedule and a row
// of the review log. reviewsOnly (the exam practice's words): a review and a
// row of the log, nothing else, so no counter, total or coverage changes.
struct GradedSet {
    DrillKind kind = DrillKind::ToneDrill;
    bool byEar = false;
    QList<GradedAnswer> answers;
    // When it was graded (UTC milliseconds); 0 is now.
    qint64 timeMs = 0;
    // How the log names the questions; none: the drill's kind, by ear or not.
    // The exam practice names its own (QuestionKind::ExamPractice on), also
    // answer by answer (GradedAnswer::question).
    std::optional<QuestionKind> question;
    bool reviewsOnly = false;
};
// The log's name for the questions of a drill.
QuestionKind questionKind(DrillKind kind, bool byEar);

// What a grading gives the screens.
struct GradingResult {
    int correct = 0;
    int count = 0;
};

// Division rounding towards minus infinity, as the rate averages need it.
qint64 floorDiv(qint64 a, qint64 b);

// Tries and correct-answer lists of a drill; byEar picks the listening lists
// of the tone and pinyin drills (the translation drill has none).
CounterList triesList(DrillKind kind, bool byEar = false);
CounterList correctList(DrillKind kind, bool byEar = false);

// Numeric value of a counter entry: its decimal text, a number beyond 64 bits
// the bound with its sign; anything else counts as 0.
qint64 counterValue(const QString& entry);
// The leading number of a stored total: blanks skipped, rest ignored, halves to
// even, clamped to the 16-bit range however many digits it has. No number reads as 0.
qint16 parseTotal(const QByteArray& text);
// "12" is written " 12" so the line reads "SCORE= 12"; negatives keep their sign.
QByteArray formatTotal(qint16 value);
// Adds to a 16-bit total without wrapping around.
qint16 saturatingAdd(qint16 total, qint64 amount);
// The items a comma list can hold (501) and nothing after them, so that a huge
// line costs no more memory than a full one.
QByteArrayView usedItems(QByteArrayView list);

// The learner's drill results and the file that keeps them (conf.ini).
class Statistics : public QObject {
    Q_OBJECT
  public:
    explicit Statistics(QString filePath = defaultFilePath(), QObject* parent = nullptr);

    // conf.ini beside the program when one is already there and both it and its
    // folder are writable (portable use); otherwise in the user's data folder,
    // where a portable file's results are copied on first use.
    static QString defaultFilePath();
    static QString chooseFilePath(const QString& programFolder, const QString& dataFolder);
    const QString& filePath() const { return filePath_; }

    // Returns false when the file exists but could not be opened or read to its
    // end; it is then kept as a backup before the next save writes anything.
    // While results are unsaved after a failed save, the file's older content
    // is not loaded.
    bool loadStatistics();
    // The values of a file's bytes, as loadStatistics reads them.
    void loadFrom(const QByteArray& fileBytes);
    // Writes the whole section at once; false on any error, and then the file
    // is as it was and the results stay in memory.
    bool saveStatistics();
    void computeCoverage();
    bool canUsePinyinDrill() const;
    // The main menu's mascot, 1 to 4, for the pinyin and translation coverage shown.
    static int mascotFor(int pinyinPercent, int translationPercent);
    void splitCounterLists();
    void joinCounterLists();

    qint64 counter(CounterList list, int tkey) const;
    void incrementCounter(CounterList list, int tkey);
    // Words answered correctly at least once in a drill.
    int coveredCount(DrillKind kind) const;

    // A grading of the word on day today (a Julian day number) for its review schedule.
    void recordReview(int tkey, bool right, qint32 today);
    // A whole grading on day today: the words' counters and reviews, the four
    // totals with the RATE average, then one save (a failure is reported through
    // saveFailed) and the coverage, then one transaction of the review log (a
    // fault there is told by the log and costs the grading nothing).
    GradingResult recordGrading(const GradedSet& set, qint32 today);

    bool hasUnsavedResults() const { return unsaved_; }

    // Every graded answer (reviewlog.db beside the file); opened with its first use.
    ReviewLog& reviewLog() { return log_; }

    // Test hook: runs after the new file is written and before it replaces the
    // old one; returning false abandons the save as a crash would.
    void setBeforeCommit(std::function<bool()> hook) { beforeCommit_ = std::move(hook); }

    QByteArray name;
    qint16 score = 0;
    qint16 questions = 0;
    qint16 rate = 0;
    qint16 nog = 0;
    std::array<QString, CounterListCount> CounterTexts;
    std::array<QStringList, CounterListCount> WordStats;
    // Each word's review schedule state, saved beside the counters.
    ReviewTable WordReviews{};
    // The coverage in whole percents, 0 to 100: the tone and pinyin drills
    // together, and the translation drill. The main menu shows them.
    int pinyinCoverage = 0;
    int translationCoverage = 0;

  signals:
    void coverageChanged();
    // Emitted for the first failed save of a run only, so the learner is told once.
    void saveFailed();

  private:
    // QUESTIONS, SCORE, RATE's running average and NOG for a drill's grading.
    void addToTotals(const GradedSet& set, const GradingResult& result);

    QString filePath_;
    ReviewLog log_;
    bool unreadable_ = false;
    bool unsaved_ = false;
    bool failureReported_ = false;
    std::function<bool()> beforeCommit_;
};
