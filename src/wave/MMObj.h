#pragma once
// Two small shared mechanisms of the audio components:
// - TMMObject: an object that announces its changes through OnChange, with
//   BeginUpdate / EndUpdate to bundle several changes into one announcement.
// - TMMObserver / TMMObservable: an observable calls Update(Data) on each registered
//   observer (last registered first); the observer fires OnNotify. Neither owns the other;
//   destroying either side unhooks it. The wave file component observes its TMMWave so it
//   takes the wave's format whenever a file is parsed or created.
// Main thread only.
#include <functional>
#include <vector>

class TMMObject {
public:
    TMMObject() = default;
    virtual ~TMMObject() = default;
    TMMObject(const TMMObject&) = delete;
    TMMObject& operator=(const TMMObject&) = delete;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    std::function<void(TMMObject* sender)> OnChange;

protected:
    // Updating true when the first BeginUpdate starts, false when the last EndUpdate ends.
    virtual void Changing(bool updating);
    // Fires OnChange when no update is in progress; subclasses extend it.
    virtual void Changed();

private:
    int updateCount_ = 0;
};

class TMMObservable;

class TMMObserver {
public:
    TMMObserver() = default;
    virtual ~TMMObserver();
    TMMObserver(const TMMObserver&) = delete;
    TMMObserver& operator=(const TMMObserver&) = delete;

    virtual void Update(void* data);
    TMMObservable* Observable() const { return observable_; }

    std::function<void(TMMObserver* sender, void* data)> OnNotify;

private:
    friend class TMMObservable;
    TMMObservable* observable_ = nullptr;
};

class TMMObservable {
public:
    TMMObservable() = default;
    ~TMMObservable();
    TMMObservable(const TMMObservable&) = delete;
    TMMObservable& operator=(const TMMObservable&) = delete;

    void AddObserver(TMMObserver* observer);
    void RemoveObserver(TMMObserver* observer);
    void NotifyObservers(void* data);
    std::size_t Count() const { return observers_.size(); }

private:
    std::vector<TMMObserver*> observers_;
};
