#ifndef HOI_CONSOLE_WIDGETGROUP_H
#define HOI_CONSOLE_WIDGETGROUP_H

#include <QList>

class QWidget;

// Forms switch controls in groups: those of a product feature the checked
// devices lack, those of a page that does not apply, those kept but not
// shown.
void SetWidgetsEnabled(const QList<QWidget *> &widgets, bool bEnabled);
void SetWidgetsVisible(const QList<QWidget *> &widgets, bool bVisible);

#endif
