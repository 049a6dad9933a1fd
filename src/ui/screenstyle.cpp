#include "ui/screenstyle.h"

#include "ui/layout.h"

#include <QPalette>

QLabel* makeLabel(QWidget* parent, const QString& objectName, const QString& text, const QRect& geometry,
                  QColor colour, int pixelSize, bool bold, Qt::Alignment align)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(objectName);
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(geometry);
    l->setAlignment(align);
    QFont f = l->font();
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    l->setFont(f);
    setTextColour(l, colour);
    return l;
}

void setTextColour(QLabel* label, QColor colour)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

QLabel* styleCaption(QLabel* caption)
{
    QFont f = caption->font();
    f.setPixelSize(14);
    caption->setFont(f);
    setTextColour(caption, QColor::fromRgb(Layout::Palette::ink));
    return caption;
}
