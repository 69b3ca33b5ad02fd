<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
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
        <translation>Für das ausgelesene Audio wurde kein Ordner gewählt</translation>
    </message>
    <message>
        <source>The folder name is longer than %1 characters; choose a folder with a shorter name:</source>
        <translation>Der Ordnername ist länger als %1 Zeichen; wählen Sie einen Ordner mit kürzerem Namen:</translation>
    </message>
    <message>
        <source>Another track is being extracted</source>
        <translation>Ein anderer Titel wird gerade ausgelesen</translation>
    </message>
    <message>
        <source>The extraction was cancelled</source>
        <translation>Das Auslesen wurde abgebrochen</translation>
    </message>
    <message>
        <source>The CD has no audio before track 1</source>
        <translation>Die CD hat vor Titel 1 kein Audio</translation>
    </message>
    <message>
        <source>The CD has no track %1</source>
        <translation>Die CD hat keinen Titel %1</translation>
    </message>
    <message>
        <source>Track %1 is a data track; only audio tracks can be extracted</source>
        <translation>Titel %1 ist ein Datentitel; nur Audiotitel können ausgelesen werden</translation>
    </message>
    <message>
        <source>There is no CD in &quot;%1&quot;</source>
        <translation>In „%1“ liegt keine CD</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot read audio CDs</source>
        <translation>„%1“ kann keine Audio-CDs lesen</translation>
    </message>
    <message>
        <source>Unable to read the audio CD in &quot;%1&quot;</source>
        <translation>Die Audio-CD in „%1“ kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>Track %1 has no audio to extract</source>
        <translation>Titel %1 hat kein Audio zum Auslesen</translation>
    </message>
    <message>
        <source>Unable to create &quot;%1&quot;</source>
        <translation>„%1“ kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>Unable to write &quot;%1&quot;; the disk may be full</source>
        <translation>„%1“ kann nicht geschrieben werden; der Datenträger ist vielleicht voll</translation>
    </message>
</context>
<context>
    <name>CaptureLine</name>
    <message>
        <source>the audio server stopped sending sound (nothing for 3 seconds)</source>
        <translation>der Audioserver hat keinen Ton mehr geliefert (3 Sekunden lang nichts)</translation>
    </message>
    <message>
        <source>the device stopped delivering sound (nothing for 3 seconds)</source>
        <translation>das Gerät hat keinen Ton mehr geliefert (3 Sekunden lang nichts)</translation>
    </message>
    <message>
        <source>the audio server stopped answering (%1)</source>
        <translation>der Audioserver antwortet nicht mehr (%1)</translation>
    </message>
    <message>
        <source>the device failed (%1)</source>
        <translation>das Gerät ist ausgefallen (%1)</translation>
    </message>
    <message>
        <source>%1: the device is closed</source>
        <translation>%1: das Gerät ist geschlossen</translation>
    </message>
    <message>
        <source>the device did not open within %1 seconds</source>
        <translation>das Gerät ließ sich nicht innerhalb von %1 Sekunden öffnen</translation>
    </message>
</context>
<context>
    <name>CardWaveIn</name>
    <message>
        <source>The specified command was carried out.</source>
        <translation>Der angegebene Befehl wurde ausgeführt.</translation>
    </message>
    <message>
        <source>Undefined external error.</source>
        <translation>Undefinierter externer Fehler.</translation>
    </message>
    <message>
        <source>A device ID has been used that is out of range for your system.</source>
        <translation>Es wurde eine Geräte-ID verwendet, die für Ihr System außerhalb des gültigen Bereichs liegt.</translation>
    </message>
    <message>
        <source>The specified device is already in use. Wait until it is free, and then try again.</source>
        <translation>Das angegebene Gerät wird bereits verwendet. Warten Sie, bis es frei ist, und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>The specified device handle is invalid.</source>
        <translation>Das angegebene Geräte-Handle ist ungültig.</translation>
    </message>
    <message>
        <source>There is no driver installed on your system.</source>
        <translation>Auf Ihrem System ist kein Treiber installiert.</translation>
    </message>
    <message>
        <source>There is not enough memory available for this task.</source>
        <translation>Für diese Aufgabe ist nicht genug Speicher verfügbar.</translation>
    </message>
    <message>
        <source>An invalid flag was passed to a system function.</source>
        <translation>Einer Systemfunktion wurde ein ungültiges Flag übergeben.</translation>
    </message>
    <message>
        <source>An invalid parameter was passed to a system function.</source>
        <translation>Einer Systemfunktion wurde ein ungültiger Parameter übergeben.</translation>
    </message>
    <message>
        <source>The specified format is not supported or cannot be translated.</source>
        <translation>Das angegebene Format wird nicht unterstützt oder kann nicht umgewandelt werden.</translation>
    </message>
    <message>
        <source>Cannot perform this operation while media data is still playing.</source>
        <translation>Dieser Vorgang ist nicht möglich, solange noch Mediendaten abgespielt werden.</translation>
    </message>
    <message>
        <source>The wave header was not prepared.</source>
        <translation>Der Wave-Header wurde nicht vorbereitet.</translation>
    </message>
</context>
<context>
    <name>CdAudioDevice</name>
    <message>
        <source>There is no disc in the CD drive.</source>
        <translation>Im CD-Laufwerk liegt keine CD.</translation>
    </message>
</context>
<context>
    <name>CdDisc</name>
    <message>
        <source>The CD has no track %1</source>
        <translation>Die CD hat keinen Titel %1</translation>
    </message>
    <message>
        <source>Sector %1 lies outside the tracks of the CD</source>
        <translation>Sektor %1 liegt außerhalb der Titel der CD</translation>
    </message>
    <message>
        <source>Track %1 is a data track and holds no audio</source>
        <translation>Titel %1 ist ein Datentitel und enthält kein Audio</translation>
    </message>
    <message>
        <source>The CD could not be read at sector %1</source>
        <translation>Die CD konnte bei Sektor %1 nicht gelesen werden</translation>
    </message>
</context>
<context>
    <name>CdImage</name>
    <message>
        <source>This program has no reader for disc images</source>
        <translation>Dieses Programm hat keinen Leser für CD-Abbilder</translation>
    </message>
    <message>
        <source>Unable to read the CD image &quot;%1&quot;
%2</source>
        <translation>Das CD-Abbild „%1“ kann nicht gelesen werden
%2</translation>
    </message>
</context>
<context>
    <name>CdImageSheet</name>
    <message>
        <source>There is no cue sheet &quot;%1.cue&quot; beside it to say where its tracks lie</source>
        <translation>Daneben liegt kein Cue-Sheet „%1.cue“, das angibt, wo die Titel liegen</translation>
    </message>
    <message>
        <source>Unable to open &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Sectors %1 to %2 lie outside the disc</source>
        <translation>Die Sektoren %1 bis %2 liegen außerhalb der CD</translation>
    </message>
    <message>
        <source>Sector %1 lies in no file of the image</source>
        <translation>Sektor %1 liegt in keiner Datei des Abbilds</translation>
    </message>
    <message>
        <source>Unable to read &quot;%1&quot; at sector %2: %3</source>
        <translation>„%1“ kann bei Sektor %2 nicht gelesen werden: %3</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ends before sector %2 of the disc; the image has been cut short</source>
        <translation>„%1“ endet vor Sektor %2 der CD; das Abbild wurde gekürzt</translation>
    </message>
    <message>
        <source>It does not exist</source>
        <translation>Es existiert nicht</translation>
    </message>
    <message>
        <source>There is not enough memory to read it</source>
        <translation>Es ist nicht genug Speicher frei, um es zu lesen</translation>
    </message>
</context>
<context>
    <name>CdRecorder</name>
    <message>
        <source>Unable to open CD player</source>
        <translation>CD-Spieler kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>unable to extract CD data</source>
        <translation>CD-Daten können nicht ausgelesen werden</translation>
    </message>
</context>
<context>
    <name>CdRun</name>
    <message>
        <source>unable to extract CD data</source>
        <translation>CD-Daten können nicht ausgelesen werden</translation>
    </message>
    <message>
        <source>accurate</source>
        <translation>korrekt</translation>
    </message>
    <message>
        <source>not accurate</source>
        <translation>nicht korrekt</translation>
    </message>
    <message>
        <source>not in database</source>
        <translation>nicht in der Datenbank</translation>
    </message>
    <message>
        <source>not checked</source>
        <translation>nicht geprüft</translation>
    </message>
    <message>
        <source>1 track: %1 written</source>
        <translation>1 Titel: %1 geschrieben</translation>
    </message>
    <message>
        <source>%1 tracks: %2 written</source>
        <translation>%1 Titel: %2 geschrieben</translation>
    </message>
    <message>
        <source>, %1 accurately ripped</source>
        <translation>, %1 korrekt ausgelesen</translation>
    </message>
    <message>
        <source>, %1 not accurate</source>
        <translation>, %1 nicht korrekt</translation>
    </message>
    <message>
        <source>, %1 not verified</source>
        <translation>, %1 nicht überprüft</translation>
    </message>
    <message>
        <source>, %1 failed</source>
        <translation>, %1 fehlgeschlagen</translation>
    </message>
    <message>
        <source> (cancelled)</source>
        <translation> (abgebrochen)</translation>
    </message>
    <message>
        <source>not encoded</source>
        <translation>nicht kodiert</translation>
    </message>
    <message>
        <source>Some sectors of the CD could not be read:</source>
        <translation>Einige Sektoren der CD konnten nicht gelesen werden:</translation>
    </message>
    <message>
        <source>The audio before track 1 can only be extracted digitally</source>
        <translation>Der Ton vor Titel 1 lässt sich nur digital auslesen</translation>
    </message>
    <message>
        <source>not recorded whole</source>
        <translation>nicht vollständig aufgenommen</translation>
    </message>
</context>
<context>
    <name>CdioHandle</name>
    <message>
        <source>Unable to open the CD drive &quot;%1&quot;</source>
        <translation>Das CD-Laufwerk „%1“ kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>libcdio cannot read it</source>
        <translation>libcdio kann es nicht lesen</translation>
    </message>
    <message>
        <source>No CD drive found</source>
        <translation>Kein CD-Laufwerk gefunden</translation>
    </message>
</context>
<context>
    <name>ClipLight</name>
    <message>
        <source>CLIP</source>
        <translation>CLIP</translation>
    </message>
    <message>
        <source>Clip light</source>
        <translation>Übersteuerungsanzeige</translation>
    </message>
    <message>
        <source>Lights when the input reaches full scale; click to reset it and the peak hold</source>
        <translation>Leuchtet, wenn der Eingang Vollaussteuerung erreicht; klicken, um sie und die Spitzenwertanzeige zurückzusetzen</translation>
    </message>
    <message>
        <source>The input clipped: lower the recording level. Click to reset.</source>
        <translation>Der Eingang war übersteuert: Aufnahmepegel verringern. Zum Zurücksetzen klicken.</translation>
    </message>
    <message>
        <source>No clipping since the take began</source>
        <translation>Keine Übersteuerung seit Beginn der Aufnahme</translation>
    </message>
</context>
<context>
    <name>CoverArt</name>
    <message>
        <source>The disc ID &quot;%1&quot; cannot name a cache file</source>
        <translation>Die Disc-ID „%1“ taugt nicht als Name einer Cache-Datei</translation>
    </message>
    <message>
        <source>Unable to create the folder &quot;%1&quot;</source>
        <translation>Der Ordner „%1“ kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>Unable to write &quot;%1&quot;</source>
        <translation>„%1“ kann nicht geschrieben werden</translation>
    </message>
</context>
<context>
    <name>CoverWell</name>
    <message>
        <source>Cover picture</source>
        <translation>Titelbild</translation>
    </message>
    <message>
        <source>Cover picture: Browse for a JPEG or PNG file or drop one here; None removes it</source>
        <translation>Titelbild: Eine JPEG- oder PNG-Datei suchen oder hierher ziehen; „Keines“ entfernt es</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen …</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keines</translation>
    </message>
    <message>
        <source>Cover</source>
        <translation>Titelbild</translation>
    </message>
    <message>
        <source>This picture cannot be used as the cover.</source>
        <translation>Dieses Bild kann nicht als Titelbild verwendet werden.</translation>
    </message>
    <message>
        <source>Choose a cover picture</source>
        <translation>Titelbild auswählen</translation>
    </message>
    <message>
        <source>Pictures (*.jpg;*.jpeg;*.png)|*.jpg;*.jpeg;*.png</source>
        <translation>Bilder (*.jpg;*.jpeg;*.png)|*.jpg;*.jpeg;*.png</translation>
    </message>
