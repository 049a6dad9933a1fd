#include "ui/speakerbutton.h"

#include "core/pinyin.h"
#include "core/tovak.h"
#include "ui/clickable.h"
#include "ui/pictures.h"
#include "ui/screenregistry.h"

namespace {
const QString playHint = QStringLiteral("発音を聞く（F6：もう一度）");
} // namespace

SpeakerButton::SpeakerButton(ScreenRegistry& screens, QWidget* parent, const QString& objectName, const QRect& geometry)
    : QLabel(parent), screens_(screens)
{
    setObjectName(objectName);
    setGeometry(geometry);
    setAlignment(Qt::AlignCenter);
    onClick(this, [this] { play(); });
    connect(&screens_, &ScreenRegistry::speechAvailabilityChanged, this, &SpeakerButton::redraw);
    hide();
    redraw();
}

void SpeakerButton::setWord(int tkey)
{
    tkey_ = tkey;
    reading_.clear();
    rename();
    redraw();
}

void SpeakerButton::setReading(const QString& reading)
{
    tkey_ = 0;
    reading_ = reading;
    rename();
    redraw();
}

void SpeakerButton::setConcealed(bool concealed)
{
    if (concealed_ == concealed)
        return;
    concealed_ = concealed;
    rename();
    redraw();
}

void SpeakerButton::rename()
{
    QString said;
    if (concealed_) {
        said = QStringLiteral("この問題の単語");
    } else if (tkey_ > 0) {
        const DB& db = screens_.tovak().db;
        for (int ckey : db.wordCKeys(tkey_))
            said += db.glyphCharacter(ckey);
    } else {
        said = displayPinyin(reading_);
    }
    setAccessibleName(QStringLiteral("発音を聞く：") + said);
}

void SpeakerButton::setAllowed(bool allowed)
{
    allowed_ = allowed;
    redraw();
}

bool SpeakerButton::play()
{
    if (!hasSomethingToSay() || !allowed_ || !screens_.canSpeak())
        return false;
    if (tkey_ > 0)
        screens_.speakWord(tkey_);
    else
        screens_.speakReading(reading_);
    return true;
}

void SpeakerButton::enterEvent(QEnterEvent* e)
{
    hovered_ = true;
    redraw();
    QLabel::enterEvent(e);
}

void SpeakerButton::leaveEvent(QEvent* e)
{
    hovered_ = false;
    redraw();
    QLabel::leaveEvent(e);
}

void SpeakerButton::redraw()
{
    const bool available = screens_.canSpeak();
    setPixmap(Pictures::speaker(!available ? 3 : hovered_ ? 2 : 1));
    const QString hint = available ? playHint : screens_.speechUnavailableReason();
    setToolTip(hint);
    setAccessibleDescription(hint);
    setClickableActive(this, available);
    if (concealed_)
        setFocusPolicy(Qt::NoFocus);
    setVisible(allowed_ && hasSomethingToSay());
}
