// The help viewer: its pages, turning them within their range, the table of contents,
// closing back to the caller and the exit that asks nothing.
#include "data/provenance.h"
#include "testsupport.h"

#include "core/info/helppages.h"
#include "ui/info/frmHelp.h"
#include "ui/messagebox.h"
#include "ui/screenregistry.h"

#include <QtTest>

class TestFrmHelp : public QObject, public ScreenFixture {
    Q_OBJECT
  private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void contentsPage()
    {
        frmHelp& help = shown(0);
        QCOMPARE(text("lblType"), QStringLiteral("ヘルプ目次"));
        for (int k = 0; k < HelpTopicCount; ++k)
            QVERIFY(control(QStringLiteral("lblContents(%1)").arg(k))->isVisible());
        QVERIFY(!control("lblComment")->isVisible());
        QVERIFY(control("imgNext")->isVisible() && control("lblNext")->isVisible());
        QVERIFY(!control("imgBefore")->isVisible() && !control("lblBefore")->isVisible());
        QCOMPARE(text("lblBack"), QStringLiteral("閉じる"));
        QCOMPARE(help.size(), QSize(540, 418));
    }

    void contentsEntryOpensItsPage_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("title");
        QTest::newRow("first") << 0 << "1.はじめに";
        QTest::newRow("caption differs from title") << 1 << "2.出る順（漢字データ）";
        QTest::newRow("その他") << 6 << "7.その他";
        QTest::newRow("音声と復習") << 7 << "8.音声と復習";
        QTest::newRow("学習記録") << 8 << "9.学習記録";
        QTest::newRow("last") << HelpTopicCount - 1 << "10.模擬試験";
    }
    void contentsEntryOpensItsPage()
    {
        QFETCH(int, entry);
        QFETCH(QString, title);
        shown(0);
        QTest::mouseClick(control(QStringLiteral("lblContents(%1)").arg(entry)), Qt::LeftButton);
        QCOMPARE(state->tovak->HelpPage, entry + 1);
        QCOMPARE(text("lblType"), title);
        QCOMPARE(text("lblComment"), helpPages()[static_cast<size_t>(entry + 1)].text);
        QVERIFY(control("lblComment")->isVisible());
        QVERIFY(!control("lblContents(0)")->isVisible());
    }

    void pageTextsFitAndTellWhereTheCountsComeFrom_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("speaksOfCounts");
        for (int page = 1; page <= LastHelpPage; ++page)
            QTest::newRow(qPrintable(QString::number(page))) << page << (page == 1 || page == 2 || page == 7);
    }
    void pageTextsFitAndTellWhereTheCountsComeFrom()
    {
        QFETCH(int, page);
        QFETCH(bool, speaksOfCounts);
        shown(static_cast<qint16>(page));
        QLabel* comment = control("lblComment");
        QVERIFY2(comment->heightForWidth(comment->width()) <= comment->height(),
                 qPrintable(QStringLiteral("needs %1 px").arg(comment->heightForWidth(comment->width()))));
        QCOMPARE(comment->text().endsWith(dataEstimateNote()), speaksOfCounts);
    }

    // Each page keeps its first text word for word; what came later follows it.
    void pagesKeepTheirTextAndTellWhatCameLater_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("begins");
        QTest::addColumn<QStringList>("tells");
        QTest::newRow("search") << 3 << "様々な条件で単語を検索することができます。"
                                << QStringList{"「復習検索」", "今日の復習", "聞き取り声調"};
        QTest::newRow("pinyin drills") << 4 << "漢字に対してピンインを入力して解答する問題形式です。" << QStringList{};
        QTest::newRow("keys") << 6
                              << "「ルメナ」では便利なショートカットキーが使えます。ショートカットキーを使えばより効率的"
                                 "に問題を解くことができます。「次へ」は「PageDown」、「前へ」は「PageUp」、「戻る」は「E"
                                 "sc」、「採点」は「F5」で代用することができます。"
                              << QStringList{"「F6」", "「1」～「4」", "「F1」", "「Tab」"};
        QTest::newRow("sound and review") << 8 << "単語の横にあるスピーカーの絵をクリックすると"
                                          << QStringList{"「F6」", "sudo apt install espeak-ng", "「音声」", "「ゆっくり」",
                                                         "聞き取りﾋﾟﾝｲﾝ", "今日の復習"};
    }
    void pagesKeepTheirTextAndTellWhatCameLater()
    {
        QFETCH(int, page);
        QFETCH(QString, begins);
        QFETCH(QStringList, tells);
        const QString text = helpPages()[static_cast<size_t>(page)].text;
        QVERIFY2(text.startsWith(begins), qPrintable(text.left(40)));
        for (const QString& t : tells)
            QVERIFY2(text.contains(t), qPrintable(t));
    }

    void pagesTurnByButtonsAndKeysWithinTheirLimits()
    {
        frmHelp& help = shown(3);
        QCOMPARE(text("lblType"), QStringLiteral("3.単語総合検索"));
        QVERIFY(control("imgNext")->isVisible() && control("imgBefore")->isVisible());

        QTest::mouseClick(control("lblNext"), Qt::LeftButton);
        QCOMPARE(state->tovak->HelpPage, 4);
        QTest::keyClick(&help, Qt::Key_PageDown);
        QTest::keyClick(&help, Qt::Key_PageDown);
        QTest::mouseClick(control("imgNext"), Qt::LeftButton);
        QCOMPARE(state->tovak->HelpPage, 7);
        QCOMPARE(text("lblType"), QStringLiteral("7.その他"));
        help.setHelp(LastHelpPage);
        state->tovak->HelpPage = LastHelpPage;
        QVERIFY(!control("imgNext")->isVisible() && !control("lblNext")->isVisible());
        QTest::keyClick(&help, Qt::Key_PageDown);
        QCOMPARE(state->tovak->HelpPage, LastHelpPage);

        help.setHelp(1);
        state->tovak->HelpPage = 1;
        QTest::mouseClick(control("lblBefore"), Qt::LeftButton);
        QCOMPARE(state->tovak->HelpPage, 0);
        QCOMPARE(text("lblType"), QStringLiteral("ヘルプ目次"));
        QTest::keyClick(&help, Qt::Key_PageUp);
        QCOMPARE(state->tovak->HelpPage, 0);
        QTest::keyClick(&help, Qt::Key_PageDown);
        QCOMPARE(state->tovak->HelpPage, 1);
    }

    void contentsEntriesTurnRedUnderTheMouse()
    {
        frmHelp& help = shown(0);
        const QColor blue(0, 0, 255), red(255, 0, 0);
        auto colour = [&](int k) {
            return control(QStringLiteral("lblContents(%1)").arg(k))->palette().color(QPalette::WindowText);
        };
        QCOMPARE(colour(2), blue);
        QTest::mouseMove(control("lblContents(2)"), {5, 5});
        QTRY_COMPARE(colour(2), red);
        QTest::mouseMove(control("lblContents(4)"), {5, 5});
        QTRY_COMPARE(colour(4), red);
        QCOMPARE(colour(2), blue);
        QTest::mouseMove(control("imgNext"), {5, 5});
        QTRY_VERIFY(help.button(QStringLiteral("Next"))->isHovered());
        QTest::mouseMove(&help, {530, 410});
        QTRY_VERIFY(!help.button(QStringLiteral("Next"))->isHovered());
        for (int k = 0; k < HelpTopicCount; ++k)
            QCOMPARE(colour(k), blue);
    }

    // 閉じる returns at once; the exit button asks as on every other screen.
    void closingReturnsAndExitAsks()
    {
        int runs = 0;
        bool openAfterNo = false;
        screens->setShownHook([&](ScreenBase& help) {
            ++runs;
            auto click = [&](const char* name) {
                QTest::mouseClick(help.findChild<QLabel*>(QString::fromLatin1(name)), Qt::LeftButton);
            };
            if (runs == 1) {
                click("lblBack");
                return;
            }
            MsgBox::setNextAnswer(QMessageBox::No);
            click("imgExit");
            openAfterNo = help.isVisible();
            MsgBox::setNextAnswer(QMessageBox::Yes);
            click("imgExit");
        });
        QVERIFY(screens->showHelp(5, nullptr));
        QCOMPARE(quits, 0);
        QCOMPARE(MsgBox::shownCount(), 0);
        QVERIFY(!screens->loaded(QStringLiteral("frmHelp")));
        QVERIFY(!screens->showHelp(0, nullptr));
        QVERIFY(openAfterNo);
        QCOMPARE(MsgBox::shownCount(), 2);
        QCOMPARE(MsgBox::last().text, QStringLiteral("本当に終了しますか？"));
        QCOMPARE(quits, 1);
    }

  private:
    frmHelp& shown(qint16 page)
    {
        state->tovak->HelpPage = page;
        frmHelp& help = screens->screen<frmHelp>();
        help.setHelp(page);
        help.show();
        if (!QTest::qWaitForWindowExposed(&help))
            qFatal("help not exposed");
        return help;
    }
    QLabel* control(const QString& name) const
    {
        auto* l = screens->screen<frmHelp>().findChild<QLabel*>(name);
        if (!l)
            qFatal("no control %s", qPrintable(name));
        return l;
    }
    QLabel* control(const char* name) const { return control(QString::fromLatin1(name)); }
    QString text(const char* name) const { return control(name)->text(); }
};

QTEST_MAIN(TestFrmHelp)
#include "test_frmHelp.moc"
