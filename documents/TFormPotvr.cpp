#include "TFormPotvr.h"

#include "ReportBand.h"
#include "ReportField.h"
#include "ReportLabel.h"
#include "ReportShape.h"
#include "ReportSystemData.h"

namespace {

constexpr double pageHeaderHeight = 135.2;
constexpr double titleHeight = 141.8;
constexpr double printableWidth = 190;
constexpr double firstFeeRow = 40.2;
constexpr double feeRowPitch = 6.35;
constexpr double amountWidth = 8.7;
constexpr double partMarkLeft = 171.4;
// The least room between one data item and the next on its line.
constexpr double ItemGap = 1.0;

struct FeeLine {
    const char16_t* label;
    const char* field;
};

struct FeeColumn {
    double labelLeft;
    double amountLeft;
    double currencyLeft;
    QList<FeeLine> lines;
};

const QList<FeeColumn>& feeColumns()
{
    static const QList<FeeColumn> columns{
        {4.5,
         29.6,
         38.6,
         {{u"Zápisné      :", "ZAPISNE"},
          {u"Školení      :", "SKOLENI"},
          {u"Legitimace :", "LEGITIMACE"},
          {u"Člen.přís.   :", "CLEN_PRISP"},
          {u"Manip.popl :", "MAN_POPLATEK"},
          {u"Úhrada brig:", "BRIGADA"},
          {u"Stanovy ZEB :", "STANOVY_ZEB"},
          {u"Poštovné  :", "POSTOVNE"}}},
        {53.2,
         78.6,
         87.6,
         {{u"MP roční :", "MP_ROCNI"},
          {u"MP měsíční :", "MP_MESICNI"},
          {u"MP 14 denní :", "MP_14_DNU"},
          {u"MP týdenní  :", "MP_TYDEN"},
          {u"MP roční rep.:", "MP_CELOREP"},
          {u"MP místní:", "MP_MISTNI"},
          {u"MP ryb. řád:", "MP_RAD"}}},
        {101.9,
         120.7,
         129.6,
         {{u"P roční :", "PS_ROCNI"},
          {u"P měsíční :", "PS_MESICNI"},
          {u"P týdenní :", "PS_TYDEN"},
          {u"P roční rep. :", "PS_CELOREP"},
          {u"P místní :", "PS_MISTNI"},
          {u"P ryb. řád :", "PS_RAD"}}},
        {144.2,
         163.0,
         172.0,
         {{u"Mí roční :", "MI_ROCNI"},
          {u"Mí měsíční :", "MI_MESICNI"},
          {u"Mí týdenní :", "MI_TYDEN"},
          {u"Mí roční 1:", "MI_CELOREP"},
          {u"Mí místní :", "MI_MISTNI"},
          {u"Mí ryb. řád :", "MI_RAD"}}},
    };
    return columns;
}

// The rules between the fee columns, each as long as the longer column beside it.
struct ColumnRule {
    double left;
    int rows;
};
constexpr ColumnRule columnRules[] = {{48.7, 8}, {97.4, 8}, {139.7, 6}};

ReportLabel* addLabel(ReportBand& band, double left, double top, const QString& caption,
                      const QString& name = {})
{
    auto* item = band.add<ReportLabel>(left, top, caption);
    item->setName(name);
    return item;
}

ReportField* addField(ReportBand& band, double left, double top, DataSet& data,
                      const QString& field, const QString& name)
{
    auto* item = band.add<ReportField>(left, top, &data, field);
    item->setName(name);
    return item;
}

ReportField* addRightAligned(ReportField* item, double right, double width)
{
    item->setLeft(right - width);
    item->setWidth(width);
    item->setAlignment(Printable::Align::Right);
    return item;
}

} // namespace

TFormPotvr::TFormPotvr(DataSet& members, DataSet& payments, DataSet& setup)
    : m_report(QStringLiteral("TFormPotvr"))
{
    m_report.setTitle(QStringLiteral("Potvrzení o zaplacení"));
    m_report.setSubjectField(&members, QStringLiteral("CLEN_CISLO"));
    const Sources from{members, payments, setup};
    ReportBand* first = m_report.addBand(BandKind::PageHeader, pageHeaderHeight);
    first->frame().bottom = true;
    addPart(*first, 0, 1, from);
    ReportBand* second = m_report.addBand(BandKind::Title, titleHeight);
    addPart(*second, secondPartShift, 2, from);
    setHonoraryMarks(false);
    setStornoMarks(false);
}

void TFormPotvr::setHonoraryMarks(bool shown)
{
    for (Printable* mark : std::as_const(m_honoraryMarks))
        mark->setEnabled(shown);
}

void TFormPotvr::setStornoMarks(bool shown)
{
    for (Printable* mark : std::as_const(m_stornoMarks))
        mark->setEnabled(shown);
}

void TFormPotvr::addPart(ReportBand& band, double shift, int part, const Sources& from)
{
    const QString suffix = QLatin1Char('_') + QString::number(part);
    addHeading(band, shift, suffix, from);
    addPayer(band, shift, suffix, from);
    addFeeColumns(band, shift, suffix, from);
    addTotalAndMarks(band, shift, part, from);
}

