#pragma once

#include <QList>
#include <QString>

// The fees a chapter charges each member category: the rows of the fee table a new data
// directory starts with, and what the demo chapter's members paid in earlier years.
class FeeSchedule {
public:
    struct Category {
        QString name;
        int percent = 100;    // share of the adult amounts, except for the flat items
        int brigadeHours = 0; // required per year; a category without hours owes no brigade fee
    };

    static const QList<Category>& categories();
    // Throws EngineError for a category the schedule does not know.
    static const Category& category(const QString& name);

    // The 27 fee items of the category for the year, in stored order.
    static QList<int> fees(const Category& category, int year);
};
