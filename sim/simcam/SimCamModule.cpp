// simcam.ax: the module entry points. Registration lists the plugged cameras of the shared state in
// their order, plus the microphone.
#include "dshow/Module.h"
#include "sim/shared/Registration.h"
#include "sim/simcam/SimCamera.h"
#include "sim/simcam/SimMicrophone.h"

namespace {

const dshow::FilterTemplate kTemplates[] = {
    {L"Quillo simulated camera", &sim::CLSID_SimCamera, dshow::CreateFilterInstance<sim::SimCamera>, MERIT_DO_NOT_USE,
     nullptr, 0},
    {L"Quillo simulated microphone", &sim::CLSID_SimMicrophone, dshow::CreateFilterInstance<sim::SimMicrophone>,
     MERIT_DO_NOT_USE, nullptr, 0},
};

} // namespace

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv)
{
    return dshow::ModuleGetClassObject(kTemplates, sizeof kTemplates / sizeof kTemplates[0], clsid, riid, ppv);
}

STDAPI DllCanUnloadNow()
{
    return dshow::ModuleCanUnloadNow();
}

STDAPI DllRegisterServer()
{
    std::wstring path = dshow::ModulePath();
    return sim::RegisterDevices(path.c_str());
}

STDAPI DllUnregisterServer()
{
    return sim::UnregisterDevices();
}
