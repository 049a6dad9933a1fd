#include "testsupport.h"

#include "ui/messagebox.h"
#include "ui/screenregistry.h"

TestState::TestState(quint32 seed, bool loadTables)
{
    tovak = std::make_unique<Tovak>(seed, iniPath());
    if (loadTables)
        tovak->initTables();
}

ScreenFixture::ScreenFixture() = default;
ScreenFixture::~ScreenFixture() = default;

void ScreenFixture::setUp()
{
    state = std::make_unique<TestState>(12345, false);
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
