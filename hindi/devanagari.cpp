#include "hindi/devanagari.h"

#include "hindi/cp1251.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <vector>

namespace {

enum Kind {
  KindVowel,
  KindConsonant,
  KindNuktaConsonant,
  KindHalf,
  KindConjunct,
  KindLigature,
  KindMatra,
  KindSign,
  KindReph,
  KindRakar
};

struct CodeRow {
  unsigned char codes[3];
  int codeCount;
  int kind;
  char32_t uni[4];
  int uniCount;
  char32_t after[6];
  int afterCount;
};

const CodeRow codeRows[] = {
#include "hindi_encoding_table.inc"
};

const char32_t Virama = 0x094D, Nukta = 0x093C, Zwnj = 0x200C, Zwj = 0x200D;
const char32_t Ra = 0x0930, SignI = 0x093F;

typedef std::u32string Seq;
typedef std::string Codes;

bool isConsonant(char32_t c) { return c >= 0x0915 && c <= 0x0939; }
bool isVowelSign(char32_t c) { return (c >= 0x093E && c <= 0x094C) || c == 0x0962 || c == 0x0963; }
bool isModifier(char32_t c) { return c == 0x0901 || c == 0x0902 || c == 0x0903; }

// Letters Unicode also has precomposed with nukta, and their parts.
char32_t nuktaBase(char32_t c) {
  switch (c) {
    case 0x0958: return 0x0915;
    case 0x0959: return 0x0916;
    case 0x095A: return 0x0917;
    case 0x095B: return 0x091C;
    case 0x095C: return 0x0921;
    case 0x095D: return 0x0922;
    case 0x095E: return 0x092B;
    case 0x095F: return 0x092F;
    case 0x0929: return 0x0928;
    case 0x0931: return 0x0930;
    case 0x0934: return 0x0933;
    default: return 0;
  }
}

// NFC keeps these three composed; the other nukta letters are composition exclusions.
char32_t nuktaComposed(char32_t base) {
  switch (base) {
    case 0x0928: return 0x0929;
    case 0x0930: return 0x0931;
    case 0x0933: return 0x0934;
    default: return 0;
  }
}

// The table indexed both ways, built once from codeRows.
struct Table {
  std::map<Codes, const CodeRow*> byCodes;
  int maxCodes = 1;
  std::map<Seq, Codes> cons, conj, half, liga;
  std::map<char32_t, Codes> vowel, matra, sign, rakarAfter;
  Codes reph, rakar;
  std::set<Seq> joinedPrefixes;

