#include "core/progress/logfigures.h"

#include "core/pinyin.h"
#include "data/db.h"

#include <QHash>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int WordSlots = 501; // word keys 1..500

bool isWord(int word)
{
    return word > 0 && word < WordSlots;
}

// The tones of typed digits ("2 4", "２４"; 0 and 5 stand for neutral), or
// nothing when anything else was typed.
std::optional<QList<int>> typedDigits(const QString& typed)
{
    QList<int> out;
    for (QChar c : typed) {
        if (c.isSpace())
            continue;
        if (c.unicode() >= 0xFF10 && c.unicode() <= 0xFF19)
            c = QChar(static_cast<char16_t>(c.unicode() - 0xFEE0));
        if (c < u'0' || c > u'5')
            return std::nullopt;
        const int d = c.digitValue();
        out.append(d == 5 ? 0 : d);
    }
    return out;
}

} // namespace

QList<DayCount> answersPerDay(const QList<LoggedAnswer>& log, qint32 today, int days)
{
    days = std::max(days, 0);
    QList<DayCount> out(days);
    const qint32 first = today - days + 1;
    for (int i = 0; i < days; ++i)
        out[i].day = first + i;
    for (const LoggedAnswer& a : log) {
        if (a.day < first || a.day > today)
            continue;
        DayCount& d = out[a.day - first];
        ++(a.right ? d.right : d.wrong);
    }
    return out;
}

QList<WeekRetention> retentionPerWeek(const QList<LoggedAnswer>& log, qint32 today, int weeks)
{
    weeks = std::max(weeks, 0);
    QList<WeekRetention> out(weeks);
    const qint32 first = today - 7 * weeks + 1;
    for (int i = 0; i < weeks; ++i)
        out[i].firstDay = first + 7 * i;
    // A word's first day in the log, and the day whose first answer was counted last.
    std::array<qint32, WordSlots> firstDay{};
    std::array<qint32, WordSlots> countedDay{};
    for (const LoggedAnswer& a : log) {
        if (!isWord(a.word) || countedDay[a.word] == a.day)
            continue;
        countedDay[a.word] = a.day;
        const bool hadState = firstDay[a.word] != 0 && firstDay[a.word] < a.day;
        if (firstDay[a.word] == 0 || a.day < firstDay[a.word])
            firstDay[a.word] = a.day;
        if (!hadState || a.day < first || a.day > today)
            continue;
        WeekRetention& w = out[(a.day - first) / 7];
        ++w.reviews;
        if (a.right)
            ++w.right;
    }
    return out;
}

QString toneName(int tone)
{
    return tone >= 1 && tone <= 4 ? QString::number(tone) + u"声"_s : u"軽声"_s;
}

QString confusionSentence(const ToneConfusion& c)
{
    return u"%1を%2と答えた：%3回"_s.arg(toneName(c.expected), toneName(c.answered)).arg(c.count);
}

void ToneConfusions::add(int word, int expected, int answered)
{
    ++syllables_;
    ++counts_[expected][answered];
    if (expected == answered || !isWord(word))
        return;
    if (perWord_.empty())
        perWord_.assign(static_cast<size_t>(ToneClasses * ToneClasses * WordSlots), 0);
    ++perWord_[static_cast<size_t>((expected * ToneClasses + answered) * WordSlots + word)];
}

QList<ToneConfusion> ToneConfusions::mostFrequent(int n) const
{
    QList<ToneConfusion> all;
    for (int e = 0; e < ToneClasses; ++e) {
        for (int a = 0; a < ToneClasses; ++a) {
            if (e != a && counts_[e][a] > 0)
                all.append({e, a, counts_[e][a]});
        }
    }
    // Stable: the loops already give the order of expected, then answered tone.
    std::stable_sort(all.begin(), all.end(), [](const auto& x, const auto& y) { return x.count > y.count; });
    return all.first(std::min<qsizetype>(std::max(n, 0), all.size()));
}

QList<int> ToneConfusions::wordsBehind(int expected, int answered) const
{
    QList<int> words;
    if (perWord_.empty() || expected == answered || expected < 0 || answered < 0 || expected >= ToneClasses ||
        answered >= ToneClasses)
        return words;
    const auto counts = perWord_.begin() + (expected * ToneClasses + answered) * WordSlots;
    for (int w = 1; w < WordSlots; ++w) {
        if (counts[w] > 0)
            words.append(w);
    }
    std::stable_sort(words.begin(), words.end(), [&](int x, int y) { return counts[x] > counts[y]; });
    return words;
}

ToneConfusions toneConfusions(const QList<LoggedAnswer>& log, const DB& db)
{
    ToneConfusions out;
    // Splitting pinyin is the costly part; a learner gives the same answers
    // and is asked the same words again and again.
    struct Expected {
        QString pinyin;
        QList<SyllableTone> tones;
    };
    QHash<int, Expected> expectedOf;
    QHash<QString, QList<SyllableTone>> typedPinyin;
    const bool tables = db.lastWordKey() > 0;
    for (const LoggedAnswer& a : log) {
        if (!carriesTones(a.kind) || a.given.isEmpty())
            continue;
        Expected& e = expectedOf[a.word];
        if (e.pinyin != a.expected || e.tones.isEmpty()) {
            const std::array<int, 4> ckeys =
                tables && a.word >= 1 && a.word <= db.lastWordKey() ? db.wordCKeys(a.word) : std::array<int, 4>{};
            e = {a.expected, syllableTones(a.expected, ckeys)};
        }
        const QList<SyllableTone>& want = e.tones;
        if (want.isEmpty())
            continue;
        QList<int> given;
        if (a.kind == QuestionKind::Tone || a.kind == QuestionKind::ToneByEar) {
            const std::optional<QList<int>> digits = typedDigits(a.given);
            if (!digits)
                continue;
            // Neutral syllables take no digit; one typed for every syllable is matched one to one.
            const qsizetype toned = std::count_if(want.begin(), want.end(), [](auto s) { return s.tone != 0; });
            if (digits->size() == toned && toned < want.size()) {
                qsizetype d = 0;
                given = QList<int>(want.size(), -1);
                for (qsizetype i = 0; i < want.size(); ++i) {
                    if (want[i].tone != 0)
                        given[i] = (*digits)[d++];
                }
            } else if (digits->size() == want.size()) {
                given = *digits;
            } else {
                continue;
            }
        } else {
            auto found = typedPinyin.constFind(a.given);
            if (found == typedPinyin.constEnd())
                found = typedPinyin.insert(a.given, syllableTones(a.given));
            if (found->size() != want.size())
                continue;
            for (const SyllableTone& s : *found)
                given.append(s.tone);
        }
        for (qsizetype i = 0; i < want.size(); ++i) {
            if (given[i] < 0)
                continue; // a neutral syllable the digits skipped
            const bool changedTone = want[i].changed != 0 && given[i] == want[i].changed;
            out.add(a.word, want[i].tone, changedTone ? want[i].tone : given[i]);
        }
    }
    return out;
}
