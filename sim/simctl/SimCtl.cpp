// simctl: sets up and inspects the simulated devices from the command line, for tests and demos.
// Devices are addressed by their position in the enumeration order (0 = enumerated first).
// Output is key=value text so that scripts and tests can read it.
#include "sim/model/Registers.h"
#include "sim/model/TestPicture.h"
#include "sim/shared/Registration.h"
#include "sim/shared/SharedState.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: simctl <command> [arguments]\n"
    "  register [module]         register simcam.ax (default: beside simctl) and list the devices\n"
    "  unregister                remove the registration\n"
    "  list | dump [pos]         devices in enumeration order, one key=value line each\n"
    "  reset [profile...]        new state with these devices (none given: QUILLO_SIM_DEVICES or 0402:9665;\n"
    "                            \"none\": no device)\n"
    "  add <profile>             add a device at the end of the order\n"
    "  remove <pos>              remove a device\n"
    "  order <pos> <pos>...      new enumeration order, naming every position once\n"
    "  unplug <pos> | replug <pos>\n"
    "  busy <pos> 0|1            another program holds the device\n"
    "  probefail <pos> 0|1       the chip does not answer its identification\n"
    "  stall <pos> <ms>          the vendor library's register writes wait that long first (0: none)\n"
    "  set <pos> asic <addr> <value>\n"
    "  set <pos> sensor <addr> <value> [page]\n"
    "  set <pos> eeprom <addr> <byte>...\n"
    "  set <pos> image <property 0-5|13> <value>\n"
    "  set <pos> node <index> | extension 0|1 | has720 0|1 | mjpg 0|1\n"
    "  get <pos> asic <addr> | sensor <addr> [page] | eeprom <addr> [count] | image <property>\n"
    "  journal [from]            calls of the vendor libraries and the driver (seq, pid, function, args, result)\n"
    "  clearjournal\n"
    "  path                      the state file\n"
    "profiles: sonix veyra7670 veyra7675 veyra9665 sunplus kt4b alcor unknown (or vvvv:pppp)\n";

int Fail(const char* message)
{
    fprintf(stderr, "simctl: %s\n", message);
    return 1;
}

bool ParseNumber(const std::string& text, long* value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    long v = strtol(text.c_str(), &end, 0);
    if (*end)
        return false;
    *value = v;
    return true;
}

bool ParseRange(const std::string& text, long lo, long hi, long* value)
{
    return ParseNumber(text, value) && *value >= lo && *value <= hi;
}

void PrintDevice(const sim::StateLock& lock, uint32_t position)
{
    uint32_t slot = 0;
    const sim::DeviceState* d = lock.DeviceAt(position, &slot);
    if (!d)
        return;
    const sim::Profile& p = sim::ProfileOf(*d);
    char path[256] = {};
    sim::FormatDevicePath(*d, slot, path, sizeof path);
    sim::Orientation o = sim::SensorOrientation(*d);
    printf("device=%u slot=%u profile=%s vid=%04x pid=%04x plugged=%u busy=%u probefail=%u node=%u extension=%u "
           "has720=%u mjpg=%u frames=%u mirror=%d flip=%d brightness=%d contrast=%d hue=%d saturation=%d sharpness=%d "
           "gamma=%d powerline=%d path=%s\n",
           position, slot, p.name, p.vid, p.pid, d->plugged, d->busy, d->probeFail, d->videoNodeIndex,
           d->hasExtensionNode, d->has720, d->hasMjpg, d->frameCounter, o.mirror ? 1 : 0, o.flip ? 1 : 0,
           d->imageValue[sim::kImageBrightness], d->imageValue[sim::kImageContrast], d->imageValue[sim::kImageHue],
           d->imageValue[sim::kImageSaturation], d->imageValue[sim::kImageSharpness], d->imageValue[sim::kImageGamma],
           d->imageValue[sim::kImagePowerLine], path);
}

