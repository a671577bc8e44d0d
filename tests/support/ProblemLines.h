// The problems that reading a collection gathered into its one message box: the box's lines
// after the heading, or a note of how many boxes there were when there was not exactly one.
#pragma once

#include <sstream>
#include <string>
#include <vector>

inline std::vector<std::string> ProblemLines(const std::vector<std::string>& messages) {
    if (messages.size() != 1) return {std::to_string(messages.size()) + " message boxes"};
    std::vector<std::string> lines;
    std::istringstream text(messages.front());
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    if (lines.size() > 1) lines.erase(lines.begin());
    return lines;
}
