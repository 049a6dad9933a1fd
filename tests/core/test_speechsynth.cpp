#include "core/speechsynth.h"
#include "pitchtrack.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

class TestSpeechSynth : public QObject {
    Q_OBJECT

  private slots:
    void onlyPreparedPinyinReachesTheProgram_data();
    void onlyPreparedPinyinReachesTheProgram();
    void wavHeaderIsCheckedButItsLengthsAreNot_data();
    void wavHeaderIsCheckedButItsLengthsAreNot();
    void gainAndFadeIn_data();
    void gainAndFadeIn();
    void leadingSilenceIsCut_data();
    void leadingSilenceIsCut();
    void aFailingProgramFailsInTime_data();
    void aFailingProgramFailsInTime();
    void aSynthesisWithinTheLimitIsNeverKilled();
    void aNewWordAbandonsTheOneBeingMade();
    void aPreparedProgramSaysTheSame();
    void tonesMeasuredInTheSpeech_data();
    void tonesMeasuredInTheSpeech();
};

Q_DECLARE_METATYPE(SpeechSynth::Failure)

namespace {

bool haveEspeak()
{
    return !QStandardPaths::findExecutable(QStringLiteral("espeak-ng")).isEmpty();
}

QByteArray samples(std::initializer_list<qint16> values)
{
    QByteArray pcm(static_cast<qsizetype>(values.size()) * 2, Qt::Uninitialized);
    qsizetype i = 0;
    for (const qint16 v : values)
        qToLittleEndian(v, pcm.data() + 2 * i++);
    return pcm;
}

qint16 sampleAt(const QByteArray& pcm, qsizetype i)
{
    return qFromLittleEndian<qint16>(pcm.constData() + 2 * i);
}

struct Outcome {
    bool done = false;
    QByteArray pcm;
    int sampleRate = 0;
    std::optional<SpeechSynth::Failure> failure;
};

// Runs one synthesis to its end, waiting at most timeoutMs.
Outcome run(SpeechSynth& synth, const QString& text, bool slow = false, int timeoutMs = 10000)
{
    Outcome o;
    QObject context;
    QObject::connect(&synth, &SpeechSynth::finished, &context, [&](const QByteArray& pcm, int rate) {
        o.done = true;
        o.pcm = pcm;
        o.sampleRate = rate;
    });
    QObject::connect(&synth, &SpeechSynth::failed, &context, [&](SpeechSynth::Failure f) {
        o.done = true;
        o.failure = f;
    });
    if (!synth.synthesize(text, slow))
        return o;
    QElapsedTimer t;
    t.start();
    while (!o.done && t.elapsed() < timeoutMs)
        QTest::qWait(5);
    return o;
}

QString fakeProgram(const QTemporaryDir& dir, const QByteArray& name, const QByteArray& body)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write("#!/bin/sh\n" + body + "\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// The tones espeak-ng is meant to say: a third tone before another third
// tone is said as a rising one.
QList<int> spokenTones(const QByteArray& pinyin)
{
    QList<int> tones = PitchTrack::toneDigits(pinyin);
    for (qsizetype i = 0; i + 1 < tones.size(); ++i)
        if (tones[i] == 3 && tones[i + 1] == 3)
            tones[i] = 2;
    return tones;
}

} // namespace

void TestSpeechSynth::onlyPreparedPinyinReachesTheProgram_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("two syllables") << "xue2 xiao4" << true;
    QTest::newRow("erhua and neutral") << "yi1 dian3r ba5" << true;
    QTest::newRow("capitals") << "Bei3 jing1" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("digits only") << "3 4" << false;
    QTest::newRow("characters") << QStringLiteral("学校") << false;
    QTest::newRow("tone marks") << QStringLiteral("xué xiào") << false;
    QTest::newRow("markup") << "ma1</prosody><audio src=x>" << false;
    QTest::newRow("quote") << "ma1\" range=\"0" << false;
    QTest::newRow("an option") << "-w out" << false;
    QTest::newRow("line break") << "ni3\nhao3" << false;
    QTest::newRow("apostrophe") << "xi1'an1" << false;
    QTest::newRow("too long") << QString(SpeechSynth::maxTextLength + 1, u'a') << false;
}

