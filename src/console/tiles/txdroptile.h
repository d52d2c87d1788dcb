#ifndef HOI_CONSOLE_TXDROPTILE_H
#define HOI_CONSOLE_TXDROPTILE_H

#include <QWidget>

class QDropEvent;

// A tile of the group page on which an encoder may be dropped (decoder, wall
// and "To all screens" tiles). Only encoder drags of this console are
// welcome; a drop that carries the TX format goes to DropTx, any other is
// refused. What the encoder is checked for is up to the tile, and so is
// whether a tile with auto-apply on sends its change at once.
class CTxDropTile : public QWidget
{
    Q_OBJECT

public:
    explicit CTxDropTile(QWidget *parent = nullptr);

    bool IsAutoApply() const { return m_bAutoApply; }

public slots:
    void slotIsAutoAppy(bool isAuto);
    // A drop forwarded by the "To all screens" tile: handled as a drop here.
    void slotOneKey(QDropEvent *event);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

    // A drop here or one forwarded by the "To all screens" tile.
    void HandleDrop(QDropEvent *event);
    // A drop in the TX format; the tile accepts it once it took it.
    virtual void DropTx(QDropEvent *event) = 0;

private:
    void AcceptTxDrag(QDragMoveEvent *event);

    bool m_bAutoApply = false;
};

#endif
