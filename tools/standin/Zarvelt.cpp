// A stand-in for the map tool Zarvelt.exe. It accepts the two command lines
// the front end forms, says plainly what it is, and does the least that shows
// the whole program working:
//   Zarvelt.exe -i "map.img"                      the file's path and size
//   Zarvelt.exe -m "description" -jo "out.img" "a.img" "b.img" ...
//                                                 writes out.img as the plain
//                                                 concatenation of the inputs
#include <cstdarg>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

// Everything the stand-in says, written in one piece at the end, so that it
// reaches the front end as one chunk of output. (The C runtime's buffering
// of stdout cannot be relied on for that: under Wine every printf was a
// write of its own.)
std::string said;

void Say(const char* format, ...) {
  char line[4096];
  va_list args;
  va_start(args, format);
  const int length = std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  if (length > 0) said.append(line, static_cast<std::size_t>(length) < sizeof line ? length : sizeof line - 1);
}

bool ReadWhole(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

int Usage() {
  Say("usage: Zarvelt.exe -i \"map.img\"\n"
              "       Zarvelt.exe -m \"description\" -jo \"out.img\" \"in1.img\" \"in2.img\" ...\n");
  return kUsage;
}

int Info(const std::string& path) {
  std::string bytes;
  if (!ReadWhole(path, bytes)) {
    Say("Error: cannot read %s\n", path.c_str());
    return kFailed;
  }
  Say("Map file: %s\nSize: %zu bytes\n", path.c_str(), bytes.size());
  return 0;
}

int Merge(const std::string& description, const std::string& output,
          const std::vector<std::string>& inputs) {
  Say("Description: %s\nOutput: %s\n", description.c_str(), output.c_str());
  std::string merged;
  for (const std::string& input : inputs) {
    std::string bytes;
    if (!ReadWhole(input, bytes)) {
      Say("Error: cannot read %s; nothing written\n", input.c_str());
      return kFailed;
    }
    Say("Input: %s (%zu bytes)\n", input.c_str(), bytes.size());
    merged += bytes;
  }
  std::ofstream out(output, std::ios::binary | std::ios::trunc);
  if (!out || !out.write(merged.data(), static_cast<std::streamsize>(merged.size())) || !out.flush()) {
    Say("Error: cannot write %s\n", output.c_str());
    return kFailed;
  }
  Say("Wrote %s: %zu bytes, the inputs one after another.\n", output.c_str(), merged.size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Say("Zarvelt.exe stand-in: not the real map tool; it only shows what it was asked.\n");
  const std::vector<std::string> args(argv + 1, argv + argc);
  int result = kUsage;
  if (args.size() == 2 && args[0] == "-i") {
    result = Info(args[1]);
  } else if (args.size() >= 5 && args[0] == "-m" && args[2] == "-jo") {
    result = Merge(args[1], args[3], std::vector<std::string>(args.begin() + 4, args.end()));
  } else {
    result = Usage();
  }
  std::fwrite(said.data(), 1, said.size(), stdout);
  std::fflush(stdout);
  return result;
}
