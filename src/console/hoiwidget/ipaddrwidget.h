#ifndef HOI_CONSOLE_IPADDRWIDGET_H
#define HOI_CONSOLE_IPADDRWIDGET_H

#include <QWidget>

class QLabel;
class QSpinBox;

// IPv4 address entry: four number fields (0-255) separated by dots. The
// focus moves on as a person types an address: after three digits, on a
// period or the Right arrow, and back on the Left arrow. A field that gains
// the focus selects its text so the next digit replaces it. Owners read and
// fill the address; the widget sends no signals.
class QIPAddrWidget : public QWidget
{
    Q_OBJECT

public:
    explicit QIPAddrWidget(QWidget *parent = nullptr);
    ~QIPAddrWidget() override;

    bool eventFilter(QObject *watched, QEvent *event) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // "a.b.c.d" in decimal, field 1 first, no leading zeros.
    QString GetIPAddress() const;
    // Anything that is not an IPv4 address sets 0.0.0.0.
    void SetIPAddress(const QString &strAddr);

    // The address set of three fields about to be sent to a device: false,
    // after a critical box naming the field (behind strWhere, when given)
    // that now has the focus, when the device would drop off the network.
    static bool CheckAddressSet(QWidget *pParent, const QString &strWhere, QIPAddrWidget *pAddr,
                                QIPAddrWidget *pMask, QIPAddrWidget *pGateway);

private:
    QSpinBox *m_pSpinBox[4];
    QLabel *m_pDot[3];
};

#endif
