#include "core/durablefile.h"
#include "core/reviewlog.h"
#include "core/sqliteapi.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <memory>

#include <fcntl.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

LoggedAnswer answer(int word, QuestionKind kind, bool right, QString given, QString expected, qint64 duration = -1)
{
    return {1'760'000'000'000 + word, 2'461'000 + word % 3, word, kind, right, given, expected, duration};
}

// A second connection of its own, as another program (or a sqlite3 shell) would hold.
class OtherProgram {
  public:
    explicit OtherProgram(const QString& path) : api_(*sqliteApi())
    {
        api_.open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    }
    ~OtherProgram() { api_.close_v2(db_); }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;
    int exec(const char* sql) { return api_.exec(db_, sql, nullptr, nullptr, nullptr); }
    QByteArray value(const char* sql)
    {
        sqlite3_stmt* s = nullptr;
        api_.prepare_v2(db_, sql, -1, &s, nullptr);
        QByteArray v;
        if (api_.step(s) == SQLITE_ROW)
            v = reinterpret_cast<const char*>(api_.column_text(s, 0));
        api_.finalize(s);
        return v;
    }

  private:
    const SqliteApi& api_;
    sqlite3* db_ = nullptr;
};

} // namespace

class TestReviewLog : public QObject {
    Q_OBJECT

  private slots:
    void answersComeBackAsLogged();
    void faultsLoseNoAnswerAndAreToldOnce_data();
    void faultsLoseNoAnswerAndAreToldOnce();
    void cleanup() { DurableFile::restoreSystemCalls(); }
};

void TestReviewLog::answersComeBackAsLogged()
{
    QVERIFY2(sqliteApi(), "libsqlite3.so.0 is needed");
    QTemporaryDir dir;
    const QString path = ReviewLog::pathBeside(dir.filePath(u"conf.ini"_s));
    QCOMPARE(path, dir.filePath(u"reviewlog.db"_s));
    const QList<LoggedAnswer> first = {answer(3, QuestionKind::Tone, true, u"4 ３"_s, u"yi4si"_s),
                                       answer(61, QuestionKind::Translation, false, u"意味、考え"_s, u"習慣"_s, 2500)};
    const QList<LoggedAnswer> second = {answer(5, QuestionKind::PinyinByEar, false, u"lu:3"_s, u"lv4"_s),
                                        answer(7, QuestionKind::ExamPractice, true, u"<b>"_s, u"\"'"_s, 0)};
    {
        ReviewLog log(path);
        QVERIFY(!QFileInfo::exists(path)); // nothing before the first use
        QVERIFY(log.answers().isEmpty());
        QVERIFY(log.append(first));
        QVERIFY(log.append(second));
        QVERIFY(log.append({}));
        QCOMPARE(log.answers(), first + second);
    }
    ReviewLog reread(path);
    QCOMPARE(reread.answers(), first + second);
    // What the progress screen reads through the indexes is what the whole log says.
    for (const qint32 since : {0, 2'461'001, 2'461'002, 2'461'003})
        QCOMPARE(reread.extract(since), extractOf(first + second, since));

    OtherProgram shell(path);
    QCOMPARE(shell.value("PRAGMA journal_mode"), "wal");
    QCOMPARE(shell.value("PRAGMA user_version"), QByteArray::number(ReviewLog::SchemaVersion));
    QCOMPARE(shell.value("SELECT count(*) FROM answers"), "4");
}

void TestReviewLog::faultsLoseNoAnswerAndAreToldOnce_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("writtenAtOnce"); // else the answers wait for the fault to end
    QTest::addColumn<QString>("told");       // the words the sentence has
    QTest::addColumn<bool>("keptAside");

    QTest::newRow("locked by another program") << "locked" << false << "ほかのプログラム" << false;
    QTest::newRow("garbage in its place") << "garbage" << true << "壊れていた" << true;
    QTest::newRow("damaged pages") << "damaged" << true << "壊れていた" << true;
    QTest::newRow("read-only folder") << "read-only folder" << false << "フォルダー" << false;
    QTest::newRow("disk full at once") << "disk full" << false << "ディスクがいっぱい" << false;
    QTest::newRow("disk full within the write") << "disk full later" << false << "ディスクがいっぱい" << false;
    QTest::newRow("write error") << "write error" << false << "書き込めませんでした" << false;
    QTest::newRow("made by a newer version") << "newer" << false << "新しい版" << false;
    QTest::newRow("no SQLite library") << "no library" << false << "libsqlite3" << false;
}

