#include "DbGridDelegate.h"

#include <QApplication>
#include <QPainter>

namespace {

// About a hundred screens of a two-column grid.
constexpr int keptTexts = 5000;

QStyle* styleOf(const QStyleOptionViewItem& option)
{
    return option.widget ? option.widget->style() : QApplication::style();
}

} // namespace

DbGridDelegate::DbGridDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
    , m_texts(keptTexts)
{
}

bool DbGridDelegate::leftToTheStyle(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const
{
    return option.state &
               (QStyle::State_Selected | QStyle::State_HasFocus | QStyle::State_Editing) ||
           index.data(Qt::DecorationRole).isValid() || index.data(Qt::CheckStateRole).isValid() ||
           index.data(Qt::FontRole).isValid();
}

const QStaticText& DbGridDelegate::laidOut(const QString& text, const QFont& font) const
{
    if (font != m_textsFont) {
        m_texts.clear();
        m_textsFont = font;
    }
    if (QStaticText* kept = m_texts.object(text))
        return *kept;
    auto* line = new QStaticText(text);
    line->setTextFormat(Qt::PlainText);
    line->prepare(QTransform(), font);
    m_texts.insert(text, line);
    return *line;
}

void DbGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const
{
    if (leftToTheStyle(option, index)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyle* style = styleOf(option);
    const QString text = index.data(Qt::DisplayRole).toString();
    // The style keeps the text this far from the cell's sides.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
    const QRect area = option.rect.adjusted(margin, 0, -margin, 0);
    const QStaticText& line = laidOut(text, option.font);
    if (line.size().width() > area.width()) {
        // Shortened with an ellipsis, as the style does it.
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }

    QStyleOptionViewItem cell(option);
    cell.index = index;
    const QVariant background = index.data(Qt::BackgroundRole);
    if (background.canConvert<QBrush>())
        cell.backgroundBrush = background.value<QBrush>();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &cell, painter, option.widget);
    if (text.isEmpty())
        return;

    const QVariant foreground = index.data(Qt::ForegroundRole);
    const QVariant alignment = index.data(Qt::TextAlignmentRole);
    const Qt::Alignment aligned =
        alignment.isValid() ? Qt::Alignment(alignment.toInt()) : option.displayAlignment;
    const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : option.state & QStyle::State_Active   ? QPalette::Normal
                                                                               : QPalette::Inactive;
    painter->save();
    painter->setClipRect(option.rect);
    painter->setFont(option.font);
    painter->setPen(foreground.canConvert<QBrush>() ? foreground.value<QBrush>().color()
                                                    : option.palette.color(group, QPalette::Text));
    const QRect placed = QStyle::alignedRect(option.direction, aligned, line.size().toSize(), area);
    painter->drawStaticText(placed.topLeft(), line);
    painter->restore();
}
