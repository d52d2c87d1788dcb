// Saves and loads a large installation: 1000 devices, 300 layouts of 4x4
// cells, 50 walls and 100 schedules (times a scale factor given as the only
// argument). Prints the time of each step and the peak memory.
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>

namespace {

const char* const kConfig = R"(<?xml version="1.0"?>
<hoiprod>
 <product id="TXB" name="Encoder" type="tx" video_wall="RXB" vw_multi_tx="y"/>
 <product id="RXB" name="Decoder" type="rx" tx="TXB" video_wall="TXB" rx_monitor="y" vw_multi_tx="y"/>
 <product id="MRXB" name="Multi" type="mrx" tx="TXB" mode_tile="tile" tile_maxwinsnum="9"/>
 <product id="WPB" name="Proc" type="wp"/>
 <product id="GWB" name="Gate" type="gw"/>
</hoiprod>
)";

const char* const kLayouts = R"(<?xml version="1.0"?>
<layout>
 <product layout_name="1x1" position_and_size_of_each_window="0_0_1920_1080"/>
 <product layout_name="2x2" position_and_size_of_each_window="0_0_960_540;960_0_960_540;0_540_960_540;960_540_960_540"/>
</layout>
)";

long PeakRssKb()
{
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void Report(const char* step, qint64 ms)
{
    printf("%-28s %8lld ms   peak RSS %8ld KiB\n", step, static_cast<long long>(ms), PeakRssKb());
    fflush(stdout);
}

QString Host(const char* model, int i)
{
    return QStringLiteral("%1-%2").arg(QLatin1String(model)).arg(i, 12, 16, QLatin1Char('0')).toUpper();
}

CHOIDevMgr* NewManager()
{
    CHOIDevMgr* pMgr = new CHOIDevMgr;
    pMgr->SetOnLineTimings(-1, 5000);
    pMgr->SetScheduleInterval(24 * 3600 * 1000);
    pMgr->LoadProdConfig();
    pMgr->LoadLayoutConfig();
    return pMgr;
}

// Walls of 4x4 decoders, each with six layouts; one wall in five belongs to
// a wall processor, whose layouts carry composite screens.
void Build(CHOIDevMgr* pMgr, int scale)
{
    const int walls = 50 * scale;
    const int txCount = 150 * scale;
    const int layoutsPerWall = 6;
    QList<CHOIDev*> tx;
    for (int i = 0; i < txCount; ++i) {
        pMgr->AddIpcDev(QStringLiteral("Encoder %1").arg(i), Host("TXB", i), nullptr);
        tx << pMgr->FindDevByHostName(Host("TXB", i));
        tx.last()->SetIPAddr(QStringLiteral("127.1.%1.%2").arg(i / 250).arg(i % 250 + 1));
        tx.last()->m_mapOptions.insert("--enc-gop", T_ProdIdInfo::ParseParamLine("--enc-gop", "30"));
    }
    int rxNo = 0;
    for (int w = 0; w < walls; ++w) {
        const QString wallName = QStringLiteral("W%1").arg(w);
        pMgr->AddGroup(wallName, uint(w + 1));
        QList<CHOIDev*> rx;
        for (int c = 0; c < 16; ++c, ++rxNo) {
            pMgr->AddIpcDev(QStringLiteral("Screen %1").arg(rxNo), Host("RXB", rxNo), nullptr);
            rx << pMgr->FindDevByHostName(Host("RXB", rxNo));
            rx.last()->SetGroup(wallName);
        }
        const bool bProcessor = w % 5 == 4;
        CHOIScene* pWall = pMgr->GetOrCreateVideoWall(wallName);
        pWall->SetGridSize(4, 4);
        pWall->SetLayoutSeq(w + 1);
        pWall->SetGroup(wallName);
        for (int c = 0; c < 16; ++c)
            pWall->GetCell(c / 4, c % 4)->rx = rx.at(c);
        for (int l = 0; l < layoutsPerWall; ++l) {
            CHOIScene* pScene = pMgr->CreateScene(QStringLiteral("%1-L%2").arg(wallName).arg(l));
            pScene->SetGridSize(4, 4);
            pScene->SetGroup(wallName);
            pScene->SetLayoutSeq(l + 1);
            pScene->SetDefault(l == 0);
            pScene->SetWPLayout(bProcessor);
            for (int c = 0; c < 16; ++c) {
                T_SceneCell* pCell = pScene->GetCell(c / 4, c % 4);
                pCell->rx = rx.at(c);
                pCell->txList << tx.at((w * 7 + l * 3 + c) % txCount);
            }
            T_VideoWallInfo* pRect = new T_VideoWallInfo;
            pRect->name = QStringLiteral("VW%1").arg(l);
            pRect->pos_row = l % 3;
            pRect->pos_col = 0;
            pRect->row_count = 2;
            pRect->col_count = 2;
            pRect->ow = 1920;
            pRect->oh = 1080;
            pRect->vw = 1900;
            pRect->vh = 1060;
            pScene->InsertVideoWall(pRect);
            pScene->SetDevSetup(rx.at(0), T_VWDevSetup{l, 1, 2, 3, 4});
        }
    }
    // Fill up to 1000 devices with multiview decoders, processors and gateways.
    const int rest = 1000 * scale - pMgr->GetDevCount();
    for (int i = 0; i < rest; ++i) {
        const char* model = i % 3 == 0 ? "MRXB" : (i % 3 == 1 ? "WPB" : "GWB");
        pMgr->AddIpcDev(QStringLiteral("Other %1").arg(i), Host(model, i), nullptr);
    }
    for (int i = 0; i < 100 * scale; ++i) {
        T_ScheduleInfo* pInfo = new T_ScheduleInfo;
        pInfo->type = 1 + i % 4;
        pInfo->activited = false;
        pInfo->start_date.year = 2024;
        pInfo->start_date.month = 1;
        pInfo->start_date.day = 1 + i % 28;
        pInfo->exec_time.hour = quint8(i % 24);
        pInfo->scene = pMgr->GetScene(i % pMgr->GetSceneCount());
        pMgr->m_scheduleList << pInfo;
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int scale = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 1;
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));

    const QString dir = QCoreApplication::applicationDirPath();
    QFile config(dir + "/config.xml");
    QFile layouts(dir + "/IPMLayout.xml");
    if (!config.open(QIODevice::WriteOnly | QIODevice::Truncate) || !layouts.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        fprintf(stderr, "cannot write the configuration beside the program\n");
        return 1;
    }
    config.write(kConfig);
    config.close();
    layouts.write(kLayouts);
    layouts.close();
    QTemporaryDir tmp;
    const QString first = tmp.filePath("first.hoi");
    const QString second = tmp.filePath("second.hoi");

    printf("scale %d: %d devices, %d layouts of 4x4, %d walls, %d schedules\n", scale, 1000 * scale,
           300 * scale, 50 * scale, 100 * scale);
    Report("start", 0);

    QElapsedTimer timer;
    CHOIDevMgr* pMgr = NewManager();
    timer.start();
    Build(pMgr, scale);
    Report("build in memory", timer.elapsed());

    timer.restart();
    if (!pMgr->ExportDevInfoFile(first))
        return 1;
    Report("save", timer.elapsed());

    CHOIDevMgr* pLoaded = NewManager();
    pLoaded->ClearAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    timer.restart();
    if (!pLoaded->ImportDevInfoFile(first))
        return 1;
    pLoaded->InitMrxLayouts();
    Report("load", timer.elapsed());

    timer.restart();
    if (!pLoaded->ExportDevInfoFile(second))
        return 1;
    Report("save the loaded project", timer.elapsed());

    printf("file size %lld bytes; devices %d, layouts %d, walls %d, schedules %d after loading\n",
           static_cast<long long>(QFileInfo(first).size()), pLoaded->GetDevCount(), pLoaded->GetSceneCount(),
           pLoaded->GetVideoWallCount(), int(pLoaded->m_scheduleList.size()));
    delete pLoaded;
    delete pMgr;
    return 0;
}
