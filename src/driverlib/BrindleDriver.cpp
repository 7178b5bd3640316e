// Brindle's export algorithms over the vendor property set. Every export opens the camera (the first
// kernel-streaming device whose chip answers the probe), works and closes it again.
#include "driverlib/BrindleDriver.h"

#include <algorithm>
#include <array>

namespace {

// Opens the first supported camera for the lifetime of one export call.
class CameraSession
{
public:
    explicit CameraSession(DriverDeviceList& devices) : m_devices(devices)
    {
        m_devices.Close();
        if (!m_devices.Begin())
            return;
        DriverAccessMode mode = DriverAccessMode::None;
        while (m_devices.BindNext(mode)) {
            if (mode != DriverAccessMode::None && Probe(m_devices.Port())) {
                // The first camera that answers is the one we work with; devices enumerated after it are
                // never touched.
                m_open = true;
                return;
            }
        }
        m_devices.Close();
    }
    ~CameraSession() { m_devices.Close(); }
    CameraSession(const CameraSession&) = delete;
    CameraSession& operator=(const CameraSession&) = delete;

    bool IsOpen() const { return m_open; }
    VendorPropertyPort& Port() { return m_devices.Port(); }

private:
    static bool Probe(VendorPropertyPort& port)
    {
        uint16_t value = 0;
        return port.SetProperty(kPropAddress, kAsicChipId) && port.GetProperty(kPropAsicRead, value) &&
               (value & 0xFF) == kAsicChipIdSupported;
    }

    DriverDeviceList& m_devices;
    bool m_open = false;
};

uint8_t LowByte(uint16_t value)
{
    return static_cast<uint8_t>(value & 0xFF);
}
uint8_t HighByte(uint16_t value)
{
    return static_cast<uint8_t>(value >> 8);
}
uint16_t Pair(uint8_t low, uint8_t high)
{
    return static_cast<uint16_t>(low | (high << 8));
}

// ASIC byte access; the results of the property calls are not part of the outcome.
uint8_t ReadAsic(VendorPropertyPort& port, uint16_t address)
{
    uint16_t value = 0;
    (void)port.SetProperty(kPropAddress, address);
    (void)port.GetProperty(kPropAsicRead, value);
    return LowByte(value);
}

void WriteAsic(VendorPropertyPort& port, uint16_t address, uint8_t value)
{
    (void)port.SetProperty(kPropAddress, address);
    (void)port.SetProperty(kPropAsicWrite, value);
}

// Single reads for one byte; burst reads of byte pairs otherwise, with a single read for an odd last byte.
void ReadEeprom(VendorPropertyPort& port, uint16_t address, int count, uint8_t* buffer)
{
    uint16_t value = 0;
    if (count == 1) {
        (void)port.SetProperty(kPropAddress, address);
        (void)port.GetProperty(kPropEeprom, value);
        buffer[0] = LowByte(value);
        return;
    }
    WriteAsic(port, kAsicEepromBurst, 2);
    (void)port.SetProperty(kPropAddress, address);
    for (int i = 0; i < count / 2; ++i) {
        value = 0;
        (void)port.GetProperty(kPropEeprom, value);
        buffer[2 * i] = LowByte(value);
        buffer[2 * i + 1] = HighByte(value);
    }
    WriteAsic(port, kAsicEepromBurst, 1);
    if (count % 2 != 0) {
        value = 0;
        (void)port.SetProperty(kPropAddress, static_cast<uint16_t>(address + count - 1));
        (void)port.GetProperty(kPropEeprom, value);
        buffer[count - 1] = LowByte(value);
    }
}

// An EEPROM data write always stores a byte pair. A lone byte is written together with the byte that
// already follows it, read back first, so that the byte after the caller's range keeps its content.
void WriteLoneEepromByte(VendorPropertyPort& port, uint16_t address, uint8_t byte)
{
    uint16_t existing = 0;
    (void)port.SetProperty(kPropAddress, address);
    (void)port.GetProperty(kPropEeprom, existing);
    (void)port.SetProperty(kPropAddress, address);
    (void)port.SetProperty(kPropEeprom, Pair(byte, HighByte(existing)));
}

void WriteEeprom(VendorPropertyPort& port, uint16_t address, int count, const uint8_t* data)
{
    // Lift the write protection; it is left lifted afterwards.
    WriteAsic(port, kAsicEepromProtectA, ReadAsic(port, kAsicEepromProtectA) | 0x04);
    WriteAsic(port, kAsicEepromProtectB, ReadAsic(port, kAsicEepromProtectB) & ~0x04);
    if (count == 1) {
        WriteLoneEepromByte(port, address, data[0]);
        return;
    }
    WriteAsic(port, kAsicEepromBurst, 2);
    (void)port.SetProperty(kPropAddress, address);
    for (int i = 0; i < count / 2; ++i)
        (void)port.SetProperty(kPropEeprom, Pair(data[2 * i], data[2 * i + 1]));
    WriteAsic(port, kAsicEepromBurst, 1);
    if (count % 2 != 0)
        WriteLoneEepromByte(port, static_cast<uint16_t>(address + count - 1), data[count - 1]);
}

bool HasSignature(VendorPropertyPort& port)
{
    static constexpr std::array<uint8_t, 4> kSignature = {0x56, 0x09, 0x55, 0xAA};
    std::array<uint8_t, 4> bytes{};
    ReadEeprom(port, kEepromSignatureAddress, static_cast<int>(bytes.size()), bytes.data());
    return bytes == kSignature;
}

// Address of the string record: the base plus the unsigned sum of the eight seed bytes.
bool LocateStringRecord(VendorPropertyPort& port, uint16_t& address)
{
    if (!HasSignature(port))
        return false;
    std::array<uint8_t, 8> seed{};
    ReadEeprom(port, kEepromRecordSeedAddress, static_cast<int>(seed.size()), seed.data());
    unsigned sum = 0;
    for (uint8_t b : seed)
        sum += b;
    address = static_cast<uint16_t>(kEepromStringRecordBase + sum);
    return true;
}

// Reads the string record and keeps the low byte of each character; never more than the 38 characters
// that the 78 bytes hold, whatever the length byte claims.
bool ReadStringRecord(VendorPropertyPort& port, std::array<char, kStringRecordMaxChars>& chars, int& count)
{
    uint16_t address = 0;
    if (!LocateStringRecord(port, address))
        return false;
    std::array<uint8_t, kStringRecordBytes> record{};
    ReadEeprom(port, address, static_cast<int>(record.size()), record.data());
    const int length = record[0];
    const int type = record[1];
    if (length > 0x4E && type != 3)
        return false;
    count = std::clamp((length - 2) / 2, 0, kStringRecordMaxChars);
    for (int i = 0; i < count; ++i)
        chars[i] = static_cast<char>(record[2 + 2 * i]);
    return true;
}

// Copies the record's characters into a caller buffer of 38 characters, terminated when there is room.
void CopyRecordChars(const std::array<char, kStringRecordMaxChars>& chars, int count, char* buffer)
{
    std::copy_n(chars.begin(), count, buffer);
    if (count < kStringRecordMaxChars)
        buffer[count] = '\0';
}

} // namespace

