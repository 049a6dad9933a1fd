#include "core/statistics.h"

#include "core/durablefile.h"
#include "core/inifile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <limits>

namespace {

const QByteArray sectionName = QByteArrayLiteral("STATISTICS");
const std::array<QByteArray, CounterListCount> counterKeys = {
    QByteArrayLiteral("P_NOGPT"),  QByteArrayLiteral("P_NORPT"), QByteArrayLiteral("P2_NOGPT"),
    QByteArrayLiteral("P2_NORPT"), QByteArrayLiteral("R_NOGPT"), QByteArrayLiteral("R_NORPT"),
    QByteArrayLiteral("L_NOGPT"),  QByteArrayLiteral("L_NORPT"), QByteArrayLiteral("L2_NOGPT"),
    QByteArrayLiteral("L2_NORPT"),
};

qint16 clampTo16(qint64 value)
{
    if (value >= std::numeric_limits<qint16>::max())
        return std::numeric_limits<qint16>::max();
    if (value <= std::numeric_limits<qint16>::min())
        return std::numeric_limits<qint16>::min();
    return static_cast<qint16>(value);
}

const std::array<QByteArray, 3> reviewKeys = {
    QByteArrayLiteral("REVIEW_DAY"),
    QByteArrayLiteral("REVIEW_STABILITY"),
    QByteArrayLiteral("REVIEW_DIFFICULTY"),
};

// Whether a counter list holds anything but zeros.
bool anyCount(const QStringList& items)
{
    return std::any_of(items.begin() + 1, items.end(), [](const QString& e) { return counterValue(e) != 0; });
}

size_t index(CounterList list)
{
    return static_cast<size_t>(list);
}

} // namespace

qint64 floorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

QByteArrayView usedItems(QByteArrayView list)
{
    qsizetype end = -1;
    for (int item = 0; item < CounterSlots; ++item) {
        end = list.indexOf(',', end + 1);
        if (end < 0)
            return list;
    }
    return list.first(end);
}

CounterList triesList(DrillKind kind, bool byEar)
{
    const bool listening = byEar && kind != DrillKind::TranslationDrill;
    return static_cast<CounterList>(static_cast<int>(kind) * 2 + (listening ? DrillCounterLists : 0));
}

CounterList correctList(DrillKind kind, bool byEar)
{
    return static_cast<CounterList>(static_cast<int>(triesList(kind, byEar)) + 1);
}

qint64 counterValue(const QString& entry)
{
    bool ok = false;
    const qint64 v = entry.toLongLong(&ok);
    if (ok)
        return v;
    // A number too long for 64 bits counts as the bound, as the totals do.
    const QString t = entry.trimmed();
    const qsizetype signs = t.startsWith(u'-') || t.startsWith(u'+') ? 1 : 0;
    if (t.size() == signs || !std::all_of(t.begin() + signs, t.end(), [](QChar c) { return c.isDigit(); }))
        return 0;
    return t.startsWith(u'-') ? std::numeric_limits<qint64>::min() : std::numeric_limits<qint64>::max();
}

