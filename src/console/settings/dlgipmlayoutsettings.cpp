#include "settings/dlgipmlayoutsettings.h"
#include "ui_dlgipmlayoutsettings.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoiwidget/itemdata.h"
#include "settings/applywatch.h"
#include "settings/dlgipmlayoutmodel.h"
#include "settings/formipm.h"
#include "uiservices.h"

namespace {

const char kNull[] = "NULL";
const char kModeSeparate[] = "separate";
const char kModeWindow[] = "window";
// A TX host name is the model code, '-' and twelve hex digits.
const int kMinHostNameLength = 13;

void SelectText(QComboBox *pCombo, const QString &strText)
{
    const int nIndex = pCombo->findText(strText);
    if (nIndex >= 0)
        pCombo->setCurrentIndex(nIndex);
}

} // namespace

CDlgIPMLayoutSettings::CDlgIPMLayoutSettings(CHOIDev *pDev, QWidget *parent)
    : QDialog(parent)
    , m_pDev(pDev)
    , m_nFromTextDepth(0)
{
    ui.SetUpDialog(this, [this] {
        if (ui->cmbLayout->count() > 0)
            ui->cmbLayout->setItemText(0, tr("Edit..."));
    });
    ui->gridLayout_9->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (!m_pDev)
        return;

    ui->gBAudioSource->setEnabled(IsAudioSupported());
    ShowFollowTx();

    FillTxList();
    ui->cmbFollowWindow->clear();
    FillLayoutList();

    if (!m_pDev->GetIPMMultiView().isEmpty())
        BuildWindowRowsFromText(m_pDev->GetIPMMultiView());
    else if (!m_pDev->GetIPMLayoutWindowsMap().isEmpty())
        BuildWindowRowsFromText(m_pDev->GetIPMLayoutWindowsMap().first());
    else
        BuildWindowRows();

    ShowAudioSource();
    ShowLayoutPicture();
}

CDlgIPMLayoutSettings::~CDlgIPMLayoutSettings()
{
    ClearWindowRows();
}

bool CDlgIPMLayoutSettings::IsAudioSupported() const
{
    return g_pHOIDevMgr && g_pHOIDevMgr->IsSupportAudioSource(m_pDev);
}

void CDlgIPMLayoutSettings::ShowFollowTx()
{
    ui->radioButton->setChecked(true);
    ui->cmbFollowTX->setEnabled(true);
    ui->cmbFollowWindow->setEnabled(false);
}

void CDlgIPMLayoutSettings::ShowFollowWindow()
{
    ui->radioButton_2->setChecked(true);
    ui->cmbFollowTX->setEnabled(false);
    ui->cmbFollowWindow->setEnabled(true);
}

// ---- lists ----

void CDlgIPMLayoutSettings::FillTxList()
{
    ui->cmbFollowTX->clear();
    ui->cmbFollowTX->addItem(QStringLiteral("N/A"));
    if (!g_pHOIDevMgr)
        return;
    for (int i = 0; i < g_pHOIDevMgr->GetDevCount(); ++i) {
        CHOIDev *pDev = g_pHOIDevMgr->GetDev(i);
        if (pDev && pDev->GetDevType() == CHOIDev::E_DT_TX && pDev->m_bOnLine)
            ui->cmbFollowTX->addItem(pDev->GetDisplayName(), DevToVariant(pDev));
    }
}

QString CDlgIPMLayoutSettings::GetFollowTxHostName() const
{
    const int nIndex = ui->cmbFollowTX->currentIndex();
    CHOIDev *pDev = nIndex >= 1 ? VariantToDev(ui->cmbFollowTX->itemData(nIndex)) : nullptr;
    return pDev ? pDev->GetHostName() : QString();
}

QString CDlgIPMLayoutSettings::TxDisplayName(const QString &strHostName) const
{
    for (int i = 1; i < ui->cmbFollowTX->count(); ++i) {
        CHOIDev *pDev = VariantToDev(ui->cmbFollowTX->itemData(i));
        if (pDev && pDev->GetHostName() == strHostName)
            return pDev->GetDisplayName();
    }
    return QStringLiteral("N/A");
}

const T_IpmLayoutInfo *CDlgIPMLayoutSettings::FindTableLayout(const QString &strLayoutName) const
{
    if (!g_pHOIDevMgr)
        return nullptr;
    for (const T_IpmLayoutInfo &info : g_pHOIDevMgr->GetIpmLayoutList()) {
        if (info.layout_name == strLayoutName)
            return &info;
    }
    return nullptr;
}

