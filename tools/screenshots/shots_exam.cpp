// Writes a PNG of the exam practice into the folder named by RUMENA_SCREENSHOTS:
// the cover before and after some sittings and without sound, and each section's
// sheet while answering and once graded; skipped when the variable is not set.
#include "testsupport.h"

#include "core/speechservice.h"
#include "core/voice.h"
#include "ui/exam/frmExamPaper.h"
#include "ui/exam/frmMockExam.h"
#include "ui/messagebox.h"
#include "ui/screenregistry.h"

#include <QLabel>
#include <QLineEdit>
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
            answer(paper, [](int i) { return i % 2 == 0; }, 5);
            QEvent enter(QEvent::Enter);
            QCoreApplication::sendEvent(paper.findChild<QLabel*>(QStringLiteral("lblChoice3(7)")), &enter);
            save(paper, name + QStringLiteral("-answering"));
            answer(paper, [](int i) { return i % 3 != 1; }, 10);
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
    // Answers items 0..count-1: right where right(i) says so, else a wrong
    // choice (a spelling wrong in both contrasts where there is one) or a wrong number.
    static void answer(frmExamPaper& paper, const std::function<bool(int)>& right, int count)
    {
        const ExamSession& s = paper.session();
        for (int i = 0; i < count && i < s.count(); ++i) {
            const ExamItem& item = s.item(i);
            if (item.kind == ExamItemKind::Number) {
                auto* box = paper.findChild<QLineEdit*>(QStringLiteral("txtAnswer(%1)").arg(i));
                box->clear();
                QTest::keyClicks(box, right(i) ? item.number.answer : QStringLiteral("12"));
                continue;
            }
            int choice = item.right;
            if (!right(i)) {
                choice = (item.right + 1) % 4;
                for (int j = 0; j < 4; ++j) {
                    if (item.choices[static_cast<size_t>(j)].contrasts.size() == 2)
                        choice = j;
                }
            }
            QTest::mouseClick(paper.findChild<QLabel*>(QStringLiteral("lblChoice%1(%2)").arg(choice + 1).arg(i)),
                              Qt::LeftButton);
        }
    }

    void save(QWidget& w, const char* name) { save(w, QString::fromLatin1(name)); }
    void save(QWidget& w, const QString& name) { QVERIFY(saveScreenshot(w, folder, name)); }

    QString folder;
    std::unique_ptr<TestState> state;
    std::unique_ptr<ScreenRegistry> registry;
};

QTEST_MAIN(TestExamScreenshots)
#include "shots_exam.moc"
