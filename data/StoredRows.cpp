#include "StoredRows.h"

#include "SqlStatement.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>

namespace {
template <typename T> T readRaw(const char*& p)
{
    T value;
    std::memcpy(&value, p, sizeof value);
    p += sizeof value;
    return value;
}
} // namespace

void StoredRows::reset(const QList<FieldType>& types, const QList<bool>& declared)
{
    m_types.assign(types.begin(), types.end());
    m_declared.assign(declared.begin(), declared.end());
    m_sawFloat.assign(size_t(types.size()), false);
    m_sawInteger.assign(size_t(types.size()), false);
    m_data.clear();
    m_data.shrink_to_fit();
    m_used = 0;
    m_rowStarts.clear();
    m_rowStarts.shrink_to_fit();
}

char* StoredRows::grow(size_t size)
{
    // Doubling keeps a large result to a few dozen moves of the block.
    if (m_used + size > m_data.size())
        m_data.resize(std::max(m_data.size() * 2, m_used + size + 65536));
    char* at = m_data.data() + m_used;
    m_used += size;
    return at;
}

void StoredRows::put(Tag tag, const void* data, size_t size)
{
    char* at = grow(1 + size);
    *at = tag;
    std::memcpy(at + 1, data, size);
}

void StoredRows::putText(QByteArrayView utf8)
{
    const auto length = quint32(utf8.size());
    char* at = grow(1 + sizeof length + length);
    *at = Text;
    std::memcpy(at + 1, &length, sizeof length);
    if (length > 0)
        std::memcpy(at + 1 + sizeof length, utf8.data(), length);
}

void StoredRows::append(const SqlStatement& st)
{
    m_rowStarts.push_back(m_used);
    for (int c = 0; c < int(m_types.size()); ++c) {
        sqlite3_value* value = st.columnValue(c);
        const int storage = sqlite3_value_type(value);
        if (storage == SQLITE_NULL) {
            *grow(1) = Blank;
            continue;
        }
        // What SqlStatement::value would read, so that a row reads back the same.
        const bool declared = m_declared[size_t(c)];
        const FieldType type = m_types[size_t(c)];
        const bool asInteger = declared ? type == FieldType::Integer || type == FieldType::Boolean
                                        : storage == SQLITE_INTEGER;
        const bool asReal = declared ? type == FieldType::Float : storage == SQLITE_FLOAT;
        if (asInteger) {
            qint64 v = sqlite3_value_int64(value);
            if (declared && type == FieldType::Boolean)
                v = qint32(v) != 0;
            put(Integer, &v, sizeof v);
            m_sawInteger[size_t(c)] = true;
        } else if (asReal) {
            const double v = sqlite3_value_double(value);
            put(Real, &v, sizeof v);
            m_sawFloat[size_t(c)] = true;
        } else {
            const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
            putText(QByteArrayView(text, sqlite3_value_bytes(value)));
        }
    }
}

QVariant StoredRows::readValue(int column, const char*& p) const
{
    const char tag = *p++;
    const FieldType type = m_types[size_t(column)];
    const bool declared = m_declared[size_t(column)];
    // A computed column of floats is a float in every row, whatever SQLite gave for it.
    const bool computedFloat = !declared && type == FieldType::Float;
    switch (tag) {
    case Blank:
        return {};
    case Integer: {
        const auto i = readRaw<qint64>(p);
        if (computedFloat)
            return double(i);
        return declared && type == FieldType::Boolean ? QVariant(i != 0) : QVariant(i);
    }
    case Real:
        return readRaw<double>(p);
    default: {
        const auto length = readRaw<quint32>(p);
        const QByteArrayView utf8(p, qsizetype(length));
        p += length;
        if (declared)
            return SqlStatement::fromStoredText(type, utf8);
        const QVariant text(QString::fromUtf8(utf8.data(), utf8.size()));
        return computedFloat ? QVariant(text.toDouble()) : text;
    }
    }
}

QList<QVariant> StoredRows::row(int index) const
{
    QList<QVariant> values;
    readRow(index, values);
    return values;
}

void StoredRows::readRow(int index, QList<QVariant>& values) const
{
    values.resize(qsizetype(m_types.size()));
    QVariant* out = values.data();
    const char* p = m_data.data() + m_rowStarts[size_t(index)];
    for (int c = 0; c < int(m_types.size()); ++c)
        out[c] = readValue(c, p);
}
