#ifndef TESTS_CONSOLE_BATCHTESTSUPPORT_H
#define TESTS_CONSOLE_BATCHTESTSUPPORT_H

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

#include "uiservices.h"

// Records every message box (icon, title, text) and answers each with the
// next queued answer, or with its default button (Ok when none).
class CBatchBoxes
{
public:
    struct T_Box
    {
        QMessageBox::Icon icon;
        QString title;
        QString text;
        QMessageBox::StandardButton defaultButton;
    };

    CBatchBoxes()
    {
        SetMessageBoxRunner([this](QMessageBox &box) {
            T_Box seen{box.icon(), box.windowTitle(), box.text(), QMessageBox::NoButton};
            if (box.defaultButton())
                seen.defaultButton = box.standardButton(box.defaultButton());
            m_boxes.append(seen);
            if (!m_answers.isEmpty())
                return int(m_answers.takeFirst());
            return int(seen.defaultButton != QMessageBox::NoButton ? seen.defaultButton : QMessageBox::Ok);
        });
    }
    ~CBatchBoxes() { SetMessageBoxRunner(MessageBoxRunner()); }

    void Answer(QMessageBox::StandardButton button) { m_answers.append(button); }
    const QList<T_Box> &Boxes() const { return m_boxes; }
    QStringList Texts() const
    {
        QStringList texts;
        for (const T_Box &box : m_boxes)
            texts << box.text;
        return texts;
    }
    void Clear() { m_boxes.clear(); }

private:
    QList<T_Box> m_boxes;
    QList<QMessageBox::StandardButton> m_answers;
};

// Answers every file dialog with the next path (empty: cancelled).
class CBatchFileAnswers
{
public:
    CBatchFileAnswers()
    {
        SetFileDialogRunner([this](const T_FileDialogRequest &request) {
            m_requests.append(request);
            return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
        });
    }
    ~CBatchFileAnswers() { SetFileDialogRunner(FileDialogRunner()); }
    void Answer(const QString &path) { m_answers.append(path); }
    const QList<T_FileDialogRequest> &Requests() const { return m_requests; }

private:
    QStringList m_answers;
    QList<T_FileDialogRequest> m_requests;
};

// Hands the next modal window to fn from inside its own event loop; fn
// reads it and closes it.
class CBatchModalWatcher
{
public:
    explicit CBatchModalWatcher(const std::function<void(QWidget *)> &fn)
        : m_fn(fn)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this]() {
            QWidget *pWidget = QApplication::activeModalWidget();
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
