#pragma once

#include <QWidget>

class DbGrid;
class QCheckBox;
class TDataModule1;

// The usual average weights per species, which the secretary may correct but neither add
// to nor delete from: every species of the return needs its row.
class WeightRangesTab : public QWidget {
    Q_OBJECT
public:
    explicit WeightRangesTab(TDataModule1& data, QWidget* parent = nullptr);

    QCheckBox* rangeChecking() const { return m_rangeChecking; }
    DbGrid* grid() const { return m_grid; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isRefusedKey(const QKeyEvent* event) const;

    DbGrid* m_grid = nullptr;
    QCheckBox* m_rangeChecking = nullptr;
};
