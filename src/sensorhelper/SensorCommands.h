// The sensor helper's commands: which vendor library each orientation message loads, the register
// sequences, waits and decisions it runs, and the trace lines it writes. The vendor libraries, waits and
// trace output are reached through VendorLibraryHost so that the sequences run the same against fakes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "common/SensorHelperProtocol.h"

// SN9C21xVCdll.dll. Destroying the object unloads the library.
class SonixLibrary
{
public:
    virtual ~SonixLibrary() = default;
    virtual bool Provides(const char* function) const = 0;
    virtual int DeviceDetect() = 0;
    virtual int ReadFromSensor(int slave, int mode, int reg, int count, uint8_t& value) = 0;
    virtual void WriteToSensor(int slave, int mode, int reg, int count, uint8_t value) = 0;
};

// SunplusCamera.dll. Sensor registers are 16-bit addresses in the page selected through register 0xFCFC.
class SunplusLibrary
{
public:
    virtual ~SunplusLibrary() = default;
    virtual bool Provides(const char* function) const = 0;
    virtual void Init(int device) = 0;
    virtual void UnInit(int device) = 0;
    virtual int GetSensorRegister(int device, uint16_t reg, uint16_t& value) = 0;
    virtual void SetSensorRegister(int device, uint16_t reg, uint16_t value) = 0;
    // The library's answer is not used; only the low byte of the value is.
    virtual void GetASICRegister(int device, uint16_t reg, uint8_t& value) = 0;
    virtual void SetASICRegister(int device, uint16_t reg, uint16_t value) = 0;
};

// Brindle.dll, our own driver-interface library.
class BrindleLibrary
{
public:
    virtual ~BrindleLibrary() = default;
    virtual bool Provides(const char* function) const = 0;
    virtual int Initialize() = 0;
    virtual int UnInitialize() = 0;
    virtual int GetFWVersion(int unused, uint8_t (&version)[4]) = 0;
    virtual int GetSensorRegister(int kind, uint16_t reg, int unused, uint16_t& value, int width) = 0;
    virtual int SetSensorRegister(int kind, uint16_t reg, int unused, uint16_t value, int width) = 0;
};

// What the commands need from the program around them.
class VendorLibraryHost
{
public:
    virtual ~VendorLibraryHost() = default;
    // Each returns null when the library does not load.
    virtual std::unique_ptr<SonixLibrary> LoadSonix() = 0;
    virtual std::unique_ptr<SunplusLibrary> LoadSunplus() = 0;
    virtual std::unique_ptr<BrindleLibrary> LoadBrindle() = 0;
    virtual void Wait(unsigned milliseconds) = 0;
    // One finished trace line, "[Tessel] " prefix included.
    virtual void Trace(const std::string& line) = 0;
};

// A trace line: "[Tessel] " and the printf-style text, the text cut to 2000 characters.
std::string FormatTraceLine(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

enum class MessageOutcome { NotACommand, Handled, Quit };

class SensorHelper
{
public:
    explicit SensorHelper(VendorLibraryHost& host) : m_host(host) {}

    // Carries out one window message to completion.
    MessageOutcome OnMessage(unsigned message, uint64_t wParam, int64_t lParam);

    bool LastSunplusMirror() const { return m_lastSunplusMirror; }

private:
    enum class Turn { Flip, Mirror };

    void SonixOrientation(Turn turn, bool state);
    void BrindleOrientation(Turn turn, bool vga, bool state);
    void SunplusOrientation(Turn turn, bool vga, bool state);
    void Kt4bMirrorFlip(bool mirror, bool flip);

    VendorLibraryHost& m_host;
    bool m_lastSunplusMirror = false; // mirror state last commanded with message 4025
};
