// Base filter, pins and enumerators.
#include "dshow/Filter.h"

#include <new>

namespace dshow {

std::atomic<long>& ModuleObjectCount()
{
    static std::atomic<long> count{0};
    return count;
}

namespace {

// IEnumPins over a filter's pins. Holds a reference to the filter.
class PinEnumerator final : public SingleInterfaceObject<IEnumPins>
{
public:
    PinEnumerator(BaseFilter& filter, int position) : m_filter(&filter), m_owner(filter), m_position(position) {}

    STDMETHODIMP Next(ULONG count, IPin** pins, ULONG* fetched) override
    {
        if (!pins || (count > 1 && !fetched))
            return E_POINTER;
        ULONG n = 0;
        while (n < count && m_position < m_owner.PinCount()) {
            Pin* pin = m_owner.PinAt(m_position++);
            pins[n] = pin;
            pin->AddRef();
            ++n;
        }
        if (fetched)
            *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override
    {
        const int total = m_owner.PinCount();
        if (count > static_cast<ULONG>(total - m_position)) {
            m_position = total;
            return S_FALSE;
        }
        m_position += static_cast<int>(count);
        return S_OK;
    }
    STDMETHODIMP Reset() override
    {
        m_position = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(IEnumPins** out) override
    {
        if (!out)
            return E_POINTER;
        *out = new (std::nothrow) PinEnumerator(m_owner, m_position);
        return *out ? S_OK : E_OUTOFMEMORY;
    }

private:
    ComPtr<IBaseFilter> m_filter;
    BaseFilter& m_owner;
    int m_position;
};

// IEnumMediaTypes over a pin's preferred types. Holds a reference to the pin (and so its filter).
class MediaTypeEnumerator final : public SingleInterfaceObject<IEnumMediaTypes>
{
public:
    MediaTypeEnumerator(Pin& pin, int position) : m_pin(&pin), m_owner(pin), m_position(position) {}

    STDMETHODIMP Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) override
    {
        if (!types || (count > 1 && !fetched))
            return E_POINTER;
        ULONG n = 0;
        while (n < count) {
            MediaType mt;
            if (m_owner.GetMediaType(m_position, mt) != S_OK)
                break;
            AM_MEDIA_TYPE* copy = CreateMediaType(&mt.Get());
            if (!copy) {
                for (ULONG i = 0; i < n; ++i) {
                    DeleteMediaType(types[i]);
                    types[i] = nullptr;
                }
                if (fetched)
                    *fetched = 0;
                return E_OUTOFMEMORY;
            }
            types[n++] = copy;
            ++m_position;
        }
        if (fetched)
            *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override
    {
        for (ULONG i = 0; i < count; ++i) {
            MediaType mt;
            if (m_owner.GetMediaType(m_position, mt) != S_OK)
                return S_FALSE;
            ++m_position;
        }
        return S_OK;
    }
    STDMETHODIMP Reset() override
    {
        m_position = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(IEnumMediaTypes** out) override
    {
        if (!out)
            return E_POINTER;
        *out = new (std::nothrow) MediaTypeEnumerator(m_owner, m_position);
        return *out ? S_OK : E_OUTOFMEMORY;
    }

private:
    ComPtr<IPin> m_pin;
    Pin& m_owner;
    int m_position;
};

} // namespace

// ---- Pin ----

Pin::Pin(BaseFilter& filter, PIN_DIRECTION direction, const wchar_t* name)
    : m_filter(filter), m_direction(direction), m_name(name ? name : L"")
{
}

Pin::~Pin() = default;

STDMETHODIMP Pin::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPin)) {
        *ppv = static_cast<IPin*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return QueryExtraInterface(riid, ppv);
}

STDMETHODIMP_(ULONG) Pin::AddRef()
{
    return m_filter.AddRef();
}

STDMETHODIMP_(ULONG) Pin::Release()
{
    return m_filter.Release();
}

HRESULT Pin::QueryExtraInterface(REFIID, void** ppv)
{
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP Pin::Disconnect()
{
    AutoLock lock(m_filter.FilterLock());
    if (m_filter.State() != State_Stopped)
        return VFW_E_NOT_STOPPED;
    if (!m_peer)
        return S_FALSE;
    BreakConnect();
    ClearConnection();
    return S_OK;
}

void Pin::ClearConnection()
{
    m_peer.Reset();
    m_mt.Clear();
}

STDMETHODIMP Pin::ConnectedTo(IPin** pin)
{
    if (!pin)
        return E_POINTER;
    AutoLock lock(m_filter.FilterLock());
    *pin = nullptr;
    if (!m_peer)
        return VFW_E_NOT_CONNECTED;
    return m_peer.CopyTo(pin);
}

STDMETHODIMP Pin::ConnectionMediaType(AM_MEDIA_TYPE* mt)
{
    if (!mt)
        return E_POINTER;
    AutoLock lock(m_filter.FilterLock());
    if (!m_peer) {
        ZeroMemory(mt, sizeof *mt);
        return VFW_E_NOT_CONNECTED;
    }
    return CopyMediaType(mt, &m_mt.Get());
}

STDMETHODIMP Pin::QueryPinInfo(PIN_INFO* info)
{
    if (!info)
        return E_POINTER;
    info->pFilter = &m_filter;
    m_filter.AddRef();
    info->dir = m_direction;
    lstrcpynW(info->achName, m_name.c_str(), MAX_PIN_NAME);
    return S_OK;
}

STDMETHODIMP Pin::QueryDirection(PIN_DIRECTION* direction)
{
    if (!direction)
        return E_POINTER;
    *direction = m_direction;
    return S_OK;
}

STDMETHODIMP Pin::QueryId(LPWSTR* id)
{
    if (!id)
        return E_POINTER;
    const size_t bytes = (m_name.size() + 1) * sizeof(wchar_t);
    *id = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    if (!*id)
        return E_OUTOFMEMORY;
    CopyMemory(*id, m_name.c_str(), bytes);
    return S_OK;
}

STDMETHODIMP Pin::QueryAccept(const AM_MEDIA_TYPE* mt)
{
    if (!mt)
        return E_POINTER;
    return CheckMediaType(*mt) == S_OK ? S_OK : S_FALSE;
}

STDMETHODIMP Pin::EnumMediaTypes(IEnumMediaTypes** types)
{
    if (!types)
        return E_POINTER;
    *types = new (std::nothrow) MediaTypeEnumerator(*this, 0);
    return *types ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP Pin::QueryInternalConnections(IPin**, ULONG*)
{
    return E_NOTIMPL;
}

HRESULT Pin::GetMediaType(int, MediaType&)
{
    return VFW_S_NO_MORE_ITEMS;
}

HRESULT Pin::CompleteConnect(IPin*)
{
    return S_OK;
}

void Pin::BreakConnect() {}

HRESULT Pin::Active()
{
    return S_OK;
}

HRESULT Pin::Inactive()
{
    return S_OK;
}

void Pin::OnRun(REFERENCE_TIME, IReferenceClock*) {}

void Pin::OnPause() {}

// ---- OutputPin ----

OutputPin::OutputPin(BaseFilter& filter, const wchar_t* name) : Pin(filter, PINDIR_OUTPUT, name) {}

HRESULT OutputPin::QueryExtraInterface(REFIID riid, void** ppv)
{
    if (IsEqualIID(riid, IID_IKsPropertySet) && !IsEqualGUID(m_category, GUID_NULL)) {
        *ppv = static_cast<IKsPropertySet*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

void OutputPin::SetCategory(const GUID& category)
{
    m_category = category;
}

STDMETHODIMP OutputPin::Set(REFGUID, DWORD, LPVOID, DWORD, LPVOID, DWORD)
{
    return E_PROP_ID_UNSUPPORTED;
}

STDMETHODIMP OutputPin::Get(REFGUID set, DWORD id, LPVOID, DWORD, LPVOID data, DWORD dataBytes, DWORD* returned)
{
    if (!IsEqualGUID(set, AMPROPSETID_Pin))
        return E_PROP_SET_UNSUPPORTED;
    if (id != AMPROPERTY_PIN_CATEGORY)
        return E_PROP_ID_UNSUPPORTED;
    if (!data)
        return E_POINTER;
    if (dataBytes < sizeof(GUID))
        return E_UNEXPECTED;
    *static_cast<GUID*>(data) = m_category;
    if (returned)
        *returned = sizeof(GUID);
    return S_OK;
}

STDMETHODIMP OutputPin::QuerySupported(REFGUID set, DWORD id, DWORD* support)
{
    if (!IsEqualGUID(set, AMPROPSETID_Pin))
        return E_PROP_SET_UNSUPPORTED;
    if (id != AMPROPERTY_PIN_CATEGORY)
        return E_PROP_ID_UNSUPPORTED;
    if (support)
        *support = KSPROPERTY_SUPPORT_GET;
    return S_OK;
}

STDMETHODIMP OutputPin::Connect(IPin* receivePin, const AM_MEDIA_TYPE* mt)
{
    if (!receivePin)
        return E_POINTER;
    AutoLock lock(m_filter.FilterLock());
    if (m_peer)
        return VFW_E_ALREADY_CONNECTED;
    if (m_filter.State() != State_Stopped)
        return VFW_E_NOT_STOPPED;
    PIN_DIRECTION direction;
    HRESULT hr = receivePin->QueryDirection(&direction);
    if (FAILED(hr))
        return hr;
    if (direction != PINDIR_INPUT)
        return VFW_E_INVALID_DIRECTION;

    if (mt && MediaTypeIsComplete(*mt))
        return AttemptConnection(receivePin, *mt);

    // Our own preferred types first, then the receiver's; each must match the (partial) type asked for.
    for (int i = 0;; ++i) {
        MediaType candidate;
        if (GetMediaType(i, candidate) != S_OK)
            break;
        if (mt && !MediaTypeMatches(*mt, candidate.Get()))
            continue;
        if (SUCCEEDED(AttemptConnection(receivePin, candidate.Get())))
            return S_OK;
    }
    ComPtr<IEnumMediaTypes> types;
    if (SUCCEEDED(receivePin->EnumMediaTypes(types.Put())) && types) {
        AM_MEDIA_TYPE* candidate = nullptr;
        ULONG fetched = 0;
        while (types->Next(1, &candidate, &fetched) == S_OK && fetched == 1) {
            const bool wanted = !mt || MediaTypeMatches(*mt, *candidate);
            hr = wanted ? AttemptConnection(receivePin, *candidate) : E_FAIL;
            DeleteMediaType(candidate);
            candidate = nullptr;
            if (SUCCEEDED(hr))
                return S_OK;
        }
    }
    return VFW_E_NO_ACCEPTABLE_TYPES;
}

HRESULT OutputPin::AttemptConnection(IPin* receivePin, const AM_MEDIA_TYPE& mt)
{
    if (CheckMediaType(mt) != S_OK)
        return VFW_E_TYPE_NOT_ACCEPTED;
    m_peer.Assign(receivePin);
    HRESULT hr = m_mt.Set(mt);
    if (FAILED(hr)) {
        ClearConnection();
        return hr;
    }
    hr = receivePin->ReceiveConnection(this, &mt);
    if (FAILED(hr)) {
        ClearConnection();
        return hr;
    }
    ComPtr<IMemInputPin> memInput;
    hr = receivePin->QueryInterface(IID_IMemInputPin, memInput.PutVoid());
    if (SUCCEEDED(hr))
        hr = DecideAllocator(memInput.Get());
    if (SUCCEEDED(hr)) {
        m_memInput = memInput;
        hr = CompleteConnect(receivePin);
    }
    if (FAILED(hr)) {
        (void)receivePin->Disconnect(); // Undo the peer's half; it reports nothing useful on failure.
        ReleaseTransport();
        ClearConnection();
        return hr;
    }
    return S_OK;
}

HRESULT OutputPin::DecideAllocator(IMemInputPin* memInput)
{
    ALLOCATOR_PROPERTIES wanted = {};
    (void)memInput->GetAllocatorRequirements(&wanted); // Optional: most pins have no requirements.

    ComPtr<IMemAllocator> allocator;
    HRESULT hr = memInput->GetAllocator(allocator.Put());
    if (SUCCEEDED(hr) && allocator) {
        hr = InitAllocator(allocator.Get(), wanted);
        if (SUCCEEDED(hr))
            hr = memInput->NotifyAllocator(allocator.Get(), FALSE);
        if (SUCCEEDED(hr)) {
            m_allocator = allocator;
            return S_OK;
        }
    }
    hr = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator, allocator.PutVoid());
    if (FAILED(hr))
        return hr;
    hr = InitAllocator(allocator.Get(), wanted);
    if (SUCCEEDED(hr))
        hr = memInput->NotifyAllocator(allocator.Get(), FALSE);
    if (FAILED(hr))
        return hr;
    m_allocator = allocator;
    return S_OK;
}

HRESULT OutputPin::InitAllocator(IMemAllocator* allocator, const ALLOCATOR_PROPERTIES& wanted)
{
    ALLOCATOR_PROPERTIES request = wanted;
    if (request.cbAlign <= 0)
        request.cbAlign = 1;
    HRESULT hr = DecideBufferSize(allocator, &request);
    if (FAILED(hr))
        return hr;
    if (request.cBuffers <= 0 || request.cbBuffer <= 0)
        return E_INVALIDARG;
    ALLOCATOR_PROPERTIES actual = {};
    hr = allocator->SetProperties(&request, &actual);
    if (FAILED(hr))
        return hr;
    if (actual.cbBuffer < request.cbBuffer || actual.cBuffers < 1)
        return E_FAIL;
    return S_OK;
}

void OutputPin::ReleaseTransport()
{
    if (m_allocator)
        (void)m_allocator->Decommit(); // Already decommitted when the filter stopped.
    m_allocator.Reset();
    m_memInput.Reset();
}

STDMETHODIMP OutputPin::ReceiveConnection(IPin*, const AM_MEDIA_TYPE*)
{
    return E_UNEXPECTED;
}

STDMETHODIMP OutputPin::Disconnect()
{
    AutoLock lock(m_filter.FilterLock());
    if (m_filter.State() != State_Stopped)
        return VFW_E_NOT_STOPPED;
    if (!m_peer)
        return S_FALSE;
    BreakConnect();
    ReleaseTransport();
    ClearConnection();
    return S_OK;
}

STDMETHODIMP OutputPin::EndOfStream()
{
    return E_UNEXPECTED;
}

STDMETHODIMP OutputPin::BeginFlush()
{
    return E_UNEXPECTED;
}

STDMETHODIMP OutputPin::EndFlush()
{
    return E_UNEXPECTED;
}

STDMETHODIMP OutputPin::NewSegment(REFERENCE_TIME, REFERENCE_TIME, double)
{
    return E_UNEXPECTED;
}

HRESULT OutputPin::Active()
{
    if (!m_allocator)
        return S_OK; // Unconnected pins take no part in streaming.
    return m_allocator->Commit();
}

HRESULT OutputPin::Inactive()
{
    if (!m_allocator)
        return S_OK;
    return m_allocator->Decommit();
}

HRESULT OutputPin::GetDeliveryBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* stop, DWORD flags)
{
    if (!sample)
        return E_POINTER;
    *sample = nullptr;
    if (!m_allocator)
        return VFW_E_NO_ALLOCATOR;
    return m_allocator->GetBuffer(sample, start, stop, flags);
}

HRESULT OutputPin::Deliver(IMediaSample* sample)
{
    if (!m_memInput)
        return VFW_E_NOT_CONNECTED;
    return m_memInput->Receive(sample);
}

HRESULT OutputPin::DeliverEndOfStream()
{
    IPin* peer = m_peer.Get();
    return peer ? peer->EndOfStream() : VFW_E_NOT_CONNECTED;
}

HRESULT OutputPin::DeliverBeginFlush()
{
    IPin* peer = m_peer.Get();
    return peer ? peer->BeginFlush() : VFW_E_NOT_CONNECTED;
}

HRESULT OutputPin::DeliverEndFlush()
{
    IPin* peer = m_peer.Get();
    return peer ? peer->EndFlush() : VFW_E_NOT_CONNECTED;
}

HRESULT OutputPin::DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate)
{
    IPin* peer = m_peer.Get();
    return peer ? peer->NewSegment(start, stop, rate) : VFW_E_NOT_CONNECTED;
}

// ---- InputPin ----

InputPin::InputPin(BaseFilter& filter, const wchar_t* name) : Pin(filter, PINDIR_INPUT, name) {}

HRESULT InputPin::QueryExtraInterface(REFIID riid, void** ppv)
{
    if (IsEqualIID(riid, IID_IMemInputPin)) {
        *ppv = static_cast<IMemInputPin*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP InputPin::Connect(IPin*, const AM_MEDIA_TYPE*)
{
    return E_UNEXPECTED;
}

STDMETHODIMP InputPin::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* mt)
{
    if (!connector || !mt)
        return E_POINTER;
    AutoLock lock(m_filter.FilterLock());
    if (m_peer)
        return VFW_E_ALREADY_CONNECTED;
    if (m_filter.State() != State_Stopped)
        return VFW_E_NOT_STOPPED;
    PIN_DIRECTION direction;
    HRESULT hr = connector->QueryDirection(&direction);
    if (FAILED(hr))
        return hr;
    if (direction != PINDIR_OUTPUT)
        return VFW_E_INVALID_DIRECTION;
    if (CheckMediaType(*mt) != S_OK)
        return VFW_E_TYPE_NOT_ACCEPTED;
    m_peer.Assign(connector);
    hr = m_mt.Set(*mt);
    if (SUCCEEDED(hr))
        hr = CompleteConnect(connector);
    if (FAILED(hr)) {
        ClearConnection();
        return hr;
    }
    return S_OK;
}

STDMETHODIMP InputPin::Disconnect()
{
    AutoLock lock(m_filter.FilterLock());
    if (m_filter.State() != State_Stopped)
        return VFW_E_NOT_STOPPED;
    if (!m_peer)
        return S_FALSE;
    BreakConnect();
    m_allocator.Reset();
    ClearConnection();
    return S_OK;
}

STDMETHODIMP InputPin::EndOfStream()
{
    AutoLock lock(m_filter.StreamLock());
    if (m_flushing)
        return S_FALSE;
    if (m_filter.State() == State_Stopped)
        return VFW_E_WRONG_STATE;
    return OnEndOfStream();
}

STDMETHODIMP InputPin::BeginFlush()
{
    m_flushing = true;
    HRESULT hr = OnBeginFlush();
    // Waits for a Receive in progress to notice the flush.
    AutoLock lock(m_filter.StreamLock());
    return hr;
}

STDMETHODIMP InputPin::EndFlush()
{
    AutoLock lock(m_filter.StreamLock());
    m_flushing = false;
    return OnEndFlush();
}

STDMETHODIMP InputPin::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate)
{
    return OnNewSegment(start, stop, rate);
}

STDMETHODIMP InputPin::GetAllocator(IMemAllocator** allocator)
{
    if (!allocator)
        return E_POINTER;
    *allocator = nullptr;
    AutoLock lock(m_filter.FilterLock());
    if (!m_allocator) {
        HRESULT hr = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                                      m_allocator.PutVoid());
        if (FAILED(hr))
            return hr;
    }
    return m_allocator.CopyTo(allocator);
}

STDMETHODIMP InputPin::NotifyAllocator(IMemAllocator* allocator, BOOL readOnly)
{
    if (!allocator)
        return E_POINTER;
    AutoLock lock(m_filter.FilterLock());
    m_allocator.Assign(allocator);
    m_readOnly = readOnly != FALSE;
    return S_OK;
}

STDMETHODIMP InputPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES*)
{
    return E_NOTIMPL;
}

STDMETHODIMP InputPin::Receive(IMediaSample* sample)
{
    if (!sample)
        return E_POINTER;
    AutoLock lock(m_filter.StreamLock());
    if (m_filter.State() == State_Stopped)
        return VFW_E_WRONG_STATE;
    if (m_flushing)
        return S_FALSE;
    // A sample may carry a new format (a renderer or source changing stride or size on the fly).
    AM_MEDIA_TYPE* changed = nullptr;
    if (sample->GetMediaType(&changed) == S_OK && changed) {
        const bool accepted = CheckMediaType(*changed) == S_OK;
        HRESULT hr = accepted ? m_mt.Set(*changed) : VFW_E_INVALIDMEDIATYPE;
        DeleteMediaType(changed);
        if (FAILED(hr))
            return hr;
    }
    return OnReceive(sample);
}

STDMETHODIMP InputPin::ReceiveMultiple(IMediaSample** samples, long count, long* processed)
{
    if (!samples || !processed)
        return E_POINTER;
    *processed = 0;
    HRESULT hr = S_OK;
    for (long i = 0; i < count; ++i) {
        hr = Receive(samples[i]);
        if (hr != S_OK)
            break;
        ++*processed;
    }
    return hr;
}

STDMETHODIMP InputPin::ReceiveCanBlock()
{
    return S_OK;
}

HRESULT InputPin::Inactive()
{
    // Makes an upstream GetBuffer on our allocator fail instead of waiting for buffers that never come back.
    if (m_allocator)
        (void)m_allocator->Decommit(); // The upstream pin may already have decommitted it.
    return S_OK;
}

HRESULT InputPin::OnEndOfStream()
{
    return S_OK;
}

HRESULT InputPin::OnBeginFlush()
{
    return S_OK;
}

HRESULT InputPin::OnEndFlush()
{
    return S_OK;
}

HRESULT InputPin::OnNewSegment(REFERENCE_TIME, REFERENCE_TIME, double)
{
    return S_OK;
}

// ---- BaseFilter ----

BaseFilter::BaseFilter(const CLSID& clsid) : m_clsid(clsid)
{
    ++ModuleObjectCount();
}

BaseFilter::~BaseFilter()
{
    --ModuleObjectCount();
}

STDMETHODIMP BaseFilter::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPersist) || IsEqualIID(riid, IID_IMediaFilter) ||
        IsEqualIID(riid, IID_IBaseFilter)) {
        *ppv = static_cast<IBaseFilter*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return QueryExtraInterface(riid, ppv);
}

