// What a screen reader and a keyboard user meet on the screens of the frame:
// every clickable picture is a named push button that Tab reaches in reading
// order and Space or the press action clicks.
#include "testsupport.h"

#include "browse/frmTOC.h"
#include "core/tovak.h"
#include "info/frmAbout.h"
#include "info/frmHelp.h"
#include "info/frmSplash.h"
#include "ui/clickable.h"
#include "ui/pictures.h"
#include "ui/screenregistry.h"

#include <QAccessible>
#include <QtTest>

class TestAccessibility : public QObject, public ScreenFixture {
    Q_OBJECT
  private:
    // The screen of a row, loaded and shown as the program shows it.
    ScreenBase* openScreen(const QString& name)
    {
        ScreenBase* s = nullptr;
        if (name == QLatin1String("frmTOC")) {
            state->tovak->initTables();
            screens->finishStartup();
            s = screens->mainMenu();
        } else if (name.startsWith(QLatin1String("frmHelp"))) {
            auto& help = screens->screen<frmHelp>();
            help.setHelp(static_cast<qint16>(name.section(QLatin1Char('-'), 1).toInt()));
            s = &help;
        } else if (name == QLatin1String("frmAbout")) {
            s = &screens->screen<frmAbout>();
        } else if (name == QLatin1String("frmSplash")) {
            s = &screens->screen<frmSplash>();
        }
        if (s) {
            s->show();
            if (!QTest::qWaitForWindowExposed(s))
                return nullptr;
        }
        return s;
    }

    static QAccessibleInterface* control(ScreenBase* s, const QString& name)
    {
        auto* w = s->findChild<QWidget*>(name);
        return w ? QAccessible::queryAccessibleInterface(w) : nullptr;
    }

  private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void everyClickableControlIsANamedButton_data()
    {
        QTest::addColumn<QString>("screen");
        for (const char* s : {"frmTOC", "frmHelp-0", "frmHelp-4", "frmHelp-7", "frmAbout", "frmSplash"})
            QTest::newRow(s) << s;
    }

    void everyClickableControlIsANamedButton()
    {
        QFETCH(QString, screen);
        ScreenBase* s = openScreen(screen);
        QVERIFY(s);
        const QStringList faults = accessibilityFaults(s);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        QCOMPARE(QAccessible::queryAccessibleInterface(s)->text(QAccessible::Name), QStringLiteral("ルメナ　～四級～"));
    }

