#pragma once

#include "core/drills/drillsession.h"

// One row of a typed drill page, as the screen draws it.
struct TypedRow : WordRow {
    QString translation; // ideographic space + translation
    QString syllables;   // tone drill only: the bare syllables, "ü" for the eye
    bool boxVisible = false;
    QString boxText;
    MarkState mark = MarkState::None;
    bool answerVisible = false;
    QString answer;         // the stored pinyin for the eye, once graded
    bool concealed = false; // by ear before grading: no glyphs, no translation
};

// The tone drill and the pinyin drill: twelve typed answers to a page.
class TypedDrillSession : public DrillSession {
  public:
    static constexpr int PageSize = 12;

    // kind is ToneDrill or PinyinDrill.
    TypedDrillSession(Tovak& t, DrillKind kind);

    void init() override;
    void grade() override;
    bool hasUngradedAnswers() const override;

    // The answer boxes: the screen forwards every edit, the session refills
    // them on each page change. A hidden box keeps its text, as a real box would.
    void setBoxText(int row, const QString& text);
    const QString& boxText(int row) const { return boxes_[static_cast<size_t>(row)]; }
    bool boxesLocked() const { return graded(); }
    // Last box a page change copies: 11, or the first empty row on the last page.
    int rowsOnPage() const { return rowsOnPage_; }

    // By ear (Tovak::Listening at init): the glyphs and translation stay hidden until graded.
    bool listening() const { return listening_; }
    bool byEar() const override { return listening_; }

    TypedRow row(int r) const;
    QString expectedAnswer(int tkey) const;

  protected:
    void savePage() override;
    void showPage() override;
    bool isCorrect(int position) const override;
    void describeAnswer(int position, GradedAnswer& answer) const override;

  private:
    bool answerMatches(const QString& typed, int tkey) const;

    std::array<QString, PageSize> boxes_{};
    int rowsOnPage_ = PageSize - 1;
    bool listening_ = false;
};
