#include "PdfFile.h"

#include <QString>

#include <cmath>
#include <utility>

PdfFile::PdfFile()
{
    // The second line's high bytes tell transfer programs that the file is binary.
    write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
}

void PdfFile::write(const QByteArray& bytes)
{
    m_bytes += bytes;
}

int PdfFile::newObject()
{
    m_offsets.append(-1);
    return int(m_offsets.size());
}

void PdfFile::beginObject(int number)
{
    m_offsets[number - 1] = m_bytes.size();
    write(QByteArray::number(number) + " 0 obj\n");
}

void PdfFile::writeObject(int number, const QByteArray& body)
{
    beginObject(number);
    write(body + "\nendobj\n");
}

void PdfFile::writeStream(int number, const QByteArray& dictionary, const QByteArray& data)
{
    // qCompress puts the length in front of a zlib stream, which is what FlateDecode reads.
    // The fastest level: page contents repeat so much that a long list comes out only a
    // quarter larger than at the default level, in a fraction of the time.
    const QByteArray compressed = qCompress(data, 1).mid(4);
    beginObject(number);
    write("<<" + dictionary + " /Filter /FlateDecode /Length " +
          QByteArray::number(compressed.size()) + ">>\nstream\n");
    write(compressed);
    write("\nendstream\nendobj\n");
}

QByteArray PdfFile::finish(int catalog, int info)
{
    const qint64 table = m_bytes.size();
    QByteArray xref = "xref\n0 " + QByteArray::number(m_offsets.size() + 1) + "\n";
    xref += "0000000000 65535 f \n";
    for (qint64 offset : m_offsets) {
        Q_ASSERT(offset >= 0); // every object handed out is written
        xref += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    }
    write(xref);
    write("trailer\n<</Size " + QByteArray::number(m_offsets.size() + 1) + " /Root " +
          QByteArray::number(catalog) + " 0 R /Info " + QByteArray::number(info) +
          " 0 R>>\nstartxref\n" + QByteArray::number(table) + "\n%%EOF\n");
    return std::exchange(m_bytes, {});
}

QByteArray PdfFile::textString(const QString& text)
{
    QByteArray hex = "<FEFF";
    for (const QChar c : text)
        hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex + ">";
}

void PdfFile::appendNumber(QByteArray& out, double value)
{
    // Written by hand: a list writes tens of thousands of positions, and thousandths of a
    // point are finer than any printer.
    long long thousandths = std::llround(value * 1000);
    if (thousandths < 0) {
        out += '-';
        thousandths = -thousandths;
    }
    out += QByteArray::number(thousandths / 1000);
    int fraction = int(thousandths % 1000);
    if (fraction == 0)
        return;
    char digits[5] = {'.', char('0' + fraction / 100), char('0' + fraction / 10 % 10),
                      char('0' + fraction % 10), 0};
    int length = 4;
    while (digits[length - 1] == '0')
        --length;
    out.append(digits, length);
}
