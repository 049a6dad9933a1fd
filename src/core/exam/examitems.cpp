#include "core/exam/examitems.h"

#include "core/tonemarks.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// Their tone follows the next syllable, and print shows it either way.
constexpr int YiKey = 6;
constexpr int BuKey = 11;

// How often a section may draw a word before it gives up on an item.
constexpr int DrawLimit = 2000;

int uniform(Rng& rng, int lower, int upper)
{
    return randomInRange(rng, upper, lower);
}

int patternOf(int first, int second)
{
    return (first - 1) * 4 + second - 1;
}

QList<int> charactersOf(const DB& db, int tkey)
{
    QList<int> out;
    for (const int k : db.wordCKeys(tkey)) {
        if (k >= 1 && k <= LastCharKey)
            out.append(k);
    }
    return out;
}

// One change to the word: a syllable's letters, or its tone.
struct Change {
    qsizetype position = 0;
    Contrast contrast = Contrast::Tone;
    QString letters; // the spelling contrasts
    int tone = 0;    // Tone
};

void apply(QList<PinyinSyllable>& syllables, const Change& c)
{
    PinyinSyllable& s = syllables[c.position];
    if (c.contrast == Contrast::Tone)
        s.tone = c.tone;
    else
        s.letters = c.letters;
}

// The stored form: tone digits, "u:" for ü, a capital kept.
QString spelled(const QList<PinyinSyllable>& syllables, bool capital)
{
    QString out;
    for (const PinyinSyllable& s : syllables) {
        QString letters = s.letters;
        letters.replace(u'v', u"u:"_s);
        out.append(letters);
        if (s.erhua)
            out.append(u'r');
        if (s.tone > 0)
            out.append(QChar(u'0' + s.tone));
    }
    if (capital && !out.isEmpty())
        out[0] = out[0].toUpper();
    return out;
}

template <typename T> const T& pick(Rng& rng, const QList<T>& list)
{
    return list[uniform(rng, 0, static_cast<int>(list.size()) - 1)];
}

} // namespace

ExamGenerator::ExamGenerator(const DB& db) : db_(db), translations_(db)
{
    syllables_.resize(db.lastWordKey() + 1);
    for (int tkey = 1; tkey <= db.lastWordKey(); ++tkey) {
        syllables_[tkey] = pinyinSyllables(db.word(tkey, WordField::Pinyin));
        if (takesTonePattern(tkey))
            byPattern_[static_cast<size_t>(patternOf(syllables_[tkey][0].tone, syllables_[tkey][1].tone))].append(tkey);
    }
}

bool ExamGenerator::takesTonePattern(int tkey) const
{
    const QList<PinyinSyllable>& s = syllables_[tkey];
    const QList<int> chars = charactersOf(db_, tkey);
    return s.size() == 2 && chars.size() == 2 && !chars.contains(YiKey) && !chars.contains(BuKey) && s[0].tone != 0 &&
           s[1].tone != 0 && !(s[0].tone == 3 && s[1].tone == 3);
}

bool ExamGenerator::isReading(int ckey, const PinyinSyllable& s) const
{
    const QString spelledOut = spelled({s}, false);
    for (const QString& r : db_.character(ckey, CharField::Readings).split(u',')) {
        if (r.trimmed().toLower() == spelledOut)
            return true;
    }
    return false;
}

