#ifndef HOI_CONSOLE_DRAGPAYLOAD_H
#define HOI_CONSOLE_DRAGPAYLOAD_H

#include <functional>

#include <QByteArray>
#include <QPixmap>
#include <QString>

class CHOIDev;
class QDrag;
class QDropEvent;
class QGraphicsSceneDragDropEvent;
class QMimeData;
class QWidget;

// Drag and drop of devices and grid cells between the windows of this one
// process. Three formats (g_strMimeTxItem, g_strMimeRxItem,
// g_strMimeCellItem of hoiconst.h), one per drag, each carrying a big-endian
// data stream: a 64-bit object address followed by two 32-bit integers.
//   device payload: CHOIDev address, hot spot x (98), hot spot y (112)
//   cell payload:   cell item address, row, column
// The addresses mean something only inside this process, so receivers use
// DroppedDev and DroppedCell, which refuse drags from other programs and
// devices that the manager no longer holds.

// Size of one grid cell and so of every drag picture.
const int kDragPixmapWidth = 196;
const int kDragPixmapHeight = 112;
// The middle of the picture's bottom edge: the picture hangs above the cursor.
const int kDragHotSpotX = 98;
const int kDragHotSpotY = 112;

struct T_DevDragPayload
{
    quint64 nDevAddr = 0;
    qint32 nHotSpotX = 0;
    qint32 nHotSpotY = 0;
};

struct T_CellDragPayload
{
    quint64 nItemAddr = 0;
    qint32 nRow = 0;
    qint32 nColumn = 0;
};

QByteArray WriteDevPayload(const CHOIDev *pDev);
QByteArray WriteCellPayload(const void *pCellItem, int nRow, int nColumn);
// False, with the payload zeroed, when the bytes are too short.
bool ReadDevPayload(const QByteArray &data, T_DevDragPayload *pPayload);
bool ReadCellPayload(const QByteArray &data, T_CellDragPayload *pPayload);

// The format a receiver handles, tested in receiver order (TX, RX, cell);
// empty when the data has none of the three.
QString DragFormat(const QMimeData *pData);

// True when the drag was started by a widget of this process (through
// ExecDrag, or known to the toolkit as a drag of this process).
bool IsOwnDrag(const QDropEvent *pEvent);
// The same, for a drag that carries an encoder (the TX format).
bool IsOwnTxDrag(const QDropEvent *pEvent);

// The manager's device at that address, or null when it holds none there.
CHOIDev *FindManagedDev(quint64 nAddr);

// The device of a drag in strFormat (the TX or RX format): null when the
// drag came from another program, lacks the format, is malformed, or names a
// device that is no longer in the manager's device list.
CHOIDev *DroppedDev(const QDropEvent *pEvent, const QString &strFormat);

// The payload of a cell drag: false when the drag came from another program,
// lacks the cell format, is malformed, or its row and column do not lie in a
// grid of nRowCount x nColCount. The item address is not checked here: the
// receiver looks it up among its own scene's items before touching it.
bool DroppedCell(const QDropEvent *pEvent, int nRowCount, int nColCount,
                 T_CellDragPayload *pPayload);

// The same three checks for drags over graphics items (the layout grid's
// cells), whose events are not QDropEvents.
bool IsOwnSceneDrag(const QGraphicsSceneDragDropEvent *pEvent);
CHOIDev *DroppedSceneDev(const QGraphicsSceneDragDropEvent *pEvent, const QString &strFormat);
bool DroppedSceneCell(const QGraphicsSceneDragDropEvent *pEvent, int nRowCount, int nColCount,
                 T_CellDragPayload *pPayload);

// The drag picture of a device: its tile, made translucent (alpha 180/255).
QPixmap MakeDragPixmap(CHOIDev *pDev);

// A drag of one payload under one format, owned by the source widget, with
// the device's picture and the hot spot set; run it with ExecDrag.
QDrag *CreateDrag(QWidget *pSource, const QString &strFormat, const QByteArray &payload,
                  CHOIDev *pPictureDev);

// Runs the drag modally with copy and move offered, copy by default. Every
// drag of the console goes through here so receivers can tell it is ours.
Qt::DropAction ExecDrag(QDrag *pDrag);

// Tests put in a runner that looks at the drag instead of running it; an
// empty runner brings back QDrag::exec.
using DragRunner = std::function<Qt::DropAction(QDrag &drag, Qt::DropActions supported,
                                               Qt::DropAction defaultAction)>;
void SetDragRunner(const DragRunner &runner);

#endif
