// A library loaded by full path for the life of a scope, its exports looked up by name, and the registration
// entries of a module.
#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

class Library
{
public:
    explicit Library(const std::wstring& path) : m_module(LoadLibraryW(path.c_str())) {}
    ~Library()
    {
        if (m_module)
            FreeLibrary(m_module);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    bool Loaded() const { return m_module != nullptr; }
    HMODULE Handle() const { return m_module; }
    // The export, or null when the library is not loaded or has no such export.
    template <typename Fn> Fn Find(const char* name) const
    {
        return m_module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(m_module, name))) : nullptr;
    }

private:
    HMODULE m_module;
};

// Calls the module's DllRegisterServer (install) or DllUnregisterServer, as an installer does; its result.
inline HRESULT RegisterModule(const std::wstring& path, bool install)
{
    Library module(path);
    if (!module.Loaded())
        return HRESULT_FROM_WIN32(GetLastError());
    using Entry = HRESULT(STDAPICALLTYPE*)();
    const Entry entry = module.Find<Entry>(install ? "DllRegisterServer" : "DllUnregisterServer");
    return entry ? entry() : E_NOINTERFACE;
}

} // namespace testsupport
