#ifndef HOI_CONSOLE_DLGIRCTRL_H
#define HOI_CONSOLE_DLGIRCTRL_H

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "control/dlgdevcommand.h"
#include "hoi_core/ircodetable.h"
#include "hoiwidget/formui.h"

class CHOIDev;
class CHOIScene;
class QPushButton;

namespace Ui {
class CDlgIrCtrl;
}

// One key of the pad: the KeyValue of the IR code database and its button.
struct T_IrKeyButton
{
    QString keyValue;
    QPushButton *button; // a child of the form
};

// The short form of a controlled-device type id shown on a type button:
// "Sony_TV_KDL40_1" gives "KDL40", "Sony_TV_KDL40" gives "KDL40", an id with
// fewer than two '_' is shown whole.
QString IrDevShortName(const QString &id);

// The infrared remote control: a 50-key pad beside a device chooser of the
// IR-emitting devices. Each device's controlled-device type (the appliance
// its emitter points at) is kept in the device; a key press sends, through
// every checked device, the code of that key for that device's type. One
// shared instance; it is locked while any device's IR command is pending.
class CDlgIrCtrl : public CDlgDevCommand, public CSharedDlg<CDlgIrCtrl>
{
    Q_OBJECT

public:
    explicit CDlgIrCtrl(QWidget *parent = nullptr);
    ~CDlgIrCtrl() override;

    bool GetHeaderLabels(QStringList &headers) override;
    QTreeWidgetItem *CreateDevItem(CHOIDev *dev) override;
    void OnDevItemAdded(QTreeWidget *tree, CHOIDev *dev, QTreeWidgetItem *item) override;
    void OnCurrentDevItemChanged(QTreeWidgetItem *current) override;
    void OnDevItemCheckChanged(QTreeWidgetItem *item) override;

public slots:
    void slotOnKeyPress();
    void slotSelectIrDev();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void UpdateIrDevButton(CHOIDev *dev, QPushButton *button);
    void UpdateKeyIcons(const QString &type);
    void UpdateKeyEnable(const QList<CHOIDev *> &devs);
    QTreeWidget *DevTree() const;
    void WidenForChooser();
    // The item when it is still a row of the chooser's tree, else null.
    QTreeWidgetItem *ListedItem(QTreeWidgetItem *item) const;

    CFormUi<Ui::CDlgIrCtrl> ui;
    CIrCodeTable m_irCodeTable;
    QStringList m_ctrlIdList;
    QList<T_IrKeyButton> m_keyButtons;
};

#endif
