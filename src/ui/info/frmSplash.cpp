#include "ui/info/frmSplash.h"

#include "ui/layout.h"
#include "ui/pictures.h"

frmSplash::frmSplash(ScreenRegistry& screens)
    : ScreenBase(screens, QStringLiteral("frmSplash"), Pictures::background(QStringLiteral("frmSplash")),
                 Layout::splashSize)
{
    Timer1.setSingleShot(true);
    Timer1.setInterval(10);
    connect(&Timer1, &QTimer::timeout, this, &frmSplash::timerFired);
}

void frmSplash::startTimer1()
{
    Timer1.start();
}
