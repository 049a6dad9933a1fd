#include "drilldriver.h"
#include "soundserver.h"
#include "testsupport.h"

#include "core/speechservice.h"
#include "ui/clickable.h"
#include "ui/drills/frmListDui.h"
#include "ui/imagebutton.h"
#include "ui/messagebox.h"
#include "ui/screenregistry.h"
#include "ui/selection/frmSearch.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cmath>

// Qt Multimedia connects to the sound server once per process, so each
// situation runs in a child process of this test with its environment set
// before the first word: the child is this executable running one test
// function with RUMENA_SPEECH_CHILD set.
class TestSpeechPlayer : public QObject {
    Q_OBJECT

  private slots:
    void aMissingProgramIsReportedOnce();
    void withoutASoundServerNothingWaits();
    void withoutASoundServerNoDrillByEarOpens();
    void aWordReachesTheSoundServer();
    void soundLibrariesLoadWhenSpeechIsPrepared();
    void aMissingAudioModuleIsToldOnce();
};

namespace {

bool inChild()
{
    return qEnvironmentVariableIsSet("RUMENA_SPEECH_CHILD");
}

bool have(const char* program)
{
    return !QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty();
}

// Runs the named test function in a child with env; true when it passed.
bool runChild(const char* function, QProcessEnvironment env, QString& output)
{
    env.insert(QStringLiteral("RUMENA_SPEECH_CHILD"), QStringLiteral("1"));
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(function)});
    const bool ended = child.waitForFinished(60000);
    if (!ended)
        child.kill();
    child.waitForFinished(5000);
    output = QString::fromLocal8Bit(child.readAll());
    return ended && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
}

// No server anywhere: an empty runtime folder, no address, no autospawn.
QProcessEnvironment withoutServer(const QTemporaryDir& dir)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("PULSE_SERVER"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
    QFile conf(dir.filePath(QStringLiteral("client.conf")));
    if (conf.open(QIODevice::WriteOnly))
        conf.write("autospawn = no\n");
    env.insert(QStringLiteral("PULSE_CLIENTCONFIG"), conf.fileName());
    return env;
}

qint16 sampleAt(const QByteArray& pcm, qsizetype i)
{
    return qFromLittleEndian<qint16>(pcm.constData() + 2 * i);
}

// The RMS of every 10 ms of 16-bit mono PCM.
QList<double> envelope(const QByteArray& pcm, int sampleRate)
{
    QList<double> frames;
    const qsizetype n = sampleRate / 100;
    for (qsizetype start = 0; start + n <= pcm.size() / 2; start += n) {
        double sum = 0;
        for (qsizetype i = start; i < start + n; ++i)
            sum += double(sampleAt(pcm, i)) * sampleAt(pcm, i);
        frames.append(std::sqrt(sum / double(n)));
    }
    return frames;
}

struct Loudness {
    qsizetype first = 0;
    qsizetype frames = 0; // from the first to the last frame above the floor
    double rms = 0;       // over those frames
};

Loudness loudness(const QByteArray& pcm, int sampleRate)
{
    const QList<double> e = envelope(pcm, sampleRate);
    qsizetype first = -1, last = -1;
    for (qsizetype i = 0; i < e.size(); ++i) {
        if (e[i] > 300) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    Loudness l;
    if (first < 0)
        return l;
    double sum = 0;
    for (qsizetype i = first; i <= last; ++i)
        sum += e[i] * e[i];
    l.first = first;
    l.frames = last - first + 1;
    l.rms = std::sqrt(sum / double(l.frames));
    return l;
}

double correlation(const QList<double>& a, const QList<double>& b)
{
    const qsizetype n = std::min(a.size(), b.size());
    if (n < 2)
        return 0;
    double ma = 0, mb = 0;
    for (qsizetype i = 0; i < n; ++i) {
        ma += a[i] / double(n);
        mb += b[i] / double(n);
    }
    double ab = 0, aa = 0, bb = 0;
    for (qsizetype i = 0; i < n; ++i) {
        ab += (a[i] - ma) * (b[i] - mb);
        aa += (a[i] - ma) * (a[i] - ma);
        bb += (b[i] - mb) * (b[i] - mb);
    }
    return aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0;
}

} // namespace

void TestSpeechPlayer::aMissingProgramIsReportedOnce()
{
    SpeechService speech;
    speech.setSynthProgram(QStringLiteral("/nonexistent/espeak-ng"));
    QSignalSpy unavailable(&speech, &SpeechService::unavailable);
    QVERIFY(speech.isAvailable());
    for (int i = 0; i < 3; ++i)
        speech.speak(QStringLiteral("ma1"));
    QTRY_COMPARE_WITH_TIMEOUT(unavailable.size(), 1, 5000);
    QCOMPARE(unavailable[0][0].toString(), SpeechService::missingProgramSentence());
    QVERIFY(unavailable[0][0].toString().contains(QStringLiteral("sudo apt install espeak-ng")));
    QVERIFY(!speech.isAvailable());
    speech.speak(QStringLiteral("ma2"));
    QTest::qWait(300);
    QCOMPARE(unavailable.size(), 1);

    // Switched off, nothing is even tried.
    SpeechService off;
    off.setSynthProgram(QStringLiteral("/nonexistent/espeak-ng"));
    off.setSettings({false, false});
    QSignalSpy offUnavailable(&off, &SpeechService::unavailable);
    off.speak(QStringLiteral("ma1"));
    QTest::qWait(300);
    QCOMPARE(offUnavailable.size(), 0);
}

