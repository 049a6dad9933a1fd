#pragma once

#include "ui/browse/charlistscreen.h"

// The ranking list: the characters of CurrentCharList as the main menu ranked
// them, ten to a page, with the list size and the page numbers.
class frmListC : public CharListScreen {
    Q_OBJECT
  public:
    explicit frmListC(ScreenRegistry& screens);

    // Page 1 of CurrentCharList; RankingKind names the ranked field.
    void init();

  protected:
    void pageShown() override;

  private:
    QLabel* lblCount_ = nullptr;
    QLabel* lblCPagenum_ = nullptr;
    QLabel* lblTPagenum_ = nullptr;
};
