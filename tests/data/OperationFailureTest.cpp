#include "DataModel.h"
#include "Database.h"
#include "DatabaseDump.h"
#include "EngineError.h"
#include "OperationScenario.h"
#include "RecordingHost.h"
#include "TDataModule1.h"
#include "Table.h"
#include "TestDataDir.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

using Operation = OperationScenario::Operation;

// One statement of an operation made to fail, and how the trap is taken away again. The traps
// live in the test's connection only (temporary triggers) or are an ordinary table in the way,
// so the program itself needs no hook for them.
struct Injection {
    Operation operation;
    const char* step;
    std::function<void(Database&)> set;
    std::function<void(Database&)> remove;
};

Injection refused(Operation operation, const char* step, const char* statement, const char* table,
                  const char* condition = nullptr)
{
    const QString when = condition ? u" WHEN "_s + QString::fromUtf8(condition) : QString();
    const QString trigger = u"CREATE TEMP TRIGGER injected BEFORE %1 ON main.%2%3 "
                            "BEGIN SELECT RAISE(ABORT, 'injected'); END"_s.arg(
                                QLatin1String(statement), QLatin1String(table), when);
    return {operation, step, [trigger](Database& db) { db.execute(trigger); },
            [](Database& db) {
                db.execute(u"DROP TRIGGER temp.injected"_s);
            }};
}

// A table holding the name under which a restructure stages the rows of another.
Injection inTheWay(const char* step, const char* table)
{
    const QString staged = QLatin1String(table) + u"__restructure"_s;
    return {
        Operation::Upgrade, step,
        [staged](Database& db) { db.createTable(TableDef(staged, {FieldDef::integer(u"X"_s)})); },
        [staged](Database& db) {
            db.dropTable(staged);
        }};
}

// The first, middle and last steps of every operation; a condition on the year or the category
// makes a statement fail on a row in the middle of the rows it changes.
std::vector<Injection> injections()
{
    return {
        refused(Operation::Renumber, "MemberRow", "UPDATE", "Clenove"),
        refused(Operation::Renumber, "FirstPayment", "UPDATE", "Povol"),
        refused(Operation::Renumber, "MiddlePayment", "UPDATE", "Povol", "old.ROK = 1990"),
        refused(Operation::Renumber, "Brigades", "UPDATE", "Brigady"),
        refused(Operation::Renumber, "Awards", "UPDATE", "Vyznam"),
        refused(Operation::DeleteMember, "MemberRow", "DELETE", "Clenove"),
        refused(Operation::DeleteMember, "MiddlePayment", "DELETE", "Povol", "old.ROK = 1990"),
        refused(Operation::DeleteMember, "Brigades", "DELETE", "Brigady"),
        refused(Operation::DeleteMember, "Awards", "DELETE", "Vyznam"),
        refused(Operation::DeleteKeepingPayments, "MemberRow", "DELETE", "Clenove"),
        refused(Operation::DeleteKeepingPayments, "MiddlePayment", "UPDATE", "Povol",
                "old.ROK = 1990"),
        refused(Operation::DeleteKeepingPayments, "Brigades", "DELETE", "Brigady"),
        refused(Operation::DeleteKeepingPayments, "Awards", "DELETE", "Vyznam"),
        refused(Operation::RecordIssue, "Payment", "INSERT", "Povol"),
        refused(Operation::RecordIssue, "YearPaid", "UPDATE", "Clenove"),
        refused(Operation::FeeYear, "Settings", "UPDATE", "Setup"),
        refused(Operation::FeeYear, "FirstFeeRow", "UPDATE", "PovolSet"),
        refused(Operation::FeeYear, "MiddleFeeRow", "UPDATE", "PovolSet",
                "old.KATEGORIE = 'důchodce'"),
        refused(Operation::FeeYear, "LastFeeRow", "UPDATE", "PovolSet", "old.KATEGORIE = 'čestný'"),
        refused(Operation::RemoveMember, "Copy", "INSERT", "Vyrazeni"),
        refused(Operation::RemoveMember, "MiddlePayment", "DELETE", "Povol", "old.ROK = 1990"),
        refused(Operation::RemoveMember, "Awards", "DELETE", "Vyznam"),
        refused(Operation::RemoveMember, "MemberRow", "DELETE", "Clenove"),
        refused(Operation::RemoveNonPayers, "SecondCopy", "INSERT", "Vyrazeni",
                "new.CLEN_CISLO = '300'"),
        refused(Operation::RemoveNonPayers, "Brigades", "DELETE", "Brigady"),
        refused(Operation::RemoveNonPayers, "LastMember", "DELETE", "Clenove",
                "old.CLEN_CISLO = '300'"),
        refused(Operation::ReturnMember, "MemberRow", "INSERT", "Clenove"),
        refused(Operation::ReturnMember, "RemovedRow", "DELETE", "Vyrazeni"),
        inTheWay("FirstRestructure", "Povol"),
        inTheWay("LastFeeRestructure", "NumPovol"),
        refused(Operation::Upgrade, "WeightRow", "INSERT", "VAHY"),
        inTheWay("LastCatchRestructure", "CSumPS"),
        inTheWay("KeyRestructure", "Vyznam"),
    };
}

