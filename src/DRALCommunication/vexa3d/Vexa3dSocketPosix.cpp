#include "Vexa3dSocket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace Vexa3dSocket {

bool startup()
{
    return true;
}

Handle createStream()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    return fd < 0 ? InvalidHandle : Handle(fd);
}

bool parseIpv4(const char *text, uint32_t *address)
{
    in_addr addr{};
    if (!text || ::inet_pton(AF_INET, text, &addr) != 1)
        return false;
    *address = addr.s_addr;
    return true;
}

bool setBlocking(Handle handle, bool blocking)
{
    const int fd = int(handle);
    const int flags = ::fcntl(fd, F_GETFL, 0);
    if (flags < 0)
        return false;
    const int wanted = blocking ? (flags & ~O_NONBLOCK) : (flags | O_NONBLOCK);
    return wanted == flags || ::fcntl(fd, F_SETFL, wanted) == 0;
}

int connectWithTimeout(Handle handle, uint32_t address, uint16_t port, int timeoutMs,
                       const std::atomic<bool> *abort)
{
    const int fd = int(handle);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    sa.sin_addr.s_addr = address;
    if (!setBlocking(handle, false))
        return -1;
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&sa), sizeof sa) == 0)
        return 0;
    if (errno != EINPROGRESS && errno != EINTR)
        return -1;

    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return -2;
        if (abort && abort->load())
            return -1;
        pollfd pfd{fd, POLLOUT, 0};
        const int ready = ::poll(&pfd, 1, int(left < 50 ? left : 50));
        if (ready == 0)
            continue;
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        break;
    }
    // A refused connect also makes the socket writable: only SO_ERROR tells success from failure.
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0)
        return -1;
    return 0;
}

int receiveNonBlocking(Handle handle, void *buffer, size_t length)
{
    if (length == 0)
        return 0;
    const ssize_t n = ::recv(int(handle), buffer, length, MSG_DONTWAIT);
    if (n > 0)
        return int(n);
    // Readable with nothing to read: the peer has closed its side.
    if (n == 0)
        return PeerClosed;
    if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
        return 0;
    return -1;
}

int sendAll(Handle handle, const void *data, size_t length)
{
    const char *p = static_cast<const char *>(data);
    size_t sent = 0;
    while (sent < length) {
        const ssize_t n = ::send(int(handle), p + sent, length - sent, MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        sent += size_t(n);
    }
    return int(sent);
}

int closeHandle(Handle handle)
{
    return ::close(int(handle));
}

} // namespace Vexa3dSocket
