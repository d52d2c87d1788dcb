// Every window an operator opens, in English and in Chinese, on a real X
// screen: every text, icon, button and open list it shows is whole, no
// line of a text box is broken, nothing the catalogues translate is left in
// English on a Chinese screen, and the main window fits the screen on each
// of its pages. Each window (each page of its tabs) is also kept as a
// picture beside the test, under fit/<language>/.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEngine>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QTranslator>
#include <QTreeWidget>
#include <QXmlStreamReader>
#include <QtTest>

#include "audio/dlgsuppressor.h"
#include "batch/dlgbatch.h"
#include "batch/dlgbatchdetail.h"
#include "batch/dlgbatchgroup.h"
#include "control/dlgcecctrl.h"
#include "control/dlgirctrl.h"
#include "control/dlgselectirdev.h"
#include "control/dlgserialmsg.h"
#include "control/dlgstandbyctrl.h"
#include "devlist/framedevlist.h"
#include "dialogs/about.h"
#include "dialogs/dlgprompt.h"
#include "dialogs/dlgvideovallprop.h"
#include "dialogs/dlgwelcome.h"
#include "hoi_core/hoiscene.h"
#include "hoi_core/ircodetable.h"
#include "mainwindow/mainwindow.h"
#include "navtree/formgrouplist.h"
#include "platform/openglstack.h"
#include "schedule/dlgschedule.h"
#include "schedule/dlgscheduleedit2.h"
#include "settings/dlgipmlayoutmodel.h"
#include "tiles/formall.h"
#include "tiles/formvw.h"
#include "upload/dlghttpmanage.h"
#include "vtx/dlgipcedit.h"
#include "vtx/dlgpreviewimage.h"

#include "../shipped/shippedwalk.h"
#include "consoletestsupport.h"

