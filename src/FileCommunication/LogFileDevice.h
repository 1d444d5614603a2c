#pragma once

#include "IFileDevice.h"
#include "VblSections.h"

#include <QDataStream>
#include <QFile>
#include <QMutex>
#include <QObject>

class QThread;

// What the two log formats share: the file, the background index walk, and seek and read under a mutex.
class LogFileDevice : public QObject, public IFileDevice
{
    Q_OBJECT
public:
    explicit LogFileDevice(QObject *parent = nullptr);

    void closeFile() override;
    // Walks the index on a thread of its own; initialized() follows in this object's thread.
    void initialize() override;
    // The same walk in the calling thread, for tools. True when it met no damage.
    [[nodiscard]] bool indexNow();
    int recordCount() const override;
    bool seekRecord(int index) override;
    int readRecord(QSharedPointer<SensorData> &record, QVector3D &position, QVector3D &rotation,
                   bool advance) override;
    int connectionCount() const override;
    qint64 currentIndex() const override;
    qint64 currentTimestamp() const override;
    QString currentLogTime() const override;
    FileRecordInfo firstRecordInfo() const override;
    FileRecordInfo lastRecordInfo() const override;
    bool atEnd() const override;
    VEXA3D_SENSOR_INFO_T sensorInfo() const override;

    QString fileName() const;
    bool isOpen() const;
    bool isCompressed() const { return m_compressed; }
    // Counts and the walk's outcome (offsets included).
    LogIndex logIndex() const;
    static QString corruptionTitle();
    static QString corruptionMessage();

signals:
    void initialized();
    // The walk stopped at damage; the records before it stay playable. Emitted once per walk, before
    // initialized(); the GUI answers it with a warning box.
    void corruptionFound(const QString &title, const QString &message);

protected:
    // Opens the file for reading and resets the position; false when open already or not readable.
    bool openForReading(const QString &fileName);
    // Stops a running walk. Derived destructors call it, since the walk uses their walkFrom().
    void stopIndexing();
    // Runs on the walk thread over a device of its own.
    virtual LogIndex walkFrom(QIODevice &device) const = 0;
    // Reads the record whose header starts at offset (inside the file, checked by the caller).
    virtual bool readAt(qint64 offset, QSharedPointer<SensorData> &frame, FileRecordInfo &header) = 0;
    virtual qint64 headerSize() const = 0;

    QFile m_file;
    QDataStream m_stream;
    mutable QMutex m_mutex;
    VEXA3D_SENSOR_INFO_T m_info;
    bool m_compressed = false;

private:
    void onWalkFinished();
    void adoptIndex(LogIndex index);

    LogIndex m_index;
    LogIndex m_pending;
    QThread *m_walker = nullptr;
    qint64 m_current = 0;
    qint64 m_timestamp = -1;
    QString m_logTime;
};
