<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AxesFilter</name>
    <message>
        <location filename="../../DataSelector/AxesFilter.h" line="57"/>
        <source>Axes Filter</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AxisDataSelector</name>
    <message>
        <location filename="../../DataSelector/AxisDataSelector.cpp" line="43"/>
        <location filename="../../DataSelector/AxisDataSelector.cpp" line="67"/>
        <source>X Axis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/AxisDataSelector.cpp" line="44"/>
        <location filename="../../DataSelector/AxisDataSelector.cpp" line="68"/>
        <source>Y Axis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/AxisDataSelector.cpp" line="45"/>
        <location filename="../../DataSelector/AxisDataSelector.cpp" line="69"/>
        <source>Z Axis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/AxisDataSelector.h" line="26"/>
        <location filename="../../DataSelector/AxisDataSelector.cpp" line="66"/>
        <source>Axis</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ColorModel</name>
    <message>
        <location filename="../../DataSelector/ColorModel.cpp" line="88"/>
        <source>Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/ColorModel.cpp" line="89"/>
        <source>Scheme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/ColorModel.cpp" line="90"/>
        <source>Source</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ColorScheme</name>
    <message>
        <location filename="../../DataSelector/ColorScheme.cpp" line="71"/>
        <source>Max</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/ColorScheme.cpp" line="72"/>
        <source>Min</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DepthFilter</name>
    <message>
        <location filename="../../DataSelector/AxesFilter.h" line="26"/>
        <source>X Axis Filter</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EchoDataSelector</name>
    <message>
        <location filename="../../DataSelector/ValueDataSelectors.h" line="44"/>
        <location filename="../../DataSelector/ValueDataSelectors.cpp" line="80"/>
        <source>Echo</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EchoFilter</name>
    <message>
        <location filename="../../DataSelector/PointFilters.h" line="37"/>
        <source>Echo Filter</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EmphasisColorModel</name>
    <message>
        <location filename="../../DataSelector/EmphasisColorModel.cpp" line="38"/>
        <source>Datatable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/EmphasisColorModel.cpp" line="39"/>
        <source>Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/EmphasisColorModel.cpp" line="40"/>
        <source>Spot</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FloatMinMaxFilter</name>
    <message>
        <location filename="../../DataSelector/FloatMinMaxFilter.cpp" line="69"/>
        <source>Min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/FloatMinMaxFilter.cpp" line="70"/>
        <source>Max</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GradientColorScheme</name>
    <message>
        <location filename="../../DataSelector/GradientColorScheme.cpp" line="40"/>
        <source>Max Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/GradientColorScheme.cpp" line="41"/>
        <source>Min Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/GradientColorScheme.h" line="13"/>
        <source>Gradient</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GrayColorScheme</name>
    <message>
        <location filename="../../DataSelector/InvertibleColorScheme.h" line="51"/>
        <source>Gray</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HAngleFilter</name>
    <message>
        <location filename="../../DataSelector/PointFilters.h" line="48"/>
        <source>HAngle Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/PointFilters.h" line="52"/>
        <source>deg</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HeightFilter</name>
    <message>
        <location filename="../../DataSelector/AxesFilter.h" line="44"/>
        <source>Z Axis Filter</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HueColorScheme</name>
    <message>
        <location filename="../../DataSelector/InvertibleColorScheme.h" line="35"/>
        <source>Hue</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IntegerMinMaxFilter</name>
    <message>
        <location filename="../../DataSelector/IntegerMinMaxFilter.cpp" line="46"/>
        <source>Min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/IntegerMinMaxFilter.cpp" line="47"/>
        <source>Max</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IntensityDataSelector</name>
    <message>
        <location filename="../../DataSelector/ValueDataSelectors.h" line="28"/>
        <source>Intensity</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InvertibleColorScheme</name>
    <message>
        <location filename="../../DataSelector/InvertibleColorScheme.cpp" line="28"/>
        <source>Inverted</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LevelFilter</name>
    <message>
        <location filename="../../DataSelector/PointFilters.h" line="26"/>
        <source>Level Filter</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LineDataSelector</name>
    <message>
        <location filename="../../DataSelector/ValueDataSelectors.h" line="60"/>
        <location filename="../../DataSelector/ValueDataSelectors.cpp" line="91"/>
        <source>Line</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RangeDataSelector</name>
    <message>
        <location filename="../../DataSelector/ValueDataSelectors.h" line="12"/>
        <source>Range</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RangeFilter</name>
    <message>
        <location filename="../../DataSelector/PointFilters.h" line="12"/>
        <source>Range Filter</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VAngleFilter</name>
    <message>
        <location filename="../../DataSelector/PointFilters.h" line="62"/>
        <source>VAngle Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/PointFilters.h" line="66"/>
        <source>deg</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WidthFilter</name>
    <message>
        <location filename="../../DataSelector/AxesFilter.h" line="35"/>
        <source>Y Axis Filter</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
