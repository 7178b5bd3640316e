// The simulated devices as the system sees them: enumeration and order, device paths, unplugging,
// image values and power line, the vendor property set in both access modes, and the journal of the
// simulated vendor libraries.
#include "SimTestSupport.h"
#include "sim/model/Hresults.h"
#include "sim/model/Registers.h"
#include "common/ModulePath.h"
#include "support/ComEnvironment.h"
#include "support/Library.h"
#include "support/Simctl.h"
#include <gtest/gtest.h>

using namespace simtest;
using testsupport::Simctl;
using testsupport::SimctlOk;

namespace {

const auto* const g_com = ::testing::AddGlobalTestEnvironment(new testsupport::ComEnvironment);

// Checks that simctl's list names exactly these profiles in this order.
void ProfileNamesIn(const std::string& list, std::initializer_list<const char*> names)
{
    std::vector<std::string> found;
    for (size_t at = list.find("profile="); at != std::string::npos; at = list.find("profile=", at + 1))
        found.push_back(list.substr(at + 8, list.find(' ', at) - at - 8));
    ASSERT_EQ(found.size(), names.size()) << list;
    size_t i = 0;
    for (const char* name : names)
        EXPECT_EQ(found[i++], name);
}

const wchar_t kKsProxy[] = L"{17CCA71B-ECD7-11D0-B908-00A0C9223196}";

// One text of every device of the category, in enumeration order.
std::vector<std::wstring> ListedTexts(const GUID& category, const wchar_t* name)
{
    std::vector<std::wstring> texts;
    for (const dshow::DeviceMoniker& device : dshow::ListDevices(category))
        texts.push_back(device.Text(name));
    return texts;
}

TEST(SimDevices, EnumeratedInOrderWithPathsAndUnplugRemovesOne)
{
    UseDevices({sim::ProfileId::Sonix, sim::ProfileId::Veyra9665, sim::ProfileId::Unknown});
    const std::vector<dshow::DeviceMoniker> devices = dshow::ListDevices(CLSID_VideoInputDeviceCategory);
    ASSERT_EQ(devices.size(), 3u);
    EXPECT_NE(devices[0].Text(L"DevicePath").find(L"vid_0c45&pid_62c0"), std::wstring::npos);
    EXPECT_NE(devices[1].Text(L"DevicePath").find(L"vid_0402&pid_9665"), std::wstring::npos);
    EXPECT_NE(devices[2].Text(L"DevicePath").find(L"vid_1d6b&pid_0102"), std::wstring::npos);
    for (const dshow::DeviceMoniker& device : devices) {
        EXPECT_FALSE(device.Text(L"FriendlyName").empty());
        EXPECT_EQ(device.Text(L"CLSID"), kKsProxy) << "driver-based capture devices carry the proxy's class id";
        EXPECT_EQ(device.Text(L"DevicePath").rfind(L"\\\\?\\usb#", 0), 0u);
    }

    ASSERT_TRUE(SimctlOk(L"order 2 0 1"));
    std::vector<std::wstring> paths = ListedTexts(CLSID_VideoInputDeviceCategory, L"DevicePath");
    ASSERT_EQ(paths.size(), 3u);
    EXPECT_NE(paths[0].find(L"pid_0102"), std::wstring::npos);
    EXPECT_NE(paths[1].find(L"pid_62c0"), std::wstring::npos);

    ASSERT_TRUE(SimctlOk(L"unplug 1"));
    paths = ListedTexts(CLSID_VideoInputDeviceCategory, L"DevicePath");
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(paths[1].find(L"pid_62c0"), std::wstring::npos);
    ASSERT_TRUE(SimctlOk(L"replug 1"));
    EXPECT_EQ(dshow::ListDevices(CLSID_VideoInputDeviceCategory).size(), 3u);

    EXPECT_EQ(ListedTexts(CLSID_AudioInputDeviceCategory, L"FriendlyName"),
              std::vector<std::wstring>{L"Sim Microphone"});
}

TEST(SimDevices, EachMonikerCreatesItsOwnDevice)
{
    UseDevices({sim::ProfileId::Sonix, sim::ProfileId::Veyra9665});
    const long defaults[2] = {sim::GetProfile(sim::ProfileId::Sonix).image[sim::kImageBrightness].def,
                              sim::GetProfile(sim::ProfileId::Veyra9665).image[sim::kImageBrightness].def};
    ASSERT_NE(defaults[0], defaults[1]);
    for (size_t i = 0; i < 2; ++i) {
        ComPtr<IBaseFilter> filter = BindDevice(CLSID_VideoInputDeviceCategory, i);
        ASSERT_TRUE(filter);
        ComPtr<IAMVideoProcAmp> amp;
        ASSERT_EQ(filter.As(amp), S_OK);
        long min, max, step, def, caps;
        ASSERT_EQ(amp->GetRange(VideoProcAmp_Brightness, &min, &max, &step, &def, &caps), S_OK);
        EXPECT_EQ(def, defaults[i]);
    }
}

TEST(SimDevices, ImageValuesKeepTheirRangesAndReachTheDevice)
{
    UseDevices({sim::ProfileId::Veyra9665});
    ComPtr<IBaseFilter> filter = BindDevice(CLSID_VideoInputDeviceCategory, 0);
    ASSERT_TRUE(filter);
    ComPtr<IAMVideoProcAmp> amp;
    ASSERT_EQ(filter.As(amp), S_OK);
    const sim::Profile& p = sim::GetProfile(sim::ProfileId::Veyra9665);
    for (long property : {0L, 1L, 2L, 3L, 4L, 5L, 13L}) {
        long min, max, step, def, caps, value, flags;
        ASSERT_EQ(amp->GetRange(property, &min, &max, &step, &def, &caps), S_OK) << property;
        const sim::ImageRange& r = p.image[sim::ImageIndexOfProperty(property)];
        EXPECT_EQ(min, r.min);
        EXPECT_EQ(max, r.max);
        EXPECT_EQ(def, r.def);
        EXPECT_EQ(amp->Set(property, max, 2), S_OK);
        ASSERT_EQ(amp->Get(property, &value, &flags), S_OK);
        EXPECT_EQ(value, max);
        EXPECT_EQ(amp->Set(property, max + 1, 2), E_INVALIDARG) << property;
    }
    long value, flags;
    EXPECT_EQ(amp->Get(VideoProcAmp_Gain, &value, &flags), sim::kPropIdUnsupported);
    EXPECT_EQ(testsupport::SimValue(L"get 0 image 0"), p.image[0].max);
}

struct NodeCase
{
    uint32_t videoIndex;
};

class SimPowerLineNode : public ::testing::TestWithParam<NodeCase>
{
};

// The power-line frequency is reached through the video-processing node wherever it sits.
TEST_P(SimPowerLineNode, NodeInstanceSetsThePowerLine)
{
    UseDevices({sim::ProfileId::Veyra9665});
    ASSERT_TRUE(SimctlOk(L"set 0 node " + std::to_wstring(GetParam().videoIndex)));
    ComPtr<IBaseFilter> filter = BindDevice(CLSID_VideoInputDeviceCategory, 0);
    ASSERT_TRUE(filter);
    ComPtr<IKsTopologyInfo> topology;
    ASSERT_EQ(filter->QueryInterface(IID_IKsTopologyInfo, topology.PutVoid()), S_OK);
    DWORD count = 0;
    ASSERT_EQ(topology->get_NumNodes(&count), S_OK);
    int found = -1;
    for (DWORD i = 0; i < count; ++i) {
        GUID type;
        ASSERT_EQ(topology->get_NodeType(i, &type), S_OK);
        if (type == KSNODETYPE_VIDEO_PROCESSING && found < 0)
            found = static_cast<int>(i);
    }
    ASSERT_EQ(found, static_cast<int>(GetParam().videoIndex));
    GUID type;
    EXPECT_EQ(topology->get_NodeType(count, &type), E_INVALIDARG);
    ComPtr<IVideoProcAmp> node;
    ASSERT_EQ(topology->CreateNodeInstance(found, IID_IVideoProcAmp, node.PutVoid()), S_OK);
    long value = 0, flags = 0;
    ASSERT_EQ(node->get_PowerlineFrequency(&value, &flags), S_OK);
    EXPECT_EQ(value, 1);
    ASSERT_EQ(node->put_PowerlineFrequency(2, 2), S_OK);
    EXPECT_EQ(node->put_PowerlineFrequency(3, 2), E_INVALIDARG);
    ComPtr<IAMVideoProcAmp> amp;
    ASSERT_EQ(filter.As(amp), S_OK);
    ASSERT_EQ(amp->Get(sim::kVideoProcAmpPowerLine, &value, &flags), S_OK);
    EXPECT_EQ(value, 2);
    ComPtr<IVideoProcAmp> other;
    EXPECT_EQ(topology->CreateNodeInstance(found == 0 ? 1 : 0, IID_IVideoProcAmp, other.PutVoid()), E_NOINTERFACE);
    node.Reset();
    amp.Reset();
    topology.Reset();
    EXPECT_EQ(filter.Detach()->Release(), 0u);
}

INSTANTIATE_TEST_SUITE_P(All, SimPowerLineNode, ::testing::Values(NodeCase{1}, NodeCase{0}, NodeCase{2}));

// Reads an ASIC byte the way the driver library does in each access mode.
HRESULT ReadAsicThroughNode(IKsControl* control, ULONG node, uint16_t address, uint16_t* value)
{
    KSP_NODE request = {};
    request.Property.Set = reinterpret_cast<const GUID&>(sim::kVendorPropertySet);
    request.Property.Id = sim::kPropAddress;
    request.Property.Flags = KSPROPERTY_TYPE_SET | KSPROPERTY_TYPE_TOPOLOGY;
    request.NodeId = node;
    uint8_t data[2] = {static_cast<uint8_t>(address), static_cast<uint8_t>(address >> 8)};
    ULONG returned = 0;
    HRESULT hr = control->KsProperty(&request.Property, sizeof request, data, sizeof data, &returned);
    if (FAILED(hr))
        return hr;
    request.Property.Id = sim::kPropAsicRead;
    request.Property.Flags = KSPROPERTY_TYPE_GET | KSPROPERTY_TYPE_TOPOLOGY;
    hr = control->KsProperty(&request.Property, sizeof request, data, sizeof data, &returned);
    *value = static_cast<uint16_t>(data[0] | (data[1] << 8));
    return hr;
}

HRESULT ReadAsicThroughPropertySet(IKsPropertySet* set, uint16_t address, uint16_t* value)
{
    const GUID& vendor = reinterpret_cast<const GUID&>(sim::kVendorPropertySet);
    BYTE block[56] = {};
    KSPROPERTY* header = reinterpret_cast<KSPROPERTY*>(block);
    header->Set = vendor;
    header->Id = sim::kPropAddress - 1;
    header->Flags = KSPROPERTY_TYPE_SET;
    block[52] = static_cast<BYTE>(address);
    block[53] = static_cast<BYTE>(address >> 8);
    HRESULT hr = set->Set(vendor, sim::kPropAddress - 1, block, sizeof block, block, sizeof block);
    if (FAILED(hr))
        return hr;
    header->Id = sim::kPropAsicRead - 1;
    header->Flags = KSPROPERTY_TYPE_GET;
    DWORD returned = 0;
    hr = set->Get(vendor, sim::kPropAsicRead - 1, block, sizeof block, block, sizeof block, &returned);
    *value = static_cast<uint16_t>(block[52] | (block[53] << 8));
    return hr;
}

TEST(SimVendorProperties, ProbeAnswersThroughTheAccessModeOfTheDevice)
{
    UseDevices({sim::ProfileId::Veyra9665, sim::ProfileId::Veyra7675});
    // 0402:9665 has an extension unit (node requests); 0402:7675 has none (property-set blocks).
    ComPtr<IBaseFilter> withNode = BindDevice(CLSID_VideoInputDeviceCategory, 0);
    ComPtr<IBaseFilter> withoutNode = BindDevice(CLSID_VideoInputDeviceCategory, 1);
    ASSERT_TRUE(withNode && withoutNode);

    ComPtr<IKsControl> control;
    ASSERT_EQ(withNode->QueryInterface(IID_IKsControl, control.PutVoid()), S_OK);
    ComPtr<IKsTopologyInfo> topology;
    ASSERT_EQ(withNode->QueryInterface(IID_IKsTopologyInfo, topology.PutVoid()), S_OK);
    DWORD count = 0;
    ASSERT_EQ(topology->get_NumNodes(&count), S_OK);
    ULONG extension = count;
    for (DWORD i = 0; i < count; ++i) {
        GUID type;
        if (SUCCEEDED(topology->get_NodeType(i, &type)) && type == KSNODETYPE_DEV_SPECIFIC)
            extension = i;
    }
    ASSERT_LT(extension, count);
    uint16_t value = 0;
    ASSERT_EQ(ReadAsicThroughNode(control.Get(), extension, 0xFF50, &value), S_OK);
    EXPECT_EQ(value, 0x00B0);
    EXPECT_EQ(ReadAsicThroughNode(control.Get(), extension == 0 ? 1 : 0, 0xFF50, &value), sim::kPropSetUnsupported)
        << "another node does not carry the vendor set";
    EXPECT_EQ(ReadAsicThroughNode(control.Get(), count + 5, 0xFF50, &value), E_INVALIDARG);

    ComPtr<IKsPropertySet> set;
    ASSERT_EQ(withoutNode->QueryInterface(IID_IKsPropertySet, set.PutVoid()), S_OK);
    value = 0;
    ASSERT_EQ(ReadAsicThroughPropertySet(set.Get(), 0xFF50, &value), S_OK);
    EXPECT_EQ(value, 0x00B0);
    BYTE shortBlock[40] = {};
    EXPECT_EQ(set->Set(reinterpret_cast<const GUID&>(sim::kVendorPropertySet), sim::kPropAddress - 1, shortBlock,
                       sizeof shortBlock, shortBlock, sizeof shortBlock),
              sim::kInsufficientBuffer);
    EXPECT_EQ(set->Set(GUID_NULL, 7, shortBlock, sizeof shortBlock, shortBlock, sizeof shortBlock),
              sim::kPropSetUnsupported);

    // Each device refuses the other mode, and a failing probe answers something other than 0xB0.
    ComPtr<IKsPropertySet> wrongSet;
    ASSERT_EQ(withNode->QueryInterface(IID_IKsPropertySet, wrongSet.PutVoid()), S_OK);
    EXPECT_EQ(ReadAsicThroughPropertySet(wrongSet.Get(), 0xFF50, &value), sim::kPropSetUnsupported);
    ASSERT_TRUE(SimctlOk(L"probefail 1 1"));
    ASSERT_EQ(ReadAsicThroughPropertySet(set.Get(), 0xFF50, &value), S_OK);
    EXPECT_NE(value, 0x00B0);
    ASSERT_TRUE(SimctlOk(L"unplug 0"));
    EXPECT_EQ(ReadAsicThroughNode(control.Get(), extension, 0xFF50, &value), sim::kNotConnected);
}

template <typename F> F Lookup(HMODULE module, const char* name)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

TEST(SimVendorLibraries, CallsWorkOnTheFirstDeviceOfTheFamilyAndAreJournaled)
{
    UseDevices({sim::ProfileId::Veyra9665, sim::ProfileId::Sonix, sim::ProfileId::Sunplus});
    testsupport::Library sonixLibrary(PathBesideProgram(L"SN9C21xVCdll.dll"));
    testsupport::Library sunplusLibrary(PathBesideProgram(L"SunplusCamera.dll"));
    ASSERT_TRUE(sonixLibrary.Loaded() && sunplusLibrary.Loaded());
    const HMODULE sonix = sonixLibrary.Handle();
    const HMODULE sunplus = sunplusLibrary.Handle();
    using Detect = int (*)();
    using Read = int (*)(unsigned char, unsigned char, unsigned char, unsigned char, unsigned char*);
    using Write = int (*)(unsigned char, unsigned char, unsigned char, unsigned char, unsigned short);
    using Init = int(__stdcall*)(int);
    using GetSensor = int (*)(unsigned char, unsigned short, unsigned short*);
    using SetSensor = int (*)(unsigned char, unsigned short, unsigned short);
    auto detect = Lookup<Detect>(sonix, "DeviceDetect");
    auto read = Lookup<Read>(sonix, "ReadFromSensor");
    auto write = Lookup<Write>(sonix, "WriteToSensor");
    auto init = Lookup<Init>(sunplus, "SunplusCam_Init");
    auto uninit = Lookup<Init>(sunplus, "SunplusCam_UnInit");
    auto getSensor = Lookup<GetSensor>(sunplus, "GetSensorRegister");
    auto setSensor = Lookup<SetSensor>(sunplus, "SetSensorRegister");
    ASSERT_TRUE(detect && read && write && init && uninit && getSensor && setSensor);
    ASSERT_TRUE(SimctlOk(L"clearjournal"));

    EXPECT_EQ(detect(), 1);
    unsigned char id[2] = {0, 0x5A};
    EXPECT_EQ(read(0x21, 1, 0x0A, 1, id), 1);
    EXPECT_EQ(id[0], 0x76);
    EXPECT_EQ(id[1], 0x5A) << "a one-byte read writes one byte";
    EXPECT_EQ(write(0x21, 1, 0x1E, 1, 0x20), 1);

    EXPECT_EQ(init(0), 0);
    EXPECT_EQ(setSensor(0, 0xFCFC, 0x7000), 0);
    unsigned short value = 0;
    EXPECT_EQ(getSensor(0, 0x0152, &value), 0);
    EXPECT_EQ(value, 0x06AA);
    EXPECT_NE(getSensor(0, 0x0152, nullptr), 0);
    EXPECT_EQ(uninit(0), 0);

    const testsupport::RunResult journalRun = Simctl(L"journal");
    ASSERT_TRUE(journalRun.Succeeded()) << journalRun;
    const std::string& journal = journalRun.output;
    for (const char* line :
         {"function=DeviceDetect args= result=1",
          "function=ReadFromSensor args=0x21,1,0x0a,1 "
          "result=1 value=0x76",
          "function=WriteToSensor args=0x21,1,0x1e,1,0x20 result=1", "function=SunplusCam_Init args=0 result=0",
          "function=SetSensorRegister args=0,0xfcfc,0x7000 result=0",
          "function=GetSensorRegister args=0,0x0152 result=0 value=0x06aa",
          "function=SunplusCam_UnInit args=0 result=0"})
        EXPECT_NE(journal.find(line), std::string::npos) << line << "\n" << journal;
    const testsupport::RunResult dump = Simctl(L"dump 1");
    ASSERT_TRUE(dump.Succeeded()) << dump;
    EXPECT_NE(dump.output.find("profile=sonix"), std::string::npos);
    EXPECT_NE(dump.output.find("mirror=1 flip=0"), std::string::npos) << dump.output;
}

TEST(SimVendorLibraries, NoDeviceOfTheFamily)
{
    UseDevices({sim::ProfileId::Veyra9665});
    testsupport::Library sonixLibrary(PathBesideProgram(L"SN9C21xVCdll.dll"));
    ASSERT_TRUE(sonixLibrary.Loaded());
    const HMODULE sonix = sonixLibrary.Handle();
    auto detect = Lookup<int (*)()>(sonix, "DeviceDetect");
    auto read = Lookup<int (*)(unsigned char, unsigned char, unsigned char, unsigned char, unsigned char*)>(
        sonix, "ReadFromSensor");
    ASSERT_TRUE(detect && read);
    EXPECT_EQ(detect(), 0);
    unsigned char v = 0x33;
    EXPECT_EQ(read(0x21, 1, 0x0A, 1, &v), 0);
    EXPECT_EQ(v, 0x33);
}

TEST(SimState, DamagedStateFileIsMadeAnewFromTheDefaults)
{
    UseDevices({sim::ProfileId::Sonix, sim::ProfileId::Sunplus});
    {
        sim::StateLock lock;
        ASSERT_NE(lock.State(), nullptr);
        lock.State()->header.checksum ^= 0x5555;
    }
    // simctl inherits the device list to rebuild from.
    wchar_t saved[256] = {};
    DWORD had = GetEnvironmentVariableW(L"QUILLO_SIM_DEVICES", saved, 256);
    SetEnvironmentVariableW(L"QUILLO_SIM_DEVICES", L"alcor, 0c45:62c0 nosuchcamera");
    const testsupport::RunResult list = Simctl(L"list");
    SetEnvironmentVariableW(L"QUILLO_SIM_DEVICES", had && had < 256 ? saved : nullptr);
    ASSERT_TRUE(list.Succeeded()) << list;
    ProfileNamesIn(list.output, {"alcor", "sonix"});
}

TEST(SimState, SimctlRefusesBadInputAndChangesNothing)
{
    UseDevices({sim::ProfileId::Veyra9665});
    const wchar_t* bad[] = {L"set 0 eeprom 0xfff 1 2",
                            L"set 0 eeprom 0x10 0x100",
                            L"set 0 asic 0x10000 1",
                            L"set 0 sensor 0x100 1",
                            L"set 0 image 9 1",
                            L"set 3 asic 0 1",
                            L"order 0 0",
                            L"add nosuchcamera",
                            L"busy 0 2",
                            L"get 0 eeprom 0xffe 3",
                            L"frobnicate"};
    for (const wchar_t* arguments : bad) {
        const testsupport::RunResult refused = Simctl(arguments);
        EXPECT_TRUE(refused.finished && refused.exitCode != 0) << refused;
        EXPECT_NE(refused.output.find("simctl: "), std::string::npos) << "a refusal says why: " << refused;
    }
    testsupport::RunResult out = Simctl(L"get 0 eeprom 0xffe 2");
    ASSERT_TRUE(out.Succeeded()) << out;
    EXPECT_NE(out.output.find("bytes=ff,ff"), std::string::npos) << out;
    out = Simctl(L"list");
    ASSERT_TRUE(out.Succeeded()) << out;
    ProfileNamesIn(out.output, {"veyra9665"});
}

} // namespace
