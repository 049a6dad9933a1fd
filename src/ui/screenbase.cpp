#include "ui/screenbase.h"

#include "ui/layout.h"
#include "ui/messagebox.h"
#include "ui/pictures.h"
#include "ui/screenregistry.h"
#include "ui/screenstyle.h"

#include <QChildEvent>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
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

ScreenBase::ScreenBase(ScreenRegistry& screens, const QString& name, const QPixmap& background, QSize designSize)
    : screens_(screens), background_(background)
{
    setObjectName(name);
    setWindowTitle(MsgBox::programTitle());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(background_.isNull() ? designSize : background_.deviceIndependentSize().toSize());
    // Moves over the bare form restore the buttons, so the form must see them
    // without a button held down.
    setMouseTracking(true);
    watch(this);
}

ScreenBase::~ScreenBase() = default;

Tovak& ScreenBase::tovak() const
{
    return screens_.tovak();
}

void ScreenBase::back()
{
    done(QDialog::Rejected);
}

void ScreenBase::resetHover()
{
    for (ImageButton* b : buttons_)
        b->restore();
}

void ScreenBase::helpKey()
{
    // One rule for every screen: the key opens the page the help button opens.
    if (ImageButton* help = button(QStringLiteral("Help")); help && help->isVisible())
        help->click();
}

ImageButton* ScreenBase::button(const QString& name) const
{
    for (ImageButton* b : buttons_) {
        if (b->objectName() == name)
            return b;
    }
    return nullptr;
}

ImageButton* ScreenBase::addButton(const QString& name, const QPixmap& rest, const QPixmap& hover,
                                   const QRect& geometry)
{
    return addButton(new ImageButton(this, name, rest, hover), geometry);
}

ImageButton* ScreenBase::addButton(const QString& name, const QPixmap& rest, ImageButton::PictureLoader hover,
                                   const QRect& geometry)
{
    return addButton(new ImageButton(this, name, rest, std::move(hover)), geometry);
}

ImageButton* ScreenBase::addButton(ImageButton* b, const QRect& geometry)
{
    b->setGeometry(geometry);
    // The help and exit buttons of every screen have no caption to name them.
    if (b->objectName() == QLatin1String("Help"))
        b->setAccessibleName(QStringLiteral("ヘルプ"));
    else if (b->objectName() == QLatin1String("Exit"))
        b->setAccessibleName(QStringLiteral("終了"));
    buttons_ << b;
    return b;
}

void ScreenBase::makeHoverGroup(const QList<ImageButton*>& group)
{
    for (ImageButton* b : group) {
        connect(b, &ImageButton::entered, this, [b, group] {
            for (ImageButton* other : group) {
                if (other != b)
                    other->restore();
            }
        });
    }
}

namespace {
ImageButton* captioned(ImageButton* b, const QString& text, const QRect& geometry)
{
    styleCaption(b->addCaption(text, geometry));
    return b;
}
} // namespace

void ScreenBase::addBackHelpExit(qint16 helpPage)
{
    ImageButton* back =
        captioned(addButton(QStringLiteral("Back"), Pictures::btn(1), Pictures::btn(2), Layout::BottomRow::back),
                  QStringLiteral("戻る"), Layout::captionOf(Layout::BottomRow::back));
    connect(back, &ImageButton::clicked, this, [this] { this->back(); });
    ImageButton* help = addButton(QStringLiteral("Help"), Pictures::btn(7), Pictures::btn(8), Layout::imgHelp);
    connect(help, &ImageButton::clicked, this, [this, helpPage] { (void)screens_.showHelp(helpPage, this); });
    ImageButton* exit = addButton(
        QStringLiteral("Exit"), QPixmap(), [] { return Pictures::btn(6); }, Layout::imgExit);
    connect(exit, &ImageButton::clicked, this, [this] { screens_.confirmExit(this); });
}

void ScreenBase::addPageButtons(std::function<void()> before, std::function<void()> next)
{
    const QRect b = Layout::BottomRow::before, n = Layout::BottomRow::next;
    ImageButton* imgBefore = captioned(addButton(QStringLiteral("Before"), Pictures::btn(3), Pictures::btn(4), b),
                                       QStringLiteral("前へ"), Layout::captionOfBefore(b));
    connect(imgBefore, &ImageButton::clicked, this, std::move(before));
    ImageButton* imgNext = captioned(addButton(QStringLiteral("Next"), Pictures::btn(1), Pictures::btn(2), n),
                                     QStringLiteral("次へ"), Layout::captionOf(n));
    connect(imgNext, &ImageButton::clicked, this, std::move(next));
}

