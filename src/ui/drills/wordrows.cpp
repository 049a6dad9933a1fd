#include "ui/drills/wordrows.h"

#include "ui/layout.h"
#include "ui/pictures.h"
#include "ui/screenstyle.h"

namespace {
constexpr int translationPixels = 13;
constexpr int pinyinPixels = 15;
} // namespace

WordRowView::WordRowView(QWidget* parent, const DB& db, int row, const QRect& number, const QRect& firstGlyph) : db_(db)
{
    const QColor ink = QColor::fromRgb(Layout::Palette::ink);
    no_ = makeLabel(parent, QStringLiteral("lblNo(%1)").arg(row), QString(), number, ink, 14, true,
                    Qt::AlignRight | Qt::AlignVCenter);
    for (int j = 0; j < 4; ++j) {
        auto* g = new QLabel(parent);
        g->setObjectName(QStringLiteral("imgTovak%1(%2)").arg(j + 1).arg(row));
        g->setGeometry(firstGlyph.translated(j * firstGlyph.width(), 0));
        glyphs_[static_cast<size_t>(j)] = g;
    }
}

void WordRowView::show(const WordRow& row)
{
    no_->setText(row.number);
    for (size_t j = 0; j < glyphs_.size(); ++j) {
        // Same key, same picture: a page turn redraws only what changed.
        const int key = row.glyphs[j];
        if (key == shown_[j])
            continue;
        shown_[j] = key;
        showGlyph(glyphs_[j], db_, key);
    }
}

TypedRowView::TypedRowView(QWidget* parent, const DB& db, int row, QColor pinyinColour)
    : WordRowView(parent, db, row, Layout::TypedRows::lblNo(row), Layout::TypedRows::imgTovak(1, row))
{
    namespace L = Layout::TypedRows;
    jp_ = makeLabel(parent, QStringLiteral("lblJp(%1)").arg(row), QString(), L::lblJp(row),
                    QColor::fromRgb(Layout::Palette::ink), translationPixels);
    answer_ = makeLabel(parent, QStringLiteral("lblAnswer(%1)").arg(row), QString(), L::lblAnswer(row), pinyinColour,
                        pinyinPixels, true);
    answer_->hide();
}

void TypedRowView::showTexts(const QString& translation, const QString& pinyin, bool pinyinVisible)
{
    setFittedText(jp_, translation, translationPixels);
    setFittedText(answer_, pinyin, pinyinPixels);
    answer_->setVisible(pinyinVisible);
}

void showMark(QLabel* mark, MarkState state)
{
    if (state == MarkState::None) {
        mark->clear();
        mark->hide();
        return;
    }
    if (state == MarkState::Unasked) {
        // Not graded: its page was never shown.
        mark->setTextFormat(Qt::PlainText);
        mark->setAlignment(Qt::AlignCenter);
        setFittedText(mark, QStringLiteral("未解答"), 15);
        setTextColour(mark, QColor::fromRgb(Layout::Palette::softInk));
    } else {
        mark->setPixmap(Pictures::maruBatu(state == MarkState::Correct ? 1 : 2));
    }
    mark->show();
}
