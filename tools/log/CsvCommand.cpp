#include "CsvConversion.h"
#include "LogCommands.h"
#include "LogFileDevice.h"
#include "Progress.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <memory>

namespace LogTool {

namespace {
void printUsage(QTextStream &stream)
{
    stream << "Usage: taviro3d-log csv [--out DIR] LOG...\n\n"
           << "Converts each log into the CSV files the viewer's converter writes, byte for byte:\n"
           << "<log base name>_connection1_1.csv, ..._connection1_aux_1.csv, ..._connection2_1.csv, ...\n"
           << "Without --out they go into a folder \"csv_<time>\" beside each log.\n\n"
           << "  --out DIR   write the files straight into DIR (made when missing)\n"
           << "  --help      this text\n\n"
           << "Prints the files written on stdout. Exit status: 0 when every log was converted whole,\n"
           << "1 when a log could not be read or a file not written, 2 on a usage error.\n";
    stream.flush();
}

bool convert(const QString &log, const QString &outDir)
{
    std::unique_ptr<LogFileDevice> device(openLog(log));
    if (!device) {
        err() << "taviro3d-log csv: " << log << ": not a readable log\n";
        return false;
    }
    if (!device->indexNow())
        err() << "taviro3d-log csv: " << log << ": damaged; converting the " << device->recordCount()
              << " records before the damage\n";
    QString folder = outDir;
    QString error;
    if (folder.isEmpty()) {
        folder = CsvConversion::makeFolderBeside(log, QDateTime::currentDateTime(), &error);
    } else if (!QDir().mkpath(folder)) {
        error = QStringLiteral("The folder %1 could not be created").arg(folder);
        folder.clear();
    }
    if (folder.isEmpty()) {
        err() << "taviro3d-log csv: " << error << "\n";
        return false;
    }
    const int total = device->recordCount();
    CsvConversion conversion(*device, CsvConversion::prefixFor(log, folder));
    ProgressLine progress;
    const QString name = QFileInfo(log).fileName();
    const CsvConversion::Result result = conversion.run([&](qint64 done) {
        progress.show(QStringLiteral("%1: %2/%3 records").arg(name).arg(done).arg(total));
        return true;
    });
    progress.clear();
    for (const QString &file : conversion.fileNames())
        out() << file << "\n";
    out().flush();
    if (result != CsvConversion::Result::Done) {
        err() << "taviro3d-log csv: " << log << ": " << conversion.errorString() << "\n";
        return false;
    }
    if (conversion.recordsWritten() != total) {
        err() << "taviro3d-log csv: " << log << ": only " << conversion.recordsWritten() << " of " << total
              << " records could be read\n";
        return false;
    }
    err() << name << ": " << total << " records converted\n";
    return true;
}
} // namespace

ExitCode runCsv(const QStringList &arguments)
{
    QStringList logs;
    QString outDir;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            printUsage(out());
            return Success;
        }
        if (argument == QLatin1String("--out")) {
            if (i + 1 >= arguments.size()) {
                err() << "taviro3d-log csv: --out needs a folder\n";
                return UsageError;
            }
            outDir = arguments.at(++i);
        } else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            err() << "taviro3d-log csv: unknown option '" << argument << "'\n";
            printUsage(err());
            return UsageError;
        } else {
            logs << argument;
        }
    }
    if (logs.isEmpty()) {
        printUsage(err());
        return UsageError;
    }
    bool ok = true;
    for (const QString &log : logs)
        ok = convert(log, outDir) && ok;
    return ok ? Success : Failure;
}

} // namespace LogTool