std::optional<ExamItem> ExamGenerator::pinyinItem(Rng& rng, int tkey) const
{
    const QList<PinyinSyllable>& word = syllables_[tkey];
    const QList<int> chars = charactersOf(db_, tkey);
    if (word.isEmpty() || chars.size() != word.size() || chars.contains(YiKey) || chars.contains(BuKey) ||
        std::any_of(word.begin(), word.end(), [](const PinyinSyllable& s) { return s.erhua; }))
        return std::nullopt;

    // Every change that keeps the syllable real and makes it no reading of its character.
    QList<QList<Change>> spellings(word.size());
    QList<QList<Change>> tones(word.size());
    for (qsizetype p = 0; p < word.size(); ++p) {
        for (int c = 0; c < ContrastCount; ++c) {
            const auto contrast = static_cast<Contrast>(c);
            if (contrast == Contrast::Tone)
                continue;
            const std::optional<QString> letters = contrasted(contrast, word[p].letters);
            if (letters && !isReading(chars[p], PinyinSyllable{*letters, word[p].tone, false}))
                spellings[p].append(Change{p, contrast, *letters, 0});
        }
        for (int t = 1; word[p].tone != 0 && t <= 4; ++t) {
            if (t != word[p].tone && !isReading(chars[p], PinyinSyllable{word[p].letters, t, false}))
                tones[p].append(Change{p, Contrast::Tone, QString(), t});
        }
    }

    QList<qsizetype> withSpellings;
    QList<qsizetype> withTones;
    for (qsizetype p = 0; p < word.size(); ++p) {
        if (!spellings[p].isEmpty())
            withSpellings.append(p);
        if (!tones[p].isEmpty())
            withTones.append(p);
    }

    // The two changes; on one syllable the spelling change comes first.
    std::optional<Change> a;
    std::optional<Change> b;
    if (word.size() >= 2) {
        if (withSpellings.size() >= 2) {
            const QList<qint16> two = pickRandom(rng, static_cast<int>(withSpellings.size()) - 1, 0, 2, true);
            a = pick(rng, spellings[withSpellings[two[0]]]);
            b = pick(rng, spellings[withSpellings[two[1]]]);
        } else if (withSpellings.size() == 1) {
            a = pick(rng, spellings[withSpellings[0]]);
            QList<qsizetype> others = withTones;
            others.removeAll(a->position);
            if (!others.isEmpty())
                b = pick(rng, tones[pick(rng, others)]);
            else if (!tones[a->position].isEmpty())
                b = pick(rng, tones[a->position]);
        } else if (withTones.size() >= 2) {
            const QList<qint16> two = pickRandom(rng, static_cast<int>(withTones.size()) - 1, 0, 2, true);
            a = pick(rng, tones[withTones[two[0]]]);
            b = pick(rng, tones[withTones[two[1]]]);
        }
    } else {
        // One syllable: an initial and a final contrast that also hold together,
        // else a spelling and a tone.
        QList<std::pair<Change, Change>> pairs;
        for (const Change& x : std::as_const(spellings[0])) {
            for (const Change& y : std::as_const(spellings[0])) {
                if (!changesInitial(x.contrast) || changesInitial(y.contrast))
                    continue;
                const std::optional<QString> xy = contrasted(y.contrast, x.letters);
                const std::optional<QString> yx = contrasted(x.contrast, y.letters);
                if (xy && yx && *xy == *yx && !isReading(chars[0], PinyinSyllable{*xy, word[0].tone, false}))
                    pairs.append({x, y});
            }
        }
        if (!pairs.isEmpty()) {
            const auto& [x, y] = pick(rng, pairs);
            a = x;
            b = y;
        } else if (!spellings[0].isEmpty() && !tones[0].isEmpty()) {
            a = pick(rng, spellings[0]);
            b = pick(rng, tones[0]);
        }
    }
    if (!a || !b)
        return std::nullopt;
    if (a->position > b->position)
        std::swap(a, b); // so that a choice names its contrasts in the order of the syllables

    const bool capital = db_.word(tkey, WordField::Pinyin).front().isUpper();
    std::array<ExamChoice, 4> design;
    for (int mask = 0; mask < 4; ++mask) {
        QList<PinyinSyllable> s = word;
        ExamChoice& c = design[static_cast<size_t>(mask)];
        if (mask & 1) {
            apply(s, *a);
            c.contrasts.append(a->contrast);
        }
        if (mask & 2) {
            if (mask & 1 && a->position == b->position && b->contrast != Contrast::Tone)
                s[b->position].letters = *contrasted(b->contrast, s[b->position].letters);
            else
                apply(s, *b);
            c.contrasts.append(b->contrast);
        }
        c.stored = mask == 0 ? db_.word(tkey, WordField::Pinyin) : spelled(s, capital);
        c.text = toneMarked(c.stored);
        // What is shown must read back as the syllables meant, and never as the word.
        if (mask != 0 && (pinyinSyllables(c.stored) != s ||
                          isPinyinAnswerCorrect(c.stored, db_.word(tkey, WordField::Pinyin), db_.wordCKeys(tkey))))
            return std::nullopt;
        for (int other = 0; other < mask; ++other) {
            if (design[static_cast<size_t>(other)].text == c.text)
                return std::nullopt;
        }
    }

    ExamItem item;
    item.kind = ExamItemKind::Pinyin;
    item.tkey = tkey;
    const QList<qint16> order = pickRandom(rng, 3, 0, 4, true);
    for (int i = 0; i < 4; ++i) {
        item.choices[static_cast<size_t>(i)] = design[static_cast<size_t>(order[i])];
        if (order[i] == 0)
            item.right = i;
    }
    return item;
}

