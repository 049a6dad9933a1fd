#include "core/exam/examsession.h"

using namespace Qt::Literals::StringLiterals;

int pointsPerItem(ExamSectionKind kind)
{
    return kind == ExamSectionKind::Written ? 2 : 5;
}

bool isAnswered(const ExamItem& item, const ExamAnswer& answer)
{
    if (item.kind == ExamItemKind::Number)
        return !answer.typed.trimmed().isEmpty();
    return answer.choice >= 0 && answer.choice < 4;
}

ExamItemResult gradeItem(const ExamItem& item, const ExamAnswer& answer)
{
    ExamItemResult r;
    r.answered = isAnswered(item, answer);
    if (!r.answered)
        return r;
    if (item.kind == ExamItemKind::Number) {
        r.right = isNumberAnswerRight(item.number, answer.typed);
        return r;
    }
    r.right = answer.choice == item.right;
    if (!r.right && item.kind == ExamItemKind::Pinyin)
        r.missed = item.choices[static_cast<size_t>(answer.choice)].contrasts;
    return r;
}

ExamGrade gradeSection(const ExamSection& section, const QList<ExamAnswer>& answers)
{
    ExamGrade g;
    const int points = pointsPerItem(section.kind);
    for (qsizetype i = 0; i < section.items.size(); ++i) {
        g.items.append(gradeItem(section.items[i], i < answers.size() ? answers[i] : ExamAnswer{}));
        g.score += g.items.last().right ? points : 0;
        g.outOf += points;
    }
    return g;
}

GradedSet gradedSet(const ExamSection& section, const QList<ExamAnswer>& answers, const ExamGrade& grade, const DB& db)
{
    const bool heard = section.kind == ExamSectionKind::Listening;
    GradedSet set;
    set.reviewsOnly = true;
    set.question = heard ? QuestionKind::ExamPinyinByEar : QuestionKind::ExamPinyin;
    for (qsizetype i = 0; i < section.items.size() && i < grade.items.size(); ++i) {
        const ExamItem& item = section.items[i];
        const ExamAnswer answer = i < answers.size() ? answers[i] : ExamAnswer{};
        const bool chose = answer.choice >= 0 && answer.choice < 4;
        const auto chosen = [&](auto text) {
            return chose ? text(item.choices[static_cast<size_t>(answer.choice)]) : QString();
        };
        GradedAnswer a{0, grade.items[i].right, {}, {}, {}};
        switch (item.kind) {
        case ExamItemKind::TonePattern: {
            const auto pinyin = [&](const ExamChoice& c) { return db.word(c.tkey, WordField::Pinyin); };
            a.question = QuestionKind::ExamTonePattern;
            a.given = chosen(pinyin);
            a.expected = pinyin(item.choices[static_cast<size_t>(item.right)]);
            break;
        }
        case ExamItemKind::Pinyin:
            a.tkey = item.tkey;
            a.given = chosen([](const ExamChoice& c) { return c.stored; });
            a.expected = item.choices[static_cast<size_t>(item.right)].stored;
            break;
        case ExamItemKind::Meaning:
            a.tkey = item.tkey;
            a.question = QuestionKind::ExamMeaningByEar;
            a.given = chosen([](const ExamChoice& c) { return c.text; });
            a.expected = item.choices[static_cast<size_t>(item.right)].text;
            break;
        case ExamItemKind::Number:
            a.question = QuestionKind::ExamNumberByEar;
            a.given = answer.typed.trimmed();
            a.expected = item.number.answer;
            break;
        }
        set.answers.append(a);
    }
    return set;
}

QString sectionTitle(ExamSectionKind kind)
{
    return kind == ExamSectionKind::Written ? u"筆記 第1問"_s : u"聞き取り"_s;
}

QList<ExamGroup> examGroups(const ExamSection& section)
{
    const auto instruction = [&](ExamItemKind kind) {
        switch (kind) {
        case ExamItemKind::TonePattern:
            return u"声調の組み合わせが他と異なるものを、①～④の中から1つ選びなさい。"_s;
        case ExamItemKind::Pinyin:
            return section.kind == ExamSectionKind::Written
                       ? u"正しいピンイン表記を、①～④の中から1つ選びなさい。"_s
                       : u"読み上げられた単語の正しいピンイン表記を、①～④の中から1つ選びなさい。"_s;
        case ExamItemKind::Meaning:
            return u"読み上げられた単語の意味を、①～④の中から1つ選びなさい。"_s;
        case ExamItemKind::Number:
            return u"読み上げられた数を、それぞれの指示どおりに数字で入力しなさい。"_s;
        }
        return QString();
    };
    QList<ExamGroup> groups;
    for (int i = 0; i < section.items.size(); ++i) {
        if (i > 0 && section.items[i].kind == section.items[i - 1].kind) {
            ++groups.last().count;
            continue;
        }
        groups.append({i, 1, instruction(section.items[i].kind)});
    }
    for (ExamGroup& g : groups) {
        const QString numbers =
            g.count == 1 ? u"(%1)"_s.arg(g.first + 1) : u"(%1)～(%2)"_s.arg(g.first + 1).arg(g.first + g.count);
        g.heading = numbers + u"　"_s + g.heading;
    }
    return groups;
}

ExamSession::ExamSession(ExamSection section, std::optional<qint64> startedAtMs)
    : section_(std::move(section)), answers_(section_.items.size()), pressedAtMs_(startedAtMs)
{
}

void ExamSession::choose(int i, int choice)
{
    if (graded() || i < 0 || i >= count() || item(i).kind == ExamItemKind::Number || choice < 0 || choice > 3)
        return;
    answers_[i].choice = choice;
}

void ExamSession::type(int i, const QString& text)
{
    if (graded() || i < 0 || i >= count() || item(i).kind != ExamItemKind::Number)
        return;
    answers_[i].typed = text;
}

int ExamSession::unansweredCount() const
{
    int n = 0;
    for (int i = 0; i < count(); ++i)
        n += isAnswered(item(i), answer(i)) ? 0 : 1;
    return n;
}

bool ExamSession::hasUngradedAnswers() const
{
    return !graded() && unansweredCount() < count();
}

bool ExamSession::isRepeatPress(qint64 nowMs) const
{
    return pressedAtMs_ && nowMs - *pressedAtMs_ < RepeatGuardMs;
}

ExamPress ExamSession::press(qint64 nowMs)
{
    if (isRepeatPress(nowMs))
        return ExamPress::Repeated;
    if (graded())
        return ExamPress::NewSetWanted;
    grade_ = gradeSection(section_, answers_);
    pressedAtMs_ = nowMs;
    return ExamPress::Graded;
}

QString ExamSession::scoreCaption() const
{
    if (!graded())
        return {};
    return u"%1／%2点"_s.arg(grade_->score).arg(grade_->outOf);
}
