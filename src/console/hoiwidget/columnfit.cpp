#include "hoiwidget/columnfit.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QTimer>
#include <QTreeView>

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

void KeepColumnsFitted(QTreeView *pView)
{
    QTimer *pTimer = new QTimer(pView);
    pTimer->setSingleShot(true);
    pTimer->setInterval(0);
    QObject::connect(pTimer, &QTimer::timeout, pView, [pView]() { FitColumnsToContents(pView); });
    auto refit = [pTimer]() { pTimer->start(); };
    QAbstractItemModel *pModel = pView->model();
    QObject::connect(pModel, &QAbstractItemModel::rowsInserted, pTimer, refit);
    QObject::connect(pModel, &QAbstractItemModel::columnsInserted, pTimer, refit);
    QObject::connect(pModel, &QAbstractItemModel::dataChanged, pTimer, refit);
    QObject::connect(pModel, &QAbstractItemModel::modelReset, pTimer, refit);
    QObject::connect(pModel, &QAbstractItemModel::layoutChanged, pTimer, refit);
    QObject::connect(pModel, &QAbstractItemModel::headerDataChanged, pTimer, refit);
    QObject::connect(pView, &QTreeView::expanded, pTimer, refit);
    refit();
}
