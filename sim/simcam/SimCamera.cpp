// Simulated camera capture filter and its capture pin.
#include "sim/simcam/SimCamera.h"
#include "sim/model/Hresults.h"
#include "sim/model/MjpegEncoder.h"
#include "sim/model/Registers.h"
#include "sim/model/Topology.h"
#include "sim/shared/Registration.h"
#include "sim/simcam/VideoProcNode.h"
#include <cstring>
#include <cwchar>

namespace sim {
namespace {

constexpr REFERENCE_TIME kFrameInterval = 333333; // 30 frames per second
constexpr size_t kMaxSizes = 8;
constexpr size_t kMaxFormats = kMaxSizes * 2;
constexpr int32_t kDefaultWidth = 640;
constexpr int32_t kDefaultHeight = 480;
// The property-set form carries the two-byte value at this offset of its 56-byte block.
constexpr DWORD kBlockValueOffset = 52;

const GUID& VendorSet()
{
    static_assert(sizeof(Guid) == sizeof(GUID), "same layout");
    return reinterpret_cast<const GUID&>(kVendorPropertySet);
}

const GUID& NodeTypeGuid(NodeKind kind)
{
    switch (kind) {
    case NodeKind::CameraTerminal:
        return KSNODETYPE_VIDEO_CAMERA_TERMINAL;
    case NodeKind::VideoProcessing:
        return KSNODETYPE_VIDEO_PROCESSING;
    case NodeKind::Extension:
        return KSNODETYPE_DEV_SPECIFIC;
    case NodeKind::InputTerminal:
        break;
    }
    return KSNODETYPE_VIDEO_INPUT_TERMINAL;
}

const wchar_t* NodeName(NodeKind kind)
{
    switch (kind) {
    case NodeKind::CameraTerminal:
        return L"Camera Terminal";
    case NodeKind::VideoProcessing:
        return L"Processing Unit";
    case NodeKind::Extension:
        return L"Extension Unit";
    case NodeKind::InputTerminal:
        break;
    }
    return L"Input Terminal";
}

} // namespace

// ---- capture pin ----

CapturePin::CapturePin(SimCamera& camera) : dshow::PushPin(camera, L"Capture"), m_camera(camera)
{
    SetCategory(PIN_CATEGORY_CAPTURE);
}

HRESULT CapturePin::QueryExtraInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IAMStreamConfig) {
        *ppv = static_cast<IAMStreamConfig*>(this);
        AddRef();
        return S_OK;
    }
    return dshow::PushPin::QueryExtraInterface(riid, ppv);
}

bool CapturePin::Formats(Format* formats, size_t* count)
{
    StateLock lock;
    DeviceState* d = m_camera.Device(lock);
    if (!d)
        return false;
    FrameSize sizes[kMaxSizes];
    size_t n = OfferedSizes(*d, sizes, kMaxSizes);
    *count = 0;
    for (int mjpg = 0; mjpg <= (d->hasMjpg ? 1 : 0); ++mjpg)
        for (size_t i = 0; i < n && *count < kMaxFormats; ++i)
            formats[(*count)++] = {sizes[i], mjpg != 0};
    return true;
}

HRESULT CapturePin::BuildType(dshow::MediaType& mt, const Format& format, REFERENCE_TIME interval)
{
    const FrameSize& s = format.size;
    if (format.mjpg)
        return dshow::BuildMjpgType(mt, s.width, s.height, interval, static_cast<ULONG>(s.width * s.height * 2));
    return dshow::BuildVideoType(mt, dshow::PixelLayout::Yuy2, s.width, s.height, interval);
}

bool CapturePin::AcceptableFormat(const AM_MEDIA_TYPE& mt, Format* format)
{
    if (mt.majortype != MEDIATYPE_Video || (mt.subtype != MEDIASUBTYPE_YUY2 && mt.subtype != MEDIASUBTYPE_MJPG))
        return false;
    const VIDEOINFOHEADER* vih = dshow::VideoInfoOf(mt);
    if (!vih)
        return false;
    const bool mjpg = mt.subtype == MEDIASUBTYPE_MJPG;
    const int32_t w = vih->bmiHeader.biWidth;
    const int32_t h = vih->bmiHeader.biHeight < 0 ? -vih->bmiHeader.biHeight : vih->bmiHeader.biHeight;
    Format formats[kMaxFormats];
    size_t count = 0;
    if (!Formats(formats, &count))
        return false;
    for (size_t i = 0; i < count; ++i) {
        if (formats[i].mjpg == mjpg && formats[i].size.width == w && formats[i].size.height == h) {
            *format = formats[i];
            return true;
        }
    }
    return false;
}

