#include "TFormFreeNum.h"

#include "MemberGroup.h"
#include "Messages.h"
#include "ReportBand.h"
#include "ReportLabel.h"
#include "ReportMemo.h"
#include "ReportRunner.h"
#include "ReportSystemData.h"

#include <QScopeGuard>

using namespace Qt::StringLiterals;

namespace {

constexpr double titleFont = 20;
constexpr double memoFont = 12;
constexpr double titleHeight = 16;
constexpr double detailHeight = 10;
constexpr double printableWidth = 190;
// A line is closed at the first break after it has grown past this many characters.
constexpr qsizetype lineLength = 64;
// Digits beyond these are not part of any number the chapter gives.
constexpr qsizetype maxDigits = 10;

} // namespace

TFormFreeNum::TFormFreeNum(Database& db)
    : m_report(u"TFormFreeNum"_s)
    , m_members(db, u"Clenove.DB"_s)
{
    m_report.setTitle(u"Volná členská čísla"_s);
    // A secretary may want the list in a spreadsheet too.
    m_report.setListReport(true);
    PageSetup& page = m_report.page();
    page.paper = PageSetup::Paper::A4;
    page.orientation = QPageLayout::Portrait;
    page.margins = QMarginsF(10, 10, 10, 10);
    addTitle();
    ReportBand* detail = m_report.addBand(BandKind::Detail, detailHeight);
    m_memo = detail->add<ReportMemo>(0, 0, printableWidth, detailHeight);
    m_memo->setName(u"Memo"_s);
    m_memo->setFontSize(memoFont);
    m_memo->setAutoStretch(true);
    m_report.beforePrint = [this](Report&) {
        fillMemo();
    };
}

void TFormFreeNum::addTitle()
{
    ReportBand* title = m_report.addBand(BandKind::Title, titleHeight);
    title->add<ReportLabel>(0, 2, u"Volná členská čísla  ke dni"_s)->setFontSize(titleFont);
    auto* date = title->add<ReportSystemData>(98, 2, ReportSystemData::Kind::Date);
    date->setFontSize(titleFont);
    auto* section = title->add<ReportLabel>(135, 2, QString());
    section->setName(u"Sekce"_s);
    section->setFontSize(titleFont);
    section->onPrint = [this](Printable&, QString& text) {
        text = u"sekce "_s + m_section;
    };
}

void TFormFreeNum::run(ReportRunner& runner, const QString& group, bool alphabetical,
                       bool printsDirectly)
{
    m_members.setIndexFieldNames(alphabetical ? u"PRIJMENI"_s : QString());
    m_section = group.isEmpty() ? u"----"_s : group;
    if (!group.isEmpty()) {
        m_members.setFilter(MemberGroup::filter(group));
        m_members.setFiltered(true);
    }
    const auto filterOff = qScopeGuard([this] { m_members.setFiltered(false); });
    if (!m_members.isActive())
        m_members.open();
    runner.run(m_report, printsDirectly);
}

void TFormFreeNum::fillMemo()
{
    m_memo->setLines(freeNumberLines(takenNumbers()));
}

std::vector<bool> TFormFreeNum::takenNumbers()
{
    std::vector<bool> taken(numberCount, false);
    if (!m_members.isActive())
        m_members.open();
    const QList<QVariant> numbers = m_members.fieldValues(u"CLEN_CISLO"_s);
    for (qsizetype i = 0; i < numbers.size(); ++i) {
        const std::optional<qint64> number = trailingNumber(numbers.at(i).toString());
        if (!number) {
            m_members.moveToPosition(int(i));
            Messages::error(u"Chybné členské číslo u člena\r"_s +
                            m_members.fieldByName(u"JMENO"_s).asString() + u' ' +
                            m_members.fieldByName(u"PRIJMENI"_s).asString());
        } else if (*number < numberCount) {
            taken[size_t(*number)] = true;
        }
    }
    return taken;
}

std::optional<qint64> TFormFreeNum::trailingNumber(const QString& memberNumber)
{
    qsizetype start = memberNumber.size();
    while (start > 0 && memberNumber.at(start - 1) >= u'0' && memberNumber.at(start - 1) <= u'9')
        --start;
    const QString digits = memberNumber.mid(start, maxDigits);
    bool ok = false;
    const qint64 number = digits.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return number;
}

QStringList TFormFreeNum::freeNumberLines(const std::vector<bool>& taken)
{
    enum class State { None, Single, Run };
    State state = State::None;
    QStringList lines;
    QString line;
    for (int n = 0; n < numberCount; ++n) {
        const bool free = !taken.at(size_t(n));
        switch (state) {
        case State::None:
            if (free) {
                line += QString::number(n);
                state = State::Single;
            }
            break;
        case State::Single:
            line += free ? u"..."_s : u", "_s;
            state = free ? State::Run : State::None;
            break;
        case State::Run:
            if (!free) {
                line += QString::number(n - 1) + u", "_s;
                state = State::None;
            }
            break;
        }
        if (state == State::None && line.size() > lineLength) {
            lines << line;
            line.clear();
        }
    }
    lines << line + u"  a dále"_s << QString();
    return lines;
}
