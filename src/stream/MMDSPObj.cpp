#include "stream/MMDSPObj.h"

#include "platform/os/MessageTarget.h"

#include <algorithm>

namespace {
constexpr std::size_t kLinkNameLength = 20;
constexpr const char* kInput = "Input";
constexpr const char* kOutput = "Output";

// Every live component in order of creation; created and destroyed on the main thread.
std::unique_ptr<std::vector<TMMDSPComponent*>>& componentList()
{
    static std::unique_ptr<std::vector<TMMDSPComponent*>> list;
    return list;
}

// Every live chain worker with the id of its running thread (a default id until it
// runs). Guarded by threadListMutex: workers read it while the main thread changes it.
struct ThreadEntry {
    TMMDSPThread* thread;
    std::thread::id id;
};
std::mutex threadListMutex;
std::unique_ptr<std::vector<ThreadEntry>> threadList;

const std::vector<TMMDSPComponent*> kNoComponents;
}  // namespace

TMMBufferBlock::TMMBufferBlock(std::size_t size)
    : block_(new std::uint8_t[sizeof(TMMWaveHdr) + size]()), size_(size)
{
    TMMWaveHdr* h = Header();
    h->lpData = block_.get() + sizeof(TMMWaveHdr);
    h->dwBufferLength = static_cast<std::uint32_t>(size);
}

// ---------------------------------------------------------------- TMMDSPComponent

TMMDSPComponent::TMMDSPComponent(std::string name) : Name(std::move(name))
{
    auto& list = componentList();
    if (!list)
        list = std::make_unique<std::vector<TMMDSPComponent*>>();
    list->push_back(this);
}

TMMDSPComponent::~TMMDSPComponent()
{
    Detach();
    auto& list = componentList();
    if (list) {
        list->erase(std::remove(list->begin(), list->end(), this), list->end());
        if (list->empty())
            list.reset();
    }
}

const std::vector<TMMDSPComponent*>& TMMDSPComponent::DSPComponentList()
{
    const auto& list = componentList();
    return list ? *list : kNoComponents;
}

void TMMDSPComponent::Detach()
{
    if (detached_)
        return;
    detached_ = true;
    destroying_ = true;
    SetInput(nullptr);
    SetOutput(nullptr);
    SetWaveFormat(nullptr);
    // Neighbours that linked here without a published property still point at us.
    if (const auto& list = componentList()) {
        const std::vector<TMMDSPComponent*> snapshot = *list;
        for (TMMDSPComponent* c : snapshot)
            if (c != this)
                c->RemovalNotice(this);
    }
}

void TMMDSPComponent::RemovalNotice(TMMDSPComponent* removed)
{
    if (input_ == removed)
        SetInput(nullptr);
    else if (output_ == removed)
        SetOutput(nullptr);
}

void TMMDSPComponent::BroadcastLinkChange(TMMDSPComponent* component, TMMLinkSide side, const std::string& name)
{
    const auto& list = componentList();
    if (!list)
        return;
    const std::vector<TMMDSPComponent*> snapshot = *list;
    for (TMMDSPComponent* c : snapshot)
        c->LinkChanged(component, side, name);
}

void TMMDSPComponent::LinkChanged(TMMDSPComponent* component, TMMLinkSide side, const std::string& name)
{
    if (!component)
        return;
    // Does `component` publish a property called `name` that holds this component?
    const auto holdsMe = [&] {
        if (name == kInput)
            return component->PublishesInput() && component->Input() == this;
        if (name == kOutput)
            return component->PublishesOutput() && component->Output() == this;
        return false;
    };
    if (side == lsInput) {
        if (component == output_ && outputLinkName_ == name && holdsMe())
            SetOutputLink(nullptr, "");
    } else {
        if (component == input_ && inputLinkName_ == name && holdsMe())
            SetInputLink(nullptr, "");
    }
}

void TMMDSPComponent::SetInputLink(TMMDSPComponent* component, std::string name)
{
    input_ = component;
    if (name.size() > kLinkNameLength)
        name.resize(kLinkNameLength);
    inputLinkName_ = std::move(name);
}

void TMMDSPComponent::SetOutputLink(TMMDSPComponent* component, std::string name)
{
    output_ = component;
    if (name.size() > kLinkNameLength)
        name.resize(kLinkNameLength);
    outputLinkName_ = std::move(name);
}

