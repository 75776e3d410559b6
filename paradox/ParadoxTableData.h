#pragma once

#include "ParadoxBlockChain.h"
#include "ParadoxHeader.h"
#include "ParadoxMemoFile.h"
#include "ParadoxRecordDecoder.h"

#include <QByteArray>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>

// A table and its memo file already in memory: the whole reader without the file system,
// which lets the fuzzer feed it bytes directly.
class ParadoxTableData {
public:
    // The memo file must be given when the header has memo or blob fields. Throws
    // ParadoxError naming the paths.
    ParadoxTableData(const QString& path, QByteArray table, const QString& memoPath,
                     std::optional<QByteArray> memo);
    // The decoder refers to the header, so the data stays where it was built.
    ParadoxTableData(const ParadoxTableData&) = delete;
    ParadoxTableData& operator=(const ParadoxTableData&) = delete;

    const QString& path() const { return m_path; }
    const ParadoxHeader& header() const { return m_header; }
    void forEachRecord(const std::function<bool(const QVariantList& values)>& visit) const;

private:
    QString m_path;
    QByteArray m_table;
    ParadoxHeader m_header;
    std::unique_ptr<ParadoxMemoFile> m_memoFile;
    ParadoxRecordDecoder m_decoder;
};
