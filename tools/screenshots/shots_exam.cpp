// Writes a PNG of the exam practice into the folder named by RUMENA_SCREENSHOTS:
// the cover before and after some sittings and without sound, and each section's
// sheet while answering and once graded; skipped when the variable is not set.
#include "examdriver.h"
#include "testsupport.h"

#include "core/speechservice.h"
#include "core/voice.h"
#include "ui/exam/frmExamPaper.h"
#include "ui/exam/frmMockExam.h"
#include "ui/messagebox.h"
#include "ui/screenregistry.h"

#include <QLabel>
#include <QtTest>

class TestExamScreenshots : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase()
    {
        folder = screenshotFolder();
        if (folder.isEmpty())
            QSKIP("RUMENA_SCREENSHOTS names no folder");
    }

    void init()
    {
        state = std::make_unique<TestState>();
        registry = std::make_unique<ScreenRegistry>(*state->tovak);
        registry->setQuitHandler([] {});
        registry->voice().setMadeHook(
            [](SpeechService& speech) { speech.setAudioOutput(std::make_unique<SilentOutput>()); });
    }
    void cleanup()
    {
        registry.reset();
        state.reset();
    }

    void sheetsAndCover()
    {
        auto& cover = registry->screen<frmMockExam>();
        save(cover, "frmMockExam-first");
        registry->unload(cover);
        ExamResults results;
        for (const ExamSectionKind kind : {ExamSectionKind::Written, ExamSectionKind::Listening}) {
            const QString name = kind == ExamSectionKind::Written ? QStringLiteral("frmExamPaper-written")
                                                                  : QStringLiteral("frmExamPaper-listening");
            auto& paper = registry->screen<frmExamPaper>();
            paper.init(kind, results);
            paper.show();
            // Half answered, the pointer over one choice.
            answerSheet(
                paper, [](int i) { return i % 2 == 0; }, 5);
            QEvent enter(QEvent::Enter);
            QCoreApplication::sendEvent(paper.findChild<QLabel*>(QStringLiteral("lblChoice3(7)")), &enter);
            save(paper, name + QStringLiteral("-answering"));
            answerSheet(
                paper, [](int i) { return i % 3 != 1; }, 10);
            QTest::keyClick(&paper, Qt::Key_F5);
            paper.resetHover();
            save(paper, name + QStringLiteral("-graded"));
            registry->unload(paper);
        }
        // The cover reads what the sittings saved.
        save(registry->screen<frmMockExam>(), "frmMockExam-results");
        registry->unload(*registry->loadedScreen<frmMockExam>());

        SpeechSettings off = registry->voice().settings();
        off.enabled = false;
        QVERIFY(registry->voice().setSettings(off));
        save(registry->screen<frmMockExam>(), "frmMockExam-nosound");
    }

  private:
    void save(QWidget& w, const char* name) { save(w, QString::fromLatin1(name)); }
    void save(QWidget& w, const QString& name) { QVERIFY(saveScreenshot(w, folder, name)); }

    QString folder;
    std::unique_ptr<TestState> state;
    std::unique_ptr<ScreenRegistry> registry;
};

QTEST_MAIN(TestExamScreenshots)
#include "shots_exam.moc"
