#include "PxlibReader.h"

#include <QDate>

// pxlib's header has no C++ guards of its own.
extern "C" {
#include <paradox.h>
}

namespace {
// pxlib counts days from its own origin; its day 1721425 is our day 0.
constexpr long pxlibDayOffset = 1721425;

QVariant pxlibValue(pxdoc_t* doc, pxfield_t& field, char* data)
{
    switch (field.px_ftype) {
    case pxfAlpha: {
        char* text = nullptr;
        if (PX_get_data_alpha(doc, data, field.px_flen, &text) <= 0 || !text)
            return {};
        const QString value = QString::fromUtf8(text);
        doc->free(doc, text);
        return value;
    }
    case pxfShort: {
        short value = 0;
        return PX_get_data_short(doc, data, field.px_flen, &value) > 0 ? QVariant(int(value))
                                                                       : QVariant();
    }
    case pxfLong:
    case pxfAutoInc: {
        long value = 0;
        return PX_get_data_long(doc, data, field.px_flen, &value) > 0 ? QVariant(int(value))
                                                                      : QVariant();
    }
    case pxfNumber:
    case pxfCurrency: {
        double value = 0;
        return PX_get_data_double(doc, data, field.px_flen, &value) > 0 ? QVariant(value)
                                                                        : QVariant();
    }
    case pxfDate: {
        long days = 0;
        if (PX_get_data_long(doc, data, field.px_flen, &days) <= 0)
            return {};
        int year = 0, month = 0, day = 0;
        PX_SdnToGregorian(days + pxlibDayOffset, &year, &month, &day);
        return QDate(year, month, day);
    }
    case pxfLogical: {
        char value = 0;
        return PX_get_data_byte(doc, data, field.px_flen, &value) > 0 ? QVariant(value != 0)
                                                                      : QVariant();
    }
    default:
        return {};
    }
}
} // namespace

QList<QVariantList> PxlibReader::readAll(const QString& path)
{
    QList<QVariantList> rows;
    pxdoc_t* doc = PX_new();
    if (PX_open_file(doc, path.toLocal8Bit().constData()) < 0) {
        PX_delete(doc);
        return rows;
    }
    PX_set_parameter(doc, "targetencoding", "UTF-8");
    pxfield_t* fields = PX_get_fields(doc);
    const int fieldCount = PX_get_num_fields(doc);
    int recordSize = 0;
    for (int i = 0; i < fieldCount; ++i)
        recordSize += fields[i].px_flen;
    QByteArray record(recordSize, '\0');
    for (int r = 0; r < PX_get_num_records(doc); ++r) {
        if (!PX_get_record(doc, r, record.data()))
            break;
        QVariantList values;
        int offset = 0;
        for (int i = 0; i < fieldCount; ++i) {
            values.append(pxlibValue(doc, fields[i], record.data() + offset));
            offset += fields[i].px_flen;
        }
        rows.append(values);
    }
    PX_close(doc);
    PX_delete(doc);
    return rows;
}
