// The Windows device facts from the real system calls. Under Wine on a
// machine without DMI, battery or sound card the answers are the "unknown"
// ones; the firmware test writes its own values into the registry's
// firmware description (and puts the old ones back).
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <map>
#include <string>
#include <thread>

#include <endpointvolume.h>
#include <mmdeviceapi.h>

#include "common/native.h"
#include "windows/win_device.h"

namespace tavix::platform::windows {
namespace {

TEST(WinDevice, TheDesktopDeviceIsTheWindowsOne)
{
    std::unique_ptr<device::DeviceBackend> backend = native::createDevice();
    ASSERT_TRUE(backend);
    EXPECT_TRUE(dynamic_cast<WinDevice*>(backend.get()));
}

TEST(WinDevice, PowerStatusHoldsOnlyKnownValuesOrUnknown)
{
    const device::PowerStatus status = WinDevice().powerStatus();
    std::cout << "power: battery " << status.batteryPercent << ", mains " << status.acLine << "\n";
    EXPECT_TRUE(status.acLine == 0 || status.acLine == 1 || status.acLine == 255) << status.acLine;
    EXPECT_TRUE((status.batteryPercent >= 0 && status.batteryPercent <= 100)
                || status.batteryPercent == 255)
        << status.batteryPercent;
}

TEST(WinDevice, SystemNameIsAWindowsNameOfTheTable)
{
    const std::string name = WinDevice().systemName();
    std::cout << "system: " << name << "\n";
    static const char* const kNames[] = {"Windows 2000", "Windows XP", "Windows Vista",
                                         "Windows 7",    "Windows 8",  "Windows 8.1",
                                         "Windows 10"};
    EXPECT_NE(std::find(std::begin(kNames), std::end(kNames), name), std::end(kNames)) << name;
}

// The firmware description's values, put back as they were when this goes.
class BiosKey {
public:
    BiosKey()
    {
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DESCRIPTION\\System\\BIOS", 0,
                          KEY_QUERY_VALUE | KEY_SET_VALUE, &key_)
            != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~BiosKey()
    {
        if (!key_)
            return;
        for (const auto& [name, old] : saved_) {
            if (old.present)
                RegSetValueExW(key_, name.c_str(), 0, old.type,
                               reinterpret_cast<const BYTE*>(old.data.data()),
                               DWORD(old.data.size()));
            else
                RegDeleteValueW(key_, name.c_str());
        }
        RegCloseKey(key_);
    }
    bool writable() const { return key_ != nullptr; }

    bool set(const std::wstring& name, const std::wstring& value)
    {
        save(name);
        return RegSetValueExW(key_, name.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(value.c_str()),
                              DWORD((value.size() + 1) * sizeof(wchar_t)))
            == ERROR_SUCCESS;
    }
    bool setNumber(const std::wstring& name, DWORD value)
    {
        save(name);
        return RegSetValueExW(key_, name.c_str(), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&value), sizeof value)
            == ERROR_SUCCESS;
    }
    void remove(const std::wstring& name)
    {
        save(name);
        RegDeleteValueW(key_, name.c_str());
    }

private:
    struct Old {
        bool present = false;
        DWORD type = 0;
        std::string data;
    };
    void save(const std::wstring& name)
    {
        if (saved_.count(name))
            return;
        Old old;
        DWORD size = 0;
        if (RegQueryValueExW(key_, name.c_str(), nullptr, &old.type, nullptr, &size)
            == ERROR_SUCCESS) {
            old.data.resize(size);
            old.present = RegQueryValueExW(key_, name.c_str(), nullptr, &old.type,
                                           reinterpret_cast<BYTE*>(old.data.data()), &size)
                == ERROR_SUCCESS;
        }
        saved_[name] = old;
    }

