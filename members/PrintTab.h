#pragma once

#include "TDataModule1.h"

#include <QWidget>

class DbGrid;
class MemberSelection;
class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// The tab "Tisk": the mailing list for envelopes with its rebuild and marks, the caption of
// the current selection, the group and order the list prints follow, and the selections of
// the summary year (members owing a catch return, members who have not paid).
class PrintTab : public QWidget {
    Q_OBJECT
public:
    explicit PrintTab(QWidget* parent = nullptr);

    void attach(TDataModule1& data, MemberSelection& selection);

    // The group the list prints keep to (membership numbers starting with it); may be empty.
    QString group() const;
    // "Podle čísel" is down: lists in number order, else alphabetical.
    bool sortByNumber() const;
    // "úplný": the brigade list also shows members who did their hours.
    bool completeBrigades() const;
    bool printChapterAddress() const;
    // "kolik" as typed.
    QString envelopeCount() const;
    QLabel* summaryYearLabel() const { return m_summaryYear; }

    // "Adresář": the mailing list anew from the current selection.
    void rebuildMailingList();
    // "Oznac": false (with the message shown) when "kolik" is no number.
    bool markMade();
    void showRemaining();
    // The mailing list for a spreadsheet or a mail-merge: one line per envelope.
    void saveMailingListCsv(const QString& path);
    // "Nevrátili  MP" / "Nevrátili  PS".
    void selectOwedReturns(TDataModule1::Water kind);
    // "Nezaplatili členství".
    void selectUnpaid();

signals:
    // The list prints of the group box; the window runs them with the tab's group and order.
    void groupAddressListRequested();
    void freeNumbersRequested();
    void brigadesRequested();
    void addressListRequested();
    // "Tisk ": envelopes of the rows not yet made, as many as "kolik" says.
    void envelopesRequested();
    // A double-click on the list: the envelope of that row.
    void envelopeRequested();

private:
    QWidget* buildMailingListGrid();
    QWidget* buildEnvelopeBox();
    QWidget* buildGroupBox();
    QWidget* buildSummaryBox();
    void chooseMailingListCsv();

    TDataModule1* m_data = nullptr;
    MemberSelection* m_selection = nullptr;
    DbGrid* m_grid = nullptr;
    QLabel* m_staticTextKdo = nullptr;
    QProgressBar* m_progress = nullptr;
    QLineEdit* m_remaining = nullptr;
    QLineEdit* m_editKolik = nullptr;
    QCheckBox* m_merge = nullptr;
    QCheckBox* m_chapterAddress = nullptr;
    QLineEdit* m_editSkupina = nullptr;
    QPushButton* m_byNumber = nullptr;
    QCheckBox* m_complete = nullptr;
    QLabel* m_summaryYear = nullptr;
};
