#ifndef HOI_CONSOLE_FORMUI_H
#define HOI_CONSOLE_FORMUI_H

#include <functional>

#include "hoiwidget/languagechange.h"

class QWidget;

// Takes the "?" button out of a dialog's title bar.
void DropHelpButton(QWidget *pWindow);

// The Designer form of a window, held as the window's member `ui`: made and
// freed with the window; `ui->` reaches the form's widgets. The window's
// header needs no more of the form than `namespace Ui { class CX; }` as long
// as the window's constructor and destructor are defined in its .cpp, where
// the form's header is read.
template <class TUi>
class CFormUi
{
public:
    CFormUi()
        : m_pForm(new TUi)
    {
    }

    ~CFormUi()
    {
        static_assert(sizeof(TUi) > 0, "the form's header is needed where the window is destroyed");
        delete m_pForm;
    }

    CFormUi(const CFormUi &) = delete;
    CFormUi &operator=(const CFormUi &) = delete;

    TUi *operator->() const { return m_pForm; }
    operator TUi *() const { return m_pForm; }
    // For a function template that takes the form, where no conversion applies.
    TUi *get() const { return m_pForm; }

    // Lays the form out on pWindow and keeps its texts in the current
    // language; retranslated, if given, runs after the form's own texts are
    // back. Called from the window's constructor, so that the form finds the
    // window's on_<name>_<signal> slots and connects them.
    template <class TWindow>
    void SetUpForm(TWindow *pWindow, const std::function<void()> &retranslated = nullptr)
    {
        m_pForm->setupUi(pWindow);
        FollowLanguage(pWindow, retranslated);
    }

    // The same for a dialog without the "?" button.
    template <class TWindow>
    void SetUpDialog(TWindow *pWindow, const std::function<void()> &retranslated = nullptr)
    {
        m_pForm->setupUi(pWindow);
        DropHelpButton(pWindow);
        FollowLanguage(pWindow, retranslated);
    }

private:
    template <class TWindow>
    void FollowLanguage(TWindow *pWindow, const std::function<void()> &retranslated)
    {
        TUi *pForm = m_pForm;
        OnLanguageChange(pWindow, [pForm, pWindow, retranslated] {
            pForm->retranslateUi(pWindow);
            if (retranslated)
                retranslated();
        });
    }

    TUi *const m_pForm;
};

#endif
