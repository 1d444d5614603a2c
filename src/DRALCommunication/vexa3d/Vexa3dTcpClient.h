#pragma once

#include "Vexa3dConnection.h"
#include "Vexa3dSocket.h"

#include <memory>

// TCP connection to the sensor over IPv4 with numeric addresses only.
class Vexa3dTcpClient : public Vexa3dConnection
{
public:
    static constexpr int ConnectTimeoutMs = 2000;

    Vexa3dTcpClient();
    ~Vexa3dTcpClient() override;

    // 0 connected, -1 setup failure or refused, -2 the connect did not complete within 2 s.
    int open(const char *host, int port) override;
    // The socket layer's result, or -1 when not open.
    int close() override;
    int receive() override;
    int write(const void *data, int length) override;
    int setBlockingMode();

    bool isOpen() const { return m_handle != Vexa3dSocket::InvalidHandle; }
    int addressLength() const { return m_addressLength; }

private:
    uint16_t m_family = 0;
    uint16_t m_port = 0;    // network order
    uint32_t m_address = 0; // network order
    Vexa3dSocket::Handle m_handle = Vexa3dSocket::InvalidHandle;
    int m_addressLength = 16;
    std::unique_ptr<uint8_t[]> m_receiveBuffer; // one ring buffer's capacity, allocated once
};
