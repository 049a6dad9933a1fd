// Times the word list builders, the choice sets for every word and the
// rankings, on the real tables. Prints microseconds per call.
#include "core/browse/rankings.h"
#include "core/choicesets.h"
#include "core/selection/wordlistbuilders.h"
#include "core/tovak.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {

void timeIt(const char* name, int rounds, const std::function<void()>& work)
{
    work(); // warm up
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rounds; ++i)
        work();
    const double us = static_cast<double>(timer.nsecsElapsed()) / 1000.0 / rounds;
    std::printf("%-36s %10.1f us/call  (%d calls)\n", name, us, rounds);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    Tovak t(12345, dir.filePath(u"conf.ini"_s));
    t.initTables();
    // Some drill history so the weak-point search has work to do.
    for (int k = 1; k <= 500; k += 3) {
        t.stats.WordStats[static_cast<int>(CounterList::P_NOGPT)][k] = QString::number(k % 7 + 1);
        t.stats.WordStats[static_cast<int>(CounterList::P_NORPT)][k] = QString::number(k % 3);
    }

    const int rounds = 200;
    timeIt("searchFreeWord \"\" (all 500)", rounds, [&] { searchFreeWord(t, QString()); });
    timeIt("searchFreeWord \"shang\"", rounds, [&] { searchFreeWord(t, u"shang"_s); });
    timeIt("searchRandom \"40問\"", rounds, [&] { searchRandom(t, u"40問"_s); });
    timeIt("searchGenre \"社会生活\"", rounds, [&] { searchGenre(t, u"社会生活"_s); });
    timeIt("searchCharnum \"2文字\"", rounds, [&] { searchCharnum(t, u"2文字"_s); });
    timeIt("searchWeakpoint \"ピンイン正答率50%以下\"", rounds,
           [&] { searchWeakpoint(t, u"ピンイン正答率50%以下"_s); });
    timeIt("searchTonePattern \"4声＋4声\"", rounds, [&] { searchTonePattern(t, u"4声＋4声"_s); });
    timeIt("shuffleWordList (500 words)", rounds, [&] {
        searchFreeWord(t, QString());
        shuffleWordList(t);
    });

    searchFreeWord(t, QString());
    timeIt("buildChoiceSets (500 words)", 50, [&] { buildChoiceSets(t); });

    const char* kinds[] = {"buildRanking 1 (overall)", "buildRanking 2 (listening)", "buildRanking 3 (written words)",
                           "buildRanking 4 (written sentences)"};
    for (int kind = 1; kind <= 4; ++kind)
        timeIt(kinds[kind - 1], 50, [&] { buildRanking(t, kind); });
    return 0;
}
