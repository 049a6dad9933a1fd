#pragma once

#include "ui/drills/typeddrillscreen.h"

// The tone drill: the learner types the tone digits of each word, its bare syllables shown.
class frmListP2 : public TypedDrillScreen {
    Q_OBJECT
  public:
    explicit frmListP2(ScreenRegistry& screens);
};
