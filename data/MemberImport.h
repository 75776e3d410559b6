#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

#include <functional>

class Database;
class ParadoxTable;
struct FieldDef;

// Merges a member table delivered from elsewhere ("CLENOVE.DB" on a disk) into the register:
// unknown members are added, known ones take the delivered values their own record lacks or
// holds older (the paid years), and every other difference is the user's choice. The whole
// import is one transaction: a stop keeps what was merged until then, an error keeps nothing.
class MemberImport {
public:
    enum class Answer { Replace, Keep, Stop };
    // Asked for each value that would replace a different one.
    using Question = std::function<Answer(const QString& text)>;
    // Told after each delivered member; false stops the import there.
    using Progress = std::function<bool(int done, int total)>;

    // The file a typed folder stands for, whether or not the folder ends with a separator.
    static QString sourcePath(const QString& folder);

    explicit MemberImport(Database& db);

    // Throws EngineError: a missing or damaged file, a table of another layout, or a value
    // the register cannot take. Nothing is then changed.
    void run(const QString& path, const Question& ask, const Progress& progress = {});

    int updated() const { return m_updated; }
    int inserted() const { return m_inserted; }
    bool stopped() const { return m_stopped; }

private:
    struct Member {
        qint64 rowid = 0;
        QList<QVariant> values;
    };

    void loadRegister();
    void checkLayout(const ParadoxTable& source) const;
    void mergeRecord(const QVariantList& delivered, const Question& ask);
    // Which delivered values the member takes; false when the user stopped.
    bool merge(const QList<QVariant>& delivered, Member& member, QList<int>& changed,
               const Question& ask) const;
    bool replacesWithoutAsking(int position, const QVariant& delivered, const QVariant& held) const;
    QString question(const Member& member, int position, const QVariant& delivered) const;
    QList<QVariant> normalized(const QVariantList& delivered) const;
    void insert(const Member& member) const;
    void update(const Member& member, const QList<int>& changed) const;

    Database& m_db;
    QList<FieldDef> m_fields;
    int m_numberField = -1;
    int m_surnameField = -1;
    QHash<QString, Member> m_register;
    int m_updated = 0;
    int m_inserted = 0;
    bool m_stopped = false;
};
