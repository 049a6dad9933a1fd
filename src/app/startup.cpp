#include "app/startup.h"

#include "core/tovak.h"
#include "ui/info/frmHelp.h"
#include "ui/info/frmSplash.h"
#include "ui/menu/frmTOC.h"
#include "ui/pictures.h"
#include "ui/screenregistry.h"

#include <QApplication>

void wireScreens(ScreenRegistry& screens)
{
    screens.setHelpOpener([&screens](qint16 page, QWidget* opener) {
        auto& help = screens.screen<frmHelp>();
        help.setHelp(page);
        return screens.exec(help, opener);
    });
}

void startProgram(ScreenRegistry& screens)
{
    wireScreens(screens);
    auto& splash = screens.screen<frmSplash>();
    QObject::connect(&splash, &frmSplash::timerFired, &screens, [&screens] { finishStartup(screens); });
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

void finishStartup(ScreenRegistry& screens)
{
    // The splash screen is painted and nothing here returns to the event loop
    // before it is hidden, so its picture is not needed again: the memory goes
    // before the tables and the menu take theirs.
    if (frmSplash* splash = screens.loadedScreen<frmSplash>())
        splash->releaseBackground();
    Pictures::releaseBackground(QStringLiteral("frmSplash"));
    screens.tovak().initTables();
    auto& menu = screens.screen<frmTOC>();
    screens.setMainMenu(&menu);
    if (frmSplash* splash = screens.loadedScreen<frmSplash>()) {
        // Deleted later: this runs inside the splash screen's own timer.
        screens.release(*splash);
        splash->hide();
        splash->deleteLater();
    }
    menu.setPanda();
    menu.show();
}
