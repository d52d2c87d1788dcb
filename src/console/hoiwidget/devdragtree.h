#ifndef HOI_CONSOLE_DEVDRAGTREE_H
#define HOI_CONSOLE_DEVDRAGTREE_H

#include <QPoint>
#include <QString>
#include <QTreeWidget>

class CHOIDev;

// A tree whose device rows are drag sources (the device list and the
// navigation tree): a row dragged far enough with the left button becomes a
// device drag with the device's tile as picture. Encoder drags of this
// console may pass over it and be dropped on it, which changes nothing;
// every other drag is refused.
class CDevDragTree : public QTreeWidget
{
    Q_OBJECT

public:
    explicit CDevDragTree(QWidget *parent = nullptr);

    QPoint GetDragStartPos() const { return m_ptDragStart; }

protected:
    // Whether a press on the row may start a drag at all; the others keep
    // the plain tree's mouse handling.
    virtual bool IsDragRow(const QTreeWidgetItem *pItem) const;
    // The device the row drags and the drag's format (TX or RX); null when
    // the row drags nothing.
    virtual CHOIDev *DragDev(const QTreeWidgetItem *pItem, QString &strFormat) const = 0;

    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void HandleDragOver(QDropEvent *event);

    QPoint m_ptDragStart; // viewport position of the last left press
};

#endif
