// Module entry points of nvav.ax: class factory and self-registration of the AVI writer filter.
#include "dshow/Module.h"
#include "filters/aviwriter/AviWriterApi.h"

namespace {

const REGPINTYPES kVideoTypes[] = {{&MEDIATYPE_Video, &MEDIASUBTYPE_RGB24}};
const REGPINTYPES kAudioTypes[] = {{&MEDIATYPE_Audio, &MEDIASUBTYPE_PCM}};

const REGFILTERPINS2 kPins[] = {
    {REG_PINFLAG_B_RENDERER, 1, 1, kVideoTypes, 0, nullptr, nullptr},
    {REG_PINFLAG_B_RENDERER, 1, 1, kAudioTypes, 0, nullptr, nullptr},
};

// Merit "do not use": the capture engine adds the writer by class id; intelligent connect never inserts it.
const dshow::FilterTemplate kTemplates[] = {
    {L"Norvane AVI Writer", &CLSID_NorvaneAviWriter, &CreateAviWriterFilter, MERIT_DO_NOT_USE, kPins, 2},
};

} // namespace

DSHOW_FILTER_MODULE_EXPORTS(kTemplates)
