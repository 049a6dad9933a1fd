// Speech: (a) the time from a press to the first samples handed to the sound
// server, median over a list of words, against a private PulseAudio with a null
// sink (where pulseaudio is installed; otherwise from a press to the samples being
// ready, and says so); (b) how many syllables espeak-ng says in the tone the
// pinyin asks for, measured with the tests' pitch tracker.
#include "core/pinyin.h"
#include "core/speechsynth.h"
#include "data/db.h"
#include "core/speechservice.h"

// The pitch tracker of the tests, compiled in: benchmarks link no test code.
#include "pitchtrack.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <csignal>

#include <cstdio>
#include <optional>
#include <unistd.h>

namespace {

// The words measured, as prepared pinyin. The only input: to measure another
// list (all the study words), return it here.
// Every word of the tables as the speech service is given it.
QList<QByteArray> allWords()
{
    DB db;
    db.initCharTable();
    db.initWordTable();
    QList<QByteArray> out;
    for (int w = 1; w <= db.lastWordKey(); ++w)
        out << speechPinyin(db.word(w, WordField::Pinyin), db.wordCKeys(w)).toLatin1();
    return out;
}

QList<QByteArray> benchWords()
{
    return {"ma1",
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
            "qi4 che1",
            "mei2 you3",
            "peng2 you5",
            "an1 jing4",
            "ban1 jia1",
            "ci2 dian3",
            "fu4 jin4",
            "you3 ming2",
            "tu2 shu1 guan3",
            "pu3 tong1 hua4",
            "jie2 hun1",
            "gong1 zuo4",
            "chi1 fan4",
            "shou3 biao3",
            "huan1 ying2",
            "zao3 shang5",
            "wan3 fan4",
            "ke3 yi3",
            "sheng1 ri4",
            "xi3 huan5",
            "yin1 yue4",
            "dong1 xi5",
            "zi4 xing2 che1",
            "bing1 xiang1"};
}

// Waits for signal of sender, at most ms; true when it came.
template <typename Signal>
bool waitFor(const typename QtPrivate::FunctionPointer<Signal>::Object* sender, Signal signal, int ms)
{
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool came = false;
    QObject::connect(sender, signal, &loop, [&] {
        came = true;
        loop.quit();
    });
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(ms);
    loop.exec();
    return came;
}

double median(QList<double> v)
{
    if (v.isEmpty())
        return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// A PulseAudio of the benchmark's own with a null sink; the environment points
// this process at it. Stopped at the end.
struct PrivateServer {
    QTemporaryDir dir;
    QProcess listener;
    qint64 pid = 0;

    bool start()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("parec")).isEmpty())
            return false;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("PULSE_SERVER"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
        p.setProcessEnvironment(env);
        // Left behind by a crash, it ends itself 20 s after its last client.
        p.start(QStringLiteral("pulseaudio"),
                {QStringLiteral("-D"), QStringLiteral("--exit-idle-time=20"), QStringLiteral("--system=false"),
                 QStringLiteral("-n"), QStringLiteral("--log-level=0"),
                 QStringLiteral("--load=module-native-protocol-unix"),
                 QStringLiteral("--load=module-null-sink sink_name=rumena_null")});
        if (!p.waitForFinished(10000) || p.exitCode() != 0)
            return false;
        QFile f(dir.filePath(QStringLiteral("pulse/pid")));
        pid = f.open(QIODevice::ReadOnly) ? f.readAll().trimmed().toLongLong() : 0;
        // A null sink with no client asking for a latency works in blocks of
        // two seconds; a sound card does not. A listener on its monitor that
        // asks for 20 ms makes it keep time like one.
        listener.setProcessEnvironment(env);
        listener.setStandardOutputFile(QProcess::nullDevice());
        listener.start(QStringLiteral("parec"), {QStringLiteral("-d"), QStringLiteral("rumena_null.monitor"),
                                                 QStringLiteral("--latency-msec=20")});
        if (!listener.waitForStarted(5000))
            return false;
        qunsetenv("PULSE_SERVER");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir.path()));
        return pid > 0;
    }
    ~PrivateServer()
    {
        listener.kill();
        listener.waitForFinished(5000);
        if (pid > 0 && ::kill(static_cast<pid_t>(pid), SIGTERM) == 0) {
            // Gone before its folder is removed: it deletes files there as it ends.
            for (int i = 0; i < 200 && ::kill(static_cast<pid_t>(pid), 0) == 0; ++i)
                usleep(10000);
        }
    }
};

