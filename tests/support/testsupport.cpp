#include "testsupport.h"

TestState::TestState(quint32 seed, bool loadTables)
{
    tovak = std::make_unique<Tovak>(seed, iniPath());
    if (loadTables)
        tovak->initTables();
}
