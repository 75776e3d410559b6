#include "QtEdge.h"

#include "ControlErrors.h"

void QtEdge::report(const QString& message, Tell when)
{
    if (when == Tell::Now)
        ControlErrors::report(message);
    else
        ControlErrors::reportLater(message);
}
