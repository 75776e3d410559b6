#pragma once

#include <QHeaderView>

// The row header at a grid's left, which shows only the cursor's indicator. Its width is
// that of the indicator, so a grid filled anew does not measure the titles of hundreds of
// rows to find out how wide its header must be.
class DbGridRowHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit DbGridRowHeader(QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void changeEvent(QEvent* event) override;

private:
    mutable QSize m_hint;
};
