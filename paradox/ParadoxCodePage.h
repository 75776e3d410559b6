#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

// Text of a table in its DOS or Windows code page. A header without a code page (older
// tables) is read as 1250, the code page the chapters' tables were written in.
class ParadoxCodePage {
public:
    static constexpr int czechWindows = 1250;

    explicit ParadoxCodePage(int number);

    int number() const { return m_number; }
    // Never fails: bytes the code page leaves undefined become U+FFFD.
    QString decode(QByteArrayView bytes) const;
    // Characters the code page lacks become '?'.
    QByteArray encode(const QString& text) const;

private:
    static QByteArray codecName(int number);

    int m_number;
    mutable QStringDecoder m_decoder;
    mutable QStringEncoder m_encoder;
};
