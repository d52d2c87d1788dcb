#include <QCoreApplication>
#include <QColor>
#include <QImage>
#include <QSet>
#include <QtTest>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "../startup/consolerun.h"

// The console on a real X display (Xvfb): the main window appears with the
// program's title, its tool bar, panels and docks drawn (a screenshot is
// kept beside the test), and closing it the way a window manager does asks
// the save question and ends the program with exit code 0. With the welcome
// flow on, the welcome dialog appears over the window and closing it ends
// the program without the close questions.
class TestX11 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void windowShownAndClosed();
    void welcomeShownAtStart();

private:
    QString WindowName(Window window) const;
    Window FindTopLevel(const QString &title) const;
    QImage GrabScreen() const;
    void SendClose(Window window) const;
    static bool WriteListXml(const CConsoleRun &run, int nWelcome, const QString &strProject);

    Display *m_pDisplay = nullptr;
};

void TestX11::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("no X display: run under xvfb-run");
    m_pDisplay = XOpenDisplay(nullptr);
    QVERIFY2(m_pDisplay, "cannot open the X display");
}

void TestX11::cleanupTestCase()
{
    if (m_pDisplay)
        XCloseDisplay(m_pDisplay);
}

QString TestX11::WindowName(Window window) const
{
    const Atom netWmName = XInternAtom(m_pDisplay, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(m_pDisplay, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char *pData = nullptr;
    QString name;
    if (XGetWindowProperty(m_pDisplay, window, netWmName, 0, 1024, False, utf8, &type, &format,
                           &count, &after, &pData) == Success && pData && type == utf8) {
        name = QString::fromUtf8(reinterpret_cast<const char *>(pData), int(count));
    }
    if (pData)
        XFree(pData);
    return name;
}

Window TestX11::FindTopLevel(const QString &title) const
{
    Window root = 0;
    Window parent = 0;
    Window *pChildren = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (!XQueryTree(m_pDisplay, DefaultRootWindow(m_pDisplay), &root, &parent, &pChildren, &count))
        return 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(m_pDisplay, pChildren[i], &attributes)
            && attributes.map_state == IsViewable && WindowName(pChildren[i]) == title)
            found = pChildren[i];
    }
    if (pChildren)
        XFree(pChildren);
    return found;
}

QImage TestX11::GrabScreen() const
{
    const Window root = DefaultRootWindow(m_pDisplay);
    XWindowAttributes attributes;
    XGetWindowAttributes(m_pDisplay, root, &attributes);
    XImage *pShot = XGetImage(m_pDisplay, root, 0, 0, unsigned(attributes.width),
                              unsigned(attributes.height), AllPlanes, ZPixmap);
    if (!pShot)
        return QImage();
    QImage image(attributes.width, attributes.height, QImage::Format_RGB32);
    for (int y = 0; y < attributes.height; ++y) {
        for (int x = 0; x < attributes.width; ++x) {
            const unsigned long pixel = XGetPixel(pShot, x, y);
            image.setPixel(x, y, qRgb(int((pixel >> 16) & 0xff), int((pixel >> 8) & 0xff),
                                      int(pixel & 0xff)));
        }
    }
    XDestroyImage(pShot);
    return image;
}

void TestX11::SendClose(Window window) const
{
    XEvent close;
    memset(&close, 0, sizeof(close));
    close.xclient.type = ClientMessage;
    close.xclient.window = window;
    close.xclient.message_type = XInternAtom(m_pDisplay, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = long(XInternAtom(m_pDisplay, "WM_DELETE_WINDOW", False));
    close.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_pDisplay, window, False, NoEventMask, &close);
    XFlush(m_pDisplay);
}

// "list.xml" beside the console: welcome and tip flags and the last project.
bool TestX11::WriteListXml(const CConsoleRun &run, int nWelcome, const QString &strProject)
{
    QFile file(run.AppDir() + QStringLiteral("/list.xml"));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray xml = "<?xml version=\"1.0\"?>\n<hoi ver=\"1.0\">\n"
                           " <list><product listortree=\"0\"/></list>\n"
                           " <prompt><product isprompt=\"1\"/></prompt>\n"
                           " <welcome><product iwelcome=\""
                           + QByteArray::number(nWelcome)
                           + "\"/></welcome>\n"
                             " <propath><product filepath=\""
                           + strProject.toUtf8() + "\"/></propath>\n</hoi>\n";
    return file.write(xml) == xml.size();
}

