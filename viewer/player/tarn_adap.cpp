// The adapter's construction, states, forwarded operations and user data.
#include "player/tarn_adap.h"

#include "platform/dialogs.h"
#include "platform/displays.h"
#include "platform/messages.h"
#include "platform/process.h"
#include "platform/trace.h"
#include "player/platform_wait.h"
#include "player/player_command.h"
#include "player/tarn_states.h"

namespace player {

namespace {

// previousIndex -1: none.
std::uint16_t StateWord(int currentIndex, int previousIndex) {
    return static_cast<std::uint16_t>(((previousIndex + 1) << 8) | currentIndex);
}
int CurrentIndexOf(std::uint16_t word) { return word & 0xFF; }
int PreviousIndexOf(std::uint16_t word) { return (word >> 8) - 1; }

} // namespace

TarnAdap::TarnAdap(platform::HWND mainWindow)
    : mainWindow_(mainWindow), token_(LiveAdapters::Add(this)), rects_(AllocateVideoRectSets()) {
    ResetPlayer();
    states_[StateIndex(StateId::Idle)] = std::make_unique<Tarnstat0>(*this);
    states_[StateIndex(StateId::Playing)] = std::make_unique<Tarnstat1>(*this);
    states_[StateIndex(StateId::Exited)] = std::make_unique<Tarnstat2>(*this);
    states_[StateIndex(StateId::Ended)] = std::make_unique<Tarnstat3>(*this);
    states_[StateIndex(StateId::Ready)] = std::make_unique<Tarnstat4>(*this);
    states_[StateIndex(StateId::Opening)] = std::make_unique<Tarnstat9>(*this);
    stateWord_ = StateWord(StateIndex(StateId::Idle), -1);
}

// Frames that arrive from here on are taken without a message. Both threads end before the
// token dies, and the token dies (waiting for callbacks inside the adapter) before any member.
TarnAdap::~TarnAdap() {
    closing_ = true;
    EndThreads();
    LiveAdapters::Remove(token_);
}

// ---- States -------------------------------------------------------------------------------------

void TarnAdap::SetState(StateId id) {
    const int next = StateIndex(id);
    std::uint16_t word = stateWord_.load();
    for (;;) {
        const int current = CurrentIndexOf(word);
        if (current == next) return;
        if (stateWord_.compare_exchange_weak(word, StateWord(next, current))) {
            states_[next]->SetEnteredFrom(states_[current].get());
            wake_.Set();
            return;
        }
    }
}

StateId TarnAdap::CurrentStateId() const { return StatePair().second; }
std::optional<StateId> TarnAdap::PreviousStateId() const { return StatePair().first; }

std::pair<std::optional<StateId>, StateId> TarnAdap::StatePair() const {
    const std::uint16_t word = stateWord_.load();
    const int previous = PreviousIndexOf(word);
    return {previous < 0 ? std::nullopt : std::optional(kStateRows[previous].id), kStateRows[CurrentIndexOf(word)].id};
}

// ---- Player operations --------------------------------------------------------------------------

int TarnAdap::LoadPlayer(const char* libraryName) { return CurrentState().LoadPlayer(libraryName); }
int TarnAdap::ClosePlayer() { return CurrentState().ClosePlayer(); }
int TarnAdap::Play() { return CurrentState().Play(); }
int TarnAdap::Stop() { return CurrentState().Stop(); }
int TarnAdap::Pause() { return CurrentState().Pause(); }
int TarnAdap::FrameStep() { return CurrentState().FrameStep(); }
int TarnAdap::Seek(float seconds, bool relative) { return CurrentState().Seek(seconds, relative); }
int TarnAdap::SetSpeed(float value, bool incremental) { return CurrentState().SetSpeed(value, incremental); }
int TarnAdap::MultiplySpeed(float factor, bool multiply) { return CurrentState().MultiplySpeed(factor, multiply); }
int TarnAdap::SetVolume(float value, bool relative) { return CurrentState().SetVolume(value, relative); }
int TarnAdap::SetVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y, std::uint16_t width,
                           std::uint16_t height) {
    return CurrentState().SetVideoRect(channelIndex, x, y, width, height);
}
int TarnAdap::SetPopupVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y,
                                std::uint16_t width, std::uint16_t height) {
    return CurrentState().SetPopupVideoRect(channelIndex, x, y, width, height);
}
int TarnAdap::RefreshVideo(std::int32_t channel) { return CurrentState().RefreshVideo(channel); }
int TarnAdap::TraceState() { return CurrentState().TraceState(); }

int TarnAdap::PlayFiles(const std::string& channel1Path, const std::string& channel2Path) {
    const bool unloadDone = WaitOnPlatformClock(
        kLibraryExitWait, [&] { return queue_.Empty(); },
        [] { std::this_thread::sleep_for(std::chrono::milliseconds(1)); });
    if (!unloadDone) platform::Trace("[PlayFiles] the library has not exited since it was closed\n");
    SetState(StateId::Opening);
    return State(StateId::Opening).SetNextNPlay(channel1Path, channel2Path);
}

