#include "engine/Sound/SDL/SoundDeviceSDL.h"

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"
#include "engine/Sound/SoundMixer.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace Korva
{

cSoundDeviceSDL::~cSoundDeviceSDL()
{
    // Closing waits for a refill in progress and ends SDL's audio thread.
    if (m_device != 0)
        SDL_CloseAudioDevice(m_device);
    if (m_subsystem)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void cSoundDeviceSDL::Init(int32_t format, uint32_t frequency, int32_t channels, cSoundMixer* mixer)
{
    cLog& log = cLog::Get();
    log.WriteDefault("--- Initializing sound device (SDL) ---\n");
    if (m_initialised)
        return;
    format = format == kSampleFormat8 ? kSampleFormat8 : kSampleFormat16;
    SetSettings(format, frequency, channels, mixer);
    log.WriteDefault(std::string("Format: ") +
                     (format == kSampleFormat16 ? "16 bits, " : "8 bits, ") +
                     (GetChannels() == 1 ? "Mono\n" : "Stereo\n"));
    log.WriteDefault("Frequency: " + std::to_string(frequency) + "\n");
    if (!mixer || frequency == 0)
        KORVA_THROW(cException, "Couldn't open audio device.");

    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
    {
        log.WriteDefault(std::string("SDL: ") + SDL_GetError() + "\n");
        KORVA_THROW(cException, "Couldn't initialize SDL audio.");
    }
    m_subsystem = true;

    // 100 ms rounded down to an even frame count; SDL asks for one half at a time.
    const int32_t bufferFrames = static_cast<int32_t>(frequency * 100ull / 1000) & ~1;
    m_halfFrames = std::max(bufferFrames / 2, 1);
    SDL_AudioSpec desired{};
    desired.freq = static_cast<int>(frequency);
    desired.format = format == kSampleFormat16 ? AUDIO_S16SYS : AUDIO_U8;
    desired.channels = static_cast<Uint8>(GetChannels());
    desired.samples = static_cast<Uint16>(std::min(m_halfFrames, 32768));
    desired.callback = &cSoundDeviceSDL::Refill;
    desired.userdata = this;
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts to whatever the hardware wants, and the
    // refill always gets exactly the format and half-buffer size asked for.
    m_device = SDL_OpenAudioDevice(nullptr, 0, &desired, &obtained, 0);
    if (m_device == 0)
    {
        log.WriteDefault(std::string("SDL: ") + SDL_GetError() + "\n");
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m_subsystem = false;
        KORVA_THROW(cException, "Couldn't open audio device.");
    }
    m_initialised = true;
    Register();
}

void cSoundDeviceSDL::Start()
{
    if (!m_initialised || m_started)
        return;
    cLog::Get().WriteDefault("--- Starting sound device (SDL) ---\n");
    SDL_PauseAudioDevice(m_device, 0);
    m_started = true;
}

void cSoundDeviceSDL::Stop()
{
    if (!m_initialised || !m_started)
        return;
    cLog::Get().WriteDefault("--- Stopping sound device (SDL) ---\n");
    // Returns only once a refill in progress has ended; SDL plays silence after.
    SDL_PauseAudioDevice(m_device, 1);
    m_started = false;
}

void SDLCALL cSoundDeviceSDL::Refill(void* device, Uint8* stream, int length)
{
    static_cast<cSoundDeviceSDL*>(device)->Refill(stream, length);
}

void cSoundDeviceSDL::Refill(Uint8* stream, int length)
{
    const int32_t format = GetFormat();
    const int32_t channels = GetChannels();
    const int32_t frameBytes = BytesPerSample(format) * channels;
    const int32_t frames = length / frameBytes;
    int32_t done = 0;
    try
    {
        // Mixed in halves at most, the block the mixer's buffers are sized for.
        while (done < frames)
        {
            const int32_t count = std::min(frames - done, m_halfFrames);
            GetMixer()->Mix(format, channels, count, stream + done * frameBytes);
            done += count;
        }
    }
    catch (...)
    {
        // Nothing on SDL's thread can handle an error; that block stays silent.
    }
    const Uint8 silence = format == kSampleFormat8 ? 0x80 : 0;
    std::memset(stream + done * frameBytes, silence,
                static_cast<size_t>(length - done * frameBytes));
}

} // namespace Korva
