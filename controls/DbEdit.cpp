#include "DbEdit.h"

#include "FieldValue.h"
#include "QtEdge.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpressionValidator>

DbEdit::DbEdit(QWidget* parent)
    : QLineEdit(parent)
{
    m_link.controlValue = [this] {
        return valueOfText(text());
    };
    // The field is shown again inside the cursor's announcements, where no box may open.
    connect(&m_link, &FieldDataLink::dataChanged, this,
            QtEdge::slot(this, &DbEdit::showField, QtEdge::Tell::Later));
    connect(&m_link, &FieldDataLink::stateChanged, this, &DbEdit::applyFieldKind);
    connect(this, &QLineEdit::textEdited, this, QtEdge::slot(this, &DbEdit::onTextEdited));
}

void DbEdit::bind(DataSet* dataSet, const QString& fieldName)
{
    m_link.bind(dataSet, fieldName);
}

void DbEdit::applyFieldKind()
{
    if (!m_link.isActive())
        return;
    const FieldDef field = m_link.fieldDef();
    const int limit = lengthLimit(field);
    if (maxLength() != limit)
        setMaxLength(limit);
    if (m_kind == field.type)
        return;
    m_kind = field.type;
    const QString allowed = allowedCharacters(field);
    delete validator();
    if (!allowed.isEmpty())
        setValidator(new QRegularExpressionValidator(QRegularExpression(allowed), this));
}

void DbEdit::showField()
{
    applyFieldKind();
    const QString shown =
        m_link.isActive() ? FieldValue::toText(m_link.fieldDef(), m_link.value()) : QString();
    if (shown != text())
        setText(shown);
}

int DbEdit::lengthLimit(const FieldDef& field) const
{
    constexpr int unlimited = 32767;
    return field.type == FieldType::Text && field.size > 0 ? field.size : unlimited;
}

QString DbEdit::allowedCharacters(const FieldDef& field) const
{
    switch (field.type) {
    case FieldType::Integer:
        return QStringLiteral("[-+]?[0-9]*");
    case FieldType::Float:
        return QStringLiteral("[-+]?[0-9]*[.,]?[0-9]*");
    case FieldType::Date:
        return QStringLiteral("[0-9. ]*");
    default:
        return {};
    }
}

QVariant DbEdit::valueOfText(const QString& text) const
{
    return text;
}

void DbEdit::onTextEdited()
{
    if (!m_link.isEditing()) {
        // Going into edit shows the record again; the user's keystroke must survive it.
        const QString typed = text();
        const int caret = cursorPosition();
        if (!m_link.edit()) {
            showField();
            return;
        }
        setText(typed);
        setCursorPosition(caret);
    }
    m_link.setModified();
}

bool DbEdit::commit()
{
    return m_link.tryUpdateRecord();
}

void DbEdit::keyPressEvent(QKeyEvent* event)
{
    QtEdge::run([this, event] { onKey(event->key()); });
    QLineEdit::keyPressEvent(event);
}

void DbEdit::showAsMark()
{
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
    setFrame(false);
    setStyleSheet(QStringLiteral("color: red; font-weight: bold; background: transparent"));
}

void DbEdit::onKey(int key)
{
    // Esc is the window's: closing keeps what was typed, in every window alike.
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        commit();
        break;
    default:
        break;
    }
}

void DbEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // Another window taking over (a message box) or a context menu is no leaving.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    if (m_link.leaveOrRefuse(this))
        emit exited();
}
