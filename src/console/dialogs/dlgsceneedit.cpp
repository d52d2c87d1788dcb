#include "dialogs/dlgsceneedit.h"
#include "ui_dlgsceneedit.h"

#include <QPushButton>
#include <QRegExpValidator>

#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "hoiwidget/namefilter.h"
#include "hoiwidget/widgetgroup.h"
#include "uiservices.h"

CDlgSceneEdit::CDlgSceneEdit(CHOIScene *pScene, CHOIScene *pRelated, QWidget *parent)
    : QDialog(parent)
    , m_pScene(pScene)
    , m_pVideoWall(nullptr)
    , m_pRelated(pRelated)
    , m_bCreate(pScene == nullptr)
{
    ui->setupUi(this);
    DropHelpButton(this);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &CDlgSceneEdit::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &CDlgSceneEdit::reject);
    SetWidgetsEnabled({ui->edtName, ui->cbRowCount, ui->cbColCount}, false);
    SetWidgetsVisible({ui->label, ui->cbLocation, ui->label_11, ui->cbGroup}, false);
    ui->cbGroup->setEnabled(false);
    ui->cBLayoutType->setEnabled(m_bCreate);
    ui->edtLayout->setFocus();
    ui->edtLayout->setValidator(new QRegExpValidator(NameRegExp(), ui->edtLayout));
    ui->edtLayout->setToolTip(InvalidCharTip());

    FillNames();
    SetWidgetsVisible({ui->cBWindowLayout, ui->cBVivLayout}, false);
    SetTexts();
    FillLayoutKinds();
    FillLocationsAndGroups();
}

