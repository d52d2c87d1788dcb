#ifndef HOI_CONSOLE_TABLEGRAPHICSVIEW_H
#define HOI_CONSOLE_TABLEGRAPHICSVIEW_H

#include <QGraphicsView>
#include <QList>
#include <QMetaObject>
#include <QPoint>
#include <QPointer>

#include "hoi_core/hoitypes.h"

class CGpCellItem;
class CHOIDev;
class CHOIScene;
class QMenu;
class QRubberBand;
struct T_CellPos;
struct T_SceneCell;
struct T_VideoWallInfo;

// The layout grid editor: one CGpCellItem per cell of the layout it shows.
// The operator selects cells (click, right-button rubber band, Ctrl+A),
// drops devices and cells on them, drags the RX of a cell to another cell,
// and edits the layout through the context menu. In video-wall mode only the
// RX screens of a video wall are placed. The view never owns the layout.
class CTableGraphicsView : public QGraphicsView
{
    Q_OBJECT

public:
    explicit CTableGraphicsView(QWidget *parent = nullptr);
    ~CTableGraphicsView() override;

    // Rebuilds the grid for the layout; null leaves it empty. Uses the
    // view's scene, making one when none was given.
    void SetCurScene(CHOIScene *pScene);
    CHOIScene *GetCurScene() const { return m_pCurScene; }
    // Video-wall mode applies to the grid built by the next SetCurScene.
    void SetVWMode(bool bVWMode) { m_bVWMode = bVWMode; }
    bool IsVWMode() const { return m_bVWMode; }

    CGpCellItem *CellItem(int nRow, int nCol) const;
    // The tool tip over a cell: the whole names of its devices.
    QString CellToolTip(const CGpCellItem *pItem) const;
    QList<CGpCellItem *> SelectedCells() const;
    // The walls covering selected cells, each once, in selection order.
    QList<T_VideoWallInfo *> GetSelectedVideoWalls() const;

    // The context menu for a right click on pItem, built fresh; the caller
    // owns it. Null without a layout or item.
    QMenu *CreateContextMenu(CGpCellItem *pItem);

    // Edit commands; with bCheckOnly they only tell whether they would do
    // something (the menu enables its entries by them).
    bool DoCombineCell(bool bCheckOnly);
    bool DoUncombineCell(bool bCheckOnly);
    bool DoRemoveTX(CHOIDev *pTx, bool bCheckOnly);
    bool DoRemoveRX(bool bCheckOnly);
    bool DoRxOsd(bool bOn, bool bCheckOnly);

public slots:
    void slotChangeTX();
    void slotChangeRX();
    void slotSelectAll();
    void slotRemoveAllRX();
    void slotRemoveAllTX();
    void slotRemoveTX();
    void slotRemoveRX();
    void slotCombineCell();
    void slotUncombineCell();
    void slotShowVwProperties();
    void slotTurnRxOsdOn();
    void slotTurnRxOsdOff();
    void slotShowRemoteControl();
    void slotShowSerial();
    void slotShowCEC();
    void slotOnDeviceNotify(CHOIDev *pDev, E_DeviceNotify eNotify);

protected:
    bool event(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool ShowToolTip(QHelpEvent *event, const QPoint &viewportPos);
    CGpCellItem *CellItemAt(const QPoint &viewportPos) const;
    void RepaintRect(int nRow, int nCol, int nRows, int nCols);
    void RepaintAll();
    void UpdateCells(const QList<T_CellPos> &cells);
    QString WallName() const;
    bool IsRxOffered(CHOIDev *pRx) const;
    // The groups of entries of the context menu, in their order.
    void AddChangeDevEntries(QMenu *pMenu, const QList<T_VideoWallInfo *> &walls, bool bWindowing);
    void AddRemoveDevEntries(QMenu *pMenu, const T_SceneCell *pCell);
    void AddEditEntries(QMenu *pMenu, const QList<T_VideoWallInfo *> &walls, bool bWindowing);
    void AddOsdEntries(QMenu *pMenu);
    void AddControlEntries(QMenu *pMenu);
    // Opens a shared control dialog for the layout and the RX of the first
    // selected cell (none when that cell has none); nothing without a
    // selected cell.
    template <typename TResult>
    void ShowDeviceDialog(TResult (*pfnShowDlg)(CHOIScene *, CHOIDev *));
    // Whether the view still shows pScene after a box or dialog ran: a
    // scheduled apply may have shown another layout meanwhile. An edit
    // begun on a layout no longer shown is dropped.
    bool IsStillShown(const QPointer<CHOIScene> &pScene) const;
    bool ConfirmClear(const QString &strQuestion);

    CHOIScene *m_pCurScene;
    QRubberBand *m_pRubberBand;
    QPoint m_ptRightPress;
    QPoint m_ptLeftPress;
    bool m_bVWMode;
    QMetaObject::Connection m_sceneGone;

    friend class CGpCellItem;
};

#endif
