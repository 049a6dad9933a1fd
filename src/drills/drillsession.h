#pragma once

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

// Which page buttons a paged screen shows.
struct PageButtons {
    bool next = false;
    bool before = false;
};

// Page buttons for a paged list: none on a single page, only what leads
// somewhere otherwise. Shared by every paged screen.
PageButtons pageButtonsFor(int page, int pageCount);
// Pages needed for count rows, size to a page.
qint16 pagesFor(int count, int size);

// What every drill row starts with: the word of the row, if it has one.
struct WordRow {
    bool hasWord = false;
    qint16 tkey = 0;
    QString number;              // "13."
    std::array<int, 4> glyphs{}; // glyph keys; 0 means no picture at all
};

// Paging over CurrentWordList, a fixed number of words to a page. The page
// state lives in Tovak (CurrentPage, PageCount), so a screen and its logic
// always agree. Shared by the drills and the answer list.
class WordPages {
  public:
    WordPages(Tovak& t, int pageSize);
    virtual ~WordPages() = default;
    WordPages(const WordPages&) = delete;
    WordPages& operator=(const WordPages&) = delete;

    int pageSize() const { return pageSize_; }
    Tovak& state() { return t_; }

    // Page buttons and PageDown/PageUp: false where no page lies that way.
    bool nextPage();
    bool previousPage();
    PageButtons pageButtons() const { return pageButtonsFor(t_.CurrentPage, t_.PageCount); }
    // Position in CurrentWordList of a row on the page shown.
    int positionOf(int row) const { return (t_.CurrentPage - 1) * pageSize_ + row; }
    bool rowHasWord(int row) const { return row >= 0 && row < pageSize_ && positionOf(row) < t_.CurrentWordCount; }

    QString wordCountText() const { return QString::number(t_.CurrentWordCount); }
    QString pageText() const { return QString::number(t_.CurrentPage); }
    QString pageCountText() const { return u'/' + QString::number(t_.PageCount); }

  protected:
    // Before a page change: keeps what the page shows.
    virtual void savePage() {}
    // After a page change: the page's rows reflect the state.
    virtual void showPage() {}

    // Page 1 of as many pages as the list needs.
    void startPaging();
    // Fills the word part of a row that has a word at position.
    void fillWordRow(WordRow& row, int position) const;
    // A translation as the rows show it, after one ideographic space.
    QString indentedTranslation(qint16 tkey) const;

    Tovak& t_;

  private:
    int pageSize_;
};

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

    bool graded() const { return t_.DrillMode == 2 || t_.DrillMode == 4; }
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

// One row of a typed drill page, as the screen draws it.
struct TypedRow : WordRow {
    QString translation; // ideographic space + translation
    QString syllables;   // tone drill only: the bare syllables
    bool boxVisible = false;
    QString boxText;
    MarkState mark = MarkState::None;
    bool answerVisible = false;
    QString answer; // the stored pinyin, once graded
};

// The tone drill and the pinyin drill: twelve typed answers to a page.
class TypedDrillSession : public DrillSession {
  public:
    static constexpr int PageSize = 12;

    // kind is ToneDrill or PinyinDrill.
    TypedDrillSession(Tovak& t, DrillKind kind);

    void init() override;
    void grade() override;

    // The answer boxes: the screen forwards every edit, the session refills
    // them on each page change. A hidden box keeps its text, as a real box would.
    void setBoxText(int row, const QString& text);
    const QString& boxText(int row) const { return boxes_[static_cast<size_t>(row)]; }
    bool boxesLocked() const { return graded(); }
    // Last box a page change copies: 11, or the first empty row on the last page.
    int rowsOnPage() const { return rowsOnPage_; }

    TypedRow row(int r) const;
    QString expectedAnswer(int tkey) const;

  protected:
    void savePage() override;
    void showPage() override;
    bool isCorrect(int position) const override;
    qint64 rateNumerator(qint64 correct, qint64 count) const override;
    qint64 rateDenominator(qint64 count) const override;

  private:
    bool answerMatches(const QString& typed, int tkey) const;

    std::array<QString, PageSize> boxes_{};
    int rowsOnPage_ = PageSize - 1;
};

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

    // A click on choice 0..3 of a row. Recorded only at the next page change or
    // grading; once all answers were right the choices no longer react.
    void choose(int row, int choice);
    bool choicesReact() const { return t_.DrillMode != 2; }
    // The first blue choice of a row, or NoChoice.
    int selection(int row) const;

    ChoiceRow row(int r) const;

  protected:
    void savePage() override;
    void showPage() override;
    bool isCorrect(int position) const override;
    qint64 rateNumerator(qint64 correct, qint64 count) const override;
    qint64 rateDenominator(qint64 count) const override;

  private:
    void saveChoices();

    std::array<std::array<ChoiceColour, 4>, PageSize> colours_{};
};
