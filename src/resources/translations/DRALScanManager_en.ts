<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AuxiliaryReadout</name>
    <message>
        <location filename="../../DRALCommunication/controller/AuxiliaryReadout.cpp" line="55"/>
        <source>Gyroscope</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/AuxiliaryReadout.cpp" line="55"/>
        <source>[deg/s]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/AuxiliaryReadout.cpp" line="56"/>
        <source>Accelerometer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/AuxiliaryReadout.cpp" line="56"/>
        <source>[G]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/AuxiliaryReadout.cpp" line="57"/>
        <source>Temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/AuxiliaryReadout.cpp" line="57"/>
        <source>[°C]</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DRALScanManager</name>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="235"/>
        <source>3D LiDAR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="274"/>
        <source>Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="275"/>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="276"/>
        <source>Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="277"/>
        <source>Interlace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="280"/>
        <source>Measurment Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="281"/>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="285"/>
        <source>No Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="282"/>
        <source>Range Only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="283"/>
        <source>Range &amp; Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="284"/>
        <source>Auxiliary Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="286"/>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="288"/>
        <source>Auxiliary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="291"/>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="292"/>
        <source>Disconnect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="293"/>
        <source>Device Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="294"/>
        <source>Reboot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="311"/>
        <source>Horizontal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="313"/>
        <source>Vertical</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="316"/>
        <source>Motor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="318"/>
        <source>Rem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="350"/>
        <source>No sensor address to connect to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="353"/>
        <source>%1 is not a sensor address (a numeric IPv4 address or localhost)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="356"/>
        <source>Invalid port in %1 (allowed: %2 to %3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="387"/>
        <source>Connecting to %1:%2 ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="414"/>
        <source>Connected to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="426"/>
        <source>Diconnected from %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="438"/>
        <source>Failed to connect to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="455"/>
        <source>Connection to %1 lost</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="466"/>
        <source>%1 is ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="500"/>
        <source>Failed to initialize %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="539"/>
        <source>%1 refused interlace %2 (error %3); %4 stays in force</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="551"/>
        <source>Device not connected!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="556"/>
        <source>%1 is still being initialized; reboot it when it is ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DeviceInformation.cpp" line="53"/>
        <source>Connection Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DeviceInformation.cpp" line="54"/>
        <source>Device Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DeviceInformation.cpp" line="55"/>
        <source>Device Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DeviceInformation.cpp" line="56"/>
        <source>Product Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DeviceInformation.cpp" line="57"/>
        <source>Serial Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DeviceInformation.cpp" line="58"/>
        <source>Firmware Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DeviceInformation.cpp" line="59"/>
        <source>Protocol Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="569"/>
        <source>Connection Information</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
