#include "hoiwidget/ipaddrwidget.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHostAddress>
#include <QKeyEvent>
#include <QLabel>
#include <QSpinBox>

#include "hoi_core/hoidev.h"
#include "uiservices.h"

QIPAddrWidget::QIPAddrWidget(QWidget *parent)
    : QWidget(parent)
{
    for (QSpinBox *&pSpinBox : m_pSpinBox) {
        pSpinBox = new QSpinBox(this);
        pSpinBox->setRange(0, 255);
        pSpinBox->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
        pSpinBox->setButtonSymbols(QAbstractSpinBox::NoButtons);
        pSpinBox->setAlignment(Qt::AlignCenter);
        pSpinBox->setMinimumWidth(40);
        pSpinBox->installEventFilter(this);
    }
    for (QLabel *&pDot : m_pDot) {
        pDot = new QLabel(QStringLiteral("."), this);
        pDot->setFixedWidth(10);
        pDot->setAlignment(Qt::AlignCenter);
    }

    QHBoxLayout *pLayout = new QHBoxLayout;
    pLayout->setSpacing(0);
    pLayout->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 4; ++i) {
        pLayout->addWidget(m_pSpinBox[i]);
        if (i < 3)
            pLayout->addWidget(m_pDot[i]);
    }
    setLayout(pLayout);
}

QIPAddrWidget::~QIPAddrWidget() = default;

bool QIPAddrWidget::eventFilter(QObject *watched, QEvent *event)
{
    int nIndex = -1;
    for (int i = 0; i < 4; ++i) {
        if (watched == m_pSpinBox[i])
            nIndex = i;
    }
    if (nIndex < 0)
        return false;

    QSpinBox *pSpinBox = m_pSpinBox[nIndex];
    switch (event->type()) {
    case QEvent::FocusIn:
        pSpinBox->selectAll();
        return true;
    case QEvent::KeyPress: {
        const int nKey = static_cast<QKeyEvent *>(event)->key();
        // The typed digit replaces a lone zero instead of joining it.
        if (nKey >= Qt::Key_0 && nKey <= Qt::Key_9 && pSpinBox->text() == QLatin1String("0"))
            pSpinBox->clear();
        break;
    }
    case QEvent::KeyRelease: {
        const int nKey = static_cast<QKeyEvent *>(event)->key();
        if (nKey == Qt::Key_Period || nKey == Qt::Key_Right) {
            if (nIndex < 3)
                m_pSpinBox[nIndex + 1]->setFocus(Qt::OtherFocusReason);
        } else if (nKey == Qt::Key_Left) {
            if (nIndex > 0)
                m_pSpinBox[nIndex - 1]->setFocus(Qt::OtherFocusReason);
        } else if (nKey >= Qt::Key_0 && nKey <= Qt::Key_9) {
            if (nIndex < 3 && pSpinBox->text().size() == 3)
                m_pSpinBox[nIndex + 1]->setFocus(Qt::OtherFocusReason);
        }
        break;
    }
    default:
        break;
    }
    return false;
}

QSize QIPAddrWidget::sizeHint() const
{
    return layout()->sizeHint();
}

QSize QIPAddrWidget::minimumSizeHint() const
{
    return layout()->minimumSize();
}

QString QIPAddrWidget::GetIPAddress() const
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(m_pSpinBox[0]->value())
        .arg(m_pSpinBox[1]->value())
        .arg(m_pSpinBox[2]->value())
        .arg(m_pSpinBox[3]->value());
}

void QIPAddrWidget::SetIPAddress(const QString &strAddr)
{
    // toIPv4Address gives 0 for anything that is not an IPv4 address.
    const quint32 nAddr = QHostAddress(strAddr).toIPv4Address();
    m_pSpinBox[0]->setValue(int((nAddr >> 24) & 0xff));
    m_pSpinBox[1]->setValue(int((nAddr >> 16) & 0xff));
    m_pSpinBox[2]->setValue(int((nAddr >> 8) & 0xff));
    m_pSpinBox[3]->setValue(int(nAddr & 0xff));
}

bool QIPAddrWidget::CheckAddressSet(QWidget *pParent, const QString &strWhere, QIPAddrWidget *pAddr,
                                    QIPAddrWidget *pMask, QIPAddrWidget *pGateway)
{
    QIPAddrWidget *pBad = nullptr;
    QString strText;
    switch (CHOIDev::CheckIPv4Settings(pAddr->GetIPAddress(), pMask->GetIPAddress(), pGateway->GetIPAddress())) {
    case CHOIDev::E_AF_NONE:
        return true;
    case CHOIDev::E_AF_IPADDR:
        pBad = pAddr;
        strText = tr("Invalid IP address: %1");
        break;
    case CHOIDev::E_AF_NETMASK:
        pBad = pMask;
        strText = tr("Invalid subnet mask: %1");
        break;
    case CHOIDev::E_AF_GATEWAY:
        pBad = pGateway;
        strText = tr("Invalid gateway: %1");
        break;
    }
    strText = strText.arg(pBad->GetIPAddress());
    if (!strWhere.isEmpty())
        strText = strWhere + QLatin1Char('\n') + strText;
    MsgCritical(pParent, QString(), strText);
    pBad->setFocus(Qt::OtherFocusReason);
    return false;
}
