<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="en">
<context>
    <name>FiguresModel</name>
    <message>
        <source>Channel</source>
        <translation>Canal</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Mín</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Máx</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Media</translation>
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
        <translation>A (clic izquierdo)</translation>
    </message>
    <message>
        <source>B %1</source>
        <translation>B %1</translation>
    </message>
    <message>
        <source>B (right click)</source>
        <translation>B (clic derecho)</translation>
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
        <translation>Compatible: todos los valores, códigos de avería, bits de estado y pruebas de actuadores</translation>
    </message>
    <message>
        <source>OBD2 ECU: limited functionality</source>
        <translation>Centralita OBD2: funciones limitadas</translation>
    </message>
    <message>
        <source>Not supported: raw data only</source>
        <translation>No compatible: solo datos en bruto</translation>
    </message>
    <message>
        <source>No port open</source>
        <translation>Ningún puerto abierto</translation>
    </message>
    <message>
        <source>%1, serial number %2</source>
        <translation>%1, número de serie %2</translation>
    </message>
    <message>
        <source>%1 load sensor, %2 idle valve, %3 EGR</source>
        <translation>sensor de carga %1, válvula de ralentí %2, EGR %3</translation>
    </message>
    <message>
        <source>Diagnostic report</source>
        <translation>Informe de diagnóstico</translation>
    </message>
    <message>
        <source>a report is written as .pdf, .html or .htm</source>
        <translation>un informe se escribe como .pdf, .html o .htm</translation>
    </message>
    <message>
        <source>Log %1</source>
        <translation>Registro %1</translation>
    </message>
    <message>
        <source>Recorded %1</source>
        <translation>Grabado %1</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Canal</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Unidad</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Mínimo</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Máximo</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Media</translation>
    </message>
    <message>
        <source>The log holds no channel.</source>
        <translation>El registro no contiene ningún canal.</translation>
    </message>
    <message>
        <source>Marker</source>
        <translation>Marca</translation>
    </message>
    <message>
        <source>Time (s)</source>
        <translation>Tiempo (s)</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Nota</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Dato</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valor</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>Fecha y hora</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Programa</translation>
    </message>
    <message>
        <source>Cable</source>
        <translation>Cable</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Puerto</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Conexión</translation>
    </message>
    <message>
        <source>ECU ID</source>
        <translation>ID de centralita</translation>
    </message>
    <message>
        <source>Support</source>
        <translation>Compatibilidad</translation>
    </message>
    <message>
        <source>Fitted</source>
        <translation>Equipamiento</translation>
    </message>
    <message>
        <source>Current fault codes</source>
        <translation>Códigos de avería actuales</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>Código</translation>
    </message>
    <message>
        <source>Fault</source>
        <translation>Avería</translation>
    </message>
    <message>
        <source>No current fault codes.</source>
        <translation>Sin códigos de avería actuales.</translation>
    </message>
    <message>
        <source>Stored fault codes</source>
        <translation>Códigos de avería almacenados</translation>
    </message>
    <message>
        <source>No stored fault codes.</source>
        <translation>Sin códigos de avería almacenados.</translation>
    </message>
    <message>
        <source>Status flags</source>
        <translation>Bits de estado</translation>
    </message>
    <message>
        <source>Flag</source>
        <translation>Bit</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>This ECU has no status flags.</source>
        <translation>Esta centralita no tiene bits de estado.</translation>
    </message>
    <message>
        <source>Live values</source>
        <translation>Valores en vivo</translation>
    </message>
    <message>
        <source>Not current: these are the values the ECU gave last (%1).</source>
        <translation>No actuales: son los últimos valores que dio la centralita (%1).</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Lectura</translation>
    </message>
</context>
<context>
    <name>EcuConnection</name>
    <message>
        <source>Sample rate &quot;%1&quot; is not a whole number of milliseconds from %2 to %3</source>
        <translation>La frecuencia de muestreo &quot;%1&quot; no es un número entero de milisegundos entre %2 y %3</translation>
    </message>
    <message>
        <source>Baud rate &quot;%1&quot; is not a positive whole number</source>
        <translation>La velocidad en baudios &quot;%1&quot; no es un número entero positivo</translation>
    </message>
    <message>
        <source>Rx Errors %1</source>
        <extracomment>Rx: received. Counts the exchanges that got no valid reply.</extracomment>
        <translation>Errores Rx %1</translation>
    </message>
    <message>
        <source>Sample Rate %1ms</source>
        <translation>Muestreo %1 ms</translation>
    </message>
    <message>
        <source>Fast %1 sweeps/s</source>
        <translation>Rápido %1 barridos/s</translation>
    </message>
    <message>
        <source>ECU successfully reset</source>
        <translation>Centralita reiniciada correctamente</translation>
    </message>
    <message>
        <source>ECU reset failed</source>
        <translation>Fallo al reiniciar la centralita</translation>
    </message>
    <message>
        <source>The serial port may only be opened by members of the dialout group: add your user to it (sudo adduser $USER dialout), then log out and in again.</source>
        <translation>Solo los miembros del grupo dialout pueden abrir el puerto serie: añada su usuario (sudo adduser $USER dialout) y vuelva a iniciar sesión.</translation>
    </message>
