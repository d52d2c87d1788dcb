#ifndef HOI_CONSOLE_EDIDPANE_H
#define HOI_CONSOLE_EDIDPANE_H

#include <QByteArray>
#include <QString>
#include <QStringList>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTextEdit;
class QWidget;

// The EDID part of the batch dialog's EDID page and of the EDID dialog.
struct T_EdidPane
{
    QComboBox *pList = nullptr;     // the "EDID" folder's files, then "Upload..."
    QLineEdit *pFileName = nullptr; // the file chosen with Select
    QPushButton *pSelect = nullptr;
    QTextEdit *pInfo = nullptr;     // the loaded EDID as hexadecimal text
    QPushButton *pApply = nullptr;
};

// Loads an EDID from the "EDID" folder or from a chosen file, shows it and
// holds it for Apply. Only a valid EDID is held, and Apply is on only while
// one is held: an invalid load, "Upload..." and a failed Select empty it.
// The texts are translated in the owner's context.
class CEdidPane
{
public:
    // pszContext: the owner's class name.
    CEdidPane(QWidget *pOwner, const char *pszContext);

    void Attach(const T_EdidPane &pane);
    // Lists the folder's files and loads the first.
    void FillList();
    void ChooseItem(int index);
    void Select(const QString &strStartDir);
    // Whether the owner lets Apply on at all (the batch page's capability).
    void SetApplyAllowed(bool bAllowed);
    // Turns the list on, and Select with it while "Upload..." is the choice:
    // on a fresh install that is the only item, and no change of choice
    // would ever turn Select on.
    void EnableChoice();
    // The held EDID as it is sent; empty when none.
    const QString &Edid() const { return m_strEdid; }
    // The shell line that writes the held EDID into a device's EEPROM.
    QByteArray EepromLine() const;
    // The refusal of an invalid or missing EDID.
    QString InvalidText() const;
    // After the form's retranslateUi: the list's last item is ours.
    void Retranslate();

private:
    QString Tr(const char *pszText) const;
    // False, with nothing changed, when the file cannot be opened.
    bool LoadFile(const QString &strPath);
    // "Invalid EDID !"; for the list's first file, once the owner is up.
    void ShowInvalid();
    void Hold(const QString &strEdid);

    QWidget *m_pOwner; // not owned
    const char *m_pszContext;
    T_EdidPane m_pane;
    QStringList m_listFiles; // file name of each list item but the last
    QString m_strEdid;
    bool m_bApplyAllowed;
    bool m_bFilling = false; // the list's first file is loading
};

#endif
