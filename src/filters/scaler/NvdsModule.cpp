// Module entry points of nvds.ax: class factory and self-registration of the scaler filter.
#include "dshow/Module.h"
#include "filters/scaler/DownScaler.h"

namespace {

const REGPINTYPES kInputTypes[] = {{&MEDIATYPE_Video, &MEDIASUBTYPE_YUY2}, {&MEDIATYPE_Video, &MEDIASUBTYPE_RGB24}};
const REGPINTYPES kOutputTypes[] = {{&MEDIATYPE_Video, &MEDIASUBTYPE_RGB32}, {&MEDIATYPE_Video, &MEDIASUBTYPE_RGB24}};

const REGFILTERPINS2 kPins[] = {
    {0, 1, 2, kInputTypes, 0, nullptr, nullptr},
    {REG_PINFLAG_B_OUTPUT, 1, 2, kOutputTypes, 0, nullptr, nullptr},
};

// Merit "do not use": the capture engine adds the scaler by class id; intelligent connect never inserts it.
const dshow::FilterTemplate kTemplates[] = {
    {L"Norvane Down Scaler", &CLSID_NorvaneDownScaler, &dshow::CreateFilterInstance<DownScaler>, MERIT_DO_NOT_USE,
     kPins, 2},
};

} // namespace

DSHOW_FILTER_MODULE_EXPORTS(kTemplates)
