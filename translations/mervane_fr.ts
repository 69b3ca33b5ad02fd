<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
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
        <translation>Aucun dossier n&apos;a été choisi pour l&apos;audio extrait</translation>
    </message>
    <message>
        <source>The folder name is longer than %1 characters; choose a folder with a shorter name:</source>
        <translation>Le nom du dossier dépasse %1 caractères ; choisissez un dossier au nom plus court :</translation>
    </message>
    <message>
        <source>Another track is being extracted</source>
        <translation>Une autre piste est en cours d&apos;extraction</translation>
    </message>
    <message>
        <source>The extraction was cancelled</source>
        <translation>L&apos;extraction a été annulée</translation>
    </message>
    <message>
        <source>The CD has no audio before track 1</source>
        <translation>Le CD n&apos;a pas d&apos;audio avant la piste 1</translation>
    </message>
    <message>
        <source>The CD has no track %1</source>
        <translation>Le CD n&apos;a pas de piste %1</translation>
    </message>
    <message>
        <source>Track %1 is a data track; only audio tracks can be extracted</source>
        <translation>La piste %1 est une piste de données ; seules les pistes audio peuvent être extraites</translation>
    </message>
    <message>
        <source>There is no CD in &quot;%1&quot;</source>
        <translation>Il n&apos;y a pas de CD dans « %1 »</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot read audio CDs</source>
        <translation>« %1 » ne peut pas lire les CD audio</translation>
    </message>
    <message>
        <source>Unable to read the audio CD in &quot;%1&quot;</source>
        <translation>Impossible de lire le CD audio dans « %1 »</translation>
    </message>
    <message>
        <source>Track %1 has no audio to extract</source>
        <translation>La piste %1 n&apos;a pas d&apos;audio à extraire</translation>
    </message>
    <message>
        <source>Unable to create &quot;%1&quot;</source>
        <translation>Impossible de créer « %1 »</translation>
    </message>
    <message>
        <source>Unable to write &quot;%1&quot;; the disk may be full</source>
        <translation>Impossible d&apos;écrire « %1 » ; le disque est peut-être plein</translation>
    </message>
</context>
<context>
    <name>CaptureLine</name>
    <message>
        <source>the audio server stopped sending sound (nothing for 3 seconds)</source>
        <translation>le serveur audio n&apos;envoie plus de son (rien pendant 3 secondes)</translation>
    </message>
    <message>
        <source>the device stopped delivering sound (nothing for 3 seconds)</source>
        <translation>le périphérique ne fournit plus de son (rien pendant 3 secondes)</translation>
    </message>
    <message>
        <source>the audio server stopped answering (%1)</source>
        <translation>le serveur audio ne répond plus (%1)</translation>
    </message>
    <message>
        <source>the device failed (%1)</source>
        <translation>le périphérique a échoué (%1)</translation>
    </message>
    <message>
        <source>%1: the device is closed</source>
        <translation>%1 : le périphérique est fermé</translation>
    </message>
    <message>
        <source>the device did not open within %1 seconds</source>
        <translation>le périphérique ne s&apos;est pas ouvert en %1 secondes</translation>
    </message>
</context>
<context>
    <name>CardWaveIn</name>
    <message>
        <source>The specified command was carried out.</source>
        <translation>La commande indiquée a été exécutée.</translation>
    </message>
    <message>
        <source>Undefined external error.</source>
        <translation>Erreur externe non définie.</translation>
    </message>
    <message>
        <source>A device ID has been used that is out of range for your system.</source>
        <translation>Un identifiant de périphérique hors limites pour votre système a été utilisé.</translation>
    </message>
    <message>
        <source>The specified device is already in use. Wait until it is free, and then try again.</source>
        <translation>Le périphérique indiqué est déjà utilisé. Attendez qu&apos;il soit libre, puis réessayez.</translation>
    </message>
    <message>
        <source>The specified device handle is invalid.</source>
        <translation>Le descripteur de périphérique indiqué n&apos;est pas valide.</translation>
    </message>
    <message>
        <source>There is no driver installed on your system.</source>
        <translation>Aucun pilote n&apos;est installé sur votre système.</translation>
    </message>
    <message>
        <source>There is not enough memory available for this task.</source>
        <translation>La mémoire disponible ne suffit pas pour cette tâche.</translation>
    </message>
    <message>
        <source>An invalid flag was passed to a system function.</source>
        <translation>Un indicateur non valide a été transmis à une fonction système.</translation>
    </message>
    <message>
        <source>An invalid parameter was passed to a system function.</source>
        <translation>Un paramètre non valide a été transmis à une fonction système.</translation>
    </message>
    <message>
        <source>The specified format is not supported or cannot be translated.</source>
        <translation>Le format indiqué n&apos;est pas pris en charge ou ne peut pas être converti.</translation>
    </message>
    <message>
        <source>Cannot perform this operation while media data is still playing.</source>
        <translation>Impossible d&apos;effectuer cette opération pendant la lecture de données multimédias.</translation>
    </message>
    <message>
        <source>The wave header was not prepared.</source>
        <translation>L&apos;en-tête WAV n&apos;a pas été préparé.</translation>
    </message>
</context>
<context>
    <name>CdAudioDevice</name>
    <message>
        <source>There is no disc in the CD drive.</source>
        <translation>Il n&apos;y a pas de disque dans le lecteur de CD.</translation>
    </message>
</context>
<context>
    <name>CdDisc</name>
    <message>
        <source>The CD has no track %1</source>
        <translation>Le CD n&apos;a pas de piste %1</translation>
    </message>
    <message>
        <source>Sector %1 lies outside the tracks of the CD</source>
        <translation>Le secteur %1 est en dehors des pistes du CD</translation>
    </message>
    <message>
        <source>Track %1 is a data track and holds no audio</source>
        <translation>La piste %1 est une piste de données et ne contient pas d&apos;audio</translation>
    </message>
    <message>
        <source>The CD could not be read at sector %1</source>
        <translation>Le CD n&apos;a pas pu être lu au secteur %1</translation>
    </message>
</context>
<context>
    <name>CdImage</name>
    <message>
        <source>This program has no reader for disc images</source>
        <translation>Ce programme n&apos;a pas de lecteur d&apos;images de disque</translation>
    </message>
    <message>
        <source>Unable to read the CD image &quot;%1&quot;
%2</source>
        <translation>Impossible de lire l&apos;image de disque « %1 »
%2</translation>
    </message>
</context>
<context>
    <name>CdImageSheet</name>
    <message>
        <source>There is no cue sheet &quot;%1.cue&quot; beside it to say where its tracks lie</source>
        <translation>Aucun fichier cue « %1.cue » ne se trouve à côté pour indiquer où sont ses pistes</translation>
    </message>
    <message>
        <source>Unable to open &quot;%1&quot;: %2</source>
        <translation>Impossible d&apos;ouvrir « %1 » : %2</translation>
    </message>
    <message>
        <source>Sectors %1 to %2 lie outside the disc</source>
        <translation>Les secteurs %1 à %2 sont en dehors du disque</translation>
    </message>
    <message>
        <source>Sector %1 lies in no file of the image</source>
        <translation>Le secteur %1 ne se trouve dans aucun fichier de l&apos;image</translation>
    </message>
    <message>
        <source>Unable to read &quot;%1&quot; at sector %2: %3</source>
        <translation>Impossible de lire « %1 » au secteur %2 : %3</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ends before sector %2 of the disc; the image has been cut short</source>
        <translation>« %1 » se termine avant le secteur %2 du disque ; l&apos;image a été tronquée</translation>
    </message>
    <message>
        <source>It does not exist</source>
        <translation>Elle n&apos;existe pas</translation>
    </message>
    <message>
        <source>There is not enough memory to read it</source>
        <translation>La mémoire ne suffit pas pour la lire</translation>
    </message>
</context>
<context>
    <name>CdRecorder</name>
    <message>
        <source>Unable to open CD player</source>
        <translation>Impossible d&apos;ouvrir le lecteur de CD</translation>
    </message>
    <message>
        <source>unable to extract CD data</source>
        <translation>impossible d&apos;extraire les données du CD</translation>
    </message>
</context>
<context>
    <name>CdRun</name>
    <message>
        <source>unable to extract CD data</source>
        <translation>impossible d&apos;extraire les données du CD</translation>
    </message>
    <message>
        <source>accurate</source>
        <translation>exacte</translation>
    </message>
    <message>
        <source>not accurate</source>
        <translation>inexacte</translation>
    </message>
    <message>
        <source>not in database</source>
        <translation>absente de la base</translation>
    </message>
    <message>
        <source>not checked</source>
        <translation>non vérifiée</translation>
    </message>
    <message>
        <source>1 track: %1 written</source>
        <translation>1 piste : %1 écrite</translation>
    </message>
    <message>
        <source>%1 tracks: %2 written</source>
        <translation>%1 pistes : %2 écrites</translation>
    </message>
    <message>
        <source>, %1 accurately ripped</source>
        <translation>, %1 extraites exactement</translation>
    </message>
    <message>
        <source>, %1 not accurate</source>
        <translation>, %1 inexactes</translation>
    </message>
    <message>
        <source>, %1 not verified</source>
        <translation>, %1 non vérifiées</translation>
    </message>
    <message>
        <source>, %1 failed</source>
        <translation>, %1 en échec</translation>
    </message>
    <message>
        <source> (cancelled)</source>
        <translation> (annulé)</translation>
    </message>
    <message>
        <source>not encoded</source>
        <translation>non encodée</translation>
    </message>
    <message>
        <source>Some sectors of the CD could not be read:</source>
        <translation>Certains secteurs du CD n&apos;ont pas pu être lus :</translation>
    </message>
    <message>
        <source>The audio before track 1 can only be extracted digitally</source>
        <translation>L&apos;audio avant la piste 1 ne peut être extrait que numériquement</translation>
    </message>
    <message>
        <source>not recorded whole</source>
        <translation>pas enregistrée en entier</translation>
    </message>
</context>
<context>
    <name>CdioHandle</name>
    <message>
        <source>Unable to open the CD drive &quot;%1&quot;</source>
        <translation>Impossible d&apos;ouvrir le lecteur de CD « %1 »</translation>
    </message>
    <message>
        <source>libcdio cannot read it</source>
        <translation>libcdio ne peut pas la lire</translation>
    </message>
    <message>
        <source>No CD drive found</source>
        <translation>Aucun lecteur de CD trouvé</translation>
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
        <translation>Voyant de saturation</translation>
    </message>
    <message>
        <source>Lights when the input reaches full scale; click to reset it and the peak hold</source>
        <translation>S&apos;allume quand l&apos;entrée atteint la pleine échelle ; cliquez pour la réinitialiser avec le maintien des crêtes</translation>
    </message>
    <message>
        <source>The input clipped: lower the recording level. Click to reset.</source>
        <translation>L&apos;entrée a saturé : baissez le niveau d&apos;enregistrement. Cliquez pour réinitialiser.</translation>
    </message>
    <message>
        <source>No clipping since the take began</source>
        <translation>Aucune saturation depuis le début de la prise</translation>
    </message>
</context>
<context>
    <name>CoverArt</name>
    <message>
        <source>The disc ID &quot;%1&quot; cannot name a cache file</source>
        <translation>L&apos;identifiant de disque « %1 » ne peut pas nommer un fichier de cache</translation>
    </message>
    <message>
        <source>Unable to create the folder &quot;%1&quot;</source>
        <translation>Impossible de créer le dossier « %1 »</translation>
    </message>
    <message>
        <source>Unable to write &quot;%1&quot;</source>
        <translation>Impossible d&apos;écrire « %1 »</translation>
    </message>
</context>
<context>
    <name>CoverWell</name>
    <message>
        <source>Cover picture</source>
        <translation>Image de pochette</translation>
    </message>
    <message>
        <source>Cover picture: Browse for a JPEG or PNG file or drop one here; None removes it</source>
        <translation>Image de pochette : choisissez un fichier JPEG ou PNG ou déposez-le ici ; « Aucune » la retire</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Parcourir…</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
    </message>
    <message>
        <source>Cover</source>
        <translation>Pochette</translation>
    </message>
    <message>
        <source>This picture cannot be used as the cover.</source>
        <translation>Cette image ne peut pas servir de pochette.</translation>
    </message>
    <message>
        <source>Choose a cover picture</source>
        <translation>Choisir une image de pochette</translation>
    </message>
    <message>
        <source>Pictures (*.jpg;*.jpeg;*.png)|*.jpg;*.jpeg;*.png</source>
        <translation>Images (*.jpg;*.jpeg;*.png)|*.jpg;*.jpeg;*.png</translation>
    </message>
