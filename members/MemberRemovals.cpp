#include "MemberRemovals.h"

#include "JubileeTab.h"
#include "MemberSelection.h"
#include "Messages.h"
#include "PrintTab.h"
#include "Query.h"
#include "QuietCursor.h"
#include "TDataModule1.h"

namespace {

QStringList memberNumbersOf(Query& rows)
{
    // The Jubilea grid shows the selection: it follows once, not at every row read here.
    const QuietCursor quiet(rows);
    QStringList numbers;
    for (rows.first(); !rows.eof(); rows.next())
        numbers << rows.fieldByName(QStringLiteral("CLEN_CISLO")).asString();
    rows.first();
    return numbers;
}

} // namespace

MemberRemovals::MemberRemovals(TDataModule1& data, MemberSelection& selection, PrintTab& printTab,
                               JubileeTab& jubileeTab)
    : m_data(data)
    , m_selection(selection)
    , m_printTab(printTab)
    , m_jubileeTab(jubileeTab)
{
}

void MemberRemovals::removeCurrentMember()
{
    if (!Messages::askYesNo(
            QStringLiteral("Člen bude přeřazen z evidence do vyřazených členů,\n\rjeho povolenky "
                           "a brigády trvale zrušeny !!!")))
        return;
    m_data.removeCurrentMember();
}

void MemberRemovals::removeNonPayers()
{
    const QString year = QString::number(m_data.summaryYear());
    m_printTab.selectUnpaid();
    const QStringList numbers = memberNumbersOf(m_selection.query());
    if (numbers.isEmpty()) {
        Messages::information(QStringLiteral("Všichni zaplatili členství za rok ") + year);
        m_jubileeTab.selectAll();
        return;
    }
    if (!Messages::askYesNo(QStringLiteral("Nezaplatili členství za rok ") + year +
                            QStringLiteral("\n\r") + QStringLiteral("opravdu vyřadit ") +
                            QString::number(numbers.size()) + QStringLiteral(" členů,") +
                            QStringLiteral("\n\r") +
                            QStringLiteral("jejich povolenky a brigády budou trvale zrušeny !!!")))
        return;
    // Exactly the members the question counted go, all of them or none.
    m_data.removeMembers(numbers);
    m_jubileeTab.selectAll();
}

void MemberRemovals::returnMember()
{
    if (!m_data.returnRemovedMember())
        Messages::error(QStringLiteral("Členské číslo již EXISTUJE !!!"));
}

void MemberRemovals::deleteForGood()
{
    if (Messages::askYesNo(
            QStringLiteral("Opravdu trvale vyřadit všechny dočasně vyřazené členy?")))
        m_data.deleteRemovedMembers();
}
