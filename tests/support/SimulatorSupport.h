#pragma once

// Helpers for tests that talk to the in-process sensor simulator over loopback TCP. Header-only: only
// the tests that include it link the simulator.

#include "SensorSimulator.h"

#include <QCoreApplication>
#include <QStringList>
#include <QThreadPool>

#include <algorithm>
#include <string>
#include <vector>

namespace SimulatorSupport {

inline int countOf(const std::vector<std::string> &log, const std::string &command)
{
    return int(std::count(log.begin(), log.end(), command));
}

// The commands of the log that start with one of the prefixes, in order.
inline QStringList commandsStartingWith(const std::vector<std::string> &log, const QStringList &prefixes)
{
    QStringList out;
    for (const std::string &c : log) {
        const QString command = QString::fromStdString(c);
        for (const QString &prefix : prefixes)
            if (command.startsWith(prefix)) {
                out << command;
                break;
            }
    }
    return out;
}

// The commands that start, stop or set something, in order.
inline QStringList controlCommands(const std::vector<std::string> &log)
{
    return commandsStartingWith(log, {"DAT:", "SET:", "RST"});
}

// A loopback port on which nothing listens (the simulator's, after it stopped).
inline int closedPort()
{
    Vexa3dSim::SensorSimulator sim;
    if (!sim.start())
        return 1;
    const int port = sim.port();
    sim.stop();
    return port;
}

// Starts the simulator on a port the "Port" property accepts (1024 to 49151), spread by process id so
// that tests running side by side do not collide.
inline bool startInPortRange(Vexa3dSim::SensorSimulator &sim)
{
    const int base = 20000 + int(QCoreApplication::applicationPid() % 20000);
    for (int i = 0; i < 200; ++i)
        if (sim.start(uint16_t(base + i * 7)))
            return true;
    return false;
}

// Every initialisation job then starts on a thread of its own. A reused pool thread receives its job
// through Qt's own locks, which the race checker cannot see.
inline void freshPoolThreads()
{
    QThreadPool::globalInstance()->setExpiryTimeout(0);
}

} // namespace SimulatorSupport
