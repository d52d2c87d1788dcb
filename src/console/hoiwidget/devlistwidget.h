#ifndef HOI_CONSOLE_DEVLISTWIDGET_H
#define HOI_CONSOLE_DEVLISTWIDGET_H

#include <QPoint>
#include <QTreeWidget>

// The tree of a device list frame as a drag source: a TX or RX row dragged
// far enough becomes a device drag (TX or RX format) with the device's
// tile as picture. TX drags may be dropped back on the tree; that changes
// nothing. Rows keep their device in column 0 under Qt::UserRole
// (DevToVariant, itemdata.h).
class QDevListWidget : public QTreeWidget
{
    Q_OBJECT

public:
    explicit QDevListWidget(QWidget *parent = nullptr);

    QPoint GetDragStartPos() const { return m_ptDragStart; }

protected:
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
