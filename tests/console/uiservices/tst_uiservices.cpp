#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include "uiservices.h"

// What the message box runner saw of the last box.
struct T_SeenBox
{
    int nCount = 0;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString strTitle;
    QString strText;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QMap<int, QString> captions; // standard button -> caption
    QWidget *pParent = nullptr;
};

class TestUiServices : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void nameRegExp_data();
    void nameRegExp();
    void nameRegExpPattern();

    void sceneStatusInfo_data();
    void sceneStatusInfo();

    void messageBoxWrappers_data();
    void messageBoxWrappers();
    void unansweredBoxFailsTheTest();
    void buttonCaptions_data();
    void buttonCaptions();
    void chineseCaptionsAndMessages();
    void catalogues_data();
    void catalogues();

    void fileDialogRunner();

    void edidDirPathCreatesFolder();
    void edidDirPathKeepsFile();
    void legacyProjectFilePath();
    void defaultProjectFileCopiedOnce();
    void defaultProjectFileNotOverwritten();

    void applicationTitle();

private:
    T_SeenBox m_seen;
    int m_nAnswer = QMessageBox::Ok;
    QTranslator *m_pTranslator = nullptr;
};

void TestUiServices::initTestCase()
{
    InitConsoleResources();
}

void TestUiServices::init()
{
    SetMessageBoxRunner([this](QMessageBox &box) {
        ++m_seen.nCount;
        m_seen.icon = box.icon();
        m_seen.strTitle = box.windowTitle();
        m_seen.strText = box.text();
        m_seen.buttons = box.standardButtons();
        m_seen.defaultButton = box.defaultButton() ? box.standardButton(box.defaultButton())
                                                   : QMessageBox::NoButton;
        m_seen.captions.clear();
        const QList<QAbstractButton *> buttons = box.buttons();
        for (QAbstractButton *pButton : buttons)
            m_seen.captions.insert(box.standardButton(pButton), pButton->text());
        m_seen.pParent = box.parentWidget();
        return m_nAnswer;
    });
}

void TestUiServices::cleanup()
{
    if (m_pTranslator) {
        QCoreApplication::removeTranslator(m_pTranslator);
        delete m_pTranslator;
        m_pTranslator = nullptr;
    }
    m_seen = T_SeenBox();
    m_nAnswer = QMessageBox::Ok;
    SetFileDialogRunner(FileDialogRunner());
}

void TestUiServices::nameRegExp_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("letters digits blanks hyphens") << QStringLiteral("Hall 2 - left-wall") << true;
    QTest::newRow("two characters") << QStringLiteral("ab") << true;
    QTest::newRow("80 characters") << QString(80, QLatin1Char('x')) << true;
    QTest::newRow("chinese") << QStringLiteral("会议室") << true;
    QTest::newRow("ampersand is allowed") << QStringLiteral("A&B") << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("one character") << QStringLiteral("a") << false;
    QTest::newRow("81 characters") << QString(81, QLatin1Char('x')) << false;
    QTest::newRow("backslash") << QStringLiteral("a\\b") << false;
    QTest::newRow("slash") << QStringLiteral("a/b") << false;
    QTest::newRow("colon") << QStringLiteral("a:b") << false;
    QTest::newRow("asterisk") << QStringLiteral("a*b") << false;
    QTest::newRow("question mark") << QStringLiteral("a?b") << false;
    QTest::newRow("double quote") << QStringLiteral("a\"b") << false;
    QTest::newRow("less than") << QStringLiteral("a<b") << false;
    QTest::newRow("greater than") << QStringLiteral("a>b") << false;
    QTest::newRow("bar") << QStringLiteral("a|b") << false;
    QTest::newRow("opening parenthesis") << QStringLiteral("a(b") << false;
    QTest::newRow("closing parenthesis") << QStringLiteral("ab)") << false;
}

void TestUiServices::nameRegExp()
{
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    QCOMPARE(NameRegExp().exactMatch(name), accepted);
}

