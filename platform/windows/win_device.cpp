#include "win_device.h"

#include <windows.h>

#include <endpointvolume.h>
#include <mmdeviceapi.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "tavix/platform/conversions.h"
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
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), out.data(), size, nullptr,
                        nullptr);
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

// A field of the firmware description, as shown.
std::string biosField(const wchar_t* name)
{
    return convert::firmwareField(biosValue(name));
}

// The raw SMBIOS tables; empty where the system offers none.
std::vector<std::uint8_t> smbiosTables()
{
    constexpr DWORD kRawSmbios = 0x52534D42;  // 'RSMB'
    constexpr std::size_t kHeader = 8;        // calling method, versions, DMI revision, length
    const UINT size = GetSystemFirmwareTable(kRawSmbios, 0, nullptr, 0);
    if (size <= kHeader)
        return {};
    std::vector<std::uint8_t> raw(size);
    if (GetSystemFirmwareTable(kRawSmbios, 0, raw.data(), size) != size)
        return {};
    DWORD length = 0;
    std::memcpy(&length, raw.data() + 4, sizeof length);
    const std::size_t end = kHeader + std::min<std::size_t>(length, size - kHeader);
    return std::vector<std::uint8_t>(raw.begin() + kHeader, raw.begin() + std::ptrdiff_t(end));
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

std::string smbiosText(const std::uint8_t* tables, std::size_t size, std::uint8_t type,
                       std::uint8_t field)
{
    constexpr std::uint8_t kEndOfTable = 127;
    std::size_t at = 0;
    while (tables && at + 4 <= size) {
        const std::uint8_t structureType = tables[at];
        const std::uint8_t length = tables[at + 1];
        if (length < 4 || at + length > size)
            return {};
        // The formatted part is followed by its strings, each ending in a
        // zero byte, and one more zero byte after the last (two when none).
        std::size_t strings = at + length;
        std::size_t next = strings;
        while (next + 1 < size && (tables[next] != 0 || tables[next + 1] != 0))
            ++next;
        if (next + 1 >= size)
            return {};
        next += 2;
        if (structureType == type) {
            if (field >= length || tables[at + field] == 0)
                return {};
            std::size_t index = tables[at + field];
            std::size_t start = strings;
            while (--index > 0) {
                while (start < next && tables[start] != 0)
                    ++start;
                ++start;
                if (start >= next || tables[start] == 0)
                    return {};  // fewer strings than the index says
            }
            std::string text;
            for (std::size_t i = start; i < next && tables[i] != 0; ++i) {
                const std::uint8_t byte = tables[i];
                if (byte < 0x80) {
                    text += char(byte);
                } else {
                    text += char(0xC0 | (byte >> 6));
                    text += char(0x80 | (byte & 0x3F));
                }
            }
            return text;
        }
        if (structureType == kEndOfTable)
            return {};
        at = next;
    }
    return {};
}

device::Firmware WinDevice::firmware()
{
    device::Firmware firmware;
    firmware.boardVendor = biosField(L"BaseBoardManufacturer");
    firmware.boardName = biosField(L"BaseBoardProduct");
    firmware.biosVendor = biosField(L"BIOSVendor");
    firmware.biosVersion = biosField(L"BIOSVersion");
    firmware.biosSerial = biosField(L"SystemSerialNumber");
    if (firmware.biosSerial.empty()) {
        // Windows keeps no serial number in the registry: the system
        // information structure (type 1) has it at byte 7.
        const std::vector<std::uint8_t> tables = smbiosTables();
        firmware.biosSerial =
            convert::firmwareField(smbiosText(tables.data(), tables.size(), 1, 7));
    }
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
