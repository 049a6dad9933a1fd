// The frame every screen stands on: keys before the focused control, Esc and
// the close box as Back, Enter inert, hover and the bare-form reset, loading
// and unloading, ending from any depth, the message boxes.
#include "testsupport.h"

#include "ui/clickable.h"
#include "ui/menu/frmTOC.h"
#include "ui/messagebox.h"
#include "ui/screenbase.h"
#include "ui/screenregistry.h"
#include "ui/screenstyle.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QtTest>

namespace {

QPixmap solid(QColor c, QSize s = {60, 30})
{
    QPixmap p(s);
    p.fill(c);
    return p;
}

qint64 shownKey(QLabel* l)
{
    return l->pixmap().isNull() ? 0 : l->pixmap().cacheKey();
}

// A screen with an answer box, a plain label and three buttons.
class TestScreen : public ScreenBase {
    Q_OBJECT
  public:
    explicit TestScreen(ScreenRegistry& s) : ScreenBase(s, QStringLiteral("TestScreen"), QPixmap(), {400, 300})
    {
        answer = new QLineEdit(this);
        answer->setObjectName(QStringLiteral("txtAnswer"));
        answer->setGeometry(10, 10, 100, 24);
        plain = new QLabel(QStringLiteral("label"), this);
        plain->setObjectName(QStringLiteral("lblPlain"));
        plain->setGeometry(10, 250, 100, 24);
        // Like a label that follows the mouse: its ignored moves reach the form.
        plain->setMouseTracking(true);
        next = addButton(QStringLiteral("Next"), restA, hoverA, {200, 10, 60, 30});
        next->addCaption(QStringLiteral("次へ"), {200, 50, 60, 20});
        before = addButton(QStringLiteral("Before"), restA, hoverA, {200, 100, 60, 30});
        before->addCaption(QStringLiteral("前へ"), {200, 140, 60, 20});
        other = addButton(QStringLiteral("Other"), QPixmap(), hoverA, {300, 100, 60, 30});
        other->addCaption(QStringLiteral("他"), {300, 140, 60, 20}, ImageButton::CaptionForwardsClick);
        ++loads;
    }
    void load() override { ++loadSteps; }
    void back() override
    {
        ++backs;
        if (closeOnBack)
            ScreenBase::back();
    }

    QLineEdit* answer;
    QLabel* plain;
    ImageButton* next;
    ImageButton* before;
    ImageButton* other;
    const QPixmap restA = solid(Qt::blue);
    const QPixmap hoverA = solid(Qt::red);
    int pageDowns = 0, pageUps = 0, f5s = 0, backs = 0;
    bool closeOnBack = true;
    static inline int loads = 0;
    static inline int loadSteps = 0;

  protected:
    void pageDownKey() override { ++pageDowns; }
    void pageUpKey() override { ++pageUps; }
    void f5Key() override { ++f5s; }
};

class OtherScreen : public ScreenBase {
    Q_OBJECT
  public:
    explicit OtherScreen(ScreenRegistry& s) : ScreenBase(s, QStringLiteral("OtherScreen"), QPixmap(), {300, 200}) {}
};

} // namespace

