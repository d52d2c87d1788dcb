// Feeds arbitrary files to the project reader, then saves and summarises
// whatever it accepted. Fails on any crash or sanitizer report, and when a
// refused file has left anything behind in the manager.
#include "hoi_core/hoidevmgr.h"

#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

const char* const kConfig = R"(<?xml version="1.0"?>
<hoiprod>
 <product id="T" name="Enc" type="tx" video_wall="R" vw_multi_tx="y"/>
 <product id="R" name="Dec" type="rx" tx="T" video_wall="T" rx_monitor="y" vw_multi_tx="y"/>
 <product id="M" name="Multi" type="mrx" tx="T" mode_tile="tile" tile_maxwinsnum="9" mode_overlay="ov" overlay_maxwinsnum="4"/>
 <product id="W" name="Proc" type="wp"/>
 <product id="G" name="Gate" type="gw"/>
 <product id="QN714" name="Ctrl" type="IP Controller"/>
</hoiprod>
)";

const char* const kLayouts = R"(<?xml version="1.0"?>
<layout>
 <product layout_name="1x1" position_and_size_of_each_window="0_0_1920_1080"/>
 <product layout_name="2x1" position_and_size_of_each_window="0_0_960_1080;960_0_960_1080"/>
</layout>
)";

CHOIDevMgr* g_mgr = nullptr;
QTemporaryDir* g_dir = nullptr;

bool WriteFile(const QString& path, const char* data, qint64 size)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data, size) == size;
}

void Empty()
{
    g_mgr->ClearAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

[[noreturn]] void Fail(const char* what)
{
    fprintf(stderr, "fuzz_project: %s\n", what);
    abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static int appArgc = *argc;
    static QCoreApplication app(appArgc, *argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.warning=false"));
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});

    const QString dir = QCoreApplication::applicationDirPath();
    if (!WriteFile(dir + "/config.xml", kConfig, qstrlen(kConfig))
        || !WriteFile(dir + "/IPMLayout.xml", kLayouts, qstrlen(kLayouts)))
        Fail("cannot write the configuration beside the program");
    g_dir = new QTemporaryDir;
    g_mgr = new CHOIDevMgr;
    // Nothing may go on the network or run by timer.
    g_mgr->SetOnLineTimings(-1, 5000);
    g_mgr->SetScheduleInterval(24 * 3600 * 1000);
    if (!g_dir->isValid() || !g_mgr->LoadProdConfig() || !g_mgr->LoadLayoutConfig())
        Fail("cannot set up the manager");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString in = g_dir->filePath("in.hoi");
    if (!WriteFile(in, reinterpret_cast<const char*>(data), qint64(size)))
        Fail("cannot write the input");

    Empty();
    if (g_mgr->ImportDevInfoFile(in)) {
        g_mgr->InitMrxLayouts();
        if (!g_mgr->ExportDevInfoFile(g_dir->filePath("out.hoi")))
            Fail("cannot save what was loaded");
        if (!g_mgr->ExportSceneInfoFile(g_dir->filePath("summary.txt")))
            Fail("cannot summarise what was loaded");
    } else if (g_mgr->GetDevCount() || g_mgr->GetSceneCount() || g_mgr->GetVideoWallCount()
               || g_mgr->GetGroupCount() || !g_mgr->m_scheduleList.isEmpty()) {
        Fail("a refused file left objects behind");
    }
    Empty();
    return 0;
}
