#pragma once

#include <QDialog>

class DbEdit;
class QLineEdit;
class TDataModule1;

// The dialog that records a member's brigade work. It is made once per run and keeps
// what was typed last, so a series of records for one event needs little typing.
class TFormBrigada : public QDialog {
    Q_OBJECT
public:
    explicit TFormBrigada(QWidget* parent = nullptr);

    void attach(TDataModule1& data);

    // "Zapiš": stores the record for the current member and closes. Hours or a date that
    // are no such values are reported and nothing is stored; the dialog stays open.
    void ButtonZapisClick();

private:
    QWidget* buildMemberBox();
    QLineEdit* input(const QString& name);
    bool readInputs(QDate& date, double& hours);
    bool appendRecord(const QDate& date, double hours);

    TDataModule1* m_data = nullptr;
    QList<DbEdit*> m_member;
    QLineEdit* m_date = nullptr;
    QLineEdit* m_hours = nullptr;
    QLineEdit* m_event = nullptr;
    QLineEdit* m_confirmedBy = nullptr;
};
