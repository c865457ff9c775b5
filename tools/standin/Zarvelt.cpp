// A stand-in for the map tool Zarvelt.exe. It accepts the two command lines
// the front end forms, says plainly what it is, and does the least that shows
// the whole program working:
//   Zarvelt.exe -i "map.img"                      the file's path and size
//   Zarvelt.exe -m "description" -jo "out.img" "a.img" "b.img" ...
//                                                 writes out.img as the plain
//                                                 concatenation of the inputs
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

bool ReadWhole(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

int Usage() {
  std::printf("usage: Zarvelt.exe -i \"map.img\"\n"
              "       Zarvelt.exe -m \"description\" -jo \"out.img\" \"in1.img\" \"in2.img\" ...\n");
  return kUsage;
}

int Info(const std::string& path) {
  std::string bytes;
  if (!ReadWhole(path, bytes)) {
    std::printf("Error: cannot read %s\n", path.c_str());
    return kFailed;
  }
  std::printf("Map file: %s\nSize: %zu bytes\n", path.c_str(), bytes.size());
  return 0;
}

int Merge(const std::string& description, const std::string& output,
          const std::vector<std::string>& inputs) {
  std::printf("Description: %s\nOutput: %s\n", description.c_str(), output.c_str());
  std::string merged;
  for (const std::string& input : inputs) {
    std::string bytes;
    if (!ReadWhole(input, bytes)) {
      std::printf("Error: cannot read %s; nothing written\n", input.c_str());
      return kFailed;
    }
    std::printf("Input: %s (%zu bytes)\n", input.c_str(), bytes.size());
    merged += bytes;
  }
  std::ofstream out(output, std::ios::binary | std::ios::trunc);
  if (!out || !out.write(merged.data(), static_cast<std::streamsize>(merged.size())) || !out.flush()) {
    std::printf("Error: cannot write %s\n", output.c_str());
    return kFailed;
  }
  std::printf("Wrote %s: %zu bytes, the inputs one after another.\n", output.c_str(), merged.size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Everything is said in one piece at the end, as one chunk of output.
  static char buffer[1 << 16];
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  std::printf("Zarvelt.exe stand-in: not the real map tool; it only shows what it was asked.\n");
  const std::vector<std::string> args(argv + 1, argv + argc);
  int result = kUsage;
  if (args.size() == 2 && args[0] == "-i") {
    result = Info(args[1]);
  } else if (args.size() >= 5 && args[0] == "-m" && args[2] == "-jo") {
    result = Merge(args[1], args[3], std::vector<std::string>(args.begin() + 4, args.end()));
  } else {
    result = Usage();
  }
  std::fflush(stdout);
  return result;
}