namespace {

QString NameOf(const QWidget *pWidget)
{
    QString name = pWidget->objectName();
    if (name.isEmpty())
        name = QString::fromLatin1(pWidget->metaObject()->className());
    if (const QAbstractButton *pButton = qobject_cast<const QAbstractButton *>(pWidget))
        name += QStringLiteral(" \"%1\"").arg(pButton->text());
    else if (const QLabel *pLabel = qobject_cast<const QLabel *>(pWidget))
        name += QStringLiteral(" \"%1\"").arg(pLabel->text());
    else if (const QGroupBox *pBox = qobject_cast<const QGroupBox *>(pWidget))
        name += QStringLiteral(" \"%1\"").arg(pBox->title());
    return name;
}

QString SizeText(const QSize &size)
{
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

// Parts of other widgets (a spin box's field, a combo's list, a tab bar's
// arrows) are their owner's business; rows of lists and trees are cut by
// their columns.
bool IsInnerPart(const QWidget *pWidget)
{
    const QWidget *pParent = pWidget->parentWidget();
    if (pWidget->objectName().startsWith(QLatin1String("qt_")) || qobject_cast<const QAbstractSpinBox *>(pParent)
        || qobject_cast<const QComboBox *>(pParent) || qobject_cast<const QTabBar *>(pParent)
        || qobject_cast<const QAbstractScrollArea *>(pParent))
        return true;
    for (; pParent; pParent = pParent->parentWidget()) {
        if (qobject_cast<const QAbstractItemView *>(pParent))
            return true;
    }
    return false;
}

// The room a line of text takes in a field with a frame (a combo box, a
// spin box, a button).
int FieldHeight(const QWidget *pWidget)
{
    return pWidget->fontMetrics().height() + 2 * pWidget->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
}

// The longest entry of a combo box, with its icon (measured by its ink, as
// the combo box measures itself).
int LongestEntry(const QComboBox *pCombo)
{
    int nLongest = 0;
    for (int i = 0; i < pCombo->count(); ++i) {
        int n = pCombo->fontMetrics().boundingRect(pCombo->itemText(i)).width();
        if (!pCombo->itemIcon(i).isNull())
            n += pCombo->iconSize().width() + 4;
        nLongest = qMax(nLongest, n);
    }
    return nLongest;
}

// The room the entries of a combo box are drawn in.
int EntryRoom(const QComboBox *pCombo)
{
    QStyleOptionComboBox opt;
    opt.initFrom(pCombo);
    opt.editable = pCombo->isEditable();
    opt.frame = pCombo->hasFrame();
    return pCombo->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, pCombo).width()
        - 2;
}

// The longest text a spin box shows, and the room its field has for it.
int LongestValue(const QAbstractSpinBox *pSpin)
{
    QStringList texts = {pSpin->text()};
    if (const QSpinBox *pInt = qobject_cast<const QSpinBox *>(pSpin)) {
        for (int value : {pInt->minimum(), pInt->maximum()})
            texts << pInt->prefix() + QString::number(value) + pInt->suffix();
    }
    int nLongest = 0;
    for (const QString &text : qAsConst(texts))
        nLongest = qMax(nLongest, pSpin->fontMetrics().horizontalAdvance(text));
    return nLongest;
}

int ValueRoom(const QAbstractSpinBox *pSpin)
{
    const QLineEdit *pField = pSpin->findChild<QLineEdit *>();
    return pField ? pField->width() - 4 : 0; // the field's own margins
}

// The size a widget needs to show its text, picture or entries whole, and
// its size now; an empty need for a widget that shows none.
QSize Need(const QWidget *pWidget, QSize *pHas)
{
    *pHas = pWidget->size();
    const QStyle *pStyle = pWidget->style();
    if (const QLabel *pLabel = qobject_cast<const QLabel *>(pWidget)) {
        const QPixmap picture = pLabel->pixmap(Qt::ReturnByValue);
        if (!picture.isNull()) {
            *pHas = pLabel->contentsRect().size();
            return pLabel->hasScaledContents() ? QSize() : picture.size();
        }
        if (pLabel->text().isEmpty())
            return QSize();
        if (pLabel->wordWrap())
            return QSize(0, pLabel->heightForWidth(pLabel->width()));
        return pLabel->sizeHint();
    }
    if (const QPushButton *pButton = qobject_cast<const QPushButton *>(pWidget)) {
        // Buttons may be narrower than the style's wish, not than their
        // text with the style's margins around it.
        QStyleOptionButton opt;
        opt.initFrom(pButton);
        const QSize frame = pStyle->sizeFromContents(QStyle::CT_PushButton, &opt, QSize(), pButton);
        int nWidth = pButton->fontMetrics().horizontalAdvance(pButton->text());
        if (!pButton->icon().isNull())
            nWidth += pButton->iconSize().width() + (nWidth ? 4 : 0);
        return QSize(nWidth + frame.width(), FieldHeight(pButton));
    }
    if (const QAbstractButton *pButton = qobject_cast<const QAbstractButton *>(pWidget)) {
        if (pButton->text().isEmpty() && pButton->icon().isNull())
            return QSize();
        return QSize(pButton->sizeHint().width(), pButton->fontMetrics().height());
    }
    if (const QGroupBox *pBox = qobject_cast<const QGroupBox *>(pWidget))
        return pBox->minimumSizeHint();
    if (const QComboBox *pCombo = qobject_cast<const QComboBox *>(pWidget)) {
        *pHas = QSize(EntryRoom(pCombo), pCombo->height());
        return QSize(LongestEntry(pCombo), FieldHeight(pCombo));
    }
    if (const QAbstractSpinBox *pSpin = qobject_cast<const QAbstractSpinBox *>(pWidget)) {
        *pHas = QSize(ValueRoom(pSpin), pSpin->height());
        return QSize(LongestValue(pSpin), FieldHeight(pSpin));
    }
    if (const QTabWidget *pTabs = qobject_cast<const QTabWidget *>(pWidget))
        return QSize(pTabs->tabBar()->sizeHint().width(), 0);
    return QSize();
}

// A picture widget (a style sheet's background image) draws its picture
// whole, once: nothing of it touches the widget's edges (the top left
// pixel is taken for the background).
QString CutPicture(QWidget *pWidget)
{
    const QImage shot = pWidget->grab().toImage();
    const QRgb background = shot.pixel(0, 0);
    QRect drawn;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            if (shot.pixel(x, y) != background)
                drawn |= QRect(x, y, 1, 1);
        }
    }
    if (drawn.isEmpty() || shot.rect().adjusted(1, 1, -1, -1).contains(drawn))
        return QString();
    return QStringLiteral("picture drawn over %1 of %2").arg(SizeText(drawn.size()), SizeText(shot.size()));
}

