#ifndef TESTS_CONSOLE_MODALTESTHELPERS_H
#define TESTS_CONSOLE_MODALTESTHELPERS_H

#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>

#include "uiservices.h"

// One message box as the program built it.
struct T_SeenBox
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Takes the place of every message box while it lives: records it and
// answers with the next queued answer, or with its default button (Ok when
// it has none).
class CBoxRecorder
{
public:
    CBoxRecorder()
    {
        SetMessageBoxRunner([this](QMessageBox &box) {
            T_SeenBox seen;
            seen.icon = box.icon();
            seen.title = box.windowTitle();
            seen.text = box.text();
            seen.buttons = box.standardButtons();
            if (box.defaultButton())
                seen.defaultButton = box.standardButton(box.defaultButton());
            m_boxes.append(seen);
            if (!m_answers.isEmpty())
                return int(m_answers.takeFirst());
            return int(seen.defaultButton != QMessageBox::NoButton ? seen.defaultButton
                                                                   : QMessageBox::Ok);
        });
    }
    ~CBoxRecorder() { SetMessageBoxRunner(MessageBoxRunner()); }

    void Answer(QMessageBox::StandardButton button) { m_answers.append(button); }
    const QList<T_SeenBox> &Boxes() const { return m_boxes; }
    QStringList Texts() const
    {
        QStringList texts;
        for (const T_SeenBox &box : m_boxes)
            texts << box.text;
        return texts;
    }
    void Clear() { m_boxes.clear(); }

private:
    QList<T_SeenBox> m_boxes;
    QList<QMessageBox::StandardButton> m_answers;
};

// While it lives, hands each modal window that opens, in turn, to the next
// queued handler, from inside that window's own event loop. A handler must
// close its window (or leave it for the next handler).
class CModalDriver
{
public:
    using Handler = std::function<void(QWidget *)>;

    CModalDriver()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this]() {
            QWidget *pWidget = QApplication::activeModalWidget();
            if (!pWidget || pWidget == m_pLast || m_handlers.isEmpty())
                return;
            m_pLast = pWidget;
            ++m_nHandled;
            const Handler handler = m_handlers.takeFirst();
            handler(pWidget);
        });
        m_timer.start();
    }

    void Then(const Handler &handler) { m_handlers.append(handler); }
    int Handled() const { return m_nHandled; }

private:
    QList<Handler> m_handlers;
    QPointer<QWidget> m_pLast;
    QTimer m_timer;
    int m_nHandled = 0;
};

#endif