    void controlsAreNamedByCaptionOrPurpose_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::newRow("menu item 1") << "frmTOC"
                                     << "imgContents(1)"
                                     << "総合出る順";
        QTest::newRow("menu item 6") << "frmTOC"
                                     << "imgContents(6)"
                                     << "第51回試験必勝分析";
        QTest::newRow("menu help") << "frmTOC"
                                   << "imgHelp"
                                   << "ヘルプ";
        QTest::newRow("menu exit") << "frmTOC"
                                   << "imgExit"
                                   << "終了";
        QTest::newRow("mascot") << "frmTOC"
                                << "imgPanda"
                                << "このソフトについて";
        QTest::newRow("help next") << "frmHelp-3"
                                   << "imgNext"
                                   << "次へ";
        QTest::newRow("help back") << "frmHelp-3"
                                   << "imgBack"
                                   << "閉じる";
        QTest::newRow("help exit") << "frmHelp-3"
                                   << "imgExit"
                                   << "終了";
        QTest::newRow("help entry") << "frmHelp-0"
                                    << "lblContents(0)"
                                    << "１．はじめに";
        QTest::newRow("web link") << "frmAbout"
                                  << "lblURL"
                                  << "https://rumena.example.org/";
    }

    void controlsAreNamedByCaptionOrPurpose()
    {
        QFETCH(QString, screen);
        QFETCH(QString, control);
        QFETCH(QString, name);
        ScreenBase* s = openScreen(screen);
        QVERIFY(s);
        QAccessibleInterface* iface = TestAccessibility::control(s, control);
        QVERIFY2(iface, qPrintable(control));
        QCOMPARE(iface->role(), QAccessible::Button);
        QCOMPARE(iface->text(QAccessible::Name), name);
    }

    void aButtonIsRenamedWithItsCaption()
    {
        // The drills turn "採点" into "誤答再試験"; the screen reader must follow.
        ScreenBase* s = openScreen(QStringLiteral("frmHelp-3"));
        QVERIFY(s);
        s->button(QStringLiteral("Back"))->caption()->setText(QStringLiteral("誤答再試験"));
        QCOMPARE(control(s, QStringLiteral("imgBack"))->text(QAccessible::Name), QStringLiteral("誤答再試験"));
    }

    void glyphsAreNamedByTheirCharacter_data()
    {
        QTest::addColumn<int>("ckey");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << 1 << "我";
        QTest::newRow("second") << 2 << "的";
        QTest::newRow("no character") << 804 << "";
        QTest::newRow("outside the set") << 0 << "";
    }

    void glyphsAreNamedByTheirCharacter()
    {
        QFETCH(int, ckey);
        QFETCH(QString, name);
        state->tovak->initTables();
        QLabel glyph;
        showGlyph(&glyph, state->tovak->db, ckey);
        QCOMPARE(glyph.accessibleName(), name);
        QCOMPARE(glyph.pixmap().cacheKey(), loadGlyph(ckey).cacheKey());
    }

    void tabFollowsReadingOrder_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("main menu") << "frmTOC" << QStringList{"imgHelp",        "imgExit",        "imgContents(6)",
                                                              "imgContents(5)", "imgContents(1)", "imgContents(2)",
                                                              "imgContents(3)", "imgContents(4)", "imgPanda"};
        QStringList contents{"imgExit"};
        for (int k = 0; k < 7; ++k)
            contents << QStringLiteral("lblContents(%1)").arg(k);
        QTest::newRow("help contents") << "frmHelp-0"
                                       << (contents << "imgNext"
                                                    << "imgBack");
        QTest::newRow("help page") << "frmHelp-4" << QStringList{"imgExit", "imgBefore", "imgNext", "imgBack"};
        QTest::newRow("help last page") << "frmHelp-7" << QStringList{"imgExit", "imgBefore", "imgBack"};
        QTest::newRow("about") << "frmAbout" << QStringList{"lblURL"};
    }

    void tabFollowsReadingOrder()
    {
        QFETCH(QString, screen);
        QFETCH(QStringList, order);
        ScreenBase* s = openScreen(screen);
        QVERIFY(s);
        QCOMPARE(tabOrder(s), order);
    }

    void spaceAndThePressActionClickButTheMouseLeavesNoRing()
    {
        ScreenBase* menu = openScreen(QStringLiteral("frmTOC"));
        QVERIFY(menu);
        int helpShown = 0;
        screens->setShownHook([&](ScreenBase& help) {
            ++helpShown;
            help.back();
        });
        QWidget* imgHelp = menu->findChild<QWidget*>(QStringLiteral("imgHelp"));
        auto* ring = menu->findChild<QWidget*>(QStringLiteral("focusRing"));
        QVERIFY(!ring || ring->isHidden());

        QTest::mouseClick(imgHelp, Qt::LeftButton);
        QCOMPARE(helpShown, 1);
        QVERIFY(!imgHelp->hasFocus());
        QVERIFY(!isClickable(QApplication::focusWidget())); // the menu opened with no control selected

        // Round the whole chain and back to the help button.
        QCOMPARE(tabOrder(menu).value(0), QStringLiteral("imgHelp"));
        QVERIFY(imgHelp->hasFocus());
        ring = menu->findChild<QWidget*>(QStringLiteral("focusRing"));
        QVERIFY(ring && ring->isVisible());
        QVERIFY(ring->geometry().contains(imgHelp->geometry()));
        QTest::keyClick(imgHelp, Qt::Key_Space);
        QCOMPARE(helpShown, 2);
        QTest::keyClick(imgHelp, Qt::Key_Return); // Enter presses nothing
        QCOMPARE(helpShown, 2);

        control(menu, QStringLiteral("imgHelp"))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(helpShown, 3);
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
