// The BMP logo check, the virtual TX record editor and the painting of the
// picture windows: no device involved.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtEndian>
#include <QtTest>

#include <unistd.h>

#include "hoi_core/hoirecords.h"
#include "edid/dlgedidsetting.h"
#include "overlay/dlglogosettings.h"
#include "vtx/bmpcheck.h"
#include "vtx/dlgdevipconfig.h"
#include "vtx/dlgipcconfig.h"
#include "vtx/dlgipcedit.h"
#include "vtx/dlgpreviewimage.h"

#include "vtxtestsupport.h"

namespace {

// File header, info header of the given size (zero-padded beyond 40 bytes)
// and, with bMasks, four colour masks right behind the 40 fixed bytes.
QByteArray BmpHeaders(quint32 nHeaderSize, quint16 nBits, const QList<quint32> &masks = {},
                      int nTruncate = -1)
{
    QByteArray bytes(14 + 40, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    qToLittleEndian<quint32>(nHeaderSize, bytes.data() + 14);
    qToLittleEndian<qint32>(64, bytes.data() + 18);
    qToLittleEndian<qint32>(32, bytes.data() + 22);
    qToLittleEndian<quint16>(1, bytes.data() + 26);
    qToLittleEndian<quint16>(nBits, bytes.data() + 28);
    qToLittleEndian<quint32>(3, bytes.data() + 30); // BI_BITFIELDS, never looked at
    for (quint32 mask : masks) {
        char buf[4];
        qToLittleEndian<quint32>(mask, buf);
        bytes.append(buf, 4);
    }
    if (nHeaderSize > 40 + quint32(masks.size()) * 4)
        bytes.append(QByteArray(int(nHeaderSize - 40) - masks.size() * 4, '\0'));
    if (nTruncate >= 0)
        bytes.truncate(nTruncate);
    return bytes;
}

// What fn printed to the standard output.
template <typename Fn>
QByteArray CaptureStdout(Fn fn)
{
    fflush(stdout);
    QTemporaryFile file;
    if (!file.open())
        return QByteArray("capture failed");
    const int saved = dup(STDOUT_FILENO);
    dup2(file.handle(), STDOUT_FILENO);
    fn();
    fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    file.seek(0);
    return file.readAll();
}

T_IpcInfo Record()
{
    T_IpcInfo info;
    info.aliasname = QStringLiteral("Cam1");
    info.hostname = QStringLiteral("KRT4400-02A7C5F10001");
    info.url = QStringLiteral("rtsp://10.0.0.9/live");
    info.width = QStringLiteral("1280");
    info.height = QStringLiteral("720");
    info.fps = QStringLiteral("25");
    info.user = QStringLiteral("admin");
    info.passwd = QStringLiteral("pw");
    info.transporttype = QStringLiteral("TCP");
    info.sn = QStringLiteral("SN7");
    info.remark = QStringLiteral("door");
    info.enable = QStringLiteral("no");
    info.outstreamtype = QStringLiteral("ts");
    return info;
}

QStringList Fields(const T_IpcInfo &p)
{
    return {p.aliasname, p.hostname, p.url, p.sn,     p.user,          p.passwd,       p.width,
            p.height,    p.fps,      p.transporttype, p.enable, p.outstreamtype, p.remark};
}

template <typename T>
T *Child(QWidget &w, const char *name)
{
    return w.findChild<T *>(QLatin1String(name));
}

// Counts the events of one type that reach a widget or any of its children.
class CEventCounter : public QObject
{
public:
    CEventCounter(QWidget *pRoot, QEvent::Type type, int *pCount)
        : m_type(type)
        , m_pCount(pCount)
    {
        pRoot->installEventFilter(this);
        for (QWidget *pChild : pRoot->findChildren<QWidget *>())
            pChild->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == m_type)
            ++*m_pCount;
        return false;
    }

private:
    QEvent::Type m_type;
    int *m_pCount;
};

} // namespace

class TestVtxForms : public QObject
{
    Q_OBJECT

private slots:
    void bmpCheck_data();
    void bmpCheck();
    void bmpMissingFile();

    void editorResolutionList();
    void editorNewRecord();
    void editorShowsRecord_data();
    void editorShowsRecord();
    void editorRequiredFields_data();
    void editorRequiredFields();
    void editorAliasRule_data();
    void editorAliasRule();
    void editorForbiddenStoredAlias();
    void editorCancelKeepsRecord();
    void editorStoresTransportWord();

