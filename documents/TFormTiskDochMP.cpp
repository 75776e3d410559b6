#include "TFormTiskDochMP.h"

#include "Code128.h"
#include "DataSet.h"
#include "MemberTexts.h"
#include "PrintSettings.h"
#include "ReportBand.h"
#include "ReportField.h"
#include "ReportImage.h"
#include "ReportLabel.h"
#include "ReportSystemData.h"

namespace {
constexpr double cardHeight = 138; // the printable part of an A5 card below the margin
constexpr double barcodeWidth = 55.3;
constexpr double barcodeHeight = 8.7;
constexpr int dotsPerMeter96 = 3780; // pictures of the layouts are 96 dpi

int pixels96(double mm)
{
    return qRound(mm / 25.4 * 96);
}
} // namespace

TFormTiskDochMP::TFormTiskDochMP(DataSet& members, DataSet& setup)
    : m_report(QStringLiteral("TFormTiskDochMP"))
    , m_members(members)
    , m_setup(setup)
{
    m_report.setTitle(QStringLiteral("Docházka"));
    m_report.setSubjectField(&members, QStringLiteral("CLEN_CISLO"));
    PageSetup& page = m_report.page();
    page.paper = PageSetup::Paper::A5;
    page.orientation = QPageLayout::Landscape;
    page.margins = QMarginsF(10, 10, 0, 0);
    addItems(members, setup);
    m_design = std::make_unique<DesignPositions>(m_report);
    m_report.beforePrint = [this](Report&) {
        beforePrint();
    };
}

TFormTiskDochMP::~TFormTiskDochMP() = default;

void TFormTiskDochMP::addItems(DataSet& members, DataSet& setup)
{
    ReportBand* band = m_report.addBand(BandKind::Title, cardHeight);
    const auto centred = [](Printable* item, double width) {
        item->setWidth(width);
        item->setAlignment(Printable::Align::Centre);
    };
    const auto label = [band](double left, double top, const QString& name) {
        auto* item = band->add<ReportLabel>(left, top, QString());
        item->setName(name);
        return item;
    };
    const auto field = [band](double left, double top, DataSet& data, const char* name) {
        auto* item = band->add<ReportField>(left, top, &data, QLatin1String(name));
        item->setName(QLatin1String(name));
        return item;
    };
    m_message = label(59.3, 52.1, QStringLiteral("Sdeleni"));
    centred(m_message, 87.0);
    field(112.7, 57.2, members, "CLEN_CISLO");
    m_from = label(74.1, 74.1, QStringLiteral("PlatiOd"));
    m_to = label(116.4, 74.1, QStringLiteral("PlatiDo"));
    m_name = label(84.7, 82.3, QStringLiteral("Jmeno"));
    centred(field(95.8, 90.5, members, "ULICE"), 48.4);
    centred(field(53.4, 99.0, members, "OBEC"), 61.1);
    field(127.5, 99.0, members, "PSC");
    centred(field(61.4, 108.0, setup, "NAZEV_ORGANIZACE"), 53.2);
    field(125.4, 108.0, members, "RYB_LISTEK");
    m_barcode = band->add<ReportImage>(93.1, 122.8, barcodeWidth, barcodeHeight);
    m_barcode->setName(QStringLiteral("CarovyKod"));
    m_barcode->setCentred(true);
    field(59.8, 125.9, members, "KATEGORIE");
    band->add<ReportSystemData>(122.8, 135.5, ReportSystemData::Kind::Date)
        ->setName(QStringLiteral("Datum"));
}

void TFormTiskDochMP::setValidity(const QString& from, const QString& to)
{
    m_from->setCaption(from);
    m_to->setCaption(to);
}

void TFormTiskDochMP::beforePrint()
{
    m_name->setCaption(MemberTexts::nameLine(m_members));
    m_setup.first();
    m_design->applyOffsets(m_setup.fieldByName(QStringLiteral("DOCH_DRAD")).asInteger(),
                           m_setup.fieldByName(QStringLiteral("DOCH_DSLOUP")).asInteger());
    m_message->setCaption(m_settings ? m_settings->attendanceMessage() : QString());
    drawBarcode();
}

void TFormTiskDochMP::drawBarcode()
{
    m_barcode->clear();
    if (m_settings && !m_settings->printsBarcode())
        return;
    QImage canvas(pixels96(barcodeWidth), pixels96(barcodeHeight), QImage::Format_RGB32);
    canvas.setDotsPerMeterX(dotsPerMeter96);
    canvas.setDotsPerMeterY(dotsPerMeter96);
    canvas.fill(Qt::white);
    const QString number = m_members.fieldByName(QStringLiteral("CLEN_CISLO")).asString();
    if (Code128::draw(canvas, number, QPoint(1, 1), 1, 2.0, 33))
        m_barcode->setPicture(canvas);
}
