#include "core/pinyin.h"

namespace {

bool isToneDigit(QChar c)
{
    return c >= u'1' && c <= u'4';
}

} // namespace

QString getToneDigits(const QString& pinyin)
{
    QString digits;
    for (const QChar c : pinyin) {
        if (isToneDigit(c))
            digits.append(c);
    }
    return digits;
}

QString getBareSyllables(const QString& pinyin)
{
    QString bare = pinyin;
    for (QChar& c : bare) {
        if (isToneDigit(c))
            c = u' ';
    }
    return bare;
}

bool isToneAnswerCorrect(const QString& typed, const QString& pinyin)
{
    return typed == getToneDigits(pinyin);
}

bool isPinyinAnswerCorrect(const QString& typed, const QString& pinyin)
{
    qsizetype t = 0;
    qsizetype p = 0;
    while (t < typed.size() && p < pinyin.size()) {
        if (typed[t] == u'v' && pinyin[p] == u'u' && p + 1 < pinyin.size() && pinyin[p + 1] == u':') {
            ++t;
            p += 2;
        } else if (typed[t] == pinyin[p]) {
            ++t;
            ++p;
        } else {
            return false;
        }
    }
    return t == typed.size() && p == pinyin.size();
}