    void idlePictureDoesNotRepaint_data();
    void idlePictureDoesNotRepaint();

    void retranslate();

private:
    QTemporaryDir m_dir;
};

// ---------------------------------------------------------------------------
// BMP check

void TestVtxForms::bmpCheck_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QByteArray>("printed");

    const QByteArray bad16 = " ** This is a uncorect 16 bits file !\n";
    const QByteArray bad32 = " ** This is a uncorect 32 bits file !\n";
    const QByteArray ok16 = " ** This is a 16 bits 565 file\n";
    const QByteArray ok32 = " ** This is a 32 bits A8888 file\n";
    const QList<quint32> rgb565 = {0xF800, 0x07E0, 0x001F, 0};

    QTest::newRow("empty") << QByteArray() << false << QByteArray("read file header error!\n\n");
    QTest::newRow("13 bytes") << QByteArray("BM", 2) + QByteArray(11, '\0') << false
                              << QByteArray("read file header error!\n\n");
    QTest::newRow("not BM") << QByteArray("MB") + BmpHeaders(40, 32).mid(2) << false
                            << QByteArray("Not bmp file!\n\n");
    QTest::newRow("20 bytes") << BmpHeaders(40, 32, {}, 20) << false << QByteArray("read info header error!\n\n");
    QTest::newRow("56, masks cut") << BmpHeaders(56, 16, rgb565, 14 + 40 + 15) << false
                                   << QByteArray("read extra bit mask error!\n\n");
    QTest::newRow("16 565") << BmpHeaders(56, 16, rgb565) << true << ok16;
    QTest::newRow("16 565 alpha") << BmpHeaders(56, 16, {0xF800, 0x07E0, 0x001F, 0x8000}) << false << bad16;
    QTest::newRow("16 555") << BmpHeaders(56, 16, {0x7C00, 0x03E0, 0x001F, 0}) << false << bad16;
    // BI_BITFIELDS masks behind a plain 40-byte header are not read.
    QTest::newRow("16 565 after 40") << BmpHeaders(40, 16, {0xF800, 0x07E0, 0x001F}) << false << bad16;
    QTest::newRow("32 40") << BmpHeaders(40, 32) << true << ok32;
    QTest::newRow("32 108 masks") << BmpHeaders(108, 32, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}) << true << ok32;
    QTest::newRow("32 124") << BmpHeaders(124, 32, {0xFF0000, 0xFF00, 0xFF, 0}) << true << ok32;
    QTest::newRow("32 56 zero") << BmpHeaders(56, 32, {0, 0, 0, 0}) << true << ok32;
    QTest::newRow("32 56 alpha") << BmpHeaders(56, 32, {0, 0, 0, 0xFF000000}) << false << bad32;
    QTest::newRow("24") << BmpHeaders(40, 24) << false << QByteArray(" ** This is a 24 bits file!\n");
    QTest::newRow("8") << BmpHeaders(40, 8) << false << QByteArray(" ** This is a 8 bits file!\n");
    QTest::newRow("signed count") << BmpHeaders(40, 0xFFFF) << false << QByteArray(" ** This is a -1 bits file!\n");
}

