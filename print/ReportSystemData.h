#pragma once

#include "Printable.h"

// What the report itself knows: today's date (d.M.yyyy) or the page number, after a prefix
// text such as "Strana ".
class ReportSystemData : public Printable {
public:
    enum class Kind { Date, PageNumber };

    ReportSystemData(double left, double top, Kind kind, const QString& prefix = {});

    Kind kind() const { return m_kind; }
    const QString& caption() const { return m_prefix; }
    void setCaption(const QString& prefix) { m_prefix = prefix; }

    QString text(const PrintContext& context) const override;

private:
    Kind m_kind;
    QString m_prefix;
};
