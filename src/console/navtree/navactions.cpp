#include "navtree/navactions.h"

#include <QDebug>
#include <QDialog>

#include "batch/dlgbatchgroup.h"
#include "dialogs/dlgcreategroup.h"
#include "dialogs/dlgdevedit.h"
#include "dialogs/dlgrxchangegroup.h"
#include "dialogs/dlgvwedit.h"

namespace {

// Runners of the dialogs opened from the tree, plugged in DefaultNavActions.
template <class TDialog>
T_VWEditResult RunVWEdit(CHOIScene *pWall, const QString &strGroup, QWidget *parent)
{
    TDialog dlg(pWall, parent);
    dlg.SetGroupName(strGroup);
    dlg.exec();
    T_VWEditResult result;
    result.bOk = dlg.m_bOk;
    result.strOldName = dlg.m_strName;
    result.pWall = dlg.GetEditedVideoWall();
    return result;
}

template <class TDialog>
bool RunRxChangeGroup(CHOIDev *pDev, QWidget *parent, QString *pGroup)
{
    TDialog dlg(pDev, parent);
    const bool bAccepted = dlg.exec() == QDialog::Accepted;
    if (bAccepted && pGroup)
        *pGroup = dlg.m_strGroup;
    return bAccepted;
}

template <class TDialog>
void RunBatchGroup(QWidget *parent, const DevNotifyCallback &onDevChangeGroup)
{
    TDialog dlg(parent);
    QObject::connect(&dlg, &TDialog::signalDevChangeGroup, &dlg,
                     [onDevChangeGroup](CHOIDev *pDev) { onDevChangeGroup(pDev); });
    dlg.exec();
}

T_CreateGroupResult RunCreateGroup(const QString &strName, int nType, QWidget *parent)
{
    CDlgCreateGroup dlg(strName, parent);
    dlg.SetType(nType);
    dlg.exec();
    T_CreateGroupResult result;
    result.bOK = dlg.m_bOK;
    result.nType = dlg.m_nType;
    result.strName = dlg.m_strName;
    return result;
}

T_NavActions DefaultNavActions()
{
    T_NavActions actions;
    actions.devEdit = [](CHOIDev *pDev, QWidget *parent, const DevNotifyCallback &onDevChanged) {
        CDlgDevEdit dlg(pDev, parent);
        QObject::connect(&dlg, &CDlgDevEdit::onDevChanged, &dlg,
                         [onDevChanged](CHOIDev *pChanged) { onDevChanged(pChanged); });
        dlg.exec();
    };
    actions.vwEdit = RunVWEdit<CDlgVWEdit>;
    actions.rxChangeGroup = RunRxChangeGroup<CDlgRxChangeGroup>;
    actions.batchGroup = RunBatchGroup<CDlgBatchGroup>;
    actions.createGroup = [](const QString &strName, QWidget *parent) {
        return RunCreateGroup(strName, 1, parent);
    };
    actions.createLocationOrGroup = [](const QString &strName, QWidget *parent) {
        return RunCreateGroup(strName, 0, parent);
    };
    return actions;
}

} // namespace

T_NavActions &NavActions()
{
    static T_NavActions actions = DefaultNavActions();
    return actions;
}

void ResetNavActions()
{
    NavActions() = DefaultNavActions();
}
