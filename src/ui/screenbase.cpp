#include "ui/screenbase.h"

#include "ui/layout.h"
#include "ui/messagebox.h"
#include "ui/pictures.h"
#include "ui/screenregistry.h"
#include "ui/screenstyle.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>

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
    b->setGate([this] { return !refusesPresses(); });
    connect(b, &ImageButton::reasonAsked, this, &ScreenBase::showReason);
    // The help and exit buttons of every screen have no caption to name them.
    if (b->objectName() == QLatin1String("Help"))
        b->setAccessibleName(QStringLiteral("ヘルプ"));
    else if (b->objectName() == QLatin1String("Exit"))
        b->setAccessibleName(QStringLiteral("終了"));
    buttons_ << b;
    return b;
}

void ScreenBase::setReasonLine(const QRect& geometry)
{
    reasonLine_ = makeLabel(this, QStringLiteral("lblReason"), QString(), geometry,
                            QColor::fromRgb(Layout::Palette::accent), 13, true);
    reasonLine_->setWordWrap(true);
    reasonLine_->hide();
}

void ScreenBase::showReason(const QString& reason)
{
    if (!reasonLine_)
        return;
    reasonLine_->setText(reason);
    reasonLine_->setVisible(!reason.isEmpty());
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
    helpPage_ = helpPage;
    connect(help, &ImageButton::clicked, this, [this] { (void)screens_.showHelp(helpPage_, this); });
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
    for (ImageButton* turn : {imgBefore, imgNext})
        turn->setGate({}); // a page turn loses nothing
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

void ScreenBase::closeEvent(QCloseEvent* e)
{
    // The registry unloads screens with done(), never close(); a close event is
    // the window's close box (or the window system).
    e->ignore();
    closeBoxClicked();
}
