#pragma once

#include "ui/browse/charlistscreen.h"

// A latest-exam list: the characters of the 51st examination with how often
// each appeared, ten to a page.
class frmExamListC : public CharListScreen {
    Q_OBJECT
  public:
    explicit frmExamListC(ScreenRegistry& screens);

    // Load a list into CurrentCharList and examCounts, and title the screen.
    void setInitAll();
    void setInitHearing();
    void setInitWriting();
    // Any of the three by its kind.
    void setInit(ExamListKind kind);
};