void TFormPotvr::addHeading(ReportBand& band, double shift, const QString& suffix,
                            const Sources& from)
{
    ReportLabel* title =
        addLabel(band, 4.2, 4.2 + shift, QStringLiteral("Příjmový doklad  -  poplatky na rok"),
                 QStringLiteral("Nadpis") + suffix);
    title->setFontSize(14);
    title->setBold(true);
    ReportField* year = addField(band, 93.1, 4.2 + shift, from.setup,
                                 QStringLiteral("PRACOVNI_ROK"), QStringLiteral("Rok") + suffix);
    year->setFontSize(14);
    year->setBold(true);
    // The address items stand close together; each keeps clear of the next one.
    const auto chapter = [&](double left, double top, const char* field, double room) {
        addField(band, left, top + shift, from.setup, QLatin1String(field),
                 QStringLiteral("MO_") + QLatin1String(field) + suffix)
            ->setFitWidth(room);
    };
    chapter(129.9, 4.2, "NAZEV_ORGANIZACE", 0);
    chapter(129.9, 8.5, "ULICE", 159.5 - 129.9 - ItemGap);
    chapter(159.5, 8.5, "PSC", 170.1 - 159.5 - ItemGap);
    chapter(170.1, 8.5, "OBEC", 0);
}

void TFormPotvr::addPayer(ReportBand& band, double shift, const QString& suffix,
                          const Sources& from)
{
    band.add<ReportShape>(ReportShape::Kind::Rectangle, 0, 21.2 + shift, printableWidth, 13.0);
    addLabel(band, 4.2, 19.5 + shift, QStringLiteral("  Data plátce :  "))->setOpaque(true);
    addLabel(band, 4.2, 23.3 + shift, QStringLiteral("Člen číslo :"));
    const auto member = [&](double left, double top, const char* field, double room) {
        ReportField* item = addField(band, left, top + shift, from.members, QLatin1String(field),
                                     QLatin1String(field) + suffix);
        item->setFitWidth(room);
        return item;
    };
    // The street and the town end before the part's mark at the box's right.
    const double beforeMark = partMarkLeft - 123.0 - ItemGap;
    member(25.7, 23.3, "CLEN_CISLO", 61.6 - 25.7 - ItemGap);
    member(61.6, 23.3, "JMENO", 89.2 - 61.6 - ItemGap);
    member(89.2, 23.3, "PRIJMENI", 123.0 - 89.2 - ItemGap);
    member(123.0, 23.3, "ULICE", beforeMark);
    addRightAligned(member(0, 27.5, "PSC", 0), 119.9, 15.0);
    member(123.0, 27.5, "OBEC", beforeMark);
}

void TFormPotvr::addFeeColumns(ReportBand& band, double shift, const QString& suffix,
                               const Sources& from)
{
    for (const FeeColumn& column : feeColumns()) {
        for (qsizetype row = 0; row < column.lines.size(); ++row) {
            const FeeLine& line = column.lines[row];
            const double top = firstFeeRow + double(row) * feeRowPitch + shift;
            addLabel(band, column.labelLeft, top, QString::fromUtf16(line.label));
            ReportField* amount =
                addField(band, column.amountLeft, top, from.payments, QLatin1String(line.field),
                         QLatin1String(line.field) + suffix);
            amount->setMask(QStringLiteral("###0"));
            addRightAligned(amount, column.amountLeft + amountWidth, amountWidth);
            addLabel(band, column.currencyLeft, top, QStringLiteral(",- Kč"));
        }
    }
    for (const ColumnRule& rule : columnRules)
        band.add<ReportShape>(ReportShape::Kind::VerticalLine, rule.left, firstFeeRow + shift, 0,
                              rule.rows * feeRowPitch);
}

void TFormPotvr::addTotalAndMarks(ReportBand& band, double shift, int part, const Sources& from)
{
    const QString suffix = QLatin1Char('_') + QString::number(part);
    band.add<ReportShape>(ReportShape::Kind::Rectangle, 122.8, 79.1 + shift, 59.5, 6.6);
    addLabel(band, 125.4, 80.4 + shift, QStringLiteral("Celkem  přijato :"));
    ReportField* total = addField(band, 0, 80.4 + shift, from.payments, QStringLiteral("CELKEM_KC"),
                                  QStringLiteral("CELKEM_KC") + suffix);
    total->setMask(QStringLiteral("###0"));
    addRightAligned(total, 172.0, 20.0);
    addLabel(band, 172.0, 80.4 + shift, QStringLiteral(",- Kč"));

    ReportLabel* honorary = addLabel(band, 61.4, 87.0 + shift, QStringLiteral("Čestná povolenka"),
                                     QStringLiteral("Cestna") + suffix);
    honorary->setFontSize(12);
    m_honoraryMarks << honorary;
    ReportLabel* storno = addLabel(band, 135.5, 91.0 + shift, QStringLiteral("STORNO"),
                                   QStringLiteral("Storno") + suffix);
    storno->setFontSize(24);
    storno->setBold(true);
    m_stornoMarks << storno;

    band.add<ReportSystemData>(4.2, 100.5 + shift, ReportSystemData::Kind::Date)
        ->setName(QStringLiteral("Datum") + suffix);
    addLabel(band, 27.5, 100.5 + shift,
             QStringLiteral("Částku přijal :  ..................................."));
    addLabel(
        band, 103.7, 100.5 + shift,
        QStringLiteral("Podpis člena :  ......................................................"));
    addLabel(band, partMarkLeft, 25.4 + shift, QStringLiteral("Část  ") + QString::number(part),
             QStringLiteral("Cast") + suffix);
}
