#include "testsupport.h"

#include "ui/messagebox.h"
#include "ui/screenregistry.h"

#include <QDir>
#include <QTest>
#include <QWidget>

TestState::TestState(quint32 seed, bool loadTables)
{
    tovak = std::make_unique<Tovak>(seed, iniPath());
    if (loadTables)
        tovak->initTables();
}

ScreenFixture::ScreenFixture() = default;
ScreenFixture::~ScreenFixture() = default;

void ScreenFixture::setUp(bool loadTables)
{
    state = std::make_unique<TestState>(12345, loadTables);
    screens = std::make_unique<ScreenRegistry>(*state->tovak);
    screens->setQuitHandler([this] { ++quits; });
    screens->setWebOpener([this](const QString& url) { opened << url; });
    quits = 0;
    opened.clear();
    MsgBox::resetRecord();
}

void ScreenFixture::tearDown()
{
    screens.reset();
    state.reset();
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
