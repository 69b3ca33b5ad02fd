#pragma once
// The wizard window. One class, its code split by flow:
//   Unit1Frame.cpp    window, banner, page container, start, close, priority
//   Unit1Navigation.cpp  source buttons, MoveTo, Back, enter actions, Cancel
//   Unit1Pages.cpp    the pages' widgets
//   Unit1Wave.cpp     the wave-file road: SelWav, EncodeOptions, EncodeWav, MakeMP3, FinishUp
//   Unit1Details.cpp  track details and tags: SingleTag, CDtagsel, Multitag, WriteTag
//   Unit1Record.cpp   the live-input recording page RecExt and the level meters
//   Unit1Split.cpp    a take split at its silences: the page SplitTracks and the tracks' run
//   Unit1Midi.cpp     the MIDI flow's page RecEnc: play and record, then encode
//   Unit1CD.cpp       the CD flow's choices: selCD (the track list), SelCDrec, CDoptions
//   Unit1CDEncode.cpp the CD flow's page RecEncCD: per track extract or record, then encode
//   Unit1Cover.cpp    the run's front cover: found for the release, chosen on the details pages
//   Unit1Preferences.cpp  the Preferences window: its button, its keys, what OK changes
#include "app/LiveTakeControls.h"
#include "app/LongJobNotice.h"
#include "discinfo/DiscDetails.h"
#include "discinfo/CoverJob.h"
#include "discinfo/DiscLookupJob.h"
#include "discinfo/DiscLookup.h"
#include "media/MediaPlayer.h"
#include "mixer/WizardState.h"
#include "platform/os/Dialogs.h"
#include "platform/Errors.h"
#include "platform/cd/HiddenTrackJob.h"
#include "run/CdRun.h"
#include "run/FileRun.h"
#include "run/SplitRun.h"
#include "stream/MMHTimer.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <memory>
#include <vector>

class CoverWell;
class PreferencesWindow;
class SplitTracksPage;
class QCheckBox;
class QDragEnterEvent;
class QDropEvent;
class QKeyEvent;
class QMimeData;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class QStackedWidget;
class QTimer;
class QToolButton;
class TForm2;
class TForm3;
class CdPageListener;
class TMMLEDGauge;
class TMMMP3Encoder;
class TrackEncoders;
struct TrackEnd;

// A refused change of the process priority.
class ESetPriority : public EMervaneError {
public:
    using EMervaneError::EMervaneError;
};

// The details fields shared by SingleTag and Multitag (each page has its own set).
struct DetailsFields {
    QLineEdit* artist = nullptr;
    QLineEdit* title = nullptr;
    QLineEdit* album = nullptr;
    QSpinBox* year = nullptr;
    QSpinBox* track = nullptr;
    QComboBox* style = nullptr;
    QLineEdit* comment = nullptr;
    QCheckBox* original = nullptr;
    QCheckBox* copyright = nullptr;
};

// Object names of a recording-and-encoding page.
struct RecordAndEncodeNames {
    const char* page;
    const char* title;
    const char* recordGauge;
    const char* encodeGauge;
    const char* monitorSlider;
    const char* meter1;
    const char* meter2;
    const char* levelSlider;
};

// The bit-rate slider's label for a position 1..14: "128 Khz".
QString BitrateLabel(int position);

class TForm1 : public QWidget {
    Q_OBJECT
public:
    TForm1(WizardState& state, QWidget* parent = nullptr);
    ~TForm1() override;

    // Wires the hidden window and the details dialog, created after this window.
    void Attach(TForm2* form2, TForm3* form3);
    // The program was started with a file: the wave road, or the MIDI road for a MIDI file,
    // opens on its file page with the file picked (and checked). Call after Attach.
    void OpenFromCommandLine(const std::string& path);
    // A stop signal (logout, closed terminal, Ctrl+C): the run in progress ends as the
    // closing window ends it, leaving no working file, and the window closes without
    // asking. Main thread.
    void EndBySignal();
    // Opens the Preferences window (the first page's button, Ctrl+,), or raises the one
    // that is open. Main thread.
    void ShowPreferences();