</context>
<context>
    <name>CueSheet</name>
    <message>
        <source>The track mode &quot;%1&quot; is unknown</source>
        <translation>Le mode de piste « %1 » est inconnu</translation>
    </message>
    <message>
        <source>A FILE line names no file (line %1)</source>
        <translation>Une ligne FILE ne nomme aucun fichier (ligne %1)</translation>
    </message>
    <message>
        <source>The file type %1 of &quot;%2&quot; cannot be read (line %3)</source>
        <translation>Le type de fichier %1 de « %2 » ne peut pas être lu (ligne %3)</translation>
    </message>
    <message>
        <source>A TRACK line has no number or mode (line %1)</source>
        <translation>Une ligne TRACK n&apos;a ni numéro ni mode (ligne %1)</translation>
    </message>
    <message>
        <source>Track %1 comes before any FILE line</source>
        <translation>La piste %1 précède toute ligne FILE</translation>
    </message>
    <message>
        <source>Track %1 does not follow track %2; tracks are numbered 1 to 99 in order (line %3)</source>
        <translation>La piste %1 ne suit pas la piste %2 ; les pistes sont numérotées de 1 à 99 dans l&apos;ordre (ligne %3)</translation>
    </message>
    <message>
        <source>%1 comes before any TRACK line (line %2)</source>
        <translation>%1 précède toute ligne TRACK (ligne %2)</translation>
    </message>
    <message>
        <source>The %1 line of track %2 gives no time mm:ss:ff (line %3)</source>
        <translation>La ligne %1 de la piste %2 ne donne aucun temps mm:ss:ff (ligne %3)</translation>
    </message>
    <message>
        <source>Track %1 continues into another FILE (line %2)</source>
        <translation>La piste %1 se poursuit dans un autre FILE (ligne %2)</translation>
    </message>
    <message>
        <source>INDEX 01 of track %1 lies before its INDEX 00 (line %2)</source>
        <translation>L&apos;INDEX 01 de la piste %1 se trouve avant son INDEX 00 (ligne %2)</translation>
    </message>
    <message>
        <source>INDEX %1 of track %2 comes before its INDEX 01 (line %3)</source>
        <translation>L&apos;INDEX %1 de la piste %2 précède son INDEX 01 (ligne %3)</translation>
    </message>
    <message>
        <source>Track %1 has no INDEX 01</source>
        <translation>La piste %1 n&apos;a pas d&apos;INDEX 01</translation>
    </message>
    <message>
        <source>Track %1 starts at %2, not after track %3 (%4)</source>
        <translation>La piste %1 commence à %2, pas après la piste %3 (%4)</translation>
    </message>
    <message>
        <source>The disc would be longer than any CD</source>
        <translation>Le disque serait plus long que n&apos;importe quel CD</translation>
    </message>
    <message>
        <source>Track %1 starts at %2, past the end of &quot;%3&quot; (%4 long)</source>
        <translation>La piste %1 commence à %2, après la fin de « %3 » (durée %4)</translation>
    </message>
    <message>
        <source>Tracks %1 and %2 share &quot;%3&quot; with different sector sizes</source>
        <translation>Les pistes %1 et %2 partagent « %3 » avec des tailles de secteur différentes</translation>
    </message>
</context>
<context>
    <name>DecodedAudioFile</name>
    <message>
        <source>It is a folder</source>
        <translation>Il s&apos;agit d&apos;un dossier</translation>
    </message>
    <message>
        <source>It is no regular file</source>
        <translation>Ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>It is neither a FLAC nor an Ogg stream</source>
        <translation>Ce n&apos;est ni un flux FLAC ni un flux Ogg</translation>
    </message>
    <message>
        <source>It cannot be decoded: %1</source>
        <translation>Il ne peut pas être décodé : %1</translation>
    </message>
    <message>
        <source>It gives no length, channels or sample rate</source>
        <translation>Il n&apos;indique ni durée, ni canaux, ni fréquence d&apos;échantillonnage</translation>
    </message>
    <message>
        <source>The file ends before frame %1</source>
        <translation>Le fichier se termine avant la trame %1</translation>
    </message>
    <message>
        <source>It cannot be decoded at frame %1: %2</source>
        <translation>Il ne peut pas être décodé à la trame %1 : %2</translation>
    </message>
    <message>
        <source>It cannot be decoded at frame %1: the stream ends early</source>
        <translation>Il ne peut pas être décodé à la trame %1 : le flux se termine trop tôt</translation>
    </message>
</context>
<context>
    <name>DiscCache</name>
    <message>
        <source>The disc ID &quot;%1&quot; cannot name a cache file</source>
        <translation>L&apos;identifiant de disque « %1 » ne peut pas nommer un fichier de cache</translation>
    </message>
    <message>
        <source>Unable to create the folder &quot;%1&quot;</source>
        <translation>Impossible de créer le dossier « %1 »</translation>
    </message>
    <message>
        <source>Unable to write &quot;%1&quot;</source>
        <translation>Impossible d&apos;écrire « %1 »</translation>
    </message>
</context>
<context>
    <name>DiscDetails</name>
    <message>
        <source>Unknown artist</source>
        <translation>Artiste inconnu</translation>
    </message>
    <message>
        <source>Unknown album</source>
        <translation>Album inconnu</translation>
    </message>
    <message>
        <source>%1 tracks</source>
        <translation>%1 pistes</translation>
    </message>
</context>
<context>
    <name>DiscId</name>
    <message>
        <source>The CD has no audio tracks to identify it by</source>
        <translation>Le CD n&apos;a pas de pistes audio permettant de l&apos;identifier</translation>
    </message>
    <message>
        <source>The CD&apos;s table of contents ends before its last track</source>
        <translation>La table des matières du CD se termine avant sa dernière piste</translation>
    </message>
    <message>
        <source>Out of memory while identifying the CD</source>
        <translation>Mémoire insuffisante pendant l&apos;identification du CD</translation>
    </message>
    <message>
        <source>The CD cannot be identified: %1</source>
        <translation>Le CD ne peut pas être identifié : %1</translation>
    </message>
</context>
<context>
    <name>DiscLookup</name>
    <message>
        <source>Found in the cache</source>
        <translation>Trouvé dans le cache</translation>
    </message>
    <message>
        <source>Found on MusicBrainz</source>
        <translation>Trouvé sur MusicBrainz</translation>
    </message>
    <message>
        <source>No match on MusicBrainz</source>
        <translation>Aucune correspondance sur MusicBrainz</translation>
    </message>
    <message>
        <source>MusicBrainz cannot be reached</source>
        <translation>MusicBrainz est injoignable</translation>
    </message>
    <message>
        <source>Found on gnudb</source>
        <translation>Trouvé sur gnudb</translation>
    </message>
    <message>
        <source>No match on gnudb</source>
        <translation>Aucune correspondance sur gnudb</translation>
    </message>
    <message>
        <source>gnudb cannot be reached</source>
        <translation>gnudb est injoignable</translation>
    </message>
    <message>
        <source>Using CD-Text</source>
        <translation>Utilisation du CD-Text</translation>
    </message>
    <message>
        <source>Offline: using CD-Text</source>
        <translation>Hors ligne : utilisation du CD-Text</translation>
    </message>
    <message>
        <source>No details found for this disc</source>
        <translation>Aucune information trouvée pour ce disque</translation>
    </message>
    <message>
        <source>No details: %1</source>
        <translation>Aucune information : %1</translation>
    </message>
</context>
<context>
    <name>EncoderSettings</name>
    <message>
        <source>variable bit rate, quality V%1</source>
        <translation>débit variable, qualité V%1</translation>
    </message>
    <message>
        <source>constant bit rate, %1 kbit/s</source>
        <translation>débit constant, %1 kbit/s</translation>
    </message>
    <message>
        <source>joint stereo</source>
        <translation>stéréo jointe</translation>
    </message>
    <message>
        <source>stereo</source>
        <translation>stéréo</translation>
    </message>
    <message>
        <source>MP3 file</source>
        <translation>Fichier MP3</translation>
    </message>
    <message>
        <source>MP3 inside a wave file</source>
        <translation>MP3 dans un fichier WAV</translation>
    </message>
</context>
<context>
    <name>Encoding</name>
    <message>
        <source>%1 was cut short while it was read (%2). No MP3 file was made.</source>
        <translation>%1 a été tronqué pendant la lecture (%2). Aucun fichier MP3 n&apos;a été créé.</translation>
    </message>
</context>
<context>
    <name>ErrorReport</name>
    <message>
        <source>Unknown error</source>
        <translation>Erreur inconnue</translation>
    </message>
</context>
<context>
    <name>ImageParsing</name>
    <message>
        <source>It cannot be read: %1</source>
        <translation>Elle ne peut pas être lue : %1</translation>
    </message>
    <message>
        <source>The sheet is %1 bytes long; a cue sheet or table of contents is far smaller</source>
        <translation>Le fichier fait %1 octets ; un fichier cue ou une table des matières est bien plus petit</translation>
    </message>
    <message>
        <source>It cannot be read</source>
        <translation>Elle ne peut pas être lue</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be read: %2</source>
        <translation>Le fichier « %1 » ne peut pas être lu : %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is neither a wave file nor FLAC or Ogg audio</source>
        <translation>« %1 » n&apos;est ni un fichier WAV ni de l&apos;audio FLAC ou Ogg</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not 16-bit stereo 44100 Hz PCM, as CD audio is</source>
        <translation>« %1 » n&apos;est pas du PCM stéréo 16 bits à 44100 Hz comme l&apos;audio d&apos;un CD</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds no CD audio samples a wave file can hold</source>
        <translation>« %1 » ne contient aucun échantillon audio de CD qu&apos;un fichier WAV puisse contenir</translation>
    </message>
    <message>
        <source>A FILE line names no file</source>
        <translation>Une ligne FILE ne nomme aucun fichier</translation>
    </message>
    <message>
        <source>The sheet names &quot;%1&quot;; &quot;%2&quot; was read</source>
        <translation>Le fichier cue nomme « %1 » ; « %2 » a été lu</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be read as audio: %2</source>
        <translation>« %1 » ne peut pas être lu comme audio : %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2 of %3 channels at %4 Hz, %5-bit; CD audio is 16-bit stereo 44100 Hz</source>
        <translation>« %1 » est du %2 à %3 canaux à %4 Hz, %5 bits ; l&apos;audio d&apos;un CD est en stéréo 16 bits à 44100 Hz</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2 of %3 channels at %4 Hz; CD audio is 16-bit stereo 44100 Hz</source>
        <translation>« %1 » est du %2 à %3 canaux à %4 Hz ; l&apos;audio d&apos;un CD est en stéréo 16 bits à 44100 Hz</translation>
    </message>
    <message>
        <source>The sheet lists no track</source>
        <translation>Le fichier ne liste aucune piste</translation>
    </message>
    <message>
        <source>The sheet lists %1 tracks; a CD holds 1 to 99</source>
        <translation>Le fichier liste %1 pistes ; un CD en contient de 1 à 99</translation>
    </message>
    <message>
        <source>The disc is not a whole number of sectors long</source>
        <translation>La longueur du disque n&apos;est pas un nombre entier de secteurs</translation>
    </message>
    <message>
        <source>The disc would be %1 long, more than any CD holds</source>
        <translation>Le disque durerait %1, plus que ne contient n&apos;importe quel CD</translation>
    </message>
    <message>
        <source>Track %1 has no sectors</source>
        <translation>La piste %1 n&apos;a aucun secteur</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is shorter than the sheet says: it holds %2 bytes, the tracks need %3</source>
        <translation>« %1 » est plus court que ne l&apos;indique le fichier : il contient %2 octets, les pistes en demandent %3</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; named in &quot;%2&quot; does not exist</source>
        <translation>Le fichier « %1 » nommé dans « %2 » n&apos;existe pas</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; named in &quot;%2&quot; is a folder</source>
        <translation>Le fichier « %1 » nommé dans « %2 » est un dossier</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; named in &quot;%2&quot; is a device, not a file</source>
        <translation>Le fichier « %1 » nommé dans « %2 » est un périphérique, pas un fichier</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; named in &quot;%2&quot; cannot be read: %3</source>
        <translation>Le fichier « %1 » nommé dans « %2 » ne peut pas être lu : %3</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; named in &quot;%2&quot; is no regular file</source>
        <translation>Le fichier « %1 » nommé dans « %2 » n&apos;est pas un fichier ordinaire</translation>
    </message>
</context>
<context>
    <name>InstanceFolder</name>
    <message>
        <source>Unable to create the folder for temporary files</source>
        <translation>Impossible de créer le dossier des fichiers temporaires</translation>
    </message>
</context>
<context>
    <name>LiveTakeControls</name>
    <message>
        <source>Stop after</source>
        <translation>Arrêt après</translation>
    </message>
    <message>
        <source>Stop after, hours minutes seconds</source>
        <translation>Arrêt après, heures minutes secondes</translation>
    </message>
</context>
<context>
    <name>MMBlade</name>
    <message>
        <source>Unsupported Input Format</source>
        <translation>Format d&apos;entrée non pris en charge</translation>
    </message>
    <message>
        <source>Unable to initialize stream</source>
        <translation>Impossible d&apos;initialiser le flux</translation>
    </message>
    <message>
        <source>Unable to create file</source>
        <translation>Impossible de créer le fichier</translation>
    </message>
    <message>
        <source>Unable to deinitialize stream</source>
        <translation>Impossible de clore le flux</translation>
    </message>
    <message>
        <source>Unable to encode data</source>
        <translation>Impossible d&apos;encoder les données</translation>
    </message>
