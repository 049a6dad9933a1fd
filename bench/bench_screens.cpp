// Times what the learner waits for on the screens, with the real widgets
// in-process on the offscreen platform: each measurement is the action plus a
// synchronous repaint of the screen. Prints one line per named measurement.
//
// To add a screen: prepare it in main(), push its rows (a name, an untimed
// preparation run before every call, and the timed work), then runAll().
#include "core/tovak.h"
#include "core/voice.h"
#include "ui/drills/frmListDui.h"
#include "ui/drills/frmListP1.h"
#include "ui/drills/frmListP2.h"
#include "ui/drills/frmListR.h"
#include "ui/exam/frmExamPaper.h"
#include "ui/exam/frmMockExam.h"
#include "ui/screenregistry.h"
#include "ui/selection/frmSearch.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Measurement {
    QString name;
    std::function<void()> prepare; // untimed, before every call; may be empty
    std::function<void()> work;    // timed
};

// Processor time of this thread: on a busy machine the wall clock also counts
// the time other programs had the processor.
double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

void run(const Measurement& m, int rounds)
{
    std::vector<double> wall, cpu;
    for (int i = 0; i <= rounds; ++i) { // the first call warms up and is not counted
        if (m.prepare)
            m.prepare();
        QElapsedTimer timer;
        timer.start();
        const double cpuStart = cpuMs();
        m.work();
        if (i > 0) {
            cpu.push_back(cpuMs() - cpuStart);
            wall.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        }
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    const auto median = [](const std::vector<double>& v) { return v[v.size() / 2]; };
    std::printf("%-40s cpu median %6.3f  p90 %6.3f ms | wall median %6.3f  max %7.3f ms  (%d calls)\n",
                qPrintable(m.name), median(cpu), cpu[cpu.size() * 9 / 10], median(wall), wall.back(), rounds);
}

void press(QWidget* w, int key)
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(w, &up);
}

void click(QWidget* w)
{
    const QPointF at(2, 2);
    QMouseEvent down(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &up);
}

// Every word of the list, shown on screen.
template <class Screen> Screen& shown(ScreenRegistry& screens, Tovak& t, bool drill)
{
    searchFreeWord(t, QString());
    t.DrillMode = 1;
    Screen& s = screens.screen<Screen>();
    if constexpr (std::is_base_of_v<DrillScreen, Screen>) {
        if (drill)
            s.init();
    }
    s.show();
    QApplication::processEvents();
    return s;
}

// The shared state serves one screen at a time: each screen's rows run before
// the next screen is prepared. Given a word on the command line, only the
// rows whose names hold it run (to profile one of them).
void runAll(std::vector<Measurement>& table, int rounds)
{
    const QStringList args = QCoreApplication::arguments();
    for (const Measurement& m : table) {
        if (args.size() < 2 || m.name.contains(args[1]))
            run(m, rounds);
    }
    table.clear();
}

// Turns between pages 1 and 2, one turn per call.
std::function<void()> pageTurn(QWidget* s, Tovak& t)
{
    return [s, &t] {
        press(s, t.CurrentPage == 1 ? Qt::Key_PageDown : Qt::Key_PageUp);
        s->repaint();
    };
}

// Grading with a page never shown would ask first.
void showEveryPage(QWidget* s, Tovak& t)
{
    while (t.CurrentPage < t.PageCount)
        press(s, Qt::Key_PageDown);
}

