#pragma once

#include "ui/screenbase.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <map>

class Tovak;
class Voice;

// Loads, shows and unloads the screens. Each screen exists at most once: it is
// created ("loaded", running its load steps) when first asked for, prepared by
// its opener through the instance handed back, shown with exec() over its
// opener, and deleted when it closes, so the next opening loads it afresh.
// The openers form a stack of nested modal loops on top of the main menu.
//
// Opening a screen from a screen:
//
//     auto& s = screens().screen<frmSomething>();
//     s.init();
//     if (!screens().exec(s, this))
//         return; // the program is ending: do nothing more
//
class ScreenRegistry : public QObject {
    Q_OBJECT
  public:
    explicit ScreenRegistry(Tovak& tovak);
    ~ScreenRegistry() override;

    Tovak& tovak() const { return tovak_; }

    // The loaded instance, loading it first when needed.
    template <class Screen> Screen& screen()
    {
        const QString key = QString::fromLatin1(Screen::staticMetaObject.className());
        if (ScreenBase* s = loaded(key))
            return *static_cast<Screen*>(s);
        auto* s = new Screen(*this);
        add(key, s);
        s->load();
        return *s;
    }
    template <class Screen> Screen* loadedScreen() const
    {
        return static_cast<Screen*>(loaded(QString::fromLatin1(Screen::staticMetaObject.className())));
    }
    ScreenBase* loaded(const QString& className) const;

    // Shows s modally over opener and unloads it when it closes. Returns false
    // when the program is ending: the caller must then return at once.
    [[nodiscard]] bool exec(ScreenBase& s, QWidget* opener);
    template <class Screen> [[nodiscard]] bool open(QWidget* opener) { return exec(screen<Screen>(), opener); }
    void unload(ScreenBase& s);
    // Forgets s without deleting it: its owner disposes of it.
    void release(ScreenBase& s);

    // The open modal screens, the topmost last.
    const QList<QPointer<ScreenBase>>& stack() const { return stack_; }
    // The window a new box or screen belongs over.
    QWidget* topWindow() const;

    // The screen that stays open for the whole run, set by start-up.
    ScreenBase* mainMenu() const { return home_.data(); }
    void setMainMenu(ScreenBase* home) { home_ = home; }

    // The help viewer at page, modal over opener. False when the program is ending.
    [[nodiscard]] bool showHelp(qint16 page, QWidget* opener);
    // Who opens the help viewer: the frame knows no screen, start-up wires it.
    void setHelpOpener(std::function<bool(qint16, QWidget*)> opener) { helpOpener_ = std::move(opener); }

    // The exit question; on Yes the program ends (returns true: the caller
    // must do nothing more).
    bool confirmExit(QWidget* asker);
    // Ends the program at once: every screen closes, every exec() returns false.
    void quit();
    bool isQuitting() const { return quitting_; }

    // Speech for every screen; it belongs to the shared state, the registry only hands it out.
    Voice& voice() const;

    // Opens the address in the user's browser; the result is ignored.
    void openWebPage(const QString& url);

    // Tells the learner what could not be saved (成績, 音声の設定) and where.
    void tellSaveFailed(const QString& what, const QString& path);

    // Test hooks.
    // Called from inside exec() once the modal screen runs, so a test can drive it.
    void setShownHook(std::function<void(ScreenBase&)> hook) { shownHook_ = std::move(hook); }
    // Replaces the browser (tests open none).
    void setWebOpener(std::function<void(const QString&)> opener) { webOpener_ = std::move(opener); }
    // Replaces leaving the event loop when the program ends.
    void setQuitHandler(std::function<void()> handler) { quitHandler_ = std::move(handler); }

  signals:
    // A modal screen has closed and is unloaded; className names its class.
    void screenClosed(const QString& className);

  private:
    void add(const QString& key, ScreenBase* s);

    Tovak& tovak_;
    std::map<QString, QPointer<ScreenBase>> loaded_;
    QList<QPointer<ScreenBase>> stack_;
    bool quitting_ = false;
    std::function<void(ScreenBase&)> shownHook_;
    std::function<void(const QString&)> webOpener_;
    std::function<void()> quitHandler_;
    std::function<bool(qint16, QWidget*)> helpOpener_;
    QPointer<ScreenBase> home_;
};
