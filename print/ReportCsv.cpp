#include "ReportCsv.h"

#include "EngineError.h"
#include "ReportEngine.h"

#include <QDate>
#include <QLocale>
#include <QSaveFile>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString line(const QStringList& cells)
{
    QStringList quotedCells;
    for (const QString& cell : cells)
        quotedCells << ReportCsv::quoted(cell);
    return quotedCells.join(u';') + u"\r\n"_s;
}

} // namespace

QString ReportCsv::cellText(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Double: {
        QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
        czech.setNumberOptions(QLocale::OmitGroupSeparator);
        return czech.toString(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    }
    case QMetaType::QDate: {
        const QDate date = value.toDate();
        return date.isValid() ? date.toString(u"d.M.yyyy"_s) : QString();
    }
    case QMetaType::Bool:
        return value.toBool() ? u"ano"_s : u"ne"_s;
    default:
        return value.toString();
    }
}

QString ReportCsv::quoted(const QString& cell)
{
    static const QString special = u";\"\r\n"_s;
    if (std::none_of(cell.begin(), cell.end(), [](QChar c) { return special.contains(c); }))
        return cell;
    QString escaped = cell;
    escaped.replace(u'"', u"\"\""_s);
    return u'"' + escaped + u'"';
}

QByteArray ReportCsv::toCsv(const RenderedDocument::DataTable& table)
{
    QString text = line(table.columns);
    for (const QList<QVariant>& row : table.rows) {
        QStringList cells;
        for (const QVariant& value : row)
            cells << cellText(value);
        text += line(cells);
    }
    // The mark tells a spreadsheet the file is UTF-8, so Czech letters survive.
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

void ReportCsv::save(const RenderedDocument& document, const QString& path)
{
    saveTable(document.table, path);
}

void ReportCsv::saveTable(const RenderedDocument::DataTable& table, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(toCsv(table)) < 0 || !file.commit())
        throw EngineError(u"Soubor %1 nelze zapsat: %2"_s.arg(path, file.errorString()));
}

void ReportCsv::exportCsv(Report& report, const QString& path)
{
    save(ReportEngine(report).generate(), path);
}
