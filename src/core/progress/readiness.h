#pragma once

#include "core/reviewschedule.h"

#include <QList>

class DB;

// The day a word falls due after a review on lastDay that left stability s:
// the first day its predicted recall is below the desired retention, as the
// review search counts it.
qint32 dueDayAfter(qint32 lastDay, double stability);

// Reviews due on each of the next `days` days from today, if every review is
// done on its day and answered right; overdue words count today.
QList<int> dueForecast(const ReviewTable& reviews, qint32 today, int days = 30);

// A word's weight in the examinations: the overall counts of its characters
// (each character once), the count the overall ranking orders them by.
// Indexed by word key; position 0 belongs to no word.
QList<int> examWeights(const DB& db);

// Expected recall of the vocabulary on day `day`: every word's predicted
// recall from its memory state (0 for a word never reviewed), weighted by its
// examination weight; 0 to 1.
double readiness(const ReviewTable& reviews, const QList<int>& weights, qint32 today, qint32 day);

// The fewest new words a day that bring readiness on the exam day to the
// target, if every review due before that day is done on its day and answered
// right (the model run day by day); new words are taken in examination-weight
// order, heaviest first, then by key. Out of reach, the rate that comes closest.
struct StudyPlan {
    bool possible = false;  // a plan exists for that day (after today, within MaxDays)
    bool reachable = false; // the target is reached, at newPerDay words a day
    int newPerDay = 0;
    int newWords = 0;         // words learnt by the plan
    double reached = 0;       // readiness on the exam day under the plan, 0 to 1
    double reviewsPerDay = 0; // reviews the plan asks for, on average, new words' first answers not counted
    int days = 0;             // study days: today up to the day before the exam

    bool operator==(const StudyPlan&) const = default;
};
constexpr int MaxPlanDays = 3653; // ten years
StudyPlan studyPlan(const ReviewTable& reviews, const QList<int>& weights, qint32 today, qint32 examDay,
                    double target = 0.9);
