#include "ChainProbes.h"
#include "platform/os/MessageTarget.h"
#include "support/RunEvents.h"
#include "wave/MMObj.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

TEST(ChainLinks, RefusedLinksChangeNothing)
{
    Probe a("A", nullptr), b("B", nullptr), c("C", nullptr);
    a.SetOutput(&b);
    b.SetOutput(&c);
    EXPECT_EQ(b.Input(), &a);
    EXPECT_EQ(a.OutputLinkName(), "Input");
    EXPECT_EQ(b.InputLinkName(), "Output");
    a.SetInput(&a);
    EXPECT_EQ(a.Input(), nullptr);
    a.SetInput(&c);  // would close a loop
    EXPECT_EQ(a.Input(), nullptr);
    EXPECT_EQ(c.Output(), nullptr);
    c.SetOutput(&a);  // the same loop from the other end
    EXPECT_EQ(c.Output(), nullptr);
    // A component that publishes no Output can only feed one that allows the link.
    Probe hidden("H", nullptr, false), d("D", nullptr);
    d.SetInput(&hidden);
    EXPECT_EQ(d.Input(), nullptr);
    hidden.AllowLinks(true);
    d.SetInput(&hidden);
    EXPECT_EQ(d.Input(), &hidden);
    EXPECT_EQ(hidden.Output(), &d);
}

TEST(ChainLinks, RepointingOneEndClearsTheOldPartner)
{
    Probe a("A", nullptr), b("B", nullptr), c("C", nullptr);
    a.SetOutput(&b);
    c.SetOutput(&b);
    EXPECT_EQ(a.Output(), nullptr);
    EXPECT_EQ(b.Input(), &c);
    EXPECT_EQ(c.Output(), &b);
    // And from the input side: B takes A as input, C loses its output.
    b.SetInput(&a);
    EXPECT_EQ(c.Output(), nullptr);
    EXPECT_EQ(a.Output(), &b);
}

TEST(ChainLinks, DestroyingTheMiddleLeavesBothEndsUnlinked)
{
    Probe a("A", nullptr), c("C", nullptr);
    {
        Probe b("B", nullptr);
        a.SetOutput(&b);
        b.SetOutput(&c);
        ASSERT_EQ(c.Input(), &b);
    }
    EXPECT_EQ(a.Output(), nullptr);
    EXPECT_EQ(c.Input(), nullptr);
    // Also for a neighbour linked without a published property.
    Probe d("D", nullptr);
    {
        Probe hidden("H", nullptr, false);
        hidden.AllowLinks(true);
        d.SetInput(&hidden);
        ASSERT_EQ(d.Input(), &hidden);
    }
    EXPECT_EQ(d.Input(), nullptr);
    const auto& list = TMMDSPComponent::DSPComponentList();
    EXPECT_EQ(std::count(list.begin(), list.end(), &d), 1);
    EXPECT_EQ(list.size(), 3u);
}

TEST(ChainFormat, FormatsFlowDownAsSeparateCopies)
{
    Probe a("A", nullptr), b("B", nullptr), c("C", nullptr);
    a.SetOutput(&b);
    b.SetOutput(&c);
    const TWaveFormatEx cd = pcmWaveFormat(16, 2, 44100);
    a.SetWaveFormat(&cd);
    ASSERT_TRUE(c.GetWaveFormat());
    EXPECT_TRUE(SameFormat(c.GetWaveFormat(), &cd));
    EXPECT_NE(a.GetWaveFormat(), b.GetWaveFormat());
    EXPECT_NE(b.GetWaveFormat(), c.GetWaveFormat());
    EXPECT_NE(a.GetWaveFormat(), &cd);
    // Unlinking B from A clears B's (and so C's) format but not A's own.
    b.SetInput(nullptr);
    EXPECT_TRUE(a.GetWaveFormat());
    EXPECT_FALSE(b.GetWaveFormat());
    EXPECT_FALSE(c.GetWaveFormat());
    // A later link pulls the upstream format.
    b.SetInput(&a);
    EXPECT_TRUE(SameFormat(c.GetWaveFormat(), &cd));
    // At the head of a chain, linking pushes the head's format down.
    Probe head("Head", nullptr), tail("Tail", nullptr);
    const TWaveFormatEx mono = pcmWaveFormat(8, 1, 8000);
    head.SetWaveFormat(&mono);
    head.SetOutput(&tail);
    EXPECT_TRUE(SameFormat(tail.GetWaveFormat(), &mono));
}