bool TMMDSPComponent::CanConnectInput(TMMDSPComponent* component)
{
    if (!component || component == this)
        return false;
    if (!component->PublishesOutput() && !component->allowOutputLink_)
        return false;
    return output_ ? output_->CanConnectInput(component) : true;
}

bool TMMDSPComponent::CanConnectOutput(TMMDSPComponent* component)
{
    if (!component || component == this)
        return false;
    if (!component->PublishesInput() && !component->allowInputLink_)
        return false;
    return input_ ? input_->CanConnectOutput(component) : true;
}

void TMMDSPComponent::SetInput(TMMDSPComponent* component)
{
    if (component == input_ || (component && !CanConnectInput(component)))
        return;
    Stop();
    if (input_) {
        BroadcastLinkChange(this, lsInput, kInput);
        SetInputLink(nullptr, "");
        ReceiveWaveFormat(nullptr);
    }
    if (!component)
        return;
    BroadcastLinkChange(component, lsOutput, kOutput);
    SetInputLink(component, kOutput);
    component->SetOutputLink(this, kInput);
    UpdateFormat();
}

void TMMDSPComponent::SetOutput(TMMDSPComponent* component)
{
    if (component == output_ || (component && !CanConnectOutput(component)))
        return;
    Stop();
    if (output_) {
        BroadcastLinkChange(this, lsOutput, kOutput);
        output_->ReceiveWaveFormat(nullptr);
        SetOutputLink(nullptr, "");
    }
    if (!component)
        return;
    BroadcastLinkChange(component, lsInput, kInput);
    SetOutputLink(component, kInput);
    component->SetInputLink(this, kOutput);
    UpdateFormat();
}

void TMMDSPComponent::ReceiveWaveFormat(const TWaveFormatEx* format)
{
    SetWaveFormat(format);
}

void TMMDSPComponent::SetWaveFormat(const TWaveFormatEx* format)
{
    if (format != format_.get()) {
        if (started_)
            Stop();
        format_ = wioCopyWaveFormat(format);
    }
    if (!destroying_ && output_)
        output_->ReceiveWaveFormat(GetWaveFormat());
}

void TMMDSPComponent::UpdateFormat()
{
    if (destroying_)
        return;
    if (input_)
        ReceiveWaveFormat(input_->GetWaveFormat());
    else if (output_)
        output_->ReceiveWaveFormat(GetWaveFormat());
}

int TMMDSPComponent::GetBufferSize() const
{
    return opened_ ? realBufferSize_ : bufferSize_;
}

void TMMDSPComponent::SetBufferSize(int size)
{
    if (size == bufferSize_)
        return;
    if (started_)
        Stop();
    bufferSize_ = size;
}

void TMMDSPComponent::Open()
{
    if (opened_)
        return;
    const TWaveFormatEx* f = GetWaveFormat();
    if (f && f->nBlockAlign > 0)
        realBufferSize_ = std::max(bufferSize_ - bufferSize_ % f->nBlockAlign, static_cast<int>(f->nBlockAlign));
    else
        realBufferSize_ = bufferSize_;
    opened_ = true;
}

void TMMDSPComponent::Close()
{
    opened_ = false;
}

void TMMDSPComponent::Start()
{
    if (opened_ && !started_)
        started_ = true;
}

void TMMDSPComponent::Stop()
{
    started_ = false;
}

void TMMDSPComponent::BufferReady(TMMWaveHdr* lpWaveHdr)
{
    if (OnBufferReady)
        OnBufferReady(this, lpWaveHdr);
    if (output_)
        output_->BufferReady(lpWaveHdr);
}

void TMMDSPComponent::BufferLoad(TMMWaveHdr* lpWaveHdr, bool& moreBuffers)
{
    if (OnBufferLoad)
        OnBufferLoad(this, lpWaveHdr, moreBuffers);
    if (input_)
        input_->BufferLoad(lpWaveHdr, moreBuffers);
    if (OnBufferLoaded && lpWaveHdr->dwBytesRecorded > 0)
        OnBufferLoaded(this, lpWaveHdr);
}

// ---------------------------------------------------------------- TMMCustomSoundComponent

TMMDSPComponent* TMMCustomSoundComponent::walkUp(bool honourBoundary)
{
    driverUpstream_ = false;
    TMMDSPComponent* start = this;
    TMMDSPComponent* c = this;
    while (c->Input()) {
        if (honourBoundary && c != this && c->ChainBoundary())
            break;
        TMMDSPComponent* next = c->Input();
        if (next->IsDriver()) {
            driverUpstream_ = true;
            return this;
        }
        c = next;
        start = c;
    }
    return start;
}