HRESULT BaseFilter::QueryExtraInterface(REFIID, void** ppv)
{
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) BaseFilter::AddRef()
{
    return ++m_ref;
}

STDMETHODIMP_(ULONG) BaseFilter::Release()
{
    const ULONG ref = --m_ref;
    if (ref == 0)
        delete this;
    return ref;
}

STDMETHODIMP BaseFilter::GetClassID(CLSID* clsid)
{
    if (!clsid)
        return E_POINTER;
    *clsid = m_clsid;
    return S_OK;
}

STDMETHODIMP BaseFilter::Stop()
{
    AutoLock lock(m_filterLock);
    if (m_state == State_Stopped)
        return S_OK;
    m_state = State_Stopped;
    // Inactive pins decommit their allocators, so a streaming thread blocked in GetBuffer returns; then the
    // streaming lock waits for a Receive still in progress. Streaming code never takes the filter lock.
    HRESULT result = S_OK;
    for (int i = 0; i < PinCount(); ++i) {
        HRESULT hr = PinAt(i)->Inactive();
        if (FAILED(hr) && SUCCEEDED(result))
            result = hr;
    }
    {
        AutoLock streaming(m_streamLock);
    }
    OnStop();
    return result;
}

STDMETHODIMP BaseFilter::Pause()
{
    AutoLock lock(m_filterLock);
    const FILTER_STATE from = m_state;
    if (from == State_Stopped) {
        for (int i = 0; i < PinCount(); ++i) {
            HRESULT hr = PinAt(i)->Active();
            if (FAILED(hr)) {
                for (int j = 0; j < i; ++j)
                    (void)PinAt(j)->Inactive(); // Back to stopped; the first failure is what counts.
                return hr;
            }
        }
    }
    m_state = State_Paused;
    for (int i = 0; i < PinCount(); ++i)
        PinAt(i)->OnPause();
    HRESULT hr = OnPause(from);
    if (FAILED(hr)) {
        m_state = from;
        if (from == State_Stopped) {
            for (int i = 0; i < PinCount(); ++i)
                (void)PinAt(i)->Inactive();
        }
    }
    return hr;
}

