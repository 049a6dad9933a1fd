#include "ui/imagebutton.h"

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
    const QPixmap& p = hovered_ ? hover_ : rest_;
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
    if (event->type() == QEvent::Enter) {
        const bool fromCaption = watched == caption_;
        if (!fromCaption || captionRole_ == CaptionActsAsButton) {
            setHovered(true);
            emit entered();
        }
    }
    return QObject::eventFilter(watched, event);
}

void ImageButton::setReasonNotOffered(const QString& reason)
{
    for (QLabel* part : {picture_, caption_}) {
        if (part) {
            part->setToolTip(reason);
            part->setAccessibleDescription(reason);
        }
    }
}
