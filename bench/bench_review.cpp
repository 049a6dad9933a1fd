// Times the due list over all 500 words with a review state, and reading the
// review lists back from a full conf.ini section.
#include "core/reviewschedule.h"
#include "core/statistics.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const qint32 today = static_cast<qint32>(QDate(2026, 3, 1).toJulianDay());

    // Every word reviewed a few times over the last months, with a fixed seed.
    std::mt19937 rng(7);
    ReviewTable reviews{};
    for (int t = 1; t < ReviewSlots; ++t) {
        qint32 day = today - 200 + static_cast<qint32>(rng() % 30);
        WordReview& r = reviews[static_cast<size_t>(t)];
        for (int n = 0; n < 6 && day <= today; ++n) {
            recordReview(r, rng() % 4 != 0, day);
            day += static_cast<qint32>(rng() % 40);
        }
    }
    const WordRank rank = [](int tkey) { return (tkey * 37) % 500; };

    constexpr int runs = 2000;
    std::vector<double> micros;
    micros.reserve(runs);
    qsizetype due = 0;
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        timer.start();
        due += dueWords(reviews, today, i % 8, rank).size();
        micros.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e3);
    }
    std::nth_element(micros.begin(), micros.begin() + runs / 2, micros.end());
    std::printf("dueWords over 500 words with a state (%lld due on average): median %.1f us (limit 1000 us)\n",
                static_cast<long long>(due / runs), micros[runs / 2]);

    const ReviewLists lists = formatReviewLists(reviews);
    timer.start();
    constexpr int parses = 200;
    for (int i = 0; i < parses; ++i)
        (void)parseReviewLists(lists.days, lists.stabilities, lists.difficulties);
    std::printf("parseReviewLists of three full lists (%lld bytes): %.3f ms\n",
                static_cast<long long>(lists.days.size() + lists.stabilities.size() + lists.difficulties.size()),
                static_cast<double>(timer.nsecsElapsed()) / parses / 1e6);
    return 0;
}
