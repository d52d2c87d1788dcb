#ifndef HOI_CONSOLE_DLGBATCH_H
#define HOI_CONSOLE_DLGBATCH_H

#include <QDialog>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

#include <functional>

#include "control/devfiltergroupbox.h"
#include "edid/edidpane.h"
#include "hoiwidget/formui.h"
#include "vtx/bmpcheck.h"

class CHOIDev;
class HttpConnect;
class QImage;
class QLabel;
class QLineEdit;
class QPixmap;
class QPushButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace Ui {
class CDlgBatch;
}

// "Batch Commands": applies one setting at a time to every device checked in
// the chooser on the left, one device after another, and reports per page
// how many devices took it and which did not.
//
// A synchronous operation queues its lines on every device's link inside its
// clicked slot, without waiting for a reply, so a dead device holds up no
// other. A device counts once its link's queue has ended: drained, given
// up after the link's own retries, or dropped. The result line comes after
// the last; until then the dialog stays disabled and the page's label names
// the devices still to answer. An off-line device is counted as
// failed and nothing is sent to it. The three image uploads go over HTTP
// and finish later; an upload whose device takes nothing of it for the
// stall time fails.
class CDlgBatch : public QDialog, public IDevFilterCustomItem
{
    Q_OBJECT

public:
    explicit CDlgBatch(QWidget *parent = nullptr);
    ~CDlgBatch() override;

    // The chooser's owner interface.
    bool GetHeaderLabels(QStringList &headers) override;
    QTreeWidgetItem *CreateDevItem(CHOIDev *pDev) override;
    void OnDevItemAdded(QTreeWidget *pTree, CHOIDev *pDev, QTreeWidgetItem *pItem) override;
    void OnCurrentDevItemChanged(QTreeWidgetItem *pItem) override;
    void OnDevItemCheckChanged(QTreeWidgetItem *pItem) override;

    // An upload whose device takes nothing of it this long fails, so that a
    // device that takes the request and never answers cannot hold its round
    // open, while one on a slow link still taking it is waited for; only
    // tests shorten it. Read when each upload starts.
    static const int kDefaultUploadStallMs = 30000;
    void SetUploadStallTimeout(int msecs) { m_nUploadStallMs = msecs; }

    // The forced HDMI output timing of the "HDMI Timing Hybrid" choice:
    // "0" for pass-through, else the CEA-861 code with the top bit set.
    QString GetOutputTimingCode();

public slots:
    void done(int r) override;

protected:
    void changeEvent(QEvent *event) override;

private slots:
    // Capability of the checked devices, from the chooser.
    void slotLogoInit(bool bIsLogo);
    void slotVideoBitrate(bool bFlag);
    void slotIsTransport(bool bFlag);
    void slotIsMaxRelution(bool bFlag);
    void slotAllTabEnable(bool bFlag);
    void slotAllDevApply(bool bFlag);
    void slotIsHisiDev(bool bFlag, bool bVideoSet);
    void slotIsTX(bool bFlag);
    void slotIsWp(bool bFlag);
    void soltIsAudioDelay(bool bFlag);
    void slotAudioDelay(bool bFlag);
    void soltIsOverlayImage(bool bFlag);
    void soltIsIdleImage(bool bIsLogo);
    void soltIsBatchCEC(bool bFlag);
    void soltIsSinkPowerRS(bool bFlag);
    void soltIsGW(bool bFlag);
    void slotVX7100IsTX(bool bFlag);
    void on_chkHexSend_sinkPower_currentChanged(int index);

    // IP
    void slotIPAddrApply();

    // Video, JPEG 2000
    void on_radioButtonJPEG_toggled(bool checked);
    void on_radioButtonH_toggled(bool checked);
    void on_checkBox_clicked(bool checked);
    void on_pbVideo_HDCP_apply_clicked();
    void on_pbVideo_HDMI_apply_clicked();
    void on_pbVideo_Screen_apply_clicked();
    void on_pbVideo_Stretch_apply_clicked();
    void on_pbVideo_Rotate_apply_clicked();
    void on_pbEnablePreviewApply_clicked();
    void on_pbVideoQualityApply_clicked();
    void on_pbAllVideo_apply_clicked();

    // Video, H.264
    void slotVedioModeApply();
    void on_pbHdcpSettings_clicked();
    void on_pbAdvanced_apply_clicked();
    void on_gbAdvance_clicked(bool checked);
    void on_cbEncMode_2_currentIndexChanged(int index);
    void slotForceResolution(CHOIDev *pCurDev);
    void on_pbForce_clicked();

