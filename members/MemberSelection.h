#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

class Database;
class Query;

// The members window's current selection: the three lines of local SQL its lists print from
// and the caption that names it. Whoever chooses members (display filters, return filters,
// jubilees, residence) sets both at once, so the caption never names another selection.
class MemberSelection : public QObject {
    Q_OBJECT
public:
    explicit MemberSelection(Database& db, QObject* parent = nullptr);
    ~MemberSelection() override;

    Query& query() { return *m_query; }
    const QString& caption() const { return m_caption; }
    int count();

    // Sets the select, where and order lines, opens the query at its first row and names it.
    // Throws EngineError for lines the engine refuses; the caption stays then.
    void show(const QStringList& lines, const QString& caption);
    // A print's own order for the same members; reopens the query, the caption stays.
    void reorder(const QString& orderLine);

signals:
    void captionChanged(const QString& caption);

private:
    void reopen();

    std::unique_ptr<Query> m_query;
    QString m_caption;
};
