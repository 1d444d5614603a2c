<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>CameraProperty</name>
    <message>
        <location filename="../../DataSelector/composer/CameraProperty.cpp" line="113"/>
        <source>View</source>
        <translation>ビュー</translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/CameraProperty.cpp" line="114"/>
        <source>Focal Point</source>
        <translation>注視点</translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/CameraProperty.cpp" line="115"/>
        <source>Distance</source>
        <translation>距離</translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/CameraProperty.cpp" line="117"/>
        <source>Yaw</source>
        <translation>ヨー</translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/CameraProperty.cpp" line="117"/>
        <location filename="../../DataSelector/composer/CameraProperty.cpp" line="118"/>
        <source>[deg]</source>
        <translation>[度]</translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/CameraProperty.cpp" line="118"/>
        <source>Pitch</source>
        <translation>ピッチ</translation>
    </message>
</context>
<context>
    <name>DataFilterProperty</name>
    <message>
        <location filename="../../DataSelector/composer/DataFilterProperty.cpp" line="25"/>
        <source>Filters</source>
        <translation>フィルター</translation>
    </message>
</context>
<context>
    <name>PointCloudProperty</name>
    <message>
        <location filename="../../DataSelector/composer/PointCloudProperty.cpp" line="210"/>
        <source>Point Cloud</source>
        <translation>点群</translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/PointCloudProperty.cpp" line="213"/>
        <source>Point Cloud %1</source>
        <translation>点群 %1</translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/PointCloudProperty.cpp" line="216"/>
        <source>Show Coordinate</source>
        <translation>座標を表示</translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/PointCloudProperty.cpp" line="217"/>
        <source>Position</source>
        <translation>位置</translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/PointCloudProperty.cpp" line="218"/>
        <source>Rotation</source>
        <translation>回転</translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/PointCloudProperty.cpp" line="220"/>
        <source>[deg]</source>
        <translation>[度]</translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/PointCloudProperty.cpp" line="221"/>
        <source>X (Roll)</source>
        <translation>X (ロール)</translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/PointCloudProperty.cpp" line="221"/>
        <source>Y (Pitch)</source>
        <translation>Y (ピッチ)</translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/PointCloudProperty.cpp" line="222"/>
        <source>Z (Yaw)</source>
        <translation>Z (ヨー)</translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/PointCloudProperty.cpp" line="223"/>
        <source>Size</source>
        <translation>サイズ</translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/PointCloudProperty.cpp" line="224"/>
        <source>Emphasis</source>
        <translation>強調</translation>
    </message>
</context>
<context>
    <name>SceneComposer</name>
    <message>
        <location filename="../../DataSelector/composer/SceneComposer.cpp" line="169"/>
        <source>Canvas</source>
        <translation>キャンバス</translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/SceneComposer.cpp" line="170"/>
        <source>Background Color</source>
        <translation>背景色</translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/SceneComposer.cpp" line="171"/>
        <source>Viewport</source>
        <translation>ビューポート</translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/SceneComposer.cpp" line="172"/>
        <source>No Viewport</source>
        <translation>ビューポートなし</translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/SceneComposer.cpp" line="173"/>
        <source>Top View</source>
        <translation>上面図</translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/SceneComposer.cpp" line="186"/>
        <source>Frame Rate</source>
        <translation>フレームレート</translation>
    </message>
</context>
</TS>
