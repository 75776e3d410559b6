#include "ParadoxError.h"

#include <QDir>

ParadoxError::ParadoxError(const QString& message)
    : m_message(message)
{
}

ParadoxError ParadoxError::damaged(const QString& path, const QString& what)
{
    return ParadoxError(
        QStringLiteral("Soubor %1 je poškozený: %2.").arg(QDir::toNativeSeparators(path), what));
}
