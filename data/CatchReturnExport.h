#pragma once

#include <QString>
#include <QStringList>

class Database;

// Writes tables as the Paradox files the union's computers and the chapter's other computers
// read: the district totals (CSumMP.DB, CSumPS.DB) and the year catch tables (SuMP2012.DB …),
// each under its own file name, with every field of today's layout.
class CatchReturnExport {
public:
    explicit CatchReturnExport(Database& db);

    // The files of the tables that already stand in the folder.
    static QStringList existingFiles(const QString& folder, const QStringList& tableFiles);
    // Writes the tables (file names such as "CSumMP.DB") into the folder and returns the paths
    // written. Throws EngineError – a file already there without overwrite, a missing table, a
    // folder that cannot be written – and then no file of the folder has changed: each is
    // written whole under a passing name first and only then put in place.
    QStringList write(const QString& folder, const QStringList& tableFiles, bool overwrite);

private:
    QString writePassing(const QString& folder, const QString& tableFile);

    Database& m_db;
};