void TestVtxForms::bmpCheck()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, accepted);
    QFETCH(QByteArray, printed);

    // Headers only: the files carry no pixels at all.
    const QString path = m_dir.filePath(QStringLiteral("logo %1.bmp").arg(QTest::currentDataTag()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
    file.close();

    CBmpCheck check;
    bool result = !accepted;
    const QByteArray out = CaptureStdout([&]() { result = check.IsSupportedBmpFile(path); });
    QCOMPARE(result, accepted);
    QCOMPARE(out, printed);
}

void TestVtxForms::bmpMissingFile()
{
    CBmpCheck check;
    bool result = true;
    const QByteArray out =
        CaptureStdout([&]() { result = check.IsSupportedBmpFile(m_dir.filePath(QStringLiteral("none.bmp"))); });
    QVERIFY(!result);
    QCOMPARE(out, QByteArray("bmp file open failed!\n\n"));
}

// ---------------------------------------------------------------------------
// Record editor

void TestVtxForms::editorResolutionList()
{
    T_IpcInfo info;
    CDlgIPCEdit dlg(&info, nullptr);
    QVERIFY(!(dlg.windowFlags() & Qt::WindowContextHelpButtonHint));
    QComboBox *pRes = Child<QComboBox>(dlg, "cmBResolution");
    const QStringList texts = {"1080P",    "720P",      "576P",     "480P",     "640X480",
                               "800X600",  "1024X768",  "1280X800", "1280X1024", "1366X768",
                               "1440X900", "1600X1200", "1680X1050"};
    const QStringList values = {"1920X1080", "1280X720",  "720X576",  "720X480",   "640X480",
                                "800X600",   "1024X768",  "1280X800", "1280X1024", "1366X768",
                                "1440X900",  "1600X1200", "1680X1050"};
    QCOMPARE(pRes->count(), texts.size());
    for (int i = 0; i < texts.size(); ++i) {
        QCOMPARE(pRes->itemText(i), texts.at(i));
        QCOMPARE(pRes->itemData(i).toString(), values.at(i));
    }
    QComboBox *pTransport = Child<QComboBox>(dlg, "cmBTransport");
    QCOMPARE(pTransport->count(), 2);
    QCOMPARE(pTransport->itemText(0), QStringLiteral("UDP"));
    QCOMPARE(pTransport->itemText(1), QStringLiteral("TCP"));
    QVERIFY(!Child<QLineEdit>(dlg, "lEHostName")->isEnabled());
    QCOMPARE(Child<QSpinBox>(dlg, "spinBoxFPS")->minimum(), 1);
    QCOMPARE(Child<QSpinBox>(dlg, "spinBoxFPS")->maximum(), 60);
}

void TestVtxForms::editorNewRecord()
{
    // As the list's placeholder row hands it over, with its generated names.
    T_IpcInfo info;
    info.aliasname = info.hostname = QStringLiteral("KRT4400-02A7C5F10001");
    info.url = QStringLiteral("rtsp://");
    info.fps = QStringLiteral("60");
    info.enable = QStringLiteral("yes");
    info.outstreamtype = QStringLiteral("raw");
    CBoxLog boxes;
    CDlgIPCEdit dlg(&info, nullptr);
    QCOMPARE(Child<QComboBox>(dlg, "cmBResolution")->currentText(), QStringLiteral("1080P"));
    QCOMPARE(Child<QSpinBox>(dlg, "spinBoxFPS")->value(), 60);
    QCOMPARE(Child<QComboBox>(dlg, "cmBTransport")->currentText(), QStringLiteral("UDP"));
    QCOMPARE(Child<QLineEdit>(dlg, "lEUrl")->text(), QStringLiteral("rtsp://"));

    Child<QPushButton>(dlg, "pBOK")->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(Fields(info), QStringList({"KRT4400-02A7C5F10001", "KRT4400-02A7C5F10001", "rtsp://", "", "", "",
                                        "1920", "1080", "60", "UDP", "yes", "raw", ""}));
    QCOMPARE(boxes.Count(), 0);
}

void TestVtxForms::editorShowsRecord_data()
{
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("fps");
    QTest::addColumn<QString>("transport");
    QTest::addColumn<QString>("shownRes");
    QTest::addColumn<int>("shownFps");
    QTest::addColumn<QString>("shownTransport");

    QTest::newRow("720P") << "1280" << "720" << "25" << "TCP" << "720P" << 25 << "TCP";
    QTest::newRow("unlisted") << "1920" << "1200" << "30" << "UDP" << "1080P" << 30 << "UDP";
    QTest::newRow("fps 0") << "720" << "480" << "0" << "" << "480P" << 1 << "UDP";
    QTest::newRow("fps empty") << "640" << "480" << "" << "tcp" << "640X480" << 1 << "UDP";
    QTest::newRow("fps 75") << "1680" << "1050" << "75" << "TCP" << "1680X1050" << 60 << "TCP";
    QTest::newRow("fps text") << "1920" << "1080" << "abc" << "TCP" << "1080P" << 1 << "TCP";
}

void TestVtxForms::editorShowsRecord()
{
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(QString, fps);
    QFETCH(QString, transport);
    QFETCH(QString, shownRes);
    QFETCH(int, shownFps);
    QFETCH(QString, shownTransport);

    T_IpcInfo info = Record();
    info.width = width;
    info.height = height;
    info.fps = fps;
    info.transporttype = transport;
    CDlgIPCEdit dlg(&info, nullptr);
    QCOMPARE(Child<QLineEdit>(dlg, "lEAlias")->text(), QStringLiteral("Cam1"));
    QCOMPARE(Child<QLineEdit>(dlg, "lEHostName")->text(), info.hostname);
    QCOMPARE(Child<QLineEdit>(dlg, "lEPassword")->echoMode(), QLineEdit::Normal);
    QCOMPARE(Child<QComboBox>(dlg, "cmBResolution")->currentText(), shownRes);
    QCOMPARE(Child<QSpinBox>(dlg, "spinBoxFPS")->value(), shownFps);
    QCOMPARE(Child<QComboBox>(dlg, "cmBTransport")->currentText(), shownTransport);

    // OK stores what the form shows, cut at the first "X".
    Child<QPushButton>(dlg, "pBOK")->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    const QString value = Child<QComboBox>(dlg, "cmBResolution")->currentData().toString();
    QCOMPARE(info.width + "X" + info.height, value);
    QCOMPARE(info.fps, QString::number(shownFps));
    QCOMPARE(info.transporttype, shownTransport);
    // Enable and the output stream type belong to the list, not the editor.
    QCOMPARE(info.enable, QStringLiteral("no"));
    QCOMPARE(info.outstreamtype, QStringLiteral("ts"));
}

void TestVtxForms::editorRequiredFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");

    QTest::newRow("alias") << "lEAlias" << "" << "Enter a alais name.";
    QTest::newRow("hostname") << "lEHostName" << "" << "Enter a hostname.";
    // A host name ends up in other devices' shell lines.
    QTest::newRow("hostname with a command") << "lEHostName" << "KRT4400-1;reboot" << "Enter a hostname.";
    QTest::newRow("url") << "lEUrl" << "" << "Enter url.";
}

