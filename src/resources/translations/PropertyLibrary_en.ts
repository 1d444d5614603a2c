<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>FileProperty</name>
    <message>
        <location filename="../../PropertyLibrary/FileProperty.cpp" line="11"/>
        <location filename="../../PropertyLibrary/FileProperty.cpp" line="79"/>
        <source>Select file!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../PropertyLibrary/FileProperty.cpp" line="12"/>
        <location filename="../../PropertyLibrary/FileProperty.cpp" line="84"/>
        <source>All files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../PropertyLibrary/FileProperty.cpp" line="101"/>
        <location filename="../../PropertyLibrary/FileProperty.cpp" line="104"/>
        <source>Select a file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FolderProperty</name>
    <message>
        <location filename="../../PropertyLibrary/FolderProperty.cpp" line="11"/>
        <location filename="../../PropertyLibrary/FolderProperty.cpp" line="42"/>
        <source>Select folder!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../PropertyLibrary/FolderProperty.cpp" line="60"/>
        <source>Select folder</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PropertiesDockWidget</name>
    <message>
        <location filename="../../PropertyLibrary/PropertiesDockWidget.cpp" line="56"/>
        <location filename="../../PropertyLibrary/PropertiesDockWidget.cpp" line="259"/>
        <location filename="../../PropertyLibrary/PropertiesDockWidget.cpp" line="260"/>
        <source>Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../PropertyLibrary/PropertiesDockWidget.cpp" line="84"/>
        <location filename="../../PropertyLibrary/PropertiesDockWidget.cpp" line="141"/>
        <location filename="../../PropertyLibrary/PropertiesDockWidget.cpp" line="252"/>
        <location filename="../../PropertyLibrary/PropertiesDockWidget.cpp" line="253"/>
        <source>Save Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../PropertyLibrary/PropertiesDockWidget.cpp" line="91"/>
        <location filename="../../PropertyLibrary/PropertiesDockWidget.cpp" line="257"/>
        <location filename="../../PropertyLibrary/PropertiesDockWidget.cpp" line="258"/>
        <source>Expand Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../PropertyLibrary/PropertiesDockWidget.cpp" line="135"/>
        <source>Ini file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../PropertyLibrary/PropertiesDockWidget.cpp" line="160"/>
        <location filename="../../PropertyLibrary/PropertiesDockWidget.cpp" line="254"/>
        <location filename="../../PropertyLibrary/PropertiesDockWidget.cpp" line="255"/>
        <location filename="../../PropertyLibrary/PropertiesDockWidget.cpp" line="256"/>
        <source>Load Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../PropertyLibrary/PropertiesDockWidget.cpp" line="208"/>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 in %3 is not one of the choices; %4 is kept</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PropertyItem</name>
    <message>
        <location filename="../../PropertyLibrary/PropertyItem.cpp" line="28"/>
        <location filename="../../PropertyLibrary/PropertyItem.cpp" line="137"/>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SearchFieldWidget</name>
    <message>
        <location filename="../../PropertyLibrary/SearchFieldWidget.cpp" line="13"/>
        <location filename="../../PropertyLibrary/SearchFieldWidget.cpp" line="33"/>
        <source>Search...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Vector3DProperty</name>
    <message>
        <location filename="../../PropertyLibrary/Vector3DProperty.cpp" line="111"/>
        <source>X [m]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../PropertyLibrary/Vector3DProperty.cpp" line="112"/>
        <source>Y [m]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../PropertyLibrary/Vector3DProperty.cpp" line="113"/>
        <source>Z [m]</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