class TestFrame : public QObject, public ScreenFixture {
    Q_OBJECT
  private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void keysReachTheScreenBeforeTheFocusedControl()
    {
        auto& s = screens->screen<TestScreen>();
        s.closeOnBack = false;
        s.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s));
        s.answer->setFocus();
        QTest::keyClicks(s.answer, QStringLiteral("ma3"));
        QTest::keyClick(s.answer, Qt::Key_PageDown);
        QTest::keyClick(s.answer, Qt::Key_PageUp);
        QTest::keyClick(s.answer, Qt::Key_F5);
        QTest::keyClick(s.answer, Qt::Key_Escape);
        QCOMPARE(s.pageDowns, 1);
        QCOMPARE(s.pageUps, 1);
        QCOMPARE(s.f5s, 1);
        QCOMPARE(s.backs, 1);
        QCOMPARE(s.answer->text(), QStringLiteral("ma3"));
        QVERIFY(s.isVisible());

        // While an input method composes, the keys belong to it.
        QInputMethodEvent composing(QStringLiteral("ma"), {});
        QCoreApplication::sendEvent(s.answer, &composing);
        QTest::keyClick(s.answer, Qt::Key_PageDown);
        QTest::keyClick(s.answer, Qt::Key_Escape);
        QCOMPARE(s.pageDowns, 1);
        QCOMPARE(s.backs, 1);
        QInputMethodEvent committed;
        committed.setCommitString(QStringLiteral("ma"));
        QCoreApplication::sendEvent(s.answer, &committed);
        QTest::keyClick(s.answer, Qt::Key_PageDown);
        QCOMPARE(s.pageDowns, 2);
    }

    void escAndCloseBoxGoThroughBackAndEnterDoesNothing()
    {
        int escRuns = 0, closeRuns = 0;
        bool stillOpenAfterEnter = false;
        screens->setShownHook([&](ScreenBase& shown) {
            auto& s = static_cast<TestScreen&>(shown);
            if (escRuns == 0) {
                s.answer->setFocus();
                QTest::keyClick(s.answer, Qt::Key_Return);
                QTest::keyClick(&s, Qt::Key_Enter);
                stillOpenAfterEnter = s.isVisible() && s.backs == 0;
                ++escRuns;
                QTest::keyClick(s.answer, Qt::Key_Escape);
            } else {
                ++closeRuns;
                s.close();
            }
        });
        QVERIFY(screens->open<TestScreen>(nullptr));
        QVERIFY(stillOpenAfterEnter);
        QVERIFY(screens->open<TestScreen>(nullptr));
        QCOMPARE(closeRuns, 1);
        QVERIFY(!screens->loadedScreen<TestScreen>());
    }

    void eachOpeningLoadsAFreshScreen()
    {
        TestScreen::loads = TestScreen::loadSteps = 0;
        auto& first = screens->screen<TestScreen>();
        QCOMPARE(&screens->screen<TestScreen>(), &first);
        QCOMPARE(TestScreen::loadSteps, 1);
        first.next->setHovered(true);
        screens->setShownHook([](ScreenBase& s) { s.back(); });
        QVERIFY(screens->exec(first, nullptr));
        QVERIFY(!screens->loadedScreen<TestScreen>());
        auto& second = screens->screen<TestScreen>();
        QCOMPARE(TestScreen::loads, 2);
        QCOMPARE(TestScreen::loadSteps, 2);
        QVERIFY(!second.next->isHovered());
    }

    void hoverStaysUntilTheBareFormIsTouched()
    {
        auto& s = screens->screen<TestScreen>();
        s.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s));
        QLabel* imgNext = s.findChild<QLabel*>(QStringLiteral("imgNext"));
        QLabel* lblBefore = s.findChild<QLabel*>(QStringLiteral("lblBefore"));
        QVERIFY(imgNext && lblBefore);
        QCOMPARE(shownKey(imgNext), s.restA.cacheKey());

        QTest::mouseMove(imgNext, {5, 5});
        QTRY_VERIFY(s.next->isHovered());
        QCOMPARE(shownKey(imgNext), s.hoverA.cacheKey());
        // Straight onto the other button's caption: both stay lit.
        QTest::mouseMove(lblBefore, {5, 5});
        QTRY_VERIFY(s.before->isHovered());
        QVERIFY(s.next->isHovered());
        // A plain label is a control, not the bare form.
        QTest::mouseMove(s.plain, {5, 5});
        QTest::mouseMove(s.plain, {20, 8});
        QVERIFY(s.next->isHovered());
        QVERIFY(s.before->isHovered());
        // A caption that forwards only the click does not light its picture.
        QTest::mouseMove(s.other->caption(), {5, 5});
        QVERIFY(!s.other->isHovered());

        QTest::mouseMove(&s, {380, 280});
        QTRY_VERIFY(!s.next->isHovered());
        QVERIFY(!s.before->isHovered());
        QCOMPARE(shownKey(imgNext), s.restA.cacheKey());
        QCOMPARE(shownKey(s.other->picture()), 0);
    }

    void captionClicksActAsThePicture()
    {
        auto& s = screens->screen<TestScreen>();
        s.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s));
        int nextClicks = 0, otherClicks = 0;
        connect(s.next, &ImageButton::clicked, this, [&] { ++nextClicks; });
        connect(s.other, &ImageButton::clicked, this, [&] { ++otherClicks; });
        QTest::mouseClick(s.next->picture(), Qt::LeftButton);
        QTest::mouseClick(s.next->caption(), Qt::LeftButton);
        QTest::mouseClick(s.other->caption(), Qt::LeftButton);
        QTest::mouseClick(s.next->caption(), Qt::RightButton);
        QCOMPARE(nextClicks, 2);
        QCOMPARE(otherClicks, 1);

        s.next->setVisible(false);
        QVERIFY(!s.next->picture()->isVisible());
        QVERIFY(!s.next->caption()->isVisible());
        QVERIFY(!s.next->isVisible());
        s.next->setVisible(true);
        QVERIFY(s.next->caption()->isVisible());
    }

    void exitQuestionNoLeavesEverythingAsItWas()
    {
        bool askedOnTop = false;
        QString typed;
        screens->setShownHook([&](ScreenBase& shown) {
            auto& s = static_cast<TestScreen&>(shown);
            QTest::keyClicks(s.answer, QStringLiteral("xue2"));
            s.next->setHovered(true);
            MsgBox::setNextAnswer(QMessageBox::No);
            askedOnTop = !screens->confirmExit(&s);
            typed = s.answer->text();
            QVERIFY(s.isVisible());
            QVERIFY(s.next->isHovered());
            s.back();
        });
        QVERIFY(screens->open<TestScreen>(nullptr));
        QVERIFY(askedOnTop);
        QCOMPARE(typed, QStringLiteral("xue2"));
        QVERIFY(!screens->isQuitting());
        QCOMPARE(quits, 0);

        const MsgBox::Shown& box = MsgBox::last();
        QCOMPARE(box.text, QStringLiteral("本当に終了しますか？"));
        QCOMPARE(box.title, QStringLiteral("終了確認"));
        QCOMPARE(box.buttonTexts, (QStringList{QStringLiteral("はい"), QStringLiteral("いいえ")}));
        QCOMPARE(box.defaultButtonText, QStringLiteral("はい"));
        QCOMPARE(box.icon, QMessageBox::NoIcon);
    }

    void exitQuestionYesEndsFromANestedScreen()
    {
        bool outerFollowUpRan = false;
        bool innerReturned = true;
        screens->setShownHook([&](ScreenBase& shown) {
            if (shown.objectName() == QStringLiteral("TestScreen")) {
                innerReturned = screens->open<OtherScreen>(&shown);
                if (!innerReturned)
                    return;
                outerFollowUpRan = true;
            } else {
                QCOMPARE(screens->stack().size(), 2);
                MsgBox::setNextAnswer(QMessageBox::Yes);
                QVERIFY(screens->confirmExit(&shown));
            }
        });
        const bool outerReturned = screens->open<TestScreen>(nullptr);
        QVERIFY(!outerReturned);
        QVERIFY(!innerReturned);
        QVERIFY(!outerFollowUpRan);
        QVERIFY(screens->isQuitting());
        QVERIFY(screens->stack().isEmpty());
        QVERIFY(!screens->loadedScreen<TestScreen>());
        QVERIFY(!screens->loadedScreen<OtherScreen>());
        QCOMPARE(quits, 1);
        // Nothing opens any more once the program is ending.
        QVERIFY(!screens->open<OtherScreen>(nullptr));
    }

    void startUpSetsTheWindowIconAndLetsGoOfTheSplash()
    {
        startProgram(*screens);
        QPointer<ScreenBase> splash = screens->loaded(QStringLiteral("frmSplash"));
        QVERIFY(splash && splash->isVisible());
        QVERIFY(!QGuiApplication::windowIcon().isNull());
        QTRY_VERIFY(shownMainMenu(*screens) && shownMainMenu(*screens)->isVisible());
        // Gone from the registry at once, and as an object once the loop runs.
        QVERIFY(!screens->loaded(QStringLiteral("frmSplash")));
        QTRY_VERIFY(!splash);
    }

    void messageBoxesCarryTheProgramsTitle()
    {
        MsgBox::setNextAnswer(QMessageBox::Ok);
        MsgBox::information(nullptr, QStringLiteral("全て解けました"));
        QCOMPARE(MsgBox::last().title, QStringLiteral("ルメナ　～四級～"));
        QCOMPARE(MsgBox::last().buttonTexts, QStringList{QStringLiteral("OK")});
        QVERIFY(!MsgBox::hasPendingAnswer());
    }

    void aFailedSaveIsToldOnce()
    {
        state->tovak->stats.setBeforeCommit([] { return false; });
        MsgBox::setNextAnswer(QMessageBox::Ok);
        MsgBox::setNextAnswer(QMessageBox::Ok);
        QVERIFY(!state->tovak->stats.saveStatistics());
        QVERIFY(!state->tovak->stats.saveStatistics());
        QCOMPARE(MsgBox::shownCount(), 1);
        QVERIFY(MsgBox::last().text.startsWith(QStringLiteral("成績を保存できませんでした。")));
        QCOMPARE(MsgBox::last().title, MsgBox::programTitle());
    }

    // A label the keyboard reaches draws its text itself (QLabel would lay it
    // out as a document at every paint): it looks exactly as a plain one.
    void aClickableLabelLooksAsAPlainOne_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("align");
        QTest::addColumn<int>("indent");
        QTest::addColumn<bool>("framed");
        QTest::newRow("left") << QStringLiteral("学校、がっこう") << int(Qt::AlignLeft | Qt::AlignVCenter) << -1
                              << false;
        QTest::newRow("centred") << QStringLiteral("今日の復習：37語") << int(Qt::AlignCenter) << -1 << false;
        QTest::newRow("right, bottom") << QStringLiteral("x < y & z") << int(Qt::AlignRight | Qt::AlignBottom) << -1
                                       << false;
        QTest::newRow("indented, framed (a choice)")
            << QStringLiteral("図書館") << int(Qt::AlignLeft | Qt::AlignVCenter) << 3 << true;
        QTest::newRow("framed, no indent given")
            << QStringLiteral("ma") << int(Qt::AlignLeft | Qt::AlignTop) << -1 << true;
    }
    void aClickableLabelLooksAsAPlainOne()
    {
        QFETCH(QString, text);
        QFETCH(int, align);
        QFETCH(int, indent);
        QFETCH(bool, framed);
        QWidget host;
        host.resize(300, 100);
        QLabel* labels[2];
        for (int i = 0; i < 2; ++i) {
            labels[i] = makeLabel(&host, QStringLiteral("label%1").arg(i), text, QRect(10, 10 + 40 * i, 200, 30),
                                  Qt::black, 13, false, Qt::Alignment(align));
            labels[i]->setIndent(indent);
            labels[i]->setFrameShape(framed ? QFrame::Box : QFrame::NoFrame);
        }
        onClick(labels[1], [] {});
        QCOMPARE(labels[1]->focusPolicy(), Qt::TabFocus);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QCOMPARE(labels[1]->grab().toImage(), labels[0]->grab().toImage());
    }

  private:
};

QTEST_MAIN(TestFrame)
#include "test_frame.moc"
