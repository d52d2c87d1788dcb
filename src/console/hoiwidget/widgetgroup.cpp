#include "hoiwidget/widgetgroup.h"

#include <QWidget>

void SetWidgetsEnabled(const QList<QWidget *> &widgets, bool bEnabled)
{
    for (QWidget *pWidget : widgets)
        pWidget->setEnabled(bEnabled);
}

void SetWidgetsVisible(const QList<QWidget *> &widgets, bool bVisible)
{
    for (QWidget *pWidget : widgets)
        pWidget->setVisible(bVisible);
}
