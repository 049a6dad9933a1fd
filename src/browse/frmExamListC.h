#pragma once

#include "ui/charlistscreen.h"

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
    // The three above in the order of ExamListKind 1 to 3.
    static constexpr void (frmExamListC::*setInitOf[3])() = {&frmExamListC::setInitAll, &frmExamListC::setInitHearing,
                                                             &frmExamListC::setInitWriting};

  private:
    void setInit(ExamListKind kind);
};