</context>
<context>
    <name>MediaDevice</name>
    <message>
        <source>No media device is open under this identifier.</source>
        <translation>Aucun périphérique multimédia n&apos;est ouvert sous cet identifiant.</translation>
    </message>
    <message>
        <source>The media device does not know this command.</source>
        <translation>Le périphérique multimédia ne connaît pas cette commande.</translation>
    </message>
    <message>
        <source>The media device failed.</source>
        <translation>Le périphérique multimédia a échoué.</translation>
    </message>
    <message>
        <source>There is no media device of this type.</source>
        <translation>Il n&apos;existe pas de périphérique multimédia de ce type.</translation>
    </message>
    <message>
        <source>There is not enough memory for the media device.</source>
        <translation>La mémoire ne suffit pas pour le périphérique multimédia.</translation>
    </message>
    <message>
        <source>The media device is in use by another player.</source>
        <translation>Le périphérique multimédia est utilisé par un autre lecteur.</translation>
    </message>
    <message>
        <source>The media device cannot carry out this command.</source>
        <translation>Le périphérique multimédia ne peut pas exécuter cette commande.</translation>
    </message>
    <message>
        <source>The file cannot be found. Check the folder and the file name.</source>
        <translation>Le fichier est introuvable. Vérifiez le dossier et le nom du fichier.</translation>
    </message>
    <message>
        <source>The position lies outside the file or the medium.</source>
        <translation>La position est en dehors du fichier ou du support.</translation>
    </message>
    <message>
        <source>No media device can play this file.</source>
        <translation>Aucun périphérique multimédia ne peut lire ce fichier.</translation>
    </message>
    <message>
        <source>The media device does not support this time format.</source>
        <translation>Le périphérique multimédia ne prend pas en charge ce format de temps.</translation>
    </message>
    <message>
        <source>The file cannot be played.</source>
        <translation>Le fichier ne peut pas être lu.</translation>
    </message>
    <message>
        <source>No MIDI synthesiser is available: no usable sound font was found.</source>
        <translation>Aucun synthétiseur MIDI n&apos;est disponible : aucune banque de sons utilisable n&apos;a été trouvée.</translation>
    </message>
    <message>
        <source>Unknown error code</source>
        <translation>Code d&apos;erreur inconnu</translation>
    </message>
</context>
<context>
    <name>MediaPlayer</name>
    <message>
        <source>The command was carried out.</source>
        <translation>La commande a été exécutée.</translation>
    </message>
    <message>
        <source>Unknown error code</source>
        <translation>Code d&apos;erreur inconnu</translation>
    </message>
</context>
<context>
    <name>MessageTable</name>
    <message>
        <source>Change to property while device was open</source>
        <translation>Propriété modifiée pendant que le périphérique était ouvert</translation>
    </message>
    <message>
        <source>Invalid DeviceID</source>
        <translation>Identifiant de périphérique non valide</translation>
    </message>
    <message>
        <source>Unable to allocate memory for wave header</source>
        <translation>Impossible d&apos;allouer la mémoire de l&apos;en-tête WAV</translation>
    </message>
    <message>
        <source>Unable to free header memory</source>
        <translation>Impossible de libérer la mémoire de l&apos;en-tête</translation>
    </message>
    <message>
        <source>Unable to start device</source>
        <translation>Impossible de démarrer le périphérique</translation>
    </message>
    <message>
        <source>Error filling wave buffer</source>
        <translation>Erreur lors du remplissage du tampon audio</translation>
    </message>
    <message>
        <source>Specified error number is out of range (unknown error)</source>
        <translation>Numéro d&apos;erreur hors limites (erreur inconnue)</translation>
    </message>
    <message>
        <source>The actual device can&apos;t record this format</source>
        <translation>Le périphérique actuel ne peut pas enregistrer ce format</translation>
    </message>
    <message>
        <source>Could not create thread</source>
        <translation>Impossible de créer le thread</translation>
    </message>
    <message>
        <source>Invalid wave format</source>
        <translation>Format WAV non valide</translation>
    </message>
    <message>
        <source>No wave audio recording device found</source>
        <translation>Aucun périphérique d&apos;enregistrement audio trouvé</translation>
    </message>
    <message>
        <source>Unable to open device</source>
        <translation>Impossible d&apos;ouvrir le périphérique</translation>
    </message>
    <message>
        <source>Unable to close device</source>
        <translation>Impossible de fermer le périphérique</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>The disk was full or writing the MP3 file failed. No MP3 file was made.</source>
        <translation>Le disque était plein ou l&apos;écriture du fichier MP3 a échoué. Aucun fichier MP3 n&apos;a été créé.</translation>
    </message>
    <message>
        <source>unable to write header</source>
        <translation>impossible d&apos;écrire l&apos;en-tête</translation>
    </message>
    <message>
        <source>The disk was full or writing the temporary wave file failed. The recording has stopped and will not be encoded.</source>
        <translation>Le disque était plein ou l&apos;écriture du fichier WAV temporaire a échoué. L&apos;enregistrement s&apos;est arrêté et ne sera pas encodé.</translation>
    </message>
    <message>
        <source>The disk was full or writing the temporary wave file failed. Only the part converted until then will be encoded.</source>
        <translation>Le disque était plein ou l&apos;écriture du fichier WAV temporaire a échoué. Seule la partie convertie jusque-là sera encodée.</translation>
    </message>
    <message>
        <source>The recording device stopped working (it was removed or unplugged). The recording ends here; what was recorded until then has been saved.</source>
        <translation>Le périphérique d&apos;enregistrement ne fonctionne plus (il a été retiré ou débranché). L&apos;enregistrement s&apos;arrête ici ; ce qui a été enregistré jusque-là est conservé.</translation>
    </message>
</context>
<context>
    <name>MidiFile</name>
    <message>
        <source>%1: a named pipe, not a MIDI file</source>
        <translation>%1 : un tube nommé, pas un fichier MIDI</translation>
    </message>
    <message>
        <source>%1: a folder, not a MIDI file</source>
        <translation>%1 : un dossier, pas un fichier MIDI</translation>
    </message>
    <message>
        <source>%1: a device, not a MIDI file</source>
        <translation>%1 : un périphérique, pas un fichier MIDI</translation>
    </message>
    <message>
        <source>%1: a socket, not a MIDI file</source>
        <translation>%1 : un socket, pas un fichier MIDI</translation>
    </message>
    <message>
        <source>%1: not a regular file, not a MIDI file</source>
        <translation>%1 : pas un fichier ordinaire, pas un fichier MIDI</translation>
    </message>
    <message>
        <source>The RMID file&apos;s MIDI data runs past the end of the file.</source>
        <translation>Les données MIDI du fichier RMID dépassent la fin du fichier.</translation>
    </message>
    <message>
        <source>The RMID file holds no MIDI data.</source>
        <translation>Le fichier RMID ne contient pas de données MIDI.</translation>
    </message>
    <message>
        <source>Track %1 is truncated: it ends inside an event.</source>
        <translation>La piste %1 est tronquée : elle se termine au milieu d&apos;un événement.</translation>
    </message>
    <message>
        <source>Track %1 holds a length or time longer than four bytes.</source>
        <translation>La piste %1 contient une longueur ou un temps de plus de quatre octets.</translation>
    </message>
    <message>
        <source>The MIDI file cannot be opened.</source>
        <translation>Le fichier MIDI ne peut pas être ouvert.</translation>
    </message>
    <message>
        <source>The MIDI file cannot be read.</source>
        <translation>Le fichier MIDI ne peut pas être lu.</translation>
    </message>
    <message>
        <source>The file is too large to be a MIDI file.</source>
        <translation>Le fichier est trop grand pour être un fichier MIDI.</translation>
    </message>
    <message>
        <source>The file is empty.</source>
        <translation>Le fichier est vide.</translation>
    </message>
    <message>
        <source>The file is not a MIDI file.</source>
        <translation>Le fichier n&apos;est pas un fichier MIDI.</translation>
    </message>
    <message>
        <source>The MIDI file is too long to be played.</source>
        <translation>Le fichier MIDI est trop long pour être joué.</translation>
    </message>
    <message>
        <source>The MIDI file lasts %1 hours; songs longer than 12 hours are not played.</source>
        <translation>Le fichier MIDI dure %1 heures ; les morceaux de plus de 12 heures ne sont pas joués.</translation>
    </message>
    <message>
        <source>The MIDI file&apos;s header is truncated.</source>
        <translation>L&apos;en-tête du fichier MIDI est tronqué.</translation>
    </message>
    <message>
        <source>The MIDI file&apos;s header has a wrong length.</source>
        <translation>L&apos;en-tête du fichier MIDI a une longueur erronée.</translation>
    </message>
    <message>
        <source>MIDI files of format 2 (independent sequences) cannot be played.</source>
        <translation>Les fichiers MIDI au format 2 (séquences indépendantes) ne peuvent pas être joués.</translation>
    </message>
    <message>
        <source>The MIDI file has an unknown format (%1).</source>
        <translation>Le fichier MIDI a un format inconnu (%1).</translation>
    </message>
    <message>
        <source>The MIDI file holds no tracks.</source>
        <translation>Le fichier MIDI ne contient aucune piste.</translation>
    </message>
    <message>
        <source>The MIDI file has an invalid SMPTE frame rate (%1).</source>
        <translation>Le fichier MIDI a une fréquence d&apos;images SMPTE non valide (%1).</translation>
    </message>
    <message>
        <source>The MIDI file has a time division of 0.</source>
        <translation>Le fichier MIDI a une division temporelle de 0.</translation>
    </message>
    <message>
        <source>The MIDI file ends before its first track.</source>
        <translation>Le fichier MIDI se termine avant sa première piste.</translation>
    </message>
    <message>
        <source>The MIDI file announces %1 tracks but holds only %2.</source>
        <translation>Le fichier MIDI annonce %1 pistes mais n&apos;en contient que %2.</translation>
    </message>
    <message>
        <source>Track %1 says it is %2 bytes long, but only %3 bytes remain in the file.</source>
        <translation>La piste %1 indique %2 octets, mais il ne reste que %3 octets dans le fichier.</translation>
    </message>
    <message>
        <source>Track %1 is truncated: it ends after an event time.</source>
        <translation>La piste %1 est tronquée : elle se termine après le temps d&apos;un événement.</translation>
    </message>
    <message>
        <source>Track %1 has a data byte where an event&apos;s status belongs.</source>
        <translation>La piste %1 a un octet de données à la place du statut d&apos;un événement.</translation>
    </message>
    <message>
        <source>Track %1 has a status byte where an event&apos;s data belongs.</source>
        <translation>La piste %1 a un octet de statut à la place des données d&apos;un événement.</translation>
    </message>
    <message>
        <source>Track %1 holds the status byte %2, which a MIDI file may not contain.</source>
        <translation>La piste %1 contient l&apos;octet de statut %2, interdit dans un fichier MIDI.</translation>
    </message>
    <message>
        <source>Track %1 is truncated: an event&apos;s data runs past the end of the track.</source>
        <translation>La piste %1 est tronquée : les données d&apos;un événement dépassent la fin de la piste.</translation>
    </message>
    <message>
        <source>Track %1 has a tempo change of %2 bytes (3 expected).</source>
        <translation>La piste %1 a un changement de tempo de %2 octets (3 attendus).</translation>
    </message>
    <message>
        <source>Track %1 sets a tempo of 0.</source>
        <translation>La piste %1 fixe un tempo de 0.</translation>
    </message>
</context>
<context>
    <name>MidiSynth</name>
    <message>
        <source>No sound font is available for the MIDI synthesiser.</source>
        <translation>Aucune banque de sons n&apos;est disponible pour le synthétiseur MIDI.</translation>
    </message>
    <message>
        <source>The sound font &quot;%1&quot; cannot be loaded.</source>
        <translation>La banque de sons « %1 » ne peut pas être chargée.</translation>
    </message>
    <message>
        <source>The sound font &quot;%1&quot; cannot be loaded: it is not a usable SoundFont 2 file.</source>
        <translation>La banque de sons « %1 » ne peut pas être chargée : ce n&apos;est pas un fichier SoundFont 2 utilisable.</translation>
    </message>
    <message>
        <source>The sound font &quot;%1&quot; cannot be loaded: %2.</source>
        <translation>La banque de sons « %1 » ne peut pas être chargée : %2.</translation>
    </message>
    <message>
        <source>The MIDI synthesiser cannot start.</source>
        <translation>Le synthétiseur MIDI ne peut pas démarrer.</translation>
    </message>
    <message>
        <source>The MIDI synthesiser cannot play the file.</source>
        <translation>Le synthétiseur MIDI ne peut pas lire le fichier.</translation>
    </message>
