<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>FiguresModel</name>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Mittel</translation>
    </message>
    <message>
        <source>Cursor %1</source>
        <translation>Cursor %1</translation>
    </message>
    <message>
        <source>Cursor</source>
        <translation>Cursor</translation>
    </message>
    <message>
        <source>A %1</source>
        <translation>A %1</translation>
    </message>
    <message>
        <source>A (left click)</source>
        <translation>A (Linksklick)</translation>
    </message>
    <message>
        <source>B %1</source>
        <translation>B %1</translation>
    </message>
    <message>
        <source>B (right click)</source>
        <translation>B (Rechtsklick)</translation>
    </message>
    <message>
        <source>B - A %1</source>
        <translation>B - A %1</translation>
    </message>
    <message>
        <source>B - A</source>
        <translation>B - A</translation>
    </message>
</context>
<context>
    <name>DiagnosticReport</name>
    <message>
        <source>Supported: every value, fault code, status flag and actuator test</source>
        <translation>Unterstützt: alle Werte, Fehlercodes, Statusbits und Stellgliedtests</translation>
    </message>
    <message>
        <source>OBD2 ECU: limited functionality</source>
        <translation>OBD2-Steuergerät: eingeschränkte Funktionen</translation>
    </message>
    <message>
        <source>Not supported: raw data only</source>
        <translation>Nicht unterstützt: nur Rohdaten</translation>
    </message>
    <message>
        <source>No port open</source>
        <translation>Kein Anschluss geöffnet</translation>
    </message>
    <message>
        <source>%1, serial number %2</source>
        <translation>%1, Seriennummer %2</translation>
    </message>
    <message>
        <source>%1 load sensor, %2 idle valve, %3 EGR</source>
        <translation>Lastsensor %1, Leerlaufsteller %2, AGR %3</translation>
    </message>
    <message>
        <source>Diagnostic report</source>
        <translation>Diagnosebericht</translation>
    </message>
    <message>
        <source>a report is written as .pdf, .html or .htm</source>
        <translation>ein Bericht wird als .pdf, .html oder .htm geschrieben</translation>
    </message>
    <message>
        <source>Log %1</source>
        <translation>Log %1</translation>
    </message>
    <message>
        <source>Recorded %1</source>
        <translation>Aufgezeichnet %1</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Mittelwert</translation>
    </message>
    <message>
        <source>The log holds no channel.</source>
        <translation>Das Log enthält keinen Kanal.</translation>
    </message>
    <message>
        <source>Marker</source>
        <translation>Markierung</translation>
    </message>
    <message>
        <source>Time (s)</source>
        <translation>Zeit (s)</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Notiz</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Angabe</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>Datum und Uhrzeit</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Programm</translation>
    </message>
    <message>
        <source>Cable</source>
        <translation>Kabel</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Anschluss</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <source>ECU ID</source>
        <translation>Steuergeräte-ID</translation>
    </message>
    <message>
        <source>Support</source>
        <translation>Unterstützung</translation>
    </message>
    <message>
        <source>Fitted</source>
        <translation>Verbaut</translation>
    </message>
    <message>
        <source>Current fault codes</source>
        <translation>Aktuelle Fehlercodes</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>Fault</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>No current fault codes.</source>
        <translation>Keine aktuellen Fehlercodes.</translation>
    </message>
    <message>
        <source>Stored fault codes</source>
        <translation>Gespeicherte Fehlercodes</translation>
    </message>
    <message>
        <source>No stored fault codes.</source>
        <translation>Keine gespeicherten Fehlercodes.</translation>
    </message>
    <message>
        <source>Status flags</source>
        <translation>Statusbits</translation>
    </message>
    <message>
        <source>Flag</source>
        <translation>Statusbit</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>This ECU has no status flags.</source>
        <translation>Dieses Steuergerät hat keine Statusbits.</translation>
    </message>
    <message>
        <source>Live values</source>
        <translation>Live-Werte</translation>
    </message>
    <message>
        <source>Not current: these are the values the ECU gave last (%1).</source>
        <translation>Nicht aktuell: die zuletzt vom Steuergerät gelieferten Werte (%1).</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Messwert</translation>
    </message>
</context>
<context>
    <name>EcuConnection</name>
    <message>
        <source>Sample rate &quot;%1&quot; is not a whole number of milliseconds from %2 to %3</source>
        <translation>Abtastrate &quot;%1&quot; ist keine ganze Zahl von Millisekunden zwischen %2 und %3</translation>
    </message>
    <message>
        <source>Baud rate &quot;%1&quot; is not a positive whole number</source>
        <translation>Baudrate &quot;%1&quot; ist keine positive ganze Zahl</translation>
    </message>
    <message>
        <source>Rx Errors %1</source>
        <extracomment>Rx: received. Counts the exchanges that got no valid reply.</extracomment>
        <translation>Empfangsfehler %1</translation>
    </message>
    <message>
        <source>Sample Rate %1ms</source>
        <translation>Abtastrate %1 ms</translation>
    </message>
    <message>
        <source>Fast %1 sweeps/s</source>
        <translation>Schnell %1 Durchläufe/s</translation>
    </message>
    <message>
        <source>ECU successfully reset</source>
        <translation>Steuergerät erfolgreich zurückgesetzt</translation>
    </message>
    <message>
        <source>ECU reset failed</source>
        <translation>Zurücksetzen des Steuergeräts fehlgeschlagen</translation>
    </message>
    <message>
        <source>The serial port may only be opened by members of the dialout group: add your user to it (sudo adduser $USER dialout), then log out and in again.</source>
        <translation>Die serielle Schnittstelle dürfen nur Mitglieder der Gruppe dialout öffnen: Benutzer hinzufügen (sudo adduser $USER dialout), dann ab- und wieder anmelden.</translation>
    </message>
