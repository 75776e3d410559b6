#pragma once

#include <QDate>
#include <QStringList>
#include <QWidget>

class DbGrid;
class MemberSelection;
class QButtonGroup;
class QLabel;
class QLineEdit;

// The tab "Jubilea - bydliště": chooses the current selection by membership years, age,
// this year's jubilee, awards or residence, and shows it with its count.
class JubileeTab : public QWidget {
    Q_OBJECT
public:
    enum class Option { Membership, Age, Jubilee, Awarded };

    explicit JubileeTab(QWidget* parent = nullptr);

    void attach(MemberSelection& selection);
    // The day the ages are counted at; an invalid date means the system's today.
    void setToday(const QDate& day) { m_today = day; }

    // "Výběr" of the jubilee group: false (with the message shown) when N is no number.
    bool selectByJubilee();
    void selectAll();
    void selectByResidence();
    void showCount();

signals:
    // "Tisk vyznamenanych": the current selection with each member's awards.
    void awardedListRequested();

private:
    QWidget* buildJubileeBox();
    QWidget* buildResidenceBox();
    QLineEdit* yearsField(const QString& name, const QString& years);
    QDate today() const;
    void show(const QStringList& lines, const QString& caption);

    MemberSelection* m_selection = nullptr;
    QButtonGroup* m_options = nullptr;
    QList<QLineEdit*> m_years; // by option
    QLabel* m_count = nullptr;
    QLineEdit* m_town = nullptr;
    QLineEdit* m_street = nullptr;
    DbGrid* m_grid = nullptr;
    QDate m_today;
};
