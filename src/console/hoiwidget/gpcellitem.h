#ifndef HOI_CONSOLE_GPCELLITEM_H
#define HOI_CONSOLE_GPCELLITEM_H

#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QGraphicsItem>

class CHOIDev;
class CHOIScene;
struct T_SceneCell;
struct T_VideoWallInfo;

// One cell of the layout grid: shows the TX sources, the RX and the video
// wall of its position in the layout, and takes drops of devices and of
// other cells. The cell's data lives in the layout; the item only points at
// it (row, column) and never owns the layout.
class CGpCellItem : public QGraphicsItem
{
    Q_DECLARE_TR_FUNCTIONS(CGpCellItem)

public:
    enum {
        Type = UserType + 0x4843, // for qgraphicsitem_cast
        E_CELL_WIDTH = 196,
        E_CELL_HEIGHT = 112,
        E_PITCH_X = 200, // cell width plus the 4-pixel gap
        E_PITCH_Y = 116,
        E_MARGIN = 4,
    };

    CGpCellItem(CHOIScene *pScene, int nRow, int nCol, bool bVWMode);
    ~CGpCellItem() override;

    int type() const override { return Type; }
    CHOIScene *GetLayout() const { return m_pScene; }
    int GetRow() const { return m_nRow; }
    int GetCol() const { return m_nCol; }
    bool IsVWMode() const { return m_bVWMode; }
    bool IsDropTarget() const { return m_bDropTarget; }
    // The cell of the layout at this item's position; null without a layout
    // or when the layout's grid no longer has the position.
    const T_SceneCell *GetCell() const;

    // The lines of text a cell shows, top to bottom.
    enum E_TextLine { E_LINE_TX, E_LINE_RX, E_LINE_WP };
    // The whole text of a line; empty where the cell shows nothing.
    QString LineText(E_TextLine eLine) const;
    // The line as painted: a text wider than the cell is cut in the middle,
    // so the distinguishing end of a name stays; the grid's tool tip holds
    // the whole names.
    QString ShownLineText(E_TextLine eLine) const;
    static QFont TextFont();

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

    // Marks this cell, or with bWholeWall the cells of its wall (its wall
    // row in mode 1), as the target of the running drag.
    void HighlightDropTarget(bool bWholeWall);
    // Unmarks every marked cell of the grid.
    void ClearAllHighlights();
    // A TX dropped on a cell of a wall feeds the wall (mode 1: the wall row).
    void SetVideoWallTxByDrop(CHOIDev *pTx, T_VideoWallInfo *pWall);

    // After an RX took a cell of pScene: the same cell of every layout of
    // its wall, the RX's wall and group; the RX it replaced leaves the wall.
    static void PlaceRxInWall(CHOIScene *pScene, int nRow, int nCol, CHOIDev *pRx,
                              CHOIDev *pPrevRx);

protected:
    void dragEnterEvent(QGraphicsSceneDragDropEvent *event) override;
    void dragLeaveEvent(QGraphicsSceneDragDropEvent *event) override;
    void dragMoveEvent(QGraphicsSceneDragDropEvent *event) override;
    void dropEvent(QGraphicsSceneDragDropEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;

private:
    // The processor of the cell's wall in a windowing-processor layout
    // (its stored display name brought up to date); null otherwise.
    CHOIDev *WallProcessor() const;

    // The layers of paint, bottom to top: the frame (a wall's cells share
    // one outline), the fill of the cell's state, the on-line icons and the
    // texts.
    QColor FillColor(const T_SceneCell &cell, const QStyleOptionGraphicsItem *option) const;
    void PaintFrame(QPainter *painter, const T_VideoWallInfo *pWall) const;
    void PaintFill(QPainter *painter, const QColor &fill) const;
    void PaintStateIcons(QPainter *painter, const T_SceneCell &cell) const;
    void PaintTexts(QPainter *painter) const;

    // A device dropped on the cell, by its rules in order. Each rule below
    // that refuses shows its message and returns false.
    void DropDevice(CHOIDev *pDev);
    // An RX is in one cell of one video wall at most.
    bool CheckRxNotPlaced(CHOIDev *pDev);
    // A windowing layout, or another layout of its wall that is one, takes
    // only decoders that can window that way; it takes no TX. These
    // refusals leave the marks of a TX held over a wall.
    bool CheckWindowingKinds(CHOIDev *pDev) const;
    bool HasSiblingLayout(bool (CHOIScene::*pfnIsKind)() const) const;
    // Puts the device into the cell (an MRX is refused); an RX also takes
    // the same cell of its wall's other layouts, and the RX it replaced
    // stops when auto-apply is on.
    bool PlaceInCell(CHOIDev *pDev);
    // The last step of every device drop. With auto-apply on, the cell's
    // devices are linked at once through CHOIScene::UpdateOneCellLink: a
    // decoder gets its source lines from CHOIScene::ApplyRx ("vi",
    // "ch_select", the audio source, its place in the layout), its encoders
    // theirs from CHOIScene::ApplyTx, a cell of a wall the wall's lines from
    // CHOIScene::ApplyVideoWall. Then the device lists and the information
    // dock hear of the device.
    void SendCellLinkToDevices(CHOIDev *pDev);
    bool RefuseClearingMarks(const QString &text);
    void DropCell(QGraphicsSceneDragDropEvent *event);
    bool HasLayoutCell() const;
    // The format of a drag over this cell that it may take; empty, with the
    // event ignored, for any other drag.
    QString TakenDragFormat(QGraphicsSceneDragDropEvent *event);
    CGpCellItem *FindItem(quint64 nAddr) const;

    CHOIScene *m_pScene;
    int m_nRow;
    int m_nCol;
    bool m_bDropTarget;
    bool m_bVWMode;
};

#endif
