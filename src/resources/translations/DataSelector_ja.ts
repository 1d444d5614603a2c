<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>AxesFilter</name>
    <message>
        <location filename="../../DataSelector/AxesFilter.h" line="57"/>
        <source>Axes Filter</source>
        <translation>軸フィルター</translation>
    </message>
</context>
<context>
    <name>AxisDataSelector</name>
    <message>
        <location filename="../../DataSelector/AxisDataSelector.cpp" line="43"/>
        <location filename="../../DataSelector/AxisDataSelector.cpp" line="67"/>
        <source>X Axis</source>
        <translation>X軸</translation>
    </message>
    <message>
        <location filename="../../DataSelector/AxisDataSelector.cpp" line="44"/>
        <location filename="../../DataSelector/AxisDataSelector.cpp" line="68"/>
        <source>Y Axis</source>
        <translation>Y軸</translation>
    </message>
    <message>
        <location filename="../../DataSelector/AxisDataSelector.cpp" line="45"/>
        <location filename="../../DataSelector/AxisDataSelector.cpp" line="69"/>
        <source>Z Axis</source>
        <translation>Z軸</translation>
    </message>
    <message>
        <location filename="../../DataSelector/AxisDataSelector.h" line="26"/>
        <location filename="../../DataSelector/AxisDataSelector.cpp" line="66"/>
        <source>Axis</source>
        <translation>軸</translation>
    </message>
</context>
<context>
    <name>ColorModel</name>
    <message>
        <location filename="../../DataSelector/ColorModel.cpp" line="88"/>
        <source>Color</source>
        <translation>色</translation>
    </message>
    <message>
        <location filename="../../DataSelector/ColorModel.cpp" line="89"/>
        <source>Scheme</source>
        <translation>配色</translation>
    </message>
    <message>
        <location filename="../../DataSelector/ColorModel.cpp" line="90"/>
        <source>Source</source>
        <translation>データ源</translation>
    </message>
</context>
<context>
    <name>ColorScheme</name>
    <message>
        <location filename="../../DataSelector/ColorScheme.cpp" line="71"/>
        <source>Max</source>
        <translation>最大</translation>
    </message>
    <message>
        <location filename="../../DataSelector/ColorScheme.cpp" line="72"/>
        <source>Min</source>
        <translation>最小</translation>
    </message>
</context>
<context>
    <name>DepthFilter</name>
    <message>
        <location filename="../../DataSelector/AxesFilter.h" line="26"/>
        <source>X Axis Filter</source>
        <translation>X軸フィルター</translation>
    </message>
</context>
<context>
    <name>EchoDataSelector</name>
    <message>
        <location filename="../../DataSelector/ValueDataSelectors.h" line="44"/>
        <location filename="../../DataSelector/ValueDataSelectors.cpp" line="80"/>
        <source>Echo</source>
        <translation>エコー</translation>
    </message>
</context>
<context>
    <name>EchoFilter</name>
    <message>
        <location filename="../../DataSelector/PointFilters.h" line="37"/>
        <source>Echo Filter</source>
        <translation>エコーフィルター</translation>
    </message>
</context>
<context>
    <name>EmphasisColorModel</name>
    <message>
        <location filename="../../DataSelector/EmphasisColorModel.cpp" line="38"/>
        <source>Datatable</source>
        <translation>データテーブル</translation>
    </message>
    <message>
        <location filename="../../DataSelector/EmphasisColorModel.cpp" line="39"/>
        <source>Line</source>
        <translation>ライン</translation>
    </message>
    <message>
        <location filename="../../DataSelector/EmphasisColorModel.cpp" line="40"/>
        <source>Spot</source>
        <translation>スポット</translation>
    </message>
</context>
<context>
    <name>FloatMinMaxFilter</name>
    <message>
        <location filename="../../DataSelector/FloatMinMaxFilter.cpp" line="69"/>
        <source>Min</source>
        <translation>最小</translation>
    </message>
    <message>
        <location filename="../../DataSelector/FloatMinMaxFilter.cpp" line="70"/>
        <source>Max</source>
        <translation>最大</translation>
    </message>
