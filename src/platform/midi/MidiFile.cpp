#include "platform/midi/MidiFile.h"

#include "platform/Errors.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>

namespace {
[[noreturn]] void fail(const std::string& text)
{
    throw EMidiFileError(text);
}

[[noreturn]] void fail(const QString& text)
{
    throw EMidiFileError(text.toStdString());
}

// What stands at a name that is no regular file.
QString FileKindText(const std::string& path, mode_t mode)
{
    const QString name = QString::fromStdString(path);
    if (S_ISFIFO(mode))
        return QCoreApplication::translate("MidiFile", "%1: a named pipe, not a MIDI file").arg(name);
    if (S_ISDIR(mode))
        return QCoreApplication::translate("MidiFile", "%1: a folder, not a MIDI file").arg(name);
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QCoreApplication::translate("MidiFile", "%1: a device, not a MIDI file").arg(name);
    if (S_ISSOCK(mode))
        return QCoreApplication::translate("MidiFile", "%1: a socket, not a MIDI file").arg(name);
    return QCoreApplication::translate("MidiFile", "%1: not a regular file, not a MIDI file").arg(name);
}

// A track as the user counts them, from 1.
QString trackText(int track)
{
    return QString::number(track + 1);
}

bool hasId(const std::vector<std::uint8_t>& b, std::size_t pos, const char* id)
{
    return pos + 4 <= b.size() && std::memcmp(b.data() + pos, id, 4) == 0;
}

std::uint32_t be32(const std::vector<std::uint8_t>& b, std::size_t pos)
{
    return (std::uint32_t{b[pos]} << 24) | (std::uint32_t{b[pos + 1]} << 16) | (std::uint32_t{b[pos + 2]} << 8) | b[pos + 3];
}

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t pos)
{
    return b[pos] | (std::uint32_t{b[pos + 1]} << 8) | (std::uint32_t{b[pos + 2]} << 16) | (std::uint32_t{b[pos + 3]} << 24);
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// The inner Standard MIDI File of a RIFF RMID file: the "data" chunk.
std::vector<std::uint8_t> unwrapRmid(const std::vector<std::uint8_t>& b)
{
    std::size_t pos = 12;
    while (pos + 8 <= b.size()) {
        const std::uint32_t size = le32(b, pos + 4);
        if (size > b.size() - pos - 8) {
            if (hasId(b, pos, "data"))
                fail(QCoreApplication::translate("MidiFile", "The RMID file's MIDI data runs past the end of the file."));
            break;
        }
        if (hasId(b, pos, "data"))
            return {b.begin() + static_cast<std::ptrdiff_t>(pos + 8),
                    b.begin() + static_cast<std::ptrdiff_t>(pos + 8 + size)};
        pos += 8 + std::size_t{size} + (size & 1u);
    }
    fail(QCoreApplication::translate("MidiFile", "The RMID file holds no MIDI data."));
}

// Reads a variable-length quantity (at most four bytes) from a track.
std::uint32_t readVarLen(const std::vector<std::uint8_t>& b, std::size_t& pos, std::size_t end, int track)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        if (pos >= end)
            fail(QCoreApplication::translate("MidiFile", "Track %1 is truncated: it ends inside an event.").arg(trackText(track)));
        const std::uint8_t c = b[pos++];
        value = (value << 7) | (c & 0x7Fu);
        if (!(c & 0x80u))
            return value;
    }
    fail(QCoreApplication::translate("MidiFile", "Track %1 holds a length or time longer than four bytes.").arg(trackText(track)));
}

void putVarLen(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    std::uint8_t bytes[4];
    int n = 0;
    do {
        bytes[n++] = static_cast<std::uint8_t>(value & 0x7Fu);
        value >>= 7;
    } while (value && n < 4);
    while (n-- > 0)
        out.push_back(static_cast<std::uint8_t>(bytes[n] | (n ? 0x80u : 0u)));
}

void putBe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

double smpteFramesPerSecond(int fps)
{
    return fps == 29 ? 30000.0 / 1001.0 : fps;
}
}  // namespace

