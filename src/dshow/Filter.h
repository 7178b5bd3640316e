// The filter kit's core: a base filter (IBaseFilter with the stopped/paused/running state machine, one
// filter lock and one streaming lock) and its pins (IPin; IMemInputPin on input pins; allocator set-up and
// pin category on output pins), with the pin and media-type enumerators. Concrete filters fill a few
// virtual operations; the base does the COM plumbing. See src/dshow/README.md.
#pragma once

#include <windows.h>
#include <dshow.h>

#include <atomic>
#include <string>

#include "dshow/ComPtr.h"
#include "dshow/Lock.h"
#include "dshow/MediaType.h"

namespace dshow {

// Live COM objects of this module (filters, enumerators, factories) plus server locks, for DllCanUnloadNow.
std::atomic<long>& ModuleObjectCount();

// The IUnknown of a heap object that answers one interface I besides IUnknown: it starts with one
// reference, deletes itself at the last Release and counts as a live module object while it exists.
// Enumerators and class factories derive from it and implement only I's own methods.
template <typename I> class SingleInterfaceObject : public I
{
public:
    SingleInterfaceObject() { ++ModuleObjectCount(); }
    virtual ~SingleInterfaceObject() { --ModuleObjectCount(); }
    SingleInterfaceObject(const SingleInterfaceObject&) = delete;
    SingleInterfaceObject& operator=(const SingleInterfaceObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, __uuidof(I))) {
            *ppv = static_cast<I*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_ref; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG ref = --m_ref;
        if (ref == 0)
            delete this;
        return ref;
    }

private:
    std::atomic<ULONG> m_ref{1};
};

class BaseFilter;

// A pin. Its reference count is its filter's: a pin lives exactly as long as the filter that owns it.
class Pin : public IPin
{
public:
    Pin(BaseFilter& filter, PIN_DIRECTION direction, const wchar_t* name);
    virtual ~Pin();
    Pin(const Pin&) = delete;
    Pin& operator=(const Pin&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IPin (Connect and ReceiveConnection live in OutputPin and InputPin)
    STDMETHODIMP Disconnect() override;
    STDMETHODIMP ConnectedTo(IPin** pin) override;
    STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE* mt) override;
    STDMETHODIMP QueryPinInfo(PIN_INFO* info) override;
    STDMETHODIMP QueryDirection(PIN_DIRECTION* direction) override;
    STDMETHODIMP QueryId(LPWSTR* id) override;
    STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE* mt) override;
    STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** types) override;
    STDMETHODIMP QueryInternalConnections(IPin** pins, ULONG* count) override;

    // Operations a concrete pin fills.
    // S_OK when the pin can carry this type; anything else refuses it.
    virtual HRESULT CheckMediaType(const AM_MEDIA_TYPE& mt) = 0;
    // The index-th preferred type (from 0); VFW_S_NO_MORE_ITEMS past the last.
    virtual HRESULT GetMediaType(int index, MediaType& mt);
    // Called once the peer and the type are set; a failure undoes the connection.
    virtual HRESULT CompleteConnect(IPin* peer);
    // Called when the connection goes away.
    virtual void BreakConnect();
    // Called by the filter on stopped -> paused and on -> stopped.
    virtual HRESULT Active();
    virtual HRESULT Inactive();
    // Called by the filter (filter lock held) when it starts running and when it pauses.
    virtual void OnRun(REFERENCE_TIME start, IReferenceClock* clock);
    virtual void OnPause();

    bool IsConnected() const { return static_cast<bool>(m_peer); }
    IPin* Peer() const { return m_peer.Get(); }
    // The connection's media type (empty when not connected). Stable while the filter is not stopped.
    const MediaType& ConnectionType() const { return m_mt; }
    BaseFilter& Filter() const { return m_filter; }
    const std::wstring& Name() const { return m_name; }
    PIN_DIRECTION Direction() const { return m_direction; }

protected:
    // More interfaces on the pin (IAMStreamConfig, ...). Hand out an AddRef'd pointer or E_NOINTERFACE.
    virtual HRESULT QueryExtraInterface(REFIID riid, void** ppv);
    // Forgets the peer and the type (no calls to the peer).
    void ClearConnection();

    BaseFilter& m_filter;
    PIN_DIRECTION m_direction;
    std::wstring m_name;
    ComPtr<IPin> m_peer;
    MediaType m_mt;
};