    WizardState& State() { return state_; }
    QWidget* CurrentPage() const;
    const std::vector<QWidget*>& PageHistory() const { return history_; }

    // Navigation (main thread).
    void MoveTo(QWidget* page);
    void ResetButtons();

    // Sets the priority class of the whole process: 0 idle, 1 normal, 2 high, 3 realtime.
    // Any thread (the CD extraction tick calls it from its timer thread).
    void SetPriority(int level);

    // The wave road.
    void MakeMP3(const std::string& input, const std::string& output);
    void FinishUp();
    bool CheckWave(const std::string& fileName);

    // Track details: append the tag to the output file; 0, or the system's error code (the
    // encoding's stop handler tells the user). A CD track without details gets an ID3v2 tag
    // with its track number (and ReplayGain) only.
    int WriteTag(const std::string& file);
    int CDWriteTag(const std::string& file);
    // Tags the file `encoder` has written for CD track `track`, as CDWriteTag does.
    int CDTrackTag(const TMMMP3Encoder& encoder, const std::string& file, int track);
    // A CD run's end: every tagged track's ID3v2 tag gets the album's ReplayGain (when it
    // was measured); a failure is told once.
    void WriteAlbumGain();

signals:
    // The window has closed; the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Enter presses the page's Next (or Finish), Esc its Cancel.
    void keyPressEvent(QKeyEvent* event) override;
    // A file dropped on the window is picked as the current road's input.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Frame and navigation.
    void BuildFrame();
    void BuildPages();
    // The keys that open Preferences from every page: the desktop's own and Ctrl+,.
    void AddPreferencesKeys();
    // What OK in Preferences changes at once: the encoder's choices the pages show.
    void PreferencesAccepted();
    QWidget* AddPage(const char* name, const QString& title);
    QPushButton* AddButton(QWidget* page, const char* name, const QString& text, int x);
    void AddNextCancel(QWidget* page, const char* nextName, const QString& nextText,
                       void (TForm1::*next)(), bool cancelCloses);
    void FormCreate();
    void FormActivate();
    // After the devices were chosen anew: each source tile on or off as the card now has it.
    // Activation only ever greys tiles; this also wakes them.
    void ShowSourcesAvailable();
    void FormClose();
    void OnFocusChanged(QWidget* now);
    void RunEnterAction(QWidget* page);
    QWidget* PageOf(QWidget* w) const;
    QWidget* FirstFocusable(QWidget* page) const;
    void SourceButtonClick(QToolButton* button, const char* kind);
    void SelSourceNextClick();
    void BtnBackClick();
    void CancelClick();
    // Puts Back between the page's fields and its Next in the Tab order.
    void ArrangeTabOrder(QWidget* page);
    // After a failed encoding: Back leads to the page where the input was chosen, with every
    // choice kept, and the encoding page can start again.
    void OfferBackToInput();
    // Runs `check` once the user pauses typing in `field` (a short pause after the last key):
    // pages follow what is typed, not where the focus goes.
    void WatchTyping(QLineEdit* field, std::function<void()> check);
    // The file a drop carries, if it is one local file and the current page takes files.
    std::optional<std::string> DroppedFile(const QMimeData* data) const;

    // Pages.
    void BuildSelSource();
    void BuildSelWav();
    void BuildSingleTag();
    void BuildEncodeOptions();
    void BuildEncodeWav();
    void BuildRecEnc();
    void BuildRecExt();
    void BuildSelCD();
    void BuildSelCDrec();
    void BuildCDoptions();
    void BuildCDtagsel();
    void BuildMultitag();
    void BuildRecEncCD();
    void BuildSplitTracks();
    DetailsFields BuildDetailsFields(QWidget* page, const char* prefix, const QString& copyrightText, int top);
    QSlider* BuildBitrateGroup(QWidget* page, const char* sliderName, const char* labelName, int top,
                               QLabel** valueLabel);
    QLabel* AddClickHere(QWidget* page, int top);
    QWidget* BuildRecordAndEncodePage(const RecordAndEncodeNames& names, QPushButton** finish, QPushButton** cancel);

