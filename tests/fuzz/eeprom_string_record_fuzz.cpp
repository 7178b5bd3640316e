// Fuzz target: the string-record, serial-number and firmware readers over an EEPROM made from the input.
#include "FuzzTargets.h"

#include "driverlib/BrindleDriver.h"

#include <algorithm>
#include <map>
#include <vector>

namespace fuzz {

namespace {

// A camera whose EEPROM holds `eeprom` (reads past its end fail, as the device answers them) and that advances the
// EEPROM address by two in burst mode.
class EepromCamera : public VendorPropertyPort
{
public:
    explicit EepromCamera(std::vector<uint8_t> eeprom) : m_eeprom(std::move(eeprom)) {}

    bool GetProperty(unsigned id, uint16_t& value) override
    {
        if (id == kPropAsicRead) {
            value = m_address == kAsicChipId ? kAsicChipIdSupported : m_asic[m_address];
            return true;
        }
        if (id != kPropEeprom || size_t(m_address) + 1 >= m_eeprom.size())
            return false;
        value = uint16_t(m_eeprom[m_address] | m_eeprom[m_address + 1] << 8);
        if (m_asic[kAsicEepromBurst] == 2)
            m_address = uint16_t(m_address + 2);
        return true;
    }
    bool SetProperty(unsigned id, uint16_t value) override
    {
        if (id == kPropAddress)
            m_address = value;
        else if (id == kPropAsicWrite)
            m_asic[m_address] = uint8_t(value);
        else
            return false;
        return true;
    }
    bool GetPowerLineFrequency(int32_t&) override { return false; }
    bool SetPowerLineFrequency(int32_t) override { return false; }

private:
    std::vector<uint8_t> m_eeprom;
    std::map<uint16_t, uint8_t> m_asic;
    uint16_t m_address = 0;
};

class OneCamera : public DriverDeviceList
{
public:
    explicit OneCamera(EepromCamera& camera) : m_camera(camera) {}
    bool Begin() override
    {
        m_bound = false;
        return true;
    }
    bool BindNext(DriverAccessMode& mode) override
    {
        if (m_bound)
            return false;
        m_bound = true;
        mode = DriverAccessMode::ExtensionNode;
        return true;
    }
    VendorPropertyPort& Port() override { return m_camera; }
    void Close() override {}

private:
    EepromCamera& m_camera;
    bool m_bound = false;
};

} // namespace

bool EepromStringRecord(const uint8_t* data, size_t size)
{
    // Input: EEPROM size (2 bytes), whether the signature is right (1 byte), 8 seed bytes, 80 record bytes; the
    // rest fills the EEPROM from address 0.
    if (size < 11)
        return true;
    const size_t eepromSize = (size_t(data[0]) | size_t(data[1]) << 8) % 0x1000 + 1;
    const bool signed_ = (data[2] & 1) != 0;
    std::vector<uint8_t> eeprom(eepromSize, 0xFF);
    const size_t headerBytes = 11 + 80;
    if (size > headerBytes)
        std::copy_n(data + headerBytes, std::min(size - headerBytes, eepromSize), eeprom.begin());
    auto put = [&](size_t at, const uint8_t* bytes, size_t count) {
        for (size_t i = 0; i < count && at + i < eepromSize; ++i)
            eeprom[at + i] = bytes[i];
    };
    if (signed_) {
        const uint8_t signature[] = {0x56, 0x09, 0x55, 0xAA};
        put(kEepromSignatureAddress, signature, sizeof signature);
    }
    put(kEepromRecordSeedAddress, data + 3, 8);
    unsigned sum = 0;
    for (int i = 0; i < 8; ++i)
        sum += data[3 + i];
    if (size > 11)
        put(kEepromStringRecordBase + sum, data + 11, std::min<size_t>(size - 11, 80));

    EepromCamera camera(eeprom);
    OneCamera devices(camera);
    BrindleDriver driver(devices);
    // Exactly the buffers the exports promise to stay inside: an overrun is the sanitizer's to report.
    std::vector<char> manufacturer(kStringRecordMaxChars), serial(kStringRecordMaxChars);
    int32_t length = -1;
    if (driver.GetManufacturer(&length, manufacturer.data()) == 1 && (length < 0 || length > kStringRecordMaxChars))
        return false;
    (void)driver.GetSerialNumber(serial.data());
    uint8_t version[4] = {};
    (void)driver.GetFWVersion(version);
    return true;
}

} // namespace fuzz
