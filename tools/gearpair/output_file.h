#pragma once

#include <string>

// Writes text to standard output when path is empty or "-"; otherwise to a
// temporary file beside path that is renamed onto path once complete, so a
// reader never sees half a file and a failure leaves nothing behind. Returns
// false with the reason in error.
bool writeOutput(const std::string& path, const std::string& text, std::string& error);