// An output pin: connection by exact or wildcard type, allocator negotiation, delivery, and an optional
// pin category (PIN_CATEGORY_CAPTURE, ...) reported through IKsPropertySet as capture graph builders expect.
class OutputPin : public Pin, public IKsPropertySet
{
public:
    OutputPin(BaseFilter& filter, const wchar_t* name);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return Pin::QueryInterface(riid, ppv); }
    STDMETHODIMP_(ULONG) AddRef() override { return Pin::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return Pin::Release(); }

    STDMETHODIMP Connect(IPin* receivePin, const AM_MEDIA_TYPE* mt) override;
    STDMETHODIMP ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* mt) override;
    STDMETHODIMP Disconnect() override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

    // IKsPropertySet: AMPROPSETID_Pin / AMPROPERTY_PIN_CATEGORY when a category is set.
    STDMETHODIMP Set(REFGUID set, DWORD id, LPVOID instance, DWORD instanceBytes, LPVOID data,
                     DWORD dataBytes) override;
    STDMETHODIMP Get(REFGUID set, DWORD id, LPVOID instance, DWORD instanceBytes, LPVOID data, DWORD dataBytes,
                     DWORD* returned) override;
    STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* support) override;

    void SetCategory(const GUID& category);

    // Fills the allocator request: at least cBuffers and cbBuffer. The base sets the properties and checks
    // that the allocator gives at least the requested buffer size.
    virtual HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) = 0;

    HRESULT Active() override;
    HRESULT Inactive() override;

    // Streaming: a free buffer of the negotiated allocator (blocks while all are downstream; fails once
    // the filter stops), delivery to the connected input pin, and the stream notifications.
    HRESULT GetDeliveryBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* stop, DWORD flags);
    HRESULT Deliver(IMediaSample* sample);
    HRESULT DeliverEndOfStream();
    HRESULT DeliverBeginFlush();
    HRESULT DeliverEndFlush();
    HRESULT DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);
    IMemAllocator* Allocator() const { return m_allocator.Get(); }

protected:
    HRESULT QueryExtraInterface(REFIID riid, void** ppv) override;

private:
    HRESULT AttemptConnection(IPin* receivePin, const AM_MEDIA_TYPE& mt);
    HRESULT DecideAllocator(IMemInputPin* memInput);
    HRESULT InitAllocator(IMemAllocator* allocator, const ALLOCATOR_PROPERTIES& wanted);
    void ReleaseTransport();

    ComPtr<IMemInputPin> m_memInput;
    ComPtr<IMemAllocator> m_allocator;
    GUID m_category = GUID_NULL;
};

// An input pin with IMemInputPin. Receive is refused with VFW_E_WRONG_STATE while the filter is stopped
// and runs OnReceive under the filter's streaming lock otherwise.
class InputPin : public Pin, public IMemInputPin
{
public:
    InputPin(BaseFilter& filter, const wchar_t* name);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return Pin::QueryInterface(riid, ppv); }
    STDMETHODIMP_(ULONG) AddRef() override { return Pin::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return Pin::Release(); }

    STDMETHODIMP Connect(IPin* receivePin, const AM_MEDIA_TYPE* mt) override;
    STDMETHODIMP ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* mt) override;
    STDMETHODIMP Disconnect() override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

    // IMemInputPin
    STDMETHODIMP GetAllocator(IMemAllocator** allocator) override;
    STDMETHODIMP NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) override;
    STDMETHODIMP GetAllocatorRequirements(ALLOCATOR_PROPERTIES* props) override;
    STDMETHODIMP Receive(IMediaSample* sample) override;
    STDMETHODIMP ReceiveMultiple(IMediaSample** samples, long count, long* processed) override;
    STDMETHODIMP ReceiveCanBlock() override;

    // A sample while the filter is paused or running (streaming lock held).
    virtual HRESULT OnReceive(IMediaSample* sample) = 0;
    // Stream notifications (default: accepted and dropped).
    virtual HRESULT OnEndOfStream();
    virtual HRESULT OnBeginFlush();
    virtual HRESULT OnEndFlush();
    virtual HRESULT OnNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);

    HRESULT Inactive() override;
    bool IsFlushing() const { return m_flushing.load(); }
    bool ReadOnlySamples() const { return m_readOnly; }

