#pragma once
// The component message table: every driver takes its texts from here by identifier.
#include <string>

namespace msg {
constexpr int ChangeWhileOpen = 28060;        // "Change to property while device was open"
constexpr int InvalidDeviceId = 28061;        // "Invalid DeviceID"
constexpr int AllocHeader = 28064;            // "Unable to allocate memory for wave header"
constexpr int FreeHeader = 28065;             // "Unable to free header memory"
constexpr int StartDevice = 28080;            // "Unable to start device"
constexpr int FillBuffer = 28081;             // "Error filling wave buffer"
constexpr int UnknownError = 28086;           // "Specified error number is out of range (unknown error)"
constexpr int CannotRecordFormat = 28087;     // "The actual device can't record this format"
constexpr int CreateThread = 28088;           // "Could not create thread"
constexpr int InvalidWaveFormat = 28089;      // "Invalid wave format"
constexpr int NoWaveInDevice = 28160;         // "No wave audio recording device found"
constexpr int OpenDevice = 28162;             // "Unable to open device"
constexpr int CloseDevice = 28163;            // "Unable to close device"
}  // namespace msg

// The text for a message identifier; an unknown identifier gives the "unknown error" text.
std::string LoadResString(int id);

// A device-step message: the step's prefix ("TriggerStart:"), a line feed and a carriage
// return, then the table text.
std::string StepMessage(const std::string& step, int id);
