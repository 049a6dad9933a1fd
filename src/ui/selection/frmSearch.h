#pragma once

#include "core/selection/wordlistbuilders.h"
#include "ui/screenbase.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;

// The word search: six conditions, each with its own "検索" button; the count
// found; then the answer list or one of the three drills on the words found.
// The launch buttons lie under a mask until a search has found something.
class frmSearch : public ScreenBase {
    Q_OBJECT
  public:
    explicit frmSearch(ScreenRegistry& screens);

    // Every opening starts here: the pinyin drill is offered or not for the
    // whole opening, the statistics are read afresh, the mask is shown.
    void load() override;

  private:
    void search(SearchKind kind);
    void setMasked(bool masked);
    void openAnswerList();
    template <class Drill> void openDrill();

    QLineEdit* txtFreeWord_;
    // The five drop-downs, by SearchKind; slot 0 (the free text) stays empty.
    std::array<QComboBox*, 6> combos_{};
    QLabel* lblCount_is_;
    QLabel* imgSmask_;
    ImageButton* pinyinDrill_;
    QList<ImageButton*> launchers_;
};
