#include "drills/drillsession.h"

#include "core/pinyin.h"
#include "drills/choicesets.h"
#include "selection/wordlistbuilders.h"

#include <QDate>

#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

qint64 floorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

qint16 clamp16(qint64 v)
{
    return static_cast<qint16>(
        qBound(qint64{std::numeric_limits<qint16>::min()}, v, qint64{std::numeric_limits<qint16>::max()}));
}

QString rowNumber(int position)
{
    return QString::number(position + 1) + u'.';
}

} // namespace

PageButtons pageButtonsFor(int page, int pageCount)
{
    if (pageCount <= 1)
        return {false, false};
    if (page <= 1)
        return {true, false};
    if (page >= pageCount)
        return {false, true};
    return {true, true};
}

qint16 pagesFor(int count, int size)
{
    return static_cast<qint16>(count <= 0 ? 0 : (count + size - 1) / size);
}

// ------------------------------------------------------------------- WordPages

WordPages::WordPages(Tovak& t, int pageSize) : t_(t), pageSize_(pageSize)
{
}

bool WordPages::nextPage()
{
    if (t_.CurrentPage >= t_.PageCount)
        return false;
    savePage();
    ++t_.CurrentPage;
    showPage();
    return true;
}

bool WordPages::previousPage()
{
    if (t_.CurrentPage <= 1)
        return false;
    savePage();
    --t_.CurrentPage;
    showPage();
    return true;
}

void WordPages::startPaging()
{
    t_.CurrentPage = 1;
    t_.PageCount = pagesFor(t_.CurrentWordCount, pageSize_);
}

void WordPages::fillWordRow(WordRow& row, int position) const
{
    const qint16 w = t_.CurrentWordList[position];
    row.hasWord = true;
    row.tkey = w;
    row.number = rowNumber(position);
    row.glyphs = t_.db.wordCKeys(w);
}

QString WordPages::indentedTranslation(qint16 tkey) const
{
    return u"　"_s + t_.db.word(tkey, WordField::Translation);
}

// ---------------------------------------------------------------- DrillSession

DrillSession::DrillSession(Tovak& t, DrillKind kind, int pageSize) : WordPages(t, pageSize), kind_(kind)
{
}

GradeOutcome DrillSession::pressGrade()
{
    if (!gradeButtonShown_)
        return GradeOutcome::Ignored;
    if (t_.DrillMode == 4)
        return retestWrongAnswers();
    grade();
    return GradeOutcome::Graded;
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
    t_.DrillMode = 1;
    t_.CurrentWordCount = static_cast<qint16>(wrong.size());
    init();
    return GradeOutcome::RetestStarted;
}

QString DrillSession::gradeCaption() const
{
    return t_.DrillMode == 4 ? u"誤答再試験"_s : u"採点"_s;
}

QString DrillSession::scoreCaption() const
{
    return QString::number(t_.CorrectCount) + u"／"_s + QString::number(t_.CurrentWordCount) + u"点"_s;
}

void DrillSession::startRun(const QString& emptyAnswer)
{
    t_.GivenAnswers = QStringList(t_.CurrentWordCount + 1, emptyAnswer); // one spare slot
    startPaging();
    scoreVisible_ = false;
    gradeButtonShown_ = t_.DrillMode == 1;
    showPage();
}

void DrillSession::gradeAll()
{
    Statistics& s = t_.stats;
    const CounterList tries = triesList(kind_);
    const CounterList right = correctList(kind_);
    const int count = t_.CurrentWordCount;

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
            s.recordReview(w, AnswerResults[p], static_cast<qint32>(QDate::currentDate().toJulianDay()));
    }

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
    t_.DrillMode = t_.CorrectCount == count ? 2 : 4;
    if (t_.DrillMode == 2)
        gradeButtonShown_ = false;
    showPage();
}

// ----------------------------------------------------------- TypedDrillSession

TypedDrillSession::TypedDrillSession(Tovak& t, DrillKind kind) : DrillSession(t, kind, PageSize)
{
}

void TypedDrillSession::init()
{
    startRun(QString());
}

void TypedDrillSession::grade()
{
    savePage();
    gradeAll();
}

void TypedDrillSession::setBoxText(int row, const QString& text)
{
    if (boxesLocked() || row < 0 || row >= PageSize)
        return;
    boxes_[static_cast<size_t>(row)] = text;
}

void TypedDrillSession::savePage()
{
    for (int r = 0; r <= rowsOnPage_; ++r) {
        const int p = positionOf(r);
        if (p <= t_.CurrentWordCount && p < t_.GivenAnswers.size())
            t_.GivenAnswers[p] = boxes_[static_cast<size_t>(r)];
    }
}

void TypedDrillSession::showPage()
{
    rowsOnPage_ = PageSize - 1;
    for (int r = 0; r < PageSize; ++r) {
        if (rowHasWord(r))
            boxes_[static_cast<size_t>(r)] = t_.GivenAnswers[positionOf(r)];
        else if (rowsOnPage_ == PageSize - 1)
            rowsOnPage_ = r; // the first empty box is copied too, into a slot no word owns
    }
}

QString TypedDrillSession::expectedAnswer(int tkey) const
{
    const QString& pinyin = t_.db.word(tkey, WordField::Pinyin);
    return kind() == DrillKind::ToneDrill ? getToneDigits(pinyin) : pinyin;
}

