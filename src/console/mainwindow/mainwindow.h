#ifndef HOI_CONSOLE_MAINWINDOW_H
#define HOI_CONSOLE_MAINWINDOW_H

#include <QMainWindow>

namespace Ui {
class MainWindow;
}

// The console's one top-level window. For now it carries only its title;
// the device panels, pages, docks and commands are built on it later.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

private:
    Ui::MainWindow *ui;
};

#endif
