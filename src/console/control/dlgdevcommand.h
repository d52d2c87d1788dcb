#ifndef HOI_CONSOLE_DLGDEVCOMMAND_H
#define HOI_CONSOLE_DLGDEVCOMMAND_H

#include <functional>

#include <QApplication>
#include <QDialog>
#include <QList>
#include <QPointer>

#include "control/devfiltergroupbox.h"
#include "hoi_core/basecomm.h"
#include "hoi_core/hoitypes.h"

class CHOIDev;
class CHOIScene;

// The shared part of the windows that send one command to every device
// checked in their chooser (serial message, CEC, standby, IR key): a row
// turns black when its command is queued, red when it is refused or fails
// and green when it is done, and the window stays disabled until every
// queued device has answered. Each window builds the chooser's rows; the
// three notices do nothing unless a window wants them.
class CDlgDevCommand : public QDialog, public IDevFilterCustomItem
{
    Q_OBJECT

public:
    // The check-box column, "Alias" and "Hostname".
    bool GetHeaderLabels(QStringList &headers) override;
    void OnDevItemAdded(QTreeWidget *pTree, CHOIDev *pDev, QTreeWidgetItem *pItem) override;
    void OnCurrentDevItemChanged(QTreeWidgetItem *pCurrent) override;
    void OnDevItemCheckChanged(QTreeWidgetItem *pItem) override;

    // Lists the scene's devices (all with no scene) with pDev checked and
    // runs the window modally.
    int ExecFor(CHOIScene *pScene, CHOIDev *pDev);

public slots:
    void slotOnDevCmdCompleted(CHOIDev *pDev, E_ControlObject emCtrlObj, E_CommResult eResult);

protected:
    // emCtrlObj: what the completions of the window's command carry (the
    // shell link's 0, or the IR sends' 1); other completions are ignored.
    CDlgDevCommand(E_ControlObject emCtrlObj, QWidget *parent);

    // The chooser of the form, once it is set up.
    void SetChooser(QDevFilterGroupBox *pChooser);
    // The checked devices become the pending ones; with none checked the
    // operator is told so and the answer is false.
    bool TakeCheckedDevs();
    // Nothing is sent after all.
    void ClearPending() { m_pendingDevs.clear(); }
    // Sends to each pending device in order: true when its command was
    // queued. A device that refuses turns red and is not waited for.
    void SendToPending(const std::function<bool(CHOIDev *)> &send);

private slots:
    // A device the manager deletes never reports; the window must not wait
    // for it.
    void slotOnPendingDevDestroyed(QObject *pObject);

private:
    const E_ControlObject m_emCtrlObj;
    QDevFilterGroupBox *m_pChooser = nullptr; // a child of the form
    QList<CHOIDev *> m_pendingDevs;
};

// The one instance of a window of this family: made on first use, a child
// of the window active then. The window names itself as TDlg.
template <class TDlg>
class CSharedDlg
{
public:
    // Opens the shared instance modally; scene and dev may be null (dev is
    // checked in the chooser).
    static int ShowDlg(CHOIScene *pScene, CHOIDev *pDev)
    {
        if (!s_pDlg)
            s_pDlg = new TDlg(QApplication::activeWindow());
        return s_pDlg->ExecFor(pScene, pDev);
    }

    static void DestroyDlg()
    {
        delete s_pDlg;
        s_pDlg = nullptr;
    }

protected:
    static bool HasSharedDlg() { return !s_pDlg.isNull(); }

private:
    // Goes with the window it was made for; the guard keeps a later opening
    // from touching a deleted instance.
    static QPointer<TDlg> s_pDlg;
};

template <class TDlg>
QPointer<TDlg> CSharedDlg<TDlg>::s_pDlg;

#endif
