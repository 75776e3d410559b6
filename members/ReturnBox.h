#pragma once

#include "TDataModule1.h"

#include <QGroupBox>

class QLabel;
class QPushButton;

// " Vrátil sumář ": the buttons "MP" and "PS" that mark the current member's catch return of
// the summary year as handed in. The basic-data tab and the permit tab each have one.
class ReturnBox : public QGroupBox {
    Q_OBJECT
public:
    // The suffix tells the two boxes' buttons apart by name; the year label, when given, is
    // shown beside the buttons.
    explicit ReturnBox(const QString& nameSuffix, QLabel* year = nullptr,
                       QWidget* parent = nullptr);

    void attach(TDataModule1& data) { m_data = &data; }
    QPushButton* button(TDataModule1::Water kind) const;

signals:
    // After each press, whether the mark was stored or refused.
    void pressed();

private:
    void markReturned(TDataModule1::Water kind);

    TDataModule1* m_data = nullptr;
    QPushButton* m_mp = nullptr;
    QPushButton* m_ps = nullptr;
};