</context>
<context>
    <name>FaultCodes</name>
    <message>
        <source>13	  Lambda Sensor Bank 1 - ECU will drive mixture rich or lean. If O2 reading doesn&apos;t change or is slow to change a fault is flagged</source>
        <translation>13	  Sonda lambda banco 1 - La centralita enriquece o empobrece la mezcla. Si la lectura de O2 no cambia o cambia lentamente se marca un fallo</translation>
    </message>
    <message>
        <source>14	  Water Temperature Sensor signal High - Open circuit sensor or bad ground</source>
        <translation>14	  Sensor de temperatura del refrigerante señal alta - Sensor en circuito abierto o mala masa</translation>
    </message>
    <message>
        <source>15	  Water Temperature Sensor signal Low - Short circuit in sensor or wiring shorted to ground</source>
        <translation>15	  Sensor de temperatura del refrigerante señal baja - Cortocircuito en el sensor o cableado a masa</translation>
    </message>
    <message>
        <source>21	  Throttle Position Sensor signal High - TPS faulty or open circuit signal or ground connection</source>
        <translation>21	  Sensor de posición de mariposa señal alta - TPS averiado o circuito abierto en señal o masa</translation>
    </message>
    <message>
        <source>22	  Throttle Position Sensor signal Low - TPS faulty. Short circuit signal or open circuit power connection</source>
        <translation>22	  Sensor de posición de mariposa señal baja - TPS averiado. Cortocircuito en señal o circuito abierto en alimentación</translation>
    </message>
    <message>
        <source>23	  Air Temperature Sensor signal High - ATS open circuit or bad ground</source>
        <translation>23	  Sensor de temperatura del aire señal alta - Circuito abierto o mala masa</translation>
    </message>
    <message>
        <source>24	  Vehicle Speed Sensor - VSS faulty. Possibly broken Speedo cable</source>
        <translation>24	  Sensor de velocidad del vehículo - VSS averiado. Posible cable del velocímetro roto</translation>
    </message>
    <message>
        <source>25	  Air Temperature Sensor signal Low - ATS short circuit. Possibly signal wire short circuit or open circuit power connection</source>
        <translation>25	  Sensor de temperatura del aire señal baja - Cortocircuito. Posible cortocircuito en señal o circuito abierto en alimentación</translation>
    </message>
    <message>
        <source>26	  Lambda Sensor Bank 2 - ECU will drive mixture rich or lean. If O2 reading doesn&apos;t change or is slow to change a fault is flagged</source>
        <translation>26	  Sonda lambda banco 2 - La centralita enriquece o empobrece la mezcla. Si la lectura de O2 no cambia o cambia lentamente se marca un fallo</translation>
    </message>
    <message>
        <source>27	  Compensation Resistance Signal - Open circuit or shorted</source>
        <translation>27	  Señal de resistencia de compensación - Circuito abierto o cortocircuito</translation>
    </message>
    <message>
        <source>28	  Glow Plug Relay Signal - Open circuit or shorted</source>
        <translation>28	  Señal del relé de calentadores - Circuito abierto o cortocircuito</translation>
    </message>
    <message>
        <source>31	  Manifold Pressure Sensor signal High - MPS faulty. Possibly open circuit ground connection</source>
        <translation>31	  Sensor de presión del colector señal alta - MAP averiado. Posible circuito abierto en masa</translation>
    </message>
    <message>
        <source>31	  Boost Sensor Signal Low (Turbo)</source>
        <translation>31	  Sensor de presión de turbo señal baja (Turbo)</translation>
    </message>
    <message>
        <source>32	  Manifold Pressure Sensor signal Low - MPS faulty. Possibly open circuit power connection</source>
        <translation>32	  Sensor de presión del colector señal baja - MAP averiado. Posible circuito abierto en alimentación</translation>
    </message>
    <message>
        <source>32	  Boost Sensor Signal High - Boost sensor faulty. Possibly open circuit ground connection</source>
        <translation>32	  Sensor de presión de turbo señal alta - Sensor averiado. Posible circuito abierto en masa</translation>
    </message>
    <message>
        <source>33	  Mass Airflow Sensor High</source>
        <translation>33	  Caudalímetro (MAF) señal alta</translation>
    </message>
    <message>
        <source>34	  Mass Airflow Sensor Low</source>
        <translation>34	  Caudalímetro (MAF) señal baja</translation>
    </message>
    <message>
        <source>35	  NE Sensor - Engine Speed Sensor faulty or wiring fault</source>
        <translation>35	  Sensor NE - Sensor de régimen averiado o fallo de cableado</translation>
    </message>
    <message>
        <source>37	  ABS Malfunction</source>
        <translation>37	  Fallo del ABS</translation>
    </message>
    <message>
        <source>41	  Ignition Fail Safe signal not present - faulty noise suppresor or wiring fault</source>
        <translation>41	  Falta la señal de confirmación de encendido - Filtro antiparasitario averiado o fallo de cableado</translation>
    </message>
    <message>
        <source>41	  Timer Control Valve Signal</source>
        <translation>41	  Señal de la válvula de control de avance</translation>
    </message>
    <message>
        <source>42	  Crank Angle Sensor - CAS signal not present during cranking. Possibly faulty CAS or bad connection</source>
        <translation>42	  Sensor de posición del cigüeñal - sin señal durante el arranque. Posible sensor averiado o mala conexión</translation>
    </message>
    <message>
        <source>43	  Knock Sensor circuit malfunction - Faulty Knock Sensor or bad connection</source>
        <translation>43	  Fallo en el circuito del sensor de picado - Sensor averiado o mala conexión</translation>
    </message>
    <message>
        <source>43	  Starter Signal - Starter signal on during engine running or starter signal off during engine cranking</source>
        <translation>43	  Señal de arranque - señal activa con el motor en marcha o inactiva durante el arranque</translation>
    </message>
    <message>
        <source>44	  Idle Switch Open - Faulty Idle switch. Possibly badly adjusted TPS or open circuit signal or ground connection</source>
        <translation>44	  Interruptor de ralentí abierto - Interruptor averiado. Posible TPS mal ajustado o circuito abierto en señal o masa</translation>
    </message>
    <message>
        <source>45	  Idle Switch Closed - Faulty Idle Switch. Possibly badly adjusted TPS or signal shorted to ground</source>
        <translation>45	  Interruptor de ralentí cerrado - Interruptor averiado. Posible TPS mal ajustado o señal a masa</translation>
    </message>
    <message>
        <source>47	  Camshaft Sensor</source>
        <translation>47	  Sensor del árbol de levas</translation>
    </message>
    <message>
        <source>51	  Exhaust Gas Recirc Valve - EGR modulator faulty. Possibly exhaust passageway clogged or bad VSV or vacuum leak or catalytic converter fault</source>
        <translation>51	  Válvula EGR - Modulador EGR averiado. Posible conducto de escape obstruido, electroválvula de vacío averiada, fuga de vacío o catalizador averiado</translation>
    </message>
    <message>
        <source>51	  EGR temperature sensor short circuit (Calif.)</source>
        <translation>51	  Sensor de temperatura EGR en cortocircuito (Calif.)</translation>
    </message>
    <message>
        <source>51	  EGR temperature sensor open circuit (Calif.)</source>
        <translation>51	  Sensor de temperatura EGR en circuito abierto (Calif.)</translation>
    </message>
    <message>
        <source>52	  Leaking Injector - Bad injector. Possibly dirty injector or bad seal or excessive fuel pressure</source>
        <translation>52	  Inyector con fuga - Inyector averiado. Posible inyector sucio, junta dañada o presión de combustible excesiva</translation>
    </message>
    <message>
        <source>52	  Spill Valve Signal - Stuck spill valve. possibly open or shorted wiring</source>
        <translation>52	  Señal de la válvula de descarga - Válvula agarrotada. Posible cableado abierto o en cortocircuito</translation>
    </message>
    <message>
        <source>53	  Grounding error. Possibly wrong ECU or missing ground wire</source>
        <translation>53	  Fallo de masa. Posible centralita equivocada o cable de masa ausente</translation>
    </message>
    <message>
        <source>61	  Shift Solenoid Valve A (#1)</source>
        <translation>61	  Electroválvula de cambio A (#1)</translation>
    </message>
    <message>
        <source>62	  Shift Solenoid Valve A (#1)</source>
        <translation>62	  Electroválvula de cambio A (#1)</translation>
    </message>
    <message>
        <source>63	  Shift Solenoid Valve B (#2)</source>
        <translation>63	  Electroválvula de cambio B (#2)</translation>
    </message>
    <message>
        <source>64	  Shift Solenoid Valve B (#2)</source>
        <translation>64	  Electroválvula de cambio B (#2)</translation>
    </message>
    <message>
        <source>65	  TCC Solenoid Valve Electrical</source>
        <translation>65	  Electroválvula del embrague del convertidor (TCC), fallo eléctrico</translation>
    </message>
    <message>
        <source>66	  TCC Solenoid Valve Electrical</source>
        <translation>66	  Electroválvula del embrague del convertidor (TCC), fallo eléctrico</translation>
    </message>
    <message>
        <source>71	  Test Switch Terminal Grounded - Wire link still in diagnostic plug or signal shorted to ground</source>
        <translation>71	  Terminal de prueba a masa - Puente aún en el conector de diagnosis o señal a masa</translation>
    </message>
    <message>
        <source>71	  Memory Error - ECU internal write error or checksum error</source>
        <translation>71	  Error de memoria - error interno de escritura o de suma de control en la centralita</translation>
    </message>
    <message>
        <source>72	  Transmission Range Switch circuit malfunction</source>
        <translation>72	  Fallo en el circuito del interruptor de posición del cambio</translation>
    </message>
    <message>
        <source>73	  Fuel Temperature Sensor - Possibly Fuel temp. sensor or open or shorted wiring</source>
        <translation>73	  Sensor de temperatura del combustible - Posible sensor averiado o cableado abierto o en cortocircuito</translation>
    </message>
    <message>
        <source>75	  Output Speed sensor Circuit Malfunction</source>
        <translation>75	  Fallo en el circuito del sensor de velocidad de salida</translation>
    </message>
    <message>
        <source>76	  Input/turbine Speed sensor Malfunction</source>
        <translation>76	  Fallo del sensor de velocidad de entrada/turbina</translation>
    </message>
    <message>
        <source>81	  Immobiliser/ECU Immobiliser codes not matched (ECU side)</source>
        <translation>81	  Inmovilizador/centralita: códigos no coinciden (lado centralita)</translation>
    </message>
    <message>
        <source>82	  ECU Internal fault (immobiliser)</source>
        <translation>82	  Fallo interno de la centralita (inmovilizador)</translation>
    </message>
    <message>
        <source>83	  Immobiliser to ECU Serial Data Link</source>
        <translation>83	  Enlace de datos serie inmovilizador - centralita</translation>
    </message>
    <message>
        <source>84	  No Immobiliser codes registered in ECU</source>
        <translation>84	  No hay códigos de inmovilizador registrados en la centralita</translation>
    </message>
    <message>
        <source>46    ISC</source>
        <translation>46    Control de ralentí (ISC)</translation>
    </message>
    <message>
        <source>76	Auto?????????</source>
        <translation>76	Automático?????????</translation>
    </message>
    <message>
        <source>	Spare</source>
        <translation>	Libre</translation>
    </message>
    <message>
        <source>      Unallocated fault flag</source>
        <translation>      Bit de fallo sin asignar</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>DazedErir Help</source>
        <translation>Ayuda de DazedErir</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Índice</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Adelante</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
</context>
<context>
    <name>LanguageChoice</name>
    <message>
        <source>System</source>
        <translation>Sistema</translation>
    </message>
</context>
<context>
    <name>LimitTexts</name>
    <message>
        <source>Alarm: %1 above %2</source>
        <translation>Alarma: %1 por encima de %2</translation>
    </message>
    <message>
        <source>Alarm: %1 below %2</source>
        <translation>Alarma: %1 por debajo de %2</translation>
    </message>
    <message>
        <source>Alarm: %1</source>
        <translation>Alarma: %1</translation>
    </message>
    <message>
        <source>%1: every low limit must be below every high limit.</source>
        <translation>%1: todo límite bajo debe quedar por debajo de todo límite alto.</translation>
    </message>
    <message>
        <source>%1: an alarm limit must not lie inside the warning limit on its side (a low alarm at or below the low warning, a high alarm at or above the high warning).</source>
        <translation>%1: un límite de alarma no puede quedar dentro del límite de aviso de su lado (la alarma baja en o por debajo del aviso bajo, la alarma alta en o por encima del aviso alto).</translation>
    </message>
    <message>
        <source>%1: a limit must be a number.</source>
        <translation>%1: un límite debe ser un número.</translation>
    </message>
</context>
<context>
    <name>LinkStatus</name>
    <message>
        <source>No Interface</source>
        <translation>Sin interfaz</translation>
    </message>
    <message>
        <source>Bad Driver</source>
        <translation>Controlador defectuoso</translation>
    </message>
</context>
<context>
    <name>LogTrigger</name>
    <message>
        <source>&quot;%1&quot; is not NAME&gt;VALUE or NAME&lt;VALUE (for example RPM&gt;3000)</source>
        <translation>«%1» no es NOMBRE&gt;VALOR ni NOMBRE&lt;VALOR (por ejemplo RPM&gt;3000)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a number</source>
        <translation>«%1» no es un número</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not one of the four logged channels (%2)</source>
        <translation>«%1» no es uno de los cuatro canales registrados (%2)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a number of seconds from 0 up</source>
        <translation>«%1» no es un número de segundos desde 0</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is more than the %2 seconds that can be kept</source>
        <translation>«%1» es más que los %2 segundos que se pueden guardar</translation>
    </message>
</context>
<context>
    <name>MarkerList</name>
    <message>
        <source>Markers made while recording: click one to put cursor A there</source>
        <translation>Marcas hechas durante la grabación: un clic lleva el cursor A allí</translation>
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
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Reading %1</source>
        <extracomment>While a log file is read; %1 is its name.</extracomment>
        <translation>Leyendo %1</translation>
    </message>
</context>
<context>
    <name>ReplayBar</name>
    <message>
        <source>Play</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Paso</translation>
    </message>
    <message>
        <source>End Replay</source>
        <translation>Terminar reproducción</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Velocidad</translation>
    </message>
</context>
<context>
    <name>ReportSaving</name>
    <message>
        <source>report-%1.pdf</source>
        <translation>informe-%1.pdf</translation>
    </message>
    <message>
        <source>Save Report</source>
        <translation>Guardar informe</translation>
    </message>
    <message>
        <source>PDF documents (*.pdf);;HTML pages (*.html *.htm)</source>
        <translation>Documentos PDF (*.pdf);;Páginas HTML (*.html *.htm)</translation>
    </message>
    <message>
        <source>A report is saved as a PDF (.pdf) or an HTML page (.html, .htm): %1 is neither.</source>
        <translation>Un informe se guarda como PDF (.pdf) o página HTML (.html, .htm): %1 no es ninguno de los dos.</translation>
    </message>
    <message>
        <source>The report could not be written to %1: %2</source>
        <translation>No se pudo escribir el informe en %1: %2</translation>
    </message>
</context>
<context>
    <name>SerialPortDriver</name>
    <message>
        <source>Cannot open %1: %2 (%3)</source>
        <extracomment>%1 the port, %2 the system&apos;s reason, %3 Qt&apos;s name for the error</extracomment>
        <translation>No se puede abrir %1: %2 (%3)</translation>
    </message>
</context>
<context>
    <name>SessionRecordingControl</name>
    <message>
        <source>Record Session...</source>
        <translation>Grabar sesión...</translation>
    </message>
    <message>
        <source>Stop Recording</source>
        <translation>Detener grabación</translation>
    </message>
    <message>
        <source>Captures (*.capture *.txt);;All files (*)</source>
        <translation>Capturas (*.capture *.txt);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Recording %1</source>
        <translation>Grabando %1</translation>
    </message>
</context>
<context>
    <name>SessionState</name>
    <message>
        <source>Not Connected</source>
        <translation>No conectado</translation>
    </message>
    <message>
        <source>Trying to Connect</source>
        <translation>Intentando conectar</translation>
    </message>
    <message>
        <source>Connected to ECU</source>
        <translation>Conectado a la centralita</translation>
    </message>
    <message>
        <source>Waiting to Connect</source>
        <translation>Esperando conexión</translation>
    </message>
    <message>
        <source>Replaying %1</source>
        <translation>Reproduciendo %1</translation>
    </message>
    <message>
        <source>Capture ended</source>
        <translation>Captura terminada</translation>
    </message>
</context>
<context>
    <name>StackedTimePlots</name>
    <message>
        <source>Time (s)</source>
        <translation>Tiempo (s)</translation>
    </message>
</context>
<context>
    <name>StatusFlags</name>
    <message>
        <source>Electric Load,OFF,ON</source>
        <translation>Carga eléctrica,OFF,ON</translation>
    </message>
    <message>
        <source>Fuel Cut,OFF,ON</source>
        <translation>Corte de inyección,OFF,ON</translation>
    </message>
    <message>
        <source>Fuel Pressure Control Valve,OFF,ON</source>
        <translation>Válvula de control de presión de combustible,OFF,ON</translation>
    </message>
    <message>
        <source>Fuel Pump,OFF,ON</source>
        <translation>Bomba de combustible,OFF,ON</translation>
    </message>
    <message>
        <source>Closed Loop,OFF,ON</source>
        <translation>Lazo cerrado,OFF,ON</translation>
    </message>
    <message>
        <source>O2S Activated,OFF,ON</source>
        <translation>Sonda O2 activa,OFF,ON</translation>
    </message>
    <message>
        <source>Rich/Lean Monitor,LEAN,RICH</source>
        <translation>Indicador rica/pobre,POBRE,RICA</translation>
    </message>
    <message>
        <source>Throttle Opener Solenoid,OFF,ON</source>
        <translation>Electroválvula del abridor de mariposa,OFF,ON</translation>
    </message>
    <message>
        <source>Idle Position,OPEN,IDLE</source>
        <translation>Posición de ralentí,ABIERTO,RALENTÍ</translation>
    </message>
    <message>
        <source>EGR Valve,OFF,ON</source>
        <translation>Válvula EGR,OFF,ON</translation>
    </message>
    <message>
        <source>Evap. Can. Purge,OFF,ON</source>
        <translation>Purga del cánister,OFF,ON</translation>
    </message>
    <message>
        <source>PS Switch,OFF,ON</source>
        <translation>Interruptor de dirección asistida,OFF,ON</translation>
    </message>
    <message>
        <source>PS Solenoid Valve,OFF,ON</source>
        <translation>Electroválvula de dirección asistida,OFF,ON</translation>
    </message>
    <message>
        <source>ABS Switch,OFF,ON</source>
        <translation>Interruptor ABS,OFF,ON</translation>
    </message>
    <message>
        <source>AC Fan,OFF,ON</source>
        <translation>Ventilador A/A,OFF,ON</translation>
    </message>
    <message>
        <source>AC Control,OFF,ON</source>
        <translation>Control A/A,OFF,ON</translation>
    </message>
    <message>
        <source>AC Cooling Fan,OFF,ON</source>
        <translation>Electroventilador A/A,OFF,ON</translation>
    </message>
    <message>
        <source>AC Magnetic Clutch,OFF,ON</source>
        <translation>Embrague del compresor A/A,OFF,ON</translation>
    </message>
    <message>
        <source>AC Pressure Switch,OFF,ON</source>
        <translation>Presostato A/A,OFF,ON</translation>
    </message>
    <message>
        <source>AC On,OFF,ON</source>
        <translation>A/A encendido,OFF,ON</translation>
    </message>
    <message>
        <source>Heater Fan,OFF,ON</source>
        <translation>Ventilador de calefacción,OFF,ON</translation>
    </message>
    <message>
        <source>Brake Switch,OFF,ON</source>
        <translation>Interruptor de freno,OFF,ON</translation>
    </message>
    <message>
        <source>Radiator Fan,OFF,ON</source>
        <translation>Electroventilador del radiador,OFF,ON</translation>
    </message>
    <message>
        <source>Starter,OFF,ON</source>
        <translation>Motor de arranque,OFF,ON</translation>
    </message>
    <message>
        <source>4WD Low,OFF,ON</source>
        <translation>4x4 reductora,OFF,ON</translation>
    </message>
    <message>
        <source>Mode Select,OFF,ON</source>
        <translation>Selector de modo,OFF,ON</translation>
    </message>
    <message>
        <source>OD,OFF,ON</source>
        <translation>Overdrive,OFF,ON</translation>
    </message>
    <message>
        <source>PNP Switch,OFF,ON</source>
        <translation>Interruptor P/N,OFF,ON</translation>
    </message>
    <message>
        <source>Pressure Regulator Solenoid,OFF,ON</source>
        <translation>Electroválvula reguladora de presión,OFF,ON</translation>
    </message>
    <message>
        <source>Pressure Regulator Solenoid Mon.,OFF,ON</source>
        <translation>Electroválvula reguladora de presión mon.,OFF,ON</translation>
    </message>
    <message>
        <source>Shift Solenoid /#1,OFF,ON</source>
        <translation>Electroválvula de cambio /#1,OFF,ON</translation>
    </message>
    <message>
        <source>Shift Solenoid /#1 Mon.,OFF,ON</source>
        <translation>Electroválvula de cambio /#1 mon.,OFF,ON</translation>
    </message>
    <message>
        <source>Shift Solenoid /#2,OFF,ON</source>
        <translation>Electroválvula de cambio /#2,OFF,ON</translation>
    </message>
    <message>
        <source>Shift Solenoid /#2 Mon.,OFF,ON</source>
        <translation>Electroválvula de cambio /#2 mon.,OFF,ON</translation>
    </message>
    <message>
        <source>TCC Solenoid,OFF,ON</source>
        <translation>Electroválvula TCC,OFF,ON</translation>
    </message>
    <message>
        <source>TCC Solenoid Mon.,OFF,ON</source>
        <translation>Electroválvula TCC mon.,OFF,ON</translation>
    </message>
    <message>
        <source>D Range Shift Switch,PN,D</source>
        <translation>Interruptor de posición D,PN,D</translation>
    </message>
    <message>
        <source>Diagnostic Switch Term.,OFF,ON</source>
        <translation>Terminal de diagnosis,OFF,ON</translation>
    </message>
    <message>
        <source>Test Switch Term.,OFF,ON</source>
        <translation>Terminal de prueba,OFF,ON</translation>
    </message>
    <message>
        <source>PSP Switch,OFF,ON</source>
        <translation>Presostato de dirección (PSP),OFF,ON</translation>
    </message>
    <message>
        <source>Rich/Lean Monitor B1,LEAN,RICH</source>
        <translation>Indicador rica/pobre B1,POBRE,RICA</translation>
    </message>
    <message>
        <source>Rich/lean Monitor B2,LEAN,RICH</source>
        <translation>Indicador rica/pobre B2,POBRE,RICA</translation>
    </message>
    <message>
        <source>O2S B1 Activated,OFF,ON</source>
        <translation>Sonda O2 B1 activa,OFF,ON</translation>
    </message>
    <message>
        <source>O2S B2 Activated,OFF,ON</source>
        <translation>Sonda O2 B2 activa,OFF,ON</translation>
    </message>
</context>
<context>
    <name>TActuatorForm</name>
    <message>
        <source>RPM Control</source>
        <translation>Control de RPM</translation>
    </message>
    <message>
        <source>Set Target Idle</source>
        <translation>Fijar ralentí objetivo</translation>
    </message>
    <message>
        <source>Target Idle</source>
        <translation>Ralentí objetivo</translation>
    </message>
    <message>
        <source>Fix Advance</source>
        <translation>Fijar avance</translation>
    </message>
    <message>
        <source>Fix Spark Advance</source>
        <translation>Fijar avance de encendido</translation>
    </message>
    <message>
        <source>Ign Adv</source>
        <translation>Avance</translation>
    </message>
    <message>
        <source>IAC Calibration</source>
        <translation>Calibración IAC</translation>
    </message>
    <message>
        <source>Set IAC CAl</source>
        <translation>Calibrar IAC</translation>
    </message>
    <message>
        <source>IAC Adjust Mon.</source>
        <translation>Ajuste IAC mon.</translation>
    </message>
    <message>
        <source>EGR Sol. Control</source>
        <translation>Electroválvula EGR</translation>
    </message>
    <message>
        <source>EGR Solenoid Control</source>
        <translation>Control de electroválvula EGR</translation>
    </message>
    <message>
        <source>EGR Solenoid</source>
        <translation>Electroválvula EGR</translation>
    </message>
    <message>
        <source>EGR Step Control</source>
        <translation>Motor paso a paso EGR</translation>
    </message>
    <message>
        <source>EGR Stepper Control</source>
        <translation>Control del motor paso a paso EGR</translation>
    </message>
    <message>
        <source>EGR Position (%)</source>
        <translation>Posición EGR (%)</translation>
    </message>
    <message>
        <source>EGR</source>
        <translation>EGR</translation>
    </message>
    <message>
        <source>Rad.Fan Control</source>
        <translation>Electroventilador</translation>
    </message>
    <message>
        <source>Radiator Fan Control</source>
        <translation>Control del electroventilador</translation>
    </message>
    <message>
        <source>Radiator Fan</source>
        <translation>Electroventilador</translation>
    </message>
    <message>
        <source>Can. Purge Control</source>
        <translation>Purga del cánister</translation>
    </message>
    <message>
        <source>Can. Purge Sol. Control</source>
        <translation>Control de electroválvula del cánister</translation>
    </message>
    <message>
        <source>Can. Purge</source>
        <translation>Purga del cánister</translation>
    </message>
    <message>
        <source>Fuel Pump Control</source>
        <translation>Control de bomba de combustible</translation>
    </message>
    <message>
        <source>Fuel Pump</source>
        <translation>Bomba de combustible</translation>
    </message>
    <message>
        <source>Maintain RPM between  500RPM and 2000RPM</source>
        <translation>Mantener entre 500 y 2000 RPM</translation>
    </message>
    <message>
        <source>Maintain Coolant temp above 70C</source>
        <translation>Mantener refrigerante por encima de 70 °C</translation>
    </message>
    <message>
        <source>Maintain VSS = 0</source>
        <translation>Vehículo parado (VSS = 0)</translation>
    </message>
    <message>
        <source>Maintain Throttle closed</source>
        <translation>Mantener mariposa cerrada</translation>
    </message>
    <message>
        <source>Waiting for the ECU to acknowledge %1 ...</source>
        <translation>Esperando a que la centralita confirme %1 ...</translation>
    </message>
    <message>
        <source>ECU acknowledged %1</source>
        <translation>La centralita confirmó %1</translation>
    </message>
    <message>
        <source>Cancelling ...</source>
        <translation>Cancelando ...</translation>
    </message>
    <message>
        <source>Test cancelled</source>
        <translation>Prueba cancelada</translation>
    </message>
    <message>
        <source>No test chosen</source>
        <translation>Ninguna prueba elegida</translation>
    </message>
    <message>
        <source>Choose a test from the View menu</source>
        <translation>Elija una prueba en el menú Ver</translation>
    </message>
    <message>
        <source>%1 not sent: %2</source>
        <translation>%1 no enviado: %2</translation>
    </message>
    <message>
        <source>%1 stopped: %2</source>
        <translation>%1 detenido: %2</translation>
    </message>
    <message>
        <source>DazedErir Actuator Controls</source>
        <translation>DazedErir Pruebas de actuadores</translation>
    </message>
    <message>
        <source>Set</source>
        <extracomment>Sends the test with the value in the box to the ECU.</extracomment>
        <translation>Aplicar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Monitors</source>
        <translation>Monitores</translation>
    </message>
    <message>
        <source>Conditions</source>
        <translation>Condiciones</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ver</translation>
    </message>
    <message>
        <source>no ECU answers</source>
        <translation>ninguna centralita responde</translation>
    </message>
    <message>
        <source>the cancel</source>
        <translation>la cancelación</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>&apos;%1&apos; no es un número entero válido</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid EGR position: enter a whole number from %2 to %3</source>
        <translation>&apos;%1&apos; no es una posición de EGR válida: introduzca un número entero de %2 a %3</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid target idle: enter a whole number of rpm from %2 to %3</source>
        <translation>&apos;%1&apos; no es un ralentí objetivo válido: introduzca un número entero de rpm de %2 a %3</translation>
    </message>
</context>
<context>
    <name>TCommsForm</name>
    <message>
        <source>Comms</source>
        <translation>Comunicación</translation>
    </message>
    <message>
        <source>Baud Rate</source>
        <translation>Velocidad en baudios</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid baud rate: enter a positive whole number</source>
        <translation>&apos;%1&apos; no es una velocidad válida: introduzca un número entero positivo</translation>
    </message>
</context>
<context>
    <name>TDashBoardForm</name>
    <message>
        <source>No Interface</source>
        <translation>Sin interfaz</translation>
    </message>
    <message>
        <source>Not Connected</source>
        <translation>No conectado</translation>
    </message>
    <message>
        <source>Sample Rate</source>
        <translation>Frecuencia de muestreo</translation>
    </message>
    <message>
        <source>Bad Data Count 0</source>
        <translation>Datos erróneos 0</translation>
    </message>
    <message>
        <source>Battery (V)</source>
        <translation>Batería (V)</translation>
    </message>
    <message>
        <source>O2 Sensor (V)</source>
        <translation>Sonda O2 (V)</translation>
    </message>
    <message>
        <source>Ign Adv (deg)</source>
        <translation>Avance (°)</translation>
    </message>
    <message>
        <source>Inj PW (mS)</source>
        <translation>Inyección (ms)</translation>
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
        <translation>Conectar con la centralita</translation>
    </message>
    <message>
        <source>KodraPower Engine Management</source>
        <translation>KodraPower Gestión del motor</translation>
    </message>
    <message>
        <source>MIL</source>
        <extracomment>The fault lamp: malfunction indicator lamp.</extracomment>
        <translation>MIL</translation>
    </message>
    <message>
        <source>Open Fault Code Viewer</source>
        <translation>Abrir visor de códigos de avería</translation>
    </message>
    <message>
        <source>DazedErir DashBoard v%1</source>
        <translation>DazedErir Tablero v%1</translation>
    </message>
    <message>
        <source>All stored parameters will be lost and the stored fault codes cleared, do you wish to continue?</source>
        <translation>Se perderán todos los parámetros guardados y se borrarán los códigos de avería almacenados. ¿Desea continuar?</translation>
    </message>
    <message>
        <source>Warning!</source>
        <translation>¡Atención!</translation>
    </message>
    <message>
        <source>OBD2 ECU detected - limited functionality available</source>
        <translation>Centralita OBD2 detectada - funciones limitadas</translation>
    </message>
    <message>
        <source>Formatted data not available for ECU ID %1. Please contact KodraPower Ltd</source>
        <translation>No hay datos formateados para la centralita %1. Póngase en contacto con KodraPower Ltd</translation>
    </message>
    <message>
        <source>DazedErir will be shown in the language you chose when it is next started.</source>
        <translation>DazedErir se mostrará en el idioma elegido la próxima vez que se inicie.</translation>
    </message>
    <message>
        <source>%1, %2 ms</source>
        <translation>%1, %2 ms</translation>
    </message>
    <message>
        <source>The interface cable holds the bytes it receives for %1 ms before passing them on, so every exchange with the ECU waits that much longer: polling is slowed.

See &quot;Troubleshooting&quot; in the README to set it to 1 ms (the package&apos;s udev rule does it for you).</source>
        <translation>El cable de interfaz retiene los bytes recibidos %1 ms antes de entregarlos, así que cada intercambio con la centralita tarda eso más: el sondeo se ralentiza.

Consulte &quot;Troubleshooting&quot; en el README para ajustarlo a 1 ms (la regla udev del paquete lo hace por usted).</translation>
    </message>
    <message>
        <source>The settings could not be saved: %1</source>
        <translation>No se pudieron guardar los ajustes: %1</translation>
    </message>
    <message>
        <source>Save Report...</source>
        <translation>Guardar informe...</translation>
    </message>
</context>
<context>
    <name>TDataLoggerForm</name>
    <message>
        <source>As fast as the line allows</source>
        <translation>Tan rápido como permita la línea</translation>
    </message>
    <message>
        <source>Sample interval: as fast as the line allows</source>
        <translation>Intervalo de muestreo: tan rápido como permita la línea</translation>
    </message>
    <message>
        <source>The time base &quot;As fast as the line allows&quot; takes a row each time the line has brought every channel again, so it needs fast polling: choose &quot;As fast as the line allows&quot; in the main window&apos;s Sample Rate dialog too, or another time base.</source>
        <translation>La base de tiempo &quot;Tan rápido como permita la línea&quot; toma una fila cada vez que la línea ha traído de nuevo todos los canales, así que necesita sondeo rápido: elija también &quot;Tan rápido como permita la línea&quot; en el diálogo Frecuencia de muestreo de la ventana principal, u otra base de tiempo.</translation>
    </message>
    <message>
        <source>Another program (process %1) is recording into %2.

This recording goes to %3 instead, so that neither log is lost.</source>
        <translation>Otro programa (proceso %1) está grabando en %2.

Esta grabación va a %3, para que no se pierda ningún registro.</translation>
    </message>
    <message>
        <source>A log is being replayed through the windows. Only what the car says is recorded: end the replay in the log viewer (End Replay) before pressing Start.</source>
        <translation>Se está reproduciendo un registro en las ventanas. Solo se graba lo que dice el vehículo: termine la reproducción en el visor de registros (Terminar reproducción) antes de pulsar Iniciar.</translation>
    </message>
    <message>
        <source>Recovered: %1</source>
        <translation>Recuperado: %1</translation>
    </message>
    <message>
        <source>%1 (%2 rows)</source>
        <translation>%1 (%2 filas)</translation>
    </message>
    <message>
        <source>%1 logs in %2, from %3 to %4</source>
        <translation>%1 registros en %2, de %3 a %4</translation>
    </message>
    <message>
        <source>Recordings left unfinished when the program last ended are saved:</source>
        <translation>Se han guardado las grabaciones que quedaron sin terminar al cerrarse el programa la última vez:</translation>
    </message>
    <message>
        <source>... and %1 more like these</source>
        <translation>... y %1 más como estos</translation>
    </message>
    <message>
        <source>Channel %1</source>
        <translation>Canal %1</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Open Log...</source>
        <translation>&amp;Abrir registro...</translation>
    </message>
    <message>
        <source>Set &amp;Path</source>
        <translation>Elegir &amp;carpeta</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>T/Div (secs)</source>
        <translation>T/div (s)</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Save To File</source>
        <translation>Guardar en archivo</translation>
    </message>
    <message>
        <source>Record all values</source>
        <translation>Grabar todos los valores</translation>
    </message>
    <message>
        <source>DazedErir DataLogger</source>
        <translation>DazedErir Registrador de datos</translation>
    </message>
    <message>
        <source>Output file:    </source>
        <translation>Archivo de salida:    </translation>
    </message>
    <message>
        <source>Error Code 3</source>
        <translation>Código de error 3</translation>
    </message>
    <message>
        <source>Sample interval: %1ms</source>
        <translation>Intervalo de muestreo: %1 ms</translation>
    </message>
    <message>
        <source>File size %1 bytes</source>
        <translation>Tamaño del archivo %1 bytes</translation>
    </message>
    <message>
        <source>Saving data to file......</source>
        <translation>Guardando datos en el archivo......</translation>
    </message>
    <message>
        <source>Save failed: %1</source>
        <translation>Error al guardar: %1</translation>
    </message>
    <message>
        <source>Done: %1</source>
        <translation>Hecho: %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid time base: enter a whole number of seconds per division, 1 or more. The time base stays %2.</source>
        <translation>&apos;%1&apos; no es una base de tiempo válida: introduzca un número entero de segundos por división, 1 o más. La base de tiempo sigue siendo %2.</translation>
    </message>
    <message>
        <source>The last log (%1 rows) has not been saved.
Start a new log? The rows written so far stay in %2 and are recovered at the next start.</source>
        <translation>El último registro (%1 filas) no se ha guardado.
¿Empezar un registro nuevo? Las filas escritas hasta ahora quedan en %2 y se recuperan en el próximo arranque.</translation>
    </message>
    <message>
        <source>The log is not being written to the disk:
%1

Its rows are kept until the disk takes them. Stop saves them, after fixing the folder or choosing another with File &gt; Set Path.</source>
        <translation>El registro no se está escribiendo en el disco:
%1

Sus filas se conservan hasta que el disco las acepte. Detener las guarda, tras arreglar la carpeta o elegir otra con Archivo &gt; Elegir carpeta.</translation>
    </message>
    <message>
        <source>The disk has not taken the last %1 MB of the log, so logging has stopped after %2 rows.

Every row taken is kept and goes to the disk as it catches up; Stop saves the log once they are all there.</source>
        <translation>El disco no ha aceptado los últimos %1 MB del registro, así que la grabación se detuvo tras %2 filas.

Cada fila tomada se conserva y pasa al disco cuando este se ponga al día; Detener guarda el registro cuando estén todas.</translation>
    </message>
    <message>
        <source>The log could not be saved to %1:
%2

Its %3 rows are kept. Press Stop again to save them, after fixing the folder or choosing another with File &gt; Set Path.</source>
        <translation>No se pudo guardar el registro en %1:
%2

Sus %3 filas se conservan. Pulse Detener de nuevo para guardarlas, tras arreglar la carpeta o elegir otra con Archivo &gt; Elegir carpeta.</translation>
    </message>
    <message>
        <source>The data logger settings could not be saved:
%1

The choices stay in force until the program ends; closing this window tries again.</source>
        <translation>No se pudieron guardar los ajustes del registrador:
%1

Las opciones siguen vigentes hasta que termine el programa; al cerrar esta ventana se vuelve a intentar.</translation>
    </message>
    <message>
        <source>&amp;Marker (M)</source>
        <translation>&amp;Marca (M)</translation>
    </message>
    <message>
        <source>Marker %1 at %2 s</source>
        <translation>Marca %1 en %2 s</translation>
    </message>
    <message>
        <source>Note for marker %1 (Enter keeps it)</source>
        <translation>Nota de la marca %1 (Intro la guarda)</translation>
    </message>
    <message>
        <source>Press M while recording to mark a moment</source>
        <translation>Pulse M durante la grabación para marcar un momento</translation>
    </message>
    <message>
        <source>&amp;Trigger...</source>
        <translation>&amp;Disparo...</translation>
    </message>
    <message>
        <source>Marker held with the pre-trigger rows</source>
        <translation>Marca retenida con las filas previas al disparo</translation>
    </message>
    <message>
        <source>Marker dropped: no rows are kept while waiting</source>
        <translation>Marca descartada: mientras espera no se guarda ninguna fila</translation>
    </message>
    <message>
        <source>stops %1 s after %2</source>
        <translation>se detiene %1 s después de %2</translation>
    </message>
    <message>
        <source>stops after %1 s</source>
        <translation>se detiene a los %1 s</translation>
    </message>
    <message>
        <source>%1; %2</source>
        <translation>%1; %2</translation>
    </message>
    <message>
        <source>Waiting for %1, keeping the last %2 s</source>
        <translation>Esperando %1, guardando los últimos %2 s</translation>
    </message>
    <message>
        <source>Waiting for %1</source>
        <translation>Esperando %1</translation>
    </message>
    <message>
        <source>Started on %1</source>
        <translation>Iniciado con %1</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Grabando</translation>
    </message>
    <message>
        <source>%1 held: stopping %2 s after it</source>
        <translation>Se cumplió %1: se detiene %2 s después</translation>
    </message>
    <message>
        <source>Stopped %1 s after %2</source>
        <translation>Detenido %1 s después de %2</translation>
    </message>
    <message>
        <source>Stopped after %1 s</source>
        <translation>Detenido a los %1 s</translation>
    </message>
    <message>
        <source>Stopped while waiting for %1</source>
        <translation>Detenido mientras esperaba %1</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Detenido</translation>
    </message>
    <message>
        <source>Start when</source>
        <translation>Iniciar cuando</translation>
    </message>
    <message>
        <source>Stop when</source>
        <translation>Detener cuando</translation>
    </message>
    <message>
        <source>Stop delay (s)</source>
        <translation>Retardo de parada (s)</translation>
    </message>
    <message>
        <source>Pre-trigger (s)</source>
        <translation>Previo al disparo (s)</translation>
    </message>
    <message>
        <source>Stop after (s)</source>
        <translation>Detener a los (s)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>No trigger: Start records at once</source>
        <translation>Sin disparo: Iniciar graba en el acto</translation>
    </message>
    <message>
        <source>Start waits for %1</source>
        <translation>Iniciar espera %1</translation>
    </message>
    <message>
        <source>Start records at once</source>
        <translation>Iniciar graba en el acto</translation>
    </message>
</context>
<context>
    <name>TDataViewerForm</name>
    <message>
        <source>RPM</source>
        <translation>RPM</translation>
    </message>
    <message>
        <source>Target Idle</source>
        <translation>Ralentí objetivo</translation>
    </message>
    <message>
        <source>VSS</source>
        <translation>VSS</translation>
    </message>
    <message>
        <source>Battery (V)</source>
        <translation>Batería (V)</translation>
    </message>
    <message>
        <source>O2 Bank1 (V)</source>
        <translation>O2 banco1 (V)</translation>
    </message>
    <message>
        <source>O2 Bank2</source>
        <translation>O2 banco2</translation>
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
        <translation>Temp. escape (EGT)</translation>
    </message>
    <message>
        <source>Baro (mB)</source>
        <translation>Presión atm. (mbar)</translation>
    </message>
    <message>
        <source>Inj PW Bank1 (ms)</source>
        <translation>Inyección banco1 (ms)</translation>
    </message>
    <message>
        <source>Inj PW Bank2</source>
        <translation>Inyección banco2</translation>
    </message>
    <message>
        <source>IAC Adj Mon (%)</source>
        <translation>Ajuste IAC (%)</translation>
    </message>
    <message>
        <source>STFT Bank1</source>
        <translation>STFT banco1</translation>
    </message>
    <message>
        <source>STFT Bank2</source>
        <translation>STFT banco2</translation>
    </message>
    <message>
        <source>LTFT Bank1</source>
        <translation>LTFT banco1</translation>
    </message>
    <message>
        <source>LTFT Bank2</source>
        <translation>LTFT banco2</translation>
    </message>
    <message>
        <source>TFT Bank1</source>
        <translation>TFT banco1</translation>
    </message>
    <message>
        <source>TFT Bank2</source>
        <translation>TFT banco2</translation>
    </message>
    <message>
        <source>VE (%)</source>
        <translation>Rend. vol. (%)</translation>
    </message>
    <message>
        <source>Ign Timing (degs)</source>
        <translation>Encendido (°)</translation>
    </message>
    <message>
        <source>MPG</source>
        <translation>MPG</translation>
    </message>
    <message>
        <source>Evap Purge %</source>
        <translation>Purga cánister %</translation>
    </message>
    <message>
        <source>Ignition Trim</source>
        <translation>Corrección encendido</translation>
    </message>
    <message>
        <source>ATM VSS</source>
        <translation>Cambio VSS</translation>
    </message>
    <message>
        <source>ATM Pos</source>
        <translation>Cambio pos.</translation>
    </message>
    <message>
        <source>ATM Status</source>
        <translation>Cambio estado</translation>
    </message>
    <message>
        <source>Time From Start(s)</source>
        <translation>Tiempo desde arranque (s)</translation>
    </message>
    <message>
        <source>Fault Flags 1</source>
        <translation>Bits de avería 1</translation>
    </message>
    <message>
        <source>Fault Flags 2</source>
        <translation>Bits de avería 2</translation>
    </message>
    <message>
        <source>Fault Flags 3</source>
        <translation>Bits de avería 3</translation>
    </message>
    <message>
        <source>Fault Flags 4</source>
        <translation>Bits de avería 4</translation>
    </message>
    <message>
        <source>Status Flags 1</source>
        <translation>Bits de estado 1</translation>
    </message>
    <message>
        <source>Status Flags 2</source>
        <translation>Bits de estado 2</translation>
    </message>
    <message>
        <source>Status Flags 3</source>
        <translation>Bits de estado 3</translation>
    </message>
    <message>
        <source>Status Flags 4</source>
        <translation>Bits de estado 4</translation>
    </message>
    <message>
        <source>Format Data</source>
        <translation>Formateados</translation>
    </message>
    <message>
        <source>Raw Data</source>
        <translation>Datos brutos</translation>
    </message>
    <message>
        <source>Page1</source>
        <translation>Página1</translation>
    </message>
    <message>
        <source>Page2</source>
        <translation>Página2</translation>
    </message>
    <message>
        <source>Not Connected</source>
        <translation>No conectado</translation>
    </message>
    <message>
        <source>Sample Rate</source>
        <translation>Frecuencia de muestreo</translation>
    </message>
    <message>
        <source>Bad Data Count 0</source>
        <translation>Datos erróneos 0</translation>
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
        <translation>Caudal IAC (l/min)</translation>
    </message>
    <message>
        <source>IAC Duty (%)</source>
        <translation>Ciclo IAC (%)</translation>
    </message>
    <message>
        <source>ISC Pos (%)</source>
        <translation>Posición ISC (%)</translation>
    </message>
    <message>
        <source>EGR Flow (l/m)</source>
        <translation>Caudal EGR (l/min)</translation>
    </message>
    <message>
        <source>EGR Pos (%)</source>
        <translation>Posición EGR (%)</translation>
    </message>
    <message>
        <source>DazedErir DataViewer</source>
        <translation>DazedErir Visor de datos</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>No port open</source>
        <translation>Ningún puerto abierto</translation>
    </message>
</context>
<context>
    <name>TECUIDForm</name>
    <message>
        <source>ECU ID</source>
        <translation>ID de centralita</translation>
    </message>
</context>
<context>
    <name>TFaultCodesForm</name>
    <message>
        <source>No Current Codes</source>
        <translation>Sin códigos actuales</translation>
    </message>
    <message>
        <source>No Stored Codes</source>
        <translation>Sin códigos almacenados</translation>
    </message>
    <message>
        <source>Code %1
%2

</source>
        <translation>Código %1
%2

</translation>
    </message>
    <message>
        <source>Dazederir Fault Code Viewer</source>
        <translation>DazedErir Visor de códigos de avería</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Actuales</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historial</translation>
    </message>
</context>
<context>
    <name>THelpForm</name>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>KodraPower Engine Management</source>
        <translation>KodraPower Gestión del motor</translation>
    </message>
    <message>
        <source>For workshop use: run actuator tests only with the vehicle stationary and the engine conditions shown.</source>
        <translation>Para uso en taller: realice las pruebas de actuadores solo con el vehículo parado y en las condiciones de motor indicadas.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Help Contents</source>
        <translation>Temas de ayuda</translation>
    </message>
</context>
<context>
    <name>TKodraGauge</name>
    <message>
        <source>Value must be between %1 and %2</source>
        <translation>El valor debe estar entre %1 y %2</translation>
    </message>
</context>
<context>
    <name>TLimitsForm</name>
    <message>
        <source>Limits</source>
        <translation>Límites</translation>
    </message>
    <message>
        <source>A value beyond a warning limit turns its dial or box amber, beyond an alarm limit red; an alarm names the value in the main window&apos;s status bar and marks a running recording. Leave a box empty for no limit.</source>
        <translation>Un valor fuera de un límite de aviso pone su indicador o casilla en ámbar, fuera de un límite de alarma en rojo; una alarma nombra el valor en la barra de estado de la ventana principal y marca una grabación en curso. Deje una casilla vacía para no poner límite.</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valor</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Unidad</translation>
    </message>
    <message>
        <source>Low alarm</source>
        <translation>Alarma baja</translation>
    </message>
    <message>
        <source>Low warning</source>
        <translation>Aviso bajo</translation>
    </message>
    <message>
        <source>High warning</source>
        <translation>Aviso alto</translation>
    </message>
    <message>
        <source>High alarm</source>
        <translation>Alarma alta</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a number.</source>
        <translation>%1: «%2» no es un número.</translation>
    </message>
</context>
<context>
    <name>TLogViewerForm</name>
    <message>
        <source>The data logger is recording: the log can be replayed once its recording has stopped, so that none of the log&apos;s values is taken for the car&apos;s.</source>
        <translation>El registrador está grabando: el registro se puede reproducir cuando termine la grabación, para que ningún valor del registro se tome por uno del vehículo.</translation>
    </message>
    <message>
        <source>The log could not be read: %1</source>
        <translation>No se pudo leer el registro: %1</translation>
    </message>
    <message>
        <source>DazedErir Log Viewer</source>
        <translation>DazedErir Visor de registros</translation>
    </message>
    <message>
        <source>Fit all</source>
        <translation>Ajustar todo</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Open Log...</source>
        <translation>&amp;Abrir registro...</translation>
    </message>
    <message>
        <source>&amp;Export PNG...</source>
        <translation>&amp;Exportar PNG...</translation>
    </message>
    <message>
        <source>Export PNG</source>
        <translation>Exportar PNG</translation>
    </message>
    <message>
        <source>PNG pictures (*.png)</source>
        <translation>Imágenes PNG (*.png)</translation>
    </message>
    <message>
        <source>The picture could not be written to %1</source>
        <translation>No se pudo escribir la imagen en %1</translation>
    </message>
    <message>
        <source>&amp;Save Figures as CSV...</source>
        <translation>&amp;Guardar valores como CSV...</translation>
    </message>
    <message>
        <source>Save Figures as CSV</source>
        <translation>Guardar valores como CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Archivos CSV (*.csv)</translation>
    </message>
    <message>
        <source>The figures could not be written to %1</source>
        <translation>No se pudieron escribir los valores en %1</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Editar</translation>
    </message>
    <message>
        <source>&amp;Copy Figures</source>
        <translation>&amp;Copiar valores</translation>
    </message>
    <message>
        <source>Open Log</source>
        <translation>Abrir registro</translation>
    </message>
    <message>
        <source>Logs (*.csv *.txt *.msl);;All files (*)</source>
        <translation>Registros (*.csv *.txt *.msl);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>... y %1 más</translation>
    </message>
    <message>
        <source>Could not read all of %1:</source>
        <translation>No se pudo leer todo %1:</translation>
    </message>
    <message>
        <source>%1, exported %2</source>
        <translation>%1, exportado %2</translation>
    </message>
    <message>
        <source>%1, recorded %2, exported %3</source>
        <translation>%1, grabado %2, exportado %3</translation>
    </message>
</context>
<context>
    <name>TSampleRateForm</name>
    <message>
        <source>Sample Rate</source>
        <translation>Frecuencia de muestreo</translation>
    </message>
    <message>
        <source>Increase value to reduce bad data errors</source>
        <translation>Aumente el valor para reducir errores de datos</translation>
    </message>
    <message>
        <source>Reduce value to improve refresh rate</source>
        <translation>Reduzca el valor para refrescar más rápido</translation>
    </message>
    <message>
        <source>(ms)</source>
        <translation>(ms)</translation>
    </message>
    <message>
        <source>As fast as the line allows</source>
        <translation>Tan rápido como permita la línea</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>&apos;%1&apos; no es un número entero válido</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid sample rate: enter a whole number of milliseconds from %2 to %3</source>
        <translation>&apos;%1&apos; no es una frecuencia de muestreo válida: introduzca un número entero de milisegundos entre %2 y %3</translation>
    </message>
</context>
<context>
    <name>TSelDirForm</name>
    <message>
        <source>Select Directory</source>
        <translation>Elegir carpeta</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>TStatusForm</name>
    <message>
        <source>DazedErir Status Flag Viewer</source>
        <translation>DazedErir Visor de estados</translation>
    </message>
    <message>
        <source>Current Status</source>
        <translation>Estado actual</translation>
    </message>
</context>
<context>
    <name>TUnitsSelForm</name>
    <message>
        <source>Units</source>
        <translation>Unidades</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Temperatura</translation>
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
        <translation>Velocidad</translation>
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
        <translation>Cerrar</translation>
    </message>
</context>
<context>
    <name>ToolWindowMenu</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>DataViewer</source>
        <translation>Visor de datos</translation>
    </message>
    <message>
        <source>DataLogger</source>
        <translation>Registrador de datos</translation>
    </message>
    <message>
        <source>FaultCodes</source>
        <translation>Códigos de avería</translation>
    </message>
    <message>
        <source>Status Flags</source>
        <translation>Bits de estado</translation>
    </message>
    <message>
        <source>Controls</source>
        <translation>Pruebas de actuadores</translation>
    </message>
    <message>
        <source>ECU ID</source>
        <translation>ID de centralita</translation>
    </message>
    <message>
        <source>Log Viewer</source>
        <translation>Visor de registros</translation>
    </message>
    <message>
        <source>&amp;Comms</source>
        <translation>&amp;Comunicación</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Conectar</translation>
    </message>
    <message>
        <source>Baud Rate</source>
        <translation>Velocidad en baudios</translation>
    </message>
    <message>
        <source>Sample Rate</source>
        <translation>Frecuencia de muestreo</translation>
    </message>
    <message>
        <source>Record Session...</source>
        <translation>Grabar sesión...</translation>
    </message>
    <message>
        <source>Protocol</source>
        <translation>Protocolo</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Opciones</translation>
    </message>
    <message>
        <source>Units</source>
        <translation>Unidades</translation>
    </message>
    <message>
        <source>Co&amp;mmand</source>
        <translation>Co&amp;mando</translation>
    </message>
    <message>
        <source>Reset ECU</source>
        <translation>Reiniciar centralita</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ay&amp;uda</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Save Report...</source>
        <translation>Guardar informe...</translation>
    </message>
    <message>
        <source>Limits...</source>
        <translation>Límites...</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Desconectar</translation>
    </message>
    <message>
        <source>Help Contents</source>
        <translation>Temas de ayuda</translation>
    </message>
</context>
<context>
    <name>TriggerDialog</name>
    <message>
        <source>Trigger</source>
        <translation>Disparo</translation>
    </message>
    <message>
        <source>A condition is one of the four logged channels above or below a value, for example RPM &gt; 3000 or TPS(Angle) &lt; 10. Leave &quot;Start when&quot; empty to record from Start, &quot;Stop when&quot; empty to stop with Stop.</source>
        <translation>Una condición es uno de los cuatro canales registrados por encima o por debajo de un valor, por ejemplo RPM &gt; 3000 o TPS(Angle) &lt; 10. Deje «Iniciar cuando» vacío para grabar desde Iniciar, y «Detener cuando» vacío para detener con Detener.</translation>
    </message>
</context>
</TS>