</context>
<context>
    <name>GradientColorScheme</name>
    <message>
        <location filename="../../DataSelector/GradientColorScheme.cpp" line="40"/>
        <source>Max Color</source>
        <translation>最大色</translation>
    </message>
    <message>
        <location filename="../../DataSelector/GradientColorScheme.cpp" line="41"/>
        <source>Min Color</source>
        <translation>最小色</translation>
    </message>
    <message>
        <location filename="../../DataSelector/GradientColorScheme.h" line="13"/>
        <source>Gradient</source>
        <translation>グラデーション</translation>
    </message>
</context>
<context>
    <name>GrayColorScheme</name>
    <message>
        <location filename="../../DataSelector/InvertibleColorScheme.h" line="51"/>
        <source>Gray</source>
        <translation>グレー</translation>
    </message>
</context>
<context>
    <name>HAngleFilter</name>
    <message>
        <location filename="../../DataSelector/PointFilters.h" line="48"/>
        <source>HAngle Filter</source>
        <translation>水平角フィルター</translation>
    </message>
    <message>
        <location filename="../../DataSelector/PointFilters.h" line="52"/>
        <source>deg</source>
        <translation>度</translation>
    </message>
</context>
<context>
    <name>HeightFilter</name>
    <message>
        <location filename="../../DataSelector/AxesFilter.h" line="44"/>
        <source>Z Axis Filter</source>
        <translation>Z軸フィルター</translation>
    </message>
</context>
<context>
    <name>HueColorScheme</name>
    <message>
        <location filename="../../DataSelector/InvertibleColorScheme.h" line="35"/>
        <source>Hue</source>
        <translation>色相</translation>
    </message>
</context>
<context>
    <name>IntegerMinMaxFilter</name>
    <message>
        <location filename="../../DataSelector/IntegerMinMaxFilter.cpp" line="46"/>
        <source>Min</source>
        <translation>最小</translation>
    </message>
    <message>
        <location filename="../../DataSelector/IntegerMinMaxFilter.cpp" line="47"/>
        <source>Max</source>
        <translation>最大</translation>
    </message>
</context>
<context>
    <name>IntensityDataSelector</name>
    <message>
        <location filename="../../DataSelector/ValueDataSelectors.h" line="28"/>
        <source>Intensity</source>
        <translation>強度</translation>
    </message>
</context>
<context>
    <name>InvertibleColorScheme</name>
    <message>
        <location filename="../../DataSelector/InvertibleColorScheme.cpp" line="28"/>
        <source>Inverted</source>
        <translation>反転</translation>
    </message>
</context>
<context>
    <name>LevelFilter</name>
    <message>
        <location filename="../../DataSelector/PointFilters.h" line="26"/>
        <source>Level Filter</source>
        <translation>レベルフィルター</translation>
    </message>
</context>
<context>
    <name>LineDataSelector</name>
    <message>
        <location filename="../../DataSelector/ValueDataSelectors.h" line="60"/>
        <location filename="../../DataSelector/ValueDataSelectors.cpp" line="91"/>
        <source>Line</source>
        <translation>ライン</translation>
    </message>
</context>
<context>
    <name>RangeDataSelector</name>
    <message>
        <location filename="../../DataSelector/ValueDataSelectors.h" line="12"/>
        <source>Range</source>
        <translation>距離</translation>
    </message>
</context>
<context>
    <name>RangeFilter</name>
    <message>
        <location filename="../../DataSelector/PointFilters.h" line="12"/>
        <source>Range Filter</source>
        <translation>距離フィルター</translation>
    </message>
</context>
<context>
    <name>VAngleFilter</name>
    <message>
        <location filename="../../DataSelector/PointFilters.h" line="62"/>
        <source>VAngle Filter</source>
        <translation>垂直角フィルター</translation>
    </message>
    <message>
        <location filename="../../DataSelector/PointFilters.h" line="66"/>
        <source>deg</source>
        <translation>度</translation>
    </message>
</context>
<context>
    <name>WidthFilter</name>
    <message>
        <location filename="../../DataSelector/AxesFilter.h" line="35"/>
        <source>Y Axis Filter</source>
        <translation>Y軸フィルター</translation>
    </message>
</context>
</TS>
