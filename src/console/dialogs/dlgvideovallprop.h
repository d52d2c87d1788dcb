#ifndef HOI_CONSOLE_DLGVIDEOVALLPROP_H
#define HOI_CONSOLE_DLGVIDEOVALLPROP_H

#include <QDialog>

#include "hoi_core/hoitypes.h"
#include "hoiwidget/formui.h"

class CHOIDev;
class CHOIScene;
class QTreeWidgetItem;
struct T_VideoWallInfo;

namespace Ui {
class CDlgVideoVallProp;
}

// "Logic Screen Properties" of one video wall of a layout: its name, the
// windowing processor and roaming of a windowing-processor layout, the bezel
// and gap compensation, and the per-screen adjustments, each of which is
// stored in the layout and sent to its screen at once. Never deletes a wall,
// layout or device.
class CDlgVideoVallProp : public QDialog
{
    Q_OBJECT

public:
    // An existing wall, edited in place; its layout is looked up among the
    // manager's layouts.
    CDlgVideoVallProp(T_VideoWallInfo *pWall, QWidget *parent);
    // A new wall of pScene, not yet in its list.
    CDlgVideoVallProp(CHOIScene *pScene, T_VideoWallInfo *pWall);
    ~CDlgVideoVallProp() override;

    // Runs the new-wall dialog; true when OK stored the operator's settings
    // in the record.
    static bool ShowDlg(CHOIScene *pScene, T_VideoWallInfo *pWall);

    T_VideoWallInfo *GetCurrentVideoWall() const;
    CHOIScene *GetCurrentScene() const;

public slots:
    void accept() override;
    void slotOnProgressNotify(E_ProgressNotify eNotify, int nProgress);

private slots:
    void on_twVidwoWall_itemSelectionChanged();
    void on_btnClose_clicked();
    void on_cbDevList_currentIndexChanged(int index);
    void on_btnApplyHShift_clicked();
    void on_btnApplyVShift_clicked();
    void on_btnApplyHScale_clicked();
    void on_btnApplyVScale_clicked();
    void on_btnApplyTearingDelay_clicked();
    void on_cBOverlay_clicked(bool checked);
    void on_edtName_textChanged(QString arg1);

private:
    // What both ways of opening set up first.
    void SetUpForm();
    void SetUpNameField();
    void LocateVideoWall(T_VideoWallInfo *pWall);
    void UpdateBezelAndTitle();
    void LoadVideoWall(T_VideoWallInfo *pWall);
    void FillWindowingDevices(const QString &strWallName);
    bool SaveBasicSettings(T_VideoWallInfo *pWall);
    CHOIDev *CurrentDevice() const;
    // The current row when it is a wall's (under its layout's row).
    QTreeWidgetItem *CurrentWallRow() const;
    void ApplyOne(int nItem);
    void UpdateTabTitle();

    CFormUi<Ui::CDlgVideoVallProp> ui;
    CHOIScene *m_pScene;
    T_VideoWallInfo *m_pWall;
};

#endif
