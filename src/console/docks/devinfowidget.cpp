#include "docks/devinfowidget.h"
#include "ui_devinfowidget.h"

#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidevmgr.h"
#include "hoiwidget/devtypelook.h"

CDevinfoWidget::CDevinfoWidget(QWidget *parent)
    : QDockWidget(parent)
{
    ui->setupUi(this);
    ui->textEdit->setReadOnly(true);
    ui->textEdit->setLineWrapMode(QTextEdit::NoWrap);
    if (g_pHOIDevMgr) {
        connect(g_pHOIDevMgr, &CHOIDevMgr::OnDevCmdCompleted, this,
                &CDevinfoWidget::slotOnDevCmdCompleted);
        connect(g_pHOIDevMgr, &CHOIDevMgr::OnDevNameChanged, this,
                &CDevinfoWidget::slotOnDevNameChanged);
        connect(g_pHOIDevMgr, &CHOIDevMgr::OnDeviceNotify, this, &CDevinfoWidget::slotOnDeviceNotify);
    }
}

CDevinfoWidget::~CDevinfoWidget() = default;

QTextEdit *CDevinfoWidget::GetTextEdit() const
{
    return ui->textEdit;
}

QString CDevinfoWidget::DetailText(CHOIDev *pDev)
{
    if (!pDev)
        return QString();
    const bool bController = pDev->GetDevType() == CHOIDev::E_DT_QN714;
    // A controller names its own type; other types the lists' word.
    QString strType;
    // The controllers' type is a word for the operator, in the interface's
    // language.
    if (bController)
        strType = pDev->GetTypeName() == g_strControllerType ? tr("IP Controller") : pDev->GetTypeName();
    else if (const T_DevTypeLook *pLook = FindDevTypeLook(pDev->GetDevType()))
        strType = QString::fromLatin1(pLook->pszText);

    QString strText;
    strText += tr("Alias: ") + pDev->GetDisplayName() + QLatin1Char('\n');
    strText += tr("Device Type: ") + strType + QLatin1Char('\n');
    strText += tr("Hostname: ") + (bController ? pDev->GetDisplayName() : pDev->GetDefaultName())
               + QLatin1Char('\n');
    strText += tr("IP Address: ") + pDev->GetIPAddr() + QLatin1Char('\n');
    if (bController)
        return strText;
    strText += tr("SinkInfo: ") + pDev->GetSinkInfo() + QLatin1Char('\n');
    if (!pDev->GetVideoIP().isEmpty())
        strText += pDev->GetVideoIP() + QLatin1Char('\n');
    strText += QStringLiteral("EDID:\r\n") + pDev->GetEdid();
    return strText;
}

void CDevinfoWidget::slotShowDevDetail(CHOIDev *pCurDev)
{
    m_pCurDev = pCurDev;
    ShowText(DetailText(pCurDev));
}

void CDevinfoWidget::slotShowEmptyDetail()
{
    ShowText(QString());
}

void CDevinfoWidget::ShowText(const QString &strText)
{
    // The device shown reports every finished command; text that stays the
    // same is not laid out again (and keeps the operator's selection).
    if (strText == m_strShownText)
        return;
    m_strShownText = strText;
    ui->textEdit->setPlainText(strText);
}

void CDevinfoWidget::slotOnDevCmdCompleted(CHOIDev *pDev, E_ControlObject emCtrlObj,
                                           E_CommResult eResult)
{
    Q_UNUSED(emCtrlObj)
    Q_UNUSED(eResult)
    if (pDev && pDev == m_pCurDev)
        slotShowDevDetail(pDev);
}

void CDevinfoWidget::slotOnDevNameChanged(CHOIDev *pDev)
{
    if (pDev && pDev == m_pCurDev)
        slotShowDevDetail(pDev);
}

void CDevinfoWidget::slotOnDeviceNotify(CHOIDev *pDev, E_DeviceNotify eNotify)
{
    // The details of a device that leaves the manager are no longer true.
    if (eNotify == E_DN_REMOVE && pDev && pDev == m_pCurDev) {
        m_pCurDev = nullptr;
        slotShowEmptyDetail();
    }
}

void CDevinfoWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        setWindowTitle(tr("Information"));
        // The labels of the details shown follow too; an emptied pane stays empty.
        if (m_pCurDev && !m_strShownText.isEmpty())
            ShowText(DetailText(m_pCurDev));
    }
    QDockWidget::changeEvent(event);
}
