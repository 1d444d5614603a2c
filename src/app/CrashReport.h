#pragma once

#include <QString>

namespace Taviro {
// The crash report file: "taviro3d_crash.txt" beside the per-user settings of "Taviro"/"Taviro3D".
QString crashReportPath();

// Appends the message and a newline to the crash report. Silent when the file cannot be opened.
void writeCrashReport(const char *message);
void writeCrashReport(const QString &message);
} // namespace Taviro
