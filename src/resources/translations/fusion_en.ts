<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>FusionProperty</name>
    <message>
        <location filename="../../fusion/property/FusionProperty.cpp" line="47"/>
        <source>Fusion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../fusion/property/FusionProperty.cpp" line="49"/>
        <source>[deg]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../fusion/property/FusionProperty.cpp" line="50"/>
        <source>X (Roll)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../fusion/property/FusionProperty.cpp" line="51"/>
        <source>Y (Pitch)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../fusion/property/FusionProperty.cpp" line="52"/>
        <source>Z (Yaw)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
