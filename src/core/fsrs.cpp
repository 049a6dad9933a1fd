#include "core/fsrs.h"

#include <algorithm>
#include <cmath>

namespace {

int grade(Rating rating)
{
    return static_cast<int>(rating);
}

} // namespace

Fsrs::Fsrs(const Parameters& w, double desiredRetention)
    : w_(w), retention_(desiredRetention), decay_(-w[20]), factor_(std::pow(0.9, 1.0 / decay_) - 1.0)
{
}

MemoryState Fsrs::initialState(Rating rating) const
{
    // A tiny first stability would make every later step degenerate.
    return {std::max(w_[static_cast<size_t>(grade(rating) - 1)], 0.1),
            std::clamp(initialDifficulty(rating), 1.0, 10.0)};
}

MemoryState Fsrs::nextState(const MemoryState& state, int elapsedDays, Rating rating) const
{
    const int t = std::max(elapsedDays, 0);
    double s = 0;
    if (t == 0) {
        s = sameDayStability(state.stability, rating);
    } else {
        const double r = retrievability(t, state.stability);
        s = rating == Rating::Again ? forgetStability(state, r) : recallStability(state, r, rating);
    }
    return {s, nextDifficulty(state.difficulty, rating)};
}

double Fsrs::retrievability(double elapsedDays, double stability) const
{
    return std::pow(1.0 + factor_ * elapsedDays / stability, decay_);
}

double Fsrs::intervalDays(double stability) const
{
    return stability / factor_ * (std::pow(retention_, 1.0 / decay_) - 1.0);
}

int Fsrs::nextInterval(double stability) const
{
    const double rounded = std::floor(intervalDays(stability) + 0.5);
    return static_cast<int>(std::clamp(rounded, 1.0, double(MaximumInterval)));
}

double Fsrs::initialDifficulty(Rating rating) const
{
    return w_[4] - std::exp(w_[5] * (grade(rating) - 1)) + 1.0;
}

double Fsrs::nextDifficulty(double d, Rating rating) const
{
    // The step shrinks as D nears 10 (linear damping), then D is pulled a
    // little toward the initial difficulty of Easy (mean reversion, unclamped).
    const double delta = -w_[6] * (grade(rating) - 3);
    const double damped = d + delta * (10.0 - d) / 9.0;
    const double reverted = w_[7] * initialDifficulty(Rating::Easy) + (1.0 - w_[7]) * damped;
    return std::clamp(reverted, 1.0, 10.0);
}

double Fsrs::recallStability(const MemoryState& m, double r, Rating rating) const
{
    const double hardPenalty = rating == Rating::Hard ? w_[15] : 1.0;
    const double easyBonus = rating == Rating::Easy ? w_[16] : 1.0;
    const double increase = std::exp(w_[8]) * (11.0 - m.difficulty) * std::pow(m.stability, -w_[9]) *
                            (std::exp(w_[10] * (1.0 - r)) - 1.0) * hardPenalty * easyBonus;
    return std::clamp(m.stability * (1.0 + increase), MinStability, MaxStability);
}

double Fsrs::forgetStability(const MemoryState& m, double r) const
{
    const double s = w_[11] * std::pow(m.difficulty, -w_[12]) * (std::pow(m.stability + 1.0, w_[13]) - 1.0) *
                     std::exp(w_[14] * (1.0 - r));
    // FSRS-6 caps stability after a lapse at S / e^(w17 * w18).
    const double ceiling = std::clamp(s, MinStability, MaxStability);
    return std::min(std::max(m.stability / std::exp(w_[17] * w_[18]), MinStability), ceiling);
}

double Fsrs::sameDayStability(double s, Rating rating) const
{
    double increase = std::pow(s, -w_[19]) * std::exp(w_[17] * (grade(rating) - 3 + w_[18]));
    // A same-day success never lowers stability.
    if (rating != Rating::Again)
        increase = std::max(increase, 1.0);
    return std::clamp(s * increase, MinStability, MaxStability);
}
