#include "core/progress/readiness.h"

#include "data/db.h"

#include <QSet>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace {

// Where a word's chain of right answers leaves it on the exam day.
struct Chain {
    double recall = 0; // on the exam day
    int reviews = 0;   // before it
};

// From a review on `last` that left `state`, every review done on its due day
// and right, up to the day before `examDay`.
Chain runChain(qint32 last, MemoryState state, qint32 due, qint32 examDay)
{
    const Fsrs& model = reviewModel();
    Chain c;
    while (due < examDay) {
        state = model.nextState(state, due - last, Rating::Good);
        last = due;
        due = dueDayAfter(last, state.stability);
        ++c.reviews;
    }
    c.recall = model.retrievability(examDay - last, state.stability);
    return c;
}

} // namespace

qint32 dueDayAfter(qint32 lastDay, double stability)
{
    const Fsrs& model = reviewModel();
    const double retention = model.desiredRetention();
    const auto below = [&](qint64 t) { return model.retrievability(double(t), stability) < retention; };
    // The interval is where recall meets the retention; the neighbours settle rounding.
    qint64 t = std::clamp<qint64>(qint64(std::floor(model.intervalDays(stability))) + 1, 1, 2 * Fsrs::MaximumInterval);
    while (t > 1 && below(t - 1))
        --t;
    while (!below(t) && t < 2 * Fsrs::MaximumInterval)
        ++t;
    return static_cast<qint32>(std::min<qint64>(lastDay + t, std::numeric_limits<qint32>::max()));
}

QList<int> dueForecast(const ReviewTable& reviews, qint32 today, int days)
{
    QList<int> out(std::max(days, 0), 0);
    const Fsrs& model = reviewModel();
    for (size_t t = 1; t < reviews.size(); ++t) {
        const WordReview& r = reviews[t];
        if (!r.hasState)
            continue;
        qint32 last = std::min(r.lastDay, today);
        MemoryState state = r.state;
        for (qint32 due = std::max(today, dueDayAfter(last, state.stability)); due - today < days;) {
            ++out[due - today];
            state = model.nextState(state, due - last, Rating::Good);
            last = due;
            due = dueDayAfter(last, state.stability);
        }
    }
    return out;
}

QList<int> examWeights(const DB& db)
{
    QList<int> weights(std::max(db.lastWordKey() + 1, 1), 0);
    for (int w = 1; w <= db.lastWordKey(); ++w) {
        QSet<int> seen;
        for (int c : db.wordCKeys(w)) {
            if (c >= 1 && c <= db.lastCharKey() && !seen.contains(c)) {
                seen.insert(c);
                weights[w] += std::max(db.charInt(c, CharField::Total), 0);
            }
        }
    }
    return weights;
}

double readiness(const ReviewTable& reviews, const QList<int>& weights, qint32 today, qint32 day)
{
    double total = 0;
    double recalled = 0;
    const qsizetype n = std::min<qsizetype>(weights.size(), static_cast<qsizetype>(reviews.size()));
    for (qsizetype t = 1; t < n; ++t) {
        total += weights[t];
        const WordReview& r = reviews[static_cast<size_t>(t)];
        if (r.hasState)
            recalled += weights[t] * recallOn(r, today, day);
    }
    return total > 0 ? recalled / total : 0;
}

StudyPlan studyPlan(const ReviewTable& reviews, const QList<int>& weights, qint32 today, qint32 examDay, double target)
{
    StudyPlan plan;
    const qint64 days = qint64(examDay) - today;
    if (days <= 0 || days > MaxPlanDays)
        return plan;
    plan.possible = true;
    plan.days = static_cast<int>(days);

    const qsizetype n = std::min<qsizetype>(weights.size(), static_cast<qsizetype>(reviews.size()));
    double total = 0;
    double known = 0; // the reviewed words' weighted recall on the day
    int knownReviews = 0;
    QList<int> fresh; // words never reviewed
    for (qsizetype t = 1; t < n; ++t) {
        total += weights[t];
        const WordReview& r = reviews[static_cast<size_t>(t)];
        if (!r.hasState) {
            fresh.append(static_cast<int>(t));
            continue;
        }
        const qint32 last = std::min(r.lastDay, today);
        const Chain c = runChain(last, r.state, std::max(today, dueDayAfter(last, r.state.stability)), examDay);
        known += weights[t] * c.recall;
        knownReviews += c.reviews;
    }
    if (total <= 0)
        return plan;
    std::stable_sort(fresh.begin(), fresh.end(), [&](int a, int b) { return weights[a] > weights[b]; });

    // Every new word starts alike, so one chain per first day says it all.
    const MemoryState learnt = reviewModel().initialState(Rating::Good);
    QList<Chain> startingOn(plan.days);
    for (int d = 0; d < plan.days; ++d) {
        const qint32 day = today + d;
        startingOn[d] = runChain(day, learnt, dueDayAfter(day, learnt.stability), examDay);
    }

    const auto evaluate = [&](int perDay) {
        StudyPlan p = plan;
        p.newPerDay = perDay;
        double recalled = known;
        int reviewCount = knownReviews;
        const qsizetype learnable = perDay == 0 ? 0 : std::min<qint64>(fresh.size(), qint64(perDay) * plan.days);
        for (qsizetype i = 0; i < learnable; ++i) {
            const Chain& c = startingOn[static_cast<qsizetype>(i / perDay)];
            recalled += weights[fresh[i]] * c.recall;
            reviewCount += c.reviews;
        }
        p.newWords = static_cast<int>(learnable);
        p.reached = recalled / total;
        p.reviewsPerDay = double(reviewCount) / plan.days;
        p.reachable = p.reached >= target;
        return p;
    };
    // Not monotonic: a word learnt earlier may fall due on the exam day itself,
    // just below the retention. So every rate is tried, and the best is kept
    // for a target out of reach.
    StudyPlan best = evaluate(0);
    for (int perDay = 1; !best.reachable && perDay <= fresh.size(); ++perDay) {
        const StudyPlan p = evaluate(perDay);
        if (p.reachable || p.reached > best.reached)
            best = p;
    }
    return best;
}
