#ifndef HOI_TEST_NAVTESTENV_H
#define HOI_TEST_NAVTESTENV_H

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "dialogs/dlgcreategroup.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "modaltestsupport.h"
#include "uiservices.h"

// The products of the devices these tests make; written beside the test.
// ZRX has none of the features the navigation menu asks about, ZRXF
// most of them.
inline const char *NavTestConfig()
{
    return "<?xml version=\"1.0\"?>\n"
           "<hoiprod ir_enable=\"yes\" rs232_enable=\"yes\" cec_enable=\"yes\">\n"
           "  <product id=\"ZTX\" name=\"Encoder\" type=\"tx\"/>\n"
           "  <product id=\"ZRX\" name=\"Decoder\" type=\"rx\" osd_enable=\"n\" mute_enable=\"n\"/>\n"
           "  <product id=\"ZRXF\" name=\"Full\" type=\"rx\" video_set_2=\"y\" serial_set=\"y\"\n"
           "           audio_delay=\"y\" sink_rs=\"y\" layout_enable=\"y\" cec_enable=\"y\"\n"
           "           edid_export=\"y\" osd_enable=\"y\" idle_enable=\"y\"/>\n"
           "  <product id=\"ZMRX\" name=\"Multiview\" type=\"mrx\"/>\n"
           "  <product id=\"ZWP\" name=\"Processor\" type=\"wp\"/>\n"
           "  <product id=\"ZGW\" name=\"Gateway\" type=\"gw\"/>\n"
           "  <product id=\"QN714\" name=\"Controller\" type=\"IP Controller\"/>\n"
           "</hoiprod>\n";
}

// One manager per test function, published as the process-wide one and
// never talking to the network (no on-line check, devices never connect).
class CNavTestEnv
{
public:
    CNavTestEnv()
    {
        QFile config(QCoreApplication::applicationDirPath() + QStringLiteral("/config.xml"));
        if (config.open(QIODevice::WriteOnly))
            config.write(NavTestConfig());
        config.close();
        m_pMgr = new CHOIDevMgr;
        m_pMgr->SetOnLineTimings(-1, 5000);
        g_pHOIDevMgr = m_pMgr;
        m_bLoaded = m_pMgr->LoadProdConfig();
    }
    ~CNavTestEnv()
    {
        SetMessageBoxRunner(MessageBoxRunner());
        SetFileDialogRunner(FileDialogRunner());
        g_pHOIDevMgr = nullptr;
        delete m_pMgr;
    }

    bool IsLoaded() const { return m_bLoaded; }
    CHOIDevMgr *Mgr() const { return m_pMgr; }

    // A listed device that never connects; a group and a sequence are set
    // after the manager announced it, when given.
    CHOIDev *AddDev(const QString &strHost, const QString &strAlias, const QString &strGroup = QString(),
                    int nSequence = -1)
    {
        m_pMgr->AddIpcDev(strAlias, strHost, nullptr);
        CHOIDev *pDev = m_pMgr->FindDevByHostName(strHost);
        if (!pDev)
            return nullptr;
        // Name changes and completions reach the manager as for found devices.
        m_pMgr->WireDevice(pDev);
        if (!strGroup.isEmpty())
            pDev->SetGroup(strGroup);
        if (nSequence >= 0)
            pDev->SetSequence(nSequence);
        return pDev;
    }

    CHOIScene *AddWall(const QString &strName, const QString &strGroup, int nLayoutSeq)
    {
        CHOIScene *pWall = m_pMgr->GetOrCreateVideoWall(strName);
        pWall->SetGroup(strGroup);
        pWall->SetLayoutSeq(nLayoutSeq);
        return pWall;
    }

private:
    CHOIDevMgr *m_pMgr = nullptr;
    bool m_bLoaded = false;
};

// What a message box showed, and the answer it got.
struct T_SeenBox
{
    int nCount = 0;
    QString strTitle;
    QString strText;
};

inline void AnswerBoxes(T_SeenBox *pSeen, QMessageBox::StandardButton answer)
{
    SetMessageBoxRunner([pSeen, answer](QMessageBox &box) {
        ++pSeen->nCount;
        pSeen->strTitle = box.windowTitle();
        pSeen->strText = box.text();
        return int(answer);
    });
}

// The name the group dialog opened with.
inline QString GroupDialogName(CDlgCreateGroup *pDlg)
{
    return pDlg->findChild<QLineEdit *>(QStringLiteral("leName"))->text();
}

// Types the name, as a group (1) or a location (0), and presses OK.
inline void AnswerGroupDialog(CDlgCreateGroup *pDlg, const QString &strName, int nType = 1)
{
    pDlg->findChild<QComboBox *>(QStringLiteral("cbLocationOrGroup"))->setCurrentIndex(nType);
    pDlg->findChild<QLineEdit *>(QStringLiteral("leName"))->setText(strName);
    pDlg->findChild<QPushButton *>(QStringLiteral("pbOK"))->click();
}

#endif
