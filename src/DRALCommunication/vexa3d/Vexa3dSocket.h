#pragma once

// The operating-system socket calls of the TCP client, behind one small interface so that another
// socket layer can sit beside the POSIX one.

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace Vexa3dSocket {

using Handle = intptr_t;
constexpr Handle InvalidHandle = -1;

// Process-wide start-up; true when sockets can be used.
bool startup();
Handle createStream();
// Numeric IPv4 text to an address in network order; false for anything else.
bool parseIpv4(const char *text, uint32_t *address);
// 0 connected, -1 refused, failed or abandoned because abort (may be null) was set, -2 not completed
// within timeoutMs. The abort flag is looked at every 50 ms.
int connectWithTimeout(Handle handle, uint32_t address, uint16_t port, int timeoutMs,
                       const std::atomic<bool> *abort = nullptr);
bool setBlocking(Handle handle, bool blocking);
// Bytes received, 0 when nothing waits, -1 on an error, PeerClosed when the peer closed the stream.
// Never blocks.
constexpr int PeerClosed = -2;
int receiveNonBlocking(Handle handle, void *buffer, size_t length);
// Sends the whole buffer; bytes sent or a negative error. Never raises a signal.
int sendAll(Handle handle, const void *data, size_t length);
int closeHandle(Handle handle);

} // namespace Vexa3dSocket
