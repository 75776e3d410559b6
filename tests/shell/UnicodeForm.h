#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringConverter>

#include <optional>

// A way editors save text in Unicode: UTF-16 in either byte order after its mark, UTF-8 with
// or without one. Tests write files and check what the program wrote through Qt's own
// converters, so that a fault in the program's is not repeated on both sides.
class UnicodeForm {
public:
    static QList<UnicodeForm> all();

    const char* name() const { return m_name; }
    QByteArray encode(const QString& text) const;
    // Nothing when the bytes do not start with the mark or are no valid text after it.
    std::optional<QString> decode(const QByteArray& bytes) const;

private:
    UnicodeForm(const char* name, const QByteArray& mark, QStringConverter::Encoding encoding);

    const char* m_name;
    QByteArray m_mark;
    QStringConverter::Encoding m_encoding;
};
