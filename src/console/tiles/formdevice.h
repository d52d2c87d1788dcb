#ifndef HOI_CONSOLE_FORMDEVICE_H
#define HOI_CONSOLE_FORMDEVICE_H

#include <QDropEvent>

#include "hoiwidget/formui.h"
#include "tiles/txdroptile.h"

class CHOIDev;
class CHOIScene;
class QMenu;

namespace Ui {
class CFormDevice;
}

// The tile of one decoder (RX or MRX) on the group page. An encoder dropped
// on it, or chosen from its menu, becomes the decoder's source; the tile keeps
// the link in its own one-cell layout so it can be applied to these two
// devices alone: at once with auto-apply, or later through Apply().
class CFormDevice : public CTxDropTile
{
    Q_OBJECT

public:
    explicit CFormDevice(CHOIDev *pDev, QWidget *parent = nullptr);
    ~CFormDevice() override;

    // Null once the decoder has been deleted.
    CHOIDev *GetDev() const { return m_pDev; }
    // The tile's own layout (1 x 1); never in the manager's lists.
    CHOIScene *GetScene() const { return m_pScene; }

    // The right-click menu, built fresh: "Change TX" with every encoder of
    // the manager, and "Remove TX". The caller deletes it.
    QMenu *CreateContextMenu();

signals:
    void signalDoubleClick(CHOIDev *pDev);

public slots:
    void Apply();
    void slotChangeTX();
    void slotRemoveTX();

protected:
    void DropTx(QDropEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private slots:
    void slotOnDevDestroyed(QObject *pObject);

private:
    // Puts pTx into the cell and records it on the decoder; a refusal shows
    // the layout's text in a box parented to pMsgParent.
    bool LinkTx(CHOIDev *pTx, QWidget *pMsgParent);
    void ApplyCellIfAuto();
    void WatchDev(CHOIDev *pDev);
    // Drops a device being destroyed from the private layout.
    void ForgetDeadDev(CHOIDev *pDev);
    void UpdateLabels();

    CFormUi<Ui::CFormDevice> ui;
    CHOIDev *m_pDev;
    CHOIScene *m_pScene;
};

#endif
