<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>AccessibleControls</name>
    <message>
        <source>%1 kbit/s</source>
        <translation>%1 kbit/s</translation>
    </message>
</context>
<context>
    <name>CDDA</name>
    <message>
        <source>No folder was chosen for the extracted audio</source>
        <translation>No se ha elegido ninguna carpeta para el audio extraído</translation>
    </message>
    <message>
        <source>The folder name is longer than %1 characters; choose a folder with a shorter name:</source>
        <translation>El nombre de la carpeta tiene más de %1 caracteres; elija una carpeta con un nombre más corto:</translation>
    </message>
    <message>
        <source>Another track is being extracted</source>
        <translation>Se está extrayendo otra pista</translation>
    </message>
    <message>
        <source>The extraction was cancelled</source>
        <translation>Se ha cancelado la extracción</translation>
    </message>
    <message>
        <source>The CD has no audio before track 1</source>
        <translation>El CD no tiene audio antes de la pista 1</translation>
    </message>
    <message>
        <source>The CD has no track %1</source>
        <translation>El CD no tiene pista %1</translation>
    </message>
    <message>
        <source>Track %1 is a data track; only audio tracks can be extracted</source>
        <translation>La pista %1 es una pista de datos; solo se pueden extraer pistas de audio</translation>
    </message>
    <message>
        <source>There is no CD in &quot;%1&quot;</source>
        <translation>No hay ningún CD en «%1»</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot read audio CDs</source>
        <translation>«%1» no puede leer CD de audio</translation>
    </message>
    <message>
        <source>Unable to read the audio CD in &quot;%1&quot;</source>
        <translation>No se puede leer el CD de audio en «%1»</translation>
    </message>
    <message>
        <source>Track %1 has no audio to extract</source>
        <translation>La pista %1 no tiene audio que extraer</translation>
    </message>
    <message>
        <source>Unable to create &quot;%1&quot;</source>
        <translation>No se puede crear «%1»</translation>
    </message>
    <message>
        <source>Unable to write &quot;%1&quot;; the disk may be full</source>
        <translation>No se puede escribir «%1»; puede que el disco esté lleno</translation>
    </message>
</context>
<context>
    <name>CaptureLine</name>
    <message>
        <source>the audio server stopped sending sound (nothing for 3 seconds)</source>
        <translation>el servidor de audio dejó de enviar sonido (nada durante 3 segundos)</translation>
    </message>
    <message>
        <source>the device stopped delivering sound (nothing for 3 seconds)</source>
        <translation>el dispositivo dejó de entregar sonido (nada durante 3 segundos)</translation>
    </message>
    <message>
        <source>the audio server stopped answering (%1)</source>
        <translation>el servidor de audio dejó de responder (%1)</translation>
    </message>
    <message>
        <source>the device failed (%1)</source>
        <translation>el dispositivo falló (%1)</translation>
    </message>
    <message>
        <source>%1: the device is closed</source>
        <translation>%1: el dispositivo está cerrado</translation>
    </message>
    <message>
        <source>the device did not open within %1 seconds</source>
        <translation>el dispositivo no se abrió en %1 segundos</translation>
    </message>
</context>
<context>
    <name>CardWaveIn</name>
    <message>
        <source>The specified command was carried out.</source>
        <translation>La orden indicada se ha ejecutado.</translation>
    </message>
    <message>
        <source>Undefined external error.</source>
        <translation>Error externo no definido.</translation>
    </message>
    <message>
        <source>A device ID has been used that is out of range for your system.</source>
        <translation>Se ha usado un identificador de dispositivo fuera del rango de su sistema.</translation>
    </message>
    <message>
        <source>The specified device is already in use. Wait until it is free, and then try again.</source>
        <translation>El dispositivo indicado ya está en uso. Espere a que quede libre y vuelva a intentarlo.</translation>
    </message>
    <message>
        <source>The specified device handle is invalid.</source>
        <translation>El identificador de dispositivo indicado no es válido.</translation>
    </message>
    <message>
        <source>There is no driver installed on your system.</source>
        <translation>No hay ningún controlador instalado en su sistema.</translation>
    </message>
    <message>
        <source>There is not enough memory available for this task.</source>
        <translation>No hay memoria suficiente para esta tarea.</translation>
    </message>
    <message>
        <source>An invalid flag was passed to a system function.</source>
        <translation>Se ha pasado un indicador no válido a una función del sistema.</translation>
    </message>
    <message>
        <source>An invalid parameter was passed to a system function.</source>
        <translation>Se ha pasado un parámetro no válido a una función del sistema.</translation>
    </message>
    <message>
        <source>The specified format is not supported or cannot be translated.</source>
        <translation>El formato indicado no es compatible o no se puede convertir.</translation>
    </message>
    <message>
        <source>Cannot perform this operation while media data is still playing.</source>
        <translation>No se puede realizar esta operación mientras se reproducen datos multimedia.</translation>
    </message>
    <message>
        <source>The wave header was not prepared.</source>
        <translation>La cabecera WAV no se ha preparado.</translation>
    </message>
</context>
<context>
    <name>CdAudioDevice</name>
    <message>
        <source>There is no disc in the CD drive.</source>
        <translation>No hay ningún disco en la unidad de CD.</translation>
    </message>
</context>
<context>
    <name>CdDisc</name>
    <message>
        <source>The CD has no track %1</source>
        <translation>El CD no tiene pista %1</translation>
    </message>
    <message>
        <source>Sector %1 lies outside the tracks of the CD</source>
        <translation>El sector %1 está fuera de las pistas del CD</translation>
    </message>
    <message>
        <source>Track %1 is a data track and holds no audio</source>
        <translation>La pista %1 es una pista de datos y no contiene audio</translation>
    </message>
    <message>
        <source>The CD could not be read at sector %1</source>
        <translation>No se ha podido leer el CD en el sector %1</translation>
    </message>
</context>
<context>
    <name>CdImage</name>
    <message>
        <source>This program has no reader for disc images</source>
        <translation>Este programa no tiene lector de imágenes de disco</translation>
    </message>
    <message>
        <source>Unable to read the CD image &quot;%1&quot;
%2</source>
        <translation>No se puede leer la imagen de disco «%1»
%2</translation>
    </message>
</context>
<context>
    <name>CdImageSheet</name>
    <message>
        <source>There is no cue sheet &quot;%1.cue&quot; beside it to say where its tracks lie</source>
        <translation>No hay junto a ella ningún archivo cue «%1.cue» que indique dónde están sus pistas</translation>
    </message>
    <message>
        <source>Unable to open &quot;%1&quot;: %2</source>
        <translation>No se puede abrir «%1»: %2</translation>
    </message>
    <message>
        <source>Sectors %1 to %2 lie outside the disc</source>
        <translation>Los sectores %1 a %2 están fuera del disco</translation>
    </message>
    <message>
        <source>Sector %1 lies in no file of the image</source>
        <translation>El sector %1 no está en ningún archivo de la imagen</translation>
    </message>
    <message>
        <source>Unable to read &quot;%1&quot; at sector %2: %3</source>
        <translation>No se puede leer «%1» en el sector %2: %3</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ends before sector %2 of the disc; the image has been cut short</source>
        <translation>«%1» termina antes del sector %2 del disco; la imagen se ha recortado</translation>
    </message>
    <message>
        <source>It does not exist</source>
        <translation>No existe</translation>
    </message>
    <message>
        <source>There is not enough memory to read it</source>
        <translation>No hay memoria suficiente para leerla</translation>
    </message>
</context>
<context>
    <name>CdRecorder</name>
    <message>
        <source>Unable to open CD player</source>
        <translation>No se puede abrir el reproductor de CD</translation>
    </message>
    <message>
        <source>unable to extract CD data</source>
        <translation>no se pueden extraer los datos del CD</translation>
    </message>
</context>
<context>
    <name>CdRun</name>
    <message>
        <source>unable to extract CD data</source>
        <translation>no se pueden extraer los datos del CD</translation>
    </message>
    <message>
        <source>accurate</source>
        <translation>exacta</translation>
    </message>
    <message>
        <source>not accurate</source>
        <translation>inexacta</translation>
    </message>
    <message>
        <source>not in database</source>
        <translation>no está en la base de datos</translation>
    </message>
    <message>
        <source>not checked</source>
        <translation>no verificada</translation>
    </message>
    <message>
        <source>1 track: %1 written</source>
        <translation>1 pista: %1 escrita</translation>
    </message>
    <message>
        <source>%1 tracks: %2 written</source>
        <translation>%1 pistas: %2 escritas</translation>
    </message>
    <message>
        <source>, %1 accurately ripped</source>
        <translation>, %1 extraídas con exactitud</translation>
    </message>
    <message>
        <source>, %1 not accurate</source>
        <translation>, %1 inexactas</translation>
    </message>
    <message>
        <source>, %1 not verified</source>
        <translation>, %1 sin verificar</translation>
    </message>
    <message>
        <source>, %1 failed</source>
        <translation>, %1 con error</translation>
    </message>
    <message>
        <source> (cancelled)</source>
        <translation> (cancelado)</translation>
    </message>
    <message>
        <source>not encoded</source>
        <translation>no codificada</translation>
    </message>
    <message>
        <source>Some sectors of the CD could not be read:</source>
        <translation>Algunos sectores del CD no se pudieron leer:</translation>
    </message>
    <message>
        <source>The audio before track 1 can only be extracted digitally</source>
        <translation>El audio anterior a la pista 1 solo se puede extraer digitalmente</translation>
    </message>
    <message>
        <source>not recorded whole</source>
        <translation>no se grabó entera</translation>
    </message>
</context>
<context>
    <name>CdioHandle</name>
    <message>
        <source>Unable to open the CD drive &quot;%1&quot;</source>
        <translation>No se puede abrir la unidad de CD «%1»</translation>
    </message>
    <message>
        <source>libcdio cannot read it</source>
        <translation>libcdio no puede leerla</translation>
    </message>
    <message>
        <source>No CD drive found</source>
        <translation>No se ha encontrado ninguna unidad de CD</translation>
    </message>
</context>
<context>
    <name>ClipLight</name>
    <message>
        <source>CLIP</source>
        <translation>SAT.</translation>
    </message>
    <message>
        <source>Clip light</source>
        <translation>Indicador de saturación</translation>
    </message>
    <message>
        <source>Lights when the input reaches full scale; click to reset it and the peak hold</source>
        <translation>Se enciende cuando la entrada alcanza la escala completa; haga clic para restablecerlo junto con la retención de picos</translation>
    </message>
    <message>
        <source>The input clipped: lower the recording level. Click to reset.</source>
        <translation>La entrada se ha saturado: baje el nivel de grabación. Haga clic para restablecer.</translation>
    </message>
    <message>
        <source>No clipping since the take began</source>
        <translation>Sin saturación desde el inicio de la toma</translation>
    </message>
</context>
<context>
    <name>CoverArt</name>
    <message>
        <source>The disc ID &quot;%1&quot; cannot name a cache file</source>
        <translation>El identificador de disco «%1» no puede dar nombre a un archivo de caché</translation>
    </message>
    <message>
        <source>Unable to create the folder &quot;%1&quot;</source>
        <translation>No se puede crear la carpeta «%1»</translation>
    </message>
    <message>
        <source>Unable to write &quot;%1&quot;</source>
        <translation>No se puede escribir «%1»</translation>
    </message>
</context>
<context>
    <name>CoverWell</name>
    <message>
        <source>Cover picture</source>
        <translation>Imagen de portada</translation>
    </message>
    <message>
        <source>Cover picture: Browse for a JPEG or PNG file or drop one here; None removes it</source>
        <translation>Imagen de portada: busque un archivo JPEG o PNG o suéltelo aquí; «Ninguna» la quita</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Examinar…</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Ninguna</translation>
    </message>
    <message>
        <source>Cover</source>
        <translation>Portada</translation>
    </message>
    <message>
        <source>This picture cannot be used as the cover.</source>
        <translation>Esta imagen no se puede usar como portada.</translation>
    </message>
    <message>
        <source>Choose a cover picture</source>
        <translation>Elegir una imagen de portada</translation>
    </message>
    <message>
        <source>Pictures (*.jpg;*.jpeg;*.png)|*.jpg;*.jpeg;*.png</source>
        <translation>Imágenes (*.jpg;*.jpeg;*.png)|*.jpg;*.jpeg;*.png</translation>
    </message>
