#pragma once

#include <QWidget>

class DbEdit;
class DbGrid;
class DbMemo;
class TDataModule1;

// The "Záznamy" tab: the current member's notes, payments, brigades and awards. The data
// module keeps those cursors on the current member; this tab only shows them.
class MemberRecordsTab : public QWidget {
    Q_OBJECT
public:
    explicit MemberRecordsTab(QWidget* parent = nullptr);

    void attach(TDataModule1& data);

    // Red with white text while the member has an unsettled note.
    void showNoteMark(bool open);
    bool noteMarked() const { return m_noteMarked; }
    // Payments and brigades become correctable in place, for the rest of the run.
    void makeGridsEditable();
    // Shows or hides, all together, the payment columns hidden at open.
    void toggleDetailColumns();
    // "vzad" and "vpřed" rest while a payment is being issued to the member.
    void setMovesEnabled(bool on);

    DbMemo* notes() const { return m_notes; }
    DbGrid* paymentGrid() const { return m_payments; }
    DbGrid* brigadeGrid() const { return m_brigades; }

signals:
    // A key typed into the notes of a member without an open note.
    void noteStarted();
    // A double click on the notes.
    void noteSettleRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildMemberLine();
    QWidget* buildGrids();
    void moveMember(bool forward);

    TDataModule1* m_data = nullptr;
    QList<DbEdit*> m_memberFields;
    QList<QWidget*> m_moveButtons;
    DbMemo* m_notes = nullptr;
    DbGrid* m_payments = nullptr;
    DbGrid* m_brigades = nullptr;
    DbGrid* m_awards = nullptr;
    bool m_noteMarked = false;
    bool m_detailShown = false;
};
