#include "Vexa3dRingBuffer.h"

#include <algorithm>
#include <cstring>

Vexa3dRingBuffer::Vexa3dRingBuffer(unsigned order)
{
    // Orders outside 1..30 would overflow the u32 arithmetic.
    order = std::min(std::max(order, 1u), 30u);
    m_size = 1u << order;
    m_mask = m_size - 1;
    m_buffer.reset(new uint8_t[m_size]);
}

Vexa3dRingBuffer::Vexa3dRingBuffer(const Vexa3dRingBuffer &other)
    : m_buffer(new uint8_t[other.m_size]), m_size(other.m_size), m_reserved(other.m_reserved),
      m_readIndex(other.m_readIndex), m_writeIndex(other.m_writeIndex), m_mask(other.m_mask)
{
    std::memcpy(m_buffer.get(), other.m_buffer.get(), m_size);
}

Vexa3dRingBuffer::Vexa3dRingBuffer(Vexa3dRingBuffer &&other) noexcept
    : m_buffer(std::move(other.m_buffer)), m_size(other.m_size), m_reserved(other.m_reserved),
      m_readIndex(other.m_readIndex), m_writeIndex(other.m_writeIndex), m_mask(other.m_mask)
{
    // Leave the source a valid empty buffer of size 1 (capacity 0) rather than a dangling one.
    other.m_buffer.reset(new (std::nothrow) uint8_t[1]);
    other.m_size = 1;
    other.m_mask = 0;
    other.m_readIndex = other.m_writeIndex = 0;
}

Vexa3dRingBuffer &Vexa3dRingBuffer::operator=(const Vexa3dRingBuffer &other)
{
    if (this != &other) {
        Vexa3dRingBuffer copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Vexa3dRingBuffer &Vexa3dRingBuffer::operator=(Vexa3dRingBuffer &&other) noexcept
{
    if (this != &other) {
        m_buffer = std::move(other.m_buffer);
        m_size = other.m_size;
        m_reserved = other.m_reserved;
        m_readIndex = other.m_readIndex;
        m_writeIndex = other.m_writeIndex;
        m_mask = other.m_mask;
        other.m_buffer.reset(new (std::nothrow) uint8_t[1]);
        other.m_size = 1;
        other.m_mask = 0;
        other.m_readIndex = other.m_writeIndex = 0;
    }
    return *this;
}

uint32_t Vexa3dRingBuffer::write(const void *data, uint32_t n)
{
    // Callers keep below the free space; refusing an overfill here keeps a fault from corrupting the stream.
    if (n == 0 || n >= m_size || n > capacity() - used())
        return 0;
    const uint8_t *src = static_cast<const uint8_t *>(data);
    const uint32_t first = std::min(n, m_size - m_writeIndex);
    std::memcpy(m_buffer.get() + m_writeIndex, src, first);
    std::memcpy(m_buffer.get(), src + first, n - first);
    m_writeIndex = (m_writeIndex + n) & m_mask;
    return n;
}

void Vexa3dRingBuffer::copyOut(void *destination, uint32_t n) const
{
    uint8_t *dst = static_cast<uint8_t *>(destination);
    const uint32_t first = std::min(n, m_size - m_readIndex);
    std::memcpy(dst, m_buffer.get() + m_readIndex, first);
    std::memcpy(dst + first, m_buffer.get(), n - first);
}

uint32_t Vexa3dRingBuffer::read(void *destination, uint32_t n)
{
    if (n == 0 || n > used())
        return 0;
    copyOut(destination, n);
    m_readIndex = (m_readIndex + n) & m_mask;
    return n;
}

uint32_t Vexa3dRingBuffer::peek(void *destination, uint32_t n) const
{
    if (n == 0 || n > used())
        return 0;
    copyOut(destination, n);
    return n;
}

uint32_t Vexa3dRingBuffer::discard(uint32_t n)
{
    if (n > used())
        return 0;
    m_readIndex = (m_readIndex + n) & m_mask;
    return n;
}
