#include "ParadoxTable.h"

#include "ParadoxError.h"
#include "ParadoxTableData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// The Paradox format addresses at most 65535 blocks of 32 KiB.
constexpr qint64 largestTable = qint64(65535) * 32 * 1024 + 65535;

QByteArray readWhole(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ParadoxError(
            QStringLiteral("Soubor %1 nelze otevřít.").arg(QDir::toNativeSeparators(path)));
    if (file.size() > largestTable)
        throw ParadoxError::damaged(path, QStringLiteral("je větší než jakákoli tabulka"));
    QByteArray bytes = file.readAll();
    if (bytes.size() != file.size())
        throw ParadoxError(
            QStringLiteral("Soubor %1 nelze přečíst.").arg(QDir::toNativeSeparators(path)));
    return bytes;
}

// Tables copied from DOS or Windows come in any letter case, the memo file's suffix too.
QString memoPathFor(const QString& tablePath)
{
    const QFileInfo table(tablePath);
    const QString wanted = table.completeBaseName() + QStringLiteral(".mb");
    const QStringList candidates =
        table.dir().entryList({wanted}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : candidates) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return table.dir().filePath(name);
    }
    const bool upperSuffix = table.suffix() == table.suffix().toUpper();
    return table.dir().filePath(table.completeBaseName() +
                                (upperSuffix ? QStringLiteral(".MB") : QStringLiteral(".mb")));
}

std::optional<QByteArray> readIfPresent(const QString& path)
{
    if (!QFileInfo::exists(path))
        return std::nullopt;
    return readWhole(path);
}
} // namespace

class ParadoxTable::Reader : public ParadoxTableData {
public:
    explicit Reader(const QString& path)
        : Reader(path, memoPathFor(path))
    {
    }

    const QList<ParadoxField>& fields() const { return header().fields(); }

private:
    Reader(const QString& path, const QString& memoPath)
        : ParadoxTableData(path, readWhole(path), memoPath, readIfPresent(memoPath))
    {
    }
};

ParadoxTable::ParadoxTable(const QString& path)
    : m_reader(std::make_unique<Reader>(path))
{
}

ParadoxTable::~ParadoxTable() = default;

const QString& ParadoxTable::path() const
{
    return m_reader->path();
}

const QList<ParadoxField>& ParadoxTable::fields() const
{
    return m_reader->fields();
}

int ParadoxTable::fieldIndex(const QString& name) const
{
    const QList<ParadoxField>& all = fields();
    for (int i = 0; i < all.size(); ++i) {
        if (all[i].name().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int ParadoxTable::recordCount() const
{
    return m_reader->header().recordCount();
}

int ParadoxTable::codePage() const
{
    return m_reader->header().codePage();
}

void ParadoxTable::forEachRecord(const std::function<bool(const QVariantList&)>& visit) const
{
    m_reader->forEachRecord(visit);
}

QList<QVariantList> ParadoxTable::readAll() const
{
    QList<QVariantList> rows;
    forEachRecord([&rows](const QVariantList& values) {
        rows.append(values);
        return true;
    });
    return rows;
}