void TestUiServices::nameRegExpPattern()
{
    const QRegExp regExp = NameRegExp();
    QCOMPARE(regExp.pattern(), QStringLiteral("^[^\\\\/:*?\"<>|()]{2,80}$"));
    QCOMPARE(regExp.pattern().size(), 23);
    QCOMPARE(regExp.caseSensitivity(), Qt::CaseSensitive);
    QCOMPARE(regExp.patternSyntax(), QRegExp::RegExp);
}

void TestUiServices::sceneStatusInfo_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("iconPath");

    QTest::newRow("0") << 0 << "Edit" << ":/images/matrix_edit.ico";
    QTest::newRow("1") << 1 << "Updated" << ":/images/matrix_updated.ico";
    QTest::newRow("2") << 2 << "Applied successfully" << ":/images/matrix_apply_ok.ico";
    QTest::newRow("3") << 3 << "Failed to apply" << ":/images/matrix_apply_err.ico";
    QTest::newRow("4") << 4 << "" << "";
    QTest::newRow("5") << 5 << "Video Wall within a Wall" << ":/images/matrix_apply_viv.ico";
    QTest::newRow("6") << 6 << "WP Layout" << ":/images/matrix_apply_wp.ico";
    QTest::newRow("7") << 7 << "" << "";
    QTest::newRow("-1") << -1 << "" << "";
}

void TestUiServices::sceneStatusInfo()
{
    QFETCH(int, status);
    QFETCH(QString, text);
    QFETCH(QString, iconPath);

    QString strText = QStringLiteral("left over");
    const QIcon icon = SceneStatusInfo(static_cast<E_SceneStatus>(status), strText);
    QCOMPARE(strText, text);
    if (iconPath.isEmpty()) {
        QVERIFY(icon.isNull());
        return;
    }
    QVERIFY(QFile::exists(iconPath));
    QVERIFY(!icon.isNull());
    const QImage shown = icon.pixmap(16, 16).toImage();
    QCOMPARE(shown.size(), QSize(16, 16));
    QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32),
             QIcon(iconPath).pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32));
}

void TestUiServices::messageBoxWrappers_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("defaultButton");

    QTest::newRow("critical") << 0 << int(QMessageBox::Critical) << int(QMessageBox::Ok)
                              << int(QMessageBox::NoButton);
    QTest::newRow("information") << 1 << int(QMessageBox::Information) << int(QMessageBox::Ok)
                                 << int(QMessageBox::NoButton);
    QTest::newRow("question yes no cancel")
        << 2 << int(QMessageBox::Question)
        << int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) << int(QMessageBox::Yes);
    QTest::newRow("warning ok cancel") << 3 << int(QMessageBox::Warning)
                                       << int(QMessageBox::Ok | QMessageBox::Cancel)
                                       << int(QMessageBox::Cancel);
}

void TestUiServices::messageBoxWrappers()
{
    QFETCH(int, kind);
    QFETCH(int, icon);
    QFETCH(int, buttons);
    QFETCH(int, defaultButton);

    QWidget parent;
    const QString title = QStringLiteral("title %1").arg(kind);
    const QString text = QStringLiteral("Character '&' error.");
    m_nAnswer = QMessageBox::Cancel;
    int nResult = 0;
    const auto standardButtons = QMessageBox::StandardButtons(buttons);
    const auto standardDefault = QMessageBox::StandardButton(defaultButton);
    switch (kind) {
    case 0:
        nResult = MsgCritical(&parent, title, text);
        break;
    case 1:
        nResult = MsgInformation(&parent, title, text);
        break;
    case 2:
        nResult = MsgQuestion(&parent, title, text, standardButtons, standardDefault);
        break;
    case 3:
        nResult = MsgWarning(&parent, title, text, standardButtons, standardDefault);
        break;
    }

    QCOMPARE(nResult, int(QMessageBox::Cancel)); // what the runner answered
    QCOMPARE(m_seen.nCount, 1);
    QCOMPARE(int(m_seen.icon), icon);
    QCOMPARE(m_seen.strTitle, title);
    QCOMPARE(m_seen.strText, text);
    QCOMPARE(int(m_seen.buttons), buttons);
    QCOMPARE(int(m_seen.defaultButton), defaultButton);
    QCOMPARE(m_seen.pParent, &parent);
}

