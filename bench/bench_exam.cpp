// Times drawing the exam practice's sections from the 500 words: the generator
// the sheet makes when it opens, then each section (limit 1 ms), over many
// seeds. Processor time of this thread, as bench_screens reads it: on a busy
// machine the wall clock also counts the time other programs had the processor.
#include "core/exam/examitems.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

double cpuUs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e6 + static_cast<double>(ts.tv_nsec) / 1e3;
}

void timeIt(const char* what, const char* limit, int calls, const std::function<void(int)>& work)
{
    std::vector<double> cpu, wall;
    for (int i = 0; i < calls; ++i) {
        QElapsedTimer timer;
        timer.start();
        const double start = cpuUs();
        work(i);
        cpu.push_back(cpuUs() - start);
        wall.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e3);
    }
    std::sort(cpu.begin(), cpu.end());
    std::sort(wall.begin(), wall.end());
    std::printf("%-32s cpu median %7.1f  99th %7.1f  max %7.1f us | wall median %7.1f us (%s, %d calls)\n", what,
                cpu[cpu.size() / 2], cpu[cpu.size() * 99 / 100], cpu.back(), wall[wall.size() / 2], limit, calls);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    DB db;
    db.initCharTable();
    db.initWordTable();

    timeIt("ExamGenerator (all 500 words)", "once per sheet", 50, [&](int) { const ExamGenerator g(db); });
    const ExamGenerator generator(db);
    qsizetype items = 0;
    timeIt("section 筆記 第1問", "limit 1000 us", 2000, [&](int seed) {
        items += generator.section(ExamSectionKind::Written, static_cast<quint32>(seed)).items.size();
    });
    timeIt("section 聞き取り", "limit 1000 us", 2000, [&](int seed) {
        items += generator.section(ExamSectionKind::Listening, static_cast<quint32>(seed)).items.size();
    });
    if (items != 2 * 2000 * ExamItemsPerSection)
        std::printf("short sections: %lld items of %d\n", static_cast<long long>(items),
                    2 * 2000 * ExamItemsPerSection);
    return 0;
}
