#include "DbMemo.h"

#include "FieldValue.h"
#include "QtEdge.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace {

bool changesText(const QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut) ||
        event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo) ||
        event->matches(QKeySequence::DeleteEndOfWord) ||
        event->matches(QKeySequence::DeleteStartOfWord))
        return true;
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    default:
        break;
    }
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

} // namespace

DbMemo::DbMemo(QWidget* parent)
    : QPlainTextEdit(parent)
{
    // Tab moves on, as in the old memo; a note has no use for tab characters.
    setTabChangesFocus(true);
    m_link.controlValue = [this] {
        return QVariant(toPlainText());
    };
    // Shown again inside the cursor's announcements, where no box may open.
    connect(&m_link, &FieldDataLink::dataChanged, this,
            QtEdge::slot(this, &DbMemo::showField, QtEdge::Tell::Later));
    connect(this, &QPlainTextEdit::textChanged, this, &DbMemo::onTextChanged);
}

void DbMemo::bind(DataSet* dataSet, const QString& fieldName)
{
    m_link.bind(dataSet, fieldName);
}

void DbMemo::showField()
{
    const QString shown =
        m_link.isActive() ? FieldValue::toText(m_link.fieldDef(), m_link.value()) : QString();
    if (shown == toPlainText())
        return;
    m_showing = true;
    setPlainText(shown);
    m_showing = false;
}

bool DbMemo::startChange()
{
    return !isReadOnly() && m_link.edit();
}

void DbMemo::onTextChanged()
{
    if (!m_showing)
        m_link.setModified();
}

void DbMemo::keyPressEvent(QKeyEvent* event)
{
    if (changesText(event) && !startChange()) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void DbMemo::insertFromMimeData(const QMimeData* source)
{
    if (startChange())
        QPlainTextEdit::insertFromMimeData(source);
}

bool DbMemo::commit()
{
    return m_link.tryUpdateRecord();
}

void DbMemo::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    m_link.leaveOrRefuse(this);
}
