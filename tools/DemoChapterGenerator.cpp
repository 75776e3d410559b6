#include "DemoChapterGenerator.h"

#include "ChapterDefaults.h"
#include "DataModel.h"

DemoChapterGenerator::DemoChapterGenerator(Database& db, quint32 seed, int year)
    : m_year(year)
    , m_chapterNumber(ChapterDefaults::chapter().number)
    , m_random(seed)
    , m_people(m_random, year)
    , m_history(m_random, year)
    , m_catches(m_random)
    , m_members(db, QStringLiteral("Clenove"))
    , m_removed(db, QStringLiteral("Vyrazeni"))
    , m_payments(db, QStringLiteral("Povol"))
    , m_brigades(db, QStringLiteral("Brigady"))
    , m_awards(db, QStringLiteral("Vyznam"))
    , m_mpReturns(db, DataModel::yearCatchTableName(false, year))
    , m_psReturns(db, DataModel::yearCatchTableName(true, year))
{
}

void DemoChapterGenerator::generate(int members)
{
    const int wanted = members > 0 ? members : DefaultMembers;
    int written = 0;
    while (written < wanted) {
        for (DemoMember& m : m_people.household()) {
            if (written == wanted)
                break;
            m.number = nextNumber();
            m.card = m_chapterNumber + QLatin1Char('-') + m.number;
            const DemoHistoryPlanner::History history = m_history.plan(m);
            writeMember(m_members, m);
            writePayments(m, history);
            writeBrigades(m, history);
            writeAwards(m, history);
            if (history.mpReturned)
                writeReturn(m, false);
            if (history.psReturned)
                writeReturn(m, true);
            ++written;
        }
    }
}

QString DemoChapterGenerator::nextNumber()
{
    // A few numbers are free: their members left, some of them kept among the removed.
    ++m_lastNumber;
    if (m_random.chance(1.5)) {
        if (m_random.chance(50))
            writeRemoved(QString::number(m_lastNumber));
        ++m_lastNumber;
    }
    return QString::number(m_lastNumber);
}

void DemoChapterGenerator::writeRemoved(const QString& number)
{
    DemoMember m = m_people.single();
    m.number = number;
    m.card = m_chapterNumber + QLatin1Char('-') + number;
    m.lastPaid = m_random.between(m_year - 8, m_year - 1);
    m.memberSince = qMin(m.memberSince, m.lastPaid);
    writeMember(m_removed, m);
}

void DemoChapterGenerator::writeMember(RowWriter& table, const DemoMember& m)
{
    table.append();
    table.set(QStringLiteral("CLEN_CISLO"), m.number);
    table.set(QStringLiteral("PRIJMENI"), m.surname);
    table.set(QStringLiteral("JMENO"), m.firstName);
    table.set(QStringLiteral("CISLO_LEGITIMACE"), m.card);
    table.set(QStringLiteral("KATEGORIE"), m.category);
    table.set(QStringLiteral("TITUL"), m.title);
    table.set(QStringLiteral("ULICE"), m.street);
    table.set(QStringLiteral("OBEC"), m.town);
    table.set(QStringLiteral("PSC"), m.postCode);
    table.set(QStringLiteral("TELEFON"), m.phone);
    table.set(QStringLiteral("DATUM_NAROZENI"), m.birth);
    table.set(QStringLiteral("RODNE_CISLO"), m.birthNumber);
    table.set(QStringLiteral("ZENA"), m.woman);
    table.set(QStringLiteral("SPONZOR"), m.sponsor);
    table.set(QStringLiteral("POVOLANI"), m.occupation);
    table.set(QStringLiteral("ZAMESTNAVATEL"), m.employer);
    table.set(QStringLiteral("CLEN_OD_ROKU"), m.memberSince);
    table.set(QStringLiteral("RYB_LISTEK"), m.licence);
    table.set(QStringLiteral("LAST_CLENSTVI"), m.lastPaid);
    table.set(QStringLiteral("LAST_SUMAR_MP"), m.lastReturnMp);
    table.set(QStringLiteral("LAST_SUMAR_PS"), m.lastReturnPs);
    table.set(QStringLiteral("ZAZNAMY"), m.notes);
    table.set(QStringLiteral("POZOR"), m.attention);
    table.post();
}

void DemoChapterGenerator::writePayments(const DemoMember& m,
                                         const DemoHistoryPlanner::History& history)
{
    const QStringList& items = DataModel::feeItems();
    for (const DemoHistoryPlanner::Payment& p : history.payments) {
        m_payments.append();
        m_payments.set(QStringLiteral("CLEN_CISLO"), m.number);
        m_payments.set(QStringLiteral("ROK"), p.year);
        for (int i = 0; i < items.size(); ++i)
            m_payments.set(items[i], p.items[i]);
        m_payments.set(QStringLiteral("CELKEM_KC"), p.total());
        m_payments.set(QStringLiteral("VYDANO"), p.issued);
        m_payments.set(QStringLiteral("MP_VRACENO"), p.mpMark);
        m_payments.set(QStringLiteral("PS_VRACENO"), p.psMark);
        m_payments.post();
    }
}

void DemoChapterGenerator::writeBrigades(const DemoMember& m,
                                         const DemoHistoryPlanner::History& history)
{
    for (const DemoHistoryPlanner::Brigade& b : history.brigades) {
        m_brigades.append();
        m_brigades.set(QStringLiteral("CLEN_CISLO"), m.number);
        m_brigades.set(QStringLiteral("DATUM"), b.date);
        m_brigades.set(QStringLiteral("HODIN"), b.hours);
        m_brigades.set(QStringLiteral("AKCE"), b.work);
        m_brigades.set(QStringLiteral("ZAPSAL"), b.recorder);
        m_brigades.post();
    }
}

void DemoChapterGenerator::writeAwards(const DemoMember& m,
                                       const DemoHistoryPlanner::History& history)
{
    for (const DemoHistoryPlanner::Award& a : history.awards) {
        m_awards.append();
        m_awards.set(QStringLiteral("CLEN_CISLO"), m.number);
        m_awards.set(QStringLiteral("DRUH_VYZNAMENANI"), a.kind);
        m_awards.set(QStringLiteral("DATUM_UDELENI"), a.date);
        m_awards.post();
    }
}

void DemoChapterGenerator::writeReturn(const DemoMember& m, bool trout)
{
    RowWriter& table = trout ? m_psReturns : m_mpReturns;
    const QString permit = QStringLiteral("%1 %2")
                               .arg(trout ? QStringLiteral("PS") : QStringLiteral("MP"))
                               .arg(++m_returnsWritten, 6, 10, QLatin1Char('0'));
    for (const DemoCatchPlanner::Row& row : m_catches.plan(trout)) {
        table.append();
        table.set(QStringLiteral("CLEN_CISLO"), m.number);
        table.set(QStringLiteral("EV_CISLO_SUM"), QString::number(m_returnsWritten));
        table.set(QStringLiteral("CISLO_POVOLENKY"), permit);
        table.set(QStringLiteral("PRIJMENI"), m.surname);
        table.set(QStringLiteral("PSTRUHOVA"), trout);
        table.set(QStringLiteral("REVIR_CISLO"), row.district.number);
        table.set(QStringLiteral("REVIR_NAZEV"), row.district.name);
        table.set(QStringLiteral("DOCHAZKA"), row.days);
        for (const DemoCatchPlanner::Catch& c : row.catches) {
            table.set(c.species + QStringLiteral("_KS"), c.pieces);
            table.set(c.species + QStringLiteral("_KG"), c.kg);
        }
        table.post();
    }
}
