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

DSHOW_FILTER_MODULE_EXPORTS(kTemplates)