void ScreenBase::watch(QObject* o)
{
    o->installEventFilter(this);
    for (QObject* child : o->children()) {
        if (child->isWidgetType())
            watch(child);
    }
}

bool ScreenBase::eventFilter(QObject* watched, QEvent* event)
{
    // The filter must follow controls created after the screen (and skip other
    // windows parented here, such as a help viewer opened over this screen).
    switch (event->type()) {
    case QEvent::ChildAdded: {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType() && !static_cast<QWidget*>(child)->isWindow())
            watch(child);
        break;
    }
    case QEvent::FocusIn:
        if (auto* w = static_cast<QWidget*>(watched); isClickable(w)) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
                markFocus(w);
        }
        break;
    case QEvent::FocusOut:
        if (focusRing_ && isClickable(static_cast<QWidget*>(watched)))
            focusRing_->hide();
        break;
    case QEvent::InputMethod:
        composing_ = !static_cast<QInputMethodEvent*>(event)->preeditString().isEmpty();
        break;
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride: {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w->window() == this) {
            auto* ke = static_cast<QKeyEvent*>(event);
            if (event->type() == QEvent::ShortcutOverride) {
                // Claim the screen's keys so no shortcut of a control takes them first.
                switch (ke->key()) {
                case Qt::Key_PageDown:
                case Qt::Key_PageUp:
                case Qt::Key_Escape:
                case Qt::Key_F5:
                case Qt::Key_F6:
                case Qt::Key_F1:
                    if (composing_)
                        return false;
                    event->accept();
                    return true;
                default:
                    return false;
                }
            }
            if (previewKey(ke))
                return true;
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

bool ScreenBase::previewKey(QKeyEvent* e)
{
    if (composing_)
        return false;
    switch (e->key()) {
    case Qt::Key_PageDown:
        pageDownKey();
        return true;
    case Qt::Key_PageUp:
        pageUpKey();
        return true;
    case Qt::Key_Escape:
        escKey();
        return true;
    case Qt::Key_F5:
        f5Key();
        return true;
    case Qt::Key_F6:
        replayKey();
        return true;
    case Qt::Key_F1:
        helpKey();
        return true;
    default:
        return false;
    }
}

bool ScreenBase::event(QEvent* e)
{
    // Leaving a text box while composing must not leave the keys blocked.
    if (e->type() == QEvent::WindowDeactivate)
        composing_ = false;
    return QDialog::event(e);
}

void ScreenBase::keyPressEvent(QKeyEvent* e)
{
    // QDialog would press a default button on Enter and reject on Esc; a screen
    // does neither.
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        e->accept();
        return;
    default:
        QDialog::keyPressEvent(e);
    }
}

void ScreenBase::paintEvent(QPaintEvent* e)
{
    if (background_.isNull()) {
        QDialog::paintEvent(e);
        return;
    }
    QPainter p(this);
    // The pictures are opaque: copying beats blending, and a page turn
    // repaints the ground under every label that changed.
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawPixmap(rect(), background_);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

bool ScreenBase::isBare(const QPoint& pos) const
{
    // A plain label lets moves and clicks through to the form, so the event
    // alone does not tell whether the mouse is over a control.
    return rect().contains(pos) && childAt(pos) == nullptr;
}

void ScreenBase::mouseMoveEvent(QMouseEvent* e)
{
    if (isBare(e->position().toPoint()))
        resetHover();
    QDialog::mouseMoveEvent(e);
}

void ScreenBase::mousePressEvent(QMouseEvent* e)
{
    barePressed_ = e->button() == Qt::LeftButton && isBare(e->position().toPoint());
    QDialog::mousePressEvent(e);
}

void ScreenBase::mouseReleaseEvent(QMouseEvent* e)
{
    const bool click = barePressed_ && e->button() == Qt::LeftButton && isBare(e->position().toPoint());
    barePressed_ = false;
    if (click)
        bareClicked();
    QDialog::mouseReleaseEvent(e);
}

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

void ScreenBase::closeEvent(QCloseEvent* e)
{
    // The registry unloads screens with done(), never close(); a close event is
    // the window's close box (or the window system).
    e->ignore();
    closeBoxClicked();
}
