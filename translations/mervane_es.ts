<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>AccessibleControls</name>
    <message>
        <source>%1 kbit/s</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ClipLight</name>
    <message>
        <source>CLIP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clip light</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lights when the input reaches full scale; click to reset it and the peak hold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The input clipped: lower the recording level. Click to reset.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No clipping since the take began</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CoverWell</name>
    <message>
        <source>Cover picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cover picture: Browse for a JPEG or PNG file or drop one here; None removes it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cover</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This picture cannot be used as the cover.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a cover picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pictures (*.jpg;*.jpeg;*.png)|*.jpg;*.jpeg;*.png</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LiveTakeControls</name>
    <message>
        <source>Stop after</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop after, hours minutes seconds</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SourceIcons</name>
    <message>
        <source>The sound card has no such source.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Track%1         %2 min. %3 sec.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open a disc image (.cue, .toc, .nrg) as the CD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a disc image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disc images (*.cue;*.toc;*.nrg)|*.cue;*.toc;*.nrg|All files (*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to open CD player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This CD contains %1 tracks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (data)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No tracks selected for encoding</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the folder for the mp3 files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no folder %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files will be named Track1, Track2, Track3 etc.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files will be named %1 etc.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files will be named %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a folder for the mp3 files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create folder %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace these files?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unable to extract CD data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to halt ripper.. please wait</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encoding AUDIO CD file %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recording progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extraction progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace this file?
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CD run stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CD run finished</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Internal error %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>failed (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>recorded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>encoded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Track %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The CD could not be read to the end of track %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cover picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter details for track %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go on without</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Looking up...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Several releases match this disc. Which one is it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None of these</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Using CD-Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No details found for this disc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encoding finished</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encoding stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No MP3 file was finished</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt; &amp;Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attempt to set priority error #%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading instruments...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The instruments cannot be loaded.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No source selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel the encoding under way?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>....ABORTED</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left input level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right input level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recording level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select audio source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click on the icon to select the audio source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wave file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MIDI file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Audio CD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MIC. in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LINE in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AUX in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Next &gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select wave file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Location of wav file to encode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Br&amp;owse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Location destination mp3 file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bro&amp;wse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type or paste a path, or choose the file with Browse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Faster than real time (no monitoring)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Artist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Album</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Track</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Style</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Audio is original</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter MP3 file details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter track details. These can be displayed by some players.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Audio is copyrighted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MP3 Quality</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MP3 Bitrate = </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Khz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MP3 Bitrate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From low quality and small files to high quality and large files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>High</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select encoding options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specify MP3 quality/compression factor.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;as:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MP3 file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MP3 inside a wave file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quality:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>constant bit rate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>variable V%1 (best)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>variable V%1 (smallest)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>variable V%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Joint stereo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ReplayGain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>using the Blade encoder. &lt;a href=&quot;#&quot;&gt;Click here&lt;/a&gt; for details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>using the Blade encoder. Click here for details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encoding WAVE file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking and converting Wave format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encoding progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Finish</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monitor volume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encoding MIDI file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recording from AUX input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a destination file then use the RECORD and STOP buttons to record.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select CD tracks for encoding</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New CD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CD tracks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check the tracks to encode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CD data extraction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are two methods of extracting the CD audio data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1) Ripping</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data is extracted digitally for best audio quality. Not all CDROMS support ripping.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1) Recording</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The audio is recorded using the soundcard with some loss of fidelity.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RECORD the audio with the soundcard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RIP the data digitally</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CD Encoding options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a location for the resulting mp3 files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder for the mp3 files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CD file details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to enter details for each of the CD tracks? These details will be written into the MP3 file and can be displayed by some players.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes, I want to enter the track details.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No, encode the tracks without descriptions.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Audio is copyright</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encoding AUDIO CD file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Track results</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recording from LINE input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recording from MIC input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discard the recording?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recorded %1:%2, %3 KB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select source wave file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wave audiofiles (*.wav)|*.wav|All files (*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select source MIDI file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Midi files (*.mid)|*.mid|All files (*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select MIDI file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Location of MIDI file to encode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is %2, not a wave file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mp3 audio files (*,mp3)|*.mp3|All files (*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace %1?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TForm3</name>
    <message>
        <source>Encoder details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MP3 encoding by LAME, through the BladeEnc interface.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1   Engine %2 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encoder: LAME %1
Mode: %2
Stereo mode: %3
Saved as: %4</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TypedPaths</name>
    <message>
        <source>%1 is a file, not a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no folder %1 yet: Next offers to create it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no folder %1, and %2 is not a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no folder %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to create folder %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>something else is at that name</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
