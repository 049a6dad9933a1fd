#pragma once

#include "core/audiooutput.h"
#include "core/speechsettings.h"
#include "core/speechsynth.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <utility>

// Speaks one word at a time: espeak-ng makes the samples in a child process,
// the audio module plays them from memory (a QAudioSink), both driven by the
// event loop of the thread that owns the service (the GUI thread), which never
// waits on either. Nothing is set up or loaded before a screen with speakers
// prepares it (or the first word), so start-up does no speech work and maps no
// sound library.
class SpeechService : public QObject {
    Q_OBJECT
  public:
    explicit SpeechService(QObject* parent = nullptr);
    ~SpeechService() override;

    // Speaks prepared pinyin ("xue2 xiao4"); a word still being made or played
    // is stopped first. Does nothing while speech is switched off.
    void speak(const QString& preparedPinyin);
    void stop();

    // Makes the next word quick: the synthesizer's program waiting with its
    // voice loaded, the audio module loaded and the sound server connected.
    // Screens with speakers ask for it as they open. Tells nothing: what is
    // missing is found out by a word or a check.
    void prepare();
    // Whether a word can be spoken now: the program starts (waited for at most
    // timeoutMs) and an output opens. When not, the reason is told
    // (unavailable), even when it was before: the learner asked.
    bool check(int timeoutMs);
    // What a word is made at (espeak-ng's rate), for the check's output.
    static constexpr int sampleRate = 22050;

    const SpeechSettings& settings() const { return settings_; }
    void setSettings(const SpeechSettings& settings);

    // False once a word could not be spoken for want of the program, a sound
    // device or a working synthesis; true again when a later word plays.
    bool isAvailable() const { return available_; }

    // The sentences unavailable() reports.
    static QString missingProgramSentence();
    static QString noOutputSentence();
    static QString synthesisFailedSentence();
    static QString missingModuleSentence();

    // For tests: the program that speaks instead of espeak-ng, from the next word.
    void setSynthProgram(const QString& program);
    // For tests: an output in place of the audio module's.
    void setAudioOutput(std::unique_ptr<AudioOutput> output) { output_ = std::move(output); }
    // For tests: the folders looked in for the audio module instead of the usual ones.
    void setModuleSearch(const QStringList& dirs) { moduleSearch_ = dirs; }

  signals:
    // Once per run, the first time speech fails: what is missing and the remedy.
    void unavailable(const QString& sentence);
    // isAvailable() changed: a word failed after one played, or played after a failure.
    void availabilityChanged();
    // The sink has taken the first samples of a word: the time since speak()
    // and the samples it plays. For tests and the benchmark.
    void firstSampleHandedOver(qint64 nsSinceRequest, const QByteArray& pcm, int sampleRate);
    // The sink has played a word to its end.
    void playbackFinished();

  private:
    SpeechSynth& synth();
    // The output, the module loaded first when needed; null without it.
    AudioOutput* output();
    void play(const QByteArray& pcm, int rate);
    void synthesisFailed(SpeechSynth::Failure reason);
    void stopPlayback();
    std::unique_ptr<AudioOutput> loadAudioOutput();
    // again: told even when it was before.
    void report(const QString& sentence, bool again = false);
    void setAvailable(bool available);

    SpeechSettings settings_;
    bool available_ = true;
    bool reported_ = false;
    QString synthProgram_;
    SpeechSynth* synth_ = nullptr; // made on the first word or preparation
    QStringList moduleSearch_;
    std::unique_ptr<AudioOutput> output_; // loaded with the first word or preparation
    bool moduleMissing_ = false;          // looked for once
    quint64 word_ = 0;                    // the word the output's events belong to
    QElapsedTimer sinceRequest_;
};
