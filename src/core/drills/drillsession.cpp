#include "core/drills/drillsession.h"

#include <QDateTime>

using namespace Qt::Literals::StringLiterals;

// ---------------------------------------------------------------- DrillSession

DrillSession::DrillSession(Tovak& t, DrillKind kind, int pageSize) : WordPages(t, pageSize), kind_(kind)
{
}

bool DrillSession::isRepeatPress(qint64 nowMs) const
{
    return pressedAtMs_.has_value() && nowMs >= *pressedAtMs_ && nowMs - *pressedAtMs_ < RepeatGuardMs;
}

GradeOutcome DrillSession::pressGrade(qint64 nowMs)
{
    if (isRepeatPress(nowMs))
        return GradeOutcome::Repeated;
    if (!gradeButtonShown_)
        return GradeOutcome::Ignored;
    GradeOutcome outcome = GradeOutcome::Graded;
    if (t_.DrillMode == DrillWithWrong)
        outcome = retestWrongAnswers();
    else
        grade();
    // A double click on 誤答再試験 must not grade the fresh, empty retest either.
    if (outcome != GradeOutcome::AllSolved)
        pressedAtMs_ = nowMs;
    return outcome;
}

bool DrillSession::gradingSkipsUnseenPages() const
{
    if (!gradeButtonShown_ || t_.DrillMode == DrillWithWrong)
        return false;
    return shownPages_.contains(false);
}

bool DrillSession::positionShown(int position) const
{
    const qsizetype page = position / pageSize();
    return page < shownPages_.size() && shownPages_[page];
}

int DrillSession::unseenWords() const
{
    int n = 0;
    for (int p = 0; p < t_.CurrentWordCount; ++p)
        n += positionShown(p) ? 0 : 1;
    return n;
}

QString DrillSession::unseenPagesQuestion() const
{
    return u"表示していないページ（%1問）は採点されません。採点しますか？"_s.arg(unseenWords());
}

bool DrillSession::wasAsked(int position) const
{
    return position >= 0 && position < asked_.size() && asked_[position];
}

void DrillSession::noteShown()
{
    const qsizetype page = t_.CurrentPage - 1;
    if (page >= 0 && page < shownPages_.size())
        shownPages_[page] = true;
}

GradeOutcome DrillSession::retestWrongAnswers()
{
    QList<qint16> wrong;
    const qsizetype n = qMin<qsizetype>(t_.CurrentWordCount, AnswerResults.size());
    for (qsizetype p = 0; p < n; ++p) {
        if (wasAsked(static_cast<int>(p)) && !AnswerResults[p])
            wrong.append(t_.CurrentWordList[p]);
    }
    if (wrong.isEmpty())
        return GradeOutcome::AllSolved;
    t_.CurrentWordList = wrong;
    shuffleWordList(t_);
    t_.DrillMode = DrillAnswering;
    t_.CurrentWordCount = static_cast<qint16>(wrong.size());
    init();
    return GradeOutcome::RetestStarted;
}

QString DrillSession::gradeCaption() const
{
    return t_.DrillMode == DrillWithWrong ? u"誤答再試験"_s : u"採点"_s;
}

QString DrillSession::scoreCaption() const
{
    const int asked = t_.CurrentWordCount - unasked_;
    if (unasked_ == 0)
        return QString::number(t_.CorrectCount) + u"／"_s + QString::number(asked) + u"点"_s;
    return u"%1問中%2問正解（未表示 %3問）"_s.arg(asked).arg(t_.CorrectCount).arg(unasked_);
}

void DrillSession::startRun(const QString& emptyAnswer)
{
    t_.GivenAnswers = QStringList(t_.CurrentWordCount + 1, emptyAnswer); // one spare slot
    startPaging();
    shownPages_ = QList<bool>(qMax<qsizetype>(t_.PageCount, 0), false);
    asked_.clear();
    unasked_ = 0;
    pressedAtMs_.reset(); // a retest's press sets it again once the run stands
    scoreVisible_ = false;
    gradeButtonShown_ = t_.DrillMode == DrillAnswering;
    showPage();
}

void DrillSession::gradeAll()
{
    const QDateTime now = t_.clock();
    GradedSet set{kind_, byEar(), {}, now.toMSecsSinceEpoch(), std::nullopt};
    const int count = t_.CurrentWordCount;
    AnswerResults = QList<bool>(t_.CurrentWordList.size(), false);
    // A word on a page never shown was not asked: it gets no mark, no try in
    // the counters and no review, and the score counts only what was asked.
    asked_ = QList<bool>(t_.CurrentWordList.size(), false);
    unasked_ = 0;
    for (int p = 0; p < count; ++p) {
        asked_[p] = positionShown(p);
        if (!asked_[p]) {
            ++unasked_;
            continue;
        }
        AnswerResults[p] = isCorrect(p);
        GradedAnswer a{t_.CurrentWordList[p], AnswerResults[p], {}, {}, {}};
        describeAnswer(p, a);
        set.answers.append(a);
    }
    // Every grading is a review of its words on this local calendar day.
    const auto today = static_cast<qint32>(now.date().toJulianDay());
    t_.CorrectCount = static_cast<qint16>(t_.stats.recordGrading(set, today).correct);

    scoreVisible_ = true;
    t_.DrillMode = t_.CorrectCount == count - unasked_ ? DrillAllRight : DrillWithWrong;
    if (t_.DrillMode == DrillAllRight)
        gradeButtonShown_ = false;
    showPage();
}
