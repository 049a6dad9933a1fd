#include "core/reviewschedule.h"

#include "core/statistics.h"

#include <QDate>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace {

const qint64 firstDay = QDate(2000, 1, 1).toJulianDay();
const qint64 lastDay = QDate(9999, 12, 31).toJulianDay();
// Longer than any number this program writes (17 digits, sign, point, exponent),
// so a hand-made monster is refused before it is even converted.
constexpr qsizetype longestNumber = 32;

using Items = std::array<QByteArrayView, ReviewSlots>;

Items splitItems(QByteArrayView list)
{
    Items items{};
    list = usedItems(list);
    qsizetype start = 0;
    for (int i = 0; i < ReviewSlots && start <= list.size(); ++i) {
        qsizetype end = list.indexOf(',', start);
        if (end < 0)
            end = list.size();
        items[static_cast<size_t>(i)] = list.sliced(start, end - start).trimmed();
        start = end + 1;
    }
    return items;
}

std::optional<double> finiteNumber(QByteArrayView text)
{
    if (text.isEmpty() || text.size() > longestNumber)
        return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint32> dayNumber(QByteArrayView text)
{
    if (text.isEmpty() || text.size() > longestNumber)
        return std::nullopt;
    bool ok = false;
    const qint64 day = text.toLongLong(&ok);
    if (!ok || day < firstDay || day > lastDay)
        return std::nullopt;
    return static_cast<qint32>(day);
}

} // namespace

const Fsrs& reviewModel()
{
    static const Fsrs model;
    return model;
}

void recordReview(WordReview& review, bool right, qint32 today)
{
    const Rating rating = right ? Rating::Good : Rating::Again;
    if (review.hasState) {
        const qint64 elapsed = qint64(today) - std::min(review.lastDay, today);
        review.state = reviewModel().nextState(review.state, static_cast<int>(elapsed), rating);
    } else {
        review.state = reviewModel().initialState(rating);
        review.hasState = true;
    }
    review.lastDay = today;
}

double recallOn(const WordReview& review, qint32 today, qint32 day)
{
    const qint64 elapsed = std::max<qint64>(0, qint64(day) - std::min(review.lastDay, today));
    return reviewModel().retrievability(static_cast<double>(elapsed), review.state.stability);
}

ReviewLists formatReviewLists(const ReviewTable& reviews)
{
    ReviewLists lists;
    for (int t = 1; t < ReviewSlots; ++t) {
        const WordReview& r = reviews[static_cast<size_t>(t)];
        lists.days += ',';
        lists.stabilities += ',';
        lists.difficulties += ',';
        if (r.hasState) {
            lists.days += QByteArray::number(r.lastDay);
            lists.stabilities += QByteArray::number(r.state.stability, 'g', 17);
            lists.difficulties += QByteArray::number(r.state.difficulty, 'g', 17);
        }
    }
    return lists;
}

ReviewTable parseReviewLists(QByteArrayView days, QByteArrayView stabilities, QByteArrayView difficulties)
{
    ReviewTable reviews{};
    const Items dayItems = splitItems(days);
    const Items sItems = splitItems(stabilities);
    const Items dItems = splitItems(difficulties);
    for (size_t t = 1; t < ReviewSlots; ++t) {
        const std::optional<qint32> day = dayNumber(dayItems[t]);
        const std::optional<double> s = finiteNumber(sItems[t]);
        const std::optional<double> d = finiteNumber(dItems[t]);
        if (!day || !s || !d || *s < Fsrs::MinStability || *s > Fsrs::MaxStability || *d < 1 || *d > 10)
            continue;
        reviews[t] = {*day, {*s, *d}, true};
    }
    return reviews;
}

bool anyReviewState(const ReviewTable& reviews)
{
    return std::any_of(reviews.begin(), reviews.end(), [](const WordReview& r) { return r.hasState; });
}

QList<int> dueWords(const ReviewTable& reviews, qint32 today, int horizonDays, const WordRank& rankOfWord)
{
    struct Due {
        double recall;
        int rank;
        int tkey;
    };
    const qint32 day = today + std::max(horizonDays, 0);
    const double retention = reviewModel().desiredRetention();
    std::vector<Due> due;
    due.reserve(ReviewSlots);
    for (int t = 1; t < ReviewSlots; ++t) {
        const WordReview& r = reviews[static_cast<size_t>(t)];
        if (!r.hasState)
            continue;
        const double recall = recallOn(r, today, day);
        if (recall < retention)
            due.push_back({recall, rankOfWord ? rankOfWord(t) : 0, t});
    }
    std::sort(due.begin(), due.end(), [](const Due& a, const Due& b) {
        if (a.recall != b.recall)
            return a.recall < b.recall;
        if (a.rank != b.rank)
            return a.rank < b.rank;
        return a.tkey < b.tkey;
    });
    QList<int> keys;
    keys.reserve(static_cast<qsizetype>(due.size()));
    for (const Due& d : due)
        keys.append(d.tkey);
    return keys;
}

int dueCount(const ReviewTable& reviews, qint32 today, int horizonDays)
{
    const qint32 day = today + std::max(horizonDays, 0);
    const double retention = reviewModel().desiredRetention();
    return static_cast<int>(std::count_if(reviews.begin() + 1, reviews.end(), [&](const WordReview& r) {
        return r.hasState && recallOn(r, today, day) < retention;
    }));
}
