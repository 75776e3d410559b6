#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// An error of the table engine. Its message is the text the user sees in the error box;
// an event handler may replace it (a key violation on a member becomes a plain sentence).
class EngineError : public std::exception {
public:
    enum class Kind {
        General,
        KeyViolation,
        Required,
        Conversion,
        Missing,
        Syntax,
        TooLong,
        State,
        ForeignLock,
        Damaged
    };

    explicit EngineError(const QString& message, Kind kind = Kind::General);

    const QString& message() const { return m_message; }
    void setMessage(const QString& message);
    Kind kind() const { return m_kind; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
    Kind m_kind;
};
