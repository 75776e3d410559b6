#include "ControlErrors.h"

#include "EngineError.h"

#include <QTimer>
#include <QWidget>
#include <QtDebug>

ControlErrors::Handler& ControlErrors::handler()
{
    static Handler current;
    return current;
}

void ControlErrors::setHandler(Handler handler)
{
    ControlErrors::handler() = std::move(handler);
}

void ControlErrors::report(const EngineError& error)
{
    report(error.message());
}

void ControlErrors::report(const QString& message)
{
    if (handler())
        handler()(message);
    else
        qWarning().noquote() << message;
}

void ControlErrors::refuseLeaving(QWidget* input, const QString& message)
{
    QTimer::singleShot(0, input, [input, message] {
        report(message);
        input->setFocus(Qt::OtherFocusReason);
    });
}
