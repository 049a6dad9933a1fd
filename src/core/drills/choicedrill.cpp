#include "core/drills/choicedrill.h"

#include "core/choicesets.h"

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

bool ChoiceDrillSession::hasUngradedAnswers() const
{
    if (t_.DrillMode != DrillAnswering)
        return false;
    for (int r = 0; r < PageSize; ++r) {
        if (rowHasWord(r) && selection(r) != NoChoice)
            return true;
    }
    const QString none = QString::number(NoChoice);
    for (int p = 0; p < t_.CurrentWordCount && p < t_.GivenAnswers.size(); ++p) {
        if (t_.GivenAnswers[p] != none)
            return true;
    }
    return false;
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
    if (t_.DrillMode == DrillAllRight)
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
    if (gradeButtonShown_ && t_.DrillMode != DrillWithWrong)
        saveChoices();
}

void ChoiceDrillSession::showPage()
{
    noteShown();
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

void ChoiceDrillSession::describeAnswer(int position, GradedAnswer& answer) const
{
    bool ok = false;
    const int given = t_.GivenAnswers.value(position).toInt(&ok);
    const QStringList set = t_.ChoiceSets.value(position);
    if (ok && given >= 0 && given < set.size())
        answer.given = set[given];
    const int w = t_.CurrentWordList[position];
    if (w >= 1 && w <= t_.db.lastWordKey())
        answer.expected = t_.db.word(w, WordField::Translation);
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
        out.mark = !wasAsked(p) ? MarkState::Unasked : isCorrect(p) ? MarkState::Correct : MarkState::Wrong;
    return out;
}
