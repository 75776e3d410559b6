#include "ReturnBox.h"

#include "EngineError.h"
#include "Messages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

ReturnBox::ReturnBox(const QString& nameSuffix, QLabel* year, QWidget* parent)
    : QGroupBox(QStringLiteral(" Vrátil sumář "), parent)
{
    auto* layout = new QHBoxLayout(this);
    const auto add = [&](const QString& caption, TDataModule1::Water kind) {
        auto* b = new QPushButton(caption);
        b->setObjectName(QStringLiteral("ButtonVratil") + caption + nameSuffix);
        connect(b, &QPushButton::clicked, this, [this, kind] { markReturned(kind); });
        layout->addWidget(b);
        return b;
    };
    m_mp = add(QStringLiteral("MP"), TDataModule1::Water::MP);
    m_ps = add(QStringLiteral("PS"), TDataModule1::Water::PS);
    if (year)
        layout->addWidget(year);
}

QPushButton* ReturnBox::button(TDataModule1::Water kind) const
{
    return kind == TDataModule1::Water::MP ? m_mp : m_ps;
}

void ReturnBox::markReturned(TDataModule1::Water kind)
{
    if (m_data) {
        try {
            m_data->MarkSummaryReturned(kind);
        } catch (const EngineError& e) {
            // Nothing was marked: the transaction took both tables back.
            Messages::error(e.message());
        }
    }
    emit pressed();
}
