// The system device enumerator, walked once for everybody: the devices of a category in the enumerator's
// order, each with its property-bag texts ("FriendlyName", "DevicePath", "CLSID") and a way to bind its filter.
// The capture engine, Brindle, the simulated devices and the tests all find devices through this.
#pragma once

#include <windows.h>
#include <dshow.h>

#include <functional>
#include <string>
#include <vector>

#include "dshow/ComPtr.h"

namespace dshow {

// A VARIANT that is always cleared, whatever path the caller takes.
class Variant
{
public:
    Variant() { VariantInit(&m_value); }
    ~Variant() { VariantClear(&m_value); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    // Clears the value and hands it out as an empty text, ready for IPropertyBag::Read.
    VARIANT* ResetAsText();
    // The text held; false when the value is not a text.
    bool Text(std::wstring& text) const;
    VARIANT* Get() { return &m_value; }

private:
    VARIANT m_value;
};

// Reads one text value of a property bag; false (text emptied) when it is missing or not a text.
bool ReadBagText(IPropertyBag* bag, const wchar_t* name, std::wstring& text);

// One listed device: its moniker and, when the moniker gives one, its property bag.
class DeviceMoniker
{
public:
    DeviceMoniker(ComPtr<IMoniker> moniker, ComPtr<IPropertyBag> bag)
        : m_moniker(std::move(moniker)), m_bag(std::move(bag))
    {
    }

    IMoniker* Moniker() const { return m_moniker.Get(); }
    IPropertyBag* Bag() const { return m_bag.Get(); }
    bool HasBag() const { return static_cast<bool>(m_bag); }
    // A text value of the device's bag; false when there is no bag or no such text.
    bool Text(const wchar_t* name, std::wstring& text) const;
    // The text, or empty.
    std::wstring Text(const wchar_t* name) const;
    // Binds the device's filter (a new instance each time). S_OK with filter set, or the failure.
    HRESULT Bind(ComPtr<IBaseFilter>& filter) const;

private:
    ComPtr<IMoniker> m_moniker;
    ComPtr<IPropertyBag> m_bag;
};

enum class WalkStep { Next, Stop };

// Calls visit for every device of the category, in the enumerator's order, until it answers Stop.
// S_OK after a walk, S_FALSE when the category is empty, the failure when no enumerator could be made.
HRESULT WalkDevices(const GUID& category, const std::function<WalkStep(const DeviceMoniker&)>& visit);

// Every device of the category, in order (empty on any failure).
std::vector<DeviceMoniker> ListDevices(const GUID& category);

} // namespace dshow
