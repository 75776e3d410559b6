#pragma once

#include "FieldDef.h"

#include <QByteArray>
#include <QList>
#include <QVariant>

#include <vector>

class SqlStatement;

// The rows of a statement's result, kept as SQLite gave them in one block of memory: a large
// result costs a few allocations instead of one per value, and a row becomes values only when
// it is read. A declared column is kept as its field kind reads it; a computed one as SQLite
// holds it, until its kind is known from all its values.
class StoredRows {
public:
    // Forgets the rows and takes the columns' kinds; declared[c] false for a computed column.
    void reset(const QList<FieldType>& types, const QList<bool>& declared);
    void append(const SqlStatement& st);
    int size() const { return int(m_rowStarts.size()); }
    QList<QVariant> row(int index) const;
    // The same into the given list, reusing its memory.
    void readRow(int index, QList<QVariant>& values) const;

    // For a computed column: whether any value is a double or an integer.
    bool holdsFloat(int column) const { return m_sawFloat[size_t(column)]; }
    bool holdsInteger(int column) const { return m_sawInteger[size_t(column)]; }
    // A computed column's kind once known; a float column reads every value as a double.
    void setComputedType(int column, FieldType type) { m_types[size_t(column)] = type; }

private:
    enum Tag : char { Blank, Integer, Real, Text };
    char* grow(size_t size);
    void put(Tag tag, const void* data, size_t size);
    void putText(QByteArrayView utf8);
    QVariant readValue(int column, const char*& p) const;

    std::vector<FieldType> m_types;
    std::vector<bool> m_declared;
    std::vector<bool> m_sawFloat;
    std::vector<bool> m_sawInteger;
    std::vector<char> m_data;
    size_t m_used = 0;
    std::vector<size_t> m_rowStarts;
};
