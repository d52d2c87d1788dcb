#ifndef HOI_CORE_HOILOG_H
#define HOI_CORE_HOILOG_H

#include <QByteArray>
#include <QLoggingCategory>
#include <QString>

// Debug output written for every command line sent or received and for every
// Log dock line. Off unless asked for (QT_LOGGING_RULES="hoi.lines.debug=true"):
// a large fleet sends tens of thousands of lines, and formatting each one
// would cost the window its responsiveness.
Q_DECLARE_LOGGING_CATEGORY(lcHoiLines)

// Device bytes as log text: UTF-8 text, line breaks and tabs as they are;
// every other control byte and every byte that is no part of UTF-8 text
// (Telnet option negotiation) as "\xhh".
QString EscapeLogBytes(const QByteArray &bytes);

#endif // HOI_CORE_HOILOG_H
