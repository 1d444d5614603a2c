<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>DRALScanManager</name>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="318"/>
        <source>3D LiDAR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="357"/>
        <source>Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="358"/>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="359"/>
        <source>Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="360"/>
        <source>Interlace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="363"/>
        <source>Measurment Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="364"/>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="368"/>
        <source>No Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="365"/>
        <source>Range Only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="366"/>
        <source>Range &amp; Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="367"/>
        <source>Auxiliary Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="369"/>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="371"/>
        <source>Auxiliary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="372"/>
        <source>Gyroscope</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="373"/>
        <source>Accelerometer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="374"/>
        <source>Temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="376"/>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="377"/>
        <source>Disconnect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="378"/>
        <source>Device Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="379"/>
        <source>Reboot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="398"/>
        <source>Horizontal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="400"/>
        <source>Vertical</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="403"/>
        <source>Motor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="405"/>
        <source>Rem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="450"/>
        <source>Connected to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="461"/>
        <source>Diconnected from %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="469"/>
        <source>Failed to connect to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="475"/>
        <source>%1 is ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="510"/>
        <source>Failed to initialize %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="542"/>
        <source>Device not connected!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="553"/>
        <source>Connection Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="554"/>
        <source>Device Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="555"/>
        <source>Device Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="556"/>
        <source>Product Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="557"/>
        <source>Serial Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="558"/>
        <source>Firmware Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="559"/>
        <source>Protocol Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="565"/>
        <source>Connection Information</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
