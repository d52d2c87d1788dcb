// CDlgBatch: the Serial, Power and Others pages.
#include "batch/dlgbatch.h"
#include "ui_dlgbatch.h"

#include <QMetaEnum>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"

namespace {

struct T_ParityName
{
    CHOIDev::ParityType eParity;
    QString strName;
};

const QMetaEnum &BaudRateEnum()
{
    static const QMetaEnum s_enum =
        CHOIDev::staticMetaObject.enumerator(CHOIDev::staticMetaObject.indexOfEnumerator("BaudRateType"));
    return s_enum;
}

QString PlainWithoutBreaks(QString strText)
{
    strText.remove(QLatin1Char('\r'));
    strText.remove(QLatin1Char('\n'));
    return strText;
}

bool IsLineBreak(QChar ch)
{
    return ch == QLatin1Char('\r') || ch == QLatin1Char('\n') || ch == QChar::ParagraphSeparator
           || ch == QChar::LineSeparator;
}

bool IsHexEntryChar(QChar ch)
{
    const QChar upper = ch.toUpper();
    return (upper >= QLatin1Char('0') && upper <= QLatin1Char('9'))
           || (upper >= QLatin1Char('A') && upper <= QLatin1Char('F')) || upper == QLatin1Char(' ');
}

// Drops what stands at the end of the text until the last character other
// than a line break is a hexadecimal digit or a blank; true when it dropped
// anything. Done as one edit: a long paste of other characters would
// otherwise recurse once per character through the editor's change notice.
bool FilterHexEnd(QTextDocument *pDoc)
{
    int nCut = -1;
    for (int nPos = pDoc->characterCount() - 2; nPos >= 0; --nPos) {
        const QChar ch = pDoc->characterAt(nPos);
        if (IsLineBreak(ch))
            continue;
        if (IsHexEntryChar(ch))
            break;
        nCut = nPos;
    }
    if (nCut < 0)
        return false;
    QTextCursor cursor(pDoc);
    cursor.setPosition(nCut);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    return true;
}

// The filter of a message editor while its hex switch is on; bFiltering
// keeps the filter's own edit from running it again.
template <class TEditor>
void FilterHexEntry(TEditor *pEditor, bool bHex, bool &bFiltering)
{
    if (bFiltering || !bHex)
        return;
    bFiltering = true;
    if (FilterHexEnd(pEditor->document()))
        pEditor->moveCursor(QTextCursor::End);
    bFiltering = false;
}

// Removes the paragraph under the editor's cursor, as hex mode comes on.
template <class TEditor>
void RemoveBlockUnderCursor(TEditor *pEditor)
{
    if (PlainWithoutBreaks(pEditor->toPlainText()).isEmpty())
        return;
    QTextCursor cursor = pEditor->textCursor();
    cursor.select(QTextCursor::BlockUnderCursor);
    cursor.removeSelectedText();
    pEditor->setTextCursor(cursor);
}

} // namespace

// ---------------------------------------------------------------------------
// Port controls

void CDlgBatch::InitSerialCombos()
{
    const QMetaEnum &baudEnum = BaudRateEnum();
    QComboBox *const baudCombos[] = {ui->cmbBaudRate_2, ui->cmbBaudRate_sinkPower};
    for (QComboBox *pCombo : baudCombos) {
        pCombo->clear();
        for (int i = 0; i < baudEnum.keyCount(); ++i) {
            pCombo->addItem(QStringLiteral("%1").arg(baudEnum.value(i)));
            if (baudEnum.value(i) == CHOIDev::BAUD115200)
                pCombo->setCurrentIndex(i);
        }
    }

    const T_ParityName parityNames[] = {
        {CHOIDev::PAR_NONE, QObject::tr("None")},
        {CHOIDev::PAR_ODD, QObject::tr("Odd")},
        {CHOIDev::PAR_EVEN, QObject::tr("Even")},
    };
    QComboBox *const parityCombos[] = {ui->cmbParity_2, ui->cmbParity_sinkPower};
    for (QComboBox *pCombo : parityCombos) {
        pCombo->clear();
        for (const T_ParityName &parity : parityNames)
            pCombo->addItem(parity.strName, int(parity.eParity));
    }
}

void CDlgBatch::ReadPortControls(bool bPowerPage, uint &nBaud, uint &nDataBits, char &cParity,
                                 uint &nStopBits) const
{
    const QComboBox *pBaud = bPowerPage ? ui->cmbBaudRate_sinkPower : ui->cmbBaudRate_2;
    const QComboBox *pData = bPowerPage ? ui->cmbDataBits_sinkPower : ui->cmbDataBits_2;
    const QComboBox *pParity = bPowerPage ? ui->cmbParity_sinkPower : ui->cmbParity_2;
    const QComboBox *pStop = bPowerPage ? ui->cmbStopBits_sinkPower : ui->cmbStopBits_2;
    nBaud = pBaud->currentText().toUInt(nullptr, 10);
    nDataBits = pData->currentText().toUInt(nullptr, 10);
    nStopBits = pStop->currentText().toUInt(nullptr, 10);
    cParity = char(pParity->currentData(Qt::UserRole).toInt());
}

QString CDlgBatch::PortSettingText(uint nBaud, uint nDataBits, char cParity, uint nStopBits)
{
    return QStringLiteral("%1-%2%3%4")
        .arg(nBaud)
        .arg(nDataBits)
        .arg(QChar::fromLatin1(cParity))
        .arg(nStopBits);
}

// ---------------------------------------------------------------------------
// Hex entry

