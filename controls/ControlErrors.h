#pragma once

#include <QString>

#include <functional>

class EngineError;
class QWidget;

// Where the data-aware controls send the engine's errors they catch: their event handlers
// must not let an exception into Qt. The program routes them to its error box at start;
// without a handler they are only logged.
class ControlErrors {
public:
    using Handler = std::function<void(const QString& message)>;

    // Installs the handler (an empty one restores logging).
    static void setHandler(Handler handler);

    static void report(const EngineError& error);
    static void report(const QString& message);
    // For an input that cannot take what the user typed when the focus leaves it: once the
    // focus has arrived elsewhere, reports the message and brings the focus back.
    static void refuseLeaving(QWidget* input, const QString& message);

private:
    static Handler& handler();
};