void TestSpeechPlayer::withoutASoundServerNothingWaits()
{
    if (!have("espeak-ng"))
        QSKIP("espeak-ng is not installed (sudo apt install espeak-ng)");
    if (!inChild()) {
        QTemporaryDir dir;
        QString output;
        QVERIFY2(runChild("withoutASoundServerNothingWaits", withoutServer(dir), output), qPrintable(output));
        return;
    }
    SpeechService speech;
    QSignalSpy unavailable(&speech, &SpeechService::unavailable);
    QSignalSpy handedOver(&speech, &SpeechService::firstSampleHandedOver);
    for (const char* word : {"ma1", "xue2 xiao4", "ni3 hao3"}) {
        QElapsedTimer t;
        t.start();
        speech.speak(QString::fromLatin1(word));
        QVERIFY2(t.elapsed() < 1000, "speak() waited for the word");
        QTRY_VERIFY_WITH_TIMEOUT(!speech.isAvailable(), 5000);
    }
    QTest::qWait(300);
    QCOMPARE(unavailable.size(), 1);
    QCOMPARE(unavailable[0][0].toString(), SpeechService::noOutputSentence());
    QCOMPARE(handedOver.size(), 0);
    // Asked before a drill by ear, the output fails to open at once, and says so again.
    QElapsedTimer t;
    t.start();
    QVERIFY(!speech.check(2000));
    QVERIFY2(t.elapsed() < 1000, "the check waited");
    QCOMPARE(unavailable.size(), 2);
    QCOMPARE(unavailable[1][0].toString(), SpeechService::noOutputSentence());
}

// The real output with no server: the check before a drill by ear fails at
// once, the learner is told once, and the drill does not open.
void TestSpeechPlayer::withoutASoundServerNoDrillByEarOpens()
{
    if (!have("espeak-ng"))
        QSKIP("espeak-ng is not installed (sudo apt install espeak-ng)");
    if (!inChild()) {
        QTemporaryDir dir;
        QString output;
        QVERIFY2(runChild("withoutASoundServerNoDrillByEarOpens", withoutServer(dir), output), qPrintable(output));
        return;
    }
    ScreenFixture fixture;
    fixture.setUp(true);
    fixture.screens->voice().setMadeHook({});
    auto& search = fixture.screens->screen<frmSearch>();
    search.load();
    search.button(QStringLiteral("Search(0)"))->click();
    search.show();
    QVERIFY(QTest::qWaitForWindowExposed(&search));
    int drills = 0;
    fixture.screens->setShownHook([&](ScreenBase& shown) {
        ++drills;
        shown.ScreenBase::back();
    });
    MsgBox::setNextAnswer(QMessageBox::Ok);
    QElapsedTimer t;
    t.start();
    QTest::mouseClick(search.button(QStringLiteral("LP"))->picture(), Qt::LeftButton);
    QVERIFY2(t.elapsed() < 2000, "the check waited");
    QCOMPARE(drills, 0);
    QCOMPARE(MsgBox::shownCount(), 1);
    QCOMPARE(MsgBox::last().text, SpeechService::noOutputSentence());
    QVERIFY(search.button(QStringLiteral("LP"))->isGreyed());
    search.hide();
    fixture.tearDown();
}

