#pragma once

#include <QHash>
#include <QPointer>
#include <QWidget>

#include <functional>

class DataSet;
class QToolButton;

// The old record navigator: a row of buttons that move a cursor and edit its records. Which
// buttons show and their hints are the window's choice; their enabled states follow the
// cursor (nothing to go back to on the first row, post and cancel only while editing,
// editing only on a table). The buttons take no focus, so the focused input keeps its text;
// every action first has the cursor's controls write what the user typed.
class DbNavigator : public QWidget {
    Q_OBJECT
public:
    enum class Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh };
    static constexpr int ButtonCount = 10;

    explicit DbNavigator(QWidget* parent = nullptr);

    void setDataSet(DataSet* dataSet);
    DataSet* dataSet() const { return m_dataSet; }

    // The buttons shown, always in the order of Button.
    void setVisibleButtons(const QList<Button>& buttons);
    QList<Button> visibleButtons() const;
    void setHint(Button button, const QString& hint);
    // One hint per shown button, in their order.
    void setHints(const QStringList& hints);
    QToolButton* button(Button button) const;

    // Asked before a delete; a false answer keeps the record. Empty: delete without asking.
    void setDeleteConfirmation(std::function<bool()> confirm)
    {
        m_confirmDelete = std::move(confirm);
    }

    // Does the button's work instead of the cursor's own insert, delete or post: for a
    // record whose save or delete is an operation of the data module that carries other
    // records with it. A delete still asks first; a post still needs a record in edit.
    void setCustomAction(Button button, std::function<void()> action);

    // Does what a click on the button does. Throws EngineError; false when post or cancel
    // found no record in edit (then `acted` is not emitted).
    bool perform(Button button);
    // A click: as perform, with the error shown.
    void click(Button button);

signals:
    // Before a button acts (the old BeforeAction) and after it has (the old OnClick); a
    // declined delete counts as acted.
    void aboutToAct(Button button);
    void acted(Button button);

private:
    bool act(Button button);
    void refresh();
    void updateButtons();

    QPointer<DataSet> m_dataSet;
    QList<QMetaObject::Connection> m_connections;
    QList<QToolButton*> m_buttons;
    std::function<bool()> m_confirmDelete;
    QHash<int, std::function<void()>> m_customActions;
};
