// Graph helpers.
#include "dshow/Graph.h"

#include "dshow/ComPtr.h"
#include "dshow/HrText.h"
#include "dshow/MediaType.h"

namespace dshow {

HRESULT GetPin(IBaseFilter* filter, PIN_DIRECTION direction, int index, IPin** pin)
{
    if (!filter || !pin)
        return E_POINTER;
    *pin = nullptr;
    if (index < 0)
        return E_FAIL;
    ComPtr<IEnumPins> pins;
    HRESULT hr = filter->EnumPins(pins.Put());
    if (FAILED(hr) || !pins)
        return E_FAIL;
    ComPtr<IPin> candidate;
    ULONG fetched = 0;
    while (pins->Next(1, candidate.Put(), &fetched) == S_OK && fetched == 1) {
        PIN_DIRECTION d;
        if (SUCCEEDED(candidate->QueryDirection(&d)) && d == direction) {
            if (index == 0) {
                *pin = candidate.Detach();
                return S_OK;
            }
            --index;
        }
    }
    return E_FAIL;
}

void RemoveDownstream(IFilterGraph* graph, IBaseFilter* filter)
{
    if (!graph || !filter)
        return;
    ComPtr<IEnumPins> pins;
    if (FAILED(filter->EnumPins(pins.Put())) || !pins)
        return;
    ComPtr<IPin> pin;
    ULONG fetched = 0;
    while (pins->Next(1, pin.Put(), &fetched) == S_OK && fetched == 1) {
        ComPtr<IPin> peer;
        if (FAILED(pin->ConnectedTo(peer.Put())) || !peer)
            continue;
        PIN_INFO info = {};
        if (FAILED(peer->QueryPinInfo(&info)))
            continue;
        ComPtr<IBaseFilter> peerFilter;
        peerFilter.Attach(info.pFilter);
        if (info.dir != PINDIR_INPUT)
            continue;
        RemoveDownstream(graph, peerFilter.Get());
        // Teardown reports nothing to its caller; a pin that will not let go stays as it is.
        (void)graph->Disconnect(peer.Get());
        (void)graph->Disconnect(pin.Get());
        (void)graph->RemoveFilter(peerFilter.Get());
    }
}

bool PinHasCategory(IPin* pin, const GUID& category)
{
    if (!pin)
        return false;
    ComPtr<IKsPropertySet> props;
    if (FAILED(pin->QueryInterface(IID_IKsPropertySet, props.PutVoid())))
        return false;
    GUID value = GUID_NULL;
    DWORD returned = 0;
    if (FAILED(props->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &value, sizeof value, &returned)))
        return false;
    return returned == sizeof value && IsEqualGUID(value, category);
}

static bool PinCarriesMajorType(IPin* pin, const GUID& major)
{
    AM_MEDIA_TYPE mt = {};
    if (pin->ConnectionMediaType(&mt) == S_OK) {
        const bool same = IsEqualGUID(mt.majortype, major);
        FreeMediaType(mt);
        return same;
    }
    ComPtr<IEnumMediaTypes> types;
    if (FAILED(pin->EnumMediaTypes(types.Put())) || !types)
        return false;
    AM_MEDIA_TYPE* offered = nullptr;
    ULONG fetched = 0;
    while (types->Next(1, &offered, &fetched) == S_OK && fetched == 1) {
        const bool same = IsEqualGUID(offered->majortype, major);
        DeleteMediaType(offered);
        if (same)
            return true;
    }
    return false;
}

HRESULT FindPinByCategory(IBaseFilter* filter, PIN_DIRECTION direction, const GUID* category, const GUID* majorType,
                          bool unconnectedOnly, int index, IPin** pin)
{
    if (!filter || !pin)
        return E_POINTER;
    *pin = nullptr;
    ComPtr<IEnumPins> pins;
    if (FAILED(filter->EnumPins(pins.Put())) || !pins)
        return E_FAIL;
    ComPtr<IPin> candidate;
    ULONG fetched = 0;
    while (pins->Next(1, candidate.Put(), &fetched) == S_OK && fetched == 1) {
        PIN_DIRECTION d;
        if (FAILED(candidate->QueryDirection(&d)) || d != direction)
            continue;
        if (category && !PinHasCategory(candidate.Get(), *category))
            continue;
        if (unconnectedOnly) {
            ComPtr<IPin> peer;
            if (SUCCEEDED(candidate->ConnectedTo(peer.Put())) && peer)
                continue;
        }
        if (majorType && !PinCarriesMajorType(candidate.Get(), *majorType))
            continue;
        if (index-- == 0) {
            *pin = candidate.Detach();
            return S_OK;
        }
    }
    return E_FAIL;
}

HRESULT ConnectFilters(IGraphBuilder* graph, IBaseFilter* from, int outIndex, IBaseFilter* to, int inIndex,
                       const AM_MEDIA_TYPE* mt, bool intelligent)
{
    if (!graph)
        return E_POINTER;
    ComPtr<IPin> out, in;
    HRESULT hr = GetPin(from, PINDIR_OUTPUT, outIndex, out.Put());
    if (FAILED(hr))
        return hr;
    hr = GetPin(to, PINDIR_INPUT, inIndex, in.Put());
    if (FAILED(hr))
        return hr;
    return intelligent ? graph->Connect(out.Get(), in.Get()) : graph->ConnectDirect(out.Get(), in.Get(), mt);
}

HRESULT AddFilterByClsid(IGraphBuilder* graph, const CLSID& clsid, const wchar_t* name, IBaseFilter** filter)
{
    if (!graph)
        return E_POINTER;
    if (filter)
        *filter = nullptr;
    ComPtr<IBaseFilter> created;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, created.PutVoid());
    if (FAILED(hr))
        return hr;
    hr = graph->AddFilter(created.Get(), name);
    if (FAILED(hr))
        return hr;
    if (filter)
        *filter = created.Detach();
    return S_OK;
}

std::wstring HrToTextW(HRESULT hr)
{
    const std::string text = HrToText(static_cast<uint32_t>(hr));
    return std::wstring(text.begin(), text.end());
}

} // namespace dshow
