// Search speed on generated dictionaries of 4, 64 and 256 MB: the production search, the
// byte-at-a-time reference and `grep -F -c` over the same file, side by side. Not a test:
// it prints figures and asserts nothing. Run through bench/run.sh.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/session_state.h"
#include "search/result_buffer.h"
#include "search/search.h"
#include "tests/core/search_reference.h"

namespace {

using Clock = std::chrono::steady_clock;

// Russian words of the generator never contain "\xB8" (yo), so queries holding it match only
// where the generator planted them.
const char* const kRussian[] = {
    "\xE4\xE5\xEB\xEE",          "\xF0\xE0\xE1\xEE\xF2\xE0", "\xE4\xEE\xEC",
    "\xE2\xEE\xE4\xE0",          "\xEA\xED\xE8\xE3\xE0",     "\xF1\xEB\xEE\xE2\xEE",
    "\xE4\xF0\xF3\xE3",          "\xE2\xE5\xF7\xE5\xF0",     "\xF3\xF2\xF0\xEE",
    "\xF0\xF3\xF7\xEA\xE0",      "\xEC\xEE\xEB\xEE\xEA\xEE", "\xF2\xF3\xF7\xE0",
    "\xE4\xE5\xF0\xE5\xE2\xEE",  "\xE6\xE8\xEB\xE8\xF9\xE5", "\xF1\xE5\xEC\xFC\xFF",
    "\xF0\xE0\xE7\xE3\xEE\xE2\xEE\xF0", "\xEF\xF0\xE8\xFF\xF2\xE5\xEB\xFC",
};
const char kCommonWord[] = "\xE4\xE5\xEB\xEE";                  // in many entries
const char kRareWord[] = "\xB8\xE6\xE8\xEA";                     // planted near the end only
const char kAbsentWord[] = "\xF9\xB8\xEB\xEA\xED\xF3\xF2\xFC";   // nowhere

std::string hindiToken(std::mt19937& rng) {
  static const char kCodes[] = "kgcjtdnpbmyrlvsSHaAiIuUeEoO";
  std::string t;
  int n = 3 + static_cast<int>(rng() % 6);
  for (int i = 0; i < n; ++i) t += kCodes[rng() % (sizeof kCodes - 1)];
  return t;
}

// One dictionary line: Hindi headword, a note with a Latin transliteration, Russian words.
std::string entry(std::mt19937& rng) {
  std::string line = hindiToken(rng) + " (" + hindiToken(rng) + ") ";
  int words = 1 + static_cast<int>(rng() % 4);
  for (int w = 0; w < words; ++w) {
    if (w) line += (rng() % 3 == 0) ? "; " : ", ";
    line += kRussian[rng() % (sizeof kRussian / sizeof kRussian[0])];
  }
  return line + "\r\n";
}

void generate(const std::string& path, std::size_t megabytes) {
  std::size_t size = megabytes << 20;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    std::exit(2);
  }
  std::mt19937 rng(static_cast<unsigned>(megabytes));
  std::string chunk;
  std::size_t written = 0;
  bool planted = false;
  while (written < size) {
    chunk.clear();
    while (chunk.size() < (1u << 20)) chunk += entry(rng);
    if (!planted && written + chunk.size() >= size - size / 50) {
      // Three entries with the rare word in the last 2% of the file.
      chunk += "Kbr (khabar) " + std::string(kRareWord) + "\r\n";
      chunk += "Kbr (khabar) " + std::string(kRussian[1]) + ", " + kRareWord + "\r\n";
      chunk += "Kbr (khabar) " + std::string(kRareWord) + "\r\n";
      planted = true;
    }
    std::fwrite(chunk.data(), 1, chunk.size(), f);
    written += chunk.size();
  }
  std::fclose(f);
}

double seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

// Best of `repeat` runs, in seconds.
template <class F>
double best(int repeat, F f) {
  double b = 1e30;
  for (int i = 0; i < repeat; ++i) {
    auto t = Clock::now();
    f();
    double s = seconds(t);
    if (s < b) b = s;
  }
  return b;
}

}  // namespace

int main(int argc, char** argv) {
  std::string dir = argc > 1 ? argv[1] : "build/bench-data";
  std::vector<std::size_t> sizes = {4, 64, 256};
  if (argc > 2) {
    sizes.clear();
    for (int i = 2; i < argc; ++i) sizes.push_back(std::strtoul(argv[i], nullptr, 10));
  }
  std::filesystem::create_directories(dir);
  std::vector<char> buffer(kResultBufferSize);
  resultBuffer = buffer.data();

  struct Query {
    const char* name;
    std::string bytes;
  } queries[] = {{"no match", kAbsentWord}, {"3 near end", kRareWord}, {"common word", kCommonWord}};

  std::printf("%-6s %-12s %7s %12s %12s %12s %9s %9s\n", "MB", "query", "found", "search ms",
              "reference ms", "grep -F ms", "ref/srch", "srch/grep");
  for (std::size_t mb : sizes) {
    std::string dict = dir + "/dictiona-" + std::to_string(mb) + "mb.dat";
    if (!std::filesystem::exists(dict) || std::filesystem::file_size(dict) < (mb << 20)) {
      generate(dict, mb);
    }
    std::string result = dir + "/f2.tc", refResult = dir + "/f2-reference.tc";
    std::string pattern = dir + "/pattern.txt";
    for (const Query& q : queries) {
      session.queryLength = static_cast<int32_t>(q.bytes.size());
      std::memcpy(session.queryText, q.bytes.data(), q.bytes.size());
      session.matchMode = SubString;
      SearchPaths paths;
      paths.dictionary = dict.c_str();
      paths.result = result.c_str();
      int repeat = mb >= 256 ? 5 : 9;
      double search = best(repeat, [&] { runDictionarySearch(paths); });
      int found = session.foundCount;
      double ref = best(1, [&] { reference::search(dict.c_str(), refResult.c_str(), q.bytes, SubString); });

      std::FILE* p = std::fopen(pattern.c_str(), "wb");
      std::fwrite(q.bytes.data(), 1, q.bytes.size(), p);
      std::fputc('\n', p);
      std::fclose(p);
      std::string grep = "LC_ALL=C grep -F -c -f '" + pattern + "' '" + dict + "' > /dev/null";
      double g = best(repeat, [&] {
        if (std::system(grep.c_str()) == -1) std::perror("grep");
      });
      std::printf("%-6zu %-12s %7d %12.1f %12.1f %12.1f %8.1fx %8.2fx\n", mb, q.name, found,
                  search * 1e3, ref * 1e3, g * 1e3, ref / search, search / g);
      std::fflush(stdout);
    }
  }
  resultBuffer = nullptr;
  return 0;
}