qint16 parseTotal(const QByteArray& text)
{
    const auto digit = [&](qsizetype i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
    qsizetype i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    // Decimal arithmetic on the digits themselves: exact halves, and no length
    // of digits can overflow, since anything past the 16-bit range is the bound.
    bool anyDigit = false;
    qint64 whole = 0;
    for (; digit(i); ++i) {
        anyDigit = true;
        whole = std::min<qint64>(whole * 10 + (text[i] - '0'), 1'000'000);
    }
    int firstFraction = 0;
    bool restOfFraction = false;
    if (i < text.size() && text[i] == '.') {
        for (qsizetype f = ++i; digit(i); ++i) {
            anyDigit = true;
            if (i == f)
                firstFraction = text[i] - '0';
            else if (text[i] != '0')
                restOfFraction = true;
        }
    }
    if (!anyDigit)
        return 0;
    if (firstFraction > 5 || (firstFraction == 5 && (restOfFraction || whole % 2 == 1)))
        ++whole; // halves to even
    return clampTo16(negative ? -whole : whole);
}

QByteArray formatTotal(qint16 value)
{
    return value < 0 ? QByteArray::number(value) : ' ' + QByteArray::number(value);
}

qint16 saturatingAdd(qint16 total, qint64 amount)
{
    // Bounding the amount first keeps the sum itself from overflowing.
    return clampTo16(total + std::clamp<qint64>(amount, -65536, 65536));
}

Statistics::Statistics(QString filePath, QObject* parent)
    : QObject(parent), filePath_(std::move(filePath)), log_(ReviewLog::pathBeside(filePath_))
{
    splitCounterLists();
}

QString Statistics::defaultFilePath()
{
    return chooseFilePath(QCoreApplication::applicationDirPath(),
                          QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString Statistics::chooseFilePath(const QString& programFolder, const QString& dataFolder)
{
    const QString beside = QDir(programFolder).filePath(QStringLiteral("conf.ini"));
    const QString inData = QDir(dataFolder).filePath(QStringLiteral("conf.ini"));
    if (!QFileInfo(beside).isFile())
        return inData;
    // Every save makes a new file beside the old one, so the folder must take one too.
    if (DurableFile::isReplaceable(beside))
        return beside;
    // Results in a file the program cannot replace move to the data folder once.
    QByteArray bytes;
    if (!QFileInfo::exists(inData) && DurableFile::readAll(beside, bytes) == DurableFile::ReadResult::Read)
        (void)DurableFile::replace(inData, bytes);
    return inData;
}

bool Statistics::loadStatistics()
{
    if (unsaved_)
        return true; // memory holds results the file has not got yet
    QByteArray bytes;
    unreadable_ = DurableFile::readAll(filePath_, bytes) == DurableFile::ReadResult::Failed;
    loadFrom(bytes);
    return !unreadable_;
}

void Statistics::loadFrom(const QByteArray& fileBytes)
{
    const IniFile ini(fileBytes);
    const auto read = [&](const QByteArray& key) { return ini.value(sectionName, key).value_or(QByteArray()); };
    name = read(QByteArrayLiteral("NAME"));
    score = parseTotal(read(QByteArrayLiteral("SCORE")));
    questions = parseTotal(read(QByteArrayLiteral("QUESTIONS")));
    rate = parseTotal(read(QByteArrayLiteral("RATE")));
    nog = parseTotal(read(QByteArrayLiteral("NOG")));
    for (size_t i = 0; i < counterKeys.size(); ++i)
        CounterTexts[i] = QString::fromLatin1(usedItems(ini.valueView(sectionName, counterKeys[i]).value_or("")));
    splitCounterLists();
    const auto review = [&](size_t i) { return ini.valueView(sectionName, reviewKeys[i]).value_or(""); };
    WordReviews = parseReviewLists(review(0), review(1), review(2));
}

void Statistics::splitCounterLists()
{
    for (size_t i = 0; i < CounterTexts.size(); ++i) {
        QStringList items;
        if (!CounterTexts[i].isEmpty())
            items = CounterTexts[i].split(u',');
        items.resize(CounterSlots);
        for (qsizetype t = 1; t < CounterSlots; ++t) {
            if (items[t].isEmpty())
                items[t] = QStringLiteral("0");
        }
        WordStats[i] = items;
    }
}

void Statistics::joinCounterLists()
{
    for (size_t i = 0; i < WordStats.size(); ++i)
        CounterTexts[i] = WordStats[i].join(u',');
}

bool Statistics::saveStatistics()
{
    joinCounterLists();
    QByteArray old;
    const DurableFile::ReadResult read = DurableFile::readAll(filePath_, old);
    bool ok = true;
    // A file that cannot be read, or whose last reading failed so that memory
    // does not hold its results, is never overwritten: it is kept aside first.
    if (read == DurableFile::ReadResult::Failed || (read == DurableFile::ReadResult::Read && unreadable_))
        ok = DurableFile::keepAsBackup(filePath_);
    if (ok) {
        unreadable_ = false;
        IniFile ini(old);
        ini.setValue(sectionName, QByteArrayLiteral("NAME"), name);
        ini.setValue(sectionName, QByteArrayLiteral("SCORE"), formatTotal(score));
        ini.setValue(sectionName, QByteArrayLiteral("QUESTIONS"), formatTotal(questions));
        ini.setValue(sectionName, QByteArrayLiteral("RATE"), formatTotal(rate));
        ini.setValue(sectionName, QByteArrayLiteral("NOG"), formatTotal(nog));
        // A file without the by-ear lists keeps its bytes until a grading by ear
        // counts something; from then on all four are written, as a group.
        bool byEarWritten = false;
        for (size_t i = DrillCounterLists; i < counterKeys.size(); ++i)
            byEarWritten = byEarWritten || ini.value(sectionName, counterKeys[i]).has_value() || anyCount(WordStats[i]);
        const size_t written = byEarWritten ? counterKeys.size() : DrillCounterLists;
        for (size_t i = 0; i < written; ++i)
            ini.setValue(sectionName, counterKeys[i], CounterTexts[i].toLatin1());
        // A file is given the review lists only once a word has been reviewed.
        if (anyReviewState(WordReviews)) {
            const ReviewLists lists = formatReviewLists(WordReviews);
            ini.setValue(sectionName, reviewKeys[0], lists.days);
            ini.setValue(sectionName, reviewKeys[1], lists.stabilities);
            ini.setValue(sectionName, reviewKeys[2], lists.difficulties);
        }
        ok = DurableFile::replace(filePath_, ini.bytes(), beforeCommit_);
    }
    unsaved_ = !ok;
    if (!ok && !failureReported_) {
        failureReported_ = true;
        emit saveFailed();
    }
    return ok;
}

qint64 Statistics::counter(CounterList list, int tkey) const
{
    return counterValue(WordStats[index(list)][tkey]);
}

void Statistics::incrementCounter(CounterList list, int tkey)
{
    QString& entry = WordStats[index(list)][tkey];
    const qint64 value = counterValue(entry);
    if (value < std::numeric_limits<qint64>::max())
        entry = QString::number(value + 1);
}

void Statistics::recordReview(int tkey, bool right, qint32 today)
{
    if (tkey > 0 && tkey < ReviewSlots)
        ::recordReview(WordReviews[static_cast<size_t>(tkey)], right, today);
}

GradingResult Statistics::recordGrading(const GradedSet& set, qint32 today)
{
    const CounterList tries = triesList(set.kind, set.byEar);
    const CounterList right = correctList(set.kind, set.byEar);
    GradingResult result;
    result.count = static_cast<int>(set.answers.size());
    for (const GradedAnswer& a : set.answers) {
        const bool known = a.tkey > 0 && a.tkey < CounterSlots;
        result.correct += a.right ? 1 : 0;
        if (known)
            recordReview(a.tkey, a.right, today);
        if (set.reviewsOnly)
            continue;
        if (known)
            incrementCounter(tries, a.tkey);
        questions = saturatingAdd(questions, 1);
        if (a.right) {
            score = saturatingAdd(score, 1);
            if (known)
                incrementCounter(right, a.tkey);
        }
    }
    if (!set.reviewsOnly)
        addToTotals(set, result);
    saveStatistics();
    if (!set.reviewsOnly)
        computeCoverage();

    const QDateTime at = set.timeMs != 0 ? QDateTime::fromMSecsSinceEpoch(set.timeMs) : QDateTime::currentDateTime();
    const QuestionKind question = set.question.value_or(questionKind(set.kind, set.byEar));
    QList<LoggedAnswer> logged;
    logged.reserve(set.answers.size());
    for (const GradedAnswer& a : set.answers)
        logged.append(
            {at.toMSecsSinceEpoch(), today, a.tkey, a.question.value_or(question), a.right, a.given, a.expected, -1});
    (void)log_.append(logged);
    return result;
}

void Statistics::addToTotals(const GradedSet& set, const GradingResult& result)
{
    // The totals take every grading, by ear too: they measure the learner's
    // work, while the per-word lists keep coverage apart. A grading's score on
    // RATE's scale is num / den: the typed drills' percentage rounded down
    // first, the translation drill's 90 points a right answer, divided only in
    // the average. The running average is taken in 64 bits so that no stored
    // total can overflow it; a NOG of -1 from a hand-edited file must not divide by 0.
    const qint64 count = result.count;
    const bool typed = set.kind != DrillKind::TranslationDrill;
    const qint64 num = count == 0 ? 0 : typed ? floorDiv(100 * result.correct, count) : 90 * qint64{result.correct};
    const qint64 den = count == 0 || typed ? 1 : count;
    const qint64 n = nog;
    const qint64 divisor = den * (n + 1);
    rate = clampTo16(divisor == 0 ? floorDiv(num, den) : floorDiv(num + den * n * rate, divisor));
    nog = saturatingAdd(nog, 1);
}

QuestionKind questionKind(DrillKind kind, bool byEar)
{
    switch (kind) {
    case DrillKind::ToneDrill:
        return byEar ? QuestionKind::ToneByEar : QuestionKind::Tone;
    case DrillKind::PinyinDrill:
        return byEar ? QuestionKind::PinyinByEar : QuestionKind::Pinyin;
    case DrillKind::TranslationDrill:
        break;
    }
    return QuestionKind::Translation;
}

int Statistics::coveredCount(DrillKind kind) const
{
    int covered = 0;
    for (int t = 1; t < CounterSlots; ++t) {
        if (counter(triesList(kind), t) != 0 && counter(correctList(kind), t) != 0)
            ++covered;
    }
    return covered;
}

void Statistics::computeCoverage()
{
    const int cP = coveredCount(DrillKind::PinyinDrill);
    const int cT = coveredCount(DrillKind::ToneDrill);
    const int cR = coveredCount(DrillKind::TranslationDrill);
    pinyinCoverage = (cP + cT) / 10;
    translationCoverage = cR / 5;
    emit coverageChanged();
}

int Statistics::mascotFor(int pinyinPercent, int translationPercent)
{
    const int s = pinyinPercent + translationPercent;
    return s < 50 ? 1 : s < 140 ? 2 : s < 200 ? 3 : 4;
}

bool Statistics::canUsePinyinDrill() const
{
    return pinyinCoverage > 50;
}