</context>
<context>
    <name>CueSheet</name>
    <message>
        <source>The track mode &quot;%1&quot; is unknown</source>
        <translation>Der Spurmodus „%1“ ist unbekannt</translation>
    </message>
    <message>
        <source>A FILE line names no file (line %1)</source>
        <translation>Eine FILE-Zeile nennt keine Datei (Zeile %1)</translation>
    </message>
    <message>
        <source>The file type %1 of &quot;%2&quot; cannot be read (line %3)</source>
        <translation>Der Dateityp %1 von „%2“ kann nicht gelesen werden (Zeile %3)</translation>
    </message>
    <message>
        <source>A TRACK line has no number or mode (line %1)</source>
        <translation>Eine TRACK-Zeile hat keine Nummer oder keinen Modus (Zeile %1)</translation>
    </message>
    <message>
        <source>Track %1 comes before any FILE line</source>
        <translation>Titel %1 steht vor jeder FILE-Zeile</translation>
    </message>
    <message>
        <source>Track %1 does not follow track %2; tracks are numbered 1 to 99 in order (line %3)</source>
        <translation>Titel %1 folgt nicht auf Titel %2; Titel sind der Reihe nach von 1 bis 99 nummeriert (Zeile %3)</translation>
    </message>
    <message>
        <source>%1 comes before any TRACK line (line %2)</source>
        <translation>%1 steht vor jeder TRACK-Zeile (Zeile %2)</translation>
    </message>
    <message>
        <source>The %1 line of track %2 gives no time mm:ss:ff (line %3)</source>
        <translation>Die %1-Zeile von Titel %2 gibt keine Zeit mm:ss:ff an (Zeile %3)</translation>
    </message>
    <message>
        <source>Track %1 continues into another FILE (line %2)</source>
        <translation>Titel %1 setzt sich in einer anderen FILE fort (Zeile %2)</translation>
    </message>
    <message>
        <source>INDEX 01 of track %1 lies before its INDEX 00 (line %2)</source>
        <translation>INDEX 01 von Titel %1 liegt vor seinem INDEX 00 (Zeile %2)</translation>
    </message>
    <message>
        <source>INDEX %1 of track %2 comes before its INDEX 01 (line %3)</source>
        <translation>INDEX %1 von Titel %2 steht vor seinem INDEX 01 (Zeile %3)</translation>
    </message>
    <message>
        <source>Track %1 has no INDEX 01</source>
        <translation>Titel %1 hat kein INDEX 01</translation>
    </message>
    <message>
        <source>Track %1 starts at %2, not after track %3 (%4)</source>
        <translation>Titel %1 beginnt bei %2, nicht nach Titel %3 (%4)</translation>
    </message>
    <message>
        <source>The disc would be longer than any CD</source>
        <translation>Die CD wäre länger als jede mögliche CD</translation>
    </message>
    <message>
        <source>Track %1 starts at %2, past the end of &quot;%3&quot; (%4 long)</source>
        <translation>Titel %1 beginnt bei %2, hinter dem Ende von „%3“ (%4 lang)</translation>
    </message>
    <message>
        <source>Tracks %1 and %2 share &quot;%3&quot; with different sector sizes</source>
        <translation>Die Titel %1 und %2 teilen sich „%3“ mit verschiedenen Sektorgrößen</translation>
    </message>
</context>
<context>
    <name>DecodedAudioFile</name>
    <message>
        <source>It is a folder</source>
        <translation>Sie ist ein Ordner</translation>
    </message>
    <message>
        <source>It is no regular file</source>
        <translation>Sie ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>It is neither a FLAC nor an Ogg stream</source>
        <translation>Sie ist weder ein FLAC- noch ein Ogg-Strom</translation>
    </message>
    <message>
        <source>It cannot be decoded: %1</source>
        <translation>Sie kann nicht dekodiert werden: %1</translation>
    </message>
    <message>
        <source>It gives no length, channels or sample rate</source>
        <translation>Sie gibt keine Länge, Kanäle oder Abtastrate an</translation>
    </message>
    <message>
        <source>The file ends before frame %1</source>
        <translation>Die Datei endet vor Frame %1</translation>
    </message>
    <message>
        <source>It cannot be decoded at frame %1: %2</source>
        <translation>Sie kann bei Frame %1 nicht dekodiert werden: %2</translation>
    </message>
    <message>
        <source>It cannot be decoded at frame %1: the stream ends early</source>
        <translation>Sie kann bei Frame %1 nicht dekodiert werden: Der Strom endet zu früh</translation>
    </message>
</context>
<context>
    <name>DiscCache</name>
    <message>
        <source>The disc ID &quot;%1&quot; cannot name a cache file</source>
        <translation>Die Disc-ID „%1“ taugt nicht als Name einer Cache-Datei</translation>
    </message>
    <message>
        <source>Unable to create the folder &quot;%1&quot;</source>
        <translation>Der Ordner „%1“ kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>Unable to write &quot;%1&quot;</source>
        <translation>„%1“ kann nicht geschrieben werden</translation>
    </message>
</context>
<context>
    <name>DiscDetails</name>
    <message>
        <source>Unknown artist</source>
        <translation>Unbekannter Interpret</translation>
    </message>
    <message>
        <source>Unknown album</source>
        <translation>Unbekanntes Album</translation>
    </message>
    <message>
        <source>%1 tracks</source>
        <translation>%1 Titel</translation>
    </message>
</context>
<context>
    <name>DiscId</name>
    <message>
        <source>The CD has no audio tracks to identify it by</source>
        <translation>Die CD hat keine Audiotitel, an denen sie sich erkennen ließe</translation>
    </message>
    <message>
        <source>The CD&apos;s table of contents ends before its last track</source>
        <translation>Das Inhaltsverzeichnis der CD endet vor ihrem letzten Titel</translation>
    </message>
    <message>
        <source>Out of memory while identifying the CD</source>
        <translation>Kein Speicher mehr beim Erkennen der CD</translation>
    </message>
    <message>
        <source>The CD cannot be identified: %1</source>
        <translation>Die CD kann nicht erkannt werden: %1</translation>
    </message>
</context>
<context>
    <name>DiscLookup</name>
    <message>
        <source>Found in the cache</source>
        <translation>Im Zwischenspeicher gefunden</translation>
    </message>
    <message>
        <source>Found on MusicBrainz</source>
        <translation>Bei MusicBrainz gefunden</translation>
    </message>
    <message>
        <source>No match on MusicBrainz</source>
        <translation>Kein Treffer bei MusicBrainz</translation>
    </message>
    <message>
        <source>MusicBrainz cannot be reached</source>
        <translation>MusicBrainz ist nicht erreichbar</translation>
    </message>
    <message>
        <source>Found on gnudb</source>
        <translation>Bei gnudb gefunden</translation>
    </message>
    <message>
        <source>No match on gnudb</source>
        <translation>Kein Treffer bei gnudb</translation>
    </message>
    <message>
        <source>gnudb cannot be reached</source>
        <translation>gnudb ist nicht erreichbar</translation>
    </message>
    <message>
        <source>Using CD-Text</source>
        <translation>CD-Text wird verwendet</translation>
    </message>
    <message>
        <source>Offline: using CD-Text</source>
        <translation>Offline: CD-Text wird verwendet</translation>
    </message>
    <message>
        <source>No details found for this disc</source>
        <translation>Keine Angaben zu dieser CD gefunden</translation>
    </message>
    <message>
        <source>No details: %1</source>
        <translation>Keine Angaben: %1</translation>
    </message>
</context>
<context>
    <name>EncoderSettings</name>
    <message>
        <source>variable bit rate, quality V%1</source>
        <translation>variable Bitrate, Qualität V%1</translation>
    </message>
    <message>
        <source>constant bit rate, %1 kbit/s</source>
        <translation>konstante Bitrate, %1 kbit/s</translation>
    </message>
    <message>
        <source>joint stereo</source>
        <translation>Joint-Stereo</translation>
    </message>
    <message>
        <source>stereo</source>
        <translation>Stereo</translation>
    </message>
    <message>
        <source>MP3 file</source>
        <translation>MP3-Datei</translation>
    </message>
    <message>
        <source>MP3 inside a wave file</source>
        <translation>MP3 in einer Wave-Datei</translation>
    </message>
</context>
<context>
    <name>Encoding</name>
    <message>
        <source>%1 was cut short while it was read (%2). No MP3 file was made.</source>
        <translation>%1 wurde beim Lesen gekürzt (%2). Es wurde keine MP3-Datei erstellt.</translation>
    </message>
</context>
<context>
    <name>ErrorReport</name>
    <message>
        <source>Unknown error</source>
        <translation>Unbekannter Fehler</translation>
    </message>
</context>
<context>
    <name>ImageParsing</name>
    <message>
        <source>It cannot be read: %1</source>
        <translation>Es kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>The sheet is %1 bytes long; a cue sheet or table of contents is far smaller</source>
        <translation>Die Datei ist %1 Bytes lang; ein Cue-Sheet oder Inhaltsverzeichnis ist weit kleiner</translation>
    </message>
    <message>
        <source>It cannot be read</source>
        <translation>Es kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be read: %2</source>
        <translation>Die Datei „%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is neither a wave file nor FLAC or Ogg audio</source>
        <translation>„%1“ ist weder eine Wave-Datei noch FLAC- oder Ogg-Audio</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not 16-bit stereo 44100 Hz PCM, as CD audio is</source>
        <translation>„%1“ ist kein 16-Bit-Stereo-PCM mit 44100 Hz wie CD-Audio</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds no CD audio samples a wave file can hold</source>
        <translation>„%1“ enthält keine CD-Audiodaten, wie eine Wave-Datei sie enthalten kann</translation>
    </message>
    <message>
        <source>A FILE line names no file</source>
        <translation>Eine FILE-Zeile nennt keine Datei</translation>
    </message>
    <message>
        <source>The sheet names &quot;%1&quot;; &quot;%2&quot; was read</source>
        <translation>Das Cue-Sheet nennt „%1“; gelesen wurde „%2“</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be read as audio: %2</source>
        <translation>„%1“ kann nicht als Audio gelesen werden: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2 of %3 channels at %4 Hz, %5-bit; CD audio is 16-bit stereo 44100 Hz</source>
        <translation>„%1“ ist %2 mit %3 Kanälen, %4 Hz, %5 Bit; CD-Audio ist 16-Bit-Stereo mit 44100 Hz</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2 of %3 channels at %4 Hz; CD audio is 16-bit stereo 44100 Hz</source>
        <translation>„%1“ ist %2 mit %3 Kanälen, %4 Hz; CD-Audio ist 16-Bit-Stereo mit 44100 Hz</translation>
    </message>
    <message>
        <source>The sheet lists no track</source>
        <translation>Die Datei führt keinen Titel auf</translation>
    </message>
    <message>
        <source>The sheet lists %1 tracks; a CD holds 1 to 99</source>
        <translation>Die Datei führt %1 Titel auf; eine CD fasst 1 bis 99</translation>
    </message>
    <message>
        <source>The disc is not a whole number of sectors long</source>
        <translation>Die CD ist keine ganze Zahl von Sektoren lang</translation>
    </message>
    <message>
        <source>The disc would be %1 long, more than any CD holds</source>
        <translation>Die CD wäre %1 lang, mehr als jede CD fasst</translation>
    </message>
    <message>
        <source>Track %1 has no sectors</source>
        <translation>Titel %1 hat keine Sektoren</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is shorter than the sheet says: it holds %2 bytes, the tracks need %3</source>
        <translation>„%1“ ist kürzer, als die Datei angibt: Sie enthält %2 Bytes, die Titel brauchen %3</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; named in &quot;%2&quot; does not exist</source>
        <translation>Die in „%2“ genannte Datei „%1“ existiert nicht</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; named in &quot;%2&quot; is a folder</source>
        <translation>Die in „%2“ genannte Datei „%1“ ist ein Ordner</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; named in &quot;%2&quot; is a device, not a file</source>
        <translation>Die in „%2“ genannte Datei „%1“ ist ein Gerät, keine Datei</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; named in &quot;%2&quot; cannot be read: %3</source>
        <translation>Die in „%2“ genannte Datei „%1“ kann nicht gelesen werden: %3</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; named in &quot;%2&quot; is no regular file</source>
        <translation>Die in „%2“ genannte Datei „%1“ ist keine reguläre Datei</translation>
    </message>
</context>
<context>
    <name>InstanceFolder</name>
    <message>
        <source>Unable to create the folder for temporary files</source>
        <translation>Der Ordner für temporäre Dateien kann nicht angelegt werden</translation>
    </message>
</context>
<context>
    <name>LiveTakeControls</name>
    <message>
        <source>Stop after</source>
        <translation>Stopp nach</translation>
    </message>
    <message>
        <source>Stop after, hours minutes seconds</source>
        <translation>Stopp nach, Stunden Minuten Sekunden</translation>
    </message>
</context>
<context>
    <name>MMBlade</name>
    <message>
        <source>Unsupported Input Format</source>
        <translation>Nicht unterstütztes Eingabeformat</translation>
    </message>
    <message>
        <source>Unable to initialize stream</source>
        <translation>Datenstrom kann nicht initialisiert werden</translation>
    </message>
    <message>
        <source>Unable to create file</source>
        <translation>Datei kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>Unable to deinitialize stream</source>
        <translation>Datenstrom kann nicht beendet werden</translation>
    </message>
    <message>
        <source>Unable to encode data</source>
        <translation>Daten können nicht kodiert werden</translation>
    </message>