void TestX11::windowShownAndClosed()
{
    CConsoleRun run;
    QVERIFY(run.IsValid());
    QVERIFY(run.AddSampleConfig());
    // No welcome: the project of the last run is named but not opened, so
    // closing must not write over it; the save goes where the operator says.
    const QString strProject = run.AppDir() + QStringLiteral("/x11.hoi");
    const QByteArray lastProject = "<?xml version=\"1.0\"?>\n<hoi ver=\"1.0\"/>\n";
    {
        QFile file(strProject);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(lastProject), qint64(lastProject.size()));
    }
    QVERIFY(WriteListXml(run, 1, strProject));
    const QString strSaved = run.AppDir() + QStringLiteral("/x11-saved.hoi");
    qputenv("HOI_TEST_FILE", strSaved.toUtf8());
    QProcess console;
    console.setProcessChannelMode(QProcess::SeparateChannels);
    run.Start(console, QStringLiteral("xcb"));
    QVERIFY(console.waitForStarted());

    const QString title = QStringLiteral(HOI_APP_TITLE);
    Window window = 0;
    QTRY_VERIFY_WITH_TIMEOUT((window = FindTopLevel(title)) != 0, 30000);

    XWindowAttributes attributes;
    QVERIFY(XGetWindowAttributes(m_pDisplay, window, &attributes));
    // At least the form's size (without a window manager nothing maximises).
    QVERIFY2(attributes.width >= 1000 && attributes.height >= 600,
             qPrintable(QStringLiteral("%1 x %2").arg(attributes.width).arg(attributes.height)));

    // Drawn without OpenGL: the system's drivers, which it never uses, stay unloaded.
    QFile maps(QStringLiteral("/proc/%1/maps").arg(console.processId()));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    const QByteArray mapped = maps.readAll();
    QVERIFY(mapped.contains("libQt5Gui") && !mapped.contains("_dri.so") && !mapped.contains("libGLX_mesa"));

    // Give the window a moment to paint, then look at the screen.
    QTest::qWait(1500);
    const QImage screen = GrabScreen();
    QVERIFY(!screen.isNull());
    screen.save(QCoreApplication::applicationDirPath() + QStringLiteral("/console_x11_screen.png"));
    const QRect area(attributes.x, attributes.y, attributes.width, attributes.height);
    const QRect visible = area.intersected(screen.rect());
    QVERIFY(!visible.isEmpty());

    // The window is drawn, not a hole: a light face with many colours on it
    // (icons, text, list and dock frames).
    QSet<QRgb> colours;
    int nLight = 0;
    int nSamples = 0;
    for (int y = visible.top(); y < visible.bottom(); y += 3) {
        for (int x = visible.left(); x < visible.right(); x += 3) {
            const QColor colour = screen.pixelColor(x, y);
            colours.insert(colour.rgb());
            nLight += colour.lightness() > 180;
            ++nSamples;
        }
    }
    QVERIFY2(nLight * 2 > nSamples, qPrintable(QStringLiteral("%1 of %2").arg(nLight).arg(nSamples)));
    QVERIFY2(colours.size() > 40, qPrintable(QString::number(colours.size())));
    // The tool bar along the top carries coloured icons.
    int nColoured = 0;
    for (int y = visible.top(); y < visible.top() + qMin(120, visible.height()); ++y) {
        for (int x = visible.left(); x < visible.right(); x += 2)
            nColoured += screen.pixelColor(x, y).hsvSaturation() > 100;
    }
    QVERIFY2(nColoured > 100, qPrintable(QString::number(nColoured)));

    // Close it as a window manager would: the save question is answered with
    // its default (Yes), the save dialog with HOI_TEST_FILE, the project is
    // written there and the loop's result is 0.
    SendClose(window);
    QVERIFY(console.waitForFinished(30000));
    qunsetenv("HOI_TEST_FILE");
    QCOMPARE(console.exitStatus(), QProcess::NormalExit);
    QCOMPARE(console.exitCode(), 0);
    QVERIFY(!QFile::exists(run.LockFile()));
    const QByteArray stderrText = console.readAllStandardError();
    const QStringList boxes = CConsoleRun::MessageBoxes(stderrText);
    QVERIFY2(!boxes.isEmpty(), stderrText.constData());
    QVERIFY2(boxes.at(0).contains(QStringLiteral("Do you want to save the changes to a project file?")),
             qPrintable(boxes.at(0)));
    QVERIFY(stderrText.contains("HOI_FILEDIALOG\tSave as"));
    QVERIFY(QFile::exists(strSaved));
    QFile last(strProject);
    QVERIFY(last.open(QIODevice::ReadOnly));
    QCOMPARE(last.readAll(), lastProject);
}

void TestX11::welcomeShownAtStart()
{
    CConsoleRun run;
    QVERIFY(run.IsValid());
    QVERIFY(run.AddSampleConfig());
    QVERIFY(WriteListXml(run, 0, QString()));
    QProcess console;
    console.setProcessChannelMode(QProcess::SeparateChannels);
    run.Start(console, QStringLiteral("xcb"));
    QVERIFY(console.waitForStarted());

    // The welcome dialog opens once the main window is up.
    Window welcome = 0;
    QTRY_VERIFY_WITH_TIMEOUT((welcome = FindTopLevel(QStringLiteral("Welcome"))) != 0, 30000);
    QVERIFY(FindTopLevel(QStringLiteral(HOI_APP_TITLE)) != 0);

    // Closing the welcome ends the program, without the close questions.
    SendClose(welcome);
    QVERIFY(console.waitForFinished(30000));
    QCOMPARE(console.exitStatus(), QProcess::NormalExit);
    QCOMPARE(console.exitCode(), 0);
    QCOMPARE(CConsoleRun::MessageBoxes(console.readAllStandardError()), QStringList());
}

QTEST_GUILESS_MAIN(TestX11)
#include "tst_x11.moc"
