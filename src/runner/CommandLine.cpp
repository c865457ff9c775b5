#include "runner/CommandLine.h"

#include "ui/Texts.h"

std::string Quoted(const std::string& text) { return '"' + text + '"'; }

std::string InfoCommandLine(const std::string& path) { return texts::kInfoCommand + Quoted(path); }

std::string MergeCommandLine(const std::string& description, const std::string& output,
                             const std::vector<std::string>& inputs) {
  std::string line = texts::kMergeCommand + Quoted(description) + texts::kMergeOutputOption +
                     Quoted(output) + ' ';
  for (const std::string& input : inputs) line += Quoted(input) + ' ';
  return line;
}
