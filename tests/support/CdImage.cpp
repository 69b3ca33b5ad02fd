#include "support/CdImage.h"

#include "support/WaveFixtures.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sndfile.h>
#include <stdexcept>

namespace {
constexpr int kSectorBytes = 2352;

std::string msf(int sectors)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", sectors / 4500, sectors / 75 % 60, sectors % 75);
    return text;
}

// A whole number of periods of the tone, left and right a fifth apart, as little-endian bytes.
std::vector<char> tonePeriod(int frequency)
{
    const int period = 44100 / frequency;
    std::vector<char> bytes;
    for (int i = 0; i < period; ++i)
        for (double f : {1.0, 1.5}) {
            const auto v = static_cast<std::int16_t>(std::lround(12000 * std::sin(2 * M_PI * f * i / period)));
            bytes.push_back(char(v & 0xFF));
            bytes.push_back(char((v >> 8) & 0xFF));
        }
    return bytes;
}

// Low-passed pseudo-random noise, its own on each channel: no period, so a recording lines
// up with it at one delay only.
std::vector<char> noise(std::size_t bytes, std::uint32_t seed)
{
    std::vector<char> block;
    block.reserve(bytes);
    double y[2] = {};
    while (block.size() < bytes)
        for (double& c : y) {
            seed = seed * 1664525u + 1013904223u;
            c = 0.8 * c + 0.2 * (double(seed >> 8) / double(1u << 24) - 0.5) * 40000;
            const auto v = static_cast<std::int16_t>(std::lround(c));
            block.push_back(char(v & 0xFF));
            block.push_back(char((v >> 8) & 0xFF));
        }
    return block;
}

void writeAudio(std::ofstream& out, int sectors, int frequency, std::uint32_t seed)
{
    const std::size_t total = std::size_t(sectors) * kSectorBytes;
    std::vector<char> block;
    if (frequency <= 0) {
        block = noise(total, seed);
    } else {
        const std::vector<char> period = tonePeriod(frequency);
        block.reserve(total);
        while (block.size() < total)
            block.insert(block.end(), period.begin(), period.end());
    }
    out.write(block.data(), std::streamsize(total));
}
}  // namespace

CdImage WriteCdImage(const std::string& folder, const std::string& name, const std::vector<CdImageTrack>& tracks,
                     const CdSheetStyle& style)
{
    CdImage image;
    const std::string binName = style.binName.empty() ? name + ".bin" : style.binName;
    image.cue = folder + "/" + name + ".cue";
    image.bin = folder + "/" + binName;
    image.firstNumber = style.firstNumber;
    image.tracks = tracks;
    std::ofstream bin(image.bin, std::ios::binary);
    std::ofstream cue(image.cue);
    cue << "FILE \"" << binName << "\" BINARY\n";
    int sector = 0;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const CdImageTrack& t = tracks[i];
        char number[8];
        std::snprintf(number, sizeof number, "%02d", (int(i) + style.firstNumber) % 100);
        cue << "  TRACK " << number << (t.audio ? " AUDIO\n" : " MODE1/2352\n");
        if (t.pregapSectors > 0) {
            cue << "    INDEX 00 " << msf(sector) << "\n";
            if (t.pregapFrequency >= 0) {
                writeAudio(bin, t.pregapSectors, t.pregapFrequency, std::uint32_t(i + 101));
            } else {
                const std::vector<char> silence(std::size_t(t.pregapSectors) * kSectorBytes, 0);
                bin.write(silence.data(), std::streamsize(silence.size()));
            }
            sector += t.pregapSectors;
        }
        cue << "    INDEX 01 " << msf(sector) << "\n";
        image.firstSector.push_back(sector);
        // The pregap of the next track belongs to this track's length.
        const int own = t.sectors - (i + 1 < tracks.size() ? tracks[i + 1].pregapSectors : 0);
        if (t.audio) {
            writeAudio(bin, own, t.frequency, std::uint32_t(i + 1));
        } else {
            std::vector<char> data(std::size_t(own) * kSectorBytes);
            for (std::size_t b = 0; b < data.size(); ++b)
                data[b] = char(b * 7 + 3);
            bin.write(data.data(), std::streamsize(data.size()));
        }
        sector += own;
    }
    if (!bin || !cue)
        throw std::runtime_error("cannot write the disc image " + image.cue);
    return image;
}

