#pragma once

#include "ui/browse/charlistscreen.h"

// A latest-exam list: the characters of the 51st examination with how often
// each appeared, ten to a page.
class frmExamListC : public CharListScreen {
    Q_OBJECT
  public:
    explicit frmExamListC(ScreenRegistry& screens);

    // Loads the list of kind into CurrentCharList and examCounts, and titles the screen.
    void setInit(ExamListKind kind);
};
