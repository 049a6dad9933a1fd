// Browsing cost in-process, on real widgets: a page turn of the ranking list
// (PageDown) and a step of the character detail (Next), each alone and with
// the paint that follows it (the event loop repaints what changed). The first pass through the list decodes every
// glyph it shows ("first visit"); later passes find them decoded. Goal: under
// 2 ms each.
#include "core/browse/rankings.h"
#include "core/tovak.h"
#include "ui/browse/frmChar.h"
#include "ui/browse/frmListC.h"
#include "ui/screenregistry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <vector>

namespace {

struct Figures {
    double median = 0;
    double p95 = 0;
    double cpuMedian = 0;
};

double processCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// step() is timed runs times; afterwards() runs outside the timing. The
// process's CPU time (Qt paints large areas on helper threads too) is kept
// beside the wall time: on a busy machine it is the steadier figure.
Figures measure(int runs, const std::function<void()>& step, const std::function<void()>& afterwards)
{
    std::vector<double> wall, cpu;
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        const double cpuStart = processCpuMs();
        timer.start();
        step();
        wall.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(processCpuMs() - cpuStart);
        afterwards();
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], wall[wall.size() * 95 / 100], cpu[cpu.size() / 2]};
}

void print(const char* what, const Figures& f)
{
    std::printf("  %-36s median %6.3f ms   p95 %6.3f ms   CPU median %6.3f ms\n", what, f.median, f.p95, f.cpuMedian);
}

void pressKey(QWidget& w, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &press);
}

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(20, std::atoi(argv[1])) : 2000;
    QTemporaryDir dir;
    Tovak tovak(12345, dir.filePath(QStringLiteral("conf.ini")));
    tovak.initTables();
    ScreenRegistry screens(tovak);
    screens.setQuitHandler([] {});
    std::printf("browsing, the overall ranking (platform %s, device pixel ratio %.0f)\n",
                qPrintable(QGuiApplication::platformName()), qApp->devicePixelRatio());

    tovak.RankingKind = 1;
    buildRanking(tovak, 1);
    setFrmChar_maxcno(tovak, static_cast<qint16>(tovak.CurrentCharCount - 1));
    auto& list = screens.screen<frmListC>();
    list.init();
    list.show();
    QCoreApplication::processEvents();
    auto turn = [&] { pressKey(list, Qt::Key_PageDown); };
    auto turnPainted = [&] {
        turn();
        QCoreApplication::processEvents();
    };
    // Back to page 1 at the end of the list, untimed.
    auto rewindList = [&] {
        if (list.pages().listPage() == list.pages().listPageCount())
            list.init();
    };
    print("page turn, painted, first visit", measure(list.pages().listPageCount() - 1, turnPainted, [] {}));
    rewindList();
    print("page turn", measure(runs, turn, rewindList));
    print("page turn, painted", measure(runs, turnPainted, rewindList));
    screens.unload(list);

    tovak.cno = 0;
    auto& detail = screens.screen<frmChar>();
    detail.setFrmChar(tovak.CurrentCharList[0]);
    detail.show();
    QCoreApplication::processEvents();
    auto step = [&] { detail.button(QStringLiteral("Next"))->click(); };
    auto stepPainted = [&] {
        step();
        QCoreApplication::processEvents();
    };
    auto rewindDetail = [&] {
        if (tovak.cno == tovak.maxcno) {
            tovak.cno = 0;
            detail.setFrmChar(tovak.CurrentCharList[0]);
        }
    };
    print("detail step, painted, first visit", measure(tovak.maxcno, stepPainted, [] {}));
    rewindDetail();
    print("detail step", measure(runs, step, rewindDetail));
    print("detail step, painted", measure(runs, stepPainted, rewindDetail));
    screens.unload(detail);
    return 0;
}
