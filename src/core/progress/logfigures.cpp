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

QList<WeekRetention> retentionPerWeek(const QList<LoggedAnswer>& log, const FirstDays& firstDay, qint32 today,
                                      int weeks)
{
    weeks = std::max(weeks, 0);
    QList<WeekRetention> out(weeks);
    const qint32 first = today - 7 * weeks + 1;
    for (int i = 0; i < weeks; ++i)
        out[i].firstDay = first + 7 * i;
    std::array<qint32, WordSlots> countedDay{}; // the day whose first answer was counted last
    for (const LoggedAnswer& a : log) {
        if (!isWord(a.word) || countedDay[a.word] == a.day)
            continue;
        countedDay[a.word] = a.day;
        const qint32 learnt = firstDay[static_cast<size_t>(a.word)];
        if (learnt == 0 || learnt >= a.day || a.day < first || a.day > today)
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
    if (expected == answered)
        return;
    ++total_;
    ++counts_[expected][answered];
    if (!isWord(word))
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
            if (counts_[e][a] > 0)
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

namespace {

using TonePairs = QList<std::pair<int, int>>; // expected, answered

// The wrongly answered syllables of one answer; empty when they cannot be matched up.
TonePairs confusedSyllables(const QString& given, QuestionKind kind, const QList<SyllableTone>& want,
                            QHash<QString, QList<SyllableTone>>& typedPinyin)
{
    TonePairs out;
    if (want.isEmpty())
        return out;
    QList<int> answered;
    if (kind == QuestionKind::Tone || kind == QuestionKind::ToneByEar) {
        const std::optional<QList<int>> digits = typedDigits(given);
        if (!digits)
            return out;
        // Neutral syllables take no digit; one typed for every syllable is matched one to one.
        const qsizetype toned = std::count_if(want.begin(), want.end(), [](auto s) { return s.tone != 0; });
        if (digits->size() == toned && toned < want.size()) {
            qsizetype d = 0;
            answered = QList<int>(want.size(), -1);
            for (qsizetype i = 0; i < want.size(); ++i) {
                if (want[i].tone != 0)
                    answered[i] = (*digits)[d++];
            }
        } else if (digits->size() == want.size()) {
            answered = *digits;
        } else {
            return out;
        }
    } else {
        auto found = typedPinyin.constFind(given);
        if (found == typedPinyin.constEnd())
            found = typedPinyin.insert(given, syllableTones(given));
        if (found->size() != want.size())
            return out;
        for (const SyllableTone& s : *found)
            answered.append(s.tone);
    }
    for (qsizetype i = 0; i < want.size(); ++i) {
        const int a = answered[i];
        // Skipped (a neutral syllable without its digit), right, or the changed tone of 一 or 不.
        if (a >= 0 && a != want[i].tone && (want[i].changed == 0 || a != want[i].changed))
            out.append({want[i].tone, a});
    }
    return out;
}

bool typesDigits(QuestionKind kind)
{
    return kind == QuestionKind::Tone || kind == QuestionKind::ToneByEar;
}

} // namespace

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
    const LoggedAnswer* previous = nullptr;
    TonePairs pairs;
    for (const LoggedAnswer& a : log) {
        if (a.right || !carriesTones(a.kind) || a.given.isEmpty())
            continue;
        const bool again = previous && previous->word == a.word && typesDigits(previous->kind) == typesDigits(a.kind) &&
                           previous->given == a.given && previous->expected == a.expected;
        if (!again) {
            Expected& e = expectedOf[a.word];
            if (e.pinyin != a.expected || e.tones.isEmpty()) {
                const bool known = a.word >= 1 && a.word <= db.lastWordKey();
                e = {a.expected, syllableTones(a.expected, known ? db.wordCKeys(a.word) : std::array<int, 4>{})};
            }
            pairs = confusedSyllables(a.given, a.kind, e.tones, typedPinyin);
        }
        previous = &a;
        for (const auto& [expected, answered] : pairs)
            out.add(a.word, expected, answered);
    }
    return out;
}