int TarnAdap::NotifyMoved() {
    const platform::HWND window = videoWindow1_.load();
    if (window == platform::kNoWindow) return 1;
    platform::SendMessage(window, platform::WM_MOVE, 0, 0);
    platform::SendMessage(window, vexplayer::WM_PLAYERWND_OWNERMOVED, 0, 0);
    return 0;
}

// ---- Reset and displays -------------------------------------------------------------------------

// Runs on the user-interface thread or, after an unload, on the worker. The worker's stop flag is
// left alone: clearing it here could revive a worker that the close has just told to stop.
void TarnAdap::ResetPlayer() {
    library_.Forget();
    ForgetStopFlag();
    clipLength_ = 0.0f;
    lengthSeconds = 0;
    {
        std::lock_guard lock(pathsMutex_);
        channel1Path_.reset();
        channel2Path_.reset();
    }
    playerThread_.JoinOrDetach();
    currentIndex_ = 0;
    entryCount_ = TarnUDAT::kUnknownEntryCount;
    channel1PopupWindow = platform::kNoWindow;
    channel2PopupWindow = platform::kNoWindow;
    if (platform::IsUiThread()) {
        MeasureDisplays();
    } else {
        platform::PostToUiThread([token = token_] {
            if (const LiveAdapters::Entry entry = LiveAdapters::Enter(token)) entry.adapter()->MeasureDisplays();
        });
    }
    volume_ = 100;
    channelMode = 2;
    PublishNoUserData();
    channel1PopupShown = 0;
    channel2PopupShown = 0;
}

// User-interface thread (the displays are Qt's).
void TarnAdap::MeasureDisplays() {
    std::int32_t width = 0;
    std::int32_t height = 0;
    for (const platform::DisplayMode& display : platform::EnumDisplays()) {
        width += display.width;
        height = display.height;
    }
    displayWidth_ = width;
    displayHeight_ = height;
}

// ---- Paths and user data ------------------------------------------------------------------------

void TarnAdap::KeepPaths(const std::string& channel1Path, const std::string& channel2Path) {
    std::lock_guard lock(pathsMutex_);
    channel1Path_ = channel1Path;
    channel2Path_ = channel2Path;
}

std::optional<std::string> TarnAdap::Channel1Path() const {
    std::lock_guard lock(pathsMutex_);
    return channel1Path_;
}

std::optional<std::string> TarnAdap::Channel2Path() const {
    std::lock_guard lock(pathsMutex_);
    return channel2Path_;
}

void TarnAdap::PublishUserData(std::shared_ptr<UserData> userData) {
    frames_.SetNoUserData(userData->parser.Failed());
    std::lock_guard lock(userDataMutex_);
    userData_ = std::move(userData);
}

std::shared_ptr<TarnAdap::UserData> TarnAdap::CurrentUserData() const {
    std::lock_guard lock(userDataMutex_);
    return userData_;
}

void TarnAdap::PublishNoUserData() {
    auto userData = std::make_shared<UserData>();
    userData->parser.SetEntryCount(entryCount_.load());
    PublishUserData(std::move(userData));
}

UserDataBoxRead TarnAdap::FindUserDataBox() {
    const int viewMode = encryptedView.load();
    UserDataBoxRead read = player::FindUserDataBox(Channel1Path(), viewMode, encryptionKey.load());
    if (read.code == kBoxWrongKind) {
        platform::MessageBox(nullptr, WrongKindMessage(viewMode), "", platform::MB_OK);
        platform::ExitProcess(0);
    }
    return read;
}

int TarnAdap::ReadUserData() {
    UserDataBoxRead read = FindUserDataBox();
    if (read.code != kBoxFound) {
        PublishNoUserData();
        return read.code;
    }
    auto userData = std::make_shared<UserData>();
    userData->box = std::move(read.copy);
    userData->parser.SetBox(userData->box.data(), userData->box.size());
    userData->parser.SetEntryCount(entryCount_.load());
    const int parsed = userData->parser.Parse();
    PublishUserData(std::move(userData));
    return parsed == TarnUDAT::kParsed ? 0 : kUserDataParseFailed;
}

int TarnAdap::OpenUserData(const std::string& channel1Path) {
    const std::size_t mjpg = channel1Path.find(".mjpg");
    if (mjpg != std::string::npos && mjpg > 0) {
        PublishNoUserData();
        return 0;
    }
    return ReadUserData();
}

int TarnAdap::SendLoadFile(const std::string& channel1Path, const std::string& channel2Path, bool traceCommand) {
    const std::optional<std::string> command = LoadFileCommand(channel1Path, channel2Path);
    if (!command) {
        platform::Trace("[SetNextNPlay] refused: a path holds a quote or the command would not fit\n");
        return kCommandRefused;
    }
    KeepPaths(channel1Path, channel2Path);
    OpenUserData(channel1Path);
    if (traceCommand) platform::Trace("[stat1::SetNextNPlay] >>>>> %s\n", command->c_str());
    library_.Send(command->c_str());
    return 0;
}

} // namespace player
