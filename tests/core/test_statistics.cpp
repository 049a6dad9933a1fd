#include "core/durablefile.h"
#include "core/statistics.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <limits>
#include <memory>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

class TestStatistics : public QObject {
    Q_OBJECT

  private slots:
    void totalsReadAsTheirLeadingNumber_data();
    void totalsReadAsTheirLeadingNumber();
    void totalsSaturateInsteadOfOverflowing();
    void countersSaturate_data();
    void countersSaturate();
    void aWindowsFileKeepsEveryForeignLineAfterASave();
    void aFreshFileHasExactlyTheseBytes();
    void listsAreMadeExactly501Long();
    void untouchedEntriesAreWrittenBackAsRead();
    void byEarListsHaveTheirOwnKeys_data();
    void byEarListsHaveTheirOwnKeys();
    void coverage_data();
    void coverage();
    void aFailedSaveKeepsResultsAndSaysSoOnce();
    void anInterruptedSaveLeavesTheOldFile();
    void anUnreadableFileIsKeptAsBackup();
    void faultsNeverCostAResult_data();
    void faultsNeverCostAResult();
    void thePortableFileIsUsedOnlyWhenItCanBeReplaced_data();
    void thePortableFileIsUsedOnlyWhenItCanBeReplaced();
    void cleanup() { DurableFile::restoreSystemCalls(); }

  private:
    static QByteArray readAll(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void write(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static void cover(Statistics& s, DrillKind kind, int words)
    {
        for (int t = 1; t <= words; ++t) {
            s.incrementCounter(triesList(kind), t);
            s.incrementCounter(correctList(kind), t);
        }
    }
};

void TestStatistics::totalsReadAsTheirLeadingNumber_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << QByteArray("12") << 12;
    QTest::newRow("blank before") << QByteArray("  12") << 12;
    QTest::newRow("trailing text ignored") << QByteArray("12abc 5") << 12;
    QTest::newRow("negative") << QByteArray("-3") << -3;
    QTest::newRow("half rounds to even, down") << QByteArray("12.5") << 12;
    QTest::newRow("half rounds to even, up") << QByteArray("13.5") << 14;
    QTest::newRow("above half") << QByteArray("2.51") << 3;
    QTest::newRow("no number") << QByteArray("abc") << 0;
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("sign only") << QByteArray("-") << 0;
    QTest::newRow("above the range reads as the bound") << QByteArray("99999") << 32767;
    QTest::newRow("below the range reads as the bound") << QByteArray("-99999") << -32768;
    QTest::newRow("beyond a double reads as the bound") << QByteArray(400, '9') << 32767;
    QTest::newRow("beyond a double, negative") << "-" + QByteArray(400, '9') + ".5" << -32768;
    QTest::newRow("just above a half rounds up however long") << "12.5" + QByteArray(30, '0') + "1" << 13;
    QTest::newRow("many zeros before the digits") << QByteArray(400, '0') + "42" << 42;
}

void TestStatistics::totalsReadAsTheirLeadingNumber()
{
    QFETCH(QByteArray, text);
    QFETCH(int, value);
    QCOMPARE(int(parseTotal(text)), value);
}

void TestStatistics::totalsSaturateInsteadOfOverflowing()
{
    QCOMPARE(int(saturatingAdd(32766, 1)), 32767);
    QCOMPARE(int(saturatingAdd(32767, 1)), 32767);
    QCOMPARE(int(saturatingAdd(-32768, -1)), -32768);
    QCOMPARE(int(saturatingAdd(5, 12)), 17);
    QCOMPARE(int(saturatingAdd(5, std::numeric_limits<qint64>::max())), 32767);
    QCOMPARE(int(saturatingAdd(-5, std::numeric_limits<qint64>::min())), -32768);
    QCOMPARE(formatTotal(12), QByteArray(" 12"));
    QCOMPARE(formatTotal(0), QByteArray(" 0"));
    QCOMPARE(formatTotal(-4), QByteArray("-4"));
}

void TestStatistics::countersSaturate_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("afterAGrading");
    const qint64 max = std::numeric_limits<qint64>::max();
    QTest::newRow("plain") << "12" << qint64(12) << "13";
    QTest::newRow("not a number") << "x7" << qint64(0) << "1";
    QTest::newRow("the largest stays") << "9223372036854775807" << max << "9223372036854775807";
    QTest::newRow("beyond 64 bits is the bound, kept as written")
        << "99999999999999999999" << max << "99999999999999999999";
    QTest::newRow("beyond 64 bits, negative")
        << "-99999999999999999999" << std::numeric_limits<qint64>::min() << "-9223372036854775807";
}

