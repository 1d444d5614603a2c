#pragma once

#include "Vexa3dTypes.h"

#include <QMetaType>
#include <QSharedPointer>
#include <QString>
#include <QVector>

#include <vector>

// Named, typed one-line text records that describe a sensor and the layout of recorded scan data.

// The number is what the text form carries, so the values are fixed.
enum PARAM_VALUE_TYPE : int
{
    PVT_BOOL = 0,
    PVT_UINT = 1,
    PVT_INT = 2,
    PVT_FLOAT = 3,
    PVT_INT_LIST = 4,
    PVT_FLOAT_LIST = 5
};

class ISerializable
{
public:
    virtual QString toString() const = 0;
    virtual ~ISerializable() = default;
};

class IParamDefinition : public ISerializable
{
public:
    explicit IParamDefinition(const QString &name) : m_name(name) {}
    virtual PARAM_VALUE_TYPE type() const = 0;
    const QString &name() const { return m_name; }

private:
    const QString m_name;
};

class ISensorParamDefinition : public IParamDefinition
{
public:
    using IParamDefinition::IParamDefinition;
    virtual void setValueString(const QString &text) = 0;
    virtual QString valueString() const = 0;
};

template <typename T, PARAM_VALUE_TYPE N> class SensorParameterImpl : public ISensorParamDefinition
{
public:
    explicit SensorParameterImpl(const QString &name, T value = T{})
        : ISensorParamDefinition(name), m_value(std::move(value))
    {
    }
    QString toString() const override
    {
        return QStringLiteral("%1,%2=%3").arg(name()).arg(int(N)).arg(valueString());
    }
    PARAM_VALUE_TYPE type() const override { return N; }
    const T &value() const { return m_value; }
    void setValue(const T &value) { m_value = value; }

protected:
    T m_value;
};

template <typename E, PARAM_VALUE_TYPE N>
class ListSensorParamDefinition : public SensorParameterImpl<std::vector<E>, N>
{
public:
    using SensorParameterImpl<std::vector<E>, N>::SensorParameterImpl;
};

class BoolSensorParamDefinition : public SensorParameterImpl<bool, PVT_BOOL>
{
public:
    using SensorParameterImpl::SensorParameterImpl;
    void setValueString(const QString &text) override;
    QString valueString() const override;
};

class UIntSensorParamDefinition : public SensorParameterImpl<unsigned int, PVT_UINT>
{
public:
    using SensorParameterImpl::SensorParameterImpl;
    void setValueString(const QString &text) override;
    QString valueString() const override;
};

class IntSensorParamDefinition : public SensorParameterImpl<int, PVT_INT>
{
public:
    using SensorParameterImpl::SensorParameterImpl;
    void setValueString(const QString &text) override;
    QString valueString() const override;
};

class FloatSensorParamDefinition : public SensorParameterImpl<float, PVT_FLOAT>
{
public:
    using SensorParameterImpl::SensorParameterImpl;
    void setValueString(const QString &text) override;
    QString valueString() const override;
};

class IntListSensorParameter : public ListSensorParamDefinition<int, PVT_INT_LIST>
{
public:
    using ListSensorParamDefinition::ListSensorParamDefinition;
    void setValueString(const QString &text) override;
    QString valueString() const override;
};

class FloatListSensorParameter : public ListSensorParamDefinition<float, PVT_FLOAT_LIST>
{
public:
    using ListSensorParamDefinition::ListSensorParamDefinition;
    void setValueString(const QString &text) override;
    QString valueString() const override;
};

// Declares that every point, spot or line of the scan data carries a value of this name and type.
class IScanParamDefinition : public IParamDefinition
{
public:
    IScanParamDefinition(const QString &name, quint8 type) : IParamDefinition(name), m_type(type) {}
    QString toString() const override;
    PARAM_VALUE_TYPE type() const override { return PARAM_VALUE_TYPE(m_type); }

private:
    const quint8 m_type;
};

class UIntScanParamDefinition : public IScanParamDefinition
{
public:
    explicit UIntScanParamDefinition(const QString &name) : IScanParamDefinition(name, PVT_UINT) {}
};

class IntScanParamDefinition : public IScanParamDefinition
{
public:
    explicit IntScanParamDefinition(const QString &name) : IScanParamDefinition(name, PVT_INT) {}
};

class FloatScanParamDefinition : public IScanParamDefinition
{
public:
    explicit FloatScanParamDefinition(const QString &name) : IScanParamDefinition(name, PVT_FLOAT) {}
};

class VersionDefinition : public ISerializable
{
public:
    VersionDefinition(const QString &name, const QString &value) : m_name(name), m_value(value) {}
    QString toString() const override { return QStringLiteral("%1=%2").arg(m_name, m_value); }
    const QString &name() const { return m_name; }
    const QString &value() const { return m_value; }

private:
    QString m_name;
    QString m_value;
};

using ParamList = QVector<QSharedPointer<IParamDefinition>>;
using ScanParamList = QVector<QSharedPointer<IScanParamDefinition>>;
using VersionInfoList = QVector<QSharedPointer<VersionDefinition>>;

// For queued signals that carry the lists (registered by whoever queues them).
Q_DECLARE_METATYPE(ParamList)
Q_DECLARE_METATYPE(ScanParamList)
Q_DECLARE_METATYPE(VersionInfoList)

QSharedPointer<ISensorParamDefinition> createSensorParamDefinition(int type, const QString &name);
QSharedPointer<IScanParamDefinition> createScanParamDefinition(int type, const QString &name);

// Each returns null when the text is refused.
QSharedPointer<ISensorParamDefinition> parseSensorParamDefinition(const QString &text);
QSharedPointer<IScanParamDefinition> parseScanParamDefinition(const QString &text);
QSharedPointer<VersionDefinition> parseVersionDefinition(const QString &text);

// The sets a recording stores, built from the sensor information block.
ParamList sensorParamsFromInfo(const VEXA3D_SENSOR_INFO_T &info);
VersionInfoList versionsFromInfo(const VEXA3D_SENSOR_INFO_T &info);
ScanParamList pointFieldsFromInfo(const VEXA3D_SENSOR_INFO_T &info);
ScanParamList echoFieldsFromInfo(const VEXA3D_SENSOR_INFO_T &info);
ScanParamList lineFieldsFromInfo(const VEXA3D_SENSOR_INFO_T &info);

// Read back into the block: fields the lists do not name keep their value (see the .cpp for defaults).
void sensorInfoFromParams(const ParamList &params, VEXA3D_SENSOR_INFO_T &info);
void sensorInfoFromVersions(const VersionInfoList &versions, VEXA3D_SENSOR_INFO_T &info);
