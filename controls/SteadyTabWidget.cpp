#include "SteadyTabWidget.h"

#include <QEvent>
#include <QTabBar>

SteadyTabWidget::SteadyTabWidget(QWidget* parent)
    : QTabWidget(parent)
{
}

SteadyTabWidget::Hints SteadyTabWidget::currentHints() const
{
    return {sizeHint(), minimumSizeHint(), tabBar()->sizeHint()};
}

bool SteadyTabWidget::event(QEvent* event)
{
    if (event->type() != QEvent::LayoutRequest)
        return QTabWidget::event(event);
    const Hints now = currentHints();
    if (m_laidOut && now == m_laidOutWith)
        return true;
    m_laidOutWith = now;
    m_laidOut = true;
    return QTabWidget::event(event);
}
