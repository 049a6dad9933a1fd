#include "core/speechsynth.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTimer>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

constexpr qsizetype wavHeaderSize = 44;

// Lets a process go without waiting for it: killed, it is reaped when it ends,
// even when its owner goes first.
void abandon(QProcess* p)
{
    if (!p)
        return;
    p->disconnect();
    // The application keeps it until it is reaped, so none is left behind at exit.
    p->setParent(QCoreApplication::instance());
    if (p->state() == QProcess::NotRunning) {
        p->deleteLater();
        return;
    }
    QObject::connect(p, &QProcess::finished, p, &QObject::deleteLater);
    p->kill();
}

} // namespace

SpeechSynth::SpeechSynth(QObject* parent) : QObject(parent)
{
    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    // A coarse timer may fire 5 % early: the limit would cut a synthesis that
    // keeps within it. Even a precise one is checked against the clock.
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, [this] {
        if (const qint64 left = timeLimitMs_ - sinceStart_.elapsed(); left > 0)
            timer_->start(static_cast<int>(left));
        else
            fail(Failure::TimedOut);
    });
}

SpeechSynth::~SpeechSynth()
{
    cancel();
    // The waiting program ends by itself at the end of its input, mostly within
    // milliseconds: reaped here, none is left running when the program exits.
    if (QProcess* p = std::exchange(standby_, nullptr)) {
        p->disconnect(this);
        p->closeWriteChannel();
        if (p->state() == QProcess::NotRunning || p->waitForFinished(200))
            delete p;
        else
            abandon(p);
    }
}

void SpeechSynth::setProgram(const QString& program)
{
    program_ = program;
    abandon(std::exchange(standby_, nullptr));
}

bool SpeechSynth::isPreparedPinyin(const QString& text)
{
    if (text.size() > maxTextLength)
        return false;
    bool letter = false;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool isLetter = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
        if (!isLetter && !(u >= u'0' && u <= u'9') && u != u' ')
            return false;
        letter = letter || isLetter;
    }
    return letter;
}

QStringList SpeechSynth::arguments(bool slow)
{
    return {QStringLiteral("-v"), QStringLiteral("cmn-latn-pinyin"),
            QStringLiteral("-p"), QStringLiteral("70"),
            QStringLiteral("-s"), QString::number(slow ? slowSpeed : normalSpeed),
            QStringLiteral("-m"), QStringLiteral("--stdout")};
}

QByteArray SpeechSynth::input(const QString& preparedPinyin)
{
    return "<speak><prosody range=\"80\">" + preparedPinyin.toLatin1() + "</prosody></speak>\n";
}

bool SpeechSynth::parseWav(const QByteArray& wav, QByteArray& pcm, int& sampleRate)
{
    pcm.clear();
    sampleRate = 0;
    if (wav.size() < wavHeaderSize || !wav.startsWith("RIFF") || wav.mid(8, 8) != "WAVEfmt " ||
        wav.mid(36, 4) != "data")
        return false;
    const uchar* h = reinterpret_cast<const uchar*>(wav.constData());
    const quint16 format = qFromLittleEndian<quint16>(h + 20);
    const quint16 channels = qFromLittleEndian<quint16>(h + 22);
    const quint32 rate = qFromLittleEndian<quint32>(h + 24);
    const quint16 bits = qFromLittleEndian<quint16>(h + 34);
    if (format != 1 || channels != 1 || bits != 16 || rate < 8000 || rate > 192000)
        return false;
    sampleRate = static_cast<int>(rate);
    pcm = wav.mid(wavHeaderSize, (wav.size() - wavHeaderSize) & ~qsizetype(1));
    return true;
}