    HKEY key_ = nullptr;
    std::map<std::wstring, Old> saved_;
};

TEST(WinDevice, FirmwareComesFromTheRegistrysDescription)
{
    BiosKey bios;
    if (!bios.writable())
        GTEST_SKIP() << "the firmware description cannot be written here (not an administrator)";
    ASSERT_TRUE(bios.set(L"BaseBoardManufacturer", L"  Contoso Boards\t"));
    ASSERT_TRUE(bios.set(L"BaseBoardProduct", L"To be filled by O.E.M."));
    ASSERT_TRUE(bios.set(L"BIOSVendor", L"Fabrikam \u00e9dition \u4e3b\u677f"));
    ASSERT_TRUE(bios.setNumber(L"BIOSVersion", 7));  // not a text: no value
    ASSERT_TRUE(bios.set(L"SystemSerialNumber", L"SN-0042"));

    const device::Firmware firmware = WinDevice().firmware();
    EXPECT_EQ(firmware.boardVendor, "Contoso Boards");
    EXPECT_EQ(firmware.boardName, "");  // a placeholder counts as missing
    EXPECT_EQ(firmware.biosVendor,
              "Fabrikam \xc3\xa9"
              "dition \xe4\xb8\xbb\xe6\x9d\xbf");
    EXPECT_EQ(firmware.biosVersion, "");
    EXPECT_EQ(firmware.biosSerial, "SN-0042");

    bios.remove(L"BaseBoardManufacturer");
    bios.set(L"BIOSVersion", std::wstring(3000, L'7'));  // longer than any first guess of a buffer
    const device::Firmware second = WinDevice().firmware();
    EXPECT_EQ(second.boardVendor, "");
    EXPECT_EQ(second.biosVersion, std::string(3000, '7'));
}

// Raw SMBIOS structures: a header (type, length, handle), `formatted` more
// bytes, then the strings and the closing zero.
std::vector<std::uint8_t> structure(std::uint8_t type, std::vector<std::uint8_t> formatted,
                                    std::vector<std::string> strings)
{
    std::vector<std::uint8_t> bytes = {type, std::uint8_t(4 + formatted.size()), 0x10, 0x00};
    for (std::uint8_t byte : formatted)
        bytes.push_back(byte);
    for (const std::string& text : strings) {
        bytes.insert(bytes.end(), text.begin(), text.end());
        bytes.push_back(0);
    }
    if (strings.empty())
        bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

std::vector<std::uint8_t> join(std::initializer_list<std::vector<std::uint8_t>> parts)
{
    std::vector<std::uint8_t> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(WinDevice, SmbiosTextsTable)
{
    // BIOS (type 0): vendor at byte 4, version at 5. System (type 1): serial at 7.
    const auto bios = structure(0, {1, 2, 0, 0}, {"Fabrikam", "1.2.3"});
    const auto system = structure(1, {1, 2, 3, 4, 0}, {"Maker", "Product", "Ver", "SN-0042"});
    const auto noStrings = structure(1, {0, 0, 0, 0}, {});
    const auto latin = structure(1, {0, 0, 0, 1}, {std::string("caf\xe9")});
    const auto end = structure(127, {}, {});
    const auto good = join({bios, system, end});
    struct Case {
        const char* name;
        std::vector<std::uint8_t> tables;
        std::uint8_t type, field;
        std::string expected;
    };
    const Case cases[] = {
        {"serial", good, 1, 7, "SN-0042"},
        {"first string", good, 1, 4, "Maker"},
        {"vendor", good, 0, 4, "Fabrikam"},
        {"version", good, 0, 5, "1.2.3"},
        {"index zero: no string", good, 0, 6, ""},
        {"index past the strings", join({structure(1, {0, 0, 0, 9}, {"a", "b"}), end}), 1, 7, ""},
        {"field past the structure", good, 0, 12, ""},
        {"no such type", good, 2, 4, ""},
        {"after the end of the table", join({end, system}), 1, 7, ""},
        {"a structure without strings", join({noStrings, system}), 1, 7, ""},
        {"latin-1 bytes", latin, 1, 7, "caf\xc3\xa9"},
        {"length past the data", {1, 40, 0, 0, 1, 2}, 1, 4, ""},
        {"length below the header", {1, 2, 0, 0, 0, 0}, 1, 0, ""},
        {"strings without their end", {1, 8, 0, 0, 0, 0, 0, 1, 'S', 'N'}, 1, 7, ""},
        {"empty", {}, 1, 7, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(smbiosText(c.tables.data(), c.tables.size(), c.type, c.field), c.expected);
    }
    EXPECT_EQ(smbiosText(nullptr, 100, 1, 7), "");
}

TEST(WinDevice, GammaRoundTripsOrIsCleanlyRefused)
{
    WinDevice device;
    const std::vector<std::uint16_t> before = device.currentGammaRed();
    device::GammaRamp darker;
    for (std::size_t i = 0; i < darker.size(); ++i)
        darker[i] = std::uint16_t(std::min<std::size_t>(65535, i * (96 + 128)));
    if (before.empty()) {
        // A display without a gamma ramp (Wine on a server without XFree86-VidMode).
        std::cout << "the display reports no gamma ramp\n";
        EXPECT_FALSE(device.setGammaRamp(darker));
        EXPECT_TRUE(device.currentGammaRed().empty());
        return;
    }
    ASSERT_EQ(before.size(), 256u);
    ASSERT_TRUE(device.setGammaRamp(darker));
    const std::vector<std::uint16_t> now = device.currentGammaRed();
    ASSERT_EQ(now.size(), 256u);
    // The system may round entries to its own table's precision.
    for (std::size_t i = 0; i < 256; i += 17)
        EXPECT_NEAR(now[i], darker[i], 256) << i;
    device::GammaRamp restored;
    std::copy(before.begin(), before.end(), restored.begin());
    EXPECT_TRUE(device.setGammaRamp(restored));
}

void expectSane(const std::optional<device::MasterVolume>& volume)
{
    if (!volume) {
        std::cout << "no master volume (no sound device)\n";
        return;
    }
    std::cout << "master volume: max " << volume->maxDb << " dB, scalar " << volume->scalar << "\n";
    EXPECT_TRUE(std::isfinite(volume->maxDb));
    EXPECT_GE(volume->scalar, 0.0);
    EXPECT_LE(volume->scalar, 1.0);
}

TEST(WinDevice, MasterVolumeIsNothingOrSaneOnAnyThread)
{
    // A thread without component objects set up, which gets them only for the call.
    std::optional<device::MasterVolume> fresh;
    HRESULT afterwards = E_FAIL;
    std::thread([&] {
        fresh = WinDevice().masterVolume();
        afterwards = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(afterwards))
            CoUninitialize();
    }).join();
    expectSane(fresh);
    EXPECT_EQ(afterwards, S_OK) << "the call left the thread's set-up behind";

    // A thread in a single-threaded apartment keeps it, and gets the same answer.
    std::optional<device::MasterVolume> apartment;
    HRESULT stillApartment = E_FAIL;
    std::thread([&] {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
        apartment = WinDevice().masterVolume();
        stillApartment = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        CoUninitialize();
        CoUninitialize();
    }).join();
    expectSane(apartment);
    EXPECT_EQ(stillApartment, S_FALSE);
    EXPECT_EQ(fresh.has_value(), apartment.has_value());
}

// The default output's volume control, reached through Core Audio as a user's
// mixer does; null where there is none.
IAudioEndpointVolume* endpointVolume()
{
    IMMDeviceEnumerator* enumerator = nullptr;
    IMMDevice* endpoint = nullptr;
    IAudioEndpointVolume* volume = nullptr;
    if (SUCCEEDED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                                   __uuidof(IMMDeviceEnumerator),
                                   reinterpret_cast<void**>(&enumerator)))
        && SUCCEEDED(enumerator->GetDefaultAudioEndpoint(eRender, eMultimedia, &endpoint)))
        endpoint->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_ALL, nullptr,
                           reinterpret_cast<void**>(&volume));
    if (endpoint)
        endpoint->Release();
    if (enumerator)
        enumerator->Release();
    return volume;
}

