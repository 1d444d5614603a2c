// Prints one warning through the application's log pattern, for the start-up test.
#include "Startup.h"

#include <QCoreApplication>
#include <QDebug>

static void f()
{
    qWarning("t");
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Taviro::installMessagePattern();
    f();
    return 0;
}