</context>
<context>
    <name>CueSheet</name>
    <message>
        <source>The track mode &quot;%1&quot; is unknown</source>
        <translation>El modo de pista «%1» es desconocido</translation>
    </message>
    <message>
        <source>A FILE line names no file (line %1)</source>
        <translation>Una línea FILE no nombra ningún archivo (línea %1)</translation>
    </message>
    <message>
        <source>The file type %1 of &quot;%2&quot; cannot be read (line %3)</source>
        <translation>El tipo de archivo %1 de «%2» no se puede leer (línea %3)</translation>
    </message>
    <message>
        <source>A TRACK line has no number or mode (line %1)</source>
        <translation>Una línea TRACK no tiene número o modo (línea %1)</translation>
    </message>
    <message>
        <source>Track %1 comes before any FILE line</source>
        <translation>La pista %1 aparece antes de cualquier línea FILE</translation>
    </message>
    <message>
        <source>Track %1 does not follow track %2; tracks are numbered 1 to 99 in order (line %3)</source>
        <translation>La pista %1 no sigue a la pista %2; las pistas se numeran del 1 al 99 en orden (línea %3)</translation>
    </message>
    <message>
        <source>%1 comes before any TRACK line (line %2)</source>
        <translation>%1 aparece antes de cualquier línea TRACK (línea %2)</translation>
    </message>
    <message>
        <source>The %1 line of track %2 gives no time mm:ss:ff (line %3)</source>
        <translation>La línea %1 de la pista %2 no indica ningún tiempo mm:ss:ff (línea %3)</translation>
    </message>
    <message>
        <source>Track %1 continues into another FILE (line %2)</source>
        <translation>La pista %1 continúa en otro FILE (línea %2)</translation>
    </message>
    <message>
        <source>INDEX 01 of track %1 lies before its INDEX 00 (line %2)</source>
        <translation>El INDEX 01 de la pista %1 está antes de su INDEX 00 (línea %2)</translation>
    </message>
    <message>
        <source>INDEX %1 of track %2 comes before its INDEX 01 (line %3)</source>
        <translation>El INDEX %1 de la pista %2 aparece antes de su INDEX 01 (línea %3)</translation>
    </message>
    <message>
        <source>Track %1 has no INDEX 01</source>
        <translation>La pista %1 no tiene INDEX 01</translation>
    </message>
    <message>
        <source>Track %1 starts at %2, not after track %3 (%4)</source>
        <translation>La pista %1 empieza en %2, no después de la pista %3 (%4)</translation>
    </message>
    <message>
        <source>The disc would be longer than any CD</source>
        <translation>El disco sería más largo que cualquier CD</translation>
    </message>
    <message>
        <source>Track %1 starts at %2, past the end of &quot;%3&quot; (%4 long)</source>
        <translation>La pista %1 empieza en %2, después del final de «%3» (dura %4)</translation>
    </message>
    <message>
        <source>Tracks %1 and %2 share &quot;%3&quot; with different sector sizes</source>
        <translation>Las pistas %1 y %2 comparten «%3» con tamaños de sector distintos</translation>
    </message>
</context>
<context>
    <name>DecodedAudioFile</name>
    <message>
        <source>It is a folder</source>
        <translation>Es una carpeta</translation>
    </message>
    <message>
        <source>It is no regular file</source>
        <translation>No es un archivo normal</translation>
    </message>
    <message>
        <source>It is neither a FLAC nor an Ogg stream</source>
        <translation>No es un flujo FLAC ni Ogg</translation>
    </message>
    <message>
        <source>It cannot be decoded: %1</source>
        <translation>No se puede decodificar: %1</translation>
    </message>
    <message>
        <source>It gives no length, channels or sample rate</source>
        <translation>No indica duración, canales ni frecuencia de muestreo</translation>
    </message>
    <message>
        <source>The file ends before frame %1</source>
        <translation>El archivo termina antes de la trama %1</translation>
    </message>
    <message>
        <source>It cannot be decoded at frame %1: %2</source>
        <translation>No se puede decodificar en la trama %1: %2</translation>
    </message>
    <message>
        <source>It cannot be decoded at frame %1: the stream ends early</source>
        <translation>No se puede decodificar en la trama %1: el flujo termina antes de tiempo</translation>
    </message>
</context>
<context>
    <name>DiscCache</name>
    <message>
        <source>The disc ID &quot;%1&quot; cannot name a cache file</source>
        <translation>El identificador de disco «%1» no puede dar nombre a un archivo de caché</translation>
    </message>
    <message>
        <source>Unable to create the folder &quot;%1&quot;</source>
        <translation>No se puede crear la carpeta «%1»</translation>
    </message>
    <message>
        <source>Unable to write &quot;%1&quot;</source>
        <translation>No se puede escribir «%1»</translation>
    </message>
</context>
<context>
    <name>DiscDetails</name>
    <message>
        <source>Unknown artist</source>
        <translation>Artista desconocido</translation>
    </message>
    <message>
        <source>Unknown album</source>
        <translation>Álbum desconocido</translation>
    </message>
    <message>
        <source>%1 tracks</source>
        <translation>%1 pistas</translation>
    </message>
</context>
<context>
    <name>DiscId</name>
    <message>
        <source>The CD has no audio tracks to identify it by</source>
        <translation>El CD no tiene pistas de audio con las que identificarlo</translation>
    </message>
    <message>
        <source>The CD&apos;s table of contents ends before its last track</source>
        <translation>La tabla de contenido del CD termina antes de su última pista</translation>
    </message>
    <message>
        <source>Out of memory while identifying the CD</source>
        <translation>Memoria agotada al identificar el CD</translation>
    </message>
    <message>
        <source>The CD cannot be identified: %1</source>
        <translation>No se puede identificar el CD: %1</translation>
    </message>
</context>
<context>
    <name>DiscLookup</name>
    <message>
        <source>Found in the cache</source>
        <translation>Encontrado en la caché</translation>
    </message>
    <message>
        <source>Found on MusicBrainz</source>
        <translation>Encontrado en MusicBrainz</translation>
    </message>
    <message>
        <source>No match on MusicBrainz</source>
        <translation>Sin coincidencias en MusicBrainz</translation>
    </message>
    <message>
        <source>MusicBrainz cannot be reached</source>
        <translation>No se puede acceder a MusicBrainz</translation>
    </message>
    <message>
        <source>Found on gnudb</source>
        <translation>Encontrado en gnudb</translation>
    </message>
    <message>
        <source>No match on gnudb</source>
        <translation>Sin coincidencias en gnudb</translation>
    </message>
    <message>
        <source>gnudb cannot be reached</source>
        <translation>No se puede acceder a gnudb</translation>
    </message>
    <message>
        <source>Using CD-Text</source>
        <translation>Usando CD-Text</translation>
    </message>
    <message>
        <source>Offline: using CD-Text</source>
        <translation>Sin conexión: usando CD-Text</translation>
    </message>
    <message>
        <source>No details found for this disc</source>
        <translation>No se han encontrado datos de este disco</translation>
    </message>
    <message>
        <source>No details: %1</source>
        <translation>Sin datos: %1</translation>
    </message>
</context>
<context>
    <name>EncoderSettings</name>
    <message>
        <source>variable bit rate, quality V%1</source>
        <translation>tasa de bits variable, calidad V%1</translation>
    </message>
    <message>
        <source>constant bit rate, %1 kbit/s</source>
        <translation>tasa de bits constante, %1 kbit/s</translation>
    </message>
    <message>
        <source>joint stereo</source>
        <translation>estéreo conjunto</translation>
    </message>
    <message>
        <source>stereo</source>
        <translation>estéreo</translation>
    </message>
    <message>
        <source>MP3 file</source>
        <translation>Archivo MP3</translation>
    </message>
    <message>
        <source>MP3 inside a wave file</source>
        <translation>MP3 dentro de un archivo WAV</translation>
    </message>
</context>
<context>
    <name>Encoding</name>
    <message>
        <source>%1 was cut short while it was read (%2). No MP3 file was made.</source>
        <translation>%1 se ha acortado mientras se leía (%2). No se ha creado ningún archivo MP3.</translation>
    </message>
</context>
<context>
    <name>ErrorReport</name>
    <message>
        <source>Unknown error</source>
        <translation>Error desconocido</translation>
    </message>
</context>
<context>
    <name>ImageParsing</name>
    <message>
        <source>It cannot be read: %1</source>
        <translation>No se puede leer: %1</translation>
    </message>
    <message>
        <source>The sheet is %1 bytes long; a cue sheet or table of contents is far smaller</source>
        <translation>El archivo ocupa %1 bytes; un archivo cue o una tabla de contenido es mucho más pequeño</translation>
    </message>
    <message>
        <source>It cannot be read</source>
        <translation>No se puede leer</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be read: %2</source>
        <translation>El archivo «%1» no se puede leer: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is neither a wave file nor FLAC or Ogg audio</source>
        <translation>«%1» no es un archivo WAV ni audio FLAC u Ogg</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not 16-bit stereo 44100 Hz PCM, as CD audio is</source>
        <translation>«%1» no es PCM estéreo de 16 bits a 44100 Hz, como el audio de un CD</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds no CD audio samples a wave file can hold</source>
        <translation>«%1» no contiene muestras de audio de CD que un archivo WAV pueda contener</translation>
    </message>
    <message>
        <source>A FILE line names no file</source>
        <translation>Una línea FILE no nombra ningún archivo</translation>
    </message>
    <message>
        <source>The sheet names &quot;%1&quot;; &quot;%2&quot; was read</source>
        <translation>El archivo cue nombra «%1»; se ha leído «%2»</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be read as audio: %2</source>
        <translation>«%1» no se puede leer como audio: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2 of %3 channels at %4 Hz, %5-bit; CD audio is 16-bit stereo 44100 Hz</source>
        <translation>«%1» es %2 de %3 canales a %4 Hz, %5 bits; el audio de un CD es estéreo de 16 bits a 44100 Hz</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2 of %3 channels at %4 Hz; CD audio is 16-bit stereo 44100 Hz</source>
        <translation>«%1» es %2 de %3 canales a %4 Hz; el audio de un CD es estéreo de 16 bits a 44100 Hz</translation>
    </message>
    <message>
        <source>The sheet lists no track</source>
        <translation>El archivo no enumera ninguna pista</translation>
    </message>
    <message>
        <source>The sheet lists %1 tracks; a CD holds 1 to 99</source>
        <translation>El archivo enumera %1 pistas; un CD contiene de 1 a 99</translation>
    </message>
    <message>
        <source>The disc is not a whole number of sectors long</source>
        <translation>La longitud del disco no es un número entero de sectores</translation>
    </message>
    <message>
        <source>The disc would be %1 long, more than any CD holds</source>
        <translation>El disco duraría %1, más de lo que cabe en cualquier CD</translation>
    </message>
    <message>
        <source>Track %1 has no sectors</source>
        <translation>La pista %1 no tiene sectores</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is shorter than the sheet says: it holds %2 bytes, the tracks need %3</source>
        <translation>«%1» es más corto de lo que indica el archivo: contiene %2 bytes y las pistas necesitan %3</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; named in &quot;%2&quot; does not exist</source>
        <translation>El archivo «%1» nombrado en «%2» no existe</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; named in &quot;%2&quot; is a folder</source>
        <translation>El archivo «%1» nombrado en «%2» es una carpeta</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; named in &quot;%2&quot; is a device, not a file</source>
        <translation>El archivo «%1» nombrado en «%2» es un dispositivo, no un archivo</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; named in &quot;%2&quot; cannot be read: %3</source>
        <translation>El archivo «%1» nombrado en «%2» no se puede leer: %3</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; named in &quot;%2&quot; is no regular file</source>
        <translation>El archivo «%1» nombrado en «%2» no es un archivo normal</translation>
    </message>
</context>
<context>
    <name>InstanceFolder</name>
    <message>
        <source>Unable to create the folder for temporary files</source>
        <translation>No se puede crear la carpeta de archivos temporales</translation>
    </message>
</context>
<context>
    <name>LiveTakeControls</name>
    <message>
        <source>Stop after</source>
        <translation>Parar tras</translation>
    </message>
    <message>
        <source>Stop after, hours minutes seconds</source>
        <translation>Parar tras, horas minutos segundos</translation>
    </message>
</context>
<context>
    <name>MMBlade</name>
    <message>
        <source>Unsupported Input Format</source>
        <translation>Formato de entrada no compatible</translation>
    </message>
    <message>
        <source>Unable to initialize stream</source>
        <translation>No se puede inicializar el flujo</translation>
    </message>
    <message>
        <source>Unable to create file</source>
        <translation>No se puede crear el archivo</translation>
    </message>
    <message>
        <source>Unable to deinitialize stream</source>
        <translation>No se puede cerrar el flujo</translation>
    </message>
    <message>
        <source>Unable to encode data</source>
        <translation>No se pueden codificar los datos</translation>
    </message>
