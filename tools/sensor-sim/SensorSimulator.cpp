#include "SensorSimulator.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <iterator>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace Vexa3dSim {

namespace {

int64_t nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

double nowSeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void drainPipe(int fd)
{
    char buf[64];
    while (::read(fd, buf, sizeof buf) > 0) {
    }
}

// Garbage that looks a little like the mark but never contains it.
std::vector<uint8_t> garbage(int count, uint64_t salt)
{
    static const uint8_t pattern[] = {'D',  'R', 'A', 'X',  0x00, 0xFF, 'D', 'R',
                                      0x7F, 'L', 'D', 0x13, 'A',  'L',  0x80};
    std::vector<uint8_t> out(static_cast<size_t>(std::max(0, count)));
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = pattern[(i + salt) % sizeof pattern];
    return out;
}

} // namespace

SensorSimulator::SensorSimulator(const Config &config) : m_config(config) {}

SensorSimulator::~SensorSimulator()
{
    stop();
}

bool SensorSimulator::start(uint16_t port, const std::string &bindAddress)
{
    if (m_running.load())
        return false;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    if (::inet_pton(AF_INET, bindAddress.c_str(), &addr.sin_addr) != 1)
        return false;
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0 || ::listen(fd, 4) != 0) {
        ::close(fd);
        return false;
    }
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&addr), &len);
    if (::pipe2(m_wakePipe, O_NONBLOCK | O_CLOEXEC) != 0) {
        ::close(fd);
        return false;
    }
    m_listenFd = fd;
    m_port.store(ntohs(addr.sin_port));
    m_stopRequested.store(false);
    m_running.store(true);
    m_thread = std::thread([this] { acceptLoop(); });
    return true;
}

void SensorSimulator::stop()
{
    if (!m_thread.joinable())
        return;
    m_stopRequested.store(true);
    notifyAll();
    m_thread.join();
    ::close(m_listenFd);
    ::close(m_wakePipe[0]);
    ::close(m_wakePipe[1]);
    m_listenFd = m_wakePipe[0] = m_wakePipe[1] = -1;
    m_running.store(false);
    m_port.store(0);
}

void SensorSimulator::notifyAll()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_changed.notify_all();
    }
    if (m_wakePipe[1] >= 0) {
        const char c = 1;
        [[maybe_unused]] ssize_t n = ::write(m_wakePipe[1], &c, 1);
    }
}

void SensorSimulator::notifyWaiters()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_changed.notify_all();
}

Config SensorSimulator::config() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_config;
}

void SensorSimulator::setConfig(const Config &config)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_config = config;
        ++m_configVersion;
    }
    notifyAll();
}

void SensorSimulator::setFaults(const Faults &faults)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_config.faults = faults;
        ++m_configVersion;
    }
    notifyAll();
}

void SensorSimulator::setRate(double rate)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_config.rate = rate;
        ++m_configVersion;
    }
    notifyAll();
}

void SensorSimulator::injectErrorPacket(const std::string &type, const std::string &status,
                                        const std::string &payload)
{
    injectRawBytes(makePacket(type, status, payload));
}

void SensorSimulator::injectRawBytes(const std::vector<uint8_t> &bytes)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_injected.push_back(bytes);
    }
    notifyAll();
}

void SensorSimulator::stall(int ms)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stallUntilMs = nowMs() + ms;
    }
    notifyAll();
}

void SensorSimulator::dropConnection()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_dropRequested = true;
    }
    notifyAll();
}

std::vector<std::string> SensorSimulator::commandLog() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_commands;
}

void SensorSimulator::clearCommandLog()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_commands.clear();
}

bool SensorSimulator::waitForCommand(const std::string &command, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        return std::find(m_commands.begin(), m_commands.end(), command) != m_commands.end();
    });
}

bool SensorSimulator::isClientConnected() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_clientConnected;
}

bool SensorSimulator::waitForClient(int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return m_clientConnected; });
}

bool SensorSimulator::waitForDisconnect(int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return !m_clientConnected; });
}

bool SensorSimulator::waitForConnectionCount(int count, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return m_connections >= count; });
}

int SensorSimulator::connectionCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_connections;
}

bool SensorSimulator::waitForLines(uint64_t lines, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return m_linesSent.load() >= lines; });
}

bool SensorSimulator::waitForAuxiliaryPackets(uint64_t packets, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return m_auxSent.load() >= packets; });
}

void SensorSimulator::acceptLoop()
{
    Config config = this->config();
    CommandProcessor processor(config);
    while (!m_stopRequested.load()) {
        pollfd fds[2] = {{m_listenFd, POLLIN, 0}, {m_wakePipe[0], POLLIN, 0}};
        if (::poll(fds, 2, 200) < 0 && errno != EINTR)
            break;
        if (fds[1].revents & POLLIN)
            drainPipe(m_wakePipe[0]);
        if (!(fds[0].revents & POLLIN))
            continue;
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0)
            continue;
        const int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_clientConnected = true;
            m_dropRequested = false;
            m_injected.clear();
            ++m_connections;
            m_changed.notify_all();
        }
        serveClient(fd, processor);
        ::close(fd);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_clientConnected = false;
            m_changed.notify_all();
        }
    }
}

