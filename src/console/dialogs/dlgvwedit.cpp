#include "dialogs/dlgvwedit.h"
#include "ui_dlgvwedit.h"

#include <QPushButton>
#include <QRegExpValidator>

#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "uiservices.h"

namespace {

// Typed at the end of the name, these are taken back without a word.
const QString kSilentChars = QStringLiteral("{}\"<>,;_@*&- ");

// Found anywhere in the name (pasted text), these are removed with a
// message, one kind at a time, in this order.
struct T_ForbiddenChar
{
    QChar ch;
    const char *pMessage;
};

const T_ForbiddenChar kForbiddenChars[] = {
    {QLatin1Char('&'), QT_TRANSLATE_NOOP("CDlgVWEdit", "Character '&' error.")},
    {QLatin1Char('*'), QT_TRANSLATE_NOOP("CDlgVWEdit", "Character '*' error.")},
    {QLatin1Char('@'), QT_TRANSLATE_NOOP("CDlgVWEdit", "Character '@' error.")},
    {QLatin1Char('_'), QT_TRANSLATE_NOOP("CDlgVWEdit", "Character '_' error.")},
    {QLatin1Char(';'), QT_TRANSLATE_NOOP("CDlgVWEdit", "Character ';' error.")},
    {QLatin1Char('{'), QT_TRANSLATE_NOOP("CDlgVWEdit", "Character '{' error.")},
    {QLatin1Char(' '), QT_TRANSLATE_NOOP("CDlgVWEdit", "Character ' ' error.")},
    {QLatin1Char('}'), QT_TRANSLATE_NOOP("CDlgVWEdit", "Character '}' error.")},
    {QLatin1Char('"'), QT_TRANSLATE_NOOP("CDlgVWEdit", "Character '\"' error.")},
    {QLatin1Char('<'), QT_TRANSLATE_NOOP("CDlgVWEdit", "Character '<' error.")},
    {QLatin1Char('>'), QT_TRANSLATE_NOOP("CDlgVWEdit", "Character '>' error.")},
    {QLatin1Char(','), QT_TRANSLATE_NOOP("CDlgVWEdit", "Character ',' error.")},
    {QLatin1Char('-'), QT_TRANSLATE_NOOP("CDlgVWEdit", "Character '-' error.")},
};

} // namespace

CDlgVWEdit::CDlgVWEdit(CHOIScene *pScene, QWidget *parent)
    : QDialog(parent)
    , m_bOk(false)
    , ui(new Ui::CDlgVWEdit)
    , m_pScene(pScene)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
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

CDlgVWEdit::~CDlgVWEdit()
{
    delete ui;
}

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
    if (arg1.isEmpty())
        return;
    if (kSilentChars.contains(arg1.at(arg1.size() - 1))) {
        ui->leName->setToolTip(tr("Invaild character:") + QStringLiteral("\r\n{ } \" < > , ; _ - @ * & "));
        arg1.chop(1);
        // Setting the text runs this check again on the shortened name.
        ui->leName->setText(arg1);
        ui->leName->setFocus();
        return;
    }
    for (const T_ForbiddenChar &forbidden : kForbiddenChars) {
        if (!arg1.contains(forbidden.ch))
            continue;
        MsgCritical(this, QString(), tr(forbidden.pMessage));
        arg1.remove(forbidden.ch);
        ui->leName->setText(arg1);
        ui->leName->setFocus();
        return;
    }
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

void CDlgVWEdit::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        SetTexts();
    }
    QDialog::changeEvent(event);
}