void CDlgIPMLayoutSettings::FillLayoutList()
{
    disconnect(ui->cmbLayout, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
               &CDlgIPMLayoutSettings::slotShowCurrentLayout);
    ui->cmbLayout->clear();

    QList<T_IpmLayoutInfo> layouts = m_pDev->m_listIPMLayout;
    if (layouts.isEmpty()) {
        const QList<T_IpmLayoutSeq> seqs = m_pDev->GetSortedLayoutList();
        if (seqs.isEmpty()) {
            // Offered for this opening only; the device keeps no list.
            if (g_pHOIDevMgr)
                layouts = g_pHOIDevMgr->GetIpmLayoutList();
        } else {
            for (const T_IpmLayoutSeq &seq : seqs) {
                const T_IpmLayoutInfo *pTable = FindTableLayout(seq.layout_name);
                T_IpmLayoutInfo info;
                if (pTable)
                    info = *pTable;
                else
                    info.layout_name = seq.layout_name;
                layouts.append(info);
            }
            m_pDev->SetIPMLayoutList(layouts);
        }
    }

    ui->cmbLayout->addItem(tr("Edit..."));
    for (const T_IpmLayoutInfo &info : qAsConst(layouts))
        ui->cmbLayout->addItem(QIcon(info.icon_path), info.layout_name, info.layout_name);

    ui->cmbLayout->setCurrentIndex(1);
    connect(ui->cmbLayout, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &CDlgIPMLayoutSettings::slotShowCurrentLayout);
}

void CDlgIPMLayoutSettings::ShowLayoutPicture()
{
    if (ui->cmbLayout->currentIndex() < 1)
        return;
    const T_IpmLayoutInfo *pTable = FindTableLayout(ui->cmbLayout->currentData().toString());
    if (!pTable)
        return;
    QImage image;
    if (!image.load(pTable->image_path)) {
        MsgInformation(this, tr("Open image failed"), tr("Open image failed!"));
        image = QImage();
    }
    ui->labelPicture_Logo_7->setPixmap(QPixmap::fromImage(image));
}

// ---- window rows ----

void CDlgIPMLayoutSettings::ClearWindowRows()
{
    while (!m_windowForms.isEmpty())
        delete m_windowForms.takeLast();
}

void CDlgIPMLayoutSettings::AddWindowRow(int nIndex)
{
    CFormIPM *pRow = new CFormIPM(QString::number(nIndex + 1), nullptr);
    ui->gridLayout_9->addWidget(pRow, m_windowForms.size(), 0);
    m_windowForms.append(pRow);
}

void CDlgIPMLayoutSettings::BuildWindowRows()
{
    ClearWindowRows();
    ui->cmbFollowWindow->clear();
    if (ui->cmbLayout->currentIndex() < 1)
        return;

    const T_IpmLayoutInfo *pTable = FindTableLayout(ui->cmbLayout->currentData().toString());
    if (pTable) {
        const QStringList windows = pTable->position_and_size_of_each_window.split(QLatin1Char(';'));
        for (int i = 0; i < windows.size(); ++i) {
            AddWindowRow(i);
            ui->cmbFollowWindow->addItem(QString::number(i + 1), QString::fromLatin1(kNull));
        }
    }

    if (m_windowForms.size() == 1)
        ShowFollowWindow();
    else
        ShowFollowTx();
}

