#pragma once

#include <QString>

namespace Taviro {
constexpr const char *messagePattern =
    "[%{type}][%{time hh:mm:ss.zzz}][%{file}:%{line}]%{function}() %{message}";

// Organisation and application names, domain and version for Qt's settings machinery.
void setApplicationIdentity();

// True when any argument after the program name is exactly "-d" (software OpenGL).
bool wantsSoftwareOpenGL(int argc, const char *const *argv);

// Sets the log pattern of every message.
void installMessagePattern();

// Runs the whole start-up sequence and the event loop; returns the process exit code.
int runApplication(int argc, char **argv);
} // namespace Taviro