// What is cut off in one widget: an empty text when it shows whole (with
// bWidthOnly, as wide as it needs).
QString CutOff(QWidget *pWidget, bool bWidthOnly)
{
    if (pWidget->styleSheet().contains(QLatin1String("background-image")))
        return CutPicture(pWidget);
    if (const QLabel *pLabel = qobject_cast<const QLabel *>(pWidget)) {
        const QPixmap picture = pLabel->pixmap(Qt::ReturnByValue);
        const QSize room = pLabel->contentsRect().size();
        if (!picture.isNull() && pLabel->hasScaledContents()
            && (room.width() > picture.width() || room.height() > picture.height()))
            return QStringLiteral("picture %1 blown up to %2").arg(SizeText(picture.size()), SizeText(room));
    }
    QSize has;
    const QSize need = Need(pWidget, &has);
    if (has.width() >= need.width() && (bWidthOnly || has.height() >= need.height()))
        return QString();
    return QStringLiteral("%1 in %2").arg(SizeText(need), SizeText(has));
}

// A paint device that keeps the texts drawn on it.
class CTextRecorder : public QPaintDevice
{
public:
    QStringList Texts() const { return m_engine.texts; }
    QPaintEngine *paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return 4000; // room for any window
        }
    }

private:
    struct T_Engine : QPaintEngine
    {
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &) override {}
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
        void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
        void drawTextItem(const QPointF &, const QTextItem &item) override { texts << item.text(); }
        Type type() const override { return User; }
        QStringList texts;
    };
    mutable T_Engine m_engine;
};

// An open combo box list too narrow for an entry draws it shortened
// ("st...ch"): the open list draws every entry whole.
QString CutPopup(QComboBox *pCombo)
{
    if (pCombo->count() == 0 || !pCombo->isEnabled())
        return QString();
    pCombo->showPopup();
    QWidget *pList = pCombo->view()->viewport();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    CTextRecorder drawn;
    pList->render(&drawn);
    pCombo->hidePopup();
    QString entries;
    for (int i = 0; i < pCombo->count(); ++i)
        entries += pCombo->itemText(i);
    if (drawn.Texts().join(QString()) == entries)
        return QString();
    return QStringLiteral("open list %1 wide shows \"%2\"").arg(pList->width()).arg(drawn.Texts().join(QLatin1Char('|')));
}

// A text box whose lines are broken where the text has none.
QString WrappedLines(const QTextEdit *pEdit)
{
    for (QTextBlock block = pEdit->document()->begin(); block.isValid(); block = block.next()) {
        if (block.layout() && block.layout()->lineCount() > 1)
            return QStringLiteral("line \"%1\" wraps").arg(block.text());
    }
    return QString();
}

// Every cut-off widget of the window as it is shown now, and every widget
// that lies (partly) outside the widget that holds it.
QStringList CutOffWidgets(QWidget *pWindow, bool bWidthOnly)
{
    QStringList found;
    for (QWidget *pWidget : pWindow->findChildren<QWidget *>()) {
        if (!pWidget->isVisibleTo(pWindow) || pWidget->window() != pWindow || IsInnerPart(pWidget))
            continue;
        QString cut = CutOff(pWidget, bWidthOnly);
        if (QComboBox *pCombo = qobject_cast<QComboBox *>(pWidget); cut.isEmpty() && pCombo)
            cut = CutPopup(pCombo);
        if (const QTextEdit *pEdit = qobject_cast<const QTextEdit *>(pWidget); cut.isEmpty() && pEdit)
            cut = WrappedLines(pEdit);
        const QWidget *pParent = pWidget->parentWidget();
        const bool bScrolled = pParent && qobject_cast<const QAbstractScrollArea *>(pParent->parentWidget());
        if (cut.isEmpty() && pParent && !bScrolled && !pParent->rect().contains(pWidget->geometry()))
            cut = QStringLiteral("outside its %1").arg(NameOf(pParent));
        if (!cut.isEmpty())
            found << NameOf(pWidget) + QStringLiteral(": ") + cut;
    }
    return found;
}

