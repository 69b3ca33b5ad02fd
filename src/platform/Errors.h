#pragma once
// The root of every error the program raises on purpose. Each component has its own class
// (EMMWaveError, EMMTriggerError, ...) so that callers can tell them apart; all carry the
// text the user sees.
#include <stdexcept>
#include <string>

class EMervaneError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A settings write the system refused: "Unable to write to <file>".
class EProfileWriteError : public EMervaneError {
public:
    using EMervaneError::EMervaneError;
};
