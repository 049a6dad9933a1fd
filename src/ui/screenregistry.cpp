#include "ui/screenregistry.h"

#include "core/pinyin.h"
#include "core/speechsettings.h"
#include "core/tovak.h"
#include "ui/messagebox.h"
#include "ui/speechplayer.h"

#include <QApplication>
#include <QDesktopServices>
#include <QTimer>
#include <QUrl>

ScreenRegistry::ScreenRegistry(Tovak& tovak)
    : tovak_(tovak), webOpener_([](const QString& url) { QDesktopServices::openUrl(QUrl(url)); }),
      quitHandler_([] { QCoreApplication::exit(0); })
{
    connect(&tovak_.stats, &Statistics::saveFailed, this, &ScreenRegistry::tellSaveFailed);
}

ScreenRegistry::~ScreenRegistry()
{
    for (auto& [key, s] : loaded_)
        delete s.data();
}

ScreenBase* ScreenRegistry::loaded(const QString& className) const
{
    const auto it = loaded_.find(className);
    return it == loaded_.end() ? nullptr : it->second.data();
}

void ScreenRegistry::add(const QString& key, ScreenBase* s)
{
    loaded_[key] = s;
}

void ScreenRegistry::unload(ScreenBase& s)
{
    for (auto it = loaded_.begin(); it != loaded_.end(); ++it) {
        if (it->second == &s) {
            loaded_.erase(it);
            break;
        }
    }
    stack_.removeAll(&s);
    delete &s;
}

void ScreenRegistry::release(ScreenBase& s)
{
    for (auto it = loaded_.begin(); it != loaded_.end(); ++it) {
        if (it->second == &s) {
            loaded_.erase(it);
            break;
        }
    }
}

bool ScreenRegistry::exec(ScreenBase& s, QWidget* opener)
{
    if (quitting_) {
        unload(s);
        return false;
    }
    if (opener && s.parentWidget() != opener)
        s.setParent(opener, s.windowFlags());
    // Exactly over the opener's window: left alone, Qt centres a dialog on its
    // parent and a window manager may cascade it, so screens seem to drift.
    if (opener)
        s.move(opener->window()->pos());
    stack_ << &s;
    if (shownHook_) {
        QPointer<ScreenBase> shown(&s);
        QTimer::singleShot(0, &s, [this, shown] {
            if (shown && shownHook_)
                shownHook_(*shown);
        });
    }
    s.exec();
    const QString className = QString::fromLatin1(s.metaObject()->className());
    unload(s);
    emit screenClosed(className);
    return !quitting_;
}

QWidget* ScreenRegistry::topWindow() const
{
    for (auto it = stack_.crbegin(); it != stack_.crend(); ++it) {
        if (*it)
            return it->data();
    }
    return mainMenu();
}

bool ScreenRegistry::showHelp(qint16 page, QWidget* opener)
{
    tovak_.HelpPage = page;
    if (!helpOpener_)
        return !quitting_;
    return helpOpener_(page, opener);
}

bool ScreenRegistry::confirmExit(QWidget* asker)
{
    if (!MsgBox::question(asker, QStringLiteral("本当に終了しますか？"), QStringLiteral("終了確認")))
        return false;
    quit();
    return true;
}

void ScreenRegistry::quit()
{
    if (quitting_)
        return;
    quitting_ = true;
    // Each exec() returns once its loop is left; the innermost first.
    for (auto it = stack_.crbegin(); it != stack_.crend(); ++it) {
        if (*it)
            (*it)->done(QDialog::Rejected);
    }
    if (ScreenBase* menu = mainMenu())
        menu->hide();
    quitHandler_();
}

void ScreenRegistry::openWebPage(const QString& url)
{
    webOpener_(url);
}

void ScreenRegistry::tellSaveFailed()
{
    MsgBox::information(topWindow(), QStringLiteral("成績を保存できませんでした。\n保存先：%1\n"
                                                    "このファイルに書き込めるかどうかをご確認ください。")
                                         .arg(tovak_.stats.filePath()));
}

SpeechService& ScreenRegistry::speech()
{
    if (!speech_) {
        speech_ = new SpeechService(this);
        speech_->setSettings(speechSettings());
        if (speechMadeHook_)
            speechMadeHook_(*speech_);
        connect(speech_, &SpeechService::unavailable, this, [this](const QString& sentence) {
            emit speechAvailabilityChanged();
            MsgBox::information(topWindow(), sentence);
        });
        connect(speech_, &SpeechService::firstSampleHandedOver, this, [this] {
            if (!reportedAvailable_) {
                reportedAvailable_ = true;
                emit speechAvailabilityChanged();
            }
        });
    }
    return *speech_;
}

bool ScreenRegistry::canSpeak() const
{
    return speechSettings().enabled && (!speech_ || speech_->isAvailable());
}

QString ScreenRegistry::speechUnavailableReason() const
{
    if (!speechSettings().enabled)
        return QStringLiteral("音声はオフです（メインメニューの「音声」で切り替え）");
    return canSpeak() ? QString() : QStringLiteral("音声を再生できません");
}

const SpeechSettings& ScreenRegistry::speechSettings() const
{
    if (!speechSettings_)
        speechSettings_ = SpeechSettings::load(tovak_.stats.filePath());
    return *speechSettings_;
}

void ScreenRegistry::setSpeechSettings(const SpeechSettings& settings)
{
    speechSettings_ = settings;
    if (speech_)
        speech_->setSettings(settings);
    emit speechAvailabilityChanged();
}

void ScreenRegistry::speakWord(int tkey)
{
    const DB& db = tovak_.db;
    if (tkey < 1 || tkey > db.lastWordKey())
        return;
    speech().speak(speechPinyin(db.word(tkey, WordField::Pinyin), db.wordCKeys(tkey)));
}

void ScreenRegistry::speakReading(const QString& reading)
{
    speech().speak(speechReading(reading));
}
