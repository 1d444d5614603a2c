#include "DeviceInformation.h"

#include "DRALScanManager.h"

#include <QStringList>

#include <cstring>

namespace {

QString fixedText(const char *text, size_t size)
{
    return QString::fromLatin1(text, int(strnlen(text, size)));
}

// Fills %0 .. %N in one pass, so that a value containing "%1" is never substituted again.
QString fillTemplate(const QString &pattern, const QStringList &values)
{
    QString out;
    for (int i = 0; i < pattern.size(); ++i) {
        if (pattern.at(i) == QLatin1Char('%') && i + 1 < pattern.size() && pattern.at(i + 1).isDigit()) {
            int index = pattern.at(i + 1).digitValue();
            int length = 2;
            if (i + 2 < pattern.size() && pattern.at(i + 2).isDigit()) {
                const int twoDigits = index * 10 + pattern.at(i + 2).digitValue();
                if (twoDigits < values.size()) {
                    index = twoDigits;
                    length = 3;
                }
            }
            if (index < values.size()) {
                out += values.at(index);
                i += length - 1;
                continue;
            }
        }
        out += pattern.at(i);
    }
    return out;
}

} // namespace

namespace DeviceInformation {

QString text(const QString &connectionName, const QString &address, int port,
             const VEXA3D_SENSOR_INFO_T &info)
{
    static const QString pattern = QStringLiteral("%0: \t%1\n%2: \t%3\n%4: \t%5\n"
                                                  "------------------------------------------\n"
                                                  "%6: \t%7\n%8: \t%9\n%10: \t%11\n%12: \t%13\n");
    const QStringList values{
        DRALScanManager::tr("Connection Name"),  connectionName,
        DRALScanManager::tr("Device Name"),      address,
        DRALScanManager::tr("Device Port"),      QString::number(port),
        DRALScanManager::tr("Product Name"),     fixedText(info.product, sizeof(info.product)),
        DRALScanManager::tr("Serial Number"),    fixedText(info.serial, sizeof(info.serial)),
        DRALScanManager::tr("Firmware Version"), fixedText(info.firmware, sizeof(info.firmware)),
        DRALScanManager::tr("Protocol Version"), fixedText(info.protocol, sizeof(info.protocol))};
    return fillTemplate(pattern, values);
}

} // namespace DeviceInformation