</context>
<context>
    <name>NeroImage</name>
    <message>
        <source>Track %1 lies outside the image&apos;s audio (offsets %2, %3, %4)</source>
        <translation>La piste %1 se trouve en dehors de l&apos;audio de l&apos;image (positions %2, %3, %4)</translation>
    </message>
    <message>
        <source>Track %1 is no whole number of %2-byte sectors</source>
        <translation>La piste %1 n&apos;est pas un nombre entier de secteurs de %2 octets</translation>
    </message>
    <message>
        <source>Track %1 overlaps the track before it</source>
        <translation>La piste %1 chevauche la piste précédente</translation>
    </message>
    <message>
        <source>The disc would be longer than any CD</source>
        <translation>Le disque serait plus long que n&apos;importe quel CD</translation>
    </message>
    <message>
        <source>track list (chunk %1)</source>
        <translation>liste des pistes (bloc %1)</translation>
    </message>
    <message>
        <source>cue point list (chunk %1)</source>
        <translation>liste des points de repère (bloc %1)</translation>
    </message>
    <message>
        <source>chunk (chunk %1)</source>
        <translation>bloc (bloc %1)</translation>
    </message>
    <message>
        <source>track list of unreadable id (bytes %1)</source>
        <translation>liste des pistes à l&apos;identifiant illisible (octets %1)</translation>
    </message>
    <message>
        <source>cue point list of unreadable id (bytes %1)</source>
        <translation>liste des points de repère à l&apos;identifiant illisible (octets %1)</translation>
    </message>
    <message>
        <source>chunk of unreadable id (bytes %1)</source>
        <translation>bloc à l&apos;identifiant illisible (octets %1)</translation>
    </message>
    <message>
        <source>A track has the unknown mode %1</source>
        <translation>Une piste a le mode inconnu %1</translation>
    </message>
    <message>
        <source>It cannot be read: %1</source>
        <translation>Elle ne peut pas être lue : %1</translation>
    </message>
    <message>
        <source>It is too short for a Nero image</source>
        <translation>Elle est trop courte pour une image Nero</translation>
    </message>
    <message>
        <source>It has no Nero footer (NER5 or NERO) at its end</source>
        <translation>Elle n&apos;a pas de pied Nero (NER5 ou NERO) à la fin</translation>
    </message>
    <message>
        <source>Its footer gives the chunk list&apos;s place as %1, outside the image&apos;s %2 bytes before the footer</source>
        <translation>Son pied place la liste des blocs à %1, en dehors des %2 octets de l&apos;image avant le pied</translation>
    </message>
    <message>
        <source>Its chunk list would take %1 bytes, far more than a CD&apos;s needs</source>
        <translation>Sa liste des blocs occuperait %1 octets, bien plus que ce qu&apos;il faut pour un CD</translation>
    </message>
    <message>
        <source>Its chunk list cannot be read</source>
        <translation>Sa liste des blocs ne peut pas être lue</translation>
    </message>
    <message>
        <source>Its chunk list ends without an END! chunk</source>
        <translation>Sa liste des blocs se termine sans bloc END!</translation>
    </message>
    <message>
        <source>Its %1 claims %2 bytes, past the end of the chunk list</source>
        <translation>Dans l&apos;image : %1 annonce %2 octets, au-delà de la fin de la liste des blocs</translation>
    </message>
    <message>
        <source>Its %1 of %2 bytes holds no whole track entries</source>
        <translation>Dans l&apos;image : %1 de %2 octets ne contient pas d&apos;entrées de piste entières</translation>
    </message>
    <message>
        <source>Its %1 numbers its %2 tracks from %3 to %4</source>
        <translation>Dans l&apos;image : %1 numérote ses %2 pistes de %3 à %4</translation>
    </message>
    <message>
        <source>Track %1 has sectors of %2 bytes</source>
        <translation>La piste %1 a des secteurs de %2 octets</translation>
    </message>
    <message>
        <source>Track %1 is longer than the image</source>
        <translation>La piste %1 est plus longue que l&apos;image</translation>
    </message>
    <message>
        <source>Its %1 of %2 bytes holds no whole cue points</source>
        <translation>Dans l&apos;image : %1 de %2 octets ne contient pas de points de repère entiers</translation>
    </message>
    <message>
        <source>Its %1 lists %2 tracks; a CD holds 1 to 99</source>
        <translation>Dans l&apos;image : %1 liste %2 pistes ; un CD en contient de 1 à 99</translation>
    </message>
    <message>
        <source>It holds more than one session; only single-session images can be read</source>
        <translation>Elle contient plus d&apos;une session ; seules les images à une session peuvent être lues</translation>
    </message>
    <message>
        <source>Its chunk list holds no track list (DAOX, DAOI, ETN2 or ETNF)</source>
        <translation>Sa liste des blocs ne contient aucune liste des pistes (DAOX, DAOI, ETN2 ou ETNF)</translation>
    </message>
</context>
<context>
    <name>OutputGuard</name>
    <message>
        <source>The MP3 file cannot replace the MIDI file it is made from. Choose another name for the MP3 file.</source>
        <translation>Le fichier MP3 ne peut pas remplacer le fichier MIDI dont il est issu. Choisissez un autre nom pour le fichier MP3.</translation>
    </message>
    <message>
        <source>The MP3 file cannot replace the recording it is made from. Choose another name for the MP3 file.</source>
        <translation>Le fichier MP3 ne peut pas remplacer l&apos;enregistrement dont il est issu. Choisissez un autre nom pour le fichier MP3.</translation>
    </message>
    <message>
        <source>The MP3 file cannot replace the wave file it is made from. Choose another name for the MP3 file.</source>
        <translation>Le fichier MP3 ne peut pas remplacer le fichier WAV dont il est issu. Choisissez un autre nom pour le fichier MP3.</translation>
    </message>
    <message>
        <source>The MP3 file cannot replace a folder. Choose another name for the MP3 file.</source>
        <translation>Le fichier MP3 ne peut pas remplacer un dossier. Choisissez un autre nom pour le fichier MP3.</translation>
    </message>
    <message>
        <source>The MP3 file cannot replace a named pipe. Choose another name for the MP3 file.</source>
        <translation>Le fichier MP3 ne peut pas remplacer un tube nommé. Choisissez un autre nom pour le fichier MP3.</translation>
    </message>
    <message>
        <source>The MP3 file cannot replace a device. Choose another name for the MP3 file.</source>
        <translation>Le fichier MP3 ne peut pas remplacer un périphérique. Choisissez un autre nom pour le fichier MP3.</translation>
    </message>
    <message>
        <source>The MP3 file cannot replace a socket. Choose another name for the MP3 file.</source>
        <translation>Le fichier MP3 ne peut pas remplacer un socket. Choisissez un autre nom pour le fichier MP3.</translation>
    </message>
    <message>
        <source>The MP3 file cannot replace something that is not a regular file. Choose another name for the MP3 file.</source>
        <translation>Le fichier MP3 ne peut pas remplacer ce qui n&apos;est pas un fichier ordinaire. Choisissez un autre nom pour le fichier MP3.</translation>
    </message>
    <message>
        <source>The MP3 file could not be saved.</source>
        <translation>Le fichier MP3 n&apos;a pas pu être enregistré.</translation>
    </message>
    <message>
        <source>Another program wrote this file while the MP3 file was being made. Replace it with the new MP3 file?</source>
        <translation>Un autre programme a écrit ce fichier pendant la création du fichier MP3. Le remplacer par le nouveau fichier MP3 ?</translation>
    </message>
</context>
<context>
    <name>PreferencesWindow</name>
    <message>
        <source>&amp;Microphone:</source>
        <translation>&amp;Micro :</translation>
    </message>
    <message>
        <source>&amp;Line input:</source>
        <translation>Entrée &amp;ligne :</translation>
    </message>
    <message>
        <source>&amp;Aux input:</source>
        <translation>Entrée &amp;AUX :</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
    </message>
    <message>
        <source>&amp;Speakers:</source>
        <translation>Haut-parleur&amp;s :</translation>
    </message>
    <message>
        <source>The first drive</source>
        <translation>Le premier lecteur</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Parcourir…</translation>
    </message>
    <message>
        <source>Open a disc image</source>
        <translation>Ouvrir une image de disque</translation>
    </message>
    <message>
        <source>Disc images</source>
        <translation>Images de disque</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Tous les fichiers</translation>
    </message>
    <message>
        <source>CD d&amp;rive or disc image:</source>
        <translation>Lecteu&amp;r de CD ou image de disque :</translation>
    </message>
    <message>
        <source>&amp;Look up discs on the network</source>
        <translation>Rechercher &amp;les disques sur le réseau</translation>
    </message>
    <message>
        <source>&amp;MusicBrainz server:</source>
        <translation>Serveur &amp;MusicBrainz :</translation>
    </message>
    <message>
        <source>&amp;gnudb server:</source>
        <translation>Serveur &amp;gnudb :</translation>
    </message>
    <message>
        <source>Co&amp;vers from:</source>
        <translation>&amp;Pochettes depuis :</translation>
    </message>
    <message>
        <source>No covers</source>
        <translation>Aucune pochette</translation>
    </message>
    <message>
        <source>&amp;AccurateRip database:</source>
        <translation>Base &amp;AccurateRip :</translation>
    </message>
    <message>
        <source>Drive&apos;s &amp;read offset (samples):</source>
        <translation>Décalage de lectu&amp;re du lecteur (échantillons) :</translation>
    </message>
    <message>
        <source>&amp;Test and copy (read every track twice)</source>
        <translation>&amp;Tester et copier (lire chaque piste deux fois)</translation>
    </message>
    <message>
        <source>Write a &amp;cue sheet and a playlist</source>
        <translation>Écrire un fichier &amp;cue et une liste de lecture</translation>
    </message>
    <message>
        <source>The first General MIDI font installed</source>
        <translation>La première banque de sons General MIDI installée</translation>
    </message>
    <message>
        <source>Choose a sound font</source>
        <translation>Choisir une banque de sons</translation>
    </message>
    <message>
        <source>Sound fonts</source>
        <translation>Banques de sons</translation>
    </message>
    <message>
        <source>&amp;Sound font:</source>
        <translation>Banque de &amp;sons :</translation>
    </message>
    <message>
        <source>&amp;Reverb</source>
        <translation>&amp;Réverbération</translation>
    </message>
    <message>
        <source>&amp;Chorus</source>
        <translation>&amp;Chorus</translation>
    </message>
    <message>
        <source>Output &amp;gain:</source>
        <translation>&amp;Gain de sortie :</translation>
    </message>
    <message>
        <source> dB</source>
        <translation> dB</translation>
    </message>
    <message>
        <source>File &amp;type:</source>
        <translation>&amp;Type de fichier :</translation>
    </message>
    <message>
        <source>MP3 inside a wave file</source>
        <translation>MP3 dans un fichier WAV</translation>
    </message>
    <message>
        <source>MP3 file</source>
        <translation>Fichier MP3</translation>
    </message>
    <message>
        <source>Bit rate &amp;mode:</source>
        <translation>&amp;Mode de débit :</translation>
    </message>
    <message>
        <source>Constant (the slider&apos;s bit rate)</source>
        <translation>Constant (le débit du curseur)</translation>
    </message>
    <message>
        <source>Variable</source>
        <translation>Variable</translation>
    </message>
    <message>
        <source>Variable &amp;quality (0 best):</source>
        <translation>&amp;Qualité variable (0 la meilleure) :</translation>
    </message>
    <message>
        <source>&amp;Stereo:</source>
        <translation>&amp;Stéréo :</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>Stéréo</translation>
    </message>
    <message>
        <source>Joint stereo</source>
        <translation>Stéréo jointe</translation>
    </message>
    <message>
        <source>&amp;ReplayGain (measure loudness, tag track and album gain)</source>
        <translation>&amp;ReplayGain (mesurer la sonie, gain de piste et d&apos;album dans l&apos;étiquette)</translation>
    </message>
    <message>
        <source>&amp;Encoders at once:</source>
        <translation>&amp;Encodeurs simultanés :</translation>
    </message>
    <message>
        <source>CD file &amp;names:</source>
        <translation>&amp;Noms des fichiers du CD :</translation>
    </message>
    <message>
        <source>%n track number, %N two-digit number, %t title, %a artist, %A album, %y year</source>
        <translation>%n numéro de piste, %N numéro à deux chiffres, %t titre, %a artiste, %A album, %y année</translation>
    </message>
    <message>
        <source>Safe names for &amp;FAT file systems</source>
        <translation>Noms sûrs pour les systèmes de &amp;fichiers FAT</translation>
    </message>
    <message>
        <source>First track:</source>
        <translation>Première piste :</translation>
    </message>
    <message>
        <source>First track&apos;s file name</source>
        <translation>Nom de fichier de la première piste</translation>
    </message>
    <message>
        <source>Intro</source>
        <translation>Intro</translation>
    </message>
    <message>
        <source>Artist</source>
        <translation>Artiste</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>Périphériques</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Sortie</translation>
    </message>
    <message>
        <source>Discs</source>
        <translation>Disques</translation>
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
        <translation>Annuler</translation>
    </message>
    <message>
        <source>A changed device is used from the next take or play on.</source>
        <translation>Un périphérique modifié est utilisé dès la prochaine prise ou lecture.</translation>
    </message>
    <message>
        <source>The sound font, reverb, chorus and gain change at the next play.</source>
        <translation>La banque de sons, la réverbération, le chorus et le gain changent à la prochaine lecture.</translation>
    </message>
</context>
<context>
    <name>ProfileFile</name>
    <message>
        <source>Unable to read the settings file. The program runs on its default settings and leaves the file as it is.</source>
        <translation>Impossible de lire le fichier de réglages. Le programme fonctionne avec ses réglages par défaut et laisse le fichier tel quel.</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>Impossible d&apos;écrire dans %1</translation>
    </message>
