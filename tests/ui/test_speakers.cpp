// The speaker controls: where they stand and what they are called, what a
// press does when speech cannot work, and the menu's speech switches.
#include "drilldriver.h"
#include "testsupport.h"

#include "core/browse/rankings.h"
#include "core/durablefile.h"
#include "core/speechservice.h"
#include "core/speechsettings.h"
#include "core/voice.h"
#include "ui/browse/frmChar.h"
#include "ui/clickable.h"
#include "ui/drills/drillscreen.h"
#include "ui/drills/frmListDui.h"
#include "ui/imagebutton.h"
#include "ui/menu/frmTOC.h"
#include "ui/messagebox.h"
#include "ui/pictures.h"
#include "ui/screenregistry.h"
#include "ui/selection/frmSearch.h"
#include "ui/speakerbutton.h"

#include <QtTest>

namespace {

QList<SpeakerButton*> shownSpeakers(QWidget* screen)
{
    QList<SpeakerButton*> out;
    for (SpeakerButton* s : screen->findChildren<SpeakerButton*>()) {
        if (s->isVisible())
            out << s;
    }
    return out;
}

} // namespace

class TestSpeakers : public QObject, public ScreenFixture {
    Q_OBJECT
  private slots:
    void init() { setUp(true); }
    void cleanup() { tearDown(); }

