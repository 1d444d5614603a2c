#pragma once

#include "CsvBuffer.h"
#include "CsvRowWriter.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class SensorData;

// The four CSV files of a recording or conversion (connection 1 and 2, lines and auxiliary packets),
// each opened when its first record arrives and continued in a new part when it is full.
// Names: <prefix>_connection1_<part>.csv, <prefix>_connection1_aux_<part>.csv, and so on.
class CsvFileSet
{
    Q_DECLARE_TR_FUNCTIONS(CsvFileSet)
public:
    enum class Result
    {
        Ok,
        Failed
    };
    // Makes the (unopened) device for a file name; by default a QFile.
    using DeviceMaker = std::function<std::unique_ptr<QIODevice>(const QString &fileName)>;

    static constexpr int MeasurementLimit = 200000; // a file closes after 200001 lines
    static constexpr int AuxiliaryLimit = 27600;    // and after 27601 packets

    CsvFileSet(const QString &prefix, const VEXA3D_SENSOR_INFO_T &info, DeviceMaker maker = {});
    ~CsvFileSet();
    CsvFileSet(const CsvFileSet &) = delete;
    CsvFileSet &operator=(const CsvFileSet &) = delete;

    static QString fileName(const QString &prefix, int connection, bool auxiliary, int part);

    // Writes the rows of one frame; index 0 (or below) goes to connection 1, any other to connection 2.
    [[nodiscard]] Result write(qint64 index, const SensorData &frame);
    // Hands the buffered rows to the files.
    [[nodiscard]] Result flush();
    // Flushes and closes every open file.
    [[nodiscard]] Result close();

    // The failure of the last call that failed, with the file name.
    QString errorString() const { return m_error; }
    // Every file opened so far, in opening order.
    QStringList fileNames() const { return m_opened; }

private:
    struct Slot
    {
        std::unique_ptr<QIODevice> device;
        QString name;
        CsvBuffer buffer;
        int part = 1;
        int count = 0;
    };

    Result open(Slot &slot, int connection, bool auxiliary);
    Result finishRecord(Slot &slot, int limit);
    Result flush(Slot &slot);
    Result closeSlot(Slot &slot);

    QString m_prefix;
    CsvRowWriter m_rows;
    DeviceMaker m_maker;
    Slot m_slots[4]; // connection 1 lines, connection 1 packets, connection 2 lines, connection 2 packets
    QString m_error;
    QStringList m_opened;
};
