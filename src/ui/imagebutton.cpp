#include "ui/imagebutton.h"

#include "ui/layout.h"
#include "ui/screenstyle.h"

#include <QEvent>

ImageButton::ImageButton(QWidget* screen, const QString& name, const QPixmap& rest, const QPixmap& hover)
    : ImageButton(screen, name, rest, PictureLoader())
{
    hover_ = hover;
}

ImageButton::ImageButton(QWidget* screen, const QString& name, const QPixmap& rest, PictureLoader hover)
    : QObject(screen), picture_(new QLabel(screen)), rest_(rest), hoverLoader_(std::move(hover))
{
    setObjectName(name);
    picture_->setObjectName(QStringLiteral("img") + name);
    picture_->installEventFilter(this);
    onClick(picture_, [this] { click(); });
    onRefusedClick(picture_, [this] {
        if (isGreyed())
            emit reasonAsked(reason_);
    });
    show();
}

void ImageButton::click()
{
    if (!gate_ || gate_())
        emit clicked();
}

QLabel* ImageButton::addCaption(const QString& text, const QRect& geometry, CaptionRole role)
{
    caption_ = new QLabel(text, picture_->parentWidget());
    caption_->setObjectName(QStringLiteral("lbl") + objectName());
    caption_->setTextFormat(Qt::PlainText);
    caption_->setAlignment(Qt::AlignCenter);
    caption_->setGeometry(geometry);
    captionRole_ = role;
    caption_->installEventFilter(this);
    forwardClicks(caption_, picture_);
    // The caption names the button to a screen reader, also after its text changes.
    caption_->setBuddy(picture_);
    if (!isVisible())
        caption_->hide();
    // The caption lies over the picture.
    caption_->raise();
    return caption_;
}

void ImageButton::setAccessibleName(const QString& name)
{
    picture_->setAccessibleName(name);
}

void ImageButton::setGeometry(const QRect& pictureGeometry)
{
    picture_->setGeometry(pictureGeometry);
}

void ImageButton::setPixmaps(const QPixmap& rest, const QPixmap& hover)
{
    rest_ = rest;
    hover_ = hover;
    hoverLoader_ = nullptr;
    show();
}

void ImageButton::setHovered(bool on)
{
    if (hovered_ == on)
        return;
    hovered_ = on;
    show();
}

void ImageButton::show()
{
    if (hovered_ && hoverLoader_) {
        hover_ = hoverLoader_();
        hoverLoader_ = nullptr;
    }
    const QPixmap& p = isGreyed() && !inactive_.isNull() ? inactive_ : hovered_ ? hover_ : rest_;
    if (p.isNull())
        picture_->clear();
    else
        picture_->setPixmap(p);
}

void ImageButton::setVisible(bool visible)
{
    picture_->setVisible(visible);
    if (caption_)
        caption_->setVisible(visible);
}

bool ImageButton::isVisible() const
{
    return picture_->isVisibleTo(picture_->parentWidget());
}

bool ImageButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == picture_ && isGreyed()) {
        if (event->type() == QEvent::FocusIn)
            emit reasonAsked(reason_);
        else if (event->type() == QEvent::FocusOut)
            emit reasonAsked(QString());
    }
    if (event->type() == QEvent::Enter) {
        const bool fromCaption = watched == caption_;
        if (!fromCaption || captionRole_ == CaptionActsAsButton) {
            setHovered(true);
            emit entered();
        }
    }
    return QObject::eventFilter(watched, event);
}

void ImageButton::setActive(bool active)
{
    if (active_ == active)
        return;
    active_ = active;
    restyle();
}

void ImageButton::setReasonNotOffered(const QString& reason)
{
    if (reason_ == reason)
        return;
    reason_ = reason;
    for (QLabel* part : {picture_, caption_}) {
        if (part) {
            part->setToolTip(reason);
            part->setAccessibleDescription(reason);
        }
    }
    restyle();
}

void ImageButton::setInactivePicture(const QPixmap& picture)
{
    inactive_ = picture;
    show();
}

void ImageButton::restyle()
{
    setClickableActive(picture_, active_);
    // Not offered but explained: the keyboard must reach it to learn why.
    picture_->setFocusPolicy(active_ || isGreyed() ? Qt::TabFocus : Qt::NoFocus);
    if (caption_) {
        if (!captionInk_.isValid())
            captionInk_ = caption_->palette().color(QPalette::WindowText);
        setTextColour(caption_, isGreyed() ? QColor::fromRgb(Layout::Palette::inactive) : captionInk_);
    }
    show();
    if (!isGreyed())
        emit reasonAsked(QString());
    else if (picture_->hasFocus())
        emit reasonAsked(reason_);
}
