#include "MainWindow.h"

#include <QCoreApplication>
#include <QIcon>

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainWindow"));
    resize(820, 640);
    setWindowTitle(QCoreApplication::applicationName() + QLatin1Char(' ') +
                   QCoreApplication::applicationVersion());
    setWindowIcon(QIcon(QStringLiteral(":/application/logo")));
}

MainWindow::~MainWindow() = default;

void MainWindow::connectToSensor(const QString &address, int port)
{
    Q_UNUSED(address);
    Q_UNUSED(port);
}
