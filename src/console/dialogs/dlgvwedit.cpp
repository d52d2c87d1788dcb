#include "dialogs/dlgvwedit.h"
#include "ui_dlgvwedit.h"

#include <QPushButton>
#include <QRegExpValidator>

#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "hoiwidget/namefilter.h"
#include "uiservices.h"

CDlgVWEdit::CDlgVWEdit(CHOIScene *pScene, QWidget *parent)
    : QDialog(parent)
    , m_bOk(false)
    , m_pScene(pScene)
{
    ui.SetUpDialog(this, [this] { SetTexts(); });
    connect(ui->buttonBox->button(QDialogButtonBox::Ok), &QPushButton::clicked, this, &CDlgVWEdit::OKClick);
    connect(ui->buttonBox->button(QDialogButtonBox::Cancel), &QPushButton::clicked, this,
            &CDlgVWEdit::Cancel);
    ui->leName->setValidator(new QRegExpValidator(NameRegExp(), this));
    ui->leName->setFocus();

    if (g_pHOIDevMgr) {
        const int nGroups = g_pHOIDevMgr->GetGroupCount();
        if (nGroups == 0)
            AddGroupEntry(ui->cbGroup, g_strUngrouped);
        for (int i = 0; i < nGroups; ++i)
            AddGroupEntry(ui->cbGroup, g_pHOIDevMgr->GetGroupName(i));
    } else {
        AddGroupEntry(ui->cbGroup, g_strUngrouped);
    }

    if (m_pScene) {
        ui->cbRow->setCurrentText(QString::number(m_pScene->GetRowCount()));
        ui->cbCol->setCurrentText(QString::number(m_pScene->GetColCount()));
        ui->cbRow->setEnabled(false);
        ui->cbCol->setEnabled(false);
        m_strName = m_pScene->GetName();
        ui->leName->setText(m_strName);
        SelectGroupEntry(ui->cbGroup, m_pScene->GetGroup());
    }
    SetTexts();
}

CDlgVWEdit::~CDlgVWEdit() = default;

void CDlgVWEdit::SetTexts()
{
    ui->buttonBox->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    ui->leName->setToolTip(tr("Invaild character:") + QStringLiteral("\r\n{ } \" < > , ; _ - @ * & "));
    setWindowTitle(m_pScene ? tr("Edit Video Wall") : tr("Create Video Wall"));
}

void CDlgVWEdit::SetGroupName(QString strGroup)
{
    SelectGroupEntry(ui->cbGroup, strGroup);
}

void CDlgVWEdit::on_leName_textChanged(QString arg1)
{
    CNameFilter::Filter(this, ui->leName, arg1, CNameFilter::E_NK_WALL,
                        tr("Invaild character:") + QStringLiteral("\r\n{ } \" < > , ; _ - @ * & "));
}

void CDlgVWEdit::RefuseName(const QString &strMessage)
{
    MsgCritical(this, QString(), strMessage);
    ui->leName->setFocus();
}

void CDlgVWEdit::OKClick()
{
    const QString strName = ui->leName->text();
    if (strName.isEmpty()) {
        RefuseName(tr("Enter a video wall name."));
        return;
    }
    if (!g_pHOIDevMgr)
        return;
    const QString strExists = tr("Name \"%1\" exists. Use another name.").arg(strName);
    const QString strGroup = CurrentGroupEntry(ui->cbGroup);

    if (!m_pScene) {
        if (g_pHOIDevMgr->FindVideoWallByName(strName)) {
            RefuseName(strExists);
            return;
        }
        // The manager builds its own wall from this one; the caller is handed
        // the manager's wall, which lives on after the dialog.
        CHOIScene scene(g_pHOIDevMgr, strName);
        scene.SetGridSize(ui->cbRow->currentText().toInt(), ui->cbCol->currentText().toInt());
        scene.SetGroup(strGroup);
        m_pScene = g_pHOIDevMgr->GetOrCreateVideoWallOfScene(&scene, 0);
    } else {
        if (strName != m_strName && g_pHOIDevMgr->FindVideoWallByName(strName)) {
            RefuseName(strExists);
            return;
        }
        if (CHOIScene *pWall = g_pHOIDevMgr->FindVideoWallByName(m_strName)) {
            pWall->SetName(strName);
            pWall->SetGroup(strGroup);
        }
        m_pScene->SetName(strName);
        m_pScene->SetGroup(strGroup);
    }
    m_bOk = true;
    accept();
}

void CDlgVWEdit::Cancel()
{
    m_bOk = false;
    accept();
}