// Every text the window draws as it is shown now.
QStringList ShownTexts(QWidget *pWindow)
{
    CTextRecorder drawn;
    pWindow->render(&drawn);
    QStringList texts = drawn.Texts();
    for (QString &text : texts)
        text = text.trimmed();
    texts.removeDuplicates();
    return texts;
}

// The English texts the Chinese catalogues translate: one of them on a
// Chinese screen was left out of the translation.
const QSet<QString> &TranslatedTexts()
{
    static QSet<QString> s_texts;
    if (!s_texts.isEmpty())
        return s_texts;
    const QDir dir(QStringLiteral(HOI_ZH_CATALOGUES));
    for (const QString &name : dir.entryList({QStringLiteral("*.ts")})) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QXmlStreamReader xml(&file);
        QString source;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("source")) {
                // A carriage return is held as an element of its own.
                source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (xml.name() == QLatin1String("translation")) {
                const bool bDone = xml.attributes().value(QLatin1String("type")).isEmpty();
                const QString translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                if (bDone && !translation.isEmpty() && translation != source)
                    s_texts.insert(source);
            }
        }
    }
    return s_texts;
}

} // namespace

class TestFit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void deviceWindows_data();
    void deviceWindows();
    void toolWindows_data();
    void toolWindows();
    void mainWindow_data();
    void mainWindow();

private:
    void SetLanguage(const QString &language);
    void Look(QWidget *pWindow, const QString &name, bool bWidthOnly = false);
    void LookAtPages(QWidget *pWindow, const QString &name);
    static QString Panes(QWidget *pWindow);
    void Report(const QString &name, const QString &fault);
    void LookAtModal(const QString &name, const std::function<void()> &open);
    void LookAtShown(QWidget *pWindow, const QString &name, const QSize &formSize = QSize());
    template <class T, class... Args>
    void LookAt(const QString &name, Args &&...args)
    {
        T window(std::forward<Args>(args)...);
        LookAtShown(&window, name);
    }
    CHOIDev *FirstOfType(int type) const;

    CShippedWalk m_walk;
    QList<QTranslator *> m_translators;
    QString m_language;
    QStringList m_faults;
};

void TestFit::initTestCase()
{
    m_walk.Start();
    // An EDID in the "EDID" folder, which the EDID pages load and show.
    QVERIFY(WriteFile(EdidDirPath() + QStringLiteral("/HD1080.bin"), TestEdid(128, '\0')));
}

void TestFit::cleanupTestCase()
{
    SetLanguage(QStringLiteral("en"));
    CDlgIrCtrl::DestroyDlg();
    CDlgSerialMsg::DestroyDlg();
}

void TestFit::init()
{
    m_faults.clear();
}

void TestFit::SetLanguage(const QString &language)
{
    m_language = language;
    for (QTranslator *pTranslator : qAsConst(m_translators)) {
        QCoreApplication::removeTranslator(pTranslator);
        delete pTranslator;
    }
    m_translators.clear();
    if (language != QLatin1String("zh"))
        return;
    for (const char *name : {"zh_CN.qm", "widgets_CN.qm"}) {
        QTranslator *pTranslator = new QTranslator;
        QVERIFY2(pTranslator->load(CShippedWalk::ShippedFile(name)), name);
        QCoreApplication::installTranslator(pTranslator);
        m_translators << pTranslator;
    }
}

CHOIDev *TestFit::FirstOfType(int type) const
{
    for (const QString &id : m_walk.m_hosts.keys()) {
        CHOIDev *pDev = m_walk.DevOf(id);
        if (pDev && pDev->GetDevType() == type)
            return pDev;
    }
    return nullptr;
}

