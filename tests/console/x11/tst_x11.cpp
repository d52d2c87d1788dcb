#include <QCoreApplication>
#include <QImage>
#include <QtTest>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "../startup/consolerun.h"

// The console on a real X display (Xvfb): its window appears with the
// program's title and can be seen on the screen, and closing it the way a
// window manager does ends the program with exit code 0.
class TestX11 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void windowShownAndClosed();

private:
    QString WindowName(Window window) const;
    Window FindTopLevel(const QString &title) const;
    QImage GrabScreen() const;

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

void TestX11::windowShownAndClosed()
{
    CConsoleRun run;
    QVERIFY(run.IsValid());
    QVERIFY(run.AddSampleConfig());
    QProcess console;
    console.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    run.Start(console, QStringLiteral("xcb"));
    QVERIFY(console.waitForStarted());

    const QString title = QStringLiteral(HOI_APP_TITLE);
    Window window = 0;
    QTRY_VERIFY_WITH_TIMEOUT((window = FindTopLevel(title)) != 0, 30000);

    XWindowAttributes attributes;
    QVERIFY(XGetWindowAttributes(m_pDisplay, window, &attributes));
    QVERIFY(attributes.width >= 200 && attributes.height >= 150);

    // Give the window a moment to paint, then look at the screen.
    QTest::qWait(1000);
    const QImage screen = GrabScreen();
    QVERIFY(!screen.isNull());
    screen.save(QCoreApplication::applicationDirPath() + QStringLiteral("/console_x11_screen.png"));
    // Inside the window: its light background, wherever the window lies.
    const QRect area(attributes.x, attributes.y, attributes.width, attributes.height);
    const QRect visible = area.intersected(screen.rect());
    QVERIFY(!visible.isEmpty());
    const QColor centre = screen.pixelColor(visible.center());
    QVERIFY2(centre.lightness() > 180, qPrintable(centre.name()));
    // The window is drawn, not a hole: most of it is that background.
    int nSame = 0;
    int nSamples = 0;
    for (int y = visible.top() + 40; y < visible.bottom(); y += 16) {
        for (int x = visible.left(); x < visible.right(); x += 16) {
            ++nSamples;
            nSame += screen.pixel(x, y) == centre.rgb();
        }
    }
    QVERIFY(nSamples > 0);
    QVERIFY2(nSame * 2 > nSamples, qPrintable(QStringLiteral("%1 of %2").arg(nSame).arg(nSamples)));

    // Close it as a window manager would; the event loop's result is 0.
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

    QVERIFY(console.waitForFinished(30000));
    QCOMPARE(console.exitStatus(), QProcess::NormalExit);
    QCOMPARE(console.exitCode(), 0);
    QVERIFY(!QFile::exists(run.LockFile()));
}

QTEST_GUILESS_MAIN(TestX11)
#include "tst_x11.moc"
