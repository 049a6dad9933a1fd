// Writes a PNG of each screen of the frame into the folder named by
// RUMENA_SCREENSHOTS, for looking at them; skipped when it is not set.
#include "testsupport.h"

#include "ui/info/frmAbout.h"
#include "ui/info/frmHelp.h"
#include "ui/info/frmSplash.h"
#include "ui/menu/frmTOC.h"
#include "ui/screenregistry.h"

#include <QDate>
#include <QtTest>

class TestScreenshots : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase()
    {
        folder = screenshotFolder();
        if (folder.isEmpty())
            QSKIP("RUMENA_SCREENSHOTS names no folder");
    }

    void screens()
    {
        TestState state;
        ScreenRegistry registry(*state.tovak);
        registry.setQuitHandler([] {});

        auto& splash = registry.screen<frmSplash>();
        save(splash, "frmSplash");
        registry.unload(splash);

        state.tovak->initTables();
        finishStartup(registry);
        frmTOC* menu = shownMainMenu(registry);
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        const QList<std::pair<int, int>> percentages = {{0, 0}, {40, 30}, {75, 70}, {100, 100}};
        Statistics& stats = registry.tovak().stats;
        for (const auto& [p, r] : percentages) {
            stats.pinyinCoverage = p;
            stats.translationCoverage = r;
            emit stats.coverageChanged();
            menu->setPanda();
            save(*menu, QStringLiteral("frmTOC-panda%1").arg(menu->pandaNumber()));
        }
        menu->button(QStringLiteral("Contents(2)"))->setHovered(true);
        menu->button(QStringLiteral("Contents(6)"))->setHovered(true);
        menu->button(QStringLiteral("Help"))->setHovered(true);
        save(*menu, "frmTOC-hover");
        menu->resetHover();
        // Keyboard use: the ring on the help button (on the green band), then on a menu item.
        QVERIFY(!tabOrder(menu).isEmpty());
        save(*menu, "frmTOC-tab-help");
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        save(*menu, "frmTOC-tab-item");
        // The review line with 37 words due today.
        const auto today = static_cast<qint32>(QDate::currentDate().toJulianDay());
        for (size_t w = 1; w <= 37; ++w)
            state.tovak->stats.WordReviews[w] = reviewState(today - 10, 5);
        menu->showReviewCount();
        save(*menu, "frmTOC-review");
        // The switches and the review line under the mouse, and the ring on a switch.
        QEvent over(QEvent::Enter);
        QCoreApplication::sendEvent(menu->findChild<QLabel*>(QStringLiteral("lblSpeech")), &over);
        save(*menu, "frmTOC-hover-switch");
        QCoreApplication::sendEvent(menu->findChild<QLabel*>(QStringLiteral("lblReview")), &over);
        menu->findChild<QLabel*>(QStringLiteral("lblSlow"))->setFocus(Qt::TabFocusReason);
        save(*menu, "frmTOC-hover-review");
        menu->resetHover();
        state.tovak->stats.WordReviews = {};
        menu->showReviewCount();

        auto& help = registry.screen<frmHelp>();
        for (qint16 page : {0, 1, 2, 3, 4, 6, 7, 8, 9, 10}) {
            help.setHelp(page);
            help.resetHover();
            if (page == 0) {
                // The pointer over one entry, as a learner would have it.
                QEvent enter(QEvent::Enter);
                QCoreApplication::sendEvent(help.findChild<QLabel*>(QStringLiteral("lblContents(1)")), &enter);
            }
            save(help, QStringLiteral("frmHelp-page%1").arg(page));
        }
        registry.unload(help);

        auto& about = registry.screen<frmAbout>();
        save(about, "frmAbout");
    }

  private:
    void save(QWidget& w, const QString& name) { QVERIFY(saveScreenshot(w, folder, name)); }
    void save(QWidget& w, const char* name) { save(w, QString::fromLatin1(name)); }

    QString folder;
};

QTEST_MAIN(TestScreenshots)
#include "shots_frame.moc"
