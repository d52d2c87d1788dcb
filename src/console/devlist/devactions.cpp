#include "devlist/devactions.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>

#include "audio/dlgvolumeconfig.h"
#include "edid/dlgedidsetting.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/prodidinfo.h"
#include "overlay/dlglogosettings.h"
#include "power/dlgsinkpowersetting.h"
#include "settings/dlgipmlayoutsettings.h"
#include "settings/dlgserialsetting.h"
#include "settings/dlgvideoconfig.h"
#include "settings/dlgvideosetting.h"
#include "uiservices.h"
#include "upload/dlgimagesetting.h"
#include "upload/dlgmapsettings.h"
#include "vtx/dlgdevipconfig.h"
#include "vtx/dlgipcconfig.h"
#include "vtx/dlgpreviewimage.h"

namespace {

using DevDialogFn = void (*)(CHOIDev *pDev, QWidget *pParent);

struct T_DevDialogEntry
{
    E_DevDialog eDialog;
    const char *pszClass;
    DevDialogFn pfnRun; // null: the dialog is not built yet
};

// One line per dialog, in the order of E_DevDialog. To plug a dialog in,
// include its header and put &RunModalDevDialog<CDlgXxx> in place of nullptr.
const T_DevDialogEntry kDevDialogs[E_DD_COUNT] = {
    {E_DD_VIDEO_CONFIG, "CDlgVideoConfig", &RunModalDevDialog<CDlgVideoConfig>},
    {E_DD_VIDEO_SETTING, "CDlgVideoSetting", &RunModalDevDialog<CDlgVideoSetting>},
    {E_DD_SERIAL_SETTING, "CDlgSerialSetting", &RunModalDevDialog<CDlgSerialSetting>},
    {E_DD_VOLUME_CONFIG, "CDlgVolumeConfig", &RunModalDevDialog<CDlgVolumeConfig>},
    {E_DD_SINK_POWER_SETTING, "CDlgSinkPowerSetting", &RunModalDevDialog<CDlgSinkPowerSetting>},
    {E_DD_IPM_LAYOUT_SETTINGS, "CDlgIPMLayoutSettings", &RunModalDevDialog<CDlgIPMLayoutSettings>},
    {E_DD_MAP_SETTINGS, "CDlgMapSettings", &RunModalDevDialog<CDlgMapSettings>},
    {E_DD_IMAGE_SETTING, "CDlgImageSetting", &RunModalDevDialog<CDlgImageSetting>},
    {E_DD_LOGO_SETTINGS, "CDlgLogoSettings", &RunModalDevDialog<CDlgLogoSettings>},
    {E_DD_IPC_CONFIG, "CDlgIPCConfig", &RunModalDevDialog<CDlgIPCConfig>},
    {E_DD_EDID_SETTING, "CDlgEDIDSetting", &RunModalDevDialog<CDlgEDIDSetting>},
    {E_DD_DEV_IP_CONFIG, "CDlgDevIPConfig", &RunModalDevDialog<CDlgDevIPConfig>},
    {E_DD_PREVIEW_SETTINGS, "CDlgPreviewImage", &RunModalDevDialog<CDlgPreviewImage>},
};

DevDialogRunner &TestRunner(E_DevDialog eDialog)
{
    static DevDialogRunner runners[E_DD_COUNT];
    return runners[eDialog];
}

bool IsKnown(E_DevDialog eDialog)
{
    return eDialog >= 0 && eDialog < E_DD_COUNT;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

void RunDevDialog(E_DevDialog eDialog, CHOIDev *pDev, QWidget *pParent)
{
    if (!IsKnown(eDialog)) {
        qWarning() << "no device dialog of kind" << int(eDialog);
        return;
    }
    if (!pDev)
        return;
    if (TestRunner(eDialog)) {
        TestRunner(eDialog)(pDev, pParent);
        return;
    }
    const T_DevDialogEntry &entry = kDevDialogs[eDialog];
    if (!entry.pfnRun) {
        qInfo() << entry.pszClass << "not available; nothing opened for" << pDev->GetDisplayName();
        return;
    }
    entry.pfnRun(pDev, pParent);
}

void SetDevDialogRunner(E_DevDialog eDialog, const DevDialogRunner &runner)
{
    if (IsKnown(eDialog))
        TestRunner(eDialog) = runner;
}

QByteArray HexTextToBytes(const QByteArray &text)
{
    // A 256-byte EDID needs 512 digits; the cap keeps a damaged text small.
    const int nLimit = qMin(text.size(), 4096);
    QByteArray bytes;
    int i = 0;
    while (i < nLimit) {
        if (HexDigit(text.at(i)) < 0) {
            ++i;
            continue;
        }
        // strtoul takes "0x" as a prefix when a digit follows it.
        if (text.at(i) == '0' && i + 2 < text.size() && (text.at(i + 1) == 'x' || text.at(i + 1) == 'X')
            && HexDigit(text.at(i + 2)) >= 0)
            i += 2;
        unsigned int value = 0;
        while (i < text.size() && HexDigit(text.at(i)) >= 0) {
            value = ((value << 4) | unsigned(HexDigit(text.at(i)))) & 0xffu;
            ++i;
        }
        bytes.append(char(value));
    }
    return bytes;
}

void SendDevsOsd(const QList<CHOIDev *> &devs, bool bOn)
{
    for (CHOIDev *pDev : devs) {
        if (pDev->IsSupportOsd())
            pDev->SendOsdOnOff(bOn, pDev->GetDisplayName());
    }
}

void UpdateDevsFromDev(const QList<CHOIDev *> &devs)
{
    for (CHOIDev *pDev : devs)
        pDev->UpdateFromDev(true);
}

void RebootDevs(const QList<CHOIDev *> &devs)
{
    for (CHOIDev *pDev : devs)
        pDev->Reboot();
}

void ResetDevsToDefault(const QList<CHOIDev *> &devs)
{
    for (CHOIDev *pDev : devs) {
        pDev->ResetDefault();
        if (g_pHOIDevMgr) {
            g_pHOIDevMgr->AddResetDevHostName(pDev->GetHostName());
            if (g_pHOIDevMgr->GetProdIdInfo(pDev)->video_set_2)
                pDev->ResetLocalSettings();
        }
    }
}

// ExportDevEdid translates in the calling panel's context, which lupdate
// cannot follow: these entries put its texts into both panels' catalogues.
[[maybe_unused]] const char *const kExportEdidTexts[] = {
    QT_TRANSLATE_NOOP("CFrameDevList", "the EDID is empty."),
    QT_TRANSLATE_NOOP("CFrameDevList", "EDID Export"),
    QT_TRANSLATE_NOOP("CFrameDevList", "Sceneinfo file (*.bin)"),
    QT_TRANSLATE_NOOP("CFrameDevList", "Exported successfully."),
    QT_TRANSLATE_NOOP("CFrameDevList", "Exported failed."),
    QT_TRANSLATE_NOOP("CFormGroupList", "the EDID is empty."),
    QT_TRANSLATE_NOOP("CFormGroupList", "EDID Export"),
    QT_TRANSLATE_NOOP("CFormGroupList", "Sceneinfo file (*.bin)"),
    QT_TRANSLATE_NOOP("CFormGroupList", "Exported successfully."),
    QT_TRANSLATE_NOOP("CFormGroupList", "Exported failed."),
};

void ExportDevEdid(CHOIDev *pDev, QWidget *pParent, const char *pszContext, QString *pEdidDir)
{
    if (!pDev)
        return;
    auto Tr = [pszContext](const char *pszText) { return QCoreApplication::translate(pszContext, pszText); };
    QString strEdid = pDev->GetEdid();
    if (strEdid.isEmpty()) {
        MsgCritical(pParent, QString(), Tr("the EDID is empty."));
        return;
    }
    const int nSlash = strEdid.indexOf(QLatin1Char('/'));
    if (nSlash >= 0)
        strEdid = strEdid.left(nSlash);

    const QString strDir = EdidDirPath();
    if (pEdidDir)
        *pEdidDir = strDir;
    const QString strPath = GetSaveFileName(pParent, Tr("EDID Export"), strDir, Tr("Sceneinfo file (*.bin)"));
    if (strPath.isEmpty())
        return;
    const QByteArray bytes = HexTextToBytes(strEdid.toLocal8Bit());
    QFile file(strPath);
    // A short write or a full disk is a failure too: the file would hold a
    // cut EDID.
    const bool bWritten = file.open(QIODevice::WriteOnly | QIODevice::Truncate)
                          && file.write(bytes) == bytes.size() && file.flush();
    file.close();
    MsgInformation(pParent, QString(), bWritten ? Tr("Exported successfully.") : Tr("Exported failed."));
}