STDMETHODIMP BaseFilter::Run(REFERENCE_TIME start)
{
    AutoLock lock(m_filterLock);
    if (m_state == State_Running)
        return S_OK;
    if (m_state == State_Stopped) {
        HRESULT hr = Pause();
        if (FAILED(hr))
            return hr;
    }
    m_start = start;
    m_state = State_Running;
    for (int i = 0; i < PinCount(); ++i)
        PinAt(i)->OnRun(start, m_clock.Get());
    HRESULT hr = OnRun(start);
    if (FAILED(hr))
        m_state = State_Paused;
    return hr;
}

STDMETHODIMP BaseFilter::GetState(DWORD, FILTER_STATE* state)
{
    if (!state)
        return E_POINTER;
    *state = m_state;
    if (*state == State_Paused && IsLive())
        return VFW_S_CANT_CUE;
    return S_OK;
}

STDMETHODIMP BaseFilter::SetSyncSource(IReferenceClock* clock)
{
    AutoLock lock(m_filterLock);
    m_clock.Assign(clock);
    return S_OK;
}

STDMETHODIMP BaseFilter::GetSyncSource(IReferenceClock** clock)
{
    if (!clock)
        return E_POINTER;
    AutoLock lock(m_filterLock);
    return m_clock.CopyTo(clock);
}

