// Orientation commands of the sensor helper for the Sonix, Brindle-served and Sunplus chip families and the
// KT4B module. Each command loads its vendor library, checks the sensor, changes the orientation bits and
// unloads the library again; nothing is held between commands.
#include "sensorhelper/SensorCommands.h"

#include <cstdarg>
#include <cstdio>
#include <initializer_list>

namespace {

constexpr size_t kTraceTextChars = 2000;

template <typename Library> bool ProvidesAll(const Library& library, std::initializer_list<const char*> functions)
{
    for (const char* f : functions) {
        if (!library.Provides(f))
            return false;
    }
    return true;
}

template <typename T> T WithBit(T value, unsigned bit, bool on)
{
    return static_cast<T>(on ? (value | bit) : (value & ~bit));
}

// Sonix sensor on the library's I2C slave 0x21.
constexpr int kSonixSlave = 0x21;
constexpr uint8_t kSonixSensorId = 0x76;

// Brindle-served sensors: 0x76 on the VGA module, 0x96 on the others.
constexpr uint16_t kVgaSensorId = 0x76;
constexpr uint16_t kOtherSensorId = 0x96;

// Sunplus sensor pages and registers.
constexpr uint16_t kPageSelect = 0xFCFC;
constexpr uint16_t kPageControl = 0x7000;
constexpr uint16_t kPageConfig = 0xD000;
constexpr uint16_t kSunplusIdRegister = 0x0152;
constexpr uint16_t kSunplusId = 0x06AA;
constexpr uint16_t kProfileRegister = 0xF118;
constexpr uint16_t kProfileA = 0x000A;
constexpr uint16_t kProfileE = 0x000E;
constexpr uint16_t kOrientationRegister = 0x0262;
constexpr uint16_t kOrientationApply = 0x01F8;
constexpr uint16_t kAsicHold = 0x276A;
constexpr uint16_t kAsicBayerOrder = 0x2106;

} // namespace

std::string FormatTraceLine(const char* format, ...)
{
    char text[kTraceTextChars + 1] = {};
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (n < 0)
        text[0] = '\0';
    return std::string("[Tessel] ") + text;
}

MessageOutcome SensorHelper::OnMessage(unsigned message, uint64_t wParam, int64_t lParam)
{
    const bool vga = wParam != 0;
    const bool state = lParam != 0;
    switch (message) {
    case kMsgSonixFlip:
        SonixOrientation(Turn::Flip, state);
        return MessageOutcome::Handled;
    case kMsgSonixMirror:
        SonixOrientation(Turn::Mirror, state);
        return MessageOutcome::Handled;
    case kMsgBrindleFlip:
        BrindleOrientation(Turn::Flip, vga, state);
        return MessageOutcome::Handled;
    case kMsgBrindleMirror:
        BrindleOrientation(Turn::Mirror, vga, state);
        return MessageOutcome::Handled;
    case kMsgSunplusFlip:
        SunplusOrientation(Turn::Flip, vga, state);
        return MessageOutcome::Handled;
    case kMsgSunplusMirror:
        // A mirror-off without an earlier mirror-on leaves the sensor alone.
        if (!state && !m_lastSunplusMirror)
            return MessageOutcome::Handled;
        m_lastSunplusMirror = state;
        SunplusOrientation(Turn::Mirror, vga, state);
        return MessageOutcome::Handled;
    case kMsgKt4bMirrorFlip:
        Kt4bMirrorFlip(wParam != 0, lParam != 0);
        return MessageOutcome::Handled;
    case kMsgQuit:
        return MessageOutcome::Quit;
    default:
        return MessageOutcome::NotACommand;
    }
}

void SensorHelper::SonixOrientation(Turn turn, bool state)
{
    std::unique_ptr<SonixLibrary> sonix = m_host.LoadSonix();
    if (!sonix || !ProvidesAll(*sonix, {"DeviceDetect", "ReadFromSensor", "WriteToSensor"}))
        return;
    if (sonix->DeviceDetect() != 1)
        return;
    uint8_t id = 0;
    if (sonix->ReadFromSensor(kSonixSlave, 1, 0x0A, 1, id) != 1 || id != kSonixSensorId)
        return;
    uint8_t value = 0;
    if (sonix->ReadFromSensor(kSonixSlave, 1, 0x1E, 1, value) != 1)
        return;
    value = WithBit(value, turn == Turn::Flip ? 0x10 : 0x20, state);
    sonix->WriteToSensor(kSonixSlave, 1, 0x1E, 1, value);
}

void SensorHelper::BrindleOrientation(Turn turn, bool vga, bool state)
{
    std::unique_ptr<BrindleLibrary> brindle = m_host.LoadBrindle();
    if (!brindle || !ProvidesAll(*brindle, {"Initialize_DriverInterface", "UnInitialize_DriverInterface",
                                            "GetFWVersion", "GetSensorRegister", "SetSensorRegister"}))
        return;
    (void)brindle->Initialize();
    // A failed version read leaves the place zero, which counts as old firmware.
    uint8_t version[4] = {};
    (void)brindle->GetFWVersion(1, version);
    const bool newFirmware = version[3] > 9;

    // Reads a register, changes one bit and writes it back, all with the same kind, address and third value.
    auto changeBit = [&](int kind, uint16_t reg, int third, unsigned bit) {
        uint16_t value = 0;
        if (brindle->GetSensorRegister(kind, reg, third, value, 1) != 1)
            return;
        (void)brindle->SetSensorRegister(kind, reg, third, WithBit(value, bit, state), 1);
    };

    uint16_t id = 0;
    const bool readId = brindle->GetSensorRegister(0, 0x0A, 1, id, 1) == 1;
    if (vga) {
        if (readId && id == kVgaSensorId)
            changeBit(0, 0x1E, 1, turn == Turn::Flip ? 0x10 : 0x20);
    } else if (readId && id == kOtherSensorId) {
        if (newFirmware)
            changeBit(1, 0x90CF, 2, turn == Turn::Flip ? 0x04 : 0x02);
        else if (turn == Turn::Flip)
            changeBit(0, 0x04, 1, 0x40);
        else
            changeBit(0, 0x33, 1, 0x08);
    }
    (void)brindle->UnInitialize();
}

