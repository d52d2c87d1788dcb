#ifndef HOI_CONSOLE_NAMEFILTER_H
#define HOI_CONSOLE_NAMEFILTER_H

#include <QChar>
#include <QCoreApplication>
#include <QString>

class QLineEdit;
class QWidget;

// The filter of the fields where the operator types a name (device aliases,
// wall and layout names): names travel in the devices' command lines and
// lists, which these characters would split. Typed last, such a character
// is taken back quietly (the field's tool tip names them); found elsewhere
// (pasted), it is removed with a message, one kind at a time, in the order
// & * @ _ ; { blank } " < > , and -.
class CNameFilter
{
    Q_DECLARE_TR_FUNCTIONS(CNameFilter)

public:
    // Device aliases may hold '-', wall and layout names may not.
    enum E_NameKind { E_NK_ALIAS, E_NK_WALL };

    static bool IsForbidden(QChar ch, E_NameKind eKind);
    // The first forbidden character of strName in the order above, with its
    // message; false when there is none.
    static bool FindForbidden(const QString &strName, E_NameKind eKind, QChar &ch, QString &strMessage);
    // Filters strText, just typed into pEdit: the corrected text goes back
    // into the field (which runs the filter again on it) and the field keeps
    // the focus. Taking back a last character sets strTip as the field's
    // tool tip; a message is shown over pParent.
    static void Filter(QWidget *pParent, QLineEdit *pEdit, const QString &strText, E_NameKind eKind,
                       const QString &strTip);
};

#endif