</context>
<context>
    <name>Resampler</name>
    <message>
        <source>Unable to start the sample-rate converter: %1</source>
        <translation>Impossible de démarrer le convertisseur de fréquence d&apos;échantillonnage : %1</translation>
    </message>
    <message>
        <source>The sample-rate converter failed: %1</source>
        <translation>Le convertisseur de fréquence d&apos;échantillonnage a échoué : %1</translation>
    </message>
</context>
<context>
    <name>RipSession</name>
    <message>
        <source>not checked (the AccurateRip server answered with something unreadable)</source>
        <translation>non vérifiée (le serveur AccurateRip a renvoyé une réponse illisible)</translation>
    </message>
    <message>
        <source>not checked (AccurateRip could not be reached)</source>
        <translation>non vérifiée (AccurateRip injoignable)</translation>
    </message>
    <message>
        <source>not in the AccurateRip database (its answer was for another disc)</source>
        <translation>absente de la base AccurateRip (sa réponse concernait un autre disque)</translation>
    </message>
    <message>
        <source>accurately ripped (confidence %1)</source>
        <translation>extraite exactement (confiance %1)</translation>
    </message>
    <message>
        <source>not accurate (%1 other rips disagree)</source>
        <translation>inexacte (%1 autres extractions divergent)</translation>
    </message>
    <message>
        <source>not in the AccurateRip database</source>
        <translation>absente de la base AccurateRip</translation>
    </message>
    <message>
        <source>Track %1: %2; test and copy differ</source>
        <translation>Piste %1 : %2 ; le test et la copie diffèrent</translation>
    </message>
    <message>
        <source>Track %1: %2</source>
        <translation>Piste %1 : %2</translation>
    </message>
    <message>
        <source>Unable to write &quot;%1&quot;</source>
        <translation>Impossible d&apos;écrire « %1 »</translation>
    </message>
    <message>
        <source>Unable to write the rip log &quot;%1&quot;</source>
        <translation>Impossible d&apos;écrire le journal d&apos;extraction « %1 »</translation>
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
        <translation>%1 canaux</translation>
    </message>
    <message>
        <source>format %1</source>
        <translation>format %1</translation>
    </message>
    <message>
        <source>format tag %1</source>
        <translation>balise de format %1</translation>
    </message>
    <message>
        <source>Unsupported wave format: the file holds %1. Wave files with PCM samples of 8, 16, 24 or 32 bits or IEEE float samples of 32 or 64 bits, and 1 to 8 channels, can be encoded.</source>
        <translation>Format wave non pris en charge : le fichier contient %1. Les fichiers wave aux échantillons PCM de 8, 16, 24 ou 32 bits ou aux échantillons à virgule flottante IEEE de 32 ou 64 bits, de 1 à 8 canaux, peuvent être encodés.</translation>
    </message>
    <message>
        <source>no format</source>
        <translation>aucun format</translation>
    </message>
    <message>
        <source>an extensible format without its sub-format</source>
        <translation>un format extensible sans son sous-format</translation>
    </message>
    <message>
        <source>extensible %1</source>
        <translation>%1 extensible</translation>
    </message>
    <message>
        <source>format of unknown kind</source>
        <translation>format de type inconnu</translation>
    </message>
    <message>
        <source>IEEE float</source>
        <translation>virgule flottante IEEE</translation>
    </message>
    <message>
        <source>%1 in blocks of %2 byte</source>
        <translation>%1 par blocs de %2 octet</translation>
    </message>
    <message>
        <source>%1 in blocks of %2 bytes</source>
        <translation>%1 par blocs de %2 octets</translation>
    </message>
</context>
<context>
    <name>SequencerDevice</name>
    <message>
        <source>The sequencer needs a MIDI file.</source>
        <translation>Le séquenceur a besoin d&apos;un fichier MIDI.</translation>
    </message>
</context>
<context>
    <name>SoundCard</name>
    <message>
        <source>The device &quot;%1&quot; cannot be opened.</source>
        <translation>Le périphérique « %1 » ne peut pas être ouvert.</translation>
    </message>
    <message>
        <source>The speakers&apos; device &quot;%1&quot; cannot be opened: %2.</source>
        <translation>Le périphérique des haut-parleurs « %1 » ne peut pas être ouvert : %2.</translation>
    </message>
    <message>
        <source>No device is chosen for the speakers.</source>
        <translation>Aucun périphérique n&apos;est choisi pour les haut-parleurs.</translation>
    </message>
</context>
<context>
    <name>SoundLine</name>
    <message>
        <source>The audio server no longer offers the source &quot;%1&quot;.</source>
        <translation>Le serveur audio ne propose plus la source « %1 ».</translation>
    </message>
    <message>
        <source>The source &quot;%1&quot; cannot be recorded: no audio server answers (%2).</source>
        <translation>La source « %1 » ne peut pas être enregistrée : aucun serveur audio ne répond (%2).</translation>
    </message>
    <message>
        <source>No capture device is set up for this input.</source>
        <translation>Aucun périphérique de capture n&apos;est configuré pour cette entrée.</translation>
    </message>
    <message>
        <source>The capture device &quot;%1&quot; cannot be opened: %2.</source>
        <translation>Le périphérique de capture « %1 » ne peut pas être ouvert : %2.</translation>
    </message>
    <message>
        <source>Set %1 in the section SOUNDCARD_SETUP of %2.</source>
        <translation>Définissez %1 dans la section SOUNDCARD_SETUP de %2.</translation>
    </message>
</context>
<context>
    <name>SourceTiles</name>
    <message>
        <source>Choose a sound font in Preferences (Ctrl+,).</source>
        <translation>Choisissez une banque de sons dans les Préférences (Ctrl+,).</translation>
    </message>
    <message>
        <source>Choose a CD drive or disc image in Preferences (Ctrl+,).</source>
        <translation>Choisissez un lecteur de CD ou une image de disque dans les Préférences (Ctrl+,).</translation>
    </message>
    <message>
        <source>Choose a device in Preferences (Ctrl+,).</source>
        <translation>Choisissez un périphérique dans les Préférences (Ctrl+,).</translation>
    </message>
    <message>
        <source>The sound card has no such source.</source>
        <translation>La carte son n&apos;a pas cette source.</translation>
    </message>
</context>
<context>
    <name>SplitEncoder</name>
    <message>
        <source>Unable to initialize stream</source>
        <translation>Impossible d&apos;initialiser le flux</translation>
    </message>
    <message>
        <source>Unable to encode data</source>
        <translation>Impossible d&apos;encoder les données</translation>
    </message>
    <message>
        <source>Unable to deinitialize stream</source>
        <translation>Impossible de clore le flux</translation>
    </message>
</context>
<context>
    <name>SplitRun</name>
    <message>
        <source>The take cannot be kept for its tracks:</source>
        <translation>La prise ne peut pas être conservée pour ses pistes :</translation>
    </message>
    <message>
        <source>A split take needs one file name for each of its tracks.</source>
        <translation>Une prise découpée demande un nom de fichier pour chacune de ses pistes.</translation>
    </message>
</context>
<context>
    <name>SplitTracksPage</name>
    <message>
        <source>Tracks found at the silences of the take. Merge neighbours or move a cut, then Next.</source>
        <translation>Pistes trouvées aux silences de la prise. Fusionnez des voisines ou déplacez une coupure, puis « Suivant ».</translation>
    </message>
    <message>
        <source>Proposed tracks</source>
        <translation>Pistes proposées</translation>
    </message>
    <message>
        <source>&amp;Merge with next</source>
        <translation>&amp;Fusionner avec la suivante</translation>
    </message>
    <message>
        <source>Cut &amp;earlier</source>
        <translation>Couper plus &amp;tôt</translation>
    </message>
    <message>
        <source>Cut &amp;later</source>
        <translation>Couper plus ta&amp;rd</translation>
    </message>
    <message>
        <source>Joins the selected track and the one after it</source>
        <translation>Réunit la piste choisie et la suivante</translation>
    </message>
    <message>
        <source>Moves the cut after the selected track %1 seconds earlier</source>
        <translation>Avance de %1 secondes la coupure après la piste choisie</translation>
    </message>
    <message>
        <source>Moves the cut after the selected track %1 seconds later</source>
        <translation>Retarde de %1 secondes la coupure après la piste choisie</translation>
    </message>
    <message>
        <source>Track %1   %2   (%3)</source>
        <translation>Piste %1   %2   (%3)</translation>
    </message>
    <message>
        <source>Plays %1 seconds before to %1 seconds after the cut after the selected track</source>
        <translation>Joue de %1 secondes avant à %1 secondes après la coupe qui suit la piste choisie</translation>
    </message>
    <message>
        <source>Sto&amp;p playing</source>
        <translation>Arrêter l&apos;éc&amp;oute</translation>
    </message>
    <message>
        <source>&amp;Play the cut</source>
        <translation>Éc&amp;outer la coupe</translation>
    </message>
</context>
<context>
    <name>SynthLine</name>
    <message>
        <source>The sound font &quot;%1&quot; is not a usable SoundFont 2 file.</source>
        <translation>La banque de sons « %1 » n&apos;est pas un fichier SoundFont 2 utilisable.</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Track%1         %2 min. %3 sec.</source>
        <translation>Piste%1         %2 min %3 s</translation>
    </message>
    <message>
        <source>Image...</source>
        <translation>Image…</translation>
    </message>
    <message>
        <source>Open a disc image (.cue, .toc, .nrg) as the CD</source>
        <translation>Ouvrir une image de disque (.cue, .toc, .nrg) comme CD</translation>
    </message>
    <message>
        <source>Select a disc image</source>
        <translation>Choisir une image de disque</translation>
    </message>
    <message>
        <source>Disc images (*.cue;*.toc;*.nrg)|*.cue;*.toc;*.nrg|All files (*.*)|*.*</source>
        <translation>Images de disque (*.cue;*.toc;*.nrg)|*.cue;*.toc;*.nrg|Tous les fichiers (*.*)|*.*</translation>
    </message>
    <message>
        <source>Unable to open CD player</source>
        <translation>Impossible d&apos;ouvrir le lecteur de CD</translation>
    </message>
    <message>
        <source>This CD contains %1 tracks</source>
        <translation>Ce CD contient %1 pistes</translation>
    </message>
    <message>
        <source> (data)</source>
        <translation> (données)</translation>
    </message>
    <message>
        <source>No tracks selected for encoding</source>
        <translation>Aucune piste choisie pour l&apos;encodage</translation>
    </message>
    <message>
        <source>Select the folder for the mp3 files</source>
        <translation>Choisir le dossier des fichiers MP3</translation>
    </message>
    <message>
        <source>There is no folder %1</source>
        <translation>Le dossier %1 n&apos;existe pas</translation>
    </message>
    <message>
        <source>Files will be named Track1, Track2, Track3 etc.</source>
        <translation>Les fichiers s&apos;appelleront Track1, Track2, Track3, etc.</translation>
    </message>
    <message>
        <source>Files will be named %1 etc.</source>
        <translation>Les fichiers s&apos;appelleront %1, etc.</translation>
    </message>
    <message>
        <source>Files will be named %1.</source>
        <translation>Les fichiers s&apos;appelleront %1.</translation>
    </message>
    <message>
        <source>Choose a folder for the mp3 files</source>
        <translation>Choisissez un dossier pour les fichiers MP3</translation>
    </message>
    <message>
        <source>Create folder %1?</source>
        <translation>Créer le dossier %1 ?</translation>
    </message>
    <message>
        <source>Replace these files?</source>
        <translation>Remplacer ces fichiers ?</translation>
    </message>
    <message>
        <source>unable to extract CD data</source>
        <translation>impossible d&apos;extraire les données du CD</translation>
    </message>
    <message>
        <source>Unable to halt ripper.. please wait</source>
        <translation>Impossible d&apos;arrêter l&apos;extraction… veuillez patienter</translation>
    </message>
    <message>
        <source>Encoding AUDIO CD file %1 of %2</source>
        <translation>Encodage du fichier de CD AUDIO %1 sur %2</translation>
    </message>
    <message>
        <source>Recording progress</source>
        <translation>Progression de l&apos;enregistrement</translation>
    </message>
    <message>
        <source>Extraction progress</source>
        <translation>Progression de l&apos;extraction</translation>
    </message>
    <message>
        <source>Replace this file?
%1</source>
        <translation>Remplacer ce fichier ?
