#include "control/dlgserialmsg.h"
#include "ui_dlgserialmsg.h"

#include <QApplication>
#include <QDebug>
#include <QEvent>
#include <QMetaEnum>
#include <QTextCursor>
#include <QTreeWidgetItem>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "uiservices.h"

QPointer<CDlgSerialMsg> CDlgSerialMsg::s_pDlg;

namespace {

// Parity choices: the value is the letter's character code ('n', 'o', 'e').
struct T_ParityName
{
    int value;
    const char *name;
};

const T_ParityName kParityNames[] = {
    {CHOIDev::PAR_NONE, QT_TRANSLATE_NOOP("CDlgSerialMsg", "None")},
    {CHOIDev::PAR_ODD, QT_TRANSLATE_NOOP("CDlgSerialMsg", "Odd")},
    {CHOIDev::PAR_EVEN, QT_TRANSLATE_NOOP("CDlgSerialMsg", "Even")},
};

QString WithoutLineBreaks(QString strText)
{
    strText.remove(QLatin1Char('\n'));
    strText.remove(QLatin1Char('\r'));
    return strText;
}

bool IsHexInputChar(QChar ch)
{
    const QChar upper = ch.toUpper();
    return (upper >= QLatin1Char('0') && upper <= QLatin1Char('9'))
           || (upper >= QLatin1Char('A') && upper <= QLatin1Char('F')) || upper == QLatin1Char(' ');
}

} // namespace

CDlgSerialMsg::CDlgSerialMsg(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::CDlgSerialMsg)
    , m_bFilteringHex(false)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    const QMetaEnum rates = QMetaEnum::fromType<CHOIDev::BaudRateType>();
    for (int i = 0; i < rates.keyCount(); ++i)
        ui->cmbBaudRate->addItem(QString::number(rates.value(i)));
    ui->cmbBaudRate->setCurrentText(QStringLiteral("115200"));
    FillCombos();
    ui->cmbDataBits->setCurrentText(QStringLiteral("8"));
    ui->cmbStopBits->setCurrentIndex(0);
    ui->cmbParity->setCurrentIndex(0);

    connect(ui->btnSendMsg, &QPushButton::clicked, this, &CDlgSerialMsg::slotSendMsg);
    if (g_pHOIDevMgr)
        connect(g_pHOIDevMgr, &CHOIDevMgr::OnDevCmdCompleted, this, &CDlgSerialMsg::slotOnDevCmdCompleted);
    connect(ui->edtMsg, &QPlainTextEdit::textChanged, this, &CDlgSerialMsg::slotTextChanged);
}

CDlgSerialMsg::~CDlgSerialMsg()
{
    delete ui;
}

int CDlgSerialMsg::ShowDlg(CHOIScene *pScene, CHOIDev *pDev)
{
    if (!s_pDlg)
        s_pDlg = new CDlgSerialMsg(QApplication::activeWindow());
    s_pDlg->ui->gbDevices->Init(s_pDlg, pScene, pDev);
    return s_pDlg->exec();
}

void CDlgSerialMsg::DestroyDlg()
{
    if (s_pDlg) {
        qDebug() << "Destroy Serial Dialog";
        delete s_pDlg;
        s_pDlg = nullptr;
    }
}

void CDlgSerialMsg::FillCombos()
{
    ui->cmbDataBits->clear();
    ui->cmbDataBits->addItems({QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8")});
    ui->cmbStopBits->clear();
    ui->cmbStopBits->addItems({QStringLiteral("1"), QStringLiteral("2")});
    ui->cmbParity->clear();
    for (const T_ParityName &parity : kParityNames)
        ui->cmbParity->addItem(tr(parity.name), parity.value);
}

void CDlgSerialMsg::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        // The parity names are refilled in the new language; the format the
        // operator chose stays as it was.
        const QString strDataBits = ui->cmbDataBits->currentText();
        const QString strStopBits = ui->cmbStopBits->currentText();
        const QVariant parity = ui->cmbParity->currentData();
        FillCombos();
        ui->cmbDataBits->setCurrentText(strDataBits);
        ui->cmbStopBits->setCurrentText(strStopBits);
        ui->cmbParity->setCurrentIndex(qMax(0, ui->cmbParity->findData(parity)));
    }
    QDialog::changeEvent(event);
}

// ---------------------------------------------------------------------------
// The chooser's rows: devices with a serial port only.

bool CDlgSerialMsg::GetHeaderLabels(QStringList &headers)
{
    headers << QString() << tr("Alias") << tr("Hostname");
    return true;
}

QTreeWidgetItem *CDlgSerialMsg::CreateDevItem(CHOIDev *pDev)
{
    if (!pDev || !g_pHOIDevMgr || !g_pHOIDevMgr->IsSupportRs232(pDev))
        return nullptr;
    return NewAliasHostnameItem(pDev);
}

