#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>

struct sqlite3_stmt;

// What a logged answer answered. The numbers are stored, so they never change.
enum class QuestionKind : int {
    Tone = 1,        // the tone digits typed, the word shown
    Pinyin = 2,      // the whole pinyin typed
    Translation = 3, // the translation chosen among four
    ToneByEar = 4,
    PinyinByEar = 5,
    // 10 to 19 belong to the exam practice, one number for each kind of its
    // questions; ExamPractice is the first.
    ExamPractice = 10,
    ExamTonePattern = ExamPractice, // the odd word of four by its tones; no word of its own
    ExamPinyin = 11,                // the written spelling chosen among four
    ExamPinyinByEar = 12,
    ExamMeaningByEar = 13,
    ExamNumberByEar = 14, // a heard number typed in digits; no word
};

// Whether the answer was a review of its word (every drill's, and the exam
// practice's pinyin and meaning items): what the schedule and its optimizer learn from.
bool reviewsItsWord(QuestionKind kind);

// Whether the answer was typed with tone digits (tone and pinyin drills, by eye or by ear).
bool carriesTones(QuestionKind kind);

// One graded answer.
struct LoggedAnswer {
    qint64 timeMs = 0; // UTC, milliseconds since 1970
    qint32 day = 0;    // the local calendar day, a Julian day number
    int word = 0;      // tkey
    QuestionKind kind = QuestionKind::Tone;
    bool right = false;
    QString given;          // as typed (pinyin, digits) or chosen (the translation)
    QString expected;       // the stored answer it was graded against
    qint64 durationMs = -1; // -1: not known

    bool operator==(const LoggedAnswer&) const = default;
};

// Each word's first day in the log (a Julian day number), 0 for a word never
// answered; indexed by word key.
using FirstDays = std::array<qint32, 501>;

// What the progress figures read of the log, so that opening the screen reads
// a year's answers only where it must: the answers from one day on, each
// word's first day, and every wrong answer that carries tones.
struct LogExtract {
    qsizetype total = 0;            // answers in the log
    QList<LoggedAnswer> recent;     // day >= since, oldest first, without texts
    FirstDays firstDay{};           // over the whole log
    QList<LoggedAnswer> wrongTyped; // !right && carriesTones, word, kind and texts only, in no set order
    bool operator==(const LogExtract&) const = default;
};
// The extract of a whole log, as ReviewLog::extract reads it from the file.
LogExtract extractOf(const QList<LoggedAnswer>& log, qint32 since);
void addToExtract(LogExtract& extract, const LoggedAnswer& answer, qint32 since);

// Every graded answer, kept in an SQLite database beside conf.ini. Nothing is
// done before the first append or read, so start-up opens nothing. Each append
// is one transaction, durable when it returns (WAL, synchronous=FULL). A fault
// never fails the caller: the answers wait in memory and go in with the next
// append that works, and the learner is told once per kind of fault through
// faultFound. A file that is not a log (corrupt, or something else) is kept
// aside as conf.ini's backups are (reviewlog.db.bak, older ones numbered;
// never deleted) and a new log begun. conf.ini is never touched.
class ReviewLog : public QObject {
    Q_OBJECT
  public:
    static constexpr int SchemaVersion = 1; // PRAGMA user_version
    static constexpr int MaxWaiting = 20000;

    // reviewlog.db in the folder of the statistics file.
    static QString pathBeside(const QString& statisticsPath);

    explicit ReviewLog(QString path, QObject* parent = nullptr);
    ~ReviewLog() override;

    const QString& path() const { return path_; }

    // Writes the answers (after any still waiting). False when they wait in memory.
    bool append(const QList<LoggedAnswer>& answers);

    // Every answer, oldest first, the waiting ones last.
    QList<LoggedAnswer> answers();
    // The same as extractOf(answers(), since), read through the log's indexes.
    LogExtract extract(qint32 since);

    qsizetype waitingCount() const { return waiting_.size(); }
    bool isOpen() const;

    enum class Fault { NoLibrary, CannotOpen, ReadOnlyFolder, Locked, Corrupt, DiskFull, WriteFailed, Newer };
    // The Japanese sentence for a fault: what happened, and where.
    QString sentence(Fault fault) const;

    // Tests: loads this library instead of the system's SQLite.
    void setLibrary(const QString& library) { library_ = library; }

  signals:
    void faultFound(const QString& sentence);

  private:
    struct Connection;

    bool open();
    void close();
    bool write(const QList<LoggedAnswer>& answers);
    std::optional<QList<LoggedAnswer>> read();
    std::optional<LogExtract> readExtract(qint32 since);
    // Runs a query to its end, handing each row on; false on an error.
    bool each(const char* sql, const std::function<void(sqlite3_stmt*)>& bind,
              const std::function<void(sqlite3_stmt*)>& row);
    // Classifies a failed call; true when the file was kept aside for a new log.
    bool failed(int code, bool opening);
    void report(Fault fault);
    bool keepAside();

    QString path_;
    QString library_;
    QString backupName_;
    std::unique_ptr<Connection> db_;
    QList<LoggedAnswer> waiting_;
    QList<Fault> told_;
};
