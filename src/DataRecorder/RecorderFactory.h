#pragma once

#include <QList>

class DataRecorder;
class QObject;

// Makes recorders by kind.
class RecorderFactory
{
public:
    enum RecorderType
    {
        VblRecorder = 1,
        CsvRecorder = 2
    };

    // The kinds this build can record; the manager offers one recorder of each.
    static QList<RecorderType> availableTypes();
    // Null for a kind this build cannot record.
    DataRecorder *createRecorder(RecorderType type, QObject *parent) const;
};
