#include "ProfileEncoding.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTextCodec>

#include <algorithm>

namespace {

QTextCodec& codePage1250()
{
    static QTextCodec* codec = QTextCodec::codecForName("Windows-1250");
    Q_ASSERT(codec);
    return *codec;
}

QStringConverter::Encoding unicodeEncoding(ProfileEncoding::Kind kind)
{
    switch (kind) {
    case ProfileEncoding::Kind::Utf16LittleEndian:
        return QStringConverter::Utf16LE;
    case ProfileEncoding::Kind::Utf16BigEndian:
        return QStringConverter::Utf16BE;
    default:
        return QStringConverter::Utf8;
    }
}

bool isBeyondAscii(char byte)
{
    return static_cast<unsigned char>(byte) >= 0x80;
}

bool isValidUtf8(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString ignored = utf8.decode(bytes);
    return !utf8.hasError();
}

// Text files hold no control characters but tabs and line ends, where binary files are full of
// them; the decoders put the replacement character for bytes they could not map.
bool isPlainText(const QString& text)
{
    if (!text.isValidUtf16())
        return false;
    return std::none_of(text.cbegin(), text.cend(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r') || (u >= 0x7F && u < 0xA0) ||
               u == QChar::ReplacementCharacter || u == 0xFFFE || u == 0xFFFF;
    });
}

} // namespace

ProfileEncoding ProfileEncoding::of(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return ProfileEncoding(Kind::Utf16LittleEndian);
    if (bytes.startsWith("\xFE\xFF"))
        return ProfileEncoding(Kind::Utf16BigEndian);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return ProfileEncoding(Kind::Utf8WithBom);
    // A file of plain ASCII stays code page 1250, so that letters typed into it later are written
    // as the old program wrote them.
    if (std::any_of(bytes.cbegin(), bytes.cend(), isBeyondAscii) && isValidUtf8(bytes))
        return ProfileEncoding(Kind::Utf8);
    return ProfileEncoding(Kind::CodePage1250);
}

std::optional<QString> ProfileEncoding::decode(const QByteArray& bytes) const
{
    QString text;
    if (m_kind == Kind::CodePage1250) {
        text = codePage1250().toUnicode(bytes);
    } else {
        // Stateless: a sequence cut off at the end is an error, not something to wait for.
        QStringDecoder decoder(unicodeEncoding(m_kind), QStringDecoder::Flag::Stateless);
        text = decoder.decode(bytes);
        if (decoder.hasError())
            return std::nullopt;
    }
    if (!isPlainText(text))
        return std::nullopt;
    return text;
}

bool ProfileEncoding::canEncode(const QString& text) const
{
    return m_kind != Kind::CodePage1250 || codePage1250().canEncode(text);
}

QByteArray ProfileEncoding::encode(const QString& text) const
{
    if (m_kind == Kind::CodePage1250)
        return codePage1250().fromUnicode(text);
    QStringEncoder encoder(unicodeEncoding(m_kind), m_kind == Kind::Utf8
                                                        ? QStringEncoder::Flag::Default
                                                        : QStringEncoder::Flag::WriteBom);
    return encoder.encode(text);
}
