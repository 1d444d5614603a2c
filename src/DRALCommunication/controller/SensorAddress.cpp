#include "SensorAddress.h"

#include <QStringList>

namespace SensorAddress {

bool isValidAddress(const QString &address)
{
    if (address == QLatin1String("localhost"))
        return true;
    // Four decimal parts of 0 to 255: the only other form the sensor link can open.
    const QStringList parts = address.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    for (const QString &part : parts) {
        bool ok = false;
        const int n = part.toInt(&ok);
        if (!ok || part.isEmpty() || part.size() > 3 || n < 0 || n > 255 || !part.at(0).isDigit())
            return false;
    }
    return true;
}

ParseResult parse(const QString &text, QString &address, int &port)
{
    const QString value = text.trimmed();
    const int colon = value.lastIndexOf(QLatin1Char(':'));
    const QString host = colon >= 0 ? value.left(colon) : value;
    int number = port;
    if (colon >= 0) {
        bool ok = false;
        number = value.mid(colon + 1).toInt(&ok);
        // Outside the "Port" range the setting would clamp it and connect somewhere not asked for.
        if (!ok || number < MinPort || number > MaxPort)
            return ParseResult::BadPort;
    }
    if (host.isEmpty())
        return ParseResult::Empty;
    if (!isValidAddress(host))
        return ParseResult::BadAddress;
    address = host;
    port = number;
    return ParseResult::Ok;
}

} // namespace SensorAddress
