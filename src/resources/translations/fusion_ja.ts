<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>FusionProperty</name>
    <message>
        <location filename="../../fusion/property/FusionProperty.cpp" line="47"/>
        <source>Fusion</source>
        <translation>フュージョン</translation>
    </message>
    <message>
        <location filename="../../fusion/property/FusionProperty.cpp" line="49"/>
        <source>[deg]</source>
        <translation>[度]</translation>
    </message>
    <message>
        <location filename="../../fusion/property/FusionProperty.cpp" line="50"/>
        <source>X (Roll)</source>
        <translation>X (ロール)</translation>
    </message>
    <message>
        <location filename="../../fusion/property/FusionProperty.cpp" line="51"/>
        <source>Y (Pitch)</source>
        <translation>Y (ピッチ)</translation>
    </message>
    <message>
        <location filename="../../fusion/property/FusionProperty.cpp" line="52"/>
        <source>Z (Yaw)</source>
        <translation>Z (ヨー)</translation>
    </message>
</context>
</TS>
