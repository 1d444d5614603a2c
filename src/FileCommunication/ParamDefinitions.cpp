#include "ParamDefinitions.h"

#include <QStringList>

#include <cstring>

namespace {
QString join(const QStringList &parts)
{
    return parts.join(QLatin1Char(';'));
}

// The digit value of the first character, or -1 when it is no decimal digit.
int leadingDigit(const QString &text)
{
    if (text.isEmpty() || !text.at(0).isDigit())
        return -1;
    return text.at(0).digitValue();
}

QString fromField(const char *field, int size)
{
    return QString::fromLatin1(field, int(strnlen(field, size_t(size))));
}

void toField(char *field, int size, const QString &value)
{
    const QByteArray bytes = value.toUtf8();
    if (bytes.size() >= size)
        return;
    std::memcpy(field, bytes.constData(), size_t(bytes.size()));
    field[bytes.size()] = 0;
}
} // namespace

void BoolSensorParamDefinition::setValueString(const QString &text)
{
    m_value = text.toInt(nullptr, 10) != 0;
}

QString BoolSensorParamDefinition::valueString() const
{
    return m_value ? QStringLiteral("1") : QStringLiteral("0");
}

void UIntSensorParamDefinition::setValueString(const QString &text)
{
    m_value = static_cast<unsigned int>(text.toInt(nullptr, 10));
}

QString UIntSensorParamDefinition::valueString() const
{
    return QString::number(m_value);
}

void IntSensorParamDefinition::setValueString(const QString &text)
{
    m_value = text.toInt(nullptr, 10);
}

QString IntSensorParamDefinition::valueString() const
{
    return QString::number(m_value);
}

void FloatSensorParamDefinition::setValueString(const QString &text)
{
    m_value = text.toFloat();
}

QString FloatSensorParamDefinition::valueString() const
{
    return QString::number(double(m_value), 'g', 6);
}

void IntListSensorParameter::setValueString(const QString &text)
{
    std::vector<int> values;
    for (const QString &part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int v = part.trimmed().toInt(&ok, 10);
        if (ok)
            values.push_back(v);
    }
    m_value = std::move(values);
}

QString IntListSensorParameter::valueString() const
{
    QStringList parts;
    for (int v : m_value)
        parts << QString::number(v);
    return join(parts);
}

void FloatListSensorParameter::setValueString(const QString &text)
{
    std::vector<float> values;
    for (const QString &part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        bool ok = false;
        const float v = part.trimmed().toFloat(&ok);
        if (ok)
            values.push_back(v);
    }
    m_value = std::move(values);
}

QString FloatListSensorParameter::valueString() const
{
    QStringList parts;
    for (float v : m_value)
        parts << QString::number(double(v), 'g', 6);
    return join(parts);
}

QString IScanParamDefinition::toString() const
{
    return QStringLiteral("%1,%2").arg(name()).arg(int(m_type));
}

QSharedPointer<ISensorParamDefinition> createSensorParamDefinition(int type, const QString &name)
{
    switch (type) {
    case PVT_BOOL:
        return QSharedPointer<BoolSensorParamDefinition>::create(name);
    case PVT_UINT:
        return QSharedPointer<UIntSensorParamDefinition>::create(name);
    case PVT_INT:
        return QSharedPointer<IntSensorParamDefinition>::create(name);
    case PVT_FLOAT:
        return QSharedPointer<FloatSensorParamDefinition>::create(name);
    case PVT_INT_LIST:
        return QSharedPointer<IntListSensorParameter>::create(name);
    case PVT_FLOAT_LIST:
        return QSharedPointer<FloatListSensorParameter>::create(name);
    default:
        return {};
    }
}

QSharedPointer<IScanParamDefinition> createScanParamDefinition(int type, const QString &name)
{
    switch (type) {
    case PVT_UINT:
        return QSharedPointer<UIntScanParamDefinition>::create(name);
    case PVT_INT:
        return QSharedPointer<IntScanParamDefinition>::create(name);
    case PVT_FLOAT:
        return QSharedPointer<FloatScanParamDefinition>::create(name);
    default:
        return {};
    }
}

QSharedPointer<ISensorParamDefinition> parseSensorParamDefinition(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (parts.size() != 2)
        return {};
    const QStringList typeAndValue = parts.at(1).split(QLatin1Char('='), Qt::KeepEmptyParts);
    if (typeAndValue.size() != 2)
        return {};
    const int type = leadingDigit(typeAndValue.at(0));
    if (type < 0)
        return {};
    QSharedPointer<ISensorParamDefinition> definition = createSensorParamDefinition(type, parts.at(0));
    if (definition)
        definition->setValueString(typeAndValue.at(1));
    return definition;
}

QSharedPointer<IScanParamDefinition> parseScanParamDefinition(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (parts.size() != 2)
        return {};
    const int type = leadingDigit(parts.at(1));
    if (type < 0)
        return {};
    return createScanParamDefinition(type, parts.at(0));
}

QSharedPointer<VersionDefinition> parseVersionDefinition(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('='), Qt::KeepEmptyParts);
    if (parts.size() != 2)
        return {};
    return QSharedPointer<VersionDefinition>::create(parts.at(0), parts.at(1));
}

