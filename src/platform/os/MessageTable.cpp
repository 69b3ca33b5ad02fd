#include "platform/os/MessageTable.h"

#include <utility>

namespace {
struct Entry {
    int id;
    const char* text;
};
constexpr Entry kMessages[] = {
    {msg::ChangeWhileOpen, "Change to property while device was open"},
    {msg::InvalidDeviceId, "Invalid DeviceID"},
    {msg::AllocHeader, "Unable to allocate memory for wave header"},
    {msg::FreeHeader, "Unable to free header memory"},
    {msg::StartDevice, "Unable to start device"},
    {msg::FillBuffer, "Error filling wave buffer"},
    {msg::UnknownError, "Specified error number is out of range (unknown error)"},
    {msg::CannotRecordFormat, "The actual device can't record this format"},
    {msg::CreateThread, "Could not create thread"},
    {msg::InvalidWaveFormat, "Invalid wave format"},
    {msg::NoWaveInDevice, "No wave audio recording device found"},
    {msg::OpenDevice, "Unable to open device"},
    {msg::CloseDevice, "Unable to close device"},
};
}  // namespace

std::string LoadResString(int id)
{
    for (const Entry& e : kMessages)
        if (e.id == id)
            return e.text;
    return LoadResString(msg::UnknownError);
}

std::string StepMessage(const std::string& step, int id)
{
    return step + "\n\r" + LoadResString(id);
}
