// libFuzzer target: the Hindi conversion both ways. Codes to Devanagari never fails and gives
// valid UTF-8 keeping every space, CR and LF; Devanagari that converts to codes converts back
// to text that converts to codes again, and from then on the round trip codes -> text ->
// codes changes nothing. (The first way back may change the codes: signs typed in an unusual
// order come back in the usual one. ASCII letters and signs are left out, since they are kept
// as they are on the way in but read as the face's Hindi codes on the way back.)
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "hindi/devanagari.h"

namespace {

bool validUtf8(const std::string& s) {
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const int n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return false;
    for (int k = 1; k < n; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    }
    i += n;
  }
  return true;
}

std::size_t countOf(const std::string& s, char c) {
  std::size_t n = 0;
  for (char x : s) n += x == c;
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  const std::string text = decodeDictionaryLine(bytes);
  if (!validUtf8(text)) fuzzFail("hindi", "decodeDictionaryLine gave invalid UTF-8");
  for (char separator : {' ', '\r', '\n'}) {
    if (countOf(text, separator) != countOf(bytes, separator)) {
      fuzzFail("hindi", "decodeDictionaryLine lost or added a separator");
    }
  }
  if (!validUtf8(codesToDevanagari(bytes)))
    fuzzFail("hindi", "codesToDevanagari gave invalid UTF-8");

  std::string codes;
  DevanagariError error;
  bool asciiCodes = false;
  for (unsigned char c : bytes) asciiCodes = asciiCodes || (c >= 0x40 && c < 0x80);
  if (!asciiCodes && devanagariToCodes(bytes, codes, error)) {
    std::string usual, again;
    if (!devanagariToCodes(codesToDevanagari(codes), usual, error) ||
        !devanagariToCodes(codesToDevanagari(usual), again, error)) {
      fuzzFail("hindi", "the Devanagari of codes cannot be converted back: " +
                            describeDevanagariError(error));
    }
    if (again != usual) fuzzFail("hindi", "codes -> Devanagari -> codes changed the codes");
  }
  return 0;
}
