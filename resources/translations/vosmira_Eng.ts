<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>Country</name>
    <message>
        <source>Irland</source>
        <translation>Ireland</translation>
    </message>
    <message>
        <source>Georgien</source>
        <translation>Georgia</translation>
    </message>
    <message>
        <source>Neuseeland</source>
        <translation>New Zealand</translation>
    </message>
    <message>
        <source>Argentinia</source>
        <translation>Argentina</translation>
    </message>
    <message>
        <source>Aserbaijan</source>
        <translation>Azerbaijan</translation>
    </message>
</context>
</TS>
