#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QStringList>

#include <cstdio>

#include "hoi_core/hoidevmgr.h"
#include "mainwindow/mainwindow.h"
#include "platform/appicon.h"
#include "platform/openfilelimit.h"
#include "platform/openglstack.h"
#include "platform/singleinstance.h"
#include "uiservices.h"

namespace {

// Name of the single-instance mutex; a second console finds it taken.
const char kInstanceMutexName[] = "de_vurorad_6B22C95DFE4C465FA25B97FC32F6ED6C";

// With HOI_TEST_MSGBOX set, message boxes and file dialogs are not shown: each is written to
// standard error as one tab-separated line (icon, title, text, button
// captions) and answered with its default button, else its escape button.
// The start-up tests drive the real program this way.
void InstallTestMessageBoxAnswer()
{
    if (qEnvironmentVariableIsEmpty("HOI_TEST_MSGBOX"))
        return;
    SetMessageBoxRunner([](QMessageBox &box) {
        QStringList captions;
        const QList<QAbstractButton *> buttons = box.buttons();
        for (QAbstractButton *pButton : buttons)
            captions << pButton->text();
        const QString line = QStringLiteral("HOI_MSGBOX\t%1\t%2\t%3\t%4\n")
                                 .arg(int(box.icon()))
                                 .arg(box.windowTitle(), box.text(), captions.join(QLatin1Char('|')));
        std::fputs(line.toUtf8().constData(), stderr);
        std::fflush(stderr);
        QAbstractButton *pAnswer = box.defaultButton();
        if (!pAnswer)
            pAnswer = box.escapeButton();
        if (!pAnswer && !buttons.isEmpty())
            pAnswer = buttons.first();
        return pAnswer ? int(box.standardButton(pAnswer)) : int(QMessageBox::NoButton);
    });
    // File dialogs are reported the same way and answered with HOI_TEST_FILE
    // (empty: cancelled).
    SetFileDialogRunner([](const T_FileDialogRequest &request) {
        const QString line = QStringLiteral("HOI_FILEDIALOG\t%1\n").arg(request.strCaption);
        std::fputs(line.toUtf8().constData(), stderr);
        std::fflush(stderr);
        return qEnvironmentVariable("HOI_TEST_FILE");
    });
}

// Declared before the manager, so it is destroyed after it: clears the
// process-wide pointer once the manager is gone, never while its destructor
// may still use it.
struct T_DevMgrPointerReset
{
    ~T_DevMgrPointerReset() { g_pHOIDevMgr = nullptr; }
};

} // namespace

int main(int argc, char *argv[])
{
    qSetMessagePattern(QStringLiteral("%{file}:%{line} %{function}: %{message}"));
    // One socket per device link; a refusal leaves the limit as it was.
    RaiseOpenFileLimit();
    LeaveOpenGLUnloaded();

    // The process-wide constants (hoiconst.h) are built before main runs.
    QApplication app(argc, argv);
    InitConsoleResources();
    InstallTestMessageBoxAnswer();

    CSingleInstanceGuard instanceGuard(QString::fromLatin1(kInstanceMutexName));
    if (instanceGuard.Create() == CSingleInstanceGuard::E_SI_ALREADY_EXISTS) {
        MsgCritical(nullptr, QString(), QObject::tr("An instance of this application has been run!"));
        return -1;
    }

    T_DevMgrPointerReset pointerReset;
    CHOIDevMgr devMgr;
    g_pHOIDevMgr = &devMgr;

    QApplication::setWindowIcon(ExecutableIcon());

    if (!devMgr.LoadProdConfig()) {
        MsgCritical(nullptr, QString(), QObject::tr("Program configure error!"));
        return -1;
    }

    // The rest of the configuration; a missing or broken file leaves its
    // table empty and start-up goes on.
    devMgr.LoadListConfig();
    devMgr.LoadHdcpConfig();
    devMgr.InitDefaultProjectFile();
    devMgr.LoadMenuConfig();
    devMgr.LoadLayoutConfig();
    devMgr.InitMrxLayouts();
    devMgr.LoadIpcConfig();

    int nResult = 0;
    {
        MainWindow mainWindow;
        mainWindow.showMaximized();
        nResult = app.exec();
    } // the main window goes before the manager, the manager before the application
    return nResult;
}
