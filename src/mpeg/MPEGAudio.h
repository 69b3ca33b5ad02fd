#pragma once
// TMPEGAudio: what an MP3 file holds (its first confirmed MPEG audio frame header) and its
// ID3 version 1 tag, which it reads, replaces or removes.
//
// Text and encodings:
//   - Tag texts (Title, Artist, Album, Year, Comment) are set from Unicode: a UTF-8
//     std::string / const char* or a QString (see UnicodeText). They are stored as the
//     ISO-8859-1 bytes the tag holds, characters Latin-1 lacks replaced by '?', and cut to
//     30 tag bytes (Year: 4). The getters return UTF-8 std::string.
//   - FileName is a path in the file system's encoding (UTF-8 on our systems),
//     std::string; it is stored as an absolute path.
//   - Template and FormattedText are UTF-8.
//   - The wizard's QString fields go in unchanged: tag.SetTitle(ui->Title->text()).
//
// Main thread only. Setting FileName reads the file and lets pending window messages run
// every 300 bytes of the header search; a read, SaveTag or RemoveTag started from input
// handled there is refused (see IsReading). The object must outlive such input.
#include "mpeg/ID3v1.h"
#include "mpeg/Latin1.h"
#include "mpeg/MPEGHeader.h"
#include "platform/Errors.h"

#include <QDateTime>
#include <cstdint>
#include <string>

struct FileStatus;

class ByteSource;

// Raised by SetFileName when a read of the same object is already running.
class EMPEGAudioError : public EMervaneError {
public:
    using EMervaneError::EMervaneError;
};

class TMPEGAudio {
public:
    // Shown in the text fields until a tag has been read.
    static constexpr const char* kNoTagText = "[notag]";

    TMPEGAudio();

    // --- the file -------------------------------------------------------------------
    // Stores the name as an absolute path and reads the file: the header search, and the
    // tag when a confirmed pair of frame headers was found (otherwise the tag fields keep
    // "[notag]"; a stream without a tag gets its file name as Title). A missing file gives
    // Title "[not found: <name>]". The result is not returned (ReadResult() keeps it).
    void SetFileName(const std::string& name);
    const std::string& FileName() const { return fileName_; }
    // Result of the last read: 0, -1 for a missing file, otherwise an errno.
    int ReadResult() const { return readResult_; }
    bool IsReading() const { return reading_; }

    // Writes the tag built from the current fields at the end of the file, replacing a
    // tag that is already there, then reads the file again. 0 on success, -1 when the
    // file does not exist, otherwise an errno (EBUSY while a read is running, EINVAL for
    // a pipe or device). A failed append is cut off again; an old tag is gone by then.
    int SaveTag();
    // Cuts a trailing ID3 version 1 tag off the file, then reads the file again. Same
    // results as SaveTag.
    int RemoveTag();

    // --- tag fields (see the top of this file for encodings) ------------------------
    std::string Title() const { return Latin1ToUtf8(tag_.title); }
    std::string Artist() const { return Latin1ToUtf8(tag_.artist); }
    std::string Album() const { return Latin1ToUtf8(tag_.album); }
    std::string Year() const { return Latin1ToUtf8(tag_.year); }
    std::string Comment() const { return Latin1ToUtf8(tag_.comment); }
    std::uint8_t Genre() const { return tag_.genre; }  // 255: none
    std::uint8_t Track() const { return tag_.track; }  // 0: none
    void SetTitle(const UnicodeText& text);    // at most 30 tag bytes
    void SetArtist(const UnicodeText& text);   // at most 30 tag bytes
    void SetAlbum(const UnicodeText& text);    // at most 30 tag bytes
    void SetYear(const UnicodeText& text);     // at most 4 tag bytes
    // At most 30 tag bytes; SaveTag keeps 28 of them when Track is not 0.
    void SetComment(const UnicodeText& text);
    void SetGenre(std::uint8_t genre) { tag_.genre = genre; }
    void SetTrack(std::uint8_t track) { tag_.track = track; }
    // The tag fields as the tag holds them (Latin-1).
    const ID3v1Fields& TagFields() const { return tag_; }
    // "TAG" once a tag was read, otherwise "BAD".
    const std::string& TagHeader() const { return tagHeader_; }

    // --- the MPEG header found (all 0 when none) --------------------------------------
    std::uint8_t Version() const { return header_.version; }  // 1 MPEG 1, 2 MPEG 2, 3 MPEG 2.5
    std::uint8_t Layer() const { return header_.layer; }
    std::int32_t SampleRate() const { return header_.sampleRate; }  // Hz
    std::int32_t BitRate() const { return header_.bitRate; }        // kbit/s
    std::uint8_t Mode() const { return header_.mode; }
    bool Copyright() const { return header_.copyright != 0; }
    bool Original() const { return header_.original != 0; }
    std::uint8_t Protection() const { return header_.protection; }  // 0: frames carry a CRC
    bool Padding() const { return header_.padding != 0; }
    std::uint16_t FrameLength() const { return header_.frameLength; }
    std::uint32_t Duration() const { return duration_; }  // whole seconds
    std::uint64_t HeaderOffset() const { return headerOffset_; }
    // Size greater than 5, a time stamp, and a header with known version, layer, bit rate
    // and sample rate.
    bool Valid() const;

    // --- the file's facts (recorded for files longer than 5 bytes) ---------------------
    std::uint64_t FileSize() const { return fileSize_; }
    std::int64_t FileTimeStamp() const { return fileTime_; }  // seconds since 1970, 0: none
    QDateTime FileDateTime() const;                            // local time; invalid when none
    std::uint32_t FileAttributes() const { return fileMode_; }  // st_mode
    const std::string& VolumeLabel() const { return volumeLabel_; }

    // --- names ------------------------------------------------------------------------
    const std::string& GenreName() const;    // "Unknown" for 255 and numbers above 79
    const std::string& ModeName() const;
    const std::string& LayerName() const;
    const std::string& VersionName() const;

    // --- settings of an owner that lists files ----------------------------------------
    std::uint16_t SelectedNr() const { return selectedNr_; }
    void SetSelectedNr(std::uint16_t n) { selectedNr_ = n; }
    // Byte position after which the header search gives up; 0: no limit.
    std::uint64_t ScanLimit() const { return scanLimit_; }
    void SetScanLimit(std::uint64_t limit) { scanLimit_ = limit; }

    // --- description text ---------------------------------------------------------------
    const std::string& Template() const { return template_; }
    void SetTemplate(std::string utf8) { template_ = std::move(utf8); }
    // The template with its %items% expanded from the current values (FormattedText.h).
    std::string FormattedText() const;

    // Runs the header search and tag read over bytes already open, as a read of a file of
    // that size does. Used by the file read; exposed for tests and fuzzing.
    void ScanBytes(ByteSource& source);

private:
    void Reset();
    void ResetKeepingFileFacts();
    int Read();
    void RecordFileFacts(const FileStatus& status);

    ID3v1Fields tag_;
    std::string tagHeader_;
    MPEGFrameHeader header_;
    std::uint32_t duration_ = 0;
    std::uint64_t fileSize_ = 0;
    std::uint64_t headerOffset_ = 0;
    std::string fileName_;
    std::int64_t fileTime_ = 0;
    std::uint32_t fileMode_ = 0;
    std::string volumeLabel_;
    std::uint16_t selectedNr_ = 0;
    std::uint64_t scanLimit_ = 0;
    std::string template_;
    int readResult_ = 0;
    bool reading_ = false;  // a read is running (it pumps window messages)
};