ComPtr<IReferenceClock> BaseFilter::Clock()
{
    AutoLock lock(m_filterLock);
    return m_clock;
}

STDMETHODIMP BaseFilter::EnumPins(IEnumPins** pins)
{
    if (!pins)
        return E_POINTER;
    *pins = new (std::nothrow) PinEnumerator(*this, 0);
    return *pins ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP BaseFilter::FindPin(LPCWSTR id, IPin** pin)
{
    if (!id || !pin)
        return E_POINTER;
    for (int i = 0; i < PinCount(); ++i) {
        Pin* candidate = PinAt(i);
        if (candidate->Name() == id) {
            *pin = candidate;
            candidate->AddRef();
            return S_OK;
        }
    }
    *pin = nullptr;
    return VFW_E_NOT_FOUND;
}

STDMETHODIMP BaseFilter::QueryFilterInfo(FILTER_INFO* info)
{
    if (!info)
        return E_POINTER;
    AutoLock lock(m_filterLock);
    lstrcpynW(info->achName, m_name.c_str(), MAX_FILTER_NAME);
    info->pGraph = m_graph;
    if (m_graph)
        m_graph->AddRef();
    return S_OK;
}

STDMETHODIMP BaseFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name)
{
    AutoLock lock(m_filterLock);
    m_graph = graph;
    m_name = name ? name : L"";
    return S_OK;
}

STDMETHODIMP BaseFilter::QueryVendorInfo(LPWSTR*)
{
    return E_NOTIMPL;
}

void BaseFilter::NotifyEvent(long code, LONG_PTR param1, LONG_PTR param2)
{
    IFilterGraph* graph = m_graph;
    if (!graph)
        return;
    ComPtr<IMediaEventSink> sink;
    if (SUCCEEDED(graph->QueryInterface(IID_IMediaEventSink, sink.PutVoid())))
        (void)sink->Notify(code, param1, param2); // Nothing to do when the graph drops it.
}

HRESULT BaseFilter::OnPause(FILTER_STATE)
{
    return S_OK;
}

HRESULT BaseFilter::OnRun(REFERENCE_TIME)
{
    return S_OK;
}

void BaseFilter::OnStop() {}

} // namespace dshow
