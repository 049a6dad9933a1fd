#include "ui/speechplayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <utility>

namespace {

// The samples of one word, telling once when the sink first reads them.
class PcmSource : public QBuffer {
  public:
    PcmSource(const QByteArray& pcm, std::function<void()> firstRead, QObject* parent)
        : QBuffer(parent), firstRead_(std::move(firstRead))
    {
        setData(pcm);
        open(QIODevice::ReadOnly);
    }

  protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        if (firstRead_)
            std::exchange(firstRead_, {})();
        return QBuffer::readData(data, maxSize);
    }

  private:
    std::function<void()> firstRead_;
};

} // namespace

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
    // The sink may read from its own thread: the signal then goes out queued.
    const QPointer<SpeechService> self(this);
    source_ = new PcmSource(
        pcm,
        [self, pcm, sampleRate] {
            if (self)
                emit self->firstSampleHandedOver(self->sinceRequest_.nsecsElapsed(), pcm, sampleRate);
        },
        sink_);
    QAudioSink* sink = sink_;
    connect(sink_, &QAudioSink::stateChanged, this, [this, sink](QAudio::State state) {
        if (sink != sink_)
            return;
        if (state == QAudio::IdleState && !drainTimer_) {
            // Everything is handed over; let the server play what it still holds.
            const qint64 totalUs = sink_->format().durationForBytes(static_cast<qint32>(source_->size()));
            const qint64 heldMs = std::max<qint64>(0, totalUs - sink_->processedUSecs()) / 1000;
            drainTimer_ = new QTimer(sink_);
            drainTimer_->setSingleShot(true);
            connect(drainTimer_, &QTimer::timeout, this, [this] {
                stopPlayback();
                emit playbackFinished();
            });
            drainTimer_->start(static_cast<int>(heldMs) + 50);
        } else if (state == QAudio::StoppedState && sink_->error() != QAudio::NoError) {
            stopPlayback();
            report(noOutputSentence());
        }
    });
    sink_->start(source_);
    if (sink_ && sink_->error() != QAudio::NoError) {
        stopPlayback();
        report(noOutputSentence());
        return;
    }
    available_ = true;
}

void SpeechService::stopPlayback()
{
    QAudioSink* sink = std::exchange(sink_, nullptr);
    source_ = nullptr;
    if (QTimer* timer = std::exchange(drainTimer_, nullptr))
        timer->stop();
    if (!sink)
        return;
    sink->disconnect(this);
    sink->stop();
    sink->deleteLater();
}