void CDlgBatch::slotTextChanged()
{
    FilterHexEntry(ui->edtMsg, ui->chkHexSend->isChecked(), m_bFiltering);
}

void CDlgBatch::slotTextChangedPoweron()
{
    FilterHexEntry(ui->teSinkPower_msgPoweron, ui->chbHex->isChecked(), m_bFiltering);
}

void CDlgBatch::slotTextChangedStandby()
{
    FilterHexEntry(ui->teSinkPower_msgStandby, ui->chbHex->isChecked(), m_bFiltering);
}

void CDlgBatch::on_chkHexSend_clicked(bool checked)
{
    if (checked)
        RemoveBlockUnderCursor(ui->edtMsg);
}

void CDlgBatch::on_chbHex_clicked(bool checked)
{
    if (!checked)
        return;
    RemoveBlockUnderCursor(ui->teSinkPower_msgPoweron);
    RemoveBlockUnderCursor(ui->teSinkPower_msgStandby);
}

void CDlgBatch::on_edtMsg_textChanged()
{
    ui->btnSendMsg->setEnabled(!ui->edtMsg->toPlainText().isEmpty());
}

// ---------------------------------------------------------------------------
// Serial page

bool CDlgBatch::ReadMessage(const QString &strText, const QString &strMissing, QString &strMsg)
{
    strMsg = PlainWithoutBreaks(strText);
    return !strMsg.isEmpty() || RefuseBatch(strMissing);
}

void CDlgBatch::on_pbSerialSet_apply_clicked()
{
    uint nBaud, nDataBits, nStopBits;
    char cParity;
    ReadPortControls(false, nBaud, nDataBits, cParity, nStopBits);
    const QString strSetting = PortSettingText(nBaud, nDataBits, cParity, nStopBits);
    const int nTimeout = ui->spinBox_TimeOut->value();
    RunBatch(E_BP_SERIAL, [&](CHOIDev *pDev) {
        if (!pDev->SendParamSet(QStringLiteral("s0_baudrate"), strSetting, false))
            return false;
        pDev->SetS0Baudrate(strSetting);
        if (pDev->GetDevType() == CHOIDev::E_DT_TX) {
            pDev->SendParamSetInt(QStringLiteral("soip_type2_token_timeout"), nTimeout, false);
            pDev->SetSoipType2TokenTimeout(nTimeout);
        }
        pDev->SaveParam();
        return true;
    });
}

void CDlgBatch::slotSerialSendMsg()
{
    QList<CHOIDev *> devs;
    if (!StartBatch(E_BP_SERIAL, devs))
        return;
    QString strMsg;
    if (!ReadMessage(ui->edtMsg->toPlainText(), tr("Please enter the send information."), strMsg))
        return;
    uint nBaud, nDataBits, nStopBits;
    char cParity;
    ReadPortControls(false, nBaud, nDataBits, cParity, nStopBits);
    const bool bHex = ui->chkHexSend->isChecked();
    const bool bCrLf = ui->chkSendCrLf->isChecked();
    ApplyToDevs(E_BP_SERIAL, devs, [&](CHOIDev *pDev) {
        return pDev->SendSerialMsg(strMsg, bHex, bCrLf, nBaud, nDataBits, cParity, nStopBits);
    });
}

// ---------------------------------------------------------------------------
// Power page

void CDlgBatch::slotSinkPowerApply()
{
    QList<CHOIDev *> devs;
    if (!StartBatch(E_BP_POWER, devs))
        return;
    const bool bCec = ui->chbCEC->isChecked();
    const bool bRs232 = ui->chbRS232->isChecked();
    QString strPowerOn;
    QString strStandby;
    if (bRs232
        && (!ReadMessage(ui->teSinkPower_msgPoweron->toPlainText(), tr("Please enter the power on information."),
                         strPowerOn)
            || !ReadMessage(ui->teSinkPower_msgStandby->toPlainText(),
                            tr("Please enter the standby information."), strStandby)))
        return;
    uint nBaud, nDataBits, nStopBits;
    char cParity;
    ReadPortControls(true, nBaud, nDataBits, cParity, nStopBits);
    const bool bHex = ui->chbHex->isChecked();
    ApplyToDevs(E_BP_POWER, devs, [&](CHOIDev *pDev) {
        return pDev->ApplySinkPower(strPowerOn, strStandby, bCec, bRs232, bHex, nBaud, nDataBits,
                                    cParity, nStopBits);
    });
}

void CDlgBatch::slotOpenMsg_touchPlay()
{
    RunBatch(E_BP_POWER, [](CHOIDev *pDev) { return pDev->SendCecPower(true); });
}

void CDlgBatch::slotCloseMsg_standby()
{
    RunBatch(E_BP_POWER, [](CHOIDev *pDev) { return pDev->SendCecPower(false); });
}

// ---------------------------------------------------------------------------
// Others page

void CDlgBatch::slotOthersApply()
{
    QList<CHOIDev *> devs;
    if (!StartBatch(E_BP_OTHERS, devs))
        return;
    const int nCommand = ui->cmbOthersCommand->currentIndex();
    if (nCommand < 0) {
        RefuseBatch(tr("Select the command please ."));
        return;
    }
    ApplyToDevs(E_BP_OTHERS, devs, [&](CHOIDev *pDev) {
        if (nCommand == 0)
            return pDev->Reboot();
        if (!pDev->ResetDefault())
            return false;
        if (g_pHOIDevMgr)
            g_pHOIDevMgr->AddResetDevHostName(pDev->GetHostName());
        return true;
    });
}
