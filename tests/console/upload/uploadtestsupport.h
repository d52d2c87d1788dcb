#ifndef TESTS_CONSOLE_UPLOADTESTSUPPORT_H
#define TESTS_CONSOLE_UPLOADTESTSUPPORT_H

#include <csignal>
#include <sys/resource.h>

#include <QByteArray>
#include <QBuffer>
#include <QColor>
#include <QDataStream>
#include <QFile>
#include <QImage>
#include <QList>
#include <QMessageBox>
#include <QString>

#include "uiservices.h"

// Every message box the dialogs show while it lives, answered with OK.
class CBoxLog
{
public:
    struct T_Box
    {
        QMessageBox::Icon icon;
        QString title;
        QString text;
    };

    CBoxLog()
    {
        SetMessageBoxRunner([this](QMessageBox &box) {
            m_boxes.append({box.icon(), box.windowTitle(), box.text()});
            return int(QMessageBox::Ok);
        });
    }
    ~CBoxLog() { SetMessageBoxRunner(MessageBoxRunner()); }

    QList<T_Box> m_boxes;
};

// Answers every file dialog with the next path and keeps the requests.
class CFileChooser
{
public:
    CFileChooser()
    {
        SetFileDialogRunner([this](const T_FileDialogRequest &req) {
            m_requests.append(req);
            return m_paths.isEmpty() ? QString() : m_paths.takeFirst();
        });
    }
    ~CFileChooser() { SetFileDialogRunner(FileDialogRunner()); }
    void Next(const QString &path) { m_paths.append(path); }

    QList<T_FileDialogRequest> m_requests;
    QList<QString> m_paths;
};

// While it lives, no file of this process grows beyond nBytes, as on a full
// disk (nBytes negative: no limit).
class CFileSizeLimit
{
public:
    explicit CFileSizeLimit(qint64 nBytes)
    {
        if (nBytes < 0 || getrlimit(RLIMIT_FSIZE, &m_saved) != 0)
            return;
        std::signal(SIGXFSZ, SIG_IGN); // a failed write, not the end of the process
        rlimit limit = m_saved;
        limit.rlim_cur = rlim_t(nBytes);
        m_bSet = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~CFileSizeLimit()
    {
        if (m_bSet)
            setrlimit(RLIMIT_FSIZE, &m_saved);
    }
    CFileSizeLimit(const CFileSizeLimit &) = delete;
    CFileSizeLimit &operator=(const CFileSizeLimit &) = delete;

private:
    rlimit m_saved{};
    bool m_bSet = false;
};

inline bool WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// A picture in the given format, padded with zeros after its end to exactly
// nSize bytes (0: as written). The readers stop at the picture's end.
inline QByteArray MakeImage(const char *format, int width, int height, int nSize = 0)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(10, 120, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    if (nSize > bytes.size())
        bytes.append(QByteArray(nSize - bytes.size(), '\0'));
    return bytes;
}

// A bitmap with the given depth and info header size (40 or 56; a 56-byte
// header carries the masks red, green, blue, alpha), nSize bytes long.
inline QByteArray MakeBmp(int bitCount, int infoSize, quint32 red, quint32 green, quint32 blue, quint32 alpha,
                          int nSize)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("BM", 2);
    out << quint32(qMax(nSize, 14 + infoSize)) << quint16(0) << quint16(0) << quint32(14 + infoSize);
    out << quint32(infoSize) << qint32(4) << qint32(4) << quint16(1) << quint16(bitCount)
        << quint32(infoSize == 56 ? 3 : 0) // BI_BITFIELDS with masks
        << quint32(0) << qint32(0) << qint32(0) << quint32(0) << quint32(0);
    if (infoSize == 56)
        out << red << green << blue << alpha;
    if (nSize > bytes.size())
        bytes.append(QByteArray(nSize - bytes.size(), '\0'));
    return bytes;
}

#endif // TESTS_CONSOLE_UPLOADTESTSUPPORT_H
