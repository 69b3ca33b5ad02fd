#include "stream/MMWRec.h"

#include "platform/os/Dialogs.h"

#include <QCoreApplication>
#include <cstring>

namespace {
// Same size and the same bytes.
bool sameFormat(const TWaveFormatEx* a, const TWaveFormatEx* b)
{
    const std::size_t size = wioSizeOfWaveFormat(a);
    return size == wioSizeOfWaveFormat(b) && std::memcmp(a, b, size) == 0;
}
}  // namespace

TMMWaveRecorder::TMMWaveRecorder(std::string name)
    : TMMDSPComponent(name), waveIn_(std::make_unique<TMMWaveIn>(name + "WaveIn")),
      waveFile_(std::make_unique<TMMWaveFile>(name + "WaveFile"))
{
    wire();
}

TMMWaveRecorder::TMMWaveRecorder(IWaveInDevices* devices, std::string name)
    : TMMDSPComponent(name), waveIn_(std::make_unique<TMMWaveIn>(devices, name + "WaveIn")),
      waveFile_(std::make_unique<TMMWaveFile>(name + "WaveFile"))
{
    wire();
}

void TMMWaveRecorder::wire()
{
    waveFile_->Wave()->SetFileMustExist(false);
    // A take may run for longer than a RIFF file holds (4 GiB, 6 h 45 min at CD quality).
    waveFile_->Wave()->SetGrowsToRf64(true);
    waveFile_->Wave()->SetTimeFormat(tfByte);
    waveIn_->SetOutput(waveFile_.get());
    // The recorder publishes no Input; the wave file links into it all the same.
    SetAllowInputLink(true);
    waveFile_->SetOutput(this);
    SetAllowInputLink(false);

    waveFile_->OnChange = [this](TMMDSPComponent*) {
        waveChanging_ = true;
        waveIn_->Stop();
        waveIn_->Close();
        fire(OnChange, this);
    };
    waveFile_->OnChanged = [this](TMMDSPComponent*) { waveChanging_ = false; };
    waveFile_->OnClose = [this](TMMDSPComponent*) {
        waveIn_->Stop();
        waveIn_->Close();
    };
    waveIn_->OnOpen = [this](TMMDSPComponent*) { fire(OnStart, this); };
    waveIn_->OnStop = [this](TMMDSPComponent*) {
        waveIn_->Close();
        fire(OnStop, this);
    };
    waveIn_->OnPause = [this](TMMDSPComponent*) { fire(OnPause, this); };
    waveIn_->OnRestart = [this](TMMDSPComponent*) { fire(OnRestart, this); };
    waveIn_->OnBufferReady = [this](TMMDSPComponent*, TMMWaveHdr* h) {
        if (OnData)
            OnData(this, h);
    };
}

TMMWaveRecorder::~TMMWaveRecorder()
{
    waveIn_->OnStop = nullptr;
    waveIn_->OnOpen = nullptr;
    waveFile_->OnClose = nullptr;
    waveFile_->OnChange = nullptr;
    try {
        waveIn_->Stop();
    } catch (...) {
    }
    try {
        waveIn_->Close();
    } catch (...) {
    }
    Detach();
}

void TMMWaveRecorder::StartRecording()
{
    if (!waveIn_->IsStarted() && !Wave()->FileName().empty())
        waveIn_->Start();
}

void TMMWaveRecorder::StopRecording()
{
    waveIn_->Stop();
    waveIn_->Close();
}

void TMMWaveRecorder::SetBufferSize(int size)
{
    if (size != waveIn_->BufferSize())
        waveIn_->SetBufferSize(size);
    TMMDSPComponent::SetBufferSize(size);
}

void TMMWaveRecorder::SetTimeFormat(TMMTimeFormats format)
{
    waveIn_->SetTimeFormat(format);
    Wave()->SetTimeFormat(format);
}

std::string TMMWaveRecorder::InputFormat() const
{
    const TWaveFormatEx* f = waveIn_->GetWaveFormat();
    if (!f)
        return "Unknown";
    return wioGetFormatTagName(f->wFormatTag) + " " + wioGetFormatDescription(f);
}

void TMMWaveRecorder::SetInputFormat(const std::string&)
{
    AppDialogs().ShowMessage(
        QCoreApplication::translate("TMMWaveRecorder", "This is a read-only property, please use SelectFormat.").toStdString());
}

std::vector<std::uint8_t> TMMWaveRecorder::WriteWaveFormatEx() const
{
    const TWaveFormatEx* format = waveIn_->GetWaveFormat();
    const WaveFormatPtr copy = wioCopyWaveFormat(format);  // PCM: extra size 0
    if (!copy)
        return {};
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(copy.get());
    return {bytes, bytes + wioSizeOfWaveFormat(copy.get())};
}

void TMMWaveRecorder::ReadWaveFormatEx(std::span<const std::uint8_t> record)
{
    if (record.size() < sizeof(TWaveFormatEx))
        return;
    TWaveFormatEx head;
    std::memcpy(&head, record.data(), sizeof head);
    const std::size_t size = wioSizeOfWaveFormat(&head);
    if (record.size() < size)
        return;
    WaveFormatPtr format = wioAllocWaveFormat(size);
    std::memcpy(format.get(), record.data(), size);
    SetWaveFormat(format.get());
}

void TMMWaveRecorder::SetWaveFormat(const TWaveFormatEx* format)
{
    if (waveChanging_)
        return;
    const TWaveFormatEx* own = waveIn_ ? waveIn_->GetWaveFormat() : nullptr;
    if (format && waveIn_ && (!own || !sameFormat(format, own)))
        waveIn_->SetWaveFormat(format);
    else
        TMMDSPComponent::SetWaveFormat(format);
}