void CDlgSceneEdit::FillNames()
{
    ui->edtName->clear();
    ui->edtLayout->clear();
    if (g_pHOIDevMgr) {
        for (int i = 0; i < g_pHOIDevMgr->GetVideoWallCount(); ++i) {
            const QString strWall = g_pHOIDevMgr->GetVideoWall(i)->GetName();
            if (ui->edtName->findText(strWall, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
                ui->edtName->addItem(strWall);
        }
    }
    if (!m_bCreate) {
        const QString strName = m_pScene->GetName();
        ui->edtName->setCurrentText(CHOIScene::GetSceneNamePrefix(strName));
        if (strName.indexOf(QLatin1Char('-')) > 0)
            ui->edtLayout->setText(CHOIScene::GetSceneNameSuffix(strName));
    } else {
        ui->edtName->setCurrentIndex(0);
    }
    ui->edtName->setValidator(new QRegExpValidator(NameRegExp(), ui->edtName));
}

void CDlgSceneEdit::SetTexts()
{
    setWindowTitle(m_bCreate ? tr("Create Layout/Scene") : tr("Eidt Layout/Scene"));
    ui->buttonBox->button(QDialogButtonBox::Ok)->setText(tr("Ok"));
    ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
}

void CDlgSceneEdit::FillLayoutKinds()
{
    const QStringList kinds = g_strWallKinds.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &strKind : kinds) {
        if (g_pHOIDevMgr
            && ((strKind == g_strWindowDecoders && !g_pHOIDevMgr->IsWindowLayoutEnable())
                || (strKind == g_strWallInWall && !g_pHOIDevMgr->IsVivLayoutEnable())
                || (strKind == g_strWindowProcessor && !g_pHOIDevMgr->IsWPLayoutEnable())))
            continue;
        // Shown translated; the kind constant rides along for the checks.
        ui->cBLayoutType->addItem(LayoutKindText(strKind), strKind);
    }
    if (m_bCreate)
        return;
    const QString strKind = WindowingKind(m_pScene);
    const int index = strKind.isEmpty() ? -1 : ui->cBLayoutType->findData(strKind);
    if (index >= 0)
        ui->cBLayoutType->setCurrentIndex(index);
    ui->cBLayoutType->setEnabled(false);
    SelectCount(ui->cbRowCount, m_pScene->GetRowCount());
    SelectCount(ui->cbColCount, m_pScene->GetColCount());
}

void CDlgSceneEdit::FillLocationsAndGroups()
{
    ui->cbLocation->addItem(QString());
    if (g_pHOIDevMgr) {
        for (int i = 0; i < g_pHOIDevMgr->GetLocationCount(); ++i)
            ui->cbLocation->addItem(g_pHOIDevMgr->GetLocationName(i));
        for (int i = 0; i < g_pHOIDevMgr->GetGroupCount(); ++i)
            ui->cbGroup->addItem(g_pHOIDevMgr->GetGroupName(i));
    }
    if (!m_bCreate) {
        ui->cbLocation->setCurrentText(m_pScene->GetLocation());
        ui->cbGroup->setCurrentText(m_pScene->GetGroup());
    }
}

CDlgSceneEdit::~CDlgSceneEdit() = default;

QString CDlgSceneEdit::InvalidCharTip() const
{
    return tr("Invaild character:\r\n{ } \" < > , ; _ - @ * & ");
}

void CDlgSceneEdit::SelectCount(QComboBox *pBox, int nCount)
{
    // A grid beyond the 16 offered is shown as it is, so that OK keeps it.
    if (nCount > pBox->count() && pBox->findText(QString::number(nCount)) < 0)
        pBox->addItem(QString::number(nCount));
    pBox->setCurrentIndex(nCount > 16 ? pBox->findText(QString::number(nCount)) : nCount - 1);
}

void CDlgSceneEdit::SetVideoWall(CHOIScene *pWall)
{
    if (!pWall)
        return;
    m_pVideoWall = pWall;
    const QString strWall = pWall->GetName();
    int index = ui->edtName->findText(strWall, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        ui->edtName->addItem(strWall);
        index = ui->edtName->count() - 1;
    }
    ui->edtName->setCurrentIndex(index);
    SelectCount(ui->cbColCount, pWall->GetColCount());
    SelectCount(ui->cbRowCount, pWall->GetRowCount());
    ui->cbGroup->setCurrentText(pWall->GetGroup());
}

void CDlgSceneEdit::on_edtName_currentTextChanged(const QString &text)
{
    if (!g_pHOIDevMgr)
        return;
    for (int i = 0; i < g_pHOIDevMgr->GetSceneCount(); ++i) {
        CHOIScene *pScene = g_pHOIDevMgr->GetScene(i);
        if (CHOIScene::GetSceneNamePrefix(pScene) != text)
            continue;
        // A text that a box does not list leaves that box as it is.
        ui->cbLocation->setCurrentText(pScene->GetLocation());
        ui->cbGroup->setCurrentText(pScene->GetGroup());
        return;
    }
}

void CDlgSceneEdit::on_edtLayout_textChanged(const QString &text)
{
    CNameFilter::Filter(this, ui->edtLayout, text, CNameFilter::E_NK_WALL, InvalidCharTip());
}

bool CDlgSceneEdit::Refuse(const QString &strText, QWidget *pFocus)
{
    MsgCritical(this, QString(), strText);
    if (pFocus)
        pFocus->setFocus();
    return false;
}

bool CDlgSceneEdit::ReadFullName(QString &strFullName)
{
    const QString strWall = ui->edtName->currentText();
    if (strWall.isEmpty())
        return Refuse(tr("Enter a Video wall name."), ui->edtName);
    if (strWall.contains(QLatin1Char('-')))
        return Refuse(tr("Name '-' error."), ui->edtName);
    if (strWall.contains(QLatin1Char(' ')))
        return Refuse(tr("Name ' ' error."), ui->edtName);
    const QString strLayout = ui->edtLayout->text();
    if (strLayout.isEmpty())
        return Refuse(tr("Enter a layout name."), ui->edtLayout);
    strFullName = strWall + QLatin1Char('-') + strLayout;
    return true;
}

bool CDlgSceneEdit::CreateScene(const QString &strFullName)
{
    CHOIDevMgr *pMgr = g_pHOIDevMgr;
    const QString strKind = ui->cBLayoutType->currentData().toString();
    if (strKind == g_strWindowDecoders
        && (m_pRelated ? pMgr->IsAnyRxWithoutWindow(m_pRelated) : pMgr->IsAnyGridRxWithoutWindow(m_pVideoWall)))
        return Refuse(tr("The current video wall already exists RX that can not be windowed"));
    if (strKind == g_strWallInWall
        && (m_pRelated ? pMgr->IsAnyRxWithoutViv(m_pRelated) : pMgr->IsAnyGridRxWithoutViv(m_pVideoWall))) {
        return Refuse(tr("The current video wall already exists RX that can not be Video Wall "
                         "within a Wall"));
    }
    CHOIScene *pScene = pMgr->CreateScene(strFullName);
    if (!pScene)
        return Refuse(tr("Name \"%1\" exists. Use another name.").arg(strFullName), ui->edtName);
    m_pScene = pScene;
    m_pScene->SetWindowLayout(strKind == g_strWindowDecoders);
    m_pScene->SetVivLayout(strKind == g_strWallInWall);
    m_pScene->SetWPLayout(strKind == g_strWindowProcessor);
    return true;
}

bool CDlgSceneEdit::RenameScene(const QString &strFullName)
{
    if (strFullName == m_pScene->GetName())
        return true;
    if (g_pHOIDevMgr->FindSceneByName(strFullName))
        return Refuse(tr("Name \"%1\" exists. Use another name.").arg(strFullName), ui->edtLayout);
    m_pScene->SetName(strFullName);
    return true;
}

void CDlgSceneEdit::accept()
{
    if (!g_pHOIDevMgr)
        return;
    QString strFullName;
    if (!ReadFullName(strFullName))
        return;
    if (!(m_bCreate ? CreateScene(strFullName) : RenameScene(strFullName)))
        return;
    m_pScene->SetGridSize(ui->cbRowCount->currentText().toInt(),
                          ui->cbColCount->currentText().toInt());
    m_pScene->SetLocation(ui->cbLocation->currentText());
    m_pScene->SetGroup(ui->cbGroup->currentText());
    QDialog::accept();
}

void CDlgSceneEdit::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        SetTexts();
        for (int i = 0; i < ui->cBLayoutType->count(); ++i)
            ui->cBLayoutType->setItemText(i, LayoutKindText(ui->cBLayoutType->itemData(i).toString()));
    }
    QDialog::changeEvent(event);
}
