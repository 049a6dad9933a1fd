#pragma once

#include "ui/screenbase.h"

// Version and how to reach the maker; opened by the main menu's mascot.
// A click on its bare face, Esc or Enter closes it.
class frmAbout : public ScreenBase {
    Q_OBJECT
  public:
    explicit frmAbout(ScreenRegistry& screens);

  protected:
    void bareClicked() override { back(); }
    void keyPressEvent(QKeyEvent* e) override;
};
