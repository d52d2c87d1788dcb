// Interface language, the welcome flow at start, the close questions and
// what the window keeps at exit.
#include "mainwindow/mainwindow.h"
#include "ui_mainwindow.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDebug>
#include <QTranslator>

#include "dialogs/dlgprompt.h"
#include "dialogs/dlgwelcome.h"
#include "hoi_core/hoidevmgr.h"
#include "platform/languageflag.h"
#include "uiservices.h"

namespace {

// Loads a catalogue from the program's folder into pTranslator, in place of
// what it held, and makes it the application's newest one. A missing file
// leaves the translator empty: the interface shows its source texts.
void InstallCatalogue(QTranslator *pTranslator, const QString &strFile)
{
    QCoreApplication::removeTranslator(pTranslator);
    if (!pTranslator->load(strFile, QCoreApplication::applicationDirPath()))
        qDebug() << "no catalogue" << strFile;
    QCoreApplication::installTranslator(pTranslator);
}

} // namespace

void MainWindow::CreateLanguageMenu()
{
    QActionGroup *pGroup = new QActionGroup(ui->menuOption);
    pGroup->setExclusive(true);
    m_pActChinese = ui->menuOption->addAction(QStringLiteral("中文"));
    connect(m_pActChinese, &QAction::triggered, this, &MainWindow::slotChangeChinese);
    m_pActEnglish = ui->menuOption->addAction(tr("English"));
    connect(m_pActEnglish, &QAction::triggered, this, &MainWindow::slotChangeEnglish);
    for (QAction *pAction : {m_pActChinese, m_pActEnglish}) {
        pAction->setCheckable(true);
        pGroup->addAction(pAction);
    }
}

void MainWindow::slotchangeLanguage()
{
    if (!m_pTranslatorApp)
        m_pTranslatorApp = new QTranslator;
    if (!m_pTranslatorWidgets)
        m_pTranslatorWidgets = new QTranslator;
    if (ReadLanguageFlag()) {
        InstallCatalogue(m_pTranslatorApp, QStringLiteral("zh_CN.qm"));
        InstallCatalogue(m_pTranslatorWidgets, QStringLiteral("widgets_CN.qm"));
        RetranslateUi();
        if (m_pActChinese)
            m_pActChinese->setChecked(true);
        qDebug() << "cn";
    } else {
        RetranslateUi();
        if (m_pActEnglish)
            m_pActEnglish->setChecked(true);
    }
}

void MainWindow::slotChangeChinese()
{
    SwitchLanguage(true);
}

void MainWindow::slotChangeEnglish()
{
    SwitchLanguage(false);
}

void MainWindow::SwitchLanguage(bool bChinese)
{
    // Also without the language menu: "language.ini" may force a language.
    if (!m_pTranslatorApp)
        m_pTranslatorApp = new QTranslator;
    if (!m_pTranslatorWidgets)
        m_pTranslatorWidgets = new QTranslator;
    InstallCatalogue(m_pTranslatorApp, bChinese ? QStringLiteral("zh_CN.qm") : QStringLiteral("en_US.qm"));
    InstallCatalogue(m_pTranslatorWidgets,
                     bChinese ? QStringLiteral("widgets_CN.qm") : QStringLiteral("widgets_US.qm"));
    RetranslateUi();
    if (QAction *pAction = bChinese ? m_pActChinese : m_pActEnglish)
        pAction->setChecked(true);
    WriteLanguageFlag(bChinese);
    slotRefreshSceneComoboBox();
    qDebug() << (bChinese ? "cn" : "en");
}

void MainWindow::RetranslateUi()
{
    ui->retranslateUi(this);
    // Texts the window set at run time stay; the runtime menu entries follow.
    setWindowTitle(m_strTitle);
    if (!m_strSceneTitle.isEmpty())
        ui->gbScene->setTitle(m_strSceneTitle);
    if (!m_strGroupTitle.isEmpty())
        ui->groupBox_2->setTitle(GroupDisplayName(m_strGroupTitle));
    if (!m_strVWTitle.isEmpty())
        ui->groupBox_3->setTitle(m_strVWTitle);
    if (m_pActEnglish)
        m_pActEnglish->setText(tr("English"));
    if (m_pActAbout)
        m_pActAbout->setText(tr("About"));
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange && ui)
        RetranslateUi();
    QMainWindow::changeEvent(event);
}

void MainWindow::slotWelcome()
{
    CDlgWelcome *pWelcome = new CDlgWelcome(nullptr);
    pWelcome->setModal(true);
    const int nResult = pWelcome->exec();
    if (nResult == QDialog::Accepted) {
        if (pWelcome->IsOpenFile()) {
            if (pWelcome->GetSelectedText() == tr("More Files..."))
                slotImport();
            else
                OpenProject(pWelcome->GetSelectedText(), true);
        } else if (g_pHOIDevMgr) {
            g_pHOIDevMgr->m_strCurFilePath.clear();
        }
    }
    if (g_pHOIDevMgr && g_pHOIDevMgr->m_nIsPrompt == 0) {
        CDlgPrompt *pPrompt = new CDlgPrompt(nullptr);
        pPrompt->show();
    }
    pWelcome->deleteLater();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    CHOIDevMgr *pMgr = g_pHOIDevMgr;
    if (!pMgr) {
        event->accept();
        return;
    }
    if (!pMgr->m_scheduleList.isEmpty()
        && MsgQuestion(this, QString(), tr("The schedule will not execute when program exit, sure to exit?"),
                       QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
               != QMessageBox::Yes) {
        event->ignore();
        return;
    }

    const QString strPath = SaveTargetPath();
    const int nAnswer = MsgQuestion(this, QString(),
                                    strPath.isEmpty() ? tr("Do you want to save the changes to a project file?")
                                                      : tr("Do you want to save?"),
                                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                    QMessageBox::Yes);
    if (nAnswer == QMessageBox::Yes) {
        if (strPath.isEmpty()) {
            if (slotSaveas())
                event->accept();
            else
                event->ignore();
            return;
        }
        if (!SaveProjectTo(strPath)) {
            MsgCritical(this, QString(), tr("Save failure."));
            // Closing now would lose the changes that could not be written.
            event->ignore();
            return;
        }
        event->accept();
        return;
    }
    if (nAnswer == QMessageBox::No) {
        event->accept();
        return;
    }
    event->ignore();
}

void MainWindow::SaveListMode()
{
    if (!g_pHOIDevMgr)
        return;
    g_pHOIDevMgr->m_nListOrTree = ui->sw_RXToGroupOrList->currentWidget() == ui->page_RXList ? 1 : 0;
    g_pHOIDevMgr->SaveListConfig();
}
