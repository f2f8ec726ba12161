// Russian names of the codes of the Hindi encoding ("согласная «ка»"), Windows-1251; the
// table is generated from hindi/encoding.tsv at build time.
#pragma once

// The name of a single code that draws Hindi on its own, or nullptr for codes that are not
// Hindi (digits and punctuation below 0x40, the few unused bytes).
const char* hindiCodeName(int code);

// Whether a code draws a sign that sits on a consonant (vowel signs, anusvara, chandrabindu,
// nukta, halant, reph, rakar): the chart shows it over a dotted circle.
bool isCombiningCode(int code);
