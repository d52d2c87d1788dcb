#ifndef HOI_CONSOLE_UISERVICES_H
#define HOI_CONSOLE_UISERVICES_H

#include <functional>

#include <QFileDialog>
#include <QIcon>
#include <QMessageBox>
#include <QRegExp>
#include <QString>

#include "hoi_core/appservices.h"
#include "hoi_core/hoitypes.h"

class CHOIScene;
class QComboBox;

// Helpers every window and dialog uses: the one message box, the file
// dialogs, the folders beside the program, the name rule, the layout status
// texts and the program's title. The configuration file paths, StrToBool,
// DocumentsDir and DefaultProjectFilePath come from the core (appservices.h).

// ---- message boxes ----

// The one modal message box. Every standard button caption goes through the
// translation function so the buttons follow the interface language rather
// than the platform's. Returns the QMessageBox::StandardButton that closed it.
int ShowMessageBox(QMessageBox::Icon icon, QWidget *parent, const QString &title,
                   const QString &text, QMessageBox::StandardButtons buttons,
                   QMessageBox::StandardButton defaultButton);

int MsgQuestion(QWidget *parent, const QString &title, const QString &text,
                QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No,
                QMessageBox::StandardButton defaultButton = QMessageBox::No);
int MsgInformation(QWidget *parent, const QString &title, const QString &text);
// The program's usual error report.
int MsgCritical(QWidget *parent, const QString &title, const QString &text);
int MsgWarning(QWidget *parent, const QString &title, const QString &text,
               QMessageBox::StandardButtons buttons = QMessageBox::Ok,
               QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// Runs a fully built box and returns the button that closed it. The default
// runs it modally; tests put in one that reads the box and answers it.
using MessageBoxRunner = std::function<int(QMessageBox &box)>;
// An empty runner brings back the modal default.
void SetMessageBoxRunner(const MessageBoxRunner &runner);

// ---- file dialogs ----

enum E_FileDialogKind {
    E_FD_OPEN_FILE = 0,
    E_FD_SAVE_FILE = 1,
    E_FD_EXISTING_DIR = 2,
};

struct T_FileDialogRequest
{
    E_FileDialogKind eKind = E_FD_OPEN_FILE;
    QWidget *pParent = nullptr;
    QString strCaption;
    QString strDir;
    QString strFilter;                  // empty for a folder choice
    QString *pSelectedFilter = nullptr; // may be null
    QFileDialog::Options options;
};

// Answers a file dialog: the chosen path, empty when cancelled.
using FileDialogRunner = std::function<QString(const T_FileDialogRequest &request)>;
// An empty runner brings back the toolkit's dialogs.
void SetFileDialogRunner(const FileDialogRunner &runner);

// The only way windows ask the operator for a file or a folder. A file name
// chosen to save without a suffix gets the suffix of the filter's first
// pattern.
QString GetOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                        const QString &filter, QString *selectedFilter = nullptr,
                        QFileDialog::Options options = QFileDialog::Options());
QString GetSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                        const QString &filter, QString *selectedFilter = nullptr,
                        QFileDialog::Options options = QFileDialog::Options());
QString GetExistingDirectory(QWidget *parent, const QString &caption, const QString &dir,
                             QFileDialog::Options options = QFileDialog::ShowDirsOnly);

// ---- folders ----

// The "EDID" folder beside the program, made when nothing of that name is
// there yet. A failed creation shows only when the folder is used.
QString EdidDirPath();
// Where earlier versions kept the default project ("VIVAvezaZE" in the home
// folder).
QString LegacyProjectFilePath();

// ---- text ----

// The value of a hexadecimal digit, -1 for any other character.
int HexDigit(char c);

// ---- names, status and title ----

// Names the operator types: 2 to 80 characters, none of \ / : * ? " < > | ( ).
QRegExp NameRegExp();

// Fills strText with the status text and returns its icon; a value without
// a text of its own clears strText and gives a null icon.
QIcon SceneStatusInfo(E_SceneStatus eStatus, QString &strText);
// The same for a layout in a layout list: the windowing kinds (decoder
// windows, wall within a wall, window processor) show their kind whatever
// eStatus says.
QIcon LayoutStatusInfo(const CHOIScene *pScene, E_SceneStatus eStatus, QString &strText);
// Layout lists show each layout by the part of its name after the wall's,
// with the icon of its last status, and keep the layout as the entry's data.
void AddLayoutEntry(QComboBox *pBox, CHOIScene *pScene);
// The layout's windowing kind (decoder windows, wall within a wall, window
// processor) as its constant; empty for a plain layout.
QString WindowingKind(const CHOIScene *pScene);

// The tree's root, the pseudo-group and the layout kinds as the operator
// reads them. Their constants (hoiconst.h) keep the English texts, which
// project files and comparisons rely on; only what is shown is translated.
QString AllGroupsText();
// A group's name as shown: the pseudo-group translated, any other as it is.
QString GroupDisplayName(const QString &strGroup);
// One of the four layout kind constants, translated.
QString LayoutKindText(const QString &strKind);
// Group choosers show each group by GroupDisplayName and keep its stored
// name as the entry's data; that is what is chosen and read back.
void AddGroupEntry(QComboBox *pBox, const QString &strGroup);
void SelectGroupEntry(QComboBox *pBox, const QString &strGroup);
QString CurrentGroupEntry(const QComboBox *pBox);

// The title of the main window and the About dialog: the program's version
// block "AppTitle" (even an empty one) when the program has a block,
// "ZEDA diri RE Dodezur" when it has none.
QString ApplicationTitle();

// Makes the pictures under ":/images/" available; called once by the entry
// routine (the console is a static library) and by tests that draw.
void InitConsoleResources();

#endif
