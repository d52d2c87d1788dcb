#include "dialogs/about.h"
#include "ui_about.h"

#include "platform/appicon.h"
#include "uiservices.h"

About::About(QWidget *parent)
    : QDialog(parent)
{
    ui->setupUi(this);
    DropHelpButton(this);

    const QString strTitle = ApplicationTitle();
    setWindowTitle(tr("About") + QLatin1Char(' ') + strTitle);
    ui->lbIcon->setPixmap(ExecutableIcon().pixmap(48, 48, QIcon::Normal, QIcon::Off));
    ui->labelAppVer->setText(strTitle + QStringLiteral(" V%1").arg(ProgramVersion()));
    ui->labelAppVer->adjustSize();
    adjustSize();
}

About::~About() = default;

QString About::ProgramVersion()
{
    return QStringLiteral("8.0.9");
}
