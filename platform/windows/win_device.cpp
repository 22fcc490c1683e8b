#include "win_device.h"

#include <windows.h>

#include <endpointvolume.h>
#include <mmdeviceapi.h>

#include <algorithm>
#include <memory>

#include "common/conversions.h"
#include "common/native.h"

namespace tavix::platform::windows {

namespace {

std::string toUtf8(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string out(std::size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

// A text value of the firmware description; empty when it is missing or not a text.
std::string biosValue(const wchar_t* name)
{
    static const wchar_t kKey[] = L"HARDWARE\\DESCRIPTION\\System\\BIOS";
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kKey, name, RRF_RT_REG_SZ, nullptr, nullptr, &bytes)
            != ERROR_SUCCESS
        || bytes == 0)
        return {};
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = DWORD(value.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kKey, name, RRF_RT_REG_SZ, nullptr, value.data(), &bytes)
        != ERROR_SUCCESS)
        return {};
    value.resize(wcsnlen(value.c_str(), value.size()));
    return toUtf8(value);
}

// The first of `names` the firmware description holds, as shown.
std::string firstField(std::initializer_list<const wchar_t*> names)
{
    for (const wchar_t* name : names) {
        const std::string field = convert::firmwareField(biosValue(name));
        if (!field.empty())
            return field;
    }
    return {};
}

// gdi32's gamma calls, looked up at run time, and the screen's device context;
// everything is released when this goes.
class GammaAccess {
public:
    using GammaCall = BOOL(WINAPI*)(HDC, LPVOID);

    GammaAccess()
    {
        library_ = LoadLibraryW(L"gdi32.dll");
        if (!library_)
            return;
        get_ = reinterpret_cast<GammaCall>(
            reinterpret_cast<void*>(GetProcAddress(library_, "GetDeviceGammaRamp")));
        set_ = reinterpret_cast<GammaCall>(
            reinterpret_cast<void*>(GetProcAddress(library_, "SetDeviceGammaRamp")));
        if (get_ && set_)
            dc_ = GetDC(nullptr);
    }
    ~GammaAccess()
    {
        if (dc_)
            ReleaseDC(nullptr, dc_);
        if (library_)
            FreeLibrary(library_);
    }
    GammaAccess(const GammaAccess&) = delete;
    GammaAccess& operator=(const GammaAccess&) = delete;

    bool usable() const { return dc_ != nullptr; }
    bool get(WORD (&ramp)[3][256]) const { return get_(dc_, ramp) != FALSE; }
    bool set(WORD (&ramp)[3][256]) const { return set_(dc_, ramp) != FALSE; }

private:
    HMODULE library_ = nullptr;
    GammaCall get_ = nullptr;
    GammaCall set_ = nullptr;
    HDC dc_ = nullptr;
};

template <typename T>
struct ComRelease {
    void operator()(T* object) const { object->Release(); }
};
template <typename T>
using ComPtr = std::unique_ptr<T, ComRelease<T>>;

// Component objects need the thread set up for them; a thread that already is
// keeps its own set-up (and its apartment).
class ComScope {
public:
    ComScope()
    {
        const HRESULT result = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        ownsInit_ = SUCCEEDED(result);
        usable_ = ownsInit_ || result == RPC_E_CHANGED_MODE;
    }
    ~ComScope()
    {
        if (ownsInit_)
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

    bool usable() const { return usable_; }

private:
    bool ownsInit_ = false;
    bool usable_ = false;
};

}  // namespace

device::Firmware WinDevice::firmware()
{
    device::Firmware firmware;
    firmware.boardVendor = firstField({L"BaseBoardManufacturer", L"SystemManufacturer"});
    firmware.boardName = firstField({L"BaseBoardProduct", L"SystemProductName"});
    firmware.biosVendor = firstField({L"BIOSVendor"});
    firmware.biosVersion = firstField({L"BIOSVersion"});
    firmware.biosSerial = firstField({L"SystemSerialNumber"});
    return firmware;
}

device::PowerStatus WinDevice::powerStatus()
{
    SYSTEM_POWER_STATUS status{};
    if (!GetSystemPowerStatus(&status))
        return {};
    return convert::powerStatusFromSystem(status.ACLineStatus, status.BatteryLifePercent);
}

std::string WinDevice::systemName()
{
    // RtlGetVersion tells the truth where GetVersionEx answers as the
    // program's manifest asks it to.
    using GetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
    unsigned major = 0, minor = 0;
    if (HMODULE ntdll = GetModuleHandleW(L"ntdll.dll")) {
        const auto call = reinterpret_cast<GetVersion>(
            reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
        OSVERSIONINFOW info{};
        info.dwOSVersionInfoSize = sizeof info;
        if (call && call(&info) == 0) {
            major = info.dwMajorVersion;
            minor = info.dwMinorVersion;
        }
    }
    return convert::windowsVersionName(convert::windowsVersionIdentifier(major, minor));
}

bool WinDevice::setGammaRamp(const device::GammaRamp& ramp)
{
    GammaAccess gamma;
    if (!gamma.usable())
        return false;
    WORD table[3][256];
    for (auto& channel : table)
        std::copy(ramp.begin(), ramp.end(), channel);
    return gamma.set(table);
}

std::vector<std::uint16_t> WinDevice::currentGammaRed()
{
    GammaAccess gamma;
    WORD table[3][256];
    if (!gamma.usable() || !gamma.get(table))
        return {};
    return std::vector<std::uint16_t>(std::begin(table[0]), std::end(table[0]));
}

std::optional<device::MasterVolume> WinDevice::masterVolume()
{
    ComScope com;
    if (!com.usable())
        return std::nullopt;
    IMMDeviceEnumerator* enumeratorRaw = nullptr;
    if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                                __uuidof(IMMDeviceEnumerator),
                                reinterpret_cast<void**>(&enumeratorRaw))))
        return std::nullopt;
    ComPtr<IMMDeviceEnumerator> enumerator(enumeratorRaw);
    IMMDevice* endpointRaw = nullptr;
    if (FAILED(enumerator->GetDefaultAudioEndpoint(eRender, eMultimedia, &endpointRaw)))
        return std::nullopt;
    ComPtr<IMMDevice> endpoint(endpointRaw);
    IAudioEndpointVolume* volumeRaw = nullptr;
    if (FAILED(endpoint->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_ALL, nullptr,
                                  reinterpret_cast<void**>(&volumeRaw))))
        return std::nullopt;
    ComPtr<IAudioEndpointVolume> volume(volumeRaw);
    float minDb = 0, maxDb = 0, stepDb = 0, scalar = 0;
    if (FAILED(volume->GetVolumeRange(&minDb, &maxDb, &stepDb))
        || FAILED(volume->GetMasterVolumeLevelScalar(&scalar)))
        return std::nullopt;
    device::MasterVolume master;
    master.maxDb = maxDb;
    master.scalar = scalar;
    return master;
}

}  // namespace tavix::platform::windows

namespace tavix::platform::native {

std::unique_ptr<device::DeviceBackend> createDevice()
{
    return std::make_unique<windows::WinDevice>();
}

}  // namespace tavix::platform::native
