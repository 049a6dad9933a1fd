#include "ui/screenstyle.h"

#include "ui/layout.h"

#include <QFontMetrics>
#include <QPalette>

QLabel* makeLabel(QWidget* parent, const QString& objectName, const QString& text, const QRect& geometry, QColor colour,
                  int pixelSize, bool bold, Qt::Alignment align)
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
    if (label->palette().color(QPalette::WindowText) == colour)
        return; // a new palette would repolish the label
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

void setFittedText(QLabel* label, const QString& text, int pixelSize)
{
    constexpr int smallest = 8;
    QFont f = label->font();
    const int room = label->contentsRect().width();
    int size = pixelSize;
    for (; size > smallest; --size) {
        f.setPixelSize(size);
        if (QFontMetrics(f).horizontalAdvance(text) <= room)
            break;
    }
    f.setPixelSize(size);
    if (label->font() != f)
        label->setFont(f);
    label->setText(text);
}

void styleCaption(QLabel* caption)
{
    QFont f = caption->font();
    f.setPixelSize(14);
    caption->setFont(f);
    setTextColour(caption, QColor::fromRgb(Layout::Palette::ink));
}
