// Loads SN9C21xVCdll.dll, SunplusCamera.dll and Brindle.dll from the program folder and calls their exports.
#include <windows.h>

#include "sensorhelper/VendorLibraries.h"

#include "common/ModulePath.h"
#include "driverlib/BrindleApi.h"

#include <cstring>
#include <vector>

namespace {

// Owns one loaded library.
class LoadedModule
{
public:
    explicit LoadedModule(HMODULE module) : m_module(module) {}
    ~LoadedModule()
    {
        if (m_module != nullptr)
            FreeLibrary(m_module);
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    bool Provides(const char* function) const { return Find<FARPROC>(function) != nullptr; }
    template <typename Fn> Fn Find(const char* function) const
    {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(m_module, function)));
    }

private:
    HMODULE m_module;
};

HMODULE LoadBesideProgram(const wchar_t* file)
{
    const std::wstring path = PathBesideProgram(file);
    return path.empty() ? nullptr : LoadLibraryW(path.c_str());
}

// The vendors' functions answer booleans; only the low byte carries the answer, whatever width the library
// returns it in.
int BooleanResult(int result)
{
    return result & 0xFF;
}

// Results are read through a zeroed place of four bytes, so that a library writing a wider value than we use
// stays inside it; the low bytes are taken.
union ValuePlace {
    uint32_t wide;
    uint16_t word;
    uint8_t byte;
};

using DeviceDetectFn = int (*)();
using ReadFromSensorFn = int (*)(int slave, int mode, int reg, int count, void* value);
using WriteToSensorFn = int (*)(int slave, int mode, int reg, int count, int value);

class Win32Sonix : public SonixLibrary
{
public:
    explicit Win32Sonix(HMODULE module) : m_module(module) {}
    bool Provides(const char* function) const override { return m_module.Provides(function); }
    int DeviceDetect() override
    {
        auto fn = m_module.Find<DeviceDetectFn>("DeviceDetect");
        return fn != nullptr ? BooleanResult(fn()) : 0;
    }
    int ReadFromSensor(int slave, int mode, int reg, int count, uint8_t& value) override
    {
        auto fn = m_module.Find<ReadFromSensorFn>("ReadFromSensor");
        ValuePlace place{};
        if (fn == nullptr)
            return 0;
        const int result = BooleanResult(fn(slave, mode, reg, count, &place));
        value = place.byte;
        return result;
    }
    void WriteToSensor(int slave, int mode, int reg, int count, uint8_t value) override
    {
        if (auto fn = m_module.Find<WriteToSensorFn>("WriteToSensor"))
            (void)fn(slave, mode, reg, count, value); // the vendor's answer is not used
    }

private:
    LoadedModule m_module;
};

// The two init functions remove their own argument; the register functions leave it to the caller.
using SunplusInitFn = int(WINAPI*)(int device);
using SunplusGetFn = int (*)(int device, int reg, void* value);
using SunplusSetFn = int (*)(int device, int reg, int value);

class Win32Sunplus : public SunplusLibrary
{
public:
    explicit Win32Sunplus(HMODULE module) : m_module(module) {}
    bool Provides(const char* function) const override { return m_module.Provides(function); }
    void Init(int device) override { CallInit("SunplusCam_Init", device); }
    void UnInit(int device) override { CallInit("SunplusCam_UnInit", device); }
    int GetSensorRegister(int device, uint16_t reg, uint16_t& value) override
    {
        auto fn = m_module.Find<SunplusGetFn>("GetSensorRegister");
        ValuePlace place{};
        if (fn == nullptr)
            return -1;
        const int result = fn(device, reg, &place);
        value = place.word;
        return result;
    }
    void SetSensorRegister(int device, uint16_t reg, uint16_t value) override
    {
        CallSet("SetSensorRegister", device, reg, value);
    }
    void GetASICRegister(int device, uint16_t reg, uint8_t& value) override
    {
        ValuePlace place{};
        if (auto fn = m_module.Find<SunplusGetFn>("GetASICRegister"))
            (void)fn(device, reg, &place); // the vendor's answer is not used
        value = place.byte;
    }
    void SetASICRegister(int device, uint16_t reg, uint16_t value) override
    {
        CallSet("SetASICRegister", device, reg, value);
    }

private:
    void CallInit(const char* name, int device)
    {
        if (auto fn = m_module.Find<SunplusInitFn>(name))
            (void)fn(device);
    }
    void CallSet(const char* name, int device, uint16_t reg, uint16_t value)
    {
        if (auto fn = m_module.Find<SunplusSetFn>(name))
            (void)fn(device, reg, value);
    }

    LoadedModule m_module;
};

class Win32Brindle : public BrindleLibrary
{
public:
    explicit Win32Brindle(HMODULE module) : m_module(module) {}
    bool Provides(const char* function) const override { return m_module.Provides(function); }
    int Initialize() override
    {
        auto fn = m_module.Find<InitializeDriverInterfaceFn>("Initialize_DriverInterface");
        return fn != nullptr ? fn() : 0;
    }
    int UnInitialize() override
    {
        auto fn = m_module.Find<UnInitializeDriverInterfaceFn>("UnInitialize_DriverInterface");
        return fn != nullptr ? fn() : 0;
    }
    int GetFWVersion(int unused, uint8_t (&version)[4]) override
    {
        auto fn = m_module.Find<GetFWVersionFn>("GetFWVersion");
        return fn != nullptr ? fn(unused, version) : 0;
    }
    int GetSensorRegister(int kind, uint16_t reg, int unused, uint16_t& value, int width) override
    {
        auto fn = m_module.Find<GetSensorRegisterFn>("GetSensorRegister");
        unsigned short result = 0;
        if (fn == nullptr)
            return 0;
        const int ok = fn(kind, reg, unused, &result, width);
        value = result;
        return ok;
    }
    int SetSensorRegister(int kind, uint16_t reg, int unused, uint16_t value, int width) override
    {
        auto fn = m_module.Find<SetSensorRegisterFn>("SetSensorRegister");
        return fn != nullptr ? fn(kind, reg, unused, value, width) : 0;
    }

private:
    LoadedModule m_module;
};

template <typename Library> std::unique_ptr<Library> Load(const wchar_t* file)
{
    HMODULE module = LoadBesideProgram(file);
    if (module == nullptr)
        return nullptr;
    return std::make_unique<Library>(module);
}

} // namespace

std::unique_ptr<SonixLibrary> Win32VendorHost::LoadSonix()
{
    return Load<Win32Sonix>(L"SN9C21xVCdll.dll");
}

std::unique_ptr<SunplusLibrary> Win32VendorHost::LoadSunplus()
{
    return Load<Win32Sunplus>(L"SunplusCamera.dll");
}

std::unique_ptr<BrindleLibrary> Win32VendorHost::LoadBrindle()
{
    return Load<Win32Brindle>(L"Brindle.dll");
}

void Win32VendorHost::Wait(unsigned milliseconds)
{
    Sleep(milliseconds);
}

void Win32VendorHost::Trace(const std::string& line)
{
    const int n = MultiByteToWideChar(CP_ACP, 0, line.c_str(), -1, nullptr, 0);
    if (n <= 0)
        return;
    std::vector<wchar_t> wide(static_cast<size_t>(n));
    if (MultiByteToWideChar(CP_ACP, 0, line.c_str(), -1, wide.data(), n) > 0)
        OutputDebugStringW(wide.data());
}
