#include "core/speechsynth.h"

#include <QProcess>
#include <QTimer>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr qsizetype wavHeaderSize = 44;

} // namespace

SpeechSynth::SpeechSynth(QObject* parent) : QObject(parent)
{
    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, [this] { fail(Failure::TimedOut); });
}

SpeechSynth::~SpeechSynth()
{
    cancel();
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

QStringList SpeechSynth::arguments(const QString& preparedPinyin, bool slow)
{
    return {QStringLiteral("-v"),
            QStringLiteral("cmn-latn-pinyin"),
            QStringLiteral("-p"),
            QStringLiteral("70"),
            QStringLiteral("-s"),
            QString::number(slow ? slowSpeed : normalSpeed),
            QStringLiteral("-m"),
            QStringLiteral("--stdout"),
            QStringLiteral("<speak><prosody range=\"80\">%1</prosody></speak>").arg(preparedPinyin)};
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
    const qsizetype count = pcm.size() / 2;
    const qsizetype fade = std::max<qsizetype>(1, std::lround(sampleRate * 0.005));
    QByteArray out(count * 2, Qt::Uninitialized);
    const uchar* in = reinterpret_cast<const uchar*>(pcm.constData());
    uchar* o = reinterpret_cast<uchar*>(out.data());
    for (qsizetype i = 0; i < count; ++i) {
        double v = qFromLittleEndian<qint16>(in + 2 * i) * gain;
        if (i < fade)
            v *= static_cast<double>(i) / static_cast<double>(fade);
        qToLittleEndian<qint16>(static_cast<qint16>(std::clamp(std::lround(v), -32768L, 32767L)), o + 2 * i);
    }
    return out;
}

bool SpeechSynth::synthesize(const QString& preparedPinyin, bool slow)
{
    cancel();
    if (!isPreparedPinyin(preparedPinyin))
        return false;
    process_ = new QProcess(this);
    process_->setProgram(program_);
    process_->setArguments(arguments(preparedPinyin, slow));
    process_->setStandardInputFile(QProcess::nullDevice());
    process_->setStandardErrorFile(QProcess::nullDevice());
    connect(process_, &QProcess::readyReadStandardOutput, this, &SpeechSynth::readOutput);
    connect(process_, &QProcess::finished, this,
            [this](int exitCode, QProcess::ExitStatus status) { processFinished(exitCode, static_cast<int>(status)); });
    connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            fail(Failure::Missing);
    });
    output_.clear();
    timer_->start(timeLimitMs_);
    process_->start();
    return true;
}

void SpeechSynth::cancel()
{
    timer_->stop();
    output_.clear();
    QProcess* p = std::exchange(process_, nullptr);
    if (!p)
        return;
    p->disconnect(this);
    if (p->state() == QProcess::NotRunning) {
        p->deleteLater();
        return;
    }
    // Killed and let go: it is reaped when it ends, without waiting here even
    // when this object goes first.
    p->setParent(nullptr);
    connect(p, &QProcess::finished, p, &QObject::deleteLater);
    p->kill();
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
    if (!ok)
        emit failed(Failure::BadOutput);
    else
        emit finished(postProcess(pcm, rate), rate);
}
