#include "mixer/OutputGuard.h"

#include "mpeg/MMBlade.h"
#include "platform/os/Dialogs.h"
#include "platform/os/OwnedFile.h"

#include <QCoreApplication>

#include <cerrno>
#include <filesystem>

namespace fs = std::filesystem;

namespace {
QString replacesInput(OutputInput kind)
{
    switch (kind) {
    case OutputInput::MidiFile:
        return QCoreApplication::translate("OutputGuard", "The MP3 file cannot replace the MIDI file it is made from. Choose another name for the MP3 file.");
    case OutputInput::Recording:
        return QCoreApplication::translate("OutputGuard", "The MP3 file cannot replace the recording it is made from. Choose another name for the MP3 file.");
    default:
        return QCoreApplication::translate("OutputGuard", "The MP3 file cannot replace the wave file it is made from. Choose another name for the MP3 file.");
    }
}

QString replacesOther(FileKind kind)
{
    switch (kind) {
    case FileKind::Directory:
        return QCoreApplication::translate("OutputGuard", "The MP3 file cannot replace a folder. Choose another name for the MP3 file.");
    case FileKind::NamedPipe:
        return QCoreApplication::translate("OutputGuard", "The MP3 file cannot replace a named pipe. Choose another name for the MP3 file.");
    case FileKind::Device:
        return QCoreApplication::translate("OutputGuard", "The MP3 file cannot replace a device. Choose another name for the MP3 file.");
    case FileKind::Socket:
        return QCoreApplication::translate("OutputGuard", "The MP3 file cannot replace a socket. Choose another name for the MP3 file.");
    default:
        return QCoreApplication::translate("OutputGuard", 
            "The MP3 file cannot replace something that is not a regular file. Choose another name for the MP3 file.");
    }
}

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

void RefuseUnsafeOutput(const std::string& input, const std::string& output, OutputInput inputKind)
{
    if (samePath(input, output) || sameInode(input, output))
        throw EMP3EncoderError(replacesInput(inputKind).toStdString() + "\n" + output);
    const FileStatus status = StatusOfPath(output);
    if (status.error == 0 && status.kind != FileKind::Regular)
        throw EMP3EncoderError(replacesOther(status.kind).toStdString() + "\n" + output);
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
        throw EMP3EncoderError(QCoreApplication::translate("OutputGuard", "The MP3 file could not be saved.").toStdString() + "\n" +
                               FileReasonLine(name, error));
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

    if (AppDialogs().AskYesNo(target + "\n" +
                              QCoreApplication::translate("OutputGuard", "Another program wrote this file while the MP3 file was being made. "
                                                         "Replace it with the new MP3 file?")
                                  .toStdString())) {
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
