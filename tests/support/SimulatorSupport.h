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

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

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

// Holds a loopback port that the "Port" property accepts with a socket bound to it that never listens:
// a connection there is refused, and no test running beside this one can start a server on it meanwhile
// (a port freed by a stopped simulator can be taken at once).
class DeadPort
{
public:
    DeadPort()
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        const int base = 20003 + int(QCoreApplication::applicationPid() % 20000);
        for (int i = 0; m_fd >= 0 && i < 200 && m_port == 0; ++i) {
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            address.sin_port = htons(uint16_t(base + i * 7));
            if (::bind(m_fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0)
                m_port = base + i * 7;
        }
    }
    ~DeadPort()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    DeadPort(const DeadPort &) = delete;
    DeadPort &operator=(const DeadPort &) = delete;
    int port() const { return m_port; }

private:
    int m_fd = -1;
    int m_port = 0;
};

// Every initialisation job then starts on a thread of its own. A reused pool thread receives its job
// through Qt's own locks, which the race checker cannot see.
inline void freshPoolThreads()
{
    QThreadPool::globalInstance()->setExpiryTimeout(0);
}

} // namespace SimulatorSupport
