#include "DbGridRowHeader.h"

#include <QEvent>
#include <QStyleOptionHeader>

DbGridRowHeader::DbGridRowHeader(QWidget* parent)
    : QHeaderView(Qt::Vertical, parent)
{
    // As the table view's own row header is.
    setSectionsClickable(true);
    setHighlightSections(true);
}

QSize DbGridRowHeader::sizeHint() const
{
    if (!m_hint.isValid()) {
        // The widest of the indicators the model shows: browse, edit and insert.
        QStyleOptionHeader option;
        initStyleOption(&option);
        option.section = 0;
        // Measured bold, as the view measures a section that may be highlighted.
        QFont bold = font();
        bold.setBold(true);
        option.fontMetrics = QFontMetrics(bold);
        option.text = QStringLiteral("\u25B8");
        m_hint = style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this);
        for (const char* indicator : {"I", "*"}) {
            option.text = QLatin1String(indicator);
            m_hint = m_hint.expandedTo(
                style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this));
        }
    }
    return m_hint;
}

void DbGridRowHeader::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        m_hint = {};
    QHeaderView::changeEvent(event);
}
