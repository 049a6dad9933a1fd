// Writes PNGs of the ranking lists, the character detail and the latest-exam
// screens into the folder named by RUMENA_SCREENSHOTS, for looking at them;
// skipped when it is not set. Run once more with QT_SCALE_FACTOR=2 for the
// high-DPI pictures (their names end in @2x, or @1.5x).
#include "testsupport.h"

#include "core/browse/rankings.h"
#include "core/voice.h"
#include "ui/browse/frmChar.h"
#include "ui/browse/frmExamListC.h"
#include "ui/browse/frmExamTOC.h"
#include "ui/browse/frmListC.h"
#include "ui/screenregistry.h"

#include <QtTest>

class TestBrowseScreenshots : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase()
    {
        folder = screenshotFolder();
        if (folder.isEmpty())
            QSKIP("RUMENA_SCREENSHOTS names no folder");
        state = std::make_unique<TestState>();
        registry = std::make_unique<ScreenRegistry>(*state->tovak);
    }

    void rankings()
    {
        Tovak& t = *state->tovak;
        for (qint16 kind = 1; kind <= 4; ++kind) {
            t.RankingKind = kind;
            buildRanking(t, kind);
            auto& list = registry->screen<frmListC>();
            list.init();
            saveFirstAndLast(list, QStringLiteral("frmListC-%1").arg(kind));
        }
    }

    void details()
    {
        Tovak& t = *state->tovak;
        t.RankingKind = 1;
        buildRanking(t, 1);
        setFrmChar_maxcno(t, static_cast<qint16>(t.CurrentCharCount - 1));
        for (qint16 ckey : {1, 6, 14, 803}) {
            t.cno = static_cast<qint16>(t.CurrentCharList.indexOf(ckey));
            auto& detail = registry->screen<frmChar>();
            detail.setFrmChar(ckey);
            save(detail, QStringLiteral("frmChar-%1").arg(ckey));
            registry->unload(detail);
        }
        // Speech off: the drills by ear greyed, the reason of the one pressed written out.
        SpeechSettings off = registry->voice().settings();
        off.enabled = false;
        QVERIFY(registry->voice().setSettings(off));
        t.cno = static_cast<qint16>(t.CurrentCharList.indexOf(qint16{6}));
        auto& detail = registry->screen<frmChar>();
        detail.setFrmChar(6);
        QTest::mouseClick(detail.button(QStringLiteral("LP1"))->picture(), Qt::LeftButton);
        save(detail, QStringLiteral("frmChar-silent"));
        registry->unload(detail);
        QVERIFY(registry->voice().setSettings(SpeechSettings{}));
    }

    void examMenu()
    {
        auto& menu = registry->screen<frmExamTOC>();
        save(menu, QStringLiteral("frmExamTOC-0"));
        for (int k = 1; k <= 3; ++k) {
            menu.resetHover();
            QEvent enter(QEvent::Enter);
            QCoreApplication::sendEvent(menu.findChild<QLabel*>(QStringLiteral("imgContents(%1)").arg(k)), &enter);
            save(menu, QStringLiteral("frmExamTOC-%1").arg(k));
        }
        registry->unload(menu);
    }

    void examLists()
    {
        for (int kind = 1; kind <= 3; ++kind) {
            auto& list = registry->screen<frmExamListC>();
            list.setInit(static_cast<ExamListKind>(kind));
            list.init();
            saveFirstAndLast(list, QStringLiteral("frmExamListC-%1").arg(kind));
        }
    }

  private:
    void saveFirstAndLast(CharListScreen& list, const QString& name)
    {
        // The pointer on the glyph of row 1, as a learner would have it.
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(list.findChild<QLabel*>(QStringLiteral("imgTovak(1)")), &enter);
        save(list, name + QStringLiteral("-first"));
        list.resetHover();
        while (list.pages().listPage() < list.pages().listPageCount())
            QTest::keyClick(&list, Qt::Key_PageDown);
        save(list, name + QStringLiteral("-last"));
        registry->unload(list);
    }

    void save(QWidget& w, const QString& name)
    {
        const QString suffix = w.devicePixelRatio() > 1 ? QStringLiteral("@%1x").arg(w.devicePixelRatio()) : QString();
        QVERIFY(saveScreenshot(w, folder, name + suffix));
    }

    QString folder;
    std::unique_ptr<TestState> state;
    std::unique_ptr<ScreenRegistry> registry;
};

QTEST_MAIN(TestBrowseScreenshots)
#include "shots_browse.moc"
