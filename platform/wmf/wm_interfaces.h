// The Windows Media interfaces the WMV writer calls, and the two functions that create them.
#pragma once

#include "platform/wmf/wm_types.h"

namespace wmf {
struct ProfileDescription;
}

class INSSBuffer : public IUnknown {
public:
    virtual HRESULT GetLength(DWORD* length) = 0;
    virtual HRESULT SetLength(DWORD length) = 0;
    virtual HRESULT GetMaxLength(DWORD* length) = 0;
    virtual HRESULT GetBuffer(BYTE** buffer) = 0;
    virtual HRESULT GetBufferAndLength(BYTE** buffer, DWORD* length) = 0;
};

class IWMMediaProps : public IUnknown {
public:
    // With type NULL, *size receives the bytes needed; otherwise the type and its format block
    // are copied into the caller's block of *size bytes.
    virtual HRESULT GetType(WM_MEDIA_TYPE* type, DWORD* size) = 0;
    // Copies the type and its format block.
    virtual HRESULT SetMediaType(WM_MEDIA_TYPE* type) = 0;
};

class IWMInputMediaProps : public IWMMediaProps {};

class IWMProfile : public IUnknown {
public:
    // What the profile asks for, read by the writer of this layer.
    virtual const wmf::ProfileDescription& Description() const = 0;
};

class IWMProfileManager : public IUnknown {
public:
    virtual HRESULT GetSystemProfileCount(DWORD* count) = 0;
    virtual HRESULT LoadSystemProfile(DWORD index, IWMProfile** profile) = 0;
    virtual HRESULT LoadProfileByData(LPCWSTR profile, IWMProfile** loaded) = 0;
};

class IWMProfileManager2 : public IWMProfileManager {
public:
    virtual HRESULT GetSystemProfileVersion(WMT_VERSION* version) = 0;
    virtual HRESULT SetSystemProfileVersion(WMT_VERSION version) = 0;
};

class IWMWriter : public IUnknown {
public:
    virtual HRESULT SetProfile(IWMProfile* profile) = 0;
    virtual HRESULT SetOutputFilename(LPCWSTR filename) = 0;
    virtual HRESULT GetInputCount(DWORD* count) = 0;
    virtual HRESULT GetInputProps(DWORD input, IWMInputMediaProps** props) = 0;
    virtual HRESULT SetInputProps(DWORD input, IWMInputMediaProps* props) = 0;
    virtual HRESULT BeginWriting() = 0;
    virtual HRESULT EndWriting() = 0;
    virtual HRESULT AllocateSample(DWORD size, INSSBuffer** sample) = 0;
    virtual HRESULT WriteSample(DWORD input, QWORD sampleTime, DWORD flags, INSSBuffer* sample) = 0;
};

class IWMWriterPreprocess : public IUnknown {
public:
    virtual HRESULT GetMaxPreprocessingPasses(DWORD input, DWORD flags, DWORD* passes) = 0;
    virtual HRESULT SetNumPreprocessingPasses(DWORD input, DWORD flags, DWORD passes) = 0;
    virtual HRESULT BeginPreprocessingPass(DWORD input, DWORD flags) = 0;
    virtual HRESULT PreprocessSample(DWORD input, QWORD sampleTime, DWORD flags, INSSBuffer* sample) = 0;
    virtual HRESULT EndPreprocessingPass(DWORD input, DWORD flags) = 0;
};

HRESULT WMCreateProfileManager(IWMProfileManager** manager);
HRESULT WMCreateWriter(IUnknown* reserved, IWMWriter** writer);