HRESULT CapturePin::CheckMediaType(const AM_MEDIA_TYPE& mt)
{
    Format format = {};
    if (!AcceptableFormat(mt, &format))
        return VFW_E_TYPE_NOT_ACCEPTED;
    // After SetFormat only the chosen format is delivered.
    if (!m_chosen.IsEmpty()) {
        const VIDEOINFOHEADER* chosen = dshow::VideoInfoOf(m_chosen.Get());
        if (!chosen || chosen->bmiHeader.biWidth != format.size.width ||
            chosen->bmiHeader.biHeight != format.size.height || m_chosen.Get().subtype != mt.subtype)
            return VFW_E_TYPE_NOT_ACCEPTED;
    }
    return S_OK;
}

// Offered types: the chosen format alone after SetFormat; otherwise 640x480 first (the camera's
// default format), then the other sizes.
HRESULT CapturePin::GetMediaType(int index, dshow::MediaType& mt)
{
    if (index < 0)
        return E_INVALIDARG;
    if (!m_chosen.IsEmpty())
        return index == 0 ? mt.Set(m_chosen.Get()) : VFW_S_NO_MORE_ITEMS;
    Format formats[kMaxFormats];
    size_t count = 0;
    if (!Formats(formats, &count) || static_cast<size_t>(index) >= count)
        return VFW_S_NO_MORE_ITEMS;
    for (size_t i = 1; i < count; ++i) {
        const Format f = formats[i];
        if (!f.mjpg && f.size.width == kDefaultWidth && f.size.height == kDefaultHeight) {
            for (size_t j = i; j > 0; --j)
                formats[j] = formats[j - 1];
            formats[0] = f;
        }
    }
    return BuildType(mt, formats[index], kFrameInterval);
}

// The allocator is decided before the connection completes, so the picture takes its size here.
HRESULT CapturePin::DecideBufferSize(IMemAllocator*, ALLOCATOR_PROPERTIES* request)
{
    if (!request)
        return E_POINTER;
    const VIDEOINFOHEADER* vih = dshow::VideoInfoOf(ConnectionType().Get());
    if (!vih)
        return VFW_E_NOT_CONNECTED;
    const LONG height = vih->bmiHeader.biHeight < 0 ? -vih->bmiHeader.biHeight : vih->bmiHeader.biHeight;
    if (!m_picture.Configure(vih->bmiHeader.biWidth, height))
        return VFW_E_TYPE_NOT_ACCEPTED;
    // MJPG frames are drawn into a frame of our own and compressed into the sample.
    m_mjpg = ConnectionType().Get().subtype == MEDIASUBTYPE_MJPG;
    m_scratch.assign(m_mjpg ? m_picture.FrameBytes() : 0, 0);
    if (request->cBuffers < 2)
        request->cBuffers = 2;
    if (request->cbBuffer < static_cast<long>(m_picture.FrameBytes()))
        request->cbBuffer = static_cast<long>(m_picture.FrameBytes());
    if (request->cbAlign < 1)
        request->cbAlign = 1;
    return S_OK;
}

REFERENCE_TIME CapturePin::FrameInterval()
{
    // Frames come at the rate the connection asked for, as a driver's do (15 per second while recording).
    const VIDEOINFOHEADER* info = dshow::VideoInfoOf(ConnectionType().Get());
    return info && info->AvgTimePerFrame > 0 ? info->AvgTimePerFrame : kFrameInterval;
}

