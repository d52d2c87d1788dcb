#ifndef TESTS_CONSOLE_COMMON_CONSOLETESTSUPPORT_H
#define TESTS_CONSOLE_COMMON_CONSOLETESTSUPPORT_H

// Helpers the console's test areas share: writing files, answering message
// boxes, and (modaltestsupport.h) reaching modal windows from inside their
// own event loops.

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QList>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

#include "hoi_core/hoidevmgr.h"
#include "modaltestsupport.h"
#include "uiservices.h"

// Writes content to path in place of what was there; false unless all of it
// was written.
inline bool WriteFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

// An EDID of nSize bytes: the 8-byte header (unless bHeader is false), then
// fill; with the header, byte 126 announces the extension blocks held within
// the 256 bytes a file is read to. Every whole 128-byte block sums to 0
// modulo 256, as sinks require.
inline QByteArray TestEdid(int nSize, char fill = '\x5a', bool bHeader = true)
{
    QByteArray bytes(nSize, fill);
    if (bHeader && nSize >= 8)
        bytes.replace(0, 8, QByteArray::fromHex("00ffffffffffff00"));
    if (bHeader && nSize >= 128)
        bytes[126] = char(qMin(nSize, 256) / 128 - 1);
    for (int nBlock = 0; nBlock + 128 <= nSize; nBlock += 128) {
        uchar nSum = 0;
        for (int i = nBlock; i < nBlock + 127; ++i)
            nSum = uchar(nSum + uchar(bytes.at(i)));
        bytes[nBlock + 127] = char(uchar(0x100 - nSum));
    }
    return bytes;
}

// Writes a file beside the test, where the manager reads "config.xml".
inline bool WriteBesideTest(const QString &name, const QByteArray &content)
{
    return WriteFile(QCoreApplication::applicationDirPath() + QLatin1Char('/') + name, content);
}

// The project file the manager writes now; empty when it cannot.
inline QByteArray ProjectOf(CHOIDevMgr *pMgr)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("project.hoi"));
    QFile file(path);
    return pMgr->ExportDevInfoFile(path) && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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

// Every message box the code under test shows (text, icon, parent),
// answered at once with nAnswer; Clear brings back the first answer.
struct T_SeenBoxes
{
    explicit T_SeenBoxes(int nFirstAnswer = QMessageBox::Ok)
        : nAnswer(nFirstAnswer)
        , m_nFirstAnswer(nFirstAnswer)
    {
    }

    QStringList texts;
    QList<QMessageBox::Icon> icons;
    QList<QWidget *> parents;
    int nAnswer;

    void Install()
    {
        SetMessageBoxRunner([this](QMessageBox &box) {
            texts.append(box.text());
            icons.append(box.icon());
            parents.append(box.parentWidget());
            return nAnswer;
        });
    }
    void Clear()
    {
        texts.clear();
        icons.clear();
        parents.clear();
        nAnswer = m_nFirstAnswer;
    }

private:
    int m_nFirstAnswer;
};

#endif
