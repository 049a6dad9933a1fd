#include "core/durablefile.h"
#include "core/speechsettings.h"
#include "core/statistics.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

class TestSpeechSettings : public QObject {
    Q_OBJECT

  private slots:
    void readFromTheSpeechSection_data();
    void readFromTheSpeechSection();
    void aSaveChangesOnlyItsOwnLines();
    void statisticsAndSpeechShareTheFile();
    void aFailedSaveLeavesTheFile();
};

namespace {

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

void TestSpeechSettings::readFromTheSpeechSection_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("slow");
    QTest::newRow("no file") << QByteArray() << true << false;
    QTest::newRow("no section") << QByteArray("[statistics]\r\nSCORE= 3\r\n") << true << false;
    QTest::newRow("off and slow") << QByteArray("[SPEECH]\r\nENABLED=0\r\nSLOW=1\r\n") << false << true;
    QTest::newRow("case and blanks") << QByteArray("[speech]\nenabled = 0 \nSlow= \"1\"\n") << false << true;
    QTest::newRow("any non-zero number") << QByteArray("[SPEECH]\nSLOW=2\n") << true << true;
    QTest::newRow("words keep the default") << QByteArray("[SPEECH]\nENABLED=no\nSLOW=yes\n") << true << false;
    QTest::newRow("first duplicate wins") << QByteArray("[SPEECH]\nSLOW=1\nSLOW=0\n") << true << true;
    QTest::newRow("other section's keys") << QByteArray("[Other]\nENABLED=0\n[SPEECH]\n") << true << false;
}

void TestSpeechSettings::readFromTheSpeechSection()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, enabled);
    QFETCH(bool, slow);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("conf.ini"));
    if (!file.isEmpty())
        QVERIFY(writeFile(path, file));
    const SpeechSettings s = SpeechSettings::load(path);
    QCOMPARE(s.enabled, enabled);
    QCOMPARE(s.slow, slow);
}

void TestSpeechSettings::aSaveChangesOnlyItsOwnLines()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("conf.ini"));
    const QByteArray before =
        "; by hand\r\n[statistics]\r\nSCORE= 7\r\n[Speech]\r\nenabled = 1\r\n\r\n[Other]\r\nX=1\r\n";
    QVERIFY(writeFile(path, before));
    QVERIFY((SpeechSettings{false, true}.save(path)));
    QCOMPARE(readFile(path), QByteArray("; by hand\r\n[statistics]\r\nSCORE= 7\r\n[Speech]\r\nenabled=0\r\nSLOW=1\r\n"
                                        "\r\n[Other]\r\nX=1\r\n"));
    QCOMPARE(SpeechSettings::load(path), (SpeechSettings{false, true}));

    // A fresh file gets a section of its own.
    const QString fresh = dir.filePath(QStringLiteral("fresh.ini"));
    QVERIFY(SpeechSettings{}.save(fresh));
    QCOMPARE(readFile(fresh), QByteArray("[SPEECH]\r\nENABLED=1\r\nSLOW=0\r\n"));
}

void TestSpeechSettings::statisticsAndSpeechShareTheFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("conf.ini"));
    Statistics stats(path);
    stats.score = 12;
    QVERIFY(stats.saveStatistics());
    QVERIFY((SpeechSettings{true, true}.save(path)));
    stats.score = 13;
    QVERIFY(stats.saveStatistics());
    QCOMPARE(SpeechSettings::load(path), (SpeechSettings{true, true}));
    Statistics reread(path);
    QVERIFY(reread.loadStatistics());
    QCOMPARE(reread.score, 13);
}

void TestSpeechSettings::aFailedSaveLeavesTheFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("conf.ini"));
    const QByteArray before = "[SPEECH]\nENABLED=1\n";
    QVERIFY(writeFile(path, before));
    auto& calls = DurableFile::systemCalls();
    calls.fsync = [](int) {
        errno = EIO;
        return -1;
    };
    const bool saved = SpeechSettings{false, false}.save(path);
    DurableFile::restoreSystemCalls();
    QVERIFY(!saved);
    QCOMPARE(readFile(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("conf.ini")});
}

QTEST_GUILESS_MAIN(TestSpeechSettings)
#include "test_speechsettings.moc"
