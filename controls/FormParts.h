#pragma once

#include <QList>
#include <QString>

class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLayout;
class QPushButton;
class QWidget;

// The small pieces every window is built of, made the same way everywhere.
class FormParts {
public:
    static QGroupBox* group(const QString& title, QLayout* content);
    static QHBoxLayout* row(const QList<QWidget*>& widgets);
    static QPushButton* button(const QString& caption, const QString& name,
                               const QString& hint = {});
    static QLabel* label(const QString& text, const QString& name = {});
    // The big red kind mark ("MP"/"PS") of the catch-return window.
    static QLabel* redMark(const QString& name, int pointSize);
};