bool TypedDrillSession::answerMatches(const QString& typed, int tkey) const
{
    const QString& pinyin = t_.db.word(tkey, WordField::Pinyin);
    return kind() == DrillKind::ToneDrill ? isToneAnswerCorrect(typed, pinyin) : isPinyinAnswerCorrect(typed, pinyin);
}

bool TypedDrillSession::isCorrect(int position) const
{
    return answerMatches(t_.GivenAnswers[position], t_.CurrentWordList[position]);
}

qint64 TypedDrillSession::rateNumerator(qint64 correct, qint64 count) const
{
    return floorDiv(100 * correct, count); // the percentage, rounded down first
}

qint64 TypedDrillSession::rateDenominator(qint64) const
{
    return 1;
}

TypedRow TypedDrillSession::row(int r) const
{
    TypedRow out;
    out.boxText = boxes_[static_cast<size_t>(r)];
    if (!rowHasWord(r))
        return out;
    const int p = positionOf(r);
    const qint16 w = t_.CurrentWordList[p];
    const QString& pinyin = t_.db.word(w, WordField::Pinyin);
    fillWordRow(out, p);
    out.translation = indentedTranslation(w);
    if (kind() == DrillKind::ToneDrill)
        out.syllables = getBareSyllables(pinyin);
    out.boxVisible = true;
    if (graded()) {
        out.mark = answerMatches(out.boxText, w) ? MarkState::Correct : MarkState::Wrong;
        out.answerVisible = true;
        out.answer = pinyin;
    }
    return out;
}

// ---------------------------------------------------------- ChoiceDrillSession

ChoiceDrillSession::ChoiceDrillSession(Tovak& t) : DrillSession(t, DrillKind::TranslationDrill, PageSize)
{
}

void ChoiceDrillSession::init()
{
    buildChoiceSets(t_);
    startRun(QString::number(NoChoice));
}

void ChoiceDrillSession::grade()
{
    saveChoices();
    gradeAll();
}

void ChoiceDrillSession::choose(int row, int choice)
{
    if (!choicesReact() || !rowHasWord(row) || choice < 0 || choice > 3)
        return;
    auto& colours = colours_[static_cast<size_t>(row)];
    colours.fill(ChoiceColour::Black);
    colours[static_cast<size_t>(choice)] = ChoiceColour::Blue;
}

int ChoiceDrillSession::selection(int row) const
{
    const auto& colours = colours_[static_cast<size_t>(row)];
    for (int i = 0; i < 4; ++i) {
        if (colours[static_cast<size_t>(i)] == ChoiceColour::Blue)
            return i;
    }
    return NoChoice;
}

void ChoiceDrillSession::saveChoices()
{
    if (t_.DrillMode == 2)
        return;
    for (int r = 0; r < PageSize; ++r) {
        const int p = positionOf(r);
        if (p <= t_.CurrentWordCount && p < t_.GivenAnswers.size())
            t_.GivenAnswers[p] = QString::number(selection(r));
    }
}

void ChoiceDrillSession::savePage()
{
    // Only while answering: after a grading the colours are the graded view, and
    // clicks there are not answers.
    if (gradeButtonShown_ && t_.DrillMode != 4)
        saveChoices();
}

void ChoiceDrillSession::showPage()
{
    for (int r = 0; r < PageSize; ++r) {
        auto& colours = colours_[static_cast<size_t>(r)];
        colours.fill(ChoiceColour::Black); // a row without a word keeps no choice of the page before
        if (!rowHasWord(r))
            continue;
        const int p = positionOf(r);
        bool ok = false;
        const int given = t_.GivenAnswers[p].toInt(&ok);
        if (ok && given >= 0 && given <= 3)
            colours[static_cast<size_t>(given)] = ChoiceColour::Blue;
        if (graded()) {
            const QString& own = t_.db.word(t_.CurrentWordList[p], WordField::Translation);
            const QStringList& set = t_.ChoiceSets[p];
            for (int i = 0; i < 4 && i < set.size(); ++i) {
                if (set[i] == own) {
                    colours[static_cast<size_t>(i)] = ChoiceColour::Red;
                    break;
                }
            }
        }
    }
}

bool ChoiceDrillSession::isCorrect(int position) const
{
    bool ok = false;
    const int given = t_.GivenAnswers[position].toInt(&ok);
    if (!ok || given < 0 || given > 3 || position >= t_.ChoiceSets.size())
        return false;
    const QStringList& set = t_.ChoiceSets[position];
    return given < set.size() && set[given] == t_.db.word(t_.CurrentWordList[position], WordField::Translation);
}

qint64 ChoiceDrillSession::rateNumerator(qint64 correct, qint64) const
{
    return 90 * correct; // this drill's scale, kept unrounded until the average
}

qint64 ChoiceDrillSession::rateDenominator(qint64 count) const
{
    return count;
}

ChoiceRow ChoiceDrillSession::row(int r) const
{
    ChoiceRow out;
    out.colours = colours_[static_cast<size_t>(r)];
    if (!rowHasWord(r))
        return out;
    const int p = positionOf(r);
    fillWordRow(out, p);
    if (p < t_.ChoiceSets.size()) {
        const QStringList& set = t_.ChoiceSets[p];
        for (int i = 0; i < 4 && i < set.size(); ++i)
            out.choices[static_cast<size_t>(i)] = set[i];
    }
    if (graded())
        out.mark = isCorrect(p) ? MarkState::Correct : MarkState::Wrong;
    return out;
}
