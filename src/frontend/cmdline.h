#pragma once
// The command line: option words set the styles and tactical settings, the
// remaining words choose a one-shot task or the UCI loop.

#include <string>
#include <vector>

// Applies every option word to the settings in argument order and returns the
// other words (the command words), in order.
std::vector<std::string> apply_command_line(const std::vector<std::string>& args);

// Runs the task the first command word names, or the UCI loop; returns the exit status.
int run_command(const std::vector<std::string>& command_words);
