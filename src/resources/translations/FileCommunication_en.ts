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
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="304"/>
        <source>Log Player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="362"/>
        <source>Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="363"/>
        <source>File Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="364"/>
        <source>Taviro3D File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="365"/>
        <source>Record Count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="366"/>
        <source>Current Record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="368"/>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="368"/>
        <source>Disconnect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="369"/>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="369"/>
        <source>Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="370"/>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="370"/>
        <source>Detail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="381"/>
        <source>Auxiliary %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="382"/>
        <source>Gyroscope</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="383"/>
        <source>Accelerometer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="384"/>
        <source>Temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="408"/>
        <source>Failed to connect to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="447"/>
        <source>Connected to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="458"/>
        <source>Diconnected from %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="469"/>
        <source>%1 is ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="483"/>
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