</context>
<context>
    <name>MediaDevice</name>
    <message>
        <source>No media device is open under this identifier.</source>
        <translation>Unter dieser Kennung ist kein Mediengerät geöffnet.</translation>
    </message>
    <message>
        <source>The media device does not know this command.</source>
        <translation>Das Mediengerät kennt diesen Befehl nicht.</translation>
    </message>
    <message>
        <source>The media device failed.</source>
        <translation>Das Mediengerät ist ausgefallen.</translation>
    </message>
    <message>
        <source>There is no media device of this type.</source>
        <translation>Es gibt kein Mediengerät dieses Typs.</translation>
    </message>
    <message>
        <source>There is not enough memory for the media device.</source>
        <translation>Für das Mediengerät ist nicht genug Speicher frei.</translation>
    </message>
    <message>
        <source>The media device is in use by another player.</source>
        <translation>Das Mediengerät wird von einem anderen Player verwendet.</translation>
    </message>
    <message>
        <source>The media device cannot carry out this command.</source>
        <translation>Das Mediengerät kann diesen Befehl nicht ausführen.</translation>
    </message>
    <message>
        <source>The file cannot be found. Check the folder and the file name.</source>
        <translation>Die Datei wurde nicht gefunden. Prüfen Sie Ordner und Dateinamen.</translation>
    </message>
    <message>
        <source>The position lies outside the file or the medium.</source>
        <translation>Die Position liegt außerhalb der Datei oder des Mediums.</translation>
    </message>
    <message>
        <source>No media device can play this file.</source>
        <translation>Kein Mediengerät kann diese Datei abspielen.</translation>
    </message>
    <message>
        <source>The media device does not support this time format.</source>
        <translation>Das Mediengerät unterstützt dieses Zeitformat nicht.</translation>
    </message>
    <message>
        <source>The file cannot be played.</source>
        <translation>Die Datei kann nicht abgespielt werden.</translation>
    </message>
    <message>
        <source>No MIDI synthesiser is available: no usable sound font was found.</source>
        <translation>Kein MIDI-Synthesizer verfügbar: Es wurde keine brauchbare Klangbank gefunden.</translation>
    </message>
    <message>
        <source>Unknown error code</source>
        <translation>Unbekannter Fehlercode</translation>
    </message>
</context>
<context>
    <name>MediaPlayer</name>
    <message>
        <source>The command was carried out.</source>
        <translation>Der Befehl wurde ausgeführt.</translation>
    </message>
    <message>
        <source>Unknown error code</source>
        <translation>Unbekannter Fehlercode</translation>
    </message>
</context>
<context>
    <name>MessageTable</name>
    <message>
        <source>Change to property while device was open</source>
        <translation>Eigenschaft wurde geändert, während das Gerät geöffnet war</translation>
    </message>
    <message>
        <source>Invalid DeviceID</source>
        <translation>Ungültige Geräte-ID</translation>
    </message>
    <message>
        <source>Unable to allocate memory for wave header</source>
        <translation>Speicher für den Wave-Header kann nicht belegt werden</translation>
    </message>
    <message>
        <source>Unable to free header memory</source>
        <translation>Header-Speicher kann nicht freigegeben werden</translation>
    </message>
    <message>
        <source>Unable to start device</source>
        <translation>Gerät kann nicht gestartet werden</translation>
    </message>
    <message>
        <source>Error filling wave buffer</source>
        <translation>Fehler beim Füllen des Wave-Puffers</translation>
    </message>
    <message>
        <source>Specified error number is out of range (unknown error)</source>
        <translation>Angegebene Fehlernummer liegt außerhalb des Bereichs (unbekannter Fehler)</translation>
    </message>
    <message>
        <source>The actual device can&apos;t record this format</source>
        <translation>Das aktuelle Gerät kann dieses Format nicht aufnehmen</translation>
    </message>
    <message>
        <source>Could not create thread</source>
        <translation>Thread konnte nicht erzeugt werden</translation>
    </message>
    <message>
        <source>Invalid wave format</source>
        <translation>Ungültiges Wave-Format</translation>
    </message>
    <message>
        <source>No wave audio recording device found</source>
        <translation>Kein Gerät für Audioaufnahmen gefunden</translation>
    </message>
    <message>
        <source>Unable to open device</source>
        <translation>Gerät kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Unable to close device</source>
        <translation>Gerät kann nicht geschlossen werden</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>The disk was full or writing the MP3 file failed. No MP3 file was made.</source>
        <translation>Der Datenträger war voll oder das Schreiben der MP3-Datei ist fehlgeschlagen. Es wurde keine MP3-Datei erstellt.</translation>
    </message>
    <message>
        <source>unable to write header</source>
        <translation>Kopfdaten können nicht geschrieben werden</translation>
    </message>
    <message>
        <source>The disk was full or writing the temporary wave file failed. The recording has stopped and will not be encoded.</source>
        <translation>Der Datenträger war voll oder das Schreiben der temporären Wave-Datei ist fehlgeschlagen. Die Aufnahme wurde beendet und wird nicht kodiert.</translation>
    </message>
    <message>
        <source>The disk was full or writing the temporary wave file failed. Only the part converted until then will be encoded.</source>
        <translation>Der Datenträger war voll oder das Schreiben der temporären Wave-Datei ist fehlgeschlagen. Nur der bis dahin umgewandelte Teil wird kodiert.</translation>
    </message>
    <message>
        <source>The recording device stopped working (it was removed or unplugged). The recording ends here; what was recorded until then has been saved.</source>
        <translation>Das Aufnahmegerät funktioniert nicht mehr (es wurde entfernt oder ausgesteckt). Die Aufnahme endet hier; was bis dahin aufgenommen wurde, ist gespeichert.</translation>
    </message>
</context>
<context>
    <name>MidiFile</name>
    <message>
        <source>%1: a named pipe, not a MIDI file</source>
        <translation>%1: eine benannte Pipe, keine MIDI-Datei</translation>
    </message>
    <message>
        <source>%1: a folder, not a MIDI file</source>
        <translation>%1: ein Ordner, keine MIDI-Datei</translation>
    </message>
    <message>
        <source>%1: a device, not a MIDI file</source>
        <translation>%1: ein Gerät, keine MIDI-Datei</translation>
    </message>
    <message>
        <source>%1: a socket, not a MIDI file</source>
        <translation>%1: ein Socket, keine MIDI-Datei</translation>
    </message>
    <message>
        <source>%1: not a regular file, not a MIDI file</source>
        <translation>%1: keine reguläre Datei und keine MIDI-Datei</translation>
    </message>
    <message>
        <source>The RMID file&apos;s MIDI data runs past the end of the file.</source>
        <translation>Die MIDI-Daten der RMID-Datei reichen über das Dateiende hinaus.</translation>
    </message>
    <message>
        <source>The RMID file holds no MIDI data.</source>
        <translation>Die RMID-Datei enthält keine MIDI-Daten.</translation>
    </message>
    <message>
        <source>Track %1 is truncated: it ends inside an event.</source>
        <translation>Spur %1 ist abgeschnitten: Sie endet mitten in einem Ereignis.</translation>
    </message>
    <message>
        <source>Track %1 holds a length or time longer than four bytes.</source>
        <translation>Spur %1 enthält eine Länge oder Zeit von mehr als vier Bytes.</translation>
    </message>
    <message>
        <source>The MIDI file cannot be opened.</source>
        <translation>Die MIDI-Datei kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>The MIDI file cannot be read.</source>
        <translation>Die MIDI-Datei kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The file is too large to be a MIDI file.</source>
        <translation>Die Datei ist zu groß für eine MIDI-Datei.</translation>
    </message>
    <message>
        <source>The file is empty.</source>
        <translation>Die Datei ist leer.</translation>
    </message>
    <message>
        <source>The file is not a MIDI file.</source>
        <translation>Die Datei ist keine MIDI-Datei.</translation>
    </message>
    <message>
        <source>The MIDI file is too long to be played.</source>
        <translation>Die MIDI-Datei ist zu lang, um abgespielt zu werden.</translation>
    </message>
    <message>
        <source>The MIDI file lasts %1 hours; songs longer than 12 hours are not played.</source>
        <translation>Die MIDI-Datei dauert %1 Stunden; Stücke über 12 Stunden werden nicht abgespielt.</translation>
    </message>
    <message>
        <source>The MIDI file&apos;s header is truncated.</source>
        <translation>Der Kopf der MIDI-Datei ist abgeschnitten.</translation>
    </message>
    <message>
        <source>The MIDI file&apos;s header has a wrong length.</source>
        <translation>Der Kopf der MIDI-Datei hat eine falsche Länge.</translation>
    </message>
    <message>
        <source>MIDI files of format 2 (independent sequences) cannot be played.</source>
        <translation>MIDI-Dateien im Format 2 (unabhängige Sequenzen) können nicht abgespielt werden.</translation>
    </message>
    <message>
        <source>The MIDI file has an unknown format (%1).</source>
        <translation>Die MIDI-Datei hat ein unbekanntes Format (%1).</translation>
    </message>
    <message>
        <source>The MIDI file holds no tracks.</source>
        <translation>Die MIDI-Datei enthält keine Spuren.</translation>
    </message>
    <message>
        <source>The MIDI file has an invalid SMPTE frame rate (%1).</source>
        <translation>Die MIDI-Datei hat eine ungültige SMPTE-Bildrate (%1).</translation>
    </message>
    <message>
        <source>The MIDI file has a time division of 0.</source>
        <translation>Die MIDI-Datei hat eine Zeitauflösung von 0.</translation>
    </message>
    <message>
        <source>The MIDI file ends before its first track.</source>
        <translation>Die MIDI-Datei endet vor ihrer ersten Spur.</translation>
    </message>
    <message>
        <source>The MIDI file announces %1 tracks but holds only %2.</source>
        <translation>Die MIDI-Datei kündigt %1 Spuren an, enthält aber nur %2.</translation>
    </message>
    <message>
        <source>Track %1 says it is %2 bytes long, but only %3 bytes remain in the file.</source>
        <translation>Spur %1 gibt eine Länge von %2 Bytes an, in der Datei bleiben aber nur %3 Bytes.</translation>
    </message>
    <message>
        <source>Track %1 is truncated: it ends after an event time.</source>
        <translation>Spur %1 ist abgeschnitten: Sie endet nach einer Ereigniszeit.</translation>
    </message>
    <message>
        <source>Track %1 has a data byte where an event&apos;s status belongs.</source>
        <translation>Spur %1 hat ein Datenbyte, wo der Status eines Ereignisses stehen muss.</translation>
    </message>
    <message>
        <source>Track %1 has a status byte where an event&apos;s data belongs.</source>
        <translation>Spur %1 hat ein Statusbyte, wo die Daten eines Ereignisses stehen müssen.</translation>
    </message>
    <message>
        <source>Track %1 holds the status byte %2, which a MIDI file may not contain.</source>
        <translation>Spur %1 enthält das Statusbyte %2, das in einer MIDI-Datei nicht vorkommen darf.</translation>
    </message>
    <message>
        <source>Track %1 is truncated: an event&apos;s data runs past the end of the track.</source>
        <translation>Spur %1 ist abgeschnitten: Die Daten eines Ereignisses reichen über das Ende der Spur hinaus.</translation>
    </message>
    <message>
        <source>Track %1 has a tempo change of %2 bytes (3 expected).</source>
        <translation>Spur %1 hat einen Tempowechsel mit %2 Bytes (3 erwartet).</translation>
    </message>
    <message>
        <source>Track %1 sets a tempo of 0.</source>
        <translation>Spur %1 setzt ein Tempo von 0.</translation>
    </message>
</context>
<context>
    <name>MidiSynth</name>
    <message>
        <source>No sound font is available for the MIDI synthesiser.</source>
        <translation>Für den MIDI-Synthesizer ist keine Klangbank verfügbar.</translation>
    </message>
    <message>
        <source>The sound font &quot;%1&quot; cannot be loaded.</source>
        <translation>Die Klangbank „%1“ kann nicht geladen werden.</translation>
    </message>
    <message>
        <source>The sound font &quot;%1&quot; cannot be loaded: it is not a usable SoundFont 2 file.</source>
        <translation>Die Klangbank „%1“ kann nicht geladen werden: Sie ist keine brauchbare SoundFont-2-Datei.</translation>
    </message>
    <message>
        <source>The sound font &quot;%1&quot; cannot be loaded: %2.</source>
        <translation>Die Klangbank „%1“ kann nicht geladen werden: %2.</translation>
    </message>
    <message>
        <source>The MIDI synthesiser cannot start.</source>
        <translation>Der MIDI-Synthesizer kann nicht starten.</translation>
    </message>
    <message>
        <source>The MIDI synthesiser cannot play the file.</source>
        <translation>Der MIDI-Synthesizer kann die Datei nicht abspielen.</translation>
    </message>
