#include "DataRecorder.h"

#include "MetaTypes.h"

DataRecorder::DataRecorder(QObject *parent) : RecorderWorker(parent)
{
    Taviro::registerRecordMetaTypes();
    qRegisterMetaType<FileRecord::file_record_t>("FileRecord::file_record_t");
    // The thread's signals arrive queued in this object's thread.
    connect(this, &QThread::started, this, &DataRecorder::recordingStarted);
    connect(this, &QThread::finished, this, &DataRecorder::recordingStopped);
}

DataRecorder::~DataRecorder() = default;

void DataRecorder::addRecord(FileRecord::file_record_t record)
{
    enqueue(record);
}

void DataRecorder::stopRecording()
{
    stopWorker();
}

void DataRecorder::setSensorInfo(VEXA3D_SENSOR_INFO_T info)
{
    sensorInfo = info;
}