</context>
<context>
    <name>MediaDevice</name>
    <message>
        <source>No media device is open under this identifier.</source>
        <translation>No hay ningún dispositivo multimedia abierto con este identificador.</translation>
    </message>
    <message>
        <source>The media device does not know this command.</source>
        <translation>El dispositivo multimedia no conoce esta orden.</translation>
    </message>
    <message>
        <source>The media device failed.</source>
        <translation>El dispositivo multimedia ha fallado.</translation>
    </message>
    <message>
        <source>There is no media device of this type.</source>
        <translation>No hay ningún dispositivo multimedia de este tipo.</translation>
    </message>
    <message>
        <source>There is not enough memory for the media device.</source>
        <translation>No hay memoria suficiente para el dispositivo multimedia.</translation>
    </message>
    <message>
        <source>The media device is in use by another player.</source>
        <translation>Otro reproductor está usando el dispositivo multimedia.</translation>
    </message>
    <message>
        <source>The media device cannot carry out this command.</source>
        <translation>El dispositivo multimedia no puede ejecutar esta orden.</translation>
    </message>
    <message>
        <source>The file cannot be found. Check the folder and the file name.</source>
        <translation>No se encuentra el archivo. Compruebe la carpeta y el nombre del archivo.</translation>
    </message>
    <message>
        <source>The position lies outside the file or the medium.</source>
        <translation>La posición está fuera del archivo o del soporte.</translation>
    </message>
    <message>
        <source>No media device can play this file.</source>
        <translation>Ningún dispositivo multimedia puede reproducir este archivo.</translation>
    </message>
    <message>
        <source>The media device does not support this time format.</source>
        <translation>El dispositivo multimedia no admite este formato de tiempo.</translation>
    </message>
    <message>
        <source>The file cannot be played.</source>
        <translation>El archivo no se puede reproducir.</translation>
    </message>
    <message>
        <source>No MIDI synthesiser is available: no usable sound font was found.</source>
        <translation>No hay ningún sintetizador MIDI disponible: no se ha encontrado ningún banco de sonidos utilizable.</translation>
    </message>
    <message>
        <source>Unknown error code</source>
        <translation>Código de error desconocido</translation>
    </message>
</context>
<context>
    <name>MediaPlayer</name>
    <message>
        <source>The command was carried out.</source>
        <translation>La orden se ha ejecutado.</translation>
    </message>
    <message>
        <source>Unknown error code</source>
        <translation>Código de error desconocido</translation>
    </message>
</context>
<context>
    <name>MessageTable</name>
    <message>
        <source>Change to property while device was open</source>
        <translation>Se ha cambiado una propiedad mientras el dispositivo estaba abierto</translation>
    </message>
    <message>
        <source>Invalid DeviceID</source>
        <translation>Identificador de dispositivo no válido</translation>
    </message>
    <message>
        <source>Unable to allocate memory for wave header</source>
        <translation>No se puede reservar memoria para la cabecera WAV</translation>
    </message>
    <message>
        <source>Unable to free header memory</source>
        <translation>No se puede liberar la memoria de la cabecera</translation>
    </message>
    <message>
        <source>Unable to start device</source>
        <translation>No se puede iniciar el dispositivo</translation>
    </message>
    <message>
        <source>Error filling wave buffer</source>
        <translation>Error al llenar el búfer de audio</translation>
    </message>
    <message>
        <source>Specified error number is out of range (unknown error)</source>
        <translation>Número de error fuera de rango (error desconocido)</translation>
    </message>
    <message>
        <source>The actual device can&apos;t record this format</source>
        <translation>El dispositivo actual no puede grabar este formato</translation>
    </message>
    <message>
        <source>Could not create thread</source>
        <translation>No se ha podido crear el hilo</translation>
    </message>
    <message>
        <source>Invalid wave format</source>
        <translation>Formato WAV no válido</translation>
    </message>
    <message>
        <source>No wave audio recording device found</source>
        <translation>No se ha encontrado ningún dispositivo de grabación de audio</translation>
    </message>
    <message>
        <source>Unable to open device</source>
        <translation>No se puede abrir el dispositivo</translation>
    </message>
    <message>
        <source>Unable to close device</source>
        <translation>No se puede cerrar el dispositivo</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>The disk was full or writing the MP3 file failed. No MP3 file was made.</source>
        <translation>El disco estaba lleno o falló la escritura del archivo MP3. No se ha creado ningún archivo MP3.</translation>
    </message>
    <message>
        <source>unable to write header</source>
        <translation>no se puede escribir la cabecera</translation>
    </message>
    <message>
        <source>The disk was full or writing the temporary wave file failed. The recording has stopped and will not be encoded.</source>
        <translation>El disco estaba lleno o falló la escritura del archivo WAV temporal. La grabación se ha detenido y no se codificará.</translation>
    </message>
    <message>
        <source>The disk was full or writing the temporary wave file failed. Only the part converted until then will be encoded.</source>
        <translation>El disco estaba lleno o falló la escritura del archivo WAV temporal. Solo se codificará la parte convertida hasta entonces.</translation>
    </message>
    <message>
        <source>The recording device stopped working (it was removed or unplugged). The recording ends here; what was recorded until then has been saved.</source>
        <translation>El dispositivo de grabación dejó de funcionar (se quitó o se desconectó). La grabación termina aquí; lo grabado hasta ese momento se ha guardado.</translation>
    </message>
</context>
<context>
    <name>MidiFile</name>
    <message>
        <source>%1: a named pipe, not a MIDI file</source>
        <translation>%1: una tubería con nombre, no un archivo MIDI</translation>
    </message>
    <message>
        <source>%1: a folder, not a MIDI file</source>
        <translation>%1: una carpeta, no un archivo MIDI</translation>
    </message>
    <message>
        <source>%1: a device, not a MIDI file</source>
        <translation>%1: un dispositivo, no un archivo MIDI</translation>
    </message>
    <message>
        <source>%1: a socket, not a MIDI file</source>
        <translation>%1: un socket, no un archivo MIDI</translation>
    </message>
    <message>
        <source>%1: not a regular file, not a MIDI file</source>
        <translation>%1: no es un archivo normal ni un archivo MIDI</translation>
    </message>
    <message>
        <source>The RMID file&apos;s MIDI data runs past the end of the file.</source>
        <translation>Los datos MIDI del archivo RMID van más allá del final del archivo.</translation>
    </message>
    <message>
        <source>The RMID file holds no MIDI data.</source>
        <translation>El archivo RMID no contiene datos MIDI.</translation>
    </message>
    <message>
        <source>Track %1 is truncated: it ends inside an event.</source>
        <translation>La pista %1 está truncada: termina en medio de un evento.</translation>
    </message>
    <message>
        <source>Track %1 holds a length or time longer than four bytes.</source>
        <translation>La pista %1 contiene una longitud o un tiempo de más de cuatro bytes.</translation>
    </message>
    <message>
        <source>The MIDI file cannot be opened.</source>
        <translation>No se puede abrir el archivo MIDI.</translation>
    </message>
    <message>
        <source>The MIDI file cannot be read.</source>
        <translation>No se puede leer el archivo MIDI.</translation>
    </message>
    <message>
        <source>The file is too large to be a MIDI file.</source>
        <translation>El archivo es demasiado grande para ser un archivo MIDI.</translation>
    </message>
    <message>
        <source>The file is empty.</source>
        <translation>El archivo está vacío.</translation>
    </message>
    <message>
        <source>The file is not a MIDI file.</source>
        <translation>El archivo no es un archivo MIDI.</translation>
    </message>
    <message>
        <source>The MIDI file is too long to be played.</source>
        <translation>El archivo MIDI es demasiado largo para reproducirlo.</translation>
    </message>
    <message>
        <source>The MIDI file lasts %1 hours; songs longer than 12 hours are not played.</source>
        <translation>El archivo MIDI dura %1 horas; las canciones de más de 12 horas no se reproducen.</translation>
    </message>
    <message>
        <source>The MIDI file&apos;s header is truncated.</source>
        <translation>La cabecera del archivo MIDI está truncada.</translation>
    </message>
    <message>
        <source>The MIDI file&apos;s header has a wrong length.</source>
        <translation>La cabecera del archivo MIDI tiene una longitud errónea.</translation>
    </message>
    <message>
        <source>MIDI files of format 2 (independent sequences) cannot be played.</source>
        <translation>Los archivos MIDI de formato 2 (secuencias independientes) no se pueden reproducir.</translation>
    </message>
    <message>
        <source>The MIDI file has an unknown format (%1).</source>
        <translation>El archivo MIDI tiene un formato desconocido (%1).</translation>
    </message>
    <message>
        <source>The MIDI file holds no tracks.</source>
        <translation>El archivo MIDI no contiene pistas.</translation>
    </message>
    <message>
        <source>The MIDI file has an invalid SMPTE frame rate (%1).</source>
        <translation>El archivo MIDI tiene una velocidad de fotogramas SMPTE no válida (%1).</translation>
    </message>
    <message>
        <source>The MIDI file has a time division of 0.</source>
        <translation>El archivo MIDI tiene una división de tiempo de 0.</translation>
    </message>
    <message>
        <source>The MIDI file ends before its first track.</source>
        <translation>El archivo MIDI termina antes de su primera pista.</translation>
    </message>
    <message>
        <source>The MIDI file announces %1 tracks but holds only %2.</source>
        <translation>El archivo MIDI anuncia %1 pistas pero solo contiene %2.</translation>
    </message>
    <message>
        <source>Track %1 says it is %2 bytes long, but only %3 bytes remain in the file.</source>
        <translation>La pista %1 indica %2 bytes, pero solo quedan %3 bytes en el archivo.</translation>
    </message>
    <message>
        <source>Track %1 is truncated: it ends after an event time.</source>
        <translation>La pista %1 está truncada: termina tras el tiempo de un evento.</translation>
    </message>
    <message>
        <source>Track %1 has a data byte where an event&apos;s status belongs.</source>
        <translation>La pista %1 tiene un byte de datos donde debe ir el estado de un evento.</translation>
    </message>
    <message>
        <source>Track %1 has a status byte where an event&apos;s data belongs.</source>
        <translation>La pista %1 tiene un byte de estado donde deben ir los datos de un evento.</translation>
    </message>
    <message>
        <source>Track %1 holds the status byte %2, which a MIDI file may not contain.</source>
        <translation>La pista %1 contiene el byte de estado %2, que un archivo MIDI no puede contener.</translation>
    </message>
    <message>
        <source>Track %1 is truncated: an event&apos;s data runs past the end of the track.</source>
        <translation>La pista %1 está truncada: los datos de un evento van más allá del final de la pista.</translation>
    </message>
    <message>
        <source>Track %1 has a tempo change of %2 bytes (3 expected).</source>
        <translation>La pista %1 tiene un cambio de tempo de %2 bytes (se esperaban 3).</translation>
    </message>
    <message>
        <source>Track %1 sets a tempo of 0.</source>
        <translation>La pista %1 fija un tempo de 0.</translation>
    </message>
</context>
<context>
    <name>MidiSynth</name>
    <message>
        <source>No sound font is available for the MIDI synthesiser.</source>
        <translation>No hay ningún banco de sonidos disponible para el sintetizador MIDI.</translation>
    </message>
    <message>
        <source>The sound font &quot;%1&quot; cannot be loaded.</source>
        <translation>No se puede cargar el banco de sonidos «%1».</translation>
    </message>
    <message>
        <source>The sound font &quot;%1&quot; cannot be loaded: it is not a usable SoundFont 2 file.</source>
        <translation>No se puede cargar el banco de sonidos «%1»: no es un archivo SoundFont 2 utilizable.</translation>
    </message>
    <message>
        <source>The sound font &quot;%1&quot; cannot be loaded: %2.</source>
        <translation>No se puede cargar el banco de sonidos «%1»: %2.</translation>
    </message>
    <message>
        <source>The MIDI synthesiser cannot start.</source>
        <translation>El sintetizador MIDI no puede iniciarse.</translation>
    </message>
    <message>
        <source>The MIDI synthesiser cannot play the file.</source>
        <translation>El sintetizador MIDI no puede reproducir el archivo.</translation>
    </message>
