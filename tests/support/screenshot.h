// SPDX-License-Identifier: MIT
// Screenshots of windows on the test run's desktop, kept as JPEG artifacts of the run.
#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

// What the screen shows in the area, as JPEG bytes.
std::string ScreenshotJpeg(RECT area);
std::string ScreenshotJpeg(HWND window);

// Writes the bytes to artifacts/<name> under the working folder.
void KeepArtifact(const std::string& name, const std::string& bytes);

}  // namespace testing_support
