#include "wave/FileKind.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace {
bool startsWith(const std::string& bytes, const char* magic)
{
    return bytes.rfind(magic, 0) == 0;
}

std::string lowerExtension(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}
}  // namespace

std::string KindOfNonWave(const std::string& path)
{
    // Only a regular file is opened: a named pipe would wait for a writer.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return {};
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return {};
    std::array<char, 512> head{};
    file.read(head.data(), head.size());
    const std::string bytes(head.data(), static_cast<std::size_t>(file.gcount()));
    if (bytes.empty())
        return {};
    const auto byte = [&](std::size_t i) { return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0u; };
    if (startsWith(bytes, "ID3") || (byte(0) == 0xFF && (byte(1) & 0xE0) == 0xE0 && (byte(1) & 0x06) != 0))
        return "an MP3 file";
    if (startsWith(bytes, "fLaC"))
        return "a FLAC file";
    if (startsWith(bytes, "OggS"))
        return "an Ogg file";
    if (startsWith(bytes, "MThd") || (startsWith(bytes, "RIFF") && bytes.substr(8, 4) == "RMID"))
        return "a MIDI file";
    if (startsWith(bytes, "FORM") && (bytes.substr(8, 4) == "AIFF" || bytes.substr(8, 4) == "AIFC"))
        return "an AIFF file";
    if (startsWith(bytes, "RIFF") || startsWith(bytes, "RF64"))
        return {};  // a wave file, or close enough that its own message says more
    const std::string ext = lowerExtension(path);
    if (ext == "raw" || ext == "pcm" || ext == "s16" || ext == "u8" || ext == "sw" || ext == "cdr" || ext == "cdda")
        return "a raw PCM file (samples without a wave header)";
    if (std::all_of(bytes.begin(), bytes.end(), [](unsigned char c) { return c == '\t' || c == '\n' || c == '\r' || c >= 0x20; }))
        return "a text file";
    return {};
}
