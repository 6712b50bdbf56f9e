#include "platform/mci/Mci.h"

#include "platform/mci/MciError.h"
#include "platform/mci/MciSystem.h"

#include <algorithm>
#include <cstring>

MCIERROR mciSendStringA(LPCSTR command, LPSTR returnBuffer, UINT returnLength, HWND callback) {
  return mci::MciSystem::Instance().Execute(command, returnBuffer, returnLength, callback);
}

BOOL mciGetErrorStringA(MCIERROR error, LPSTR buffer, UINT length) {
  if (buffer == nullptr || length == 0) return FALSE;
  const std::string_view text = mci::ErrorText(error);
  const std::size_t count = std::min<std::size_t>(text.size(), length - 1);
  if (count > 0) std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
  return text.empty() ? FALSE : TRUE;
}

namespace mci {

void SetNotificationPoster(PostFn post) { MciSystem::Instance().SetPoster(post); }
void WarmUp() { MciSystem::Instance().WarmUp(); }
void Shutdown() { MciSystem::Instance().Shutdown(); }

namespace testing {
void UseSoundFont(const std::string& path) { MciSystem::Instance().UseSoundFont(path); }
void UseOfflineRendering(bool offline) { MciSystem::Instance().UseOfflineRendering(offline); }
void UseAudioDrivers(const std::vector<std::string>& drivers) {
  MciSystem::Instance().UseAudioDrivers(drivers);
}
void RenderFrames(int frames, float* left, float* right) {
  MciSystem::Instance().RenderFrames(frames, left, right);
}
int SampleRate() { return MciSystem::Instance().SampleRate(); }
std::string OpenAudioDriver() { return MciSystem::Instance().OpenAudioDriver(); }
void UseOutputCloseGrace(std::optional<std::chrono::milliseconds> grace) {
  MciSystem::Instance().UseOutputCloseGrace(grace);
}
bool ExpireOutputGrace() { return MciSystem::Instance().ExpireOutputGrace(); }
bool WaitForOutputClosed(std::chrono::milliseconds limit) {
  return MciSystem::Instance().WaitForOutputClosed(limit);
}
MCIERROR WaitForSynthesizer() { return ToNumber(MciSystem::Instance().WaitForSynthesizer()); }
void ObserveRendering(RenderObserver observer) { MciSystem::Instance().ObserveRendering(observer); }
}  // namespace testing

}  // namespace mci
