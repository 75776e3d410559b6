#pragma once

#include <QString>

// A Paradox file that cannot be read or written. The message is Czech, names the file and
// says what is wrong with it, ready to be shown to the user.
class ParadoxError {
public:
    explicit ParadoxError(const QString& message);
    // "Soubor <path> je poškozený: <what>." – the wording every damage report shares.
    static ParadoxError damaged(const QString& path, const QString& what);
    const QString& message() const { return m_message; }

private:
    QString m_message;
};