bool SensorSimulator::sendRaw(int fd, const uint8_t *data, size_t size)
{
    size_t sent = 0;
    while (sent < size) {
        if (m_stopRequested.load())
            return false;
        const ssize_t n = ::send(fd, data + sent, size - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            sent += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return false;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_dropRequested)
                return false;
        }
        pollfd pfd{fd, POLLOUT, 0};
        ::poll(&pfd, 1, 50);
    }
    return true;
}

bool SensorSimulator::sendBytes(int fd, const std::vector<uint8_t> &bytes, const Faults &faults)
{
    if (faults.garbageBytes > 0) {
        const std::vector<uint8_t> g =
            garbage(faults.garbageBytes, m_packetsSent.load() + m_repliesSent.load());
        if (!sendRaw(fd, g.data(), g.size()))
            return false;
    }
    const size_t split = faults.splitAt > 0 ? static_cast<size_t>(faults.splitAt) : 0;
    if (split > 0 && split < bytes.size()) {
        if (!sendRaw(fd, bytes.data(), split))
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(std::max(0, faults.splitPauseMs)));
        return sendRaw(fd, bytes.data() + split, bytes.size() - split);
    }
    return sendRaw(fd, bytes.data(), bytes.size());
}

void SensorSimulator::serveClient(int fd, CommandProcessor &processor)
{
    Config config;
    uint64_t version = ~0ULL;
    Generator generator;
    processor.connectionOpened(nowMs());

    std::string input;
    bool streaming = false, auxStreaming = false;
    double streamStart = 0.0, auxStart = 0.0;
    uint64_t linesThisStream = 0, auxThisStream = 0;
    uint64_t measurementPackets = 0, dataPackets = 0, connectionLines = 0;
    int lastMotor = -1, lastRem = -1;

    while (!m_stopRequested.load()) {
        std::vector<std::vector<uint8_t>> injected;
        int64_t stallUntil = 0;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_dropRequested) {
                m_dropRequested = false;
                return;
            }
            if (version != m_configVersion) {
                version = m_configVersion;
                config = m_config;
                generator = Generator(config);
                processor.setConfig(config);
            }
            injected.swap(m_injected);
            stallUntil = m_stallUntilMs;
        }
        const Faults &faults = config.faults;

        if (nowMs() < stallUntil) {
            // Silent: neither read nor write, but stay responsive to stop and drop.
            pollfd pfd{m_wakePipe[0], POLLIN, 0};
            ::poll(&pfd, 1, static_cast<int>(std::min<int64_t>(50, stallUntil - nowMs())));
            drainPipe(m_wakePipe[0]);
            if (!injected.empty()) { // keep them, in order, for after the stall
                std::lock_guard<std::mutex> lock(m_mutex);
                m_injected.insert(m_injected.begin(), std::make_move_iterator(injected.begin()),
                                  std::make_move_iterator(injected.end()));
            }
            streamStart = auxStart = 0.0; // no catch-up burst after a stall
            continue;
        }
        for (const auto &bytes : injected)
            if (!sendRaw(fd, bytes.data(), bytes.size()))
                return;

        // Due lines and auxiliary packets.
        const bool wantLines = processor.started(DataKind::Range) ||
                               processor.started(DataKind::RangeLevel) ||
                               processor.started(DataKind::ExtendedRange);
        const bool wantAux = processor.started(DataKind::Auxiliary);
        const double now = nowSeconds();
        if (wantLines && (!streaming || streamStart == 0.0)) {
            streamStart = now;
            linesThisStream = 0;
        }
        if (wantAux && (!auxStreaming || auxStart == 0.0)) {
            auxStart = now;
            auxThisStream = 0;
        }
        streaming = wantLines;
        auxStreaming = wantAux;

        const double lineRate = kNominalLineRate * config.rate;
        const double auxPeriod =
            std::max(1, config.auxSamplesPerPacket * config.auxSampleIntervalMs) / 1000.0;
        uint64_t dueLines = 0, dueAux = 0;
        double waitSeconds = 0.05;
        if (streaming) {
            if (config.rate <= 0) {
                dueLines = 8;
                waitSeconds = 0.0;
            } else {
                const uint64_t target = static_cast<uint64_t>((now - streamStart) * lineRate) + 1;
                dueLines = target > linesThisStream ? target - linesThisStream : 0;
                if (dueLines > 200) { // fell far behind (slow reader): skip rather than burst
                    linesThisStream = target - 1;
                    dueLines = 1;
                }
                waitSeconds =
                    std::min(waitSeconds, (linesThisStream + dueLines) / lineRate + streamStart - now);
            }
        }
        if (auxStreaming) {
            if (config.rate <= 0) {
                dueAux = 1;
                waitSeconds = 0.0;
            } else {
                const double period = auxPeriod / config.rate;
                const uint64_t target = static_cast<uint64_t>((now - auxStart) / period) + 1;
                dueAux = target > auxThisStream ? std::min<uint64_t>(target - auxThisStream, 20) : 0;
                if (target > auxThisStream + 20)
                    auxThisStream = target - dueAux;
                waitSeconds = std::min(waitSeconds, (auxThisStream + dueAux) * period + auxStart - now);
            }
        }

        for (uint64_t i = 0; i < dueLines; ++i) {
            const int motor = processor.horizontalInterlace(), rem = processor.verticalInterlace();
            if (motor != lastMotor || rem != lastRem) {
                // A new interlace setting starts a fresh frame.
                if (lastMotor >= 0) {
                    const LinePosition p = generator.position(m_lineSeq, motor, rem);
                    const uint64_t perFrame =
                        static_cast<uint64_t>(std::max(1, config.geometry.lineCount())) * std::max(1, motor) *
                        std::max(1, rem);
                    if (p.lineNumber != config.geometry.firstLineNumber || p.motorField || p.remField)
                        m_lineSeq = (m_lineSeq / perFrame + 1) * perFrame;
                }
                lastMotor = motor;
                lastRem = rem;
            }
            const Line line = generator.computeLine(generator.position(m_lineSeq, motor, rem), motor, rem);
            ++m_lineSeq;
            ++linesThisStream;
            ++connectionLines;
            const bool loseFirst = faults.loseFirstPacketEvery > 0 &&
                                   connectionLines % static_cast<uint64_t>(faults.loseFirstPacketEvery) == 0;
            for (DataKind kind : {DataKind::Range, DataKind::RangeLevel, DataKind::ExtendedRange}) {
                if (!processor.started(kind))
                    continue;
                bool first = true;
                for (std::vector<uint8_t> &packet :
                     generator.measurementPacketList(kind, line, config.dataStatus)) {
                    if (first && loseFirst) {
                        first = false;
                        continue;
                    }
                    first = false;
                    ++measurementPackets;
                    if (faults.malformation != Malformation::None && faults.malformEvery > 0 &&
                        measurementPackets % faults.malformEvery == 0)
                        packet = generator.malform(std::move(packet), faults.malformation);
                    if (!sendBytes(fd, packet, faults))
                        return;
                    ++m_packetsSent;
                    if (faults.dropAfterDataPackets > 0 &&
                        ++dataPackets >= static_cast<uint64_t>(faults.dropAfterDataPackets))
                        return;
                }
                ++m_linesSent;
            }
            notifyWaiters();
            if (faults.dropAfterLines > 0 && connectionLines >= static_cast<uint64_t>(faults.dropAfterLines))
                return;
            if (faults.stallAfterLines > 0 &&
                connectionLines == static_cast<uint64_t>(faults.stallAfterLines)) {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_stallUntilMs = nowMs() + faults.stallMs;
                break;
            }
        }
        for (uint64_t i = 0; i < dueAux; ++i) {
            if (!sendBytes(fd, generator.makeAuxiliaryPacket(m_auxSample, -1, config.dataStatus), faults))
                return;
            m_auxSample += config.auxSamplesPerPacket;
            ++auxThisStream;
            ++m_auxSent;
            notifyWaiters();
            if (faults.dropAfterDataPackets > 0 &&
                ++dataPackets >= static_cast<uint64_t>(faults.dropAfterDataPackets))
                return;
        }

        // Wait for commands, a wake-up or the next due packet.
        pollfd fds[2] = {{fd, POLLIN, 0}, {m_wakePipe[0], POLLIN, 0}};
        const int timeout = std::max(0, static_cast<int>(waitSeconds * 1000.0));
        if (::poll(fds, 2, timeout) < 0 && errno != EINTR)
            return;
        if (fds[1].revents & POLLIN) { // a stall, drop or new setting comes before the next command
            drainPipe(m_wakePipe[0]);
            continue;
        }
        if (!(fds[0].revents & (POLLIN | POLLHUP | POLLERR)))
            continue;
        char buf[4096];
        const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        if (n == 0)
            return;
        if (n < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
                continue;
            return;
        }
        input.append(buf, static_cast<size_t>(n));
        size_t newline;
        while ((newline = input.find('\n')) != std::string::npos) {
            const std::string command = input.substr(0, newline);
            input.erase(0, newline + 1);
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_commands.push_back(command);
                m_changed.notify_all();
            }
            const CommandProcessor::Result result = processor.handle(command, nowMs());
            if (!result.reply.empty()) {
                if (faults.replyDelayMs > 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(faults.replyDelayMs));
                if (!sendBytes(fd, result.reply, faults))
                    return;
                ++m_repliesSent;
                notifyWaiters();
            }
            if (result.dropConnection)
                return;
        }
        if (input.size() > 65536) // a flood without newlines is not a command
            input.clear();
    }
}

} // namespace Vexa3dSim
