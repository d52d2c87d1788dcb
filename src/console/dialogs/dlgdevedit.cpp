#include "dialogs/dlgdevedit.h"
#include "ui_dlgdevedit.h"

#include <QAbstractButton>
#include <QIcon>
#include <QPointer>
#include <QPushButton>
#include <QRegExpValidator>
#include <QTimer>

#include "hoi_core/hoidevmgr.h"
#include "hoiwidget/ipaddrwidget.h"
#include "hoiwidget/itemdata.h"
#include "hoiwidget/namefilter.h"
#include "settings/applywatch.h"
#include "uiservices.h"

CDlgDevEdit::CDlgDevEdit(CHOIDev *pDev, QWidget *parent)
    : QDialog(parent)
    , m_pCurDev(pDev)
    , m_bCloseOnDone(false)
    , m_ipMode(CHOIDev::E_IM_AUTOIP)
{
    ui.SetUpDialog(this, [this] {
        // The button box renames its buttons after this, when the event
        // reaches it; the own captions go on afterwards.
        QTimer::singleShot(0, this, &CDlgDevEdit::SetTexts);
    });
    if (pDev && pDev->GetDevType() == CHOIDev::E_DT_QN714)
        ui->gbIPAddr->setEnabled(false);

    int nCurrent = -1;
    if (g_pHOIDevMgr) {
        QList<CHOIDev *> devs = g_pHOIDevMgr->GetDevList();
        for (int i = 0; i < g_pHOIDevMgr->GetQN714Count(); ++i)
            devs.append(g_pHOIDevMgr->GetQN714Dev(i));
        for (CHOIDev *pListed : qAsConst(devs)) {
            ui->cbDevices->addItem(QIcon(), pListed->GetDisplayName(), DevToVariant(pListed));
            connect(pListed, &CHOIDev::OnNameChanged, this, &CDlgDevEdit::slotOnDevNameChanged);
            connect(pListed, &QObject::destroyed, this, [this, pListed] { DropDev(pListed); });
            if (pListed == pDev)
                nCurrent = ui->cbDevices->count() - 1;
        }
    }
    // The selector shows no other device than the one being edited.
    ui->cbDevices->setCurrentIndex(nCurrent);

    ui->edtName->setValidator(new QRegExpValidator(NameRegExp(), ui->edtName));
    slotRefreshData();

    connect(ui->cbDevices, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &CDlgDevEdit::slotDevComboboxChanged);
    connect(ui->rbAutoIP, &QRadioButton::clicked, this, &CDlgDevEdit::slotUpdateIPAddrEnable);
    connect(ui->rbDHCP, &QRadioButton::clicked, this, &CDlgDevEdit::slotUpdateIPAddrEnable);
    connect(ui->rbStaticIP, &QRadioButton::clicked, this, &CDlgDevEdit::slotUpdateIPAddrEnable);
    connect(ui->buttonBox, &QDialogButtonBox::clicked, this, &CDlgDevEdit::slotButtonClicked);

    SetTexts();
    ui->buttonBox->button(QDialogButtonBox::Ok)->hide();
    // A change of the network settings always reboots; the note says so.
    ui->cBRestart->hide();
    ui->cBRestart->setChecked(true);
}

CDlgDevEdit::~CDlgDevEdit() = default;

void CDlgDevEdit::SetTexts()
{
    ui->buttonBox->button(QDialogButtonBox::Ok)->setText(tr("Ok"));
    ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    ui->buttonBox->button(QDialogButtonBox::Apply)->setText(tr("Apply"));
    ui->edtName->setToolTip(tr("Invaild character:\r\n{ } \" < > , ; _ @ * & "));
}

void CDlgDevEdit::slotDevComboboxChanged()
{
    const int nIndex = ui->cbDevices->currentIndex();
    m_pCurDev = nIndex < 0 ? nullptr : VariantToDev(ui->cbDevices->itemData(nIndex));
    slotRefreshData();
}

