#include "ui/speakerbutton.h"

#include "core/pinyin.h"
#include "core/voice.h"
#include "data/db.h"
#include "ui/clickable.h"
#include "ui/pictures.h"

namespace {
const QString replayHint = QStringLiteral("（F6：もう一度）");
} // namespace

SpeakerButton::SpeakerButton(Voice& voice, const DB& db, QWidget* parent, const QString& objectName,
                             const QRect& geometry)
    : QLabel(parent), voice_(voice), db_(db)
{
    setObjectName(objectName);
    setGeometry(geometry);
    setAlignment(Qt::AlignCenter);
    onClick(this, [this] {
        // The row of a clicked speaker has the focus, so F6 plays it again.
        setFocus(Qt::MouseFocusReason);
        play();
    });
    connect(&voice_, &Voice::changed, this, &SpeakerButton::redraw);
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
        for (int ckey : db_.wordCKeys(tkey_))
            said += db_.glyphCharacter(ckey);
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
    if (!hasSomethingToSay() || !allowed_ || !voice_.canSpeak())
        return false;
    if (tkey_ > 0)
        voice_.speakWord(tkey_);
    else
        voice_.speakReading(reading_);
    return true;
}

void SpeakerButton::showEvent(QShowEvent* e)
{
    voice_.prepare();
    QLabel::showEvent(e);
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
    const bool available = voice_.canSpeak();
    setPixmap(Pictures::speaker(!available ? 3 : hovered_ ? 2 : 1));
    // Says what it speaks: a character's readings stand side by side with nothing else to tell them apart.
    const QString hint = available ? accessibleName() + replayHint : voice_.unavailableReason();
    setToolTip(hint);
    setAccessibleDescription(hint);
    setClickableActive(this, available);
    if (concealed_)
        setFocusPolicy(Qt::NoFocus);
    setVisible(allowed_ && hasSomethingToSay());
}
