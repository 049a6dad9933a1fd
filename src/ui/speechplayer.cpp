#include "ui/speechplayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <QTimer>

#include <algorithm>
#include <utility>

SpeechService::SpeechService(QObject* parent) : QObject(parent)
{
}

SpeechService::~SpeechService()
{
    stopPlayback();
}

QString SpeechService::missingProgramSentence()
{
    return QStringLiteral("音声を再生できません：espeak-ng が見つかりません。"
                          "「sudo apt install espeak-ng」でインストールすると、単語を読み上げます。");
}

QString SpeechService::noOutputSentence()
{
    return QStringLiteral("音声を再生できません：音声出力装置が見つかりません。"
                          "スピーカーやヘッドホンの接続とサウンドの設定を確認してください。");
}

QString SpeechService::synthesisFailedSentence()
{
    return QStringLiteral("音声を再生できません：espeak-ng が音声を作れませんでした。"
                          "「sudo apt install --reinstall espeak-ng」で入れ直してください。");
}

void SpeechService::setSettings(const SpeechSettings& settings)
{
    const bool speedChanged = settings.slow != settings_.slow;
    settings_ = settings;
    if (!settings_.enabled)
        stop();
    else if (speedChanged && synth_)
        synth_->prepare(settings_.slow);
}

void SpeechService::speak(const QString& preparedPinyin)
{
    stop();
    if (!settings_.enabled)
        return;
    if (!synth_) {
        synth_ = new SpeechSynth(this);
        if (!synthProgram_.isEmpty())
            synth_->setProgram(synthProgram_);
        connect(synth_, &SpeechSynth::finished, this, &SpeechService::play);
        connect(synth_, &SpeechSynth::failed, this, &SpeechService::synthesisFailed);
    }
    sinceRequest_.start();
    if (!synth_->synthesize(preparedPinyin, settings_.slow))
        qWarning("SpeechService: not prepared pinyin: %s", qPrintable(preparedPinyin));
}

void SpeechService::stop()
{
    if (synth_)
        synth_->cancel();
    stopPlayback();
}

void SpeechService::synthesisFailed(SpeechSynth::Failure reason)
{
    report(reason == SpeechSynth::Failure::Missing ? missingProgramSentence() : synthesisFailedSentence());
}

void SpeechService::report(const QString& sentence)
{
    available_ = false;
    if (std::exchange(reported_, true))
        return;
    emit unavailable(sentence);
}

void SpeechService::play(const QByteArray& pcm, int sampleRate)
{
    stopPlayback();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        report(noOutputSentence());
        return;
    }
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    // No parent: a sink goes only through deleteLater. Its pulse backend runs
    // the event loop while it is destroyed, which must not find a sibling
    // already half deleted by its parent.
    sink_ = new QAudioSink(device, format);
    QAudioSink* sink = sink_;
    connect(sink_, &QAudioSink::stateChanged, this, [this, sink](QAudio::State state) {
        if (sink == sink_ && state == QAudio::StoppedState && sink_->error() != QAudio::NoError) {
            stopPlayback();
            report(noOutputSentence());
        }
    });
    // Pushed, not pulled: the first samples go to the server at once instead
    // of at the sink's first period (pulling cost some 20 ms a word).
    io_ = sink_->start();
    if (!sink_ || !io_ || sink_->error() != QAudio::NoError) {
        stopPlayback();
        report(noOutputSentence());
        return;
    }
    pcm_ = pcm;
    written_ = 0;
    feedTimer_ = new QTimer(sink_);
    connect(feedTimer_, &QTimer::timeout, this, &SpeechService::feed);
    feed();
}

void SpeechService::feed()
{
    if (!sink_ || !io_)
        return;
    // Never more than the server asks for: written beyond its buffer, a word
    // can be lost while the output already runs.
    const qint64 n = std::min<qint64>(sink_->bytesFree(), pcm_.size() - written_);
    if (n > 0) {
        const qint64 w = io_->write(pcm_.constData() + written_, n);
        if (w > 0 && std::exchange(written_, written_ + w) == 0) {
            available_ = true;
            emit firstSampleHandedOver(sinceRequest_.nsecsElapsed(), pcm_, sink_->format().sampleRate());
        }
    }
    if (written_ == 0 && sinceRequest_.elapsed() > 3000) {
        // An output that never takes a sample is no output.
        stopPlayback();
        report(noOutputSentence());
        return;
    }
    if (written_ < pcm_.size()) {
        if (!feedTimer_->isActive())
            feedTimer_->start(10);
        return;
    }
    feedTimer_->stop();
    // All handed over: the server plays what it still holds, at most one buffer.
    const qint64 heldMs = sink_->format().durationForBytes(static_cast<qint32>(sink_->bufferSize())) / 1000;
    QAudioSink* sink = sink_;
    QTimer::singleShot(static_cast<int>(heldMs) + 100, feedTimer_, [this, sink] {
        if (sink != sink_)
            return;
        stopPlayback();
        emit playbackFinished();
    });
}

void SpeechService::stopPlayback()
{
    QAudioSink* sink = std::exchange(sink_, nullptr);
    io_ = nullptr;
    pcm_.clear();
    written_ = 0;
    if (QTimer* timer = std::exchange(feedTimer_, nullptr))
        timer->stop();
    if (!sink)
        return;
    sink->disconnect(this);
    sink->stop();
    sink->deleteLater();
}
