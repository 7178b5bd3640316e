// The simulated camera's capture filter: one capture pin (YUY2 test picture, IAMStreamConfig) and the
// driver's control interfaces on the filter (IAMVideoProcAmp, IKsTopologyInfo, IKsControl and
// IKsPropertySet over the vendor property set). Which device it is comes from the device enumerator's
// property bag (IPersistPropertyBag::Load); created directly, it is the first plugged camera.
#pragma once
#include "dshow/PushSource.h"
#include "dshow/vidcap_decl.h"
#include "sim/model/TestPicture.h"
#include "sim/shared/SharedState.h"
#include <vector>

namespace sim {

class SimCamera;

class CapturePin : public dshow::PushPin, public IAMStreamConfig
{
public:
    explicit CapturePin(SimCamera& camera);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return dshow::PushPin::QueryInterface(riid, ppv); }
    STDMETHODIMP_(ULONG) AddRef() override { return dshow::PushPin::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return dshow::PushPin::Release(); }

    // IAMStreamConfig
    STDMETHODIMP SetFormat(AM_MEDIA_TYPE* mt) override;
    STDMETHODIMP GetFormat(AM_MEDIA_TYPE** mt) override;
    STDMETHODIMP GetNumberOfCapabilities(int* count, int* size) override;
    STDMETHODIMP GetStreamCaps(int index, AM_MEDIA_TYPE** mt, BYTE* caps) override;

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& mt) override;
    HRESULT GetMediaType(int index, dshow::MediaType& mt) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT FillBuffer(IMediaSample* sample, REFERENCE_TIME start, REFERENCE_TIME stop) override;
    REFERENCE_TIME FrameInterval() override;

protected:
    HRESULT QueryExtraInterface(REFIID riid, void** ppv) override;

private:
    struct Format
    {
        FrameSize size;
        bool mjpg;
    };
    // Formats the device offers now (YUY2 sizes, then MJPG sizes when it has them); false when it is gone.
    bool Formats(Format* formats, size_t* count);
    static HRESULT BuildType(dshow::MediaType& mt, const Format& format, REFERENCE_TIME interval);
    // The offered format a video-info type names, or false.
    bool AcceptableFormat(const AM_MEDIA_TYPE& mt, Format* format);

    SimCamera& m_camera;
    dshow::MediaType m_chosen; // set by SetFormat; empty: every offered size
    TestPicture m_picture;
    bool m_mjpg = false;
    std::vector<uint8_t> m_scratch; // YUY2 frame behind an MJPG sample
    bool m_lostReported = false;
};

class SimCamera : public dshow::PushSource,
                  public IAMVideoProcAmp,
                  public IKsTopologyInfo,
                  public IKsControl,
                  public IKsPropertySet,
                  public IPersistPropertyBag
{
public:
    SimCamera();
    ~SimCamera() override;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        return dshow::BaseFilter::QueryInterface(riid, ppv);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return dshow::BaseFilter::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return dshow::BaseFilter::Release(); }
    STDMETHODIMP GetClassID(CLSID* clsid) override { return dshow::BaseFilter::GetClassID(clsid); }

    // IAMVideoProcAmp: properties 0..5 and 13 (power-line frequency).
    STDMETHODIMP GetRange(long property, long* min, long* max, long* step, long* def, long* caps) override;
    STDMETHODIMP Set(long property, long value, long flags) override;
    STDMETHODIMP Get(long property, long* value, long* flags) override;

    // IKsTopologyInfo
    STDMETHODIMP get_NumCategories(DWORD* count) override;
    STDMETHODIMP get_Category(DWORD index, GUID* category) override;
    STDMETHODIMP get_NumConnections(DWORD* count) override;
    STDMETHODIMP get_ConnectionInfo(DWORD index, KSTOPOLOGY_CONNECTION* info) override;
    STDMETHODIMP get_NodeName(DWORD node, WCHAR* name, DWORD size, DWORD* length) override;
    STDMETHODIMP get_NumNodes(DWORD* count) override;
    STDMETHODIMP get_NodeType(DWORD node, GUID* type) override;
    STDMETHODIMP CreateNodeInstance(DWORD node, REFIID riid, void** ppv) override;

    // IKsControl: vendor properties as node requests on the extension unit.
    STDMETHODIMP KsProperty(PKSPROPERTY property, ULONG propertyLength, LPVOID data, ULONG dataLength,
                            ULONG* returned) override;
    STDMETHODIMP KsMethod(PKSMETHOD method, ULONG methodLength, LPVOID data, ULONG dataLength,
                          ULONG* returned) override;
    STDMETHODIMP KsEvent(PKSEVENT event, ULONG eventLength, LPVOID data, ULONG dataLength, ULONG* returned) override;

    // IKsPropertySet: vendor properties (numbers one lower) in the 56-byte block form, on cameras
    // without an extension unit.
    STDMETHODIMP Set(REFGUID set, DWORD id, LPVOID instance, DWORD instanceLength, LPVOID data,
                     DWORD dataLength) override;
    STDMETHODIMP Get(REFGUID set, DWORD id, LPVOID instance, DWORD instanceLength, LPVOID data, DWORD dataLength,
                     DWORD* returned) override;
    STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* support) override;

    // IPersistPropertyBag
    STDMETHODIMP InitNew() override;
    STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;
    STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;

    int PinCount() override { return 1; }
    dshow::Pin* PinAt(int index) override;

    // The device of this filter while it is plugged in, else null (the lock must be held).
    DeviceState* Device(const StateLock& lock) const;
    uint32_t Slot() const { return m_slot; }
    // True when the device went away since the stream started.
    bool DeviceLost(const StateLock& lock) const;

protected:
    HRESULT QueryExtraInterface(REFIID riid, void** ppv) override;
    HRESULT OnPause(FILTER_STATE from) override;

private:
    HRESULT VendorRequest(uint32_t modelId, bool set, uint8_t* data, size_t length, uint32_t* returned,
                          bool throughNode);

    uint32_t m_slot = kSlotCount; // kSlotCount: none
    uint32_t m_generation = 0;    // device generation when the stream started
    CapturePin m_pin;
};

} // namespace sim
