// Phonetic search speed on the dictionaries bench/run.sh generates (build/bench-data), beside
// `grep -F -c` of a word over the same file. Not a test: it prints figures and asserts nothing.
// Usage: vartolik-bench-phonetic DIR [RUSSFORM.DAT [COMMON.DAT]] (the tables' sizes and load
// times)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "search/common_words.h"
#include "search/phonetic.h"
#include "search/russian_forms.h"

namespace {

using Clock = std::chrono::steady_clock;

template <class F>
double bestSeconds(int repeat, F f) {
  double best = 1e30;
  for (int i = 0; i < repeat; ++i) {
    auto start = Clock::now();
    f();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  std::string dir = argc > 1 ? argv[1] : "build/bench-data";
  if (argc > 2) {
    RussianForms table;
    RussianFormsStatus status = RussianFormsStatus::Missing;
    const double load = bestSeconds(5, [&] { status = loadRussianForms(argv[2], table); });
    std::printf("%s: %s, %zu forms, %ju bytes, loaded in %.1f ms\n\n", argv[2],
                status == RussianFormsStatus::Loaded ? "loaded" : "NOT loaded", table.form.size(),
                static_cast<uintmax_t>(
                    std::filesystem::exists(argv[2]) ? std::filesystem::file_size(argv[2]) : 0),
                load * 1e3);
  }
  if (argc > 3) {
    CommonWords list;
    CommonWordsStatus status = CommonWordsStatus::Missing;
    const double load = bestSeconds(5, [&] { status = loadCommonWords(argv[3], list); });
    std::printf("%s: %s, %zu words, %ju bytes, loaded in %.1f ms\n\n", argv[3],
                status == CommonWordsStatus::Loaded ? "loaded" : "NOT loaded", list.word.size(),
                static_cast<uintmax_t>(
                    std::filesystem::exists(argv[3]) ? std::filesystem::file_size(argv[3]) : 0),
                load * 1e3);
  }
  std::vector<std::string> files;
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    std::string name = e.path().filename().string();
    if (name.rfind("dictiona-", 0) == 0 && name.size() > 6 &&
        name.substr(name.size() - 6) == "mb.dat") {
      files.push_back(e.path().string());
    }
  }
  std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
    return std::filesystem::file_size(a) < std::filesystem::file_size(b);
  });
  struct Query {
    const char* name;
    std::string bytes;
    int language;
  } queries[] = {
      {"Latin kitaab", "kitaab", 0},
      {"Latin, 2 readings", "kamzor", 1},  // Hindi language: transliteration and face codes
      {"face codes", "ikta-b", 1},
      {"Russian, rare", "\xB8\xE6\xE8\xEA\xE8", 0},        // yozhiki: the planted yozhik, 3 lines
      {"Russian, common", "\xE4\xEE\xEC\xE0\xEC\xE8", 0},  // domami: 100 lines at once
  };
  std::printf("%-8s %-16s %7s %12s %12s %9s\n", "MB", "phonetic query", "found", "search ms",
              "grep -F ms", "srch/grep");
  for (const std::string& dict : files) {
    double grep = bestSeconds(5, [&] {
      std::string command = "LC_ALL=C grep -F -c 'kitaab' '" + dict + "' > /dev/null";
      if (std::system(command.c_str()) == -1) std::perror("grep");
    });
    for (const Query& q : queries) {
      MatchList matches;
      double search = bestSeconds(3, [&] {
        findPhoneticMatches(dict.c_str(), q.bytes.data(), static_cast<int>(q.bytes.size()),
                            q.language, matches);
      });
      std::printf("%-8ju %-16s %7d %12.1f %12.1f %8.2fx\n",
                  static_cast<uintmax_t>(std::filesystem::file_size(dict) >> 20), q.name,
                  matches.count, search * 1e3, grep * 1e3, search / grep);
      std::fflush(stdout);
    }
  }
  return 0;
}
