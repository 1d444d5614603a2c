<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>FilePlayDockWidget</name>
    <message>
        <location filename="../../FileCommunication/player/FilePlayDockWidget.cpp" line="238"/>
        <source>Log Player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FilePlayDockWidget.cpp" line="239"/>
        <source>Timestamp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FilePlayDockWidget.cpp" line="240"/>
        <source>Log time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FilePlayDockWidget.cpp" line="241"/>
        <source>play speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FilePlayDockWidget.cpp" line="242"/>
        <source>Loop playback</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FilePlayDockWidget.cpp" line="243"/>
        <location filename="../../FileCommunication/player/FilePlayDockWidget.cpp" line="244"/>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FilePlayDockWidget.cpp" line="245"/>
        <location filename="../../FileCommunication/player/FilePlayDockWidget.cpp" line="246"/>
        <source>Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FilePlayDockWidget.cpp" line="247"/>
        <location filename="../../FileCommunication/player/FilePlayDockWidget.cpp" line="248"/>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileScanManager</name>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="237"/>
        <source>Log Player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="295"/>
        <source>Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="296"/>
        <source>File Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="297"/>
        <source>Taviro3D File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="298"/>
        <source>Record Count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="299"/>
        <source>Current Record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="301"/>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="301"/>
        <source>Disconnect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="302"/>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="302"/>
        <source>Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="303"/>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="303"/>
        <source>Detail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="314"/>
        <source>Auxiliary %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="315"/>
        <source>Gyroscope</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="316"/>
        <source>Accelerometer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="317"/>
        <source>Temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="341"/>
        <source>Failed to connect to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="380"/>
        <source>Connected to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="391"/>
        <source>Diconnected from %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="402"/>
        <source>%1 is ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="416"/>
        <source>Failed to initialize %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LogFileDevice</name>
    <message>
        <location filename="../../FileCommunication/LogFileDevice.cpp" line="9"/>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/LogFileDevice.cpp" line="14"/>
        <source>Part of the measurement data is corrupted.
Replay the log up to the point of corruption.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
