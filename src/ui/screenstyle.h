#pragma once

#include <QColor>
#include <QLabel>
#include <QRect>

// Label helpers shared by the screens: plain text (data never reads as HTML),
// in the colours the background pictures are painted with.
QLabel* makeLabel(QWidget* parent, const QString& objectName, const QString& text, const QRect& geometry,
                  QColor colour, int pixelSize, bool bold = false, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
void setTextColour(QLabel* label, QColor colour);
// The caption of a button face: ink, 14 px.
QLabel* styleCaption(QLabel* caption);