    // The wave road (Unit1Wave.cpp).
    void SelWavEnter();
    void SelWavBrowseInputClick();
    void SelWavBrowseOutputClick();
    void SelWavNextClick();
    // Shows a picked, typed or dropped input, checks it as the encoding would and enables
    // Next only when it passes; raises what is wrong with it.
    void SelWavInputChosen(const std::string& path);
    void CheckInputFile(const std::string& path);
    // The typed input after a pause: checked without a dialog, the reason under the field.
    void SelWavInputTyped();
    // The typed output after a pause: its folder checked; an emptied field is proposed anew.
    void SelWavOutputTyped();
    // Next on SelWav is enabled for a checked input and an output whose folder is there.
    void UpdateSelWavNext();
    // The output proposed for an input: its name with ".mp3", in the road's remembered folder.
    std::string ProposedOutput(const std::string& input) const;
    // True when path does not exist or the user agrees to replace it.
    bool ConfirmReplace(const std::string& path);
    void MMSlider1Change(int position);
    void EncodeOptionsNextClick();
    void EncodeWavEnter();
    void EncodeWavFinishClick();
    void EncodeWavCancelClick();
    void Timer1Timer();
    // The encoding gauge of the current flow's encoding page.
    QProgressBar* EncodingGauge() const;
    void EncodingEnded(bool completed);
    void ClickHereClick();
    FileDialogOptions SaveDialog() const;

    // Track details (Unit1Details.cpp).
    void SingleTagEnter();
    void SingleTagNextClick();
    void CDtagselNextClick();
    void MultitagEnter();
    void MultitagNextClick();
    void FillStyleList(QComboBox* style);
    int GenreByteOf(const QComboBox* style) const;
    void ShowMultitagTrack();

    // The encoder's choices below the bit-rate group of EncodeOptions and CDoptions.
    struct EncoderChoices {
        QComboBox* container = nullptr;
        QComboBox* quality = nullptr;
        QCheckBox* joint = nullptr;
        QCheckBox* replayGain = nullptr;
    };
    EncoderChoices BuildEncoderChoices(QWidget* page, const char* prefix, int top);
    // Shows state_.encoder on both pages.
    void ShowEncoderChoices();
    // A choice changed on a page: takes it into state_.encoder and the settings file.
    void EncoderChoiceChanged(const EncoderChoices& from);

    // Live input (Unit1Record.cpp).
    void RecExtEnter();
    void RecExtBrowseClick();
    // A typed or pasted output path is taken as a picked one (at Record); false when the
    // user would not replace the file there.
    bool RecExtOutputTyped();
    // The typed output after a pause: Record follows whether its folder is there.
    void RecExtOutputChecked();
    void RecExtRecordClick();
    void RecExtStopClick();
    void RecExtStopped();
    // The recorder's temporary file could not be written: the live and MIDI pages say so
    // and encode nothing (the CD flow's own loop handles its tracks).
    void RecordingFailed(const std::string& message);
    void MMSlider4Change(int position);
    void MMSlider5Change(int position);
    void RecExtNextClick();
    // The meters show the input's level while RecExt shows, with or without a take: between
    // takes the hidden window's level watch feeds them.
    void StartLevelWatch();
    void EndLevelWatch();
    // With a take not yet encoded, asks whether to discard it; true when it may go.
    bool MayDiscardTake();
    // The level meters: peaks to meter positions, every 100 ms while a page records.
    void UpdateMeters(TMMLEDGauge* meter1, TMMLEDGauge* meter2);
    // Puts out the clip light and the meters' peak hold (a new take, or a click on the light).
    void ResetClipLight();
    // A recording has ended: its meter timer stops and the meters go dark.
    void DarkenMeters(TMMLEDGauge* meter1, TMMLEDGauge* meter2, QTimer* timer);
    void Timer2Timer();
    void Timer3Timer();
    void Timer5Timer();

