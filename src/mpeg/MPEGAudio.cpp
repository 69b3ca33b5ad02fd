#include "mpeg/MPEGAudio.h"

#include "mpeg/ByteSource.h"
#include "mpeg/FormattedText.h"
#include "mpeg/MPEGNames.h"
#include "mpeg/MPEGScan.h"
#include "mpeg/TagFile.h"
#include "platform/os/MessageTarget.h"
#include "platform/os/OwnedFile.h"
#include "platform/os/VolumeLabel.h"

#include <QCoreApplication>
#include <cerrno>
#include <filesystem>

namespace {
constexpr std::size_t kTextBytes = 30;
constexpr std::size_t kYearBytes = 4;

std::string WithoutPath(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

// 0 when the path names something, -1 when it does not (the "file does not exist" case).
int Exists(const std::string& path)
{
    if (path.empty())
        return -1;
    const int error = StatusOfPath(path).error;
    return (error == ENOENT || error == ENOTDIR) ? -1 : 0;
}

void LetWindowMessagesRun()
{
    if (QCoreApplication::instance() && IsMainThread())
        ProcessMessages();
}

// Sets a flag for the lifetime of the scope.
class ReadingScope {
public:
    explicit ReadingScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~ReadingScope() { flag_ = false; }
    ReadingScope(const ReadingScope&) = delete;
    ReadingScope& operator=(const ReadingScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

TMPEGAudio::TMPEGAudio()
{
    Reset();
}

void TMPEGAudio::ResetKeepingFileFacts()
{
    tag_ = ID3v1Fields{kNoTagText, kNoTagText, kNoTagText, "    ", kNoTagText, 0, kNoGenre};
    tagHeader_ = "BAD";
    header_ = MPEGFrameHeader{};
    duration_ = 0;
    headerOffset_ = 0;
}

void TMPEGAudio::Reset()
{
    ResetKeepingFileFacts();
    fileSize_ = 0;
    fileTime_ = 0;
    fileMode_ = 0;
    volumeLabel_.clear();
    selectedNr_ = 0;
}

void TMPEGAudio::SetFileName(const std::string& name)
{
    if (reading_)
        throw EMPEGAudioError("TMPEGAudio: a file read is already running");
    std::error_code ec;
    fileName_ = name.empty() ? std::string() : std::filesystem::absolute(name, ec).string();
    if (ec)
        fileName_ = name;
    readResult_ = Read();
}

int TMPEGAudio::Read()
{
    ReadingScope scope(reading_);
    Reset();
    if (Exists(fileName_) != 0) {
        tag_.title = ToLatin1("[not found: " + WithoutPath(fileName_) + "]", kTextBytes);
        return -1;
    }
    FileByteSource source(fileName_);
    if (!source.IsOpen() || source.Error() != 0)
        return source.Error();
    if (source.Size() > 5)
        RecordFileFacts(source.Status());
    ScanBytes(source);
    return source.Error();
}

void TMPEGAudio::RecordFileFacts(const FileStatus& status)
{
    if (status.error != 0)
        return;
    fileSize_ = status.size;
    fileTime_ = status.modifiedSeconds;
    fileMode_ = status.mode;
    volumeLabel_ = VolumeLabelOf(fileName_);
}

void TMPEGAudio::ScanBytes(ByteSource& source)
{
    const MPEGScanResult found = ScanMPEG(source, scanLimit_, LetWindowMessagesRun);
    ResetKeepingFileFacts();
    if (!found.headerOffset)
        return;
    header_ = found.header;
    headerOffset_ = *found.headerOffset;
    if (header_.bitRate > 0)
        duration_ = static_cast<std::uint32_t>(source.Size() * 8 / (std::uint64_t(header_.bitRate) * 1000));
    if (source.Size() <= kID3v1Size)
        return;
    if (found.tag) {
        tag_ = *found.tag;
        tagHeader_ = "TAG";
    } else {
        tag_.title = ToLatin1(WithoutPath(fileName_), kTextBytes);
    }
}

int TMPEGAudio::RemoveTag()
{
    if (reading_)
        return EBUSY;
    if (Exists(fileName_) != 0)
        return -1;
    const int rc = CutTrailingTag(fileName_);
    readResult_ = Read();
    return rc;
}

int TMPEGAudio::SaveTag()
{
    if (reading_)
        return EBUSY;
    if (Exists(fileName_) != 0)
        return -1;
    const ID3v1Block block = BuildID3v1(tag_);
    if (const int removed = RemoveTag(); removed != 0)
        return removed;
    const int rc = AppendTagBlock(fileName_, block);
    readResult_ = Read();
    return rc;
}

void TMPEGAudio::SetTitle(const UnicodeText& text) { tag_.title = ToLatin1(text, kTextBytes); }
void TMPEGAudio::SetArtist(const UnicodeText& text) { tag_.artist = ToLatin1(text, kTextBytes); }
void TMPEGAudio::SetAlbum(const UnicodeText& text) { tag_.album = ToLatin1(text, kTextBytes); }
void TMPEGAudio::SetYear(const UnicodeText& text) { tag_.year = ToLatin1(text, kYearBytes); }
void TMPEGAudio::SetComment(const UnicodeText& text) { tag_.comment = ToLatin1(text, kTextBytes); }

bool TMPEGAudio::Valid() const
{
    return fileSize_ > 5 && header_.version != 0 && header_.layer != 0 && fileTime_ != 0 &&
           header_.bitRate > 0 && header_.sampleRate > 0;
}

QDateTime TMPEGAudio::FileDateTime() const
{
    return fileTime_ == 0 ? QDateTime() : QDateTime::fromSecsSinceEpoch(fileTime_);
}

const std::string& TMPEGAudio::GenreName() const { return ::GenreName(tag_.genre); }
const std::string& TMPEGAudio::ModeName() const { return ::ModeName(header_.mode); }
const std::string& TMPEGAudio::LayerName() const { return ::LayerName(header_.layer); }
const std::string& TMPEGAudio::VersionName() const { return ::VersionName(header_.version); }

std::string TMPEGAudio::FormattedText() const
{
    return ExpandTemplate(template_, *this);
}