int BrindleDriver::Initialize()
{
    CameraSession session(m_devices);
    return session.IsOpen() ? 1 : 0;
}

int BrindleDriver::GetSensorRegister(int kind, uint16_t address, uint16_t* result, int width)
{
    if (result == nullptr || (kind != kRegisterKindSensor && kind != kRegisterKindAsic) || (width != 1 && width != 2))
        return 0;
    CameraSession session(m_devices);
    if (!session.IsOpen())
        return 0;
    VendorPropertyPort& port = session.Port();
    uint16_t value = 0;
    if (!port.SetProperty(kPropAddress, address) ||
        !port.GetProperty(kind == kRegisterKindAsic ? kPropAsicRead : kPropSensor, value))
        return 0;
    *result = width == 1 ? LowByte(value) : value;
    return 1;
}

int BrindleDriver::SetSensorRegister(int kind, uint16_t address, uint16_t value, int width)
{
    if (kind == kRegisterKindSensor && width != 1 && width != 2)
        return 0;
    if (kind != kRegisterKindSensor && kind != kRegisterKindAsic)
        return 0;
    CameraSession session(m_devices);
    if (!session.IsOpen())
        return 0;
    VendorPropertyPort& port = session.Port();
    if (!port.SetProperty(kPropAddress, address))
        return 0;
    if (kind == kRegisterKindAsic)
        return port.SetProperty(kPropAsicWrite, LowByte(value)) ? 1 : 0;
    const uint16_t data = width == 1 ? LowByte(value) : value;
    return port.SetProperty(kPropSensor, data) ? 1 : 0;
}

int BrindleDriver::GetSerialNumber(char* buffer)
{
    if (buffer == nullptr)
        return 0;
    buffer[0] = '\0';
    CameraSession session(m_devices);
    if (!session.IsOpen())
        return 0;
    std::array<char, kStringRecordMaxChars> chars{};
    int count = 0;
    if (!ReadStringRecord(session.Port(), chars, count))
        return 0;
    CopyRecordChars(chars, count, buffer);
    return 1;
}

