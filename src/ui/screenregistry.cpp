#include "ui/screenregistry.h"

#include "core/tovak.h"
#include "ui/messagebox.h"

#include <QApplication>
#include <QDesktopServices>
#include <QTimer>
#include <QUrl>

ScreenRegistry::ScreenRegistry(Tovak& tovak)
    : tovak_(tovak), webOpener_([](const QString& url) { QDesktopServices::openUrl(QUrl(url)); }),
      quitHandler_([] { QCoreApplication::exit(0); })
{
    connect(&tovak_.stats, &Statistics::saveFailed, this,
            [this] { tellSaveFailed(QStringLiteral("成績"), tovak_.stats.filePath()); });
    Voice& v = tovak_.voice;
    connect(&v, &Voice::saveFailed, this,
            [this, &v] { tellSaveFailed(QStringLiteral("音声の設定"), v.settingsPath()); });
    connect(&v, &Voice::unavailable, this,
            [this](const QString& sentence) { MsgBox::information(topWindow(), sentence); });
    // Told once the grading that met the fault has returned and its screen shows the marks.
    connect(
        &tovak_.stats.reviewLog(), &ReviewLog::faultFound, this,
        [this](const QString& sentence) { MsgBox::information(topWindow(), sentence); }, Qt::QueuedConnection);
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
    // The client area is placed, not the frame: a window's frame position is
    // known only once the window manager has told its frame size, which it
    // sometimes has not yet (the screen then opened one title bar lower).
    if (opener)
        s.setGeometry(QRect(opener->window()->geometry().topLeft(), s.size()));
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

void ScreenRegistry::tellSaveFailed(const QString& what, const QString& path)
{
    MsgBox::information(topWindow(), QStringLiteral("%1を保存できませんでした。\n保存先：%2\n"
                                                    "このファイルに書き込めるかどうかをご確認ください。")
                                         .arg(what, path));
}

Voice& ScreenRegistry::voice() const
{
    return tovak_.voice;
}
