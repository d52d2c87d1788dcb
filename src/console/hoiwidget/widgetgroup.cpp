#include "hoiwidget/widgetgroup.h"

#include <QWidget>

void SetWidgetsEnabled(std::initializer_list<QWidget *> widgets, bool bEnabled)
{
    for (QWidget *pWidget : widgets)
        pWidget->setEnabled(bEnabled);
}

void SetWidgetsVisible(std::initializer_list<QWidget *> widgets, bool bVisible)
{
    for (QWidget *pWidget : widgets)
        pWidget->setVisible(bVisible);
}