void latency(const QList<QByteArray>& words, bool sound)
{
    SpeechService speech;
    QList<double> ms;
    std::optional<double> first;
    int failures = 0;
    QObject::connect(&speech, &SpeechService::firstSampleHandedOver, [&](qint64 ns, const QByteArray&, int) {
        (first ? ms.append(ns / 1e6) : void(first = ns / 1e6));
    });
    QObject::connect(&speech, &SpeechService::unavailable,
                     [](const QString& s) { std::printf("unavailable: %s\n", qPrintable(s)); });

    if (sound) {
        for (const QByteArray& w : words) {
            speech.speak(QString::fromLatin1(w));
            if (!waitFor(&speech, &SpeechService::playbackFinished, 5000))
                ++failures;
        }
        std::printf("press -> first samples handed to the sink (private PulseAudio, null sink), %lld words:\n"
                    "  first word %.1f ms (connects to the server), median of the rest %.1f ms (target <= 30), "
                    "worst %.1f ms, %d not played\n",
                    static_cast<long long>(words.size()), first.value_or(0), median(ms),
                    ms.isEmpty() ? 0 : *std::max_element(ms.begin(), ms.end()), failures);
        failures = 0;
    }
    // The synthesis part alone, with the program each word leaves waiting.
    SpeechSynth synth;
    QList<double> ready;
    for (const QByteArray& w : words) {
        QEventLoop idle;
        QTimer::singleShot(100, &idle, &QEventLoop::quit);
        idle.exec(); // the next program gets ready, as between two presses
        QElapsedTimer t;
        t.start();
        synth.synthesize(QString::fromLatin1(w));
        if (waitFor(&synth, &SpeechSynth::finished, 5000))
            ready.append(static_cast<double>(t.nsecsElapsed()) / 1e6);
        else
            ++failures;
    }
    std::printf("%spress -> samples ready (synthesis only, prepared program), median of the rest %.1f ms, "
                "first %.1f ms, %d failed\n",
                sound ? "  of which " : "no PulseAudio to start (pulseaudio or parec not installed): ",
                median(ready.mid(1)), ready.value(0), failures);
}

void toneMatch(const QList<QByteArray>& words)
{
    SpeechSynth synth;
    int syllables = 0, matched = 0;
    QByteArray pcm;
    int rate = 0;
    QObject::connect(&synth, &SpeechSynth::finished, [&](const QByteArray& p, int r) {
        pcm = p;
        rate = r;
    });
    for (const QByteArray& w : words) {
        pcm.clear();
        synth.synthesize(QString::fromLatin1(w));
        if (!waitFor(&synth, &SpeechSynth::finished, 5000)) {
            std::printf("  %s: no speech\n", w.constData());
            continue;
        }
        QList<int> expected = PitchTrack::toneDigits(w);
        // A third tone before another is said rising.
        for (qsizetype i = 0; i + 1 < expected.size(); ++i)
            if (expected[i] == 3 && expected[i + 1] == 3)
                expected[i] = 2;
        const QList<int> heard = PitchTrack::tones(pcm, rate, static_cast<int>(expected.size()));
        QByteArray misses;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            if (expected[i] == 5)
                continue;
            ++syllables;
            if (heard[i] == expected[i])
                ++matched;
            else
                misses += QByteArray(" syllable ") + QByteArray::number(i + 1) + ": " +
                          QByteArray::number(expected[i]) + " heard as " + QByteArray::number(heard[i]);
        }
        if (!misses.isEmpty())
            std::printf("  %s:%s\n", w.constData(), misses.constData());
    }
    std::printf("tone match: %d of %d toned syllables in %lld words, %.1f %% (target >= 97)\n", matched, syllables,
                static_cast<long long>(words.size()), syllables ? 100.0 * matched / syllables : 0.0);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (QStandardPaths::findExecutable(QStringLiteral("espeak-ng")).isEmpty()) {
        std::printf("espeak-ng is not installed: nothing to measure (sudo apt install espeak-ng)\n");
        return 0;
    }
    const QList<QByteArray> words = benchWords();
    // Started before Qt Multimedia first looks for a server, stopped after
    // every sink is gone.
    PrivateServer server;
    latency(words, server.start());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    toneMatch(allWords());
    return 0;
}
