#pragma once

#include <QWidget>

#include <memory>

class DbGrid;
class PrintSettings;
class QComboBox;
class QLineEdit;
class QPushButton;
class Query;
class Report;
class ReportRunner;
class TDataModule1;
class TFormJmenovite;
class TFormTPrehled;
class TFormTVycet;

// The "Peníze" tab: what was taken on a day or over a period, totalled per day into
// SumPovol.DB and listed by payment kind into VYCETKA.DB, with the payments by name and the
// printed overviews and cash listing.
class MoneyTab : public QWidget {
    Q_OBJECT
public:
    explicit MoneyTab(QWidget* parent = nullptr);
    ~MoneyTab() override;

    void attach(TDataModule1& data, ReportRunner& reports);
    // Whether the overviews carry the local permits ("MIprehled"); read at each print.
    void setPrintSettings(const PrintSettings* settings) { m_settings = settings; }

public slots:
    // "Kč  dnes" and "Kč    od  ... do".
    void computeToday();
    void computePeriod();
    // The two "Jmenovitě".
    void showTodayByName();
    void showPeriodByName();
    // "Ukázat soupisku" / "Tisk soupisky", "Ukázat přehled" / "Tisk přehledu".
    void showListing(bool printButton);
    void showOverview(bool printButton);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildComputeGroup();
    QWidget* buildDayTotalsGrid();
    QWidget* buildPrintButtons();
    QPushButton* button(const QString& name, const QString& caption, void (MoneyTab::*handler)());
    // The date typed into a date field; throws EngineError with the conversion message.
    static QDate typedDate(const QLineEdit* field);
    // Disables the button while the computation runs, whatever becomes of it.
    void computeWith(QPushButton* button, const QDate& from, const QDate& to);
    void showByName(const QDate& from, const QDate& to, const QString& rangeCaption, int kind,
                    const QString& amount);
    bool localPermits() const;
    void deliver(Report& report, bool printButton);

    TDataModule1* m_data = nullptr;
    ReportRunner* m_reports = nullptr;
    const PrintSettings* m_settings = nullptr;
    QPushButton* m_today = nullptr;
    QPushButton* m_period = nullptr;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
    QComboBox* m_kind = nullptr;
    QLineEdit* m_amount = nullptr;
    DbGrid* m_grid = nullptr;
    std::unique_ptr<Query> m_queryJmen;
    std::unique_ptr<TFormTVycet> m_listing;
    std::unique_ptr<TFormTPrehled> m_overview;
    std::unique_ptr<TFormTPrehled> m_overviewLocal;
    std::unique_ptr<TFormJmenovite> m_named;
    std::unique_ptr<TFormJmenovite> m_namedLocal;
};
