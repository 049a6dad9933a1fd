// The about box and the splash screen.
#include "data/provenance.h"
#include "testsupport.h"

#include "core/info/helppages.h"
#include "core/version.h"
#include "ui/info/frmAbout.h"
#include "ui/info/frmSplash.h"
#include "ui/layout.h"
#include "ui/screenregistry.h"

#include <QtTest>

class TestFrmAbout : public QObject, public ScreenFixture {
    Q_OBJECT
  private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void labelsShowWhatTheyShould()
    {
        auto& about = screens->screen<frmAbout>();
        const QList<std::pair<const char*, QString>> expected = {
            {"Label9", QStringLiteral("Ver1.0 ：")},
            {"Label8", QStringLiteral("2004年02月16日")},
            {"Label7", QStringLiteral("【更新履歴】")},
            {"Label4", QStringLiteral("【連絡先】")},
            {"Label3", QStringLiteral("Web    ：")},
            {"lblURL", QString::fromUtf8(Maker::url)},
            {"Label2", QStringLiteral("E-mail ：")},
            {"Label1", QString::fromUtf8(Maker::mail)},
            {"lblDataTitle", QStringLiteral("【データについて】")},
            {"lblDataNote", dataEstimateNote()},
            {"lblVersion", QStringLiteral("Version ") + QString::fromLatin1(Version::number)},
        };
        for (const auto& [name, text] : expected) {
            auto* l = about.findChild<QLabel*>(QString::fromLatin1(name));
            QVERIFY2(l, name);
            QCOMPARE(l->text(), text);
        }
        QCOMPARE(about.size(), QSize(780, 600));
        // The note wraps inside its box and the box stays on the painted card.
        auto* note = about.findChild<QLabel*>(QStringLiteral("lblDataNote"));
        QVERIFY2(note->heightForWidth(note->width()) <= note->height(),
                 qPrintable(QStringLiteral("needs %1 px").arg(note->heightForWidth(note->width()))));
        QVERIFY(Layout::frmAbout::infoPanel.contains(note->geometry()));
    }

    void escAndEnterClose_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Esc") << int(Qt::Key_Escape);
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
    }
    void escAndEnterClose()
    {
        QFETCH(int, key);
        bool closed = false;
        screens->setShownHook([&](ScreenBase& about) {
            QTest::keyClick(&about, static_cast<Qt::Key>(key));
            closed = !about.isVisible();
            if (!closed)
                about.back();
        });
        QVERIFY(screens->open<frmAbout>(nullptr));
        QVERIFY(closed);
        QCOMPARE(quits, 0);
    }

    void onlyTheBareFaceAndKeysCloseAndTheLinkOpensThePage()
    {
        bool openAfterLabels = false, openAfterLink = false;
        screens->setShownHook([&](ScreenBase& about) {
            for (const char* name : {"Label9", "Label8", "Label7", "Label1", "lblDataNote"})
                QTest::mouseClick(about.findChild<QLabel*>(QString::fromLatin1(name)), Qt::LeftButton);
            openAfterLabels = about.isVisible();
            auto* link = about.findChild<QLabel*>(QStringLiteral("lblURL"));
            QTest::mouseClick(link, Qt::LeftButton);
            QTest::mouseClick(link, Qt::LeftButton);
            openAfterLink = about.isVisible();
            QTest::mouseClick(&about, Qt::LeftButton, {}, {20, 580});
        });
        QVERIFY(screens->open<frmAbout>(nullptr));
        QVERIFY(openAfterLabels);
        QVERIFY(openAfterLink);
        QCOMPARE(opened, QStringList(2, QString::fromUtf8(Maker::url)));
        QVERIFY(!screens->loaded(QStringLiteral("frmAbout")));
    }

    void splashIgnoresCloseBoxAndKeys()
    {
        auto& splash = screens->screen<frmSplash>();
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        QCOMPARE(splash.size(), QSize(500, 330));
        QCOMPARE(splash.windowTitle(), QStringLiteral("ルメナ　～四級～"));
        splash.close();
        QTest::keyClick(&splash, Qt::Key_Escape);
        QVERIFY(splash.isVisible());
        QVERIFY(!screens->isQuitting());
    }

  private:
};

QTEST_MAIN(TestFrmAbout)
#include "test_frmAbout.moc"