void CDlgDevEdit::slotRefreshData()
{
    const bool bHasDev = m_pCurDev != nullptr;
    ui->edtName->setEnabled(bHasDev);
    ui->gbIPAddr->setEnabled(bHasDev);
    if (!bHasDev)
        return;

    ShowName(m_pCurDev);
    ui->edtHostnameID->setText(m_pCurDev->GetDefaultName());
    m_strIPAddr = m_pCurDev->GetIPAddr();
    m_strNetmask = m_pCurDev->GetNetmask();
    m_strGateway = m_pCurDev->GetGateway();
    m_ipMode = m_pCurDev->GetIPMode();

    switch (m_ipMode) {
    case CHOIDev::E_IM_AUTOIP:
        ui->rbAutoIP->setChecked(true);
        break;
    case CHOIDev::E_IM_DHCP:
        ui->rbDHCP->setChecked(true);
        break;
    case CHOIDev::E_IM_STATIC:
        ui->rbStaticIP->setChecked(true);
        break;
    default:
        // Exclusive buttons cannot all be unchecked otherwise.
        for (QRadioButton *pButton : {ui->rbAutoIP, ui->rbDHCP, ui->rbStaticIP}) {
            pButton->setAutoExclusive(false);
            pButton->setChecked(false);
            pButton->setAutoExclusive(true);
        }
        break;
    }
    slotUpdateIPAddrEnable();
    ui->edtIPAddr->SetIPAddress(m_strIPAddr);
    ui->edtNetmask->SetIPAddress(m_strNetmask);
    ui->edtNetmask_2->SetIPAddress(m_strGateway);
    if (m_pCurDev->GetDevType() == CHOIDev::E_DT_QN714)
        ui->gbIPAddr->setEnabled(false);
}

void CDlgDevEdit::slotUpdateIPAddrEnable()
{
    const bool bStatic = ui->rbStaticIP->isChecked();
    ui->edtIPAddr->setEnabled(bStatic);
    ui->edtNetmask->setEnabled(bStatic);
    ui->edtNetmask_2->setEnabled(bStatic);
}

void CDlgDevEdit::slotButtonClicked(QAbstractButton *pButton)
{
    if (pButton != ui->buttonBox->button(QDialogButtonBox::Apply))
        return;
    Apply();
    m_bCloseOnDone = false;
}

void CDlgDevEdit::accept()
{
    m_bCloseOnDone = Apply();
}

bool CDlgDevEdit::Apply()
{
    CHOIDev *pDev = m_pCurDev;
    if (!pDev)
        return false;
    // A static address set the device would drop off the network with is
    // refused before anything changes. The controller's addresses are not
    // sent from here.
    if (ui->rbStaticIP->isChecked() && pDev->GetDevType() != CHOIDev::E_DT_QN714
        && !QIPAddrWidget::CheckAddressSet(this, QString(), ui->edtIPAddr, ui->edtNetmask, ui->edtNetmask_2))
        return false;

    // Before the lines are queued: a link giving up at once ends inside.
    const QPointer<QObject> pRollback = pDev->RollBackNameOnFailure();
    // Left as filled in, the box may hold the default name of a device whose
    // own was unread then: it names the device only when the operator
    // changed it, or when the device has no name of its own to keep.
    const bool bOwnName = pDev->m_bNameUnread || !pDev->GetName().isEmpty();
    if (ui->edtName->text() != m_strFilledName || !bOwnName) {
        pDev->SetName(ui->edtName->text());
        m_strFilledName = ui->edtName->text();
    } else {
        ShowName(pDev);
    }
    CHOIDev::IPMode eMode = CHOIDev::E_IM_AUTOIP;
    if (ui->rbDHCP->isChecked())
        eMode = CHOIDev::E_IM_DHCP;
    else if (ui->rbStaticIP->isChecked())
        eMode = CHOIDev::E_IM_STATIC;

    if (ShowSelectorName(pDev))
        ui->edtHostnameID->setText(pDev->GetDefaultName());
    // The controller's completion may take long; it does not lock the dialog.
    const bool bLock = pDev->GetDevType() != CHOIDev::E_DT_QN714;
    if (bLock)
        setEnabled(false);

    const QString strNetmask = ui->edtNetmask->GetIPAddress();
    const QString strGateway = ui->edtNetmask_2->GetIPAddress();
    const QString strIPAddr = ui->edtIPAddr->GetIPAddress();
    const QString strSentNetmask = strNetmask == QLatin1String("0.0.0.0") ? QString() : strNetmask;
    const bool bQueued = CApplyWatch::KeepOnSuccess(
        pDev, [&] { return pDev->ApplyToDev(eMode, strIPAddr, strSentNetmask, strGateway, false); },
        [=](CHOIDev *pDone) { pDone->KeepIPSettings(eMode, strIPAddr, strSentNetmask, strGateway); });
    if (!bQueued) {
        // Nothing went: the new alias stays.
        delete pRollback;
        emit onDevChanged(pDev);
        setEnabled(true);
        MsgCritical(this, QString(), tr("Failed to apply settings to devices."));
        return false;
    }

    const bool bNetChanged = strIPAddr != m_strIPAddr || strNetmask != m_strNetmask
        || strGateway != m_strGateway || eMode != m_ipMode;
    m_bNetSent = bNetChanged;
    if (bNetChanged) {
        m_strIPAddr = strIPAddr;
        m_ipMode = eMode;
        m_strNetmask = strNetmask;
        m_strGateway = strGateway;
        // Queued behind the settings, so the device saves them first.
        if (ui->cBRestart->isChecked())
            pDev->Reboot();
    }
    emit onDevChanged(pDev);
    // Connected after the commands are queued; a second Apply of the
    // controller while it is waiting must not hear the end twice.
    connect(pDev, &CHOIDev::OnCmdCompleted, this, &CDlgDevEdit::slotOnDevCmdCompleted, Qt::UniqueConnection);
    m_bWaiting = true;
    return true;
}

