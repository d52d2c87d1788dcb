#ifndef HOI_CONSOLE_DEVLISTWIDGET_H
#define HOI_CONSOLE_DEVLISTWIDGET_H

#include "hoiwidget/devdragtree.h"

// The tree of a device list frame as a drag source: a TX or RX row dragged
// far enough becomes a device drag (TX or RX format). Rows keep their device
// in column 0 under Qt::UserRole (DevToVariant, itemdata.h).
class QDevListWidget : public CDevDragTree
{
    Q_OBJECT

public:
    explicit QDevListWidget(QWidget *parent = nullptr);

protected:
    CHOIDev *DragDev(const QTreeWidgetItem *pItem, QString &strFormat) const override;
};

#endif