</context>
<context>
    <name>NeroImage</name>
    <message>
        <source>Track %1 lies outside the image&apos;s audio (offsets %2, %3, %4)</source>
        <translation>La pista %1 está fuera del audio de la imagen (posiciones %2, %3, %4)</translation>
    </message>
    <message>
        <source>Track %1 is no whole number of %2-byte sectors</source>
        <translation>La pista %1 no es un número entero de sectores de %2 bytes</translation>
    </message>
    <message>
        <source>Track %1 overlaps the track before it</source>
        <translation>La pista %1 se solapa con la pista anterior</translation>
    </message>
    <message>
        <source>The disc would be longer than any CD</source>
        <translation>El disco sería más largo que cualquier CD</translation>
    </message>
    <message>
        <source>track list (chunk %1)</source>
        <translation>lista de pistas (bloque %1)</translation>
    </message>
    <message>
        <source>cue point list (chunk %1)</source>
        <translation>lista de puntos de referencia (bloque %1)</translation>
    </message>
    <message>
        <source>chunk (chunk %1)</source>
        <translation>bloque (bloque %1)</translation>
    </message>
    <message>
        <source>track list of unreadable id (bytes %1)</source>
        <translation>lista de pistas con identificador ilegible (bytes %1)</translation>
    </message>
    <message>
        <source>cue point list of unreadable id (bytes %1)</source>
        <translation>lista de puntos de referencia con identificador ilegible (bytes %1)</translation>
    </message>
    <message>
        <source>chunk of unreadable id (bytes %1)</source>
        <translation>bloque con identificador ilegible (bytes %1)</translation>
    </message>
    <message>
        <source>A track has the unknown mode %1</source>
        <translation>Una pista tiene el modo desconocido %1</translation>
    </message>
    <message>
        <source>It cannot be read: %1</source>
        <translation>No se puede leer: %1</translation>
    </message>
    <message>
        <source>It is too short for a Nero image</source>
        <translation>Es demasiado corta para una imagen Nero</translation>
    </message>
    <message>
        <source>It has no Nero footer (NER5 or NERO) at its end</source>
        <translation>No tiene pie Nero (NER5 o NERO) al final</translation>
    </message>
    <message>
        <source>Its footer gives the chunk list&apos;s place as %1, outside the image&apos;s %2 bytes before the footer</source>
        <translation>Su pie sitúa la lista de bloques en %1, fuera de los %2 bytes de la imagen antes del pie</translation>
    </message>
    <message>
        <source>Its chunk list would take %1 bytes, far more than a CD&apos;s needs</source>
        <translation>Su lista de bloques ocuparía %1 bytes, mucho más de lo que necesita un CD</translation>
    </message>
    <message>
        <source>Its chunk list cannot be read</source>
        <translation>Su lista de bloques no se puede leer</translation>
    </message>
    <message>
        <source>Its chunk list ends without an END! chunk</source>
        <translation>Su lista de bloques termina sin bloque END!</translation>
    </message>
    <message>
        <source>Its %1 claims %2 bytes, past the end of the chunk list</source>
        <translation>En la imagen: %1 declara %2 bytes, más allá del final de la lista de bloques</translation>
    </message>
    <message>
        <source>Its %1 of %2 bytes holds no whole track entries</source>
        <translation>En la imagen: %1 de %2 bytes no contiene entradas de pista completas</translation>
    </message>
    <message>
        <source>Its %1 numbers its %2 tracks from %3 to %4</source>
        <translation>En la imagen: %1 numera sus %2 pistas del %3 al %4</translation>
    </message>
    <message>
        <source>Track %1 has sectors of %2 bytes</source>
        <translation>La pista %1 tiene sectores de %2 bytes</translation>
    </message>
    <message>
        <source>Track %1 is longer than the image</source>
        <translation>La pista %1 es más larga que la imagen</translation>
    </message>
    <message>
        <source>Its %1 of %2 bytes holds no whole cue points</source>
        <translation>En la imagen: %1 de %2 bytes no contiene puntos de referencia completos</translation>
    </message>
    <message>
        <source>Its %1 lists %2 tracks; a CD holds 1 to 99</source>
        <translation>En la imagen: %1 enumera %2 pistas; un CD contiene de 1 a 99</translation>
    </message>
    <message>
        <source>It holds more than one session; only single-session images can be read</source>
        <translation>Contiene más de una sesión; solo se pueden leer imágenes de una sesión</translation>
    </message>
    <message>
        <source>Its chunk list holds no track list (DAOX, DAOI, ETN2 or ETNF)</source>
        <translation>Su lista de bloques no contiene ninguna lista de pistas (DAOX, DAOI, ETN2 o ETNF)</translation>
    </message>
</context>
<context>
    <name>OutputGuard</name>
    <message>
        <source>The MP3 file cannot replace the MIDI file it is made from. Choose another name for the MP3 file.</source>
        <translation>El archivo MP3 no puede sustituir al archivo MIDI del que se crea. Elija otro nombre para el archivo MP3.</translation>
    </message>
    <message>
        <source>The MP3 file cannot replace the recording it is made from. Choose another name for the MP3 file.</source>
        <translation>El archivo MP3 no puede sustituir a la grabación de la que se crea. Elija otro nombre para el archivo MP3.</translation>
    </message>
    <message>
        <source>The MP3 file cannot replace the wave file it is made from. Choose another name for the MP3 file.</source>
        <translation>El archivo MP3 no puede sustituir al archivo WAV del que se crea. Elija otro nombre para el archivo MP3.</translation>
    </message>
    <message>
        <source>The MP3 file cannot replace a folder. Choose another name for the MP3 file.</source>
        <translation>El archivo MP3 no puede sustituir a una carpeta. Elija otro nombre para el archivo MP3.</translation>
    </message>
    <message>
        <source>The MP3 file cannot replace a named pipe. Choose another name for the MP3 file.</source>
        <translation>El archivo MP3 no puede sustituir a una tubería con nombre. Elija otro nombre para el archivo MP3.</translation>
    </message>
    <message>
        <source>The MP3 file cannot replace a device. Choose another name for the MP3 file.</source>
        <translation>El archivo MP3 no puede sustituir a un dispositivo. Elija otro nombre para el archivo MP3.</translation>
    </message>
    <message>
        <source>The MP3 file cannot replace a socket. Choose another name for the MP3 file.</source>
        <translation>El archivo MP3 no puede sustituir a un socket. Elija otro nombre para el archivo MP3.</translation>
    </message>
    <message>
        <source>The MP3 file cannot replace something that is not a regular file. Choose another name for the MP3 file.</source>
        <translation>El archivo MP3 no puede sustituir a algo que no es un archivo normal. Elija otro nombre para el archivo MP3.</translation>
    </message>
    <message>
        <source>The MP3 file could not be saved.</source>
        <translation>No se ha podido guardar el archivo MP3.</translation>
    </message>
    <message>
        <source>Another program wrote this file while the MP3 file was being made. Replace it with the new MP3 file?</source>
        <translation>Otro programa ha escrito este archivo mientras se creaba el archivo MP3. ¿Sustituirlo por el nuevo archivo MP3?</translation>
    </message>
</context>
<context>
    <name>PreferencesWindow</name>
    <message>
        <source>&amp;Microphone:</source>
        <translation>&amp;Micrófono:</translation>
    </message>
    <message>
        <source>&amp;Line input:</source>
        <translation>Entrada de &amp;línea:</translation>
    </message>
    <message>
        <source>&amp;Aux input:</source>
        <translation>Entrada &amp;AUX:</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Ninguna</translation>
    </message>
    <message>
        <source>&amp;Speakers:</source>
        <translation>Altavoce&amp;s:</translation>
    </message>
    <message>
        <source>The first drive</source>
        <translation>La primera unidad</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Examinar…</translation>
    </message>
    <message>
        <source>Open a disc image</source>
        <translation>Abrir una imagen de disco</translation>
    </message>
    <message>
        <source>Disc images</source>
        <translation>Imágenes de disco</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Todos los archivos</translation>
    </message>
    <message>
        <source>CD d&amp;rive or disc image:</source>
        <translation>&amp;Unidad de CD o imagen de disco:</translation>
    </message>
    <message>
        <source>&amp;Look up discs on the network</source>
        <translation>Buscar &amp;los discos en la red</translation>
    </message>
    <message>
        <source>&amp;MusicBrainz server:</source>
        <translation>Servidor &amp;MusicBrainz:</translation>
    </message>
    <message>
        <source>&amp;gnudb server:</source>
        <translation>Servidor &amp;gnudb:</translation>
    </message>
    <message>
        <source>Co&amp;vers from:</source>
        <translation>&amp;Portadas desde:</translation>
    </message>
    <message>
        <source>No covers</source>
        <translation>Sin portadas</translation>
    </message>
    <message>
        <source>&amp;AccurateRip database:</source>
        <translation>Base de datos &amp;AccurateRip:</translation>
    </message>
    <message>
        <source>Drive&apos;s &amp;read offset (samples):</source>
        <translation>Desplazamiento de lectu&amp;ra de la unidad (muestras):</translation>
    </message>
    <message>
        <source>&amp;Test and copy (read every track twice)</source>
        <translation>Probar y copiar (leer cada pis&amp;ta dos veces)</translation>
    </message>
    <message>
        <source>Write a &amp;cue sheet and a playlist</source>
        <translation>Escribir una hoja &amp;cue y una lista de reproducción</translation>
    </message>
    <message>
        <source>The first General MIDI font installed</source>
        <translation>El primer banco de sonidos General MIDI instalado</translation>
    </message>
    <message>
        <source>Choose a sound font</source>
        <translation>Elegir un banco de sonidos</translation>
    </message>
    <message>
        <source>Sound fonts</source>
        <translation>Bancos de sonidos</translation>
    </message>
    <message>
        <source>&amp;Sound font:</source>
        <translation>Banco de &amp;sonidos:</translation>
    </message>
    <message>
        <source>&amp;Reverb</source>
        <translation>&amp;Reverberación</translation>
    </message>
    <message>
        <source>&amp;Chorus</source>
        <translation>&amp;Coro</translation>
    </message>
    <message>
        <source>Output &amp;gain:</source>
        <translation>&amp;Ganancia de salida:</translation>
    </message>
    <message>
        <source> dB</source>
        <translation> dB</translation>
    </message>
    <message>
        <source>File &amp;type:</source>
        <translation>&amp;Tipo de archivo:</translation>
    </message>
    <message>
        <source>MP3 inside a wave file</source>
        <translation>MP3 dentro de un archivo WAV</translation>
    </message>
    <message>
        <source>MP3 file</source>
        <translation>Archivo MP3</translation>
    </message>
    <message>
        <source>Bit rate &amp;mode:</source>
        <translation>&amp;Modo de tasa de bits:</translation>
    </message>
    <message>
        <source>Constant (the slider&apos;s bit rate)</source>
        <translation>Constante (la tasa del control deslizante)</translation>
    </message>
    <message>
        <source>Variable</source>
        <translation>Variable</translation>
    </message>
    <message>
        <source>Variable &amp;quality (0 best):</source>
        <translation>&amp;Calidad variable (0 la mejor):</translation>
    </message>
    <message>
        <source>&amp;Stereo:</source>
        <translation>E&amp;stéreo:</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>Estéreo</translation>
    </message>
    <message>
        <source>Joint stereo</source>
        <translation>Estéreo conjunto</translation>
    </message>
    <message>
        <source>&amp;ReplayGain (measure loudness, tag track and album gain)</source>
        <translation>&amp;ReplayGain (medir la sonoridad, ganancia de pista y álbum en la etiqueta)</translation>
    </message>
    <message>
        <source>&amp;Encoders at once:</source>
        <translation>Codificador&amp;es a la vez:</translation>
    </message>
    <message>
        <source>CD file &amp;names:</source>
        <translation>&amp;Nombres de archivo del CD:</translation>
    </message>
    <message>
        <source>%n track number, %N two-digit number, %t title, %a artist, %A album, %y year</source>
        <translation>%n número de pista, %N número de dos cifras, %t título, %a artista, %A álbum, %y año</translation>
    </message>
    <message>
        <source>Safe names for &amp;FAT file systems</source>
        <translation>Nombres seguros para sistemas de archivos &amp;FAT</translation>
    </message>
    <message>
        <source>First track:</source>
        <translation>Primera pista:</translation>
    </message>
    <message>
        <source>First track&apos;s file name</source>
        <translation>Nombre de archivo de la primera pista</translation>
    </message>
    <message>
        <source>Intro</source>
        <translation>Intro</translation>
    </message>
    <message>
        <source>Artist</source>
        <translation>Artista</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Álbum</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Preferencias</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>Dispositivos</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Salida</translation>
    </message>
    <message>
        <source>Discs</source>
        <translation>Discos</translation>
    </message>
    <message>
        <source>MIDI</source>
        <translation>MIDI</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>A changed device is used from the next take or play on.</source>
        <translation>Un dispositivo cambiado se usa desde la próxima toma o reproducción.</translation>
    </message>
    <message>
        <source>The sound font, reverb, chorus and gain change at the next play.</source>
        <translation>El banco de sonidos, la reverberación, el coro y la ganancia cambian en la próxima reproducción.</translation>
    </message>
</context>
<context>
    <name>ProfileFile</name>
    <message>
        <source>Unable to read the settings file. The program runs on its default settings and leaves the file as it is.</source>
        <translation>No se puede leer el archivo de configuración. El programa funciona con su configuración predeterminada y deja el archivo como está.</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>No se puede escribir en %1</translation>
    </message>
</context>
<context>
    <name>Resampler</name>
    <message>
        <source>Unable to start the sample-rate converter: %1</source>
        <translation>No se puede iniciar el conversor de frecuencia de muestreo: %1</translation>
    </message>
    <message>
        <source>The sample-rate converter failed: %1</source>
        <translation>El conversor de frecuencia de muestreo ha fallado: %1</translation>
    </message>