MidiFile MidiFile::Load(const std::string& path)
{
    // Every complaint names the file: the reader's own words, then "<file>: <reason>" for
    // what the system refused, or the file alone for what its bytes broke.
    // Only a regular file is opened: a named pipe would wait for a writer for good.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        fail(QCoreApplication::translate("MidiFile", "The MIDI file cannot be opened.").toStdString() + "\n" + FileReasonLine(path, errno));
    if (!S_ISREG(st.st_mode))
        fail(QCoreApplication::translate("MidiFile", "The MIDI file cannot be opened.") + "\n" + FileKindText(path, st.st_mode));
    FileHandle f(std::fopen(path.c_str(), "rbe"));
    if (!f)
        fail(QCoreApplication::translate("MidiFile", "The MIDI file cannot be opened.").toStdString() + "\n" + FileReasonLine(path, errno));
    if (std::fseek(f.get(), 0, SEEK_END) != 0)
        fail(QCoreApplication::translate("MidiFile", "The MIDI file cannot be read.").toStdString() + "\n" + FileReasonLine(path, errno));
    const long size = std::ftell(f.get());
    if (size < 0 || std::fseek(f.get(), 0, SEEK_SET) != 0)
        fail(QCoreApplication::translate("MidiFile", "The MIDI file cannot be read.").toStdString() + "\n" + FileReasonLine(path, errno));
    if (static_cast<unsigned long>(size) > MaxFileBytes)
        fail(QCoreApplication::translate("MidiFile", "The file is too large to be a MIDI file.").toStdString() + "\n" + path);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), f.get()) != bytes.size())
        fail(QCoreApplication::translate("MidiFile", "The MIDI file cannot be read.").toStdString() + "\n" + FileReasonLine(path, std::ferror(f.get()) ? errno : EIO));
    try {
        return Parse(std::move(bytes));
    } catch (const EMidiFileError& e) {
        fail(std::string(e.what()) + "\n" + path);
    }
}

MidiFile MidiFile::Parse(std::vector<std::uint8_t> bytes)
{
    if (bytes.empty())
        fail(QCoreApplication::translate("MidiFile", "The file is empty."));
    if (bytes.size() > MaxFileBytes)
        fail(QCoreApplication::translate("MidiFile", "The file is too large to be a MIDI file."));
    if (hasId(bytes, 0, "RIFF")) {
        if (!hasId(bytes, 8, "RMID"))
            fail(QCoreApplication::translate("MidiFile", "The file is not a MIDI file."));
        bytes = unwrapRmid(bytes);
    }
    if (!hasId(bytes, 0, "MThd"))
        fail(QCoreApplication::translate("MidiFile", "The file is not a MIDI file."));
    MidiFile file;
    file.bytes_ = std::move(bytes);
    std::size_t pos = 0;
    file.ReadHeader(pos);
    file.ReadTracks(pos);
    file.BuildTempoMap();
    if (file.endTick_ > 0x7FFFFFFFu || file.LengthMs() > MaxLengthMs)
        fail(QCoreApplication::translate("MidiFile", "The MIDI file is too long to be played."));
    if (file.LengthMs() > MaxPlayLengthMs)
        fail(QCoreApplication::translate("MidiFile", "The MIDI file lasts %1 hours; songs longer than 12 hours are not played.")
                 .arg(std::llround(file.LengthMs() / 3600000.0)));
    return file;
}

void MidiFile::ReadHeader(std::size_t& pos)
{
    const auto& b = bytes_;
    if (b.size() < 14)
        fail(QCoreApplication::translate("MidiFile", "The MIDI file's header is truncated."));
    const std::uint32_t size = be32(b, 4);
    if (size < 6 || size > b.size() - 8)
        fail(QCoreApplication::translate("MidiFile", "The MIDI file's header has a wrong length."));
    format_ = (b[8] << 8) | b[9];
    trackCount_ = (b[10] << 8) | b[11];
    if (format_ == 2)
        fail(QCoreApplication::translate("MidiFile", "MIDI files of format 2 (independent sequences) cannot be played."));
    if (format_ > 2)
        fail(QCoreApplication::translate("MidiFile", "The MIDI file has an unknown format (%1).").arg(format_));
    if (trackCount_ == 0)
        fail(QCoreApplication::translate("MidiFile", "The MIDI file holds no tracks."));
    if (b[12] & 0x80u) {
        const int fps = -static_cast<int>(static_cast<std::int8_t>(b[12]));
        if (fps != 24 && fps != 25 && fps != 29 && fps != 30)
            fail(QCoreApplication::translate("MidiFile", "The MIDI file has an invalid SMPTE frame rate (%1).").arg(fps));
        if (b[13] == 0)
            fail(QCoreApplication::translate("MidiFile", "The MIDI file has a time division of 0."));
        smpteFps_ = fps;
        ticksPerFrame_ = b[13];
    } else {
        ticksPerQuarter_ = (b[12] << 8) | b[13];
        if (ticksPerQuarter_ == 0)
            fail(QCoreApplication::translate("MidiFile", "The MIDI file has a time division of 0."));
    }
    pos = 8 + std::size_t{size};
}

