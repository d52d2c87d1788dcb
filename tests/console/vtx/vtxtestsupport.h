#ifndef TESTS_CONSOLE_VTXTESTSUPPORT_H
#define TESTS_CONSOLE_VTXTESTSUPPORT_H

#include <QApplication>
#include <QImage>
#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

#include "modaltestsupport.h"
#include "uiservices.h"

// One message box as the dialog built it.
struct T_Box
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
};

// Records every message box while it lives and answers it with OK.
class CBoxLog
{
public:
    CBoxLog()
    {
        SetMessageBoxRunner([this](QMessageBox &box) {
            m_boxes.append({box.icon(), box.windowTitle(), box.text(), box.standardButtons()});
            return int(QMessageBox::Ok);
        });
    }
    ~CBoxLog() { SetMessageBoxRunner(MessageBoxRunner()); }

    int Count() const { return m_boxes.size(); }
    const T_Box &At(int i) const { return m_boxes.at(i); }
    const T_Box &Last() const { return m_boxes.last(); }
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
};

// Answers every file dialog with the path given (empty: cancelled) and
// keeps the last request.
class CFileAnswer
{
public:
    explicit CFileAnswer(const QString &strPath = QString())
        : m_strPath(strPath)
    {
        SetFileDialogRunner([this](const T_FileDialogRequest &request) {
            m_last = request;
            ++m_nCount;
            return m_strPath;
        });
    }
    ~CFileAnswer() { SetFileDialogRunner(FileDialogRunner()); }

    void Set(const QString &strPath) { m_strPath = strPath; }
    const T_FileDialogRequest &Last() const { return m_last; }
    int Count() const { return m_nCount; }

private:
    QString m_strPath;
    T_FileDialogRequest m_last;
    int m_nCount = 0;
};

// A picture of that size in that format ("JPG", "PNG"), written to path.
inline bool WriteImage(const QString &path, int w, int h, const char *format)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(20, 120, 200));
    return image.save(path, format);
}

#endif