void TestStatistics::countersSaturate()
{
    QFETCH(QString, entry);
    Statistics s(QStringLiteral("/nonexistent"));
    s.loadFrom("[STATISTICS]\nP_NORPT=," + entry.toLatin1() + "\n");
    QTEST(s.counter(CounterList::P_NORPT, 1), "value");
    s.incrementCounter(CounterList::P_NORPT, 1);
    QTEST(s.WordStats[static_cast<size_t>(CounterList::P_NORPT)][1], "afterAGrading");
}

void TestStatistics::aWindowsFileKeepsEveryForeignLineAfterASave()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("conf.ini");
    const QByteArray original = "[Window]\r\n"
                                "Left=10\r\n"
                                "\r\n"
                                "[statistics]\r\n"
                                "; my notes\r\n"
                                "NAME=\"\x8e\x52\x93\x63\"\r\n"
                                "SCORE = 7\r\n"
                                "QUESTIONS=10\r\n"
                                "Theme=dark\r\n"
                                "P2_NOGPT=,1,2\r\n"
                                "[Zzz]\r\n"
                                "K=v\r\n";
    write(path, original);

    Statistics s(path);
    QVERIFY(s.loadStatistics());
    QCOMPARE(s.name, QByteArray("\x8e\x52\x93\x63"));
    QCOMPARE(int(s.score), 7);
    QCOMPARE(int(s.questions), 10);
    QCOMPARE(s.counter(CounterList::P2_NOGPT, 2), 2);
    QCOMPARE(s.counter(CounterList::P2_NOGPT, 3), 0);
    QVERIFY(s.saveStatistics());

    const QList<QByteArray> lines = readAll(path).split('\n');
    // Lines we do not own are byte-identical and in place.
    QCOMPARE(lines[0], QByteArray("[Window]\r"));
    QCOMPARE(lines[1], QByteArray("Left=10\r"));
    QCOMPARE(lines[2], QByteArray("\r"));
    QCOMPARE(lines[3], QByteArray("[statistics]\r"));
    QCOMPARE(lines[4], QByteArray("; my notes\r"));
    QCOMPARE(lines[5], QByteArray("NAME=\x8e\x52\x93\x63\r"));
    QCOMPARE(lines[6], QByteArray("SCORE= 7\r"));
    QCOMPARE(lines[7], QByteArray("QUESTIONS= 10\r"));
    QCOMPARE(lines[8], QByteArray("Theme=dark\r"));
    QVERIFY(lines[9].startsWith("P2_NOGPT=,1,2,0,0,"));
    // New keys follow the last key of the section, before the next section.
    QVERIFY(lines[10].startsWith("RATE= 0"));
    QVERIFY(lines[11].startsWith("NOG= 0"));
    QVERIFY(lines[12].startsWith("P_NOGPT=,0,"));
    QVERIFY(lines[16].startsWith("R_NORPT=,0,"));
    QCOMPARE(lines[17], QByteArray("[Zzz]\r"));
    QCOMPARE(lines[18], QByteArray("K=v\r"));
}