void MidiFile::ReadTracks(std::size_t pos)
{
    const auto& b = bytes_;
    for (int t = 0; t < trackCount_; ++t) {
        for (;;) {
            if (pos + 8 > b.size()) {
                if (t == 0)
                    fail(QCoreApplication::translate("MidiFile", "The MIDI file ends before its first track."));
                fail(QCoreApplication::translate("MidiFile", "The MIDI file announces %1 tracks but holds only %2.")
                         .arg(QString::number(trackCount_), QString::number(t)));
            }
            const std::uint32_t size = be32(b, pos + 4);
            if (size > b.size() - pos - 8)
                fail(QCoreApplication::translate("MidiFile", "Track %1 says it is %2 bytes long, but only %3 bytes remain in the file.")
                         .arg(trackText(t), QString::number(size), QString::number(b.size() - pos - 8)));
            const bool isTrack = hasId(b, pos, "MTrk");
            const std::size_t begin = pos + 8;
            pos = begin + size;
            if (isTrack) {
                ReadTrack(begin, pos, static_cast<std::uint16_t>(t));
                break;
            }
            // Chunks of unknown kinds are skipped, as the file standard asks.
        }
    }
    std::stable_sort(events_.begin(), events_.end(),
                     [](const MidiEvent& a, const MidiEvent& c) { return a.tick < c.tick; });
}

void MidiFile::ReadTrack(std::size_t begin, std::size_t end, std::uint16_t track)
{
    const auto& b = bytes_;
    std::size_t pos = begin;
    std::uint64_t tick = 0;
    std::uint8_t running = 0;
    while (pos < end) {
        tick += readVarLen(b, pos, end, track);
        if (pos >= end)
            fail(QCoreApplication::translate("MidiFile", "Track %1 is truncated: it ends after an event time.").arg(trackText(track)));
        MidiEvent e;
        e.track = track;
        e.tick = tick;
        std::uint8_t status = b[pos];
        if (status < 0x80) {
            // Running status: the data byte belongs to the last channel status. Meta and
            // system-exclusive events in between do not end it (some writers rely on that).
            if (!running)
                fail(QCoreApplication::translate("MidiFile", "Track %1 has a data byte where an event's status belongs.").arg(trackText(track)));
            status = running;
        } else {
            ++pos;
        }
        e.status = status;
        if (status < 0xF0) {
            running = status;
            const int count = ((status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0) ? 1 : 2;
            if (end - pos < static_cast<std::size_t>(count))
                fail(QCoreApplication::translate("MidiFile", "Track %1 is truncated: it ends inside an event.").arg(trackText(track)));
            for (int i = 0; i < count; ++i)
                if (b[pos + i] & 0x80u)
                    fail(QCoreApplication::translate("MidiFile", "Track %1 has a status byte where an event's data belongs.").arg(trackText(track)));
            e.data1 = b[pos];
            e.data2 = count == 2 ? b[pos + 1] : 0;
            pos += count;
            hasNotes_ = hasNotes_ || e.IsNoteOn();
            events_.push_back(e);
            continue;
        }
        if (status == MidiEvent::Meta) {
            if (pos >= end)
                fail(QCoreApplication::translate("MidiFile", "Track %1 is truncated: it ends inside an event.").arg(trackText(track)));
            e.metaType = b[pos++];
        } else if (status != MidiEvent::SysEx && status != MidiEvent::SysExEscape) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "%02X", status);
            fail(QCoreApplication::translate("MidiFile", "Track %1 holds the status byte %2, which a MIDI file may not contain.").arg(trackText(track), QString::fromLatin1(hex)));
        }
        const std::uint32_t length = readVarLen(b, pos, end, track);
        if (length > end - pos)
            fail(QCoreApplication::translate("MidiFile", "Track %1 is truncated: an event's data runs past the end of the track.").arg(trackText(track)));
        e.offset = static_cast<std::uint32_t>(pos);
        e.length = length;
        pos += length;
        if (status == MidiEvent::Meta && e.metaType == MidiEvent::MetaTempo) {
            if (length != 3)
                fail(QCoreApplication::translate("MidiFile", "Track %1 has a tempo change of %2 bytes (3 expected).").arg(trackText(track), QString::number(length)));
            if (b[e.offset] == 0 && b[e.offset + 1] == 0 && b[e.offset + 2] == 0)
                fail(QCoreApplication::translate("MidiFile", "Track %1 sets a tempo of 0.").arg(trackText(track)));
        }
        events_.push_back(e);
        if (status == MidiEvent::Meta && e.metaType == MidiEvent::MetaEndOfTrack)
            break;  // whatever follows the end of track is not part of it
    }
    endTick_ = std::max(endTick_, tick);
}