</context>
<context>
    <name>NeroImage</name>
    <message>
        <source>Track %1 lies outside the image&apos;s audio (offsets %2, %3, %4)</source>
        <translation>Titel %1 liegt außerhalb der Audiodaten des Abbilds (Positionen %2, %3, %4)</translation>
    </message>
    <message>
        <source>Track %1 is no whole number of %2-byte sectors</source>
        <translation>Titel %1 ist keine ganze Zahl von Sektoren zu %2 Bytes</translation>
    </message>
    <message>
        <source>Track %1 overlaps the track before it</source>
        <translation>Titel %1 überlappt den Titel davor</translation>
    </message>
    <message>
        <source>The disc would be longer than any CD</source>
        <translation>Die CD wäre länger als jede mögliche CD</translation>
    </message>
    <message>
        <source>track list (chunk %1)</source>
        <translation>Titelliste (Chunk %1)</translation>
    </message>
    <message>
        <source>cue point list (chunk %1)</source>
        <translation>Cue-Punkt-Liste (Chunk %1)</translation>
    </message>
    <message>
        <source>chunk (chunk %1)</source>
        <translation>Chunk (Chunk %1)</translation>
    </message>
    <message>
        <source>track list of unreadable id (bytes %1)</source>
        <translation>Titelliste mit unlesbarer Kennung (Bytes %1)</translation>
    </message>
    <message>
        <source>cue point list of unreadable id (bytes %1)</source>
        <translation>Cue-Punkt-Liste mit unlesbarer Kennung (Bytes %1)</translation>
    </message>
    <message>
        <source>chunk of unreadable id (bytes %1)</source>
        <translation>Chunk mit unlesbarer Kennung (Bytes %1)</translation>
    </message>
    <message>
        <source>A track has the unknown mode %1</source>
        <translation>Ein Titel hat den unbekannten Modus %1</translation>
    </message>
    <message>
        <source>It cannot be read: %1</source>
        <translation>Es kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>It is too short for a Nero image</source>
        <translation>Es ist zu kurz für ein Nero-Abbild</translation>
    </message>
    <message>
        <source>It has no Nero footer (NER5 or NERO) at its end</source>
        <translation>Es hat an seinem Ende keinen Nero-Abschluss (NER5 oder NERO)</translation>
    </message>
    <message>
        <source>Its footer gives the chunk list&apos;s place as %1, outside the image&apos;s %2 bytes before the footer</source>
        <translation>Sein Abschluss gibt die Position der Chunk-Liste mit %1 an, außerhalb der %2 Bytes des Abbilds vor dem Abschluss</translation>
    </message>
    <message>
        <source>Its chunk list would take %1 bytes, far more than a CD&apos;s needs</source>
        <translation>Seine Chunk-Liste wäre %1 Bytes groß, weit mehr, als eine CD braucht</translation>
    </message>
    <message>
        <source>Its chunk list cannot be read</source>
        <translation>Seine Chunk-Liste kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>Its chunk list ends without an END! chunk</source>
        <translation>Seine Chunk-Liste endet ohne END!-Chunk</translation>
    </message>
    <message>
        <source>Its %1 claims %2 bytes, past the end of the chunk list</source>
        <translation>Im Abbild: %1 beansprucht %2 Bytes, über das Ende der Chunk-Liste hinaus</translation>
    </message>
    <message>
        <source>Its %1 of %2 bytes holds no whole track entries</source>
        <translation>Im Abbild: %1 mit %2 Bytes enthält keine ganzen Titeleinträge</translation>
    </message>
    <message>
        <source>Its %1 numbers its %2 tracks from %3 to %4</source>
        <translation>Im Abbild: %1 nummeriert die %2 Titel von %3 bis %4</translation>
    </message>
    <message>
        <source>Track %1 has sectors of %2 bytes</source>
        <translation>Titel %1 hat Sektoren zu %2 Bytes</translation>
    </message>
    <message>
        <source>Track %1 is longer than the image</source>
        <translation>Titel %1 ist länger als das Abbild</translation>
    </message>
    <message>
        <source>Its %1 of %2 bytes holds no whole cue points</source>
        <translation>Im Abbild: %1 mit %2 Bytes enthält keine ganzen Cue-Punkte</translation>
    </message>
    <message>
        <source>Its %1 lists %2 tracks; a CD holds 1 to 99</source>
        <translation>Im Abbild: %1 führt %2 Titel auf; eine CD fasst 1 bis 99</translation>
    </message>
    <message>
        <source>It holds more than one session; only single-session images can be read</source>
        <translation>Es enthält mehr als eine Session; nur Abbilder mit einer Session können gelesen werden</translation>
    </message>
    <message>
        <source>Its chunk list holds no track list (DAOX, DAOI, ETN2 or ETNF)</source>
        <translation>Seine Chunk-Liste enthält keine Titelliste (DAOX, DAOI, ETN2 oder ETNF)</translation>
    </message>
</context>
<context>
    <name>OutputGuard</name>
    <message>
        <source>The MP3 file cannot replace the MIDI file it is made from. Choose another name for the MP3 file.</source>
        <translation>Die MP3-Datei kann die MIDI-Datei, aus der sie entsteht, nicht ersetzen. Wählen Sie einen anderen Namen für die MP3-Datei.</translation>
    </message>
    <message>
        <source>The MP3 file cannot replace the recording it is made from. Choose another name for the MP3 file.</source>
        <translation>Die MP3-Datei kann die Aufnahme, aus der sie entsteht, nicht ersetzen. Wählen Sie einen anderen Namen für die MP3-Datei.</translation>
    </message>
    <message>
        <source>The MP3 file cannot replace the wave file it is made from. Choose another name for the MP3 file.</source>
        <translation>Die MP3-Datei kann die Wave-Datei, aus der sie entsteht, nicht ersetzen. Wählen Sie einen anderen Namen für die MP3-Datei.</translation>
    </message>
    <message>
        <source>The MP3 file cannot replace a folder. Choose another name for the MP3 file.</source>
        <translation>Die MP3-Datei kann keinen Ordner ersetzen. Wählen Sie einen anderen Namen für die MP3-Datei.</translation>
    </message>
    <message>
        <source>The MP3 file cannot replace a named pipe. Choose another name for the MP3 file.</source>
        <translation>Die MP3-Datei kann keine benannte Pipe ersetzen. Wählen Sie einen anderen Namen für die MP3-Datei.</translation>
    </message>
    <message>
        <source>The MP3 file cannot replace a device. Choose another name for the MP3 file.</source>
        <translation>Die MP3-Datei kann kein Gerät ersetzen. Wählen Sie einen anderen Namen für die MP3-Datei.</translation>
    </message>
    <message>
        <source>The MP3 file cannot replace a socket. Choose another name for the MP3 file.</source>
        <translation>Die MP3-Datei kann keinen Socket ersetzen. Wählen Sie einen anderen Namen für die MP3-Datei.</translation>
    </message>
    <message>
        <source>The MP3 file cannot replace something that is not a regular file. Choose another name for the MP3 file.</source>
        <translation>Die MP3-Datei kann nichts ersetzen, was keine reguläre Datei ist. Wählen Sie einen anderen Namen für die MP3-Datei.</translation>
    </message>
    <message>
        <source>The MP3 file could not be saved.</source>
        <translation>Die MP3-Datei konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Another program wrote this file while the MP3 file was being made. Replace it with the new MP3 file?</source>
        <translation>Ein anderes Programm hat diese Datei geschrieben, während die MP3-Datei entstand. Durch die neue MP3-Datei ersetzen?</translation>
    </message>
</context>
<context>
    <name>PreferencesWindow</name>
    <message>
        <source>&amp;Microphone:</source>
        <translation>&amp;Mikrofon:</translation>
    </message>
    <message>
        <source>&amp;Line input:</source>
        <translation>&amp;Line-Eingang:</translation>
    </message>
    <message>
        <source>&amp;Aux input:</source>
        <translation>&amp;AUX-Eingang:</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keines</translation>
    </message>
    <message>
        <source>&amp;Speakers:</source>
        <translation>Laut&amp;sprecher:</translation>
    </message>
    <message>
        <source>The first drive</source>
        <translation>Das erste Laufwerk</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen …</translation>
    </message>
    <message>
        <source>Open a disc image</source>
        <translation>CD-Abbild öffnen</translation>
    </message>
    <message>
        <source>Disc images</source>
        <translation>CD-Abbilder</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Alle Dateien</translation>
    </message>
    <message>
        <source>CD d&amp;rive or disc image:</source>
        <translation>CD-Laufwe&amp;rk oder CD-Abbild:</translation>
    </message>
    <message>
        <source>&amp;Look up discs on the network</source>
        <translation>CDs im Netz nachsch&amp;lagen</translation>
    </message>
    <message>
        <source>&amp;MusicBrainz server:</source>
        <translation>&amp;MusicBrainz-Server:</translation>
    </message>
    <message>
        <source>&amp;gnudb server:</source>
        <translation>&amp;gnudb-Server:</translation>
    </message>
    <message>
        <source>Co&amp;vers from:</source>
        <translation>Titelbilder &amp;von:</translation>
    </message>
    <message>
        <source>No covers</source>
        <translation>Keine Titelbilder</translation>
    </message>
    <message>
        <source>&amp;AccurateRip database:</source>
        <translation>&amp;AccurateRip-Datenbank:</translation>
    </message>
    <message>
        <source>Drive&apos;s &amp;read offset (samples):</source>
        <translation>Leseve&amp;rsatz des Laufwerks (Samples):</translation>
    </message>
    <message>
        <source>&amp;Test and copy (read every track twice)</source>
        <translation>&amp;Testen und kopieren (jeden Titel zweimal lesen)</translation>
    </message>
    <message>
        <source>Write a &amp;cue sheet and a playlist</source>
        <translation>&amp;Cue-Sheet und Wiedergabeliste schreiben</translation>
    </message>
    <message>
        <source>The first General MIDI font installed</source>
        <translation>Die erste installierte General-MIDI-Klangbank</translation>
    </message>
    <message>
        <source>Choose a sound font</source>
        <translation>Klangbank auswählen</translation>
    </message>
    <message>
        <source>Sound fonts</source>
        <translation>Klangbänke</translation>
    </message>
    <message>
        <source>&amp;Sound font:</source>
        <translation>Klangbank (&amp;SoundFont):</translation>
    </message>
    <message>
        <source>&amp;Reverb</source>
        <translation>Hall (&amp;Reverb)</translation>
    </message>
    <message>
        <source>&amp;Chorus</source>
        <translation>&amp;Chorus</translation>
    </message>
    <message>
        <source>Output &amp;gain:</source>
        <translation>Aus&amp;gangsverstärkung:</translation>
    </message>
    <message>
        <source> dB</source>
        <translation> dB</translation>
    </message>
    <message>
        <source>File &amp;type:</source>
        <translation>Da&amp;teityp:</translation>
    </message>
    <message>
        <source>MP3 inside a wave file</source>
        <translation>MP3 in einer Wave-Datei</translation>
    </message>
    <message>
        <source>MP3 file</source>
        <translation>MP3-Datei</translation>
    </message>
    <message>
        <source>Bit rate &amp;mode:</source>
        <translation>Bitraten&amp;modus:</translation>
    </message>
    <message>
        <source>Constant (the slider&apos;s bit rate)</source>
        <translation>Konstant (Bitrate des Schiebereglers)</translation>
    </message>
    <message>
        <source>Variable</source>
        <translation>Variabel</translation>
    </message>
    <message>
        <source>Variable &amp;quality (0 best):</source>
        <translation>Variable &amp;Qualität (0 beste):</translation>
    </message>
    <message>
        <source>&amp;Stereo:</source>
        <translation>&amp;Stereo:</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>Stereo</translation>
    </message>
    <message>
        <source>Joint stereo</source>
        <translation>Joint-Stereo</translation>
    </message>
    <message>
        <source>&amp;ReplayGain (measure loudness, tag track and album gain)</source>
        <translation>&amp;ReplayGain (Lautheit messen, Titel- und Albumwert ins Tag)</translation>
    </message>
    <message>
        <source>&amp;Encoders at once:</source>
        <translation>&amp;Encoder gleichzeitig:</translation>
    </message>
    <message>
        <source>CD file &amp;names:</source>
        <translation>CD-Datei&amp;namen:</translation>
    </message>
    <message>
        <source>%n track number, %N two-digit number, %t title, %a artist, %A album, %y year</source>
        <translation>%n Titelnummer, %N zweistellige Nummer, %t Titel, %a Interpret, %A Album, %y Jahr</translation>
    </message>
    <message>
        <source>Safe names for &amp;FAT file systems</source>
        <translation>Sichere Namen &amp;für FAT-Dateisysteme</translation>
    </message>
    <message>
        <source>First track:</source>
        <translation>Erster Titel:</translation>
    </message>
    <message>
        <source>First track&apos;s file name</source>
        <translation>Dateiname des ersten Titels</translation>
    </message>
    <message>
        <source>Intro</source>
        <translation>Intro</translation>
    </message>
    <message>
        <source>Artist</source>
        <translation>Interpret</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>Geräte</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>Discs</source>
        <translation>CDs</translation>
    </message>
    <message>
        <source>MIDI</source>
        <translation>MIDI</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>A changed device is used from the next take or play on.</source>
        <translation>Ein geändertes Gerät wird ab der nächsten Aufnahme oder Wiedergabe verwendet.</translation>
    </message>
    <message>
        <source>The sound font, reverb, chorus and gain change at the next play.</source>
        <translation>Klangbank, Hall, Chorus und Verstärkung ändern sich beim nächsten Abspielen.</translation>
    </message>
</context>
<context>
    <name>ProfileFile</name>
    <message>
        <source>Unable to read the settings file. The program runs on its default settings and leaves the file as it is.</source>
        <translation>Die Einstellungsdatei kann nicht gelesen werden. Das Programm läuft mit seinen Standardeinstellungen und lässt die Datei unverändert.</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>In %1 kann nicht geschrieben werden</translation>
    </message>