TEST(ChainBuffers, RealBufferSizeIsWholeBlocks)
{
    Probe p("P", nullptr);
    TWaveFormatEx f = pcmWaveFormat(16, 2, 44100);
    p.SetWaveFormat(&f);
    p.SetBufferSize(1000);
    p.Open();
    EXPECT_EQ(p.GetBufferSize(), 1000);
    p.Close();
    f = pcmWaveFormat(16, 3, 44100);  // block alignment 6
    p.SetWaveFormat(&f);
    p.Open();
    EXPECT_EQ(p.GetBufferSize(), 996);
    p.Close();
    f = pcmWaveFormat(16, 2, 44100);
    p.SetWaveFormat(&f);
    p.SetBufferSize(2);
    p.Open();
    EXPECT_EQ(p.GetBufferSize(), 4);
    p.Close();
    EXPECT_EQ(p.GetBufferSize(), 2);
}

TEST(ChainDrivers, OperationsSpreadFromADriverToTheNextOne)
{
    std::vector<std::string> log;
    Probe p1("P1", &log), p2("P2", &log), p3("P3", &log), p4("P4", &log);
    ProbeDriver d("D", &log), d2("D2", &log);
    p1.SetOutput(&p2);
    p2.SetOutput(&d);
    d.SetOutput(&p3);
    p3.SetOutput(&d2);
    d2.SetOutput(&p4);
    d.SetBufferSize(4096);
    log.clear();  // linking stops components
    d.Open();
    EXPECT_EQ(log, (std::vector<std::string>{"D.Open", "P1.Open(4096)", "P2.Open(4096)", "P3.Open(4096)", "D2.Open",
                                             "P4.Open(4096)"}));
    EXPECT_FALSE(d.DriverUpstream());
    EXPECT_TRUE(d2.DriverUpstream()) << "D2 found D above it";
    EXPECT_EQ(d2.BufferSize(), 4096);
    log.clear();
    d.Start();
    EXPECT_EQ(log, (std::vector<std::string>{"D.Start", "P1.Start", "P2.Start", "P3.Start", "D2.Start", "P4.Start"}));
    log.clear();
    d.Close();
    // The driver below closes first (with its own part of the chain), then ours.
    EXPECT_EQ(log, (std::vector<std::string>{"D.Close", "D2.Close", "P4.Close", "P1.Close", "P2.Close", "P3.Close"}));
    log.clear();
    d.Pause();
    // D2 takes the pause over its own part of the chain.
    EXPECT_EQ(log, (std::vector<std::string>{"P1.Pause", "P2.Pause", "P3.Pause", "P4.Pause"}));
    // A chain boundary ends the upward walk of Open at that component.
    log.clear();
    p2.SetChainBoundary(true);
    d.Open();
    EXPECT_EQ(log.at(1), "P2.Open(4096)");
    EXPECT_EQ(std::count(log.begin(), log.end(), "P1.Open(4096)"), 0);
}