void TestVtxForms::editorRequiredFields()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, message);

    T_IpcInfo info = Record();
    // An emptied alias is put back at once, so it can only be empty from
    // the start.
    if (field == "lEAlias")
        info.aliasname = value;
    else if (field == "lEHostName")
        info.hostname = value;
    else
        info.url = value;
    const T_IpcInfo before = info;

    CBoxLog boxes;
    CDlgIPCEdit dlg(&info, nullptr);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    Child<QLineEdit>(dlg, "lERemark")->setText(QStringLiteral("changed"));
    Child<QPushButton>(dlg, "pBOK")->click();

    QCOMPARE(boxes.Count(), 1);
    QCOMPARE(boxes.Last().icon, QMessageBox::Critical);
    QCOMPARE(boxes.Last().title, QString());
    QCOMPARE(boxes.Last().text, message);
    QVERIFY(dlg.isVisible());
    // The host name field is never enabled, so it cannot take the focus.
    if (field != "lEHostName")
        QCOMPARE(dlg.focusWidget(), dlg.findChild<QWidget *>(field));
    QCOMPARE(Fields(info), Fields(before));

    // A URL of one blank is enough.
    if (field == "lEUrl") {
        boxes.Clear();
        Child<QLineEdit>(dlg, "lEUrl")->setText(QStringLiteral(" "));
        Child<QPushButton>(dlg, "pBOK")->click();
        QCOMPARE(boxes.Count(), 0);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(info.url, QStringLiteral(" "));
        QCOMPARE(info.remark, QStringLiteral("changed"));
    }
}

void TestVtxForms::editorAliasRule_data()
{
    QTest::addColumn<QString>("typed");   // keys typed at the end of "Cam1"
    QTest::addColumn<QString>("pasted");  // or a whole new text
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("shown");

    QTest::newRow("typed _") << "_" << QString() << QStringList({"Character error."}) << "Cam1";
    QTest::newRow("typed space") << " " << QString() << QStringList({"Character error."}) << "Cam1";
    QTest::newRow("backspace") << QString() << QString() << QStringList({"Character error."}) << "Cam1";
    QTest::newRow("pasted _") << QString() << "a_b" << QStringList({"Character '_' error."}) << "Cam1";
    QTest::newRow("@ and &") << QString() << "a@b&c" << QStringList({"Character '&' error."}) << "Cam1";
    QTest::newRow("quote") << QString() << "a\"b" << QStringList({"Character '\"' error."}) << "Cam1";
    QTest::newRow("space inside") << QString() << "a b" << QStringList({"Character ' ' error."}) << "Cam1";
    QTest::newRow("comma") << QString() << "a,b" << QStringList({"Character ',' error."}) << "Cam1";
    QTest::newRow("brace") << QString() << "a{b" << QStringList({"Character '{' error."}) << "Cam1";
    QTest::newRow("fine") << QString() << "Cam-2.door" << QStringList() << "Cam-2.door";
}