void CDlgIPMLayoutSettings::BuildWindowRowsFromText(QString strText)
{
    struct T_DepthGuard
    {
        explicit T_DepthGuard(int &nDepth)
            : m_nDepth(nDepth)
        {
            ++m_nDepth;
        }
        ~T_DepthGuard() { --m_nDepth; }
        int &m_nDepth;
    } guard(m_nFromTextDepth);

    ClearWindowRows();
    if (strText.endsWith(QLatin1Char(' ')))
        strText.chop(1);
    const QStringList entries = strText.split(QLatin1Char(' '));

    QString strGeometry;
    bool bOtherKind = false;
    for (int i = 0; i < entries.size(); ++i) {
        const QStringList fields = entries.at(i).split(QLatin1Char(':'));
        if (fields.size() == 4) {
            const QString &strHost = fields.at(0);
            if (strHost.size() < kMinHostNameLength && strHost != QLatin1String(kNull) && !strHost.isEmpty()) {
                BuildWindowRows();
                return;
            }
            strGeometry += fields.at(2) + QLatin1Char(';');
            AddWindowRow(i);
        } else if (fields.size() == 2) {
            bOtherKind = true;
        }
    }
    if (bOtherKind) {
        BuildWindowRows();
        m_pDev->SetIPMMultiView(QString());
        return;
    }

    if (strGeometry.endsWith(QLatin1Char(';')))
        strGeometry.chop(1);
    int nItem = -1;
    if (g_pHOIDevMgr) {
        for (const T_IpmLayoutInfo &info : g_pHOIDevMgr->GetIpmLayoutList()) {
            if (info.position_and_size_of_each_window == strGeometry) {
                nItem = ui->cmbLayout->findData(info.layout_name);
                break;
            }
        }
    }
    if (nItem < 0) {
        ClearWindowRows();
        ui->cmbLayout->setCurrentIndex(1);
        ShowLayoutPicture();
        BuildWindowRows();
        return;
    }

    // A change of layout rebuilds the rows first (slotShowCurrentLayout).
    ui->cmbLayout->setCurrentIndex(nItem);
    ui->cmbFollowWindow->clear();
    for (int j = 0; j < entries.size() && j < m_windowForms.size(); ++j) {
        const QStringList fields = entries.at(j).split(QLatin1Char(':'));
        CFormIPM *pRow = m_windowForms.at(j);
        pRow->SetValue(pRow->GetTXDisplayName(fields.value(0)), fields.value(3));
        ui->cmbFollowWindow->addItem(QString::number(j + 1), fields.value(0));
    }
    m_pDev->SetIPMLayoutWindows(ui->cmbLayout->currentText(), strText);
}

// ---- window list and audio choice ----

QString CDlgIPMLayoutSettings::BuildWindowList() const
{
    if (ui->cmbLayout->currentIndex() < 1)
        return QString();
    const T_IpmLayoutInfo *pTable = FindTableLayout(ui->cmbLayout->currentData().toString());
    if (!pTable)
        return QString();

    const QStringList windows = pTable->position_and_size_of_each_window.split(QLatin1Char(';'));
    QString strList;
    for (int i = 0; i < windows.size() && i < m_windowForms.size(); ++i) {
        const CFormIPM *pRow = m_windowForms.at(i);
        strList += QStringLiteral("%1:1:%2:%3 ").arg(pRow->GetTXHostName(), windows.at(i), pRow->GetMode());
    }
    if (strList.endsWith(QLatin1Char(' ')))
        strList.chop(1);
    return strList;
}

QString CDlgIPMLayoutSettings::GetFollowWindowTxHostName() const
{
    const int nIndex = ui->cmbFollowWindow->currentIndex();
    if (nIndex < 0 || nIndex >= m_windowForms.size())
        return QString::fromLatin1(kNull);
    return m_windowForms.at(nIndex)->GetTXHostName();
}

bool CDlgIPMLayoutSettings::GetAudioChoice(T_AudioChoice &choice) const
{
    if (!IsAudioSupported())
        return false;
    if (ui->radioButton->isChecked()) {
        choice.strMode = QString::fromLatin1(kModeSeparate);
        choice.strSource = GetFollowTxHostName();
        choice.strDisplay = choice.strSource;
    } else if (ui->radioButton_2->isChecked()) {
        choice.strMode = QString::fromLatin1(kModeWindow);
        choice.strSource = GetFollowWindowTxHostName();
        if (choice.strSource == QLatin1String(kNull))
            choice.strSource.clear();
        choice.strDisplay = ui->cmbFollowWindow->currentText();
    }
    return true;
}

void CDlgIPMLayoutSettings::ShowAudioSource()
{
    ui->cmbFollowTX->setCurrentIndex(0);
    ui->cmbFollowWindow->setCurrentIndex(0);
    const QString strLayout = ui->cmbLayout->currentText();

    auto showChoice = [this](const QString &strMode, const QString &strSource) {
        if (strMode == QLatin1String(kModeSeparate)) {
            ShowFollowTx();
            SelectText(ui->cmbFollowTX, TxDisplayName(strSource));
            return true;
        }
        if (strMode == QLatin1String(kModeWindow)) {
            ShowFollowWindow();
            SelectText(ui->cmbFollowWindow, strSource);
            return true;
        }
        return false;
    };
    // A single window is its own audio source; otherwise no TX is chosen.
    auto showDefault = [this](QString &strMode, QString &strSource) {
        if (m_windowForms.size() == 1) {
            ShowFollowWindow();
            strMode = QString::fromLatin1(kModeWindow);
            strSource = QStringLiteral("1");
        } else {
            ShowFollowTx();
            strMode = QString::fromLatin1(kModeSeparate);
            strSource.clear();
        }
    };

    // "<layout> <mode> <source>" as the device last reported or was sent.
    const QString strUserMode = m_pDev->GetUserAudioMode();
    if (!strUserMode.isEmpty() && strUserMode != QLatin1String("not defined")) {
        const QStringList words = strUserMode.split(QLatin1Char(' '));
        if (words.size() >= 3 && words.at(0) == strLayout) {
            QString strMode = words.at(1);
            QString strSource = words.at(2);
            if (!showChoice(strMode, strSource))
                showDefault(strMode, strSource);
            m_pDev->SetIPMLayoutAudio(strLayout, strMode, strSource);
            return;
        }
    }

    const QMap<QString, T_IpmAudioInfo> &audioMap = m_pDev->GetIPMLayoutAudioMap();
    const auto it = audioMap.constFind(strLayout);
    if (it == audioMap.constEnd() || !showChoice(it->mode, it->source)) {
        QString strMode;
        QString strSource;
        showDefault(strMode, strSource);
    }
}

