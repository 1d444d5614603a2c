#include "LogCommands.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace LogTool;

namespace {
void printHelp(QTextStream &stream)
{
    stream << "Usage: taviro3d-log COMMAND [OPTIONS] FILE...\n\n"
           << "Work on Taviro3D log files (.vbl, .t3d) without a display.\n\nCommands:\n";
    for (const Command &command : commands())
        stream << "  " << QString::fromLatin1(command.name).leftJustified(10) << command.summary << "\n";
    stream << "\nRun 'taviro3d-log COMMAND --help' for the options of a command.\n";
    stream.flush();
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("taviro3d-log"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.1.0"));
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty()) {
        printHelp(err());
        return UsageError;
    }
    const QString name = arguments.first();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") || name == QLatin1String("help")) {
        printHelp(out());
        return Success;
    }
    if (name == QLatin1String("--version")) {
        out() << "taviro3d-log 2.1.0\n";
        return Success;
    }
    for (const Command &command : commands()) {
        if (name == QLatin1String(command.name))
            return command.run(arguments.mid(1));
    }
    err() << "taviro3d-log: unknown command '" << name << "'\n";
    printHelp(err());
    return UsageError;
}
