#include "RecorderFactory.h"

#include "CsvDataRecorder.h"

QList<RecorderFactory::RecorderType> RecorderFactory::availableTypes()
{
    // The log recorder joins once its file writer is in place.
    return {CsvRecorder};
}

DataRecorder *RecorderFactory::createRecorder(RecorderType type, QObject *parent) const
{
    switch (type) {
    case CsvRecorder:
        return new CsvDataRecorder(parent);
    case VblRecorder:
        break;
    }
    return nullptr;
}
