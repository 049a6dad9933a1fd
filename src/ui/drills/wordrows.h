#pragma once

#include "core/drills/typeddrill.h"

#include <QColor>
#include <QLabel>
#include <QRect>

#include <array>

class DB;

// The number and the four glyph pictures every word row starts with, drawn
// from a WordRow. Shared by the drills and the answer list. A screen reader
// reads each glyph as its character.
class WordRowView {
  public:
    // firstGlyph is imgTovak1's place; the other three follow it to the right.
    WordRowView(QWidget* parent, const DB& db, int row, const QRect& number, const QRect& firstGlyph);

    void show(const WordRow& row);

  private:
    const DB& db_;
    QLabel* no_;
    std::array<QLabel*, 4> glyphs_{};
    std::array<int, 4> shown_{}; // glyph key on each picture, 0 for none
};

// A row of the twelve-row pages (the typed drills and the answer list): the
// word part, the pinyin beside the glyphs, the translation under them.
class TypedRowView : public WordRowView {
  public:
    TypedRowView(QWidget* parent, const DB& db, int row, QColor pinyinColour);

    void showTexts(const QString& translation, const QString& pinyin, bool pinyinVisible);

  private:
    QLabel* jp_;
    QLabel* answer_;
};

// Shows a grading mark, or nothing.
void showMark(QLabel* mark, MarkState state);
