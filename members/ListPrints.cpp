#include "ListPrints.h"

#include "FieldValue.h"
#include "MemberSelection.h"
#include "TDataModule1.h"
#include "TFormFreeNum.h"
#include "TFormTAdr.h"
#include "TFormTAdresar.h"
#include "TFormTBrig.h"
#include "TFormVyznam.h"
#include "Table.h"

ListPrints::ListPrints(TDataModule1& data, ReportRunner& reports, MemberSelection& selection)
    : m_data(data)
    , m_reports(reports)
    , m_selection(selection)
    , m_addressList(std::make_unique<TFormTAdresar>(selection.query(), data.TableSetup()))
    , m_freeNumbers(std::make_unique<TFormFreeNum>(data.database()))
    , m_brigades(std::make_unique<TFormTBrig>(data.database(), data.TableSetup()))
    , m_awarded(std::make_unique<TFormVyznam>(selection.query(), data.database()))
    , m_envelope(std::make_unique<TFormTAdr>(data.TableZpravod(), data.TableSetup()))
{
}

ListPrints::~ListPrints() = default;

void ListPrints::printAddressList(bool alphabetical)
{
    m_addressList->printAll(m_reports, m_selection.caption(), alphabetical,
                            m_data.PrintsDirectly());
}

void ListPrints::printGroupAddressList(const QString& group, bool alphabetical)
{
    Table& members = m_data.TableClenove();
    const QString displayFilter = members.isFiltered() ? members.filter() : QString();
    m_addressList->printGroup(m_reports, m_selection.caption(), group, displayFilter, alphabetical,
                              m_data.PrintsDirectly());
}

void ListPrints::printFreeNumbers(const QString& group, bool alphabetical)
{
    m_freeNumbers->run(m_reports, group, alphabetical, m_data.PrintsDirectly());
}

void ListPrints::printBrigades(const QString& group, const QString& year, bool alphabetical,
                               bool complete)
{
    m_brigades->run(m_reports, group, FieldValue::wholeNumberOf(year), alphabetical, complete,
                    m_data.PrintsDirectly());
}

void ListPrints::printAwarded()
{
    m_awarded->run(m_reports, m_data.PrintsDirectly());
}

int ListPrints::printEnvelopes(const QString& count, bool chapterAddress)
{
    return m_envelope->printBatch(m_reports, FieldValue::wholeNumberOf(count), chapterAddress,
                                  m_data.PrintsDirectly());
}

void ListPrints::printEnvelope(bool chapterAddress)
{
    m_envelope->printSingle(m_reports, chapterAddress, m_data.PrintsDirectly());
}

void ListPrints::setPrintSettings(const PrintSettings* settings)
{
    m_envelope->setPrintSettings(settings);
}