std::string nameOf(const Injection& injection)
{
    QString name =
        OperationScenario::nameOf(injection.operation) + u'_' + QLatin1String(injection.step);
    return name.replace(u'-', u'_').toStdString();
}

std::string caseName(const ::testing::TestParamInfo<Injection>& info)
{
    return nameOf(info.param);
}

void PrintTo(const Injection& injection, std::ostream* os)
{
    *os << nameOf(injection);
}

// The data module started over a chapter made for the operation, the cursors ready for it.
class FailedOperation : public ::testing::TestWithParam<Injection> {
protected:
    void SetUp() override
    {
        const QString directory = m_dir.filePath(u"data"_s);
        if (operation() == Operation::Upgrade) {
            ASSERT_TRUE(QDir().mkpath(directory));
            ASSERT_TRUE(QFile::copy(upgradeSource(),
                                    QDir(directory).filePath(QLatin1String(Database::FileName))));
        } else {
            OperationScenario::createDirectory(directory, operation());
        }
        m_db = std::make_unique<Database>(directory);
        m_scenario = std::make_unique<OperationScenario>(*m_db, m_host, operation());
    }

    // The chapter in older layouts takes a while to make: one copy serves every case.
    static QString upgradeSource()
    {
        static QTemporaryDir dir;
        static const QString directory = [] {
            const QString d = dir.filePath(u"data"_s);
            OperationScenario::createDirectory(d, Operation::Upgrade);
            return d;
        }();
        return QDir(directory).filePath(QLatin1String(Database::FileName));
    }

    Operation operation() const { return GetParam().operation; }
    TDataModule1& data() { return m_scenario->data(); }
    QVariant valueOf(Table& table, const char* field)
    {
        return table.fieldByName(QLatin1String(field)).value();
    }

    void expectReadyToBeDoneAgain();
    void expectDoneInTheCursors();

    QTemporaryDir m_dir;
    RecordingHost m_host;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<OperationScenario> m_scenario;
};

// Where the user stands after the failure: what was typed is still there to be saved again,
// and nothing the operation would have changed shows as changed.
void FailedOperation::expectReadyToBeDoneAgain()
{
    Table& members = data().TableClenove();
    switch (operation()) {
    case Operation::Renumber:
        EXPECT_EQ(members.state(), DataSet::State::Edit);
        EXPECT_EQ(valueOf(members, "CLEN_CISLO"), OperationScenario::newNumber());
        EXPECT_EQ(members.originalValue(u"CLEN_CISLO"_s), OperationScenario::memberNumber());
        break;
    case Operation::DeleteMember:
    case Operation::DeleteKeepingPayments:
    case Operation::RemoveMember:
    case Operation::RemoveNonPayers:
        EXPECT_EQ(members.state(), DataSet::State::Browse);
        EXPECT_EQ(members.recordCount(), 3);
        EXPECT_EQ(valueOf(members, "CLEN_CISLO"), OperationScenario::memberNumber());
        EXPECT_EQ(data().TableVyrazeni().recordCount(), 1);
        break;
    case Operation::ReturnMember:
        EXPECT_EQ(members.recordCount(), 3);
        EXPECT_EQ(valueOf(data().TableVyrazeni(), "CLEN_CISLO"),
                  OperationScenario::removedNumber());
        break;
    case Operation::RecordIssue: {
        Table& payment = data().TablePovol();
        EXPECT_EQ(payment.state(), DataSet::State::Insert) << "the payment was lost";
        EXPECT_EQ(valueOf(payment, "CLEN_CISLO"), OperationScenario::memberNumber());
        EXPECT_EQ(valueOf(payment, "CELKEM_KC"), 2000);
        EXPECT_FALSE(members.isEditing()) << "the year paid would be saved with the next move";
        EXPECT_EQ(valueOf(members, "LAST_CLENSTVI"), 2011);
        break;
    }
    case Operation::FeeYear:
        EXPECT_EQ(data().TableSetup().state(), DataSet::State::Edit);
        EXPECT_EQ(valueOf(data().TableSetup(), "PRACOVNI_ROK"), 2013);
        EXPECT_EQ(columnOf(data().TablePovolSet(), u"ROK"_s), QStringList(6, u"2012"_s));
        break;
    case Operation::Upgrade:
        EXPECT_EQ(m_host.errors.size(), 1);
        break;
    }
}

