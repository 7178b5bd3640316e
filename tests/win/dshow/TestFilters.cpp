// Test source and sink built from the filter kit.
#include "TestFilters.h"

#include <cstring>
#include <atomic>
#include <new>
#include <utility>

namespace testfilters {

using dshow::AutoLock;
using dshow::ComPtr;
using dshow::MediaType;

class TestSourcePin : public dshow::PushPin
{
public:
    TestSourcePin(dshow::BaseFilter& filter, const std::vector<MediaType>& types, REFERENCE_TIME interval,
                  FrameFiller filler)
        : PushPin(filter, L"Capture"), m_types(types), m_interval(interval), m_filler(filler)
    {
        SetCategory(PIN_CATEGORY_CAPTURE);
    }

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& mt) override
    {
        for (const MediaType& t : m_types) {
            if (dshow::MediaTypesEqual(t.Get(), mt))
                return S_OK;
        }
        return S_FALSE;
    }
    HRESULT GetMediaType(int index, MediaType& mt) override
    {
        if (index < 0 || index >= static_cast<int>(m_types.size()))
            return VFW_S_NO_MORE_ITEMS;
        return mt.Set(m_types[index].Get());
    }
    HRESULT DecideBufferSize(IMemAllocator*, ALLOCATOR_PROPERTIES* request) override
    {
        if (request->cBuffers < 3)
            request->cBuffers = 3;
        const long size = static_cast<long>(m_mt->lSampleSize ? m_mt->lSampleSize : 4096);
        if (request->cbBuffer < size)
            request->cbBuffer = size;
        return S_OK;
    }
    REFERENCE_TIME FrameInterval() override { return m_interval; }
    HRESULT FillBuffer(IMediaSample* sample, REFERENCE_TIME, REFERENCE_TIME) override
    {
        BYTE* data = nullptr;
        HRESULT hr = sample->GetPointer(&data);
        if (FAILED(hr))
            return hr;
        long bytes = sample->GetSize();
        if (m_mt->lSampleSize && static_cast<long>(m_mt->lSampleSize) < bytes)
            bytes = static_cast<long>(m_mt->lSampleSize);
        if (m_filler)
            m_filler(m_mt.Get(), data, bytes, m_frame);
        else
            std::memset(data, static_cast<int>(m_frame & 0xFF), static_cast<size_t>(bytes));
        ++m_frame;
        return sample->SetActualDataLength(bytes);
    }

private:
    std::vector<MediaType> m_types;
    REFERENCE_TIME m_interval;
    FrameFiller m_filler;
    LONG m_frame = 0;
};

TestSource::TestSource(const std::vector<MediaType>& types, REFERENCE_TIME interval, FrameFiller filler)
    : PushSource(CLSID_TestSource), m_pin(new TestSourcePin(*this, types, interval, filler))
{
}

TestSource::~TestSource() = default;

dshow::Pin* TestSource::PinAt(int index)
{
    return index == 0 ? m_pin.get() : nullptr;
}

dshow::PushPin& TestSource::OutPin()
{
    return *m_pin;
}

LONG TestSource::Delivered() const
{
    return m_pin->DeliveredCount();
}

class SinkPin : public dshow::InputPin
{
public:
    SinkPin(TestSink& owner, const AM_MEDIA_TYPE& wanted) : InputPin(owner, L"In"), m_owner(owner)
    {
        (void)m_wanted.Set(wanted); // Tests build small types; an empty pattern would accept anything.
    }
    HRESULT CheckMediaType(const AM_MEDIA_TYPE& mt) override
    {
        if (!dshow::MediaTypeMatches(m_wanted.Get(), mt))
            return S_FALSE;
        // An exact pattern (with a format block) must match byte for byte.
        if (m_wanted->cbFormat && !dshow::MediaTypesEqual(m_wanted.Get(), mt))
            return S_FALSE;
        return S_OK;
    }
    HRESULT OnReceive(IMediaSample* sample) override
    {
        m_owner.OnSample(sample);
        return S_OK;
    }

private:
    TestSink& m_owner;
    MediaType m_wanted;
};

TestSink::TestSink(const AM_MEDIA_TYPE& wanted) : BaseFilter(CLSID_TestSink), m_pin(new SinkPin(*this, wanted)) {}

TestSink::~TestSink() = default;

dshow::Pin* TestSink::PinAt(int index)
{
    return index == 0 ? m_pin.get() : nullptr;
}

dshow::InputPin& TestSink::InPin()
{
    return *m_pin;
}

void TestSink::OnSample(IMediaSample* sample)
{
    REFERENCE_TIME start = 0, stop = 0;
    if (SUCCEEDED(sample->GetTime(&start, &stop))) {
        if (start <= m_lastStart.load())
            m_timesIncreased = false;
        if (m_received.load() == 0)
            m_firstStart = start;
        m_lastStart = start;
    }
    BYTE* data = nullptr;
    const long length = sample->GetActualDataLength();
    if (SUCCEEDED(sample->GetPointer(&data)) && length > 0) {
        AutoLock lock(m_dataLock);
        m_lastData.assign(data, data + length);
    }
    m_lastLength = length;
    ++m_received;
}

