#pragma once

#include "core/drills/drillsession.h"

enum class ChoiceColour { Black, Blue, Red };

// One row of a choice drill page, as the screen draws it.
struct ChoiceRow : WordRow {
    std::array<QString, 4> choices;
    std::array<ChoiceColour, 4> colours{};
    MarkState mark = MarkState::None;
};

// The translation choice drill: four translations per word, ten words to a page.
class ChoiceDrillSession : public DrillSession {
  public:
    static constexpr int PageSize = 10;
    static constexpr int NoChoice = 9;

    explicit ChoiceDrillSession(Tovak& t);

    void init() override;
    void grade() override;
    bool hasUngradedAnswers() const override;

    // A click on choice 0..3 of a row. Recorded only at the next page change or
    // grading; once all answers were right the choices no longer react.
    void choose(int row, int choice);
    bool choicesReact() const { return t_.DrillMode != DrillAllRight; }
    // The first blue choice of a row, or NoChoice.
    int selection(int row) const;

    ChoiceRow row(int r) const;

  protected:
    void savePage() override;
    void showPage() override;
    bool isCorrect(int position) const override;
    void describeAnswer(int position, GradedAnswer& answer) const override;

  private:
    void saveChoices();

    std::array<std::array<ChoiceColour, 4>, PageSize> colours_{};
};