void TestStatistics::aFreshFileHasExactlyTheseBytes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sub/conf.ini");
    Statistics s(path);
    QVERIFY(s.loadStatistics());
    s.computeCoverage();
    QCOMPARE(s.pinyinCoverage, 0);
    QCOMPARE(s.translationCoverage, 0);
    QVERIFY(!s.canUsePinyinDrill());
    s.incrementCounter(CounterList::R_NOGPT, 500);
    s.score = 1;
    s.rate = -2;
    QVERIFY(s.saveStatistics());

    QByteArray zeros;
    for (int i = 0; i < 500; ++i)
        zeros += ",0";
    QByteArray rTries = zeros;
    rTries.chop(1);
    rTries += "1";
    const QByteArray expected = "[STATISTICS]\r\nNAME=\r\nSCORE= 1\r\nQUESTIONS= 0\r\nRATE=-2\r\nNOG= 0\r\n"
                                "P_NOGPT=" +
                                zeros + "\r\nP_NORPT=" + zeros + "\r\nP2_NOGPT=" + zeros + "\r\nP2_NORPT=" + zeros +
                                "\r\nR_NOGPT=" + rTries + "\r\nR_NORPT=" + zeros + "\r\n";
    QCOMPARE(readAll(path), expected);
}

void TestStatistics::listsAreMadeExactly501Long()
{
    Statistics s(QStringLiteral("/nonexistent"));
    QByteArray longList = "P_NOGPT=";
    for (int i = 0; i < 700; ++i)
        longList += QByteArray::number(i % 7) + ',';
    s.loadFrom("[STATISTICS]\n" + longList + "\nR_NORPT=,4\n");
    for (const auto& list : s.WordStats)
        QCOMPARE(list.size(), CounterSlots);
    // Whole values are read: nothing is cut at a buffer size.
    QCOMPARE(s.counter(CounterList::P_NOGPT, 500), 500 % 7);
    // Items past the last used one are not even kept as text.
    QCOMPARE(s.CounterTexts[0].count(u','), CounterSlots - 1);
    QCOMPARE(s.counter(CounterList::R_NORPT, 1), 4);
    QCOMPARE(s.WordStats[static_cast<size_t>(CounterList::R_NORPT)][2], QStringLiteral("0"));
}

void TestStatistics::untouchedEntriesAreWrittenBackAsRead()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("conf.ini");
    write(path, "[STATISTICS]\nP_NOGPT=head,x7,007,2\n");
    Statistics s(path);
    s.loadStatistics();
    QCOMPARE(s.counter(CounterList::P_NOGPT, 1), 0); // not a number counts as 0
    s.incrementCounter(CounterList::P_NOGPT, 2);
    QVERIFY(s.saveStatistics());
    QVERIFY(readAll(path).contains("\nP_NOGPT=head,x7,8,2,0,0"));
}

void TestStatistics::byEarListsHaveTheirOwnKeys_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("byEarKind"); // -1: no grading by ear
    QTest::addColumn<bool>("keysWritten");
    QTest::addColumn<qint64>("toneByEarRight"); // L2_NORPT of word 7 after the save
    const QByteArray old = "[STATISTICS]\r\nNAME=\r\nP2_NOGPT=,3\r\n";
    QTest::newRow("an old file stays without them") << old << -1 << false << qint64(0);
    QTest::newRow("a tone grading by ear adds all four") << old << int(DrillKind::ToneDrill) << true << qint64(1);
    QTest::newRow("a pinyin grading by ear adds all four") << old << int(DrillKind::PinyinDrill) << true << qint64(0);
    QTest::newRow("a file with them keeps them") << old + "L_NOGPT=\r\nL2_NORPT=,0,0,0,0,0,0,5\r\n"
                                                 << -1 << true << qint64(5);
}

