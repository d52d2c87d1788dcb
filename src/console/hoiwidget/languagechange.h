#ifndef HOI_CONSOLE_LANGUAGECHANGE_H
#define HOI_CONSOLE_LANGUAGECHANGE_H

#include <functional>

class QWidget;

// Runs retranslate whenever pWidget is told that the language changed (a
// translator was installed or removed): there a window puts its form's
// texts, and whatever else it wrote in words, into the new language. It runs
// before the widget's own changeEvent and before its children hear of the
// change. The hook goes with the widget.
void OnLanguageChange(QWidget *pWidget, const std::function<void()> &retranslate);

#endif
