#include "ControlErrors.h"

#include "EngineError.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <QtDebug>

#include <utility>

namespace {

// A failure seen again within this time of its last sighting is still the same failure.
constexpr qint64 sameFailureMs = 2000;

struct LaterReports {
    QStringList pending;
    QHash<QString, QElapsedTimer> lastSeen; // of the messages told
};

LaterReports& laterReports()
{
    static LaterReports reports;
    return reports;
}

} // namespace

ControlErrors::Handler& ControlErrors::handler()
{
    static Handler current;
    return current;
}

void ControlErrors::setHandler(Handler handler)
{
    laterReports().lastSeen.clear();
    ControlErrors::handler() = std::move(handler);
}

void ControlErrors::report(const EngineError& error)
{
    report(error.message());
}

void ControlErrors::report(const QString& message)
{
    // While its box is open, and soon after, the same failure coming later is told already.
    LaterReports& later = laterReports();
    later.lastSeen.removeIf(
        [](const auto& entry) { return entry.value().hasExpired(sameFailureMs); });
    later.pending.removeAll(message);
    later.lastSeen[message].start();
    if (handler())
        handler()(message);
    else
        qWarning().noquote() << message;
    later.lastSeen[message].start();
}

void ControlErrors::reportLater(const QString& message)
{
    auto* application = QCoreApplication::instance();
    if (!application) {
        report(message);
        return;
    }
    LaterReports& later = laterReports();
    const auto seen = later.lastSeen.find(message);
    if (seen != later.lastSeen.end() && !seen->hasExpired(sameFailureMs)) {
        seen->restart();
        return;
    }
    if (later.pending.contains(message))
        return;
    later.pending << message;
    if (later.pending.size() == 1)
        QTimer::singleShot(0, application, &ControlErrors::tellPending);
}

void ControlErrors::tellPending()
{
    const QStringList messages = std::exchange(laterReports().pending, {});
    for (const QString& message : messages)
        report(message);
}

void ControlErrors::refuseLeaving(QWidget* input, const QString& message)
{
    QTimer::singleShot(0, input, [input, message] {
        report(message);
        input->setFocus(Qt::OtherFocusReason);
    });
}
