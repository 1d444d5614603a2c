#include "RecorderFactory.h"

#include "CsvDataRecorder.h"
#include "T3dDataRecorder.h"

QList<RecorderFactory::RecorderType> RecorderFactory::availableTypes()
{
    return {VblRecorder, CsvRecorder};
}

DataRecorder *RecorderFactory::createRecorder(RecorderType type, QObject *parent) const
{
    switch (type) {
    case CsvRecorder:
        return new CsvDataRecorder(parent);
    case VblRecorder:
        return new T3dDataRecorder(parent);
    }
    return nullptr;
}
