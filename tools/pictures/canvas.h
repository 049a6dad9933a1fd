#pragma once

// Drawing helpers shared by every picture: canvases at 1x and 2x, the house
// fonts, text in boxes, and the frame that every screen stands on.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

#include "ui/layout.h"

inline QColor rgb(QRgb c) { return QColor::fromRgba(c); }

// A canvas of the given logical size; painting is in logical pixels at any scale.
QImage makeCanvas(QSize size, int scale, QColor fill = Qt::transparent);
// Saves as <dir>/<name>.png, or <name>@2x.png when the canvas is at scale 2.
// QuickToDecode trades nothing for a faster decode on these drawn pictures; the
// glyphs keep Qt's own encoding.
enum class Encoding { Qt, QuickToDecode };
void savePicture(const QImage& image, const QString& dir, const QString& name,
                 Encoding encoding = Encoding::QuickToDecode);
QImage renderSvg(const QString& file, QSize size, int scale);
void drawSvg(QPainter& p, const QString& file, const QRectF& target);
QString svgPath(const QString& name);

enum class Face { Sans, SansBold, Serif, SerifBold };
QFont houseFont(Face face, qreal pixelSize);
void drawText(QPainter& p, const QRectF& box, const QString& text, Face face, qreal px, QColor colour,
              int flags = Qt::AlignLeft | Qt::AlignVCenter);

void roundedPanel(QPainter& p, const QRectF& box, qreal radius, QColor fill, QColor border,
                  bool shadow = true);
// Paper, header band, and the exit mark when the screen has one.
void bambooSprig(QPainter& p, QPointF base, qreal height, qreal alpha);
void screenFrame(QPainter& p, QSize size, bool exitMark, const QRect& exitRect = Layout::imgExit);
void headerTitle(QPainter& p, const QString& title);
void brandMark(QPainter& p, const QRect& box);
// The card of a menu item; highlighted = the hover picture.
void menuItem(QPainter& p, const QRect& box, const QString& caption, bool highlighted);
