#pragma once

#include "core/paging.h"
#include "core/tovak.h"

#include <QList>
#include <QString>

#include <array>

// What the screen tells the learner when a retest finds no wrong answer.
inline constexpr char16_t AllSolvedText[] = u"全て解けました";

// What the grade button did, so the screen knows whether to show AllSolvedText.
// Ignored: the button is hidden (all right), so F5 means Back instead.
enum class GradeOutcome { Graded, RetestStarted, AllSolved, Ignored };

enum class MarkState { None, Correct, Wrong };

// Division rounding towards minus infinity, as the rate averages need it.
qint64 floorDiv(qint64 a, qint64 b);

// The parts every drill run has in common: the retest list and the grading
// of the totals. The state lives in Tovak (GivenAnswers, CorrectCount,
// DrillMode as well as the pages).
class DrillSession : public WordPages {
  public:
    DrillSession(Tovak& t, DrillKind kind, int pageSize);

    DrillKind kind() const { return kind_; }

    // Prepares a run over CurrentWordList from page 1; DrillMode as the opener set it.
    virtual void init() = 0;
    // The grade button (or F5 while it shows): grade, or retest after wrong answers.
    GradeOutcome pressGrade();
    virtual void grade() = 0;
    GradeOutcome retestWrongAnswers();

    bool graded() const { return t_.DrillMode == DrillAllRight || t_.DrillMode == DrillWithWrong; }
    bool gradeButtonVisible() const { return gradeButtonShown_; }
    QString gradeCaption() const;
    bool scoreVisible() const { return scoreVisible_; }
    // "9／12点"
    QString scoreCaption() const;

    // One flag per slot of CurrentWordList, set by the last grading.
    QList<bool> AnswerResults;

  protected:
    void savePage() override = 0;
    void showPage() override = 0;
    virtual bool isCorrect(int position) const = 0;
    // The score of a grading on the scale that RATE averages.
    virtual qint64 rateNumerator(qint64 correct, qint64 count) const = 0;
    virtual qint64 rateDenominator(qint64 count) const = 0;

    void startRun(const QString& emptyAnswer);
    // Counters, totals, RATE and NOG, then save and coverage, then the new mode.
    void gradeAll();

    bool scoreVisible_ = false;
    bool gradeButtonShown_ = false;

  private:
    DrillKind kind_;
};
