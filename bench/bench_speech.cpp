// Speech: (a) the time from a press to the first audible sample, recorded at
// the monitor of a null sink of a private PulseAudio (where pulseaudio is
// installed), beside the time to the hand-over of the first samples to the
// sink and to the samples being ready; (b) how many syllables espeak-ng says in
// the tone the pinyin asks for, measured with the tests' pitch tracker.
#include "core/pinyin.h"
#include "core/speechservice.h"
#include "core/speechsynth.h"
#include "data/db.h"

// The tests' pitch tracker and sound server, compiled in: benchmarks link no test code.
#include "pitchtrack.h"
#include "soundserver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
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

// One fresh process of the program's sound, as a learner's session starts: a
// screen with speakers opens (the voice is prepared), then the words are
// pressed `gapMs` apart. Prints how long the preparation took and, for each
// word, when it was pressed and how long the hand-over of its first samples took.
int speakAsChild(const QStringList& words, int gapMs)
{
    SpeechService speech;
    const qint64 opened = monotonicNs();
    speech.prepare();
    std::printf("prepared %lld\n", static_cast<long long>(monotonicNs() - opened));
    qint64 handedOver = -1;
    QObject::connect(&speech, &SpeechService::firstSampleHandedOver,
                     [&](qint64 ns, const QByteArray&, int) { handedOver = ns; });
    QObject::connect(&speech, &SpeechService::unavailable,
                     [](const QString& s) { std::fprintf(stderr, "unavailable: %s\n", qPrintable(s)); });
    for (const QString& w : words) {
        QEventLoop gap;
        QTimer::singleShot(gapMs, &gap, &QEventLoop::quit);
        gap.exec();
        handedOver = -1;
        const qint64 pressed = monotonicNs();
        speech.speak(w);
        // Most of a word has played by the next press; the hand-over comes long before.
        waitFor(&speech, &SpeechService::firstSampleHandedOver, gapMs);
        std::printf("press %lld handed %lld\n", static_cast<long long>(pressed), static_cast<long long>(handedOver));
    }
    waitFor(&speech, &SpeechService::playbackFinished, 3000);
    return 0;
}

struct Heard {
    QList<double> firstMs, restMs;         // press -> first audible sample at the monitor
    QList<double> firstHandMs, restHandMs; // press -> first samples handed to the sink
    QList<double> preparedMs;              // what the opening screen's preparation took
    int unheard = 0;
};

// Press -> first audible sample: a private PulseAudio with a null sink, its
// monitor recorded, and the program's sound in fresh processes that speak
// words at a learner's pace. A sample is audible from -42 dBFS (256).
void heard(const QList<QByteArray>& words)
{
    constexpr int processes = 3, perProcess = 20, gapMs = 1200, audible = 256;
    constexpr int recorderLatencyMs = 20;
    PrivateSoundServer server;
    MonitorRecorder recorder;
    if (!PrivateSoundServer::installed() || !server.start(-1) || !recorder.start(server, 44100, recorderLatencyMs)) {
        std::printf("press -> audible: no private PulseAudio (pulseaudio, pactl, parec: sudo apt install "
                    "pulseaudio pulseaudio-utils), not measured\n");
        return;
    }
    // The monitor gives silence from the start: once some has come, the recording runs.
    for (int i = 0; i < 500 && recorder.pcm().isEmpty(); ++i)
        usleep(10000);
    Heard h;
    for (int run = 0; run < processes; ++run) {
        QStringList list;
        for (int i = 0; i < perProcess; ++i)
            list << QString::fromLatin1(words[(run * perProcess + i) % words.size()]);
        QProcess child;
        child.setProcessEnvironment(server.environment());
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    QStringList{QStringLiteral("--speak"), QString::number(gapMs)} + list);
        if (!child.waitForFinished((perProcess + 5) * gapMs + 10000)) {
            child.kill();
            child.waitForFinished(5000);
        }
        QList<qint64> presses, handed;
        for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> f = line.split(' ');
            if (f.size() == 2 && f[0] == "prepared")
                h.preparedMs << double(f[1].toLongLong()) / 1e6;
            if (f.size() == 4 && f[0] == "press") {
                presses << f[1].toLongLong();
                handed << f[3].toLongLong();
            }
        }
        usleep(200000); // the last word's samples reach the recorder
        for (qsizetype i = 0; i < presses.size(); ++i) {
            const qint64 next = i + 1 < presses.size() ? presses[i + 1] : presses[i] + 1000000000LL * 2;
            const std::optional<qint64> at = recorder.firstLoudAfter(presses[i], audible);
            QList<double>& to = i == 0 ? h.firstMs : h.restMs;
            if (at && *at < next)
                to << double(*at - presses[i]) / 1e6;
            else
                ++h.unheard;
            if (handed[i] >= 0)
                (i == 0 ? h.firstHandMs : h.restHandMs) << double(handed[i]) / 1e6;
        }
    }
    const auto list = [](const QList<double>& v) {
        QByteArray out;
        for (double x : v)
            out += (out.isEmpty() ? "" : ", ") + QByteArray::number(x, 'f', 1);
        return out;
    };
    const auto worst = [](const QList<double>& v) { return v.isEmpty() ? 0 : *std::max_element(v.begin(), v.end()); };
    std::printf("press -> first audible sample at the monitor of a null sink (private PulseAudio, its recorder asking "
                "%d ms), %d fresh processes, each preparing its voice as a screen with speakers opens, then %d words "
                "%d ms apart:\n"
                "  first word of a process %s ms (target <= 80)\n"
                "  the rest: median %.1f ms (target <= 40), worst %.1f ms; %d of %d presses not heard\n"
                "  of which the hand-over of the first samples to the sink: first word %s ms, the rest median %.1f "
                "ms, worst %.1f ms\n"
                "  the preparation as a screen with speakers opens (program, module, server): %s ms\n",
                recorderLatencyMs, processes, perProcess, gapMs, list(h.firstMs).constData(), median(h.restMs),
                worst(h.restMs), h.unheard, processes * perProcess, list(h.firstHandMs).constData(),
                median(h.restHandMs), worst(h.restHandMs), list(h.preparedMs).constData());
}

// The synthesis part alone, with the program each word leaves waiting.
void synthesisOnly(const QList<QByteArray>& words)
{
    SpeechSynth synth;
    QList<double> ready;
    int failures = 0;
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
    std::printf("press -> samples ready (synthesis only, prepared program): median of the rest %.1f ms, first %.1f "
                "ms, %d failed\n",
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
    const QStringList args = app.arguments();
    if (args.size() > 2 && args[1] == QLatin1String("--speak"))
        return speakAsChild(args.mid(3), args[2].toInt());
    const QList<QByteArray> words = benchWords();
    heard(words);
    synthesisOnly(words);
    toneMatch(allWords());
    return 0;
}