</context>
<context>
    <name>RipSession</name>
    <message>
        <source>not checked (the AccurateRip server answered with something unreadable)</source>
        <translation>no verificada (el servidor de AccurateRip respondió algo ilegible)</translation>
    </message>
    <message>
        <source>not checked (AccurateRip could not be reached)</source>
        <translation>no verificada (no se pudo acceder a AccurateRip)</translation>
    </message>
    <message>
        <source>not in the AccurateRip database (its answer was for another disc)</source>
        <translation>no está en la base de datos de AccurateRip (su respuesta era de otro disco)</translation>
    </message>
    <message>
        <source>accurately ripped (confidence %1)</source>
        <translation>extraída con exactitud (confianza %1)</translation>
    </message>
    <message>
        <source>not accurate (%1 other rips disagree)</source>
        <translation>inexacta (%1 extracciones distintas no coinciden)</translation>
    </message>
    <message>
        <source>not in the AccurateRip database</source>
        <translation>no está en la base de datos de AccurateRip</translation>
    </message>
    <message>
        <source>Track %1: %2; test and copy differ</source>
        <translation>Pista %1: %2; la prueba y la copia difieren</translation>
    </message>
    <message>
        <source>Track %1: %2</source>
        <translation>Pista %1: %2</translation>
    </message>
    <message>
        <source>Unable to write &quot;%1&quot;</source>
        <translation>No se puede escribir «%1»</translation>
    </message>
    <message>
        <source>Unable to write the rip log &quot;%1&quot;</source>
        <translation>No se puede escribir el registro de extracción «%1»</translation>
    </message>
</context>
<context>
    <name>SampleLayout</name>
    <message>
        <source>%1, %2, %3, %4 Hz</source>
        <translation>%1, %2, %3, %4 Hz</translation>
    </message>
    <message>
        <source>%1 bit</source>
        <translation>%1 bit</translation>
    </message>
    <message>
        <source>%1 bits</source>
        <translation>%1 bits</translation>
    </message>
    <message>
        <source>%1 channel</source>
        <translation>%1 canal</translation>
    </message>
    <message>
        <source>%1 channels</source>
        <translation>%1 canales</translation>
    </message>
    <message>
        <source>format %1</source>
        <translation>formato %1</translation>
    </message>
    <message>
        <source>format tag %1</source>
        <translation>etiqueta de formato %1</translation>
    </message>
    <message>
        <source>Unsupported wave format: the file holds %1. Wave files with PCM samples of 8, 16, 24 or 32 bits or IEEE float samples of 32 or 64 bits, and 1 to 8 channels, can be encoded.</source>
        <translation>Formato wave no admitido: el archivo contiene %1. Se pueden codificar archivos wave con muestras PCM de 8, 16, 24 o 32 bits o muestras de coma flotante IEEE de 32 o 64 bits, y de 1 a 8 canales.</translation>
    </message>
    <message>
        <source>no format</source>
        <translation>ningún formato</translation>
    </message>
    <message>
        <source>an extensible format without its sub-format</source>
        <translation>un formato extensible sin su subformato</translation>
    </message>
    <message>
        <source>extensible %1</source>
        <translation>%1 extensible</translation>
    </message>
    <message>
        <source>format of unknown kind</source>
        <translation>formato de tipo desconocido</translation>
    </message>
    <message>
        <source>IEEE float</source>
        <translation>coma flotante IEEE</translation>
    </message>
    <message>
        <source>%1 in blocks of %2 byte</source>
        <translation>%1 en bloques de %2 byte</translation>
    </message>
    <message>
        <source>%1 in blocks of %2 bytes</source>
        <translation>%1 en bloques de %2 bytes</translation>
    </message>
</context>
<context>
    <name>SequencerDevice</name>
    <message>
        <source>The sequencer needs a MIDI file.</source>
        <translation>El secuenciador necesita un archivo MIDI.</translation>
    </message>
</context>
<context>
    <name>SoundCard</name>
    <message>
        <source>The device &quot;%1&quot; cannot be opened.</source>
        <translation>No se puede abrir el dispositivo «%1».</translation>
    </message>
    <message>
        <source>The speakers&apos; device &quot;%1&quot; cannot be opened: %2.</source>
        <translation>No se puede abrir el dispositivo de los altavoces «%1»: %2.</translation>
    </message>
    <message>
        <source>No device is chosen for the speakers.</source>
        <translation>No hay ningún dispositivo elegido para los altavoces.</translation>
    </message>
</context>
<context>
    <name>SoundLine</name>
    <message>
        <source>The audio server no longer offers the source &quot;%1&quot;.</source>
        <translation>El servidor de audio ya no ofrece la fuente «%1».</translation>
    </message>
    <message>
        <source>The source &quot;%1&quot; cannot be recorded: no audio server answers (%2).</source>
        <translation>No se puede grabar la fuente «%1»: no responde ningún servidor de audio (%2).</translation>
    </message>
    <message>
        <source>No capture device is set up for this input.</source>
        <translation>No hay ningún dispositivo de captura configurado para esta entrada.</translation>
    </message>
    <message>
        <source>The capture device &quot;%1&quot; cannot be opened: %2.</source>
        <translation>No se puede abrir el dispositivo de captura «%1»: %2.</translation>
    </message>
    <message>
        <source>Set %1 in the section SOUNDCARD_SETUP of %2.</source>
        <translation>Defina %1 en la sección SOUNDCARD_SETUP de %2.</translation>
    </message>
</context>
<context>
    <name>SourceTiles</name>
    <message>
        <source>Choose a sound font in Preferences (Ctrl+,).</source>
        <translation>Elija un banco de sonidos en Preferencias (Ctrl+,).</translation>
    </message>
    <message>
        <source>Choose a CD drive or disc image in Preferences (Ctrl+,).</source>
        <translation>Elija una unidad de CD o una imagen de disco en Preferencias (Ctrl+,).</translation>
    </message>
    <message>
        <source>Choose a device in Preferences (Ctrl+,).</source>
        <translation>Elija un dispositivo en Preferencias (Ctrl+,).</translation>
    </message>
    <message>
        <source>The sound card has no such source.</source>
        <translation>La tarjeta de sonido no tiene esa fuente.</translation>
    </message>
</context>
<context>
    <name>SplitEncoder</name>
    <message>
        <source>Unable to initialize stream</source>
        <translation>No se puede inicializar el flujo</translation>
    </message>
    <message>
        <source>Unable to encode data</source>
        <translation>No se pueden codificar los datos</translation>
    </message>
    <message>
        <source>Unable to deinitialize stream</source>
        <translation>No se puede cerrar el flujo</translation>
    </message>
</context>
<context>
    <name>SplitRun</name>
    <message>
        <source>The take cannot be kept for its tracks:</source>
        <translation>La toma no se puede conservar para sus pistas:</translation>
    </message>
    <message>
        <source>A split take needs one file name for each of its tracks.</source>
        <translation>Una toma dividida necesita un nombre de archivo para cada una de sus pistas.</translation>
    </message>
</context>
<context>
    <name>SplitTracksPage</name>
    <message>
        <source>Tracks found at the silences of the take. Merge neighbours or move a cut, then Next.</source>
        <translation>Pistas encontradas en los silencios de la toma. Una pistas vecinas o mueva un corte y pulse «Siguiente».</translation>
    </message>
    <message>
        <source>Proposed tracks</source>
        <translation>Pistas propuestas</translation>
    </message>
    <message>
        <source>&amp;Merge with next</source>
        <translation>&amp;Unir con la siguiente</translation>
    </message>
    <message>
        <source>Cut &amp;earlier</source>
        <translation>Cortar an&amp;tes</translation>
    </message>
    <message>
        <source>Cut &amp;later</source>
        <translation>Cortar &amp;después</translation>
    </message>
    <message>
        <source>Joins the selected track and the one after it</source>
        <translation>Une la pista elegida y la siguiente</translation>
    </message>
    <message>
        <source>Moves the cut after the selected track %1 seconds earlier</source>
        <translation>Adelanta %1 segundos el corte tras la pista elegida</translation>
    </message>
    <message>
        <source>Moves the cut after the selected track %1 seconds later</source>
        <translation>Retrasa %1 segundos el corte tras la pista elegida</translation>
    </message>
    <message>
        <source>Track %1   %2   (%3)</source>
        <translation>Pista %1   %2   (%3)</translation>
    </message>
    <message>
        <source>Plays %1 seconds before to %1 seconds after the cut after the selected track</source>
        <translation>Reproduce desde %1 segundos antes hasta %1 segundos después del corte que sigue a la pista seleccionada</translation>
    </message>
    <message>
        <source>Sto&amp;p playing</source>
        <translation>Detener la escuc&amp;ha</translation>
    </message>
    <message>
        <source>&amp;Play the cut</source>
        <translation>Escuc&amp;har el corte</translation>
    </message>
</context>
<context>
    <name>SynthLine</name>
    <message>
        <source>The sound font &quot;%1&quot; is not a usable SoundFont 2 file.</source>
        <translation>El banco de sonidos «%1» no es un archivo SoundFont 2 utilizable.</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Track%1         %2 min. %3 sec.</source>
        <translation>Pista%1         %2 min %3 s</translation>
    </message>
    <message>
        <source>Image...</source>
        <translation>Imagen…</translation>
    </message>
    <message>
        <source>Open a disc image (.cue, .toc, .nrg) as the CD</source>
        <translation>Abrir una imagen de disco (.cue, .toc, .nrg) como CD</translation>
    </message>
    <message>
        <source>Select a disc image</source>
        <translation>Seleccionar una imagen de disco</translation>
    </message>
    <message>
        <source>Disc images (*.cue;*.toc;*.nrg)|*.cue;*.toc;*.nrg|All files (*.*)|*.*</source>
        <translation>Imágenes de disco (*.cue;*.toc;*.nrg)|*.cue;*.toc;*.nrg|Todos los archivos (*.*)|*.*</translation>
    </message>
    <message>
        <source>Unable to open CD player</source>
        <translation>No se puede abrir el reproductor de CD</translation>
    </message>
    <message>
        <source>This CD contains %1 tracks</source>
        <translation>Este CD contiene %1 pistas</translation>
    </message>
    <message>
        <source> (data)</source>
        <translation> (datos)</translation>
    </message>
    <message>
        <source>No tracks selected for encoding</source>
        <translation>No hay pistas seleccionadas para codificar</translation>
    </message>
    <message>
        <source>Select the folder for the mp3 files</source>
        <translation>Seleccionar la carpeta de los archivos MP3</translation>
    </message>
    <message>
        <source>There is no folder %1</source>
        <translation>No existe la carpeta %1</translation>
    </message>
    <message>
        <source>Files will be named Track1, Track2, Track3 etc.</source>
        <translation>Los archivos se llamarán Track1, Track2, Track3, etc.</translation>
    </message>
    <message>
        <source>Files will be named %1 etc.</source>
        <translation>Los archivos se llamarán %1, etc.</translation>
    </message>
    <message>
        <source>Files will be named %1.</source>
        <translation>Los archivos se llamarán %1.</translation>
    </message>
    <message>
        <source>Choose a folder for the mp3 files</source>
        <translation>Elija una carpeta para los archivos MP3</translation>
    </message>
    <message>
        <source>Create folder %1?</source>
        <translation>¿Crear la carpeta %1?</translation>
    </message>
    <message>
        <source>Replace these files?</source>
        <translation>¿Reemplazar estos archivos?</translation>
    </message>
    <message>
        <source>unable to extract CD data</source>
        <translation>no se pueden extraer los datos del CD</translation>
    </message>
    <message>
        <source>Unable to halt ripper.. please wait</source>
        <translation>No se puede detener la extracción… espere, por favor</translation>
    </message>
    <message>
        <source>Encoding AUDIO CD file %1 of %2</source>
        <translation>Codificando archivo de CD DE AUDIO %1 de %2</translation>
    </message>
    <message>
        <source>Recording progress</source>
        <translation>Progreso de la grabación</translation>
    </message>
    <message>
        <source>Extraction progress</source>
        <translation>Progreso de la extracción</translation>
    </message>
    <message>
        <source>Replace this file?
%1</source>
        <translation>¿Reemplazar este archivo?