</context>
<context>
    <name>Resampler</name>
    <message>
        <source>Unable to start the sample-rate converter: %1</source>
        <translation>Der Abtastratenwandler kann nicht gestartet werden: %1</translation>
    </message>
    <message>
        <source>The sample-rate converter failed: %1</source>
        <translation>Der Abtastratenwandler ist gescheitert: %1</translation>
    </message>
</context>
<context>
    <name>RipSession</name>
    <message>
        <source>not checked (the AccurateRip server answered with something unreadable)</source>
        <translation>nicht geprüft (der AccurateRip-Server hat etwas Unlesbares geantwortet)</translation>
    </message>
    <message>
        <source>not checked (AccurateRip could not be reached)</source>
        <translation>nicht geprüft (AccurateRip war nicht erreichbar)</translation>
    </message>
    <message>
        <source>not in the AccurateRip database (its answer was for another disc)</source>
        <translation>nicht in der AccurateRip-Datenbank (die Antwort galt einer anderen CD)</translation>
    </message>
    <message>
        <source>accurately ripped (confidence %1)</source>
        <translation>korrekt ausgelesen (Vertrauen %1)</translation>
    </message>
    <message>
        <source>not accurate (%1 other rips disagree)</source>
        <translation>nicht korrekt (%1 andere Auslesungen weichen ab)</translation>
    </message>
    <message>
        <source>not in the AccurateRip database</source>
        <translation>nicht in der AccurateRip-Datenbank</translation>
    </message>
    <message>
        <source>Track %1: %2; test and copy differ</source>
        <translation>Titel %1: %2; Test und Kopie weichen ab</translation>
    </message>
    <message>
        <source>Track %1: %2</source>
        <translation>Titel %1: %2</translation>
    </message>
    <message>
        <source>Unable to write &quot;%1&quot;</source>
        <translation>„%1“ kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Unable to write the rip log &quot;%1&quot;</source>
        <translation>Das Ausleseprotokoll „%1“ kann nicht geschrieben werden</translation>
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
        <translation>%1 Bit</translation>
    </message>
    <message>
        <source>%1 bits</source>
        <translation>%1 Bit</translation>
    </message>
    <message>
        <source>%1 channel</source>
        <translation>%1 Kanal</translation>
    </message>
    <message>
        <source>%1 channels</source>
        <translation>%1 Kanäle</translation>
    </message>
    <message>
        <source>format %1</source>
        <translation>Format %1</translation>
    </message>
    <message>
        <source>format tag %1</source>
        <translation>Formatkennung %1</translation>
    </message>
    <message>
        <source>Unsupported wave format: the file holds %1. Wave files with PCM samples of 8, 16, 24 or 32 bits or IEEE float samples of 32 or 64 bits, and 1 to 8 channels, can be encoded.</source>
        <translation>Nicht unterstütztes Wave-Format: Die Datei enthält %1. Wave-Dateien mit PCM-Samples von 8, 16, 24 oder 32 Bit oder IEEE-Gleitkomma-Samples von 32 oder 64 Bit und 1 bis 8 Kanälen können codiert werden.</translation>
    </message>
    <message>
        <source>no format</source>
        <translation>kein Format</translation>
    </message>
    <message>
        <source>an extensible format without its sub-format</source>
        <translation>ein erweiterbares Format ohne Unterformat</translation>
    </message>
    <message>
        <source>extensible %1</source>
        <translation>erweiterbares %1</translation>
    </message>
    <message>
        <source>format of unknown kind</source>
        <translation>Format unbekannter Art</translation>
    </message>
    <message>
        <source>IEEE float</source>
        <translation>IEEE-Gleitkomma</translation>
    </message>
    <message>
        <source>%1 in blocks of %2 byte</source>
        <translation>%1 in Blöcken zu %2 Byte</translation>
    </message>
    <message>
        <source>%1 in blocks of %2 bytes</source>
        <translation>%1 in Blöcken zu %2 Byte</translation>
    </message>
</context>
<context>
    <name>SequencerDevice</name>
    <message>
        <source>The sequencer needs a MIDI file.</source>
        <translation>Der Sequenzer braucht eine MIDI-Datei.</translation>
    </message>
</context>
<context>
    <name>SoundCard</name>
    <message>
        <source>The device &quot;%1&quot; cannot be opened.</source>
        <translation>Das Gerät „%1“ lässt sich nicht öffnen.</translation>
    </message>
    <message>
        <source>The speakers&apos; device &quot;%1&quot; cannot be opened: %2.</source>
        <translation>Das Lautsprechergerät „%1“ lässt sich nicht öffnen: %2.</translation>
    </message>
    <message>
        <source>No device is chosen for the speakers.</source>
        <translation>Für die Lautsprecher ist kein Gerät gewählt.</translation>
    </message>
</context>
<context>
    <name>SoundLine</name>
    <message>
        <source>The audio server no longer offers the source &quot;%1&quot;.</source>
        <translation>Der Audioserver bietet die Quelle „%1“ nicht mehr an.</translation>
    </message>
    <message>
        <source>The source &quot;%1&quot; cannot be recorded: no audio server answers (%2).</source>
        <translation>Die Quelle „%1“ lässt sich nicht aufnehmen: Kein Audioserver antwortet (%2).</translation>
    </message>
    <message>
        <source>No capture device is set up for this input.</source>
        <translation>Für diesen Eingang ist kein Aufnahmegerät eingerichtet.</translation>
    </message>
    <message>
        <source>The capture device &quot;%1&quot; cannot be opened: %2.</source>
        <translation>Das Aufnahmegerät „%1“ lässt sich nicht öffnen: %2.</translation>
    </message>
    <message>
        <source>Set %1 in the section SOUNDCARD_SETUP of %2.</source>
        <translation>Setzen Sie %1 im Abschnitt SOUNDCARD_SETUP von %2.</translation>
    </message>
</context>
<context>
    <name>SourceTiles</name>
    <message>
        <source>Choose a sound font in Preferences (Ctrl+,).</source>
        <translation>Wählen Sie eine Klangbank in den Einstellungen (Strg+,).</translation>
    </message>
    <message>
        <source>Choose a CD drive or disc image in Preferences (Ctrl+,).</source>
        <translation>Wählen Sie ein CD-Laufwerk oder CD-Abbild in den Einstellungen (Strg+,).</translation>
    </message>
    <message>
        <source>Choose a device in Preferences (Ctrl+,).</source>
        <translation>Wählen Sie ein Gerät in den Einstellungen (Strg+,).</translation>
    </message>
    <message>
        <source>The sound card has no such source.</source>
        <translation>Die Soundkarte hat keine solche Quelle.</translation>
    </message>
</context>
<context>
    <name>SplitEncoder</name>
    <message>
        <source>Unable to initialize stream</source>
        <translation>Datenstrom kann nicht initialisiert werden</translation>
    </message>
    <message>
        <source>Unable to encode data</source>
        <translation>Daten können nicht kodiert werden</translation>
    </message>
    <message>
        <source>Unable to deinitialize stream</source>
        <translation>Datenstrom kann nicht beendet werden</translation>
    </message>
</context>
<context>
    <name>SplitRun</name>
    <message>
        <source>The take cannot be kept for its tracks:</source>
        <translation>Die Aufnahme kann nicht für ihre Titel aufbewahrt werden:</translation>
    </message>
    <message>
        <source>A split take needs one file name for each of its tracks.</source>
        <translation>Eine geteilte Aufnahme braucht für jeden ihrer Titel einen Dateinamen.</translation>
    </message>
</context>
<context>
    <name>SplitTracksPage</name>
    <message>
        <source>Tracks found at the silences of the take. Merge neighbours or move a cut, then Next.</source>
        <translation>An den Pausen der Aufnahme gefundene Titel. Nachbarn zusammenfügen oder einen Schnitt verschieben, dann „Weiter“.</translation>
    </message>
    <message>
        <source>Proposed tracks</source>
        <translation>Vorgeschlagene Titel</translation>
    </message>
    <message>
        <source>&amp;Merge with next</source>
        <translation>&amp;Mit nächstem zusammenfügen</translation>
    </message>
    <message>
        <source>Cut &amp;earlier</source>
        <translation>Schnitt &amp;früher</translation>
    </message>
    <message>
        <source>Cut &amp;later</source>
        <translation>Schnitt &amp;später</translation>
    </message>
    <message>
        <source>Joins the selected track and the one after it</source>
        <translation>Fügt den gewählten Titel und den folgenden zusammen</translation>
    </message>
    <message>
        <source>Moves the cut after the selected track %1 seconds earlier</source>
        <translation>Verschiebt den Schnitt nach dem gewählten Titel um %1 Sekunden nach vorn</translation>
    </message>
    <message>
        <source>Moves the cut after the selected track %1 seconds later</source>
        <translation>Verschiebt den Schnitt nach dem gewählten Titel um %1 Sekunden nach hinten</translation>
    </message>
    <message>
        <source>Track %1   %2   (%3)</source>
        <translation>Titel %1   %2   (%3)</translation>
    </message>
    <message>
        <source>Plays %1 seconds before to %1 seconds after the cut after the selected track</source>
        <translation>Spielt von %1 Sekunden vor bis %1 Sekunden nach dem Schnitt hinter dem gewählten Titel</translation>
    </message>
    <message>
        <source>Sto&amp;p playing</source>
        <translation>An&amp;hören beenden</translation>
    </message>
    <message>
        <source>&amp;Play the cut</source>
        <translation>Schnitt an&amp;hören</translation>
    </message>
</context>
<context>
    <name>SynthLine</name>
    <message>
        <source>The sound font &quot;%1&quot; is not a usable SoundFont 2 file.</source>
        <translation>Die Klangbank „%1“ ist keine brauchbare SoundFont-2-Datei.</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Track%1         %2 min. %3 sec.</source>
        <translation>Titel%1         %2 Min. %3 Sek.</translation>
    </message>
    <message>
        <source>Image...</source>
        <translation>Abbild …</translation>
    </message>
    <message>
        <source>Open a disc image (.cue, .toc, .nrg) as the CD</source>
        <translation>Ein CD-Abbild (.cue, .toc, .nrg) als CD öffnen</translation>
    </message>
    <message>
        <source>Select a disc image</source>
        <translation>CD-Abbild auswählen</translation>
    </message>
    <message>
        <source>Disc images (*.cue;*.toc;*.nrg)|*.cue;*.toc;*.nrg|All files (*.*)|*.*</source>
        <translation>CD-Abbilder (*.cue;*.toc;*.nrg)|*.cue;*.toc;*.nrg|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Unable to open CD player</source>
        <translation>CD-Spieler kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>This CD contains %1 tracks</source>
        <translation>Diese CD enthält %1 Titel</translation>
    </message>
    <message>
        <source> (data)</source>
        <translation> (Daten)</translation>
    </message>
    <message>
        <source>No tracks selected for encoding</source>
        <translation>Keine Titel zum Kodieren ausgewählt</translation>
    </message>
    <message>
        <source>Select the folder for the mp3 files</source>
        <translation>Ordner für die MP3-Dateien auswählen</translation>
    </message>
    <message>
        <source>There is no folder %1</source>
        <translation>Es gibt keinen Ordner %1</translation>
    </message>
    <message>
        <source>Files will be named Track1, Track2, Track3 etc.</source>
        <translation>Die Dateien heißen Track1, Track2, Track3 usw.</translation>
    </message>
    <message>
        <source>Files will be named %1 etc.</source>
        <translation>Die Dateien heißen %1 usw.</translation>
    </message>
    <message>
        <source>Files will be named %1.</source>
        <translation>Die Dateien heißen %1.</translation>
    </message>
    <message>
        <source>Choose a folder for the mp3 files</source>
        <translation>Wählen Sie einen Ordner für die MP3-Dateien</translation>
    </message>
    <message>
        <source>Create folder %1?</source>
        <translation>Ordner %1 anlegen?</translation>
    </message>
    <message>
        <source>Replace these files?</source>
        <translation>Diese Dateien ersetzen?</translation>
    </message>
    <message>
        <source>unable to extract CD data</source>
        <translation>CD-Daten können nicht ausgelesen werden</translation>
    </message>
    <message>
        <source>Unable to halt ripper.. please wait</source>
        <translation>Das Auslesen lässt sich nicht anhalten … bitte warten</translation>
    </message>
    <message>
        <source>Encoding AUDIO CD file %1 of %2</source>
        <translation>AUDIO-CD-Datei %1 von %2 wird kodiert</translation>
    </message>
    <message>
        <source>Recording progress</source>
        <translation>Aufnahmefortschritt</translation>
    </message>
    <message>
        <source>Extraction progress</source>
        <translation>Fortschritt des Auslesens</translation>
    </message>
    <message>
        <source>Replace this file?
%1</source>
        <translation>Diese Datei ersetzen?
