// Graph helpers shared by the capture engine, the simulated devices and the tests: pin lookup by index,
// direction and category, tearing down everything downstream of a filter, connecting filters, and
// HRESULT text for log lines.
#pragma once

#include <windows.h>
#include <dshow.h>

#include <string>

namespace dshow {

// The index-th pin (from 0) of the given direction, in the filter's enumeration order. E_POINTER when the
// filter (or out) is null, E_FAIL when there is no such pin.
HRESULT GetPin(IBaseFilter* filter, PIN_DIRECTION direction, int index, IPin** pin);

// For each connected pin of the filter whose peer is an input pin: first RemoveDownstream the peer's filter,
// then disconnect the peer pin and the pin, and remove the peer's filter from the graph. The filter itself
// stays in the graph. A null filter or graph does nothing.
void RemoveDownstream(IFilterGraph* graph, IBaseFilter* filter);

// True when the pin reports this category (PIN_CATEGORY_CAPTURE, ...) through IKsPropertySet.
bool PinHasCategory(IPin* pin, const GUID& category);

// The index-th pin of the direction that has the category (null: any) and offers or carries the major
// type (null: any), skipping connected pins when unconnectedOnly. E_POINTER / E_FAIL as GetPin.
HRESULT FindPinByCategory(IBaseFilter* filter, PIN_DIRECTION direction, const GUID* category, const GUID* majorType,
                          bool unconnectedOnly, int index, IPin** pin);

// Output pin outIndex of `from` to input pin inIndex of `to`: directly with the optional media type, or
// through the graph's intelligent connect.
HRESULT ConnectFilters(IGraphBuilder* graph, IBaseFilter* from, int outIndex, IBaseFilter* to, int inIndex,
                       const AM_MEDIA_TYPE* mt, bool intelligent);

// Creates a filter by class id and adds it to the graph under name; hands out the filter when asked.
HRESULT AddFilterByClsid(IGraphBuilder* graph, const CLSID& clsid, const wchar_t* name, IBaseFilter** filter);

// "VFW_E_NOT_CONNECTED (0x80040209)" / "0x8004FFFF", for log lines.
std::wstring HrToTextW(HRESULT hr);

} // namespace dshow
