#include "UnicodeForm.h"

#include <QStringDecoder>
#include <QStringEncoder>

UnicodeForm::UnicodeForm(const char* name, const QByteArray& mark,
                         QStringConverter::Encoding encoding)
    : m_name(name)
    , m_mark(mark)
    , m_encoding(encoding)
{
}

QList<UnicodeForm> UnicodeForm::all()
{
    return {{"UTF-16 LE", "\xFF\xFE", QStringConverter::Utf16LE},
            {"UTF-16 BE", "\xFE\xFF", QStringConverter::Utf16BE},
            {"UTF-8 with a mark", "\xEF\xBB\xBF", QStringConverter::Utf8},
            {"UTF-8", "", QStringConverter::Utf8}};
}

QByteArray UnicodeForm::encode(const QString& text) const
{
    return m_mark + QByteArray(QStringEncoder(m_encoding).encode(text));
}

std::optional<QString> UnicodeForm::decode(const QByteArray& bytes) const
{
    if (!bytes.startsWith(m_mark))
        return std::nullopt;
    // A second mark would be kept as a character, and so be seen.
    QStringDecoder decoder(m_encoding, QStringDecoder::Flag::Stateless |
                                           QStringDecoder::Flag::ConvertInitialBom);
    const QString text = decoder.decode(bytes.mid(m_mark.size()));
    if (decoder.hasError())
        return std::nullopt;
    return text;
}