%1</translation>
    </message>
    <message>
        <source>CD run stopped</source>
        <translation>CD-Durchlauf abgebrochen</translation>
    </message>
    <message>
        <source>CD run finished</source>
        <translation>CD-Durchlauf abgeschlossen</translation>
    </message>
    <message>
        <source>Internal error %1</source>
        <translation>Interner Fehler %1</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>failed (%1)</source>
        <translation>fehlgeschlagen (%1)</translation>
    </message>
    <message>
        <source>read</source>
        <translation>gelesen</translation>
    </message>
    <message>
        <source>recorded</source>
        <translation>aufgenommen</translation>
    </message>
    <message>
        <source>encoded</source>
        <translation>kodiert</translation>
    </message>
    <message>
        <source>Track %1: %2</source>
        <translation>Titel %1: %2</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>The CD could not be read to the end of track %1</source>
        <translation>Die CD konnte nicht bis zum Ende von Titel %1 gelesen werden</translation>
    </message>
    <message>
        <source>Cover picture</source>
        <translation>Titelbild</translation>
    </message>
    <message>
        <source>Enter details for track %1</source>
        <translation>Angaben zu Titel %1 eingeben</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <source>Go on without</source>
        <translation>Ohne fortfahren</translation>
    </message>
    <message>
        <source>Looking up...</source>
        <translation>Suche läuft …</translation>
    </message>
    <message>
        <source>Several releases match this disc. Which one is it?</source>
        <translation>Mehrere Veröffentlichungen passen zu dieser CD. Welche ist es?</translation>
    </message>
    <message>
        <source>None of these</source>
        <translation>Keine davon</translation>
    </message>
    <message>
        <source>Using CD-Text</source>
        <translation>CD-Text wird verwendet</translation>
    </message>
    <message>
        <source>No details found for this disc</source>
        <translation>Keine Angaben zu dieser CD gefunden</translation>
    </message>
    <message>
        <source>Encoding finished</source>
        <translation>Kodierung abgeschlossen</translation>
    </message>
    <message>
        <source>Encoding stopped</source>
        <translation>Kodierung abgebrochen</translation>
    </message>
    <message>
        <source>%1 is ready</source>
        <translation>%1 ist fertig</translation>
    </message>
    <message>
        <source>No MP3 file was finished</source>
        <translation>Es wurde keine MP3-Datei fertiggestellt</translation>
    </message>
    <message>
        <source>&lt; &amp;Back</source>
        <translation>&lt; &amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Attempt to set priority error #%1</source>
        <translation>Fehler #%1 beim Setzen der Priorität</translation>
    </message>
    <message>
        <source>Loading instruments...</source>
        <translation>Instrumente werden geladen …</translation>
    </message>
    <message>
        <source>The instruments cannot be loaded.</source>
        <translation>Die Instrumente können nicht geladen werden.</translation>
    </message>
    <message>
        <source>No source selected</source>
        <translation>Keine Quelle ausgewählt</translation>
    </message>
    <message>
        <source>Cancel the encoding under way?</source>
        <translation>Die laufende Kodierung abbrechen?</translation>
    </message>
    <message>
        <source>....ABORTED</source>
        <translation>....ABGEBROCHEN</translation>
    </message>
    <message>
        <source>Left input level</source>
        <translation>Eingangspegel links</translation>
    </message>
    <message>
        <source>Right input level</source>
        <translation>Eingangspegel rechts</translation>
    </message>
    <message>
        <source>Recording level</source>
        <translation>Aufnahmepegel</translation>
    </message>
    <message>
        <source>Select audio source</source>
        <translation>Audioquelle auswählen</translation>
    </message>
    <message>
        <source>Click on the icon to select the audio source</source>
        <translation>Klicken Sie auf ein Symbol, um die Audioquelle zu wählen</translation>
    </message>
    <message>
        <source>Wave file</source>
        <translation>Wave-Datei</translation>
    </message>
    <message>
        <source>MIDI file</source>
        <translation>MIDI-Datei</translation>
    </message>
    <message>
        <source>Audio CD</source>
        <translation>Audio-CD</translation>
    </message>
    <message>
        <source>MIC. in</source>
        <translation>Mikrofon</translation>
    </message>
    <message>
        <source>LINE in</source>
        <translation>Line-Eingang</translation>
    </message>
    <message>
        <source>AUX in</source>
        <translation>AUX-Eingang</translation>
    </message>
    <message>
        <source>&amp;Next &gt;</source>
        <translation>&amp;Weiter &gt;</translation>
    </message>
    <message>
        <source>Select wave file</source>
        <translation>Wave-Datei auswählen</translation>
    </message>
    <message>
        <source>Location of wav file to encode</source>
        <translation>Speicherort der zu kodierenden WAV-Datei</translation>
    </message>
    <message>
        <source>Br&amp;owse</source>
        <translation>D&amp;urchsuchen</translation>
    </message>
    <message>
        <source>Location destination mp3 file</source>
        <translation>Speicherort der MP3-Zieldatei</translation>
    </message>
    <message>
        <source>Bro&amp;wse</source>
        <translation>Durc&amp;hsuchen</translation>
    </message>
    <message>
        <source>Type or paste a path, or choose the file with Browse</source>
        <translation>Einen Pfad eingeben oder einfügen, oder die Datei mit „Durchsuchen“ wählen</translation>
    </message>
    <message>
        <source>Faster than real time (no monitoring)</source>
        <translation>Schneller als Echtzeit (ohne Mithören)</translation>
    </message>
    <message>
        <source>Artist</source>
        <translation>Interpret</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Titelnr.</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Kommentar</translation>
    </message>
    <message>
        <source>Audio is original</source>
        <translation>Audio ist Original</translation>
    </message>
    <message>
        <source>Enter MP3 file details</source>
        <translation>Angaben zur MP3-Datei eingeben</translation>
    </message>
    <message>
        <source>Enter track details. These can be displayed by some players.</source>
        <translation>Geben Sie die Titelangaben ein. Manche Player können sie anzeigen.</translation>
    </message>
    <message>
        <source>Audio is copyrighted</source>
        <translation>Audio ist urheberrechtlich geschützt</translation>
    </message>
    <message>
        <source>MP3 Quality</source>
        <translation>MP3-Qualität</translation>
    </message>
    <message>
        <source>MP3 Bitrate = </source>
        <translation>MP3-Bitrate = </translation>
    </message>
    <message>
        <source>%1 Khz</source>
        <translation>%1 Khz</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Niedrig</translation>
    </message>
    <message>
        <source>MP3 Bitrate</source>
        <translation>MP3-Bitrate</translation>
    </message>
    <message>
        <source>From low quality and small files to high quality and large files</source>
        <translation>Von niedriger Qualität und kleinen Dateien bis zu hoher Qualität und großen Dateien</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Hoch</translation>
    </message>
    <message>
        <source>Select encoding options</source>
        <translation>Kodieroptionen auswählen</translation>
    </message>
    <message>
        <source>Specify MP3 quality/compression factor.</source>
        <translation>Legen Sie MP3-Qualität/Kompressionsfaktor fest.</translation>
    </message>
    <message>
        <source>Save &amp;as:</source>
        <translation>&amp;Speichern als:</translation>
    </message>
    <message>
        <source>MP3 file</source>
        <translation>MP3-Datei</translation>
    </message>
    <message>
        <source>MP3 inside a wave file</source>
        <translation>MP3 in einer Wave-Datei</translation>
    </message>
    <message>
        <source>&amp;Quality:</source>
        <translation>&amp;Qualität:</translation>
    </message>
    <message>
        <source>constant bit rate</source>
        <translation>konstante Bitrate</translation>
    </message>
    <message>
        <source>variable V%1 (best)</source>
        <translation>variabel V%1 (beste)</translation>
    </message>
    <message>
        <source>variable V%1 (smallest)</source>
        <translation>variabel V%1 (kleinste)</translation>
    </message>
    <message>
        <source>variable V%1</source>
        <translation>variabel V%1</translation>
    </message>
    <message>
        <source>Joint stereo</source>
        <translation>Joint-Stereo</translation>
    </message>
    <message>
        <source>ReplayGain</source>
        <translation>ReplayGain</translation>
    </message>
    <message>
        <source>using the Blade encoder. &lt;a href=&quot;#&quot;&gt;Click here&lt;/a&gt; for details</source>
        <translation>mit dem Blade-Encoder. &lt;a href=&quot;#&quot;&gt;Hier klicken&lt;/a&gt; für Einzelheiten</translation>
    </message>
    <message>
        <source>using the Blade encoder. Click here for details</source>
        <translation>mit dem Blade-Encoder. Hier klicken für Einzelheiten</translation>
    </message>
    <message>
        <source>Encoding WAVE file</source>
        <translation>WAVE-Datei wird kodiert</translation>
    </message>
    <message>
        <source>Output file</source>
        <translation>Ausgabedatei</translation>
    </message>
    <message>
        <source>Checking and converting Wave format</source>
        <translation>Wave-Format wird geprüft und umgewandelt</translation>
    </message>
    <message>
        <source>Encoding progress</source>
        <translation>Kodierfortschritt</translation>
    </message>
    <message>
        <source>&amp;Finish</source>
        <translation>&amp;Fertig stellen</translation>
    </message>
    <message>
        <source>Monitor volume</source>
        <translation>Mithörlautstärke</translation>
    </message>
    <message>
        <source>Encoding MIDI file</source>
        <translation>MIDI-Datei wird kodiert</translation>
    </message>
    <message>
        <source>Recording from AUX input</source>
        <translation>Aufnahme vom AUX-Eingang</translation>
    </message>
    <message>
        <source>Select a destination file then use the RECORD and STOP buttons to record.</source>
        <translation>Wählen Sie eine Zieldatei und nehmen Sie dann mit den Schaltflächen AUFNEHMEN und STOPP auf.</translation>
    </message>
    <message>
        <source>&amp;Record</source>
        <translation>Auf&amp;nehmen</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>S&amp;topp</translation>
    </message>
    <message>
        <source>Select CD tracks for encoding</source>
        <translation>CD-Titel zum Kodieren auswählen</translation>
    </message>
    <message>
        <source>New CD</source>
        <translation>Neue CD</translation>
    </message>
    <message>
        <source>CD tracks</source>
        <translation>CD-Titel</translation>
    </message>
    <message>
        <source>Check the tracks to encode</source>
        <translation>Die zu kodierenden Titel ankreuzen</translation>
    </message>
    <message>
        <source>Clear list</source>
        <translation>Liste leeren</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Alle auswählen</translation>
    </message>
    <message>
        <source>CD data extraction</source>
        <translation>Auslesen der CD-Daten</translation>
    </message>
    <message>
        <source>There are two methods of extracting the CD audio data</source>
        <translation>Die Audiodaten der CD lassen sich auf zwei Arten gewinnen</translation>
    </message>
    <message>
        <source>1) Ripping</source>
        <translation>1) Digital auslesen</translation>
    </message>
    <message>
        <source>The data is extracted digitally for best audio quality. Not all CDROMS support ripping.</source>
        <translation>Die Daten werden digital ausgelesen, für beste Tonqualität. Nicht alle CD-ROM-Laufwerke unterstützen das.</translation>
    </message>
    <message>
        <source>1) Recording</source>
        <translation>2) Aufnehmen</translation>
    </message>
    <message>
        <source>The audio is recorded using the soundcard with some loss of fidelity.</source>
        <translation>Der Ton wird über die Soundkarte aufgenommen, mit etwas Qualitätsverlust.</translation>
    </message>
    <message>
        <source>RECORD the audio with the soundcard</source>
        <translation>Ton mit der Soundkarte AUFNEHMEN</translation>
    </message>
    <message>
        <source>RIP the data digitally</source>
        <translation>Daten digital AUSLESEN</translation>
    </message>
    <message>
        <source>CD Encoding options</source>
        <translation>CD-Kodieroptionen</translation>
    </message>
    <message>
        <source>Choose a location for the resulting mp3 files.</source>
        <translation>Wählen Sie einen Speicherort für die MP3-Dateien.</translation>
    </message>
    <message>
        <source>Folder for the mp3 files</source>
        <translation>Ordner für die MP3-Dateien</translation>
    </message>
    <message>
        <source>CD file details</source>
        <translation>Angaben zu den CD-Dateien</translation>
    </message>
    <message>
        <source>Do you want to enter details for each of the CD tracks? These details will be written into the MP3 file and can be displayed by some players.</source>
        <translation>Möchten Sie für jeden CD-Titel Angaben eingeben? Diese Angaben werden in die MP3-Datei geschrieben und können von manchen Playern angezeigt werden.</translation>
    </message>
    <message>
        <source>Yes, I want to enter the track details.</source>
        <translation>Ja, ich möchte die Titelangaben eingeben.</translation>
    </message>
    <message>
        <source>No, encode the tracks without descriptions.</source>
        <translation>Nein, die Titel ohne Angaben kodieren.</translation>
    </message>
    <message>
        <source>Audio is copyright</source>
        <translation>Audio ist urheberrechtlich geschützt</translation>
    </message>
    <message>
        <source>Encoding AUDIO CD file</source>
        <translation>AUDIO-CD-Datei wird kodiert</translation>
    </message>
    <message>
        <source>Track results</source>
        <translation>Ergebnisse der Titel</translation>
    </message>
    <message>
        <source>Recording from LINE input</source>
        <translation>Aufnahme vom Line-Eingang</translation>
    </message>
    <message>
        <source>Recording from MIC input</source>
        <translation>Aufnahme vom Mikrofoneingang</translation>
    </message>
    <message>
        <source>Discard the recording?</source>
        <translation>Die Aufnahme verwerfen?</translation>
    </message>
    <message>
        <source>Recorded %1:%2, %3 KB</source>
        <translation>Aufgenommen %1:%2, %3 KB</translation>
    </message>
    <message>
        <source>Select source wave file</source>
        <translation>Wave-Quelldatei auswählen</translation>
    </message>
    <message>
        <source>Wave audiofiles (*.wav)|*.wav|All files (*.*)|*.*</source>
        <translation>Wave-Audiodateien (*.wav)|*.wav|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Select source MIDI file</source>
        <translation>MIDI-Quelldatei auswählen</translation>
    </message>
    <message>
        <source>Midi files (*.mid)|*.mid|All files (*.*)|*.*</source>
        <translation>MIDI-Dateien (*.mid)|*.mid|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Select MIDI file</source>
        <translation>MIDI-Datei auswählen</translation>
    </message>
    <message>
        <source>Location of MIDI file to encode</source>
        <translation>Speicherort der zu kodierenden MIDI-Datei</translation>
    </message>
    <message>
        <source>%1 is %2, not a wave file.</source>
        <translation>%1 ist %2, keine Wave-Datei.</translation>
    </message>
    <message>
        <source>mp3 audio files (*,mp3)|*.mp3|All files (*.*)|*.*</source>
        <translation>MP3-Audiodateien (*.mp3)|*.mp3|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Replace %1?</source>
        <translation>%1 ersetzen?</translation>
    </message>
    <message>
        <source>&amp;Preferences...</source>
        <translation>&amp;Einstellungen …</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Split into tracks at silences</source>
        <translation>An Pausen in Titel teilen</translation>
    </message>
    <message>
        <source>After the take, proposes one track for each stretch between silences</source>
        <translation>Schlägt nach der Aufnahme für jeden Abschnitt zwischen Pausen einen Titel vor</translation>
    </message>
    <message>
        <source>Tracks of the take</source>
        <translation>Titel der Aufnahme</translation>
    </message>
