<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CsvConversion</name>
    <message>
        <location filename="../../DataRecorder/writer/CsvConversion.cpp" line="30"/>
        <source>The folder %1 could not be created</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataRecorder/writer/CsvConversion.cpp" line="48"/>
        <source>A record of the log could not be read</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CsvDataRecorder</name>
    <message>
        <location filename="../../DataRecorder/CsvDataRecorder.cpp" line="51"/>
        <source>CSV Recorder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataRecorder/CsvDataRecorder.cpp" line="69"/>
        <source>Folder Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataRecorder/CsvDataRecorder.cpp" line="72"/>
        <source>Record Count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataRecorder/CsvDataRecorder.cpp" line="75"/>
        <location filename="../../DataRecorder/CsvDataRecorder.cpp" line="76"/>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataRecorder/CsvDataRecorder.cpp" line="77"/>
        <location filename="../../DataRecorder/CsvDataRecorder.cpp" line="78"/>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CsvFileSet</name>
    <message>
        <location filename="../../DataRecorder/writer/CsvFileSet.cpp" line="76"/>
        <source>Cannot create the file %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataRecorder/writer/CsvFileSet.cpp" line="77"/>
        <source>no device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataRecorder/writer/CsvFileSet.cpp" line="101"/>
        <source>Cannot write the file %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CsvRecordSink</name>
    <message>
        <location filename="../../DataRecorder/writer/CsvRecordSink.cpp" line="15"/>
        <source>No folder has been chosen for the CSV files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataRecorder/writer/CsvRecordSink.cpp" line="18"/>
        <source>The folder %1 does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataRecorder/writer/CsvRecordSink.cpp" line="20"/>
        <source>The folder %1 cannot be written</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DataRecorderToCSV</name>
    <message>
        <location filename="../../DataRecorder/DataRecorderToCSV.cpp" line="74"/>
        <source>The log %1 holds no record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataRecorder/DataRecorderToCSV.cpp" line="90"/>
        <source>Only %1 of %2 records could be read</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecorderManager</name>
    <message>
        <location filename="../../DataRecorder/RecorderManager.cpp" line="142"/>
        <source>Recording is not allowed in the current connection state</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataRecorder/RecorderManager.cpp" line="159"/>
        <source>Add Recorder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataRecorder/RecorderManager.cpp" line="160"/>
        <source>Remove Recorder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataRecorder/RecorderManager.cpp" line="161"/>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataRecorder/RecorderManager.cpp" line="162"/>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataRecorder/RecorderManager.cpp" line="163"/>
        <source>Recorders</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>T3dDataRecorder</name>
    <message>
        <location filename="../../DataRecorder/T3dDataRecorder.cpp" line="57"/>
        <source>VBL Recorder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataRecorder/T3dDataRecorder.cpp" line="72"/>
        <source>Recorder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataRecorder/T3dDataRecorder.cpp" line="75"/>
        <source>File Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataRecorder/T3dDataRecorder.cpp" line="77"/>
        <source>Taviro3D File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataRecorder/T3dDataRecorder.cpp" line="80"/>
        <source>Record Count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataRecorder/T3dDataRecorder.cpp" line="83"/>
        <source>Use Compression</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataRecorder/T3dDataRecorder.cpp" line="86"/>
        <location filename="../../DataRecorder/T3dDataRecorder.cpp" line="87"/>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataRecorder/T3dDataRecorder.cpp" line="88"/>
        <location filename="../../DataRecorder/T3dDataRecorder.cpp" line="89"/>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataRecorder/T3dDataRecorder.cpp" line="100"/>
        <source>File is incorrect</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VblRecordSink</name>
    <message>
        <location filename="../../DataRecorder/writer/VblRecordSink.cpp" line="15"/>
        <location filename="../../DataRecorder/writer/VblRecordSink.cpp" line="31"/>
        <location filename="../../DataRecorder/writer/VblRecordSink.cpp" line="46"/>
        <source>The file %1 could not be written: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
