#ifndef HOI_CONSOLE_DEVFILTERGROUPBOX_H
#define HOI_CONSOLE_DEVFILTERGROUPBOX_H

#include <functional>

#include <QColor>
#include <QGroupBox>
#include <QHash>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "hoi_core/prodidinfo.h"
#include "hoiwidget/formui.h"

class CHOIDev;
class CHOIScene;
class QTreeWidget;
class QTreeWidgetItem;

namespace Ui {
class QDevFilterGroupBox;
}

// What a multi-device dialog tells its device chooser: the column headers,
// the row of each device (null leaves the device out; column 0 must carry
// the device under Qt::UserRole, see DevToVariant), and three notices. A
// dialog implements it as its second base and hands itself to Init.
class IDevFilterCustomItem
{
public:
    virtual ~IDevFilterCustomItem() = default;

    // Appends the owner's headers; false makes the chooser use "Via TX/RX".
    virtual bool GetHeaderLabels(QStringList &headers) = 0;
    virtual QTreeWidgetItem *CreateDevItem(CHOIDev *pDev) = 0;
    // Right after the row went into the tree: the place for cell widgets.
    virtual void OnDevItemAdded(QTreeWidget *pTree, CHOIDev *pDev, QTreeWidgetItem *pItem) = 0;
    virtual void OnCurrentDevItemChanged(QTreeWidgetItem *pCurrent) = 0;
    // After a row's check state changed and its children and ancestors
    // followed.
    virtual void OnDevItemCheckChanged(QTreeWidgetItem *pItem) = 0;
};

// The usual row of a multi-device dialog: an empty check-box column, the
// display name and the default name, the device in column 0's user data.
QTreeWidgetItem *NewAliasHostnameItem(CHOIDev *pDev);

// The device chooser of every dialog that sends one command to many
// devices: a check-box tree of devices with a model filter, an "All" box
// and a checked/total count. All checked devices must be of one model (host
// name prefix); the capability signals tell which product features all
// checked devices share. The devices belong to the manager; the chooser
// never owns them and skips any that has been deleted since the rebuild.
class QDevFilterGroupBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit QDevFilterGroupBox(QWidget *parent = nullptr);
    ~QDevFilterGroupBox() override;

    // Called at every opening of the owning dialog; scene and dev may be
    // null. Lists the layout's devices (or every on-line device) with dev
    // checked.
    void Init(IDevFilterCustomItem *pCustomItem, CHOIScene *pScene, CHOIDev *pDev);

    // The checked devices in row order: the order the owner addresses them.
    QList<CHOIDev *> GetCheckedDevList() const;
    // Colours every column of the device's row; a device without a row is
    // ignored.
    void SetDevItemColor(CHOIDev *pDev, const QColor &color);

    // True when every checked device's product has the flag (also when none
    // is checked). CEC is the product's own flag; the global switch is the
    // dialogs' matter.
    bool IsAllSupportLogo() const { return IsAllSupport(&T_ProdIdInfo::image_logo); }
    bool IsAllSupportMaxBitrate() const { return IsAllSupport(&T_ProdIdInfo::max_bitrate); }
    bool IsAllSupportTransport() const { return IsAllSupport(&T_ProdIdInfo::video_transport_type); }
    bool IsAllSupportMaxResolution() const { return IsAllSupport(&T_ProdIdInfo::max_resolution); }
    bool IsAllSupportJpeg() const { return IsAllSupport(&T_ProdIdInfo::jpeg_enable); }
    bool IsAllSupportVideoSet2() const { return IsAllSupport(&T_ProdIdInfo::video_set_2); }
    bool IsAllSupportAudioDelay() const { return IsAllSupport(&T_ProdIdInfo::audio_delay); }
    bool IsAllSupportAudioBatch() const { return IsAllSupport(&T_ProdIdInfo::audio_batch); }
    bool IsAllSupportOverlay() const { return IsAllSupport(&T_ProdIdInfo::overlay_enable); }
    bool IsAllSupportCec() const { return IsAllSupport(&T_ProdIdInfo::cec_enable); }
    bool IsAllSupportSinkTxRS() const { return IsAllSupport(&T_ProdIdInfo::sink_tx_rs); }
    bool IsAllSupportEdidSetting() const { return IsAllSupport(&T_ProdIdInfo::edie_setting); }

