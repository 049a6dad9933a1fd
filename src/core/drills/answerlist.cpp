#include "core/drills/answerlist.h"

#include "core/pinyin.h"

AnswerListSession::AnswerListSession(Tovak& t) : WordPages(t, PageSize)
{
}

void AnswerListSession::load()
{
    t_.GivenAnswers = QStringList(t_.CurrentWordCount + 1, QString());
    startPaging();
}

AnswerRow AnswerListSession::row(int r) const
{
    AnswerRow out;
    if (!rowHasWord(r))
        return out;
    const int p = positionOf(r);
    const qint16 w = t_.CurrentWordList[p];
    fillWordRow(out, p);
    out.pinyin = displayPinyin(t_.db.word(w, WordField::Pinyin));
    out.translation = indentedTranslation(w);
    return out;
}
