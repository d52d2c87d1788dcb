#ifndef HOI_CONSOLE_FORMVW_H
#define HOI_CONSOLE_FORMVW_H

#include <QDropEvent>
#include <QString>

#include "hoiwidget/formui.h"
#include "tiles/tileitems.h"
#include "tiles/txdroptile.h"

class CHOIScene;
class QTreeWidget;
class QTreeWidgetItem;

namespace Ui {
class CFormVW;
}

// The tile of one video wall on the group page. An encoder dropped on it
// becomes the source of the wall's default layout: every cell outside a
// video wall takes it, and so does the layout's video wall when it has
// exactly one. The tile keeps no layout of its own.
class CFormVW : public CTxDropTile
{
    Q_OBJECT

public:
    // pVWItem: the wall's row of the navigation tree (column 0: its name).
    explicit CFormVW(QTreeWidgetItem *pVWItem, QWidget *parent = nullptr);
    ~CFormVW() override;

    // The tree row, or null once the tree has dropped it.
    QTreeWidgetItem *GetItem() const;

    // The wall's default layout: the first of the manager's layouts whose
    // name before the first '-' is strWall and that is the default; null
    // when there is none.
    static CHOIScene *FindDefaultLayout(const QString &strWall, Qt::CaseSensitivity cs);

signals:
    void signalDoubleClick(QTreeWidgetItem *pVWItem);

public slots:
    void Apply();

protected:
    void DropTx(QDropEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void UpdateLabels();

    CFormUi<Ui::CFormVW> ui;
    CLiveTreeItem m_item;
    QString m_strTxName; // the source shown after "TX:"; empty: "N/A"
};

#endif
