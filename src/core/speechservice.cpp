#include "core/speechservice.h"

#include <QCoreApplication>
#include <QLibrary>

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
    // The command stands on a line of its own: a box that wraps it between its words
    // gives a command that no longer pastes whole.
    return QStringLiteral("音声を再生できません：espeak-ng が見つかりません。\n"
                          "次のコマンドでインストールすると、単語を読み上げます。\n"
                          "sudo apt install espeak-ng");
}

QString SpeechService::noOutputSentence()
{
    return QStringLiteral("音声を再生できません：音声出力装置が見つかりません。"
                          "スピーカーやヘッドホンの接続とサウンドの設定を確認してください。");
}

QString SpeechService::missingModuleSentence()
{
    return QStringLiteral("音声を再生できません：音声出力の部品（rumena_audio）が見つかりません。"
                          "プログラムを入れ直してください。");
}

QString SpeechService::synthesisFailedSentence()
{
    return QStringLiteral("音声を再生できません：espeak-ng が音声を作れませんでした。\n"
                          "次のコマンドで入れ直してください。\n"
                          "sudo apt install --reinstall espeak-ng");
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

void SpeechService::setSynthProgram(const QString& program)
{
    synthProgram_ = program;
    if (synth_)
        synth_->setProgram(program.isEmpty() ? QStringLiteral("espeak-ng") : program);
}

SpeechSynth& SpeechService::synth()
{
    if (!synth_) {
        synth_ = new SpeechSynth(this);
        if (!synthProgram_.isEmpty())
            synth_->setProgram(synthProgram_);
        connect(synth_, &SpeechSynth::finished, this, &SpeechService::play);
        connect(synth_, &SpeechSynth::failed, this, &SpeechService::synthesisFailed);
    }
    return *synth_;
}

AudioOutput* SpeechService::output()
{
    if (!output_ && !moduleMissing_) {
        output_ = loadAudioOutput();
        moduleMissing_ = !output_;
    }
    return output_.get();
}

void SpeechService::speak(const QString& preparedPinyin)
{
    stop();
    if (!settings_.enabled)
        return;
    sinceRequest_.start();
    if (!synth().synthesize(preparedPinyin, settings_.slow))
        qWarning("SpeechService: not prepared pinyin: %s", qPrintable(preparedPinyin));
}

void SpeechService::prepare()
{
    if (!settings_.enabled)
        return;
    // A word being made keeps its program; the next one is made ready after it.
    if (!synth().isRunning())
        synth_->prepare(settings_.slow);
    if (AudioOutput* out = output())
        out->prepare();
}

bool SpeechService::check(int timeoutMs)
{
    if (!settings_.enabled)
        return false;
    if (!synth().isRunning()) {
        synth_->prepare(settings_.slow);
        if (!synth_->waitUntilPrepared(timeoutMs)) {
            report(missingProgramSentence(), true);
            return false;
        }
    }
    AudioOutput* out = output();
    if (!out) {
        report(missingModuleSentence(), true);
        return false;
    }
    if (!out->probe(sampleRate)) {
        report(noOutputSentence(), true);
        return false;
    }
    return true;
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

void SpeechService::setAvailable(bool available)
{
    if (std::exchange(available_, available) != available)
        emit availabilityChanged();
}

void SpeechService::report(const QString& sentence, bool again)
{
    setAvailable(false);
    if (std::exchange(reported_, true) && !again)
        return;
    emit unavailable(sentence);
}

void SpeechService::play(const QByteArray& pcm, int rate)
{
    if (!output()) {
        report(missingModuleSentence());
        return;
    }
    // Each event belongs to the word it was given with: a later word's play()
    // replaces them, so a stale one never reaches the next word.
    const quint64 word = ++word_;
    AudioOutput::Events events;
    events.firstSamplesWritten = [this, word, pcm, rate] {
        if (word != word_)
            return;
        setAvailable(true);
        emit firstSampleHandedOver(sinceRequest_.nsecsElapsed(), pcm, rate);
    };
    events.finished = [this, word] {
        if (word == word_)
            emit playbackFinished();
    };
    events.failed = [this, word] {
        if (word == word_)
            report(noOutputSentence());
    };
    output_->play(pcm, rate, std::move(events));
}

void SpeechService::stopPlayback()
{
    ++word_;
    if (output_)
        output_->stop();
}

std::unique_ptr<AudioOutput> SpeechService::loadAudioOutput()
{
    // Where the package puts it beside the program, then this build's copy.
    const QString bin = QCoreApplication::applicationDirPath();
    const QStringList dirs = !moduleSearch_.isEmpty() ? moduleSearch_
                                                      : QStringList{bin + QStringLiteral("/" RUMENA_AUDIO_DIR_FROM_BIN),
                                                                    QStringLiteral(RUMENA_AUDIO_BUILD_DIR)};
    for (const QString& dir : dirs) {
        QLibrary module(dir + QLatin1Char('/') + QLatin1String(audioModuleName));
        // Never unloaded: the output it makes lives as long as the service.
        if (auto create = reinterpret_cast<AudioOutputFactory>(module.resolve(audioOutputFactoryName)))
            return std::unique_ptr<AudioOutput>(create());
    }
    qWarning("SpeechService: no %s module found", audioModuleName);
    return nullptr;
}
