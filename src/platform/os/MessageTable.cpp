#include "platform/os/MessageTable.h"

#include <QCoreApplication>

#include <utility>

namespace {
struct Entry {
    int id;
    const char* text;
};
constexpr Entry kMessages[] = {
    {msg::ChangeWhileOpen, QT_TRANSLATE_NOOP("MessageTable", "Change to property while device was open")},
    {msg::InvalidDeviceId, QT_TRANSLATE_NOOP("MessageTable", "Invalid DeviceID")},
    {msg::AllocHeader, QT_TRANSLATE_NOOP("MessageTable", "Unable to allocate memory for wave header")},
    {msg::FreeHeader, QT_TRANSLATE_NOOP("MessageTable", "Unable to free header memory")},
    {msg::StartDevice, QT_TRANSLATE_NOOP("MessageTable", "Unable to start device")},
    {msg::FillBuffer, QT_TRANSLATE_NOOP("MessageTable", "Error filling wave buffer")},
    {msg::UnknownError, QT_TRANSLATE_NOOP("MessageTable", "Specified error number is out of range (unknown error)")},
    {msg::CannotRecordFormat, QT_TRANSLATE_NOOP("MessageTable", "The actual device can't record this format")},
    {msg::CreateThread, QT_TRANSLATE_NOOP("MessageTable", "Could not create thread")},
    {msg::InvalidWaveFormat, QT_TRANSLATE_NOOP("MessageTable", "Invalid wave format")},
    {msg::NoWaveInDevice, QT_TRANSLATE_NOOP("MessageTable", "No wave audio recording device found")},
    {msg::OpenDevice, QT_TRANSLATE_NOOP("MessageTable", "Unable to open device")},
    {msg::CloseDevice, QT_TRANSLATE_NOOP("MessageTable", "Unable to close device")},
};
}  // namespace

std::string LoadResString(int id)
{
    for (const Entry& e : kMessages)
        if (e.id == id)
            return QCoreApplication::translate("MessageTable", e.text).toStdString();
    return LoadResString(msg::UnknownError);
}

std::string StepMessage(const std::string& step, int id)
{
    return step + "\n\r" + LoadResString(id);
}
