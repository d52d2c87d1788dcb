#ifndef TESTS_CONSOLE_CONTROL_CONTROLTESTENV_H
#define TESTS_CONSOLE_CONTROL_CONTROLTESTENV_H

#include <QBrush>
#include <QList>
#include <QMessageBox>
#include <QSignalSpy>
#include <QStringList>
#include <QTreeWidget>
#include <QTreeWidgetItem>

#include "consoletestsupport.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoiwidget/itemdata.h"
#include "simdevice_commands.h"
#include "simlan.h"
#include "uiservices.h"

// A manager that found the given simulated devices in the private test LAN.
// "config.xml" is written beside the test, where the manager reads it.
class CControlLan
{
public:
    bool Start(const QByteArray &config, const QStringList &models, const QStringList &types)
    {
        if (!WriteBesideTest(QStringLiteral("config.xml"), config))
            return false;

        RegisterHoiMetaTypes();
        qRegisterMetaType<CHOIDev *>("CHOIDev*");
        qRegisterMetaType<E_CommResult>("E_CommResult");
        m_models = models;
        m_pMgr = new CHOIDevMgr;
        m_pMgr->SetOnLineTimings(-1, 3600000);
        m_pMgr->SetSearchRoundInterval(200);
        g_pHOIDevMgr = m_pMgr;
        if (!m_pMgr->LoadProdConfig())
            return false;
        for (int i = 0; i < models.size(); ++i) {
            SimDevice *pSim = m_lan.AddDevice(CSimLan::HostNameFor(models.at(i), i), types.at(i));
            if (!pSim)
                return false;
            SimInstallDeviceCommands(*pSim);
        }
        if (!m_lan.Start())
            return false;
        QSignalSpy stopSpy(m_pMgr, &CHOIDevMgr::OnSearchStop);
        if (!m_pMgr->StartSearch(false) || !stopSpy.wait(30000))
            return false;
        for (int i = 0; i < models.size(); ++i) {
            if (!Dev(i))
                return false;
        }
        return m_pMgr->GetDevCount() == models.size();
    }

    ~CControlLan()
    {
        g_pHOIDevMgr = nullptr;
        delete m_pMgr;
    }

    CHOIDevMgr *Mgr() const { return m_pMgr; }
    CSimLan &Lan() { return m_lan; }
    CHOIDev *Dev(int i) const { return m_pMgr->FindDevByHostName(CSimLan::HostNameFor(m_models.at(i), i)); }
    // The lines device i received that start with prefix.
    QList<QByteArray> Lines(int i, const QByteArray &prefix) const
    {
        QList<QByteArray> out;
        const QList<QByteArray> lines = m_lan.Commands(i);
        for (const QByteArray &line : lines) {
            if (line.startsWith(prefix))
                out << line;
        }
        return out;
    }

private:
    CSimLan m_lan;
    CHOIDevMgr *m_pMgr = nullptr;
    QStringList m_models;
};

// Every message box: recorded and answered with OK at once.
struct T_Boxes
{
    struct T_Box
    {
        QMessageBox::Icon icon;
        QString title;
        QString text;
        QWidget *parent;
    };
    QList<T_Box> boxes;

    void Install()
    {
        SetMessageBoxRunner([this](QMessageBox &box) {
            boxes.append({box.icon(), box.windowTitle(), box.text(), box.parentWidget()});
            return int(QMessageBox::Ok);
        });
    }
    static void Uninstall() { SetMessageBoxRunner(MessageBoxRunner()); }
};

// The chooser's tree rows as the devices they carry, in row order.
inline QList<CHOIDev *> RowDevs(QTreeWidget *pTree)
{
    QList<CHOIDev *> devs;
    for (int i = 0; i < pTree->topLevelItemCount(); ++i)
        devs << VariantToDev(pTree->topLevelItem(i)->data(0, Qt::UserRole));
    return devs;
}

inline QTreeWidgetItem *RowOf(QTreeWidget *pTree, CHOIDev *pDev)
{
    for (int i = 0; i < pTree->topLevelItemCount(); ++i) {
        if (VariantToDev(pTree->topLevelItem(i)->data(0, Qt::UserRole)) == pDev)
            return pTree->topLevelItem(i);
    }
    return nullptr;
}

inline QColor RowColor(QTreeWidget *pTree, CHOIDev *pDev, int column = 0)
{
    QTreeWidgetItem *pItem = RowOf(pTree, pDev);
    return pItem ? pItem->foreground(column).color() : QColor();
}

#endif