void TestUiServices::unansweredBoxFailsTheTest()
{
    // The test guard closes the box and fails the test with its text.
    SetMessageBoxRunner(MessageBoxRunner());
    QEXPECT_FAIL("", "no one answers the box", Continue);
    QCOMPARE(MsgCritical(nullptr, QStringLiteral("Stop"), QStringLiteral("Unexpected")),
             int(QMessageBox::NoButton));
}

static void AddCaptionRows()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("chinese");

    QTest::newRow("Ok") << int(QMessageBox::Ok) << "OK" << "确定";
    QTest::newRow("Save") << int(QMessageBox::Save) << "Save" << "保存";
    QTest::newRow("SaveAll") << int(QMessageBox::SaveAll) << "Save All" << "全部保存";
    QTest::newRow("Open") << int(QMessageBox::Open) << "Open" << "打开";
    QTest::newRow("Yes") << int(QMessageBox::Yes) << "Yes" << "是";
    QTest::newRow("YesToAll") << int(QMessageBox::YesToAll) << "Yes To All" << "全部是";
    QTest::newRow("No") << int(QMessageBox::No) << "No" << "否";
    QTest::newRow("NoToAll") << int(QMessageBox::NoToAll) << "No To All" << "全部否";
    QTest::newRow("Abort") << int(QMessageBox::Abort) << "Abort" << "中止";
    QTest::newRow("Retry") << int(QMessageBox::Retry) << "Retry" << "重试";
    QTest::newRow("Ignore") << int(QMessageBox::Ignore) << "Ignore" << "忽略";
    QTest::newRow("Close") << int(QMessageBox::Close) << "Close" << "关闭";
    QTest::newRow("Cancel") << int(QMessageBox::Cancel) << "Cancel" << "取消";
    QTest::newRow("Discard") << int(QMessageBox::Discard) << "Discard" << "放弃";
    QTest::newRow("Help") << int(QMessageBox::Help) << "Help" << "帮助";
    QTest::newRow("Apply") << int(QMessageBox::Apply) << "Apply" << "应用";
    QTest::newRow("Reset") << int(QMessageBox::Reset) << "Reset" << "重置";
    QTest::newRow("RestoreDefaults") << int(QMessageBox::RestoreDefaults) << "Restore Defaults"
                                     << "恢复默认值";
}

void TestUiServices::buttonCaptions_data()
{
    AddCaptionRows();
}

// Each standard button carries its English caption, and the caption of the
// Chinese catalogue once that is installed.
void TestUiServices::buttonCaptions()
{
    QFETCH(int, button);
    QFETCH(QString, english);
    QFETCH(QString, chinese);

    ShowMessageBox(QMessageBox::Warning, nullptr, QString(), QStringLiteral("text"),
                   QMessageBox::StandardButtons(button) | QMessageBox::Ok, QMessageBox::NoButton);
    QCOMPARE(m_seen.captions.value(button), english);

    m_pTranslator = new QTranslator;
    QVERIFY(m_pTranslator->load(qEnvironmentVariable("HOI_BIN_DIR") + QStringLiteral("/zh_CN.qm")));
    QCoreApplication::installTranslator(m_pTranslator);
    ShowMessageBox(QMessageBox::Warning, nullptr, QString(), QStringLiteral("text"),
                   QMessageBox::StandardButtons(button) | QMessageBox::Ok, QMessageBox::NoButton);
    QCOMPARE(m_seen.captions.value(button), chinese);
    QCOMPARE(m_seen.captions.value(QMessageBox::Ok), QStringLiteral("确定"));
}

