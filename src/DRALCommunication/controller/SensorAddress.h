#pragma once

#include <QString>

// The address forms a live sensor connection can open, as typed in the address field, the "Name"
// setting or on the command line: "ADDRESS" or "ADDRESS:PORT".
namespace SensorAddress {

// The ports the connection's "Port" setting accepts.
constexpr int MinPort = 1024;
constexpr int MaxPort = 49151;

enum class ParseResult
{
    Ok,
    Empty,
    BadAddress,
    BadPort
};

// A numeric IPv4 address (four parts of 0 to 255) or "localhost".
[[nodiscard]] bool isValidAddress(const QString &address);

// Splits "ADDRESS[:PORT]" (surrounding blanks ignored). On Ok, address holds the address and port the
// given port, or the one the text names; on any other result neither is changed.
[[nodiscard]] ParseResult parse(const QString &text, QString &address, int &port);

} // namespace SensorAddress
