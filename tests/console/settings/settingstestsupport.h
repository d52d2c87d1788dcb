#ifndef TESTS_CONSOLE_SETTINGSTESTSUPPORT_H
#define TESTS_CONSOLE_SETTINGSTESTSUPPORT_H

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QList>
#include <QMessageBox>
#include <QSignalSpy>
#include <QStringList>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "simdevice_commands.h"
#include "simlan.h"
#include "uiservices.h"

// Writes a configuration file beside the test, where the manager reads it.
inline bool WriteBesideTest(const QString &name, const QByteArray &content)
{
    QFile file(QCoreApplication::applicationDirPath() + QLatin1Char('/') + name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(content) == content.size();
}

// One message box as the program built it.
struct T_SeenBox
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
};

// Records every message box while it lives and answers each with Ok.
class CBoxRecorder
{
public:
    CBoxRecorder()
    {
        SetMessageBoxRunner([this](QMessageBox &box) {
            m_boxes.append({box.icon(), box.windowTitle(), box.text()});
            return int(QMessageBox::Ok);
        });
    }
    ~CBoxRecorder() { SetMessageBoxRunner(MessageBoxRunner()); }

    const QList<T_SeenBox> &Boxes() const { return m_boxes; }
    QStringList Texts() const
    {
        QStringList texts;
        for (const T_SeenBox &box : m_boxes)
            texts << box.text;
        return texts;
    }
    void Clear() { m_boxes.clear(); }

private:
    QList<T_SeenBox> m_boxes;
};

// While it lives, hands the first modal window that opens to fn, from inside
// that window's own event loop; fn must close it.
class CModalWatcher
{
public:
    explicit CModalWatcher(const std::function<void(QWidget *)> &fn)
        : m_fn(fn)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this]() {
            QWidget *pWidget = QApplication::activeModalWidget();
            if (!pWidget || pWidget == m_pIgnore)
                return;
            m_timer.stop();
            m_bFired = true;
            m_fn(pWidget);
        });
        m_timer.start();
    }
    // A modal window already open (the one under test) is not the one to catch.
    void Ignore(QWidget *pWidget) { m_pIgnore = pWidget; }
    bool Fired() const { return m_bFired; }

private:
    std::function<void(QWidget *)> m_fn;
    QTimer m_timer;
    QWidget *m_pIgnore = nullptr;
    bool m_bFired = false;
};

// A test LAN of simulated devices found by a manager's search.
// models/types give each device's host-name model and simulator type.
class CSettingsLan
{
public:
    bool Start(const QStringList &models, const QStringList &types)
    {
        m_models = models;
        m_pMgr = new CHOIDevMgr;
        m_pMgr->SetOnLineTimings(-1, 3600000);
        m_pMgr->SetSearchRoundInterval(200);
        g_pDevMgr = m_pMgr;
        if (!m_pMgr->LoadProdConfig())
            return false;
        m_pMgr->LoadLayoutConfig();
        m_pLan = new CSimLan;
        for (int i = 0; i < models.size(); ++i) {
            SimDevice *pSim = m_pLan->AddDevice(CSimLan::HostNameFor(models.at(i), i), types.at(i));
            if (!pSim)
                return false;
            SimInstallDeviceCommands(*pSim);
        }
        if (!m_pLan->Start())
            return false;
        QSignalSpy stopSpy(m_pMgr, &CHOIDevMgr::OnSearchStop);
        if (!m_pMgr->StartSearch(false))
            return false;
        if (!stopSpy.wait(30000) && stopSpy.isEmpty())
            return false;
        return m_pMgr->GetDevCount() == models.size();
    }

    void Stop()
    {
        delete m_pLan;
        m_pLan = nullptr;
        g_pDevMgr = nullptr;
        delete m_pMgr;
        m_pMgr = nullptr;
    }

    CHOIDev *Dev(int i) const
    {
        return m_pMgr->FindDevByHostName(CSimLan::HostNameFor(m_models.at(i), i));
    }
    SimDevice *Sim(int i) const { return m_pLan->Device(i); }
    CSimLan *Lan() const { return m_pLan; }
    CHOIDevMgr *Mgr() const { return m_pMgr; }
    // What device i received since the last Clear, login and blank lines left out.
    QList<QByteArray> Commands(int i) const { return m_pLan->Commands(i); }
    void Clear() { m_pLan->ClearReceived(); }

private:
    QStringList m_models;
    CHOIDevMgr *m_pMgr = nullptr;
    CSimLan *m_pLan = nullptr;
};

#endif
