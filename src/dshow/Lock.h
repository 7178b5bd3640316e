// Critical section and scoped lock used for the filter lock and the streaming lock.
#pragma once

#include <windows.h>

namespace dshow {

class CritSec
{
public:
    CritSec() { InitializeCriticalSection(&m_cs); }
    ~CritSec() { DeleteCriticalSection(&m_cs); }
    CritSec(const CritSec&) = delete;
    CritSec& operator=(const CritSec&) = delete;
    void Enter() { EnterCriticalSection(&m_cs); }
    void Leave() { LeaveCriticalSection(&m_cs); }

private:
    CRITICAL_SECTION m_cs;
};

class AutoLock
{
public:
    explicit AutoLock(CritSec& cs) : m_cs(cs) { m_cs.Enter(); }
    ~AutoLock() { m_cs.Leave(); }
    AutoLock(const AutoLock&) = delete;
    AutoLock& operator=(const AutoLock&) = delete;

private:
    CritSec& m_cs;
};

// Event handle owned for its lifetime.
class Event
{
public:
    explicit Event(bool manualReset = true) : m_h(CreateEventW(nullptr, manualReset, FALSE, nullptr)) {}
    ~Event()
    {
        if (m_h)
            CloseHandle(m_h);
    }
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;
    HANDLE Get() const { return m_h; }
    void Set() { SetEvent(m_h); }
    void Reset() { ResetEvent(m_h); }

private:
    HANDLE m_h;
};

} // namespace dshow