%1</translation>
    </message>
    <message>
        <source>CD run stopped</source>
        <translation>Traitement du CD interrompu</translation>
    </message>
    <message>
        <source>CD run finished</source>
        <translation>Traitement du CD terminé</translation>
    </message>
    <message>
        <source>Internal error %1</source>
        <translation>Erreur interne %1</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>failed (%1)</source>
        <translation>échec (%1)</translation>
    </message>
    <message>
        <source>read</source>
        <translation>lue</translation>
    </message>
    <message>
        <source>recorded</source>
        <translation>enregistrée</translation>
    </message>
    <message>
        <source>encoded</source>
        <translation>encodée</translation>
    </message>
    <message>
        <source>Track %1: %2</source>
        <translation>Piste %1 : %2</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>The CD could not be read to the end of track %1</source>
        <translation>Le CD n&apos;a pas pu être lu jusqu&apos;à la fin de la piste %1</translation>
    </message>
    <message>
        <source>Cover picture</source>
        <translation>Image de pochette</translation>
    </message>
    <message>
        <source>Enter details for track %1</source>
        <translation>Informations de la piste %1</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Inconnu</translation>
    </message>
    <message>
        <source>Go on without</source>
        <translation>Continuer sans</translation>
    </message>
    <message>
        <source>Looking up...</source>
        <translation>Recherche…</translation>
    </message>
    <message>
        <source>Several releases match this disc. Which one is it?</source>
        <translation>Plusieurs éditions correspondent à ce disque. Laquelle est-ce ?</translation>
    </message>
    <message>
        <source>None of these</source>
        <translation>Aucune de celles-ci</translation>
    </message>
    <message>
        <source>Using CD-Text</source>
        <translation>Utilisation du CD-Text</translation>
    </message>
    <message>
        <source>No details found for this disc</source>
        <translation>Aucune information trouvée pour ce disque</translation>
    </message>
    <message>
        <source>Encoding finished</source>
        <translation>Encodage terminé</translation>
    </message>
    <message>
        <source>Encoding stopped</source>
        <translation>Encodage interrompu</translation>
    </message>
    <message>
        <source>%1 is ready</source>
        <translation>%1 est prêt</translation>
    </message>
    <message>
        <source>No MP3 file was finished</source>
        <translation>Aucun fichier MP3 n&apos;a été terminé</translation>
    </message>
    <message>
        <source>&lt; &amp;Back</source>
        <translation>&lt; &amp;Précédent</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>Attempt to set priority error #%1</source>
        <translation>Erreur n° %1 lors du réglage de la priorité</translation>
    </message>
    <message>
        <source>Loading instruments...</source>
        <translation>Chargement des instruments…</translation>
    </message>
    <message>
        <source>The instruments cannot be loaded.</source>
        <translation>Impossible de charger les instruments.</translation>
    </message>
    <message>
        <source>No source selected</source>
        <translation>Aucune source choisie</translation>
    </message>
    <message>
        <source>Cancel the encoding under way?</source>
        <translation>Annuler l&apos;encodage en cours ?</translation>
    </message>
    <message>
        <source>....ABORTED</source>
        <translation>....ANNULÉ</translation>
    </message>
    <message>
        <source>Left input level</source>
        <translation>Niveau d&apos;entrée gauche</translation>
    </message>
    <message>
        <source>Right input level</source>
        <translation>Niveau d&apos;entrée droit</translation>
    </message>
    <message>
        <source>Recording level</source>
        <translation>Niveau d&apos;enregistrement</translation>
    </message>
    <message>
        <source>Select audio source</source>
        <translation>Choisir la source audio</translation>
    </message>
    <message>
        <source>Click on the icon to select the audio source</source>
        <translation>Cliquez sur une icône pour choisir la source audio</translation>
    </message>
    <message>
        <source>Wave file</source>
        <translation>Fichier WAV</translation>
    </message>
    <message>
        <source>MIDI file</source>
        <translation>Fichier MIDI</translation>
    </message>
    <message>
        <source>Audio CD</source>
        <translation>CD audio</translation>
    </message>
    <message>
        <source>MIC. in</source>
        <translation>Entrée micro</translation>
    </message>
    <message>
        <source>LINE in</source>
        <translation>Entrée ligne</translation>
    </message>
    <message>
        <source>AUX in</source>
        <translation>Entrée AUX</translation>
    </message>
    <message>
        <source>&amp;Next &gt;</source>
        <translation>&amp;Suivant &gt;</translation>
    </message>
    <message>
        <source>Select wave file</source>
        <translation>Choisir le fichier WAV</translation>
    </message>
    <message>
        <source>Location of wav file to encode</source>
        <translation>Emplacement du fichier WAV à encoder</translation>
    </message>
    <message>
        <source>Br&amp;owse</source>
        <translation>Pa&amp;rcourir</translation>
    </message>
    <message>
        <source>Location destination mp3 file</source>
        <translation>Emplacement du fichier MP3 de destination</translation>
    </message>
    <message>
        <source>Bro&amp;wse</source>
        <translation>Parc&amp;ourir</translation>
    </message>
    <message>
        <source>Type or paste a path, or choose the file with Browse</source>
        <translation>Saisissez ou collez un chemin, ou choisissez le fichier avec « Parcourir »</translation>
    </message>
    <message>
        <source>Faster than real time (no monitoring)</source>
        <translation>Plus rapide que le temps réel (sans écoute)</translation>
    </message>
    <message>
        <source>Artist</source>
        <translation>Artiste</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titre</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Année</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Piste</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Commentaire</translation>
    </message>
    <message>
        <source>Audio is original</source>
        <translation>Audio original</translation>
    </message>
    <message>
        <source>Enter MP3 file details</source>
        <translation>Informations du fichier MP3</translation>
    </message>
    <message>
        <source>Enter track details. These can be displayed by some players.</source>
        <translation>Saisissez les informations de la piste. Certains lecteurs peuvent les afficher.</translation>
    </message>
    <message>
        <source>Audio is copyrighted</source>
        <translation>Audio protégé par le droit d&apos;auteur</translation>
    </message>
    <message>
        <source>MP3 Quality</source>
        <translation>Qualité MP3</translation>
    </message>
    <message>
        <source>MP3 Bitrate = </source>
        <translation>Débit MP3 = </translation>
    </message>
    <message>
        <source>%1 Khz</source>
        <translation>%1 Khz</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Faible</translation>
    </message>
    <message>
        <source>MP3 Bitrate</source>
        <translation>Débit MP3</translation>
    </message>
    <message>
        <source>From low quality and small files to high quality and large files</source>
        <translation>De la qualité faible et des petits fichiers à la haute qualité et aux gros fichiers</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Élevée</translation>
    </message>
    <message>
        <source>Select encoding options</source>
        <translation>Options d&apos;encodage</translation>
    </message>
    <message>
        <source>Specify MP3 quality/compression factor.</source>
        <translation>Indiquez la qualité/le taux de compression MP3.</translation>
    </message>
    <message>
        <source>Save &amp;as:</source>
        <translation>Enregistrer s&amp;ous :</translation>
    </message>
    <message>
        <source>MP3 file</source>
        <translation>Fichier MP3</translation>
    </message>
    <message>
        <source>MP3 inside a wave file</source>
        <translation>MP3 dans un fichier WAV</translation>
    </message>
    <message>
        <source>&amp;Quality:</source>
        <translation>&amp;Qualité :</translation>
    </message>
    <message>
        <source>constant bit rate</source>
        <translation>débit constant</translation>
    </message>
    <message>
        <source>variable V%1 (best)</source>
        <translation>variable V%1 (meilleure)</translation>
    </message>
    <message>
        <source>variable V%1 (smallest)</source>
        <translation>variable V%1 (plus petit)</translation>
    </message>
    <message>
        <source>variable V%1</source>
        <translation>variable V%1</translation>
    </message>
    <message>
        <source>Joint stereo</source>
        <translation>Stéréo jointe</translation>
    </message>
    <message>
        <source>ReplayGain</source>
        <translation>ReplayGain</translation>
    </message>
    <message>
        <source>using the Blade encoder. &lt;a href=&quot;#&quot;&gt;Click here&lt;/a&gt; for details</source>
        <translation>avec l&apos;encodeur Blade. &lt;a href=&quot;#&quot;&gt;Cliquez ici&lt;/a&gt; pour les détails</translation>
    </message>
    <message>
        <source>using the Blade encoder. Click here for details</source>
        <translation>avec l&apos;encodeur Blade. Cliquez ici pour les détails</translation>
    </message>
    <message>
        <source>Encoding WAVE file</source>
        <translation>Encodage du fichier WAVE</translation>
    </message>
    <message>
        <source>Output file</source>
        <translation>Fichier de sortie</translation>
    </message>
    <message>
        <source>Checking and converting Wave format</source>
        <translation>Vérification et conversion du format WAV</translation>
    </message>
    <message>
        <source>Encoding progress</source>
        <translation>Progression de l&apos;encodage</translation>
    </message>
    <message>
        <source>&amp;Finish</source>
        <translation>&amp;Terminer</translation>
    </message>
    <message>
        <source>Monitor volume</source>
        <translation>Volume d&apos;écoute</translation>
    </message>
    <message>
        <source>Encoding MIDI file</source>
        <translation>Encodage du fichier MIDI</translation>
    </message>
    <message>
        <source>Recording from AUX input</source>
        <translation>Enregistrement de l&apos;entrée AUX</translation>
    </message>
    <message>
        <source>Select a destination file then use the RECORD and STOP buttons to record.</source>
        <translation>Choisissez un fichier de destination, puis enregistrez avec les boutons ENREGISTRER et ARRÊTER.</translation>
    </message>
    <message>
        <source>&amp;Record</source>
        <translation>&amp;Enregistrer</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>Arrê&amp;ter</translation>
    </message>
    <message>
        <source>Select CD tracks for encoding</source>
        <translation>Choisir les pistes du CD à encoder</translation>
    </message>
    <message>
        <source>New CD</source>
        <translation>Nouveau CD</translation>
    </message>
    <message>
        <source>CD tracks</source>
        <translation>Pistes du CD</translation>
    </message>
    <message>
        <source>Check the tracks to encode</source>
        <translation>Cochez les pistes à encoder</translation>
    </message>
    <message>
        <source>Clear list</source>
        <translation>Vider la liste</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Tout choisir</translation>
    </message>
    <message>
        <source>CD data extraction</source>
        <translation>Extraction des données du CD</translation>
    </message>
    <message>
        <source>There are two methods of extracting the CD audio data</source>
        <translation>Il existe deux méthodes pour extraire les données audio du CD</translation>
    </message>
    <message>
        <source>1) Ripping</source>
        <translation>1) Extraction numérique</translation>
    </message>
    <message>
        <source>The data is extracted digitally for best audio quality. Not all CDROMS support ripping.</source>
        <translation>Les données sont extraites numériquement pour une qualité audio optimale. Tous les lecteurs de CD-ROM ne le permettent pas.</translation>
    </message>
    <message>
        <source>1) Recording</source>
        <translation>2) Enregistrement</translation>
    </message>
    <message>
        <source>The audio is recorded using the soundcard with some loss of fidelity.</source>
        <translation>Le son est enregistré par la carte son, avec une certaine perte de fidélité.</translation>
    </message>
    <message>
        <source>RECORD the audio with the soundcard</source>
        <translation>ENREGISTRER le son avec la carte son</translation>
    </message>
    <message>
        <source>RIP the data digitally</source>
        <translation>EXTRAIRE les données numériquement</translation>
    </message>
    <message>
        <source>CD Encoding options</source>
        <translation>Options d&apos;encodage du CD</translation>
    </message>
    <message>
        <source>Choose a location for the resulting mp3 files.</source>
        <translation>Choisissez l&apos;emplacement des fichiers MP3 produits.</translation>
    </message>
    <message>
        <source>Folder for the mp3 files</source>
        <translation>Dossier des fichiers MP3</translation>
    </message>
    <message>
        <source>CD file details</source>
        <translation>Informations des fichiers du CD</translation>
    </message>
    <message>
        <source>Do you want to enter details for each of the CD tracks? These details will be written into the MP3 file and can be displayed by some players.</source>
        <translation>Voulez-vous saisir les informations de chaque piste du CD ? Elles seront écrites dans le fichier MP3 et certains lecteurs peuvent les afficher.</translation>
    </message>
    <message>
        <source>Yes, I want to enter the track details.</source>
        <translation>Oui, je veux saisir les informations des pistes.</translation>
    </message>
    <message>
        <source>No, encode the tracks without descriptions.</source>
        <translation>Non, encoder les pistes sans description.</translation>
    </message>
    <message>
        <source>Audio is copyright</source>
        <translation>Audio protégé par le droit d&apos;auteur</translation>
    </message>
    <message>
        <source>Encoding AUDIO CD file</source>
        <translation>Encodage du fichier de CD AUDIO</translation>
    </message>
    <message>
        <source>Track results</source>
        <translation>Résultats des pistes</translation>
    </message>
    <message>
        <source>Recording from LINE input</source>
        <translation>Enregistrement de l&apos;entrée ligne</translation>
    </message>
    <message>
        <source>Recording from MIC input</source>
        <translation>Enregistrement de l&apos;entrée micro</translation>
    </message>
    <message>
        <source>Discard the recording?</source>
        <translation>Abandonner l&apos;enregistrement ?</translation>
    </message>
    <message>
        <source>Recorded %1:%2, %3 KB</source>
        <translation>Enregistré %1:%2, %3 Ko</translation>
    </message>
    <message>
        <source>Select source wave file</source>
        <translation>Choisir le fichier WAV source</translation>
    </message>
    <message>
        <source>Wave audiofiles (*.wav)|*.wav|All files (*.*)|*.*</source>
        <translation>Fichiers audio WAV (*.wav)|*.wav|Tous les fichiers (*.*)|*.*</translation>
    </message>
    <message>
        <source>Select source MIDI file</source>
        <translation>Choisir le fichier MIDI source</translation>
    </message>
    <message>
        <source>Midi files (*.mid)|*.mid|All files (*.*)|*.*</source>
        <translation>Fichiers MIDI (*.mid)|*.mid|Tous les fichiers (*.*)|*.*</translation>
    </message>
    <message>
        <source>Select MIDI file</source>
        <translation>Choisir le fichier MIDI</translation>
    </message>
    <message>
        <source>Location of MIDI file to encode</source>
        <translation>Emplacement du fichier MIDI à encoder</translation>
    </message>
    <message>
        <source>%1 is %2, not a wave file.</source>
        <translation>%1 est %2, pas un fichier WAV.</translation>
    </message>
    <message>
        <source>mp3 audio files (*,mp3)|*.mp3|All files (*.*)|*.*</source>
        <translation>Fichiers audio MP3 (*.mp3)|*.mp3|Tous les fichiers (*.*)|*.*</translation>
    </message>
    <message>
        <source>Replace %1?</source>
        <translation>Remplacer %1 ?</translation>
    </message>
    <message>
        <source>&amp;Preferences...</source>
        <translation>Préfé&amp;rences…</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>Split into tracks at silences</source>
        <translation>Découper en pistes aux silences</translation>
    </message>
    <message>
        <source>After the take, proposes one track for each stretch between silences</source>
        <translation>Après la prise, propose une piste pour chaque passage entre deux silences</translation>
    </message>
    <message>
        <source>Tracks of the take</source>
        <translation>Pistes de la prise</translation>
    </message>
