#include "vtx/dlgipcconfig.h"
#include "ui_dlgipcconfig.h"

#include <QBrush>
#include <QColor>
#include <QDebug>
#include <QFile>
#include <QHeaderView>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QSet>
#include <QUrl>

#include "hoi_core/appservices.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoiwidget/itemdata.h"
#include "uiservices.h"
#include "upload/httpconnect.h"
#include "vtx/dlgipcedit.h"
#include "vtx/dlgpreviewimage.h"

namespace {

enum {
    E_COL_CHECK = 0,
    E_COL_NO,
    E_COL_ENABLE,
    E_COL_ALIAS,
    E_COL_HOSTNAME,
    E_COL_URL,
    E_COL_RESOLUTION,
    E_COL_FPS,
    E_COL_USER,
    E_COL_PASSWORD,
    E_COL_TRANSPORT,
    E_COL_SN,
    E_COL_REMARK,
    E_COL_COUNT
};

const int kColumnWidths[E_COL_COUNT] = {28, 35, 50, 150, 150, 210, 80, 40, 70, 80, 70, 100, 200};

const char kReadPath[] = "/action?cmdtype=devconfig&cmdstr=getipclist";
const char kSavePath[] = "/upload/setipclist";
const char kNewHostPrefix[] = "KRT4400-";
const char kNewMacPrefix[] = "02A7C5F1";
const int kMaxNewMacs = 0xFFFF;
const QLatin1String kYes("yes");

// The rows of the list. The placeholder row sorts after every other row in
// either direction, so it stays the last row the list passes skip.
class CIpcTreeItem : public QTreeWidgetItem
{
public:
    explicit CIpcTreeItem(bool bPlaceholder)
        : QTreeWidgetItem(UserType)
        , m_bPlaceholder(bPlaceholder)
    {
    }

    bool operator<(const QTreeWidgetItem &other) const override
    {
        const bool bOtherPlaceholder =
            other.type() == UserType && static_cast<const CIpcTreeItem &>(other).m_bPlaceholder;
        if (m_bPlaceholder != bOtherPlaceholder) {
            const bool bAscending =
                !treeWidget() || treeWidget()->header()->sortIndicatorOrder() == Qt::AscendingOrder;
            return bAscending ? bOtherPlaceholder : m_bPlaceholder;
        }
        return QTreeWidgetItem::operator<(other);
    }

private:
    bool m_bPlaceholder;
};

} // namespace

CDlgIPCConfig::CDlgIPCConfig(CHOIDev *pDev, QWidget *parent)
    : QDialog(parent)
    , m_pDev(pDev)
    , m_pManager(nullptr)
    , m_pReply(nullptr)
    , m_bReadMode(true)
    , m_pNewInfo(nullptr)
    , m_nListLoads(0)
    , m_nDownloadLimit(kDownloadLimit)
    , m_imagePane(this)
{
    ui->setupUi(this);
    DropHelpButton(this);
    ui->pBModify->hide();
    ui->treeWidgetConfig->setMouseTracking(true);
    for (int i = 0; i < E_COL_COUNT; ++i)
        ui->treeWidgetConfig->setColumnWidth(i, kColumnWidths[i]);

    m_pManager = NewDeviceAccessManager(this);
    connect(m_pManager, &QNetworkAccessManager::finished, this, &CDlgIPCConfig::slotReplyFinished);

    connect(ui->treeWidgetConfig, &QTreeWidget::itemDoubleClicked, this, &CDlgIPCConfig::slotItemDoubleClicked);
    connect(ui->treeWidgetConfig, &QTreeWidget::itemClicked, this, &CDlgIPCConfig::solttreeItemChanged);
    connect(ui->cBAll, &QCheckBox::clicked, this, &CDlgIPCConfig::slotChooseAllDevices);

    RefreshIpcList();
    AddNewItemRow();

    connect(ui->treeWidgetConfig->header(), &QHeaderView::sectionClicked, this, &CDlgIPCConfig::OnClickColumn);

    // The form's texts come back; the lines of a chosen picture stay.
    m_imagePane.Attach(ImagePaneOf(ui.get()), [this] { ui->retranslateUi(this); });
}

CDlgIPCConfig::~CDlgIPCConfig()
{
    // A request still under way ends here without reaching the slots.
    disconnect(m_pManager, nullptr, this, nullptr);
    if (m_pReply) {
        disconnect(m_pReply, nullptr, this, nullptr);
        m_pReply->abort();
    }
    DropNewRecord();
}

