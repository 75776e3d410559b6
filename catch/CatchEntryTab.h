#pragma once

#include "TDataModule1.h"
#include "WeightCheck.h"

#include <QWidget>

#include <memory>

class DbEdit;
class DbNavigator;
class DataSetModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class Table;

// The tab where returns are typed: the member and the district are chosen, the days and
// the catch per species typed, each weight checked against the usual average weight, and
// saving marks the member's return as handed in. Built for the keyboard: Enter saves,
// Space saves and starts the member's next district, a letter jumps to its species.
class CatchEntryTab : public QWidget {
    Q_OBJECT
public:
    explicit CatchEntryTab(TDataModule1& data, QWidget* parent = nullptr);
    ~CatchEntryTab() override;

    // Follows the window's kind: the mark, the district list.
    void showKind(TDataModule1::Water kind);
    void showSummaryYear(int year);

    // The district name, the days and the 48 species inputs take typing only between an
    // insert or edit and its save, delete or cancel.
    void SetEntryEnabled(bool on);
    WeightCheck& weightCheck() { return m_check; }
    DbNavigator& navigator() { return *m_navigator; }

    // The member finder.
    void findMemberByNumber(const QString& number);
    void showSearchByName(bool byName);
    void focusMemberFinder();
    // "Jen tento člen": the year catch table shows the current member's rows only.
    void showOnlyCurrentMember();
    // "Záznam": the typed note goes to the current member's notes.
    void addNote();

    // Before the window closes: a typed row is saved (an untouched new one dropped).
    // False, with the reason shown, when it cannot be saved.
    bool finishEntry();
    static bool isEmptyNewRow(Table& year);

signals:
    // The year catch table changed under the overview.
    void overviewStale();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildKindBox();
    QWidget* buildDistrictBox();
    QWidget* buildMemberBox();
    QWidget* buildReturnBox();
    QWidget* buildSpeciesGrid();
    DbNavigator* buildNavigator();
    DbEdit* boundEdit(Table& table, const QString& field, bool readOnly);
    void setTabOrder();

    void reloadDistricts();
    void followDistrict(QComboBox* from, int index);
    void copyDistrictIntoRow();
    WeightCheck::Range rangeOf(const QString& weightField);

    bool inputKey(QObject* watched, QKeyEvent* event);
    bool isCatchInput(QObject* watched) const;
    bool isWeightInput(QObject* watched) const;
    void inputLeft(QObject* watched, QFocusEvent* event);
    // Runs the check for the input and shows what the secretary must answer.
    void runCheck(DbEdit* input);
    void saveByKey();
    void saveAndStartNext();

    void insertRow();
    void saveRow();
    void afterNavigator(int button);

    TDataModule1& m_data;
    std::unique_ptr<Table> m_districts; // the selectors' own cursor on the district table
    std::unique_ptr<Table> m_weights;   // usual weights, looked up apart from their grid
    WeightCheck m_check;
    QList<QWidget*> m_entryInputs;
    QHash<QString, DbEdit*> m_speciesInputs; // by field name
    QHash<int, DbEdit*> m_keyTargets;        // by letter
    QList<QLabel*> m_kindMarks;
    QLabel* m_year = nullptr;
    QComboBox* m_districtNumber = nullptr;
    QComboBox* m_districtName = nullptr;
    QPushButton* m_byName = nullptr;
    QPushButton* m_byNumber = nullptr;
    QStackedWidget* m_finderPages = nullptr;
    QComboBox* m_surnames = nullptr;
    DataSetModel* m_surnameModel = nullptr;
    QLineEdit* m_numberInput = nullptr;
    QLineEdit* m_noteInput = nullptr;
    DbEdit* m_days = nullptr;
    DbNavigator* m_navigator = nullptr;
    bool m_checking = false;
    bool m_syncingDistricts = false;
};
