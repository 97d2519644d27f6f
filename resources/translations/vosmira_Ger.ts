<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Qsl</name>
    <message>
        <source>no D-Bus session is running</source>
        <translation>es läuft keine D-Bus-Sitzung</translation>
    </message>
    <message>
        <source>%1 cannot be read</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>No secret store is running: the QSL passwords are kept in %1, readable by you only.</source>
        <translation>Es läuft kein Schlüsselbund: die QSL-Passwörter liegen in %1, nur für Sie lesbar.</translation>
    </message>
    <message>
        <source>eQSL&apos;s reply has no result line</source>
        <translation>die Antwort von eQSL hat keine Ergebniszeile</translation>
    </message>
    <message>
        <source>eQSL added %1 of %2 records and did not say which</source>
        <translation>eQSL hat %1 von %2 Einträgen übernommen und nicht gesagt, welche</translation>
    </message>
    <message>
        <source>eQSL had it already</source>
        <translation>eQSL hatte es schon</translation>
    </message>
    <message>
        <source>the QSO lacks its call, date, time, band or mode</source>
        <translation>dem QSO fehlt Rufzeichen, Datum, Zeit, Band oder Betriebsart</translation>
    </message>
    <message>
        <source>eQSL: %1 of %2 QSOs sent</source>
        <translation>eQSL: %1 von %2 QSOs gesendet</translation>
    </message>
    <message>
        <source>eQSL: %1 (%2 of %3 QSOs sent)</source>
        <translation>eQSL: %1 (%2 von %3 QSOs gesendet)</translation>
    </message>
    <message>
        <source>eQSL: sending part %1 of %2</source>
        <translation>eQSL: sende Teil %1 von %2</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <source>eQSL: asking for the confirmations</source>
        <translation>eQSL: frage nach den Bestätigungen</translation>
    </message>
    <message>
        <source>eQSL: %1</source>
        <translation>eQSL: %1</translation>
    </message>
    <message>
        <source>eQSL: no new confirmations</source>
        <translation>eQSL: keine neuen Bestätigungen</translation>
    </message>
    <message>
        <source>eQSL: the user name or the password is wrong</source>
        <translation>eQSL: Benutzername oder Passwort falsch</translation>
    </message>
    <message>
        <source>eQSL: the account&apos;s call is not known to eQSL</source>
        <translation>eQSL: das Rufzeichen des Kontos ist bei eQSL unbekannt</translation>
    </message>
    <message>
        <source>eQSL: the reply names no file to fetch</source>
        <translation>eQSL: die Antwort nennt keine Datei zum Abholen</translation>
    </message>
    <message>
        <source>eQSL: fetching the confirmations</source>
        <translation>eQSL: hole die Bestätigungen</translation>
    </message>
    <message>
        <source>eQSL: the file of confirmations ended early; nothing is marked</source>
        <translation>eQSL: die Datei der Bestätigungen endete zu früh; nichts wird markiert</translation>
    </message>
    <message>
        <source>eQSL: %1 confirmations received</source>
        <translation>eQSL: %1 Bestätigungen empfangen</translation>
    </message>
    <message>
        <source>all QSOs were signed and uploaded</source>
        <translation>alle QSOs wurden signiert und hochgeladen</translation>
    </message>
    <message>
        <source>the upload was cancelled in TrustedQSL</source>
        <translation>das Hochladen wurde in TrustedQSL abgebrochen</translation>
    </message>
    <message>
        <source>LoTW rejected the log</source>
        <translation>LoTW hat das Log abgelehnt</translation>
    </message>
    <message>
        <source>LoTW gave an unexpected answer</source>
        <translation>LoTW gab eine unerwartete Antwort</translation>
    </message>
    <message>
        <source>TrustedQSL failed</source>
        <translation>TrustedQSL ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>TrustedQSL&apos;s signing library failed (certificate or key)</source>
        <translation>die Signierbibliothek von TrustedQSL ist fehlgeschlagen (Zertifikat oder Schlüssel)</translation>
    </message>
    <message>
        <source>TrustedQSL could not open the upload file</source>
        <translation>TrustedQSL konnte die Upload-Datei nicht öffnen</translation>
    </message>
    <message>
        <source>TrustedQSL could not write its output file</source>
        <translation>TrustedQSL konnte seine Ausgabedatei nicht schreiben</translation>
    </message>
    <message>
        <source>no QSO was new: all were duplicates or outside the date range</source>
        <translation>kein QSO war neu: alle waren Duplikate oder außerhalb des Datumsbereichs</translation>
    </message>
    <message>
        <source>some QSOs were uploaded, the others were duplicates or outside the date range</source>
        <translation>einige QSOs wurden hochgeladen, die übrigen waren Duplikate oder außerhalb des Datumsbereichs</translation>
    </message>
    <message>
        <source>TrustedQSL did not understand its arguments</source>
        <translation>TrustedQSL hat seine Argumente nicht verstanden</translation>
    </message>
    <message>
        <source>LoTW could not be reached</source>
        <translation>LoTW war nicht erreichbar</translation>
    </message>
    <message>
        <source>TrustedQSL ended with code %1</source>
        <translation>TrustedQSL endete mit Code %1</translation>
    </message>
    <message>
        <source>LoTW: no station location is set</source>
        <translation>LoTW: kein Stationsstandort eingetragen</translation>
    </message>
    <message>
        <source>LoTW: every QSO has been uploaded already</source>
        <translation>LoTW: alle QSOs sind schon hochgeladen</translation>
    </message>
    <message>
        <source>LoTW: no QSO can be uploaded</source>
        <translation>LoTW: kein QSO kann hochgeladen werden</translation>
    </message>
    <message>
        <source>LoTW: the upload file could not be written: %1</source>
        <translation>LoTW: die Upload-Datei konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>LoTW: TrustedQSL signs and uploads %1 QSOs</source>
        <translation>LoTW: TrustedQSL signiert %1 QSOs und lädt sie hoch</translation>
    </message>
    <message>
        <source>cancelled while TrustedQSL ran; LoTW may have some of them</source>
        <translation>abgebrochen, während TrustedQSL lief; LoTW hat vielleicht einige davon</translation>
    </message>
    <message>
        <source>tqsl could not be started (is TrustedQSL installed?)</source>
        <translation>tqsl konnte nicht gestartet werden (ist TrustedQSL installiert?)</translation>
    </message>
    <message>
        <source>tqsl ended abnormally</source>
        <translation>tqsl endete unerwartet</translation>
    </message>
    <message>
        <source>tqsl reported no final status, so the upload is not certain</source>
        <translation>tqsl meldete keinen Endstatus, das Hochladen ist also nicht sicher</translation>
    </message>
    <message>
        <source>LoTW: %1 QSOs sent (%2)</source>
        <translation>LoTW: %1 QSOs gesendet (%2)</translation>
    </message>
    <message>
        <source>LoTW: nothing is marked: %1</source>
        <translation>LoTW: nichts wird markiert: %1</translation>
    </message>
    <message>
        <source>LoTW: fetching the confirmations</source>
        <translation>LoTW: hole die Bestätigungen</translation>
    </message>
    <message>
        <source>LoTW: %1</source>
        <translation>LoTW: %1</translation>
    </message>
    <message>
        <source>LoTW: the user name or the password is wrong</source>
        <translation>LoTW: Benutzername oder Passwort falsch</translation>
    </message>
    <message>
        <source>LoTW: too many requests for now (page request limit); try again later</source>
        <translation>LoTW: zu viele Anfragen (Seitenabruf-Limit); bitte später noch einmal</translation>
    </message>
    <message>
        <source>LoTW: the report ended early; nothing is marked</source>
        <translation>LoTW: der Bericht endete zu früh; nichts wird markiert</translation>
    </message>
    <message>
        <source>LoTW: %1 confirmations received</source>
        <translation>LoTW: %1 Bestätigungen empfangen</translation>
    </message>
    <message>
        <source>%1: a run is still going on</source>
        <translation>%1: ein Lauf ist noch im Gange</translation>
    </message>
    <message>
        <source>%1: cancelled</source>
        <translation>%1: abgebrochen</translation>
    </message>
    <message>
        <source>the service&apos;s address &quot;%1&quot; is not valid</source>
        <translation>die Adresse des Dienstes &quot;%1&quot; ist ungültig</translation>
    </message>
    <message>
        <source>the service&apos;s address must begin with https:// (the password is never sent unencrypted)</source>
        <translation>die Adresse des Dienstes muss mit https:// beginnen (das Passwort wird nie unverschlüsselt gesendet)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: no account is set</source>
        <translation>%1: kein Konto eingetragen</translation>
    </message>
    <message>
        <source>no answer within %1 seconds</source>
        <translation>keine Antwort innerhalb von %1 Sekunden</translation>
    </message>
    <message>
        <source>the server answered %1 %2</source>
        <translation>der Server antwortete %1 %2</translation>
    </message>
    <message>
        <source>tqsl said nothing for %1 seconds and was stopped (does it wait for a passphrase?)</source>
        <translation>tqsl hat %1 Sekunden lang nichts gemeldet und wurde beendet (wartet es auf eine Passphrase?)</translation>
    </message>
    <message>
        <source>eQSL: every QSO has been uploaded already</source>
        <translation>eQSL: alle QSOs sind schon hochgeladen</translation>
    </message>
</context>
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
</TS>
