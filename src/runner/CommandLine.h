#pragma once
// The map tool's two command lines. Paths and the description go between
// double quotes exactly as they are: nothing inside is escaped.
#include <string>
#include <vector>

// Zarvelt.exe -i "path"
std::string InfoCommandLine(const std::string& path);

// Zarvelt.exe -m "description" -jo "output" "input1" "input2" ... with one
// space after each input's closing quote.
std::string MergeCommandLine(const std::string& description, const std::string& output,
                             const std::vector<std::string>& inputs);

// "path" with the double quotes around it.
std::string Quoted(const std::string& text);
