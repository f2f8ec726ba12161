// Search speed on generated dictionaries of 4, 64 and 256 MB: the production search, the
// byte-at-a-time reference and `grep -F -c` over the same file, side by side; then, with
// --processes, vartolik-cli against grep as whole processes. Not a test: it prints figures and
// asserts nothing. Run through bench/run.sh.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "base/session_state.h"
#include "search/result_buffer.h"
#include "search/search.h"
#include "tests/core/search_reference.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Russian words of the generator never contain "\xB8" (yo), so queries holding it match only
// where the generator planted them.
const char* const kRussian[] = {
    "\xE4\xE5\xEB\xEE",
    "\xF0\xE0\xE1\xEE\xF2\xE0",
    "\xE4\xEE\xEC",
    "\xE2\xEE\xE4\xE0",
    "\xEA\xED\xE8\xE3\xE0",
    "\xF1\xEB\xEE\xE2\xEE",
    "\xE4\xF0\xF3\xE3",
    "\xE2\xE5\xF7\xE5\xF0",
    "\xF3\xF2\xF0\xEE",
    "\xF0\xF3\xF7\xEA\xE0",
    "\xEC\xEE\xEB\xEE\xEA\xEE",
    "\xF2\xF3\xF7\xE0",
    "\xE4\xE5\xF0\xE5\xE2\xEE",
    "\xE6\xE8\xEB\xE8\xF9\xE5",
    "\xF1\xE5\xEC\xFC\xFF",
    "\xF0\xE0\xE7\xE3\xEE\xE2\xEE\xF0",
    "\xEF\xF0\xE8\xFF\xF2\xE5\xEB\xFC",
};
const char kCommonWord[] = "\xE4\xE5\xEB\xEE";                  // in many entries
const char kRareWord[] = "\xB8\xE6\xE8\xEA";                    // planted near the end only
const char kAbsentWord[] = "\xF9\xB8\xEB\xEA\xED\xF3\xF2\xFC";  // nowhere
const char kAbsentHindi[] = "kOSIvAgr";                         // only common codes, nowhere
const char kRareLetters[] = "zqzqzq";                           // bytes the text never holds

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

template <class F>
double timed(F f) {
  auto t = Clock::now();
  f();
  return seconds(t);
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// Runs a and b alternately `pairs` times (so both meet the same machine load) and gives the
// median time of each, in seconds.
template <class A, class B>
std::pair<double, double> alternated(int pairs, A a, B b) {
  std::vector<double> ta, tb;
  for (int i = 0; i < pairs; ++i) {
    ta.push_back(timed(a));
    tb.push_back(timed(b));
  }
  return {median(ta), median(tb)};
}

struct ProcessRun {
  double seconds;
  long maxRssKiB;
};

// Runs argv as a child process with stdout to /dev/null: wall time and peak resident memory.
ProcessRun runProcess(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  auto start = Clock::now();
  pid_t pid;
  if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) != 0) {
    std::fprintf(stderr, "cannot start %s\n", args[0]);
    std::exit(2);
  }
  int status = 0;
  struct rusage usage {};
  wait4(pid, &status, 0, &usage);
  double s = seconds(start);
  posix_spawn_file_actions_destroy(&actions);
  return {s, usage.ru_maxrss};
}

// vartolik-cli search against `LC_ALL=C grep -F -c` as processes over one dictionary, in the
// folder that holds it: median of alternated pairs and the CLI's peak memory.
int compareProcesses(const std::string& cli, const std::string& folder) {
  if (chdir(folder.c_str()) != 0) {
    std::perror(folder.c_str());
    return 2;
  }
  setenv("LC_ALL", "C", 1);
  struct Query {
    const char* name;
    std::string bytes;
  } queries[] = {{"Russian word, no match", kAbsentWord},
                 {"Hindi-code word, no match", kAbsentHindi},
                 {"rare letters zqzqzq, no match", kRareLetters},
                 {"3 matches near the end", kRareWord},
                 {"common word (limit early)", kCommonWord}};
  const int pairs = 11;
  std::printf("%-30s %9s %9s %9s %9s\n", "query (vartolik-cli search --raw)", "cli ms", "grep ms",
              "cli/grep", "cli KiB");
  for (const Query& q : queries) {
    std::vector<double> tc, tg;
    long rss = 0;
    for (int i = 0; i < pairs; ++i) {
      // Each goes first in every other pair, so neither always meets the other's leftovers.
      ProcessRun g{0, 0};
      if (i % 2) g = runProcess({"grep", "-F", "-c", "--", q.bytes, "dictiona.dat"});
      ProcessRun c = runProcess({cli, "search", "--raw", "--", q.bytes});
      if (i % 2 == 0) g = runProcess({"grep", "-F", "-c", "--", q.bytes, "dictiona.dat"});
      tc.push_back(c.seconds);
      tg.push_back(g.seconds);
      rss = std::max(rss, c.maxRssKiB);
    }
    double c = median(tc), g = median(tg);
    std::printf("%-30s %9.1f %9.1f %8.2fx %9ld\n", q.name, c * 1e3, g * 1e3, c / g, rss);
    std::fflush(stdout);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--processes") == 0)
    return compareProcesses(argv[2], argv[3]);
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
  } queries[] = {{"no match ru", kAbsentWord},
                 {"no match hi", kAbsentHindi},
                 {"zqzqzq", kRareLetters},
                 {"3 near end", kRareWord},
                 {"common word", kCommonWord}};

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
      int pairs = mb >= 256 ? 7 : 9;
      double ref =
          timed([&] { reference::search(dict.c_str(), refResult.c_str(), q.bytes, SubString); });

      std::FILE* p = std::fopen(pattern.c_str(), "wb");
      std::fwrite(q.bytes.data(), 1, q.bytes.size(), p);
      std::fputc('\n', p);
      std::fclose(p);
      std::string grep = "LC_ALL=C grep -F -c -f '" + pattern + "' '" + dict + "' > /dev/null";
      auto [search, g] = alternated(
          pairs, [&] { runDictionarySearch(paths); },
          [&] {
            if (std::system(grep.c_str()) == -1) std::perror("grep");
          });
      int found = session.foundCount;
      std::printf("%-6zu %-12s %7d %12.1f %12.1f %12.1f %8.1fx %8.2fx\n", mb, q.name, found,
                  search * 1e3, ref * 1e3, g * 1e3, ref / search, search / g);
      std::fflush(stdout);
    }
  }
  resultBuffer = nullptr;
  return 0;
}
