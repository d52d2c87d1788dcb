#ifndef HOI_CONSOLE_FORMONEKEY_H
#define HOI_CONSOLE_FORMONEKEY_H

#include <QDropEvent>

#include "hoiwidget/formui.h"
#include "tiles/txdroptile.h"

class QTreeWidgetItem;

namespace Ui {
class CFormOneKey;
}

// The "To all screens" tile of the group page: an encoder dropped on it is
// handed, drop event and all, to every decoder and wall tile of the page
// (connected to their slotOneKey), in the order of connection.
class CFormOneKey : public CTxDropTile
{
    Q_OBJECT

public:
    // The group's tree row plays no part; it is taken for the page's sake.
    explicit CFormOneKey(QTreeWidgetItem *pGroupItem, QWidget *parent = nullptr);
    ~CFormOneKey() override;

signals:
    void signalDropEventForOneKey(QDropEvent *event);

protected:
    void DropTx(QDropEvent *event) override;

private:
    CFormUi<Ui::CFormOneKey> ui;
};

#endif
