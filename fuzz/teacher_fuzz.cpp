// libFuzzer target: the teacher lists with arbitrary existing contents (both lists, the
// backups, the result lines shown), then a sequence of saves and deletes at arbitrary lines with
// arbitrary queries. Checked after every step: a step that fails leaves both lists byte for byte as
// they were; a save only adds at the end of what readers see (before a 0x1A, which stays with what
// follows it), one line end more in each list; a delete first copies both lists to their
// backups and never makes a list longer.
#include <cstdint>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "base/session_state.h"
#include "base/text_stream.h"
#include "fuzz/fuzz_support.h"
#include "search/result_buffer.h"
#include "teacher/teacher_lists.h"

namespace {

std::string folderFile(const std::string& folder, const char* name) { return folder + "/" + name; }

// A file's bytes, or nothing when it is missing.
std::optional<std::string> contents(const std::string& path) {
  std::string bytes;
  if (!readRawFile(path.c_str(), bytes)) return std::nullopt;
  return bytes;
}

// Line ends as the lists' readers see them: LF bytes before the first 0x1A.
std::size_t lineEnds(const std::string& bytes) {
  std::size_t n = 0;
  for (char c : bytes) {
    if (c == '\x1A') break;
    n += c == '\n';
  }
  return n;
}

void writeOrRemove(const std::string& path, FuzzInput& input) {
  const uint8_t how = input.byte();
  std::error_code ec;
  std::filesystem::remove(path, ec);
  if (how % 4 != 0) writeRawFile(path.c_str(), input.bytes(how / 4));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  const std::string folder = fuzzScratchFolder();
  const std::string hin = folderFile(folder, kHindiListName);
  const std::string rus = folderFile(folder, kRussianListName);
  const std::string hinBak = folderFile(folder, kHindiBackupName);
  const std::string rusBak = folderFile(folder, kRussianBackupName);
  for (const char* name :
       {kHindiListName, kRussianListName, kHindiBackupName, kRussianBackupName}) {
    writeOrRemove(folderFile(folder, name), input);
  }
  // The lines the result list shows, as a search loaded them.
  static std::string shown;
  shown = input.bytes(input.byte());
  resultBuffer = input.byte() % 8 ? shown.data() : nullptr;
  session.resultSize = static_cast<int32_t>(shown.size());
  while (!input.empty()) {
    const uint8_t step = input.byte();
    session.scrollLine = static_cast<int32_t>(input.byte() % 12) - 1;
    const std::string query = input.bytes(input.byte() % (kQueryCapacity + 1));
    std::memcpy(session.resultQueryText, query.data(), query.size());
    session.resultQueryLength = static_cast<int32_t>(query.size());
    const auto hinBefore = contents(hin), rusBefore = contents(rus);

    if (step % 3 == 0) {
      const TeacherStatus status = deleteTeacherPair(folder.c_str());
      const auto hinAfter = contents(hin), rusAfter = contents(rus);
      if (status != TeacherOk) {
        if (hinAfter != hinBefore || rusAfter != rusBefore)
          fuzzFail("teacher", "a failed delete changed a list");
        continue;
      }
      if (contents(hinBak) != hinBefore || contents(rusBak) != rusBefore) {
        fuzzFail("teacher", "a delete without both backups");
      }
      if (hinAfter.value_or("").size() > hinBefore.value_or("").size() ||
          rusAfter.value_or("").size() > rusBefore.value_or("").size()) {
        fuzzFail("teacher", "a delete made a list longer");
      }
    } else {
      const TeacherStatus status = saveTeacherPair(folder.c_str());
      const auto hinAfter = contents(hin), rusAfter = contents(rus);
      if (status != TeacherOk) {
        if (hinAfter != hinBefore || rusAfter != rusBefore)
          fuzzFail("teacher", "a failed save changed a list");
        continue;
      }
      for (const auto& [before, saved] :
           {std::pair(hinBefore, hinAfter), std::pair(rusBefore, rusAfter)}) {
        const std::string old = before.value_or(""), after = saved.value_or("");
        const std::size_t visible = std::min(old.find('\x1A'), old.size());
        const std::string tail = old.substr(visible);
        if (after.size() < old.size() || after.compare(0, visible, old, 0, visible) != 0 ||
            after.compare(after.size() - tail.size(), tail.size(), tail) != 0) {
          fuzzFail("teacher", "a save changed what was there");
        }
        if (lineEnds(after) != lineEnds(old) + 1 + (visible > 0 && old[visible - 1] != '\n')) {
          fuzzFail("teacher", "a save added other than one line");
        }
      }
    }
  }
  return 0;
}
