#pragma once

#include "data/db.h"

#include <QByteArray>
#include <QString>

// What the tests of the logic share without a screen or a shared state.

// The study tables, loaded once per test program.
const DB& studyTables();

// A file's bytes, empty when it cannot be read; and a file written whole.
QByteArray readBytes(const QString& path);
bool writeBytes(const QString& path, const QByteArray& bytes);
