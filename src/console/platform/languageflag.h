#ifndef HOI_CONSOLE_LANGUAGEFLAG_H
#define HOI_CONSOLE_LANGUAGEFLAG_H

// The interface language kept between runs: the value "registered" under
// "Software\de_vurorad" of the user's settings (the registry on Windows, a
// user settings file elsewhere). True means Chinese; missing means false.
bool ReadLanguageFlag();
void WriteLanguageFlag(bool bChinese);

#endif