void TestReviewLog::faultsLoseNoAnswerAndAreToldOnce()
{
    QFETCH(QString, fault);
    QFETCH(bool, writtenAtOnce);
    QFETCH(QString, told);
    QFETCH(bool, keptAside);

    QTemporaryDir dir;
    const QString conf = dir.filePath(u"conf.ini"_s);
    const QByteArray confBytes = "[STATISTICS]\r\nSCORE= 7\r\n[EXAM]\r\nDATE=2026-06-28\r\n";
    write(conf, confBytes);
    const QString path = ReviewLog::pathBeside(conf);
    const LoggedAnswer earlier = answer(1, QuestionKind::Tone, true, u"1"_s, u"ba4ba"_s);
    const LoggedAnswer during = answer(2, QuestionKind::Pinyin, false, u"ma1ma1"_s, u"ma1ma"_s);
    const LoggedAnswer after = answer(3, QuestionKind::Translation, true, u"父"_s, u"父"_s);

    QByteArray before;
    QList<LoggedAnswer> kept; // what the log held before the fault
    if (fault == "damaged" || fault == "newer" || fault == "locked") {
        ReviewLog old(path);
        QVERIFY(old.append({earlier}));
        kept = {earlier};
    }
    if (fault == "garbage")
        write(path, "これはデータベースではありません\n");
    if (fault == "damaged") {
        // The last connection folded the write-ahead file into the database; a
        // page of the table is overwritten.
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.size() >= 8192);
        f.seek(4096);
        f.write(QByteArray(4096, '\xA5'));
    }
    std::unique_ptr<OtherProgram> other;
    if (fault == "newer") {
        other = std::make_unique<OtherProgram>(path);
        QCOMPARE(other->exec("PRAGMA user_version = 2"), SQLITE_OK);
        other.reset();
    }
    before = readAll(path);
    if (fault == "locked") {
        other = std::make_unique<OtherProgram>(path);
        QCOMPARE(other->exec("BEGIN IMMEDIATE"), SQLITE_OK);
    }

    ReviewLog log(path);
    if (fault == "no library")
        log.setLibrary(u"rumena-no-such-sqlite"_s);
    QSignalSpy faults(&log, &ReviewLog::faultFound);
    auto& calls = DurableFile::systemCalls();
    const auto fail = [](int err) {
        errno = err;
        return -1;
    };
    if (fault == "read-only folder") {
        calls.open = [fail, folder = QFile::encodeName(dir.path()), real = calls.open](const char* p, int flags,
                                                                                       mode_t mode) {
            return QByteArray(p).startsWith(folder) && (flags & O_CREAT) ? fail(EROFS) : real(p, flags, mode);
        };
    }
    if (fault.startsWith("disk full") || fault == "write error") {
        const int err = fault == "write error" ? EIO : ENOSPC;
        // "later": the log's first pages are written, then the disk fills up.
        auto budget = std::make_shared<qint64>(fault == "disk full later" ? 9000 : 0);
        calls.pwrite = [=, real = calls.pwrite](int fd, const void* data, size_t size, off_t offset) -> ssize_t {
            if (*budget < static_cast<qint64>(size))
                return fail(err);
            *budget -= static_cast<qint64>(size);
            return real(fd, data, size, offset);
        };
        calls.write = [=](int, const void*, size_t) -> ssize_t { return fail(err); };
    }

    QCOMPARE(log.append({during}), writtenAtOnce);
    QCOMPARE(log.append({}), writtenAtOnce); // told once, however often it is tried
    QCOMPARE(faults.count(), 1);
    const QString sentence = faults.at(0).at(0).toString();
    QVERIFY2(sentence.contains(told), qPrintable(sentence));
    QVERIFY2(sentence.endsWith(u'。') && sentence.count(u'。') == 1, qPrintable(sentence));
    const bool namesThePlace = fault == "no library" || sentence.contains(QDir::toNativeSeparators(dir.path()));
    QVERIFY2(namesThePlace, qPrintable(sentence));
    // The answers are all there for the screen, written or waiting; a newer
    // log is not read.
    const QList<LoggedAnswer> readable = keptAside || fault == "newer" ? QList<LoggedAnswer>{} : kept;
    QCOMPARE(log.answers(), readable + QList<LoggedAnswer>{during});
    QCOMPARE(log.extract(0), extractOf(readable + QList<LoggedAnswer>{during}, 0));

    DurableFile::restoreSystemCalls();
    other.reset();
    const bool recovers = fault != "newer" && fault != "no library";
    QCOMPARE(log.append({after}), recovers);
    if (recovers) {
        QCOMPARE(log.waitingCount(), 0);
        const QList<LoggedAnswer> all = readable + QList<LoggedAnswer>{during, after};
        QCOMPARE(ReviewLog(path).answers(), all);
    } else {
        QCOMPARE(log.waitingCount(), 2);
        QCOMPARE(readAll(path), before); // a newer log is left as it was
    }
    QCOMPARE(faults.count(), 1);
    if (keptAside)
        QCOMPARE(readAll(path + u".bak"_s), before);
    QCOMPARE(QFileInfo::exists(path + u".bak"_s), keptAside);
    QCOMPARE(readAll(conf), confBytes);
}

QTEST_GUILESS_MAIN(TestReviewLog)
#include "test_reviewlog.moc"