void MidiFile::BuildTempoMap()
{
    tempoMap_.clear();
    if (IsSmpte())
        return;  // SMPTE time is absolute: tempo changes do not change it
    tempoMap_.push_back(TempoChange{});
    for (const MidiEvent& e : events_) {
        if (e.status != MidiEvent::Meta || e.metaType != MidiEvent::MetaTempo)
            continue;
        const std::uint32_t us = (std::uint32_t{bytes_[e.offset]} << 16) | (std::uint32_t{bytes_[e.offset + 1]} << 8) |
                                 bytes_[e.offset + 2];
        TempoChange change{e.tick, us, TimeMs(e.tick)};
        if (tempoMap_.back().tick == e.tick)
            tempoMap_.back() = change;  // the last of several changes at one tick holds
        else
            tempoMap_.push_back(change);
    }
}

double MidiFile::TimeMs(std::uint64_t tick) const
{
    if (IsSmpte())
        return static_cast<double>(tick) * 1000.0 / (smpteFramesPerSecond(smpteFps_) * ticksPerFrame_);
    auto it = std::upper_bound(tempoMap_.begin(), tempoMap_.end(), tick,
                               [](std::uint64_t t, const TempoChange& c) { return t < c.tick; });
    const TempoChange& seg = it == tempoMap_.begin() ? TempoChange{} : *(it - 1);
    return seg.ms + static_cast<double>(tick - seg.tick) * seg.microsecondsPerQuarter / (ticksPerQuarter_ * 1000.0);
}

std::uint64_t MidiFile::TickAt(double ms) const
{
    if (ms <= 0)
        return 0;
    if (IsSmpte())
        return static_cast<std::uint64_t>(std::ceil(ms * smpteFramesPerSecond(smpteFps_) * ticksPerFrame_ / 1000.0 - 1e-9));
    auto it = std::upper_bound(tempoMap_.begin(), tempoMap_.end(), ms,
                               [](double m, const TempoChange& c) { return m < c.ms; });
    const TempoChange& seg = it == tempoMap_.begin() ? TempoChange{} : *(it - 1);
    const double ticks = (ms - seg.ms) * ticksPerQuarter_ * 1000.0 / seg.microsecondsPerQuarter;
    return seg.tick + static_cast<std::uint64_t>(std::ceil(ticks - 1e-9));
}

std::vector<std::uint8_t> MidiFile::PlayableFile() const
{
    std::vector<std::uint8_t> track;
    std::uint64_t last = 0;
    const auto putDelta = [&](std::uint64_t tick) {
        // Gaps longer than a four-byte time are bridged with empty text events.
        while (tick - last > 0x0FFFFFFFu) {
            putVarLen(track, 0x0FFFFFFFu);
            track.insert(track.end(), {0xFF, 0x01, 0x00});
            last += 0x0FFFFFFFu;
        }
        putVarLen(track, static_cast<std::uint32_t>(tick - last));
        last = tick;
    };
    int division = ticksPerQuarter_;
    if (IsSmpte()) {
        // Ticks per second stay as they are: (frames per second x ticks per frame) ticks to
        // a quarter note of one second (1.001 s for 29.97 frames per second).
        division = (smpteFps_ == 29 ? 30 : smpteFps_) * ticksPerFrame_;
        putDelta(0);
        track.insert(track.end(), {0xFF, 0x51, 0x03});
        putBe(track, smpteFps_ == 29 ? 1001000u : 1000000u, 3);
    }
    for (const MidiEvent& e : events_) {
        if (e.IsChannel()) {
            putDelta(e.tick);
            track.push_back(e.status);
            track.push_back(e.data1);
            if ((e.status & 0xF0) != 0xC0 && (e.status & 0xF0) != 0xD0)
                track.push_back(e.data2);
        } else if (e.status == MidiEvent::SysEx || e.status == MidiEvent::SysExEscape ||
                   (e.metaType == MidiEvent::MetaTempo && !IsSmpte())) {
            putDelta(e.tick);
            track.push_back(e.status);
            if (e.status == MidiEvent::Meta)
                track.push_back(e.metaType);
            putVarLen(track, e.length);
            track.insert(track.end(), bytes_.begin() + e.offset, bytes_.begin() + e.offset + e.length);
        }
    }
    putDelta(endTick_);
    track.insert(track.end(), {0xFF, 0x2F, 0x00});

    std::vector<std::uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1};
    putBe(out, static_cast<std::uint32_t>(division), 2);
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    putBe(out, static_cast<std::uint32_t>(track.size()), 4);
    out.insert(out.end(), track.begin(), track.end());
    return out;
}

bool LooksLikeMidiFile(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;  // a named pipe would wait for a writer
    FileHandle f(std::fopen(path.c_str(), "rbe"));
    if (!f)
        return false;
    std::vector<std::uint8_t> head(12);
    head.resize(std::fread(head.data(), 1, head.size(), f.get()));
    return hasId(head, 0, "MThd") || (hasId(head, 0, "RIFF") && hasId(head, 8, "RMID"));
}
