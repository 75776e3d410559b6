#include "QuietHost.h"

#include "Messages.h"

void QuietHost::showError(const QString& text)
{
    Messages::error(text);
}

void QuietHost::confirmWithOk(const QString& text)
{
    Messages::confirmWithOk(text);
}
