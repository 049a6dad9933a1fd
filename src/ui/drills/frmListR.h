#pragma once

#include "core/drills/choicedrill.h"
#include "ui/drills/drillscreen.h"
#include "ui/drills/wordrows.h"
#include "ui/speakerbutton.h"

#include <array>
#include <optional>

// The translation choice drill: four translations for each word, the learner
// clicks the right one; ten words to a page.
class frmListR : public DrillScreen {
    Q_OBJECT
  public:
    explicit frmListR(ScreenRegistry& screens);

    void resetHover() override;

  protected:
    void drawRows() override;
    // 1 to 4 choose in the row that has the focus (or the first unanswered one), then move on.
    void keyPressEvent(QKeyEvent* e) override;
    // F6 speaks the word of the row whose choice or speaker has the focus.
    void replayKey() override;

  private:
    struct Row {
        std::optional<WordRowView> view;
        std::array<QLabel*, 4> choices{};
        QLabel* mark = nullptr;
        SpeakerButton* speaker = nullptr;
    };

    ChoiceDrillSession& choice() const;
    void drawChoices(int row, const ChoiceRow& content);
    void frame(int row, int framed);
    void choose(int row, int j);
    // The row of the choice that has the focus, or -1.
    int focusedRow() const;
    // The row keys 1 to 4 choose in: the focused one, else the first without a choice; -1 for none.
    int keyRow() const;

    std::array<Row, 10> rows_;
};
