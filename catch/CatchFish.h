#pragma once

#include <QList>
#include <QString>

// The species of a catch return as the secretary meets them: in the order of the paper
// form, with the input's caption, the field pair and the letter that jumps to the count.
class CatchFish {
public:
    CatchFish(const char* caption, const char* field, char key, const char* overviewTitle);

    // "&" marks the underlined letter, as on the form.
    const QString& caption() const { return m_caption; }
    // The pair's stem: KAPR for KAPR_KS and KAPR_KG.
    const QString& field() const { return m_field; }
    QString countField() const { return m_field + QStringLiteral("_KS"); }
    QString weightField() const { return m_field + QStringLiteral("_KG"); }
    // The letter that jumps to the count input; 0 for none.
    char key() const { return m_key; }
    const QString& overviewTitle() const { return m_overviewTitle; }

    // The 24 species of the form.
    static const QList<CatchFish>& all();

private:
    QString m_caption;
    QString m_field;
    char m_key;
    QString m_overviewTitle;
};
