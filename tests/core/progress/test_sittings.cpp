#include "core/durablefile.h"
#include "core/progress/sittings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using namespace Qt::Literals::StringLiterals;

class TestSittings : public QObject {
    Q_OBJECT

  private slots:
    void nextSittings_data();
    void nextSittings();
    void storedDates_data();
    void storedDates();
    void theDateIsKeptBesideEverythingElse();
    void cleanup() { DurableFile::restoreSystemCalls(); }
};

void TestSittings::nextSittings_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QList<QDate>>("next");
    QTest::addColumn<QString>("countdown"); // to the first of them

    const QDate mar26(2026, 3, 22), jun26(2026, 6, 28), nov26(2026, 11, 22), mar27(2027, 3, 28);
    // clang-format off
    QTest::newRow("new year") << QDate(2026, 1, 1) << QList<QDate>{mar26, jun26, nov26} << u"試験まであと80日"_s;
    QTest::newRow("the day before") << QDate(2026, 3, 21) << QList<QDate>{mar26, jun26, nov26} << u"試験まであと1日"_s;
    QTest::newRow("the day of a sitting") << mar26 << QList<QDate>{mar26, jun26, nov26} << u"試験は今日です"_s;
    QTest::newRow("the day after") << QDate(2026, 3, 23) << QList<QDate>{jun26, nov26, mar27} << u"試験まであと97日"_s;
    QTest::newRow("after November") << QDate(2026, 11, 23) << QList<QDate>{mar27, QDate(2027, 6, 27), QDate(2027, 11, 28)} << u"試験まであと125日"_s;
    // A month that begins on a Sunday has its fourth on the 22nd, one that begins on a Monday on the 28th.
    QTest::newRow("March 2015 begins on a Sunday") << QDate(2015, 3, 1) << QList<QDate>{QDate(2015, 3, 22), QDate(2015, 6, 28), QDate(2015, 11, 22)} << u"試験まであと21日"_s;
    QTest::newRow("into a leap year") << QDate(2027, 12, 31) << QList<QDate>{QDate(2028, 3, 26), QDate(2028, 6, 25), QDate(2028, 11, 26)} << u"試験まであと86日"_s;
    // clang-format on
}

void TestSittings::nextSittings()
{
    QFETCH(QDate, today);
    QFETCH(QList<QDate>, next);
    QCOMPARE(::nextSittings(today), next);
    for (const QDate& d : next) {
        QCOMPARE(d.dayOfWeek(), int(Qt::Sunday));
        QVERIFY(d.day() >= 22 && d.day() <= 28);
    }
    QTEST(countdownCaption(next.first(), today), "countdown");
    QCOMPARE(countdownCaption(next.first(), next.first().addDays(1)), QString()); // past: no line
}

void TestSittings::storedDates_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QDate>("date"); // invalid: none

    const QByteArray head = "[STATISTICS]\nSCORE= 3\n[EXAM]\nDATE=";
    QTest::newRow("no file section") << QByteArray("[STATISTICS]\nSCORE= 3\n") << QDate();
    QTest::newRow("a sitting") << head + "2026-06-28\n" << QDate(2026, 6, 28);
    QTest::newRow("blanks and quotes") << head + " \"2026-06-28\" \r\n" << QDate(2026, 6, 28);
    QTest::newRow("key in lower case") << QByteArray("[exam]\ndate=2030-01-02\n") << QDate(2030, 1, 2);
    QTest::newRow("empty: none chosen") << head + "\n" << QDate();
    QTest::newRow("one digit month") << head + "2026-6-28\n" << QDate();
    QTest::newRow("30 February") << head + "2026-02-30\n" << QDate();
    QTest::newRow("before 2000") << head + "1999-11-28\n" << QDate();
    QTest::newRow("five-digit year") << head + "12026-06-28\n" << QDate();
    QTest::newRow("signed") << head + "+2026-06-28\n" << QDate();
    QTest::newRow("slashes") << head + "2026/06/28\n" << QDate();
    QTest::newRow("full-width digits") << head + "２０２６-06-28\n" << QDate();
    QTest::newRow("trailing text") << head + "2026-06-28 朝\n" << QDate();
    QTest::newRow("a time too") << head + "2026-06-28T09:00\n" << QDate();
    QTest::newRow("huge") << head + QByteArray(100000, '9') + "\n" << QDate();
    QTest::newRow("binary") << head + QByteArray("2026-06-2\0"
                                                 "8\n",
                                                 12)
                            << QDate();
}

void TestSittings::storedDates()
{
    QFETCH(QByteArray, file);
    QFETCH(QDate, date);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"conf.ini"_s);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(file);
    f.close();
    QCOMPARE(ExamDate::load(path).value_or(QDate()), date);
}

void TestSittings::theDateIsKeptBesideEverythingElse()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"conf.ini"_s);
    const auto read = [&] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    QVERIFY(!ExamDate::load(path));
    QVERIFY(ExamDate::save(path, QDate(2026, 11, 22))); // no file yet
    QCOMPARE(read(), QByteArray("[EXAM]\r\nDATE=2026-11-22\r\n"));

    const QByteArray others = "; mine\n[STATISTICS]\nNAME=\x83\x8b\nSCORE= 4\n[SPEECH]\nENABLED=0\n";
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(others);
    f.close();
    QVERIFY(ExamDate::save(path, QDate(2027, 3, 28)));
    QCOMPARE(read(), others + "[EXAM]\nDATE=2027-03-28\n");
    QVERIFY(ExamDate::save(path, std::nullopt));
    QCOMPARE(read(), others + "[EXAM]\nDATE=\n");
    QVERIFY(!ExamDate::load(path));

    // A failed save leaves the file as it was.
    DurableFile::systemCalls().fsync = [](int) {
        errno = EIO;
        return -1;
    };
    QVERIFY(!ExamDate::save(path, QDate(2027, 6, 27)));
    DurableFile::restoreSystemCalls();
    QCOMPARE(read(), others + "[EXAM]\nDATE=\n");
}

QTEST_GUILESS_MAIN(TestSittings)
#include "test_sittings.moc"
