#include "audio_output.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <vector>

extern "C" {
#include <libswresample/swresample.h>
}

namespace vexplayer {

namespace {

constexpr int kBytesPerFrame = kAudioChannels * static_cast<int>(sizeof(std::int16_t));

} // namespace

std::unique_ptr<AudioOutput> AudioOutput::open() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
    SDL_AudioSpec wanted{};
    wanted.freq = kAudioRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = kAudioChannels;
    wanted.samples = 1024;
    SDL_AudioSpec obtained{};
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    SDL_PauseAudioDevice(device, 0);
    return std::unique_ptr<AudioOutput>(new AudioOutput(device));
}

AudioOutput::~AudioOutput() {
    SDL_CloseAudioDevice(device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    swr_free(&stretcher_);
}

void AudioOutput::setPaused(bool paused) {
    if (paused == paused_) return;
    paused_ = paused;
    SDL_PauseAudioDevice(device_, paused ? 1 : 0);
}

void AudioOutput::clear() { SDL_ClearQueuedAudio(device_); }

void AudioOutput::setSpeed(double speed) {
    if (speed == speed_) return;
    speed_ = speed;
    swr_free(&stretcher_);
    clear();
}

void AudioOutput::setVolume(int percent) { volume_ = std::clamp(percent, 0, 100); }

double AudioOutput::queuedSeconds() const {
    return static_cast<double>(SDL_GetQueuedAudioSize(device_)) / (kAudioRate * kBytesPerFrame);
}

void AudioOutput::play(const AudioChunk& chunk) {
    std::vector<std::int16_t> samples = chunk.samples;
    if (speed_ != 1.0) {
        if (!stretcher_) {
            AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
            const int outRate = std::max(1, static_cast<int>(std::lround(kAudioRate / speed_)));
            if (swr_alloc_set_opts2(&stretcher_, &stereo, AV_SAMPLE_FMT_S16, outRate, &stereo,
                                    AV_SAMPLE_FMT_S16, kAudioRate, 0, nullptr) < 0 ||
                swr_init(stretcher_) < 0) {
                swr_free(&stretcher_);
                return;
            }
        }
        const int inFrames = static_cast<int>(samples.size() / kAudioChannels);
        const int room = swr_get_out_samples(stretcher_, inFrames);
        if (room <= 0) return;
        std::vector<std::int16_t> stretched(static_cast<std::size_t>(room) * kAudioChannels);
        auto* out = reinterpret_cast<std::uint8_t*>(stretched.data());
        const auto* in = reinterpret_cast<const std::uint8_t*>(samples.data());
        const int made = swr_convert(stretcher_, &out, room, &in, inFrames);
        if (made <= 0) return;
        stretched.resize(static_cast<std::size_t>(made) * kAudioChannels);
        samples = std::move(stretched);
    }
    if (volume_ != 100)
        for (std::int16_t& sample : samples) sample = static_cast<std::int16_t>(sample * volume_ / 100);
    SDL_QueueAudio(device_, samples.data(), static_cast<Uint32>(samples.size() * sizeof(std::int16_t)));
}

} // namespace vexplayer
