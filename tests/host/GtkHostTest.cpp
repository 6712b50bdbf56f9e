#include "platform/host/gtk/GtkHost.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace host {
namespace {

TEST(GtkHostTest, CreateFailsCleanlyWithoutADisplay) {
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  int argc = 1;
  char name[] = "host_tests";
  char* args[] = {name, nullptr};
  char** argv = args;
  testing::internal::CaptureStderr();
  const std::unique_ptr<GtkHost> host = GtkHost::Create(&argc, &argv);
  const std::string message = testing::internal::GetCapturedStderr();
  EXPECT_EQ(host, nullptr);
  EXPECT_NE(message.find("display"), std::string::npos) << message;
}

}  // namespace
}  // namespace host