void TestUiServices::chineseCaptionsAndMessages()
{
    m_pTranslator = new QTranslator;
    QVERIFY(m_pTranslator->load(qEnvironmentVariable("HOI_BIN_DIR") + QStringLiteral("/zh_CN.qm")));
    QCoreApplication::installTranslator(m_pTranslator);

    QCOMPARE(QObject::tr("An instance of this application has been run!"),
             QStringLiteral("本程序已有一个实例在运行！"));
    QCOMPARE(QObject::tr("Program configure error!"), QStringLiteral("程序配置错误！"));

    QString strText;
    SceneStatusInfo(E_SS_APPLIED, strText);
    QCOMPARE(strText, QStringLiteral("应用成功"));
    SceneStatusInfo(E_SS_FAILED, strText);
    QCOMPARE(strText, QStringLiteral("应用失败"));

    // A box opened after the switch: text and buttons in Chinese.
    MsgQuestion(nullptr, QString(), QObject::tr("Program configure error!"),
                QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    QCOMPARE(m_seen.strText, QStringLiteral("程序配置错误！"));
    QCOMPARE(m_seen.captions.value(QMessageBox::Yes), QStringLiteral("是"));
    QCOMPARE(m_seen.captions.value(QMessageBox::No), QStringLiteral("否"));
    QCOMPARE(int(m_seen.defaultButton), int(QMessageBox::No));

    // Removing the catalogue brings the English captions back.
    QCoreApplication::removeTranslator(m_pTranslator);
    MsgCritical(nullptr, QString(), QStringLiteral("x"));
    QCOMPARE(m_seen.captions.value(QMessageBox::Ok), QStringLiteral("OK"));
}

void TestUiServices::catalogues_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("hasTexts");

    QTest::newRow("zh_CN.qm") << "zh_CN.qm" << true;
    QTest::newRow("widgets_CN.qm") << "widgets_CN.qm" << true;
    QTest::newRow("en_US.qm") << "en_US.qm" << false;
    QTest::newRow("widgets_US.qm") << "widgets_US.qm" << false;
}

// The four catalogues the main window switches between lie beside the
// program and load; the Chinese ones translate.
void TestUiServices::catalogues()
{
    QFETCH(QString, file);
    QFETCH(bool, hasTexts);

    const QString path = qEnvironmentVariable("HOI_BIN_DIR") + QLatin1Char('/') + file;
    QVERIFY2(QFile::exists(path), qPrintable(path));
    QTranslator translator;
    QVERIFY(translator.load(path));
    QCOMPARE(translator.isEmpty(), !hasTexts);
    if (file == QLatin1String("widgets_CN.qm")) {
        // Qt's own texts, such as the file dialog's.
        QVERIFY(!translator.translate("QFileDialog", "&Open").isEmpty());
    }
}

void TestUiServices::fileDialogRunner()
{
    QList<T_FileDialogRequest> requests;
    SetFileDialogRunner([&requests](const T_FileDialogRequest &request) {
        requests << request;
        if (request.pSelectedFilter)
            *request.pSelectedFilter = QStringLiteral("chosen");
        return QStringLiteral("/answer/%1").arg(int(request.eKind));
    });

    QWidget parent;
    QString selected;
    QCOMPARE(GetOpenFileName(&parent, QStringLiteral("Open"), QStringLiteral("/start"),
                             QStringLiteral("Project file (*.hoi)"), &selected),
             QStringLiteral("/answer/0"));
    QCOMPARE(selected, QStringLiteral("chosen"));
    QCOMPARE(GetSaveFileName(nullptr, QStringLiteral("Save"), QStringLiteral("/s/Untitled.hoi"),
                             QStringLiteral("Sceneinfo file (*.txt)")),
             QStringLiteral("/answer/1.txt"));
    QCOMPARE(GetExistingDirectory(&parent, QStringLiteral("Folder"), QStringLiteral("/d")),
             QStringLiteral("/answer/2"));

    QCOMPARE(requests.size(), 3);
    QCOMPARE(requests[0].eKind, E_FD_OPEN_FILE);
    QCOMPARE(requests[0].pParent, &parent);
    QCOMPARE(requests[0].strCaption, QStringLiteral("Open"));
    QCOMPARE(requests[0].strDir, QStringLiteral("/start"));
    QCOMPARE(requests[0].strFilter, QStringLiteral("Project file (*.hoi)"));
    QCOMPARE(requests[1].eKind, E_FD_SAVE_FILE);
    QCOMPARE(requests[1].pSelectedFilter, static_cast<QString *>(nullptr));
    QCOMPARE(requests[1].strFilter, QStringLiteral("Sceneinfo file (*.txt)"));
    QCOMPARE(requests[2].eKind, E_FD_EXISTING_DIR);
    QCOMPARE(requests[2].strFilter, QString());
    QVERIFY(requests[2].options & QFileDialog::ShowDirsOnly);
}

