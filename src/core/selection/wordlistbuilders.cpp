#include "core/selection/wordlistbuilders.h"

#include "core/pinyin.h"
#include "core/rankorder.h"
#include "core/reviewschedule.h"

#include <QDate>

#include <climits>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int FilteredCapacity = 601;
constexpr int RandomCapacity = LastWordKey + 1;

// The number at the start of a text, blanks before it skipped. The drop-downs
// only offer texts with one, but a text without must not size a list.
std::optional<qint64> leadingNumber(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    qint64 value = 0;
    const qsizetype digitsStart = i;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        value = qMin<qint64>(value * 10 + (text[i].unicode() - u'0'), 1'000'000);
        ++i;
    }
    if (i == digitsStart)
        return std::nullopt;
    return negative ? -value : value;
}

QString removeAll(QString text, std::initializer_list<QStringView> parts)
{
    for (QStringView part : parts)
        text.remove(part.toString());
    return text;
}

// The frame all filtered builders share: ascending scan, shrink, shuffle.
template <typename Match> void buildFiltered(Tovak& t, Match matches)
{
    t.clearWordList(FilteredCapacity);
    const int last = t.db.lastWordKey();
    for (int tkey = 1; tkey <= last; ++tkey) {
        if (matches(tkey))
            t.addWordToList(tkey, t.CurrentWordCount);
    }
    t.shrinkWordList();
    shuffleWordList(t);
}

void buildEmpty(Tovak& t, int capacity)
{
    t.clearWordList(capacity);
    t.shrinkWordList();
}

} // namespace

const QStringList& searchItems(SearchKind kind)
{
    static const QStringList none;
    static const QStringList random = {u"5問"_s,  u"10問"_s, u"15問"_s, u"20問"_s,
                                       u"25問"_s, u"30問"_s, u"35問"_s, u"40問"_s};
    static const QStringList genre = {u"社会生活"_s, u"学校・勉強"_s, u"ビジネス・仕事"_s, u"娯楽"_s,
                                      u"家庭"_s,     u"自然"_s,       u"時間"_s,           u"国・地域"_s};
    static const QStringList charnum = {u"1文字"_s, u"2文字"_s, u"3文字"_s, u"4文字"_s};
    static const QStringList weakpoint = {
        u"ピンイン正答率50%以下"_s, u"ピンイン正答率40%以下"_s, u"ピンイン正答率30%以下"_s, u"ピンイン正答率20%以下"_s,
        u"ピンイン正答率10%以下"_s, u"日訳正答率50%以下"_s,     u"日訳正答率40%以下"_s,     u"日訳正答率30%以下"_s,
        u"日訳正答率20%以下"_s,     u"日訳正答率10%以下"_s};
    static const QStringList tone = [] {
        QStringList items;
        for (int first = 1; first <= 4; ++first)
            items.append(QStringLiteral("%1声＋軽声").arg(first));
        for (int first = 1; first <= 4; ++first)
            for (int second = 1; second <= 4; ++second)
                items.append(QStringLiteral("%1声＋%2声").arg(first).arg(second));
        return items;
    }();
    static const QStringList review = {u"今日の復習"_s, u"明日までに復習"_s, u"今週中に復習"_s};
    switch (kind) {
    case SearchKind::Random:
        return random;
    case SearchKind::Genre:
        return genre;
    case SearchKind::Charnum:
        return charnum;
    case SearchKind::Weakpoint:
        return weakpoint;
    case SearchKind::TonePattern:
        return tone;
    case SearchKind::Review:
        return review;
    case SearchKind::FreeWord:
        break;
    }
    return none;
}

void searchFreeWord(Tovak& t, const QString& text)
{
    t.SearchText = text;
    buildFiltered(t, [&](int tkey) {
        QString characters;
        for (int ckey : t.db.wordCKeys(tkey))
            characters += t.db.glyphCharacter(ckey);
        return freeSearchMatches(t.SearchText, t.db.word(tkey, WordField::Pinyin),
                                 t.db.word(tkey, WordField::Translation), characters);
    });
}

void searchRandom(Tovak& t, const QString& text)
{
    const std::optional<qint64> asked = leadingNumber(removeAll(text, {u"問"}));
    const int available = t.db.lastWordKey();
    if (!asked || *asked < 1 || available < 1) {
        buildEmpty(t, RandomCapacity);
        return;
    }
    const int count = static_cast<int>(qMin<qint64>(*asked, available));
    t.clearWordList(RandomCapacity);
    // A uniform permutation cut short is a uniform sample in random order, so
    // no further shuffle is needed.
    const QList<qint16> rows = pickRandom(t.rng, available, 1, count, true);
    for (qsizetype j = 0; j < rows.size(); ++j)
        t.addWordToList(rows[j], static_cast<int>(j));
    t.shrinkWordList();
}

