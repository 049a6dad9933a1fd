// Writes a PNG of the word search, each drill and the answer list in each of
// their states into the folder named by RUMENA_SCREENSHOTS, for looking at
// them; skipped when it is not set.
#include "drilldriver.h"
#include "testsupport.h"

#include "core/speechservice.h"
#include "core/voice.h"
#include "ui/drills/drillscreen.h"
#include "ui/drills/frmListDui.h"
#include "ui/imagebutton.h"
#include "ui/messagebox.h"
#include "ui/screenregistry.h"
#include "ui/selection/frmSearch.h"

#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QMessageBox>
#include <QPainter>
#include <QTimer>
#include <QtTest>

class TestDrillScreenshots : public QObject {
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
        // Words are heard through an output that plays nothing.
        output = nullptr;
        registry->voice().setMadeHook([this](SpeechService& speech) {
            auto o = std::make_unique<SilentOutput>();
            output = o.get();
            speech.setAudioOutput(std::move(o));
        });
    }
    void cleanup()
    {
        registry.reset();
        state.reset();
    }

    void search()
    {
        auto& s = registry->screen<frmSearch>();
        save(s, "frmSearch-opened");
        s.findChild<QComboBox*>(QStringLiteral("cmbSpinyin"))->setCurrentIndex(19);
        clickButton(&s, QStringLiteral("Search(5)"));
        s.button(QStringLiteral("Search(5)"))->setHovered(true);
        save(s, "frmSearch-found");
        // The refusal as the learner sees it: the box over the screen.
        saveNextBox("frmSearch-refused-box");
        clickButton(&s, QStringLiteral("Search(2)"));
        save(s, "frmSearch-refused");

        // Today's review found, the pinyin drill not yet offered: inactive in its place.
        const auto today = static_cast<qint32>(QDate::currentDate().toJulianDay());
        for (size_t w = 1; w <= 37; ++w)
            state->tovak->stats.WordReviews[w] = reviewState(today - 10, 1.0 + static_cast<double>(w % 5));
        s.searchDueToday();
        s.resetHover();
        s.button(QStringLiteral("Search(6)"))->setHovered(true);
        save(s, "frmSearch-review");
        // The pinyin drill pressed: greyed, with its reason written out.
        QTest::mouseClick(s.button(QStringLiteral("P1"))->picture(), Qt::LeftButton);
        save(s, "frmSearch-reason");
        // Speech switched off: the drills by ear greyed, the reason of the one pressed.
        SpeechSettings off = registry->voice().settings();
        off.enabled = false;
        QVERIFY(registry->voice().setSettings(off));
        QTest::mouseClick(s.button(QStringLiteral("LP"))->picture(), Qt::LeftButton);
        save(s, "frmSearch-silent");
    }

    void typedDrills_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("tone") << QStringLiteral("frmListP2");
        QTest::newRow("pinyin") << QStringLiteral("frmListP1");
    }
    void typedDrills()
    {
        QFETCH(QString, name);
        // The longest translations and pinyin, neutral tones, one-character words, ü.
        const QList<qint16> words = {359, 186, 65,  430, 3,   118, 483, 493, 244, 467,
                                     330, 142, 318, 442, 123, 1,   2,   4,   5,   6};
        drill(name, words, [](int p) { return p % 3 != 1; });
        drill(
            name, words.mid(0, 12), [](int) { return true; }, "-allright");
        state->tovak->Listening = true;
        drill(
            name, words.mid(0, 12), [](int p) { return p % 3 != 1; }, "-byear");
        // Sound failing during the drill: 採点 greyed, its reason written out once pressed.
        openOn(*state->tovak, words.mid(0, 12));
        DrillScreen* d = &loadDrill(*registry, name);
        d->show();
        QVERIFY(output);
        output->setFailing(true);
        MsgBox::setNextAnswer(QMessageBox::Ok);
        registry->voice().speakWord(words[0]);
        QTRY_VERIFY_WITH_TIMEOUT(d->button(QStringLiteral("Grade"))->isGreyed(), 5000);
        QTest::mouseClick(d->button(QStringLiteral("Grade"))->picture(), Qt::LeftButton);
        save(*d, name + QStringLiteral("-byear-silent"));
        registry->unload(*d);
        state->tovak->Listening = false;
    }

    void translationDrill()
    {
        const QList<qint16> words = {359, 483, 244, 318, 442, 123, 142, 186, 1, 2, 3, 4, 5, 6};
        drill(QStringLiteral("frmListR"), words, [](int p) { return p % 4 != 2; });
        drill(
            QStringLiteral("frmListR"), words.mid(0, 10), [](int) { return true; }, "-allright");
    }

    // Graded from page 1 with page 2 never shown: its words are left out.
    void unseenPages_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("tone") << QStringLiteral("frmListP2");
        QTest::newRow("translation") << QStringLiteral("frmListR");
    }
    void unseenPages()
    {
        QFETCH(QString, name);
        Tovak& t = *state->tovak;
        openOn(t, {359, 186, 65, 430, 3, 118, 483, 493, 244, 467, 330, 142, 318, 442, 123, 1, 2, 4, 5});
        DrillScreen* d = &loadDrill(*registry, name);
        d->show();
        answerPage(d, t, [](int p) { return p % 4 != 1; });
        saveNextBox(qPrintable(name + QStringLiteral("-unseen-question")));
        QTest::keyClick(d, Qt::Key_F5);
        MsgBox::setNextAnswer(QMessageBox::Yes);
        QTest::keyClick(d, Qt::Key_F5);
        save(*d, name + QStringLiteral("-unseen-graded"));
        QTest::keyClick(d, Qt::Key_PageDown);
        save(*d, name + QStringLiteral("-unseen-page2"));
        registry->unload(*d);
    }

    void answerList()
    {
        Tovak& t = *state->tovak;
        // The longest translations first, so the widest rows are on the page.
        openOn(t, {359, 483, 186, 244, 318, 442, 467, 330, 142, 430, 65, 118, 1, 2, 3});
        auto& list = registry->screen<frmListDui>();
        save(list, "frmListDui-full");
        QTest::keyClick(&list, Qt::Key_PageDown);
        save(list, "frmListDui-last");
    }

  private:
    // One run of a drill: answering, graded, and the retest when something was wrong.
    void drill(QString name, const QList<qint16>& words, const RightAt& right, const char* tag = "")
    {
        Tovak& t = *state->tovak;
        openOn(t, words);
        DrillScreen* d = &loadDrill(*registry, name);
        d->show();
        name += QString::fromLatin1(tag);
        answerPage(d, t, right);
        if (auto* choice = d->findChild<QLabel*>(QStringLiteral("lblJp3(1)"))) {
            // The pointer over one choice, as a learner would have it.
            QEvent enter(QEvent::Enter);
            QCoreApplication::sendEvent(choice, &enter);
        }
        save(*d, name + QStringLiteral("-answering"));
        answerAll(d, t, right);
        QTest::keyClick(d, Qt::Key_F5);
        const bool allRight = t.DrillMode == 2;
        save(*d, name + (allRight ? QStringLiteral("-graded-right") : QStringLiteral("-graded-wrong")));
        if (!allRight) {
            QTest::keyClick(d, Qt::Key_PageUp);
            save(*d, name + QStringLiteral("-graded-wrong-page1"));
            passTime(d);
            QTest::keyClick(d, Qt::Key_F5);
            answerPage(d, t, [](int p) { return p == 0; });
            save(*d, name + QStringLiteral("-retesting"));
        }
        d->resetHover();
        registry->unload(*d);
    }

    void save(QWidget& w, const QString& name) { QVERIFY(saveScreenshot(w, folder, name)); }

    SilentOutput* output = nullptr;
    void save(QWidget& w, const char* name) { save(w, QString::fromLatin1(name)); }

    // The next message box is photographed with its screen and answered.
    void saveNextBox(const char* name)
    {
        const QString path = QDir(folder).filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
        QTimer::singleShot(0, this, [path] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                QPixmap shot = box->parentWidget()->grab();
                const QPixmap face = box->grab();
                QPainter p(&shot);
                p.drawPixmap((shot.width() - face.width()) / 2, (shot.height() - face.height()) / 2, face);
                p.end();
                shot.save(path);
                box->accept();
            }
        });
        // Never left waiting, whatever happened to the box.
        QTimer::singleShot(3000, this, [] {
            if (QWidget* w = QApplication::activeModalWidget(); qobject_cast<QMessageBox*>(w))
                w->close();
        });
    }

    QString folder;
    std::unique_ptr<TestState> state;
    std::unique_ptr<ScreenRegistry> registry;
};

QTEST_MAIN(TestDrillScreenshots)
#include "shots_drills.moc"
