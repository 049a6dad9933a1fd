#include "app/application.h"

#include "app/startup.h"

#include "app/singlecopy.h"
#include "core/tovak.h"
#include "ui/screenregistry.h"

#include <QApplication>

int runApplication(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Names the data folder that keeps conf.ini: ~/.local/share/rumena on Linux.
    QApplication::setApplicationName(QStringLiteral("rumena"));
    // Lets a desktop match the window to its installed entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.rumena"));
    // The run ends only through the exit question or the help viewer's exit,
    // never because the splash screen went away before the menu appeared.
    QApplication::setQuitOnLastWindowClosed(false);

    InstanceLock lock(Statistics::defaultFilePath());
    if (!claimStatisticsFile(lock))
        return 0;
    Tovak tovak(clockSeed(), lock.statisticsPath()); // seeded once from the clock
    ScreenRegistry screens(tovak);
    startProgram(screens);
    return QApplication::exec();
}
