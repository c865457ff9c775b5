#include "runner/CommandLine.h"

#include "runner/RunnerTexts.h"

std::string Quoted(const std::string& text) { return '"' + text + '"'; }

std::string QuotedArgument(const std::string& text, const IsLeadByte& isLeadByte) {
  std::string quoted = "\"";
  std::size_t backslashes = 0;  // in a row, just before the current character
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    quoted += c;
    if (isLeadByte && i + 1 < text.size() && isLeadByte(static_cast<unsigned char>(c))) quoted += text[++i];
    backslashes = 0;
  }
  quoted.append(2 * backslashes, '\\');
  return quoted + '"';
}

std::string InfoCommandLine(const std::string& path) { return runtexts::kInfoCommand + Quoted(path); }

std::string MergeCommandLine(const std::string& description, const std::string& output,
                             const std::vector<std::string>& inputs, const IsLeadByte& isLeadByte) {
  std::string line = runtexts::kMergeCommand + QuotedArgument(description, isLeadByte) + runtexts::kMergeOutputOption +
                     Quoted(output) + ' ';
  for (const std::string& input : inputs) line += Quoted(input) + ' ';
  return line;
}
