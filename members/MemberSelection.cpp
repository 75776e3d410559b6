#include "MemberSelection.h"

#include "Query.h"

MemberSelection::MemberSelection(Database& db, QObject* parent)
    : QObject(parent)
    , m_query(std::make_unique<Query>(db))
{
    m_query->setSql(
        {QStringLiteral("select * from CLENOVE"), QStringLiteral(" "), QStringLiteral(" ")});
}

MemberSelection::~MemberSelection() = default;

int MemberSelection::count()
{
    return m_query->isActive() ? m_query->recordCount() : 0;
}

void MemberSelection::show(const QStringList& lines, const QString& caption)
{
    m_query->setSql(lines);
    reopen();
    m_caption = caption;
    emit captionChanged(caption);
}

void MemberSelection::reorder(const QString& orderLine)
{
    m_query->setSqlLine(2, orderLine);
    reopen();
}

void MemberSelection::reopen()
{
    m_query->close();
    m_query->open();
    m_query->first();
}