</context>
<context>
    <name>TForm3</name>
    <message>
        <source>Encoder details</source>
        <translation>Détails de l&apos;encodeur</translation>
    </message>
    <message>
        <source>MP3 encoding by LAME, through the BladeEnc interface.</source>
        <translation>Encodage MP3 par LAME, via l&apos;interface BladeEnc.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Version %1   Engine %2 </source>
        <translation>Version %1   Moteur %2 </translation>
    </message>
    <message>
        <source>Encoder: LAME %1
Mode: %2
Stereo mode: %3
Saved as: %4</source>
        <translation>Encodeur : LAME %1
Mode : %2
Mode stéréo : %3
Enregistré comme : %4</translation>
    </message>
</context>
<context>
    <name>TMMCBMode</name>
    <message>
        <source>&quot;CallBacks&quot; are called at interrupt time !
<byte value="xd"/>This is currently only supported under Windows 95</source>
        <translation>Les « CallBacks » sont appelés au moment de l&apos;interruption !
Cela n&apos;est actuellement pris en charge que sous Windows 95</translation>
    </message>
</context>
<context>
    <name>TMMHiTimer</name>
    <message>
        <source>Not enough timers available</source>
        <translation>Pas assez de minuteurs disponibles</translation>
    </message>
</context>
<context>
    <name>TMMWaveRecorder</name>
    <message>
        <source>This is a read-only property, please use SelectFormat.</source>
        <translation>Cette propriété est en lecture seule ; utilisez SelectFormat.</translation>
    </message>
