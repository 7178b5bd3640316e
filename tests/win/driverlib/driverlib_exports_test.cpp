// Brindle.dll and flicker_a.dll as a caller sees them: undecorated exports, and clean failures when the
// system has no camera that Brindle serves.
#include <windows.h>
#include <dshow.h>

#include "driverlib/BrindleApi.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring BesideMe(const wchar_t* file)
{
    wchar_t path[MAX_PATH * 4] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + file;
}

class Library
{
public:
    explicit Library(const wchar_t* file) : m_module(LoadLibraryW(BesideMe(file).c_str())) {}
    ~Library()
    {
        if (m_module != nullptr)
            FreeLibrary(m_module);
    }
    bool Loaded() const { return m_module != nullptr; }
    template <typename Fn> Fn Find(const char* name) const
    {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(m_module, name)));
    }

private:
    HMODULE m_module;
};

// True when the system device enumerator lists at least one video-input device.
bool AnyVideoDevice()
{
    (void)CoInitialize(nullptr);
    ICreateDevEnum* devices = nullptr;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                reinterpret_cast<void**>(&devices))))
        return false;
    IEnumMoniker* monikers = nullptr;
    const HRESULT hr = devices->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, &monikers, 0);
    devices->Release();
    if (hr != S_OK || monikers == nullptr)
        return false;
    IMoniker* first = nullptr;
    const bool any = monikers->Next(1, &first, nullptr) == S_OK;
    if (first != nullptr)
        first->Release();
    monikers->Release();
    return any;
}

TEST(BrindleExports, AllExportsCarryUndecoratedNames)
{
    Library brindle(L"Brindle.dll");
    ASSERT_TRUE(brindle.Loaded());
    for (const char* name :
         {"Initialize_DriverInterface", "UnInitialize_DriverInterface", "GetSensorRegister", "SetSensorRegister",
          "GetSerialNumber", "GetFWVersion", "GetEEPROMRegister", "SetEEPROMRegister", "GetPowerLineFrequency",
          "SetPowerLineFrequency", "GetAreaCodeFrequency", "GetManufacturer", "SetManufacturer", "GetSensorVersion"})
        EXPECT_NE(brindle.Find<FARPROC>(name), nullptr) << name;

    Library flicker(L"flicker_a.dll");
    ASSERT_TRUE(flicker.Loaded());
    EXPECT_NE(flicker.Find<FARPROC>("GetAreaCodeFrequency"), nullptr);
}

TEST(BrindleExports, DeviceExportsFailCleanlyWithoutCamera)
{
    if (AnyVideoDevice())
        GTEST_SKIP() << "a video device is registered in this prefix";
    Library brindle(L"Brindle.dll");
    ASSERT_TRUE(brindle.Loaded());

    EXPECT_EQ(brindle.Find<InitializeDriverInterfaceFn>("Initialize_DriverInterface")(), 0);
    EXPECT_EQ(brindle.Find<UnInitializeDriverInterfaceFn>("UnInitialize_DriverInterface")(), 1);
    unsigned short reg = 0xBEEF;
    EXPECT_EQ(brindle.Find<GetSensorRegisterFn>("GetSensorRegister")(0, 0x0A, 1, &reg, 1), 0);
    EXPECT_EQ(reg, 0xBEEF);
    EXPECT_EQ(brindle.Find<SetSensorRegisterFn>("SetSensorRegister")(0, 0x1E, 1, 0x20, 1), 0);
    char text[38];
    std::fill(std::begin(text), std::end(text), 'x');
    EXPECT_EQ(brindle.Find<GetSerialNumberFn>("GetSerialNumber")(0, text), 0);
    EXPECT_EQ(text[0], '\0');
    EXPECT_EQ(text[1], 'x');
    unsigned char version[4] = {9, 9, 9, 9};
    EXPECT_EQ(brindle.Find<GetFWVersionFn>("GetFWVersion")(1, version), 0);
    EXPECT_EQ(version[0], 0);
    EXPECT_EQ(version[3], 9);
    unsigned char bytes[5] = {};
    EXPECT_EQ(brindle.Find<GetEEPROMRegisterFn>("GetEEPROMRegister")(0x100, 5, bytes), 0);
    EXPECT_EQ(brindle.Find<SetEEPROMRegisterFn>("SetEEPROMRegister")(0x100, 5, bytes), 0);
    int value = 42;
    EXPECT_EQ(brindle.Find<GetPowerLineFrequencyFn>("GetPowerLineFrequency")(&value), 0);
    EXPECT_EQ(value, 42);
    EXPECT_EQ(brindle.Find<SetPowerLineFrequencyFn>("SetPowerLineFrequency")(2), 0);
    int length = 42;
    EXPECT_EQ(brindle.Find<GetManufacturerFn>("GetManufacturer")(&length, text), 0);
    EXPECT_EQ(length, 42);
    EXPECT_EQ(brindle.Find<SetManufacturerFn>("SetManufacturer")(6, "Quillo"), 0);
    EXPECT_EQ(brindle.Find<GetSensorVersionFn>("GetSensorVersion")(), 0);
}

TEST(BrindleExports, AreaCodeFrequencyAlwaysAnswersAndRefusesANullPlace)
{
    for (const wchar_t* file : {L"Brindle.dll", L"flicker_a.dll"}) {
        Library library(file);
        ASSERT_TRUE(library.Loaded());
        auto fn = library.Find<GetAreaCodeFrequencyFn>("GetAreaCodeFrequency");
        ASSERT_NE(fn, nullptr);
        int code = -1;
        EXPECT_EQ(fn(&code), 1);
        EXPECT_TRUE(code == 1 || code == 2) << code;
        EXPECT_EQ(fn(nullptr), 0);
    }
}

} // namespace
