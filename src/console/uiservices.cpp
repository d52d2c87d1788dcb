#include "uiservices.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "hoi_core/hoiconst.h"
#include "hoi_core/hoiscene.h"
#include "hoiwidget/itemdata.h"
#include "platform/fileversioninfo.h"

namespace {

MessageBoxRunner &BoxRunner()
{
    static MessageBoxRunner runner;
    return runner;
}

FileDialogRunner &DialogRunner()
{
    static FileDialogRunner runner;
    return runner;
}

// Captions of the standard buttons in the interface language. The platform
// theme would otherwise label them in the language of the desktop.
void TranslateButtons(QMessageBox &box)
{
    const struct {
        QMessageBox::StandardButton button;
        QString text;
    } captions[] = {
        {QMessageBox::Ok, QObject::tr("OK")},
        {QMessageBox::Save, QObject::tr("Save")},
        {QMessageBox::SaveAll, QObject::tr("Save All")},
        {QMessageBox::Open, QObject::tr("Open")},
        {QMessageBox::Yes, QObject::tr("Yes")},
        {QMessageBox::YesToAll, QObject::tr("Yes To All")},
        {QMessageBox::No, QObject::tr("No")},
        {QMessageBox::NoToAll, QObject::tr("No To All")},
        {QMessageBox::Abort, QObject::tr("Abort")},
        {QMessageBox::Retry, QObject::tr("Retry")},
        {QMessageBox::Ignore, QObject::tr("Ignore")},
        {QMessageBox::Close, QObject::tr("Close")},
        {QMessageBox::Cancel, QObject::tr("Cancel")},
        {QMessageBox::Discard, QObject::tr("Discard")},
        {QMessageBox::Help, QObject::tr("Help")},
        {QMessageBox::Apply, QObject::tr("Apply")},
        {QMessageBox::Reset, QObject::tr("Reset")},
        {QMessageBox::RestoreDefaults, QObject::tr("Restore Defaults")},
    };
    for (const auto &caption : captions) {
        if (QAbstractButton *pButton = box.button(caption.button))
            pButton->setText(caption.text);
    }
}

// The suffix of the first pattern of a filter ("hoi" of "Devinfo file (*.hoi)").
QString FilterSuffix(const QString &filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    return pattern.match(filter).captured(1);
}

// A name typed without a suffix gets the filter's: the Open dialog lists
// files by their suffix and would never show it.
QString WithDefaultSuffix(const QString &path, const QString &suffix)
{
    if (path.isEmpty() || suffix.isEmpty() || QFileInfo(path).fileName().contains(QLatin1Char('.')))
        return path;
    return path + QLatin1Char('.') + suffix;
}

QString RunSaveDialog(const T_FileDialogRequest &request, const QString &suffix)
{
    // The dialog itself adds the suffix too, so it asks before overwriting
    // the file that is really written.
    QFileDialog dialog(request.pParent, request.strCaption, request.strDir, request.strFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOptions(request.options);
    dialog.setDefaultSuffix(suffix);
    if (request.pSelectedFilter && !request.pSelectedFilter->isEmpty())
        dialog.selectNameFilter(*request.pSelectedFilter);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    if (request.pSelectedFilter)
        *request.pSelectedFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().value(0);
}

QString RunFileDialog(const T_FileDialogRequest &request)
{
    if (request.eKind == E_FD_SAVE_FILE) {
        const QString suffix = FilterSuffix(request.strFilter);
        return WithDefaultSuffix(DialogRunner() ? DialogRunner()(request) : RunSaveDialog(request, suffix),
                                 suffix);
    }
    if (DialogRunner())
        return DialogRunner()(request);
    switch (request.eKind) {
    case E_FD_OPEN_FILE:
        return QFileDialog::getOpenFileName(request.pParent, request.strCaption, request.strDir,
                                            request.strFilter, request.pSelectedFilter,
                                            request.options);
    case E_FD_SAVE_FILE:
        break;
    case E_FD_EXISTING_DIR:
        return QFileDialog::getExistingDirectory(request.pParent, request.strCaption,
                                                 request.strDir, request.options);
    }
    return QString();
}

T_FileDialogRequest MakeRequest(E_FileDialogKind eKind, QWidget *parent, const QString &caption,
                                const QString &dir, const QString &filter,
                                QString *selectedFilter, QFileDialog::Options options)
{
    return T_FileDialogRequest{eKind, parent, caption, dir, filter, selectedFilter, options};
}

// The text and picture of each layout status.
struct T_SceneStatusLook
{
    E_SceneStatus eStatus;
    const char *pszText;
    const char *pszIcon;
};

const T_SceneStatusLook kSceneStatusLooks[] = {
    {E_SS_EDIT, QT_TRANSLATE_NOOP("QObject", "Edit"), ":/images/matrix_edit.ico"},
    {E_SS_UPDATED, QT_TRANSLATE_NOOP("QObject", "Updated"), ":/images/matrix_updated.ico"},
    {E_SS_APPLIED, QT_TRANSLATE_NOOP("QObject", "Applied successfully"), ":/images/matrix_apply_ok.ico"},
    {E_SS_FAILED, QT_TRANSLATE_NOOP("QObject", "Failed to apply"), ":/images/matrix_apply_err.ico"},
    {E_SS_VIVLAYOUT, QT_TRANSLATE_NOOP("QObject", "Video Wall within a Wall"), ":/images/matrix_apply_viv.ico"},
    {E_SS_WPLAYOUT, QT_TRANSLATE_NOOP("QObject", "WP Layout"), ":/images/matrix_apply_wp.ico"},
};

// The windowing kinds of layout: how a layout says it is one, the kind's
// constant and the status a layout list shows for it.
struct T_WindowingKind
{
    bool (CHOIScene::*pfnIsKind)() const;
    const QString &strKind;
    E_SceneStatus eStatus;
};

const T_WindowingKind kWindowingKinds[] = {
    {&CHOIScene::IsWindowLayout, g_strWindowDecoders, E_SS_UPDATED},
    {&CHOIScene::IsVivLayout, g_strWallInWall, E_SS_VIVLAYOUT},
    {&CHOIScene::IsWPLayout, g_strWindowProcessor, E_SS_WPLAYOUT},
};

const T_WindowingKind *FindWindowingKind(const CHOIScene *pScene)
{
    for (const T_WindowingKind &kind : kWindowingKinds) {
        if ((pScene->*kind.pfnIsKind)())
            return &kind;
    }
    return nullptr;
}

} // namespace

int ShowMessageBox(QMessageBox::Icon icon, QWidget *parent, const QString &title,
                   const QString &text, QMessageBox::StandardButtons buttons,
                   QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, text, buttons, parent,
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    TranslateButtons(box);
    box.setDefaultButton(defaultButton);
    if (BoxRunner())
        return BoxRunner()(box);
    return box.exec();
}

int MsgQuestion(QWidget *parent, const QString &title, const QString &text,
                QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return ShowMessageBox(QMessageBox::Question, parent, title, text, buttons, defaultButton);
}

int MsgInformation(QWidget *parent, const QString &title, const QString &text)
{
    return ShowMessageBox(QMessageBox::Information, parent, title, text, QMessageBox::Ok,
                          QMessageBox::NoButton);
}

int MsgCritical(QWidget *parent, const QString &title, const QString &text)
{
    return ShowMessageBox(QMessageBox::Critical, parent, title, text, QMessageBox::Ok,
                          QMessageBox::NoButton);
}

int MsgWarning(QWidget *parent, const QString &title, const QString &text,
               QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return ShowMessageBox(QMessageBox::Warning, parent, title, text, buttons, defaultButton);
}

void SetMessageBoxRunner(const MessageBoxRunner &runner)
{
    BoxRunner() = runner;
}

void SetFileDialogRunner(const FileDialogRunner &runner)
{
    DialogRunner() = runner;
}

QString GetOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                        const QString &filter, QString *selectedFilter,
                        QFileDialog::Options options)
{
    return RunFileDialog(MakeRequest(E_FD_OPEN_FILE, parent, caption, dir, filter,
                                     selectedFilter, options));
}

