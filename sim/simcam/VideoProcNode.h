// The object a simulated camera's video-processing node hands out through CreateNodeInstance:
// IVideoProcAmp over the device's image values and power-line frequency.
#pragma once
#include "dshow/vidcap_decl.h"
#include <atomic>
#include <cstdint>

namespace sim {

class VideoProcNode : public IVideoProcAmp
{
public:
    static HRESULT Create(uint32_t slot, REFIID riid, void** ppv);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

#define SIM_NODE_PROPERTY(Name)                                                                                        \
    STDMETHODIMP get_##Name(long* value, long* flags) override;                                                        \
    STDMETHODIMP put_##Name(long value, long flags) override;                                                          \
    STDMETHODIMP getRange_##Name(long* min, long* max, long* step, long* def, long* caps) override;
    SIM_NODE_PROPERTY(BacklightCompensation)
    SIM_NODE_PROPERTY(Brightness)
    SIM_NODE_PROPERTY(ColorEnable)
    SIM_NODE_PROPERTY(Contrast)
    SIM_NODE_PROPERTY(Gamma)
    SIM_NODE_PROPERTY(Saturation)
    SIM_NODE_PROPERTY(Sharpness)
    SIM_NODE_PROPERTY(WhiteBalance)
    SIM_NODE_PROPERTY(Gain)
    SIM_NODE_PROPERTY(Hue)
    SIM_NODE_PROPERTY(DigitalMultiplier)
    SIM_NODE_PROPERTY(PowerlineFrequency)
#undef SIM_NODE_PROPERTY
    STDMETHODIMP get_WhiteBalanceComponent(long* value1, long* value2, long* flags) override;
    STDMETHODIMP put_WhiteBalanceComponent(long value1, long value2, long flags) override;
    STDMETHODIMP getRange_WhiteBalanceComponent(long* min, long* max, long* step, long* def, long* caps) override;

private:
    explicit VideoProcNode(uint32_t slot);
    virtual ~VideoProcNode();

    std::atomic<ULONG> m_ref{1};
    uint32_t m_slot;
};

// Image-property access shared by the filter's IAMVideoProcAmp and the node's IVideoProcAmp, by
// VideoProcAmp property number.
HRESULT ImageGetRange(uint32_t slot, long property, long* min, long* max, long* step, long* def, long* caps);
HRESULT ImageSet(uint32_t slot, long property, long value, long flags);
HRESULT ImageGet(uint32_t slot, long property, long* value, long* flags);

} // namespace sim
