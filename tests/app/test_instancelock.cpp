#include "app/singlecopy.h"
#include "ui/messagebox.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

class TestInstanceLock : public QObject {
    Q_OBJECT

  private slots:
    void init() { MsgBox::resetRecord(); }
    void aSecondCopyIsToldAndEnds();
    void theLockOfACrashedCopyIsTakenOver();
    void leftoversOfInterruptedSavesAreRemoved_data();
    void leftoversOfInterruptedSavesAreRemoved();

  private:
    QTemporaryDir dir;
    QString path() const { return dir.filePath("conf.ini"); }
};

void TestInstanceLock::aSecondCopyIsToldAndEnds()
{
    const QString inFreshFolder = dir.filePath("new/conf.ini");
    auto first = std::make_unique<InstanceLock>(inFreshFolder);
    QVERIFY(claimStatisticsFile(*first));
    QCOMPARE(MsgBox::shownCount(), 0);

    InstanceLock second(inFreshFolder);
    MsgBox::setNextAnswer(QMessageBox::Ok);
    QVERIFY(!claimStatisticsFile(second));
    QCOMPARE(MsgBox::shownCount(), 1);
    QVERIFY(MsgBox::last().text.startsWith(QStringLiteral("ルメナはすでに起動しています。")));
    QCOMPARE(MsgBox::last().title, MsgBox::programTitle());

    // Once the first copy has ended, the next one starts.
    first.reset();
    QVERIFY(claimStatisticsFile(second));
}

void TestInstanceLock::theLockOfACrashedCopyIsTakenOver()
{
    const pid_t child = fork();
    if (child == 0) {
        auto* lock = new QLockFile(path() + ".lock"); // never unlocked: the copy "crashes"
        _exit(lock->tryLock(0) ? 0 : 1);
    }
    QVERIFY(child > 0);
    int status = -1;
    const QDeadlineTimer deadline(10'000);
    while (waitpid(child, &status, WNOHANG) == 0 && !deadline.hasExpired())
        QTest::qSleep(10);
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    QVERIFY(QFile::exists(path() + ".lock"));

    InstanceLock lock(path());
    QVERIFY(lock.acquire());
}

void TestInstanceLock::leftoversOfInterruptedSavesAreRemoved_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("anotherCopyRuns");
    QTest::addColumn<bool>("removed");
    QTest::newRow("a leftover") << "conf.ini.Ab3xYz" << false << true;
    QTest::newRow("a leftover of digits and small letters") << "conf.ini.q1w2e3" << false << true;
    QTest::newRow("... but not while another copy may be saving") << "conf.ini.Ab3xYz" << true << false;
    QTest::newRow("a learner's word") << "conf.ini.backup" << false << false;
    QTest::newRow("a backup") << "conf.ini.bak" << false << false;
    QTest::newRow("an older backup") << "conf.ini.bak.1" << false << false;
    QTest::newRow("too short") << "conf.ini.Ab3xY" << false << false;
    QTest::newRow("too long") << "conf.ini.Ab3xYz7" << false << false;
    QTest::newRow("not a letter or digit") << "conf.ini.Ab-xYz" << false << false;
    QTest::newRow("another file's") << "mine.ini.Ab3xYz" << false << false;
}

void TestInstanceLock::leftoversOfInterruptedSavesAreRemoved()
{
    QFETCH(QString, name);
    QFETCH(bool, anotherCopyRuns);
    QTemporaryDir folder;
    const QString conf = folder.filePath("conf.ini");
    InstanceLock other(conf);
    if (anotherCopyRuns)
        QVERIFY(other.acquire());
    // Made while the other copy runs, so this may be its save in progress.
    QVERIFY(QFile(folder.filePath(name)).open(QIODevice::WriteOnly));
    QVERIFY(QFile(conf).open(QIODevice::WriteOnly));

    InstanceLock lock(conf);
    QCOMPARE(lock.acquire(), !anotherCopyRuns);
    QTEST(!QFile::exists(folder.filePath(name)), "removed");
    QVERIFY(QFile::exists(conf));
}

QTEST_MAIN(TestInstanceLock)
#include "test_instancelock.moc"
