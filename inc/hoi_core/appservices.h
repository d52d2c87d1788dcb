#ifndef HOI_CORE_APPSERVICES_H
#define HOI_CORE_APPSERVICES_H

#include <QString>
#include <QStringList>

// Paths and the word-to-flag rule of the application shell. The core and the
// windows both call these; the configuration files lie beside the executable.

QString ConfigXmlPath();
QString HdcpXmlPath();
QString IPMLayoutXmlPath();
QString ListXmlPath();
QString MenuHelpXmlPath();

// "true", "yes", "y" (any case) and "1" give true; "false", "no", "n" (any
// case) and "0" give false; any other text, blanks around a word included,
// gives bDefault.
bool StrToBool(const QString &text, bool bDefault);

// The Documents folder with a trailing '/', created when missing.
QString DocumentsDir();
// DocumentsDir for a given list of candidate locations: the first one, or the
// home folder when the list is empty.
QString DocumentsDirFrom(const QStringList &locations);

// "Untitled.hoi" in the Documents folder. A copy left by older versions in
// the home folder's "VIVAvezaZE" is brought over first when the new one is
// missing. The path is returned whether or not a file stands there.
QString DefaultProjectFilePath();

#endif