protected:
    HRESULT QueryExtraInterface(REFIID riid, void** ppv) override;

private:
    ComPtr<IMemAllocator> m_allocator;
    bool m_readOnly = false;
    std::atomic<bool> m_flushing{false};
};

// The base filter. Reference count starts at 1 (the creator's reference).
class BaseFilter : public IBaseFilter
{
public:
    explicit BaseFilter(const CLSID& clsid);
    virtual ~BaseFilter();
    BaseFilter(const BaseFilter&) = delete;
    BaseFilter& operator=(const BaseFilter&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IPersist
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    // IMediaFilter
    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;
    STDMETHODIMP Run(REFERENCE_TIME start) override;
    STDMETHODIMP GetState(DWORD timeoutMs, FILTER_STATE* state) override;
    STDMETHODIMP SetSyncSource(IReferenceClock* clock) override;
    STDMETHODIMP GetSyncSource(IReferenceClock** clock) override;
    // IBaseFilter
    STDMETHODIMP EnumPins(IEnumPins** pins) override;
    STDMETHODIMP FindPin(LPCWSTR id, IPin** pin) override;
    STDMETHODIMP QueryFilterInfo(FILTER_INFO* info) override;
    STDMETHODIMP JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
    STDMETHODIMP QueryVendorInfo(LPWSTR* info) override;

    // The filter's pins, in enumeration order.
    virtual int PinCount() = 0;
    virtual Pin* PinAt(int index) = 0;

    FILTER_STATE State() const { return m_state.load(); }
    CritSec& FilterLock() { return m_filterLock; }
    CritSec& StreamLock() { return m_streamLock; }
    // Graph the filter is in (not AddRef'd, as the graph owns the filter) and the run's start time.
    IFilterGraph* Graph() const { return m_graph; }
    REFERENCE_TIME StartTime() const { return m_start; }
    // Reference clock set by the graph, AddRef'd for the caller (may be empty).
    ComPtr<IReferenceClock> Clock();
    // Sends an event to the graph's event sink (EC_ERRORABORT, ...); ignored outside a graph.
    void NotifyEvent(long code, LONG_PTR param1, LONG_PTR param2);

protected:
    // More interfaces on the filter (the filter's own control interfaces).
    virtual HRESULT QueryExtraInterface(REFIID riid, void** ppv);
    // A live source cannot cue data while paused: GetState then says VFW_S_CANT_CUE.
    virtual bool IsLive() const { return false; }
    // State hooks, called with the filter lock held after the pins changed state.
    virtual HRESULT OnPause(FILTER_STATE from);
    virtual HRESULT OnRun(REFERENCE_TIME start);
    virtual void OnStop();

private:
    std::atomic<ULONG> m_ref{1};
    CLSID m_clsid;
    CritSec m_filterLock;
    CritSec m_streamLock;
    std::atomic<FILTER_STATE> m_state{State_Stopped};
    REFERENCE_TIME m_start = 0;
    ComPtr<IReferenceClock> m_clock;
    IFilterGraph* m_graph = nullptr;
    std::wstring m_name;
};

// Lets a concrete filter that adds its own interfaces (class X : public BaseFilter, public IMyControl)
// answer IUnknown through the base.
#define DSHOW_FILTER_IUNKNOWN                                                                                          \
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override                                                      \
    {                                                                                                                  \
        return dshow::BaseFilter::QueryInterface(riid, ppv);                                                           \
    }                                                                                                                  \
    STDMETHODIMP_(ULONG) AddRef() override                                                                             \
    {                                                                                                                  \
        return dshow::BaseFilter::AddRef();                                                                            \
    }                                                                                                                  \
    STDMETHODIMP_(ULONG) Release() override                                                                            \
    {                                                                                                                  \
        return dshow::BaseFilter::Release();                                                                           \
    }

} // namespace dshow
