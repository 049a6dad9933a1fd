// Times drawing the exam practice's sections from the 500 words: the generator
// the screen makes when it opens, then each section (limit 1 ms), median and
// slowest of many seeds.
#include "core/exam/examitems.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void report(const char* what, std::vector<double>& micros)
{
    std::sort(micros.begin(), micros.end());
    std::printf("%-34s median %7.1f us, 99th %7.1f us, slowest %7.1f us (limit 1000 us)\n", what,
                micros[micros.size() / 2], micros[micros.size() * 99 / 100], micros.back());
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    DB db;
    db.initCharTable();
    db.initWordTable();

    QElapsedTimer timer;
    constexpr int builds = 50;
    std::vector<double> made;
    for (int i = 0; i < builds; ++i) {
        timer.start();
        const ExamGenerator g(db);
        made.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e3);
    }
    report("ExamGenerator (all 500 words)", made);

    const ExamGenerator generator(db);
    constexpr quint32 seeds = 2000;
    for (const ExamSectionKind kind : {ExamSectionKind::Written, ExamSectionKind::Listening}) {
        std::vector<double> micros;
        micros.reserve(seeds);
        qsizetype items = 0;
        for (quint32 seed = 1; seed <= seeds; ++seed) {
            timer.start();
            items += generator.section(kind, seed).items.size();
            micros.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e3);
        }
        report(kind == ExamSectionKind::Written ? "section 筆記 第1問" : "section 聞き取り", micros);
        if (items != qsizetype{seeds} * ExamItemsPerSection)
            std::printf("  short sections: %lld items of %lld\n", static_cast<long long>(items),
                        static_cast<long long>(seeds) * ExamItemsPerSection);
    }
    return 0;
}
