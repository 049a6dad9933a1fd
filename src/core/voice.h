#pragma once

#include "core/speechsettings.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class DB;
class SpeechService;

// Speech for the whole program: the [SPEECH] switches of conf.ini, the speech
// service made when a screen with speakers opens or with the first word
// (start-up does no speech work), and whether anything can be heard. Every
// screen and speaker control asks it; none keeps a copy of what it holds.
class Voice : public QObject {
    Q_OBJECT
  public:
    Voice(const DB& db, QString settingsPath, QObject* parent = nullptr);
    ~Voice() override;

    // The service, made on the first ask with the switches of conf.ini.
    SpeechService& service();
    bool started() const { return service_ != nullptr; }

    // Speaks a word of the tables, or one reading of a character ("xue2").
    void speakWord(int tkey);
    void speakReading(const QString& reading);
    // Speaks prepared pinyin ("ba1 dian3 ban4", as speechPinyin makes it) times
    // times, each after a pause of pauseMs once the one before has played: a
    // listening paper reads every item twice. Any other word cuts the rest off.
    void speakPrepared(const QString& preparedPinyin, int times = 1, int pauseMs = 0);
    // Stops the word being spoken and whatever is left of a repeated one.
    void stop();

    // A screen with speakers opens: the synthesizer, the audio module and the
    // sound server are made ready, once the event loop is free again (the
    // screen shows first), so its first word is as quick as any. Nothing
    // while speech is switched off.
    void prepare();
    // Before a drill by ear opens: whether a word can be spoken now (the
    // program starts, an output opens), found out within a second or two.
    // When not, the learner is told why (unavailable) and false comes back.
    bool check();

    // False while speech is switched off, and while soundFailed(): speaker
    // controls then show as unavailable.
    bool canSpeak() const;
    // From a failure for want of the program or a sound device until a word
    // plays again: a drill by ear does not offer its grading meanwhile.
    bool soundFailed() const;
    // Why nothing can be heard, for a tooltip; empty while speech works.
    QString unavailableReason() const;

    // The two switches, read from conf.ini on the first ask.
    const SpeechSettings& settings() const;
    // Saves them (every other line of the file kept) and applies them. When the
    // save fails nothing changes, the learner is told, and false comes back.
    bool setSettings(const SpeechSettings& settings);

    const QString& settingsPath() const { return settingsPath_; }

    // Runs on the service as it is made (a test gives it a silent output).
    void setMadeHook(std::function<void(SpeechService&)> hook) { madeHook_ = std::move(hook); }

  signals:
    // Availability, its reason or the switches changed: controls redraw.
    void changed();
    // Once per run, the first time speech fails, and at every failed check():
    // what is missing and the remedy.
    void unavailable(const QString& sentence);
    // The switches could not be saved in settingsPath().
    void saveFailed();

  private:
    const DB& db_;
    QString settingsPath_;
    SpeechService* service_ = nullptr;
    mutable std::optional<SpeechSettings> settings_;
    bool preparing_ = false;
    // What is left of a repeated word; a new word bumps the generation.
    QString repeated_;
    int repeatsLeft_ = 0;
    int repeatPauseMs_ = 0;
    quint64 generation_ = 0;
    std::function<void(SpeechService&)> madeHook_;
};
