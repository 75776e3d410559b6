#include "ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

namespace {

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString unquoted(const QString& value)
{
    // The old profile reader dropped one pair of matching quotes around a value.
    if (value.size() >= 2 &&
        (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
        value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

} // namespace

ProfileFile::ProfileFile(const QString& path)
    : m_path(path)
{
}

ProfileFile::Line ProfileFile::parse(const QString& text)
{
    Line line;
    line.text = text;
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(QLatin1Char('['))) {
        const int close = trimmed.indexOf(QLatin1Char(']'));
        line.kind = Line::Kind::Section;
        line.name = trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed();
        return line;
    }
    const int equals = trimmed.indexOf(QLatin1Char('='));
    if (equals <= 0 || trimmed.startsWith(QLatin1Char(';')))
        return line;
    line.kind = Line::Kind::Entry;
    line.name = trimmed.left(equals).trimmed();
    line.value = unquoted(trimmed.mid(equals + 1).trimmed());
    return line;
}

bool ProfileFile::load()
{
    m_lines.clear();
    m_encoding = ProfileEncoding();
    QString text;
    m_status = readText(text);
    if (m_status != Status::Read)
        return false;
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString& l : lines) {
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
        m_lines << parse(l);
    }
    return true;
}

ProfileFile::Status ProfileFile::readText(QString& text)
{
    QFile file(m_path);
    if (!file.exists())
        return Status::Read;
    if (!file.open(QIODevice::ReadOnly))
        return Status::Unreadable;
    if (file.size() > MaximumSize)
        return Status::TooLarge;
    // One byte past the limit also tells a file that grows meanwhile or has no size to tell.
    const QByteArray bytes = file.read(MaximumSize + 1);
    if (bytes.size() > MaximumSize)
        return Status::TooLarge;
    const ProfileEncoding encoding = ProfileEncoding::of(bytes);
    std::optional<QString> decoded = encoding.decode(bytes);
    if (!decoded)
        return Status::NotText;
    m_encoding = encoding;
    text = std::move(*decoded);
    return Status::Read;
}

bool ProfileFile::save() const
{
    if (m_status != Status::Read)
        return false;
    QString text;
    for (const Line& line : m_lines)
        text += line.text + QStringLiteral("\r\n");
    // Code page 1250 cannot hold every letter a user may type. UTF-8 then, without a byte order
    // mark: this program recognises it, and an older installation reading code page 1250 still
    // finds every section, key and number, only letters beyond ASCII garbled. A mark would stick
    // to the first line there and hide its section; question marks for the letters would lose
    // the value for everyone.
    const ProfileEncoding encoding =
        m_encoding.canEncode(text) ? m_encoding : ProfileEncoding(ProfileEncoding::Kind::Utf8);
    const QByteArray bytes = encoding.encode(text);
    // A file too large to be read again would be as good as lost.
    if (bytes.size() > MaximumSize)
        return false;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(bytes);
    return file.commit();
}

int ProfileFile::findSection(const QString& section) const
{
    for (int i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Line::Kind::Section && sameName(m_lines[i].name, section))
            return i;
    return -1;
}

int ProfileFile::findEntry(int sectionLine, const QString& key) const
{
    for (int i = sectionLine + 1; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == Line::Kind::Section)
            break;
        if (m_lines[i].kind == Line::Kind::Entry && sameName(m_lines[i].name, key))
            return i;
    }
    return -1;
}

int ProfileFile::endOfEntries(int sectionLine) const
{
    int end = sectionLine + 1;
    for (int i = sectionLine + 1; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == Line::Kind::Section)
            break;
        if (m_lines[i].kind == Line::Kind::Entry)
            end = i + 1;
    }
    return end;
}

bool ProfileFile::contains(const QString& section, const QString& key) const
{
    const int s = findSection(section);
    return s >= 0 && findEntry(s, key) >= 0;
}

QString ProfileFile::readString(const QString& section, const QString& key,
                                const QString& defaultValue) const
{
    const int s = findSection(section);
    const int e = s < 0 ? -1 : findEntry(s, key);
    return e < 0 ? defaultValue : m_lines[e].value;
}

int ProfileFile::readInteger(const QString& section, const QString& key, int defaultValue) const
{
    bool ok = false;
    const int value = readString(section, key, QString()).toInt(&ok);
    return ok ? value : defaultValue;
}

bool ProfileFile::readBool(const QString& section, const QString& key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void ProfileFile::writeString(const QString& section, const QString& key, const QString& value)
{
    int s = findSection(section);
    if (s < 0) {
        if (!m_lines.isEmpty() && !m_lines.last().text.trimmed().isEmpty())
            m_lines << parse(QString());
        m_lines << parse(QLatin1Char('[') + section + QLatin1Char(']'));
        s = int(m_lines.size()) - 1;
    }
    const int e = findEntry(s, key);
    const QString name = e < 0 ? key : m_lines[e].name;
    const Line line = parse(name + QLatin1Char('=') + value);
    if (e < 0)
        m_lines.insert(endOfEntries(s), line);
    else
        m_lines[e] = line;
}

void ProfileFile::writeBool(const QString& section, const QString& key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
