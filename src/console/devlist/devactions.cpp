#include "devlist/devactions.h"

#include <QCoreApplication>
#include <QDebug>
#include <QSaveFile>

#include "hoi_core/edidhex.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/prodidinfo.h"
#include "uiservices.h"

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
        if (g_pHOIDevMgr)
            g_pHOIDevMgr->ResetDevToDefault(pDev);
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

    // A cut or damaged EDID would be refused by any sink it is given to.
    const QByteArray bytes = HexTextToBytes(strEdid.toLocal8Bit());
    if (!IsWholeEdid(bytes)) {
        qWarning() << "EDID of" << pDev->GetHostName() << "is not whole:" << bytes.size() << "bytes; not exported";
        MsgInformation(pParent, QString(), Tr("Exported failed."));
        return;
    }

    const QString strDir = EdidDirPath();
    if (pEdidDir)
        *pEdidDir = strDir;
    const QString strPath = GetSaveFileName(pParent, Tr("EDID Export"), strDir, Tr("Sceneinfo file (*.bin)"));
    if (strPath.isEmpty())
        return;
    QSaveFile file(strPath);
    const bool bWritten =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    MsgInformation(pParent, QString(), bWritten ? Tr("Exported successfully.") : Tr("Exported failed."));
}