signals:
    void signalIsSupportLogo(bool IsSupportLogo);
    void signalIsVideoBitrate(bool bVideoBitrate);
    void signalIsTransport(bool bFlag);
    void signalMaxResolution(bool bFlag);
    void signalAllTabEnable(bool bFlag);
    void signalAllDevApply(bool bFlag);
    void signalIsHisiDev(bool bFlag, bool bVideoSet);
    void signalIsTX(bool bFlag);
    void signalIsWp(bool bFlag);
    void signalIsGW(bool bFlag);
    void signalIsAudioDelay(bool bFlag);
    void signalAudioDelay(bool bFlag);
    void signalIsOverlayImage(bool bFlag);
    // For the owners' connections; the chooser itself never emits it.
    void signalIsIdleImage(bool bFlag);
    void signalIsBatchCEC(bool bFlag);
    void signalIsSinkPowerRS(bool bFlag);
    void signalForceResolution(CHOIDev *NewDev);

public slots:
    void slotShowDevOfCurScene();
    void slotShowDevices();
    void slotOnDevItemStateChanged(QTreeWidgetItem *item, int column);
    void slotEnableItemEdit(QTreeWidgetItem *item, int column);
    void slotCurrentItemChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous);
    void slotFilterChange();
    void slotChooseAllDevices();
    void on_pBOrderUp_clicked();
    void on_pBOrderDown_clicked();
    void on_treeWidget_currentItemChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous);
    void solttreeItemChanged(QTreeWidgetItem *item, int column);
    void on_pushBUP_clicked();
    void slotFilterChangeDevType();

private:
    void FillSceneCombo();
    // Offers a model only when the owner lists a device of it: a model the
    // owner leaves out (a gateway's cameras) would list nothing.
    void FillDevTypeCombo();
    // Whether the owner gives pDev a row.
    bool IsOwnersDev(CHOIDev *pDev) const;
    void FillFilterCombo();
    void ShowDevOfScene(CHOIScene *pScene);
    // Clears the tree and the row map and sets the headers.
    void ResetTree();
    // Makes, colours, checks and records the row of one device; null when
    // the owner leaves the device out.
    QTreeWidgetItem *MakeDevItem(CHOIDev *pDev);
    void AddDevItem(CHOIDev *pDev, QTreeWidgetItem *pItem);
    // Lists each on-line device keep accepts, in the manager's order; the
    // checked count follows.
    void ListOnlineDevs(const std::function<bool(const CHOIDev *)> &keep);
    void UpdateCheckedCount();
    void ShowCount(int nChecked, int nTotal);
    void MoveCurrentItem(int nStep);
    void RefuseMixedModels();
    // The row's device, null when the row has none or it has been deleted.
    CHOIDev *DevOfItem(const QTreeWidgetItem *pItem) const;
    void CollectChecked(QTreeWidgetItem *pItem, QList<CHOIDev *> &list) const;
    Qt::CheckState GetSubtreeCheckState(QTreeWidgetItem *pItem) const;
    bool IsAllSupport(bool T_ProdIdInfo::*flag) const;

    CFormUi<Ui::QDevFilterGroupBox> ui;
    IDevFilterCustomItem *m_pCustomItem;
    QMap<CHOIDev *, QTreeWidgetItem *> m_devItemMap;
    QList<CHOIDev *> m_preselectedDevs;
    // The devices listed since the last rebuild, watched so that a device
    // the manager deletes meanwhile reads as no device.
    QHash<CHOIDev *, QPointer<CHOIDev>> m_listedDevs;

    // Model prefix of the last refused row: the uncheck the refusal makes
    // comes back through the same slot and must pass unseen.
    static QString s_strRefusedPrefix;
    static bool s_bRefusing;
};

#endif