    // Image
    void on_pushBtnSelect_bg_clicked();
    void on_pushBtnUpload_bg_clicked();
    void on_pushBtnSelect_Logo_clicked();
    void on_pushBtnUpload_Logo_clicked();
    void on_pBOverlaySelect_clicked();
    void on_pBOverlayUpload_clicked();
    void on_pBOverlayApply_clicked();
    void on_pushBtnApply_clicked();
    void on_pbApplyOSDMethod_clicked();
    void slotHttpFinish(QString strDevName, QVariant code);
    void slotHttpSendBytes(qlonglong bytesSent);

    // Audio
    void on_pushButtonOK_clicked();

    // Serial
    void on_pbSerialSet_apply_clicked();
    void slotSerialSendMsg();
    void slotTextChanged();
    void on_chkHexSend_clicked(bool checked);
    void on_edtMsg_textChanged();

    // Power
    void slotSinkPowerApply();
    void slotOpenMsg_touchPlay();
    void slotCloseMsg_standby();
    void slotSinkPowerChBClick();
    void slotTextChangedStandby();
    void slotTextChangedPoweron();
    void on_chbHex_clicked(bool checked);

    // EDID
    void on_cbEDIDSet_currentIndexChanged(int index);
    void on_pbUplaodEDIDFile_clicked();
    void on_pbEdidSet_apply_clicked();

    // Others
    void slotOthersApply();

    // Failure details of each page
    void slotShowIPAddrDetail();
    void on_pbVideoSetDetails_clicked();
    void on_pbImageDetails_clicked();
    void on_pbAudioDetails_clicked();
    void on_pbSerialSetDetails_clicked();
    void slotShowSinkPowerDetail();
    void on_pbEdidSetDetails_clicked();
    void slotShowOthersDetail();

private:
    // The eight pages with a result line, in tab order.
    enum E_BatchPage {
        E_BP_IP = 0,
        E_BP_VIDEO,
        E_BP_IMAGE,
        E_BP_AUDIO,
        E_BP_SERIAL,
        E_BP_POWER,
        E_BP_EDID,
        E_BP_OTHERS,
        E_BP_COUNT
    };
    // One upload round of the Image page.
    enum E_UploadKind {
        E_UK_IDLE = 0,
        E_UK_LOGO,
        E_UK_OVERLAY
    };
    // What the dialog knows of one upload under way.
    struct T_Upload
    {
        CHOIDev *pDev = nullptr;
        int nRound = 0;
        qint64 nSent = 0; // bytes this upload reported last
        QTimer *pStall = nullptr; // child of the uploader; fires when progress stops
    };
    using DevCall = std::function<bool(CHOIDev *pDev)>;

    void ConnectButtons();
    void ConnectChooser();
    // The controls that only an encoder, or only a decoder, can use.
    void EnableEncoderControls(bool bOn);
    void EnableDecoderControls(bool bOn);
    // The EDID list (with Select while "Upload..." is chosen) and, once an
    // EDID is held, its Apply.
    void EnableEdidPage();

    // The frame of every synchronous operation. StartBatch disables the
    // dialog, empties the page's failure list and takes the checked devices;
    // false (dialog enabled again) when none is checked.
    bool StartBatch(E_BatchPage ePage, QList<CHOIDev *> &devs);
    bool TakeCheckedDevs(QList<CHOIDev *> &devs);
    // A refused input check: the message, the dialog enabled again; false.
    bool RefuseBatch(const QString &strText, QWidget *pFocus = nullptr);
    // Shows each device on the page's label and calls it; an off-line
    // device, a false result or a queue that ended in failure goes into the
    // failure list. FinishBatch once every device's queue has ended.
    void ApplyToDevs(E_BatchPage ePage, const QList<CHOIDev *> &devs, const DevCall &call);
    // An operation without input to check: StartBatch, then ApplyToDevs.
    void RunBatch(E_BatchPage ePage, const DevCall &call);
    void ShowDevProgress(E_BatchPage ePage, CHOIDev *pDev);
    // Once every device has been called: the devices whose queue has not
    // ended yet, or how many when many.
    void ShowLinkWaits();
    // The result line, the Details button and the dialog enabled again.
    void FinishBatch(E_BatchPage ePage, int nDevCount);
    void LinkAnswered(CHOIDev *pDev, bool bOk);
    QString ResultText(int nDevCount, int nFailCount) const;
    QList<CHOIDev *> &FailList(E_BatchPage ePage);
    QLabel *ResultLabel(E_BatchPage ePage) const;
    QPushButton *DetailsButton(E_BatchPage ePage) const;
    void ShowDetails(const QList<CHOIDev *> &devs);

