#pragma once

#include <QString>

namespace TestSupport {
// Points QSettings and QStandardPaths at a fresh temporary folder so that a test never reads
// or writes the user's real settings, and registers the project's resources. Call first in initTestCase.
void isolateSettings();

// The folder isolateSettings() created.
QString settingsFolder();
} // namespace TestSupport