</context>
<context>
    <name>FaultCodes</name>
    <message>
        <source>13	  Lambda Sensor Bank 1 - ECU will drive mixture rich or lean. If O2 reading doesn&apos;t change or is slow to change a fault is flagged</source>
        <translation>13	  Lambdasonde Bank 1 - Steuergerät fährt Gemisch fett oder mager. Ändert sich der O2-Wert nicht oder zu langsam, wird ein Fehler gesetzt</translation>
    </message>
    <message>
        <source>14	  Water Temperature Sensor signal High - Open circuit sensor or bad ground</source>
        <translation>14	  Kühlmitteltemperaturfühler Signal hoch - Unterbrechung am Fühler oder schlechte Masse</translation>
    </message>
    <message>
        <source>15	  Water Temperature Sensor signal Low - Short circuit in sensor or wiring shorted to ground</source>
        <translation>15	  Kühlmitteltemperaturfühler Signal niedrig - Kurzschluss im Fühler oder Leitung gegen Masse</translation>
    </message>
    <message>
        <source>21	  Throttle Position Sensor signal High - TPS faulty or open circuit signal or ground connection</source>
        <translation>21	  Drosselklappenpoti (TPS) Signal hoch - TPS defekt oder Unterbrechung Signal- oder Masseleitung</translation>
    </message>
    <message>
        <source>22	  Throttle Position Sensor signal Low - TPS faulty. Short circuit signal or open circuit power connection</source>
        <translation>22	  Drosselklappenpoti (TPS) Signal niedrig - TPS defekt. Kurzschluss Signalleitung oder Unterbrechung Versorgung</translation>
    </message>
    <message>
        <source>23	  Air Temperature Sensor signal High - ATS open circuit or bad ground</source>
        <translation>23	  Ansauglufttemperaturfühler Signal hoch - Unterbrechung oder schlechte Masse</translation>
    </message>
    <message>
        <source>24	  Vehicle Speed Sensor - VSS faulty. Possibly broken Speedo cable</source>
        <translation>24	  Geschwindigkeitssensor - VSS defekt. Evtl. Tachowelle gebrochen</translation>
    </message>
    <message>
        <source>25	  Air Temperature Sensor signal Low - ATS short circuit. Possibly signal wire short circuit or open circuit power connection</source>
        <translation>25	  Ansauglufttemperaturfühler Signal niedrig - Kurzschluss. Evtl. Kurzschluss Signalleitung oder Unterbrechung Versorgung</translation>
    </message>
    <message>
        <source>26	  Lambda Sensor Bank 2 - ECU will drive mixture rich or lean. If O2 reading doesn&apos;t change or is slow to change a fault is flagged</source>
        <translation>26	  Lambdasonde Bank 2 - Steuergerät fährt Gemisch fett oder mager. Ändert sich der O2-Wert nicht oder zu langsam, wird ein Fehler gesetzt</translation>
    </message>
    <message>
        <source>27	  Compensation Resistance Signal - Open circuit or shorted</source>
        <translation>27	  Signal Kompensationswiderstand - Unterbrechung oder Kurzschluss</translation>
    </message>
    <message>
        <source>28	  Glow Plug Relay Signal - Open circuit or shorted</source>
        <translation>28	  Signal Glührelais - Unterbrechung oder Kurzschluss</translation>
    </message>
    <message>
        <source>31	  Manifold Pressure Sensor signal High - MPS faulty. Possibly open circuit ground connection</source>
        <translation>31	  Saugrohrdrucksensor Signal hoch - MAP-Sensor defekt. Evtl. Unterbrechung Masseleitung</translation>
    </message>
    <message>
        <source>31	  Boost Sensor Signal Low (Turbo)</source>
        <translation>31	  Ladedrucksensor Signal niedrig (Turbo)</translation>
    </message>
    <message>
        <source>32	  Manifold Pressure Sensor signal Low - MPS faulty. Possibly open circuit power connection</source>
        <translation>32	  Saugrohrdrucksensor Signal niedrig - MAP-Sensor defekt. Evtl. Unterbrechung Versorgung</translation>
    </message>
    <message>
        <source>32	  Boost Sensor Signal High - Boost sensor faulty. Possibly open circuit ground connection</source>
        <translation>32	  Ladedrucksensor Signal hoch - Ladedrucksensor defekt. Evtl. Unterbrechung Masseleitung</translation>
    </message>
    <message>
        <source>33	  Mass Airflow Sensor High</source>
        <translation>33	  Luftmassenmesser Signal hoch</translation>
    </message>
    <message>
        <source>34	  Mass Airflow Sensor Low</source>
        <translation>34	  Luftmassenmesser Signal niedrig</translation>
    </message>
    <message>
        <source>35	  NE Sensor - Engine Speed Sensor faulty or wiring fault</source>
        <translation>35	  NE-Geber - Drehzahlgeber defekt oder Leitungsfehler</translation>
    </message>
    <message>
        <source>37	  ABS Malfunction</source>
        <translation>37	  ABS-Störung</translation>
    </message>
    <message>
        <source>41	  Ignition Fail Safe signal not present - faulty noise suppresor or wiring fault</source>
        <translation>41	  Zündungs-Rückmeldesignal fehlt - Entstörfilter defekt oder Leitungsfehler</translation>
    </message>
    <message>
        <source>41	  Timer Control Valve Signal</source>
        <translation>41	  Signal Spritzversteller-Ventil</translation>
    </message>
    <message>
        <source>42	  Crank Angle Sensor - CAS signal not present during cranking. Possibly faulty CAS or bad connection</source>
        <translation>42	  Kurbelwellengeber - kein Signal beim Anlassen. Evtl. Geber defekt oder schlechter Kontakt</translation>
    </message>
    <message>
        <source>43	  Knock Sensor circuit malfunction - Faulty Knock Sensor or bad connection</source>
        <translation>43	  Klopfsensor-Kreis gestört - Klopfsensor defekt oder schlechter Kontakt</translation>
    </message>
    <message>
        <source>43	  Starter Signal - Starter signal on during engine running or starter signal off during engine cranking</source>
        <translation>43	  Anlassersignal - Anlassersignal bei laufendem Motor an oder beim Anlassen aus</translation>
    </message>
    <message>
        <source>44	  Idle Switch Open - Faulty Idle switch. Possibly badly adjusted TPS or open circuit signal or ground connection</source>
        <translation>44	  Leerlaufschalter offen - Leerlaufschalter defekt. Evtl. TPS falsch eingestellt oder Unterbrechung Signal- oder Masseleitung</translation>
    </message>
    <message>
        <source>45	  Idle Switch Closed - Faulty Idle Switch. Possibly badly adjusted TPS or signal shorted to ground</source>
        <translation>45	  Leerlaufschalter geschlossen - Leerlaufschalter defekt. Evtl. TPS falsch eingestellt oder Signal gegen Masse</translation>
    </message>
    <message>
        <source>47	  Camshaft Sensor</source>
        <translation>47	  Nockenwellensensor</translation>
    </message>
    <message>
        <source>51	  Exhaust Gas Recirc Valve - EGR modulator faulty. Possibly exhaust passageway clogged or bad VSV or vacuum leak or catalytic converter fault</source>
        <translation>51	  AGR-Ventil - AGR-Modulator defekt. Evtl. Abgaskanal verstopft, Unterdruckventil defekt, Unterdruckleck oder Katalysator defekt</translation>
    </message>
    <message>
        <source>51	  EGR temperature sensor short circuit (Calif.)</source>
        <translation>51	  AGR-Temperaturfühler Kurzschluss (Kalif.)</translation>
    </message>
    <message>
        <source>51	  EGR temperature sensor open circuit (Calif.)</source>
        <translation>51	  AGR-Temperaturfühler Unterbrechung (Kalif.)</translation>
    </message>
    <message>
        <source>52	  Leaking Injector - Bad injector. Possibly dirty injector or bad seal or excessive fuel pressure</source>
        <translation>52	  Einspritzventil undicht - Einspritzventil defekt. Evtl. verschmutzt, Dichtung defekt oder Kraftstoffdruck zu hoch</translation>
    </message>
    <message>
        <source>52	  Spill Valve Signal - Stuck spill valve. possibly open or shorted wiring</source>
        <translation>52	  Signal Mengensteuerventil - Ventil klemmt. Evtl. Leitung unterbrochen oder kurzgeschlossen</translation>
    </message>
    <message>
        <source>53	  Grounding error. Possibly wrong ECU or missing ground wire</source>
        <translation>53	  Massefehler. Evtl. falsches Steuergerät oder Masseleitung fehlt</translation>
    </message>
    <message>
        <source>61	  Shift Solenoid Valve A (#1)</source>
        <translation>61	  Schaltmagnetventil A (#1)</translation>
    </message>
    <message>
        <source>62	  Shift Solenoid Valve A (#1)</source>
        <translation>62	  Schaltmagnetventil A (#1)</translation>
    </message>
    <message>
        <source>63	  Shift Solenoid Valve B (#2)</source>
        <translation>63	  Schaltmagnetventil B (#2)</translation>
    </message>
    <message>
        <source>64	  Shift Solenoid Valve B (#2)</source>
        <translation>64	  Schaltmagnetventil B (#2)</translation>
    </message>
    <message>
        <source>65	  TCC Solenoid Valve Electrical</source>
        <translation>65	  Magnetventil Wandlerüberbrückung (TCC) elektrisch</translation>
    </message>
    <message>
        <source>66	  TCC Solenoid Valve Electrical</source>
        <translation>66	  Magnetventil Wandlerüberbrückung (TCC) elektrisch</translation>
    </message>
    <message>
        <source>71	  Test Switch Terminal Grounded - Wire link still in diagnostic plug or signal shorted to ground</source>
        <translation>71	  Testanschluss auf Masse - Brücke noch im Diagnosestecker oder Signal gegen Masse</translation>
    </message>
    <message>
        <source>71	  Memory Error - ECU internal write error or checksum error</source>
        <translation>71	  Speicherfehler - interner Schreib- oder Prüfsummenfehler im Steuergerät</translation>
    </message>
    <message>
        <source>72	  Transmission Range Switch circuit malfunction</source>
        <translation>72	  Wählhebelschalter-Kreis gestört</translation>
    </message>
    <message>
        <source>73	  Fuel Temperature Sensor - Possibly Fuel temp. sensor or open or shorted wiring</source>
        <translation>73	  Kraftstofftemperaturfühler - Evtl. Fühler defekt, Leitung unterbrochen oder kurzgeschlossen</translation>
    </message>
    <message>
        <source>75	  Output Speed sensor Circuit Malfunction</source>
        <translation>75	  Abtriebsdrehzahlgeber-Kreis gestört</translation>
    </message>
    <message>
        <source>76	  Input/turbine Speed sensor Malfunction</source>
        <translation>76	  Eingangs-/Turbinendrehzahlgeber gestört</translation>
    </message>
    <message>
        <source>81	  Immobiliser/ECU Immobiliser codes not matched (ECU side)</source>
        <translation>81	  Wegfahrsperre/Steuergerät: Codes stimmen nicht überein (Steuergeräteseite)</translation>
    </message>
    <message>
        <source>82	  ECU Internal fault (immobiliser)</source>
        <translation>82	  Interner Fehler im Steuergerät (Wegfahrsperre)</translation>
    </message>
    <message>
        <source>83	  Immobiliser to ECU Serial Data Link</source>
        <translation>83	  Datenleitung Wegfahrsperre zum Steuergerät</translation>
    </message>
    <message>
        <source>84	  No Immobiliser codes registered in ECU</source>
        <translation>84	  Keine Wegfahrsperren-Codes im Steuergerät angelernt</translation>
    </message>
    <message>
        <source>46    ISC</source>
        <translation>46    Leerlaufsteller (ISC)</translation>
    </message>
    <message>
        <source>76	Auto?????????</source>
        <translation>76	Automatik?????????</translation>
    </message>
    <message>
        <source>	Spare</source>
        <translation>	Frei</translation>
    </message>
    <message>
        <source>      Unallocated fault flag</source>
        <translation>      Nicht belegtes Fehlerbit</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>DazedErir Help</source>
        <translation>DazedErir-Hilfe</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vor</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>LanguageChoice</name>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
</context>
<context>
    <name>LimitTexts</name>
    <message>
        <source>Alarm: %1 above %2</source>
        <translation>Alarm: %1 über %2</translation>
    </message>
    <message>
        <source>Alarm: %1 below %2</source>
        <translation>Alarm: %1 unter %2</translation>
    </message>
    <message>
        <source>Alarm: %1</source>
        <translation>Alarm: %1</translation>
    </message>
    <message>
        <source>%1: every low limit must be below every high limit.</source>
        <translation>%1: Jede untere Grenze muss unter jeder oberen Grenze liegen.</translation>
    </message>
    <message>
        <source>%1: an alarm limit must not lie inside the warning limit on its side (a low alarm at or below the low warning, a high alarm at or above the high warning).</source>
        <translation>%1: Eine Alarmgrenze darf nicht innerhalb der Warngrenze ihrer Seite liegen (unterer Alarm höchstens bei der unteren Warnung, oberer Alarm mindestens bei der oberen Warnung).</translation>
    </message>
    <message>
        <source>%1: a limit must be a number.</source>
        <translation>%1: Ein Grenzwert muss eine Zahl sein.</translation>
    </message>
</context>
<context>
    <name>LinkStatus</name>
    <message>
        <source>No Interface</source>
        <translation>Kein Interface</translation>
    </message>
    <message>
        <source>Bad Driver</source>
        <translation>Treiberfehler</translation>
    </message>
</context>
<context>
    <name>LogTrigger</name>
    <message>
        <source>&quot;%1&quot; is not NAME&gt;VALUE or NAME&lt;VALUE (for example RPM&gt;3000)</source>
        <translation>„%1“ ist nicht NAME&gt;WERT oder NAME&lt;WERT (zum Beispiel RPM&gt;3000)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a number</source>
        <translation>„%1“ ist keine Zahl</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not one of the four logged channels (%2)</source>
        <translation>„%1“ ist keiner der vier aufgezeichneten Kanäle (%2)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a number of seconds from 0 up</source>
        <translation>„%1“ ist keine Sekundenzahl ab 0</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is more than the %2 seconds that can be kept</source>
        <translation>„%1“ ist mehr als die %2 Sekunden, die behalten werden können</translation>
    </message>
</context>
<context>
    <name>MarkerList</name>
    <message>
        <source>Markers made while recording: click one to put cursor A there</source>
        <translation>Während der Aufzeichnung gesetzte Markierungen: ein Klick setzt Cursor A dorthin</translation>
    </message>
    <message>
        <source>%1  %2 s</source>
        <translation>%1  %2 s</translation>
    </message>
</context>
<context>
    <name>OpeningProgress</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Reading %1</source>
        <extracomment>While a log file is read; %1 is its name.</extracomment>
        <translation>%1 wird gelesen</translation>
    </message>
</context>
<context>
    <name>ReplayBar</name>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Schritt</translation>
    </message>
    <message>
        <source>End Replay</source>
        <translation>Wiedergabe beenden</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Tempo</translation>
    </message>
</context>
<context>
    <name>ReportSaving</name>
    <message>
        <source>report-%1.pdf</source>
        <translation>bericht-%1.pdf</translation>
    </message>
    <message>
        <source>Save Report</source>
        <translation>Bericht speichern</translation>
    </message>
    <message>
        <source>PDF documents (*.pdf);;HTML pages (*.html *.htm)</source>
        <translation>PDF-Dokumente (*.pdf);;HTML-Seiten (*.html *.htm)</translation>
    </message>
    <message>
        <source>A report is saved as a PDF (.pdf) or an HTML page (.html, .htm): %1 is neither.</source>
        <translation>Ein Bericht wird als PDF (.pdf) oder HTML-Seite (.html, .htm) gespeichert: %1 ist keins von beiden.</translation>
    </message>
    <message>
        <source>The report could not be written to %1: %2</source>
        <translation>Der Bericht konnte nicht nach %1 geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>SerialPortDriver</name>
    <message>
        <source>Cannot open %1: %2 (%3)</source>
        <extracomment>%1 the port, %2 the system&apos;s reason, %3 Qt&apos;s name for the error</extracomment>
        <translation>%1 kann nicht geöffnet werden: %2 (%3)</translation>
    </message>
</context>
<context>
    <name>SessionRecordingControl</name>
    <message>
        <source>Record Session...</source>
        <translation>Sitzung aufzeichnen...</translation>
    </message>
    <message>
        <source>Stop Recording</source>
        <translation>Aufzeichnung beenden</translation>
    </message>
    <message>
        <source>Captures (*.capture *.txt);;All files (*)</source>
        <translation>Mitschnitte (*.capture *.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Recording %1</source>
        <translation>Aufzeichnung %1</translation>
    </message>
</context>
<context>
    <name>SessionState</name>
    <message>
        <source>Not Connected</source>
        <translation>Nicht verbunden</translation>
    </message>
    <message>
        <source>Trying to Connect</source>
        <translation>Verbindungsaufbau</translation>
    </message>
    <message>
        <source>Connected to ECU</source>
        <translation>Mit Steuergerät verbunden</translation>
    </message>
    <message>
        <source>Waiting to Connect</source>
        <translation>Warte auf Verbindung</translation>
    </message>
    <message>
        <source>Replaying %1</source>
        <translation>Wiedergabe %1</translation>
    </message>
    <message>
        <source>Capture ended</source>
        <translation>Mitschnitt zu Ende</translation>
    </message>
</context>
<context>
    <name>StackedTimePlots</name>
    <message>
        <source>Time (s)</source>
        <translation>Zeit (s)</translation>
    </message>
</context>
<context>
    <name>StatusFlags</name>
    <message>
        <source>Electric Load,OFF,ON</source>
        <translation>Elektrische Last,AUS,EIN</translation>
    </message>
    <message>
        <source>Fuel Cut,OFF,ON</source>
        <translation>Schubabschaltung,AUS,EIN</translation>
    </message>
    <message>
        <source>Fuel Pressure Control Valve,OFF,ON</source>
        <translation>Kraftstoffdruck-Steuerventil,AUS,EIN</translation>
    </message>
    <message>
        <source>Fuel Pump,OFF,ON</source>
        <translation>Kraftstoffpumpe,AUS,EIN</translation>
    </message>
    <message>
        <source>Closed Loop,OFF,ON</source>
        <translation>Lambdaregelung,AUS,EIN</translation>
    </message>
    <message>
        <source>O2S Activated,OFF,ON</source>
        <translation>Lambdasonde aktiv,AUS,EIN</translation>
    </message>
    <message>
        <source>Rich/Lean Monitor,LEAN,RICH</source>
        <translation>Fett/Mager-Anzeige,MAGER,FETT</translation>
    </message>
    <message>
        <source>Throttle Opener Solenoid,OFF,ON</source>
        <translation>Magnetventil Drosselklappensteller,AUS,EIN</translation>
    </message>
    <message>
        <source>Idle Position,OPEN,IDLE</source>
        <translation>Leerlaufstellung,OFFEN,LEERLAUF</translation>
    </message>
    <message>
        <source>EGR Valve,OFF,ON</source>
        <translation>AGR-Ventil,AUS,EIN</translation>
    </message>
    <message>
        <source>Evap. Can. Purge,OFF,ON</source>
        <translation>Tankentlüftung,AUS,EIN</translation>
    </message>
    <message>
        <source>PS Switch,OFF,ON</source>
        <translation>Servolenkungsschalter,AUS,EIN</translation>
    </message>
    <message>
        <source>PS Solenoid Valve,OFF,ON</source>
        <translation>Magnetventil Servolenkung,AUS,EIN</translation>
    </message>
    <message>
        <source>ABS Switch,OFF,ON</source>
        <translation>ABS-Schalter,AUS,EIN</translation>
    </message>
    <message>
        <source>AC Fan,OFF,ON</source>
        <translation>Klimalüfter,AUS,EIN</translation>
    </message>
    <message>
        <source>AC Control,OFF,ON</source>
        <translation>Klimasteuerung,AUS,EIN</translation>
    </message>
    <message>
        <source>AC Cooling Fan,OFF,ON</source>
        <translation>Klima-Kühlerlüfter,AUS,EIN</translation>
    </message>
    <message>
        <source>AC Magnetic Clutch,OFF,ON</source>
        <translation>Klimakompressor-Kupplung,AUS,EIN</translation>
    </message>
    <message>
        <source>AC Pressure Switch,OFF,ON</source>
        <translation>Klima-Druckschalter,AUS,EIN</translation>
    </message>
    <message>
        <source>AC On,OFF,ON</source>
        <translation>Klima ein,AUS,EIN</translation>
    </message>
    <message>
        <source>Heater Fan,OFF,ON</source>
        <translation>Heizungsgebläse,AUS,EIN</translation>
    </message>
    <message>
        <source>Brake Switch,OFF,ON</source>
        <translation>Bremslichtschalter,AUS,EIN</translation>
    </message>
    <message>
        <source>Radiator Fan,OFF,ON</source>
        <translation>Kühlerlüfter,AUS,EIN</translation>
    </message>
    <message>
        <source>Starter,OFF,ON</source>
        <translation>Anlasser,AUS,EIN</translation>
    </message>
    <message>
        <source>4WD Low,OFF,ON</source>
        <translation>Allrad Geländegang,AUS,EIN</translation>
    </message>
    <message>
        <source>Mode Select,OFF,ON</source>
        <translation>Programmwahl,AUS,EIN</translation>
    </message>
    <message>
        <source>OD,OFF,ON</source>
        <translation>Overdrive,AUS,EIN</translation>
    </message>
    <message>
        <source>PNP Switch,OFF,ON</source>
        <translation>Anlasssperrschalter (P/N),AUS,EIN</translation>
    </message>
    <message>
        <source>Pressure Regulator Solenoid,OFF,ON</source>
        <translation>Magnetventil Druckregler,AUS,EIN</translation>
    </message>
    <message>
        <source>Pressure Regulator Solenoid Mon.,OFF,ON</source>
        <translation>Magnetventil Druckregler Rückm.,AUS,EIN</translation>
    </message>
    <message>
        <source>Shift Solenoid /#1,OFF,ON</source>
        <translation>Schaltmagnetventil /#1,AUS,EIN</translation>
    </message>
    <message>
        <source>Shift Solenoid /#1 Mon.,OFF,ON</source>
        <translation>Schaltmagnetventil /#1 Rückm.,AUS,EIN</translation>
    </message>
    <message>
        <source>Shift Solenoid /#2,OFF,ON</source>
        <translation>Schaltmagnetventil /#2,AUS,EIN</translation>
    </message>
    <message>
        <source>Shift Solenoid /#2 Mon.,OFF,ON</source>
        <translation>Schaltmagnetventil /#2 Rückm.,AUS,EIN</translation>
    </message>
    <message>
        <source>TCC Solenoid,OFF,ON</source>
        <translation>Magnetventil Wandlerüberbrückung,AUS,EIN</translation>
    </message>
    <message>
        <source>TCC Solenoid Mon.,OFF,ON</source>
        <translation>Magnetventil Wandlerüberbrückung Rückm.,AUS,EIN</translation>
    </message>
    <message>
        <source>D Range Shift Switch,PN,D</source>
        <translation>Wählhebelschalter D,PN,D</translation>
    </message>
    <message>
        <source>Diagnostic Switch Term.,OFF,ON</source>
        <translation>Diagnoseanschluss,AUS,EIN</translation>
    </message>
    <message>
        <source>Test Switch Term.,OFF,ON</source>
        <translation>Testanschluss,AUS,EIN</translation>
    </message>
    <message>
        <source>PSP Switch,OFF,ON</source>
        <translation>Servodruckschalter (PSP),AUS,EIN</translation>
    </message>
    <message>
        <source>Rich/Lean Monitor B1,LEAN,RICH</source>
        <translation>Fett/Mager-Anzeige B1,MAGER,FETT</translation>
    </message>
    <message>
        <source>Rich/lean Monitor B2,LEAN,RICH</source>
        <translation>Fett/Mager-Anzeige B2,MAGER,FETT</translation>
    </message>
    <message>
        <source>O2S B1 Activated,OFF,ON</source>
        <translation>Lambdasonde B1 aktiv,AUS,EIN</translation>
    </message>
    <message>
        <source>O2S B2 Activated,OFF,ON</source>
        <translation>Lambdasonde B2 aktiv,AUS,EIN</translation>
    </message>
</context>
<context>
    <name>TActuatorForm</name>
    <message>
        <source>RPM Control</source>
        <translation>Drehzahlregelung</translation>
    </message>
    <message>
        <source>Set Target Idle</source>
        <translation>Soll-Leerlaufdrehzahl setzen</translation>
    </message>
    <message>
        <source>Target Idle</source>
        <translation>Soll-Leerlauf</translation>
    </message>
    <message>
        <source>Fix Advance</source>
        <translation>Zündwinkel fixieren</translation>
    </message>
    <message>
        <source>Fix Spark Advance</source>
        <translation>Zündzeitpunkt fixieren</translation>
    </message>
    <message>
        <source>Ign Adv</source>
        <translation>Zündwinkel</translation>
    </message>
    <message>
        <source>IAC Calibration</source>
        <translation>IAC-Kalibrierung</translation>
    </message>
    <message>
        <source>Set IAC CAl</source>
        <translation>IAC kalibrieren</translation>
    </message>
    <message>
        <source>IAC Adjust Mon.</source>
        <translation>IAC-Korrektur</translation>
    </message>
    <message>
        <source>EGR Sol. Control</source>
        <translation>AGR-Magnetventil</translation>
    </message>
    <message>
        <source>EGR Solenoid Control</source>
        <translation>AGR-Magnetventil ansteuern</translation>
    </message>
    <message>
        <source>EGR Solenoid</source>
        <translation>AGR-Magnetventil</translation>
    </message>
    <message>
        <source>EGR Step Control</source>
        <translation>AGR-Schrittmotor</translation>
    </message>
    <message>
        <source>EGR Stepper Control</source>
        <translation>AGR-Schrittmotor ansteuern</translation>
    </message>
    <message>
        <source>EGR Position (%)</source>
        <translation>AGR-Stellung (%)</translation>
    </message>
    <message>
        <source>EGR</source>
        <translation>AGR</translation>
    </message>
    <message>
        <source>Rad.Fan Control</source>
        <translation>Kühlerlüfter</translation>
    </message>
    <message>
        <source>Radiator Fan Control</source>
        <translation>Kühlerlüfter ansteuern</translation>
    </message>
    <message>
        <source>Radiator Fan</source>
        <translation>Kühlerlüfter</translation>
    </message>
    <message>
        <source>Can. Purge Control</source>
        <translation>Tankentlüftungsventil</translation>
    </message>
    <message>
        <source>Can. Purge Sol. Control</source>
        <translation>Tankentlüftungsventil ansteuern</translation>
    </message>
    <message>
        <source>Can. Purge</source>
        <translation>Tankentlüftung</translation>
    </message>
    <message>
        <source>Fuel Pump Control</source>
        <translation>Kraftstoffpumpe ansteuern</translation>
    </message>
    <message>
        <source>Fuel Pump</source>
        <translation>Kraftstoffpumpe</translation>
    </message>
    <message>
        <source>Maintain RPM between  500RPM and 2000RPM</source>
        <translation>Drehzahl zwischen 500 und 2000 U/min halten</translation>
    </message>
    <message>
        <source>Maintain Coolant temp above 70C</source>
        <translation>Kühlmitteltemperatur über 70 °C halten</translation>
    </message>
    <message>
        <source>Maintain VSS = 0</source>
        <translation>Fahrzeug steht (VSS = 0)</translation>
    </message>
    <message>
        <source>Maintain Throttle closed</source>
        <translation>Drosselklappe geschlossen halten</translation>
    </message>
    <message>
        <source>Waiting for the ECU to acknowledge %1 ...</source>
        <translation>Warte auf Bestätigung von %1 durch das Steuergerät ...</translation>
    </message>
    <message>
        <source>ECU acknowledged %1</source>
        <translation>Steuergerät hat %1 bestätigt</translation>
    </message>
    <message>
        <source>Cancelling ...</source>
        <translation>Abbrechen ...</translation>
    </message>
    <message>
        <source>Test cancelled</source>
        <translation>Test abgebrochen</translation>
    </message>
    <message>
        <source>No test chosen</source>
        <translation>Kein Test gewählt</translation>
    </message>
    <message>
        <source>Choose a test from the View menu</source>
        <translation>Test im Menü Ansicht wählen</translation>
    </message>
    <message>
        <source>%1 not sent: %2</source>
        <translation>%1 nicht gesendet: %2</translation>
    </message>
    <message>
        <source>%1 stopped: %2</source>
        <translation>%1 gestoppt: %2</translation>
    </message>
    <message>
        <source>DazedErir Actuator Controls</source>
        <translation>DazedErir Stellgliedtests</translation>
    </message>
    <message>
        <source>Set</source>
        <extracomment>Sends the test with the value in the box to the ECU.</extracomment>
        <translation>Setzen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Monitors</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>Conditions</source>
        <translation>Bedingungen</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ansicht</translation>
    </message>
    <message>
        <source>no ECU answers</source>
        <translation>kein Steuergerät antwortet</translation>
    </message>
    <message>
        <source>the cancel</source>
        <translation>der Abbruch</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>&apos;%1&apos; ist keine gültige ganze Zahl</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid EGR position: enter a whole number from %2 to %3</source>
        <translation>&apos;%1&apos; ist keine gültige AGR-Stellung: eine ganze Zahl von %2 bis %3 eingeben</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid target idle: enter a whole number of rpm from %2 to %3</source>
        <translation>&apos;%1&apos; ist keine gültige Soll-Leerlaufdrehzahl: eine ganze Zahl in U/min von %2 bis %3 eingeben</translation>
    </message>
</context>
<context>
    <name>TCommsForm</name>
    <message>
        <source>Comms</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <source>Baud Rate</source>
        <translation>Baudrate</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid baud rate: enter a positive whole number</source>
        <translation>&apos;%1&apos; ist keine gültige Baudrate: eine positive ganze Zahl eingeben</translation>
    </message>
</context>
<context>
    <name>TDashBoardForm</name>
    <message>
        <source>No Interface</source>
        <translation>Kein Interface</translation>
    </message>
    <message>
        <source>Not Connected</source>
        <translation>Nicht verbunden</translation>
    </message>
    <message>
        <source>Sample Rate</source>
        <translation>Abtastrate</translation>
    </message>
    <message>
        <source>Bad Data Count 0</source>
        <translation>Fehlerhafte Daten 0</translation>
    </message>
    <message>
        <source>Battery (V)</source>
        <translation>Batterie (V)</translation>
    </message>
    <message>
        <source>O2 Sensor (V)</source>
        <translation>Lambdasonde (V)</translation>
    </message>
    <message>
        <source>Ign Adv (deg)</source>
        <translation>Zündwinkel (°)</translation>
    </message>
    <message>
        <source>Inj PW (mS)</source>
        <translation>Einspritzzeit (ms)</translation>
    </message>
    <message>
        <source>TFT</source>
        <translation>TFT</translation>
    </message>
    <message>
        <source>LTFT</source>
        <translation>LTFT</translation>
    </message>
    <message>
        <source>Connect to ECU</source>
        <translation>Mit Steuergerät verbinden</translation>
    </message>
    <message>
        <source>KodraPower Engine Management</source>
        <translation>KodraPower Motormanagement</translation>
    </message>
    <message>
        <source>MIL</source>
        <extracomment>The fault lamp: malfunction indicator lamp.</extracomment>
        <translation>MIL</translation>
    </message>
    <message>
        <source>Open Fault Code Viewer</source>
        <translation>Fehlerspeicher anzeigen</translation>
    </message>
    <message>
        <source>DazedErir DashBoard v%1</source>
        <translation>DazedErir Armaturenbrett v%1</translation>
    </message>
    <message>
        <source>All stored parameters will be lost and the stored fault codes cleared, do you wish to continue?</source>
        <translation>Alle gespeicherten Parameter gehen verloren und der Fehlerspeicher wird gelöscht. Fortfahren?</translation>
    </message>
    <message>
        <source>Warning!</source>
        <translation>Warnung!</translation>
    </message>
    <message>
        <source>OBD2 ECU detected - limited functionality available</source>
        <translation>OBD2-Steuergerät erkannt - nur eingeschränkte Funktionen verfügbar</translation>
    </message>
    <message>
        <source>Formatted data not available for ECU ID %1. Please contact KodraPower Ltd</source>
        <translation>Für Steuergeräte-ID %1 sind keine aufbereiteten Daten verfügbar. Bitte an KodraPower Ltd wenden</translation>
    </message>
    <message>
        <source>DazedErir will be shown in the language you chose when it is next started.</source>
        <translation>DazedErir erscheint beim nächsten Start in der gewählten Sprache.</translation>
    </message>
    <message>
        <source>%1, %2 ms</source>
        <translation>%1, %2 ms</translation>
    </message>
    <message>
        <source>The interface cable holds the bytes it receives for %1 ms before passing them on, so every exchange with the ECU waits that much longer: polling is slowed.

See &quot;Troubleshooting&quot; in the README to set it to 1 ms (the package&apos;s udev rule does it for you).</source>
        <translation>Das Interfacekabel hält empfangene Bytes %1 ms zurück, bevor es sie weitergibt; jeder Austausch mit dem Steuergerät dauert so viel länger: die Abfrage wird langsamer.

Im README unter &quot;Troubleshooting&quot; steht, wie man es auf 1 ms stellt (die udev-Regel des Pakets erledigt das).</translation>
    </message>
    <message>
        <source>The settings could not be saved: %1</source>
        <translation>Die Einstellungen konnten nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>Save Report...</source>
        <translation>Bericht speichern...</translation>
    </message>
</context>
<context>
    <name>TDataLoggerForm</name>
    <message>
        <source>As fast as the line allows</source>
        <translation>So schnell die Leitung erlaubt</translation>
    </message>
    <message>
        <source>Sample interval: as fast as the line allows</source>
        <translation>Abtastintervall: so schnell die Leitung erlaubt</translation>
    </message>
    <message>
        <source>The time base &quot;As fast as the line allows&quot; takes a row each time the line has brought every channel again, so it needs fast polling: choose &quot;As fast as the line allows&quot; in the main window&apos;s Sample Rate dialog too, or another time base.</source>
        <translation>Die Zeitbasis &quot;So schnell die Leitung erlaubt&quot; nimmt eine Zeile, sobald die Leitung jeden Kanal neu geliefert hat, und braucht daher schnelle Abfrage: im Dialog Abtastrate des Hauptfensters ebenfalls &quot;So schnell die Leitung erlaubt&quot; wählen, oder eine andere Zeitbasis.</translation>
    </message>
    <message>
        <source>Another program (process %1) is recording into %2.

This recording goes to %3 instead, so that neither log is lost.</source>
        <translation>Ein anderes Programm (Prozess %1) zeichnet in %2 auf.

Diese Aufzeichnung geht stattdessen nach %3, damit kein Protokoll verloren geht.</translation>
    </message>
    <message>
        <source>A log is being replayed through the windows. Only what the car says is recorded: end the replay in the log viewer (End Replay) before pressing Start.</source>
        <translation>In den Fenstern wird ein Protokoll wiedergegeben. Aufgezeichnet wird nur, was das Fahrzeug liefert: vor Start im Protokollbetrachter Wiedergabe beenden wählen.</translation>
    </message>
    <message>
        <source>Recovered: %1</source>
        <translation>Wiederhergestellt: %1</translation>
    </message>
    <message>
        <source>%1 (%2 rows)</source>
        <translation>%1 (%2 Zeilen)</translation>
    </message>
    <message>
        <source>%1 logs in %2, from %3 to %4</source>
        <translation>%1 Protokolle in %2, von %3 bis %4</translation>
    </message>
    <message>
        <source>Recordings left unfinished when the program last ended are saved:</source>
        <translation>Aufzeichnungen, die beim letzten Programmende nicht abgeschlossen waren, wurden gespeichert:</translation>
    </message>
    <message>
        <source>... and %1 more like these</source>
        <translation>... und %1 weitere dieser Art</translation>
    </message>
    <message>
        <source>Channel %1</source>
        <translation>Kanal %1</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open Log...</source>
        <translation>Protokoll ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Set &amp;Path</source>
        <translation>&amp;Pfad festlegen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>T/Div (secs)</source>
        <translation>Zeit/Div (s)</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Save To File</source>
        <translation>In Datei speichern</translation>
    </message>
    <message>
        <source>Record all values</source>
        <translation>Alle Werte aufzeichnen</translation>
    </message>
    <message>
        <source>DazedErir DataLogger</source>
        <translation>DazedErir Datenlogger</translation>
    </message>
    <message>
        <source>Output file:    </source>
        <translation>Ausgabedatei:    </translation>
    </message>
    <message>
        <source>Error Code 3</source>
        <translation>Fehlercode 3</translation>
    </message>
    <message>
        <source>Sample interval: %1ms</source>
        <translation>Abtastintervall: %1 ms</translation>
    </message>
    <message>
        <source>File size %1 bytes</source>
        <translation>Dateigröße %1 Bytes</translation>
    </message>
    <message>
        <source>Saving data to file......</source>
        <translation>Daten werden gespeichert......</translation>
    </message>
    <message>
        <source>Save failed: %1</source>
        <translation>Speichern fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Done: %1</source>
        <translation>Fertig: %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid time base: enter a whole number of seconds per division, 1 or more. The time base stays %2.</source>
        <translation>&apos;%1&apos; ist keine gültige Zeitbasis: eine ganze Zahl von Sekunden pro Teilung eingeben, 1 oder mehr. Die Zeitbasis bleibt %2.</translation>
    </message>
    <message>
        <source>The last log (%1 rows) has not been saved.
Start a new log? The rows written so far stay in %2 and are recovered at the next start.</source>
        <translation>Das letzte Protokoll (%1 Zeilen) wurde nicht gespeichert.
Neues Protokoll beginnen? Die bisher geschriebenen Zeilen bleiben in %2 und werden beim nächsten Start wiederhergestellt.</translation>
    </message>
    <message>
        <source>The log is not being written to the disk:
%1

Its rows are kept until the disk takes them. Stop saves them, after fixing the folder or choosing another with File &gt; Set Path.</source>
        <translation>Das Protokoll wird nicht auf den Datenträger geschrieben:
%1

Seine Zeilen bleiben erhalten, bis der Datenträger sie annimmt. Stopp speichert sie, nachdem der Ordner in Ordnung gebracht oder unter Datei &gt; Pfad festlegen ein anderer gewählt wurde.</translation>
    </message>
    <message>
        <source>The disk has not taken the last %1 MB of the log, so logging has stopped after %2 rows.

Every row taken is kept and goes to the disk as it catches up; Stop saves the log once they are all there.</source>
        <translation>Der Datenträger hat die letzten %1 MB des Protokolls nicht angenommen, daher wurde die Aufzeichnung nach %2 Zeilen angehalten.

Jede erfasste Zeile bleibt erhalten und wird geschrieben, sobald der Datenträger aufholt; Stopp speichert das Protokoll, sobald alle dort sind.</translation>
    </message>
    <message>
        <source>The log could not be saved to %1:
%2

Its %3 rows are kept. Press Stop again to save them, after fixing the folder or choosing another with File &gt; Set Path.</source>
        <translation>Das Protokoll konnte nicht in %1 gespeichert werden:
%2

Seine %3 Zeilen bleiben erhalten. Erneut Stopp drücken, um sie zu speichern, nachdem der Ordner in Ordnung gebracht oder unter Datei &gt; Pfad festlegen ein anderer gewählt wurde.</translation>
    </message>
    <message>
        <source>The data logger settings could not be saved:
%1

The choices stay in force until the program ends; closing this window tries again.</source>
        <translation>Die Einstellungen des Datenloggers konnten nicht gespeichert werden:
%1

Die Auswahl gilt bis zum Programmende; beim Schließen dieses Fensters wird es erneut versucht.</translation>
    </message>
    <message>
        <source>&amp;Marker (M)</source>
        <translation>&amp;Markierung (M)</translation>
    </message>
    <message>
        <source>Marker %1 at %2 s</source>
        <translation>Markierung %1 bei %2 s</translation>
    </message>
    <message>
        <source>Note for marker %1 (Enter keeps it)</source>
        <translation>Notiz zu Markierung %1 (Eingabe speichert sie)</translation>
    </message>
    <message>
        <source>Press M while recording to mark a moment</source>
        <translation>Während der Aufzeichnung M drücken, um einen Moment zu markieren</translation>
    </message>
    <message>
        <source>&amp;Trigger...</source>
        <translation>&amp;Trigger...</translation>
    </message>
    <message>
        <source>Marker held with the pre-trigger rows</source>
        <translation>Markierung bei den Vorlaufzeilen gehalten</translation>
    </message>
    <message>
        <source>Marker dropped: no rows are kept while waiting</source>
        <translation>Markierung verworfen: beim Warten werden keine Zeilen behalten</translation>
    </message>
    <message>
        <source>stops %1 s after %2</source>
        <translation>stoppt %1 s nach %2</translation>
    </message>
    <message>
        <source>stops after %1 s</source>
        <translation>stoppt nach %1 s</translation>
    </message>
    <message>
        <source>%1; %2</source>
        <translation>%1; %2</translation>
    </message>
    <message>
        <source>Waiting for %1, keeping the last %2 s</source>
        <translation>Warte auf %1, die letzten %2 s werden behalten</translation>
    </message>
    <message>
        <source>Waiting for %1</source>
        <translation>Warte auf %1</translation>
    </message>
    <message>
        <source>Started on %1</source>
        <translation>Gestartet bei %1</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Aufzeichnung läuft</translation>
    </message>
    <message>
        <source>%1 held: stopping %2 s after it</source>
        <translation>%1 erreicht: Stopp %2 s danach</translation>
    </message>
    <message>
        <source>Stopped %1 s after %2</source>
        <translation>Gestoppt %1 s nach %2</translation>
    </message>
    <message>
        <source>Stopped after %1 s</source>
        <translation>Gestoppt nach %1 s</translation>
    </message>
    <message>
        <source>Stopped while waiting for %1</source>
        <translation>Gestoppt beim Warten auf %1</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Gestoppt</translation>
    </message>
    <message>
        <source>Start when</source>
        <translation>Start wenn</translation>
    </message>
    <message>
        <source>Stop when</source>
        <translation>Stopp wenn</translation>
    </message>
    <message>
        <source>Stop delay (s)</source>
        <translation>Stoppverzögerung (s)</translation>
    </message>
    <message>
        <source>Pre-trigger (s)</source>
        <translation>Vorlauf (s)</translation>
    </message>
    <message>
        <source>Stop after (s)</source>
        <translation>Stopp nach (s)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>No trigger: Start records at once</source>
        <translation>Kein Trigger: Start zeichnet sofort auf</translation>
    </message>
    <message>
        <source>Start waits for %1</source>
        <translation>Start wartet auf %1</translation>
    </message>
    <message>
        <source>Start records at once</source>
        <translation>Start zeichnet sofort auf</translation>
    </message>
</context>
<context>
    <name>TDataViewerForm</name>
    <message>
        <source>RPM</source>
        <translation>U/min</translation>
    </message>
    <message>
        <source>Target Idle</source>
        <translation>Soll-Leerlauf</translation>
    </message>
    <message>
        <source>VSS</source>
        <translation>VSS</translation>
    </message>
    <message>
        <source>Battery (V)</source>
        <translation>Batterie (V)</translation>
    </message>
    <message>
        <source>O2 Bank1 (V)</source>
        <translation>Lambda Bank1 (V)</translation>
    </message>
    <message>
        <source>O2 Bank2</source>
        <translation>Lambda Bank2</translation>
    </message>
    <message>
        <source>TPS(%)</source>
        <translation>TPS(%)</translation>
    </message>
    <message>
        <source>TPS(V)</source>
        <translation>TPS(V)</translation>
    </message>
    <message>
        <source>CTS</source>
        <translation>CTS</translation>
    </message>
    <message>
        <source>IAT</source>
        <translation>IAT</translation>
    </message>
    <message>
        <source>EGT Temp</source>
        <translation>Abgastemp. (EGT)</translation>
    </message>
    <message>
        <source>Baro (mB)</source>
        <translation>Luftdruck (mbar)</translation>
    </message>
    <message>
        <source>Inj PW Bank1 (ms)</source>
        <translation>Einspritzz. Bank1 (ms)</translation>
    </message>
    <message>
        <source>Inj PW Bank2</source>
        <translation>Einspritzz. Bank2</translation>
    </message>
    <message>
        <source>IAC Adj Mon (%)</source>
        <translation>IAC-Korrektur (%)</translation>
    </message>
    <message>
        <source>STFT Bank1</source>
        <translation>STFT Bank1</translation>
    </message>
    <message>
        <source>STFT Bank2</source>
        <translation>STFT Bank2</translation>
    </message>
    <message>
        <source>LTFT Bank1</source>
        <translation>LTFT Bank1</translation>
    </message>
    <message>
        <source>LTFT Bank2</source>
        <translation>LTFT Bank2</translation>
    </message>
    <message>
        <source>TFT Bank1</source>
        <translation>TFT Bank1</translation>
    </message>
    <message>
        <source>TFT Bank2</source>
        <translation>TFT Bank2</translation>
    </message>
    <message>
        <source>VE (%)</source>
        <translation>Füllungsgrad (%)</translation>
    </message>
    <message>
        <source>Ign Timing (degs)</source>
        <translation>Zündzeitpunkt (°)</translation>
    </message>
    <message>
        <source>MPG</source>
        <translation>MPG</translation>
    </message>
    <message>
        <source>Evap Purge %</source>
        <translation>Tankentlüftung %</translation>
    </message>
    <message>
        <source>Ignition Trim</source>
        <translation>Zündkorrektur</translation>
    </message>
    <message>
        <source>ATM VSS</source>
        <translation>Getriebe VSS</translation>
    </message>
    <message>
        <source>ATM Pos</source>
        <translation>Getriebe Pos.</translation>
    </message>
    <message>
        <source>ATM Status</source>
        <translation>Getriebe Status</translation>
    </message>
    <message>
        <source>Time From Start(s)</source>
        <translation>Zeit seit Start (s)</translation>
    </message>
    <message>
        <source>Fault Flags 1</source>
        <translation>Fehlerbits 1</translation>
    </message>
    <message>
        <source>Fault Flags 2</source>
        <translation>Fehlerbits 2</translation>
    </message>
    <message>
        <source>Fault Flags 3</source>
        <translation>Fehlerbits 3</translation>
    </message>
    <message>
        <source>Fault Flags 4</source>
        <translation>Fehlerbits 4</translation>
    </message>
    <message>
        <source>Status Flags 1</source>
        <translation>Statusbits 1</translation>
    </message>
    <message>
        <source>Status Flags 2</source>
        <translation>Statusbits 2</translation>
    </message>
    <message>
        <source>Status Flags 3</source>
        <translation>Statusbits 3</translation>
    </message>
    <message>
        <source>Status Flags 4</source>
        <translation>Statusbits 4</translation>
    </message>
    <message>
        <source>Format Data</source>
        <translation>Aufbereitet</translation>
    </message>
    <message>
        <source>Raw Data</source>
        <translation>Rohdaten</translation>
    </message>
    <message>
        <source>Page1</source>
        <translation>Seite1</translation>
    </message>
    <message>
        <source>Page2</source>
        <translation>Seite2</translation>
    </message>
    <message>
        <source>Not Connected</source>
        <translation>Nicht verbunden</translation>
    </message>
    <message>
        <source>Sample Rate</source>
        <translation>Abtastrate</translation>
    </message>
    <message>
        <source>Bad Data Count 0</source>
        <translation>Fehlerhafte Daten 0</translation>
    </message>
    <message>
        <source>MAP (mB)</source>
        <translation>MAP (mbar)</translation>
    </message>
    <message>
        <source>VAF (l/m)</source>
        <translation>VAF (l/min)</translation>
    </message>
    <message>
        <source>MAF (g/s)</source>
        <translation>MAF (g/s)</translation>
    </message>
    <message>
        <source>IAC Flow (l/m)</source>
        <translation>IAC-Durchfluss (l/min)</translation>
    </message>
    <message>
        <source>IAC Duty (%)</source>
        <translation>IAC-Tastverh. (%)</translation>
    </message>
    <message>
        <source>ISC Pos (%)</source>
        <translation>ISC-Stellung (%)</translation>
    </message>
    <message>
        <source>EGR Flow (l/m)</source>
        <translation>AGR-Durchfluss (l/min)</translation>
    </message>
    <message>
        <source>EGR Pos (%)</source>
        <translation>AGR-Stellung (%)</translation>
    </message>
    <message>
        <source>DazedErir DataViewer</source>
        <translation>DazedErir Datenanzeige</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>No port open</source>
        <translation>Kein Port offen</translation>
    </message>
</context>
<context>
    <name>TECUIDForm</name>
    <message>
        <source>ECU ID</source>
        <translation>Steuergeräte-ID</translation>
    </message>
</context>
<context>
    <name>TFaultCodesForm</name>
    <message>
        <source>No Current Codes</source>
        <translation>Keine aktuellen Fehler</translation>
    </message>
    <message>
        <source>No Stored Codes</source>
        <translation>Keine gespeicherten Fehler</translation>
    </message>
    <message>
        <source>Code %1
%2

</source>
        <translation>Code %1
%2

</translation>
    </message>
    <message>
        <source>Dazederir Fault Code Viewer</source>
        <translation>DazedErir Fehlerspeicher</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Aktuell</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Gespeichert</translation>
    </message>
</context>
<context>
    <name>THelpForm</name>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>KodraPower Engine Management</source>
        <translation>KodraPower Motormanagement</translation>
    </message>
    <message>
        <source>For workshop use: run actuator tests only with the vehicle stationary and the engine conditions shown.</source>
        <translation>Für den Werkstatteinsatz: Stellgliedtests nur bei stehendem Fahrzeug und unter den angezeigten Motorbedingungen ausführen.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Help Contents</source>
        <translation>Hilfethemen</translation>
    </message>
</context>
<context>
    <name>TKodraGauge</name>
    <message>
        <source>Value must be between %1 and %2</source>
        <translation>Der Wert muss zwischen %1 und %2 liegen</translation>
    </message>
</context>
<context>
    <name>TLimitsForm</name>
    <message>
        <source>Limits</source>
        <translation>Grenzwerte</translation>
    </message>
    <message>
        <source>A value beyond a warning limit turns its dial or box amber, beyond an alarm limit red; an alarm names the value in the main window&apos;s status bar and marks a running recording. Leave a box empty for no limit.</source>
        <translation>Ein Wert jenseits einer Warngrenze färbt seine Anzeige oder sein Feld gelb, jenseits einer Alarmgrenze rot; ein Alarm nennt den Wert in der Statusleiste des Hauptfensters und setzt eine Markierung in eine laufende Aufzeichnung. Ein leeres Feld bedeutet keine Grenze.</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>Low alarm</source>
        <translation>Alarm unten</translation>
    </message>
    <message>
        <source>Low warning</source>
        <translation>Warnung unten</translation>
    </message>
    <message>
        <source>High warning</source>
        <translation>Warnung oben</translation>
    </message>
    <message>
        <source>High alarm</source>
        <translation>Alarm oben</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a number.</source>
        <translation>%1: „%2“ ist keine Zahl.</translation>
    </message>
</context>
<context>
    <name>TLogViewerForm</name>
    <message>
        <source>The data logger is recording: the log can be replayed once its recording has stopped, so that none of the log&apos;s values is taken for the car&apos;s.</source>
        <translation>Der Datenlogger zeichnet auf: das Protokoll kann wiedergegeben werden, sobald die Aufzeichnung beendet ist, damit kein Protokollwert für einen des Fahrzeugs gehalten wird.</translation>
    </message>
    <message>
        <source>The log could not be read: %1</source>
        <translation>Das Protokoll konnte nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>DazedErir Log Viewer</source>
        <translation>DazedErir Protokollbetrachter</translation>
    </message>
    <message>
        <source>Fit all</source>
        <translation>Alles zeigen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open Log...</source>
        <translation>Protokoll ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Export PNG...</source>
        <translation>PNG &amp;exportieren...</translation>
    </message>
    <message>
        <source>Export PNG</source>
        <translation>PNG exportieren</translation>
    </message>
    <message>
        <source>PNG pictures (*.png)</source>
        <translation>PNG-Bilder (*.png)</translation>
    </message>
    <message>
        <source>The picture could not be written to %1</source>
        <translation>Das Bild konnte nicht nach %1 geschrieben werden</translation>
    </message>
    <message>
        <source>&amp;Save Figures as CSV...</source>
        <translation>Werte als CSV &amp;speichern...</translation>
    </message>
    <message>
        <source>Save Figures as CSV</source>
        <translation>Werte als CSV speichern</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>The figures could not be written to %1</source>
        <translation>Die Werte konnten nicht nach %1 geschrieben werden</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Copy Figures</source>
        <translation>Werte &amp;kopieren</translation>
    </message>
    <message>
        <source>Open Log</source>
        <translation>Protokoll öffnen</translation>
    </message>
    <message>
        <source>Logs (*.csv *.txt *.msl);;All files (*)</source>
        <translation>Protokolle (*.csv *.txt *.msl);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>... und %1 weitere</translation>
    </message>
    <message>
        <source>Could not read all of %1:</source>
        <translation>%1 konnte nicht ganz gelesen werden:</translation>
    </message>
    <message>
        <source>%1, exported %2</source>
        <translation>%1, exportiert %2</translation>
    </message>
    <message>
        <source>%1, recorded %2, exported %3</source>
        <translation>%1, aufgezeichnet %2, exportiert %3</translation>
    </message>
</context>
<context>
    <name>TSampleRateForm</name>
    <message>
        <source>Sample Rate</source>
        <translation>Abtastrate</translation>
    </message>
    <message>
        <source>Increase value to reduce bad data errors</source>
        <translation>Größerer Wert: weniger Datenfehler</translation>
    </message>
    <message>
        <source>Reduce value to improve refresh rate</source>
        <translation>Kleinerer Wert: schnellere Aktualisierung</translation>
    </message>
    <message>
        <source>(ms)</source>
        <translation>(ms)</translation>
    </message>
    <message>
        <source>As fast as the line allows</source>
        <translation>So schnell die Leitung erlaubt</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>&apos;%1&apos; ist keine gültige ganze Zahl</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid sample rate: enter a whole number of milliseconds from %2 to %3</source>
        <translation>&apos;%1&apos; ist keine gültige Abtastrate: eine ganze Zahl von Millisekunden zwischen %2 und %3 eingeben</translation>
    </message>
</context>
<context>
    <name>TSelDirForm</name>
    <message>
        <source>Select Directory</source>
        <translation>Ordner wählen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TStatusForm</name>
    <message>
        <source>DazedErir Status Flag Viewer</source>
        <translation>DazedErir Statusanzeige</translation>
    </message>
    <message>
        <source>Current Status</source>
        <translation>Aktueller Status</translation>
    </message>
</context>
<context>
    <name>TUnitsSelForm</name>
    <message>
        <source>Units</source>
        <translation>Einheiten</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Temperatur</translation>
    </message>
    <message>
        <source>degs F</source>
        <translation>°F</translation>
    </message>
    <message>
        <source>degs C</source>
        <translation>°C</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Geschwindigkeit</translation>
    </message>
    <message>
        <source>KPH</source>
        <translation>km/h</translation>
    </message>
    <message>
        <source>MPH</source>
        <translation>mph</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>ToolWindowMenu</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>DataViewer</source>
        <translation>Datenanzeige</translation>
    </message>
    <message>
        <source>DataLogger</source>
        <translation>Datenlogger</translation>
    </message>
    <message>
        <source>FaultCodes</source>
        <translation>Fehlerspeicher</translation>
    </message>
    <message>
        <source>Status Flags</source>
        <translation>Statusbits</translation>
    </message>
    <message>
        <source>Controls</source>
        <translation>Stellgliedtests</translation>
    </message>
    <message>
        <source>ECU ID</source>
        <translation>Steuergeräte-ID</translation>
    </message>
    <message>
        <source>Log Viewer</source>
        <translation>Protokollbetrachter</translation>
    </message>
    <message>
        <source>&amp;Comms</source>
        <translation>&amp;Verbindung</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Baud Rate</source>
        <translation>Baudrate</translation>
    </message>
    <message>
        <source>Sample Rate</source>
        <translation>Abtastrate</translation>
    </message>
    <message>
        <source>Record Session...</source>
        <translation>Sitzung aufzeichnen...</translation>
    </message>
    <message>
        <source>Protocol</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>Units</source>
        <translation>Einheiten</translation>
    </message>
    <message>
        <source>Co&amp;mmand</source>
        <translation>&amp;Befehl</translation>
    </message>
    <message>
        <source>Reset ECU</source>
        <translation>Steuergerät zurücksetzen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Save Report...</source>
        <translation>Bericht speichern...</translation>
    </message>
    <message>
        <source>Limits...</source>
        <translation>Grenzwerte...</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <source>Help Contents</source>
        <translation>Hilfethemen</translation>
    </message>
</context>
<context>
    <name>TriggerDialog</name>
    <message>
        <source>Trigger</source>
        <translation>Trigger</translation>
    </message>
    <message>
        <source>A condition is one of the four logged channels above or below a value, for example RPM &gt; 3000 or TPS(Angle) &lt; 10. Leave &quot;Start when&quot; empty to record from Start, &quot;Stop when&quot; empty to stop with Stop.</source>
        <translation>Eine Bedingung ist einer der vier aufgezeichneten Kanäle über oder unter einem Wert, zum Beispiel RPM &gt; 3000 oder TPS(Angle) &lt; 10. „Start wenn“ leer lassen, um ab Start aufzuzeichnen, „Stopp wenn“ leer lassen, um mit Stopp zu beenden.</translation>
    </message>
</context>
</TS>
