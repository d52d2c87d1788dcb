// Shared by the project file, summary and virtual TX list tests: the product
// table they load, a quiet manager, and a small reader of written XML files.
#ifndef PROJECTTESTENV_H
#define PROJECTTESTENV_H

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"

#include <QCoreApplication>
#include <QFile>
#include <QList>
#include <QPair>
#include <QXmlStreamReader>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace projecttest {

// One product of every kind. TXP and RXP may link and form walls together.
// MRXP has both multiview modes, MRXQ only the tiled one. QN714 is the
// controller model, CTRL a controller of another model.
inline const char* ConfigXml()
{
    return R"(<?xml version="1.0"?>
<hoiprod>
 <product id="TXP" name="Encoder" type="tx" video_wall="RXP" vw_multi_tx="y"/>
 <product id="RXP" name="Decoder" type="rx" tx="TXP" video_wall="TXP" rx_monitor="y" vw_multi_tx="y" window_enable="y" viv_enable="y" edidpath="/dev/edid0" param_prefix="pp" old_api="y"/>
 <product id="MRXP" name="Multi" type="mrx" tx="TXP" mode_tile="tile" tile_maxwinsnum="9" mode_overlay="overlay" overlay_maxwinsnum="4"/>
 <product id="MRXQ" name="Multi2" type="mrx" tx="TXP" mode_tile="tile2" tile_maxwinsnum="4"/>
 <product id="WPP" name="Proc" type="wp"/>
 <product id="GWP" name="Gate" type="gw"/>
 <product id="IPCAM" name="Camera" type="tx"/>
 <product id="QN714" name="Controller" type="IP Controller"/>
 <product id="CTRL" name="OtherCtrl" type="IP Controller"/>
</hoiprod>
)";
}

// The shipped file writes a window as "x,y,w,h"; others as "x_y_w_h".
inline const char* LayoutXml()
{
    return R"(<?xml version="1.0"?>
<layout>
 <product layout_name="1x1" position_and_size_of_each_window="0_0_1920_1080" image_path="a.png" icon_path="a.ico"/>
 <product layout_name="2x1" position_and_size_of_each_window="0_0_960_1080;960_0_960_1080" image_path="b.png" icon_path="b.ico"/>
 <product layout_name="Dual" position_and_size_of_each_window="0,0,960,1080;960,0,960,1080" image_path="d.png" icon_path="d.ico"/>
 <product layout_name="Quad" position_and_size_of_each_window="0,0,960,540;960,0,960,540;0,540,960,540;960,540,960,540" image_path="q.png" icon_path="q.ico"/>
</layout>
)";
}

inline bool WriteFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(data) == data.size();
}

inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Puts the configuration beside the test executable, where the manager
// looks for it. Each test area has a folder of its own for that reason.
inline bool InstallConfig()
{
    const QString dir = QCoreApplication::applicationDirPath();
    return WriteFile(dir + "/config.xml", ConfigXml()) && WriteFile(dir + "/IPMLayout.xml", LayoutXml());
}

// A manager with the product table that never goes on the network by
// itself: no on-line check and no schedule run while a test lasts.
inline CHOIDevMgr* NewManager()
{
    CHOIDevMgr* pMgr = new CHOIDevMgr;
    pMgr->SetOnLineTimings(-1, 5000);
    pMgr->SetScheduleInterval(24 * 3600 * 1000);
    if (!pMgr->LoadProdConfig()) {
        delete pMgr;
        return nullptr;
    }
    pMgr->LoadLayoutConfig();
    return pMgr;
}

// Enters a device through the manager (the only way in without a search).
inline CHOIDev* AddDev(CHOIDevMgr* pMgr, const QString& hostName, const QString& alias = QString())
{
    pMgr->AddIpcDev(alias, hostName, nullptr);
    return pMgr->FindDevByHostName(hostName);
}

// Runs fn in a child process whose files may not grow beyond limit bytes,
// as on a full disk. Returns fn's result, or -1 when the child failed.
template <typename Fn>
int RunWithFileSizeLimit(rlim_t limit, Fn fn)
{
    const pid_t pid = fork();
    if (pid == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit rl;
        rl.rlim_cur = limit;
        rl.rlim_max = limit;
        setrlimit(RLIMIT_FSIZE, &rl);
        _exit(fn());
    }
    if (pid < 0)
        return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// Every element of a written XML file in document order, with its path,
// its attributes (in written order) and the index of its parent.
struct XmlElem
{
    QString path;
    QString name;
    QList<QPair<QString, QString>> attrs;
    int parent = -1;

    bool Has(const QString& attr) const
    {
        for (const auto& a : attrs) {
            if (a.first == attr)
                return true;
        }
        return false;
    }
    QString Value(const QString& attr) const
    {
        for (const auto& a : attrs) {
            if (a.first == attr)
                return a.second;
        }
        return QString();
    }
    QStringList Names() const
    {
        QStringList names;
        for (const auto& a : attrs)
            names.append(a.first);
        return names;
    }
};

class XmlDoc
{
public:
    bool Load(const QByteArray& data)
    {
        m_elems.clear();
        QXmlStreamReader xml(data);
        QList<int> stack;
        while (!xml.atEnd()) {
            const QXmlStreamReader::TokenType token = xml.readNext();
            if (token == QXmlStreamReader::StartElement) {
                XmlElem e;
                e.name = xml.name().toString();
                e.parent = stack.isEmpty() ? -1 : stack.last();
                e.path = (e.parent < 0 ? QString() : m_elems.at(e.parent).path) + '/' + e.name;
                const QXmlStreamAttributes attrs = xml.attributes();
                for (const QXmlStreamAttribute& a : attrs)
                    e.attrs.append(qMakePair(a.name().toString(), a.value().toString()));
                stack.append(m_elems.size());
                m_elems.append(e);
            } else if (token == QXmlStreamReader::EndElement) {
                stack.removeLast();
            }
        }
        return !xml.hasError();
    }

    int Count() const { return m_elems.size(); }
    const XmlElem& At(int i) const { return m_elems.at(i); }

    QList<int> All(const QString& path) const
    {
        QList<int> found;
        for (int i = 0; i < m_elems.size(); ++i) {
            if (m_elems.at(i).path == path)
                found.append(i);
        }
        return found;
    }
    // The first element of that path whose attribute has that value; -1.
    int Find(const QString& path, const QString& attr, const QString& value) const
    {
        for (int i : All(path)) {
            if (m_elems.at(i).Value(attr) == value)
                return i;
        }
        return -1;
    }
    QList<int> Children(int parent, const QString& name = QString()) const
    {
        QList<int> found;
        for (int i = parent + 1; i < m_elems.size(); ++i) {
            if (m_elems.at(i).parent == parent && (name.isEmpty() || m_elems.at(i).name == name))
                found.append(i);
        }
        return found;
    }
    QStringList ChildNames(int parent) const
    {
        QStringList names;
        for (int i : Children(parent))
            names.append(m_elems.at(i).name);
        return names;
    }

private:
    QList<XmlElem> m_elems;
};

} // namespace projecttest

#endif