void TestStatistics::byEarListsHaveTheirOwnKeys()
{
    QFETCH(QByteArray, file);
    QFETCH(int, byEarKind);
    QFETCH(bool, keysWritten);
    QFETCH(qint64, toneByEarRight);
    QTemporaryDir dir;
    const QString path = dir.filePath("conf.ini");
    write(path, file);
    Statistics s(path);
    QVERIFY(s.loadStatistics());
    QCOMPARE(s.counter(CounterList::P2_NOGPT, 1), 3); // the old lists read as before
    s.incrementCounter(CounterList::R_NOGPT, 7);
    if (byEarKind >= 0) {
        s.incrementCounter(triesList(DrillKind(byEarKind), true), 7);
        s.incrementCounter(correctList(DrillKind(byEarKind), true), 7);
    }
    QVERIFY(s.saveStatistics());
    s.computeCoverage();
    // By ear never counts for coverage.
    QCOMPARE(s.coveredCount(DrillKind::ToneDrill) + s.coveredCount(DrillKind::PinyinDrill), 0);

    const QByteArray saved = readAll(path);
    for (const char* key : {"\nL_NOGPT=", "\nL_NORPT=", "\nL2_NOGPT=", "\nL2_NORPT="})
        QCOMPARE(saved.contains(key), keysWritten);
    Statistics reread(path);
    QVERIFY(reread.loadStatistics());
    QCOMPARE(reread.counter(CounterList::L2_NORPT, 7), toneByEarRight);
    QCOMPARE(reread.counter(CounterList::R_NOGPT, 7), 1);
    QCOMPARE(reread.counter(CounterList::P2_NOGPT, 1), 3);
}

void TestStatistics::coverage_data()
{
    QTest::addColumn<int>("pinyin");
    QTest::addColumn<int>("tone");
    QTest::addColumn<int>("translation");
    QTest::addColumn<QString>("p");
    QTest::addColumn<QString>("r");
    QTest::addColumn<bool>("pinyinDrill");
    QTest::newRow("255 in the tone drill") << 0 << 255 << 0 << "25"
                                           << "0" << false;
    QTest::newRow("all 500 in the tone drill") << 0 << 500 << 0 << "50"
                                               << "0" << false;
    QTest::newRow("and 10 in the pinyin drill") << 10 << 500 << 0 << "51"
                                                << "0" << true;
    QTest::newRow("499 in the translation drill") << 0 << 0 << 499 << "0"
                                                  << "99" << false;
    QTest::newRow("everything") << 500 << 500 << 500 << "100"
                                << "100" << true;
}

void TestStatistics::coverage()
{
    QFETCH(int, pinyin);
    QFETCH(int, tone);
    QFETCH(int, translation);
    Statistics s(QStringLiteral("/nonexistent"));
    QSignalSpy changed(&s, &Statistics::coverageChanged);
    cover(s, DrillKind::PinyinDrill, pinyin);
    cover(s, DrillKind::ToneDrill, tone);
    cover(s, DrillKind::TranslationDrill, translation);
    // Tried once and answered wrongly is not covered.
    s.incrementCounter(CounterList::R_NOGPT, 500);
    s.computeCoverage();
    QTEST(QString::number(s.pinyinCoverage), "p");
    QTEST(QString::number(s.translationCoverage), "r");
    QTEST(s.canUsePinyinDrill(), "pinyinDrill");
    QCOMPARE(changed.count(), 1);
}

