#pragma once

#include <QColor>
#include <QString>

// How a grid shows one field: its title, width, whether it is shown, whether it may be
// edited in place, and its colours. An empty title shows the field name; a width of 0 and
// invalid colours keep the grid's own.
struct DataSetColumn {
    QString field;
    QString title;
    int width = 0;
    bool visible = true;
    bool readOnly = false;
    QColor color;
    QColor textColor;
    // Empty keeps the grid's own: numbers to the right, the rest to the left.
    Qt::Alignment alignment;

    // A column with its title, every other setting the grid's own.
    static DataSetColumn titled(const QString& field, const QString& title, bool readOnly = false,
                                const QColor& color = {})
    {
        DataSetColumn column;
        column.field = field;
        column.title = title;
        column.readOnly = readOnly;
        column.color = color;
        return column;
    }
};
