#include "core/drills/drillsession.h"

#include "core/listutil.h"

#include <QDate>

#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

qint16 clamp16(qint64 v)
{
    return static_cast<qint16>(
        qBound(qint64{std::numeric_limits<qint16>::min()}, v, qint64{std::numeric_limits<qint16>::max()}));
}

} // namespace

qint64 floorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

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
        if (!AnswerResults[p])
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
    return QString::number(t_.CorrectCount) + u"／"_s + QString::number(t_.CurrentWordCount) + u"点"_s;
}

void DrillSession::startRun(const QString& emptyAnswer)
{
    t_.GivenAnswers = QStringList(t_.CurrentWordCount + 1, emptyAnswer); // one spare slot
    startPaging();
    shownPages_ = QList<bool>(qMax<qsizetype>(t_.PageCount, 0), false);
    pressedAtMs_.reset(); // a retest's press sets it again once the run stands
    scoreVisible_ = false;
    gradeButtonShown_ = t_.DrillMode == DrillAnswering;
    showPage();
}

void DrillSession::gradeAll()
{
    Statistics& s = t_.stats;
    const CounterList tries = triesList(kind_, byEar());
    const CounterList right = correctList(kind_, byEar());
    const int count = t_.CurrentWordCount;
    // Every grading is a review of its word on this local calendar day.
    const auto today = static_cast<qint32>(QDate::currentDate().toJulianDay());

    t_.CorrectCount = 0;
    AnswerResults = QList<bool>(t_.CurrentWordList.size(), false);
    for (int p = 0; p < count; ++p) {
        const int w = t_.CurrentWordList[p];
        const bool known = w > 0 && w < CounterSlots;
        if (known)
            s.incrementCounter(tries, w);
        s.questions = saturatingAdd(s.questions, 1);
        if (isCorrect(p)) {
            ++t_.CorrectCount;
            s.score = saturatingAdd(s.score, 1);
            if (known)
                s.incrementCounter(right, w);
            AnswerResults[p] = true;
        }
        if (known)
            s.recordReview(w, AnswerResults[p], today);
    }

    // The totals (QUESTIONS, SCORE, RATE, NOG) take every grading, by ear too:
    // they measure the learner's work, while the per-word lists keep coverage apart.
    // Running average over all gradings, in 64 bits so that no stored total can
    // overflow it; a NOG of -1 read from a hand-edited file must not divide by 0.
    const qint64 num = count > 0 ? rateNumerator(t_.CorrectCount, count) : 0;
    const qint64 den = count > 0 ? rateDenominator(count) : 1;
    const qint64 nog = s.nog;
    const qint64 divisor = den * (nog + 1);
    const qint64 rate = divisor == 0 ? floorDiv(num, den) : floorDiv(num + den * nog * s.rate, divisor);
    s.rate = clamp16(rate);
    s.nog = saturatingAdd(s.nog, 1);

    s.saveStatistics(); // a failure is reported by the store itself
    s.computeCoverage();

    scoreVisible_ = true;
    t_.DrillMode = t_.CorrectCount == count ? DrillAllRight : DrillWithWrong;
    if (t_.DrillMode == DrillAllRight)
        gradeButtonShown_ = false;
    showPage();
}
