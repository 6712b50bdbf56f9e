#pragma once
// The string command interface to the MIDI sequencer.
//
// Commands (words separated by blanks; a word in double quotes may contain
// blanks; keywords and aliases ignore ASCII case):
//   open <path> [type sequencer] [alias <name>] [notify]
//   play <alias> [notify]
//   stop <alias> [notify]
//   close <alias> [notify]
//   status <alias> mode | length | position
// open reads and checks the whole file; without an alias, the path is the
// alias. play starts the song from its beginning (or lets it go on if it is
// already playing); with notify and a callback window, MM_MCINOTIFY is posted
// to that window exactly once: MCI_NOTIFY_SUCCESSFUL when playback reaches
// the end of the song, MCI_NOTIFY_ABORTED at once when the device is stopped
// or closed first, MCI_NOTIFY_SUPERSEDED when a later play with notify takes
// its place. lParam is the device's number. For the other commands, notify
// posts MCI_NOTIFY_SUCCESSFUL when the command has been carried out.
// stop cuts every sound at once and rewinds the song; close stops the device
// and forgets it. Only one device plays at a time: playing another aborts
// the one that was playing. status answers "playing" or "stopped" for mode,
// and milliseconds for length and position. Without a warm-up, the first
// play waits while the synthesizer is created.
//
// A command returns 0 or one of the numbers of platform/mci/MciError.h.
// Results are written to the return buffer, cut to fit with the NUL; the
// buffer may be null with a length of 0.
//
// Notifications are posted through the function the program installs
// (PostMessageA); it may be called on the audio thread.

#include "platform/win/WinTypes.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

MCIERROR mciSendStringA(LPCSTR command, LPSTR returnBuffer, UINT returnLength, HWND callback);
// Copies the text of an error into the buffer (cut to fit). FALSE for a
// number that is not an error of this interface, or for no buffer.
BOOL mciGetErrorStringA(MCIERROR error, LPSTR buffer, UINT length);

namespace mci {

using PostFn = BOOL (*)(HWND, UINT, WPARAM, LPARAM);

void SetNotificationPoster(PostFn post);
// Starts creating the synthesizer and loading the SoundFont in the
// background, so that the first play sounds at once.
void WarmUp();
// Closes every device (pending notifications are aborted), stops the audio
// and frees the synthesizer. Commands may be sent again afterwards.
void Shutdown();

// Seams for tests and benchmarks.
namespace testing {
// The SoundFont to load the next time the synthesizer is created; empty for
// FluidSynth's default. Call Shutdown first if a synthesizer exists.
void UseSoundFont(const std::string& path);
// With offline rendering, play opens an audio output with no driver behind
// it (named "offline"), which opens and closes as a real one does, and time
// only moves when RenderFrames is called. Switching closes the output.
void UseOfflineRendering(bool offline);
// The audio drivers play tries, in order; an empty list restores the default.
void UseAudioDrivers(const std::vector<std::string>& drivers);
// Runs the render function on the calling thread, exactly as the audio
// driver would, into the two buffers (either may be null).
void RenderFrames(int frames, float* left, float* right);
int SampleRate();
// The audio driver of the open audio output, or "" if none is open. After a
// close with nothing playing it stays open for a grace period.
std::string OpenAudioDriver();
// How long the audio output stays open after a close with nothing playing;
// nullopt restores the default.
void UseOutputCloseGrace(std::optional<std::chrono::milliseconds> grace);
// Lets a pending grace period end now, as if its time had come, and returns
// once the output it was keeping has closed; false if none was pending.
bool ExpireOutputGrace();
// Waits until no audio output is open, at most `limit`; true if none is.
bool WaitForOutputClosed(std::chrono::milliseconds limit);
// Waits until the synthesizer has been created (starting that if nothing
// has) and returns 0 or the error that creating it gave; a benchmark calls it
// so that a play it times does not include the warm-up.
MCIERROR WaitForSynthesizer();
// Called after every render with the samples just made, on the thread that
// rendered them (the audio driver's, for real output); null to stop.
using RenderObserver = void (*)(const float* left, const float* right, int frames);
void ObserveRendering(RenderObserver observer);
}  // namespace testing

}  // namespace mci
