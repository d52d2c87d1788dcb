#include "platform/languageflag.h"

#include <QSettings>

#include <memory>

namespace {

std::unique_ptr<QSettings> OpenLanguageKey()
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\de_vurorad"),
                                       QSettings::NativeFormat);
#else
    // ~/.config/de_vurorad.conf: the same key in the platform's own format.
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("de_vurorad"));
#endif
}

} // namespace

bool ReadLanguageFlag()
{
    return OpenLanguageKey()->value(QStringLiteral("registered"), false).toBool();
}

void WriteLanguageFlag(bool bChinese)
{
    OpenLanguageKey()->setValue(QStringLiteral("registered"), bChinese);
}
