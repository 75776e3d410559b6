#include "FormParts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

QGroupBox* FormParts::group(const QString& title, QLayout* content)
{
    auto* box = new QGroupBox(title);
    box->setLayout(content);
    return box;
}

QHBoxLayout* FormParts::row(const QList<QWidget*>& widgets)
{
    auto* layout = new QHBoxLayout;
    for (QWidget* w : widgets)
        layout->addWidget(w);
    return layout;
}

QPushButton* FormParts::button(const QString& caption, const QString& name, const QString& hint)
{
    auto* b = new QPushButton(caption);
    b->setObjectName(name);
    if (!hint.isEmpty())
        b->setToolTip(hint);
    return b;
}

QLabel* FormParts::label(const QString& text, const QString& name)
{
    auto* l = new QLabel(text);
    if (!name.isEmpty())
        l->setObjectName(name);
    return l;
}

QLabel* FormParts::redMark(const QString& name, int pointSize)
{
    QLabel* mark = label(QStringLiteral("MP"), name);
    QFont font = mark->font();
    font.setPointSize(pointSize);
    font.setBold(true);
    mark->setFont(font);
    mark->setStyleSheet(QStringLiteral("color: red"));
    return mark;
}
