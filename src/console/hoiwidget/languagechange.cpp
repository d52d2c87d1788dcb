#include "hoiwidget/languagechange.h"

#include <QEvent>
#include <QWidget>

namespace {

class CLanguageChangeHook : public QObject
{
public:
    CLanguageChangeHook(QWidget *pWidget, const std::function<void()> &retranslate)
        : QObject(pWidget)
        , m_retranslate(retranslate)
    {
        pWidget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == parent() && event->type() == QEvent::LanguageChange)
            m_retranslate();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_retranslate;
};

} // namespace

void OnLanguageChange(QWidget *pWidget, const std::function<void()> &retranslate)
{
    new CLanguageChangeHook(pWidget, retranslate);
}
