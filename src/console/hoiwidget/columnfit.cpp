#include "hoiwidget/columnfit.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QTimer>
#include <QTreeView>
#include <QVector>

namespace {

int ColumnWidthWanted(QTreeView *pView, int nColumn)
{
    // QTreeView hides its own override; the base's is public.
    const QAbstractItemView *pItems = pView;
    return qMax(pItems->sizeHintForColumn(nColumn), pView->header()->sectionSizeHint(nColumn));
}

} // namespace

void FitColumnsToContents(QTreeView *pView)
{
    QHeaderView *pHeader = pView->header();
    for (int c = 0; c < pHeader->count(); ++c) {
        const int nWanted = ColumnWidthWanted(pView, c);
        if (!pHeader->isSectionHidden(c) && pHeader->sectionSize(c) < nWanted)
            pHeader->resizeSection(c, nWanted);
    }
}

int ContentsWidth(QTreeView *pView)
{
    int nWidth = 0;
    for (int c = 0; c < pView->header()->count(); ++c) {
        if (!pView->header()->isSectionHidden(c))
            nWidth += ColumnWidthWanted(pView, c);
    }
    return nWidth;
}

namespace {

// Keeps the columns of one view fitted. A row that changes or comes in is
// measured by itself: measuring every row after each change costs a
// thousand text layouts a turn in a fleet's lists. Changes that may touch
// every row (a reset, new columns, a new header, an expanded branch) are
// fitted over the rows as the view measures them. A new order of the rows
// (a sorted list re-sorting a changed row) changes no width.
class CColumnFitter : public QObject
{
public:
    explicit CColumnFitter(QTreeView *pView)
        : QObject(pView)
        , m_pView(pView)
    {
        m_timer.setSingleShot(true);
        m_timer.setInterval(0);
        connect(&m_timer, &QTimer::timeout, this, &CColumnFitter::Fit);
        QAbstractItemModel *pModel = pView->model();
        connect(pModel, &QAbstractItemModel::rowsInserted, this, &CColumnFitter::MeasureRows);
        connect(pModel, &QAbstractItemModel::dataChanged, this, &CColumnFitter::MeasureChange);
        const auto fitAll = [this]() { FitAllLater(); };
        connect(pModel, &QAbstractItemModel::columnsInserted, this, fitAll);
        connect(pModel, &QAbstractItemModel::modelReset, this, fitAll);
        connect(pModel, &QAbstractItemModel::headerDataChanged, this, fitAll);
        connect(pView, &QTreeView::expanded, this, fitAll);
        FitAllLater();
    }

private:
    void FitAllLater()
    {
        m_bFitAll = true;
        m_timer.start();
    }

    void MeasureRows(const QModelIndex &parent, int nFirst, int nLast)
    {
        if (m_bFitAll)
            return;
        QAbstractItemModel *pModel = m_pView->model();
        for (int nRow = nFirst; nRow <= nLast; ++nRow) {
            for (int c = 0; c < pModel->columnCount(parent); ++c)
                Measure(pModel->index(nRow, c, parent));
        }
    }

    void MeasureChange(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QVector<int> &roles)
    {
        static const int kShapeRoles[] = {Qt::DisplayRole, Qt::DecorationRole, Qt::EditRole,
                                          Qt::FontRole,    Qt::SizeHintRole,   Qt::CheckStateRole};
        if (m_bFitAll || !topLeft.isValid())
            return;
        bool bShape = roles.isEmpty();
        for (int nRole : kShapeRoles)
            bShape = bShape || roles.contains(nRole);
        if (!bShape)
            return;
        const QModelIndex parent = topLeft.parent();
        for (int nRow = topLeft.row(); nRow <= bottomRight.row(); ++nRow) {
            for (int c = topLeft.column(); c <= bottomRight.column(); ++c)
                Measure(topLeft.sibling(nRow, c));
        }
    }

    // As the view measures a row for its column: the delegate's width, and
    // in the tree's column the indentation of the row's level.
    void Measure(const QModelIndex &index)
    {
        const int nColumn = index.column();
        if (!index.isValid() || m_pView->isColumnHidden(nColumn))
            return;
        int nWidth = m_pView->sizeHintForIndex(index).width();
        const int nTreeColumn =
            m_pView->treePosition() >= 0 ? m_pView->treePosition() : m_pView->header()->logicalIndex(0);
        if (nColumn == nTreeColumn) {
            int nLevel = m_pView->rootIsDecorated() ? 1 : 0;
            for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
                ++nLevel;
            nWidth += nLevel * m_pView->indentation();
        }
        if (m_wanted.size() <= nColumn)
            m_wanted.resize(nColumn + 1);
        if (nWidth > m_wanted.at(nColumn)) {
            m_wanted[nColumn] = nWidth;
            m_timer.start();
        }
    }

    void Fit()
    {
        if (m_bFitAll) {
            FitColumnsToContents(m_pView);
        } else {
            QHeaderView *pHeader = m_pView->header();
            for (int c = 0; c < m_wanted.size() && c < pHeader->count(); ++c) {
                if (!pHeader->isSectionHidden(c) && pHeader->sectionSize(c) < m_wanted.at(c))
                    pHeader->resizeSection(c, m_wanted.at(c));
            }
        }
        m_bFitAll = false;
        m_wanted.clear();
    }

    QTreeView *m_pView;
    QTimer m_timer;
    QVector<int> m_wanted; // per column: the widest row measured since the last fit
    bool m_bFitAll = false;
};

} // namespace

void KeepColumnsFitted(QTreeView *pView)
{
    new CColumnFitter(pView);
}
