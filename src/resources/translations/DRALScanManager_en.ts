<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>DRALScanManager</name>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="319"/>
        <source>3D LiDAR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="358"/>
        <source>Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="359"/>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="360"/>
        <source>Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="361"/>
        <source>Interlace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="364"/>
        <source>Measurment Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="365"/>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="369"/>
        <source>No Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="366"/>
        <source>Range Only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="367"/>
        <source>Range &amp; Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="368"/>
        <source>Auxiliary Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="370"/>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="372"/>
        <source>Auxiliary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="373"/>
        <source>Gyroscope</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="374"/>
        <source>Accelerometer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="375"/>
        <source>Temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="377"/>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="378"/>
        <source>Disconnect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="379"/>
        <source>Device Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="380"/>
        <source>Reboot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="399"/>
        <source>Horizontal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="401"/>
        <source>Vertical</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="404"/>
        <source>Motor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="406"/>
        <source>Rem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="451"/>
        <source>Connected to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="462"/>
        <source>Diconnected from %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="470"/>
        <source>Failed to connect to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="476"/>
        <source>%1 is ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="511"/>
        <source>Failed to initialize %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="543"/>
        <source>Device not connected!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="554"/>
        <source>Connection Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="555"/>
        <source>Device Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="556"/>
        <source>Device Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="557"/>
        <source>Product Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="558"/>
        <source>Serial Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="559"/>
        <source>Firmware Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="560"/>
        <source>Protocol Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="566"/>
        <source>Connection Information</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