// Keeps a picture of the window as it is shown now and what is cut off in it.
void TestFit::Look(QWidget *pWindow, const QString &name, bool bWidthOnly)
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QDir dir(QCoreApplication::applicationDirPath());
    dir.mkpath(QStringLiteral("fit/") + m_language);
    QString file = name;
    file.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]+")), QStringLiteral("_"));
    pWindow->grab().save(dir.filePath(QStringLiteral("fit/%1/%2.png").arg(m_language, file)));
    for (const QString &cut : CutOffWidgets(pWindow, bWidthOnly))
        Report(name, cut);
    if (m_language != QLatin1String("zh"))
        return;
    for (const QString &text : ShownTexts(pWindow)) {
        if (TranslatedTexts().contains(text))
            Report(name, QStringLiteral("English left: \"%1\"").arg(text));
    }
}

// The size of the window and of the panes of its splitters.
QString TestFit::Panes(QWidget *pWindow)
{
    QStringList panes = {SizeText(pWindow->size())};
    for (QSplitter *pSplitter : pWindow->findChildren<QSplitter *>()) {
        for (int nSize : pSplitter->sizes())
            panes << QString::number(nSize);
    }
    return panes.join(QLatin1Char(' '));
}

// Each page of each tab widget in turn, then back to the first; the window
// and its panes keep their size from page to page.
void TestFit::LookAtPages(QWidget *pWindow, const QString &name)
{
    QVERIFY(QTest::qWaitForWindowExposed(pWindow));
    Look(pWindow, name);
    const QString panes = Panes(pWindow);
    for (QTabWidget *pTabs : pWindow->findChildren<QTabWidget *>()) {
        if (!pTabs->isVisibleTo(pWindow))
            continue;
        const int nFirst = pTabs->currentIndex();
        for (int i = 0; i < pTabs->count(); ++i) {
            if (i == nFirst || !pTabs->isTabEnabled(i))
                continue;
            pTabs->setCurrentIndex(i);
            const QString page = QStringLiteral("%1 - tab %2").arg(name).arg(i);
            Look(pWindow, page);
            if (Panes(pWindow) != panes)
                Report(page, QStringLiteral("panes %1 become %2").arg(panes, Panes(pWindow)));
        }
        pTabs->setCurrentIndex(nFirst);
    }
}

void TestFit::Report(const QString &name, const QString &fault)
{
    m_faults << name + QStringLiteral(": ") + fault;
    qWarning("%s", qPrintable(m_faults.last()));
}

void TestFit::LookAtModal(const QString &name, const std::function<void()> &open)
{
    CBoxRecorder boxes;
    CModalWatcher watcher([&](QWidget *pWindow) {
        LookAtPages(pWindow, name);
        pWindow->close();
    });
    open();
    if (!watcher.Fired())
        Report(name, QStringLiteral("never opened"));
}

// With formSize, the window keeps the size its form gives it.
void TestFit::LookAtShown(QWidget *pWindow, const QString &name, const QSize &formSize)
{
    pWindow->show();
    LookAtPages(pWindow, name);
    if (formSize.isValid() && pWindow->size() != formSize)
        Report(name, QStringLiteral("opens at %1, not at %2").arg(SizeText(pWindow->size()), SizeText(formSize)));
    pWindow->hide(); // closing the welcome window would end the program
}

// ---------------------------------------------------------------------------

void TestFit::deviceWindows_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("id");
    for (const char *language : {"en", "zh"}) {
        for (const T_ProdIdInfo &prod : m_walk.m_pMgr->GetProdList()) {
            if (!CShippedWalk::IsCamera(prod))
                QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(language, prod.id))) << language << prod.id;
        }
    }
}

