#include "ParadoxCodePage.h"

namespace {
constexpr auto stateless = QStringConverter::Flag::Stateless;

bool isC1Control(QChar c)
{
    return c.unicode() >= 0x80 && c.unicode() <= 0x9F;
}
} // namespace

ParadoxCodePage::ParadoxCodePage(int number)
    : m_number(number)
    , m_decoder(codecName(number).constData(), stateless)
    , m_encoder(codecName(number).constData(), stateless)
{
    if (!m_decoder.isValid() || !m_encoder.isValid()) {
        m_decoder = QStringDecoder(codecName(czechWindows).constData(), stateless);
        m_encoder = QStringEncoder(codecName(czechWindows).constData(), stateless);
    }
}

QByteArray ParadoxCodePage::codecName(int number)
{
    // Paradox names the code page by its number only; DOS pages are IBM ones.
    if (number >= 1250 && number <= 1258)
        return "windows-" + QByteArray::number(number);
    if (number <= 0)
        return codecName(czechWindows);
    return "IBM" + QByteArray::number(number);
}

QString ParadoxCodePage::decode(QByteArrayView bytes) const
{
    QString text = m_decoder.decode(bytes);
    // The converters pass bytes a Windows page leaves undefined through as C1 controls,
    // which no table means as text.
    std::replace_if(text.begin(), text.end(), isC1Control, QChar::ReplacementCharacter);
    return text;
}

QByteArray ParadoxCodePage::encode(const QString& text) const
{
    QByteArray bytes = m_encoder.encode(text);
    if (!m_encoder.hasError())
        return bytes;
    m_encoder.resetState();
    bytes.clear();
    for (QChar c : text) {
        const QByteArray one = m_encoder.encode(QStringView(&c, 1));
        bytes += m_encoder.hasError() ? QByteArray("?") : one;
        m_encoder.resetState();
    }
    return bytes;
}
