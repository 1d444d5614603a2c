<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>T3dToCsvConverter</name>
    <message>
        <location filename="../../T3dToCsvConverter/T3dToCsvConverter.cpp" line="87"/>
        <source>Taviro3DFile:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../T3dToCsvConverter/T3dToCsvConverter.cpp" line="88"/>
        <source>Convert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../T3dToCsvConverter/T3dToCsvConverter.cpp" line="89"/>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../T3dToCsvConverter/T3dToCsvConverter.cpp" line="90"/>
        <source>Taviro3DFile To CSV Converter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../T3dToCsvConverter/T3dToCsvConverter.cpp" line="102"/>
        <source>Select a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../T3dToCsvConverter/T3dToCsvConverter.cpp" line="103"/>
        <source>Taviro3D File (*.vbl *.t3d)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../T3dToCsvConverter/T3dToCsvConverter.cpp" line="134"/>
        <location filename="../../T3dToCsvConverter/T3dToCsvConverter.cpp" line="155"/>
        <source>Conversion file could not be created.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../T3dToCsvConverter/T3dToCsvConverter.cpp" line="153"/>
        <source>Conversion file created successfully.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../T3dToCsvConverter/T3dToCsvConverter.cpp" line="181"/>
        <source>The application is quitting.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../T3dToCsvConverter/T3dToCsvConverter.cpp" line="182"/>
        <source>Do you want to interrupt the file conversion?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