    void everySpeakerIsANamedButton_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<bool>("graded");
        QTest::addColumn<int>("count");
        QTest::newRow("answer list") << "frmListDui" << false << 12;
        QTest::newRow("translation drill") << "frmListR" << false << 10;
        QTest::newRow("translation drill, graded") << "frmListR" << true << 10;
        QTest::newRow("tone drill") << "frmListP2" << false << 0;
        QTest::newRow("tone drill, graded") << "frmListP2" << true << 12;
        QTest::newRow("pinyin drill") << "frmListP1" << false << 0;
        QTest::newRow("pinyin drill, graded") << "frmListP1" << true << 12;
        // By ear the word may be heard before grading, under a name that does not give it away.
        QTest::newRow("tone drill by ear") << "frmListP2-byear" << false << 12;
        QTest::newRow("pinyin drill by ear, graded") << "frmListP1-byear" << true << 12;
        // 我: one reading, four words; 6: sixteen words.
        QTest::newRow("detail 1") << "frmChar-1" << false << 5;
        QTest::newRow("detail 6") << "frmChar-6" << false << -1;
        QTest::newRow("detail 不, two readings") << "frmChar-11" << false << -1;
    }

    void everySpeakerIsANamedButton()
    {
        QFETCH(QString, screen);
        QFETCH(bool, graded);
        QFETCH(int, count);
        QWidget* s = open(screen, graded);
        QVERIFY(s);
        const QList<SpeakerButton*> speakers = shownSpeakers(s);
        if (count >= 0)
            QCOMPARE(speakers.size(), count);
        else
            QVERIFY(speakers.size() > 1);
        const QString prefix = QStringLiteral("発音を聞く：");
        for (SpeakerButton* b : speakers) {
            QVERIFY2(b->accessibleName().startsWith(prefix) && b->accessibleName().size() > prefix.size(),
                     qPrintable(b->objectName() + ": " + b->accessibleName()));
            if (screens->voice().canSpeak()) { // by ear the voice is switched off here
                // The tooltip says what it speaks, as the name does.
                QCOMPARE(b->toolTip(), b->accessibleName() + QStringLiteral("（F6：もう一度）"));
                QVERIFY(isClickable(b));
            }
            // Nothing covers it: the speaker is what the mouse finds at its centre.
            QCOMPARE(s->childAt(b->geometry().center()), b);
        }
        const QStringList faults = accessibilityFaults(s);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        if (screen.endsWith(QLatin1String("-byear")) && !graded) {
            // Tab goes from box to box; F6 in a box plays the same word.
            for (SpeakerButton* b : speakers) {
                QCOMPARE(b->accessibleName(), prefix + QStringLiteral("この問題の単語"));
                QCOMPARE(b->focusPolicy(), Qt::NoFocus);
            }
        }
        // A word's speaker names the word's characters.
        if (screen == QLatin1String("frmListDui") || screen == QLatin1String("frmListP1-byear")) {
            const Tovak& t = *state->tovak;
            QString word;
            for (int ckey : t.db.wordCKeys(t.CurrentWordList[0]))
                word += t.db.glyphCharacter(ckey);
            QCOMPARE(speakers.front()->accessibleName(), prefix + word);
        }
    }

    void aFailedVoiceIsToldOnceAndTheSpeakersGoQuiet_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::newRow("answer list") << "frmListDui";
        QTest::newRow("detail") << "frmChar-1";
    }

    void aFailedVoiceIsToldOnceAndTheSpeakersGoQuiet()
    {
        QFETCH(QString, screen);
        QWidget* s = open(screen, false);
        QVERIFY(s);
        screens->voice().service().setSynthProgram(QStringLiteral("/nonexistent/espeak-ng"));
        const QList<SpeakerButton*> speakers = shownSpeakers(s);
        QVERIFY(!speakers.isEmpty());
        MsgBox::setNextAnswer(QMessageBox::Ok);
        QVERIFY(pressClickable(speakers.front()));
        QTRY_COMPARE_WITH_TIMEOUT(MsgBox::shownCount(), 1, 5000);
        QCOMPARE(MsgBox::last().text, SpeechService::missingProgramSentence());
        QVERIFY(!screens->voice().canSpeak());
        const QImage unavailable = Pictures::speaker(3).toImage();
        for (SpeakerButton* b : speakers) {
            QCOMPARE(b->pixmap().toImage(), unavailable);
            QCOMPARE(b->toolTip(), QStringLiteral("音声を再生できません"));
            QCOMPARE(b->accessibleDescription(), QStringLiteral("音声を再生できません"));
            QVERIFY(!pressClickable(b));
        }
        // F6 asks nothing more of the voice, and no second box comes.
        speakers.front()->setFocus();
        QTest::keyClick(s, Qt::Key_F6);
        QTest::qWait(50);
        QCOMPARE(MsgBox::shownCount(), 1);
        QVERIFY(!MsgBox::hasPendingAnswer());
    }

    // Switched off on the menu, every speaker says so and a press asks nothing of the voice.
    void switchedOffSpeakersSayWhy()
    {
        frmTOC& menu = shownMenu();
        auto* onOff = menu.findChild<QLabel*>(QStringLiteral("lblSpeech"));
        QVERIFY(onOff && pressClickable(onOff));
        QWidget* s = open(QStringLiteral("frmListDui"), false);
        QVERIFY(s);
        const QList<SpeakerButton*> speakers = shownSpeakers(s);
        QCOMPARE(speakers.size(), 12);
        const QImage unavailable = Pictures::speaker(3).toImage();
        for (SpeakerButton* b : speakers) {
            QCOMPARE(b->pixmap().toImage(), unavailable);
            QVERIFY(b->toolTip().startsWith(QStringLiteral("音声はオフです")));
            QVERIFY(!b->play());
        }
        QVERIFY(!screens->voice().started());
        // On again: the speakers come back at once.
        QVERIFY(pressClickable(onOff));
        QVERIFY(speakers.front()->toolTip().startsWith(QStringLiteral("発音を聞く")));
        QVERIFY(isClickable(speakers.front()));
    }

    // Without sound a drill by ear cannot be started; its launchers say why.
    void byEarLaunchersNeedSound_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("sound");
        for (const char* screen : {"frmSearch", "frmChar-1"})
            for (const char* sound : {"on", "off", "failed"})
                QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(screen, sound))) << screen << sound;
    }

    void byEarLaunchersNeedSound()
    {
        QFETCH(QString, screen);
        QFETCH(QString, sound);
        if (sound == QLatin1String("off"))
            screens->voice().setSettings(SpeechSettings{false, false});
        if (sound == QLatin1String("failed")) {
            screens->voice().service().setSynthProgram(QStringLiteral("/nonexistent/espeak-ng"));
            MsgBox::setNextAnswer(QMessageBox::Ok);
            screens->voice().speakWord(1);
            QTRY_VERIFY_WITH_TIMEOUT(!screens->voice().canSpeak(), 5000);
        }
        ScreenBase* s = launcherScreen(screen);
        QVERIFY(s);
        // On a first run the search does not offer the pinyin drill at all: its tone drill tells.
        const QStringList names = screen == QLatin1String("frmSearch")
                                      ? QStringList{QStringLiteral("LP")}
                                      : QStringList{QStringLiteral("LP"), QStringLiteral("LP1")};
        const QString reason = sound == QLatin1String("off")
                                   ? QStringLiteral("音声はオフです（メインメニューの「音声」で切り替え）")
                               : sound == QLatin1String("failed") ? QStringLiteral("音声を再生できません")
                                                                  : QString();
        // Not offered, a launcher stays in place greyed: presses only tell why.
        const auto offered = [](ImageButton* b) { return b->isActive(); };
        for (const QString& name : names) {
            ImageButton* b = s->button(name);
            QVERIFY(b->isVisible() || screen != QLatin1String("frmSearch"));
            QCOMPARE(offered(b), reason.isEmpty());
            QCOMPARE(b->isGreyed(), !reason.isEmpty());
            QCOMPARE(b->picture()->toolTip(), reason);
            QCOMPARE(b->picture()->accessibleDescription(), reason);
        }
        if (sound == QLatin1String("off")) { // on again: offered at once
            screens->voice().setSettings(SpeechSettings{});
            QVERIFY(offered(s->button(QStringLiteral("LP"))));
        }
    }

    // Before a drill by ear opens the voice finds out whether a word can be
    // spoken: without the program the learner is told once and no drill opens.
    void aDrillByEarOpensOnlyWhenAWordCanBeSpoken_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<bool>("program");
        for (const char* screen : {"frmSearch", "frmChar-1"}) {
            QTest::newRow(qPrintable(QStringLiteral("%1, no program").arg(screen))) << screen << false;
            QTest::newRow(qPrintable(QStringLiteral("%1, espeak-ng").arg(screen))) << screen << true;
        }
    }

    void aDrillByEarOpensOnlyWhenAWordCanBeSpoken()
    {
        QFETCH(QString, screen);
        QFETCH(bool, program);
        if (program && QStandardPaths::findExecutable(QStringLiteral("espeak-ng")).isEmpty())
            QSKIP("espeak-ng is not installed (sudo apt install espeak-ng)");
        if (!program)
            screens->voice().service().setSynthProgram(QStringLiteral("/nonexistent/espeak-ng"));
        ScreenBase* s = launcherScreen(screen);
        QVERIFY(s);
        int drills = 0;
        screens->setShownHook([&](ScreenBase& shown) {
            ++drills;
            shown.ScreenBase::back();
        });
        if (!program)
            MsgBox::setNextAnswer(QMessageBox::Ok);
        QLabel* lp = s->button(QStringLiteral("LP"))->picture();
        QTest::mouseClick(lp, Qt::LeftButton);
        QCOMPARE(drills, program ? 1 : 0);
        QCOMPARE(MsgBox::shownCount(), program ? 0 : 1);
        if (program)
            return;
        QCOMPARE(MsgBox::last().text, SpeechService::missingProgramSentence());
        // Said once: the launchers now stand greyed, and a second press only writes why.
        QVERIFY(s->button(QStringLiteral("LP"))->isGreyed());
        QTest::mouseClick(lp, Qt::LeftButton);
        QCOMPARE(drills, 0);
        QCOMPARE(MsgBox::shownCount(), 1);
        QCOMPARE(s->findChild<QLabel*>(QStringLiteral("lblReason"))->text(), QStringLiteral("音声を再生できません"));
    }

    // Sound failing during a drill by ear: 採点 stands greyed and says why (F5
    // grades nothing) until a word plays again.
    void aDrillByEarGradesOnlyWhileSoundWorks()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("espeak-ng")).isEmpty())
            QSKIP("espeak-ng is not installed (sudo apt install espeak-ng)");
        SilentOutput* output = nullptr;
        screens->voice().setMadeHook([&](SpeechService& speech) {
            auto o = std::make_unique<SilentOutput>();
            output = o.get();
            speech.setAudioOutput(std::move(o));
        });
        Tovak& t = *state->tovak;
        openOn(t, firstWords(12));
        t.Listening = true;
        DrillScreen& d = loadDrill(*screens, QStringLiteral("frmListP2"));
        QVERIFY(shown(d));
        QVERIFY(output);
        ImageButton* grade = d.button(QStringLiteral("Grade"));
        QVERIFY(grade->isActive());
        output->setFailing(true);
        MsgBox::setNextAnswer(QMessageBox::Ok);
        screens->voice().speakWord(t.CurrentWordList[0]);
        QTRY_VERIFY_WITH_TIMEOUT(grade->isGreyed(), 5000);
        QCOMPARE(MsgBox::shownCount(), 1);
        QCOMPARE(MsgBox::last().text, SpeechService::noOutputSentence());
        QCOMPARE(grade->picture()->pixmap().toImage(), Pictures::btn(9).toImage());
        answerPage(&d, t, [](int) { return true; });
        QTest::keyClick(&d, Qt::Key_F5);
        QTest::mouseClick(grade->picture(), Qt::LeftButton);
        QCOMPARE(t.DrillMode, qint16(DrillAnswering));
        auto* reason = d.findChild<QLabel*>(QStringLiteral("lblReason"));
        QVERIFY(reason->isVisible());
        QCOMPARE(reason->text(), grade->reasonNotOffered());
        // A word heard again: grading is offered, and grades.
        output->setFailing(false);
        screens->voice().speakWord(t.CurrentWordList[0]);
        QTRY_VERIFY_WITH_TIMEOUT(grade->isActive(), 5000);
        QVERIFY(!reason->isVisible());
        QTest::keyClick(&d, Qt::Key_F5);
        QCOMPARE(t.DrillMode, qint16(DrillAllRight));
        QCOMPARE(MsgBox::shownCount(), 1);
        // Graded, the glyphs show.
        QVERIFY(!d.findChild<QLabel*>(QStringLiteral("imgTovak1(0)"))->pixmap().isNull());
    }

    void theSwitchesToggleAndPersist_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("started"); // the voice was made before the press
        QTest::newRow("speech") << "lblSpeech" << false;
        QTest::newRow("slow") << "lblSlow" << false;
        QTest::newRow("speech, voice made") << "lblSpeech" << true;
        QTest::newRow("slow, voice made") << "lblSlow" << true;
    }

    void theSwitchesToggleAndPersist()
    {
        QFETCH(QString, label);
        QFETCH(bool, started);
        frmTOC& menu = shownMenu();
        // Start-up made no voice.
        QVERIFY(!screens->voice().started());
        if (started)
            (void)screens->voice().service();
        auto* l = menu.findChild<QLabel*>(label);
        QVERIFY(l);
        const bool speech = label == QLatin1String("lblSpeech");
        const QString caption = speech ? QStringLiteral("音声：") : QStringLiteral("ゆっくり：");
        const auto valueOf = [&](const SpeechSettings& s) { return speech ? s.enabled : s.slow; };
        const bool before = valueOf(SpeechSettings{});
        const auto onOff = [](bool on) { return on ? QStringLiteral("オン") : QStringLiteral("オフ"); };
        // The switch is a picture of its state, its name the same words.
        const auto picture = [&](bool on) { return Pictures::speechSwitch((speech ? 1 : 3) + (on ? 0 : 1)).toImage(); };
        QCOMPARE(l->accessibleName(), caption + onOff(before));
        QCOMPARE(l->pixmap().toImage(), picture(before));
        for (bool expected : {!before, before}) {
            QVERIFY(pressClickable(l));
            QCOMPARE(l->accessibleName(), caption + onOff(expected));
            QCOMPARE(l->pixmap().toImage(), picture(expected));
            QCOMPARE(valueOf(SpeechSettings::load(state->iniPath())), expected);
            QCOMPARE(screens->voice().started(), started);
            if (started)
                QCOMPARE(valueOf(screens->voice().service().settings()), expected);
        }
        QVERIFY(accessibilityFaults(&menu).isEmpty());
    }

    // A switch that cannot be saved stays as it was, on screen and on disk, and the learner is told once.
    void aSwitchThatCannotBeSavedStays_data()
    {
        QTest::addColumn<QString>("label");
        QTest::newRow("speech") << "lblSpeech";
        QTest::newRow("slow") << "lblSlow";
    }

    void aSwitchThatCannotBeSavedStays()
    {
        QFETCH(QString, label);
        frmTOC& menu = shownMenu();
        auto* l = menu.findChild<QLabel*>(label);
        QVERIFY(l);
        QVERIFY(SpeechSettings{}.save(state->iniPath()));
        QFile file(state->iniPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray onDisk = file.readAll();
        file.close();
        const QImage picture = l->pixmap().toImage();
        const QString name = l->accessibleName();
        DurableFile::systemCalls().rename = [](const char*, const char*) {
            errno = ENOSPC;
            return -1;
        };
        const auto restore = qScopeGuard([] { DurableFile::restoreSystemCalls(); });
        MsgBox::resetRecord();
        MsgBox::setNextAnswer(QMessageBox::Ok);
        QVERIFY(pressClickable(l));
        QCOMPARE(MsgBox::shownCount(), 1);
        QVERIFY(MsgBox::last().text.startsWith(QStringLiteral("音声の設定を保存できませんでした。")));
        QVERIFY(MsgBox::last().text.contains(state->iniPath()));
        QCOMPARE(l->pixmap().toImage(), picture);
        QCOMPARE(l->accessibleName(), name);
        QCOMPARE(screens->voice().settings(), SpeechSettings{});
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), onDisk);
    }

    // A clicked speaker's row has the focus, so F6 plays it again; the readings
    // of a character say which one each speaker speaks.
    void aClickedSpeakerTakesTheFocus_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("speaker");
        QTest::addColumn<QString>("name");
        QTest::newRow("不, its first reading") << "frmChar-11"
                                               << "imgReading(0)"
                                               << "発音を聞く：bu2";
        QTest::newRow("不, its second reading") << "frmChar-11"
                                                << "imgReading(1)"
                                                << "発音を聞く：bu4";
        QTest::newRow("a related word") << "frmChar-11"
                                        << "imgSpeaker(2)" << QString();
        QTest::newRow("translation drill") << "frmListR"
                                           << "imgSpeaker(3)" << QString();
    }
    void aClickedSpeakerTakesTheFocus()
    {
        QFETCH(QString, screen);
        QFETCH(QString, speaker);
        QFETCH(QString, name);
        QWidget* s = open(screen, false);
        QVERIFY(s);
        s->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s));
        auto* b = s->findChild<SpeakerButton*>(speaker);
        QVERIFY(b && b->isVisible());
        if (!name.isEmpty()) {
            QCOMPARE(b->accessibleName(), name);
            QVERIFY(b->toolTip().startsWith(name));
        }
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), b);
        // No ring for the mouse: it marks only where Tab has gone.
        auto* ring = s->findChild<QWidget*>(QStringLiteral("focusRing"));
        QVERIFY(!ring || !ring->isVisible());
    }

    // A command the learner is told to type stays whole on one line of the box.
    void theCommandStaysOnOneLine_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("command");
        QTest::newRow("missing program") << SpeechService::missingProgramSentence() << "sudo apt install espeak-ng";
        QTest::newRow("failed synthesis")
            << SpeechService::synthesisFailedSentence() << "sudo apt install --reinstall espeak-ng";
    }
    void theCommandStaysOnOneLine()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, command);
        QVERIFY(sentence.split(QLatin1Char('\n')).contains(command));
        // Shown as the program's boxes are: the line fits the box's text as it is laid out.
        QMessageBox box(QMessageBox::NoIcon, MsgBox::programTitle(), sentence, QMessageBox::Ok);
        box.setTextFormat(Qt::PlainText);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        auto* text = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        QVERIFY(text);
        QVERIFY(text->contentsRect().width() >= QFontMetrics(text->font()).horizontalAdvance(command));
    }

  private:
    // The search with every word found, or the detail of that character: the screens with drills by ear.
    ScreenBase* launcherScreen(const QString& screen)
    {
        if (screen != QLatin1String("frmSearch"))
            return open(screen, false) ? &screens->screen<frmChar>() : nullptr;
        auto& search = screens->screen<frmSearch>();
        search.load();
        search.button(QStringLiteral("Search(0)"))->click(); // an empty free search finds every word
        return shown(search) ? &search : nullptr;
    }
    QWidget* open(const QString& name, bool graded)
    {
        Tovak& t = *state->tovak;
        const QString screen = name.section(QLatin1Char('-'), 0, 0);
        t.Listening = name.endsWith(QLatin1String("-byear"));
        if (t.Listening) // the focused box would speak: nothing to hear here
            screens->voice().setSettings(SpeechSettings{false, false});
        if (screen == QLatin1String("frmChar")) {
            const int ckey = name.section(QLatin1Char('-'), 1).toInt();
            t.RankingKind = 1;
            buildRanking(t, 1);
            setFrmChar_maxcno(t, static_cast<qint16>(t.CurrentCharCount - 1));
            t.cno = static_cast<qint16>(t.CurrentCharList.indexOf(static_cast<qint16>(ckey)));
            auto& d = screens->screen<frmChar>();
            d.setFrmChar(static_cast<qint16>(ckey));
            return shown(d);
        }
        // One page of each screen, so grading asks nothing about unseen pages.
        openOn(t, firstWords(screen == QLatin1String("frmListR") ? 10 : 12));
        if (screen == QLatin1String("frmListDui"))
            return shown(screens->screen<frmListDui>());
        DrillScreen& d = loadDrill(*screens, screen);
        if (graded) {
            answerPage(&d, t, [](int position) { return position % 2 == 0; });
            QTest::keyClick(&d, Qt::Key_F5);
        }
        return shown(d);
    }
    static QWidget* shown(QWidget& w)
    {
        w.show();
        return QTest::qWaitForWindowExposed(&w) ? &w : nullptr;
    }
};

QTEST_MAIN(TestSpeakers)
#include "test_speakers.moc"
