// The audio module: the only code that links Qt Multimedia. Loaded by the
// speech service with the first word (see core/audiooutput.h).
#include "core/audiooutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QObject>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {

// 80 ms: the server keeps the sink some 20 ms ahead and the rest, 60 ms, in
// reserve for the event loop's feed (Qt's 145 ms default keeps 105 and 40).
constexpr qint64 bufferUs = 80000;

class PcmOutput final : public QObject, public AudioOutput {
  public:
    ~PcmOutput() override { stop(); }

    void play(const QByteArray& pcm, int sampleRate, Events events) override
    {
        stop();
        events_ = std::move(events);
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) {
            fail();
            return;
        }
        sink_ = newSink(device, sampleRate);
        QAudioSink* sink = sink_;
        connect(sink_, &QAudioSink::stateChanged, this, [this, sink](QAudio::State state) {
            if (sink == sink_ && state == QAudio::StoppedState && sink_->error() != QAudio::NoError)
                fail();
        });
        // Pushed, not pulled: the first samples go to the server at once
        // instead of at the sink's first period (pulling cost some 20 ms a word).
        io_ = sink_->start();
        if (!sink_ || !io_ || sink_->error() != QAudio::NoError) {
            fail();
            return;
        }
        pcm_ = pcm;
        written_ = 0;
        since_.start();
        feedTimer_ = new QTimer(sink_);
        connect(feedTimer_, &QTimer::timeout, this, [this] { feed(); });
        feed();
    }

    void prepare() override
    {
        // The first ask for a device connects to the server and lists its outputs.
        (void)QMediaDevices::defaultAudioOutput();
    }

    bool probe(int sampleRate) override
    {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull())
            return false;
        QAudioSink* sink = newSink(device, sampleRate);
        const QIODevice* io = sink->start();
        const bool opened = io && sink->error() == QAudio::NoError;
        sink->stop();
        sink->deleteLater();
        return opened;
    }

    void stop() override
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

  private:
    static QAudioSink* newSink(const QAudioDevice& device, int sampleRate)
    {
        QAudioFormat format;
        format.setSampleRate(sampleRate);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        // No parent: a sink goes only through deleteLater. Its pulse backend
        // runs the event loop while it is destroyed, which must not find a
        // sibling already half deleted by its parent.
        auto* sink = new QAudioSink(device, format);
        // The server's buffer, and with it the latency it asks of the sound
        // card, sized for speech.
        sink->setBufferSize(format.bytesForDuration(bufferUs));
        return sink;
    }

    void feed()
    {
        if (!sink_ || !io_)
            return;
        // Never more than the server asks for: written beyond its buffer, a
        // word can be lost while the output already runs.
        const qint64 n = std::min<qint64>(sink_->bytesFree(), pcm_.size() - written_);
        if (n > 0) {
            const qint64 w = io_->write(pcm_.constData() + written_, n);
            if (w > 0 && std::exchange(written_, written_ + w) == 0 && events_.firstSamplesWritten)
                events_.firstSamplesWritten();
        }
        if (written_ == 0 && since_.elapsed() > 3000) {
            fail(); // an output that never takes a sample is no output
            return;
        }
        if (written_ < pcm_.size()) {
            if (feedTimer_ && !feedTimer_->isActive())
                feedTimer_->start(10);
            return;
        }
        feedTimer_->stop();
        // All handed over: the server plays what it still holds, at most one
        // buffer. A pushed sink counts samples as processed once written, so
        // the end is found by the clock.
        const qint64 heldMs = sink_->format().durationForBytes(static_cast<qint32>(sink_->bufferSize())) / 1000;
        QAudioSink* sink = sink_;
        QTimer::singleShot(static_cast<int>(heldMs) + 100, feedTimer_, [this, sink] {
            if (sink != sink_)
                return;
            stop();
            if (events_.finished)
                events_.finished();
        });
    }

    void fail()
    {
        stop();
        if (events_.failed)
            events_.failed();
    }

    Events events_;
    QAudioSink* sink_ = nullptr;
    QIODevice* io_ = nullptr; // the sink's, while a word plays
    QByteArray pcm_;
    qint64 written_ = 0;
    QTimer* feedTimer_ = nullptr; // child of the sink: hands over the rest of the word
    QElapsedTimer since_;
};

} // namespace

extern "C" Q_DECL_EXPORT AudioOutput* rumenaCreateAudioOutput()
{
    return new PcmOutput;
}
