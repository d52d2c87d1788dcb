#include "hoiwidget/devrowindex.h"

#include <QTreeWidget>
#include <QTreeWidgetItem>

namespace {

class CDevRow : public QTreeWidgetItem
{
public:
    CDevRow(const std::shared_ptr<QHash<const CHOIDev *, QTreeWidgetItem *>> &pRows, const CHOIDev *pDev)
        : m_pRows(pRows)
        , m_pDev(pDev)
    {
        m_pRows->insert(pDev, this);
    }

    ~CDevRow() override
    {
        const auto it = m_pRows->find(m_pDev);
        if (it != m_pRows->end() && it.value() == this)
            m_pRows->erase(it);
    }

private:
    std::shared_ptr<QHash<const CHOIDev *, QTreeWidgetItem *>> m_pRows;
    const CHOIDev *m_pDev;
};

} // namespace

CDevRowIndex::CDevRowIndex()
    : m_pRows(std::make_shared<T_Rows>())
{
}

QTreeWidgetItem *CDevRowIndex::NewRow(CHOIDev *pDev) const
{
    return new CDevRow(m_pRows, pDev);
}

QTreeWidgetItem *CDevRowIndex::Find(const CHOIDev *pDev) const
{
    if (!pDev)
        return nullptr;
    QTreeWidgetItem *pItem = m_pRows->value(pDev);
    // A row taken out of the tree, and not yet put back, is not shown.
    return pItem && pItem->treeWidget() ? pItem : nullptr;
}

QIcon SharedIcon(const QString &strPath)
{
    // Never freed: icons must not outlive the application object.
    static QHash<QString, QIcon> *s_pIcons = new QHash<QString, QIcon>;
    auto it = s_pIcons->find(strPath);
    if (it == s_pIcons->end())
        it = s_pIcons->insert(strPath, strPath.isEmpty() ? QIcon() : QIcon(strPath));
    return it.value();
}

void SetRowIcon(QTreeWidgetItem *pItem, int nColumn, const QString &strPath)
{
    const QIcon icon = SharedIcon(strPath);
    if (pItem->icon(nColumn).cacheKey() != icon.cacheKey())
        pItem->setIcon(nColumn, icon);
}
