#include "wave/MMObj.h"

#include <algorithm>

void TMMObject::BeginUpdate()
{
    if (updateCount_ == 0)
        Changing(true);
    ++updateCount_;
}

void TMMObject::EndUpdate()
{
    if (updateCount_ <= 0)
        return;
    --updateCount_;
    if (updateCount_ == 0)
        Changing(false);
}

void TMMObject::Changing(bool updating)
{
    if (!updating)
        Changed();
}

void TMMObject::Changed()
{
    if (updateCount_ == 0 && OnChange)
        OnChange(this);
}

TMMObserver::~TMMObserver()
{
    if (observable_)
        observable_->RemoveObserver(this);
}

void TMMObserver::Update(void* data)
{
    if (OnNotify)
        OnNotify(this, data);
}

TMMObservable::~TMMObservable()
{
    for (TMMObserver* o : observers_)
        o->observable_ = nullptr;
}

void TMMObservable::AddObserver(TMMObserver* observer)
{
    if (!observer)
        return;
    if (observer->observable_)
        observer->observable_->RemoveObserver(observer);
    observers_.push_back(observer);
    observer->observable_ = this;
}

void TMMObservable::RemoveObserver(TMMObserver* observer)
{
    if (!observer || observer->observable_ != this)
        return;
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
    observer->observable_ = nullptr;
}

void TMMObservable::NotifyObservers(void* data)
{
    // From the last to the first; a copy, so an observer may unhook itself.
    const std::vector<TMMObserver*> snapshot = observers_;
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it)
        if (std::find(observers_.begin(), observers_.end(), *it) != observers_.end())
            (*it)->Update(data);
}