void TestSpeechSynth::onlyPreparedPinyinReachesTheProgram()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QCOMPARE(SpeechSynth::isPreparedPinyin(text), accepted);
    SpeechSynth synth;
    synth.setProgram(QStringLiteral("/nonexistent/espeak-ng"));
    QCOMPARE(synth.synthesize(text), accepted);
    QCOMPARE(synth.isRunning(), accepted);
    if (!accepted)
        return;
    // The text goes in on one line, inside the SSML that widens the pitch
    // range; only the speed follows the slow setting.
    QCOMPARE(SpeechSynth::input(text), "<speak><prosody range=\"80\">" + text.toLatin1() + "</prosody></speak>\n");
    for (const bool slow : {false, true}) {
        const QStringList args = SpeechSynth::arguments(slow);
        QVERIFY(args.contains(QStringLiteral("-m")));
        QVERIFY(args.contains(QStringLiteral("--stdout")));
        QCOMPARE(args.at(args.indexOf(QStringLiteral("-v")) + 1), QStringLiteral("cmn-latn-pinyin"));
        QCOMPARE(args.at(args.indexOf(QStringLiteral("-p")) + 1), QStringLiteral("70"));
        QCOMPARE(args.at(args.indexOf(QStringLiteral("-s")) + 1),
                 QString::number(slow ? SpeechSynth::slowSpeed : SpeechSynth::normalSpeed));
    }
}

void TestSpeechSynth::wavHeaderIsCheckedButItsLengthsAreNot_data()
{
    QTest::addColumn<QByteArray>("wav");
    QTest::addColumn<int>("sampleRate");
    QTest::addColumn<int>("samples");
    const QByteArray body = samples({1, 2, 3});
    QTest::newRow("espeak-ng on a pipe") << wavHeader(1, 1, 22050, 16) + body << 22050 << 3;
    QTest::newRow("odd byte dropped") << wavHeader(1, 1, 16000, 16) + body + 'x' << 16000 << 3;
    QTest::newRow("header only") << wavHeader(1, 1, 22050, 16) << 22050 << 0;
    QTest::newRow("stereo") << wavHeader(1, 2, 22050, 16) + body << 0 << 0;
    QTest::newRow("8 bits") << wavHeader(1, 1, 22050, 8) + body << 0 << 0;
    QTest::newRow("float") << wavHeader(3, 1, 22050, 16) + body << 0 << 0;
    QTest::newRow("no rate") << wavHeader(1, 1, 0, 16) + body << 0 << 0;
    QTest::newRow("cut short") << wavHeader(1, 1, 22050, 16).left(40) << 0 << 0;
    QTest::newRow("not a WAV") << QByteArray(100, 'x') << 0 << 0;
}

void TestSpeechSynth::wavHeaderIsCheckedButItsLengthsAreNot()
{
    QFETCH(QByteArray, wav);
    QFETCH(int, sampleRate);
    QFETCH(int, samples);
    QByteArray pcm;
    int rate = -1;
    QCOMPARE(SpeechSynth::parseWav(wav, pcm, rate), sampleRate != 0);
    QCOMPARE(rate, sampleRate);
    QCOMPARE(pcm.size(), samples * 2);
}

void TestSpeechSynth::gainAndFadeIn_data()
{
    QTest::addColumn<qint16>("in");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("out");
    // 22050 Hz: the fade takes 110 samples.
    QTest::newRow("first sample silent") << qint16(32767) << 0 << 0;
    QTest::newRow("a tenth in") << qint16(32767) << 11 << 2320;
    QTest::newRow("halfway") << qint16(32767) << 55 << 11599;
    QTest::newRow("full scale after the fade") << qint16(32767) << 110 << 23197;
    QTest::newRow("negative full scale") << qint16(-32768) << 500 << -23198;
    QTest::newRow("small values") << qint16(7) << 200 << 5;
    QTest::newRow("silence") << qint16(0) << 300 << 0;
}