QByteArray SpeechSynth::postProcess(const QByteArray& pcm, int sampleRate)
{
    static const double gain = std::pow(10.0, -3.0 / 20.0);
    // Below -54 dBFS is silence; 2 ms of it stay before the word.
    constexpr int silence = 64;
    const uchar* in = reinterpret_cast<const uchar*>(pcm.constData());
    qsizetype count = pcm.size() / 2;
    qsizetype first = 0;
    while (first < count && std::abs(qFromLittleEndian<qint16>(in + 2 * first)) < silence)
        ++first;
    if (first < count) {
        const qsizetype start = std::max<qsizetype>(0, first - std::lround(sampleRate * 0.002));
        in += 2 * start;
        count -= start;
    }
    const qsizetype fade = std::max<qsizetype>(1, std::lround(sampleRate * 0.005));
    QByteArray out(count * 2, Qt::Uninitialized);
    uchar* o = reinterpret_cast<uchar*>(out.data());
    for (qsizetype i = 0; i < count; ++i) {
        double v = qFromLittleEndian<qint16>(in + 2 * i) * gain;
        if (i < fade)
            v *= static_cast<double>(i) / static_cast<double>(fade);
        qToLittleEndian<qint16>(static_cast<qint16>(std::clamp(std::lround(v), -32768L, 32767L)), o + 2 * i);
    }
    return out;
}

QProcess* SpeechSynth::startProgram(bool slow)
{
    auto* p = new QProcess(this);
    p->setProgram(program_);
    p->setArguments(arguments(slow));
    p->setStandardErrorFile(QProcess::nullDevice());
    p->start();
    return p;
}

void SpeechSynth::prepare(bool slow)
{
    if (standby_ && standbySlow_ == slow && standby_->state() != QProcess::NotRunning)
        return;
    abandon(std::exchange(standby_, nullptr));
    standby_ = startProgram(slow);
    standbySlow_ = slow;
    // A program that cannot start is found out by the next word.
    connect(standby_, &QProcess::errorOccurred, this, [this] { abandon(std::exchange(standby_, nullptr)); });
}

bool SpeechSynth::waitUntilPrepared(int ms)
{
    // A program that cannot start reports it in here and is let go.
    if (standby_ && standby_->state() == QProcess::Starting)
        standby_->waitForStarted(ms);
    return standby_ && standby_->state() == QProcess::Running;
}

bool SpeechSynth::synthesize(const QString& preparedPinyin, bool slow)
{
    cancel();
    if (!isPreparedPinyin(preparedPinyin))
        return false;
    lastSlow_ = slow;
    if (standby_ && standbySlow_ == slow && standby_->state() == QProcess::Running) {
        process_ = std::exchange(standby_, nullptr);
        process_->disconnect(this);
    } else {
        process_ = startProgram(slow);
    }
    connect(process_, &QProcess::readyReadStandardOutput, this, &SpeechSynth::readOutput);
    connect(process_, &QProcess::finished, this,
            [this](int exitCode, QProcess::ExitStatus status) { processFinished(exitCode, static_cast<int>(status)); });
    connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            fail(Failure::Missing);
    });
    output_.clear();
    sinceStart_.start();
    timer_->start(timeLimitMs_);
    // Written before the start is confirmed, the text waits in the pipe.
    process_->write(input(preparedPinyin));
    process_->closeWriteChannel();
    return true;
}

void SpeechSynth::cancel()
{
    timer_->stop();
    output_.clear();
    abandon(std::exchange(process_, nullptr));
}

void SpeechSynth::fail(Failure reason)
{
    cancel();
    emit failed(reason);
}

void SpeechSynth::readOutput()
{
    output_ += process_->readAllStandardOutput();
    if (output_.size() > outputLimit_)
        fail(Failure::TooLarge);
}

void SpeechSynth::processFinished(int exitCode, int exitStatus)
{
    readOutput();
    if (!process_)
        return; // the output was too large
    if (exitStatus != QProcess::NormalExit || exitCode != 0) {
        fail(Failure::Crashed);
        return;
    }
    QByteArray pcm;
    int rate = 0;
    const bool ok = parseWav(output_, pcm, rate);
    cancel();
    // The next word, likely at the same speed, finds its program waiting.
    prepare(lastSlow_);
    if (!ok)
        emit failed(Failure::BadOutput);
    else
        emit finished(postProcess(pcm, rate), rate);
}