// ---- slots ----

void CDlgIPMLayoutSettings::slotShowCurrentLayout()
{
    ui->cmbFollowWindow->clear();
    ui->cmbFollowTX->setCurrentIndex(0);

    if (ui->cmbLayout->currentIndex() == 0) {
        CDlgIpmLayoutModel dlg(m_pDev, nullptr);
        dlg.exec();
        FillLayoutList();
    }

    ShowLayoutPicture();

    const QString strLayout = ui->cmbLayout->currentText();
    const QMap<QString, QString> &windowsMap = m_pDev->GetIPMLayoutWindowsMap();
    // Stored texts that point at each other's layouts must not bounce for ever.
    if (windowsMap.contains(strLayout) && m_nFromTextDepth < 2) {
        BuildWindowRowsFromText(windowsMap.value(strLayout));
        ShowAudioSource();
    } else {
        BuildWindowRows();
    }
}

void CDlgIPMLayoutSettings::on_radioButton_clicked(bool checked)
{
    if (!checked)
        return;
    ui->cmbFollowTX->setEnabled(true);
    ui->cmbFollowWindow->setEnabled(false);
}

void CDlgIPMLayoutSettings::on_radioButton_2_clicked(bool checked)
{
    if (!checked)
        return;
    ui->cmbFollowTX->setEnabled(false);
    ui->cmbFollowWindow->setEnabled(true);
}

void CDlgIPMLayoutSettings::on_pbSave_clicked()
{
    if (!m_pDev)
        return;
    const QString strLayout = ui->cmbLayout->currentText();
    m_pDev->SetIPMLayoutWindows(strLayout, BuildWindowList());
    T_AudioChoice audio;
    if (GetAudioChoice(audio))
        m_pDev->SetIPMLayoutAudio(strLayout, audio.strMode, audio.strDisplay);
}

void CDlgIPMLayoutSettings::on_pbApply_clicked()
{
    if (!m_pDev)
        return;
    const QString strLayout = ui->cmbLayout->currentText();
    const QString strWindows = BuildWindowList();

    const bool bWindows = CApplyWatch::KeepOnSuccess(
        m_pDev,
        [&] {
            if (!m_pDev->ApplyMultiView(strWindows, false))
                return false;
            m_pDev->PushSendData("multiview set mode tile", true, true);
            return true;
        },
        [strLayout, strWindows](CHOIDev *pDone) {
            pDone->SetIPMMultiView(strWindows);
            pDone->SetIPMLayoutWindows(strLayout, strWindows);
        });
    if (!bWindows) {
        MsgCritical(this, QString(), tr("Failed to multiview settings to devices."));
        return;
    }
    CApplyWatch::Watch(this, m_pDev);

    T_AudioChoice audio;
    if (!GetAudioChoice(audio))
        return;
    const bool bAudio = CApplyWatch::KeepOnSuccess(
        m_pDev,
        [&] {
            // The mode line is refused, like every queued line, when a name
            // holds a line break.
            return m_pDev->ApplyMultiViewAudioSeparate(audio.strSource, false)
                   && m_pDev->ApplyUserAudioMode(strLayout, audio.strMode, audio.strDisplay);
        },
        [strLayout, audio](CHOIDev *pDone) {
            pDone->SetUserAudioMode(QStringLiteral("%1 %2 %3").arg(strLayout, audio.strMode, audio.strDisplay));
            pDone->SetIPMLayoutAudio(strLayout, audio.strMode, audio.strDisplay);
        });
    if (!bAudio) {
        MsgCritical(this, QString(), tr("Failed to multiview audio settings to devices."));
        return;
    }
    m_pDev->PushSendData("multiview apply", true, true);
}
