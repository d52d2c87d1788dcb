#ifndef TESTS_CONSOLE_DEVLISTTESTSUPPORT_H
#define TESTS_CONSOLE_DEVLISTTESTSUPPORT_H

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QList>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

#include <functional>

#include "uiservices.h"

// Writes "config.xml" beside the test, where the manager reads it.
inline bool WriteConfigXml(const QByteArray &xml)
{
    QFile file(QCoreApplication::applicationDirPath() + QStringLiteral("/config.xml"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(xml) == xml.size();
}

// One message box as the program built it.
struct T_SeenBox
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Records every message box for as long as it lives and answers each with
// the next queued answer, or with the box's default button (Ok when none).
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
            if (m_whileOpen)
                m_whileOpen();
            if (!m_answers.isEmpty())
                return int(m_answers.takeFirst());
            return int(seen.defaultButton != QMessageBox::NoButton ? seen.defaultButton : QMessageBox::Ok);
        });
    }
    ~CBoxRecorder() { SetMessageBoxRunner(MessageBoxRunner()); }

    void Answer(QMessageBox::StandardButton button) { m_answers.append(button); }
    // Runs while each box is open, as events arriving then would.
    void WhileOpen(const std::function<void()> &fn) { m_whileOpen = fn; }
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
    std::function<void()> m_whileOpen;
};

// While it lives, hands the first modal window or popup that opens to fn,
// from inside that window's own event loop; fn closes it.
class CModalWatcher
{
public:
    explicit CModalWatcher(const std::function<void(QWidget *)> &fn)
        : m_fn(fn)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this]() {
            QWidget *pWidget = QApplication::activePopupWidget();
            if (!pWidget)
                pWidget = QApplication::activeModalWidget();
            if (!pWidget)
                return;
            m_timer.stop();
            m_bFired = true;
            m_fn(pWidget);
        });
        m_timer.start();
    }

    bool Fired() const { return m_bFired; }

private:
    std::function<void(QWidget *)> m_fn;
    QTimer m_timer;
    bool m_bFired = false;
};

#endif
