// Module entry points of nvpa.ax: class factory and self-registration of the audio-pause filter.
#include "dshow/Module.h"
#include "filters/pauseaudio/PauseAudio.h"

namespace {

const REGPINTYPES kAudioTypes[] = {{&MEDIATYPE_Audio, &MEDIASUBTYPE_NULL}};

const REGFILTERPINS2 kPins[] = {
    {0, 1, 1, kAudioTypes, 0, nullptr, nullptr},
    {REG_PINFLAG_B_OUTPUT, 1, 1, kAudioTypes, 0, nullptr, nullptr},
};

// Merit "do not use": added by class id only, never by intelligent connect.
const dshow::FilterTemplate kTemplates[] = {
    {L"Norvane Pause Audio", &CLSID_NorvanePauseAudio, &dshow::CreateFilterInstance<PauseAudio>, MERIT_DO_NOT_USE,
     kPins, 2},
};

} // namespace

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv)
{
    return dshow::ModuleGetClassObject(kTemplates, 1, clsid, riid, ppv);
}

STDAPI DllCanUnloadNow()
{
    return dshow::ModuleCanUnloadNow();
}

STDAPI DllRegisterServer()
{
    return dshow::ModuleRegister(kTemplates, 1, true);
}

STDAPI DllUnregisterServer()
{
    return dshow::ModuleRegister(kTemplates, 1, false);
}