</context>
<context>
    <name>TocFile</name>
    <message>
        <source>The track mode &quot;%1&quot; is unknown</source>
        <translation>Le mode de piste « %1 » est inconnu</translation>
    </message>
    <message>
        <source>Track %1 is not a whole number of sectors long</source>
        <translation>La longueur de la piste %1 n&apos;est pas un nombre entier de secteurs</translation>
    </message>
    <message>
        <source>Track %1 holds no audio after its pregap</source>
        <translation>La piste %1 ne contient pas d&apos;audio après son pregap</translation>
    </message>
    <message>
        <source>The disc would be longer than any CD</source>
        <translation>Le disque serait plus long que n&apos;importe quel CD</translation>
    </message>
    <message>
        <source>A &apos;}&apos; closes nothing (line %1)</source>
        <translation>Une &apos;}&apos; ne ferme rien (ligne %1)</translation>
    </message>
    <message>
        <source>%1 comes before any TRACK (line %2)</source>
        <translation>%1 précède tout TRACK (ligne %2)</translation>
    </message>
    <message>
        <source>A TRACK line has no mode (line %1)</source>
        <translation>Une ligne TRACK n&apos;a pas de mode (ligne %1)</translation>
    </message>
    <message>
        <source>%1 names no file (line %2)</source>
        <translation>%1 ne nomme aucun fichier (ligne %2)</translation>
    </message>
    <message>
        <source>The offset %1 is no number (line %2)</source>
        <translation>Le décalage %1 n&apos;est pas un nombre (ligne %2)</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; gives no start (line %3)</source>
        <translation>%1 « %2 » ne donne pas de début (ligne %3)</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; gives no length %3 (line %4)</source>
        <translation>%1 « %2 » ne donne pas de longueur %3 (ligne %4)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds too little for track %2 (line %3)</source>
        <translation>« %1 » contient trop peu pour la piste %2 (ligne %3)</translation>
    </message>
    <message>
        <source>%1 gives no length (line %2)</source>
        <translation>%1 ne donne pas de longueur (ligne %2)</translation>
    </message>
    <message>
        <source>PREGAP comes after the track&apos;s audio (line %1)</source>
        <translation>PREGAP vient après l&apos;audio de la piste (ligne %1)</translation>
    </message>
    <message>
        <source>START gives no time (line %1)</source>
        <translation>START ne donne pas de temps (ligne %1)</translation>
    </message>
    <message>
        <source>START of track %1 is no whole sector (line %2)</source>
        <translation>Le START de la piste %1 n&apos;est pas un secteur entier (ligne %2)</translation>
    </message>
    <message>
        <source>A &apos;{&apos; is never closed</source>
        <translation>Une &apos;{&apos; n&apos;est jamais fermée</translation>
    </message>
</context>
<context>
    <name>TypedPaths</name>
    <message>
        <source>%1 is a file, not a folder</source>
        <translation>%1 est un fichier, pas un dossier</translation>
    </message>
    <message>
        <source>There is no folder %1 yet: Next offers to create it</source>
        <translation>Le dossier %1 n&apos;existe pas encore : « Suivant » propose de le créer</translation>
    </message>
    <message>
        <source>There is no folder %1, and %2 is not a folder</source>
        <translation>Le dossier %1 n&apos;existe pas, et %2 n&apos;est pas un dossier</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 n&apos;est pas un dossier</translation>
    </message>
    <message>
        <source>There is no folder %1</source>
        <translation>Le dossier %1 n&apos;existe pas</translation>
    </message>
    <message>
        <source>Unable to create folder %1</source>
        <translation>Impossible de créer le dossier %1</translation>
    </message>
    <message>
        <source>something else is at that name</source>
        <translation>autre chose porte déjà ce nom</translation>
    </message>
</context>
<context>
    <name>Unit2Mixer</name>
    <message>
        <source>Cannot detect Microsoft Mixer !</source>
        <translation>Impossible de détecter le mélangeur Microsoft !</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
</context>
<context>
    <name>Unit2Record</name>
    <message>
        <source>The recording of %1 would need %2 MB, but only %3 MB are free for its temporary file %4.</source>
        <translation>L&apos;enregistrement de %1 demanderait %2 Mo, mais seuls %3 Mo sont libres pour son fichier temporaire %4.</translation>
    </message>
</context>
<context>
    <name>WaveCheck</name>
    <message>
        <source>File not found</source>
        <translation>Fichier introuvable</translation>
    </message>
    <message>
        <source>File access denied</source>
        <translation>Accès au fichier refusé</translation>
    </message>
    <message>
        <source>Too many open files</source>
        <translation>Trop de fichiers ouverts</translation>
    </message>
    <message>
        <source>Invalid filename</source>
        <translation>Nom de fichier non valide</translation>
    </message>
    <message>
        <source>I/O error %1</source>
        <translation>Erreur d&apos;E/S %1</translation>
    </message>
    <message>
        <source>%1: a named pipe, not a wave file</source>
        <translation>%1 : un tube nommé, pas un fichier WAV</translation>
    </message>
    <message>
        <source>%1: a device, not a wave file</source>
        <translation>%1 : un périphérique, pas un fichier WAV</translation>
    </message>
    <message>
        <source>%1: a socket, not a wave file</source>
        <translation>%1 : un socket, pas un fichier WAV</translation>
    </message>
    <message>
        <source>%1: a folder, not a wave file</source>
        <translation>%1 : un dossier, pas un fichier WAV</translation>
    </message>
    <message>
        <source>%1: something that is not a regular file, not a wave file</source>
        <translation>%1 : pas un fichier ordinaire, pas un fichier WAV</translation>
    </message>
    <message>
        <source>Read beyond end of file</source>
        <translation>Lecture au-delà de la fin du fichier</translation>
    </message>
    <message>
        <source>Unsupported wave format: the file declares a sample rate of %1 Hz; only rates from %2 to %3 Hz can be encoded</source>
        <translation>Format WAV non pris en charge : le fichier déclare une fréquence d&apos;échantillonnage de %1 Hz ; seules les fréquences de %2 à %3 Hz peuvent être encodées</translation>
    </message>
    <message>
        <source>The wave file holds no audio.</source>
        <translation>Le fichier WAV ne contient pas d&apos;audio.</translation>
    </message>
</context>
<context>
    <name>mervane-cli</name>
    <message>
        <source>-o %1 is a file, but several inputs need a folder</source>
        <translation>-o %1 est un fichier, mais plusieurs entrées demandent un dossier</translation>
    </message>
    <message>
        <source>%1 and %2 would both become %3</source>
        <translation>%1 et %2 donneraient tous deux %3</translation>
    </message>
    <message>
        <source>cannot make the folder %1: %2</source>
        <translation>impossible de créer le dossier %1 : %2</translation>
    </message>
    <message>
        <source>--tracks: the disc has no track %1</source>
        <translation>--tracks : le disque n&apos;a pas de piste %1</translation>
    </message>
    <message>
        <source>--tracks: track %1 is a data track</source>
        <translation>--tracks : la piste %1 est une piste de données</translation>
    </message>
    <message>
        <source>there is no disc in %1</source>
        <translation>aucun disque dans %1</translation>
    </message>
    <message>
        <source>Where the MP3 goes: a file for one input, a folder for several (made when missing). Default: beside the input, its extension replaced by .mp3.</source>
        <translation>Destination du MP3 : un fichier pour une entrée, un dossier pour plusieurs (créé s&apos;il manque). Par défaut : à côté de l&apos;entrée, son extension remplacée par .mp3.</translation>
    </message>
    <message>
        <source>Constant bit rate: 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256 or 320 (default 128).</source>
        <translation>Débit constant : 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256 ou 320 (128 par défaut).</translation>
    </message>
    <message>
        <source>Variable bit rate at LAME quality Q, 0 (best) to 9.</source>
        <translation>Débit variable à la qualité LAME Q, de 0 (la meilleure) à 9.</translation>
    </message>
    <message>
        <source>Plain MP3 file, or MP3 frames inside a RIFF wave file (default: Container in the settings file&apos;s ENCODER section, wave when it is not set).</source>
        <translation>Fichier MP3 simple, ou trames MP3 dans un fichier WAV RIFF (par défaut : Container de la section ENCODER du fichier de réglages, wave s&apos;il n&apos;est pas défini).</translation>
    </message>
    <message>
        <source>Joint stereo instead of simple stereo.</source>
        <translation>Stéréo jointe au lieu de la stéréo simple.</translation>
    </message>
    <message>
        <source>Measures the loudness and writes the ReplayGain into the tag (default: ReplayGain in the settings file&apos;s ENCODER section, off when it is not set).</source>
        <translation>Mesure la sonie et écrit le ReplayGain dans l&apos;étiquette (par défaut : ReplayGain de la section ENCODER du fichier de réglages, désactivé s&apos;il n&apos;est pas défini).</translation>
    </message>
    <message>
        <source>Writes no ReplayGain, whatever the settings file says.</source>
        <translation>N&apos;écrit aucun ReplayGain, quoi que dise le fichier de réglages.</translation>
    </message>
    <message>
        <source>Title of the tag.</source>
        <translation>Titre de l&apos;étiquette.</translation>
    </message>
    <message>
        <source>Artist of the tag.</source>
        <translation>Artiste de l&apos;étiquette.</translation>
    </message>
    <message>
        <source>Album of the tag.</source>
        <translation>Album de l&apos;étiquette.</translation>
    </message>
    <message>
        <source>Year of the tag, 1900 to 2099 (default none).</source>
        <translation>Année de l&apos;étiquette, de 1900 à 2099 (aucune par défaut).</translation>
    </message>
    <message>
        <source>Track number of the tag, 1 to 99 (default none).</source>
        <translation>Numéro de piste de l&apos;étiquette, de 1 à 99 (aucun par défaut).</translation>
    </message>
    <message>
        <source>Genre of the tag, by name or number (default none).</source>
        <translation>Genre de l&apos;étiquette, par nom ou numéro (aucun par défaut).</translation>
    </message>
    <message>
        <source>Comment of the tag.</source>
        <translation>Commentaire de l&apos;étiquette.</translation>
    </message>
    <message>
        <source>Front cover of the tag: a JPEG or PNG file (made baseline JPEG of at most 1200 px unless a small PNG).</source>
        <translation>Pochette de l&apos;étiquette : un fichier JPEG ou PNG (converti en JPEG baseline d&apos;au plus 1200 px, sauf un petit PNG).</translation>
    </message>
    <message>
        <source>No cover picture in the tag, not even one found for the disc.</source>
        <translation>Aucune pochette dans l&apos;étiquette, pas même celle trouvée pour le disque.</translation>
    </message>
    <message>
        <source>Sets the copyright bit of every frame.</source>
        <translation>Active le bit de copyright de chaque trame.</translation>
    </message>
    <message>
        <source>Sets the original bit of every frame.</source>
        <translation>Active le bit d&apos;original de chaque trame.</translation>
    </message>
    <message>
        <source>Reads this settings file instead of MERVANE2.INI.</source>
        <translation>Lit ce fichier de réglages au lieu de MERVANE2.INI.</translation>
    </message>
    <message>
        <source>Encodes N inputs at once (default: the number of cores).</source>
        <translation>Encode N entrées à la fois (par défaut : le nombre de cœurs).</translation>
    </message>
    <message>
        <source>Replaces an existing output instead of failing.</source>
        <translation>Remplace une sortie existante au lieu d&apos;échouer.</translation>
    </message>
    <message>
        <source>No progress line.</source>
        <translation>Pas de ligne de progression.</translation>
    </message>
    <message>
        <source>One JSON object per finished file on standard output.</source>
        <translation>Un objet JSON par fichier terminé sur la sortie standard.</translation>
    </message>
    <message>
        <source>cd: the drive or disc image (cue sheet) to read. record: the audio server&apos;s source (a name --list-sources shows) or the ALSA capture device to record.</source>
        <translation>cd : le lecteur ou l&apos;image de disque (fichier cue) à lire. record : la source du serveur audio (un nom que montre --list-sources) ou le périphérique de capture ALSA à enregistrer.</translation>
    </message>
    <message>
        <source>record: lists the sources that can be recorded, with their descriptions.</source>
        <translation>record : liste les sources qui peuvent être enregistrées, avec leur description.</translation>
    </message>
    <message>
        <source>cd: the tracks to encode, as 1,3-5 (default: every audio track).</source>
        <translation>cd : les pistes à encoder, sous la forme 1,3-5 (par défaut : toutes les pistes audio).</translation>
    </message>
    <message>
        <source>cd: plays each track through the sound card&apos;s CD line and records it, instead of reading it digitally.</source>
        <translation>cd : lit chaque piste par la ligne CD de la carte son et l&apos;enregistre, au lieu de l&apos;extraire numériquement.</translation>
    </message>
    <message>
        <source>wave: cuts each input at its silences (1.5 s or longer, tracks of 5 s or more) and encodes one file per track, named by the settings&apos; file-name template, into -o DIR or beside the input.</source>
        <translation>wave : coupe chaque entrée à ses silences (1,5 s ou plus, pistes de 5 s ou plus) et encode un fichier par piste, nommé selon le modèle de noms des réglages, dans -o DOSSIER ou à côté de l&apos;entrée.</translation>
    </message>
    <message>
        <source>wave --split-silence: the level of silence in dBFS (default -45).</source>
        <translation>wave --split-silence : le niveau du silence en dBFS (-45 par défaut).</translation>
    </message>
    <message>
        <source>cd: asks no database and reads no cache or CD-Text: the files keep the number names.</source>
        <translation>cd : n&apos;interroge aucune base et ne lit ni cache ni CD-Text : les fichiers gardent les noms numérotés.</translation>
    </message>
    <message>
        <source>cd: of several releases that match the disc, takes the Nth (default 1, the others are listed).</source>
        <translation>cd : parmi plusieurs éditions correspondant au disque, prend la N-ième (1 par défaut, les autres sont listées).</translation>
    </message>
    <message>
        <source>midi: plays the song in real time through the speakers, as the wizard does when asked, instead of rendering it faster than real time.</source>
        <translation>midi : joue le morceau en temps réel sur les haut-parleurs, comme l&apos;assistant le fait sur demande, au lieu de le calculer plus vite que le temps réel.</translation>
    </message>
    <message>
        <source>record: the input to record.</source>
        <translation>record : l&apos;entrée à enregistrer.</translation>
    </message>
    <message>
        <source>record: stops after N seconds (default: at Ctrl+C).</source>
        <translation>record : s&apos;arrête après N secondes (par défaut : à Ctrl+C).</translation>
    </message>
    <message>
        <source>Shows this help.</source>
        <translation>Affiche cette aide.</translation>
    </message>
    <message>
        <source>Shows the version.</source>
        <translation>Affiche la version.</translation>
    </message>
    <message>
        <source>%1 wants a number from %2 to %3, not &apos;%4&apos;</source>
        <translation>%1 attend un nombre de %2 à %3, pas « %4 »</translation>
    </message>
    <message>
        <source>--genre: no genre is called &apos;%1&apos;</source>
        <translation>--genre : aucun genre ne s&apos;appelle « %1 »</translation>
    </message>
    <message>
        <source>--bitrate: %1 kbit/s is not one of the bit rates</source>
        <translation>--bitrate : %1 kbit/s ne fait pas partie des débits</translation>
    </message>
    <message>
        <source>--container is mp3 or wave, not &apos;%1&apos;</source>
        <translation>--container vaut mp3 ou wave, pas « %1 »</translation>
    </message>
    <message>
        <source>--source is mic, line or aux, not &apos;%1&apos;</source>
        <translation>--source vaut mic, line ou aux, pas « %1 »</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>option inconnue %1</translation>
    </message>
    <message>
        <source>%1 needs %2</source>
        <translation>%1 demande %2</translation>
    </message>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 ne prend pas de valeur</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>aucune commande indiquée</translation>
    </message>
    <message>
        <source>unknown command %1</source>
        <translation>commande inconnue %1</translation>
    </message>
    <message>
        <source>%1 needs at least one input file</source>
        <translation>%1 demande au moins un fichier d&apos;entrée</translation>
    </message>
    <message>
        <source>%1 takes no input files: %2</source>
        <translation>%1 ne prend pas de fichier d&apos;entrée : %2</translation>
    </message>
    <message>
        <source>--cover and --no-cover exclude each other</source>
        <translation>--cover et --no-cover s&apos;excluent</translation>
    </message>
    <message>
        <source>--record is for cd only</source>
        <translation>--record ne vaut que pour cd</translation>
    </message>
    <message>
        <source>--real-time is for midi only</source>
        <translation>--real-time ne vaut que pour midi</translation>
    </message>
    <message>
        <source>--split-silence is for wave only</source>
        <translation>--split-silence ne vaut que pour wave</translation>
    </message>
    <message>
        <source>--list-sources is for record only</source>
        <translation>--list-sources ne vaut que pour record</translation>
    </message>
    <message>
        <source>record needs --source mic|line|aux</source>
        <translation>record demande --source mic|line|aux</translation>
    </message>
    <message>
        <source>record needs -o OUT.mp3</source>
        <translation>record demande -o SORTIE.mp3</translation>
    </message>
    <message>
        <source>--bitrate and --vbr exclude each other</source>
        <translation>--bitrate et --vbr s&apos;excluent</translation>
    </message>
    <message>
        <source>--tracks: &apos;%1&apos; is not a track number nor a range like 3-5</source>
        <translation>--tracks : « %1 » n&apos;est ni un numéro de piste ni une plage comme 3-5</translation>
    </message>
    <message>
        <source>--tracks: &apos;%1&apos; is no range of tracks 1 to 99</source>
        <translation>--tracks : « %1 » n&apos;est pas une plage de pistes de 1 à 99</translation>
    </message>
    <message>
        <source>Usage:</source>
        <translation>Utilisation :</translation>
    </message>
    <message>
        <source>  mervane-cli %1 [options]</source>
        <translation>  mervane-cli %1 [options]</translation>
    </message>
    <message>
        <source>Try &apos;mervane-cli --help&apos; for the options.</source>
        <translation>« mervane-cli --help » affiche les options.</translation>
    </message>
    <message>
        <source>mervane-cli turns wave files, MIDI files, audio CDs and live inputs into MP3 files.</source>
        <translation>mervane-cli transforme fichiers WAV, fichiers MIDI, CD audio et entrées en direct en fichiers MP3.</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Options :</translation>
    </message>
    <message>
        <source>Defaults from %1, section ENCODER: Container=%2, ReplayGain=%3 (the options above override them for one run).</source>
        <translation>Valeurs par défaut de %1, section ENCODER : Container=%2, ReplayGain=%3 (les options ci-dessus les remplacent le temps d&apos;une exécution).</translation>
    </message>
    <message>
        <source>Exit status: 0 when every input succeeded, 1 when any failed, 2 for a usage error, 130 after Ctrl+C.</source>
        <translation>Code de sortie : 0 si chaque entrée a réussi, 1 si l&apos;une a échoué, 2 pour une erreur d&apos;utilisation, 130 après Ctrl+C.</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>échec</translation>
    </message>
    <message>
        <source>interrupted: no file was finished; the unfinished ones and every temporary file were removed</source>
        <translation>interrompu : aucun fichier n&apos;a été terminé ; les fichiers inachevés et tous les fichiers temporaires ont été supprimés</translation>
    </message>
    <message>
        <source>interrupted: kept the finished %1: %2; the unfinished ones and every temporary file were removed</source>
        <translation>interrompu : fichiers terminés conservés (%1) : %2 ; les fichiers inachevés et tous les fichiers temporaires ont été supprimés</translation>
    </message>
    <message>
        <source>no failures</source>
        <translation>aucun échec</translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation>%1 en échec</translation>
    </message>
    <message>
        <source>%1, %2 of audio in %3, %4</source>
        <translation>%1, %2 d&apos;audio en %3, %4</translation>
    </message>
    <message>
        <source>1 file</source>
        <translation>1 fichier</translation>
    </message>
    <message>
        <source>%1 files</source>
        <translation>%1 fichiers</translation>
    </message>
    <message>
        <source>start</source>
        <translation>début</translation>
    </message>
    <message>
        <source>convert</source>
        <translation>conversion</translation>
    </message>
    <message>
        <source>play</source>
        <translation>lecture</translation>
    </message>
    <message>
        <source>record</source>
        <translation>enregistrement</translation>
    </message>
    <message>
        <source>extract</source>
        <translation>extraction</translation>
    </message>
    <message>
        <source>encode</source>
        <translation>encodage</translation>
    </message>
    <message>
        <source>%1 %2 %3%</source>
        <translation>%1 %2 %3 %</translation>
    </message>
    <message>
        <source>, %1 left</source>
        <translation>, reste %1</translation>
    </message>
    <message>
        <source>the worker ended with status %1</source>
        <translation>le processus de travail s&apos;est terminé avec le code %1</translation>
    </message>
    <message>
        <source>No details: %1</source>
        <translation>Aucune information : %1</translation>
    </message>
    <message>
        <source>--release %1: only %2 releases match the disc</source>
        <translation>--release %1 : seules %2 éditions correspondent au disque</translation>
    </message>
    <message>
        <source>several releases match the disc; taking %1 (--release N takes another):</source>
        <translation>plusieurs éditions correspondent au disque ; la %1 est prise (--release N en prend une autre) :</translation>
    </message>
    <message>
        <source>%1: the file exists (--overwrite replaces it)</source>
        <translation>%1 : le fichier existe (--overwrite le remplace)</translation>
    </message>
    <message>
        <source>not written</source>
        <translation>non écrite</translation>
    </message>
    <message>
        <source>Track %1: %2</source>
        <translation>Piste %1 : %2</translation>
    </message>
    <message>
        <source>%1 extract %2%, encoded %3%</source>
        <translation>%1 extraction %2 %, encodée %3 %</translation>
    </message>
    <message>
        <source>another program wrote %1 while this MP3 was being made; this MP3 was saved as %2</source>
        <translation>un autre programme a écrit %1 pendant la création de ce MP3 ; ce MP3 a été enregistré sous %2</translation>
    </message>
    <message>
        <source>Sources of the audio server (--device NAME; kept as MicDevice=pulse:NAME):</source>
        <translation>Sources du serveur audio (--device NOM ; enregistrées comme MicDevice=pulse:NOM) :</translation>
    </message>
    <message>
        <source>No audio server answers (%1); ALSA capture devices (--device NAME; kept as MicDevice=NAME):</source>
        <translation>Aucun serveur audio ne répond (%1) ; périphériques de capture ALSA (--device NOM ; enregistrés comme MicDevice=NOM) :</translation>
    </message>
    <message>
        <source>(monitor)</source>
        <translation>(moniteur)</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(aucune)</translation>
    </message>
    <message>
        <source>%1 record %2%, encoded %3%</source>
        <translation>%1 enregistrement %2 %, encodée %3 %</translation>
    </message>
    <message>
        <source>the sound card has no %1 input</source>
        <translation>la carte son n&apos;a pas d&apos;entrée %1</translation>
    </message>
</context>
</TS>
