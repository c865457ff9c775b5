#include "runner/CommandLine.h"

#include "runner/RunnerTexts.h"

std::string Quoted(const std::string& text) { return '"' + text + '"'; }

std::string QuotedArgument(const std::string& text) {
  std::string quoted = "\"";
  std::size_t backslashes = 0;  // in a row, just before the current byte
  for (const char c : text) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    quoted += c;
    backslashes = 0;
  }
  quoted.append(2 * backslashes, '\\');
  return quoted + '"';
}

std::string InfoCommandLine(const std::string& path) { return runtexts::kInfoCommand + Quoted(path); }

std::string MergeCommandLine(const std::string& description, const std::string& output,
                             const std::vector<std::string>& inputs) {
  std::string line = runtexts::kMergeCommand + QuotedArgument(description) + runtexts::kMergeOutputOption +
                     Quoted(output) + ' ';
  for (const std::string& input : inputs) line += Quoted(input) + ' ';
  return line;
}