// Every window of the device's menu.
void TestFit::deviceWindows()
{
    QFETCH(QString, language);
    QFETCH(QString, id);
    CHOIDev *pDev = m_walk.DevOf(id);
    SetLanguage(QStringLiteral("en"));
    const QStringList entries = m_walk.MenuOf(pDev);
    SetLanguage(language);
    SetFileDialogRunner([](const T_FileDialogRequest &) { return QString(); });
    for (int i = 0; i < entries.size(); ++i) {
        if (CShippedWalk::WindowEntries().contains(entries.at(i)) && entries.at(i) != QLatin1String("EDID Export"))
            LookAtModal(id + QLatin1Char(' ') + entries.at(i), [&]() { m_walk.MenuOf(pDev, i); });
    }
    SetFileDialogRunner(FileDialogRunner());
    QVERIFY2(m_faults.isEmpty(), qPrintable(QStringLiteral("%1 faults, see the warnings").arg(m_faults.size())));
}

void TestFit::toolWindows_data()
{
    QTest::addColumn<QString>("language");
    for (const char *language : {"en", "zh"})
        QTest::newRow(language) << language;
}

// The windows of the tool bar and the menus, and the windows that settings
// windows open.
void TestFit::toolWindows()
{
    QFETCH(QString, language);
    SetLanguage(language);
    CHOIDev *pRx = FirstOfType(CHOIDev::E_DT_RX);
    CHOIDev *pMrx = FirstOfType(CHOIDev::E_DT_MRX);
    CHOIDev *pGateway = FirstOfType(CHOIDev::E_DT_GW);
    QVERIFY(pRx && pMrx && pGateway);

    {
        CDlgBatch dlg;
        LookAtShown(&dlg, QStringLiteral("Batch"), QSize(765, 670));
    }
    LookAt<CDlgBatchDetail>(QStringLiteral("Batch details"), QList<CHOIDev *>({pRx, pMrx}));
    LookAt<CDlgBatchGroup>(QStringLiteral("Batch group"));
    LookAtModal(QStringLiteral("IR pad"), []() { CDlgIrCtrl::ShowDlg(nullptr, nullptr); });
    QStringList irTypes;
    CIrCodeTable().GetCtrlIDs(&irTypes);
    LookAt<CDlgSelectIrDev>(QStringLiteral("IR device type"), &irTypes);
    LookAtModal(QStringLiteral("Serial messages"), []() { CDlgSerialMsg::ShowDlg(nullptr, nullptr); });
    LookAtModal(QStringLiteral("CEC"), []() { CDlgCECCtrl::ShowDlg(nullptr, nullptr); });
    LookAtModal(QStringLiteral("Standby"), []() { CDlgStandbyCtrl::ShowDlg(nullptr, nullptr); });
    LookAt<CDlgSchedule>(QStringLiteral("Schedules"));
    T_ScheduleInfo schedule;
    LookAt<CDlgScheduleEdit2>(QStringLiteral("Schedule edit"), &schedule);
    LookAt<CDlgSuppressor>(QStringLiteral("Howling detect"), pRx);
    T_IpcInfo camera;
    LookAt<CDlgIPCEdit>(QStringLiteral("Virtual TX edit"), &camera);
    LookAt<CDlgIpmLayoutModel>(QStringLiteral("Layout types"), pMrx);
    LookAt<CDlgPreviewImage>(QStringLiteral("Preview image"), pGateway);
    LookAt<CDlgHttpManage>(QStringLiteral("Controller upload"), int(CDlgHttpManage::E_HM_UPLOAD), nullptr,
                           QStringLiteral("127.0.0.1"));
    {
        // Looked at once the download has failed (nothing listens there).
        CDlgHttpManage dlg(CDlgHttpManage::E_HM_DOWNLOAD, nullptr, QStringLiteral("127.0.0.1"));
        QTRY_VERIFY(dlg.findChild<QPushButton *>(QStringLiteral("pbOK"))->isEnabled());
        LookAtShown(&dlg, QStringLiteral("Controller download"));
    }
    {
        // The bezel diagram, as a wall whose screens all take compensation
        // shows it.
        CDlgVideoVallProp dlg(static_cast<CHOIScene *>(nullptr), nullptr);
        dlg.findChild<QGroupBox *>(QStringLiteral("groupBox"))->show();
        LookAtShown(&dlg, QStringLiteral("Video wall properties"));
    }
    QTreeWidgetItem group({QStringLiteral("ungrouped")});
    LookAt<CFormAll>(QStringLiteral("All Groups tile"), &group, nullptr);
    QTreeWidgetItem wall({QStringLiteral("Wall")});
    LookAt<CFormVW>(QStringLiteral("Video wall tile"), &wall);
    LookAt<CDlgWelcome>(QStringLiteral("Welcome"));
    LookAt<About>(QStringLiteral("About"));
    LookAt<CDlgPrompt>(QStringLiteral("Tip"));
    QVERIFY2(m_faults.isEmpty(), qPrintable(QStringLiteral("%1 faults, see the warnings").arg(m_faults.size())));
}

