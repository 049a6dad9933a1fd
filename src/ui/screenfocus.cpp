// ScreenBase: where the focus starts, the order Tab follows and the ring that
// shows where Tab has reached.
#include "ui/screenbase.h"

#include "ui/clickable.h"

#include <QPainter>
#include <QShowEvent>

namespace {

// Marks the control that Tab has reached; mouse users never see it.
class FocusRing : public QWidget {
  public:
    explicit FocusRing(QWidget* screen) : QWidget(screen)
    {
        setObjectName(QStringLiteral("focusRing"));
        // Clicks and moves go to what lies under it, and the form's bare test ignores it.
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

  protected:
    void paintEvent(QPaintEvent*) override
    {
        // Blue with a white inner line stays visible on the green band, the paper and the pictures.
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0x1E, 0x6F, 0xD9), 2));
        p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 5, 5);
        p.setPen(QPen(Qt::white, 1));
        p.drawRoundedRect(QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5), 4, 4);
    }
};

} // namespace

void ScreenBase::markFocus(QWidget* control)
{
    if (!focusRing_)
        focusRing_ = new FocusRing(this);
    focusRing_->setGeometry(QRect(control->mapTo(this, QPoint(0, 0)), control->size()).adjusted(-3, -3, 3, 3));
    focusRing_->raise();
    focusRing_->show();
}

void ScreenBase::setReadingOrder(const QList<QWidget*>& controls)
{
    // The first Tab from the screen itself lands on the first of them. Qt links
    // only widgets that take focus, so the screen takes it for the moment.
    const Qt::FocusPolicy own = focusPolicy();
    setFocusPolicy(Qt::TabFocus);
    QWidget* previous = this;
    for (QWidget* w : controls) {
        setTabOrder(previous, w);
        previous = w;
    }
    setFocusPolicy(own);
}

void ScreenBase::setFramedReadingOrder(const QList<QWidget*>& body)
{
    QList<QWidget*> order;
    const auto add = [this, &order](const char* name) {
        if (ImageButton* b = button(QString::fromLatin1(name)))
            order << b->picture();
    };
    add("Help");
    add("Exit");
    order << body;
    for (const char* name : {"Grade", "Before", "Next", "Back"})
        add(name);
    setReadingOrder(order);
}

void ScreenBase::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (focusWidget())
        return;
    // Focus starts in the first text box or list; pictures are reached by Tab
    // only, so a screen of pictures alone keeps the focus itself and opens with
    // no control looking selected.
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (w->window() == this && (w->focusPolicy() & Qt::TabFocus) && !isClickable(w) && w->isVisibleTo(this) &&
            w->isEnabled()) {
            w->setFocus(Qt::ActiveWindowFocusReason);
            return;
        }
    }
    setFocus(Qt::ActiveWindowFocusReason);
}