HRESULT CapturePin::FillBuffer(IMediaSample* sample, REFERENCE_TIME, REFERENCE_TIME)
{
    BYTE* data = nullptr;
    if (!sample || FAILED(sample->GetPointer(&data)) || !data)
        return E_POINTER;
    const long size = sample->GetSize();
    if (size < 0 || static_cast<size_t>(size) < m_picture.FrameBytes())
        return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
    Orientation orientation = {false, false};
    Tone tone = NeutralTone();
    uint32_t counter = 0;
    {
        StateLock lock;
        if (m_camera.DeviceLost(lock)) {
            // The camera was pulled out: tell the graph once and end the stream.
            if (!m_lostReported) {
                m_lostReported = true;
                m_camera.NotifyEvent(EC_DEVICE_LOST, 0, 0);
            }
            return S_FALSE;
        }
        DeviceState* d = m_camera.Device(lock);
        orientation = SensorOrientation(*d);
        tone = ToneOf(*d);
        counter = d->frameCounter++;
    }
    if (m_mjpg) {
        if (!m_picture.DrawYuy2(m_scratch.data(), m_scratch.size(), counter, orientation, tone))
            return E_FAIL;
        size_t bytes =
            EncodeMjpeg(m_scratch.data(), m_picture.Width(), m_picture.Height(), data, static_cast<size_t>(size));
        return bytes ? sample->SetActualDataLength(static_cast<long>(bytes)) : E_FAIL;
    }
    if (!m_picture.DrawYuy2(data, static_cast<size_t>(size), counter, orientation, tone))
        return E_FAIL;
    return sample->SetActualDataLength(static_cast<long>(m_picture.FrameBytes()));
}

STDMETHODIMP CapturePin::SetFormat(AM_MEDIA_TYPE* mt)
{
    if (!mt)
        return E_POINTER;
    dshow::AutoLock lock(m_filter.FilterLock());
    if (m_filter.State() != State_Stopped)
        return VFW_E_NOT_STOPPED;
    Format format = {};
    // Callers may leave the frame rate at 0 and give an image size of another pixel format: the
    // camera takes subtype and size and fills in the rest itself.
    if (!AcceptableFormat(*mt, &format))
        return VFW_E_INVALIDMEDIATYPE;
    const VIDEOINFOHEADER* vih = dshow::VideoInfoOf(*mt);
    REFERENCE_TIME interval = vih->AvgTimePerFrame > 0 ? vih->AvgTimePerFrame : kFrameInterval;
    dshow::MediaType chosen;
    HRESULT hr = BuildType(chosen, format, interval);
    if (FAILED(hr))
        return hr;
    if (IsConnected()) {
        const AM_MEDIA_TYPE& current = ConnectionType().Get();
        const VIDEOINFOHEADER* cv = dshow::VideoInfoOf(current);
        if (!cv || current.subtype != chosen.Get().subtype || cv->bmiHeader.biWidth != format.size.width ||
            cv->bmiHeader.biHeight != format.size.height)
            return VFW_E_ALREADY_CONNECTED;
    }
    m_chosen = chosen;
    return S_OK;
}