int BrindleDriver::GetFWVersion(uint8_t* version4)
{
    if (version4 == nullptr)
        return 0;
    version4[0] = 0;
    CameraSession session(m_devices);
    if (!session.IsOpen() || !HasSignature(session.Port()))
        return 0;
    std::array<uint8_t, 2> bytes{};
    ReadEeprom(session.Port(), kEepromFirmwareAddress, static_cast<int>(bytes.size()), bytes.data());
    version4[0] = 0;
    version4[1] = bytes[1];
    version4[2] = 0;
    version4[3] = bytes[0];
    return 1;
}

int BrindleDriver::GetEEPROMRegister(uint16_t address, int count, uint8_t* buffer)
{
    if (count < 0 || (count > 0 && buffer == nullptr))
        return 0;
    CameraSession session(m_devices);
    if (!session.IsOpen())
        return 0;
    ReadEeprom(session.Port(), address, count, buffer);
    return 1;
}

int BrindleDriver::SetEEPROMRegister(uint16_t address, int count, const uint8_t* data)
{
    if (count < 0 || (count > 0 && data == nullptr))
        return 0;
    CameraSession session(m_devices);
    if (!session.IsOpen())
        return 0;
    WriteEeprom(session.Port(), address, count, data);
    return 1;
}

int BrindleDriver::GetPowerLineFrequency(int32_t* value)
{
    if (value == nullptr)
        return 0;
    CameraSession session(m_devices);
    int32_t frequency = 0;
    if (!session.IsOpen() || !session.Port().GetPowerLineFrequency(frequency))
        return 0;
    *value = frequency;
    return 1;
}

int BrindleDriver::SetPowerLineFrequency(int32_t value)
{
    CameraSession session(m_devices);
    return session.IsOpen() && session.Port().SetPowerLineFrequency(value) ? 1 : 0;
}

int BrindleDriver::GetManufacturer(int32_t* length, char* buffer)
{
    if (length == nullptr || buffer == nullptr)
        return 0;
    CameraSession session(m_devices);
    if (!session.IsOpen())
        return 0;
    std::array<char, kStringRecordMaxChars> chars{};
    int count = 0;
    if (!ReadStringRecord(session.Port(), chars, count))
        return 0;
    *length = count;
    CopyRecordChars(chars, count, buffer);
    return 1;
}

int BrindleDriver::SetManufacturer(int32_t length, const char* chars)
{
    if (chars == nullptr || length < 1 || length > kStringRecordMaxChars)
        return 0;
    CameraSession session(m_devices);
    uint16_t address = 0;
    if (!session.IsOpen() || !LocateStringRecord(session.Port(), address))
        return 0;
    std::array<uint8_t, kStringRecordBytes> record{};
    record[0] = static_cast<uint8_t>((length + 1) * 2);
    record[1] = 3;
    for (int i = 0; i < length; ++i)
        record[2 + 2 * i] = static_cast<uint8_t>(chars[i]);
    WriteEeprom(session.Port(), address, length * 2 + 2, record.data());
    return 1;
}

int BrindleDriver::GetSensorVersion()
{
    CameraSession session(m_devices);
    if (!session.IsOpen())
        return 0;
    VendorPropertyPort& port = session.Port();
    WriteAsic(port, kAsicSensorIdMode, 0xA5);
    uint16_t high = 0;
    uint16_t low = 0;
    const bool read = port.SetProperty(kPropAddress, 0x000A) && port.GetProperty(kPropSensor, high) &&
                      port.SetProperty(kPropAddress, 0x000B) && port.GetProperty(kPropSensor, low);
    // The chip leaves identification mode whether or not the reads worked, so that later sensor accesses
    // reach the sensor again.
    WriteAsic(port, kAsicSensorIdMode, 0x56);
    return read ? LowByte(high) * 256 + LowByte(low) : 0;
}

int32_t PowerLineFrequencyForLocale(uint32_t localeId)
{
    // Taiwan; English Canada, United States, Philippines; Spanish Colombia, Costa Rica, Dominican Republic,
    // Ecuador, El Salvador, Guatemala, Honduras, Mexico, Nicaragua, Panama, Peru; French Canada; Korean.
    static constexpr std::array<uint32_t, 17> k60HzLocales = {
        0x0404, 0x1009, 0x0409, 0x240A, 0x140A, 0x1C0A, 0x300A, 0x440A, 0x100A,
        0x480A, 0x080A, 0x4C0A, 0x180A, 0x200A, 0x0C0C, 0x3409, 0x0412,
    };
    return std::find(k60HzLocales.begin(), k60HzLocales.end(), localeId) != k60HzLocales.end() ? 2 : 1;
}
