#include "mixer/OutputGuard.h"

#include "mpeg/MMBlade.h"
#include "platform/os/Dialogs.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Renames `from` to `to` unless something stands at `to`. The error number, 0 on success,
// EEXIST when the name is taken.
int renameNoReplace(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system without the no-replace rename: a hard link fails on a taken name too.
    if (::link(from.c_str(), to.c_str()) != 0)
        return errno;
    ::unlink(from.c_str());
    return 0;
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

void RefuseUnsafeOutput(const std::string& input, const std::string& output, const char* inputKind)
{
    if (samePath(input, output) || sameInode(input, output))
        throw EMP3EncoderError(std::string("The MP3 file cannot replace the ") + inputKind + " it is made from." +
                               kChooseAnother + "\n" + output);
    struct stat st {};
    if (::stat(output.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        throw EMP3EncoderError(std::string("The MP3 file cannot replace ") + kindOf(st.st_mode) + "." +
                               kChooseAnother + "\n" + output);
}

OutputSnapshot SnapshotOutput(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return {};
    return {true,
            static_cast<std::uint64_t>(st.st_dev),
            static_cast<std::uint64_t>(st.st_ino),
            static_cast<std::uint64_t>(st.st_size),
            static_cast<std::int64_t>(st.st_mtim.tv_sec),
            static_cast<std::int64_t>(st.st_mtim.tv_nsec)};
}

std::string PublishOutput(const std::string& staged, const std::string& target, const OutputSnapshot& before)
{
    const auto fail = [&](const std::string& name, int error) -> std::string {
        std::error_code ec;
        fs::remove(staged, ec);
        throw EMP3EncoderError("The MP3 file could not be saved.\n" + FileReasonLine(name, error));
    };
    int error = 0;
    if (before.exists && SnapshotOutput(target) == before)
        error = ::rename(staged.c_str(), target.c_str()) == 0 ? 0 : errno;
    else
        error = renameNoReplace(staged, target);
    if (error == 0)
        return target;
    if (error != EEXIST)
        return fail(target, error);

    if (AppDialogs().AskYesNo(target + "\nAnother program wrote this file while the MP3 file was being made. "
                                       "Replace it with the new MP3 file?")) {
        if (::rename(staged.c_str(), target.c_str()) != 0)
            return fail(target, errno);
        return target;
    }
    const fs::path path(target);
    for (int n = 2;; ++n) {
        const std::string other =
            (path.parent_path() / (path.stem().string() + " (" + std::to_string(n) + ")" + path.extension().string()))
                .string();
        error = renameNoReplace(staged, other);
        if (error == 0)
            return other;
        if (error != EEXIST)
            return fail(other, error);
    }
}
