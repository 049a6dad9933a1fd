#pragma once

#include "ui/screenbase.h"

#include <QTimer>

// Shown while the program starts; its timer hands start-up on.
class frmSplash : public ScreenBase {
    Q_OBJECT
  public:
    explicit frmSplash(ScreenRegistry& screens);

    // Fires once, 10 ms later, with timerFired.
    void startTimer1();

  signals:
    // Start-up goes on from here.
    void timerFired();

  protected:
    // Neither keys nor the close box do anything while the program starts.
    void escKey() override {}
    void closeBoxClicked() override {}

  private:
    QTimer Timer1;
};
