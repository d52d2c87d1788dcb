// Groups and locations. Members carry the names as text, so renaming or
// removing one rewrites the text in every device, layout and video wall.
#include "hoi_core/hoidevmgr.h"

#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoiscene.h"

#include <algorithm>

namespace {

// Gives every item that carries the name from (as its group or location,
// read by get and written by set) the name to instead.
template <class Item>
void ReplaceName(const QList<Item*>& items, const QString& (Item::*get)() const,
                 void (Item::*set)(const QString&), const QString& from, const QString& to)
{
    for (Item* pItem : items) {
        if ((pItem->*get)() == from)
            (pItem->*set)(to);
    }
}

} // namespace

// ---------------------------------------------------------------------------
// Groups

bool CHOIDevMgr::AddGroup(QString name, uint sequence)
{
    if (IndexOfGroup(name) >= 0)
        return false;
    T_GroupInfo* pGroup = new T_GroupInfo;
    pGroup->sequence = sequence;
    pGroup->name = name;
    m_groupList.append(pGroup);
    return true;
}

int CHOIDevMgr::IndexOfGroup(QString name) const
{
    for (int i = 0; i < m_groupList.size(); ++i) {
        if (m_groupList.at(i)->name == name)
            return i;
    }
    return -1;
}

QString CHOIDevMgr::GetGroupName(int index) const
{
    return m_groupList.at(index)->name;
}

bool CHOIDevMgr::RemoveGroup(const QString& name)
{
    const int index = IndexOfGroup(name);
    if (index < 0)
        return false;
    // The argument may be the record's own name, which is deleted below.
    const QString groupName = name;
    ReplaceGroupName(groupName, g_strUngrouped);
    delete m_groupList.takeAt(index);
    return true;
}

bool CHOIDevMgr::RenameGroup(const QString& oldName, const QString& newName)
{
    const int index = IndexOfGroup(oldName);
    if (index < 0)
        return false;
    const QString strOld = oldName;
    const QString strNew = newName;
    m_groupList.at(index)->name = strNew;
    ReplaceGroupName(strOld, strNew);
    return true;
}

void CHOIDevMgr::ReplaceGroupName(const QString& from, const QString& to)
{
    ReplaceName(m_devList, &CHOIDev::GetGroup, &CHOIDev::SetGroup, from, to);
    ReplaceName(m_sceneList, &CHOIScene::GetGroup, &CHOIScene::SetGroup, from, to);
    ReplaceName(m_videoWallList, &CHOIScene::GetGroup, &CHOIScene::SetGroup, from, to);
}

void CHOIDevMgr::SetGroupSequence(const QString& name, uint sequence)
{
    const int index = IndexOfGroup(name);
    if (index >= 0)
        m_groupList.at(index)->sequence = sequence;
}

void CHOIDevMgr::SortGroupList()
{
    std::stable_sort(m_groupList.begin(), m_groupList.end(), [](const T_GroupInfo* a, const T_GroupInfo* b) {
        return static_cast<int>(a->sequence) < static_cast<int>(b->sequence);
    });
    for (int i = 0; i < m_groupList.size(); ++i)
        m_groupList.at(i)->sequence = static_cast<uint>(i + 1);
}

// ---------------------------------------------------------------------------
// Locations

bool CHOIDevMgr::AddLocation(QString name)
{
    if (m_locationList.contains(name))
        return false;
    m_locationList.append(name);
    return true;
}

int CHOIDevMgr::IndexOfLocation(QString name) const
{
    return m_locationList.indexOf(name);
}

QString CHOIDevMgr::GetLocationName(int index) const
{
    return m_locationList.at(index);
}

bool CHOIDevMgr::RemoveLocation(const QString& name)
{
    const int index = m_locationList.indexOf(name);
    if (index < 0)
        return false;
    const QString location = name;
    for (CHOIDev* pDev : qAsConst(m_devList)) {
        if (pDev->GetLocation() == location)
            pDev->SetLocation(QString());
    }
    // A layout leaving its location follows the rest of its wall, but not the
    // layouts that leave with it: they would hand the removed name back.
    QList<CHOIScene*> affected;
    for (CHOIScene* pScene : qAsConst(m_sceneList)) {
        if (pScene->GetLocation() == location)
            affected.append(pScene);
    }
    for (CHOIScene* pScene : qAsConst(affected))
        pScene->LeaveLocation(affected);
    m_locationList.removeAt(m_locationList.indexOf(location));
    return true;
}

bool CHOIDevMgr::RenameLocation(const QString& oldName, const QString& newName)
{
    const int index = m_locationList.indexOf(oldName);
    if (index < 0)
        return false;
    const QString strOld = oldName;
    const QString strNew = newName;
    m_locationList[index] = strNew;
    ReplaceName(m_devList, &CHOIDev::GetLocation, &CHOIDev::SetLocation, strOld, strNew);
    ReplaceName(m_sceneList, &CHOIScene::GetLocation, &CHOIScene::SetLocation, strOld, strNew);
    return true;
}