void TestStatistics::aFailedSaveKeepsResultsAndSaysSoOnce()
{
    // Root may write anywhere it has permissions for, but never into /proc.
    const bool root = geteuid() == 0;
    QTemporaryDir dir;
    const QString folder = root ? QStringLiteral("/proc/rumena-test") : dir.filePath("locked");
    const QString path = folder + "/conf.ini";
    if (!root) {
        QDir().mkpath(folder);
        write(path, "[STATISTICS]\nSCORE= 3\n");
        QFile::setPermissions(path, QFileDevice::ReadOwner);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }

    Statistics s(path);
    QSignalSpy failed(&s, &Statistics::saveFailed);
    s.loadStatistics();
    s.score = 9;
    s.incrementCounter(CounterList::P2_NOGPT, 4);
    QVERIFY(!s.saveStatistics());
    QVERIFY(s.hasUnsavedResults());
    QVERIFY(!s.saveStatistics());
    QCOMPARE(failed.count(), 1);

    // A reload (the search screen does one) must not bring back the older file.
    s.loadStatistics();
    QCOMPARE(int(s.score), 9);
    QCOMPARE(s.counter(CounterList::P2_NOGPT, 4), 1);
    if (!root) {
        QCOMPARE(readAll(path), QByteArray("[STATISTICS]\nSCORE= 3\n"));
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QVERIFY(s.saveStatistics());
        QVERIFY(!s.hasUnsavedResults());
        QVERIFY(readAll(path).contains("SCORE= 9"));
    }
}

void TestStatistics::anInterruptedSaveLeavesTheOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("conf.ini");
    const QByteArray original = "[STATISTICS]\nSCORE= 3\nP_NOGPT=,1\n";
    write(path, original);
    Statistics s(path);
    s.loadStatistics();
    s.score = 4;
    s.setBeforeCommit([] { return false; });
    QVERIFY(!s.saveStatistics());
    QCOMPARE(readAll(path), original);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"conf.ini"});
}

void TestStatistics::anUnreadableFileIsKeptAsBackup()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("conf.ini");
    const QByteArray original = "[STATISTICS]\nSCORE= 77\n";
    // Root reads every file, so there a folder in the file's place cannot be read.
    const bool root = geteuid() == 0;
    if (root) {
        QVERIFY(QDir().mkpath(path));
        write(path + "/inside", original);
    } else {
        write(path, original);
        QFile::setPermissions(path, QFileDevice::WriteOwner);
    }

    Statistics s(path);
    QVERIFY(!s.loadStatistics());
    QCOMPARE(int(s.score), 0);
    s.score = 1;
    QVERIFY(s.saveStatistics());
    if (root) {
        QCOMPARE(readAll(path + ".bak/inside"), original);
    } else {
        QFile::setPermissions(path + ".bak", QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(readAll(path + ".bak"), original);
    }
    QVERIFY(readAll(path).contains("SCORE= 1"));
}

namespace {

// A read or write that passes the bytes its budget allows, then fails.
template <class Buffer, class Fail>
std::function<ssize_t(int, Buffer, size_t)> passThenFail(std::function<ssize_t(int, Buffer, size_t)> real,
                                                         std::shared_ptr<qint64> budget, Fail fail)
{
    return [=](int fd, Buffer buffer, size_t size) -> ssize_t {
        if (*budget <= 0)
            return fail();
        const ssize_t n = real(fd, buffer, std::min<size_t>(size, static_cast<size_t>(*budget)));
        *budget -= std::max<ssize_t>(n, 0);
        return n;
    };
}

// Makes one system call of the file store fail with err, the way a full disk
// or a failing drive does: read and write first pass `after` bytes through.
void injectFault(const QString& call, int err, qint64 after)
{
    auto& calls = DurableFile::systemCalls();
    const auto budget = std::make_shared<qint64>(after);
    const auto fail = [err] {
        errno = err;
        return -1;
    };
    if (call == "open") {
        calls.open = [fail](const char*, int, mode_t) { return fail(); };
    } else if (call == "read") {
        calls.read = passThenFail(calls.read, budget, fail);
    } else if (call == "write") {
        calls.write = passThenFail(calls.write, budget, fail);
    } else if (call == "fsync" || call == "folder fsync") {
        const bool folder = call == "folder fsync";
        calls.fsync = [folder, fail, real = calls.fsync](int fd) {
            struct stat st {};
            ::fstat(fd, &st);
            return S_ISDIR(st.st_mode) == folder ? fail() : real(fd);
        };
    } else if (call == "rename") {
        calls.rename = [fail](const char*, const char*) { return fail(); };
    }
}

// A real file-size limit for this process, as a shell's ulimit -f sets it;
// SIGXFSZ is ignored so that the write fails with EFBIG instead.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit saved_{};
    void (*oldHandler_)(int) = SIG_DFL;
};

} // namespace

