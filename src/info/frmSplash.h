#pragma once

#include "ui/screenbase.h"

#include <QTimer>

// Shown while the program starts; its timer runs the rest of start-up.
class frmSplash : public ScreenBase {
    Q_OBJECT
public:
    explicit frmSplash(ScreenRegistry& screens);

    // Fires once, 10 ms later.
    void startTimer1();

protected:
    // Neither keys nor the close box do anything while the program starts.
    void escKey() override {}
    void closeBoxClicked() override {}

private:
    QTimer Timer1;
};
