#include "support/TestAlsa.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

TestAlsa::~TestAlsa()
{
    if (!installed_)
        return;
    if (hadPath_)
        ::setenv("ALSA_CONFIG_PATH", previousPath_.c_str(), 1);
    else
        ::unsetenv("ALSA_CONFIG_PATH");
}

void TestAlsa::AddCapture(const std::string& name, const std::vector<std::int16_t>& stereoSamples)
{
    const std::string input = dir_.File(name + ".in.raw");
    std::ofstream(input, std::ios::binary)
        .write(reinterpret_cast<const char*>(stereoSamples.data()), std::streamsize(stereoSamples.size() * 2));
    devices_ += "pcm." + name + " {\n  type file\n  slave.pcm \"null\"\n  file \"/dev/null\"\n  infile \"" + input +
                "\"\n  format \"raw\"\n}\n";
}

std::string TestAlsa::AddFifoCapture(const std::string& name)
{
    const std::string fifo = dir_.File(name + ".fifo");
    ::mkfifo(fifo.c_str(), 0600);
    devices_ += "pcm." + name + " {\n  type file\n  slave.pcm \"null\"\n  file \"/dev/null\"\n  infile \"" + fifo +
                "\"\n  format \"raw\"\n}\n";
    return fifo;
}

void TestAlsa::AddPlayback(const std::string& name)
{
    devices_ += "pcm." + name + " {\n  type file\n  slave.pcm \"null\"\n  file \"" + dir_.File(name + ".out.raw") +
                "\"\n  format \"raw\"\n}\n";
}

void TestAlsa::Install()
{
    const std::string config = dir_.File("asound.conf");
    std::ofstream(config) << "</usr/share/alsa/alsa.conf>\n" << devices_;
    if (!installed_) {
        if (const char* old = std::getenv("ALSA_CONFIG_PATH")) {
            hadPath_ = true;
            previousPath_ = old;
        }
    }
    installed_ = true;
    ::setenv("ALSA_CONFIG_PATH", config.c_str(), 1);
}

std::vector<std::int16_t> TestAlsa::Played(const std::string& name) const
{
    std::ifstream in(dir_.File(name + ".out.raw"), std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::int16_t> samples(bytes.size() / 2);
    std::copy(bytes.begin(), bytes.begin() + std::ptrdiff_t(samples.size() * 2), reinterpret_cast<char*>(samples.data()));
    return samples;
}