STDMETHODIMP CapturePin::GetFormat(AM_MEDIA_TYPE** mt)
{
    if (!mt)
        return E_POINTER;
    *mt = nullptr;
    dshow::AutoLock lock(m_filter.FilterLock());
    dshow::MediaType current;
    if (IsConnected())
        current = ConnectionType();
    else if (!m_chosen.IsEmpty())
        current = m_chosen;
    else {
        HRESULT hr =
            dshow::BuildVideoType(current, dshow::PixelLayout::Yuy2, kDefaultWidth, kDefaultHeight, kFrameInterval);
        if (FAILED(hr))
            return hr;
    }
    *mt = dshow::CreateMediaType(&current.Get());
    return *mt ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CapturePin::GetNumberOfCapabilities(int* count, int* size)
{
    if (!count || !size)
        return E_POINTER;
    Format formats[kMaxFormats];
    size_t n = 0;
    if (!Formats(formats, &n))
        return kNotConnected;
    *count = static_cast<int>(n);
    *size = sizeof(VIDEO_STREAM_CONFIG_CAPS);
    return S_OK;
}

STDMETHODIMP CapturePin::GetStreamCaps(int index, AM_MEDIA_TYPE** mt, BYTE* caps)
{
    if (!mt || !caps)
        return E_POINTER;
    *mt = nullptr;
    Format formats[kMaxFormats];
    size_t n = 0;
    if (!Formats(formats, &n))
        return kNotConnected;
    if (index < 0 || static_cast<size_t>(index) >= n)
        return S_FALSE;
    dshow::MediaType type;
    HRESULT hr = BuildType(type, formats[index], kFrameInterval);
    if (FAILED(hr))
        return hr;
    VIDEO_STREAM_CONFIG_CAPS c = {};
    c.guid = FORMAT_VideoInfo;
    c.VideoStandard = AnalogVideo_None;
    const FrameSize& size = formats[index].size;
    c.InputSize = {size.width, size.height};
    c.MinCroppingSize = c.MaxCroppingSize = c.InputSize;
    c.CropGranularityX = c.CropGranularityY = 1;
    c.CropAlignX = c.CropAlignY = 1;
    c.MinOutputSize = c.MaxOutputSize = c.InputSize;
    c.OutputGranularityX = c.OutputGranularityY = 1;
    c.MinFrameInterval = c.MaxFrameInterval = kFrameInterval;
    LONG bits = size.width * size.height * 16;
    c.MinBitsPerSecond = c.MaxBitsPerSecond = bits * 30;
    std::memcpy(caps, &c, sizeof c);
    *mt = dshow::CreateMediaType(&type.Get());
    return *mt ? S_OK : E_OUTOFMEMORY;
}

// ---- filter ----

SimCamera::SimCamera() : dshow::PushSource(CLSID_SimCamera), m_pin(*this)
{
    // Created without a property bag, the filter is the first plugged camera.
    StateLock lock;
    if (lock.State()) {
        for (uint32_t i = 0; i < lock.State()->header.deviceCount; ++i) {
            uint32_t slot = 0;
            DeviceState* d = lock.DeviceAt(i, &slot);
            if (d && d->plugged) {
                m_slot = slot;
                break;
            }
        }
    }
}

SimCamera::~SimCamera() = default;

dshow::Pin* SimCamera::PinAt(int index)
{
    return index == 0 ? &m_pin : nullptr;
}

HRESULT SimCamera::QueryExtraInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IAMVideoProcAmp)
        *ppv = static_cast<IAMVideoProcAmp*>(this);
    else if (riid == IID_IKsTopologyInfo)
        *ppv = static_cast<IKsTopologyInfo*>(this);
    else if (riid == IID_IKsControl)
        *ppv = static_cast<IKsControl*>(this);
    else if (riid == IID_IKsPropertySet)
        *ppv = static_cast<IKsPropertySet*>(this);
    else if (riid == IID_IPersistPropertyBag)
        *ppv = static_cast<IPersistPropertyBag*>(this);
    else
        return dshow::PushSource::QueryExtraInterface(riid, ppv);
    AddRef();
    return S_OK;
}

DeviceState* SimCamera::Device(const StateLock& lock) const
{
    return lock.PluggedSlot(m_slot);
}

bool SimCamera::DeviceLost(const StateLock& lock) const
{
    DeviceState* d = Device(lock);
    return !d || d->generation != m_generation;
}

HRESULT SimCamera::OnPause(FILTER_STATE from)
{
    if (from == State_Stopped) {
        StateLock lock;
        DeviceState* d = Device(lock);
        if (!d)
            return kNotConnected;
        if (d->busy)
            return kBusy;
        m_generation = d->generation;
    }
    return dshow::PushSource::OnPause(from);
}

// IAMVideoProcAmp

STDMETHODIMP SimCamera::GetRange(long property, long* min, long* max, long* step, long* def, long* caps)
{
    return ImageGetRange(m_slot, property, min, max, step, def, caps);
}

STDMETHODIMP SimCamera::Set(long property, long value, long flags)
{
    return ImageSet(m_slot, property, value, flags);
}

STDMETHODIMP SimCamera::Get(long property, long* value, long* flags)
{
    return ImageGet(m_slot, property, value, flags);
}

// IKsTopologyInfo

STDMETHODIMP SimCamera::get_NumCategories(DWORD* count)
{
    if (!count)
        return E_POINTER;
    *count = 2;
    return S_OK;
}

