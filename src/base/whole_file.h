#pragma once
// Reading a file whole, for every layer that reads one: books, PGN, reports.

#include <string>

// Reads the whole file at path into text. False with error naming the file and the fault.
bool read_whole_file(const std::string& path, std::string& text, std::string& error);