void TestUiServices::edidDirPathCreatesFolder()
{
    const QString expected = QCoreApplication::applicationDirPath() + QStringLiteral("/EDID");
    QDir(expected).removeRecursively();
    QFile::remove(expected);
    QVERIFY(!QFileInfo::exists(expected));

    QCOMPARE(EdidDirPath(), expected);
    QVERIFY(QFileInfo(expected).isDir());
    // A second call finds it and changes nothing.
    QFile marker(expected + QStringLiteral("/keep.bin"));
    QVERIFY(marker.open(QIODevice::WriteOnly));
    marker.close();
    QCOMPARE(EdidDirPath(), expected);
    QVERIFY(QFile::exists(expected + QStringLiteral("/keep.bin")));
    QDir(expected).removeRecursively();
}

// A file that happens to be named "EDID" is left alone; whoever uses the
// path finds out it is no folder.
void TestUiServices::edidDirPathKeepsFile()
{
    const QString expected = QCoreApplication::applicationDirPath() + QStringLiteral("/EDID");
    QDir(expected).removeRecursively();
    QFile file(expected);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a folder");
    file.close();

    QCOMPARE(EdidDirPath(), expected);
    QVERIFY(QFileInfo(expected).isFile());
    QVERIFY(QFile::remove(expected));
}

void TestUiServices::legacyProjectFilePath()
{
    QCOMPARE(LegacyProjectFilePath(), QDir::homePath() + QStringLiteral("/VIVAvezaZE/Untitled.hoi"));
}

void TestUiServices::defaultProjectFileCopiedOnce()
{
    const QString documents = DocumentsDir();
    QVERIFY(documents.startsWith(QDir::homePath())); // main() gave us a home of our own
    const QString path = documents + QStringLiteral("Untitled.hoi");
    QFile::remove(path);
    QVERIFY(QDir().mkpath(QFileInfo(LegacyProjectFilePath()).path()));
    QFile legacy(LegacyProjectFilePath());
    QVERIFY(legacy.open(QIODevice::WriteOnly));
    legacy.write("<hoi ver=\"1.0\"/>");
    legacy.close();

    QCOMPARE(DefaultProjectFilePath(), path);
    QFile copied(path);
    QVERIFY(copied.open(QIODevice::ReadOnly));
    QCOMPARE(copied.readAll(), QByteArray("<hoi ver=\"1.0\"/>"));
    QVERIFY(QFile::exists(LegacyProjectFilePath()));
    QFile::remove(LegacyProjectFilePath());
    QFile::remove(path);
}

void TestUiServices::defaultProjectFileNotOverwritten()
{
    const QString path = DocumentsDir() + QStringLiteral("Untitled.hoi");
    QFile current(path);
    QVERIFY(current.open(QIODevice::WriteOnly));
    current.write("current");
    current.close();
    QVERIFY(QDir().mkpath(QFileInfo(LegacyProjectFilePath()).path()));
    QFile legacy(LegacyProjectFilePath());
    QVERIFY(legacy.open(QIODevice::WriteOnly));
    legacy.write("legacy");
    legacy.close();

    QCOMPARE(DefaultProjectFilePath(), path);
    QVERIFY(current.open(QIODevice::ReadOnly));
    QCOMPARE(current.readAll(), QByteArray("current"));
    current.close();
    QFile::remove(LegacyProjectFilePath());

    // Neither file: the path is still given.
    QFile::remove(path);
    QCOMPARE(DefaultProjectFilePath(), path);
    QVERIFY(!QFile::exists(path));
}

// The test program is built from the same library as the console, with the
// same version block.
void TestUiServices::applicationTitle()
{
#ifdef HOI_NO_VERSION_BLOCK
    QCOMPARE(ApplicationTitle(), QStringLiteral("ZEDA diri RE Dodezur"));
#else
    QCOMPARE(ApplicationTitle(), QStringLiteral(HOI_APP_TITLE));
#endif
}

int main(int argc, char *argv[])
{
    // A home of our own: the Documents folder and the legacy project file
    // are made there.
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toUtf8());
    QApplication app(argc, argv);
    TestUiServices test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_uiservices.moc"
