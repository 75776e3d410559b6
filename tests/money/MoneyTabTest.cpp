#include "MembersWindowFixture.h"

#include "MoneyTab.h"
#include "Table.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

using namespace Qt::StringLiterals;

namespace {

QString fieldText(const QDate& date)
{
    return date.toString(u"dd.MM.yyyy"_s);
}

class MoneyTabTest : public MembersWindowTest {
protected:
    void SetUp() override
    {
        MembersWindowTest::SetUp();
        addMember(u"1"_s, u"Novák"_s);
        pay(QDate::currentDate(), 500);
        pay(QDate::currentDate().addDays(-1), 300);
        start();
        auto* tabs = child<QTabWidget>(u"PageControl1"_s);
        tabs->setCurrentWidget(window().findChild<MoneyTab*>());
    }

    void pay(const QDate& day, int amount)
    {
        addRow(u"Povol.DB"_s, {{u"CLEN_CISLO"_s, u"1"_s},
                               {u"VYDANO"_s, day},
                               {u"CLEN_PRISP"_s, amount},
                               {u"CELKEM_KC"_s, amount}});
    }

    void typePeriod(const QString& from, const QString& to)
    {
        child<QLineEdit>(u"MaskEditOd"_s)->setText(from);
        child<QLineEdit>(u"MaskEditDo"_s)->setText(to);
    }

    QPushButton* periodButton() { return child<QPushButton>(u"ButtonOdDo"_s); }
};

TEST_F(MoneyTabTest, TheTabStartsTheYearAtItsFirstDayAndEndsTheRangeToday)
{
    EXPECT_EQ(child<QLineEdit>(u"MaskEditDo"_s)->text(), fieldText(QDate::currentDate()));
    EXPECT_EQ(child<QLineEdit>(u"MaskEditOd"_s)->text(),
              u"01.01."_s + QString::number(data().workingYear()));
}

TEST_F(MoneyTabTest, TodaysMoneyFillsTheGridWithTodaysTotalOnly)
{
    child<QPushButton>(u"ButtonDnes"_s)->click();

    EXPECT_EQ(stored(u"SumPovol.DB"_s, u"CELKEM_KC"_s), QStringList{u"500"_s});
    EXPECT_EQ(stored(u"VYCETKA.DB"_s, u"TYP_PLATBY"_s), QStringList{u"Členský příspěvek"_s});
    EXPECT_EQ(data().TableSumPovol().recordCount(), 1);
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(MoneyTabTest, APeriodEndingBeforeItStartsIsRefusedAndTheButtonWorksAgain)
{
    child<QPushButton>(u"ButtonDnes"_s)->click();
    const QDate today = QDate::currentDate();
    typePeriod(fieldText(today), fieldText(today.addDays(-1)));

    periodButton()->click();

    ASSERT_EQ(shownTexts(), QStringList{u"Chybné datum !!!"_s});
    EXPECT_EQ(shown.first().kind, Messages::Kind::Error);
    EXPECT_TRUE(periodButton()->isEnabled());
    EXPECT_EQ(stored(u"SumPovol.DB"_s, u"CELKEM_KC"_s), QStringList{u"500"_s});
}

TEST_F(MoneyTabTest, ADateThatIsNoDateIsRefusedWithNothingChanged)
{
    typePeriod(u"31.02.2024"_s, fieldText(QDate::currentDate()));

    periodButton()->click();

    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().text.contains(u"31.02.2024"_s)) << shown.first().text.toStdString();
    EXPECT_TRUE(periodButton()->isEnabled());
    EXPECT_TRUE(stored(u"SumPovol.DB"_s, u"CELKEM_KC"_s).isEmpty());
}

TEST_F(MoneyTabTest, AOneDayPeriodTotalsThatDay)
{
    const QString yesterday = fieldText(QDate::currentDate().addDays(-1));
    typePeriod(yesterday, yesterday);

    periodButton()->click();

    EXPECT_TRUE(shown.isEmpty()) << shownTexts().join(u'\n').toStdString();
    EXPECT_EQ(stored(u"SumPovol.DB"_s, u"CELKEM_KC"_s), QStringList{u"300"_s});
}

TEST_F(MoneyTabTest, ChoosingAllPaymentsClearsTheAmount)
{
    auto* kind = child<QComboBox>(u"ComboBoxFiltr"_s);
    auto* amount = child<QLineEdit>(u"EditCastka"_s);
    EXPECT_EQ(kind->count(), 6);
    kind->setCurrentIndex(2);
    amount->setText(u"150"_s);
    kind->setCurrentIndex(0);
    EXPECT_TRUE(amount->text().isEmpty());
}

} // namespace
