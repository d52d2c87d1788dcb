#ifndef HOI_CONSOLE_DLGIPCCONFIG_H
#define HOI_CONSOLE_DLGIPCCONFIG_H

#include <QDialog>
#include <QString>

#include "hoiwidget/formui.h"
#include "vtx/imagepane.h"

class CHOIDev;
class QNetworkAccessManager;
class QNetworkReply;
class QTreeWidgetItem;
struct T_IpcInfo;

namespace Ui {
class CDlgIPCConfig;
}

// The virtual TX list of one gateway: IP camera streams that stand in the
// installation as encoders. Rows are edited in memory (each record also is a
// device of the manager, kept in step here), saved to a local file named by
// the gateway's MAC id, read from and saved to the gateway over HTTP. The
// lower group uploads the gateway's preview picture.
class CDlgIPCConfig : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgIPCConfig(CHOIDev *pDev, QWidget *parent = nullptr);
    ~CDlgIPCConfig() override;

    // Tests shorten the progress tick; the default is 200 ms.
    void SetProgressInterval(int msecs) { m_imagePane.SetProgressInterval(msecs); }
    // The local list file of the gateway.
    QString IpcListFilePath() const;
    // A list read from the gateway larger than this fails; tests lower it.
    void SetDownloadLimit(qint64 nBytes) { m_nDownloadLimit = nBytes; }

private slots:
    void on_pBDelete_clicked();
    void on_pBModify_clicked();
    void on_pBSave_clicked();
    void on_pBReadDev_clicked();
    void on_pBSaveDev_clicked();
    void on_pushBtnSelect_clicked();
    void on_pushBtnUpload_clicked();

    void slotReplyFinished(QNetworkReply *reply);
    void slotItemDoubleClicked(QTreeWidgetItem *item, int column);
    void solttreeItemChanged(QTreeWidgetItem *item, int column);
    void slotChooseAllDevices();
    void OnClickColumn(int iColumn);
    void slotOnUploadProgress(qlonglong bytesSent, qlonglong bytesTotal);

private:
    void RefreshIpcList();
    void AddNewItemRow();
    bool SaveIpcListFile();
    void GetNewHostName(QString &alias, QString &hostName);
    void StoreDownload(const QByteArray &body);
    // An edit accepted after a list read from the gateway replaced the
    // record: kept where the camera can still stand, else the operator
    // hears that it is not.
    void KeepEditAfterRead(const T_IpcInfo &edited, bool bNew);
    void ShowAbout(const QString &strTitle, const QString &strText);
    void SetTransferButtons(bool bEnabled);
    T_IpcInfo *RowRecord(QTreeWidgetItem *pItem) const;
    void DropNewRecord();
    void KeepInList(T_IpcInfo *pInfo);

    CFormUi<Ui::CDlgIPCConfig> ui;
    CHOIDev *m_pDev; // the gateway; not owned
    QNetworkAccessManager *m_pManager; // child
    QNetworkReply *m_pReply;           // the request sent last
    bool m_bReadMode;
    T_IpcInfo *m_pNewInfo; // the placeholder row's record while no list holds it
    quint64 m_nListLoads;  // counts the lists read from the gateway
    qint64 m_nDownloadLimit;
    CImagePane m_imagePane; // the preview picture
};

#endif