std::optional<ExamItem> ExamGenerator::tonePatternItem(Rng& rng, QSet<int>& used) const
{
    std::array<QList<int>, 16> free;
    for (size_t p = 0; p < free.size(); ++p) {
        for (const int tkey : byPattern_[p]) {
            if (!used.contains(tkey))
                free[p].append(tkey);
        }
    }
    QList<int> common;
    for (int p = 0; p < 16; ++p) {
        if (free[static_cast<size_t>(p)].size() >= 3)
            common.append(p);
    }
    if (common.isEmpty())
        return std::nullopt;
    const int shared = pick(rng, common);
    // The odd pattern: one tone the same, or (one time in four) both different.
    QList<int> sharingOne;
    QList<int> sharingNone;
    for (int p = 0; p < 16; ++p) {
        if (p == shared || free[static_cast<size_t>(p)].isEmpty())
            continue;
        const int same = (p / 4 == shared / 4 ? 1 : 0) + (p % 4 == shared % 4 ? 1 : 0);
        (same == 1 ? sharingOne : sharingNone).append(p);
    }
    const bool wantOne = uniform(rng, 0, 3) != 0;
    const QList<int>& odds = (wantOne && !sharingOne.isEmpty()) || sharingNone.isEmpty() ? sharingOne : sharingNone;
    if (odds.isEmpty())
        return std::nullopt;
    const QList<int>& three = free[static_cast<size_t>(shared)];
    const QList<qint16> picked = pickRandom(rng, static_cast<int>(three.size()) - 1, 0, 3, true);
    const int oddWord = pick(rng, free[static_cast<size_t>(pick(rng, odds))]);

    ExamItem item;
    item.kind = ExamItemKind::TonePattern;
    item.right = uniform(rng, 0, 3);
    int next = 0;
    for (int i = 0; i < 4; ++i) {
        const int tkey = i == item.right ? oddWord : three[picked[next++]];
        item.choices[static_cast<size_t>(i)].tkey = tkey;
        used.insert(tkey);
    }
    return item;
}

ExamItem ExamGenerator::meaningItem(Rng& rng, int tkey) const
{
    ExamItem item;
    item.kind = ExamItemKind::Meaning;
    item.tkey = tkey;
    const QStringList texts = translations_.draw(rng, tkey);
    const QString& own = db_.word(tkey, WordField::Translation);
    for (int i = 0; i < 4; ++i) {
        item.choices[static_cast<size_t>(i)].text = texts[i];
        if (texts[i] == own)
            item.right = i;
    }
    return item;
}

ExamSection ExamGenerator::section(ExamSectionKind kind, quint32 seed) const
{
    Rng rng(seed);
    ExamSection out;
    out.kind = kind;
    QSet<int> used;
    const int last = db_.lastWordKey();
    const auto drawPinyin = [&] {
        for (int draw = 0; draw < DrawLimit; ++draw) {
            const int tkey = uniform(rng, 1, last);
            if (used.contains(tkey))
                continue;
            if (std::optional<ExamItem> item = pinyinItem(rng, tkey)) {
                used.insert(tkey);
                out.items.append(*item);
                return;
            }
        }
    };
    if (kind == ExamSectionKind::Written) {
        for (int i = 0; i < TonePatternItems; ++i) {
            if (std::optional<ExamItem> item = tonePatternItem(rng, used))
                out.items.append(*item);
        }
        for (int i = TonePatternItems; i < ExamItemsPerSection; ++i)
            drawPinyin();
        return out;
    }
    for (int i = 0; i < HeardPinyinItems; ++i)
        drawPinyin();
    for (int i = 0; i < HeardMeaningItems; ++i) {
        int tkey = uniform(rng, 1, last);
        for (int draw = 0; draw < DrawLimit && used.contains(tkey); ++draw)
            tkey = uniform(rng, 1, last);
        used.insert(tkey);
        out.items.append(meaningItem(rng, tkey));
    }
    // Four of the five kinds a listening paper asks for, in a random order; a
    // date is a month and day or, one time in three, a weekday.
    const NumberKind kinds[] = {NumberKind::Count, NumberKind::Price, NumberKind::Time, NumberKind::Date,
                                NumberKind::Age};
    for (const qint16 k : pickRandom(rng, 4, 0, HeardNumberItems, true)) {
        NumberKind nk = kinds[k];
        if (nk == NumberKind::Date && uniform(rng, 0, 2) == 0)
            nk = NumberKind::Weekday;
        ExamItem item;
        item.kind = ExamItemKind::Number;
        item.number = randomReading(rng, nk);
        out.items.append(item);
    }
    return out;
}
