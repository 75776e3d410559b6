#include "ProgramIdentity.h"

#include "CzechTranslations.h"

#include <QApplication>

void ProgramIdentity::apply(QApplication& application)
{
    QApplication::setApplicationName(QStringLiteral("zeb-mo"));
    CzechTranslations::install(application);
}
