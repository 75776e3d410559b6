#pragma once

#include <QCache>
#include <QFont>
#include <QStaticText>
#include <QStyledItemDelegate>

// Paints a grid's cells. A cell that is neither current nor selected is a background and a
// line of text: the style paints the background, and the text is laid out once and kept, so
// a grid repainted after a jump through thousands of records, where names and years repeat
// from screen to screen, does not lay the same text out again. Current, selected, edited
// and elided cells are left to the style whole, which is where styles differ.
class DbGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit DbGridDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    bool leftToTheStyle(const QStyleOptionViewItem& option, const QModelIndex& index) const;
    const QStaticText& laidOut(const QString& text, const QFont& font) const;

    mutable QCache<QString, QStaticText> m_texts;
    mutable QFont m_textsFont;
};
