#include "ParadoxWriter.h"

#include "ParadoxError.h"
#include "ParadoxRecordEncoder.h"
#include "ParadoxTableImage.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {
QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QList<QByteArray> encodedRecords(const QString& path, const QList<ParadoxField>& fields,
                                 const QList<QVariantList>& rows)
{
    const ParadoxRecordEncoder encoder(path, fields);
    QList<QByteArray> records;
    records.reserve(rows.size());
    for (int i = 0; i < rows.size(); ++i)
        records.append(encoder.encode(rows[i], i + 1));
    return records;
}

// Written beside the target and renamed into place, so a failure leaves no half table.
void writeNewFile(const QString& path, const QByteArray& bytes)
{
    const QFileInfo target(path);
    QTemporaryFile file(target.dir().filePath(target.fileName() + QStringLiteral(".XXXXXX")));
    if (!file.open())
        throw ParadoxError(QStringLiteral("Soubor %1 nelze vytvořit: %2.")
                               .arg(nativePath(path), file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw ParadoxError(QStringLiteral("Soubor %1 nelze zapsat: %2.")
                               .arg(nativePath(path), file.errorString()));
    // Renaming refuses an existing target, which closes the gap since the first check.
    if (!file.rename(path))
        throw ParadoxError(QStringLiteral("Soubor %1 nelze vytvořit: %2.")
                               .arg(nativePath(path), file.errorString()));
    file.setAutoRemove(false);
}
} // namespace

void ParadoxWriter::write(const QString& path, const QList<ParadoxField>& fields,
                          const QList<QVariantList>& rows)
{
    if (QFileInfo::exists(path))
        throw ParadoxError(
            QStringLiteral("Soubor %1 už existuje, nepřepíšu ho.").arg(nativePath(path)));
    const QList<QByteArray> records = encodedRecords(path, fields, rows);
    writeNewFile(path, ParadoxTableImage(path, fields, records).bytes());
}