TEST(WinDevice, MasterVolumeFollowsTheEndpointsSetting)
{
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
    IAudioEndpointVolume* control = endpointVolume();
    if (!control) {
        CoUninitialize();
        GTEST_SKIP() << "no default sound output (under Wine: give ALSA a null device)";
    }
    float old = 0, minDb = 0, maxDb = 0, step = 0;
    ASSERT_TRUE(SUCCEEDED(control->GetMasterVolumeLevelScalar(&old)));
    ASSERT_TRUE(SUCCEEDED(control->GetVolumeRange(&minDb, &maxDb, &step)));
    // The reading matches what the endpoint itself says.
    const std::optional<device::MasterVolume> now = WinDevice().masterVolume();
    ASSERT_TRUE(now);
    EXPECT_FLOAT_EQ(float(now->maxDb), maxDb);
    EXPECT_FLOAT_EQ(float(now->scalar), old);
    std::cout << "endpoint: " << minDb << " to " << maxDb << " dB, scalar " << old << "\n";

    const HRESULT set = control->SetMasterVolumeLevelScalar(0.25f, nullptr);
    if (set == E_NOTIMPL) {
        control->Release();
        CoUninitialize();
        GTEST_SKIP() << "the endpoint's volume cannot be set here (Wine does not implement it)";
    }
    ASSERT_TRUE(SUCCEEDED(set)) << std::hex << set;
    for (float level : {0.25f, 0.0f, 1.0f}) {
        SCOPED_TRACE(level);
        ASSERT_TRUE(SUCCEEDED(control->SetMasterVolumeLevelScalar(level, nullptr)));
        const std::optional<device::MasterVolume> volume = WinDevice().masterVolume();
        ASSERT_TRUE(volume);
        EXPECT_NEAR(volume->scalar, level, 0.01);
        EXPECT_FLOAT_EQ(float(volume->maxDb), maxDb);
    }
    control->SetMasterVolumeLevelScalar(old, nullptr);
    control->Release();
    CoUninitialize();
}

}  // namespace
}  // namespace tavix::platform::windows
