#pragma once

#include "core/tovak.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

// A fresh shared state with the tables loaded, a fixed seed and a statistics
// file in a temporary folder of its own.
struct TestState {
    explicit TestState(quint32 seed = 12345, bool loadTables = true);
    QString iniPath() const { return dir.filePath(QStringLiteral("conf.ini")); }

    QTemporaryDir dir;
    std::unique_ptr<Tovak> tovak;
};
