#include "core/exam/examresults.h"

#include "core/inifile.h"

#include <QDate>

#include <algorithm>

namespace {

const QByteArray section = QByteArrayLiteral("EXAM");
const std::array<QByteArray, 2> scoreKeys = {QByteArrayLiteral("WRITTEN"), QByteArrayLiteral("LISTENING")};
const QByteArray missesKey = QByteArrayLiteral("MISSES");

// Far more than the program writes (ten scores, or every contrast with a
// five-digit count); a longer value was not written by it.
constexpr qsizetype LongestValue = 1024;
constexpr int MostMisses = 32767;

std::optional<int> smallNumber(QByteArrayView text, int most)
{
    if (text.isEmpty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int v = text.toByteArray().toInt();
    return v <= most ? std::optional<int>(v) : std::nullopt;
}

// The value's items split at ','; nothing for a value longer than any the program writes.
QList<QByteArray> itemsOf(const IniFile& ini, const QByteArray& key)
{
    const std::optional<QByteArrayView> v = ini.valueView(section, key);
    if (!v || v->isEmpty() || v->size() > LongestValue)
        return {};
    return v->toByteArray().split(',');
}

std::pair<QByteArray, QByteArray> splitPair(const QByteArray& item)
{
    const qsizetype colon = item.indexOf(':');
    if (colon < 0)
        return {};
    return {item.left(colon).trimmed(), item.mid(colon + 1).trimmed()};
}

} // namespace

QList<Contrast> ExamResults::mostMissed(int count) const
{
    QList<Contrast> out;
    for (int c = 0; c < ContrastCount; ++c) {
        if (misses_[static_cast<size_t>(c)] > 0)
            out.append(static_cast<Contrast>(c));
    }
    std::stable_sort(out.begin(), out.end(), [this](Contrast a, Contrast b) { return misses(a) > misses(b); });
    return out.mid(0, count);
}

void ExamResults::record(ExamSectionKind kind, const ExamGrade& grade, qint32 today)
{
    QList<ExamScore>& list = scores_[static_cast<size_t>(kind)];
    list.append({today, grade.score});
    while (list.size() > KeptScores)
        list.removeFirst();
    for (const ExamItemResult& item : grade.items) {
        for (const Contrast c : item.missed) {
            int& n = misses_[static_cast<size_t>(c)];
            n = std::min(n + 1, MostMisses);
        }
    }
}

ExamResults ExamResults::fromIni(const IniFile& ini)
{
    ExamResults r;
    for (size_t k = 0; k < scoreKeys.size(); ++k) {
        const auto kind = static_cast<ExamSectionKind>(k);
        const int points = pointsPerItem(kind);
        for (const QByteArray& item : itemsOf(ini, scoreKeys[k])) {
            const auto [day, score] = splitPair(item);
            const QDate date = QDate::fromString(QString::fromLatin1(day), Qt::ISODate);
            const std::optional<int> s = smallNumber(score, points * ExamItemsPerSection);
            if (date.isValid() && date.year() >= 2000 && s && *s % points == 0)
                r.scores_[k].append({static_cast<qint32>(date.toJulianDay()), *s});
        }
        while (r.scores_[k].size() > KeptScores)
            r.scores_[k].removeFirst();
    }
    for (const QByteArray& item : itemsOf(ini, missesKey)) {
        const auto [id, count] = splitPair(item);
        const std::optional<Contrast> c = contrastFromId(id);
        const std::optional<int> n = smallNumber(count, MostMisses);
        if (c && n && r.misses_[static_cast<size_t>(*c)] == 0)
            r.misses_[static_cast<size_t>(*c)] = *n;
    }
    return r;
}

void ExamResults::toIni(IniFile& ini) const
{
    for (size_t k = 0; k < scoreKeys.size(); ++k) {
        QByteArrayList items;
        for (const ExamScore& s : scores_[k]) {
            items.append(QDate::fromJulianDay(s.day).toString(Qt::ISODate).toLatin1() + ':' +
                         QByteArray::number(s.score));
        }
        ini.setValue(section, scoreKeys[k], items.join(','));
    }
    QByteArrayList misses;
    for (int c = 0; c < ContrastCount; ++c) {
        if (misses_[static_cast<size_t>(c)] > 0)
            misses.append(contrastId(static_cast<Contrast>(c)) + ':' +
                          QByteArray::number(misses_[static_cast<size_t>(c)]));
    }
    ini.setValue(section, missesKey, misses.join(','));
}

ExamResults ExamResults::load(const QString& path)
{
    const std::optional<IniFile> ini = readIniFile(path);
    return ini ? fromIni(*ini) : ExamResults{};
}

bool ExamResults::save(const QString& path) const
{
    return editIniFile(path, [this](IniFile& ini) { toIni(ini); });
}
