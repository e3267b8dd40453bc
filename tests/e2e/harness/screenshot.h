// Screenshots of the whole screen as PNG files under the screenshot folder:
// named ones that show what a person sees at a step, and one per failed test.
#pragma once
#include <filesystem>
#include <string>

namespace e2e {

// Saves the screen as <ScreenshotDir>/<name>.png; returns the path, or an
// empty path when the capture failed.
std::filesystem::path SaveScreenshot(const std::string& name);

}  // namespace e2e
