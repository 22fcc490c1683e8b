// Linux: the master volume of ALSA's default mixer.
#include <alsa/asoundlib.h>
#include <cstdarg>
#include <memory>

#include "linux_device.h"

namespace tavix::platform::device {

namespace {

// ALSA prints its own diagnostics to standard error; a machine without a
// sound card is an ordinary answer here, not an error to print.
void quiet(const char*, int, const char*, int, const char*, ...) {}

struct MixerClose {
    void operator()(snd_mixer_t* mixer) const { snd_mixer_close(mixer); }
};

class QuietAlsa {
public:
    QuietAlsa() { snd_lib_error_set_handler(quiet); }
    ~QuietAlsa() { snd_lib_error_set_handler(nullptr); }
};

snd_mixer_elem_t* masterElement(snd_mixer_t* mixer)
{
    snd_mixer_selem_id_t* id = nullptr;
    snd_mixer_selem_id_alloca(&id);
    snd_mixer_selem_id_set_index(id, 0);
    for (const char* name : {"Master", "PCM", "Speaker", "Headphone"}) {
        snd_mixer_selem_id_set_name(id, name);
        snd_mixer_elem_t* element = snd_mixer_find_selem(mixer, id);
        if (element && snd_mixer_selem_has_playback_volume(element))
            return element;
    }
    return nullptr;
}

}  // namespace

std::optional<MasterVolume> alsaMasterVolume()
{
    QuietAlsa quietAlsa;
    snd_mixer_t* raw = nullptr;
    if (snd_mixer_open(&raw, 0) < 0 || !raw)
        return std::nullopt;
    std::unique_ptr<snd_mixer_t, MixerClose> mixer(raw);
    if (snd_mixer_attach(raw, "default") < 0 || snd_mixer_selem_register(raw, nullptr, nullptr) < 0
        || snd_mixer_load(raw) < 0)
        return std::nullopt;
    snd_mixer_elem_t* element = masterElement(raw);
    if (!element)
        return std::nullopt;
    long minDb = 0, maxDb = 0, minVolume = 0, maxVolume = 0, volume = 0;
    if (snd_mixer_selem_get_playback_dB_range(element, &minDb, &maxDb) < 0
        || snd_mixer_selem_get_playback_volume_range(element, &minVolume, &maxVolume) < 0
        || snd_mixer_selem_get_playback_volume(element, SND_MIXER_SCHN_FRONT_LEFT, &volume) < 0
        || maxVolume <= minVolume)
        return std::nullopt;
    MasterVolume master;
    master.maxDb = double(maxDb) / 100.0;  // ALSA counts hundredths of a dB
    master.scalar = double(volume - minVolume) / double(maxVolume - minVolume);
    return master;
}

}  // namespace tavix::platform::device
