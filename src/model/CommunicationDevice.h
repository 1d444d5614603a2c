#pragma once

#include <QObject>

// Nominal base of data sources. The live and playback devices are threads and do not derive from it.
class CommunicationDevice : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
};