STDMETHODIMP SimCamera::get_Category(DWORD index, GUID* category)
{
    if (!category)
        return E_POINTER;
    if (index >= 2)
        return E_INVALIDARG;
    *category = index == 0 ? KSCATEGORY_CAPTURE : KSCATEGORY_VIDEO;
    return S_OK;
}

STDMETHODIMP SimCamera::get_NumConnections(DWORD* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP SimCamera::get_ConnectionInfo(DWORD, KSTOPOLOGY_CONNECTION* info)
{
    return info ? E_INVALIDARG : E_POINTER;
}

STDMETHODIMP SimCamera::get_NumNodes(DWORD* count)
{
    if (!count)
        return E_POINTER;
    StateLock lock;
    DeviceState* d = Device(lock);
    if (!d)
        return kNotConnected;
    NodeKind nodes[kMaxNodes];
    *count = static_cast<DWORD>(TopologyNodes(*d, nodes, kMaxNodes));
    return S_OK;
}

STDMETHODIMP SimCamera::get_NodeType(DWORD node, GUID* type)
{
    if (!type)
        return E_POINTER;
    StateLock lock;
    DeviceState* d = Device(lock);
    if (!d)
        return kNotConnected;
    NodeKind nodes[kMaxNodes];
    size_t count = TopologyNodes(*d, nodes, kMaxNodes);
    if (node >= count)
        return E_INVALIDARG;
    *type = NodeTypeGuid(nodes[node]);
    return S_OK;
}

STDMETHODIMP SimCamera::get_NodeName(DWORD node, WCHAR* name, DWORD size, DWORD* length)
{
    if (!length)
        return E_POINTER;
    StateLock lock;
    DeviceState* d = Device(lock);
    if (!d)
        return kNotConnected;
    NodeKind nodes[kMaxNodes];
    size_t count = TopologyNodes(*d, nodes, kMaxNodes);
    if (node >= count)
        return E_INVALIDARG;
    const wchar_t* text = NodeName(nodes[node]);
    DWORD bytes = static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t));
    *length = bytes;
    if (!name || size < bytes)
        return HRESULT_FROM_WIN32(ERROR_MORE_DATA);
    std::memcpy(name, text, bytes);
    return S_OK;
}

STDMETHODIMP SimCamera::CreateNodeInstance(DWORD node, REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    {
        StateLock lock;
        DeviceState* d = Device(lock);
        if (!d)
            return kNotConnected;
        NodeKind nodes[kMaxNodes];
        size_t count = TopologyNodes(*d, nodes, kMaxNodes);
        if (node >= count)
            return E_INVALIDARG;
        if (nodes[node] != NodeKind::VideoProcessing)
            return E_NOINTERFACE;
    }
    return VideoProcNode::Create(m_slot, riid, ppv);
}

// Vendor property set

HRESULT SimCamera::VendorRequest(uint32_t modelId, bool set, uint8_t* data, size_t length, uint32_t* returned,
                                 bool throughNode)
{
    StateLock lock;
    DeviceState* d = Device(lock);
    if (!d)
        return kNotConnected;
    // A camera with an extension unit answers the vendor set only on that node; one without answers
    // it on the filter.
    if (throughNode != (d->hasExtensionNode != 0))
        return kPropSetUnsupported;
    return VendorPropertyRequest(*d, kVendorPropertySet, modelId, set, data, length, returned);
}

STDMETHODIMP SimCamera::KsProperty(PKSPROPERTY property, ULONG propertyLength, LPVOID data, ULONG dataLength,
                                   ULONG* returned)
{
    if (returned)
        *returned = 0;
    if (!property || propertyLength < sizeof(KSPROPERTY))
        return E_INVALIDARG;
    if (property->Set != VendorSet())
        return kPropSetUnsupported;
    const ULONG type = property->Flags & ~KSPROPERTY_TYPE_TOPOLOGY;
    if (type != KSPROPERTY_TYPE_GET && type != KSPROPERTY_TYPE_SET)
        return kPropIdUnsupported;
    const bool throughNode = (property->Flags & KSPROPERTY_TYPE_TOPOLOGY) != 0;
    if (throughNode) {
        if (propertyLength < sizeof(KSP_NODE))
            return E_INVALIDARG;
        StateLock lock;
        DeviceState* d = Device(lock);
        if (!d)
            return kNotConnected;
        int extension = ExtensionNodeIndex(*d);
        const ULONG nodeId = reinterpret_cast<const KSP_NODE*>(property)->NodeId;
        NodeKind nodes[kMaxNodes];
        if (nodeId >= TopologyNodes(*d, nodes, kMaxNodes))
            return E_INVALIDARG;
        if (static_cast<int>(nodeId) != extension)
            return kPropSetUnsupported;
    }
    uint32_t produced = 0;
    HRESULT hr = VendorRequest(property->Id, type == KSPROPERTY_TYPE_SET, static_cast<uint8_t*>(data), dataLength,
                               &produced, throughNode);
    if (returned)
        *returned = produced;
    return hr;
}

