#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The encodings TALU.ini comes in: code page 1250, as the old program and older installations
// write it; UTF-8, with or without a byte order mark; and UTF-16 in either byte order with its
// mark, as Windows Notepad saves "Unicode". A file is written back in the encoding it was read
// in, so whatever else reads it goes on reading it.
class ProfileEncoding {
public:
    enum class Kind { CodePage1250, Utf8, Utf8WithBom, Utf16LittleEndian, Utf16BigEndian };

    explicit ProfileEncoding(Kind kind = Kind::CodePage1250)
        : m_kind(kind)
    {
    }

    // A byte order mark names the encoding. Without one, bytes that are valid UTF-8 and hold
    // more than ASCII are UTF-8; anything else is code page 1250.
    static ProfileEncoding of(const QByteArray& bytes);

    Kind kind() const { return m_kind; }

    // The text without its byte order mark; nothing when the bytes are no text in this
    // encoding: invalid sequences, or control characters such as binary files are full of.
    std::optional<QString> decode(const QByteArray& bytes) const;
    bool canEncode(const QString& text) const;
    // The text after the byte order mark the encoding has, if any.
    QByteArray encode(const QString& text) const;

private:
    Kind m_kind;
};