void TestSpeechSynth::gainAndFadeIn()
{
    QFETCH(qint16, in);
    QFETCH(int, index);
    QFETCH(int, out);
    QByteArray pcm;
    for (int i = 0; i < 1000; ++i)
        pcm += samples({in});
    const QByteArray processed = SpeechSynth::postProcess(pcm, 22050);
    QCOMPARE(processed.size(), pcm.size());
    QCOMPARE(sampleAt(processed, index), out);
}

void TestSpeechSynth::leadingSilenceIsCut_data()
{
    QTest::addColumn<int>("quiet");    // samples before the word
    QTest::addColumn<qint16>("level"); // of those samples
    QTest::addColumn<int>("cut");      // samples gone
    // 22050 Hz: 2 ms are 44 samples.
    QTest::newRow("none") << 0 << qint16(0) << 0;
    QTest::newRow("less than 2 ms") << 30 << qint16(0) << 0;
    QTest::newRow("19 ms, as espeak-ng starts a word") << 419 << qint16(0) << 375;
    QTest::newRow("hiss below -54 dBFS") << 419 << qint16(-63) << 375;
    QTest::newRow("a sound from -54 dBFS is the word") << 419 << qint16(64) << 0;
    QTest::newRow("nothing but silence stays whole") << 1000 << qint16(0) << 0;
}

void TestSpeechSynth::leadingSilenceIsCut()
{
    QFETCH(int, quiet);
    QFETCH(qint16, level);
    QFETCH(int, cut);
    QByteArray pcm;
    for (int i = 0; i < quiet; ++i)
        pcm += samples({level});
    const bool silentWord = quiet == 1000;
    for (int i = 0; i < 1000 && !silentWord; ++i)
        pcm += samples({qint16(i % 2 ? 20000 : -20000)});
    const QByteArray processed = SpeechSynth::postProcess(pcm, 22050);
    QCOMPARE(processed.size(), pcm.size() - 2 * cut);
}

void TestSpeechSynth::aFailingProgramFailsInTime_data()
{
    QTest::addColumn<QByteArray>("script"); // empty: no such program
    QTest::addColumn<SpeechSynth::Failure>("failure");
    QTest::newRow("missing") << QByteArray() << SpeechSynth::Failure::Missing;
    QTest::newRow("hangs") << QByteArray("exec sleep 30") << SpeechSynth::Failure::TimedOut;
    QTest::newRow("endless output") << QByteArray("exec cat /dev/zero") << SpeechSynth::Failure::TooLarge;
    QTest::newRow("error status") << QByteArray("exit 3") << SpeechSynth::Failure::Crashed;
    QTest::newRow("killed") << QByteArray("kill -9 $$") << SpeechSynth::Failure::Crashed;
    QTest::newRow("no WAV") << QByteArray("echo hello") << SpeechSynth::Failure::BadOutput;
}

void TestSpeechSynth::aFailingProgramFailsInTime()
{
    QFETCH(QByteArray, script);
    QFETCH(SpeechSynth::Failure, failure);
    QTemporaryDir dir;
    SpeechSynth synth;
    synth.setTimeLimit(1000);
    synth.setProgram(script.isEmpty() ? dir.filePath(QStringLiteral("espeak-ng"))
                                      : fakeProgram(dir, "espeak-ng", script));
    QElapsedTimer t;
    t.start();
    const Outcome o = run(synth, QStringLiteral("ma1"), false, 5000);
    QVERIFY(o.done);
    QCOMPARE(o.failure, failure);
    QVERIFY(!synth.isRunning());
    if (failure == SpeechSynth::Failure::TimedOut)
        QVERIFY2(t.elapsed() >= 1000, qPrintable(QStringLiteral("killed after %1 ms").arg(t.elapsed())));
}

