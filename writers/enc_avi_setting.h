// The AVI writer's chosen video compressor and its options; part of it lives in the registry.
#pragma once

#include "platform/win/types.h"

class CEncAVISetting {
public:
    CEncAVISetting();
    virtual ~CEncAVISetting();
    CEncAVISetting(const CEncAVISetting&) = delete;
    CEncAVISetting& operator=(const CEncAVISetting&) = delete;

    int GetQuality() const { return m_quality; }
    void SetQuality(int quality) { m_quality = quality; }
    int GetKeyFrameEvery() const { return m_keyFrameEvery; }
    void SetKeyFrameEvery(int every) { m_keyFrameEvery = every; }
    int GetDataRate() const { return m_dataRate; }
    void SetDataRate(int kilobytesPerSecond) { m_dataRate = kilobytesPerSecond; }
    FOURCC GetHandler() const { return m_handler; }
    void SetHandler(FOURCC handler) { m_handler = handler; }
    int GetStateSize() const { return m_stateSize; }
    void SetStateSize(int bytes) { m_stateSize = bytes; }
    // The record keeps ownership of both blocks.
    void* GetState() const { return m_state; }
    // Takes ownership of a GMEM_FIXED block and frees the one held before.
    void SetState(void* block);
    WAVEFORMATEX* GetAudioFormat() const { return m_audioFormat; }

private:
    int m_quality = 100;
    int m_keyFrameEvery = 15;
    int m_dataRate = 300;
    FOURCC m_handler = 0;
    int m_stateSize = 0;
    void* m_state = nullptr;
    WAVEFORMATEX* m_audioFormat = nullptr;
};