QString GetSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                        const QString &filter, QString *selectedFilter,
                        QFileDialog::Options options)
{
    return RunFileDialog(MakeRequest(E_FD_SAVE_FILE, parent, caption, dir, filter,
                                     selectedFilter, options));
}

QString GetExistingDirectory(QWidget *parent, const QString &caption, const QString &dir,
                             QFileDialog::Options options)
{
    return RunFileDialog(MakeRequest(E_FD_EXISTING_DIR, parent, caption, dir, QString(),
                                     nullptr, options));
}

QString EdidDirPath()
{
    const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/EDID");
    if (!QFileInfo::exists(path))
        QDir().mkpath(path);
    return path;
}

QString LegacyProjectFilePath()
{
    return QDir::homePath() + QStringLiteral("/VIVAvezaZE/Untitled.hoi");
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

QRegExp NameRegExp()
{
    return QRegExp(QStringLiteral("^[^\\\\/:*?\"<>|()]{2,80}$"));
}

QIcon SceneStatusInfo(E_SceneStatus eStatus, QString &strText)
{
    for (const T_SceneStatusLook &look : kSceneStatusLooks) {
        if (look.eStatus == eStatus) {
            strText = QObject::tr(look.pszText);
            return QIcon(QString::fromLatin1(look.pszIcon));
        }
    }
    strText.clear();
    return QIcon();
}

QIcon LayoutStatusInfo(const CHOIScene *pScene, E_SceneStatus eStatus, QString &strText)
{
    if (const T_WindowingKind *pKind = FindWindowingKind(pScene))
        eStatus = pKind->eStatus;
    return SceneStatusInfo(eStatus, strText);
}

QString WindowingKind(const CHOIScene *pScene)
{
    const T_WindowingKind *pKind = FindWindowingKind(pScene);
    return pKind ? pKind->strKind : QString();
}

void AddLayoutEntry(QComboBox *pBox, CHOIScene *pScene)
{
    QString strText;
    pBox->addItem(LayoutStatusInfo(pScene, pScene->GetLastStatus(), strText), pScene->GetSceneNameSuffix(),
                  SceneToVariant(pScene));
}

QString AllGroupsText()
{
    return QObject::tr("All Groups");
}

QString GroupDisplayName(const QString &strGroup)
{
    return strGroup == g_strUngrouped ? QObject::tr("ungrouped") : strGroup;
}

QString LayoutKindText(const QString &strKind)
{
    // The kinds are the same words in every translation call, so the
    // constant's text is its own catalogue key.
    return QObject::tr(strKind.toUtf8().constData());
}

void AddGroupEntry(QComboBox *pBox, const QString &strGroup)
{
    pBox->addItem(GroupDisplayName(strGroup), strGroup);
}

void SelectGroupEntry(QComboBox *pBox, const QString &strGroup)
{
    const int nIndex = pBox->findData(strGroup);
    if (nIndex >= 0)
        pBox->setCurrentIndex(nIndex);
}

QString CurrentGroupEntry(const QComboBox *pBox)
{
    return pBox->currentData().toString();
}

QString ApplicationTitle()
{
    CFileVersionInfo versionInfo;
    if (versionInfo.Load(QCoreApplication::applicationFilePath()))
        return versionInfo.GetAppTitle();
    return QStringLiteral("ZEDA diri RE Dodezur");
}

void InitConsoleResources()
{
    Q_INIT_RESOURCE(images);
}
