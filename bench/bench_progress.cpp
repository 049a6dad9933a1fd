// The review log and the progress figures: one logged grading (CPU time, and
// the wall time with the disk's sync), the screen's figures over a log of
// 100,000 answers (opening and reading the log included), the screen itself
// opened and painted over that log, and the study plan over 500 words and 365
// days. Limits: 2 ms of CPU, 50 ms, 50 ms, 20 ms.
#include "core/pinyin.h"
#include "core/progress/progress.h"
#include "core/progress/readiness.h"
#include "core/progress/sittings.h"
#include "core/reviewlog.h"
#include "core/tovak.h"
#include "data/db.h"
#include "ui/progress/frmProgress.h"
#include "ui/screenregistry.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <random>
#include <vector>

namespace {

double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// An answer as a learner gives it: mostly right, else one tone off.
QString answerFor(std::mt19937& rng, QuestionKind kind, const QString& pinyin)
{
    QString digits = carriesTones(kind) && (kind == QuestionKind::Tone || kind == QuestionKind::ToneByEar)
                         ? getToneDigits(pinyin)
                         : pinyin;
    if (rng() % 4 == 0) {
        for (QChar& c : digits) {
            if (c >= u'1' && c <= u'4' && rng() % 2 == 0) {
                c = QChar(u'1' + static_cast<char16_t>(rng() % 4));
                break;
            }
        }
    }
    return digits;
}

// A year of heavy study: 100,000 answers over 365 days, every kind of question.
QList<LoggedAnswer> seededLog(const DB& db, qint32 today, int count)
{
    std::mt19937 rng(11);
    QList<LoggedAnswer> log;
    log.reserve(count);
    const qint64 start = QDate::fromJulianDay(today - 364).startOfDay(Qt::UTC).toMSecsSinceEpoch();
    for (int i = 0; i < count; ++i) {
        const qint64 offsetDays = qint64(i) * 365 / count;
        const int word = 1 + static_cast<int>(rng() % 500);
        const auto kind = static_cast<QuestionKind>(1 + rng() % 5);
        const QString pinyin = db.word(word, WordField::Pinyin);
        const bool right = rng() % 5 != 0;
        LoggedAnswer a{start + offsetDays * 86'400'000 + i,
                       today - 364 + static_cast<qint32>(offsetDays),
                       word,
                       kind,
                       right,
                       {},
                       pinyin,
                       -1};
        a.given =
            kind == QuestionKind::Translation ? db.word(word, WordField::Translation) : answerFor(rng, kind, pinyin);
        if (kind == QuestionKind::Translation)
            a.expected = a.given;
        log.append(a);
    }
    return log;
}

ReviewTable seededStates(qint32 today, int words)
{
    std::mt19937 rng(7);
    ReviewTable reviews{};
    for (int t = 1; t <= words; ++t) {
        qint32 day = today - 200 + static_cast<qint32>(rng() % 30);
        WordReview& r = reviews[static_cast<size_t>(t)];
        for (int n = 0; n < 6 && day <= today; ++n) {
            recordReview(r, rng() % 4 != 0, day);
            day += static_cast<qint32>(rng() % 40);
        }
    }
    return reviews;
}

} // namespace

int main(int argc, char* argv[])
{
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    DB db;
    db.initCharTable();
    db.initWordTable();
    const qint32 today = static_cast<qint32>(QDate(2026, 6, 1).toJulianDay());
    QTemporaryDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) + QStringLiteral("/bench_progress-XXXXXX")
                               : QString());
    std::printf("log folder: %s\n", qPrintable(dir.path()));

    // One grading: a page of twelve answers, one transaction, synced.
    {
        ReviewLog log(dir.filePath(QStringLiteral("grading.db")));
        const QList<LoggedAnswer> page = seededLog(db, today, 12);
        (void)log.append(page); // opening and the schema are the first grading's only
        std::vector<double> cpu, wall;
        QElapsedTimer timer;
        for (int i = 0; i < 60; ++i) {
            const double c0 = cpuMs();
            timer.start();
            if (!log.append(page)) {
                std::fprintf(stderr, "the log failed\n");
                return 1;
            }
            wall.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
            cpu.push_back(cpuMs() - c0);
        }
        std::printf("one logged grading of 12 answers: median %.3f ms CPU (limit 2 ms), %.2f ms with the sync\n",
                    median(cpu), median(wall));
    }

    // The screen's figures over 100,000 answers, each time from a log not yet opened.
    {
        const QString path = dir.filePath(QStringLiteral("year.db"));
        {
            ReviewLog seed(path);
            (void)seed.append(seededLog(db, today, 100'000));
        }
        const ReviewTable reviews = seededStates(today, 500);
        std::vector<double> ms;
        qsizetype answers = 0;
        QElapsedTimer timer;
        for (int i = 0; i < 15; ++i) {
            timer.start();
            ReviewLog log(path);
            const ProgressFigures f = progressFigures(log.extract(figuresSince(today)), reviews, db, today);
            ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
            answers = f.answers;
        }
        std::printf("figures over %lld answers, log opened and read: median %.1f ms (limit 50 ms)\n",
                    static_cast<long long>(answers), median(ms));
    }

    // 学習記録 opened and painted over the same log, each time by a program that has not opened it yet.
    {
        QFile::copy(dir.filePath(QStringLiteral("year.db")), dir.filePath(QStringLiteral("reviewlog.db")));
        // A sitting half a year ahead, so the readiness and the plan are drawn too.
        (void)ExamDate::save(dir.filePath(QStringLiteral("conf.ini")), QDate::fromJulianDay(today + 180));
        std::vector<double> ms;
        QElapsedTimer timer;
        for (int i = 0; i < 10; ++i) {
            Tovak tovak(1, dir.filePath(QStringLiteral("conf.ini")));
            tovak.initTables();
            tovak.stats.WordReviews = seededStates(today, 500);
            tovak.clock = [today] { return QDateTime(QDate::fromJulianDay(today), QTime(20, 0)); };
            ScreenRegistry screens(tovak);
            timer.start();
            auto& s = screens.screen<frmProgress>();
            s.init();
            (void)s.grab();
            ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
            screens.unload(s);
        }
        std::printf("学習記録 opened and painted over 100000 answers: median %.1f ms (limit 50 ms)\n", median(ms));
    }

    // The plan: 200 words under review, 300 new, the exam a year ahead.
    {
        const ReviewTable reviews = seededStates(today, 200);
        const QList<int> weights = examWeights(db);
        std::vector<double> ms;
        StudyPlan plan;
        QElapsedTimer timer;
        for (int i = 0; i < 30; ++i) {
            timer.start();
            plan = studyPlan(reviews, weights, today, today + 365);
            ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        }
        std::printf("plan over 500 words and 365 days (%d new a day, %.1f reviews a day): median %.2f ms (limit "
                    "20 ms)\n",
                    plan.newPerDay, plan.reviewsPerDay, median(ms));
    }
    return 0;
}
