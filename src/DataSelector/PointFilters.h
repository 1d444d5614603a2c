#pragma once

#include "FloatMinMaxFilter.h"
#include "IntegerMinMaxFilter.h"

// Keeps echoes whose range lies in the window.
class RangeFilter : public FloatMinMaxFilter
{
    Q_OBJECT
public:
    explicit RangeFilter(QObject *parent = nullptr);
    QString name() const override { return tr("Range Filter"); }
    QString key() const override { return QStringLiteral("range_filter"); }

protected:
    QString unit() const override { return QStringLiteral("[m]"); }
    float valueOf(const Window &window, const VEXA3D_SPOT_T &spot, size_t echoIndex) const override;
};

// Keeps echoes whose level lies in the window.
class LevelFilter : public IntegerMinMaxFilter
{
    Q_OBJECT
public:
    explicit LevelFilter(QObject *parent = nullptr);
    QString name() const override { return tr("Level Filter"); }
    QString key() const override { return QStringLiteral("level_filter"); }
    void applyWindow(VEXA3D_MEASUREMENT_DATA_T &data, const Window &window) const override;
};

// Keeps the echoes whose index lies in the window.
class EchoFilter : public IntegerMinMaxFilter
{
    Q_OBJECT
public:
    explicit EchoFilter(QObject *parent = nullptr);
    QString name() const override { return tr("Echo Filter"); }
    QString key() const override { return QStringLiteral("echo_filter"); }
    void applyWindow(VEXA3D_MEASUREMENT_DATA_T &data, const Window &window) const override;
};

// Keeps echoes whose horizontal angle (the second angle) lies in the window.
class HAngleFilter : public FloatMinMaxFilter
{
    Q_OBJECT
public:
    explicit HAngleFilter(QObject *parent = nullptr);
    QString name() const override { return tr("HAngle Filter"); }
    QString key() const override { return QStringLiteral("hangle_filter"); }

protected:
    QString unit() const override { return QLatin1Char('[') + tr("deg") + QLatin1Char(']'); }
    float valueOf(const Window &window, const VEXA3D_SPOT_T &spot, size_t echoIndex) const override;
};

// Keeps echoes whose vertical angle (the first angle) lies in the window.
class VAngleFilter : public FloatMinMaxFilter
{
    Q_OBJECT
public:
    explicit VAngleFilter(QObject *parent = nullptr);
    QString name() const override { return tr("VAngle Filter"); }
    QString key() const override { return QStringLiteral("vangle_filter"); }

protected:
    QString unit() const override { return QLatin1Char('[') + tr("deg") + QLatin1Char(']'); }
    float valueOf(const Window &window, const VEXA3D_SPOT_T &spot, size_t echoIndex) const override;
};
