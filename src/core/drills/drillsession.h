#pragma once

#include "core/paging.h"
#include "core/tovak.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

// What the screen tells the learner when a retest finds no wrong answer.
inline constexpr char16_t AllSolvedText[] = u"全て解けました";
// What Back asks while answers wait for their grading.
inline constexpr char16_t LeaveUngradedQuestion[] = u"解答はまだ採点されていません。採点せずに戻りますか？";

// What the grade button did, so the screen knows whether to show AllSolvedText.
// Ignored: the button is hidden (all right), so F5 means Back instead.
// Repeated: the press came right after a grading and was dropped.
enum class GradeOutcome { Graded, RetestStarted, AllSolved, Ignored, Repeated };

enum class MarkState { None, Correct, Wrong, Unasked };

// The parts every drill run has in common: the retest list and the grading
// of the totals. The state lives in Tovak (GivenAnswers, CorrectCount,
// DrillMode as well as the pages).
class DrillSession : public WordPages {
  public:
    DrillSession(Tovak& t, DrillKind kind, int pageSize);

    DrillKind kind() const { return kind_; }

    // Prepares a run over CurrentWordList from page 1; DrillMode as the opener set it.
    virtual void init() = 0;
    // A press of the grade button (or F5) this soon after a grading (or a
    // retest's start) is the learner's double click or key repeat: it must not
    // throw the marks away.
    static constexpr qint64 RepeatGuardMs = 1000;
    bool isRepeatPress(qint64 nowMs) const;
    // The grade button (or F5 while it shows) at time nowMs (a monotonic clock):
    // grade, or retest after wrong answers; nothing right after a grading.
    GradeOutcome pressGrade(qint64 nowMs);
    // The next press would grade while some pages of the run were never shown:
    // their words are left out of the grading, and the screen asks first.
    bool gradingSkipsUnseenPages() const;
    // "表示していないページ（10問）は採点されません。採点しますか？"
    QString unseenPagesQuestion() const;
    virtual void grade() = 0;
    GradeOutcome retestWrongAnswers();
    // Something typed or chosen in this run that no grading has counted yet:
    // leaving would throw it away, so the screen asks first.
    virtual bool hasUngradedAnswers() const = 0;

    bool graded() const { return t_.DrillMode == DrillAllRight || t_.DrillMode == DrillWithWrong; }
    bool gradeButtonVisible() const { return gradeButtonShown_; }
    QString gradeCaption() const;
    bool scoreVisible() const { return scoreVisible_; }
    // "9／12点"; with words left out "9問中8問正解（未表示 10問）".
    QString scoreCaption() const;
    // Whether the last grading asked the word at position (its page had been shown).
    bool wasAsked(int position) const;
    int unaskedCount() const { return unasked_; }

    // A run by ear: it counts its words in the listening lists, and is graded only while sound works.
    virtual bool byEar() const { return false; }

    // One flag per slot of CurrentWordList, set by the last grading: asked and right.
    QList<bool> AnswerResults;

  protected:
    void savePage() override = 0;
    void showPage() override = 0;
    virtual bool isCorrect(int position) const = 0;
    // What the learner answered at position and what was expected, for the review log.
    virtual void describeAnswer(int position, GradedAnswer& answer) const = 0;
    void startRun(const QString& emptyAnswer);
    // Every showPage() notes its page, so grading knows what the learner saw.
    void noteShown();
    // Records the graded run (counters, reviews, totals, save), then the new mode.
    void gradeAll();

    bool scoreVisible_ = false;
    bool gradeButtonShown_ = false;

  private:
    // Whether the page of a position has been shown in this run.
    bool positionShown(int position) const;
    // Words of the run on pages not yet shown.
    int unseenWords() const;

    DrillKind kind_;
    QList<bool> shownPages_;
    QList<bool> asked_; // per position, set by the last grading
    int unasked_ = 0;
    // When the last press graded or started a retest.
    std::optional<qint64> pressedAtMs_;
};
