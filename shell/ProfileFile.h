#pragma once

#include "ProfileEncoding.h"

#include <QList>
#include <QString>

// A Windows-style profile file: [sections] holding key=value lines. Section and key names
// match without regard to letter case, and blanks around names and values do not count.
// Writing a value keeps the file's order, its comments and every key it does not know, and
// keeps the spelling of a key already there, and the encoding the file was read in. A file
// that could not be read is never written: that would replace the user's values by defaults.
class ProfileFile {
public:
    enum class Status { Read, Unreadable, NotText, TooLarge };

    // A real settings file has a few kilobytes; anything this large is something else, and
    // reading it whole would take memory and time without end.
    static constexpr qint64 MaximumSize = 1024 * 1024;

    explicit ProfileFile(const QString& path = {});

    const QString& path() const { return m_path; }

    // Reads the file; a missing file reads as empty. False when it is there but cannot be
    // read, is no text or is larger than MaximumSize: it then reads as empty and stays as it is.
    bool load();
    Status status() const { return m_status; }
    // Writes the file, making its folder if needed; false when it cannot be written, or was not
    // read.
    bool save() const;

    bool contains(const QString& section, const QString& key) const;
    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    // A value that is not a whole number reads as the default.
    int readInteger(const QString& section, const QString& key, int defaultValue) const;
    // Any number but 0 is true; a value that is not a number reads as the default.
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;

    void writeString(const QString& section, const QString& key, const QString& value);
    void writeBool(const QString& section, const QString& key, bool value);

private:
    struct Line {
        enum class Kind { Other, Section, Entry };
        Kind kind = Kind::Other;
        QString name; // the section's or the key's, as written
        QString value;
        QString text; // the line as read, for lines written back unchanged
    };

    static Line parse(const QString& text);
    Status readText(QString& text);
    int findSection(const QString& section) const;
    int findEntry(int sectionLine, const QString& key) const;
    int endOfEntries(int sectionLine) const;

    QString m_path;
    QList<Line> m_lines;
    Status m_status = Status::Read;
    ProfileEncoding m_encoding;
};
