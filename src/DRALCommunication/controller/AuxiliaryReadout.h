#pragma once

#include <QObject>

class DRALAuxiliaryData;
class PropertyItem;
class StringProperty;

// The live values of the latest auxiliary packet as read-only settings under a group node: angular
// rate, acceleration and temperature, each named with its unit.
class AuxiliaryReadout : public QObject
{
    Q_OBJECT

public:
    // Adds the three readouts to group.
    AuxiliaryReadout(PropertyItem *group, QObject *parent = nullptr);

    void show(const DRALAuxiliaryData &data);
    // Nothing is shown while no packets arrive: an old reading must not pass for a live one.
    void clear();
    void retranslate();

private:
    StringProperty *m_gyroscope = nullptr;
    StringProperty *m_accelerometer = nullptr;
    StringProperty *m_temperature = nullptr;
};
