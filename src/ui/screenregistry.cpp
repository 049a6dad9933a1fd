#include "ui/screenregistry.h"

#include "browse/frmTOC.h"
#include "core/tovak.h"
#include "info/frmHelp.h"
#include "info/frmSplash.h"
#include "ui/messagebox.h"
#include "ui/pictures.h"

#include <QApplication>
#include <QDesktopServices>
#include <QTimer>
#include <QUrl>

ScreenRegistry::ScreenRegistry(Tovak& tovak)
    : tovak_(tovak),
      webOpener_([](const QString& url) { QDesktopServices::openUrl(QUrl(url)); }),
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

bool ScreenRegistry::exec(ScreenBase& s, QWidget* opener)
{
    if (quitting_) {
        unload(s);
        return false;
    }
    if (opener && s.parentWidget() != opener)
        s.setParent(opener, s.windowFlags());
    stack_ << &s;
    if (shownHook_) {
        QPointer<ScreenBase> shown(&s);
        QTimer::singleShot(0, &s, [this, shown] {
            if (shown && shownHook_)
                shownHook_(*shown);
        });
    }
    s.exec();
    unload(s);
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

void ScreenRegistry::start()
{
    auto& splash = screen<frmSplash>();
    splash.show();
    // Painted before any work starts, so the learner sees it while the tables load.
    splash.repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    splash.startTimer1();
    // The timer's 10 ms leave this thread idle: meanwhile what the main menu
    // shows first decodes on a second thread, and the window icon is set.
    Pictures::prefetchMainMenu();
    QGuiApplication::setWindowIcon(Pictures::appIcon());
}

void ScreenRegistry::finishStartup()
{
    // The splash screen is painted and nothing here returns to the event loop
    // before it is hidden, so its picture is not needed again: the memory goes
    // before the tables and the menu take theirs.
    if (frmSplash* splash = loadedScreen<frmSplash>())
        splash->releaseBackground();
    Pictures::releaseBackground(QStringLiteral("frmSplash"));
    tovak_.initTables();
    auto& menu = screen<frmTOC>();
    if (frmSplash* splash = loadedScreen<frmSplash>()) {
        // Deleted later: this runs inside the splash screen's own timer.
        loaded_.erase(QString::fromLatin1(frmSplash::staticMetaObject.className()));
        splash->hide();
        splash->deleteLater();
    }
    menu.setPanda();
    menu.show();
    emit mainMenuShown();
}

frmTOC* ScreenRegistry::mainMenu() const
{
    return loadedScreen<frmTOC>();
}

bool ScreenRegistry::showHelp(qint16 page, QWidget* opener)
{
    tovak_.HelpPage = page;
    auto& help = screen<frmHelp>();
    help.setHelp(tovak_.HelpPage);
    return exec(help, opener);
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
    if (frmTOC* menu = mainMenu())
        menu->hide();
    quitHandler_();
}

void ScreenRegistry::openWebPage(const QString& url)
{
    webOpener_(url);
}

void ScreenRegistry::tellSaveFailed()
{
    MsgBox::information(topWindow(),
                        QStringLiteral("成績を保存できませんでした。\n保存先：%1\n"
                                       "このファイルに書き込めるかどうかをご確認ください。")
                            .arg(tovak_.stats.filePath()));
}