</context>
<context>
    <name>TForm3</name>
    <message>
        <source>Encoder details</source>
        <translation>Encoder-Details</translation>
    </message>
    <message>
        <source>MP3 encoding by LAME, through the BladeEnc interface.</source>
        <translation>MP3-Kodierung durch LAME, über die BladeEnc-Schnittstelle.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Version %1   Engine %2 </source>
        <translation>Version %1   Engine %2 </translation>
    </message>
    <message>
        <source>Encoder: LAME %1
Mode: %2
Stereo mode: %3
Saved as: %4</source>
        <translation>Encoder: LAME %1
Modus: %2
Stereomodus: %3
Gespeichert als: %4</translation>
    </message>
</context>
<context>
    <name>TMMCBMode</name>
    <message>
        <source>&quot;CallBacks&quot; are called at interrupt time !
<byte value="xd"/>This is currently only supported under Windows 95</source>
        <translation>„CallBacks“ werden zur Unterbrechungszeit aufgerufen!
Das wird derzeit nur unter Windows 95 unterstützt</translation>
    </message>
</context>
<context>
    <name>TMMHiTimer</name>
    <message>
        <source>Not enough timers available</source>
        <translation>Nicht genügend Zeitgeber verfügbar</translation>
    </message>
</context>
<context>
    <name>TMMWaveRecorder</name>
    <message>
        <source>This is a read-only property, please use SelectFormat.</source>
        <translation>Diese Eigenschaft ist schreibgeschützt, bitte SelectFormat verwenden.</translation>
    </message>
