#pragma once

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

#include <optional>
#include <thread>

#include <sys/types.h>

// The monotonic clock in nanoseconds: QElapsedTimer's, and the same in every
// process, so a press stamped by one is comparable with a sample heard by another.
qint64 monotonicNs();

// A PulseAudio of its own in a temporary runtime folder with one sink that
// plays into nothing (rumena_null), whose monitor can be recorded: the sound
// tests and the speech benchmark hear what the program played.
class PrivateSoundServer {
  public:
    static constexpr const char* sinkName = "rumena_null";

    PrivateSoundServer();
    ~PrivateSoundServer();
    PrivateSoundServer(const PrivateSoundServer&) = delete;
    PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;

    // pulseaudio, pactl and parec are there.
    static bool installed();
    // Starts the server and loads the null sink. A server left behind by a
    // crash ends exitIdleSeconds after its last client (-1: never).
    bool start(int exitIdleSeconds = 20);
    // What a process needs to find it and no other server.
    const QProcessEnvironment& environment() const { return env_; }
    // Points this process at it: before Qt Multimedia first looks for a server.
    void useInThisProcess() const;
    QString filePath(const QString& name) const { return dir_.filePath(name); }

  private:
    qint64 pid() const;

    QTemporaryDir dir_;
    QProcessEnvironment env_;
};

// Records the null sink's monitor as 16-bit mono with parec. A thread of its
// own reads the recording and stamps each block as it arrives: a sample is
// heard when the block holding it reaches the recorder, which is at most one
// recorder block after the server mixed it, as a sound card plays it one
// period after.
class MonitorRecorder {
  public:
    MonitorRecorder() = default;
    ~MonitorRecorder();
    MonitorRecorder(const MonitorRecorder&) = delete;
    MonitorRecorder& operator=(const MonitorRecorder&) = delete;

    // latencyMs is what the recorder asks the server for: the null sink then
    // renders in blocks no longer than that, as a sound card keeps time.
    bool start(const PrivateSoundServer& server, int sampleRate, int latencyMs);
    void stop();

    int sampleRate() const { return rate_; }
    // Everything recorded so far.
    QByteArray pcm() const;
    // When the first sample with at least this magnitude reached the recorder
    // in a block that came at or after ns (monotonic ns); none when nothing
    // that loud came.
    std::optional<qint64> firstLoudAfter(qint64 ns, int level) const;

  private:
    void read();

    int rate_ = 0;
    pid_t pid_ = 0;
    int fd_ = -1;
    std::thread reader_;
    mutable QMutex mutex_;
    QByteArray pcm_;
    struct Block {
        qint64 end; // bytes of pcm_ up to its end
        qint64 arrivedNs;
    };
    QList<Block> blocks_;
};
