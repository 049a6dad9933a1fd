#pragma once

#include "ui/drills/typeddrillscreen.h"

// The pinyin drill: the learner types each word's whole pinyin with tone digits.
class frmListP1 : public TypedDrillScreen {
    Q_OBJECT
  public:
    explicit frmListP1(ScreenRegistry& screens);
};
