<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>TForm1</name>
    <message>
        <source>CALL Suchen</source>
        <translation>Call Suchen</translation>
    </message>
    <message>
        <source>Beenden</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>QSOs:</source>
        <comment>the search's count</comment>
        <translation>QSOs</translation>
    </message>
    <message>
        <source>Zurück</source>
        <translation>Zurück</translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>change data</source>
        <translation>Daten Ändern</translation>
    </message>
    <message>
        <source>eQSL send</source>
        <translation>eQSL senden</translation>
    </message>
    <message>
        <source>modification save</source>
        <translation>Änderung speichern</translation>
    </message>
    <message>
        <source>exit</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>TConfiguration</name>
    <message>
        <source>Beenden</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>TForm3</name>
    <message>
        <source>Änderungen übernehmen</source>
        <comment>created</comment>
        <translation>Ändern</translation>
    </message>
    <message>
        <source>Änderungen übernehmen</source>
        <comment>opened</comment>
        <translation>Änderungen übernehmen</translation>
    </message>
</context>
<context>
    <name>TForm7</name>
    <message>
        <source>neues QSO speichern</source>
        <comment>created</comment>
        <translation>neues QSO speichern</translation>
    </message>
    <message>
        <source>neues QSO speichern</source>
        <comment>opened</comment>
        <translation>neues QSO speichern</translation>
    </message>
</context>
<context>
    <name>QsoEntryForm</name>
    <message>
        <source>Beenden</source>
        <comment>created</comment>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Beenden</source>
        <comment>opened</comment>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>ACHTUNG:</source>
        <comment>created</comment>
        <translation>Achtung:</translation>
    </message>
    <message>
        <source>ACHTUNG:</source>
        <comment>opened</comment>
        <translation>Achtung:</translation>
    </message>
    <message>
        <source>Alle Eingaben mit &gt;ENTER&lt; bestätigen!</source>
        <comment>created</comment>
        <translation>alle Eingaben mit ENTER bestätigen!</translation>
    </message>
    <message>
        <source>Alle Eingaben mit &gt;ENTER&lt; bestätigen!</source>
        <comment>opened</comment>
        <translation>alle Eingaben mit &gt;ENTER&lt; bestätigen!</translation>
    </message>
</context>
<context>
    <name>Rewrite</name>
    <message>
        <source>%1 is a link that leads to no file (%2)</source>
        <translation>%1 ist ein Verweis, der zu keiner Datei führt (%2)</translation>
    </message>
    <message>
        <source>another program</source>
        <translation>ein anderes Programm</translation>
    </message>
    <message>
        <source>process %1</source>
        <translation>Prozess %1</translation>
    </message>
    <message>
        <source>%1, process %2</source>
        <translation>%1, Prozess %2</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 is not a file but a folder, a pipe, a device or a socket</source>
        <translation>%1 ist keine Datei, sondern ein Ordner, eine Pipe, ein Gerät oder ein Socket</translation>
    </message>
    <message>
        <source>%1 is being saved by %2; nothing was written, please try again</source>
        <translation>%1 wird gerade von %2 gespeichert; es wurde nichts geschrieben, bitte noch einmal versuchen</translation>
    </message>
    <message>
        <source>its owner and group (%1)</source>
        <translation>ihren Eigentümer und ihre Gruppe (%1)</translation>
    </message>
    <message>
        <source>its permissions (%1)</source>
        <translation>ihre Zugriffsrechte (%1)</translation>
    </message>
    <message>
        <source>its extended attributes (%1)</source>
        <translation>ihre erweiterten Attribute (%1)</translation>
    </message>
    <message>
        <source>its attribute %1 (%2)</source>
        <translation>ihr Attribut %1 (%2)</translation>
    </message>
    <message>
        <source>the QSO with %1 on %2 at %3</source>
        <translation>das QSO mit %1 am %2 um %3</translation>
    </message>
    <message>
        <source>%1 was changed or removed by another program since the log was loaded; your change to it was not written</source>
        <translation>%1 wurde seit dem Laden von einem anderen Programm geändert oder entfernt; Ihre Änderung daran wurde nicht geschrieben</translation>
    </message>
    <message>
        <source>no logbook file is set</source>
        <translation>keine Logdatei eingestellt</translation>
    </message>
    <message>
        <source>%1 is no longer there</source>
        <translation>%1 ist nicht mehr da</translation>
    </message>
    <message>
        <source>%1 is read-only; it was not replaced. Allow writing to it to save</source>
        <translation>%1 ist schreibgeschützt und wurde nicht ersetzt. Zum Speichern bitte Schreiben erlauben</translation>
    </message>
    <message>
        <source>%1 has %2 names (hard links); replacing it would part them, so nothing was written. Open the log through one name only (a symbolic link is fine)</source>
        <translation>%1 hat %2 Namen (harte Verweise); sie zu ersetzen würde sie trennen, daher wurde nichts geschrieben. Bitte das Logbuch nur unter einem Namen öffnen (ein symbolischer Verweis geht)</translation>
    </message>
    <message>
        <source>%1 appeared since the log was loaded</source>
        <translation>%1 ist seit dem Laden neu entstanden</translation>
    </message>
    <message>
        <source>%1 changed on disk since it was loaded</source>
        <translation>%1 wurde seit dem Laden auf der Platte geändert</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>%1 was not replaced: the new file could not keep %2</source>
        <translation>%1 wurde nicht ersetzt: die neue Datei konnte %2 nicht behalten</translation>
    </message>
</context>
<context>
    <name>Loader</name>
    <message>
        <source>no logbook file is set</source>
        <translation>keine Logdatei eingestellt</translation>
    </message>
    <message>
        <source>there is no such file</source>
        <translation>diese Datei gibt es nicht</translation>
    </message>
    <message>
        <source>is a folder, not a file</source>
        <translation>ist ein Ordner, keine Datei</translation>
    </message>
    <message>
        <source>it is not a file but a pipe, a device or a socket</source>
        <translation>es ist keine Datei, sondern eine Pipe, ein Gerät oder ein Socket</translation>
    </message>
    <message>
        <source>the file is larger than 2 GiB</source>
        <translation>die Datei ist größer als 2 GiB</translation>
    </message>
</context>
<context>
    <name>OrphanLog</name>
    <message>
        <source>A QSO that another program wrote into the replaced logbook file could not be added to %1 (%2). It is kept and tried again while Vosmira runs; please free space on the disk.</source>
        <translation>Ein QSO, das ein anderes Programm in die ersetzte Logdatei geschrieben hat, konnte nicht zu %1 hinzugefügt werden (%2). Es bleibt erhalten und wird erneut versucht, solange Vosmira läuft; bitte Platz auf der Platte schaffen.</translation>
    </message>
</context>
</TS>
