#pragma once

#include "DataSelector.h"

// Selectors without settings of their own: each shares one stateless value function.

class RangeDataSelector : public DataSelector
{
    Q_OBJECT
public:
    using DataSelector::DataSelector;
    static QString displayName() { return tr("Range"); }
    QString name() const override { return displayName(); }
    QString key() const override { return QStringLiteral("range"); }
    QString valueText(float value) const override;
    float lowerLimit() const override { return 0.0f; }
    float upperLimit() const override { return 100.0f; }
    float defaultMin() const override { return 0.0f; }
    float defaultMax() const override { return 10.0f; }
    std::shared_ptr<const SelectorFunction> function() const override;
};

class IntensityDataSelector : public DataSelector
{
    Q_OBJECT
public:
    using DataSelector::DataSelector;
    static QString displayName() { return tr("Intensity"); }
    QString name() const override { return displayName(); }
    QString key() const override { return QStringLiteral("intensity"); }
    QString valueText(float value) const override;
    float lowerLimit() const override { return 0.0f; }
    float upperLimit() const override { return 60000.0f; }
    float defaultMin() const override { return 0.0f; }
    float defaultMax() const override { return 6000.0f; }
    bool readsLevels() const override { return true; }
    std::shared_ptr<const SelectorFunction> function() const override;
};

class EchoDataSelector : public DataSelector
{
    Q_OBJECT
public:
    using DataSelector::DataSelector;
    static QString displayName() { return tr("Echo"); }
    QString name() const override { return displayName(); }
    QString key() const override { return QStringLiteral("echo"); }
    QString valueText(float value) const override;
    float lowerLimit() const override { return 0.0f; }
    float upperLimit() const override { return 3.0f; }
    float defaultMin() const override { return 0.0f; }
    float defaultMax() const override { return 3.0f; }
    std::shared_ptr<const SelectorFunction> function() const override;
};

class LineDataSelector : public DataSelector
{
    Q_OBJECT
public:
    using DataSelector::DataSelector;
    static QString displayName() { return tr("Line"); }
    QString name() const override { return displayName(); }
    QString key() const override { return QStringLiteral("line"); }
    QString valueText(float value) const override;
    float lowerLimit() const override { return 0.0f; }
    float upperLimit() const override { return 100.0f; }
    float defaultMin() const override { return 0.0f; }
    float defaultMax() const override { return 35.0f; }
    std::shared_ptr<const SelectorFunction> function() const override;
};