// Syntheses that end just inside the limit, and ones that never end, started
// at different moments (a coarse timer fires anywhere within 5 % of its time,
// depending on when it started): only what ran for the whole limit is killed.
void TestSpeechSynth::aSynthesisWithinTheLimitIsNeverKilled()
{
    constexpr int limitMs = 1000;
    QTemporaryDir dir;
    QFile header(dir.filePath(QStringLiteral("header")));
    QVERIFY(header.open(QIODevice::WriteOnly));
    header.write(wavHeader(1, 1, 22050, 16));
    header.close();
    struct Run {
        int releaseMs = -1; // -1: never
        QByteArray fifo;
        std::unique_ptr<SpeechSynth> synth;
        QElapsedTimer since;
        qint64 endedMs = -1;
        bool finished = false;
    };
    std::array<Run, 6> runs;
    const std::array<int, 6> releases = {900, 950, 970, 980, -1, -1};
    for (size_t i = 0; i < runs.size(); ++i) {
        Run& r = runs[i];
        r.releaseMs = releases[i];
        r.fifo = QFile::encodeName(dir.filePath(QStringLiteral("release%1").arg(i)));
        QCOMPARE(::mkfifo(r.fifo.constData(), 0600), 0);
        r.synth = std::make_unique<SpeechSynth>();
        r.synth->setTimeLimit(limitMs);
        r.synth->setProgram(fakeProgram(dir, "espeak-ng" + QByteArray::number(i),
                                        "read line < " + r.fifo + "; cat " + QFile::encodeName(header.fileName()) +
                                            "; head -c 2000 /dev/zero"));
        connect(r.synth.get(), &SpeechSynth::finished, this, [&r] {
            r.endedMs = r.since.elapsed();
            r.finished = true;
        });
        connect(r.synth.get(), &SpeechSynth::failed, this, [&r] { r.endedMs = r.since.elapsed(); });
    }
    QElapsedTimer all;
    all.start();
    for (size_t i = 0; i < runs.size(); ++i) {
        QTest::qWait(37);
        runs[i].since.start();
        QVERIFY(runs[i].synth->synthesize(QStringLiteral("ma1")));
    }
    const auto released = [](Run& r) {
        // Without its reader (the program gone) the write end does not open: nothing to release.
        const int fd = ::open(r.fifo.constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
            (void)::write(fd, "x\n", 2);
            ::close(fd);
        }
        r.releaseMs = -2;
    };
    while (all.elapsed() < 10000 && std::any_of(runs.begin(), runs.end(), [](const Run& r) { return r.endedMs < 0; })) {
        for (Run& r : runs) {
            if (r.releaseMs >= 0 && r.endedMs < 0 && r.since.elapsed() >= r.releaseMs)
                released(r);
        }
        QTest::qWait(1);
    }
    for (size_t i = 0; i < runs.size(); ++i) {
        const Run& r = runs[i];
        QVERIFY2(r.endedMs >= 0, "a synthesis never ended");
        // Finished, or killed: then only at the limit (under load a released one may run past it).
        QVERIFY2(r.finished || r.endedMs >= limitMs,
                 qPrintable(QStringLiteral("run %1 killed after %2 ms").arg(i).arg(r.endedMs)));
    }
    QVERIFY(!runs[4].finished && !runs[5].finished);
}

void TestSpeechSynth::aNewWordAbandonsTheOneBeingMade()
{
    QTemporaryDir dir;
    SpeechSynth synth;
    // The fake hangs on its first word only, then speaks a silent word.
    QFile header(dir.filePath(QStringLiteral("header")));
    QVERIFY(header.open(QIODevice::WriteOnly));
    header.write(wavHeader(1, 1, 22050, 16));
    header.close();
    const QByteArray once = QFile::encodeName(dir.filePath(QStringLiteral("once")));
    synth.setProgram(fakeProgram(dir, "espeak-ng",
                                 "if [ ! -e " + once + " ]; then touch " + once + "; exec sleep 30; fi\n" + "cat " +
                                     QFile::encodeName(header.fileName()) + "; head -c 2000 /dev/zero"));
    QSignalSpy finished(&synth, &SpeechSynth::finished);
    QSignalSpy failed(&synth, &SpeechSynth::failed);
    QVERIFY(synth.synthesize(QStringLiteral("ma1")));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir.filePath(QStringLiteral("once"))), 5000);
    QVERIFY(synth.synthesize(QStringLiteral("ma2")));
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 5000);
    QCOMPARE(finished[0][1].toInt(), 22050);
    QCOMPARE(finished[0][0].toByteArray().size(), 2000);
    QTest::qWait(100);
    QCOMPARE(failed.size(), 0);
}

