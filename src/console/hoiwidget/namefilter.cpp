#include "hoiwidget/namefilter.h"

#include <QLineEdit>

#include "uiservices.h"

namespace {

struct T_ForbiddenChar
{
    char c;
    const char *pszMessage;
};

const T_ForbiddenChar kForbiddenChars[] = {
    {'&', QT_TRANSLATE_NOOP("CNameFilter", "Character '&' error.")},
    {'*', QT_TRANSLATE_NOOP("CNameFilter", "Character '*' error.")},
    {'@', QT_TRANSLATE_NOOP("CNameFilter", "Character '@' error.")},
    {'_', QT_TRANSLATE_NOOP("CNameFilter", "Character '_' error.")},
    {';', QT_TRANSLATE_NOOP("CNameFilter", "Character ';' error.")},
    {'{', QT_TRANSLATE_NOOP("CNameFilter", "Character '{' error.")},
    {' ', QT_TRANSLATE_NOOP("CNameFilter", "Character ' ' error.")},
    {'}', QT_TRANSLATE_NOOP("CNameFilter", "Character '}' error.")},
    {'"', QT_TRANSLATE_NOOP("CNameFilter", "Character '\"' error.")},
    {'<', QT_TRANSLATE_NOOP("CNameFilter", "Character '<' error.")},
    {'>', QT_TRANSLATE_NOOP("CNameFilter", "Character '>' error.")},
    {',', QT_TRANSLATE_NOOP("CNameFilter", "Character ',' error.")},
    {'-', QT_TRANSLATE_NOOP("CNameFilter", "Character '-' error.")},
};

bool Applies(const T_ForbiddenChar &forbidden, CNameFilter::E_NameKind eKind)
{
    return forbidden.c != '-' || eKind == CNameFilter::E_NK_WALL;
}

} // namespace

bool CNameFilter::IsForbidden(QChar ch, E_NameKind eKind)
{
    for (const T_ForbiddenChar &forbidden : kForbiddenChars) {
        if (Applies(forbidden, eKind) && ch == QLatin1Char(forbidden.c))
            return true;
    }
    return false;
}

bool CNameFilter::FindForbidden(const QString &strName, E_NameKind eKind, QChar &ch, QString &strMessage)
{
    for (const T_ForbiddenChar &forbidden : kForbiddenChars) {
        if (Applies(forbidden, eKind) && strName.contains(QLatin1Char(forbidden.c))) {
            ch = QLatin1Char(forbidden.c);
            strMessage = tr(forbidden.pszMessage);
            return true;
        }
    }
    return false;
}

void CNameFilter::Filter(QWidget *pParent, QLineEdit *pEdit, const QString &strText, E_NameKind eKind,
                         const QString &strTip)
{
    if (strText.isEmpty())
        return;
    QString strFixed = strText;
    if (IsForbidden(strText.back(), eKind)) {
        pEdit->setToolTip(strTip);
        strFixed.chop(1);
    } else {
        QChar ch;
        QString strMessage;
        if (!FindForbidden(strText, eKind, ch, strMessage))
            return;
        MsgCritical(pParent, QString(), strMessage);
        strFixed.remove(ch);
    }
    pEdit->setText(strFixed);
    pEdit->setFocus();
}
