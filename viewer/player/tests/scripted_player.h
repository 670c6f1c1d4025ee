#pragma once
// Control side of the scripted player library ("scriptedplayer.dll", libscriptedplayer.so), the
// tests' stand-in for the player library at its outside boundary. It exports the four entry
// points of the contract; the tests link it to script what it does:
// - "Velmo" records its arguments and runs the tasks the test hands to the player thread until it
//   is asked to quit ("quit" or the stop flag of event 21), then reports event 16 and returns;
// - "cmd_direct" records every text;
// - events are fired on the test's thread (Fire) or on the player thread (OnPlayerThread).

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace scripted {

inline constexpr const char* kLibraryName = "scriptedplayer.dll";
// A library that lacks "cmd_direct".
inline constexpr const char* kMissingExportLibraryName = "scriptedmissing.dll";

// Forgets the commands, arguments, modes and the quit request; must not be called while Velmo runs.
void Reset();

// The texts given to cmd_direct, in order.
std::vector<std::string> Commands();
// The arguments of the last Velmo call.
std::vector<std::string> VelmoArguments();
bool WaitForVelmo(std::chrono::milliseconds limit);   // true once Velmo has been entered
bool VelmoRunning();
int VelmoCalls();

// Calls the callback on the calling thread with the instance the library was given.
int Fire(int code, void* param);
// Runs task on the player thread (inside Velmo) and waits for it; false when Velmo does not run.
bool OnPlayerThread(const std::function<void()>& task);
void FireOnPlayerThread(int code, void* param);

// A library that ignores "quit" and its stop flag and never reports its exit.
void SetNeverExits(bool never);
// A library that reports its exit only once this much time has passed on the platform clock
// since it saw "quit" or its stop flag.
void SetExitDelay(std::chrono::milliseconds delay);
// Makes Velmo return without reporting anything (ends a never-exiting player after a test).
void ReleaseVelmo();
// Runs inside cmd_direct("quit") on the thread that sent it, before the quit takes effect.
void SetOnQuit(std::function<void()> action);

// The int handed to the adapter with event 21.
int* StopFlag();
void* Instance();

} // namespace scripted
