#pragma once
// Runs `action` and returns the file exception it threw; fails the test if
// it threw none.

#include <gtest/gtest.h>

#include "platform/framework/CFileException.h"

template <typename Action>
CFileException Caught(Action action) {
  try {
    action();
  } catch (const CFileException& error) {
    return error;
  }
  ADD_FAILURE() << "no CFileException was thrown";
  return CFileException();
}