std::vector<std::uint8_t> CdImage::TrackBytes(int n) const
{
    const CdImageTrack& t = tracks.at(std::size_t(n - firstNumber));
    std::ifstream in(bin, std::ios::binary);
    in.seekg(std::streamoff(firstSector.at(std::size_t(n - firstNumber))) * kSectorBytes);
    std::vector<std::uint8_t> bytes(std::size_t(t.sectors) * kSectorBytes);
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    bytes.resize(std::size_t(in.gcount()));
    return bytes;
}

std::vector<std::int16_t> CdImage::TrackSamples(int n) const
{
    const std::vector<std::uint8_t> bytes = TrackBytes(n);
    std::vector<std::int16_t> samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    return samples;
}

std::vector<std::int16_t> CdImage::PregapSamples(int n) const
{
    const std::size_t index = std::size_t(n - firstNumber);
    const int sectors = tracks.at(index).pregapSectors;
    std::ifstream in(bin, std::ios::binary);
    in.seekg(std::streamoff(firstSector.at(index) - sectors) * kSectorBytes);
    std::vector<char> bytes(std::size_t(sectors) * kSectorBytes);
    in.read(bytes.data(), std::streamsize(bytes.size()));
    std::vector<std::int16_t> samples(std::size_t(in.gcount()) / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(std::uint8_t(bytes[2 * i]) | std::uint8_t(bytes[2 * i + 1]) << 8);
    return samples;
}

std::string WriteTocImage(const CdImage& image, const std::string& folder, const std::string& name)
{
    std::ifstream in(image.bin, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        std::swap(bytes[i], bytes[i + 1]);
    std::ofstream be(folder + "/" + name + "-be.bin", std::ios::binary);
    be.write(bytes.data(), std::streamsize(bytes.size()));
    const std::string path = folder + "/" + name + ".toc";
    std::ofstream toc(path);
    toc << "CD_DA\n// written by the tests\n";
    for (std::size_t i = 0; i < image.tracks.size(); ++i) {
        const CdImageTrack& t = image.tracks[i];
        if (!t.audio)
            throw std::runtime_error("the toc fixture writes audio tracks only");
        // A track runs from its pregap to the next track's pregap: a pregap with a tone is the
        // FILE's audio before START, a silent one a PREGAP in no file.
        const int from = image.firstSector[i] - (t.pregapFrequency >= 0 ? t.pregapSectors : 0);
        const int to = i + 1 < image.tracks.size()
                           ? image.firstSector[i + 1] - image.tracks[i + 1].pregapSectors
                           : image.firstSector[i] + t.sectors;
        toc << "\nTRACK AUDIO\nNO COPY\n";
        if (t.pregapSectors > 0 && t.pregapFrequency < 0)
            toc << "PREGAP " << msf(t.pregapSectors) << "\n";
        toc << "FILE \"" << name << "-be.bin\" " << msf(from) << " " << msf(to - from) << "\n";
        if (t.pregapSectors > 0 && t.pregapFrequency >= 0)
            toc << "START " << msf(t.pregapSectors) << "\n";
    }
    if (!be || !toc)
        throw std::runtime_error("cannot write the toc image " + path);
    return path;
}

namespace {
void putBe(std::vector<std::uint8_t>& out, std::uint64_t v, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(std::uint8_t(v >> (8 * i)));
}
}  // namespace

void WriteNrg(const std::string& path, const std::vector<std::uint8_t>& bytes, const std::vector<NrgTrackEntry>& tracks,
              std::optional<std::uint64_t> footerOffset)
{
    std::vector<std::uint8_t> out = bytes;
    const std::uint64_t chunks = out.size();
    // Nero's cue points: the lead-in, index 00 and 01 of every track, the lead-out.
    out.insert(out.end(), {'C', 'U', 'E', 'X'});
    putBe(out, 8 * (2 + 2 * tracks.size()), 4);
    const auto cuePoint = [&](std::uint8_t track, std::uint8_t index, std::int64_t lsn) {
        out.insert(out.end(), {0x01, track, index, 0});
        putBe(out, std::uint64_t(lsn) & 0xFFFFFFFFu, 4);
    };
    cuePoint(0, 0, -150);
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        cuePoint(std::uint8_t(i + 1), 0, std::int64_t(tracks[i].index0 / 2352) - 150);
        cuePoint(std::uint8_t(i + 1), 1, std::int64_t(tracks[i].index1 / 2352));
    }
    cuePoint(0xAA, 1, tracks.empty() ? 0 : std::int64_t(tracks.back().end / 2352));
    out.insert(out.end(), {'D', 'A', 'O', 'X'});
    putBe(out, 22 + 42 * tracks.size(), 4);
    putBe(out, 22 + 42 * tracks.size(), 4);  // the size again, then the catalogue number
    out.insert(out.end(), 16, 0);
    out.push_back(1);
    out.push_back(std::uint8_t(tracks.size()));
    for (const NrgTrackEntry& t : tracks) {
        out.insert(out.end(), 12, 0);  // ISRC
        putBe(out, 2352, 2);
        out.push_back(t.audio ? 7 : 0);
        out.insert(out.end(), 3, 0);
        putBe(out, t.index0, 8);
        putBe(out, t.index1, 8);
        putBe(out, t.end, 8);
    }
    out.insert(out.end(), {'E', 'N', 'D', '!', 0, 0, 0, 0});
    out.insert(out.end(), {'N', 'E', 'R', '5'});
    putBe(out, footerOffset.value_or(chunks), 8);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
    if (!file)
        throw std::runtime_error("cannot write the Nero image " + path);
}

WindowsAlbumImage WriteWindowsAlbumImage(const std::string& folder, const std::string& sheetName,
                                         const std::string& fileLine)
{
    WindowsAlbumImage album;
    album.tones = WriteCdImage(folder, "tones", {{true, 1500, 441}, {true, 1875, 630, 150}, {true, 2250, 1050, 150}});
    const Bytes bin = ReadBytes(album.tones.bin);
    std::vector<std::int16_t> pcm(bin.size() / 2);
    for (std::size_t i = 0; i < pcm.size(); ++i)
        pcm[i] = std::int16_t(bin[2 * i] | bin[2 * i + 1] << 8);
    if (!SndWriteShorts(folder + "/Artist - Album.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 2, 44100, pcm))
        throw std::runtime_error("cannot write the album's FLAC file");
    album.titles = {"Intro", "Song", "Outro"};
    album.composers = {"A. Writer", "", "B. Writer"};
    album.isrcs = {"GBAAA9900001", "", "GBAAA9900003"};
    const std::vector<std::string> indexes = {"    INDEX 01 00:00:00\r\n",
                                              "    INDEX 00 00:18:00\r\n    INDEX 01 00:20:00\r\n",
                                              "    INDEX 00 00:43:00\r\n    INDEX 01 00:45:00\r\n"};
    std::string sheet = "REM GENRE Rock\r\nREM DATE 1999\r\nPERFORMER \"The Band\"\r\nTITLE \"First Album\"\r\n"
                        "FILE \"" + fileLine + "\" WAVE\r\n";
    for (std::size_t i = 0; i < album.titles.size(); ++i) {
        sheet += "  TRACK 0" + std::to_string(i + 1) + " AUDIO\r\n    TITLE \"" + album.titles[i] + "\"\r\n" +
                 "    PERFORMER \"The Band\"\r\n";
        if (!album.composers[i].empty())
            sheet += "    SONGWRITER \"" + album.composers[i] + "\"\r\n    ISRC " + album.isrcs[i] + "\r\n";
        sheet += indexes[i];
    }
    album.cue = folder + "/" + sheetName;
    WriteBytes(album.cue, Bytes(sheet.begin(), sheet.end()));
    return album;
}
