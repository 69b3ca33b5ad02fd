#include "support/AudioOracles.h"

#include <zlib.h>

#include <cstdio>
#include "support/Spectrum.h"

#include <gtest/gtest.h>
#include <mpg123.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <memory>
#include <numbers>

namespace {
struct Mpg123Deleter {
    void operator()(mpg123_handle* h) const
    {
        mpg123_close(h);
        mpg123_delete(h);
    }
};

}  // namespace

// Interleaved 16-bit tones, half full scale, one frequency per channel.
std::vector<std::int16_t> Tone(unsigned rate, const std::vector<double>& freqs, long frames)
{
    std::vector<std::int16_t> pcm;
    pcm.reserve(static_cast<std::size_t>(frames) * freqs.size());
    for (long i = 0; i < frames; ++i)
        for (double f : freqs)
            pcm.push_back(static_cast<std::int16_t>(
                std::lround(16000.0 * std::sin(2 * std::numbers::pi * f * static_cast<double>(i) / rate))));
    return pcm;
}

std::vector<double> ToneDoubles(unsigned rate, const std::vector<double>& freqs, long frames, double amplitude)
{
    std::vector<double> pcm;
    pcm.reserve(static_cast<std::size_t>(frames) * freqs.size());
    for (long i = 0; i < frames; ++i)
        for (double f : freqs)
            pcm.push_back(amplitude * std::sin(2 * std::numbers::pi * f * static_cast<double>(i) / rate));
    return pcm;
}

double ToneFit::ThdNoiseDb() const
{
    return 20 * std::log10(std::max(residualRms, 1e-12) / std::max(amplitude / std::sqrt(2.0), 1e-12));
}

ToneFit FitTone(const std::vector<std::int16_t>& pcm, int channels, int ch, double rate, double freq, long from,
                long count)
{
    // Normal equations of x ~ a sin + b cos + c, solved by Cramer's rule.
    double m[3][3] = {};
    double v[3] = {};
    auto basis = [&](long i, double* e) {
        const double w = 2 * std::numbers::pi * freq * static_cast<double>(i) / rate;
        e[0] = std::sin(w);
        e[1] = std::cos(w);
        e[2] = 1;
    };
    auto sample = [&](long i) { return static_cast<double>(pcm.at(static_cast<std::size_t>(i * channels + ch))); };
    for (long i = from; i < from + count; ++i) {
        double e[3];
        basis(i, e);
        for (int r = 0; r < 3; ++r) {
            v[r] += e[r] * sample(i);
            for (int c = 0; c < 3; ++c)
                m[r][c] += e[r] * e[c];
        }
    }
    auto det = [](const double a[3][3]) {
        return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) - a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
               a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    };
    const double d = det(m);
    double coef[3];
    for (int k = 0; k < 3; ++k) {
        double mk[3][3];
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                mk[r][c] = c == k ? v[r] : m[r][c];
        coef[k] = det(mk) / d;
    }
    double residual = 0;
    for (long i = from; i < from + count; ++i) {
        double e[3];
        basis(i, e);
        const double r = sample(i) - (coef[0] * e[0] + coef[1] * e[1] + coef[2] * e[2]);
        residual += r * r;
    }
    return {std::hypot(coef[0], coef[1]), std::sqrt(residual / static_cast<double>(count))};
}

double StrongestAboveDb(const std::vector<std::int16_t>& pcm, int channels, int ch, double rate, long from, long count,
                        double aboveHz)
{
    const auto n = static_cast<std::size_t>(count);
    std::vector<std::complex<double>> x(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = 2 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(n - 1);
        const double w = 0.35875 - 0.48829 * std::cos(t) + 0.14128 * std::cos(2 * t) - 0.01168 * std::cos(3 * t);
        x[i] = w * pcm.at((static_cast<std::size_t>(from) + i) * static_cast<std::size_t>(channels) +
                          static_cast<std::size_t>(ch));
    }
    Fft(x);
    double peak = 1e-30, above = 1e-30;
    for (std::size_t k = 1; k < n / 2; ++k) {
        const double power = std::norm(x[k]);
        peak = std::max(peak, power);
        if (static_cast<double>(k) * rate / static_cast<double>(n) > aboveHz)
            above = std::max(above, power);
    }
    return 10 * std::log10(above / peak);
}

// Reads an MPEG-1 Layer III header the way a decoder does.
std::optional<Mp3Header> ParseMp3Header(const std::uint8_t* h, std::size_t available)
{
    static const unsigned bitrates[] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
    static const unsigned rates[] = {44100, 48000, 32000, 0};
    if (available < 4 || h[0] != 0xFF || (h[1] & 0xE0) != 0xE0)
        return std::nullopt;
    if (((h[1] >> 3) & 3) != 3 || ((h[1] >> 1) & 3) != 1)  // MPEG-1, Layer III
        return std::nullopt;
    Mp3Header r{};
    r.crc = (h[1] & 1) == 0;
    r.kbps = bitrates[h[2] >> 4];
    r.rate = rates[(h[2] >> 2) & 3];
    if (r.kbps == 0 || r.rate == 0)
        return std::nullopt;
    r.padding = (h[2] >> 1) & 1;
    r.priv = h[2] & 1;
    r.mode = h[3] >> 6;
    r.copyright = (h[3] >> 3) & 1;
    r.original = (h[3] >> 2) & 1;
    r.emphasis = h[3] & 3;
    r.length = 144000 * r.kbps / r.rate + (r.padding ? 1 : 0);
    return r;
}

