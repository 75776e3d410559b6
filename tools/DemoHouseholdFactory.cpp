#include "DemoHouseholdFactory.h"

#include "BirthNumber.h"
#include "DemoRandom.h"

#include <algorithm>

namespace {

constexpr int AdultAge = 18;
const QString Attention = QStringLiteral("ZÁZNAM !");

} // namespace

DemoHouseholdFactory::DemoHouseholdFactory(DemoRandom& random, int year)
    : m_random(random)
    , m_year(year)
{
}

QList<DemoMember> DemoHouseholdFactory::household()
{
    const DemoVocabulary::Surname& family = m_random.pick(DemoVocabulary::surnames());
    const Address home = address();
    QList<DemoMember> people{person(family, m_random.chance(12), adultAge(), home)};
    if (m_random.chance(25))
        addPartner(people, family, home);
    if (m_random.chance(20))
        addChildren(people, family, home);
    return people;
}

DemoMember DemoHouseholdFactory::single()
{
    return person(m_random.pick(DemoVocabulary::surnames()), m_random.chance(12), adultAge(),
                  address());
}

void DemoHouseholdFactory::addPartner(QList<DemoMember>& people,
                                      const DemoVocabulary::Surname& family, const Address& home)
{
    const DemoMember& head = people.first();
    const int age = qMax(AdultAge, head.ageIn(m_year) + m_random.between(-6, 6));
    // Now and then the partners did not share a name.
    const DemoVocabulary::Surname& name =
        m_random.chance(90) ? family : m_random.pick(DemoVocabulary::surnames());
    people << person(name, !head.woman, age, home);
}

void DemoHouseholdFactory::addChildren(QList<DemoMember>& people,
                                       const DemoVocabulary::Surname& family, const Address& home)
{
    const int parentAge = people.first().ageIn(m_year);
    if (parentAge < 28 || parentAge > 58)
        return;
    const int count = m_random.between(1, 2);
    for (int i = 0; i < count; ++i)
        people << person(family, m_random.chance(25), m_random.between(6, qMin(17, parentAge - 20)),
                         home);
}

DemoHouseholdFactory::Address DemoHouseholdFactory::address()
{
    const QList<DemoVocabulary::Place>& places = DemoVocabulary::places();
    // Half the members live in the chapter's own town.
    const DemoVocabulary::Place& place =
        m_random.chance(50) ? places.first() : m_random.pick(places);
    const QString street = place.streets.isEmpty() ? place.town : m_random.pick(place.streets);
    const int house = m_random.chance(80) ? m_random.between(1, 250) : m_random.between(251, 1800);
    return {QStringLiteral("%1 %2").arg(street).arg(house), place.town, place.postCode};
}

int DemoHouseholdFactory::adultAge()
{
    // Most anglers are middle-aged; the sum of two draws makes the ends rarer.
    return (m_random.between(AdultAge, 86) + m_random.between(25, 75)) / 2;
}

DemoMember DemoHouseholdFactory::person(const DemoVocabulary::Surname& family, bool woman, int age,
                                        const Address& home)
{
    DemoMember m;
    m.woman = woman;
    m.surname = woman ? family.female : family.male;
    m.firstName = m_random.pick(DemoVocabulary::firstNames(woman));
    m.birth = birthDate(age);
    m.birthNumber = birthNumber(m.birth, woman);
    m.street = home.street;
    m.town = home.town;
    m.postCode = home.postCode;
    assignMembership(m);
    assignCategory(m);
    assignContacts(m);
    assignWork(m);
    assignNotes(m);
    return m;
}

QDate DemoHouseholdFactory::birthDate(int age)
{
    const QDate start(m_year - age, 1, 1);
    return start.addDays(m_random.between(0, start.daysInYear() - 1));
}

QString DemoHouseholdFactory::birthNumber(const QDate& birth, bool woman)
{
    // Written as the program itself writes it; the check digit counts the digits only.
    const QString start = BirthNumber::start(birth, woman);
    const QString digits = start.chopped(1).remove(QLatin1Char('.'));
    // Numbers given before 1954 have three digits after the slash; later ones four, the
    // whole number being divisible by eleven.
    if (birth.year() < 1954)
        return start + QStringLiteral("%1").arg(m_random.between(0, 999), 3, 10, QLatin1Char('0'));
    for (;;) {
        const qint64 prefix = digits.toLongLong() * 1000 + m_random.between(0, 999);
        const int check = int((11 - (prefix * 10) % 11) % 11);
        if (check < 10)
            return start +
                   QStringLiteral("%1").arg(prefix % 1000 * 10 + check, 4, 10, QLatin1Char('0'));
    }
}

void DemoHouseholdFactory::assignMembership(DemoMember& m)
{
    const int earliest = std::max({m.birth.year() + 6, m_year - 50, 1950});
    m.memberSince = m_random.between(qMin(earliest, m_year), m_year);
    const int roll = m_random.between(1, 100);
    const int paid = roll <= 84   ? m_year
                     : roll <= 94 ? m_year - 1
                                  : m_random.between(m_year - 4, m_year - 2);
    m.lastPaid = qMax(paid, m.memberSince);
}

void DemoHouseholdFactory::assignCategory(DemoMember& m)
{
    const int age = m.ageIn(m_year);
    if (age < 15)
        m.category = QStringLiteral("dítě");
    else if (age < AdultAge)
        m.category = QStringLiteral("mládež");
    else if (age >= 60 && m.memberSince <= m_year - 30 && m_random.chance(12))
        m.category = QStringLiteral("čestný");
    else if (m_random.chance(2.5))
        m.category = QStringLiteral("ZTP");
    else if (age >= 65 && m_random.chance(70))
        m.category = QStringLiteral("důchodce");
    else
        m.category = QStringLiteral("dospělý");
}

void DemoHouseholdFactory::assignContacts(DemoMember& m)
{
    if (m_random.chance(65))
        m.phone = QStringLiteral("%1 %2 %3")
                      .arg(m_random.between(601, 799))
                      .arg(m_random.between(100, 999))
                      .arg(m_random.between(100, 999));
    if (m_random.chance(85))
        m.licence = QStringLiteral("%1 %2")
                        .arg(m_random.pick(DemoVocabulary::licenceOffices()))
                        .arg(m_random.between(1, 999999), 6, 10, QLatin1Char('0'));
}

void DemoHouseholdFactory::assignWork(DemoMember& m)
{
    if (m.ageIn(m_year) < AdultAge)
        return;
    if (m.ageIn(m_year) >= 24 && m_random.chance(6))
        m.title = m_random.pick(DemoVocabulary::titles());
    if (m_random.chance(35))
        m.occupation = m_random.pick(DemoVocabulary::occupations(m.woman));
    if (m_random.chance(25))
        m.employer = m_random.pick(DemoVocabulary::employers());
    m.sponsor = m_random.chance(2);
}

void DemoHouseholdFactory::assignNotes(DemoMember& m)
{
    if (!m_random.chance(2.5))
        return;
    m.notes = m_random.pick(DemoVocabulary::notes());
    if (m_random.chance(70))
        m.attention = Attention;
}
