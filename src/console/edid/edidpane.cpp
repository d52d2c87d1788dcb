#include "edid/edidpane.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QTimer>

#include <functional>

#include "hoi_core/edidhex.h"
#include "uiservices.h"

namespace {
const QLatin1String kBinSuffix(".bin");

// Tr translates in the owner's context, which lupdate cannot follow: every
// text of Tr is listed here for each owner.
[[maybe_unused]] const char *const kOwnerTexts[] = {
    QT_TRANSLATE_NOOP("CDlgEDIDSetting", "Invalid EDID !"),
    QT_TRANSLATE_NOOP("CDlgEDIDSetting", "echo \"%1\" > /sys/devices/platform/videoip/eeprom_content"),
    QT_TRANSLATE_NOOP("CDlgEDIDSetting", "Upload..."),
    QT_TRANSLATE_NOOP("CDlgEDIDSetting", "Open File"),
    QT_TRANSLATE_NOOP("CDlgEDIDSetting", "(*.bin)"),
    QT_TRANSLATE_NOOP("CDlgEDIDSetting", "EDID Setting"),
    QT_TRANSLATE_NOOP("CDlgBatch", "Invalid EDID !"),
    QT_TRANSLATE_NOOP("CDlgBatch", "echo \"%1\" > /sys/devices/platform/videoip/eeprom_content"),
    QT_TRANSLATE_NOOP("CDlgBatch", "Upload..."),
    QT_TRANSLATE_NOOP("CDlgBatch", "Open File"),
    QT_TRANSLATE_NOOP("CDlgBatch", "(*.bin)"),
    QT_TRANSLATE_NOOP("CDlgBatch", "EDID Setting"),
};
// The first file of the list is loaded while its window is built: a message
// about it waits until the window is up, so that it belongs to it.
class CShowWatcher : public QObject
{
public:
    CShowWatcher(QWidget *pOwner, const std::function<void()> &fnShown)
        : QObject(pOwner)
        , m_fnShown(fnShown)
    {
        pOwner->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            // After the show has been handled; the window's exec then runs it.
            QTimer::singleShot(0, parent(), m_fnShown);
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_fnShown;
};

} // namespace

CEdidPane::CEdidPane(QWidget *pOwner, const char *pszContext)
    : m_pOwner(pOwner)
    , m_pszContext(pszContext)
    , m_bApplyAllowed(true)
{
}

void CEdidPane::Attach(const T_EdidPane &pane)
{
    m_pane = pane;
    Hold(QString());
}

QString CEdidPane::Tr(const char *pszText) const
{
    return QCoreApplication::translate(m_pszContext, pszText);
}

QString CEdidPane::InvalidText() const
{
    return Tr("Invalid EDID !");
}

QByteArray CEdidPane::EepromLine() const
{
    return Tr("echo \"%1\" > /sys/devices/platform/videoip/eeprom_content").arg(m_strEdid).toUtf8();
}

void CEdidPane::Hold(const QString &strEdid)
{
    m_strEdid = strEdid;
    m_pane.pApply->setEnabled(m_bApplyAllowed && !m_strEdid.isEmpty());
}

void CEdidPane::SetApplyAllowed(bool bAllowed)
{
    m_bApplyAllowed = bAllowed;
    Hold(m_strEdid);
}

void CEdidPane::EnableChoice()
{
    m_pane.pList->setEnabled(true);
    m_pane.pSelect->setEnabled(m_pane.pList->currentIndex() >= m_listFiles.size());
}

void CEdidPane::FillList()
{
    m_listFiles = QDir(EdidDirPath()).entryList(QStringList(QStringLiteral("*.bin")), QDir::Files,
                                                 QDir::Name | QDir::IgnoreCase);
    {
        // Filled quietly: the first file is loaded below, once.
        const QSignalBlocker blocker(m_pane.pList);
        m_pane.pList->clear();
        for (const QString &strFile : qAsConst(m_listFiles)) {
            // A name without a lower-case ".bin" is shown whole.
            const int nAt = strFile.indexOf(kBinSuffix, 0, Qt::CaseSensitive);
            const QString strName = nAt >= 0 ? strFile.left(nAt) : strFile;
            m_pane.pList->addItem(strName, strName);
        }
        m_pane.pList->addItem(Tr("Upload..."));
    }
    if (m_listFiles.isEmpty()) {
        m_pane.pSelect->setEnabled(true);
        m_pane.pInfo->clear();
        Hold(QString());
        return;
    }
    m_pane.pSelect->setEnabled(false);
    m_pane.pList->setCurrentIndex(0);
    m_bFilling = true;
    ChooseItem(0);
    m_bFilling = false;
}

void CEdidPane::ChooseItem(int index)
{
    if (index < 0)
        return;
    if (index >= m_listFiles.size()) {
        m_pane.pSelect->setEnabled(true);
        m_pane.pInfo->clear();
        Hold(QString());
        return;
    }
    m_pane.pSelect->setEnabled(false);
    m_pane.pFileName->clear();
    // The file as it is named on disk, whatever case its ".bin" has.
    LoadFile(EdidDirPath() + QLatin1Char('/') + m_listFiles.at(index));
}

void CEdidPane::Select(const QString &strStartDir)
{
    const QString strPath = GetOpenFileName(m_pOwner, Tr("Open File"), strStartDir, Tr("(*.bin)"));
    m_pane.pFileName->setText(strPath);
    if (strPath.isEmpty() || !LoadFile(strPath)) {
        m_pane.pInfo->clear();
        Hold(QString());
    }
}

bool CEdidPane::LoadFile(const QString &strPath)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QString strRaw = EdidRawHex(file.read(E_EDID_READ_MAX));
    m_pane.pInfo->clear();
    if (!IsValidEdidHeader(strRaw)) {
        // Nothing the operator has not seen is ever sent.
        Hold(QString());
        ShowInvalid();
        return true;
    }
    m_pane.pInfo->setPlainText(EdidDisplayText(strRaw));
    Hold(EdidSendText(strRaw));
    return true;
}

void CEdidPane::ShowInvalid()
{
    QWidget *pOwner = m_pOwner;
    const QString strTitle = Tr("EDID Setting");
    const QString strText = InvalidText();
    const auto show = [pOwner, strTitle, strText] {
        ShowMessageBox(QMessageBox::NoIcon, pOwner, strTitle, strText, QMessageBox::Ok, QMessageBox::NoButton);
    };
    if (m_bFilling && !pOwner->isVisible())
        new CShowWatcher(pOwner, show);
    else
        show();
}

void CEdidPane::Retranslate()
{
    m_pane.pList->setItemText(m_pane.pList->count() - 1, Tr("Upload..."));
}
