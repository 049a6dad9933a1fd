#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>

class QProcess;
class QTimer;

// Turns prepared pinyin ("xue2 xiao4") into 16-bit mono PCM with the espeak-ng
// program, run as a child process (its library is GPL and stays unlinked).
// Asynchronous: a missing or hung program never holds up the caller, and an
// oversized output is cut off.
class SpeechSynth : public QObject {
    Q_OBJECT
  public:
    enum class Failure {
        Missing,  // the program could not be started
        TimedOut, // no result within the time limit; killed
        TooLarge, // more output than any word needs; killed
        Crashed,  // ended by a signal or with a non-zero status
        BadOutput // not the WAV stream expected
    };
    Q_ENUM(Failure)

    static constexpr int normalSpeed = 175; // words per minute, espeak-ng's own default
    static constexpr int slowSpeed = 120;
    static constexpr int defaultTimeLimitMs = 3000;
    static constexpr qsizetype defaultOutputLimit = 2 * 1024 * 1024;
    static constexpr qsizetype maxTextLength = 200;

    explicit SpeechSynth(QObject* parent = nullptr);
    ~SpeechSynth() override;

    // Only ASCII letters, digits and blanks with at least one letter: the text
    // goes into SSML, so nothing else may reach the program.
    static bool isPreparedPinyin(const QString& text);
    // The command line: the pinyin voice, pitch 70, the speed, SSML input.
    static QStringList arguments(bool slow);
    // The line the program reads on its standard input: the pitch range
    // widened to 80 through SSML, which the command line cannot set.
    static QByteArray input(const QString& preparedPinyin);
    // The PCM of espeak-ng's WAV output: the 44-byte header checked for the
    // format (its length fields are wrong on a pipe and are ignored), then the
    // samples. Empty and false when the header is not 16-bit mono PCM.
    static bool parseWav(const QByteArray& wav, QByteArray& pcm, int& sampleRate);
    // The leading silence cut to 2 ms (espeak-ng starts a word with 7 to 19 ms
    // of it, heard as delay), about -3 dB of gain (the voice reaches full
    // scale) and a 5 ms linear fade-in (some words start at full swing and
    // would click). A word of nothing but silence stays whole.
    static QByteArray postProcess(const QByteArray& pcm, int sampleRate);

    // For tests: another program, limits. A synthesis is killed once it has run
    // for the whole time limit, never sooner.
    // A program waiting for its text is let go.
    void setProgram(const QString& program);
    const QString& program() const { return program_; }
    void setTimeLimit(int ms) { timeLimitMs_ = ms; }
    void setOutputLimit(qsizetype bytes) { outputLimit_ = bytes; }

    // Starts turning text into speech; a synthesis still running is abandoned
    // without a signal. False, and nothing started, when the text is refused.
    bool synthesize(const QString& preparedPinyin, bool slow = false);
    // Abandons the running synthesis, if any; no signal follows.
    void cancel();
    // Starts a program in advance that waits for its text with the voice
    // already loaded, which saves most of a word's time; the next synthesis
    // at this speed uses it. Each word ended makes the next one ready.
    void prepare(bool slow);
    // Waits at most ms for the prepared program to start: false when it cannot
    // (not installed), or when nothing was prepared.
    bool waitUntilPrepared(int ms);
    bool isRunning() const { return process_ != nullptr; }

  signals:
    void finished(const QByteArray& pcm, int sampleRate);
    void failed(SpeechSynth::Failure reason);

  private:
    QProcess* startProgram(bool slow);
    void fail(Failure reason);
    void readOutput();
    void processFinished(int exitCode, int exitStatus);

    QString program_ = QStringLiteral("espeak-ng");
    int timeLimitMs_ = defaultTimeLimitMs;
    qsizetype outputLimit_ = defaultOutputLimit;
    QProcess* process_ = nullptr;
    QProcess* standby_ = nullptr; // waiting for its text
    bool standbySlow_ = false;
    bool lastSlow_ = false;
    QTimer* timer_ = nullptr;
    QElapsedTimer sinceStart_; // of the running synthesis: the limit counts from there
    QByteArray output_;
};
