<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ConnectionManager</name>
    <message>
        <location filename="../../connection/ConnectionManager.cpp" line="15"/>
        <location filename="../../connection/ConnectionManager.cpp" line="222"/>
        <source>Connections</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../connection/ConnectionManager.cpp" line="63"/>
        <location filename="../../connection/ConnectionManager.cpp" line="237"/>
        <source>Connection %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../connection/ConnectionManager.cpp" line="120"/>
        <location filename="../../connection/ConnectionManager.cpp" line="123"/>
        <location filename="../../connection/ConnectionManager.cpp" line="126"/>
        <source>Connection %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../connection/ConnectionManager.cpp" line="225"/>
        <location filename="../../connection/ConnectionManager.cpp" line="226"/>
        <source>Add Connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../connection/ConnectionManager.cpp" line="227"/>
        <location filename="../../connection/ConnectionManager.cpp" line="228"/>
        <source>Remove Connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../connection/ConnectionManager.cpp" line="229"/>
        <location filename="../../connection/ConnectionManager.cpp" line="230"/>
        <source>Connect All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../connection/ConnectionManager.cpp" line="231"/>
        <location filename="../../connection/ConnectionManager.cpp" line="232"/>
        <source>Disconnect All</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
