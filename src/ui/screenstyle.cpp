#include "ui/screenstyle.h"

#include "ui/layout.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QStyle>

namespace {

// A plain-text label that draws its own text. A QLabel that takes the focus
// (every clickable one does, for Tab) lays its text out as a text document
// instead, three times at each paint: the translation drill's forty choices
// cost most of a page turn that way.
class PlainLabel final : public QLabel {
  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent* e) override
    {
        if (text().isEmpty() || !pixmap().isNull()) {
            QLabel::paintEvent(e);
            return;
        }
        QPainter painter(this);
        drawFrame(&painter);
        const int m = margin();
        QRect r = contentsRect().adjusted(m, m, -m, -m);
        const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
        // As QLabel indents: the indent given, else half an x inside a frame.
        int in = indent();
        if (in < 0 && frameWidth() > 0)
            in = fontMetrics().horizontalAdvance(u'x') / 2 - m;
        if (in > 0) {
            if (align & Qt::AlignLeft)
                r.setLeft(r.left() + in);
            if (align & Qt::AlignRight)
                r.setRight(r.right() - in);
            if (align & Qt::AlignTop)
                r.setTop(r.top() + in);
            if (align & Qt::AlignBottom)
                r.setBottom(r.bottom() - in);
        }
        const int flags = int(align) | (wordWrap() ? int(Qt::TextWordWrap) : 0);
        style()->drawItemText(&painter, r, flags, palette(), isEnabled(), text(), foregroundRole());
    }
};

} // namespace

QLabel* makeLabel(QWidget* parent, const QString& objectName, const QString& text, const QRect& geometry, QColor colour,
                  int pixelSize, bool bold, Qt::Alignment align)
{
    auto* l = new PlainLabel(text, parent);
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
