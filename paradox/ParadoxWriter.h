#pragma once

#include "ParadoxField.h"

#include <QList>
#include <QString>
#include <QVariant>

// Writes a new, non-keyed Paradox table (file type 2) that other Paradox readers read: the
// union's computers and the other chapters' programs. Fields may be Alpha, Short, Long,
// Number, Date and Logical; text is written in code page 1250. Values as ParadoxTable gives
// them; a null QVariant writes a blank.
class ParadoxWriter {
public:
    // Replaces nothing: an existing file at the path is an error. Throws ParadoxError, and
    // leaves no partial file behind.
    static void write(const QString& path, const QList<ParadoxField>& fields,
                      const QList<QVariantList>& rows);
};
