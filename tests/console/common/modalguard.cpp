// Linked into every console test executable (tests/CMakeLists.txt): from the
// moment the application object exists, a modal window that no watcher or
// OnModal of the running test takes fails that test with the window's text
// and is closed, so the test goes on to its end within seconds.

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "modaltestsupport.h"

namespace {

QTimer *g_pGuardTimer = nullptr;

QString Describe(QWidget *pWindow)
{
    if (auto *pBox = qobject_cast<QMessageBox *>(pWindow)) {
        QString text = QStringLiteral("message box \"%1\": %2").arg(pBox->windowTitle(), pBox->text());
        if (!pBox->informativeText().isEmpty())
            text += QLatin1Char(' ') + pBox->informativeText();
        return text;
    }
    return QStringLiteral("%1 \"%2\"").arg(QLatin1String(pWindow->metaObject()->className()),
                                          pWindow->windowTitle());
}

void Look()
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
        g_pGuardTimer->stop();
        return;
    }
    // Only a window running its own loop (exec) is application modal and
    // blocks; one opened with open() returns at once to whoever drives it.
    QWidget *pWindow = QApplication::activeModalWidget();
    if (!pWindow || pWindow->windowModality() != Qt::ApplicationModal || ModalGuard::IsTaken(pWindow))
        return;
    ModalGuard::Hand(pWindow);
    const QByteArray what = "unexpected modal window: " + Describe(pWindow).toUtf8();
    if (!QTest::currentTestFunction())
        qFatal("%s (outside any test function)", what.constData());
    // A failed check rather than QFAIL: a test of the guard can expect it.
    QTest::qVerify(false, "expected modal window", what.constData(), __FILE__, __LINE__);
    // Rejected whatever reject() would ask first: the test has failed.
    if (auto *pDialog = qobject_cast<QDialog *>(pWindow))
        pDialog->done(QDialog::Rejected);
    else
        pWindow->close();
}

void StopGuard()
{
    delete g_pGuardTimer;
    g_pGuardTimer = nullptr;
}

void StartGuard()
{
    g_pGuardTimer = new QTimer;
    g_pGuardTimer->setInterval(10);
    QObject::connect(g_pGuardTimer, &QTimer::timeout, &Look);
    g_pGuardTimer->start();
    qAddPostRoutine(&StopGuard);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(StartGuard)
