// IVideoProcAmp of the video-processing node, and the image-property access it shares with the filter.
#include "sim/simcam/VideoProcNode.h"
#include "dshow/Filter.h"
#include "sim/model/Hresults.h"
#include "sim/model/Profiles.h"
#include "sim/shared/SharedState.h"
#include <new>

namespace sim {

HRESULT ImageGetRange(uint32_t slot, long property, long* min, long* max, long* step, long* def, long* caps)
{
    if (!min || !max || !step || !def || !caps)
        return E_POINTER;
    int index = ImageIndexOfProperty(property);
    if (index < 0)
        return kPropIdUnsupported;
    StateLock lock;
    DeviceState* d = lock.PluggedSlot(slot);
    if (!d)
        return kNotConnected;
    const ImageRange& r = ProfileOf(*d).image[index];
    *min = r.min;
    *max = r.max;
    *step = r.step;
    *def = r.def;
    *caps = r.caps;
    return S_OK;
}

HRESULT ImageSet(uint32_t slot, long property, long value, long flags)
{
    int index = ImageIndexOfProperty(property);
    HRESULT hr = kPropIdUnsupported;
    if (index >= 0) {
        StateLock lock;
        DeviceState* d = lock.PluggedSlot(slot);
        if (!d) {
            hr = kNotConnected;
        } else {
            const ImageRange& r = ProfileOf(*d).image[index];
            if (value < r.min || value > r.max) {
                hr = E_INVALIDARG;
            } else {
                d->imageValue[index] = static_cast<int32_t>(value);
                d->imageFlags[index] = static_cast<int32_t>(flags);
                hr = S_OK;
            }
        }
    }
    char result[16];
    snprintf(result, sizeof result, "0x%08lx", static_cast<unsigned long>(hr));
    JournalCall("VideoProcAmp.Set", result, "slot=%u,%ld,%ld,%ld", slot, property, value, flags);
    return hr;
}

HRESULT ImageGet(uint32_t slot, long property, long* value, long* flags)
{
    if (!value || !flags)
        return E_POINTER;
    int index = ImageIndexOfProperty(property);
    if (index < 0)
        return kPropIdUnsupported;
    StateLock lock;
    DeviceState* d = lock.PluggedSlot(slot);
    if (!d)
        return kNotConnected;
    *value = d->imageValue[index];
    *flags = d->imageFlags[index];
    return S_OK;
}

HRESULT VideoProcNode::Create(uint32_t slot, REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    VideoProcNode* node = new (std::nothrow) VideoProcNode(slot);
    if (!node)
        return E_OUTOFMEMORY;
    HRESULT hr = node->QueryInterface(riid, ppv);
    node->Release();
    return hr;
}

// Node objects keep the module loaded while they live.
VideoProcNode::VideoProcNode(uint32_t slot) : m_slot(slot)
{
    ++dshow::ModuleObjectCount();
}

VideoProcNode::~VideoProcNode()
{
    --dshow::ModuleObjectCount();
}

STDMETHODIMP VideoProcNode::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IVideoProcAmp) {
        *ppv = static_cast<IVideoProcAmp*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) VideoProcNode::AddRef()
{
    return ++m_ref;
}

STDMETHODIMP_(ULONG) VideoProcNode::Release()
{
    ULONG ref = --m_ref;
    if (ref == 0)
        delete this;
    return ref;
}

// Properties of the node that the camera has map to VideoProcAmp numbers; the others are refused.
#define SIM_NODE_PROPERTY(Name, Number)                                                                                \
    STDMETHODIMP VideoProcNode::get_##Name(long* value, long* flags)                                                   \
    {                                                                                                                  \
        return ImageGet(m_slot, Number, value, flags);                                                                 \
    }                                                                                                                  \
    STDMETHODIMP VideoProcNode::put_##Name(long value, long flags)                                                     \
    {                                                                                                                  \
        return ImageSet(m_slot, Number, value, flags);                                                                 \
    }                                                                                                                  \
    STDMETHODIMP VideoProcNode::getRange_##Name(long* min, long* max, long* step, long* def, long* caps)               \
    {                                                                                                                  \
        return ImageGetRange(m_slot, Number, min, max, step, def, caps);                                               \
    }
SIM_NODE_PROPERTY(BacklightCompensation, -1)
SIM_NODE_PROPERTY(Brightness, 0)
SIM_NODE_PROPERTY(ColorEnable, -1)
SIM_NODE_PROPERTY(Contrast, 1)
SIM_NODE_PROPERTY(Gamma, 5)
SIM_NODE_PROPERTY(Saturation, 3)
SIM_NODE_PROPERTY(Sharpness, 4)
SIM_NODE_PROPERTY(WhiteBalance, -1)
SIM_NODE_PROPERTY(Gain, -1)
SIM_NODE_PROPERTY(Hue, 2)
SIM_NODE_PROPERTY(DigitalMultiplier, -1)
SIM_NODE_PROPERTY(PowerlineFrequency, kVideoProcAmpPowerLine)
#undef SIM_NODE_PROPERTY

STDMETHODIMP VideoProcNode::get_WhiteBalanceComponent(long*, long*, long*)
{
    return kPropIdUnsupported;
}

STDMETHODIMP VideoProcNode::put_WhiteBalanceComponent(long, long, long)
{
    return kPropIdUnsupported;
}

STDMETHODIMP VideoProcNode::getRange_WhiteBalanceComponent(long*, long*, long*, long*, long*)
{
    return kPropIdUnsupported;
}

} // namespace sim
