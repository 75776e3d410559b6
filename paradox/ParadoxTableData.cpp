#include "ParadoxTableData.h"

#include "ParadoxError.h"

#include <QDir>

namespace {
std::unique_ptr<ParadoxMemoFile> memoFileFor(const QString& path, const ParadoxHeader& header,
                                             const QString& memoPath,
                                             std::optional<QByteArray> memo)
{
    if (!header.hasBlobFields())
        return nullptr;
    if (!memo)
        throw ParadoxError(
            QStringLiteral("Tabulku %1 nelze přečíst: chybí soubor poznámek %2.")
                .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(memoPath)));
    return std::make_unique<ParadoxMemoFile>(path, memoPath, std::move(*memo));
}
} // namespace

ParadoxTableData::ParadoxTableData(const QString& path, QByteArray table, const QString& memoPath,
                                   std::optional<QByteArray> memo)
    : m_path(path)
    , m_table(std::move(table))
    , m_header(path, m_table)
    , m_memoFile(memoFileFor(path, m_header, memoPath, std::move(memo)))
    , m_decoder(path, m_header, m_memoFile.get())
{
}

void ParadoxTableData::forEachRecord(
    const std::function<bool(const QVariantList& values)>& visit) const
{
    // The whole chain is checked before the first record is handed out, so a damaged
    // table gives no partial result.
    const ParadoxBlockChain chain(m_path, m_table, m_header);
    const int recordSize = m_header.recordSize();
    for (const ParadoxBlockChain::Block& block : chain.blocks()) {
        for (int i = 0; i < block.recordCount; ++i) {
            const QByteArrayView record = QByteArrayView(m_table).sliced(
                block.recordsStart + qsizetype(i) * recordSize, recordSize);
            if (!visit(m_decoder.decode(record)))
                return;
        }
    }
}
