#pragma once

#include <QString>

#include <concepts>
#include <exception>
#include <functional>
#include <utility>

// The one guard where Qt calls into our code: slots, event handlers, event filters and
// item-model reads. An EngineError (or any other exception) that unwound from there into
// Qt's event loop would end the program; here it is reported through ControlErrors, which
// the program routes to its error box, and the handler returns normally.
//
// A user's action hears of its failure at once. Where no box may open – while a view
// paints, inside a cursor's announcement, while the focus or a window's visibility
// changes – the error is told once the event loop is free again, and a failure that keeps
// recurring meanwhile (a grid failing on every repaint) is told only once.
class QtEdge {
public:
    enum class Tell { Now, Later };

    // Runs the action; false when it threw (the error is reported).
    template <class Action> static bool run(Action&& action, Tell when = Tell::Now)
    {
        try {
            std::invoke(std::forward<Action>(action));
            return true;
        } catch (const std::exception& error) {
            // An EngineError's what() is its message, the text the user is to see.
            report(QString::fromUtf8(error.what()), when);
        }
        return false;
    }

    // What Qt asks of us – a model's cell while a view paints, whether an event filter took
    // the event – or the fallback when working it out fails.
    template <class Compute, class T>
    static T valueOr(Compute&& compute, T fallback, Tell when = Tell::Later)
    {
        run([&] { fallback = std::invoke(std::forward<Compute>(compute)); }, when);
        return fallback;
    }

    // Wraps a callable for connect(), so the slot is guarded where it is connected:
    //     connect(button, &QPushButton::clicked, this, QtEdge::slot([this] { … }));
    // Like a plain slot it may take fewer arguments than the signal sends.
    template <class Slot> static auto slot(Slot slot, Tell when = Tell::Now)
    {
        return Guarded<Slot>(std::move(slot), when);
    }
    template <class Receiver, class Method>
    static auto slot(Receiver* receiver, Method method, Tell when = Tell::Now)
    {
        return slot(std::bind_front(method, receiver), when);
    }

private:
    template <class Slot> class Guarded {
    public:
        Guarded(Slot slot, Tell when)
            : m_slot(std::move(slot))
            , m_when(when)
        {
        }

        template <class... Args>
        requires std::invocable<const Slot&, Args&...>
        void operator()(Args&&... args) const
        {
            run([&] { std::invoke(m_slot, args...); }, m_when);
        }

    private:
        Slot m_slot;
        Tell m_when;
    };

    static void report(const QString& message, Tell when);
};
