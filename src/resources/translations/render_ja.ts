<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>ColorLegendLayer</name>
    <message>
        <location filename="../../render/ColorLegendLayer.cpp" line="29"/>
        <location filename="../../render/ColorLegendLayer.cpp" line="44"/>
        <source>Top</source>
        <translation>上</translation>
    </message>
    <message>
        <location filename="../../render/ColorLegendLayer.cpp" line="30"/>
        <location filename="../../render/ColorLegendLayer.cpp" line="45"/>
        <source>Left</source>
        <translation>左</translation>
    </message>
    <message>
        <location filename="../../render/ColorLegendLayer.cpp" line="31"/>
        <location filename="../../render/ColorLegendLayer.cpp" line="46"/>
        <source>Bottom</source>
        <translation>下</translation>
    </message>
    <message>
        <location filename="../../render/ColorLegendLayer.cpp" line="32"/>
        <location filename="../../render/ColorLegendLayer.cpp" line="47"/>
        <source>Right</source>
        <translation>右</translation>
    </message>
    <message>
        <location filename="../../render/ColorLegendLayer.cpp" line="33"/>
        <location filename="../../render/ColorLegendLayer.cpp" line="42"/>
        <source>Legend</source>
        <translation>凡例</translation>
    </message>
    <message>
        <location filename="../../render/ColorLegendLayer.cpp" line="237"/>
        <source>no level data</source>
        <translation>強度データなし</translation>
    </message>
    <message>
        <location filename="../../render/ColorLegendLayer.cpp" line="237"/>
        <source>%1: no level data</source>
        <translation>%1: 強度データなし</translation>
    </message>
</context>
</TS>
