// Writes 学習記録 with an empty and with a full log, and the main menu with its
// countdown, into the folder named by RUMENA_SCREENSHOTS; skipped when it is not set.
#include "testsupport.h"

#include "core/pinyin.h"
#include "core/progress/sittings.h"
#include "ui/menu/frmTOC.h"
#include "ui/progress/frmProgress.h"
#include "ui/screenregistry.h"

#include <QtTest>

#include <random>

class TestScreenshots : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase()
    {
        folder = screenshotFolder();
        if (folder.isEmpty())
            QSKIP("RUMENA_SCREENSHOTS names no folder");
    }

    void progress()
    {
        TestState state;
        ScreenRegistry registry(*state.tovak);
        registry.setQuitHandler([] {});
        Tovak& t = *state.tovak;
        const QDate today(2026, 6, 1);
        t.clock = [today] { return QDateTime(today, QTime(20, 0)); };
        t.initTables();
        finishStartup(registry);

        auto& empty = registry.screen<frmProgress>();
        empty.init();
        save(empty, "frmProgress-empty");
        registry.unload(empty);

        // Two months of study: every day some words, a few tones wrong, every grading a review.
        std::mt19937 rng(5);
        const qint32 last = t.todayNumber();
        for (qint32 day = last - 59; day <= last; ++day) {
            QList<LoggedAnswer> answers;
            const int words = 20 + static_cast<int>(rng() % 40);
            for (int i = 0; i < words; ++i) {
                const int w = 1 + static_cast<int>(rng() % 160);
                const QString pinyin = t.db.word(w, WordField::Pinyin);
                const bool right = rng() % 5 != 0;
                QString given = getToneDigits(pinyin);
                if (!right && !given.isEmpty())
                    given[0] = given[0] == u'3' ? u'2' : given[0] == u'2' ? u'3' : u'4';
                answers.append({QDate::fromJulianDay(day).startOfDay().toMSecsSinceEpoch() + i, day, w,
                                QuestionKind::Tone, right, given, pinyin, -1});
                t.stats.recordReview(w, right, day);
            }
            QVERIFY(t.stats.reviewLog().append(answers));
        }
        QVERIFY(ExamDate::save(t.stats.filePath(), QDate(2026, 6, 28)));
        auto& full = registry.screen<frmProgress>();
        full.init();
        save(full, "frmProgress-full");
        registry.unload(full);

        frmTOC* menu = shownMainMenu(registry);
        menu->showCountdown();
        save(*menu, "frmTOC-countdown");
    }

  private:
    void save(QWidget& w, const char* name) { QVERIFY(saveScreenshot(w, folder, QString::fromLatin1(name))); }

    QString folder;
};

QTEST_MAIN(TestScreenshots)
#include "shots_progress.moc"