    // The MIDI flow (Unit1Midi.cpp).
    void WireRecEnc();
    void RecEncEnter();
    // Plays the MIDI file into the recorder; raises what keeps it from starting.
    void StartMidiRecording();
    void MMSlider2Change(int position);
    void MMSlider3Change(int position);
    void RecEncFinishClick();
    void RecEncCancelClick();
    // The synthesiser's instruments are read when the MIDI road is taken, not at start-up:
    // entering the file page starts the load in the background and shows that it runs;
    // Next waits for it, and refuses (saying why) when the font cannot be loaded.
    void LoadInstruments();
    bool InstrumentsReadyForNext();
    void InstrumentsLoaded(bool ok, const std::string& error);

    // The CD flow's choices (Unit1CD.cpp).
    void WireCD();
    void selCDEnter();
    // Opens the CD player anew and lists the disc's tracks, all unchecked.
    void ReadCD();
    // Reads the disc image as the CD of this run and lists its tracks.
    void OpenDiscImage(const std::string& path);
    // The disc's number of the track on line index of selCD's list (a disc may start
    // past track 1).
    int ListedTrack(int index) const;
    void selCDClearClick();
    void selCDSelectAllClick();
    void selCDNextClick();
    // Shows the remembered speed of a recording.
    void SelCDrecEnter();
    void SelCDrecNextClick();

    // The run's front cover (Unit1Cover.cpp): the wells on SingleTag and Multitag, the
    // thumbnail on selCD; the chosen release's cover is found on a worker.
    void WireCover();
    void StartCoverFetch();
    void CoverFound(FoundCover found);
    // The user's picture (null: "None") from a details page's well.
    void CoverChosen(std::shared_ptr<const Picture> picture);
    void ShowCover();
    void SingleTagCoverEnter();
    // The run's tracks get the cover once the search for it has ended (within its deadline).
    void CoverForTheRun();

    // The disc's details (Unit1DiscInfo.cpp): looked up when selCD reads the disc, shown
    // beside the tracks, offered on CDtagsel and Multitag, and naming the files.
    void WireDiscInfo();
    // Starts the lookup of the disc just listed (a lookup still running is cancelled).
    void StartDiscLookup();
    void DiscLookupFinished(const std::string& discId, LookupResult result);
    // selCD's Next while the lookup runs: the page waits for its result (or the user's
    // "Go on without") and then goes on by itself; true while it waits.
    bool DiscLookupHoldsNext();
    // Ends the lookup; the disc's CD-Text, when it names anything, stands for the details.
    void selCDGoOnClick();
    // The list's lines with the found titles beside them.
    void ShowFoundTitles();
    void CDtagselEnter();
    // Multitag's fields for the track on show, from the found details.
    void ShowFoundTrack(int track);
    // After Multitag: the confirmed details go into the found ones and the cache.
    void KeepConfirmedDetails();
    // The MP3 file of the disc's track in the output folder: the FileNames template over
    // the track's details (those typed on Multitag when `typed`, else the found ones),
    // distinct among the run's checked tracks.
    std::string CDTrackFileName(int track, bool typed) const;
    // The name (without extension) of a rip's log, cue sheet and playlist: the album of the
    // run's details (typed, else found), made safe as the file names are; "Rip" without one.
    std::string RipFilesName() const;
    void CDoptionsBrowseClick();
    // Takes a picked or typed output folder; raises when there is no such folder.
    void CDoptionsFolderChosen(const std::string& folder);
    // The typed folder after a pause (and on entering the page): Next and the line under
    // the field say whether it is there, can be made, or cannot.
    void CDoptionsFolderTyped();
    // The sentence naming the files: the template's names for the first checked tracks.
    void ShowCDFileNaming();
    void CDoptionsSliderChange(int position);
    void CDoptionsNextClick();