  Table() {
    for (const CodeRow& r : codeRows) {
      Codes codes(reinterpret_cast<const char*>(r.codes), r.codeCount);
      Seq uni(r.uni, r.uni + r.uniCount);
      byCodes[codes] = &r;
      if (r.codeCount > maxCodes) maxCodes = r.codeCount;
      switch (r.kind) {
        case KindConsonant:
        case KindNuktaConsonant: cons[uni] = codes; break;
        case KindConjunct: conj[uni] = codes; break;
        case KindHalf: half[uni.substr(0, uni.size() - 1)] = codes; break;
        case KindLigature: liga[uni] = codes; break;
        case KindVowel: vowel[uni[0]] = codes; break;
        case KindMatra: matra[uni[0]] = codes; break;
        case KindSign: sign[uni[0]] = codes; break;
        case KindReph: reph = codes; break;
        case KindRakar:
          if (r.afterCount == 0) rakar = codes;
          for (int i = 0; i < r.afterCount; ++i) rakarAfter[r.after[i]] = codes;
          break;
      }
    }
    for (const auto* m : {&conj, &half})
      for (const auto& kv : *m)
        for (std::size_t n = 1; n <= kv.first.size(); ++n)
          joinedPrefixes.insert(kv.first.substr(0, n));
  }
};

const Table& table() {
  static const Table t;
  return t;
}

// ---------------------------------------------------------------- UTF-8

// Decodes UTF-8; returns false with the byte offset of the first bad sequence.
bool decodeUtf8(const std::string& s, std::u32string& out, std::size_t& badAt) {
  std::size_t i = 0;
  while (i < s.size()) {
    unsigned char b = static_cast<unsigned char>(s[i]);
    int n = b < 0x80             ? 0
            : (b & 0xE0) == 0xC0 ? 1
            : (b & 0xF0) == 0xE0 ? 2
            : (b & 0xF8) == 0xF0 ? 3
                                 : -1;
    if (n < 0 || i + n >= s.size() + (n == 0)) {
      badAt = i;
      return false;
    }
    char32_t c = n == 0 ? b : n == 1 ? (b & 0x1F) : n == 2 ? (b & 0x0F) : (b & 0x07);
    for (int k = 1; k <= n; ++k) {
      unsigned char cb = static_cast<unsigned char>(s[i + k]);
      if ((cb & 0xC0) != 0x80) {
        badAt = i;
        return false;
      }
      c = (c << 6) | (cb & 0x3F);
    }
    static const char32_t least[] = {0, 0x80, 0x800, 0x10000};
    if (c < least[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      badAt = i;
      return false;
    }
    out.push_back(c);
    i += n + 1;
  }
  return true;
}

// The character of a byte that draws no Devanagari: ASCII or Windows-1251.
char32_t otherByte(unsigned char b) { return static_cast<char32_t>(cp1251CodePoint(b)); }

bool isDevanagariChar(char32_t c) { return (c >= 0x0900 && c <= 0x097F) || c == Zwj || c == Zwnj; }

// ---------------------------------------------------------------- Unicode -> codes

enum Final { FinalNone, FinalVirama, FinalZwj, FinalZwnj };

struct ClusterGlyphs {
  bool ok = false;
  Codes codes;
  std::size_t split = 0;  // after the last visible halant: where a short-i sign goes
};

// Codes for the consonants of one cluster, reph and rakar already taken off. units are
// consonants with their nukta; joins[k] the joiner (0, ZWJ or ZWNJ) between units k and k+1.
ClusterGlyphs clusterGlyphs(const Table& t, const std::vector<Seq>& units,
                            const std::vector<char32_t>& joins, Final final) {
  ClusterGlyphs r;
  const std::size_t m = units.size();
  auto seq = [&](std::size_t a, std::size_t b, Seq& s) {
    s.clear();
    for (std::size_t i = a; i < b; ++i) {
      if (i > a) {
        if (joins[i - 1] == Zwnj) return false;
        s += Virama;
      }
      s += units[i];
    }
    return true;
  };
  auto full = [&](const Seq& u, Codes& g) {
    auto it = t.cons.find(u);
    if (it != t.cons.end()) {
      g = it->second;
      return true;
    }
    if (u.size() == 2) {
      auto base = t.cons.find(u.substr(0, 1));
      if (base != t.cons.end()) {
        g = base->second + t.sign.at(Nukta);
        return true;
      }
    }
    return false;
  };
  Seq s;
  std::size_t k = 0;
  while (k < m) {
    // 1. the whole rest of the cluster as one conjunct
    if (final == FinalNone && m - k >= 2 && seq(k, m, s)) {
      auto it = t.conj.find(s);
      if (it != t.conj.end()) {
        r.codes += it->second;
        r.ok = true;
        return r;
      }
    }
    // a half form asked for with ZWJ at the end of the cluster
    if (final == FinalZwj && m - k >= 2 && seq(k, m, s) && t.half.count(s)) {
      r.codes += t.half.at(s);
      r.ok = true;
      return r;
    }
    // 2. the longest half form that leaves consonants after it
    bool taken = false;
    for (std::size_t len = m - k - 1; len >= 1; --len) {
      if (!seq(k, k + len, s)) continue;
      auto it = t.half.find(s);
      if (it != t.half.end() && joins[k + len - 1] != Zwnj) {
        r.codes += it->second;
        k += len;
        taken = true;
        break;
      }
    }
    if (taken) continue;
    Codes g;
    if (k == m - 1) {
      if (!full(units[k], g)) return r;
      auto h = t.half.find(units[k]);
      if (final == FinalZwj && h != t.half.end()) {
        r.codes += h->second;
      } else {
        r.codes += g;
        if (final != FinalNone) r.codes += t.sign.at(Virama);
      }
      r.ok = true;
      return r;
    }
    // 3. no half form: the longest full glyph and a visible halant
    bool found = false;
    for (std::size_t len = m - k - 1; len >= 1 && !found; --len) {
      if (!seq(k, k + len, s)) continue;
      if (len > 1) {
        auto it = t.conj.find(s);
        if (it == t.conj.end()) continue;
        g = it->second;
      } else if (!full(units[k], g)) {
        continue;
      }
      r.codes += g + t.sign.at(Virama);
      r.split = r.codes.size();
      k += len;
      found = true;
    }
    if (!found) return r;
  }
  r.ok = true;
  return r;
}

struct Encoder {
  const Table& t = table();
  std::vector<char32_t> cps;
  std::vector<std::size_t> pos;  // each code point's position in the input
  DevanagariError* error = nullptr;

  bool fail(std::size_t i, const char* reason, const std::u32string& input) {
    error->position = pos[i];
    error->character = input[pos[i]];
    error->reason = reason;
    return false;
  }

  bool run(const std::u32string& input, Codes& out) {
    for (std::size_t p = 0; p < input.size(); ++p) {
      if (char32_t base = nuktaBase(input[p])) {
        cps.push_back(base);
        pos.push_back(p);
        cps.push_back(Nukta);
        pos.push_back(p);
      } else {
        cps.push_back(input[p]);
        pos.push_back(p);
      }
    }
    for (std::size_t k = 0; k + 1 < cps.size(); ++k)  // canonical order: nukta before virama
      if (cps[k] == Virama && cps[k + 1] == Nukta) {
        std::swap(cps[k], cps[k + 1]);
        std::swap(pos[k], pos[k + 1]);
      }
    const std::size_t n = cps.size();
    std::size_t i = 0;
    while (i < n) {
      char32_t cp = cps[i];
      if (cp < 0x80) {
        out += static_cast<char>(cp);
        ++i;
        continue;
      }
      if (cp == Zwj || cp == Zwnj) {
        ++i;
        continue;
      }  // a joiner outside a cluster draws nothing
      if (cp < 0x0900 || cp > 0x097F) return fail(i, "not Devanagari", input);
      std::size_t start = i;
      if (isConsonant(cp)) {
        std::vector<Seq> units;
        std::vector<char32_t> joins;
        Final final = FinalNone;
        for (;;) {
          Seq u(1, cps[i++]);
          if (i < n && cps[i] == Nukta) {
            u += Nukta;
            ++i;
          }
          units.push_back(u);
          if (i < n && cps[i] == Virama) {
            std::size_t j = i + 1;
            char32_t joiner = 0;
            if (j < n && (cps[j] == Zwj || cps[j] == Zwnj)) joiner = cps[j++];
            if (j < n && isConsonant(cps[j])) {
              joins.push_back(joiner);
              i = j;
              continue;
            }
            final = joiner == 0 ? FinalVirama : joiner == Zwj ? FinalZwj : FinalZwnj;
            i = j;
          }
          break;
        }
        const Seq ra(1, Ra);
        bool reph = units.size() >= 2 && units[0] == ra && joins[0] == 0;
        if (reph) {
          units.erase(units.begin());
          joins.erase(joins.begin());
        }
        Codes rakar;
        if (units.size() >= 2 && units.back() == ra && joins.back() == 0 && final == FinalNone &&
            !t.conj.count(units[units.size() - 2] + Virama + Ra)) {
          auto it = t.rakarAfter.find(units[units.size() - 2][0]);
          rakar = it != t.rakarAfter.end() ? it->second : t.rakar;
          units.pop_back();
          joins.pop_back();
        }
        ClusterGlyphs g = clusterGlyphs(t, units, joins, final);
        if (!g.ok) {
          for (std::size_t j = start; j < i; ++j)
            if (isConsonant(cps[j]) && !t.cons.count(Seq(1, cps[j])))
              return fail(j, "no glyph for this consonant", input);
          return fail(start, "no glyph for this cluster", input);
        }
        char32_t vowel = 0;
        if (i < n && isVowelSign(cps[i]) && final == FinalNone) {
          vowel = cps[i];
          if (!t.matra.count(vowel)) return fail(i, "no glyph for this vowel sign", input);
          ++i;
        }
        const Codes& raCodes = t.cons.at(ra);
        if ((vowel == 0x0941 || vowel == 0x0942) && rakar.empty() &&
            g.codes.size() >= raCodes.size() &&
            g.codes.compare(g.codes.size() - raCodes.size(), raCodes.size(), raCodes) == 0 &&
            t.liga.count(Seq{Ra, vowel}) && (units.size() == 1 || units.back() == ra)) {
          g.codes.resize(g.codes.size() - raCodes.size());
          g.codes += t.liga.at(Seq{Ra, vowel});
          vowel = 0;
        }
        if (vowel == SignI) g.codes.insert(g.split, t.matra.at(SignI));
        out += g.codes;
        out += rakar;
        if (vowel != 0 && vowel != SignI) out += t.matra.at(vowel);
        if (reph) out += t.reph;
        while (i < n && isModifier(cps[i])) out += t.sign.at(cps[i++]);
        continue;
      }
      if (t.vowel.count(cp))
        out += t.vowel.at(cp);
      else if (t.matra.count(cp))
        out += t.matra.at(cp);  // a vowel sign with nothing to sit on
      else if (t.sign.count(cp))
        out += t.sign.at(cp);
      else
        return fail(i, "no glyph for this character", input);
      ++i;
    }
    return true;
  }
};

// ---------------------------------------------------------------- codes -> Unicode

struct Syllable {
  bool preI = false;
  std::vector<Seq> halves;  // each ends with the virama (and a ZWNJ where one is needed)
  Seq base;
  bool hasBase = false, consonantal = false, rakar = false, halant = false, reph = false;
  std::vector<Seq> signs;
  Seq mods;

  bool broken() const {  // ends with consonant + visible halant: the cluster may go on
    return hasBase && consonantal && halant && !rakar && signs.empty() && mods.empty() && !reph;
  }
  bool empty() const {
    return !preI && halves.empty() && !hasBase && !rakar && !halant && signs.empty() && !reph &&
           mods.empty();
  }
  bool busy() const {
    return hasBase || !signs.empty() || !mods.empty() || reph || rakar || halant;
  }

  Seq text() const {
    Seq s;
    if (reph) {
      s += Ra;
      s += Virama;
    }
    for (const Seq& h : halves) s += h;
    if (!halves.empty() && !hasBase) s += Zwj;  // a half form with nothing after it
    if (hasBase) {
      Seq b = base;
      if (b.size() >= 2 && b.back() == Nukta && nuktaComposed(b[b.size() - 2])) {
        char32_t c = nuktaComposed(b[b.size() - 2]);
        b.resize(b.size() - 2);
        b += c;
      }
      s += b;
    }
    if (rakar) {
      s += Virama;
      s += Ra;
    }
    if (halant) s += Virama;
    if (preI) s += SignI;
    for (const Seq& v : signs) s += v;
    s += mods;
    return s;
  }
};

Seq firstUnit(const Seq& u) {
  return u.size() >= 2 && u[1] == Nukta ? u.substr(0, 2) : u.substr(0, 1);
}

// Whether the encoder would have joined unit + virama + next into a half form, conjunct,
// rakar or reph, so that the visible halant between them must be kept with a ZWNJ.
bool needsZwnj(const Table& t, const Seq& unit, const Seq& next, bool clusterStart) {
  if (t.half.count(unit) || next == Seq(1, Ra)) return true;
  if (unit == Seq(1, Ra) && clusterStart) return true;
  return t.joinedPrefixes.count(unit + Virama + firstUnit(next)) > 0;
}

struct Decoder {
  const Table& t = table();
  Seq out;
  Syllable cur;
  bool held = false;  // the syllable flushed last ended with a visible halant
  Seq heldBase;
  bool heldStart = false;

  void flush() {
    held = cur.broken();
    if (held) {
      heldBase = cur.base;
      heldStart = cur.halves.empty();
    }
    if (!cur.empty()) out += cur.text();
    cur = Syllable();
  }

  // uni continues a cluster after consonant + visible halant, or starts a new syllable
  void joinBroken(const Seq& uni) {
    if (cur.broken()) {
      Seq h = cur.base + Virama;
      if (needsZwnj(t, cur.base, uni, cur.halves.empty())) h += Zwnj;
      cur.halves.push_back(h);
      cur.hasBase = cur.halant = false;
      cur.base.clear();
      return;
    }
    if (held && cur.preI && cur.halves.empty() && !cur.hasBase &&
        needsZwnj(t, heldBase, uni, heldStart))
      out += Zwnj;
    if (cur.busy()) flush();
    held = false;
  }

  void take(const CodeRow& row) {
    Seq uni(row.uni, row.uni + row.uniCount);
    switch (row.kind) {
      case KindMatra:
        if (uni[0] == SignI) {
          flush();
          cur.preI = true;
        } else if ((cur.hasBase || cur.preI) && !cur.halant) {
          cur.signs.push_back(uni);
        } else {
          flush();
          out += uni;
        }
        return;
      case KindHalf:
        joinBroken(uni.substr(0, uni.size() - 1));
        cur.halves.push_back(uni);
        return;
      case KindConsonant:
      case KindNuktaConsonant:
      case KindConjunct:
      case KindLigature:
        joinBroken(uni);
        cur.base = uni;
        cur.hasBase = true;
        cur.consonantal = row.kind != KindLigature;
        return;
      case KindSign:
        if (uni[0] == Nukta && cur.hasBase && cur.consonantal && cur.base.back() != Nukta &&
            cur.signs.empty() && !cur.halant && !cur.rakar) {
          cur.base += Nukta;
          return;
        }
        if (uni[0] == Virama && cur.hasBase && cur.consonantal && !cur.halant &&
            cur.signs.empty()) {
          cur.halant = true;
          return;
        }
        if (isModifier(uni[0]) && !cur.empty()) {
          cur.mods += uni[0];
          return;
        }
        break;
      case KindRakar:
        if (cur.hasBase && cur.consonantal && !cur.rakar && !cur.halant && cur.signs.empty()) {
          cur.rakar = true;
          return;
        }
        break;
      case KindReph:
        if (cur.hasBase && !cur.reph) {
          cur.reph = true;
          return;
        }
        break;
      case KindVowel:
        flush();
        cur.base = uni;
        cur.hasBase = true;
        return;
    }
    flush();  // a sign with nothing to sit on, a digit, a danda
    out += uni;
  }

  void run(const std::string& codes) {
    std::size_t i = 0, n = codes.size();
    while (i < n) {
      const CodeRow* row = nullptr;
      for (std::size_t len = std::min<std::size_t>(t.maxCodes, n - i); len >= 1 && !row; --len) {
        auto it = t.byCodes.find(codes.substr(i, len));
        if (it != t.byCodes.end()) row = it->second;
      }
      if (!row) {
        flush();
        out += otherByte(static_cast<unsigned char>(codes[i]));
        ++i;
        continue;
      }
      i += row->codeCount;
      take(*row);
    }
    flush();
  }
};

}  // namespace

std::string describeDevanagariError(const DevanagariError& error) {
  char head[64];
  std::snprintf(head, sizeof head, "character %lu (U+%04lX",
                static_cast<unsigned long>(error.position),
                static_cast<unsigned long>(error.character));
  std::string s = head;
  if (error.character >= 0x20 && error.character != 0x7F) {
    s += " ";
    appendUtf8(s, error.character);
  }
  return s + "): " + error.reason;
}

int isHindiCode(unsigned char b) {
  return b >= 0x40 && b <= 0xBF && b != 0x49 && b != 0x5B && b != 0x5D && b != 0x7E && b != 0xA8 &&
         b != 0xB0 && b != 0xB8;
}

namespace {

// Decodes UTF-8 or fills the error with the character position of the first bad byte.
bool decodeInput(const std::string& utf8, std::u32string& input, DevanagariError& error) {
  std::size_t badAt = 0;
  if (decodeUtf8(utf8, input, badAt)) return true;
  std::u32string before;
  std::size_t ignored = 0;
  decodeUtf8(utf8.substr(0, badAt), before, ignored);
  error.position = before.size();
  error.character = static_cast<unsigned char>(utf8[badAt]);
  error.reason = "not valid UTF-8";
  return false;
}

bool encodeRun(const std::u32string& run, std::size_t offset, std::string& out,
               DevanagariError& error) {
  Encoder e;
  e.error = &error;
  if (e.run(run, out)) return true;
  error.position += offset;
  return false;
}

}  // namespace

int devanagariToCodes(const std::string& utf8, std::string& codes, DevanagariError& error) {
  std::u32string input;
  if (!decodeInput(utf8, input, error)) return 0;
  Codes out;
  if (!encodeRun(input, 0, out, error)) return 0;
  codes = out;
  return 1;
}

int encodeDictionaryLine(const std::string& utf8, std::string& bytes, DevanagariError& error) {
  std::u32string input;
  if (!decodeInput(utf8, input, error)) return 0;
  std::string out;
  std::size_t i = 0;
  while (i < input.size()) {
    std::size_t j = i;
    if (isDevanagariChar(input[i])) {
      while (j < input.size() && isDevanagariChar(input[j])) ++j;
      if (!encodeRun(input.substr(i, j - i), i, out, error)) return 0;
    } else {
      for (; j < input.size() && !isDevanagariChar(input[j]); ++j) {
        int b = cp1251ByteOf(input[j]);
        if (b < 0) {
          error.position = j;
          error.character = input[j];
          error.reason = "neither Devanagari nor Windows-1251";
          return 0;
        }
        out += static_cast<char>(b);
      }
    }
    i = j;
  }
  bytes = out;
  return 1;
}

std::string codesToDevanagari(const std::string& codes) {
  Decoder d;
  d.run(codes);
  std::string s;
  for (char32_t c : d.out) appendUtf8(s, c);
  return s;
}

std::string decodeDictionaryLine(const std::string& bytes) {
  // the result list's token states
  enum { Plain, Headword, HindiText, Note, NoteEnd } state = Headword;
  std::string out, token;
  auto emit = [&]() {
    if (state == Headword || state == HindiText)
      out += codesToDevanagari(token);
    else
      out += cp1251ToUtf8(token);
    token.clear();
  };
  for (char ch : bytes) {
    unsigned char b = static_cast<unsigned char>(ch);
    if (b == ' ' || b == '\r' || b == '\n') {
      emit();
      out += ch;
      if (b == '\n')
        state = Headword;
      else if (state == NoteEnd || (b == ' ' && (state == Headword || state == HindiText)))
        state = Plain;
      continue;
    }
    token += ch;
    if (b == '(') {
      if (state == Plain) state = Note;
    } else {
      if (state == Plain && isHindiCode(b)) state = HindiText;
      if (b == ')' && state == Note) state = NoteEnd;
    }
  }
  emit();
  return out;
}
