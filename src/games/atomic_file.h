#pragma once
// Writing a report file so that a reader never finds it half-written, and reading one whole.

#include <string>

// Writes text to path + ".tmp", then renames it over path. False with error on a
// fault, in which case the temporary file is removed and path is left as it was.
bool write_file_atomically(const std::string& path, const std::string& text, std::string& error);

// Reads the whole file at path into text. False with error naming the file and the fault.
bool read_whole_file(const std::string& path, std::string& text, std::string& error);