%1</translation>
    </message>
    <message>
        <source>CD run stopped</source>
        <translation>Proceso del CD detenido</translation>
    </message>
    <message>
        <source>CD run finished</source>
        <translation>Proceso del CD terminado</translation>
    </message>
    <message>
        <source>Internal error %1</source>
        <translation>Error interno %1</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>failed (%1)</source>
        <translation>error (%1)</translation>
    </message>
    <message>
        <source>read</source>
        <translation>leída</translation>
    </message>
    <message>
        <source>recorded</source>
        <translation>grabada</translation>
    </message>
    <message>
        <source>encoded</source>
        <translation>codificada</translation>
    </message>
    <message>
        <source>Track %1: %2</source>
        <translation>Pista %1: %2</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>The CD could not be read to the end of track %1</source>
        <translation>No se pudo leer el CD hasta el final de la pista %1</translation>
    </message>
    <message>
        <source>Cover picture</source>
        <translation>Imagen de portada</translation>
    </message>
    <message>
        <source>Enter details for track %1</source>
        <translation>Datos de la pista %1</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Desconocido</translation>
    </message>
    <message>
        <source>Go on without</source>
        <translation>Seguir sin ellos</translation>
    </message>
    <message>
        <source>Looking up...</source>
        <translation>Buscando…</translation>
    </message>
    <message>
        <source>Several releases match this disc. Which one is it?</source>
        <translation>Varias ediciones coinciden con este disco. ¿Cuál es?</translation>
    </message>
    <message>
        <source>None of these</source>
        <translation>Ninguna de ellas</translation>
    </message>
    <message>
        <source>Using CD-Text</source>
        <translation>Usando CD-Text</translation>
    </message>
    <message>
        <source>No details found for this disc</source>
        <translation>No se han encontrado datos de este disco</translation>
    </message>
    <message>
        <source>Encoding finished</source>
        <translation>Codificación terminada</translation>
    </message>
    <message>
        <source>Encoding stopped</source>
        <translation>Codificación detenida</translation>
    </message>
    <message>
        <source>%1 is ready</source>
        <translation>%1 está listo</translation>
    </message>
    <message>
        <source>No MP3 file was finished</source>
        <translation>No se ha terminado ningún archivo MP3</translation>
    </message>
    <message>
        <source>&lt; &amp;Back</source>
        <translation>&lt; &amp;Atrás</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>Attempt to set priority error #%1</source>
        <translation>Error n.º %1 al establecer la prioridad</translation>
    </message>
    <message>
        <source>Loading instruments...</source>
        <translation>Cargando instrumentos…</translation>
    </message>
    <message>
        <source>The instruments cannot be loaded.</source>
        <translation>No se pueden cargar los instrumentos.</translation>
    </message>
    <message>
        <source>No source selected</source>
        <translation>No se ha seleccionado ninguna fuente</translation>
    </message>
    <message>
        <source>Cancel the encoding under way?</source>
        <translation>¿Cancelar la codificación en curso?</translation>
    </message>
    <message>
        <source>....ABORTED</source>
        <translation>....CANCELADO</translation>
    </message>
    <message>
        <source>Left input level</source>
        <translation>Nivel de entrada izquierdo</translation>
    </message>
    <message>
        <source>Right input level</source>
        <translation>Nivel de entrada derecho</translation>
    </message>
    <message>
        <source>Recording level</source>
        <translation>Nivel de grabación</translation>
    </message>
    <message>
        <source>Select audio source</source>
        <translation>Seleccionar la fuente de audio</translation>
    </message>
    <message>
        <source>Click on the icon to select the audio source</source>
        <translation>Haga clic en un icono para elegir la fuente de audio</translation>
    </message>
    <message>
        <source>Wave file</source>
        <translation>Archivo WAV</translation>
    </message>
    <message>
        <source>MIDI file</source>
        <translation>Archivo MIDI</translation>
    </message>
    <message>
        <source>Audio CD</source>
        <translation>CD de audio</translation>
    </message>
    <message>
        <source>MIC. in</source>
        <translation>Micrófono</translation>
    </message>
    <message>
        <source>LINE in</source>
        <translation>Entrada de línea</translation>
    </message>
    <message>
        <source>AUX in</source>
        <translation>Entrada AUX</translation>
    </message>
    <message>
        <source>&amp;Next &gt;</source>
        <translation>&amp;Siguiente &gt;</translation>
    </message>
    <message>
        <source>Select wave file</source>
        <translation>Seleccionar el archivo WAV</translation>
    </message>
    <message>
        <source>Location of wav file to encode</source>
        <translation>Ubicación del archivo WAV que se va a codificar</translation>
    </message>
    <message>
        <source>Br&amp;owse</source>
        <translation>&amp;Examinar</translation>
    </message>
    <message>
        <source>Location destination mp3 file</source>
        <translation>Ubicación del archivo MP3 de destino</translation>
    </message>
    <message>
        <source>Bro&amp;wse</source>
        <translation>E&amp;xaminar</translation>
    </message>
    <message>
        <source>Type or paste a path, or choose the file with Browse</source>
        <translation>Escriba o pegue una ruta, o elija el archivo con «Examinar»</translation>
    </message>
    <message>
        <source>Faster than real time (no monitoring)</source>
        <translation>Más rápido que en tiempo real (sin escucha)</translation>
    </message>
    <message>
        <source>Artist</source>
        <translation>Artista</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Título</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Álbum</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Año</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Pista</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Género</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Comentario</translation>
    </message>
    <message>
        <source>Audio is original</source>
        <translation>Audio original</translation>
    </message>
    <message>
        <source>Enter MP3 file details</source>
        <translation>Datos del archivo MP3</translation>
    </message>
    <message>
        <source>Enter track details. These can be displayed by some players.</source>
        <translation>Escriba los datos de la pista. Algunos reproductores pueden mostrarlos.</translation>
    </message>
    <message>
        <source>Audio is copyrighted</source>
        <translation>Audio con derechos de autor</translation>
    </message>
    <message>
        <source>MP3 Quality</source>
        <translation>Calidad MP3</translation>
    </message>
    <message>
        <source>MP3 Bitrate = </source>
        <translation>Tasa de bits MP3 = </translation>
    </message>
    <message>
        <source>%1 Khz</source>
        <translation>%1 Khz</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Baja</translation>
    </message>
    <message>
        <source>MP3 Bitrate</source>
        <translation>Tasa de bits MP3</translation>
    </message>
    <message>
        <source>From low quality and small files to high quality and large files</source>
        <translation>Desde baja calidad y archivos pequeños hasta alta calidad y archivos grandes</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Alta</translation>
    </message>
    <message>
        <source>Select encoding options</source>
        <translation>Opciones de codificación</translation>
    </message>
    <message>
        <source>Specify MP3 quality/compression factor.</source>
        <translation>Indique la calidad/el factor de compresión MP3.</translation>
    </message>
    <message>
        <source>Save &amp;as:</source>
        <translation>&amp;Guardar como:</translation>
    </message>
    <message>
        <source>MP3 file</source>
        <translation>Archivo MP3</translation>
    </message>
    <message>
        <source>MP3 inside a wave file</source>
        <translation>MP3 dentro de un archivo WAV</translation>
    </message>
    <message>
        <source>&amp;Quality:</source>
        <translation>Ca&amp;lidad:</translation>
    </message>
    <message>
        <source>constant bit rate</source>
        <translation>tasa de bits constante</translation>
    </message>
    <message>
        <source>variable V%1 (best)</source>
        <translation>variable V%1 (mejor)</translation>
    </message>
    <message>
        <source>variable V%1 (smallest)</source>
        <translation>variable V%1 (más pequeño)</translation>
    </message>
    <message>
        <source>variable V%1</source>
        <translation>variable V%1</translation>
    </message>
    <message>
        <source>Joint stereo</source>
        <translation>Estéreo conjunto</translation>
    </message>
    <message>
        <source>ReplayGain</source>
        <translation>ReplayGain</translation>
    </message>
    <message>
        <source>using the Blade encoder. &lt;a href=&quot;#&quot;&gt;Click here&lt;/a&gt; for details</source>
        <translation>con el codificador Blade. &lt;a href=&quot;#&quot;&gt;Haga clic aquí&lt;/a&gt; para más detalles</translation>
    </message>
    <message>
        <source>using the Blade encoder. Click here for details</source>
        <translation>con el codificador Blade. Haga clic aquí para más detalles</translation>
    </message>
    <message>
        <source>Encoding WAVE file</source>
        <translation>Codificando archivo WAVE</translation>
    </message>
    <message>
        <source>Output file</source>
        <translation>Archivo de salida</translation>
    </message>
    <message>
        <source>Checking and converting Wave format</source>
        <translation>Comprobando y convirtiendo el formato WAV</translation>
    </message>
    <message>
        <source>Encoding progress</source>
        <translation>Progreso de la codificación</translation>
    </message>
    <message>
        <source>&amp;Finish</source>
        <translation>&amp;Finalizar</translation>
    </message>
    <message>
        <source>Monitor volume</source>
        <translation>Volumen de escucha</translation>
    </message>
    <message>
        <source>Encoding MIDI file</source>
        <translation>Codificando archivo MIDI</translation>
    </message>
    <message>
        <source>Recording from AUX input</source>
        <translation>Grabando desde la entrada AUX</translation>
    </message>
    <message>
        <source>Select a destination file then use the RECORD and STOP buttons to record.</source>
        <translation>Elija un archivo de destino y grabe con los botones GRABAR y DETENER.</translation>
    </message>
    <message>
        <source>&amp;Record</source>
        <translation>&amp;Grabar</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Detener</translation>
    </message>
    <message>
        <source>Select CD tracks for encoding</source>
        <translation>Seleccionar las pistas del CD que se van a codificar</translation>
    </message>
    <message>
        <source>New CD</source>
        <translation>Nuevo CD</translation>
    </message>
    <message>
        <source>CD tracks</source>
        <translation>Pistas del CD</translation>
    </message>
    <message>
        <source>Check the tracks to encode</source>
        <translation>Marque las pistas que se van a codificar</translation>
    </message>
    <message>
        <source>Clear list</source>
        <translation>Vaciar la lista</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Seleccionar todo</translation>
    </message>
    <message>
        <source>CD data extraction</source>
        <translation>Extracción de datos del CD</translation>
    </message>
    <message>
        <source>There are two methods of extracting the CD audio data</source>
        <translation>Hay dos métodos para extraer los datos de audio del CD</translation>
    </message>
    <message>
        <source>1) Ripping</source>
        <translation>1) Extracción digital</translation>
    </message>
    <message>
        <source>The data is extracted digitally for best audio quality. Not all CDROMS support ripping.</source>
        <translation>Los datos se extraen digitalmente para obtener la mejor calidad de audio. No todas las unidades de CD-ROM lo admiten.</translation>
    </message>
    <message>
        <source>1) Recording</source>
        <translation>2) Grabación</translation>
    </message>
    <message>
        <source>The audio is recorded using the soundcard with some loss of fidelity.</source>
        <translation>El audio se graba con la tarjeta de sonido, con cierta pérdida de fidelidad.</translation>
    </message>
    <message>
        <source>RECORD the audio with the soundcard</source>
        <translation>GRABAR el audio con la tarjeta de sonido</translation>
    </message>
    <message>
        <source>RIP the data digitally</source>
        <translation>EXTRAER los datos digitalmente</translation>
    </message>
    <message>
        <source>CD Encoding options</source>
        <translation>Opciones de codificación del CD</translation>
    </message>
    <message>
        <source>Choose a location for the resulting mp3 files.</source>
        <translation>Elija una ubicación para los archivos MP3 resultantes.</translation>
    </message>
    <message>
        <source>Folder for the mp3 files</source>
        <translation>Carpeta de los archivos MP3</translation>
    </message>
    <message>
        <source>CD file details</source>
        <translation>Datos de los archivos del CD</translation>
    </message>
    <message>
        <source>Do you want to enter details for each of the CD tracks? These details will be written into the MP3 file and can be displayed by some players.</source>
        <translation>¿Desea escribir los datos de cada pista del CD? Se guardarán en el archivo MP3 y algunos reproductores pueden mostrarlos.</translation>
    </message>
    <message>
        <source>Yes, I want to enter the track details.</source>
        <translation>Sí, quiero escribir los datos de las pistas.</translation>
    </message>
    <message>
        <source>No, encode the tracks without descriptions.</source>
        <translation>No, codificar las pistas sin descripción.</translation>
    </message>
    <message>
        <source>Audio is copyright</source>
        <translation>Audio con derechos de autor</translation>
    </message>
    <message>
        <source>Encoding AUDIO CD file</source>
        <translation>Codificando archivo de CD DE AUDIO</translation>
    </message>
    <message>
        <source>Track results</source>
        <translation>Resultados de las pistas</translation>
    </message>
    <message>
        <source>Recording from LINE input</source>
        <translation>Grabando desde la entrada de línea</translation>
    </message>
    <message>
        <source>Recording from MIC input</source>
        <translation>Grabando desde la entrada de micrófono</translation>
    </message>
    <message>
        <source>Discard the recording?</source>
        <translation>¿Descartar la grabación?</translation>
    </message>
    <message>
        <source>Recorded %1:%2, %3 KB</source>
        <translation>Grabado %1:%2, %3 KB</translation>
    </message>
    <message>
        <source>Select source wave file</source>
        <translation>Seleccionar el archivo WAV de origen</translation>
    </message>
    <message>
        <source>Wave audiofiles (*.wav)|*.wav|All files (*.*)|*.*</source>
        <translation>Archivos de audio WAV (*.wav)|*.wav|Todos los archivos (*.*)|*.*</translation>
    </message>
    <message>
        <source>Select source MIDI file</source>
        <translation>Seleccionar el archivo MIDI de origen</translation>
    </message>
    <message>
        <source>Midi files (*.mid)|*.mid|All files (*.*)|*.*</source>
        <translation>Archivos MIDI (*.mid)|*.mid|Todos los archivos (*.*)|*.*</translation>
    </message>
    <message>
        <source>Select MIDI file</source>
        <translation>Seleccionar el archivo MIDI</translation>
    </message>
    <message>
        <source>Location of MIDI file to encode</source>
        <translation>Ubicación del archivo MIDI que se va a codificar</translation>
    </message>
    <message>
        <source>%1 is %2, not a wave file.</source>
        <translation>%1 es %2, no un archivo WAV.</translation>
    </message>
    <message>
        <source>mp3 audio files (*,mp3)|*.mp3|All files (*.*)|*.*</source>
        <translation>Archivos de audio MP3 (*.mp3)|*.mp3|Todos los archivos (*.*)|*.*</translation>
    </message>
    <message>
        <source>Replace %1?</source>
        <translation>¿Reemplazar %1?</translation>
    </message>
    <message>
        <source>&amp;Preferences...</source>
        <translation>&amp;Preferencias…</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Preferencias</translation>
    </message>
    <message>
        <source>Split into tracks at silences</source>
        <translation>Dividir en pistas en los silencios</translation>
    </message>
    <message>
        <source>After the take, proposes one track for each stretch between silences</source>
        <translation>Tras la toma, propone una pista por cada tramo entre silencios</translation>
    </message>
    <message>
        <source>Tracks of the take</source>
        <translation>Pistas de la toma</translation>
    </message>