void TestStatistics::faultsNeverCostAResult_data()
{
    QTest::addColumn<QString>("when"); // the fault strikes during the load or the save
    QTest::addColumn<QString>("call");
    QTest::addColumn<int>("err");
    QTest::addColumn<qint64>("after");
    QTest::addColumn<int>("olderBackups");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("fileIsNew"); // else byte for byte the old file
    QTest::addColumn<bool>("backedUp");  // the old file is conf.ini.bak
    QTest::addColumn<bool>("told");

    // clang-format off
    QTest::newRow("disk full at once")      << "save" << "write" << ENOSPC << 0LL << 0 << true << false << false << false << true;
    QTest::newRow("disk full after 1 KiB")  << "save" << "write" << ENOSPC << 1024LL << 0 << true << false << false << false << true;
    QTest::newRow("write error after 4 KiB") << "save" << "write" << EIO << 4096LL << 0 << true << false << false << false << true;
    QTest::newRow("file-size limit")        << "save" << "ulimit" << EFBIG << 1024LL << 0 << true << false << false << false << true;
    QTest::newRow("sync error")             << "save" << "fsync" << EIO << 0LL << 0 << true << false << false << false << true;
    QTest::newRow("rename error")           << "save" << "rename" << EIO << 0LL << 0 << true << false << false << false << true;
    QTest::newRow("folder sync error")      << "save" << "folder fsync" << EIO << 0LL << 0 << true << false << true << false << true;
    QTest::newRow("cannot open to load")    << "load" << "open" << EACCES << 0LL << 0 << false << true << true << true << false;
    QTest::newRow("read error while loading") << "load" << "read" << EIO << 100LL << 0 << false << true << true << true << false;
    QTest::newRow("read error while saving") << "save" << "read" << EIO << 0LL << 0 << true << true << true << true << false;
    QTest::newRow("unreadable again")       << "load" << "read" << EIO << 0LL << 2 << false << true << true << true << false;
    // clang-format on
}

void TestStatistics::faultsNeverCostAResult()
{
    QFETCH(QString, when);
    QFETCH(QString, call);
    QFETCH(int, err);
    QFETCH(qint64, after);
    QFETCH(int, olderBackups);
    QFETCH(bool, fileIsNew);
    QFETCH(bool, backedUp);

    QTemporaryDir dir;
    const QString path = dir.filePath("conf.ini");
    {
        Statistics before(path);
        before.score = 3;
        cover(before, DrillKind::ToneDrill, 500);
        QVERIFY(before.saveStatistics());
    }
    const QByteArray original = readAll(path);
    const auto backup = [](int n) { return n == 0 ? QString("conf.ini.bak") : "conf.ini.bak." + QString::number(n); };
    for (int n = 0; n < olderBackups; ++n)
        write(dir.filePath(backup(n)), "older " + QByteArray::number(n));

    Statistics s(path);
    QSignalSpy failed(&s, &Statistics::saveFailed);
    if (when == "load")
        injectFault(call, err, after);
    QTEST(s.loadStatistics(), "loaded");
    DurableFile::restoreSystemCalls();

    s.score = 9;
    const qint64 tries = s.counter(CounterList::P2_NOGPT, 4) + 1;
    s.incrementCounter(CounterList::P2_NOGPT, 4);
    bool saved = false;
    if (call == "ulimit") {
        const FileSizeLimit limit(static_cast<rlim_t>(after));
        saved = s.saveStatistics();
    } else {
        if (when == "save")
            injectFault(call, err, after);
        saved = s.saveStatistics();
        DurableFile::restoreSystemCalls();
    }
    QTEST(saved, "saved");
    QTEST(failed.count() == 1, "told");

    // The results stay in memory, also across a reload.
    QVERIFY(s.loadStatistics());
    QCOMPARE(int(s.score), 9);
    QCOMPARE(s.counter(CounterList::P2_NOGPT, 4), tries);

    if (fileIsNew) {
        Statistics reread(path);
        QVERIFY(reread.loadStatistics());
        QCOMPARE(int(reread.score), 9);
        QCOMPARE(reread.counter(CounterList::P2_NOGPT, 4), tries);
    } else {
        QCOMPARE(readAll(path), original);
    }
    // Older backups move one number up, none is lost, and no temporary file is left.
    QStringList files{"conf.ini"};
    const int shift = backedUp ? 1 : 0;
    for (int n = 0; n < olderBackups; ++n) {
        files << backup(n + shift);
        QCOMPARE(readAll(dir.filePath(backup(n + shift))), "older " + QByteArray::number(n));
    }
    if (backedUp) {
        files << backup(0);
        QCOMPARE(readAll(dir.filePath(backup(0))), original);
    }
    files.sort();
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), files);
}