namespace {
struct SpecField
{
    const char *name;
    size_t offset;
    int width;
};

const SpecField kSpecFields[] = {
    {"motorInterlaceCount", offsetof(VEXA3D_SPEC_T, motorInterlaceCount), 1},
    {"remInterlaceCount", offsetof(VEXA3D_SPEC_T, remInterlaceCount), 1},
    {"firstLineNumber", offsetof(VEXA3D_SPEC_T, firstLineNumber), 2},
    {"lastLineNumber", offsetof(VEXA3D_SPEC_T, lastLineNumber), 2},
    {"lineCount", offsetof(VEXA3D_SPEC_T, lineCount), 2},
    {"spotCount", offsetof(VEXA3D_SPEC_T, spotCount), 2},
    {"echoCount", offsetof(VEXA3D_SPEC_T, echoCount), 1},
    {"regionCount", offsetof(VEXA3D_SPEC_T, regionCount), 1},
    {"isLsbResult", offsetof(VEXA3D_SPEC_T, isLsbResult), 1},
    {"accelScale", offsetof(VEXA3D_SPEC_T, accelScale), 2},
    {"gyroScale", offsetof(VEXA3D_SPEC_T, gyroScale), 2},
    {"swingDir", offsetof(VEXA3D_SPEC_T, swdr), 1},
};

unsigned int specValue(const VEXA3D_SPEC_T &spec, const SpecField &field)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(&spec) + field.offset;
    if (field.width == 1)
        return bytes[0];
    quint16 v = 0;
    std::memcpy(&v, bytes, 2);
    return v;
}

void setSpecValue(VEXA3D_SPEC_T &spec, const SpecField &field, unsigned int value)
{
    auto *bytes = reinterpret_cast<unsigned char *>(&spec) + field.offset;
    if (field.width == 1) {
        bytes[0] = static_cast<unsigned char>(value);
        return;
    }
    const quint16 v = static_cast<quint16>(value);
    std::memcpy(bytes, &v, 2);
}

struct VersionField
{
    const char *name;
    size_t offset;
};

const VersionField kVersionFields[] = {
    {"product", offsetof(VEXA3D_SENSOR_INFO_T, product)},
    {"serial", offsetof(VEXA3D_SENSOR_INFO_T, serial)},
    {"firmware", offsetof(VEXA3D_SENSOR_INFO_T, firmware)},
    {"protocol", offsetof(VEXA3D_SENSOR_INFO_T, protocol)},
};

ScanParamList uintFields(const QStringList &names)
{
    ScanParamList list;
    for (const QString &name : names)
        list << QSharedPointer<UIntScanParamDefinition>::create(name);
    return list;
}
} // namespace

ParamList sensorParamsFromInfo(const VEXA3D_SENSOR_INFO_T &info)
{
    ParamList list;
    for (const SpecField &field : kSpecFields)
        list << QSharedPointer<UIntSensorParamDefinition>::create(QString::fromLatin1(field.name),
                                                                  specValue(info.spec, field));
    return list;
}

VersionInfoList versionsFromInfo(const VEXA3D_SENSOR_INFO_T &info)
{
    VersionInfoList list;
    const auto *base = reinterpret_cast<const char *>(&info);
    for (const VersionField &field : kVersionFields)
        list << QSharedPointer<VersionDefinition>::create(QString::fromLatin1(field.name),
                                                          fromField(base + field.offset, 64));
    return list;
}

ScanParamList pointFieldsFromInfo(const VEXA3D_SENSOR_INFO_T &info)
{
    QStringList names;
    for (int r = 0; r < info.spec.regionCount; ++r)
        names << QStringLiteral("isDetected_%1").arg(r);
    return uintFields(names);
}

ScanParamList echoFieldsFromInfo(const VEXA3D_SENSOR_INFO_T &)
{
    return uintFields({QStringLiteral("echoCount")});
}

ScanParamList lineFieldsFromInfo(const VEXA3D_SENSOR_INFO_T &info)
{
    QStringList names{QStringLiteral("motorFieldNumber"), QStringLiteral("remFieldNumber"),
                      QStringLiteral("dustState"),        QStringLiteral("dustRatioX10"),
                      QStringLiteral("output"),           QStringLiteral("input"),
                      QStringLiteral("dirtState"),        QStringLiteral("dirtRatioX10"),
                      QStringLiteral("isLineDataReady")};
    for (int r = 0; r < info.spec.regionCount; ++r)
        names << QStringLiteral("totalDetectionArea_%1").arg(r);
    return uintFields(names);
}

void sensorInfoFromParams(const ParamList &params, VEXA3D_SENSOR_INFO_T &info)
{
    bool named[std::size(kSpecFields)] = {};
    for (const QSharedPointer<IParamDefinition> &definition : params) {
        if (!definition)
            continue;
        for (size_t i = 0; i < std::size(kSpecFields); ++i) {
            if (definition->name() != QLatin1String(kSpecFields[i].name))
                continue;
            named[i] = true;
            const auto *value = dynamic_cast<const UIntSensorParamDefinition *>(definition.data());
            if (definition->type() == PVT_UINT && value)
                setSpecValue(info.spec, kSpecFields[i], value->value());
        }
    }
    // Files from sensors without these fields still need sane scales and interlace counts.
    for (size_t i : {size_t(0), size_t(1), size_t(9), size_t(10)}) {
        if (!named[i])
            setSpecValue(info.spec, kSpecFields[i], 1);
    }
}

void sensorInfoFromVersions(const VersionInfoList &versions, VEXA3D_SENSOR_INFO_T &info)
{
    auto *base = reinterpret_cast<char *>(&info);
    for (const QSharedPointer<VersionDefinition> &definition : versions) {
        if (!definition)
            continue;
        for (const VersionField &field : kVersionFields) {
            if (definition->name() == QLatin1String(field.name))
                toField(base + field.offset, 64, definition->value());
        }
    }
}
