#pragma once

#include <array>

// The FSRS-6 memory model (Free Spaced Repetition Scheduler, version 6).
//
// Formulas: "The Algorithm" (FSRS-6) as published by the open-spaced-repetition
// project (fsrs4anki wiki, fsrs-rs); default parameters: the 21 FSRS-6 defaults
// published with fsrs-rs and ts-fsrs 5.x. Those projects are MIT licensed; the
// code here is our own, written from the formulas.
//
// A memory state is stability S (days until recall falls to 90 %) and
// difficulty D (1..10). Elapsed time is in whole calendar days; 0 means a
// second review on the same day, which follows the short-term rule.

enum class Rating : int { Again = 1, Hard = 2, Good = 3, Easy = 4 };

struct MemoryState {
    double stability = 0;
    double difficulty = 0;
};

class Fsrs {
  public:
    static constexpr int ParameterCount = 21;
    using Parameters = std::array<double, ParameterCount>;
    static constexpr Parameters DefaultParameters = {
        0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194, 0.001,  1.8722, 0.1666, 0.796,
        1.4835, 0.0614, 0.2629, 1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542,
    };
    static constexpr double DefaultRetention = 0.9;
    static constexpr int MaximumInterval = 36500;
    // Bounds the model keeps stability within.
    static constexpr double MinStability = 0.001;
    static constexpr double MaxStability = 36500;

    explicit Fsrs(const Parameters& w = DefaultParameters, double desiredRetention = DefaultRetention);

    // The state after a word's very first review.
    MemoryState initialState(Rating rating) const;
    // The state after a later review, elapsedDays after the previous one
    // (0: same day). A negative elapsed time counts as 0.
    MemoryState nextState(const MemoryState& state, int elapsedDays, Rating rating) const;

    // Probability of recall t days after a review that left stability s.
    double retrievability(double elapsedDays, double stability) const;
    // Days until recall falls to the desired retention, as a real number.
    double intervalDays(double stability) const;
    // The scheduled interval: intervalDays rounded half up, 1..MaximumInterval.
    int nextInterval(double stability) const;

    const Parameters& parameters() const { return w_; }
    double desiredRetention() const { return retention_; }

  private:
    double initialDifficulty(Rating rating) const;
    double nextDifficulty(double d, Rating rating) const;
    double recallStability(const MemoryState& m, double r, Rating rating) const;
    double forgetStability(const MemoryState& m, double r) const;
    double sameDayStability(double s, Rating rating) const;

    Parameters w_;
    double retention_;
    double decay_;  // -w20
    double factor_; // 0.9^(1/decay) - 1, so that R(S, S) = 0.9
};
