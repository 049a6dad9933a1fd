#pragma once

#include <QColor>
#include <QLabel>
#include <QRect>

// Label helpers shared by the screens: plain text (data never reads as HTML),
// in the colours the background pictures are painted with.
QLabel* makeLabel(QWidget* parent, const QString& objectName, const QString& text, const QRect& geometry, QColor colour,
                  int pixelSize, bool bold = false, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
void setTextColour(QLabel* label, QColor colour);
// Sets a one-line text at pixelSize, or smaller when it would not fit the
// label's width: a long translation is read whole, never clipped.
void setFittedText(QLabel* label, const QString& text, int pixelSize);
// The caption of an ordinary button face, as every screen writes it.
void styleCaption(QLabel* caption);
