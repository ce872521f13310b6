// Drives a fuzz target without libFuzzer, so that every test run, with any
// compiler, checks its properties: first on each file of the given corpus
// folders, then on deterministic variations of them.
//
//   fuzz_X_replay [--variations N] FOLDER...
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using namespace std::string_view_literals;
using Bytes = std::string;

std::vector<Bytes> ReadCorpus(const std::vector<std::filesystem::path>& folders) {
  std::vector<std::filesystem::path> files;
  for (const auto& folder : folders) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      if (entry.is_regular_file()) files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  std::vector<Bytes> corpus;
  for (const auto& file : files) {
    std::ifstream in(file, std::ios::binary);
    corpus.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return corpus;
}

void Run(const Bytes& input) {
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

// Bytes that number texts, their formats and the event scripts are made of,
// so that small changes to a seed stay meaningful more often than not.
constexpr std::string_view kTelling = "0123456789.,eE+-# \t\n\rxabfvw\xd0\xb1\xe2\x80\x9e\xff\0"sv;

char AnyByte(std::mt19937& random) {
  if (random() % 2) return kTelling[random() % kTelling.size()];
  return static_cast<char>(random() % 256);
}

Bytes Vary(const std::vector<Bytes>& corpus, std::mt19937& random) {
  Bytes input = corpus.empty() ? Bytes() : corpus[random() % corpus.size()];
  for (int edits = 1 + random() % 4; edits > 0; --edits) {
    const std::size_t at = input.empty() ? 0 : random() % (input.size() + 1);
    switch (random() % 4) {
      case 0:
        input.insert(at, 1, AnyByte(random));
        break;
      case 1:
        if (at < input.size()) input[at] = AnyByte(random);
        break;
      case 2:
        if (at < input.size()) input.erase(at, 1 + random() % 3);
        break;
      default:
        if (!corpus.empty()) input.insert(at, corpus[random() % corpus.size()].substr(0, 16));
    }
  }
  return input;
}

}  // namespace

int main(int argc, char** argv) {
  long variations = 0;
  std::vector<std::filesystem::path> folders;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--variations" && i + 1 < argc) {
      variations = std::stol(argv[++i]);
    } else {
      folders.emplace_back(arg);
    }
  }
  const std::vector<Bytes> corpus = ReadCorpus(folders);
  for (const Bytes& input : corpus) Run(input);
  std::mt19937 random(20240);
  for (long i = 0; i < variations; ++i) Run(Vary(corpus, random));
  std::printf("%zu corpus inputs and %ld variations: every property held\n", corpus.size(),
              variations);
  return corpus.empty() ? 1 : 0;
}
