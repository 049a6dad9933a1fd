#include "ui/application.h"

#include <QApplication>
#include <QLabel>

int runApplication(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel window;
    window.setWindowTitle(QStringLiteral("ルメナ　～四級～"));
    window.resize(780, 600);
    window.show();
    return app.exec();
}
