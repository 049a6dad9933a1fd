#include "core/tonemarks.h"

#include "core/pinyin.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// Combining marks of tones 1 to 4, composed with their vowel afterwards.
constexpr char16_t toneMarks[] = {u'\u0304', u'\u0301', u'\u030C', u'\u0300'};

bool isVowel(QChar c)
{
    return QStringView(u"aeiouü").contains(c.toLower());
}

bool isLetter(QChar c)
{
    return c.isLetter() || c == u':';
}

bool isToneDigit(QChar c)
{
    return c >= u'1' && c <= u'4';
}

qsizetype markedVowel(const QString& letters)
{
    const QString lower = letters.toLower();
    for (const QChar first : {u'a', u'e'}) {
        if (const qsizetype at = lower.indexOf(first); at >= 0)
            return at;
    }
    if (const qsizetype at = lower.indexOf(u"ou"_s); at >= 0)
        return at;
    for (qsizetype i = lower.size() - 1; i >= 0; --i) {
        if (isVowel(lower[i]))
            return i;
    }
    return -1;
}

QString withUmlauts(QString text)
{
    text.replace(u"u:"_s, u"ü"_s);
    text.replace(u"U:"_s, u"Ü"_s);
    return text;
}

// The text marked run by run, for what is not a row of real syllables.
QString markRuns(const QString& text)
{
    QString out;
    qsizetype i = 0;
    while (i < text.size()) {
        if (!isLetter(text[i])) {
            out.append(text[i++]);
            continue;
        }
        qsizetype j = i;
        while (j < text.size() && isLetter(text[j]))
            ++j;
        int tone = 0;
        if (j < text.size() && isToneDigit(text[j]))
            tone = text[j++].digitValue();
        out.append(toneMarkedSyllable(text.mid(i, j - i - (tone ? 1 : 0)), tone));
        i = j;
    }
    return out;
}

} // namespace

QString toneMarkedSyllable(const QString& letters, int tone)
{
    QString out = withUmlauts(letters);
    out.replace(u'v', u'ü');
    out.replace(u'V', u'Ü');
    const qsizetype at = tone >= 1 && tone <= 4 ? markedVowel(out) : -1;
    if (at < 0)
        return out;
    out.insert(at + 1, QChar(toneMarks[tone - 1]));
    return out.normalized(QString::NormalizationForm_C);
}

QString toneMarked(const QString& pinyin)
{
    const QList<PinyinSyllable> syllables = pinyinSyllables(pinyin);
    const QString text = withUmlauts(pinyin);
    if (syllables.isEmpty())
        return markRuns(text);
    QString out;
    qsizetype i = 0;
    const qsizetype n = text.size();
    for (const PinyinSyllable& s : syllables) {
        while (i < n && !text[i].isLetter())
            out.append(text[i++]);
        QString chunk = text.mid(i, s.letters.size());
        i += chunk.size();
        bool erhuaTaken = false;
        if (s.erhua && i < n && text[i].toLower() == u'r') {
            chunk.append(text[i++]);
            erhuaTaken = true;
        }
        if (i < n && isToneDigit(text[i]))
            ++i;
        if (s.erhua && !erhuaTaken && i < n && text[i].toLower() == u'r')
            chunk.append(text[i++]);
        if (!out.isEmpty() && out.back().isLetter() && !chunk.isEmpty() &&
            QStringView(u"aoe").contains(chunk[0].toLower()))
            out.append(u'\'');
        out.append(toneMarkedSyllable(chunk, s.tone));
    }
    out.append(QStringView(text).mid(i));
    return out;
}