</context>
<context>
    <name>TocFile</name>
    <message>
        <source>The track mode &quot;%1&quot; is unknown</source>
        <translation>Der Spurmodus „%1“ ist unbekannt</translation>
    </message>
    <message>
        <source>Track %1 is not a whole number of sectors long</source>
        <translation>Titel %1 ist keine ganze Zahl von Sektoren lang</translation>
    </message>
    <message>
        <source>Track %1 holds no audio after its pregap</source>
        <translation>Titel %1 enthält nach seinem Pregap kein Audio</translation>
    </message>
    <message>
        <source>The disc would be longer than any CD</source>
        <translation>Die CD wäre länger als jede mögliche CD</translation>
    </message>
    <message>
        <source>A &apos;}&apos; closes nothing (line %1)</source>
        <translation>Eine &apos;}&apos; schließt nichts (Zeile %1)</translation>
    </message>
    <message>
        <source>%1 comes before any TRACK (line %2)</source>
        <translation>%1 steht vor jedem TRACK (Zeile %2)</translation>
    </message>
    <message>
        <source>A TRACK line has no mode (line %1)</source>
        <translation>Eine TRACK-Zeile hat keinen Modus (Zeile %1)</translation>
    </message>
    <message>
        <source>%1 names no file (line %2)</source>
        <translation>%1 nennt keine Datei (Zeile %2)</translation>
    </message>
    <message>
        <source>The offset %1 is no number (line %2)</source>
        <translation>Die Position %1 ist keine Zahl (Zeile %2)</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; gives no start (line %3)</source>
        <translation>%1 „%2“ gibt keinen Anfang an (Zeile %3)</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; gives no length %3 (line %4)</source>
        <translation>%1 „%2“ gibt keine Länge %3 an (Zeile %4)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds too little for track %2 (line %3)</source>
        <translation>„%1“ enthält zu wenig für Titel %2 (Zeile %3)</translation>
    </message>
    <message>
        <source>%1 gives no length (line %2)</source>
        <translation>%1 gibt keine Länge an (Zeile %2)</translation>
    </message>
    <message>
        <source>PREGAP comes after the track&apos;s audio (line %1)</source>
        <translation>PREGAP steht nach dem Audio des Titels (Zeile %1)</translation>
    </message>
    <message>
        <source>START gives no time (line %1)</source>
        <translation>START gibt keine Zeit an (Zeile %1)</translation>
    </message>
    <message>
        <source>START of track %1 is no whole sector (line %2)</source>
        <translation>START von Titel %1 ist kein ganzer Sektor (Zeile %2)</translation>
    </message>
    <message>
        <source>A &apos;{&apos; is never closed</source>
        <translation>Eine &apos;{&apos; wird nie geschlossen</translation>
    </message>
</context>
<context>
    <name>TypedPaths</name>
    <message>
        <source>%1 is a file, not a folder</source>
        <translation>%1 ist eine Datei, kein Ordner</translation>
    </message>
    <message>
        <source>There is no folder %1 yet: Next offers to create it</source>
        <translation>Den Ordner %1 gibt es noch nicht: „Weiter“ bietet an, ihn anzulegen</translation>
    </message>
    <message>
        <source>There is no folder %1, and %2 is not a folder</source>
        <translation>Es gibt keinen Ordner %1, und %2 ist kein Ordner</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 ist kein Ordner</translation>
    </message>
    <message>
        <source>There is no folder %1</source>
        <translation>Es gibt keinen Ordner %1</translation>
    </message>
    <message>
        <source>Unable to create folder %1</source>
        <translation>Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>something else is at that name</source>
        <translation>unter diesem Namen liegt bereits etwas anderes</translation>
    </message>
</context>
<context>
    <name>Unit2Mixer</name>
    <message>
        <source>Cannot detect Microsoft Mixer !</source>
        <translation>Der Microsoft-Mixer wurde nicht gefunden!</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
</context>
<context>
    <name>Unit2Record</name>
    <message>
        <source>The recording of %1 would need %2 MB, but only %3 MB are free for its temporary file %4.</source>
        <translation>Die Aufnahme von %1 bräuchte %2 MB, für ihre temporäre Datei %4 sind aber nur %3 MB frei.</translation>
    </message>
</context>
<context>
    <name>WaveCheck</name>
    <message>
        <source>File not found</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <source>File access denied</source>
        <translation>Zugriff auf die Datei verweigert</translation>
    </message>
    <message>
        <source>Too many open files</source>
        <translation>Zu viele offene Dateien</translation>
    </message>
    <message>
        <source>Invalid filename</source>
        <translation>Ungültiger Dateiname</translation>
    </message>
    <message>
        <source>I/O error %1</source>
        <translation>E/A-Fehler %1</translation>
    </message>
    <message>
        <source>%1: a named pipe, not a wave file</source>
        <translation>%1: eine benannte Pipe, keine Wave-Datei</translation>
    </message>
    <message>
        <source>%1: a device, not a wave file</source>
        <translation>%1: ein Gerät, keine Wave-Datei</translation>
    </message>
    <message>
        <source>%1: a socket, not a wave file</source>
        <translation>%1: ein Socket, keine Wave-Datei</translation>
    </message>
    <message>
        <source>%1: a folder, not a wave file</source>
        <translation>%1: ein Ordner, keine Wave-Datei</translation>
    </message>
    <message>
        <source>%1: something that is not a regular file, not a wave file</source>
        <translation>%1: keine reguläre Datei und keine Wave-Datei</translation>
    </message>
    <message>
        <source>Read beyond end of file</source>
        <translation>Lesen hinter dem Dateiende</translation>
    </message>
    <message>
        <source>Unsupported wave format: the file declares a sample rate of %1 Hz; only rates from %2 to %3 Hz can be encoded</source>
        <translation>Nicht unterstütztes Wave-Format: Die Datei gibt eine Abtastrate von %1 Hz an; nur Raten von %2 bis %3 Hz können kodiert werden</translation>
    </message>
    <message>
        <source>The wave file holds no audio.</source>
        <translation>Die Wave-Datei enthält kein Audio.</translation>
    </message>
</context>
<context>
    <name>mervane-cli</name>
    <message>
        <source>-o %1 is a file, but several inputs need a folder</source>
        <translation>-o %1 ist eine Datei, mehrere Eingaben brauchen aber einen Ordner</translation>
    </message>
    <message>
        <source>%1 and %2 would both become %3</source>
        <translation>%1 und %2 würden beide zu %3</translation>
    </message>
    <message>
        <source>cannot make the folder %1: %2</source>
        <translation>Ordner %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>--tracks: the disc has no track %1</source>
        <translation>--tracks: die CD hat keinen Titel %1</translation>
    </message>
    <message>
        <source>--tracks: track %1 is a data track</source>
        <translation>--tracks: Titel %1 ist ein Datentitel</translation>
    </message>
    <message>
        <source>there is no disc in %1</source>
        <translation>in %1 liegt keine CD</translation>
    </message>
    <message>
        <source>Where the MP3 goes: a file for one input, a folder for several (made when missing). Default: beside the input, its extension replaced by .mp3.</source>
        <translation>Ziel der MP3: eine Datei bei einer Eingabe, ein Ordner bei mehreren (wird angelegt, wenn er fehlt). Vorgabe: neben der Eingabe, die Endung durch .mp3 ersetzt.</translation>
    </message>
    <message>
        <source>Constant bit rate: 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256 or 320 (default 128).</source>
        <translation>Konstante Bitrate: 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256 oder 320 (Vorgabe 128).</translation>
    </message>
    <message>
        <source>Variable bit rate at LAME quality Q, 0 (best) to 9.</source>
        <translation>Variable Bitrate mit LAME-Qualität Q, 0 (beste) bis 9.</translation>
    </message>
    <message>
        <source>Plain MP3 file, or MP3 frames inside a RIFF wave file (default: Container in the settings file&apos;s ENCODER section, wave when it is not set).</source>
        <translation>Reine MP3-Datei oder MP3-Frames in einer RIFF-Wave-Datei (Vorgabe: Container im Abschnitt ENCODER der Einstellungsdatei, wave, wenn nicht gesetzt).</translation>
    </message>
    <message>
        <source>Joint stereo instead of simple stereo.</source>
        <translation>Joint-Stereo statt einfachem Stereo.</translation>
    </message>
    <message>
        <source>Measures the loudness and writes the ReplayGain into the tag (default: ReplayGain in the settings file&apos;s ENCODER section, off when it is not set).</source>
        <translation>Misst die Lautheit und schreibt den ReplayGain-Wert in das Tag (Vorgabe: ReplayGain im Abschnitt ENCODER der Einstellungsdatei, aus, wenn nicht gesetzt).</translation>
    </message>
    <message>
        <source>Writes no ReplayGain, whatever the settings file says.</source>
        <translation>Schreibt kein ReplayGain, gleich was die Einstellungsdatei sagt.</translation>
    </message>
    <message>
        <source>Title of the tag.</source>
        <translation>Titel im Tag.</translation>
    </message>
    <message>
        <source>Artist of the tag.</source>
        <translation>Interpret im Tag.</translation>
    </message>
    <message>
        <source>Album of the tag.</source>
        <translation>Album im Tag.</translation>
    </message>
    <message>
        <source>Year of the tag, 1900 to 2099 (default none).</source>
        <translation>Jahr im Tag, 1900 bis 2099 (Vorgabe: keines).</translation>
    </message>
    <message>
        <source>Track number of the tag, 1 to 99 (default none).</source>
        <translation>Titelnummer im Tag, 1 bis 99 (Vorgabe: keine).</translation>
    </message>
    <message>
        <source>Genre of the tag, by name or number (default none).</source>
        <translation>Genre im Tag, als Name oder Nummer (Vorgabe: keines).</translation>
    </message>
    <message>
        <source>Comment of the tag.</source>
        <translation>Kommentar im Tag.</translation>
    </message>
    <message>
        <source>Front cover of the tag: a JPEG or PNG file (made baseline JPEG of at most 1200 px unless a small PNG).</source>
        <translation>Titelbild im Tag: eine JPEG- oder PNG-Datei (wird zu Baseline-JPEG mit höchstens 1200 px, außer bei einer kleinen PNG).</translation>
    </message>
    <message>
        <source>No cover picture in the tag, not even one found for the disc.</source>
        <translation>Kein Titelbild im Tag, auch keines, das für die CD gefunden wurde.</translation>
    </message>
    <message>
        <source>Sets the copyright bit of every frame.</source>
        <translation>Setzt das Copyright-Bit jedes Frames.</translation>
    </message>
    <message>
        <source>Sets the original bit of every frame.</source>
        <translation>Setzt das Original-Bit jedes Frames.</translation>
    </message>
    <message>
        <source>Reads this settings file instead of MERVANE2.INI.</source>
        <translation>Liest diese Einstellungsdatei statt MERVANE2.INI.</translation>
    </message>
    <message>
        <source>Encodes N inputs at once (default: the number of cores).</source>
        <translation>Kodiert N Eingaben gleichzeitig (Vorgabe: die Zahl der Prozessorkerne).</translation>
    </message>
    <message>
        <source>Replaces an existing output instead of failing.</source>
        <translation>Ersetzt eine vorhandene Ausgabe, statt abzubrechen.</translation>
    </message>
    <message>
        <source>No progress line.</source>
        <translation>Keine Fortschrittszeile.</translation>
    </message>
    <message>
        <source>One JSON object per finished file on standard output.</source>
        <translation>Ein JSON-Objekt je fertiger Datei auf der Standardausgabe.</translation>
    </message>
    <message>
        <source>cd: the drive or disc image (cue sheet) to read. record: the audio server&apos;s source (a name --list-sources shows) or the ALSA capture device to record.</source>
        <translation>cd: das zu lesende Laufwerk oder CD-Abbild (Cue-Sheet). record: die Quelle des Audioservers (ein Name, den --list-sources zeigt) oder das ALSA-Aufnahmegerät.</translation>
    </message>
    <message>
        <source>record: lists the sources that can be recorded, with their descriptions.</source>
        <translation>record: listet die Quellen, die sich aufnehmen lassen, mit ihren Beschreibungen.</translation>
    </message>
    <message>
        <source>cd: the tracks to encode, as 1,3-5 (default: every audio track).</source>
        <translation>cd: die zu kodierenden Titel, etwa 1,3-5 (Vorgabe: alle Audiotitel).</translation>
    </message>
    <message>
        <source>cd: plays each track through the sound card&apos;s CD line and records it, instead of reading it digitally.</source>
        <translation>cd: spielt jeden Titel über den CD-Eingang der Soundkarte ab und nimmt ihn auf, statt ihn digital auszulesen.</translation>
    </message>
    <message>
        <source>wave: cuts each input at its silences (1.5 s or longer, tracks of 5 s or more) and encodes one file per track, named by the settings&apos; file-name template, into -o DIR or beside the input.</source>
        <translation>wave: teilt jede Eingabe an ihren Pausen (ab 1,5 s, Titel ab 5 s) und kodiert je Titel eine Datei, benannt nach der Dateinamenvorlage der Einstellungen, nach -o ORDNER oder neben die Eingabe.</translation>
    </message>
    <message>
        <source>wave --split-silence: the level of silence in dBFS (default -45).</source>
        <translation>wave --split-silence: der Pegel der Stille in dBFS (Vorgabe -45).</translation>
    </message>
    <message>
        <source>cd: asks no database and reads no cache or CD-Text: the files keep the number names.</source>
        <translation>cd: fragt keine Datenbank und liest weder Zwischenspeicher noch CD-Text: die Dateien behalten die Nummernnamen.</translation>
    </message>
    <message>
        <source>cd: of several releases that match the disc, takes the Nth (default 1, the others are listed).</source>
        <translation>cd: nimmt von mehreren passenden Veröffentlichungen die N-te (Vorgabe 1, die anderen werden aufgelistet).</translation>
    </message>
    <message>
        <source>midi: plays the song in real time through the speakers, as the wizard does when asked, instead of rendering it faster than real time.</source>
        <translation>midi: spielt das Stück in Echtzeit über die Lautsprecher ab, wie es der Assistent auf Wunsch tut, statt es schneller als Echtzeit zu berechnen.</translation>
    </message>
    <message>
        <source>record: the input to record.</source>
        <translation>record: der aufzunehmende Eingang.</translation>
    </message>
    <message>
        <source>record: stops after N seconds (default: at Ctrl+C).</source>
        <translation>record: hält nach N Sekunden an (Vorgabe: bei Strg+C).</translation>
    </message>
    <message>
        <source>Shows this help.</source>
        <translation>Zeigt diese Hilfe.</translation>
    </message>
    <message>
        <source>Shows the version.</source>
        <translation>Zeigt die Version.</translation>
    </message>
    <message>
        <source>%1 wants a number from %2 to %3, not &apos;%4&apos;</source>
        <translation>%1 erwartet eine Zahl von %2 bis %3, nicht „%4“</translation>
    </message>
    <message>
        <source>--genre: no genre is called &apos;%1&apos;</source>
        <translation>--genre: kein Genre heißt „%1“</translation>
    </message>
    <message>
        <source>--bitrate: %1 kbit/s is not one of the bit rates</source>
        <translation>--bitrate: %1 kbit/s ist keine der Bitraten</translation>
    </message>
    <message>
        <source>--container is mp3 or wave, not &apos;%1&apos;</source>
        <translation>--container ist mp3 oder wave, nicht „%1“</translation>
    </message>
    <message>
        <source>--source is mic, line or aux, not &apos;%1&apos;</source>
        <translation>--source ist mic, line oder aux, nicht „%1“</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>unbekannte Option %1</translation>
    </message>
    <message>
        <source>%1 needs %2</source>
        <translation>%1 braucht %2</translation>
    </message>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 nimmt keinen Wert</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>kein Befehl angegeben</translation>
    </message>
    <message>
        <source>unknown command %1</source>
        <translation>unbekannter Befehl %1</translation>
    </message>
    <message>
        <source>%1 needs at least one input file</source>
        <translation>%1 braucht mindestens eine Eingabedatei</translation>
    </message>
    <message>
        <source>%1 takes no input files: %2</source>
        <translation>%1 nimmt keine Eingabedateien: %2</translation>
    </message>
    <message>
        <source>--cover and --no-cover exclude each other</source>
        <translation>--cover und --no-cover schließen einander aus</translation>
    </message>
    <message>
        <source>--record is for cd only</source>
        <translation>--record gibt es nur für cd</translation>
    </message>
    <message>
        <source>--real-time is for midi only</source>
        <translation>--real-time gibt es nur für midi</translation>
    </message>
    <message>
        <source>--split-silence is for wave only</source>
        <translation>--split-silence gibt es nur für wave</translation>
    </message>
    <message>
        <source>--list-sources is for record only</source>
        <translation>--list-sources gibt es nur für record</translation>
    </message>
    <message>
        <source>record needs --source mic|line|aux</source>
        <translation>record braucht --source mic|line|aux</translation>
    </message>
    <message>
        <source>record needs -o OUT.mp3</source>
        <translation>record braucht -o AUS.mp3</translation>
    </message>
    <message>
        <source>--bitrate and --vbr exclude each other</source>
        <translation>--bitrate und --vbr schließen einander aus</translation>
    </message>
    <message>
        <source>--tracks: &apos;%1&apos; is not a track number nor a range like 3-5</source>
        <translation>--tracks: „%1“ ist weder eine Titelnummer noch ein Bereich wie 3-5</translation>
    </message>
    <message>
        <source>--tracks: &apos;%1&apos; is no range of tracks 1 to 99</source>
        <translation>--tracks: „%1“ ist kein Titelbereich von 1 bis 99</translation>
    </message>
    <message>
        <source>Usage:</source>
        <translation>Aufruf:</translation>
    </message>
    <message>
        <source>  mervane-cli %1 [options]</source>
        <translation>  mervane-cli %1 [Optionen]</translation>
    </message>
    <message>
        <source>Try &apos;mervane-cli --help&apos; for the options.</source>
        <translation>„mervane-cli --help“ zeigt die Optionen.</translation>
    </message>
    <message>
        <source>mervane-cli turns wave files, MIDI files, audio CDs and live inputs into MP3 files.</source>
        <translation>mervane-cli macht aus Wave-Dateien, MIDI-Dateien, Audio-CDs und Live-Eingängen MP3-Dateien.</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Optionen:</translation>
    </message>
    <message>
        <source>Defaults from %1, section ENCODER: Container=%2, ReplayGain=%3 (the options above override them for one run).</source>
        <translation>Vorgaben aus %1, Abschnitt ENCODER: Container=%2, ReplayGain=%3 (die Optionen oben gelten stattdessen für einen Lauf).</translation>
    </message>
    <message>
        <source>Exit status: 0 when every input succeeded, 1 when any failed, 2 for a usage error, 130 after Ctrl+C.</source>
        <translation>Rückgabewert: 0, wenn jede Eingabe gelang, 1, wenn eine scheiterte, 2 bei einem Aufruffehler, 130 nach Strg+C.</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fehlgeschlagen</translation>
    </message>
    <message>
        <source>interrupted: no file was finished; the unfinished ones and every temporary file were removed</source>
        <translation>unterbrochen: Keine Datei wurde fertig; die unfertigen und alle temporären Dateien wurden entfernt</translation>
    </message>
    <message>
        <source>interrupted: kept the finished %1: %2; the unfinished ones and every temporary file were removed</source>
        <translation>unterbrochen: %1 fertig und behalten: %2; die unfertigen und alle temporären Dateien wurden entfernt</translation>
    </message>
    <message>
        <source>no failures</source>
        <translation>keine Fehler</translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation>%1 fehlgeschlagen</translation>
    </message>
    <message>
        <source>%1, %2 of audio in %3, %4</source>
        <translation>%1, %2 Audio in %3, %4</translation>
    </message>
    <message>
        <source>1 file</source>
        <translation>1 Datei</translation>
    </message>
    <message>
        <source>%1 files</source>
        <translation>%1 Dateien</translation>
    </message>
    <message>
        <source>start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>convert</source>
        <translation>Umwandeln</translation>
    </message>
    <message>
        <source>play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>record</source>
        <translation>Aufnahme</translation>
    </message>
    <message>
        <source>extract</source>
        <translation>Auslesen</translation>
    </message>
    <message>
        <source>encode</source>
        <translation>Kodieren</translation>
    </message>
    <message>
        <source>%1 %2 %3%</source>
        <translation>%1 %2 %3 %</translation>
    </message>
    <message>
        <source>, %1 left</source>
        <translation>, noch %1</translation>
    </message>
    <message>
        <source>the worker ended with status %1</source>
        <translation>der Arbeitsprozess endete mit Status %1</translation>
    </message>
    <message>
        <source>No details: %1</source>
        <translation>Keine Angaben: %1</translation>
    </message>
    <message>
        <source>--release %1: only %2 releases match the disc</source>
        <translation>--release %1: nur %2 Veröffentlichungen passen zur CD</translation>
    </message>
    <message>
        <source>several releases match the disc; taking %1 (--release N takes another):</source>
        <translation>mehrere Veröffentlichungen passen zur CD; genommen wird %1 (--release N nimmt eine andere):</translation>
    </message>
    <message>
        <source>%1: the file exists (--overwrite replaces it)</source>
        <translation>%1: Die Datei existiert (--overwrite ersetzt sie)</translation>
    </message>
    <message>
        <source>not written</source>
        <translation>nicht geschrieben</translation>
    </message>
    <message>
        <source>Track %1: %2</source>
        <translation>Titel %1: %2</translation>
    </message>
    <message>
        <source>%1 extract %2%, encoded %3%</source>
        <translation>%1 Auslesen %2 %, kodiert %3 %</translation>
    </message>
    <message>
        <source>another program wrote %1 while this MP3 was being made; this MP3 was saved as %2</source>
        <translation>ein anderes Programm hat %1 geschrieben, während diese MP3-Datei entstand; diese MP3-Datei wurde als %2 gespeichert</translation>
    </message>
    <message>
        <source>Sources of the audio server (--device NAME; kept as MicDevice=pulse:NAME):</source>
        <translation>Quellen des Audioservers (--device NAME; gespeichert als MicDevice=pulse:NAME):</translation>
    </message>
    <message>
        <source>No audio server answers (%1); ALSA capture devices (--device NAME; kept as MicDevice=NAME):</source>
        <translation>Kein Audioserver antwortet (%1); ALSA-Aufnahmegeräte (--device NAME; gespeichert als MicDevice=NAME):</translation>
    </message>
    <message>
        <source>(monitor)</source>
        <translation>(Monitor)</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(keine)</translation>
    </message>
    <message>
        <source>%1 record %2%, encoded %3%</source>
        <translation>%1 Aufnahme %2 %, kodiert %3 %</translation>
    </message>
    <message>
        <source>the sound card has no %1 input</source>
        <translation>die Soundkarte hat keinen Eingang %1</translation>
    </message>
</context>
</TS>
