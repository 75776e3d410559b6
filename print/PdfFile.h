#pragma once

#include <QByteArray>
#include <QList>

// The objects of a PDF file written one after another, with the cross-reference table that
// lets a reader find them. Numbers are handed out first, so objects may name each other
// before they are written.
class PdfFile {
public:
    PdfFile();

    int newObject();
    void writeObject(int number, const QByteArray& body);
    // The stream is compressed; dictionary holds the entries besides its length and filter.
    void writeStream(int number, const QByteArray& dictionary, const QByteArray& data);
    // Ends the file with the table of objects and hands it over whole.
    QByteArray finish(int catalog, int info);

    // A text string any reader shows with its accents: UTF-16 with a byte order mark.
    static QByteArray textString(const QString& text);
    // A number with up to three decimals and no exponent, appended to out.
    static void appendNumber(QByteArray& out, double value);

private:
    void write(const QByteArray& bytes);
    void beginObject(int number);

    QByteArray m_bytes;
    QList<qint64> m_offsets; // by object number - 1; -1 while not written
};
