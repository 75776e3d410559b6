#pragma once

#include <QString>

#include <functional>

class EngineError;
class QWidget;

// Where the data-aware controls and every guarded handler (QtEdge) send the engine's errors
// they catch: nothing may throw into Qt. The program routes them to its error box at start;
// without a handler they are only logged.
class ControlErrors {
public:
    using Handler = std::function<void(const QString& message)>;

    // Installs the handler (an empty one restores logging). It has heard none of the
    // messages told so far, so none of them counts as told for it.
    static void setHandler(Handler handler);

    static void report(const EngineError& error);
    static void report(const QString& message);
    // For places where no box may open – a view painting, a cursor announcing a record, the
    // focus moving – the message is told once the event loop is free again. The same message
    // coming again meanwhile, or soon after it was told either way, is the same failure still
    // (a grid failing on every repaint, once more as the box over it closes) and is not told
    // again.
    static void reportLater(const QString& message);
    // For an input that cannot take what the user typed when the focus leaves it: once the
    // focus has arrived elsewhere, reports the message and brings the focus back.
    static void refuseLeaving(QWidget* input, const QString& message);

private:
    static Handler& handler();
    static void tellPending();
};