void TestFit::mainWindow_data()
{
    toolWindows_data();
}

// The main window on each of its right-hand pages: it fits the screen and
// shows everything whole.
void TestFit::mainWindow()
{
    QFETCH(QString, language);
    SetLanguage(language);
    CHOIDevMgr *pMgr = m_walk.m_pMgr;
    pMgr->m_nIsWelcome = 1;
    pMgr->m_nIsPrompt = 1;
    // A group with a wall, a layout of it, and a decoder beside the wall.
    const QString group = QStringLiteral("G1");
    QVERIFY(pMgr->AddGroup(group, 1));
    CHOIScene *pWall = pMgr->GetOrCreateVideoWall(QStringLiteral("W1"));
    pWall->SetGroup(group);
    pWall->SetGridSize(2, 2);
    CHOIScene *pLayout = pMgr->CreateScene(QStringLiteral("W1-L1"));
    pLayout->SetGroup(group);
    pLayout->SetGridSize(2, 2);
    CHOIDev *pRx = FirstOfType(CHOIDev::E_DT_RX);
    const QString oldGroup = pRx->GetGroup();
    pRx->SetGroup(group);
    {
        MainWindow w;
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        w.resize(screen.width(), screen.height());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CFormGroupList *pTree = w.findChild<CFormGroupList *>();
        QTreeWidgetItem *pGroupItem = pTree->FindGroupItem(group);
        QTreeWidgetItem *pWallItem = pTree->FindWallItem(pGroupItem, QStringLiteral("W1"));
        QVERIFY(pGroupItem && pWallItem);
        auto lookAt = [&](const std::function<void()> &choose) {
            choose();
            const QString page = w.findChild<QStackedWidget *>(QStringLiteral("sw_rigthFace"))->currentWidget()
                                     ->objectName();
            const QString name = QStringLiteral("Main window - ") + page;
            // The form fixes the height of its rows of buttons.
            Look(&w, name, true);
            const int nNeed = w.minimumSizeHint().width();
            if (nNeed > screen.width())
                Report(name, QStringLiteral("needs %1 pixels of the screen's %2").arg(nNeed).arg(screen.width()));
        };
        lookAt([&]() { pTree->slotSetCurrentItem(pTree->GetRootItem()); });
        lookAt([&]() { pTree->slotSetCurrentItem(pGroupItem); });
        lookAt([&]() { pTree->slotSetCurrentItem(pWallItem); });
        lookAt([&]() { w.slotOnVWItemClick(pWallItem); });
        lookAt([&]() { w.slotOnDevClick(pRx); });
        // The Information dock tells the controller's details.
        lookAt([&]() { emit w.findChild<CFrameDevList *>(QStringLiteral("wgDevFrame"))->onItemChange(
                           FirstOfType(CHOIDev::E_DT_QN714)); });
        w.hide();
    }
    pRx->SetGroup(oldGroup);
    pMgr->DeleteScene(pLayout);
    pMgr->RemoveVideoWall(pWall);
    pMgr->RemoveGroup(group);
    QVERIFY2(m_faults.isEmpty(), qPrintable(QStringLiteral("%1 faults, see the warnings").arg(m_faults.size())));
}

// A home of the test's own: the main window reads the language flag kept
// in the user's settings.
int main(int argc, char *argv[])
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toUtf8());
    // As the console starts: without the OpenGL drivers it never uses.
    LeaveOpenGLUnloaded();
    QApplication app(argc, argv);
    TestFit test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_fit.moc"
