#include <glib.h>
#include <gtest/gtest.h>

// Fontconfig loses a few bytes once per process while it parses its
// configuration files; that is not ours to fix, so the leak checker of the
// sanitizer build is told to look past it.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

int main(int argc, char** argv) {
  // Pango and GLib report misuse (such as invalid UTF-8 handed to a layout)
  // as warnings and criticals; make them fatal so a test fails on them.
  g_log_set_always_fatal(static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL));
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