void TestVtxForms::editorAliasRule()
{
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QStringList, messages);
    QFETCH(QString, shown);

    T_IpcInfo info = Record();
    CBoxLog boxes;
    CDlgIPCEdit dlg(&info, nullptr);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    QLineEdit *pAlias = Child<QLineEdit>(dlg, "lEAlias");
    Child<QLineEdit>(dlg, "lEUrl")->setFocus();
    if (!pasted.isEmpty()) {
        pAlias->setText(pasted);
    } else {
        pAlias->setFocus();
        pAlias->end(false);
        if (typed.isEmpty()) {
            pAlias->setText(QStringLiteral("C")); // then delete the last one
            boxes.Clear();
            QTest::keyClick(pAlias, Qt::Key_Backspace);
        } else {
            QTest::keyClicks(pAlias, typed);
        }
    }
    QCOMPARE(boxes.Texts(), messages);
    for (int i = 0; i < boxes.Count(); ++i) {
        QCOMPARE(boxes.At(i).icon, QMessageBox::Critical);
        QCOMPARE(boxes.At(i).title, QString());
    }
    QCOMPARE(pAlias->text(), shown);
    if (!messages.isEmpty())
        QCOMPARE(dlg.focusWidget(), pAlias);
    QCOMPARE(info.aliasname, QStringLiteral("Cam1")); // only OK writes
}

void TestVtxForms::editorForbiddenStoredAlias()
{
    // Filling the field is a change too: the message comes once while the
    // editor is built, and the stored alias stays shown.
    T_IpcInfo info = Record();
    info.aliasname = QStringLiteral("Front door");
    CBoxLog boxes;
    CDlgIPCEdit dlg(&info, nullptr);
    QCOMPARE(boxes.Texts(), QStringList({"Character ' ' error."}));
    QCOMPARE(Child<QLineEdit>(dlg, "lEAlias")->text(), QStringLiteral("Front door"));
}

void TestVtxForms::editorCancelKeepsRecord()
{
    T_IpcInfo info = Record();
    const QStringList before = Fields(info);
    CDlgIPCEdit dlg(&info, nullptr);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    Child<QLineEdit>(dlg, "lEAlias")->setText(QStringLiteral("Other"));
    Child<QLineEdit>(dlg, "lEUrl")->setText(QStringLiteral("rtsp://x"));
    Child<QComboBox>(dlg, "cmBResolution")->setCurrentIndex(5);
    Child<QPushButton>(dlg, "pBCancel")->click();
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(Fields(info), before);
}

void TestVtxForms::editorStoresTransportWord()
{
    // Whatever the language shows, the record takes the gateway's word.
    T_IpcInfo info = Record();
    CDlgIPCEdit dlg(&info, nullptr);
    Child<QComboBox>(dlg, "cmBTransport")->setItemText(1, QStringLiteral("传输控制协议"));
    Child<QPushButton>(dlg, "pBOK")->click();
    QCOMPARE(info.transporttype, QStringLiteral("TCP"));
}

// ---------------------------------------------------------------------------
// Idle picture windows

void TestVtxForms::idlePictureDoesNotRepaint_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("overlay") << "overlay";
    QTest::newRow("preview") << "preview";
    QTest::newRow("virtual TX") << "vtx";
}

