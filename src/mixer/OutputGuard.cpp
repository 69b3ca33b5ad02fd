#include "mixer/OutputGuard.h"

#include "mpeg/MMBlade.h"

#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {
constexpr const char* kChooseAnother = " Choose another name for the MP3 file.";

bool samePath(const std::string& a, const std::string& b)
{
    if (a.empty() || b.empty())
        return false;  // no file chosen is no file at risk
    std::error_code ea, eb;
    const fs::path ca = fs::weakly_canonical(a, ea);
    const fs::path cb = fs::weakly_canonical(b, eb);
    return !ea && !eb && ca == cb;
}

bool sameInode(const std::string& a, const std::string& b)
{
    struct stat sa {}, sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

const char* kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a named pipe";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISSOCK(mode))
        return "a socket";
    return "something that is not a regular file";
}
}  // namespace

void RefuseUnsafeOutput(const std::string& input, const std::string& output)
{
    if (samePath(input, output) || sameInode(input, output))
        throw EMP3EncoderError(std::string("The MP3 file cannot replace the wave file it is made from.") +
                               kChooseAnother + "\n" + output);
    struct stat st {};
    if (::stat(output.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        throw EMP3EncoderError(std::string("The MP3 file cannot replace ") + kindOf(st.st_mode) + "." +
                               kChooseAnother + "\n" + output);
}
