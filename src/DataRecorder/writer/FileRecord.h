#pragma once

#include "SensorData.h"

#include <QMetaType>
#include <QSharedPointer>
#include <QString>
#include <QVector3D>

namespace FileRecord {

// What a recorder receives for one frame of one connection.
struct file_record_t
{
    quint32 index = 0; // 0-based connection index
    QSharedPointer<SensorData> data;
    QVector3D position;
    QVector3D rotation;
    QString time; // local time "yyyy-MM-dd hh:mm:ss.zzz" when the record was built
};

} // namespace FileRecord

Q_DECLARE_METATYPE(FileRecord::file_record_t)