void SensorHelper::SunplusOrientation(Turn turn, bool vga, bool state)
{
    if (turn == Turn::Flip)
        m_host.Trace(
            FormatTraceLine("Camera::ImageFlip isp=%d, bVGAModule=%d, bFlip=%d", 3, vga ? 1 : 0, state ? 1 : 0));
    std::unique_ptr<SunplusLibrary> sunplus = m_host.LoadSunplus();
    if (!sunplus || !ProvidesAll(*sunplus, {"SunplusCam_Init", "SunplusCam_UnInit", "GetSensorRegister",
                                            "SetSensorRegister", "GetASICRegister", "SetASICRegister"}))
        return;
    SunplusLibrary& lib = *sunplus;
    auto S = [&lib](uint16_t reg, uint16_t value) { lib.SetSensorRegister(0, reg, value); };
    auto A = [&lib](uint16_t reg, uint16_t value) { lib.SetASICRegister(0, reg, value); };
    auto read = [&lib](uint16_t reg) {
        uint16_t value = 0;
        (void)lib.GetSensorRegister(0, reg, value);
        return value;
    };

    lib.Init(0);
    do {
        S(kPageSelect, kPageControl);
        uint16_t id = 0;
        if (lib.GetSensorRegister(0, kSunplusIdRegister, id) != 0 || id != kSunplusId)
            break;
        S(kPageSelect, kPageConfig);
        const uint16_t profile = read(kProfileRegister);
        if (profile != kProfileA && profile != kProfileE)
            break;
        const bool profileA = profile == kProfileA;

        S(kPageSelect, kPageControl);
        const uint16_t r = read(kOrientationRegister);
        A(kAsicHold, 0x87);
        m_host.Wait(50);

        const unsigned bit = turn == Turn::Flip ? 0x0002 : 0x0001;
        if (((r & bit) != 0) != state) {
            const uint16_t changed = WithBit(r, bit, state);
            const uint16_t apply = (profileA || state) ? 1 : 0;
            if (turn == Turn::Flip) {
                S(kOrientationRegister, changed);
                S(kOrientationApply, apply);
            } else if (profileA) {
                S(kPageSelect, kPageControl);
                S(kOrientationRegister, changed);
                S(kOrientationApply, apply);
            } else {
                S(kOrientationApply, apply);
                S(kOrientationRegister, changed);
            }

            S(kPageSelect, kPageConfig);
            const uint16_t x = read(0xC342);
            S(kPageSelect, kPageControl);
            S(0x021E, 1);
            m_host.Wait(300);
            S(kPageSelect, kPageConfig);

            if (profileA) {
                S(0x1092, 0);
                S(0x4100, 1);
                S(0xF118, 0x000A);
                S(0xF11A, 0x0519);
                S(0x3206, 0x0510);
                S(0xB008, 0x000C);
                S(0xB022, 0x0510);
            } else {
                S(0xF118, 0x000E);
                S(0xF11A, 0x0515);
                S(0x3206, 0x0508);
                S(0xB008, 0x0008);
                S(0xB022, 0x0A10);
            }
            S(0xC342, x);

            uint8_t order = 0;
            lib.GetASICRegister(0, kAsicBayerOrder, order);
            const unsigned q = order & 0x03;
            if (turn == Turn::Flip && state) {
                if (profileA)
                    A(0x2722, 8);
                A(kAsicBayerOrder, q == 1 ? 3 : 2);
            } else if (turn == Turn::Flip) {
                A(kAsicBayerOrder, q == 2 ? 0 : 1);
            } else if (state) {
                A(kAsicBayerOrder, q == 3 ? 2 : 0);
            } else {
                A(kAsicBayerOrder, q == 0 ? 1 : 3);
            }
        }

        m_host.Wait(50);
        A(kAsicHold, 0);
    } while (false);
    lib.UnInit(0);
}

void SensorHelper::Kt4bMirrorFlip(bool mirror, bool flip)
{
    m_host.Trace(FormatTraceLine("Camera::ImageMirrorFlipForKT4B bMirror=%d, bFlip=%d", mirror ? 1 : 0, flip ? 1 : 0));
    std::unique_ptr<SunplusLibrary> sunplus = m_host.LoadSunplus();
    if (!sunplus ||
        !ProvidesAll(*sunplus, {"SunplusCam_Init", "SunplusCam_UnInit", "SetSensorRegister", "SetASICRegister"}))
        return;
    // Sensor read-out direction and the matching ASIC colour order for each of the four orientations.
    uint16_t sensor = 0;
    uint16_t asic = 2;
    if (mirror && !flip) {
        sensor = 1;
        asic = 3;
    } else if (mirror && flip) {
        sensor = 3;
        asic = 1;
    } else if (flip) {
        sensor = 2;
        asic = 0;
    }
    sunplus->Init(0);
    sunplus->SetSensorRegister(0, 0x0101, sensor);
    sunplus->SetASICRegister(0, kAsicBayerOrder, asic);
    sunplus->UnInit(0);
}