    // The CD flow's encoding page (Unit1CDEncode.cpp).
    void RecEncCDEnter();
    // Builds the run from the page's choices and runs it; false when it ended with the
    // internal error (no FinishUp then).
    bool EncodeCDTracks();
    // The run's tracks: the checked lines in list order, named and with their details.
    std::vector<CdRunTrack> CDRunTracks() const;
    // Record mode: plays the track through the card's CD line into `wave`; true when whole.
    bool RecordTrack(int track, const std::string& wave);
    // One encoder: encodes the track on the hidden window's chain; true when whole.
    bool EncodeTrackHere(const CdRunTrack& track, const std::string& wave);
    // The run's reports, shown on the page (the listener forwards them).
    friend class CdPageListener;
    void ShowCDTrackResult(const CdTrackResult& result);
    void CDRunEnded(const CdRunSummary& summary);
    // Record mode: the recording failed or could not start: tells why and cancels the run.
    void CDTrackFailed(const std::string& reason);
    // Stops a playing CD; closes a player whose door is open.
    void EndCDPlayer();
    // Lets window messages run until busy() turns false, looking again at least every
    // 100 ms; nothing runs between the looks. Main thread.
    void WaitWithMessages(const std::function<bool()>& busy);
    // Timer thread: the extraction progress tick of MMHiTimer1.
    void MMHiTimer1Timer();
    void Timer4Timer();
    void MMSlider7Change(int position);
    void MMSlider8Change(int position);
    void RecEncCDFinishClick();
    void RecEncCDCancelClick();
    // Ends a CD run that is still going when the window closes.
    void AbandonCDRun();

    WizardState& state_;
    TForm2* form2_ = nullptr;
    TForm3* form3_ = nullptr;
    // The wave and MIDI roads' run and the pages it reports to (made by Attach).
    std::unique_ptr<FileRunListener> filePages_;
    // The word to the desktop when a long run ends behind other windows, and its progress.
    std::unique_ptr<LongJobNotice> jobNotice_;
    std::unique_ptr<FileRun> fileRun_;
    // A take split at its silences (Unit1Split.cpp): the page's tracks, and the run that
    // encodes them one after another while it lasts.
    std::unique_ptr<SplitRun> splitRun_;
    SplitTracksPage* splitPage_ = nullptr;  // owned by its page
    QCheckBox* RecExtSplit = nullptr;
    // The run the engine's news go to: the split take's while it runs, else the file run.
    FileRun& ActiveRun();
    bool SplittingTake() const;
    // Starts the encoding of the split take's tracks.
    void StartSplitRun();
    void SplitTracksEnter();
    void SplitTracksNextClick();

    QStackedWidget* pages_ = nullptr;
    QPushButton* btnBack_ = nullptr;
    QPointer<PreferencesWindow> preferences_;  // while one is open
    std::vector<QWidget*> history_;
    std::map<QWidget*, std::function<void()>> enterActions_;
    // The page that last held the input focus, so an enter action runs once per entry.
    QWidget* focusPage_ = nullptr;
    // MoveTo is switching pages: focus moves are its own, not the user's.
    bool movingPage_ = false;
    bool endedBySignal_ = false;  // EndBySignal ran: the window is closed for good
    std::map<std::string, QLabel*> titles_;
    // The save dialog's proposed name, shared by the pages that choose an output.
    std::string saveDialogInitialName_;
    // SelWav serves the wave and the MIDI road; each keeps its own input and output.
    std::string selWavRoad_;
    std::map<std::string, std::pair<QString, QString>> roadFiles_;
    // The input text that was last checked; a different text is checked before Next.
    QString checkedInput_;
    // That input passed its check.
    bool inputOk_ = false;
    // The output SelWav proposed last: while the field still shows it, it follows the input.
    QString proposedOutput_;

