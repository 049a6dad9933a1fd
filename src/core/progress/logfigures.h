#pragma once

#include "core/reviewlog.h"

#include <QList>
#include <QString>

#include <array>
#include <vector>

class DB;

// Answers of one local calendar day (a Julian day number).
struct DayCount {
    qint32 day = 0;
    int right = 0;
    int wrong = 0;
    bool operator==(const DayCount&) const = default;
};
// The last `days` days up to today, oldest first.
QList<DayCount> answersPerDay(const QList<LoggedAnswer>& log, qint32 today, int days = 30);

// The reviews of one week: the first answer of a word on a day, of words
// answered on an earlier day (so they had a memory state), and how many were right.
struct WeekRetention {
    qint32 firstDay = 0; // the week is firstDay .. firstDay + 6
    int reviews = 0;
    int right = 0;
    bool operator==(const WeekRetention&) const = default;
};
// The last `weeks` weeks, the last one ending today, oldest first. A word had
// a state when its first day in the log came before the day.
QList<WeekRetention> retentionPerWeek(const QList<LoggedAnswer>& log, const FirstDays& firstDay, qint32 today,
                                      int weeks = 12);

// Tones as the confusions count them: 0 neutral, 1 to 4.
constexpr int ToneClasses = 5;
// "1声" .. "4声", "軽声".
QString toneName(int tone);

struct ToneConfusion {
    int expected = 0;
    int answered = 0;
    int count = 0;
    bool operator==(const ToneConfusion&) const = default;
};
// 「3声を2声と答えた：12回」
QString confusionSentence(const ToneConfusion& c);

// Expected tone against answered tone, syllable by syllable, over every wrong
// typed answer that carries tones; only the syllables answered wrong count (a
// changed tone of 一 or 不 is right, as the grading takes it). Answers whose
// syllables cannot be matched up with the word's are left out.
class ToneConfusions {
  public:
    int count(int expected, int answered) const { return counts_[expected][answered]; }
    int total() const { return total_; }
    // The most frequent confusions, most first; ties by expected, then answered tone.
    QList<ToneConfusion> mostFrequent(int n = 3) const;
    // The words whose answers show the confusion, most often first, then by key.
    QList<int> wordsBehind(int expected, int answered) const;

    void add(int word, int expected, int answered);

  private:
    std::array<std::array<int, ToneClasses>, ToneClasses> counts_{};
    std::vector<int> perWord_; // [(expected * ToneClasses + answered) * 501 + word]
    int total_ = 0;
};
ToneConfusions toneConfusions(const QList<LoggedAnswer>& log, const DB& db);