TMMDSPComponent* TMMCustomSoundComponent::nextDriverBelow() const
{
    for (TMMDSPComponent* c = Output(); c; c = c->Output())
        if (c->IsDriver())
            return c;
    return nullptr;
}

void TMMCustomSoundComponent::apply(TMMDSPComponent* c, Op op)
{
    switch (op) {
    case Op::Open: c->Open(); break;
    case Op::Close: c->Close(); break;
    case Op::Start: c->Start(); break;
    case Op::Pause: c->Pause(); break;
    case Op::Restart: c->Restart(); break;
    case Op::Stop: c->Stop(); break;
    case Op::Reset: c->Reset(); break;
    }
}

void TMMCustomSoundComponent::walkDown(TMMDSPComponent* start, Op op, bool withBufferSize)
{
    const bool endsAtDriver = op == Op::Open || op == Op::Start || op == Op::Pause || op == Op::Restart ||
                              op == Op::Reset;
    for (TMMDSPComponent* c = start; c; c = c->Output()) {
        if (c == this)
            continue;
        if (c->IsDriver()) {
            // Opening calls the next driver too; Close and Stop have reached it already.
            if (endsAtDriver) {
                if (withBufferSize)
                    c->SetBufferSize(GetBufferSize());
                apply(c, op);
            }
            break;
        }
        if (withBufferSize)
            c->SetBufferSize(GetBufferSize());
        apply(c, op);
    }
}

void TMMCustomSoundComponent::ChainOpen()
{
    walkDown(walkUp(true), Op::Open, true);
    TMMDSPComponent::Open();
}

void TMMCustomSoundComponent::ChainStart()
{
    walkDown(walkUp(true), Op::Start, false);
    TMMDSPComponent::Start();
}

void TMMCustomSoundComponent::ChainPause()
{
    walkDown(walkUp(false), Op::Pause, false);
    TMMDSPComponent::Pause();
}

void TMMCustomSoundComponent::ChainRestart()
{
    walkDown(walkUp(false), Op::Restart, false);
    TMMDSPComponent::Restart();
}

void TMMCustomSoundComponent::ChainReset()
{
    walkDown(walkUp(false), Op::Reset, false);
    TMMDSPComponent::Reset();
}

void TMMCustomSoundComponent::ChainClose()
{
    if (TMMDSPComponent* below = nextDriverBelow())
        below->Close();
    walkDown(walkUp(false), Op::Close, false);
    TMMDSPComponent::Close();
}

void TMMCustomSoundComponent::ChainStop()
{
    if (TMMDSPComponent* below = nextDriverBelow())
        below->Stop();
    walkDown(walkUp(false), Op::Stop, false);
    TMMDSPComponent::Stop();
}

// ---------------------------------------------------------------- TMMDSPThread

TMMDSPThread::TMMDSPThread(TMMCustomSoundComponent* owner) : owner_(owner)
{
    std::lock_guard lock(threadListMutex);
    if (!threadList)
        threadList = std::make_unique<std::vector<ThreadEntry>>();
    threadList->push_back({this, {}});
}

TMMDSPThread::~TMMDSPThread()
{
    Join();
    std::lock_guard lock(threadListMutex);
    if (threadList) {
        std::erase_if(*threadList, [this](const ThreadEntry& e) { return e.thread == this; });
        if (threadList->empty())
            threadList.reset();
    }
}

bool TMMDSPThread::Resume()
{
    if (thread_.joinable())
        return true;
    try {
        // The entry gets the id under the lock before the new thread can look itself up.
        std::lock_guard lock(threadListMutex);
        thread_ = std::thread([this] { Execute(); });
        for (ThreadEntry& e : *threadList)
            if (e.thread == this)
                e.id = thread_.get_id();
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void TMMDSPThread::Join()
{
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id())
        thread_.join();
}

bool TMMDSPThread::IsDSPThread()
{
    const std::thread::id me = std::this_thread::get_id();
    std::lock_guard lock(threadListMutex);
    if (!threadList)
        return false;
    return std::any_of(threadList->begin(), threadList->end(), [&](const ThreadEntry& e) { return e.id == me; });
}

void SynchronizeEvent(const TNotifyEvent& event, TMMDSPComponent* sender)
{
    if (!event)
        return;
    if (!IsMainThread() && TMMDSPThread::IsDSPThread())
        RunOnMainThread([&] { event(sender); });
    else
        event(sender);
}
