// Times loading plus saving a full statistics file, loading a hostile one, and the ranking sort over
// all 803 character rows.
#include "core/listutil.h"
#include "core/statistics.h"
#include "core/tovak.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

#include <sys/resource.h>

namespace {

long peakRssKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("conf.ini"));

    Statistics full(path);
    full.loadStatistics();
    for (int t = 1; t <= 500; ++t) {
        for (int l = 0; l < CounterListCount; ++l) {
            for (int n = 0; n < 123; ++n)
                full.incrementCounter(static_cast<CounterList>(l), t);
        }
    }
    full.saveStatistics();

    constexpr int rounds = 200;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rounds; ++i) {
        Statistics s(path);
        s.loadStatistics();
        s.computeCoverage();
        s.saveStatistics();
    }
    const double perRound = static_cast<double>(timer.nsecsElapsed()) / rounds / 1e6;
    std::printf("loadStatistics + computeCoverage + saveStatistics, full file: %.3f ms\n", perRound);

    // A hostile file: one counter line of 10 MB.
    QByteArray huge = "[STATISTICS]\r\nP_NOGPT=";
    while (huge.size() < 10'000'000)
        huge += "12,";
    const long rssBefore = peakRssKiB();
    timer.restart();
    Statistics hostile(path);
    hostile.loadFrom(huge);
    std::printf("loadFrom with a 10 MB counter line: %.1f ms, peak memory grew by %ld KiB\n",
                static_cast<double>(timer.nsecsElapsed()) / 1e6, peakRssKiB() - rssBefore);

    Tovak tovak(1, path);
    tovak.initTables();
    const SortBuffer table = tovak.db.charTable();
    for (int column = 1; column <= 4; ++column) {
        timer.restart();
        for (int i = 0; i < rounds; ++i) {
            SortBuffer buffer = table;
            sortByColumn(buffer, column, 1, static_cast<int>(buffer.size()) - 1);
        }
        std::printf("sortByColumn(%d, 1, 803) with the copy: %.3f ms\n", column,
                    static_cast<double>(timer.nsecsElapsed()) / rounds / 1e6);
    }
    return 0;
}