STDMETHODIMP SimCamera::KsMethod(PKSMETHOD, ULONG, LPVOID, ULONG, ULONG* returned)
{
    if (returned)
        *returned = 0;
    return kPropSetUnsupported;
}

STDMETHODIMP SimCamera::KsEvent(PKSEVENT, ULONG, LPVOID, ULONG, ULONG* returned)
{
    if (returned)
        *returned = 0;
    return kPropSetUnsupported;
}

STDMETHODIMP SimCamera::Set(REFGUID set, DWORD id, LPVOID, DWORD, LPVOID data, DWORD dataLength)
{
    if (set != VendorSet())
        return kPropSetUnsupported;
    if (!data)
        return E_INVALIDARG;
    if (dataLength < kBlockValueOffset + 2)
        return kInsufficientBuffer;
    uint32_t produced = 0;
    return VendorRequest(id + 1, true, static_cast<uint8_t*>(data) + kBlockValueOffset, 2, &produced, false);
}

STDMETHODIMP SimCamera::Get(REFGUID set, DWORD id, LPVOID, DWORD, LPVOID data, DWORD dataLength, DWORD* returned)
{
    if (returned)
        *returned = 0;
    if (set != VendorSet())
        return kPropSetUnsupported;
    if (!data)
        return E_INVALIDARG;
    if (dataLength < kBlockValueOffset + 2)
        return kInsufficientBuffer;
    uint32_t produced = 0;
    HRESULT hr = VendorRequest(id + 1, false, static_cast<uint8_t*>(data) + kBlockValueOffset, 2, &produced, false);
    if (SUCCEEDED(hr) && returned)
        *returned = kBlockValueOffset + produced;
    return hr;
}

STDMETHODIMP SimCamera::QuerySupported(REFGUID set, DWORD id, DWORD* support)
{
    if (!support)
        return E_POINTER;
    *support = 0;
    if (set != VendorSet())
        return kPropSetUnsupported;
    switch (id + 1) {
    case kPropAddress:
    case kPropAsicWrite:
        *support = KSPROPERTY_SUPPORT_SET;
        return S_OK;
    case kPropAsicRead:
        *support = KSPROPERTY_SUPPORT_GET;
        return S_OK;
    case kPropEeprom:
    case kPropSensor:
        *support = KSPROPERTY_SUPPORT_GET | KSPROPERTY_SUPPORT_SET;
        return S_OK;
    default:
        return kPropIdUnsupported;
    }
}

// IPersistPropertyBag: the device enumerator hands over the instance's values when it creates the
// filter; "SimSlot" names the device.

STDMETHODIMP SimCamera::InitNew()
{
    return S_OK;
}

STDMETHODIMP SimCamera::Load(IPropertyBag* bag, IErrorLog* log)
{
    if (!bag)
        return E_POINTER;
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    HRESULT hr = bag->Read(L"SimSlot", &value, log);
    if (FAILED(hr))
        return S_OK; // not one of our instances: keep the default device
    if (value.vt == VT_BSTR && value.bstrVal) {
        wchar_t* end = nullptr;
        unsigned long slot = wcstoul(value.bstrVal, &end, 10);
        if (end && !*end && slot < kSlotCount)
            m_slot = static_cast<uint32_t>(slot);
    }
    VariantClear(&value);
    return S_OK;
}

STDMETHODIMP SimCamera::Save(IPropertyBag*, BOOL, BOOL)
{
    return E_NOTIMPL;
}

} // namespace sim
