#include "mixer/OutputGuard.h"

#include "mpeg/MMBlade.h"
#include "platform/os/Dialogs.h"
#include "platform/os/OwnedFile.h"

#include <cerrno>
#include <filesystem>

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
    const FileStatus sa = StatusOfPath(a);
    const FileStatus sb = StatusOfPath(b);
    return sa.error == 0 && sb.error == 0 && sa.device == sb.device && sa.inode == sb.inode;
}
}  // namespace

void RefuseUnsafeOutput(const std::string& input, const std::string& output, const char* inputKind)
{
    if (samePath(input, output) || sameInode(input, output))
        throw EMP3EncoderError(std::string("The MP3 file cannot replace the ") + inputKind + " it is made from." +
                               kChooseAnother + "\n" + output);
    const FileStatus status = StatusOfPath(output);
    if (status.error == 0 && status.kind != FileKind::Regular)
        throw EMP3EncoderError(std::string("The MP3 file cannot replace ") + FileKindName(status.kind) + "." +
                               kChooseAnother + "\n" + output);
}

OutputSnapshot SnapshotOutput(const std::string& path)
{
    const FileStatus status = StatusOfPath(path);
    if (status.error != 0)
        return {};
    return {true, status.device, status.inode, status.size, status.modifiedSeconds, status.modifiedNanoseconds};
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
        error = RenameOver(staged, target);
    else
        error = RenameNoReplace(staged, target);
    if (error == 0)
        return target;
    if (error != EEXIST)
        return fail(target, error);

    if (AppDialogs().AskYesNo(target + "\nAnother program wrote this file while the MP3 file was being made. "
                                       "Replace it with the new MP3 file?")) {
        if (const int renamed = RenameOver(staged, target); renamed != 0)
            return fail(target, renamed);
        return target;
    }
    const fs::path path(target);
    for (int n = 2;; ++n) {
        const std::string other =
            (path.parent_path() / (path.stem().string() + " (" + std::to_string(n) + ")" + path.extension().string()))
                .string();
        error = RenameNoReplace(staged, other);
        if (error == 0)
            return other;
        if (error != EEXIST)
            return fail(other, error);
    }
}