// The typed drills: page turns answering and graded, and the grading itself.
void addTypedDrill(std::vector<Measurement>& table, const QString& name, DrillScreen& d, Tovak& t)
{
    auto* box = d.findChild<QLineEdit*>(u"txtTerm(0)"_s);
    table.push_back({name + u": page turn, answering"_s, {}, pageTurn(&d, t)});
    table.push_back({name + u": grade (save, marks)"_s,
                     [&d, &t, box] {
                         t.DrillMode = 1;
                         d.init();
                         showEveryPage(&d, t);
                         box->setText(u"x"_s);
                     },
                     [&d] {
                         press(&d, Qt::Key_F5);
                         d.repaint();
                     }});
    table.push_back({name + u": page turn, graded"_s, {}, pageTurn(&d, t)});
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    Tovak t(12345, dir.filePath(u"conf.ini"_s));
    t.initTables();
    ScreenRegistry screens(t);
    screens.setQuitHandler([] {});
    const int rounds = 200;

    std::vector<Measurement> table;

    auto& search = screens.screen<frmSearch>();
    search.show();
    QApplication::processEvents();
    auto* tones = search.findChild<QComboBox*>(u"cmbSpinyin"_s);
    tones->setCurrentIndex(tones->findText(u"4声＋4声"_s));
    QWidget* toneSearch = search.findChild<QWidget*>(u"imgSearch(5)"_s);
    QWidget* freeSearch = search.findChild<QWidget*>(u"imgSearch(0)"_s);
    table.push_back({u"frmSearch: search 4声＋4声 (52 words)"_s, {}, [&] {
                         click(toneSearch);
                         search.repaint();
                     }});
    table.push_back({u"frmSearch: search all 500 words"_s, {}, [&] {
                         click(freeSearch);
                         search.repaint();
                     }});
    runAll(table, rounds);

    auto& tone = shown<frmListP2>(screens, t, true);
    table.push_back({u"frmListP2: repaint alone (the floor)"_s, {}, [&] { tone.repaint(); }});
    addTypedDrill(table, u"frmListP2"_s, tone, t);
    runAll(table, rounds);
    tone.hide();

    auto& pinyin = shown<frmListP1>(screens, t, true);
    addTypedDrill(table, u"frmListP1"_s, pinyin, t);
    runAll(table, rounds);
    pinyin.hide();

    auto& choice = shown<frmListR>(screens, t, true);
    table.push_back({u"frmListR: page turn, answering"_s, {}, pageTurn(&choice, t)});
    table.push_back({u"frmListR: grade (save, marks)"_s,
                     [&] {
                         t.DrillMode = 1;
                         choice.init();
                         showEveryPage(&choice, t);
                     },
                     [&] {
                         press(&choice, Qt::Key_F5);
                         choice.repaint();
                     }});
    table.push_back({u"frmListR: page turn, graded"_s, {}, pageTurn(&choice, t)});
    runAll(table, rounds);
    choice.hide();

    auto& list = shown<frmListDui>(screens, t, false);
    table.push_back({u"frmListDui: page turn"_s, {}, pageTurn(&list, t)});
    runAll(table, rounds);
    list.hide();

    // The exam practice opens a fresh screen each time: made, its section drawn, shown, painted (limit 30 ms).
    // Speech is off, so the sheet by ear reads nothing aloud while it is timed.
    SpeechSettings quiet = screens.voice().settings();
    quiet.enabled = false;
    (void)screens.voice().setSettings(quiet);
    ExamResults results;
    const auto unloaded = [&screens]<class Screen>(Screen*) {
        if (Screen* s = screens.loadedScreen<Screen>())
            screens.unload(*s);
    };
    table.push_back({u"frmMockExam: open"_s, [&] { unloaded(static_cast<frmMockExam*>(nullptr)); },
                     [&] {
                         auto& cover = screens.screen<frmMockExam>();
                         cover.show();
                         cover.repaint();
                     }});
    for (const ExamSectionKind kind : {ExamSectionKind::Written, ExamSectionKind::Listening}) {
        const QString name = kind == ExamSectionKind::Written ? u"written"_s : u"by ear"_s;
        table.push_back({u"frmExamPaper: open, "_s + name, [&] { unloaded(static_cast<frmExamPaper*>(nullptr)); },
                         [&, kind] {
                             auto& sheet = screens.screen<frmExamPaper>();
                             sheet.init(kind, results);
                             sheet.show();
                             sheet.repaint();
                         }});
    }
    runAll(table, 50);
    return 0;
}