// ---------------------------------------------------------------------------
// The list

T_IpcInfo *CDlgIPCConfig::RowRecord(QTreeWidgetItem *pItem) const
{
    return pItem ? VariantToPtr<T_IpcInfo>(pItem->data(E_COL_CHECK, Qt::UserRole)) : nullptr;
}

void CDlgIPCConfig::DropNewRecord()
{
    // Only a placeholder record that no list took over is ours.
    delete m_pNewInfo;
    m_pNewInfo = nullptr;
}

void CDlgIPCConfig::KeepInList(T_IpcInfo *pInfo)
{
    // A row's record is normally the list's own entry already. Handed back
    // anyway, it would take the place of an earlier record of the same host
    // name, which would then drop out of the list unsaved, and a refill
    // would show this record twice.
    if (m_pDev && !m_pDev->GetIpcList().contains(pInfo))
        m_pDev->ReplaceIpcInfo(pInfo);
}

void CDlgIPCConfig::RefreshIpcList()
{
    QTreeWidget *pTree = ui->treeWidgetConfig;
    // Filled unsorted so rows keep list order among equal keys; switching
    // sorting back on sorts by the operator's column.
    pTree->setSortingEnabled(false);
    pTree->clear();
    if (m_pDev) {
        const QList<T_IpcInfo *> &list = m_pDev->GetIpcList();
        for (int i = 0; i < list.size(); ++i) {
            T_IpcInfo *pInfo = list.at(i);
            QTreeWidgetItem *pItem = new CIpcTreeItem(false);
            pItem->setCheckState(E_COL_CHECK, Qt::Unchecked);
            pItem->setText(E_COL_NO, QString::number(i + 1));
            pItem->setCheckState(E_COL_ENABLE, pInfo->enable == kYes ? Qt::Checked : Qt::Unchecked);
            pItem->setText(E_COL_ALIAS, pInfo->aliasname);
            pItem->setText(E_COL_HOSTNAME, pInfo->hostname);
            pItem->setText(E_COL_URL, pInfo->url);
            pItem->setText(E_COL_RESOLUTION, pInfo->width + QLatin1Char('X') + pInfo->height);
            pItem->setText(E_COL_FPS, pInfo->fps);
            pItem->setText(E_COL_USER, pInfo->user);
            pItem->setText(E_COL_PASSWORD, pInfo->passwd);
            pItem->setText(E_COL_TRANSPORT, pInfo->transporttype);
            pItem->setText(E_COL_SN, pInfo->sn);
            pItem->setText(E_COL_REMARK, pInfo->remark);
            pItem->setData(E_COL_CHECK, Qt::UserRole, PtrToVariant(pInfo));
            pTree->addTopLevelItem(pItem);
        }
    }
    pTree->setSortingEnabled(true);
}

void CDlgIPCConfig::AddNewItemRow()
{
    DropNewRecord();
    m_pNewInfo = new T_IpcInfo;
    m_pNewInfo->url = QStringLiteral("rtsp://");
    m_pNewInfo->fps = QStringLiteral("60");
    m_pNewInfo->enable = kYes;
    m_pNewInfo->outstreamtype = QStringLiteral("raw");

    QTreeWidgetItem *pItem = new CIpcTreeItem(true);
    pItem->setText(E_COL_URL, QStringLiteral("Double clicked,add a new item"));
    pItem->setForeground(E_COL_URL, QBrush(QColor(198, 72, 75)));
    for (int i = 0; i < E_COL_COUNT; ++i)
        pItem->setBackground(i, QBrush(QColor(202, 219, 211)));
    pItem->setData(E_COL_CHECK, Qt::UserRole, PtrToVariant(m_pNewInfo));
    ui->treeWidgetConfig->addTopLevelItem(pItem);
}

void CDlgIPCConfig::OnClickColumn(int iColumn)
{
    Q_UNUSED(iColumn)
    // The view has sorted already; numbers follow the new order.
    QTreeWidget *pTree = ui->treeWidgetConfig;
    int nNumber = 1;
    for (int i = 0; i < pTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *pItem = pTree->topLevelItem(i);
        const T_IpcInfo *pInfo = RowRecord(pItem);
        if (!pInfo)
            break;
        if (!pInfo->hostname.isEmpty())
            pItem->setText(E_COL_NO, QString::number(nNumber++));
    }
}