</context>
<context>
    <name>TForm3</name>
    <message>
        <source>Encoder details</source>
        <translation>Detalles del codificador</translation>
    </message>
    <message>
        <source>MP3 encoding by LAME, through the BladeEnc interface.</source>
        <translation>Codificación MP3 con LAME, mediante la interfaz BladeEnc.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Version %1   Engine %2 </source>
        <translation>Versión %1   Motor %2 </translation>
    </message>
    <message>
        <source>Encoder: LAME %1
Mode: %2
Stereo mode: %3
Saved as: %4</source>
        <translation>Codificador: LAME %1
Modo: %2
Modo estéreo: %3
Guardado como: %4</translation>
    </message>
</context>
<context>
    <name>TMMCBMode</name>
    <message>
        <source>&quot;CallBacks&quot; are called at interrupt time !
<byte value="xd"/>This is currently only supported under Windows 95</source>
        <translation>¡Los «CallBacks» se llaman en tiempo de interrupción!
Actualmente esto solo se admite en Windows 95</translation>
    </message>
</context>
<context>
    <name>TMMHiTimer</name>
    <message>
        <source>Not enough timers available</source>
        <translation>No hay suficientes temporizadores disponibles</translation>
    </message>
</context>
<context>
    <name>TMMWaveRecorder</name>
    <message>
        <source>This is a read-only property, please use SelectFormat.</source>
        <translation>Esta propiedad es de solo lectura; use SelectFormat.</translation>
    </message>