void CDlgDevEdit::slotOnDevCmdCompleted(CHOIDev *pDev, E_ControlObject emCtrlObj, E_CommResult eResult)
{
    if (pDev != m_pCurDev || emCtrlObj != E_CO_DEV)
        return;
    disconnect(pDev, &CHOIDev::OnCmdCompleted, this, &CDlgDevEdit::slotOnDevCmdCompleted);
    // The device's rollback has put the old name back already.
    if (eResult != E_CR_SUCCESS) {
        ShowName(pDev);
        emit onDevChanged(pDev);
    } else if (m_bNetSent) {
        emit onDevChanged(pDev);
    }
    EndWait(eResult == E_CR_SUCCESS);
}

void CDlgDevEdit::EndWait(bool bSuccess)
{
    m_bWaiting = false;
    // From the event loop: the end may be a drop, reported from inside a
    // layout's abort or a search's walk, which a modal box must not enter.
    QTimer::singleShot(0, this, [this, bSuccess] {
        if (!bSuccess)
            MsgCritical(this, QString(), tr("apply to device failed."));
        setEnabled(true);
        if (m_bCloseOnDone)
            QDialog::accept();
    });
}

void CDlgDevEdit::DropDev(CHOIDev *pGone)
{
    // Removed from the manager while the window is open: it can no longer
    // be chosen, and an Apply waiting on it ends as failed.
    const QSignalBlocker block(ui->cbDevices);
    const int nIndex = ui->cbDevices->findData(DevToVariant(pGone));
    if (pGone == m_pCurDev) {
        m_pCurDev = nullptr;
        ui->cbDevices->setCurrentIndex(-1);
        slotRefreshData();
        if (m_bWaiting)
            EndWait(false);
    }
    if (nIndex >= 0)
        ui->cbDevices->removeItem(nIndex);
}

void CDlgDevEdit::slotOnDevNameChanged(CHOIDev *pDev)
{
    // A name read while the window is open: an untouched box takes it, so
    // that it holds the device's own. From the event loop, as the read
    // arrives inside the link's receive path, where the alias filter must
    // not show a box.
    QTimer::singleShot(0, this, [this, pDev] {
        if (pDev == m_pCurDev && ui->edtName->text() == m_strFilledName)
            ShowName(pDev);
    });
}

void CDlgDevEdit::ShowName(CHOIDev *pDev)
{
    ui->edtName->setText(pDev->GetDisplayName());
    // As the alias filter left it.
    m_strFilledName = ui->edtName->text();
    ShowSelectorName(pDev);
}

bool CDlgDevEdit::ShowSelectorName(CHOIDev *pDev)
{
    const int nIndex = ui->cbDevices->currentIndex();
    if (nIndex < 0 || VariantToDev(ui->cbDevices->itemData(nIndex)) != pDev)
        return false;
    ui->cbDevices->setItemText(nIndex, pDev->GetDisplayName());
    return true;
}

void CDlgDevEdit::on_edtName_textChanged(QString arg1)
{
    CNameFilter::Filter(this, ui->edtName, arg1, CNameFilter::E_NK_ALIAS,
                        tr("Invaild character:\r\n{ } \" < > , ; _ @ * & "));
}
