#include "testsupport.h"

#include "core/speechservice.h"
#include "ui/clickable.h"
#include "ui/menu/frmTOC.h"
#include "ui/messagebox.h"
#include "ui/screenregistry.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QtEndian>

TestState::TestState(quint32 seed, bool loadTables)
{
    tovak = std::make_unique<Tovak>(seed, iniPath());
    if (loadTables)
        tovak->initTables();
}

bool writeReviewIni(const QString& path, const ReviewTable& reviews)
{
    const ReviewLists lists = formatReviewLists(reviews);
    QFile f(path);
    return f.open(QIODevice::WriteOnly) &&
           f.write("[STATISTICS]\r\nREVIEW_DAY=" + lists.days + "\r\nREVIEW_STABILITY=" + lists.stabilities +
                   "\r\nREVIEW_DIFFICULTY=" + lists.difficulties + "\r\n") > 0;
}

WordReview reviewState(qint32 lastDay, double stability)
{
    WordReview r;
    r.lastDay = lastDay;
    r.state = {stability, 5.0};
    r.hasState = true;
    return r;
}

QByteArray wavHeader(quint16 format, quint16 channels, quint32 rate, quint16 bits)
{
    QByteArray h(44, '\0');
    h.replace(0, 4, "RIFF");
    qToLittleEndian<quint32>(0x7ffff024, h.data() + 4);
    h.replace(8, 8, "WAVEfmt ");
    qToLittleEndian<quint32>(16, h.data() + 16);
    qToLittleEndian<quint16>(format, h.data() + 20);
    qToLittleEndian<quint16>(channels, h.data() + 22);
    qToLittleEndian<quint32>(rate, h.data() + 24);
    qToLittleEndian<quint32>(rate * channels * bits / 8, h.data() + 28);
    qToLittleEndian<quint16>(static_cast<quint16>(channels * bits / 8), h.data() + 32);
    qToLittleEndian<quint16>(bits, h.data() + 34);
    h.replace(36, 4, "data");
    qToLittleEndian<quint32>(0x7ffff000, h.data() + 40);
    return h;
}

ScreenFixture::ScreenFixture() = default;
ScreenFixture::~ScreenFixture() = default;

SilentOutput::~SilentOutput() = default;

void SilentOutput::play(const QByteArray&, int, Events events)
{
    const quint64 word = ++word_;
    // Taken at once and played at once, told as a real output tells it: from
    // the event loop, and never for a word stopped meanwhile.
    QTimer::singleShot(0, &context_, [this, word, failing = failing_, events = std::move(events)] {
        if (word != word_)
            return;
        if (failing) {
            if (events.failed)
                events.failed();
            return;
        }
        if (events.firstSamplesWritten)
            events.firstSamplesWritten();
        if (word == word_ && events.finished)
            events.finished();
    });
}

void SilentOutput::stop()
{
    ++word_;
}

void ScreenFixture::setUp(bool loadTables)
{
    state = std::make_unique<TestState>(12345, loadTables);
    screens = std::make_unique<ScreenRegistry>(*state->tovak);
    screens->setQuitHandler([this] { ++quits; });
    screens->setWebOpener([this](const QString& url) { opened << url; });
    wireScreens(*screens);
    // Screens that speak (a drill by ear speaks as it opens) find no sound
    // server here; a box saying so would wait for an answer no test gives.
    screens->voice().setMadeHook(
        [](SpeechService& speech) { speech.setAudioOutput(std::make_unique<SilentOutput>()); });
    quits = 0;
    opened.clear();
    MsgBox::resetRecord();
    watchdog = std::make_unique<QTimer>();
    watchdog->setSingleShot(true);
    QObject::connect(watchdog.get(), &QTimer::timeout, [this] {
        qWarning("a screen stayed open too long; ending every screen");
        screens->quit();
    });
    watchdog->start(30000);
}

void ScreenFixture::tearDown()
{
    watchdog.reset();
    screens.reset();
    state.reset();
}

frmTOC& ScreenFixture::shownMenu()
{
    if (!state->tovak->db.isLoaded())
        state->tovak->initTables();
    finishStartup(*screens);
    frmTOC* menu = shownMainMenu(*screens);
    if (!QTest::qWaitForWindowExposed(menu))
        qFatal("menu not exposed");
    return *menu;
}

frmTOC* shownMainMenu(ScreenRegistry& screens)
{
    return screens.loadedScreen<frmTOC>();
}

QString screenshotFolder()
{
    const QString folder = qEnvironmentVariable("RUMENA_SCREENSHOTS");
    if (!folder.isEmpty())
        QDir().mkpath(folder);
    return folder;
}

bool saveScreenshot(QWidget& w, const QString& folder, const QString& name)
{
    w.show();
    return QTest::qWaitForWindowExposed(&w) && w.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

namespace {

QString describe(const QWidget* w)
{
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

void collectFaults(QAccessibleInterface* iface, const QWidget* screen, QStringList& faults)
{
    if (!iface)
        return;
    auto* w = qobject_cast<QWidget*>(iface->object());
    if (w && w != screen && !w->isVisibleTo(screen))
        return;
    const bool pointingHand = w && w->testAttribute(Qt::WA_SetCursor) && w->cursor().shape() == Qt::PointingHandCursor;
    if (w && (isClickable(w) || pointingHand)) {
        if (iface->role() != QAccessible::Button)
            faults << describe(w) + QStringLiteral(": clickable, but its role is %1, not a button").arg(iface->role());
        if (iface->text(QAccessible::Name).trimmed().isEmpty())
            faults << describe(w) + QStringLiteral(": clickable, but has no name");
        QAccessibleActionInterface* actions = iface->actionInterface();
        if (!actions || !actions->actionNames().contains(QAccessibleActionInterface::pressAction()))
            faults << describe(w) + QStringLiteral(": clickable, but offers no press action");
    }
    for (int i = 0; i < iface->childCount(); ++i)
        collectFaults(iface->child(i), screen, faults);
}

} // namespace

QStringList accessibilityFaults(QWidget* screen)
{
    QStringList faults;
    collectFaults(QAccessible::queryAccessibleInterface(screen), screen, faults);
    return faults;
}

QStringList tabOrder(QWidget* screen)
{
    screen->activateWindow();
    if (!QTest::qWaitForWindowActive(screen, 2000))
        return {QStringLiteral("(the screen never became active)")};
    QStringList names;
    QWidget* first = nullptr;
    // Bounded: a chain that never comes round still ends.
    for (int i = 0; i < 100; ++i) {
        QWidget* from = QApplication::focusWidget() ? QApplication::focusWidget() : screen;
        QTest::keyClick(from, Qt::Key_Tab);
        QWidget* now = QApplication::focusWidget();
        if (!now || now == first)
            break;
        if (!first)
            first = now;
        names << describe(now);
    }
    return names;
}
