#pragma once

#include <QString>

// One field of a Paradox table as its header describes it: the name, the type letter's kind
// and the size in the record (for memos and blobs, the part kept in the record itself).
class ParadoxField {
public:
    enum class Type {
        Alpha,         // A: text of fixed length
        Date,          // D
        Short,         // S: 16-bit integer
        Long,          // I: 32-bit integer
        Currency,      // $
        Number,        // N: double
        Logical,       // L
        Memo,          // M: text, beyond the record in the .MB file
        Blob,          // B: binary, in the .MB file
        FormattedMemo, // F
        Ole,           // O
        Graphic,       // G
        Time,          // T
        Timestamp,     // @
        AutoIncrement, // +
        Bcd,           // #
        Bytes,         // Y: bytes of fixed length in the record
    };

    ParadoxField(const QString& name, Type type, int size);

    const QString& name() const { return m_name; }
    Type type() const { return m_type; }
    int size() const { return m_size; }

    bool operator==(const ParadoxField&) const = default;

private:
    QString m_name;
    Type m_type;
    int m_size;
};