std::vector<Mp3Header> Mp3Frames(const std::vector<std::uint8_t>& bytes)
{
    std::vector<Mp3Header> frames;
    for (std::size_t at = 0; at < bytes.size();) {
        const auto h = ParseMp3Header(bytes.data() + at, bytes.size() - at);
        if (!h || at + h->length > bytes.size()) {
            ADD_FAILURE() << "no whole frame at byte " << at << " of " << bytes.size();
            break;
        }
        frames.push_back(*h);
        at += h->length;
    }
    return frames;
}

// Decodes a whole MP3 file with libmpg123, every frame in full (no gapless trimming).
DecodedMp3 DecodeMp3File(const std::string& path, bool gapless)
{
    DecodedMp3 d;
    mpg123_init();
    int err = MPG123_OK;
    std::unique_ptr<mpg123_handle, Mpg123Deleter> mh(mpg123_new(nullptr, &err));
    if (!mh) {
        ADD_FAILURE() << "mpg123_new: " << err;
        return d;
    }
    mpg123_param(mh.get(), gapless ? MPG123_ADD_FLAGS : MPG123_REMOVE_FLAGS, MPG123_GAPLESS, 0.0);
    mpg123_param(mh.get(), MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
    mpg123_format_none(mh.get());
    for (long rate : {32000L, 44100L, 48000L})
        mpg123_format(mh.get(), rate, MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    if (mpg123_open(mh.get(), path.c_str()) != MPG123_OK) {
        ADD_FAILURE() << "mpg123 cannot open " << path;
        return d;
    }
    int encoding = 0;
    if (mpg123_getformat(mh.get(), &d.rate, &d.channels, &encoding) != MPG123_OK) {
        ADD_FAILURE() << "mpg123 finds no format: " << mpg123_strerror(mh.get());
        return d;
    }
    std::vector<unsigned char> buffer(65536);
    for (;;) {
        std::size_t done = 0;
        const int r = mpg123_read(mh.get(), buffer.data(), buffer.size(), &done);
        const auto* samples = reinterpret_cast<const std::int16_t*>(buffer.data());
        d.pcm.insert(d.pcm.end(), samples, samples + done / 2);
        if (r == MPG123_DONE)
            break;
        if (r != MPG123_OK && r != MPG123_NEW_FORMAT) {
            ADD_FAILURE() << "mpg123_read: " << mpg123_plain_strerror(r);
            break;
        }
    }
    return d;
}

// Signal-to-noise in dB of decoded channel ch against the input shifted by delay samples.
double AlignedSnr(const std::vector<std::int16_t>& in, const DecodedMp3& out, int channels, int ch, long frames,
                  long delay)
{
    double signal = 0, noise = 0;
    // Skip the first and last frame: the encoder's start-up and the end of the tone.
    for (long i = kMp3FrameSamples; i < frames - kMp3FrameSamples; ++i) {
        const double x = in[static_cast<std::size_t>(i * channels + ch)];
        const double y = out.pcm[static_cast<std::size_t>((i + delay) * channels + ch)];
        signal += x * x;
        noise += (y - x) * (y - x);
    }
    return 10 * std::log10(signal / std::max(noise, 1.0));
}


long BestDelay(const std::vector<std::int16_t>& in, const DecodedMp3& out, int channels, int ch, long frames,
               long from, long to)
{
    long bestDelay = from;
    double best = -1e300;
    for (long delay = from; delay <= to; ++delay) {
        const double snr = AlignedSnr(in, out, channels, ch, frames, delay);
        if (snr > best) {
            best = snr;
            bestDelay = delay;
        }
    }
    return bestDelay;
}

bool HaveTool(const std::string& name)
{
    return ToolOutput("command -v " + name + " >/dev/null 2>&1 && echo yes").value_or("") == "yes\n";
}

std::optional<std::string> ToolOutput(const std::string& command)
{
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return std::nullopt;
    std::string out;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    if (::pclose(pipe) != 0)
        return std::nullopt;
    return out;
}

std::string ShellQuoted(const std::string& path)
{
    std::string q = "'";
    for (const char c : path)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::optional<AccurateRipReference> WhipperAccurateRip(const std::string& wave, int track, int tracks)
{
    const std::string args = " " + ShellQuoted(wave) + " " + std::to_string(track) + " " + std::to_string(tracks);
    const auto v1 = ToolOutput("accuraterip-checksum --accuraterip-v1" + args);
    const auto v2 = ToolOutput("accuraterip-checksum --accuraterip-v2" + args);
    if (!v1 || !v2 || v1->empty() || v2->empty())
        return std::nullopt;
    return AccurateRipReference{std::uint32_t(std::stoul(*v1, nullptr, 16)), std::uint32_t(std::stoul(*v2, nullptr, 16))};
}

std::uint32_t ZlibCrc32(const std::vector<std::uint8_t>& bytes)
{
    return std::uint32_t(crc32(crc32(0L, nullptr, 0), bytes.data(), uInt(bytes.size())));
}
