#include "Vexa3dTcpClient.h"

#include <cstring>

Vexa3dTcpClient::Vexa3dTcpClient() : m_receiveBuffer(new uint8_t[m_ringBuffer.capacity()]) {}

Vexa3dTcpClient::~Vexa3dTcpClient()
{
    close();
}

int Vexa3dTcpClient::open(const char *host, int port)
{
    if (!host || port < 0 || port > 65535)
        return -1;
    if (!Vexa3dSocket::startup())
        return -1;
    if (isOpen())
        close();
    m_handle = Vexa3dSocket::createStream();
    if (!isOpen())
        return -1;

    if (std::strcmp(host, "localhost") == 0)
        host = "127.0.0.1";
    m_family = 2; // IPv4
    m_port = uint16_t(((port & 0xFF) << 8) | ((port >> 8) & 0xFF));
    uint32_t address = 0;
    if (!Vexa3dSocket::parseIpv4(host, &address))
        return -1; // the socket stays open until close()
    m_address = address;

    const int result =
        Vexa3dSocket::connectWithTimeout(m_handle, m_address, uint16_t(port), ConnectTimeoutMs, m_abort);
    if (result != 0) {
        close();
        return result == -2 ? -2 : -1;
    }
    Vexa3dSocket::setBlocking(m_handle, true);
    return 0;
}

int Vexa3dTcpClient::close()
{
    if (!isOpen())
        return -1;
    const int result = Vexa3dSocket::closeHandle(m_handle);
    m_handle = Vexa3dSocket::InvalidHandle;
    return result;
}

int Vexa3dTcpClient::receive()
{
    if (!isOpen())
        return -1;
    const uint32_t room = m_ringBuffer.capacity() - m_ringBuffer.used();
    if (room == 0)
        return 0;
    const int n = Vexa3dSocket::receiveNonBlocking(m_handle, m_receiveBuffer.get(), room);
    if (n < 1)
        return n;
    m_ringBuffer.write(m_receiveBuffer.get(), uint32_t(n));
    return n;
}

int Vexa3dTcpClient::write(const void *data, int length)
{
    if (!isOpen() || !data || length < 0)
        return -1;
    return Vexa3dSocket::sendAll(m_handle, data, size_t(length));
}

int Vexa3dTcpClient::setBlockingMode()
{
    if (!isOpen())
        return -1;
    return Vexa3dSocket::setBlocking(m_handle, true) ? 0 : -1;
}
