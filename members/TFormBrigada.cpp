#include "TFormBrigada.h"

TFormBrigada::TFormBrigada(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TFormBrigada"));
    setWindowTitle(QStringLiteral("Záznam brigády"));
}
