#include "soundserver.h"

#include <QFile>
#include <QMutexLocker>
#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

qint64 monotonicNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

PrivateSoundServer::PrivateSoundServer() : env_(QProcessEnvironment::systemEnvironment())
{
    env_.remove(QStringLiteral("PULSE_SERVER"));
    env_.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir_.path());
}

bool PrivateSoundServer::installed()
{
    for (const char* program : {"pulseaudio", "pactl", "parec"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
            return false;
    return true;
}

bool PrivateSoundServer::start(int exitIdleSeconds)
{
    const auto run = [this](const QString& program, const QStringList& arguments) {
        QProcess p;
        p.setProcessEnvironment(env_);
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.setStandardOutputFile(QProcess::nullDevice());
        p.start(program, arguments);
        return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    };
    // Returns once the server is ready.
    return run(QStringLiteral("pulseaudio"),
               {QStringLiteral("-D"), QStringLiteral("--exit-idle-time=%1").arg(exitIdleSeconds),
                QStringLiteral("--system=false"), QStringLiteral("-n"), QStringLiteral("--log-level=0"),
                QStringLiteral("--load=module-native-protocol-unix")}) &&
           pid() > 0 &&
           run(QStringLiteral("pactl"), {QStringLiteral("load-module"), QStringLiteral("module-null-sink"),
                                         QStringLiteral("sink_name=%1").arg(QLatin1String(sinkName))});
}

void PrivateSoundServer::useInThisProcess() const
{
    qunsetenv("PULSE_SERVER");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir_.path()));
}

qint64 PrivateSoundServer::pid() const
{
    QFile f(dir_.filePath(QStringLiteral("pulse/pid")));
    return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed().toLongLong() : 0;
}

PrivateSoundServer::~PrivateSoundServer()
{
    if (const qint64 p = pid(); p > 0 && ::kill(static_cast<pid_t>(p), SIGTERM) == 0) {
        // Gone before its folder is removed: it deletes files there as it ends.
        for (int i = 0; i < 200 && ::kill(static_cast<pid_t>(p), 0) == 0; ++i)
            usleep(10000);
    }
}

MonitorRecorder::~MonitorRecorder()
{
    stop();
}

bool MonitorRecorder::start(const PrivateSoundServer& server, int sampleRate, int latencyMs)
{
    stop();
    rate_ = sampleRate;
    int out[2];
    if (pipe(out) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    const QByteArray program = QFile::encodeName(QStandardPaths::findExecutable(QStringLiteral("parec")));
    QList<QByteArray> args = {"parec",
                              "-d",
                              QByteArray(PrivateSoundServer::sinkName) + ".monitor",
                              "--raw",
                              "--format=s16le",
                              "--channels=1",
                              "--rate=" + QByteArray::number(sampleRate)};
    if (latencyMs > 0)
        args << "--latency-msec=" + QByteArray::number(latencyMs);
    QList<QByteArray> env;
    for (const QString& e : server.environment().toStringList())
        env << e.toLocal8Bit();
    std::vector<char*> argv, envp;
    for (const QByteArray& a : args)
        argv.push_back(const_cast<char*>(a.constData()));
    argv.push_back(nullptr);
    for (const QByteArray& e : env)
        envp.push_back(const_cast<char*>(e.constData()));
    envp.push_back(nullptr);
    const int failed =
        program.isEmpty() ? -1 : posix_spawn(&pid_, program.constData(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (failed != 0) {
        ::close(out[0]);
        pid_ = 0;
        return false;
    }
    fd_ = out[0];
    reader_ = std::thread([this] { read(); });
    return true;
}

void MonitorRecorder::read()
{
    char block[4096];
    for (;;) {
        const ssize_t n = ::read(fd_, block, sizeof block);
        if (n <= 0)
            return;
        const qint64 arrived = monotonicNs();
        QMutexLocker lock(&mutex_);
        pcm_.append(block, n);
        blocks_.append({pcm_.size(), arrived});
    }
}

void MonitorRecorder::stop()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = 0;
    }
    // The pipe ends with the recorder: the thread reads to its end.
    if (reader_.joinable())
        reader_.join();
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

QByteArray MonitorRecorder::pcm() const
{
    QMutexLocker lock(&mutex_);
    return pcm_;
}

std::optional<qint64> MonitorRecorder::firstLoudAfter(qint64 ns, int level) const
{
    QMutexLocker lock(&mutex_);
    qint64 begin = 0;
    for (const Block& b : blocks_) {
        if (b.arrivedNs >= ns) {
            for (qint64 i = begin & ~qint64(1); i + 1 < b.end; i += 2) {
                if (std::abs(qFromLittleEndian<qint16>(pcm_.constData() + i)) >= level)
                    return b.arrivedNs;
            }
        }
        begin = b.end;
    }
    return std::nullopt;
}
