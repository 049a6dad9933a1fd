#include "core/drills/typeddrill.h"

#include "core/pinyin.h"

// ----------------------------------------------------------- TypedDrillSession

TypedDrillSession::TypedDrillSession(Tovak& t, DrillKind kind) : DrillSession(t, kind, PageSize)
{
}

void TypedDrillSession::init()
{
    listening_ = t_.Listening; // a retest keeps it: the flag is unchanged while the drill runs
    startRun(QString());
}

void TypedDrillSession::grade()
{
    savePage();
    gradeAll();
}

bool TypedDrillSession::hasUngradedAnswers() const
{
    if (t_.DrillMode != DrillAnswering)
        return false;
    for (int r = 0; r < PageSize; ++r) {
        if (rowHasWord(r) && !boxes_[static_cast<size_t>(r)].isEmpty())
            return true;
    }
    for (int p = 0; p < t_.CurrentWordCount && p < t_.GivenAnswers.size(); ++p) {
        if (!t_.GivenAnswers[p].isEmpty())
            return true;
    }
    return false;
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
    noteShown();
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
    const std::array<int, 4> ckeys = t_.db.wordCKeys(tkey);
    return kind() == DrillKind::ToneDrill ? isToneAnswerCorrect(typed, pinyin, ckeys)
                                          : isPinyinAnswerCorrect(typed, pinyin, ckeys);
}

void TypedDrillSession::describeAnswer(int position, GradedAnswer& answer) const
{
    answer.given = t_.GivenAnswers.value(position);
    const int w = t_.CurrentWordList[position];
    if (w >= 1 && w <= t_.db.lastWordKey())
        answer.expected = t_.db.word(w, WordField::Pinyin);
}

bool TypedDrillSession::isCorrect(int position) const
{
    return answerMatches(t_.GivenAnswers[position], t_.CurrentWordList[position]);
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
    out.concealed = listening_ && !graded();
    if (out.concealed)
        out.glyphs = {};
    else
        out.translation = indentedTranslation(w);
    if (kind() == DrillKind::ToneDrill)
        out.syllables = displayPinyin(getBareSyllables(pinyin));
    out.boxVisible = true;
    if (graded()) {
        out.mark = !wasAsked(p)                    ? MarkState::Unasked
                   : answerMatches(out.boxText, w) ? MarkState::Correct
                                                   : MarkState::Wrong;
        out.answerVisible = true;
        out.answer = displayPinyin(pinyin);
    }
    return out;
}
