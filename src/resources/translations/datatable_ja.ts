<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>DRALTableModel</name>
    <message>
        <location filename="../../datatable/DRALTableModel.cpp" line="109"/>
        <source>Frame</source>
        <translation>フレーム</translation>
    </message>
    <message>
        <location filename="../../datatable/DRALTableModel.cpp" line="111"/>
        <source>Horizontal-Field</source>
        <translation>水平フィールド</translation>
    </message>
    <message>
        <location filename="../../datatable/DRALTableModel.cpp" line="111"/>
        <source>Motor-Field</source>
        <translation>モーターフィールド</translation>
    </message>
    <message>
        <location filename="../../datatable/DRALTableModel.cpp" line="113"/>
        <source>Vertical-Field</source>
        <translation>垂直フィールド</translation>
    </message>
    <message>
        <location filename="../../datatable/DRALTableModel.cpp" line="113"/>
        <source>ReM-Field</source>
        <translation>ReMフィールド</translation>
    </message>
    <message>
        <location filename="../../datatable/DRALTableModel.cpp" line="115"/>
        <source>Line</source>
        <translation>ライン</translation>
    </message>
    <message>
        <location filename="../../datatable/DRALTableModel.cpp" line="117"/>
        <source>Spot</source>
        <translation>スポット</translation>
    </message>
    <message>
        <location filename="../../datatable/DRALTableModel.cpp" line="119"/>
        <source>Echo</source>
        <translation>エコー</translation>
    </message>
    <message>
        <location filename="../../datatable/DRALTableModel.cpp" line="121"/>
        <source>Range[m]</source>
        <translation>距離[m]</translation>
    </message>
    <message>
        <location filename="../../datatable/DRALTableModel.cpp" line="123"/>
        <source>Level</source>
        <translation>レベル</translation>
    </message>
    <message>
        <location filename="../../datatable/DRALTableModel.cpp" line="125"/>
        <source>V-Angle[deg]</source>
        <translation>垂直角度[度]</translation>
    </message>
    <message>
        <location filename="../../datatable/DRALTableModel.cpp" line="127"/>
        <source>H-Angle[deg]</source>
        <translation>水平角度[度]</translation>
    </message>
    <message>
        <location filename="../../datatable/DRALTableModel.cpp" line="129"/>
        <source>X[m]</source>
        <translation>X[m]</translation>
    </message>
    <message>
        <location filename="../../datatable/DRALTableModel.cpp" line="131"/>
        <source>Y[m]</source>
        <translation>Y[m]</translation>
    </message>
    <message>
        <location filename="../../datatable/DRALTableModel.cpp" line="133"/>
        <source>Z[m]</source>
        <translation>Z[m]</translation>
    </message>
</context>
<context>
    <name>DRALTableView</name>
    <message>
        <location filename="../../datatable/DRALTableView.cpp" line="37"/>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
</context>
<context>
    <name>DataTableDockWidget</name>
    <message>
        <location filename="../../datatable/DataTableDockWidget.cpp" line="148"/>
        <source>Data Table</source>
        <translation>データテーブル</translation>
    </message>
    <message>
        <location filename="../../datatable/DataTableDockWidget.cpp" line="150"/>
        <source>Horizontal-Field</source>
        <translation>水平フィールド</translation>
    </message>
    <message>
        <location filename="../../datatable/DataTableDockWidget.cpp" line="150"/>
        <source>Motor-Field</source>
        <translation>モーターフィールド</translation>
    </message>
    <message>
        <location filename="../../datatable/DataTableDockWidget.cpp" line="151"/>
        <source>Vertical-Field</source>
        <translation>垂直フィールド</translation>
    </message>
    <message>
        <location filename="../../datatable/DataTableDockWidget.cpp" line="151"/>
        <source>Rem-Field</source>
        <translation>Remフィールド</translation>
    </message>
    <message>
        <location filename="../../datatable/DataTableDockWidget.cpp" line="153"/>
        <source>Timestamp</source>
        <translation>タイムスタンプ</translation>
    </message>
    <message>
        <location filename="../../datatable/DataTableDockWidget.cpp" line="156"/>
        <location filename="../../datatable/DataTableDockWidget.cpp" line="160"/>
        <source>Line</source>
        <translation>ライン</translation>
    </message>
    <message>
        <location filename="../../datatable/DataTableDockWidget.cpp" line="161"/>
        <source>Spot</source>
        <translation>スポット</translation>
    </message>
    <message>
        <location filename="../../datatable/DataTableDockWidget.cpp" line="162"/>
        <source>Display range(spot)</source>
        <translation>表示範囲(スポット)</translation>
    </message>
    <message>
        <location filename="../../datatable/DataTableDockWidget.cpp" line="163"/>
        <source>Pause</source>
        <translation>一時停止</translation>
    </message>
    <message>
        <location filename="../../datatable/DataTableDockWidget.cpp" line="164"/>
        <source>Clear</source>
        <translation>クリア</translation>
    </message>
    <message>
        <location filename="../../datatable/DataTableDockWidget.cpp" line="165"/>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
</context>
</TS>
