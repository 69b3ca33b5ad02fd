#pragma once
// The root of every error the program raises on purpose. Each component has its own class
// (EMMWaveError, EMMTriggerError, ...) so that callers can tell them apart; all carry the
// text the user sees.
#include <stdexcept>
#include <string>
#include <system_error>

class EMervaneError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A settings write the system refused: "Unable to write to <file>".
class EProfileWriteError : public EMervaneError {
public:
    using EMervaneError::EMervaneError;
};

// The second line the program adds to a message about a file: "<file>: <the system's
// reason for the error code>" (errno values). Any thread.
inline std::string FileReasonLine(const std::string& fileName, int error)
{
    return fileName + ": " + std::system_category().message(error);
}
