#include "ui/drills/frmListR.h"

#include "core/drills/drillsession.h"
#include "core/info/helppages.h"
#include "ui/layout.h"
#include "ui/screenregistry.h"
#include "ui/screenstyle.h"

#include <QKeyEvent>

namespace L = Layout::frmListR;

namespace {

constexpr int choicePixels = 13;

QColor colourOf(ChoiceColour c)
{
    switch (c) {
    case ChoiceColour::Blue:
        return {0, 0, 255};
    case ChoiceColour::Red:
        return {255, 0, 0};
    case ChoiceColour::Black:
        break;
    }
    return {0, 0, 0};
}

} // namespace

frmListR::frmListR(ScreenRegistry& screens)
    : DrillScreen(screens, QStringLiteral("frmListR"), HelpTranslationDrill,
                  std::make_unique<ChoiceDrillSession>(screens.tovak()))
{
    QList<QWidget*> order;
    for (int r = 0; r < ChoiceDrillSession::PageSize; ++r) {
        Row& row = rows_[static_cast<size_t>(r)];
        row.view.emplace(this, screens.tovak().db, r, L::lblNo(r), L::imgTovak(1, r));
        row.speaker = new SpeakerButton(screens.voice(), screens.tovak().db, this,
                                        QStringLiteral("imgSpeaker(%1)").arg(r), L::imgSpeaker(r));
        order << row.speaker;
        for (int j = 0; j < 4; ++j) {
            QLabel* c = makeLabel(this, QStringLiteral("lblJp%1(%2)").arg(j + 1).arg(r), QString(), L::lblJp(j + 1, r),
                                  Qt::black, choicePixels);
            c->setIndent(3);
            c->setFrameShape(QFrame::NoFrame);
            c->setLineWidth(1);
            onClick(c, [this, r, j] { choose(r, j); });
            onEnter(c, [this, r, j] { frame(r, j); });
            row.choices[static_cast<size_t>(j)] = c;
            order << c;
        }
        row.mark = new QLabel(this);
        row.mark->setObjectName(QStringLiteral("imgMark(%1)").arg(r));
        row.mark->setGeometry(L::imgMark(r));
        row.mark->hide();
    }
    // Row by row: the speaker, then the choices top to bottom.
    setFramedReadingOrder(order);
}

ChoiceDrillSession& frmListR::choice() const
{
    return static_cast<ChoiceDrillSession&>(session());
}

void frmListR::choose(int row, int j)
{
    choice().choose(row, j);
    drawChoices(row, choice().row(row));
}

int frmListR::focusedRow() const
{
    const QWidget* focused = focusWidget();
    for (size_t r = 0; r < rows_.size(); ++r) {
        for (const QLabel* c : rows_[r].choices) {
            if (c == focused)
                return static_cast<int>(r);
        }
        if (rows_[r].speaker == focused)
            return static_cast<int>(r);
    }
    return -1;
}

int frmListR::keyRow() const
{
    if (const int r = focusedRow(); r >= 0)
        return choice().rowHasWord(r) ? r : -1;
    for (int r = 0; r < ChoiceDrillSession::PageSize; ++r) {
        if (choice().rowHasWord(r) && choice().selection(r) == ChoiceDrillSession::NoChoice)
            return r;
    }
    return -1;
}

void frmListR::keyPressEvent(QKeyEvent* e)
{
    const int j = e->key() - Qt::Key_1;
    if (j < 0 || j >= 4 || (e->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        DrillScreen::keyPressEvent(e);
        return;
    }
    e->accept();
    const int r = keyRow();
    // The key is a click on that choice: where no click is taken (frozen choices), none is.
    if (r < 0 || !pressClickable(rows_[static_cast<size_t>(r)].choices[static_cast<size_t>(j)]))
        return;
    // On to the next row, so four keys answer four rows; the last row keeps the focus on its choice.
    const int next = choice().rowHasWord(r + 1) ? r + 1 : r;
    QLabel* focus = rows_[static_cast<size_t>(next)].choices[static_cast<size_t>(next == r ? j : 0)];
    focus->setFocus(Qt::TabFocusReason);
}

void frmListR::replayKey()
{
    if (const int r = focusedRow(); r >= 0)
        rows_[static_cast<size_t>(r)].speaker->play();
}

void frmListR::resetHover()
{
    DrillScreen::resetHover();
    for (size_t r = 0; r < rows_.size(); ++r)
        frame(static_cast<int>(r), -1);
}

void frmListR::frame(int row, int framed)
{
    // Once everything was right the choices no longer react, hovering included.
    if (framed >= 0 && !choice().choicesReact())
        return;
    const auto& choices = rows_[static_cast<size_t>(row)].choices;
    for (int j = 0; j < 4; ++j) {
        QLabel* c = choices[static_cast<size_t>(j)];
        const QFrame::Shape shape = j == framed ? QFrame::Box : QFrame::NoFrame;
        if (c->frameShape() != shape)
            c->setFrameShape(shape);
    }
}

void frmListR::drawChoices(int row, const ChoiceRow& content)
{
    const auto& labels = rows_[static_cast<size_t>(row)].choices;
    const bool reacting = choice().choicesReact();
    for (size_t j = 0; j < labels.size(); ++j) {
        QLabel* label = labels[j];
        setTextColour(label, colourOf(content.colours[j]));
        setFittedText(label, content.choices[j], choicePixels);
        const Qt::CursorShape cursor = content.hasWord && reacting ? Qt::PointingHandCursor : Qt::ArrowCursor;
        if (label->cursor().shape() != cursor)
            label->setCursor(cursor);
        // A row without a word offers nothing to choose, to the mouse, Tab or a screen reader.
        label->setVisible(content.hasWord);
        setClickableActive(label, reacting);
    }
}

void frmListR::drawRows()
{
    const bool reacting = choice().choicesReact();
    for (int r = 0; r < ChoiceDrillSession::PageSize; ++r) {
        Row& row = rows_[static_cast<size_t>(r)];
        const ChoiceRow content = choice().row(r);
        row.view->show(content);
        drawChoices(r, content);
        if (!reacting)
            frame(r, -1);
        showMark(row.mark, content.mark);
        row.speaker->setWord(content.hasWord ? content.tkey : 0);
    }
}
