#pragma once

#include "ui/screenbase.h"

class QLabel;

// The latest-exam menu: the three lists of the 51st examination, each with a
// comment shown while the mouse is over it.
class frmExamTOC : public ScreenBase {
    Q_OBJECT
  public:
    explicit frmExamTOC(ScreenRegistry& screens);

    // Reads conf.ini again and shows the introduction.
    void load() override;
    void resetHover() override;

  private:
    void showComment(int index);
    void openList(int k);

    QLabel* lblPandaComment_ = nullptr;
};
