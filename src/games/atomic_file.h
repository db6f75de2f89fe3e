#pragma once
// Writing a report file so that a reader never finds it half-written (reading one whole
// is base/whole_file.h, included here for the readers of reports).

#include <string>

#include "base/whole_file.h"

// Writes text to path + ".tmp", then renames it over path. False with error on a
// fault, in which case the temporary file is removed and path is left as it was.
bool write_file_atomically(const std::string& path, const std::string& text, std::string& error);