void FailedOperation::expectDoneInTheCursors()
{
    Table& members = data().TableClenove();
    EXPECT_FALSE(members.isEditing());
    switch (operation()) {
    case Operation::Renumber:
        EXPECT_EQ(valueOf(members, "CLEN_CISLO"), OperationScenario::newNumber());
        EXPECT_EQ(data().TablePovol().recordCount(), OperationScenario::memberPayments)
            << "the payments shown follow the member";
        break;
    case Operation::DeleteMember:
    case Operation::DeleteKeepingPayments:
        EXPECT_EQ(members.recordCount(), 2);
        EXPECT_EQ(m_host.memberCount, 2);
        break;
    case Operation::RecordIssue:
        EXPECT_EQ(data().TablePovol().state(), DataSet::State::Browse);
        EXPECT_EQ(valueOf(members, "LAST_CLENSTVI"), 2012);
        break;
    case Operation::FeeYear:
        EXPECT_EQ(columnOf(data().TablePovolSet(), u"ROK"_s), QStringList(6, u"2013"_s));
        break;
    case Operation::Upgrade:
        EXPECT_EQ(members.recordCount(), 3);
        break;
    case Operation::RemoveMember:
    case Operation::RemoveNonPayers: {
        const int gone = operation() == Operation::RemoveMember ? 1 : 2;
        EXPECT_EQ(members.recordCount(), 3 - gone);
        EXPECT_EQ(m_host.memberCount, 3 - gone);
        EXPECT_EQ(m_host.removedCount, 1 + gone);
        EXPECT_EQ(data().TablePovol().recordCount(),
                  valueOf(members, "CLEN_CISLO") == u"200"_s ? 2 : 1)
            << "the payments shown are the current member's";
        EXPECT_EQ(m_host.stornoReceipts, 0) << "a removal prints no cancellation receipts";
        break;
    }
    case Operation::ReturnMember:
        EXPECT_EQ(members.recordCount(), 4);
        EXPECT_EQ(valueOf(members, "CLEN_CISLO"), OperationScenario::removedNumber());
        EXPECT_EQ(m_host.memberCount, 4);
        EXPECT_EQ(m_host.removedCount, 0);
        EXPECT_TRUE(data().TableVyrazeni().isEmpty());
        break;
    }
}

} // namespace

TEST_P(FailedOperation, LeavesTheDataAsBeforeAndCanBeDoneAgain)
{
    const Injection& injection = GetParam();
    injection.set(*m_db);
    const DatabaseDump before(*m_db);

    try {
        m_scenario->perform();
        FAIL() << "the operation did not fail";
    } catch (const EngineError& e) {
        // The injected refusal, in the words the user reads, or the table in the way.
        EXPECT_TRUE(e.message().contains(u"Záznam odporuje pravidlu tabulky"_s) ||
                    e.message().contains(u"__restructure"_s))
            << e.message().toStdString();
    }
    EXPECT_NE(sqlite3_get_autocommit(m_db->handle()), 0) << "a transaction was left open";
    const DatabaseDump failed(*m_db);
    EXPECT_EQ(failed.integrity(), u"ok"_s);
    EXPECT_TRUE(failed == before) << "changed: "
                                  << failed.differencesFrom(before).join(u", "_s).toStdString();
    expectReadyToBeDoneAgain();

    injection.remove(*m_db);
    ASSERT_NO_THROW(m_scenario->perform());
    EXPECT_EQ(OperationScenario::missedResults(operation(), *m_db), QStringList());
    expectDoneInTheCursors();
}

INSTANTIATE_TEST_SUITE_P(EveryStep, FailedOperation, ::testing::ValuesIn(injections()), caseName);