std::wstring ModuleFolder()
{
    wchar_t path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return L"";
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

// Re-lists the cameras with the system device enumerator when the devices are registered.
int Relist()
{
    if (!sim::DevicesRegistered())
        return 0;
    HRESULT hr = sim::RefreshDeviceList();
    if (FAILED(hr)) {
        fprintf(stderr, "simctl: could not list the devices (0x%08lx)\n", static_cast<unsigned long>(hr));
        return 1;
    }
    return 0;
}

int Set(sim::DeviceState& d, const std::vector<std::string>& a)
{
    long addr = 0, value = 0, page = 0;
    const std::string& what = a[3];
    if (what == "asic" && a.size() == 6 && ParseRange(a[4], 0, 0xFFFF, &addr) && ParseRange(a[5], 0, 0xFF, &value)) {
        sim::AsicWrite(d, static_cast<uint16_t>(addr), static_cast<uint8_t>(value));
        return 0;
    }
    if (what == "sensor" && (a.size() == 6 || a.size() == 7) && ParseRange(a[4], 0, 0xFFFF, &addr) &&
        ParseRange(a[5], 0, 0xFFFF, &value)) {
        if (a.size() == 7) {
            if (!ParseRange(a[6], 0, 0xFFFF, &page))
                return Fail("bad page");
            return sim::SensorPoke(d, static_cast<uint16_t>(page), static_cast<uint16_t>(addr),
                                   static_cast<uint16_t>(value))
                       ? 0
                       : Fail("sensor register file full");
        }
        return sim::SensorWrite(d, static_cast<uint16_t>(addr), static_cast<uint16_t>(value))
                   ? 0
                   : Fail("the sensor has no such register");
    }
    if (what == "eeprom" && a.size() >= 6 && ParseRange(a[4], 0, sim::kEepromSize - 1, &addr)) {
        size_t count = a.size() - 5;
        if (static_cast<size_t>(addr) + count > sim::kEepromSize)
            return Fail("bytes past the end of the EEPROM");
        std::vector<uint8_t> bytes;
        for (size_t i = 5; i < a.size(); ++i) {
            if (!ParseRange(a[i], 0, 0xFF, &value))
                return Fail("bad EEPROM byte");
            bytes.push_back(static_cast<uint8_t>(value));
        }
        memcpy(d.eeprom + addr, bytes.data(), bytes.size());
        return 0;
    }
    if (what == "image" && a.size() == 6 && ParseNumber(a[4], &addr) && ParseNumber(a[5], &value)) {
        int index = sim::ImageIndexOfProperty(addr);
        if (index < 0)
            return Fail("no such image property");
        d.imageValue[index] = static_cast<int32_t>(value);
        return 0;
    }
    if (what == "node" && a.size() == 5 && ParseRange(a[4], 0, 2, &value)) {
        d.videoNodeIndex = static_cast<uint32_t>(value);
        return 0;
    }
    if ((what == "extension" || what == "has720" || what == "mjpg") && a.size() == 5 &&
        ParseRange(a[4], 0, 1, &value)) {
        uint32_t& flag = what == "extension" ? d.hasExtensionNode : what == "has720" ? d.has720 : d.hasMjpg;
        flag = static_cast<uint32_t>(value);
        return 0;
    }
    return Fail("bad set command (see simctl help)");
}

int Get(sim::DeviceState& d, const std::vector<std::string>& a)
{
    long addr = 0, extra = 0;
    const std::string& what = a[3];
    if (what == "asic" && a.size() == 5 && ParseRange(a[4], 0, 0xFFFF, &addr)) {
        printf("value=0x%02x\n", sim::AsicRead(d, static_cast<uint16_t>(addr)));
        return 0;
    }
    if (what == "sensor" && (a.size() == 5 || a.size() == 6) && ParseRange(a[4], 0, 0xFFFF, &addr)) {
        uint16_t v = 0;
        if (a.size() == 6) {
            if (!ParseRange(a[5], 0, 0xFFFF, &extra))
                return Fail("bad page");
            v = sim::SensorPeek(d, static_cast<uint16_t>(extra), static_cast<uint16_t>(addr));
        } else if (!sim::SensorRead(d, static_cast<uint16_t>(addr), &v)) {
            return Fail("the sensor has no such register");
        }
        printf("value=0x%04x\n", v);
        return 0;
    }
    if (what == "eeprom" && (a.size() == 5 || a.size() == 6) && ParseRange(a[4], 0, sim::kEepromSize - 1, &addr)) {
        extra = 1;
        if (a.size() == 6 && !ParseRange(a[5], 1, static_cast<long>(sim::kEepromSize) - addr, &extra))
            return Fail("bad count");
        printf("bytes=");
        for (long i = 0; i < extra; ++i)
            printf("%s%02x", i ? "," : "", d.eeprom[addr + i]);
        printf("\n");
        return 0;
    }
    if (what == "image" && a.size() == 5 && ParseNumber(a[4], &addr)) {
        int index = sim::ImageIndexOfProperty(addr);
        if (index < 0)
            return Fail("no such image property");
        const sim::ImageRange& range = sim::ProfileOf(d).image[index];
        printf("value=%d flags=%d min=%d max=%d default=%d\n", d.imageValue[index], d.imageFlags[index], range.min,
               range.max, range.def);
        return 0;
    }
    return Fail("bad get command (see simctl help)");
}

int Run(const std::vector<std::string>& a)
{
    const std::string& cmd = a[1];
    if (cmd == "help" || cmd == "-h" || cmd == "--help") {
        fputs(kUsage, stdout);
        return 0;
    }
    if (cmd == "path") {
        std::wstring path = sim::StateFilePath();
        printf("path=%ls\n", path.c_str());
        return 0;
    }
    if (cmd == "register") {
        std::wstring module = ModuleFolder() + L"simcam.ax";
        if (a.size() > 2)
            module.assign(a[2].begin(), a[2].end());
        if (GetFileAttributesW(module.c_str()) == INVALID_FILE_ATTRIBUTES)
            return Fail("simcam.ax not found");
        HRESULT hr = sim::RegisterDevices(module.c_str());
        return FAILED(hr) ? Fail("registration failed") : 0;
    }
    if (cmd == "unregister")
        return FAILED(sim::UnregisterDevices()) ? Fail("unregistration failed") : 0;

    int result = 0;
    bool relist = false;
    {
        sim::StateLock lock;
        sim::SharedLayout* state = lock.State();
        if (!state)
            return Fail("cannot open the device state");
        long pos = -1;
        auto device = [&](size_t index) -> sim::DeviceState* {
            if (a.size() <= index || !ParseRange(a[index], 0, static_cast<long>(state->header.deviceCount) - 1, &pos))
                return nullptr;
            return lock.DeviceAt(static_cast<uint32_t>(pos));
        };
        if (cmd == "list" || cmd == "dump") {
            printf("devices=%u\n", state->header.deviceCount);
            for (uint32_t i = 0; i < state->header.deviceCount; ++i)
                if (a.size() < 3 || a[2] == std::to_string(i))
                    PrintDevice(lock, i);
        } else if (cmd == "reset") {
            std::vector<sim::ProfileId> profiles;
            for (size_t i = 2; i < a.size(); ++i) {
                sim::ProfileId id;
                if (a[i] == "none")
                    continue;
                if (!sim::FindProfile(a[i].c_str(), &id))
                    return Fail("unknown profile");
                profiles.push_back(id);
            }
            if (a.size() == 2) {
                sim::ProfileId defaults[sim::kSlotCount];
                size_t n = sim::DefaultProfiles(defaults, sim::kSlotCount);
                profiles.assign(defaults, defaults + n);
            }
            if (profiles.size() > sim::kSlotCount)
                return Fail("too many devices");
            sim::StateReset(*state, profiles.data(), profiles.size());
            relist = true;
        } else if (cmd == "add" && a.size() == 3) {
            sim::ProfileId id;
            if (!sim::FindProfile(a[2].c_str(), &id))
                return Fail("unknown profile");
            if (!sim::StateAddDevice(*state, id, nullptr))
                return Fail("no free device slot");
            printf("device=%u\n", state->header.deviceCount - 1);
            relist = true;
        } else if (cmd == "remove") {
            uint32_t slot = 0;
            if (!device(2) || !lock.DeviceAt(static_cast<uint32_t>(pos), &slot))
                return Fail("no such device");
            sim::StateRemoveDevice(*state, slot);
            relist = true;
        } else if (cmd == "order") {
            std::vector<uint32_t> slots;
            for (size_t i = 2; i < a.size(); ++i) {
                uint32_t slot = 0;
                if (!device(i) || !lock.DeviceAt(static_cast<uint32_t>(pos), &slot))
                    return Fail("no such device");
                slots.push_back(slot);
            }
            if (!sim::StateReorder(*state, slots.data(), slots.size()))
                return Fail("the order must name every device once");
            relist = true;
        } else if (cmd == "unplug" || cmd == "replug") {
            sim::DeviceState* d = device(2);
            if (!d)
                return Fail("no such device");
            if (cmd == "unplug" && d->plugged) {
                d->plugged = 0;
                ++d->generation;
            } else if (cmd == "replug") {
                d->plugged = 1;
            }
            relist = true;
        } else if ((cmd == "busy" || cmd == "probefail") && a.size() == 4) {
            sim::DeviceState* d = device(2);
            long on = 0;
            if (!d || !ParseRange(a[3], 0, 1, &on))
                return Fail("usage: busy|probefail <pos> 0|1");
            (cmd == "busy" ? d->busy : d->probeFail) = static_cast<uint32_t>(on);
        } else if (cmd == "stall" && a.size() == 4) {
            sim::DeviceState* d = device(2);
            long ms = 0;
            if (!d || !ParseRange(a[3], 0, 600000, &ms))
                return Fail("usage: stall <pos> <ms>");
            d->sensorStallMs = static_cast<uint32_t>(ms);
        } else if ((cmd == "set" || cmd == "get") && a.size() >= 5) {
            sim::DeviceState* d = device(2);
            if (!d)
                return Fail("no such device");
            result = cmd == "set" ? Set(*d, a) : Get(*d, a);
        } else if (cmd == "journal") {
            long from = 0;
            if (a.size() > 2 && !ParseNumber(a[2], &from))
                return Fail("bad sequence number");
            const sim::Journal& j = state->journal;
            uint32_t first = j.next > sim::kJournalCapacity ? j.next - sim::kJournalCapacity : 1;
            if (static_cast<uint32_t>(from) > first)
                first = static_cast<uint32_t>(from);
            for (uint32_t s = first; s < j.next; ++s) {
                const sim::JournalEntry* e = sim::JournalFind(j, s);
                if (e)
                    printf("seq=%u pid=%u function=%s args=%s result=%s\n", e->sequence, e->process, e->function,
                           e->arguments, e->result);
            }
            printf("next=%u\n", j.next);
        } else if (cmd == "clearjournal") {
            memset(&state->journal, 0, sizeof state->journal);
            state->journal.next = 1;
        } else {
            return Fail("unknown command (see simctl help)");
        }
    }
    if (result == 0 && relist)
        result = Relist();
    return result;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i) {
        std::string s;
        for (const wchar_t* p = argv[i]; *p; ++p)
            s.push_back(*p < 128 ? static_cast<char>(*p) : '?');
        args.push_back(s);
    }
    if (args.size() < 2) {
        fputs(kUsage, stderr);
        return 2;
    }
    return Run(args);
}
