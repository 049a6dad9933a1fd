#pragma once

#include <QImage>
#include <QList>
#include <QString>

// Characters of the glyph set in key order (key 1 first), read from data/glyph-chars.tsv.
QList<QString> readGlyphCharacters(const QString& tsvFile);
// One 23x24 glyph at the given scale; an empty text gives the blank glyph.
QImage renderGlyph(const QString& character, int scale);