void TestVtxForms::idlePictureDoesNotRepaint()
{
    QFETCH(QString, kind);
    QScopedPointer<QDialog> pDlg;
    if (kind == QLatin1String("overlay"))
        pDlg.reset(new CDlgLogoSettings(nullptr, nullptr));
    else if (kind == QLatin1String("preview"))
        pDlg.reset(new CDlgPreviewImage(nullptr, nullptr));
    else
        pDlg.reset(new CDlgIPCConfig(nullptr, nullptr));
    // Larger than its box, so each reload of the picture lays the scroll
    // area out and repaints the window again.
    // The preview pictures are JPEG.
    const char *format = kind == QLatin1String("overlay") ? "PNG" : "JPG";
    const QString path = m_dir.filePath(QStringLiteral("idle_%1.%2").arg(kind, QString::fromLatin1(format).toLower()));
    QVERIFY(WriteImage(path, 700, 450, format));
    pDlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(pDlg.data()));
    {
        CFileAnswer answer(path);
        Child<QPushButton>(*pDlg, "pushBtnSelect")->click();
    }
    QLabel *pPicture = Child<QLabel>(*pDlg, "labelPicture");
    QTest::qWait(200);

    int nPaints = 0;
    CEventCounter counter(pDlg.data(), QEvent::Paint, &nPaints);
    QTest::qWait(1000);
    QVERIFY2(nPaints < 10, qPrintable(QString::number(nPaints)));

    // The picture still follows its file.
    QVERIFY(WriteImage(path, 30, 20, format));
    QTRY_COMPARE_WITH_TIMEOUT(pPicture->pixmap(Qt::ReturnByValue).size(), QSize(30, 20), 5000);
}

// ---------------------------------------------------------------------------
// Language switch

void TestVtxForms::retranslate()
{
    const QString binDir = qEnvironmentVariable("HOI_BIN_DIR");
    QTranslator translator;
    if (binDir.isEmpty() || !translator.load(QStringLiteral("zh_CN.qm"), binDir))
        QSKIP("zh_CN.qm is not built");

    T_IpcInfo info = Record();
    CDlgIPCEdit edit(&info, nullptr);
    CDlgIPCConfig list(nullptr, nullptr);
    CDlgPreviewImage preview(nullptr, nullptr);
    CDlgLogoSettings overlay(nullptr, nullptr);
    CDlgEDIDSetting edid(nullptr, nullptr);
    CDlgDevIPConfig ipconfig(nullptr, nullptr);
    const QString path = m_dir.filePath(QStringLiteral("small.jpg"));
    QVERIFY(WriteImage(path, 40, 30, "JPG"));
    {
        CFileAnswer answer(path);
        Child<QPushButton>(preview, "pushBtnSelect")->click();
    }

    QVERIFY(QCoreApplication::installTranslator(&translator));
    QCoreApplication::processEvents();
    QCOMPARE(edit.windowTitle(), QStringLiteral("编辑"));
    QCOMPARE(Child<QPushButton>(edit, "pBOK")->text(), QStringLiteral("确定"));
    // The record's transport stays chosen; the resolutions are not translated.
    QCOMPARE(Child<QComboBox>(edit, "cmBTransport")->currentText(), QStringLiteral("TCP"));
    QCOMPARE(Child<QComboBox>(edit, "cmBResolution")->currentText(), QStringLiteral("720P"));
    QCOMPARE(list.windowTitle(), QStringLiteral("虚拟 TX 设置"));
    QCOMPARE(preview.windowTitle(), QStringLiteral("预览图片"));
    QCOMPARE(Child<QLabel>(preview, "label_3")->text(), QStringLiteral("Image Resolution:40X30 (<720X480)"));
    QCOMPARE(overlay.windowTitle(), QStringLiteral("叠加图片设置"));
    QCOMPARE(edid.windowTitle(), QStringLiteral("EDID 设置"));
    QComboBox *pEdidList = Child<QComboBox>(edid, "cbEDIDSet");
    QCOMPARE(pEdidList->itemText(pEdidList->count() - 1), QStringLiteral("上传..."));
    QCOMPARE(ipconfig.windowTitle(), QStringLiteral("IP 配置"));
    // The shared image pane speaks in each dialog's own context.
    {
        CFileAnswer answer(m_dir.filePath(QStringLiteral("missing.jpg")));
        CBoxLog boxes;
        for (QDialog *pDlg : {static_cast<QDialog *>(&list), static_cast<QDialog *>(&preview),
                              static_cast<QDialog *>(&overlay)})
            Child<QPushButton>(*pDlg, "pushBtnSelect")->click();
        QCOMPARE(boxes.Texts(), QStringList({"打开图片失败！", "打开图片失败！", "打开图片失败！"}));
    }
    QVERIFY(QCoreApplication::removeTranslator(&translator));
    QCoreApplication::processEvents();
    QCOMPARE(edit.windowTitle(), QStringLiteral("Edit"));
}

QTEST_MAIN(TestVtxForms)
#include "tst_vtxforms.moc"
