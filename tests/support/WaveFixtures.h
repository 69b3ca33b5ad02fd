#pragma once
// Wave-file fixtures made inside the tests: a byte-level RIFF builder for layouts of any
// shape (also broken ones), deterministic sample patterns, and libsndfile as the outside
// reader and writer.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

void PutLe16(Bytes& b, std::uint16_t v);
void PutLe32(Bytes& b, std::uint32_t v);
std::uint32_t GetLe32(const Bytes& b, std::size_t at);
std::uint16_t GetLe16(const Bytes& b, std::size_t at);

// Builds "RIFF" size "WAVE" followed by the chunks added; the RIFF size is the real one
// unless overridden.
class RiffBuilder {
public:
    // A chunk with its real size and a pad byte when odd.
    RiffBuilder& Chunk(const char* id, const Bytes& body);
    // A chunk header claiming `claimed` bytes followed by `body` (no pad).
    RiffBuilder& RawChunk(const char* id, std::uint32_t claimed, const Bytes& body);
    // A format chunk of `size` bytes (16 or 18 for PCM).
    RiffBuilder& Fmt(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                     std::uint32_t size = 16, std::uint16_t blockAlign = 0, std::uint32_t avgBytes = 0);
    RiffBuilder& RiffSize(std::uint32_t size);
    Bytes Build() const;

private:
    Bytes body_;
    bool sizeSet_ = false;
    std::uint32_t riffSize_ = 0;
};

// The chunks of a RIFF file after "WAVE", in order: id and body (cut at the file's end).
std::vector<std::pair<std::string, Bytes>> RiffChunks(const Bytes& file);
// The body of the first chunk with this id; empty when there is none.
Bytes RiffChunk(const Bytes& file, const std::string& id);

void WriteBytes(const std::string& path, const Bytes& bytes);
Bytes ReadBytes(const std::string& path);

// count bytes of a repeatable, position-dependent pattern.
Bytes PatternBytes(std::size_t count, std::uint32_t seed = 1);

// A PCM wave file written here byte by byte (16-byte "fmt "), data = the given bytes.
void WritePcmWave(const std::string& path, int bits, int channels, std::uint32_t rate, const Bytes& data);

// libsndfile: what it found in a file.
struct SndInfo {
    bool ok = false;
    int channels = 0;
    int rate = 0;
    std::int64_t frames = 0;
    int format = 0;
};
SndInfo SndOpenInfo(const std::string& path);
// All samples as 16-bit values (libsndfile's own conversion).
std::vector<std::int16_t> SndReadShorts(const std::string& path);
// Writes the interleaved samples with a libsndfile format (SF_FORMAT_WAV | SF_FORMAT_PCM_16,
// ...); with a non-empty title, an INFO list is written too.
bool SndWriteShorts(const std::string& path, int format, int channels, int rate, const std::vector<std::int16_t>& samples,
                    const std::string& title = "");
// Writes interleaved samples given as doubles, full scale 1.0 (float formats keep them as they
// are, also beyond full scale); a channel map (SF_CHANNEL_MAP_...) sets a WAVEX file's mask.
bool SndWriteDoubles(const std::string& path, int format, int channels, int rate, const std::vector<double>& samples,
                     const std::vector<int>& channelMap = {});
// The title (INFO "INAM") libsndfile finds in a file; empty for none.
std::string SndTitle(const std::string& path);
std::vector<std::int16_t> PatternShorts(std::size_t count, std::uint32_t seed = 1);
