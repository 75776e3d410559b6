#pragma once

#include <QDate>

class Report;
class TextMetrics;

// What a printable needs to know about the moment it is printed.
struct PrintContext {
    const Report& report;
    const TextMetrics& metrics;
    int pageNumber = 1;
    QDate today;
};