void CDlgIPCConfig::slotChooseAllDevices()
{
    QTreeWidget *pTree = ui->treeWidgetConfig;
    const Qt::CheckState eState = ui->cBAll->isChecked() ? Qt::Checked : Qt::Unchecked;
    for (int i = 0; i < pTree->topLevelItemCount() - 1; ++i)
        pTree->topLevelItem(i)->setCheckState(E_COL_CHECK, eState);
}

void CDlgIPCConfig::solttreeItemChanged(QTreeWidgetItem *item, int column)
{
    Q_UNUSED(item)
    Q_UNUSED(column)
    QTreeWidget *pTree = ui->treeWidgetConfig;
    const int nRows = pTree->topLevelItemCount();
    int nTicked = 0;
    for (int i = 0; i < nRows - 1; ++i) {
        QTreeWidgetItem *pItem = pTree->topLevelItem(i);
        if (pItem->checkState(E_COL_CHECK) == Qt::Checked)
            ++nTicked;
        T_IpcInfo *pInfo = RowRecord(pItem);
        if (!pInfo)
            continue;
        const bool bTicked = pItem->checkState(E_COL_ENABLE) == Qt::Checked;
        if (bTicked != (pInfo->enable == kYes)) {
            pInfo->enable = bTicked ? kYes : QStringLiteral("no");
            KeepInList(pInfo);
            pItem->setData(E_COL_CHECK, Qt::UserRole, PtrToVariant(pInfo));
        }
    }
    ui->cBAll->setChecked(nTicked == nRows - 1);
}

void CDlgIPCConfig::on_pBDelete_clicked()
{
    QTreeWidget *pTree = ui->treeWidgetConfig;
    int i = 0;
    while (i < pTree->topLevelItemCount() - 1) {
        QTreeWidgetItem *pItem = pTree->topLevelItem(i);
        T_IpcInfo *pInfo = RowRecord(pItem);
        if (!pInfo)
            return;
        if (pItem->checkState(E_COL_CHECK) != Qt::Checked) {
            ++i;
            continue;
        }
        // Only the gateway's own device: a name its list shares with an
        // encoder or another gateway's camera leaves that one alone.
        if (g_pHOIDevMgr)
            g_pHOIDevMgr->RemoveDevice(g_pHOIDevMgr->FindIpcDev(pInfo->hostname, m_pDev));
        if (m_pDev)
            m_pDev->RemoveIpcInfo(pInfo);
        delete pTree->takeTopLevelItem(i);
        i = 0;
    }
    for (int row = 0; row < pTree->topLevelItemCount() - 1; ++row)
        pTree->topLevelItem(row)->setText(E_COL_NO, QString::number(row + 1));
}

void CDlgIPCConfig::on_pBModify_clicked()
{
}

void CDlgIPCConfig::GetNewHostName(QString &alias, QString &hostName)
{
    // Every device of the manager counts, virtual TX included. The list's
    // own records count too: a record whose product is unknown has no
    // device, and a second record with its name would overwrite it.
    QSet<QString> used;
    if (g_pHOIDevMgr) {
        const QList<CHOIDev *> devs = g_pHOIDevMgr->GetDevList();
        for (CHOIDev *pDev : devs) {
            if (pDev)
                used.insert(pDev->GetMacId());
        }
    }
    if (m_pDev) {
        for (const T_IpcInfo *pInfo : m_pDev->GetIpcList()) {
            const int nDash = pInfo->hostname.indexOf(QLatin1Char('-'));
            if (nDash >= 0)
                used.insert(pInfo->hostname.mid(nDash + 1, 12));
        }
    }
    for (int n = 1; n <= kMaxNewMacs; ++n) {
        const QString strMac = QLatin1String(kNewMacPrefix) + QStringLiteral("%1").arg(n, 4, 16, QLatin1Char('0'));
        if (!used.contains(strMac)) {
            hostName = QLatin1String(kNewHostPrefix) + strMac;
            alias = hostName;
            return;
        }
    }
}

