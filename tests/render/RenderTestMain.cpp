#include <glib.h>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  // Pango and GLib report misuse (such as invalid UTF-8 handed to a layout)
  // as warnings and criticals; make them fatal so a test fails on them.
  g_log_set_always_fatal(static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL));
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
