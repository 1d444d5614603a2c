<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ColorLegendLayer</name>
    <message>
        <location filename="../../render/ColorLegendLayer.cpp" line="29"/>
        <location filename="../../render/ColorLegendLayer.cpp" line="44"/>
        <source>Top</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../render/ColorLegendLayer.cpp" line="30"/>
        <location filename="../../render/ColorLegendLayer.cpp" line="45"/>
        <source>Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../render/ColorLegendLayer.cpp" line="31"/>
        <location filename="../../render/ColorLegendLayer.cpp" line="46"/>
        <source>Bottom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../render/ColorLegendLayer.cpp" line="32"/>
        <location filename="../../render/ColorLegendLayer.cpp" line="47"/>
        <source>Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../render/ColorLegendLayer.cpp" line="33"/>
        <location filename="../../render/ColorLegendLayer.cpp" line="42"/>
        <source>Legend</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../render/ColorLegendLayer.cpp" line="237"/>
        <source>no level data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../render/ColorLegendLayer.cpp" line="237"/>
        <source>%1: no level data</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