void CDlgSerialMsg::OnDevItemAdded(QTreeWidget *pTree, CHOIDev *pDev, QTreeWidgetItem *pItem)
{
    Q_UNUSED(pTree)
    Q_UNUSED(pDev)
    Q_UNUSED(pItem)
}

void CDlgSerialMsg::OnCurrentDevItemChanged(QTreeWidgetItem *pCurrent)
{
    Q_UNUSED(pCurrent)
}

void CDlgSerialMsg::OnDevItemCheckChanged(QTreeWidgetItem *pItem)
{
    Q_UNUSED(pItem)
}

// ---------------------------------------------------------------------------
// Sending

void CDlgSerialMsg::slotSendMsg()
{
    const QString strMsg = WithoutLineBreaks(ui->edtMsg->toPlainText());
    if (strMsg.isEmpty())
        return;
    m_pendingDevs = ui->gbDevices->GetCheckedDevList();
    if (m_pendingDevs.isEmpty()) {
        MsgCritical(this, QString(), tr("No controlled device was selected."));
        return;
    }

    const uint nBaudRate = ui->cmbBaudRate->currentText().toUInt();
    const uint nDataBits = ui->cmbDataBits->currentText().toUInt();
    const uint nStopBits = ui->cmbStopBits->currentText().toUInt();
    const char cParity = char(ui->cmbParity->currentData().toInt());
    const bool bHex = ui->chkHexSend->isChecked();
    const bool bAddCRLF = ui->chkSendCrLf->isChecked();

    const QList<CHOIDev *> devs = m_pendingDevs;
    for (CHOIDev *pDev : devs) {
        if (pDev->SendSerialMsg(strMsg, bHex, bAddCRLF, nBaudRate, nDataBits, cParity, nStopBits)) {
            ui->gbDevices->SetDevItemColor(pDev, Qt::black);
            connect(pDev, &QObject::destroyed, this, &CDlgSerialMsg::slotOnPendingDevDestroyed,
                    Qt::UniqueConnection);
        } else {
            ui->gbDevices->SetDevItemColor(pDev, Qt::red);
            m_pendingDevs.removeAll(pDev);
        }
    }
    setEnabled(m_pendingDevs.isEmpty());
}

void CDlgSerialMsg::slotOnDevCmdCompleted(CHOIDev *pDev, E_ControlObject emCtrlObj, E_CommResult eResult)
{
    if (emCtrlObj != E_CO_DEV || !m_pendingDevs.contains(pDev))
        return;
    m_pendingDevs.removeOne(pDev);
    ui->gbDevices->SetDevItemColor(pDev, eResult == 0 ? Qt::green : Qt::red);
    setEnabled(m_pendingDevs.isEmpty());
}

// A device the manager deletes never reports; the dialog must not wait for
// it.
void CDlgSerialMsg::slotOnPendingDevDestroyed(QObject *pObject)
{
    for (int i = m_pendingDevs.size() - 1; i >= 0; --i) {
        if (static_cast<QObject *>(m_pendingDevs.at(i)) == pObject)
            m_pendingDevs.removeAt(i);
    }
    setEnabled(m_pendingDevs.isEmpty());
}

// ---------------------------------------------------------------------------
// Message editing

void CDlgSerialMsg::on_edtMsg_textChanged()
{
    ui->btnSendMsg->setEnabled(!ui->edtMsg->toPlainText().isEmpty());
}

void CDlgSerialMsg::slotTextChanged()
{
    if (!ui->chkHexSend->isChecked() || m_bFilteringHex)
        return;
    // Each deletion changes the text again: strip a pasted run of wrong
    // characters here in one loop rather than one nested call per character.
    m_bFilteringHex = true;
    for (;;) {
        const QString strText = WithoutLineBreaks(ui->edtMsg->toPlainText());
        if (strText.isEmpty() || IsHexInputChar(strText.at(strText.size() - 1)))
            break;
        QTextCursor cursor = ui->edtMsg->textCursor();
        cursor.movePosition(QTextCursor::End);
        if (cursor.position() == 0)
            break;
        cursor.deletePreviousChar();
        ui->edtMsg->setTextCursor(cursor);
    }
    m_bFilteringHex = false;
}

void CDlgSerialMsg::on_chkHexSend_clicked(bool checked)
{
    if (!checked || WithoutLineBreaks(ui->edtMsg->toPlainText()).isEmpty())
        return;
    QTextCursor cursor = ui->edtMsg->textCursor();
    cursor.select(QTextCursor::BlockUnderCursor);
    cursor.removeSelectedText();
    ui->edtMsg->setTextCursor(cursor);
}
