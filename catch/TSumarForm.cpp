#include "TSumarForm.h"

TSumarForm::TSumarForm(const QString& folderSuffix, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TSumarForm"));
    setWindowTitle(QStringLiteral("Sumáře") + folderSuffix);
}