    // The widgets, each also found by its objectName (the tests find them that way).
    // Pages.
    QWidget* SelSource = nullptr;
    QWidget* SelWav = nullptr;
    QWidget* SingleTag = nullptr;
    QWidget* EncodeOptions = nullptr;
    QWidget* EncodeWav = nullptr;
    QWidget* RecEnc = nullptr;
    QWidget* RecExt = nullptr;
    LiveTakeControls liveTake_;  // the clip light and the length limit of RecExt
    QWidget* selCD = nullptr;
    QWidget* SelCDrec = nullptr;
    QWidget* CDoptions = nullptr;
    QWidget* CDtagsel = nullptr;
    QWidget* Multitag = nullptr;
    QWidget* RecEncCD = nullptr;
    QWidget* SplitTracks = nullptr;

    // SelSource.
    std::vector<QToolButton*> sourceButtons;  // IEButton1..IEButton6
    QPushButton* SelSourceNext = nullptr;

    // SelWav.
    QLabel* SelWavInputLabel = nullptr;
    // MIDI road only: render as fast as the recorder takes it instead of in real time.
    QCheckBox* FasterThanRealTime = nullptr;
    // MIDI road only: "Loading instruments..." while the sound font loads.
    QLabel* SelWavInstruments = nullptr;
    // Next was pressed while the font loaded: it goes on when the load ends.
    bool nextWaitsForInstruments_ = false;
    QLineEdit* SelWavInput = nullptr;
    QLineEdit* SelWavOutput = nullptr;
    QLabel* SelWavInputNote = nullptr;   // why the typed input cannot be used
    QLabel* SelWavOutputNote = nullptr;  // why the typed output cannot be written
    QPushButton* SelWavNext = nullptr;

    // SingleTag and Multitag.
    DetailsFields singleTag;
    DetailsFields multiTag;
    QRadioButton* CDtagselYes = nullptr;
    QRadioButton* CDtagselNo = nullptr;

    // EncodeOptions.
    EncoderChoices encodeChoices;
    EncoderChoices cdChoices;
    QSlider* MMSlider1 = nullptr;
    QLabel* BitrateValue = nullptr;

    // EncodeWav.
    QLineEdit* EncodeWavOutput = nullptr;
    QProgressBar* MMGauge1 = nullptr;
    QProgressBar* MMGauge2 = nullptr;
    QLabel* EncodeWavAborted = nullptr;
    QPushButton* EncodeWavFinish = nullptr;
    QPushButton* EncodeWavCancel = nullptr;
    QPushButton* RecEncFinish = nullptr;
    QPushButton* RecEncCancel = nullptr;
    QPushButton* RecEncCDFinish = nullptr;
    QPushButton* RecEncCDCancel = nullptr;

    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;  // meters of RecEnc
    QTimer* Timer3 = nullptr;  // meters of RecExt
    QTimer* Timer4 = nullptr;  // recording progress of RecEncCD
    QTimer* Timer5 = nullptr;  // meters of RecEncCD

    // RecEnc.
    QLineEdit* RecEncOutput = nullptr;
    QProgressBar* MMGauge4 = nullptr;  // recording progress
    QProgressBar* MMGauge3 = nullptr;  // encoding progress
    QLabel* RecEncAborted = nullptr;
    QSlider* MMSlider2 = nullptr;  // monitor volume
    QSlider* MMSlider3 = nullptr;  // recording level

    // RecExt.
    QLineEdit* RecExtOutput = nullptr;
    QPushButton* RecExtRecord = nullptr;
    QPushButton* RecExtStop = nullptr;
    QPushButton* RecExtNext = nullptr;
    QLabel* RecExtElapsed = nullptr;  // the time and size recorded so far
    QElapsedTimer recordClock_;
    // A take was recorded and not yet taken on to its encoding: leaving asks first.
    bool unencodedTake_ = false;
    QSlider* MMSlider4 = nullptr;  // recording level
    QSlider* MMSlider5 = nullptr;  // monitor volume
    // The level meters of the recording pages, MMLEDGauge1..8 (index 0 = MMLEDGauge1).
    std::array<TMMLEDGauge*, 8> MMLEDGauges{};

