#ifndef HOI_CONSOLE_NAVACTIONS_H
#define HOI_CONSOLE_NAVACTIONS_H

#include <functional>

#include <QString>

class CHOIDev;
class CHOIScene;
class QWidget;

// The dialogs of other areas that the navigation tree and the group editor
// open and read a result from. Each is one replaceable entry of a table: its
// default runs the dialog. Tests put in entries that answer in place of the
// operator; ResetNavActions brings back the defaults. The
// settings dialogs of one device go through the device lists' table
// (devlist/devactions.h) instead.

// What the video wall create/edit dialog reports after it closed.
struct T_VWEditResult
{
    bool bOk = false;           // OK passed its checks
    QString strOldName;         // the wall's name when the dialog opened
    CHOIScene *pWall = nullptr; // the wall edited, or the one OK built
};

// What the create group dialog reports after it closed.
struct T_CreateGroupResult
{
    bool bOK = false;
    int nType = 0; // 0 location, 1 group
    QString strName;
};

using DevNotifyCallback = std::function<void(CHOIDev *pDev)>;

struct T_NavActions
{
    // CDlgDevEdit, modal; onDevChanged is called for each onDevChanged.
    std::function<void(CHOIDev *pDev, QWidget *parent, const DevNotifyCallback &onDevChanged)>
        devEdit;
    // CDlgVWEdit, modal; a null wall creates one; the group is preset.
    std::function<T_VWEditResult(CHOIScene *pWall, const QString &strGroup, QWidget *parent)>
        vwEdit;
    // CDlgRxChangeGroup, modal: true when accepted, with the chosen group.
    std::function<bool(CHOIDev *pDev, QWidget *parent, QString *pGroup)> rxChangeGroup;
    // CDlgBatchGroup, modal; onDevChangeGroup is called for each
    // signalDevChangeGroup while it is open.
    std::function<void(QWidget *parent, const DevNotifyCallback &onDevChangeGroup)> batchGroup;
    // CDlgCreateGroup, modal, with the name to start from; for the group
    // commands, so it starts on "Group" and refuses another group's name.
    std::function<T_CreateGroupResult(const QString &strName, QWidget *parent)> createGroup;
    // The same dialog starting on "Location", for the group editor's Add.
    std::function<T_CreateGroupResult(const QString &strName, QWidget *parent)> createLocationOrGroup;
};

// The table the windows call through.
T_NavActions &NavActions();
void ResetNavActions();

#endif
