#pragma once

#include <QString>
#include <QStringList>

namespace Taviro {
constexpr const char *messagePattern =
    "[%{type}][%{time hh:mm:ss.zzz}][%{file}:%{line}]%{function}() %{message}";

// Organisation and application names, domain and version for Qt's settings machinery.
void setApplicationIdentity();

// True when any argument after the program name is exactly "-d" (software OpenGL).
bool wantsSoftwareOpenGL(int argc, const char *const *argv);

// Sets the log pattern of every message.
void installMessagePattern();

// What the command line asks for beyond "-d".
struct StartupOptions
{
    bool help = false;
    QString sensorAddress; // empty: do not connect at start
    int sensorPort = 10940;
    QString logPath;        // non-empty: open this log in the log player at start and play it
    QString screenshotPath; // non-empty: save a picture of the window after the delay and quit
    int screenshotDelayMs = 5000;
    QString error; // non-empty: the command line was not understood
};

StartupOptions parseArguments(const QStringList &arguments);
// Why the log cannot be played, or an empty text when it opens.
QString logOpenError(const QString &fileName);
QString usageText();

// Runs the whole start-up sequence and the event loop; returns the process exit code.
int runApplication(int argc, char **argv);
} // namespace Taviro
