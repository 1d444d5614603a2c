<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CameraProperty</name>
    <message>
        <location filename="../../DataSelector/composer/CameraProperty.cpp" line="113"/>
        <source>View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/CameraProperty.cpp" line="114"/>
        <source>Focal Point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/CameraProperty.cpp" line="115"/>
        <source>Distance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/CameraProperty.cpp" line="117"/>
        <source>Yaw</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/CameraProperty.cpp" line="117"/>
        <location filename="../../DataSelector/composer/CameraProperty.cpp" line="118"/>
        <source>[deg]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/CameraProperty.cpp" line="118"/>
        <source>Pitch</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DataFilterProperty</name>
    <message>
        <location filename="../../DataSelector/composer/DataFilterProperty.cpp" line="25"/>
        <source>Filters</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PointCloudProperty</name>
    <message>
        <location filename="../../DataSelector/composer/PointCloudProperty.cpp" line="210"/>
        <source>Point Cloud</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/PointCloudProperty.cpp" line="213"/>
        <source>Point Cloud %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/PointCloudProperty.cpp" line="216"/>
        <source>Show Coordinate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/PointCloudProperty.cpp" line="217"/>
        <source>Position</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/PointCloudProperty.cpp" line="218"/>
        <source>Rotation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/PointCloudProperty.cpp" line="220"/>
        <source>[deg]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/PointCloudProperty.cpp" line="221"/>
        <source>X (Roll)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/PointCloudProperty.cpp" line="221"/>
        <source>Y (Pitch)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/PointCloudProperty.cpp" line="222"/>
        <source>Z (Yaw)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/PointCloudProperty.cpp" line="223"/>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/PointCloudProperty.cpp" line="224"/>
        <source>Emphasis</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SceneComposer</name>
    <message>
        <location filename="../../DataSelector/composer/SceneComposer.cpp" line="169"/>
        <source>Canvas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/SceneComposer.cpp" line="170"/>
        <source>Background Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/SceneComposer.cpp" line="171"/>
        <source>Viewport</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/SceneComposer.cpp" line="172"/>
        <source>No Viewport</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/SceneComposer.cpp" line="173"/>
        <source>Top View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../DataSelector/composer/SceneComposer.cpp" line="186"/>
        <source>Frame Rate</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
