#pragma once
// The player states. The adapter owns one object per state and hands every player operation to
// the current one. The 18 operations keep their slot order; an operation that a state does not
// define returns kUndefined.

#include <atomic>
#include <cstdint>
#include <string>

namespace player {

class TarnAdap;

enum class StateId : std::int32_t { Idle = 0, Playing = 1, Exited = 2, Ended = 3, Ready = 4, Opening = 9 };

// Every state, in the order of the adapter's state array, with what TraceState writes.
struct StateRow {
    StateId id;
    const char* label;
    const char* traceLine;   // nullptr: TraceState only settles
};
inline constexpr StateRow kStateRows[] = {
    {StateId::Idle, "Idle", "####stat0\n"},       {StateId::Playing, "Playing", nullptr},
    {StateId::Exited, "Exited", "####stat2\n"},   {StateId::Ended, "Ended", "####stat3\n"},
    {StateId::Ready, "Ready", "####stat4\n"},     {StateId::Opening, "Opening", nullptr},
};
inline constexpr int kStateCount = static_cast<int>(std::size(kStateRows));
constexpr int StateIndex(StateId id) {
    for (int i = 0; i < kStateCount; ++i)
        if (kStateRows[i].id == id) return i;
    return -1;
}

// Results shared by the states.
inline constexpr int kUndefined = -1;
// A command that would not fit the library's command buffer, or a path holding a quote.
inline constexpr int kCommandRefused = 5;

class TarnState {
public:
    explicit TarnState(TarnAdap& adapter) : adapter_(adapter) {}
    virtual ~TarnState() = default;
    TarnState(const TarnState&) = delete;
    TarnState& operator=(const TarnState&) = delete;

    virtual int LoadPlayer(const char* libraryName);
    virtual int ClosePlayer();
    virtual int SetFileNPlay(const std::string& channel1Path, const std::string& channel2Path);
    virtual int SetNextNPlay(const std::string& channel1Path, const std::string& channel2Path);
    virtual int Play();
    virtual int Stop();
    virtual int Pause();
    virtual int FrameStep();
    virtual int Seek(float seconds, bool relative);
    virtual int SetSpeed(float value, bool incremental);
    virtual int MultiplySpeed(float factor, bool multiply);
    virtual int SetVolume(float value, bool relative);
    virtual int SetVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y,
                             std::uint16_t width, std::uint16_t height);
    virtual int SetPopupVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y,
                                  std::uint16_t width, std::uint16_t height);
    virtual int RefreshVideo(std::int32_t channel);   // base: traces "####method undefined"
    virtual int GetStateId() const;
    virtual int TraceState() = 0;                     // every state first settles 10 ms

    // The state that was current when this one was entered; written by SetState on any thread.
    TarnState* EnteredFrom() const { return enteredFrom_.load(); }
    void SetEnteredFrom(TarnState* state) { enteredFrom_.store(state); }

protected:
    // Pauses 10 ms on the platform clock, then writes the state's trace line, if any.
    int SettleAndTrace(StateId id);

    TarnAdap& adapter_;

private:
    std::atomic<TarnState*> enteredFrom_{nullptr};
};

} // namespace player