void TestSpeechSynth::aPreparedProgramSaysTheSame()
{
    if (!haveEspeak())
        QSKIP("espeak-ng is not installed (sudo apt install espeak-ng)");
    SpeechSynth synth;
    QList<QByteArray> said;
    // Cold, then from the program each word leaves waiting, then prepared
    // for the other speed and back.
    for (const bool slow : {false, false, true, false}) {
        synth.prepare(slow);
        QTest::qWait(200);
        const Outcome o = run(synth, QStringLiteral("xue2 xiao4"), slow);
        QVERIFY(o.done && !o.failure);
        said.append(o.pcm);
    }
    QCOMPARE(said[1], said[0]);
    QCOMPARE(said[3], said[0]);
    QVERIFY(said[2].size() > said[0].size() * 5 / 4);
}

void TestSpeechSynth::tonesMeasuredInTheSpeech_data()
{
    QTest::addColumn<QByteArray>("pinyin");
    QTest::addColumn<bool>("slow");
    for (const char* word : {"ma1",
                             "ma2",
                             "ma3",
                             "ma4",
                             "xue2 xiao4",
                             "ni3 hao3",
                             "lv3 you2",
                             "yi1 dian3r",
                             "zhong1 guo2",
                             "lao3 shi1",
                             "xie4 xie5",
                             "ming2 tian1",
                             "dian4 nao3",
                             "fei1 ji1",
                             "kan4 jian4",
                             "shui3 guo3",
                             "tu2 shu1 guan3",
                             "qi4 che1",
                             "pu3 tong1 hua4",
                             "mei2 you3",
                             "peng2 you5"})
        QTest::newRow(word) << QByteArray(word) << false;
    for (const char* word : {"ma1", "ma2", "ma3", "ma4", "xue2 xiao4", "lao3 shi1"})
        QTest::addRow("%s slow", word) << QByteArray(word) << true;
}

void TestSpeechSynth::tonesMeasuredInTheSpeech()
{
    QFETCH(QByteArray, pinyin);
    QFETCH(bool, slow);
    if (!haveEspeak())
        QSKIP("espeak-ng is not installed (sudo apt install espeak-ng)");
    SpeechSynth synth;
    const Outcome o = run(synth, QString::fromLatin1(pinyin), slow);
    QVERIFY(o.done);
    QVERIFY2(!o.failure, "espeak-ng failed");
    QCOMPARE(o.sampleRate, 22050);
    // The gain keeps every peak below full scale, and the fade starts from silence.
    qint16 peak = 0;
    for (qsizetype i = 0; i < o.pcm.size() / 2; ++i)
        peak = std::max<qint16>(peak, static_cast<qint16>(std::abs(sampleAt(o.pcm, i))));
    QVERIFY(peak > 3000);
    QVERIFY(peak <= 23198);
    QCOMPARE(sampleAt(o.pcm, 0), 0);

    const QList<int> expected = spokenTones(pinyin);
    const QList<int> measured = PitchTrack::tones(o.pcm, o.sampleRate, static_cast<int>(expected.size()));
    for (qsizetype i = 0; i < expected.size(); ++i)
        if (expected[i] != 5 && measured[i] != expected[i])
            QFAIL(qPrintable(
                QStringLiteral("syllable %1: tone %2 heard as %3").arg(i + 1).arg(expected[i]).arg(measured[i])));
}

QTEST_GUILESS_MAIN(TestSpeechSynth)
#include "test_speechsynth.moc"