void searchGenre(Tovak& t, const QString& text)
{
    t.SearchText = text;
    int key = 0;
    for (int i = 1; i <= 8; ++i) {
        if (t.db.GenreNames(i) == t.SearchText) {
            key = i;
            break;
        }
    }
    // Key 0 would otherwise find every word without a genre.
    buildFiltered(t, [&](int tkey) {
        const QString& genre = t.db.word(tkey, WordField::Genre);
        return key != 0 && !genre.isEmpty() && genre.toInt() == key;
    });
}

void searchCharnum(Tovak& t, const QString& text)
{
    t.SearchText = removeAll(text, {u"文字"});
    buildFiltered(t, [&](int tkey) { return t.db.word(tkey, WordField::CharCount) == t.SearchText; });
}

void searchWeakpoint(Tovak& t, const QString& text)
{
    t.SearchText = text;
    DrillKind kind = DrillKind::TranslationDrill;
    if (t.SearchText.contains(u"ピンイン"_s)) {
        kind = DrillKind::PinyinDrill;
        t.SearchText.remove(u"ピンイン"_s);
    } else {
        t.SearchText.remove(u"日訳"_s);
    }
    t.SearchText = removeAll(t.SearchText, {u"正答率", u"%以下"});
    const std::optional<qint64> threshold = leadingNumber(t.SearchText);
    if (!threshold) {
        buildEmpty(t, FilteredCapacity);
        return;
    }
    const CounterList triesOf = triesList(kind);
    const CounterList correctOf = correctList(kind);
    buildFiltered(t, [&](int tkey) {
        const qint64 tries = t.stats.counter(triesOf, tkey);
        if (tries == 0)
            return false; // never drilled is never weak
        const double rate = static_cast<double>(t.stats.counter(correctOf, tkey)) * 100.0 / static_cast<double>(tries);
        return rate <= static_cast<double>(*threshold);
    });
}

void searchTonePattern(Tovak& t, const QString& text)
{
    t.SearchText = removeAll(text, {u"声", u"＋", u"軽"});
    // Tone digits only: the colon of "u:" must not hide 旅行 and 旅館.
    buildFiltered(t, [&](int tkey) {
        return t.db.word(tkey, WordField::CharCount) == u"2"_s &&
               getToneDigits(t.db.word(tkey, WordField::Pinyin)) == t.SearchText;
    });
}

int reviewHorizon(const QString& text)
{
    static const int horizons[] = {0, 1, 7};
    const qsizetype i = searchItems(SearchKind::Review).indexOf(text);
    return i < 0 ? -1 : horizons[i];
}

void searchReview(Tovak& t, const QString& text, qint32 today)
{
    t.SearchText = text;
    const int horizon = reviewHorizon(text);
    if (horizon < 0) {
        buildEmpty(t, FilteredCapacity);
        return;
    }
    const QList<int> due = dueWords(t.stats.WordReviews, today, horizon, [ranks = wordExamRanks(t.db)](int tkey) {
        return tkey >= 0 && tkey < ranks.size() ? ranks[tkey] : INT_MAX;
    });
    // Ordered, not shuffled: the most forgotten word comes first.
    t.clearWordList(FilteredCapacity);
    for (int tkey : due) {
        if (tkey >= 1 && tkey <= t.db.lastWordKey() && t.CurrentWordCount < FilteredCapacity)
            t.addWordToList(tkey, t.CurrentWordCount);
    }
    t.shrinkWordList();
}

void runSearch(Tovak& t, SearchKind kind, const QString& text)
{
    switch (kind) {
    case SearchKind::FreeWord:
        searchFreeWord(t, text);
        break;
    case SearchKind::Random:
        searchRandom(t, text);
        break;
    case SearchKind::Genre:
        searchGenre(t, text);
        break;
    case SearchKind::Charnum:
        searchCharnum(t, text);
        break;
    case SearchKind::Weakpoint:
        searchWeakpoint(t, text);
        break;
    case SearchKind::TonePattern:
        searchTonePattern(t, text);
        break;
    case SearchKind::Review:
        searchReview(t, text, static_cast<qint32>(QDate::currentDate().toJulianDay()));
        break;
    }
}
