#pragma once

#include "core/exam/examitems.h"
#include "core/statistics.h"

#include <QList>
#include <QString>

#include <optional>

// A learner's answer to one item: a choice 0 to 3 (-1 for none) or, for a
// number item, the typed text.
struct ExamAnswer {
    int choice = -1;
    QString typed;
};

struct ExamItemResult {
    bool answered = false;
    bool right = false;
    // A wrong spelling chosen in a pinyin item: the contrasts it got wrong.
    QList<Contrast> missed;
};

struct ExamGrade {
    QList<ExamItemResult> items;
    int score = 0;
    int outOf = 0;
};

// 筆記 第1問 is 2 points an item (20 of the written paper's 100), 聞き取り 5 (50).
int pointsPerItem(ExamSectionKind kind);
bool isAnswered(const ExamItem& item, const ExamAnswer& answer);
ExamItemResult gradeItem(const ExamItem& item, const ExamAnswer& answer);
ExamGrade gradeSection(const ExamSection& section, const QList<ExamAnswer>& answers);

// The graded section as the results keep it: every item a row of the review
// log, by its own kind. A pinyin or meaning item reviews its word (right Good,
// wrong or unanswered Again); a tone-pattern or number item stands under no
// word (tkey 0) and reviews none. Nothing of it counts as a drill's try.
GradedSet gradedSet(const ExamSection& section, const QList<ExamAnswer>& answers, const ExamGrade& grade, const DB& db);

// The paper's wording: the section's title, and its items in groups of one
// kind, each under a heading ("(1)～(5)　声調の組み合わせが…"). A number
// item's own instruction is numberInstruction.
QString sectionTitle(ExamSectionKind kind);
struct ExamGroup {
    int first = 0;
    int count = 0;
    QString heading;
};
QList<ExamGroup> examGroups(const ExamSection& section);
// What Back asks while answers are given and not graded.
inline constexpr char16_t UngradedBackQuestion[] = u"採点していない解答があります。採点せずに戻りますか？";
// What the grade button asks before grading with items left open.
inline constexpr char16_t UnansweredQuestion[] = u"まだ答えていない問題があります。採点しますか？";

// What a press of the grade button did.
// Repeated: right after a grading, a double click or key repeat, dropped.
enum class ExamPress { Graded, NewSetWanted, Repeated };

// One sitting of a section: the answers, then the grading.
class ExamSession {
  public:
    // startedAtMs: the press that asked for this sitting, if one did; the
    // repeat guard runs from it as from a grading.
    explicit ExamSession(ExamSection section, std::optional<qint64> startedAtMs = std::nullopt);

    const ExamSection& section() const { return section_; }
    int count() const { return static_cast<int>(section_.items.size()); }
    const ExamItem& item(int i) const { return section_.items[i]; }
    const ExamAnswer& answer(int i) const { return answers_[i]; }
    const QList<ExamAnswer>& answers() const { return answers_; }

    // Ignored once graded and for items that do not take them.
    void choose(int i, int choice);
    void type(int i, const QString& text);
    int unansweredCount() const;
    // Some answer given and the section not graded yet.
    bool hasUngradedAnswers() const;

    static constexpr qint64 RepeatGuardMs = 1000;
    bool isRepeatPress(qint64 nowMs) const;
    // The grade button (or F5) at nowMs on a monotonic clock: grades, or once
    // graded asks for a new set; nothing within the guard after a grading or
    // after the press that started the sitting.
    ExamPress press(qint64 nowMs);

    bool graded() const { return grade_.has_value(); }
    const ExamGrade& grade() const { return *grade_; }
    // "16／20点"
    QString scoreCaption() const;

  private:
    ExamSection section_;
    QList<ExamAnswer> answers_;
    std::optional<ExamGrade> grade_;
    std::optional<qint64> pressedAtMs_;
};
