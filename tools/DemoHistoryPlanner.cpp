#include "DemoHistoryPlanner.h"

#include "DataModel.h"
#include "DemoRandom.h"
#include "DemoVocabulary.h"
#include "FeeSchedule.h"

#include <numeric>

namespace {

const QString Returned = QStringLiteral("ANO");
const QString Owed = QStringLiteral("NE");
const QString HonoraryCategory = QStringLiteral("čestný");

struct Kind {
    const char* item;
    int weight;
};

QString pickKind(DemoRandom& random, const QList<Kind>& kinds)
{
    QList<int> weights;
    for (const Kind& k : kinds)
        weights << k.weight;
    return QLatin1String(kinds[random.weighted(weights)].item);
}

bool isPermitOf(const QString& item, QLatin1String water)
{
    return item.startsWith(water) && !item.endsWith(QLatin1String("_RAD"));
}

QDate saturdayFrom(const QDate& day)
{
    return day.addDays((Qt::Saturday - day.dayOfWeek() + 7) % 7);
}

// The chapter's annual meeting, where awards are handed over.
QDate annualMeeting(int year)
{
    return saturdayFrom(QDate(year, 3, 1));
}

} // namespace

int DemoHistoryPlanner::Payment::total() const
{
    return std::accumulate(items.begin(), items.end(), 0);
}

DemoHistoryPlanner::DemoHistoryPlanner(DemoRandom& random, int year)
    : m_random(random)
    , m_year(year)
{
}

DemoHistoryPlanner::History DemoHistoryPlanner::plan(DemoMember& member)
{
    History history;
    const Habits habits = habitsOf();
    const FeeSchedule::Category& category = FeeSchedule::category(member.category);
    // Whether the year before the first kept one fell short of brigade hours is unknown.
    bool owesBrigade = member.memberSince < m_year - Years + 1 && m_random.chance(30);
    for (int y = qMax(member.memberSince, m_year - Years + 1); y <= member.lastPaid; ++y) {
        planYear(member, y, habits, owesBrigade, history);
        const double hours = planBrigades(member, y, history);
        owesBrigade = category.brigadeHours > 0 && hours < category.brigadeHours;
    }
    planAwards(member, history);
    for (const Payment& p : history.payments) {
        if (p.mpMark == Returned)
            member.lastReturnMp = qMax(member.lastReturnMp, p.year);
        if (p.psMark == Returned)
            member.lastReturnPs = qMax(member.lastReturnPs, p.year);
    }
    history.mpReturned = member.lastReturnMp == m_year;
    history.psReturned = member.lastReturnPs == m_year;
    return history;
}

DemoHistoryPlanner::Habits DemoHistoryPlanner::habitsOf()
{
    Habits h;
    h.mp = pickKind(m_random, {{"", 10},
                               {"MP_ROCNI", 70},
                               {"MP_CELOREP", 7},
                               {"MP_MISTNI", 4},
                               {"MP_MESICNI", 4},
                               {"MP_14_DNU", 3},
                               {"MP_TYDEN", 2}});
    h.ps = pickKind(m_random, {{"", 78},
                               {"PS_ROCNI", 14},
                               {"PS_CELOREP", 3},
                               {"PS_MESICNI", 2},
                               {"PS_MISTNI", 2},
                               {"PS_TYDEN", 1}});
    h.mi = pickKind(m_random, {{"", 92}, {"MI_MISTNI", 4}, {"MI_ROCNI", 2}, {"MI_TYDEN", 2}});
    return h;
}

QString DemoHistoryPlanner::thisYear(const QString& usual)
{
    return m_random.chance(92) ? usual : QString();
}

QStringList DemoHistoryPlanner::mainItems(const DemoMember& member, int year, const Habits& habits,
                                          bool owesBrigade)
{
    QStringList items{QStringLiteral("CLEN_PRISP"), QStringLiteral("MAN_POPLATEK")};
    if (year == member.memberSince)
        items << QStringLiteral("ZAPISNE") << QStringLiteral("SKOLENI")
              << QStringLiteral("LEGITIMACE") << QStringLiteral("STANOVY_ZEB");
    if (owesBrigade)
        items << QStringLiteral("BRIGADA");
    if (m_random.chance(5))
        items << QStringLiteral("POSTOVNE");
    for (const QString& usual : {habits.mp, habits.ps, habits.mi}) {
        const QString kind = thisYear(usual);
        if (kind.isEmpty())
            continue;
        items << kind;
        // The rules booklet is bought with the first permit of a kind, then now and then.
        if (year == member.memberSince || m_random.chance(30))
            items << kind.left(2) + QStringLiteral("_RAD");
    }
    return items;
}