void TestSpeechPlayer::aWordReachesTheSoundServer()
{
    if (!inChild()) {
        if (!have("espeak-ng") || !PrivateSoundServer::installed())
            QSKIP("espeak-ng or PulseAudio is not installed (sudo apt install espeak-ng pulseaudio pulseaudio-utils)");
        PrivateSoundServer server;
        QVERIFY2(server.start(), "the private PulseAudio did not start");
        MonitorRecorder recorder;
        QVERIFY(recorder.start(server, 22050, 20));
        // The monitor gives silence while nothing plays: once some has come,
        // the recording runs.
        QTRY_VERIFY_WITH_TIMEOUT(!recorder.pcm().isEmpty(), 5000);
        QProcessEnvironment env = server.environment();
        const QString played = server.filePath(QStringLiteral("played.pcm"));
        env.insert(QStringLiteral("RUMENA_SPEECH_PLAYED"), played);
        QString output;
        const bool passed = runChild("aWordReachesTheSoundServer", env, output);
        QTest::qWait(300);
        recorder.stop();
        QVERIFY2(passed, qPrintable(output));

        QFile f(played);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray pcm = f.readAll();
        const Loudness sent = loudness(pcm, 22050);

        QVERIFY(sent.frames > 20);
        const QByteArray rec = recorder.pcm();
        const Loudness heard = loudness(rec, 22050);
        // What the server played is the word: as loud, and about as long.
        QVERIFY2(heard.rms > sent.rms / 1.5 && heard.rms < sent.rms * 1.5,
                 qPrintable(QStringLiteral("RMS %1 sent, %2 heard").arg(sent.rms).arg(heard.rms)));
        QVERIFY2(std::abs(heard.frames - sent.frames) <= sent.frames / 5 + 3,
                 qPrintable(QStringLiteral("%1 ms sent, %2 ms heard").arg(sent.frames * 10).arg(heard.frames * 10)));
        const double r = correlation(envelope(pcm, 22050).mid(sent.first, sent.frames),
                                     envelope(rec, 22050).mid(heard.first, sent.frames));
        QVERIFY2(r > 0.9, qPrintable(QStringLiteral("envelopes correlate by %1").arg(r)));
        return;
    }
    // Pressed on the answer list as a learner would.
    ScreenFixture fixture;
    fixture.setUp(true);
    fixture.screens->voice().setMadeHook({}); // the real output, to the private server
    openOn(*fixture.state->tovak, firstWords(12));
    auto& list = fixture.screens->screen<frmListDui>();
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    SpeechService& speech = fixture.screens->voice().service();
    QSignalSpy unavailable(&speech, &SpeechService::unavailable);
    // What a drill by ear asks first: here a word can be spoken.
    QVERIFY(fixture.screens->voice().check());
    QSignalSpy handedOver(&speech, &SpeechService::firstSampleHandedOver);
    QSignalSpy finished(&speech, &SpeechService::playbackFinished);
    const auto speaker = [&](int row) { return list.findChild<QWidget*>(QStringLiteral("imgSpeaker(%1)").arg(row)); };
    // A word interrupted by the next: only the second is played to its end.
    QVERIFY(pressClickable(speaker(0)));
    QVERIFY(pressClickable(speaker(1)));
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 10000);
    QCOMPARE(unavailable.size(), 0);
    QVERIFY(speech.isAvailable());
    QCOMPARE(handedOver.size(), 1);
    const QByteArray pcm = handedOver[0][1].toByteArray();
    QCOMPARE(handedOver[0][2].toInt(), 22050);
    QFile f(qEnvironmentVariable("RUMENA_SPEECH_PLAYED"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(pcm), pcm.size());
}

namespace {
bool mapped(const char* library)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library);
}
} // namespace

// Start-up maps no sound library: Qt Multimedia comes with the audio module,
// loaded when a screen with speakers prepares speech.
void TestSpeechPlayer::soundLibrariesLoadWhenSpeechIsPrepared()
{
    if (!have("espeak-ng"))
        QSKIP("espeak-ng is not installed (sudo apt install espeak-ng)");
    if (!inChild()) {
        QTemporaryDir dir;
        QString output;
        QVERIFY2(runChild("soundLibrariesLoadWhenSpeechIsPrepared", withoutServer(dir), output), qPrintable(output));
        return;
    }
    SpeechService speech;
    QSignalSpy unavailable(&speech, &SpeechService::unavailable);
    QVERIFY(!mapped("libQt6Multimedia"));
    speech.prepare();
    QVERIFY(mapped("rumena_audio"));
    QVERIFY(mapped("libQt6Multimedia"));
    // Preparing tells nothing; the word finds no server here and says so.
    QCOMPARE(unavailable.size(), 0);
    speech.speak(QStringLiteral("ma1"));
    QTRY_COMPARE_WITH_TIMEOUT(unavailable.size(), 1, 5000);
    QCOMPARE(unavailable[0][0].toString(), SpeechService::noOutputSentence());
}

void TestSpeechPlayer::aMissingAudioModuleIsToldOnce()
{
    if (!have("espeak-ng"))
        QSKIP("espeak-ng is not installed (sudo apt install espeak-ng)");
    if (!inChild()) {
        QTemporaryDir dir;
        QProcessEnvironment env = withoutServer(dir);
        env.insert(QStringLiteral("RUMENA_AUDIO_MODULE_DIR"), dir.path()); // nothing there
        QString output;
        QVERIFY2(runChild("aMissingAudioModuleIsToldOnce", env, output), qPrintable(output));
        return;
    }
    SpeechService speech;
    speech.setModuleSearch({qEnvironmentVariable("RUMENA_AUDIO_MODULE_DIR")});
    QSignalSpy unavailable(&speech, &SpeechService::unavailable);
    for (const char* word : {"ma1", "ma2"}) {
        speech.speak(QString::fromLatin1(word));
        QTRY_VERIFY_WITH_TIMEOUT(!speech.isAvailable(), 5000);
    }
    QTest::qWait(200);
    QCOMPARE(unavailable.size(), 1);
    QCOMPARE(unavailable[0][0].toString(), SpeechService::missingModuleSentence());
    QVERIFY(!mapped("libQt6Multimedia"));
}

QTEST_MAIN(TestSpeechPlayer)
#include "test_speechservice.moc"
