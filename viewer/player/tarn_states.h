#pragma once
// The six player states. What each does with an operation that it does not override is the
// base's kUndefined.

#include <optional>

#include "player/tarn_state.h"

namespace player {

// Idle: the library is loaded here; no player has been started, or it was unloaded.
class Tarnstat0 final : public TarnState {
public:
    using TarnState::TarnState;
    int LoadPlayer(const char* libraryName) override;
    int ClosePlayer() override;
    int SetFileNPlay(const std::string& channel1Path, const std::string& channel2Path) override;
    int SetNextNPlay(const std::string& channel1Path, const std::string& channel2Path) override;
    int SetVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y, std::uint16_t width,
                     std::uint16_t height) override;
    int SetPopupVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y, std::uint16_t width,
                          std::uint16_t height) override;
    int GetStateId() const override;
    int TraceState() override;
};

// Playing: the library reported that playback started.
class Tarnstat1 final : public TarnState {
public:
    using TarnState::TarnState;
    int ClosePlayer() override;
    int SetNextNPlay(const std::string& channel1Path, const std::string& channel2Path) override;
    int Play() override;
    int Stop() override;
    int Pause() override;
    int FrameStep() override;
    int Seek(float seconds, bool relative) override;
    int SetSpeed(float value, bool incremental) override;
    int MultiplySpeed(float factor, bool multiply) override;
    int SetVolume(float value, bool relative) override;
    int SetVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y, std::uint16_t width,
                     std::uint16_t height) override;
    int SetPopupVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y, std::uint16_t width,
                          std::uint16_t height) override;
    int RefreshVideo(std::int32_t channel) override;
    int GetStateId() const override;
    int TraceState() override;

private:
    // Moves the channel's video window: 0 moved, 1 channel-1 window unknown, 2 the move failed.
    int MoveVideoWindow(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y, std::uint16_t width,
                        std::uint16_t height);
    // Sends a formatted command, or traces and refuses one that did not fit.
    int SendFormatted(const std::optional<std::string>& command);
};

// Exited: the library reported that its player exited.
class Tarnstat2 final : public TarnState {
public:
    using TarnState::TarnState;
    int ClosePlayer() override;
    int GetStateId() const override;
    int TraceState() override;
};

// Ended: the library reported the end of the file while Playing.
class Tarnstat3 final : public TarnState {
public:
    using TarnState::TarnState;
    int ClosePlayer() override;
    int SetFileNPlay(const std::string& channel1Path, const std::string& channel2Path) override;
    int SetNextNPlay(const std::string& channel1Path, const std::string& channel2Path) override;
    int Play() override;
    int SetVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y, std::uint16_t width,
                     std::uint16_t height) override;
    int SetPopupVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y, std::uint16_t width,
                          std::uint16_t height) override;
    int RefreshVideo(std::int32_t channel) override;
    int GetStateId() const override;
    int TraceState() override;
};

// Ready: the library reported that its player is ready; its SetFileNPlay starts the player.
class Tarnstat4 final : public TarnState {
public:
    enum StartResult : int { kStarted = 0, kAlreadyRunning = 2, kNotStarted = 3 };
    using TarnState::TarnState;
    int ClosePlayer() override;
    int SetFileNPlay(const std::string& channel1Path, const std::string& channel2Path) override;
    int SetNextNPlay(const std::string& channel1Path, const std::string& channel2Path) override;
    int Play() override;
    int SetVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y, std::uint16_t width,
                     std::uint16_t height) override;
    int SetPopupVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y, std::uint16_t width,
                          std::uint16_t height) override;
    int GetStateId() const override;
    int TraceState() override;
};

// Opening: entered by PlayFiles; operations 1 to 15 go to the state it was entered from.
class Tarnstat9 final : public TarnState {
public:
    using TarnState::TarnState;
    int LoadPlayer(const char* libraryName) override;
    int ClosePlayer() override;
    int SetFileNPlay(const std::string& channel1Path, const std::string& channel2Path) override;
    int SetNextNPlay(const std::string& channel1Path, const std::string& channel2Path) override;
    int Play() override;
    int Stop() override;
    int Pause() override;
    int FrameStep() override;
    int Seek(float seconds, bool relative) override;
    int SetSpeed(float value, bool incremental) override;
    int MultiplySpeed(float factor, bool multiply) override;
    int SetVolume(float value, bool relative) override;
    int SetVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y, std::uint16_t width,
                     std::uint16_t height) override;
    int SetPopupVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y, std::uint16_t width,
                          std::uint16_t height) override;
    int RefreshVideo(std::int32_t channel) override;
    int GetStateId() const override;
    int TraceState() override;

private:
    template <typename Operation> int Forward(Operation operation);
};

} // namespace player