TEST(ChainHandshake, LoadPullsFromTheInputAndReadyPushesDown)
{
    MemorySource src({1, 2, 3, 4, 5});
    Probe mid("M", nullptr);
    MemorySink sink;
    src.SetOutput(&mid);
    mid.SetOutput(&sink);
    std::vector<std::string> events;
    mid.OnBufferLoad = [&](TMMDSPComponent*, TMMWaveHdr* h, bool&) {
        events.push_back("load " + std::to_string(h->dwBytesRecorded));
    };
    mid.OnBufferLoaded = [&](TMMDSPComponent*, TMMWaveHdr* h) { events.push_back("loaded " + std::to_string(h->dwBytesRecorded)); };
    mid.OnBufferReady = [&](TMMDSPComponent*, TMMWaveHdr*) { events.push_back("ready"); };
    TMMBufferBlock block(4);
    TMMWaveHdr* h = block.Header();
    EXPECT_EQ(h->lpData, reinterpret_cast<std::uint8_t*>(h) + 60);
    bool more = false;
    mid.BufferLoad(h, more);
    EXPECT_TRUE(more);
    EXPECT_EQ(h->dwBytesRecorded, 4);
    mid.BufferReady(h);
    h->dwBytesRecorded = 0;
    more = false;
    mid.BufferLoad(h, more);
    EXPECT_FALSE(more);
    h->dwBytesRecorded = 0;
    mid.BufferLoad(h, more);  // nothing left: no "loaded"
    EXPECT_EQ(events, (std::vector<std::string>{"load 0", "loaded 4", "ready", "load 0", "loaded 1", "load 0"}));
    EXPECT_EQ(sink.received, (std::vector<std::uint8_t>{1, 2, 3, 4}));
}

namespace {
class SyncThread : public TMMDSPThread {
public:
    SyncThread(TMMCustomSoundComponent* owner, TMMDSPComponent* sender, std::atomic<bool>* onMain, std::atomic<bool>* done)
        : TMMDSPThread(owner), sender_(sender), onMain_(onMain), done_(done) {}
    ~SyncThread() override { Join(); }

protected:
    void Execute() override
    {
        SynchronizeEvent([this](TMMDSPComponent* s) { *onMain_ = IsMainThread() && s == sender_; }, sender_);
        *done_ = true;
    }

private:
    TMMDSPComponent* sender_;
    std::atomic<bool>* onMain_;
    std::atomic<bool>* done_;
};
}  // namespace

TEST(ChainThreads, SynchronizeEventRunsOnTheMainThreadOnlyForChainWorkers)
{
    std::vector<std::string> log;
    ProbeDriver owner("D", &log);
    std::atomic<bool> onMain{false}, done{false};
    {
        SyncThread t(&owner, &owner, &onMain, &done);
        ASSERT_TRUE(t.Resume());
        ASSERT_TRUE(RunEventsUntil([&] { return done.load(); }));
    }
    EXPECT_TRUE(onMain);
    // A thread that is no chain worker calls the event directly.
    bool onCaller = false;
    std::thread([&] {
        SynchronizeEvent([&](TMMDSPComponent*) { onCaller = !IsMainThread(); }, &owner);
    }).join();
    EXPECT_TRUE(onCaller);
}

TEST(MMObject, UpdatesBundleChangesAndObserversRunLastFirst)
{
    TMMObject o;
    int changes = 0;
    o.OnChange = [&](TMMObject*) { ++changes; };
    o.BeginUpdate();
    o.BeginUpdate();
    o.EndUpdate();
    EXPECT_EQ(changes, 0);
    o.EndUpdate();
    EXPECT_EQ(changes, 1);
    o.EndUpdate();  // unbalanced: ignored
    EXPECT_EQ(changes, 1);

    std::vector<int> order;
    auto observable = std::make_unique<TMMObservable>();
    TMMObserver first, second;
    first.OnNotify = [&](TMMObserver*, void* d) { order.push_back(1 + *static_cast<int*>(d)); };
    second.OnNotify = [&](TMMObserver*, void* d) { order.push_back(2 + *static_cast<int*>(d)); };
    observable->AddObserver(&first);
    observable->AddObserver(&second);
    observable->AddObserver(nullptr);
    int data = 10;
    observable->NotifyObservers(&data);
    EXPECT_EQ(order, (std::vector<int>{12, 11}));
    // Moving an observer to another observable takes it out of the first.
    TMMObservable other;
    other.AddObserver(&first);
    EXPECT_EQ(observable->Count(), 1u);
    EXPECT_EQ(first.Observable(), &other);
    observable.reset();
    EXPECT_EQ(second.Observable(), nullptr);
}
