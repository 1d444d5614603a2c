#pragma once

#include <QStringList>
#include <QVector>

class LogFileDevice;
class QTextStream;

namespace LogTool {

enum ExitCode
{
    Success = 0,
    Failure = 1,
    UsageError = 2
};

struct Command
{
    const char *name;
    const char *summary;
    // Takes the arguments after the subcommand's name.
    ExitCode (*run)(const QStringList &arguments);
};

// Every subcommand; a new one adds a line here and a file of its own.
const QVector<Command> &commands();

ExitCode runInfo(const QStringList &arguments);
ExitCode runCsv(const QStringList &arguments);
ExitCode runRecord(const QStringList &arguments);
ExitCode runPly(const QStringList &arguments);
ExitCode runPcd(const QStringList &arguments);

// Opens a log by its suffix, or by trying both formats when the suffix names neither. Null when the file
// is no readable log.
[[nodiscard]] LogFileDevice *openLog(const QString &fileName);

QTextStream &out();
QTextStream &err();

} // namespace LogTool
