#include "DbNavigator.h"

#include "DataLinks.h"
#include "EngineError.h"
#include "QtEdge.h"
#include "Table.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace {

struct Look {
    const char16_t* glyph;
    const char16_t* hint;
};

// Glyphs of the old navigator, and its hints in Czech until a window sets its own.
constexpr Look looks[DbNavigator::ButtonCount] = {
    {u"|\u25C0", u"První záznam"},  {u"\u25C0", u"Předchozí záznam"},
    {u"\u25B6", u"Další záznam"},   {u"\u25B6|", u"Poslední záznam"},
    {u"+", u"Vložit záznam"},       {u"\u2212", u"Smazat záznam"},
    {u"\u25B2", u"Opravit záznam"}, {u"\u2713", u"Uložit změny"},
    {u"\u2715", u"Zrušit změny"},   {u"\u21BB", u"Obnovit data"}};

} // namespace

DbNavigator::DbNavigator(QWidget* parent)
    : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    for (int i = 0; i < ButtonCount; ++i) {
        auto* b = new QToolButton(this);
        b->setText(QString::fromUtf16(looks[i].glyph));
        b->setToolTip(QString::fromUtf16(looks[i].hint));
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumWidth(25);
        connect(b, &QToolButton::clicked, this, [this, i] { click(Button(i)); });
        row->addWidget(b);
        m_buttons << b;
    }
    updateButtons();
}

QToolButton* DbNavigator::button(Button button) const
{
    return m_buttons.at(int(button));
}

void DbNavigator::setDataSet(DataSet* dataSet)
{
    for (const QMetaObject::Connection& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_dataSet = dataSet;
    if (dataSet) {
        // Inside the cursor's announcements, where no box may open.
        const auto update = QtEdge::slot(this, &DbNavigator::updateButtons, QtEdge::Tell::Later);
        m_connections << connect(dataSet, &DataSet::recordChanged, this, update)
                      << connect(dataSet, &DataSet::stateChanged, this, update);
    }
    updateButtons();
}

void DbNavigator::setVisibleButtons(const QList<Button>& buttons)
{
    for (int i = 0; i < ButtonCount; ++i)
        m_buttons[i]->setVisible(buttons.contains(Button(i)));
}

QList<DbNavigator::Button> DbNavigator::visibleButtons() const
{
    QList<Button> shown;
    for (int i = 0; i < ButtonCount; ++i)
        if (!m_buttons[i]->isHidden())
            shown << Button(i);
    return shown;
}

void DbNavigator::setHint(Button button, const QString& hint)
{
    m_buttons[int(button)]->setToolTip(hint);
}

void DbNavigator::setHints(const QStringList& hints)
{
    const QList<Button> shown = visibleButtons();
    for (int i = 0; i < shown.size() && i < hints.size(); ++i)
        setHint(shown[i], hints[i]);
}

void DbNavigator::updateButtons()
{
    DataSet* ds = m_dataSet;
    const bool active = ds && ds->isActive();
    const int position = active ? ds->position() : -1;
    const int count = active ? ds->recordCount() : 0;
    const bool editing = active && ds->isEditing();
    const bool modifiable = active && qobject_cast<Table*>(ds);
    const bool up = position > 0;
    const bool down = position >= 0 && position < count - 1;
    const bool enabled[ButtonCount] = {up,
                                       up,
                                       down,
                                       down,
                                       modifiable,
                                       modifiable && (count > 0 || editing),
                                       modifiable && !editing,
                                       modifiable && editing,
                                       modifiable && editing,
                                       active && !editing};
    for (int i = 0; i < ButtonCount; ++i)
        m_buttons[i]->setEnabled(enabled[i]);
}

void DbNavigator::refresh()
{
    // Going to the same record again picks up what other cursors changed meanwhile.
    if (m_dataSet->position() < 0 || !m_dataSet->gotoBookmark(m_dataSet->bookmark()))
        m_dataSet->first();
}

bool DbNavigator::act(Button button)
{
    DataSet& ds = *m_dataSet;
    auto* table = qobject_cast<Table*>(&ds);
    const auto requireTable = [table] {
        if (!table)
            throw EngineError(QStringLiteral("Tato data jsou jen pro čtení."),
                              EngineError::Kind::State);
        return table;
    };
    if (button != Button::Cancel && button != Button::Delete)
        DataLinks::updateRecord(ds);
    const std::function<void()> custom = m_customActions.value(int(button));
    switch (button) {
    case Button::First:
        ds.first();
        break;
    case Button::Prior:
        ds.prior();
        break;
    case Button::Next:
        ds.next();
        break;
    case Button::Last:
        ds.last();
        break;
    case Button::Insert:
        custom ? custom() : requireTable()->insert();
        break;
    case Button::Delete:
        if (!m_confirmDelete || m_confirmDelete())
            custom ? custom() : requireTable()->deleteRecord();
        break;
    case Button::Edit:
        requireTable()->edit();
        break;
    case Button::Post:
        if (!ds.isEditing())
            return false;
        custom ? custom() : requireTable()->post();
        break;
    case Button::Cancel:
        if (!ds.isEditing())
            return false;
        requireTable()->cancel();
        break;
    case Button::Refresh:
        refresh();
        break;
    }
    return true;
}

void DbNavigator::setCustomAction(Button button, std::function<void()> action)
{
    m_customActions.insert(int(button), std::move(action));
}

bool DbNavigator::perform(Button button)
{
    if (!m_dataSet || !m_dataSet->isActive())
        return false;
    emit aboutToAct(button);
    if (!act(button))
        return false;
    emit acted(button);
    return true;
}

void DbNavigator::click(Button button)
{
    QtEdge::run([this, button] { perform(button); });
}
