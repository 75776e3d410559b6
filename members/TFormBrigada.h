#pragma once

#include <QDialog>

// The dialog that records a member's brigade work.
class TFormBrigada : public QDialog {
    Q_OBJECT
public:
    explicit TFormBrigada(QWidget* parent = nullptr);
};