    // The address range of the IP page for nDevCount devices; false after
    // a refusal.
    bool CheckIPRange(const QString &strBegin, const QString &strEnd, const QString &strMask,
                      int nDevCount);

    void InitSerialCombos();
    void InitEncoderCombos();
    void ReadPortControls(bool bPowerPage, uint &nBaud, uint &nDataBits, char &cParity,
                          uint &nStopBits) const;
    static QString PortSettingText(uint nBaud, uint nDataBits, char cParity, uint nStopBits);
    // A message of the Serial or Power page: its lines joined; false after a
    // refusal when that leaves nothing.
    bool ReadMessage(const QString &strText, const QString &strMissing, QString &strMsg);

    // Image page
    // The widgets of one upload.
    struct T_UploadWidgets
    {
        QLineEdit *pPath;
        QLabel *pPicture;
        QLabel *pLimitLine; // the line naming the limit; red beyond it
        QPushButton *pUpload;
    };
    T_UploadWidgets UploadWidgets(E_UploadKind eKind) const;
    // Asks for a picture; null when none was chosen or it does not load
    // (which has been said).
    QImage ChooseImage(const QString &strCaption, const QString &strFilter, QString &strPath);
    // Shows a chosen picture; its upload is allowed only within its limit.
    // The result of the last Image operation goes.
    void ShowChosenImage(E_UploadKind eKind, const QString &strPath, const QPixmap &pixmap,
                         bool bWithinLimit);
    void StartUploadRound(E_UploadKind eKind);
    // Every device of devs has an upload address for eKind; false after a
    // refusal (the product named, the dialog enabled again).
    bool CheckUploadPaths(E_UploadKind eKind, const QList<CHOIDev *> &devs);
    // Whether an upload of the latest round has not answered yet.
    bool IsUploadRoundOpen() const;
    // One field of the overlay position, 1 to nMax; false after a refusal
    // (an information box, the field focused).
    bool ReadOverlayCoordinate(QLineEdit *pField, const QString &strMissing, int nMax, int &nValue);
    bool ReadUploadFile(E_UploadKind eKind, QString &strPath, QByteArray &data);
    static QString UploadUrl(E_UploadKind eKind, CHOIDev *pDev);
    // Aborts pHttp's upload once its device has taken nothing of it for the
    // stall time.
    QTimer *StartStallWatch(HttpConnect *pHttp);
    void UploadFinished(HttpConnect *pHttp, const QVariant &code);
    void UploadProgress(HttpConnect *pHttp, qlonglong bytesSent);
    void BeginImageOperation();
    void ShowImageResult();
    void ClearImageResult();
    void SetLabelColor(QLabel *pLabel, bool bOk);
    void DropUploads();

    CFormUi<Ui::CDlgBatch> ui;
    QList<CHOIDev *> m_listCurDev;  // devices of the running upload round
    int m_nFinishedCount;
    qint64 m_nTotalBytes;
    qint64 m_nSentBytes;
    QList<CHOIDev *> m_listIPFail;
    QList<CHOIDev *> m_listPowerFail;  // display power and both CEC tests
    QList<CHOIDev *> m_listOthersFail; // reboot, factory reset
    QList<CHOIDev *> m_listSerialFail; // port setting, test message
    QList<CHOIDev *> m_listVideoFail;  // both video sub-pages
    QList<CHOIDev *> m_listImageFail;
    QList<CHOIDev *> m_listEdidFail;
    QList<CHOIDev *> m_listAudioFail;
    CBmpCheck m_bmpCheck;
    CEdidPane m_edidPane;
    // Replies are matched to the uploader that sent them, so two devices of
    // one display name are each counted once, and a reply of an earlier
    // round cannot close a later one.
    QHash<HttpConnect *, T_Upload> m_uploads;
    int m_nUploadRound;
    int m_nUploadStallMs = kDefaultUploadStallMs;
    // Devices of the running operation whose queue has not ended yet, in
    // the order they are called.
    QList<CHOIDev *> m_linkWaits;
    bool m_bCalling = false; // the running operation is still calling its devices
    E_BatchPage m_eWaitPage = E_BP_IP;
    int m_nWaitDevCount = 0;
    bool m_bFiltering; // a hex filter is removing text
};

#endif