    // selCD, SelCDrec, CDoptions.
    QLabel* selCDInfo = nullptr;
    QListWidget* selCDTracks = nullptr;
    QRadioButton* SelCDrecRip = nullptr;
    QCheckBox* SelCDrecFast = nullptr;  // record mode: faster than real time
    QLineEdit* CDoptionsFolder = nullptr;
    QLabel* CDoptionsFolderNote = nullptr;
    QLabel* CDoptionsNaming = nullptr;  // "Files will be named ..." after the name template  // the typed folder is missing: made at Next, or why not
    QSlider* CDoptionsSlider = nullptr;
    QLabel* CDoptionsBitrateValue = nullptr;
    QPushButton* CDoptionsNext = nullptr;

    // RecEncCD.
    QLineEdit* RecEncCDOutput = nullptr;
    QLabel* RecEncCDProgressLabel = nullptr;
    QProgressBar* MMGauge6 = nullptr;  // extraction or recording progress
    QProgressBar* MMGauge5 = nullptr;  // encoding progress
    QLabel* RecEncCDAborted = nullptr;
    QLabel* RecEncCDVerify = nullptr;  // the rip's verification of the last track known
    QListWidget* RecEncCDResults = nullptr;  // every track's result, failures first, and the run's line
    QSlider* MMSlider7 = nullptr;  // monitor volume
    QSlider* MMSlider8 = nullptr;  // recording level

    // The CD player: lists the disc and plays a track while the card records it. Opened
    // by selCD; it plays into the sound card's CD line, which outlives this window.
    TMediaPlayer MediaPlayer1{"MediaPlayer1"};
    // Polls the extraction progress once a second on its own thread while a track is
    // extracted.
    TMMHiTimer MMHiTimer1{"MMHiTimer1"};

    // The CD run, main thread only.
    std::string cdOutputFolder_;  // with its trailing '/'
    // The disc details, main thread only: the lookup under way, what it found (the chosen
    // release), the disc ID it found it by, and the outcome line on selCD.
    std::unique_ptr<DiscLookupJob> discLookup_;
    // The search for audio before track 1 (a drive's runs on a worker), main thread only.
    std::unique_ptr<HiddenTrackJob> hiddenTrack_;
    std::optional<DiscDetails> discFound_;
    std::string discId_;
    QLabel* selCDLookup = nullptr;
    // The cover, main thread only: the search under way, what became of it (for the log),
    // whether the user chose the run's picture, the wells and the thumbnail.
    std::unique_ptr<CoverJob> coverJob_;
    std::string coverLine_;
    bool userCover_ = false;
    CoverWell* SingleTagCover = nullptr;
    CoverWell* MultitagCover = nullptr;
    QLabel* selCDCover = nullptr;
    QPushButton* selCDGoOn = nullptr;  // "Go on without", shown while Next waits for the lookup
    bool nextAwaitsLookup_ = false;    // selCD's Next was clicked during the lookup
    // The single input whose title SingleTag last proposed.
    std::string titleProposedFor_;
    // The files the user agreed to replace on CDoptions.
    std::vector<std::string> cdReplaceAgreed_;
    int fileNumber_ = 0;
    bool cdRunning_ = false;      // the per-track loop is on the stack
    // The run under way (its extraction, encoders and verification) and what shows it.
    std::unique_ptr<CdRunListener> cdListener_;
    std::unique_ptr<CdRun> cdRun_;
    int cdFilesDone_ = 0;
    // A failed run offered Back to selCD: its next visit reads the disc again and checks
    // the same tracks.
    bool keepCheckedTracks_ = false;
    // The page SplitTracks keeps its adjusted tracks when Back returns to it after a failed
    // run of them; a new take is split anew.
    bool keepSplitTracks_ = false;
    std::uint32_t cdTrackStart_ = 0, cdTrackLength_ = 0, cdTrackEnd_ = 0, cdPlayPosition_ = 0;
    // Written by MMHiTimer1's thread, shown by the main thread.
    std::atomic<int> extractionProgress_{0};
};
