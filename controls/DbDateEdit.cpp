#include "DbDateEdit.h"

#include "DateText.h"
#include "EngineError.h"

DbDateEdit::DbDateEdit(QWidget* parent)
    : DbEdit(parent)
{
    setPlaceholderText(QStringLiteral("d.M.rrrr"));
}

QVariant DbDateEdit::valueOfText(const QString& text) const
{
    if (text.trimmed().isEmpty())
        return {};
    const QDate date = DateText::parse(text);
    if (!date.isValid())
        throw EngineError(
            QStringLiteral("„%1“ není platné datum (pole %2).").arg(text, link().fieldName()),
            EngineError::Kind::Conversion);
    return date;
}

int DbDateEdit::lengthLimit(const FieldDef&) const
{
    // dd.mm.yyyy with a blank around each dot.
    return 14;
}

QString DbDateEdit::allowedCharacters(const FieldDef&) const
{
    return QStringLiteral("[0-9. ]*");
}