void CDlgIPCConfig::slotItemDoubleClicked(QTreeWidgetItem *item, int column)
{
    Q_UNUSED(column)
    T_IpcInfo *pInfo = RowRecord(item);
    if (!pInfo || !m_pDev)
        return;
    if (pInfo->hostname.isEmpty()) {
        QString strAlias;
        QString strHost;
        GetNewHostName(strAlias, strHost);
        if (strHost.isEmpty()) {
            MsgInformation(this, QString(), tr("The MAC address has been finished!"));
            return;
        }
        pInfo->aliasname = strAlias;
        pInfo->hostname = strHost;
    }

    // The editor works on a copy: a list read from the gateway while it is
    // open replaces the records, this one and the placeholder's included,
    // and their memory may then hold new records.
    const quint64 nLoads = m_nListLoads;
    const bool bNew = pInfo == m_pNewInfo;
    T_IpcInfo edited = *pInfo;
    CDlgIPCEdit dlg(&edited, this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    if (nLoads != m_nListLoads) {
        KeepEditAfterRead(edited, bNew);
        return;
    }
    *pInfo = edited;

    if (!bNew) {
        CHOIDev *pCam = g_pHOIDevMgr ? g_pHOIDevMgr->FindIpcDev(pInfo->hostname, m_pDev) : nullptr;
        if (pCam)
            pCam->SetName(pInfo->aliasname);
        else if (g_pHOIDevMgr)
            // A record read without a host name has no device yet.
            g_pHOIDevMgr->AddIpcDev(pInfo->aliasname, pInfo->hostname, m_pDev);
    } else {
        m_pDev->AddIpcInfo(pInfo);
        m_pNewInfo = nullptr; // the gateway owns it now
        if (g_pHOIDevMgr)
            g_pHOIDevMgr->AddIpcDev(pInfo->aliasname, pInfo->hostname, m_pDev);
    }
    RefreshIpcList();
    AddNewItemRow();
}

void CDlgIPCConfig::KeepEditAfterRead(const T_IpcInfo &edited, bool bNew)
{
    T_IpcInfo *pNow = nullptr;
    for (T_IpcInfo *pInfo : m_pDev->GetIpcList()) {
        if (pInfo->hostname == edited.hostname) {
            pNow = pInfo;
            break;
        }
    }
    CHOIDev *pHolder = g_pHOIDevMgr ? g_pHOIDevMgr->FindDevByHostName(edited.hostname) : nullptr;
    if (pNow && !bNew) {
        // The camera is in the list read too: the edit goes onto it, with
        // what the editor does not show as the gateway has it.
        const QString strEnable = pNow->enable;
        const QString strOutStream = pNow->outstreamtype;
        *pNow = edited;
        pNow->enable = strEnable;
        pNow->outstreamtype = strOutStream;
        if (CHOIDev *pCam = g_pHOIDevMgr ? g_pHOIDevMgr->FindIpcDev(edited.hostname, m_pDev) : nullptr)
            pCam->SetName(edited.aliasname);
    } else if (!pNow && !pHolder) {
        // Gone from the list read, or a new camera whose name is still free:
        // it stays in the list as edited.
        T_IpcInfo *pInfo = new T_IpcInfo(edited);
        m_pDev->AddIpcInfo(pInfo);
        if (g_pHOIDevMgr)
            g_pHOIDevMgr->AddIpcDev(pInfo->aliasname, pInfo->hostname, m_pDev);
    } else {
        // The name went to a camera of the list read, or to another device.
        MsgInformation(this, QString(),
                       tr("The list read from the device took the name %1 meanwhile; the edit of '%2' is not kept.")
                           .arg(edited.hostname, edited.aliasname));
        return;
    }
    RefreshIpcList();
    AddNewItemRow();
}

// ---------------------------------------------------------------------------
// Local file and transfers

QString CDlgIPCConfig::IpcListFilePath() const
{
    // DocumentsDir ends in '/'; the second one names the same file, and the
    // upload's filename carries the path in this form.
    return DocumentsDir() + QLatin1Char('/') + (m_pDev ? m_pDev->GetMacId() : QString())
           + QStringLiteral(".xml");
}

bool CDlgIPCConfig::SaveIpcListFile()
{
    if (!m_pDev)
        return false;
    return m_pDev->SaveIpcConfig(DocumentsDir() + m_pDev->GetMacId() + QStringLiteral(".xml"));
}

void CDlgIPCConfig::ShowAbout(const QString &strTitle, const QString &strText)
{
    ShowMessageBox(QMessageBox::NoIcon, this, strTitle, strText, QMessageBox::Ok, QMessageBox::NoButton);
}

void CDlgIPCConfig::SetTransferButtons(bool bEnabled)
{
    // One request at a time: a save pressed during a read would take over
    // its reply and throw the list away.
    ui->pBReadDev->setEnabled(bEnabled);
    ui->pBSave->setEnabled(bEnabled);
    ui->pBSaveDev->setEnabled(bEnabled);
}

void CDlgIPCConfig::on_pBSave_clicked()
{
    if (!SaveIpcListFile())
        ShowAbout(QString(), tr("Save Failed."));
}

void CDlgIPCConfig::on_pBReadDev_clicked()
{
    if (!m_pDev) {
        ShowAbout(tr("Read from device"), tr("The current device address is not found"));
        return;
    }
    m_bReadMode = true;
    const QUrl url(QStringLiteral("http://") + m_pDev->GetIPAddr() + QLatin1String(kReadPath));
    m_pReply = m_pManager->get(QNetworkRequest(url));
    connect(m_pReply, &QNetworkReply::uploadProgress, this, &CDlgIPCConfig::slotOnUploadProgress);
    LimitDownload(m_pReply, m_nDownloadLimit);
    SetTransferButtons(false);
}

void CDlgIPCConfig::on_pBSaveDev_clicked()
{
    if (!SaveIpcListFile()) {
        ShowAbout(tr("Upload"), tr("Upload Failed."));
        return;
    }
    m_bReadMode = false;
    SetTransferButtons(false);

    const QString strPath = IpcListFilePath();
    QFile *pFile = new QFile(strPath);
    if (!pFile->open(QIODevice::ReadOnly)) {
        // Written a moment ago but gone now: nothing is sent, and nothing
        // is left waiting.
        qWarning() << "cannot read" << strPath << pFile->errorString();
        delete pFile;
        SetTransferButtons(true);
        ShowAbout(tr("Upload"), tr("Upload Failed."));
        return;
    }

    const QUrl url(QStringLiteral("http://") + m_pDev->GetIPAddr() + QLatin1String(kSavePath));
    m_pReply = PostFormFile(m_pManager, url, "upload", strPath, "application/octet-stream", pFile);
    connect(m_pReply, &QNetworkReply::uploadProgress, this, &CDlgIPCConfig::slotOnUploadProgress);
}

void CDlgIPCConfig::slotOnUploadProgress(qlonglong bytesSent, qlonglong bytesTotal)
{
    Q_UNUSED(bytesSent)
    Q_UNUSED(bytesTotal)
}

void CDlgIPCConfig::slotReplyFinished(QNetworkReply *reply)
{
    reply->deleteLater();
    // The read mode belongs to the request sent last: no other reply is its.
    if (reply != m_pReply)
        return;
    m_pReply = nullptr;
    SetTransferButtons(true);

    if (!IsReplyOk(reply)) {
        ShowAbout(QString(), tr("Error."));
        return;
    }
    if (m_bReadMode)
        StoreDownload(reply->readAll());
    else
        ShowAbout(tr("Save to device"), tr("Save to device successful."));
}

void CDlgIPCConfig::StoreDownload(const QByteArray &body)
{
    if (!m_pDev)
        return;
    // The list and its local file are the store between runs: an answer that
    // is no list replaces neither.
    if (!CHOIDev::IsIpcConfigData(body)) {
        ShowAbout(QString(), tr("Error."));
        return;
    }
    // The file first: a list taken but not stored would be gone at the next
    // start, so a read whose file cannot be written changes nothing.
    QSaveFile file(IpcListFilePath());
    if (!file.open(QIODevice::WriteOnly) || file.write(body) != body.size() || !file.flush() || !file.commit()) {
        qWarning() << "cannot write" << file.fileName() << file.errorString();
        ShowAbout(tr("Read from device"), tr("Save Failed."));
        return;
    }
    QStringList lines(tr("Read from device successful."));
    if (!m_pDev->LoadIpcConfigFile(IpcListFilePath(), &lines)) {
        ShowAbout(QString(), tr("Error."));
        return;
    }
    ++m_nListLoads;
    RefreshIpcList();
    AddNewItemRow();
    // Entries that got no device of this gateway follow the result.
    ShowAbout(tr("Read from device"), lines.join(QLatin1Char('\n')));
}

// ---------------------------------------------------------------------------
// Preview picture

void CDlgIPCConfig::on_pushBtnSelect_clicked()
{
    m_imagePane.Choose(CDlgPreviewImage::ImageRule());
}

void CDlgIPCConfig::on_pushBtnUpload_clicked()
{
    if (!m_pDev || !g_pHOIDevMgr)
        return;
    m_imagePane.Upload(g_pHOIDevMgr->GetDevPreviewUrl(m_pDev));
}
