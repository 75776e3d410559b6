#include "TFormTAdr.h"

#include "DesignPositions.h"
#include "MailingList.h"
#include "PrintSettings.h"
#include "ReportBand.h"
#include "ReportField.h"
#include "ReportLabel.h"
#include "ReportRunner.h"
#include "Table.h"

using namespace Qt::StringLiterals;

namespace {
// A whole printable page of A4 landscape, so that every envelope gets a sheet of its own.
constexpr double envelopeHeight = 190.0;
const char* const addressFields[] = {"TITUL", "JMENO", "PRIJMENI", "ULICE", "OBEC", "PSC"};
} // namespace

TFormTAdr::TFormTAdr(Table& mailingList, DataSet& setup)
    : m_report(u"TFormTAdr"_s)
    , m_list(mailingList)
{
    m_report.setTitle(u"Obálka"_s);
    m_report.page().orientation = QPageLayout::Landscape;
    ReportBand* band = m_report.addBand(BandKind::Detail, envelopeHeight);
    const auto sender = [&](double left, double top, const QString& field) {
        auto* item = band->add<ReportField>(left, top, &setup, field);
        item->setName(u"MO_"_s + field);
        item->setFontSize(10);
        m_sender << item;
        return item;
    };
    sender(141.8, 56.6, u"NAZEV_ORGANIZACE"_s)->setBold(true);
    sender(141.8, 61.4, u"ULICE"_s);
    sender(141.8, 66.4, u"PSC"_s);
    sender(156.6, 66.4, u"OBEC"_s);
    m_enclosure = band->add<ReportLabel>(143.4, 138.6, QString());
    m_enclosure->setName(u"Priloha"_s);
    m_enclosure->setFontSize(10);
    m_address << addressItem(207.2, 106.4, 11, u"TITUL"_s);
    m_address.first()->setWidth(13.0);
    m_address << addressItem(226.0, 106.4, 11, u"JMENO"_s)
              << addressItem(226.0, 113.5, 11, u"PRIJMENI"_s)
              << addressItem(226.0, 120.9, 11, u"ULICE"_s)
              << addressItem(226.0, 128.6, 11, u"OBEC"_s)
              << addressItem(226.0, 137.3, 16, u"PSC"_s);
    m_design = std::make_unique<DesignPositions>(m_report);
    m_report.beforePrint = [this](Report&) {
        beforePrint();
    };
    m_report.onNeedData = [this](bool& moreData) {
        if (m_single)
            fillFromCurrentRow();
        else
            nextBatchEnvelope(moreData);
    };
}

TFormTAdr::~TFormTAdr() = default;

ReportLabel* TFormTAdr::addressItem(double left, double top, double points, const QString& name)
{
    ReportBand* band = m_report.bands(BandKind::Detail).first();
    auto* item = band->add<ReportLabel>(left, top, QString());
    item->setName(name);
    item->setFontSize(points);
    return item;
}

QString TFormTAdr::enclosureNote(int enclosed)
{
    return enclosed > 0 ? u"příloha "_s + QString::number(enclosed + 1) + u" x"_s : u"  "_s;
}

void TFormTAdr::beforePrint()
{
    using Document = PrintSettings::Document;
    m_design->applyOffsets(m_settings ? m_settings->rowOffset(Document::Envelope) : 0,
                           m_settings ? m_settings->columnOffset(Document::Envelope) : 0);
    for (Printable* item : std::as_const(m_sender))
        item->setEnabled(m_chapterAddress);
    if (!m_single) {
        m_made.clear();
        m_list.first();
    }
}

void TFormTAdr::fillFromCurrentRow()
{
    for (int i = 0; i < m_address.size(); ++i)
        m_address[i]->setCaption(m_list.fieldByName(QLatin1String(addressFields[i])).asString());
    m_enclosure->setCaption(enclosureNote(int(m_list.fieldByName(u"PRILOHA"_s).asInteger())));
}

bool TFormTAdr::nextUnprinted()
{
    while (!m_list.eof() && m_list.fieldByName(u"VYTISKNUTO"_s).asBoolean())
        m_list.next();
    return !m_list.eof();
}

void TFormTAdr::nextBatchEnvelope(bool& moreData)
{
    moreData = false;
    if (m_made.size() >= m_limit || !nextUnprinted())
        return;
    fillFromCurrentRow();
    // Marked once the whole batch is generated, in one go: a failure half-way marks nothing.
    m_made << m_list.bookmark();
    m_list.next();
    moreData = true;
}

int TFormTAdr::printBatch(ReportRunner& runner, int count, bool chapterAddress, bool printsDirectly)
{
    m_single = false;
    m_chapterAddress = chapterAddress;
    m_limit = qMin(count, batchLimit);
    if (m_limit <= 0 || MailingList(m_list.database()).remaining() == 0)
        return 0;
    m_made.clear();
    runner.run(m_report, printsDirectly);
    const QList<qint64> made = m_made;
    MailingList(m_list.database()).markPrinted(m_list, made);
    return int(made.size());
}

void TFormTAdr::printSingle(ReportRunner& runner, bool chapterAddress, bool printsDirectly)
{
    if (m_list.isEmpty())
        return;
    m_single = true;
    m_chapterAddress = chapterAddress;
    runner.run(m_report, printsDirectly);
}
