<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>DRALScanManager</name>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="335"/>
        <source>3D LiDAR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="374"/>
        <source>Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="375"/>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="376"/>
        <source>Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="377"/>
        <source>Interlace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="380"/>
        <source>Measurment Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="381"/>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="385"/>
        <source>No Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="382"/>
        <source>Range Only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="383"/>
        <source>Range &amp; Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="384"/>
        <source>Auxiliary Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="386"/>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="388"/>
        <source>Auxiliary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="389"/>
        <source>Gyroscope</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="390"/>
        <source>Accelerometer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="391"/>
        <source>Temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="393"/>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="394"/>
        <source>Disconnect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="395"/>
        <source>Device Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="396"/>
        <source>Reboot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="415"/>
        <source>Horizontal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="417"/>
        <source>Vertical</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="420"/>
        <source>Motor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="422"/>
        <source>Rem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="468"/>
        <source>Connected to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="480"/>
        <source>Diconnected from %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="488"/>
        <source>Failed to connect to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="504"/>
        <source>Connection to %1 lost</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="517"/>
        <source>%1 is ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="551"/>
        <source>Failed to initialize %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="590"/>
        <source>%1 refused interlace %2 (error %3); %4 stays in force</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="602"/>
        <source>Device not connected!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="607"/>
        <source>%1 is still being initialized; reboot it when it is ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="618"/>
        <source>Connection Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="619"/>
        <source>Device Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="620"/>
        <source>Device Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="621"/>
        <source>Product Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="622"/>
        <source>Serial Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="623"/>
        <source>Firmware Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="624"/>
        <source>Protocol Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="630"/>
        <source>Connection Information</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
