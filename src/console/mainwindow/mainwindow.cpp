#include "mainwindow/mainwindow.h"
#include "ui_mainwindow.h"

#include "uiservices.h"

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    setWindowTitle(ApplicationTitle());
}

MainWindow::~MainWindow()
{
    delete ui;
}
