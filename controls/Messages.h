#pragma once

#include <QString>

#include <functional>

// Every message box of the program goes through here, so the texts and kinds stay
// uniform and a test can answer them. Without a responder a real modal box is shown.
class Messages {
public:
    enum class Kind { Error, Confirmation, Information };
    enum class Buttons { Ok, YesNo, YesNoCancel };
    enum class Answer { Ok, Yes, No, Cancel };

    using Responder = std::function<Answer(Kind kind, const QString& text, Buttons buttons)>;

    static Answer show(Kind kind, const QString& text, Buttons buttons);

    static void error(const QString& text) { show(Kind::Error, text, Buttons::Ok); }
    static void information(const QString& text) { show(Kind::Information, text, Buttons::Ok); }
    // The confirmation icon with the single button OK.
    static void confirmWithOk(const QString& text) { show(Kind::Confirmation, text, Buttons::Ok); }
    static bool askYesNo(const QString& text)
    {
        return show(Kind::Confirmation, text, Buttons::YesNo) == Answer::Yes;
    }
    static Answer askYesNoCancel(const QString& text)
    {
        return show(Kind::Confirmation, text, Buttons::YesNoCancel);
    }

    // Installs (or, with an empty function, removes) the responder tests use.
    static void setResponder(Responder responder);

    // The title of every message box. Windows carry their own titles and nothing appended.
    static QString programName();

    // Texts break lines with LF followed by CR; a box shows each such pair as one break.
    static QString displayText(const QString& text);

private:
    static Responder& responder();
};
