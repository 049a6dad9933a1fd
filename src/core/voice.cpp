#include "core/voice.h"

#include "core/pinyin.h"
#include "core/speechservice.h"
#include "data/db.h"

#include <QTimer>

#include <utility>

Voice::Voice(const DB& db, QString settingsPath, QObject* parent)
    : QObject(parent), db_(db), settingsPath_(std::move(settingsPath))
{
}

Voice::~Voice() = default;

SpeechService& Voice::service()
{
    if (!service_) {
        service_ = new SpeechService(this);
        service_->setSettings(settings());
        if (madeHook_)
            madeHook_(*service_);
        // Failed, or heard again after a failure: speakers and a drill's grading follow.
        connect(service_, &SpeechService::availabilityChanged, this, &Voice::changed);
        connect(service_, &SpeechService::unavailable, this, &Voice::unavailable);
        connect(service_, &SpeechService::playbackFinished, this, [this] {
            if (repeatsLeft_ <= 0)
                return;
            --repeatsLeft_;
            QTimer::singleShot(repeatPauseMs_, this, [this, generation = generation_] {
                if (generation == generation_)
                    service().speak(repeated_);
            });
        });
    }
    return *service_;
}

void Voice::speakWord(int tkey)
{
    if (tkey < 1 || tkey > db_.lastWordKey())
        return;
    speakPrepared(speechPinyin(db_.word(tkey, WordField::Pinyin), db_.wordCKeys(tkey)));
}

void Voice::speakReading(const QString& reading)
{
    speakPrepared(speechReading(reading));
}

void Voice::speakPrepared(const QString& preparedPinyin, int times, int pauseMs)
{
    ++generation_;
    repeated_ = preparedPinyin;
    repeatsLeft_ = times - 1;
    repeatPauseMs_ = pauseMs;
    service().speak(preparedPinyin);
}

void Voice::stop()
{
    ++generation_;
    repeatsLeft_ = 0;
    if (service_)
        service_->stop();
}

void Voice::prepare()
{
    if (!settings().enabled || std::exchange(preparing_, true))
        return;
    QTimer::singleShot(0, this, [this] {
        preparing_ = false;
        if (settings().enabled)
            service().prepare();
    });
}

bool Voice::check()
{
    // The program's start is waited for; the module and the output answer at once.
    return settings().enabled && service().check(2000);
}

bool Voice::canSpeak() const
{
    return settings().enabled && !soundFailed();
}

bool Voice::soundFailed() const
{
    return service_ && !service_->isAvailable();
}

QString Voice::unavailableReason() const
{
    if (!settings().enabled)
        return QStringLiteral("音声はオフです（メインメニューの「音声」で切り替え）");
    return canSpeak() ? QString() : QStringLiteral("音声を再生できません");
}

const SpeechSettings& Voice::settings() const
{
    if (!settings_)
        settings_ = SpeechSettings::load(settingsPath_);
    return *settings_;
}

bool Voice::setSettings(const SpeechSettings& settings)
{
    if (!settings.save(settingsPath_)) {
        emit saveFailed();
        return false;
    }
    settings_ = settings;
    if (service_)
        service_->setSettings(settings);
    emit changed();
    return true;
}