void TestStatistics::thePortableFileIsUsedOnlyWhenItCanBeReplaced_data()
{
    QTest::addColumn<bool>("besideExists");
    QTest::addColumn<QString>("refused"); // what the program folder refuses
    QTest::addColumn<bool>("dataExists");
    QTest::addColumn<bool>("portable");
    QTest::addColumn<QByteArray>("dataAfter");
    const QByteArray portable = "[STATISTICS]\nSCORE= 7\n";
    const QByteArray own = "[STATISTICS]\nSCORE= 2\n";
    QTest::newRow("none beside the program") << false << "" << false << false << QByteArray();
    QTest::newRow("writable file in a writable folder") << true << "" << false << true << QByteArray();
    QTest::newRow("folder takes no new file: results copied") << true << "new files" << false << false << portable;
    QTest::newRow("read-only file: results copied") << true << "writing" << false << false << portable;
    QTest::newRow("copied before: the data folder's file is kept") << true << "new files" << true << false << own;
}

void TestStatistics::thePortableFileIsUsedOnlyWhenItCanBeReplaced()
{
    QFETCH(bool, besideExists);
    QFETCH(QString, refused);
    QFETCH(bool, dataExists);
    QTemporaryDir dir;
    const QString program = dir.filePath("program");
    const QString data = dir.filePath("data");
    QDir().mkpath(program);
    QDir().mkpath(data);
    if (besideExists)
        write(program + "/conf.ini", "[STATISTICS]\nSCORE= 7\n");
    if (dataExists)
        write(data + "/conf.ini", "[STATISTICS]\nSCORE= 2\n");
    // Permission bits do not bind root, so the folder refuses through the file calls.
    auto& calls = DurableFile::systemCalls();
    calls.open = [refused, program = QFile::encodeName(program), real = calls.open](const char* path, int flags,
                                                                                    mode_t mode) {
        const bool creates = (flags & O_CREAT) != 0;
        const bool writes = (flags & O_ACCMODE) != O_RDONLY;
        if (QByteArray(path).startsWith(program) &&
            ((refused == "new files" && creates) || (refused == "writing" && writes && !creates))) {
            errno = EACCES;
            return -1;
        }
        return real(path, flags, mode);
    };

    const QString chosen = Statistics::chooseFilePath(program, data);
    QTEST(chosen == program + "/conf.ini", "portable");
    if (chosen != program + "/conf.ini")
        QCOMPARE(chosen, data + "/conf.ini");
    QTEST(readAll(data + "/conf.ini"), "dataAfter");
    QCOMPARE(QDir(program).entryList(QDir::Files), besideExists ? QStringList{"conf.ini"} : QStringList{});
}

QTEST_GUILESS_MAIN(TestStatistics)
#include "test_statistics.moc"
