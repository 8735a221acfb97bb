#pragma once

#include <functional>

// Told how far a long export has come (cells or rows done of the total), so that the window
// can show it and keep repainting. May be empty.
using ExportProgress = std::function<void(int done, int total)>;