</context>
<context>
    <name>TocFile</name>
    <message>
        <source>The track mode &quot;%1&quot; is unknown</source>
        <translation>El modo de pista «%1» es desconocido</translation>
    </message>
    <message>
        <source>Track %1 is not a whole number of sectors long</source>
        <translation>La longitud de la pista %1 no es un número entero de sectores</translation>
    </message>
    <message>
        <source>Track %1 holds no audio after its pregap</source>
        <translation>La pista %1 no contiene audio después de su pregap</translation>
    </message>
    <message>
        <source>The disc would be longer than any CD</source>
        <translation>El disco sería más largo que cualquier CD</translation>
    </message>
    <message>
        <source>A &apos;}&apos; closes nothing (line %1)</source>
        <translation>Una &apos;}&apos; no cierra nada (línea %1)</translation>
    </message>
    <message>
        <source>%1 comes before any TRACK (line %2)</source>
        <translation>%1 aparece antes de cualquier TRACK (línea %2)</translation>
    </message>
    <message>
        <source>A TRACK line has no mode (line %1)</source>
        <translation>Una línea TRACK no tiene modo (línea %1)</translation>
    </message>
    <message>
        <source>%1 names no file (line %2)</source>
        <translation>%1 no nombra ningún archivo (línea %2)</translation>
    </message>
    <message>
        <source>The offset %1 is no number (line %2)</source>
        <translation>El desplazamiento %1 no es un número (línea %2)</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; gives no start (line %3)</source>
        <translation>%1 «%2» no indica ningún inicio (línea %3)</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; gives no length %3 (line %4)</source>
        <translation>%1 «%2» no indica ninguna longitud %3 (línea %4)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds too little for track %2 (line %3)</source>
        <translation>«%1» contiene demasiado poco para la pista %2 (línea %3)</translation>
    </message>
    <message>
        <source>%1 gives no length (line %2)</source>
        <translation>%1 no indica ninguna longitud (línea %2)</translation>
    </message>
    <message>
        <source>PREGAP comes after the track&apos;s audio (line %1)</source>
        <translation>PREGAP aparece después del audio de la pista (línea %1)</translation>
    </message>
    <message>
        <source>START gives no time (line %1)</source>
        <translation>START no indica ningún tiempo (línea %1)</translation>
    </message>
    <message>
        <source>START of track %1 is no whole sector (line %2)</source>
        <translation>El START de la pista %1 no es un sector entero (línea %2)</translation>
    </message>
    <message>
        <source>A &apos;{&apos; is never closed</source>
        <translation>Una &apos;{&apos; nunca se cierra</translation>
    </message>
</context>
<context>
    <name>TypedPaths</name>
    <message>
        <source>%1 is a file, not a folder</source>
        <translation>%1 es un archivo, no una carpeta</translation>
    </message>
    <message>
        <source>There is no folder %1 yet: Next offers to create it</source>
        <translation>La carpeta %1 aún no existe: «Siguiente» ofrece crearla</translation>
    </message>
    <message>
        <source>There is no folder %1, and %2 is not a folder</source>
        <translation>No existe la carpeta %1, y %2 no es una carpeta</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 no es una carpeta</translation>
    </message>
    <message>
        <source>There is no folder %1</source>
        <translation>No existe la carpeta %1</translation>
    </message>
    <message>
        <source>Unable to create folder %1</source>
        <translation>No se puede crear la carpeta %1</translation>
    </message>
    <message>
        <source>something else is at that name</source>
        <translation>ya hay otra cosa con ese nombre</translation>
    </message>
</context>
<context>
    <name>Unit2Mixer</name>
    <message>
        <source>Cannot detect Microsoft Mixer !</source>
        <translation>¡No se detecta el mezclador de Microsoft!</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>Unit2Record</name>
    <message>
        <source>The recording of %1 would need %2 MB, but only %3 MB are free for its temporary file %4.</source>
        <translation>La grabación de %1 necesitaría %2 MB, pero solo hay %3 MB libres para su archivo temporal %4.</translation>
    </message>
</context>
<context>
    <name>WaveCheck</name>
    <message>
        <source>File not found</source>
        <translation>Archivo no encontrado</translation>
    </message>
    <message>
        <source>File access denied</source>
        <translation>Acceso al archivo denegado</translation>
    </message>
    <message>
        <source>Too many open files</source>
        <translation>Demasiados archivos abiertos</translation>
    </message>
    <message>
        <source>Invalid filename</source>
        <translation>Nombre de archivo no válido</translation>
    </message>
    <message>
        <source>I/O error %1</source>
        <translation>Error de E/S %1</translation>
    </message>
    <message>
        <source>%1: a named pipe, not a wave file</source>
        <translation>%1: una tubería con nombre, no un archivo WAV</translation>
    </message>
    <message>
        <source>%1: a device, not a wave file</source>
        <translation>%1: un dispositivo, no un archivo WAV</translation>
    </message>
    <message>
        <source>%1: a socket, not a wave file</source>
        <translation>%1: un socket, no un archivo WAV</translation>
    </message>
    <message>
        <source>%1: a folder, not a wave file</source>
        <translation>%1: una carpeta, no un archivo WAV</translation>
    </message>
    <message>
        <source>%1: something that is not a regular file, not a wave file</source>
        <translation>%1: no es un archivo normal ni un archivo WAV</translation>
    </message>
    <message>
        <source>Read beyond end of file</source>
        <translation>Lectura más allá del final del archivo</translation>
    </message>
    <message>
        <source>Unsupported wave format: the file declares a sample rate of %1 Hz; only rates from %2 to %3 Hz can be encoded</source>
        <translation>Formato WAV no compatible: el archivo declara una frecuencia de muestreo de %1 Hz; solo se pueden codificar frecuencias de %2 a %3 Hz</translation>
    </message>
    <message>
        <source>The wave file holds no audio.</source>
        <translation>El archivo WAV no contiene audio.</translation>
    </message>
</context>
<context>
    <name>mervane-cli</name>
    <message>
        <source>-o %1 is a file, but several inputs need a folder</source>
        <translation>-o %1 es un archivo, pero varias entradas necesitan una carpeta</translation>
    </message>
    <message>
        <source>%1 and %2 would both become %3</source>
        <translation>%1 y %2 darían ambos %3</translation>
    </message>
    <message>
        <source>cannot make the folder %1: %2</source>
        <translation>no se puede crear la carpeta %1: %2</translation>
    </message>
    <message>
        <source>--tracks: the disc has no track %1</source>
        <translation>--tracks: el disco no tiene la pista %1</translation>
    </message>
    <message>
        <source>--tracks: track %1 is a data track</source>
        <translation>--tracks: la pista %1 es una pista de datos</translation>
    </message>
    <message>
        <source>there is no disc in %1</source>
        <translation>no hay ningún disco en %1</translation>
    </message>
    <message>
        <source>Where the MP3 goes: a file for one input, a folder for several (made when missing). Default: beside the input, its extension replaced by .mp3.</source>
        <translation>Destino del MP3: un archivo para una entrada, una carpeta para varias (se crea si falta). Por omisión: junto a la entrada, con su extensión cambiada por .mp3.</translation>
    </message>
    <message>
        <source>Constant bit rate: 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256 or 320 (default 128).</source>
        <translation>Tasa de bits constante: 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256 o 320 (128 por omisión).</translation>
    </message>
    <message>
        <source>Variable bit rate at LAME quality Q, 0 (best) to 9.</source>
        <translation>Tasa de bits variable con la calidad Q de LAME, de 0 (la mejor) a 9.</translation>
    </message>
    <message>
        <source>Plain MP3 file, or MP3 frames inside a RIFF wave file (default: Container in the settings file&apos;s ENCODER section, wave when it is not set).</source>
        <translation>Archivo MP3 simple, o tramas MP3 dentro de un archivo WAV RIFF (por omisión: Container de la sección ENCODER del archivo de ajustes, wave si no está definido).</translation>
    </message>
    <message>
        <source>Joint stereo instead of simple stereo.</source>
        <translation>Estéreo conjunto en lugar de estéreo simple.</translation>
    </message>
    <message>
        <source>Measures the loudness and writes the ReplayGain into the tag (default: ReplayGain in the settings file&apos;s ENCODER section, off when it is not set).</source>
        <translation>Mide la sonoridad y escribe el ReplayGain en la etiqueta (por omisión: ReplayGain de la sección ENCODER del archivo de ajustes, desactivado si no está definido).</translation>
    </message>
    <message>
        <source>Writes no ReplayGain, whatever the settings file says.</source>
        <translation>No escribe ReplayGain, diga lo que diga el archivo de ajustes.</translation>
    </message>
    <message>
        <source>Title of the tag.</source>
        <translation>Título de la etiqueta.</translation>
    </message>
    <message>
        <source>Artist of the tag.</source>
        <translation>Artista de la etiqueta.</translation>
    </message>
    <message>
        <source>Album of the tag.</source>
        <translation>Álbum de la etiqueta.</translation>
    </message>
    <message>
        <source>Year of the tag, 1900 to 2099 (default none).</source>
        <translation>Año de la etiqueta, de 1900 a 2099 (ninguno por omisión).</translation>
    </message>
    <message>
        <source>Track number of the tag, 1 to 99 (default none).</source>
        <translation>Número de pista de la etiqueta, de 1 a 99 (ninguno por omisión).</translation>
    </message>
    <message>
        <source>Genre of the tag, by name or number (default none).</source>
        <translation>Género de la etiqueta, por nombre o número (ninguno por omisión).</translation>
    </message>
    <message>
        <source>Comment of the tag.</source>
        <translation>Comentario de la etiqueta.</translation>
    </message>
    <message>
        <source>Front cover of the tag: a JPEG or PNG file (made baseline JPEG of at most 1200 px unless a small PNG).</source>
        <translation>Portada de la etiqueta: un archivo JPEG o PNG (se convierte a JPEG baseline de 1200 px como máximo, salvo un PNG pequeño).</translation>
    </message>
    <message>
        <source>No cover picture in the tag, not even one found for the disc.</source>
        <translation>Ninguna portada en la etiqueta, ni siquiera la encontrada para el disco.</translation>
    </message>
    <message>
        <source>Sets the copyright bit of every frame.</source>
        <translation>Activa el bit de copyright de cada trama.</translation>
    </message>
    <message>
        <source>Sets the original bit of every frame.</source>
        <translation>Activa el bit de original de cada trama.</translation>
    </message>
    <message>
        <source>Reads this settings file instead of MERVANE2.INI.</source>
        <translation>Lee este archivo de ajustes en lugar de MERVANE2.INI.</translation>
    </message>
    <message>
        <source>Encodes N inputs at once (default: the number of cores).</source>
        <translation>Codifica N entradas a la vez (por omisión: el número de núcleos).</translation>
    </message>
    <message>
        <source>Replaces an existing output instead of failing.</source>
        <translation>Reemplaza una salida existente en lugar de fallar.</translation>
    </message>
    <message>
        <source>No progress line.</source>
        <translation>Sin línea de progreso.</translation>
    </message>
    <message>
        <source>One JSON object per finished file on standard output.</source>
        <translation>Un objeto JSON por archivo terminado en la salida estándar.</translation>
    </message>
    <message>
        <source>cd: the drive or disc image (cue sheet) to read. record: the audio server&apos;s source (a name --list-sources shows) or the ALSA capture device to record.</source>
        <translation>cd: la unidad o la imagen de disco (hoja cue) que se va a leer. record: la fuente del servidor de audio (un nombre que muestra --list-sources) o el dispositivo de captura ALSA que se va a grabar.</translation>
    </message>
    <message>
        <source>record: lists the sources that can be recorded, with their descriptions.</source>
        <translation>record: muestra las fuentes que se pueden grabar, con su descripción.</translation>
    </message>
    <message>
        <source>cd: the tracks to encode, as 1,3-5 (default: every audio track).</source>
        <translation>cd: las pistas que se van a codificar, como 1,3-5 (por omisión: todas las pistas de audio).</translation>
    </message>
    <message>
        <source>cd: plays each track through the sound card&apos;s CD line and records it, instead of reading it digitally.</source>
        <translation>cd: reproduce cada pista por la línea de CD de la tarjeta de sonido y la graba, en lugar de leerla digitalmente.</translation>
    </message>
    <message>
        <source>wave: cuts each input at its silences (1.5 s or longer, tracks of 5 s or more) and encodes one file per track, named by the settings&apos; file-name template, into -o DIR or beside the input.</source>
        <translation>wave: corta cada entrada en sus silencios (de 1,5 s o más, pistas de 5 s o más) y codifica un archivo por pista, con el nombre de la plantilla de los ajustes, en -o CARPETA o junto a la entrada.</translation>
    </message>
    <message>
        <source>wave --split-silence: the level of silence in dBFS (default -45).</source>
        <translation>wave --split-silence: el nivel del silencio en dBFS (-45 por omisión).</translation>
    </message>
    <message>
        <source>cd: asks no database and reads no cache or CD-Text: the files keep the number names.</source>
        <translation>cd: no consulta ninguna base de datos ni lee caché ni CD-Text: los archivos conservan los nombres numerados.</translation>
    </message>
    <message>
        <source>cd: of several releases that match the disc, takes the Nth (default 1, the others are listed).</source>
        <translation>cd: de varias ediciones que coinciden con el disco, toma la N.ª (1 por omisión, las demás se listan).</translation>
    </message>
    <message>
        <source>midi: plays the song in real time through the speakers, as the wizard does when asked, instead of rendering it faster than real time.</source>
        <translation>midi: reproduce la canción en tiempo real por los altavoces, como hace el asistente si se le pide, en lugar de generarla más rápido que en tiempo real.</translation>
    </message>
    <message>
        <source>record: the input to record.</source>
        <translation>record: la entrada que se va a grabar.</translation>
    </message>
    <message>
        <source>record: stops after N seconds (default: at Ctrl+C).</source>
        <translation>record: se detiene tras N segundos (por omisión: con Ctrl+C).</translation>
    </message>
    <message>
        <source>Shows this help.</source>
        <translation>Muestra esta ayuda.</translation>
    </message>
    <message>
        <source>Shows the version.</source>
        <translation>Muestra la versión.</translation>
    </message>
    <message>
        <source>%1 wants a number from %2 to %3, not &apos;%4&apos;</source>
        <translation>%1 espera un número de %2 a %3, no «%4»</translation>
    </message>
    <message>
        <source>--genre: no genre is called &apos;%1&apos;</source>
        <translation>--genre: ningún género se llama «%1»</translation>
    </message>
    <message>
        <source>--bitrate: %1 kbit/s is not one of the bit rates</source>
        <translation>--bitrate: %1 kbit/s no es una de las tasas de bits</translation>
    </message>
    <message>
        <source>--container is mp3 or wave, not &apos;%1&apos;</source>
        <translation>--container es mp3 o wave, no «%1»</translation>
    </message>
    <message>
        <source>--source is mic, line or aux, not &apos;%1&apos;</source>
        <translation>--source es mic, line o aux, no «%1»</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>opción desconocida %1</translation>
    </message>
    <message>
        <source>%1 needs %2</source>
        <translation>%1 necesita %2</translation>
    </message>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 no admite ningún valor</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>no se ha indicado ninguna orden</translation>
    </message>
    <message>
        <source>unknown command %1</source>
        <translation>orden desconocida %1</translation>
    </message>
    <message>
        <source>%1 needs at least one input file</source>
        <translation>%1 necesita al menos un archivo de entrada</translation>
    </message>
    <message>
        <source>%1 takes no input files: %2</source>
        <translation>%1 no admite archivos de entrada: %2</translation>
    </message>
    <message>
        <source>--cover and --no-cover exclude each other</source>
        <translation>--cover y --no-cover se excluyen</translation>
    </message>
    <message>
        <source>--record is for cd only</source>
        <translation>--record solo es para cd</translation>
    </message>
    <message>
        <source>--real-time is for midi only</source>
        <translation>--real-time solo es para midi</translation>
    </message>
    <message>
        <source>--split-silence is for wave only</source>
        <translation>--split-silence solo es para wave</translation>
    </message>
    <message>
        <source>--list-sources is for record only</source>
        <translation>--list-sources solo es para record</translation>
    </message>
    <message>
        <source>record needs --source mic|line|aux</source>
        <translation>record necesita --source mic|line|aux</translation>
    </message>
    <message>
        <source>record needs -o OUT.mp3</source>
        <translation>record necesita -o SALIDA.mp3</translation>
    </message>
    <message>
        <source>--bitrate and --vbr exclude each other</source>
        <translation>--bitrate y --vbr se excluyen</translation>
    </message>
    <message>
        <source>--tracks: &apos;%1&apos; is not a track number nor a range like 3-5</source>
        <translation>--tracks: «%1» no es un número de pista ni un intervalo como 3-5</translation>
    </message>
    <message>
        <source>--tracks: &apos;%1&apos; is no range of tracks 1 to 99</source>
        <translation>--tracks: «%1» no es un intervalo de pistas de 1 a 99</translation>
    </message>
    <message>
        <source>Usage:</source>
        <translation>Uso:</translation>
    </message>
    <message>
        <source>  mervane-cli %1 [options]</source>
        <translation>  mervane-cli %1 [opciones]</translation>
    </message>
    <message>
        <source>Try &apos;mervane-cli --help&apos; for the options.</source>
        <translation>«mervane-cli --help» muestra las opciones.</translation>
    </message>
    <message>
        <source>mervane-cli turns wave files, MIDI files, audio CDs and live inputs into MP3 files.</source>
        <translation>mervane-cli convierte archivos WAV, archivos MIDI, CD de audio y entradas en directo en archivos MP3.</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Opciones:</translation>
    </message>
    <message>
        <source>Defaults from %1, section ENCODER: Container=%2, ReplayGain=%3 (the options above override them for one run).</source>
        <translation>Valores por omisión de %1, sección ENCODER: Container=%2, ReplayGain=%3 (las opciones de arriba los sustituyen durante una ejecución).</translation>
    </message>
    <message>
        <source>Exit status: 0 when every input succeeded, 1 when any failed, 2 for a usage error, 130 after Ctrl+C.</source>
        <translation>Estado de salida: 0 si todas las entradas salieron bien, 1 si alguna falló, 2 por un error de uso, 130 tras Ctrl+C.</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>error</translation>
    </message>
    <message>
        <source>interrupted: no file was finished; the unfinished ones and every temporary file were removed</source>
        <translation>interrumpido: no se terminó ningún archivo; se eliminaron los inacabados y todos los archivos temporales</translation>
    </message>
    <message>
        <source>interrupted: kept the finished %1: %2; the unfinished ones and every temporary file were removed</source>
        <translation>interrumpido: se conservan los terminados (%1): %2; se eliminaron los inacabados y todos los archivos temporales</translation>
    </message>
    <message>
        <source>no failures</source>
        <translation>sin errores</translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation>%1 con error</translation>
    </message>
    <message>
        <source>%1, %2 of audio in %3, %4</source>
        <translation>%1, %2 de audio en %3, %4</translation>
    </message>
    <message>
        <source>1 file</source>
        <translation>1 archivo</translation>
    </message>
    <message>
        <source>%1 files</source>
        <translation>%1 archivos</translation>
    </message>
    <message>
        <source>start</source>
        <translation>inicio</translation>
    </message>
    <message>
        <source>convert</source>
        <translation>conversión</translation>
    </message>
    <message>
        <source>play</source>
        <translation>reproducción</translation>
    </message>
    <message>
        <source>record</source>
        <translation>grabación</translation>
    </message>
    <message>
        <source>extract</source>
        <translation>extracción</translation>
    </message>
    <message>
        <source>encode</source>
        <translation>codificación</translation>
    </message>
    <message>
        <source>%1 %2 %3%</source>
        <translation>%1 %2 %3 %</translation>
    </message>
    <message>
        <source>, %1 left</source>
        <translation>, quedan %1</translation>
    </message>
    <message>
        <source>the worker ended with status %1</source>
        <translation>el proceso de trabajo terminó con el estado %1</translation>
    </message>
    <message>
        <source>No details: %1</source>
        <translation>Sin datos: %1</translation>
    </message>
    <message>
        <source>--release %1: only %2 releases match the disc</source>
        <translation>--release %1: solo %2 ediciones coinciden con el disco</translation>
    </message>
    <message>
        <source>several releases match the disc; taking %1 (--release N takes another):</source>
        <translation>varias ediciones coinciden con el disco; se toma la %1 (--release N toma otra):</translation>
    </message>
    <message>
        <source>%1: the file exists (--overwrite replaces it)</source>
        <translation>%1: el archivo ya existe (--overwrite lo reemplaza)</translation>
    </message>
    <message>
        <source>not written</source>
        <translation>no escrita</translation>
    </message>
    <message>
        <source>Track %1: %2</source>
        <translation>Pista %1: %2</translation>
    </message>
    <message>
        <source>%1 extract %2%, encoded %3%</source>
        <translation>%1 extracción %2 %, codificada %3 %</translation>
    </message>
    <message>
        <source>another program wrote %1 while this MP3 was being made; this MP3 was saved as %2</source>
        <translation>otro programa escribió %1 mientras se creaba este MP3; este MP3 se guardó como %2</translation>
    </message>
    <message>
        <source>Sources of the audio server (--device NAME; kept as MicDevice=pulse:NAME):</source>
        <translation>Fuentes del servidor de audio (--device NOMBRE; se guardan como MicDevice=pulse:NOMBRE):</translation>
    </message>
    <message>
        <source>No audio server answers (%1); ALSA capture devices (--device NAME; kept as MicDevice=NAME):</source>
        <translation>No responde ningún servidor de audio (%1); dispositivos de captura ALSA (--device NOMBRE; se guardan como MicDevice=NOMBRE):</translation>
    </message>
    <message>
        <source>(monitor)</source>
        <translation>(monitor)</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(ninguna)</translation>
    </message>
    <message>
        <source>%1 record %2%, encoded %3%</source>
        <translation>%1 grabación %2 %, codificada %3 %</translation>
    </message>
    <message>
        <source>the sound card has no %1 input</source>
        <translation>la tarjeta de sonido no tiene entrada %1</translation>
    </message>
</context>
</TS>