void DemoHistoryPlanner::planYear(const DemoMember& member, int year, const Habits& habits,
                                  bool owesBrigade, History& history)
{
    // Whether a season's return came back is one outcome per water, shared by every record
    // of the year with a permit for it.
    const Returns returns{m_random.chance(year < m_year ? 93 : 65),
                          m_random.chance(year < m_year ? 90 : 60)};
    const QDate issued = issueDay(year);
    history.payments << payment(member, year, mainItems(member, year, habits, owesBrigade), issued,
                                returns);
    // Now and then a member comes back in the season for a short permit.
    if (member.category != HonoraryCategory && m_random.chance(4)) {
        const QStringList shortKinds{QStringLiteral("MP_MESICNI"), QStringLiteral("MP_TYDEN"),
                                     QStringLiteral("PS_MESICNI"), QStringLiteral("PS_TYDEN"),
                                     QStringLiteral("MI_TYDEN")};
        const QDate later = qMin(issued.addDays(m_random.between(30, 150)), QDate(year, 12, 20));
        history.payments << payment(member, year, {m_random.pick(shortKinds)}, later, returns);
    }
}

DemoHistoryPlanner::Payment DemoHistoryPlanner::payment(const DemoMember& member, int year,
                                                        const QStringList& charged,
                                                        const QDate& issued, const Returns& returns)
{
    const QStringList& names = DataModel::feeItems();
    const QList<int> fees = FeeSchedule::fees(FeeSchedule::category(member.category), year);
    Payment p;
    p.year = year;
    p.issued = issued;
    p.items = QList<int>(names.size(), 0);
    for (const QString& item : charged) {
        const int i = int(names.indexOf(item));
        p.items[i] = fees[i];
        // An honorary member's permit costs nothing but is a permit all the same.
        if (isPermitOf(item, QLatin1String("MP_")))
            p.mpMark = returns.mp ? Returned : Owed;
        if (isPermitOf(item, QLatin1String("PS_")))
            p.psMark = returns.ps ? Returned : Owed;
    }
    return p;
}

double DemoHistoryPlanner::planBrigades(const DemoMember& member, int year, History& history)
{
    const int required = FeeSchedule::category(member.category).brigadeHours;
    // Most members with a duty work it off; a few others help anyway.
    const bool works = required > 0 ? m_random.chance(65) : m_random.chance(10);
    const bool partly = required > 0 && !works && m_random.chance(40);
    if (!works && !partly)
        return 0;
    const QList<double> lengths{2, 2.5, 3, 3, 4, 4, 5, 6, 8};
    double hours = 0;
    do {
        Brigade b;
        b.date = saturdayFrom(QDate(year, 3, 1).addDays(m_random.between(0, 270)));
        b.hours = m_random.pick(lengths);
        b.work = m_random.pick(DemoVocabulary::brigadeWork());
        b.recorder = m_random.pick(DemoVocabulary::brigadeRecorders());
        if (partly && hours + b.hours >= required)
            break;
        history.brigades << b;
        hours += b.hours;
    } while (works && hours < required);
    return hours;
}

void DemoHistoryPlanner::planAwards(const DemoMember& member, History& history)
{
    const QStringList& kinds = DemoVocabulary::awards();
    if (member.category == HonoraryCategory)
        history.awards << Award{kinds.last(), annualMeeting(m_random.between(
                                                  qMin(member.memberSince + 25, m_year), m_year))};
    if (member.memberSince > m_year - 10 || !m_random.chance(8))
        return;
    const int count = m_random.between(1, int(kinds.size()) - 2);
    for (int rank = 0; rank < count; ++rank) {
        const int year = member.memberSince + 10 + 5 * rank;
        if (year > m_year)
            break;
        history.awards << Award{kinds[rank], annualMeeting(year)};
    }
}

QDate DemoHistoryPlanner::issueDay(int year)
{
    // Fees are paid on the issue Saturdays of the first quarter, a few later in the year.
    if (m_random.chance(85))
        return saturdayFrom(QDate(year, 1, 2)).addDays(7 * m_random.between(0, 11));
    return QDate(year, 4, 1).addDays(m_random.between(0, 200));
}
