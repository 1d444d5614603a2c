#pragma once

#include <QMainWindow>

// The application's main window.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Sets connection 1's address and port and connects it (the --sensor option).
    void connectToSensor(const QString &address, int port);
};
