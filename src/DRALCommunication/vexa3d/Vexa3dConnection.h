#pragma once

#include "Vexa3dRingBuffer.h"

#include <atomic>
#include <cstdint>

// A byte stream to the sensor. receive() moves whatever waits into the ring buffer; the packet
// parser reads only from the ring buffer.
class Vexa3dConnection
{
public:
    static constexpr unsigned RingBufferOrder = 17;

    Vexa3dConnection() : m_ringBuffer(RingBufferOrder) {}
    virtual ~Vexa3dConnection() = default;
    Vexa3dConnection(const Vexa3dConnection &) = delete;
    Vexa3dConnection &operator=(const Vexa3dConnection &) = delete;

    virtual int open(const char *host, int port) = 0;
    virtual int close() = 0;
    // Bytes moved into the ring buffer, 0 when nothing waits, negative when the stream failed or the
    // peer closed it (the connection is then of no further use).
    virtual int receive() = 0;
    virtual int write(const void *data, int length) = 0;

    // A flag another thread may set to end a blocking open early. Null for none.
    void setAbortFlag(const std::atomic<bool> *flag) { m_abort = flag; }

    Vexa3dRingBuffer &ringBuffer() { return m_ringBuffer; }
    const Vexa3dRingBuffer &ringBuffer() const { return m_ringBuffer; }

protected:
    Vexa3dRingBuffer m_ringBuffer;
    const std::atomic<bool> *m_abort = nullptr;
};