std::vector<BYTE> TestSink::LastData()
{
    AutoLock lock(m_dataLock);
    return m_lastData;
}

ComPtr<TestSource> MakeVideoSource(dshow::PixelLayout layout, int width, int height, int fps, FrameFiller filler)
{
    std::vector<MediaType> types(1);
    const REFERENCE_TIME interval = 10000000 / fps;
    if (FAILED(dshow::BuildVideoType(types[0], layout, width, height, interval)))
        return ComPtr<TestSource>();
    ComPtr<TestSource> source;
    source.Attach(new (std::nothrow) TestSource(types, interval, filler));
    return source;
}

ComPtr<TestSource> MakeAudioSource()
{
    std::vector<MediaType> types(1);
    if (FAILED(dshow::BuildWaveType(types[0], 44100, 1, 16)))
        return ComPtr<TestSource>();
    // 100 ms blocks of 44.1 kHz mono 16-bit audio.
    types[0].Get().lSampleSize = 8820;
    ComPtr<TestSource> source;
    source.Attach(new (std::nothrow) TestSource(types, 1000000, nullptr));
    return source;
}

ComPtr<TestSink> MakeSink(const AM_MEDIA_TYPE& wanted)
{
    ComPtr<TestSink> sink;
    sink.Attach(new (std::nothrow) TestSink(wanted));
    return sink;
}

ComPtr<TestSink> MakeSink(const GUID& major, const GUID& subtype)
{
    AM_MEDIA_TYPE wanted = {};
    wanted.majortype = major;
    wanted.subtype = subtype;
    return MakeSink(wanted);
}

namespace {

class FormatChangingAllocator final : public dshow::SingleInterfaceObject<IMemAllocator>
{
public:
    FormatChangingAllocator(ComPtr<IMemAllocator> inner, const AM_MEDIA_TYPE& changed) : m_inner(std::move(inner))
    {
        (void)m_changed.Set(changed);
    }
    STDMETHODIMP SetProperties(ALLOCATOR_PROPERTIES* request, ALLOCATOR_PROPERTIES* actual) override
    {
        if (!request)
            return E_POINTER;
        ALLOCATOR_PROPERTIES bigger = *request;
        const long changedSize = static_cast<long>(m_changed->lSampleSize);
        if (bigger.cbBuffer < changedSize)
            bigger.cbBuffer = changedSize;
        return m_inner->SetProperties(&bigger, actual);
    }
    STDMETHODIMP GetProperties(ALLOCATOR_PROPERTIES* props) override { return m_inner->GetProperties(props); }
    STDMETHODIMP Commit() override { return m_inner->Commit(); }
    STDMETHODIMP Decommit() override { return m_inner->Decommit(); }
    STDMETHODIMP GetBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* stop, DWORD flags) override
    {
        HRESULT hr = m_inner->GetBuffer(sample, start, stop, flags);
        if (SUCCEEDED(hr) && *sample && !m_sent.exchange(true))
            hr = (*sample)->SetMediaType(&m_changed.Get());
        return hr;
    }
    STDMETHODIMP ReleaseBuffer(IMediaSample* sample) override { return m_inner->ReleaseBuffer(sample); }

private:
    ComPtr<IMemAllocator> m_inner;
    MediaType m_changed;
    std::atomic<bool> m_sent{false};
};

} // namespace

ComPtr<IMemAllocator> MakeFormatChangingAllocator(const AM_MEDIA_TYPE& changed)
{
    ComPtr<IMemAllocator> inner;
    if (FAILED(
            CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator, inner.PutVoid())))
        return ComPtr<IMemAllocator>();
    ComPtr<IMemAllocator> allocator;
    allocator.Attach(new (std::nothrow) FormatChangingAllocator(std::move(inner), changed));
    return allocator;
}

HRESULT CreateFromModule(const std::wstring& module, const CLSID& clsid, IBaseFilter** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    HMODULE handle = LoadLibraryW(module.c_str()); // stays loaded: the filter's code lives there
    if (!handle)
        return HRESULT_FROM_WIN32(GetLastError());
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    auto get = reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(handle, "DllGetClassObject")));
    if (!get)
        return E_NOINTERFACE;
    dshow::ComPtr<IClassFactory> factory;
    HRESULT hr = get(clsid, IID_IClassFactory, factory.PutVoid());
    if (FAILED(hr))
        return hr;
    return factory->CreateInstance(nullptr, IID_IBaseFilter, reinterpret_cast<void**>(out));
}

dshow::ComPtr<IBaseFilter> CreateFromModule(const std::wstring& module, const CLSID& clsid)
{
    dshow::ComPtr<IBaseFilter> filter;
    (void)CreateFromModule(module, clsid, filter.Put()); // a failure leaves the filter null for the caller to check
    return filter;
}

HRESULT CreateRealVmr9(IBaseFilter** out)
{
    return CreateFromModule(L"quartz.dll", CLSID_VideoMixingRenderer9, out);
}

ULONG RefCount(IUnknown* object)
{
    object->AddRef();
    return object->Release();
}

} // namespace testfilters
