#ifndef TESTS_CONSOLE_MAINWINDOWTESTENV_H
#define TESTS_CONSOLE_MAINWINDOWTESTENV_H

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QStringList>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include "consoletestsupport.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "uiservices.h"

// Products of the devices these tests make. Every feature switch on;
// ZRX can window, ZRXP cannot.
inline QByteArray MainTestConfig(bool bSwitches = true)
{
    const QByteArray switches = bSwitches ? "ir_enable=\"yes\" rs232_enable=\"yes\" cec_enable=\"yes\" "
                                            "log_enable=\"yes\" backup_enalbe=\"yes\" language_enable=\"yes\" "
                                            "windowlayout_enable=\"yes\" vivlayout_enable=\"yes\""
                                          : "ir_enable=\"no\" rs232_enable=\"no\" cec_enable=\"no\" log_enable=\"no\" "
                                            "backup_enalbe=\"no\" language_enable=\"no\"";
    return "<?xml version=\"1.0\"?>\n<hoiprod " + switches
           + ">\n"
             "  <product id=\"ZTX\" name=\"Encoder\" type=\"tx\" param_prefix=\"gb\" ir_enable=\"y\"\n"
             "           rs232_enable=\"y\" cec_enable=\"y\" video_wall=\"ZRX\"/>\n"
             "  <product id=\"ZRX\" name=\"Decoder\" type=\"rx\" param_prefix=\"gb\" tx=\"ZTX\" video_wall=\"ZTX\"\n"
             "           window_enable=\"y\" viv_enable=\"y\"/>\n"
             "  <product id=\"QN714\" name=\"Controller\" type=\"IP Controller\"/>\n"
             "</hoiprod>\n";
}

// One message box as the window built it.
struct T_Box
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QWidget *pParent = nullptr;
};

// A manager for one test function, published as the process-wide one and
// never talking to the network; the boxes and file dialogs of the window
// are recorded and answered here.
class CMainTestEnv
{
public:
    explicit CMainTestEnv(const QByteArray &config = MainTestConfig())
    {
        WriteFile(QCoreApplication::applicationDirPath() + QStringLiteral("/config.xml"), config);
        m_pMgr = new CHOIDevMgr;
        m_pMgr->SetOnLineTimings(-1, 5000);
        g_pHOIDevMgr = m_pMgr;
        m_bLoaded = m_pMgr->LoadProdConfig();
        m_pMgr->InitDefaultProjectFile();
        // No welcome and no tip unless a test asks for them.
        m_pMgr->m_nIsWelcome = 1;
        m_pMgr->m_nIsPrompt = 1;
        SetMessageBoxRunner([this](QMessageBox &box) {
            T_Box seen;
            seen.icon = box.icon();
            seen.title = box.windowTitle();
            seen.text = box.text();
            seen.pParent = box.parentWidget();
            m_boxes.append(seen);
            if (!m_answers.isEmpty())
                return int(m_answers.takeFirst());
            if (box.defaultButton())
                return int(box.standardButton(box.defaultButton()));
            return int(QMessageBox::Ok);
        });
        SetFileDialogRunner([this](const T_FileDialogRequest &request) {
            m_requests.append(request);
            return m_fileAnswers.isEmpty() ? QString() : m_fileAnswers.takeFirst();
        });
    }
    ~CMainTestEnv()
    {
        SetMessageBoxRunner(MessageBoxRunner());
        SetFileDialogRunner(FileDialogRunner());
        // Deferred deletions of the window's tiles and the manager's objects
        // run before the manager goes.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        g_pHOIDevMgr = nullptr;
        delete m_pMgr;
    }

    bool IsLoaded() const { return m_bLoaded; }
    CHOIDevMgr *Mgr() const { return m_pMgr; }

    // A listed device that never connects.
    CHOIDev *AddDev(const QString &strHost, const QString &strAlias, const QString &strGroup = QString())
    {
        m_pMgr->AddIpcDev(strAlias, strHost, nullptr);
        CHOIDev *pDev = m_pMgr->FindDevByHostName(strHost);
        if (!pDev)
            return nullptr;
        m_pMgr->WireDevice(pDev);
        if (!strGroup.isEmpty())
            pDev->SetGroup(strGroup);
        return pDev;
    }

    CHOIScene *AddWall(const QString &strName, const QString &strGroup, int nRows, int nCols)
    {
        CHOIScene *pWall = m_pMgr->GetOrCreateVideoWall(strName);
        pWall->SetGroup(strGroup);
        pWall->SetGridSize(nRows, nCols);
        return pWall;
    }

    CHOIScene *AddLayout(const QString &strName, int nSeq, int nRows = 1, int nCols = 1)
    {
        CHOIScene *pScene = m_pMgr->CreateScene(strName);
        if (pScene) {
            pScene->SetLayoutSeq(nSeq);
            pScene->SetGridSize(nRows, nCols);
        }
        return pScene;
    }

    // Answers of the next boxes, in order; without one a box gets its
    // default button (Ok when it has none).
    void Answer(QMessageBox::StandardButton button) { m_answers.append(button); }
    const QList<T_Box> &Boxes() const { return m_boxes; }
    QStringList Texts() const
    {
        QStringList texts;
        for (const T_Box &box : m_boxes)
            texts << box.text;
        return texts;
    }
    void ClearBoxes()
    {
        m_boxes.clear();
        m_answers.clear();
    }

    // Answers of the next file dialogs (empty: cancelled).
    void AnswerFile(const QString &path) { m_fileAnswers.append(path); }
    const QList<T_FileDialogRequest> &FileRequests() const { return m_requests; }

private:
    CHOIDevMgr *m_pMgr = nullptr;
    bool m_bLoaded = false;
    QList<T_Box> m_boxes;
    QList<QMessageBox::StandardButton> m_answers;
    QList<T_FileDialogRequest> m_requests;
    QStringList m_fileAnswers;
};

// The texts of the visible actions of a tool bar, in order.
inline QStringList VisibleToolBarActions(QToolBar *pBar)
{
    QStringList names;
    const QList<QAction *> actions = pBar->actions();
    for (QAction *pAction : actions) {
        if (!pAction->isSeparator() && pAction->isVisible())
            names << pAction->objectName();
    }
    return names;
}

// A home, documents and settings folder of the test's own, set before the
// application object exists: the window writes the language flag and the
// controller upload writes into the Documents folder.
#define HOI_MAINWINDOW_TEST_MAIN(TestClass)                                                         \
    int main(int argc, char *argv[])                                                                \
    {                                                                                               \
        QTemporaryDir home;                                                                         \
        qputenv("HOME", home.path().toUtf8());                                                      \
        qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toUtf8());            \
        qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/.local/share")).toUtf8());         \
        QApplication app(argc, argv);                                                               \
        TestClass test;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                  \
        return QTest::qExec(&test, argc, argv);                                                     \
    }

#endif
