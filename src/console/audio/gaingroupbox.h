#ifndef HOI_CONSOLE_GAINGROUPBOX_H
#define HOI_CONSOLE_GAINGROUPBOX_H

#include <QGroupBox>
#include <QTimer>

namespace Ui {
class CGainGroupBox;
}

class CHOIDev;
struct T_ProdIdInfo;

// Input gain and phantom power of one audio port of one device, in the
// product's gain steps. A gain change is sent 500 ms after the last
// movement; phantom power at once.
class CGainGroupBox : public QGroupBox
{
    Q_OBJECT

public:
    enum { E_APPLY_DELAY = 500 };

    CGainGroupBox(const T_ProdIdInfo *pProd, CHOIDev *pDev, int nPortType, int nPortIndex,
                  QWidget *parent = nullptr);
    ~CGainGroupBox() override;

public slots:
    void slotApply();
    void slotGainChanged(int value);
    void slotPowerClicked();
    void slotGainEditingFinished();

protected:
    void changeEvent(QEvent *event) override;

private:
    void SetTitle();
    int GainStep() const;

    Ui::CGainGroupBox *ui;
    const T_ProdIdInfo *m_pProd; // not owned
    CHOIDev *m_pDev;             // not owned
    int m_nPortType;
    int m_nPortIndex;
    QTimer m_applyTimer;
};

#endif
