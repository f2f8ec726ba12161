"""Tests of the dictionary build: the alphabetical order, the result list's token reading,
the build from source files and the validation of a built file."""
import os
import sys
import struct
import tempfile
import unittest

import zipfile

import blind_readings
import build_dictionary
import coverage
import hindi_texts
import expected_hits
import dictionary_lines as dl
import reading_collisions
import russian_forms
import transcription
import validate_dictionary

sys.path.insert(0, os.path.join(dl.ROOT, "tools"))
import check_dictionary_source as checker  # noqa: E402

SOURCE_A = ("# comment\n"
            "पानी\tpaanii\tм. вода; ~ पीना пить воду\n"
            "क्या\tkyaa\tмест. что\n"
            "सोना\tsonaa\t1) гл. спать; 2) м. золото\n")
SOURCE_B = ("ज़रा\tzaraa\tнареч. немного; ~ सुनिए послушайте-ка\n"
            "आम\taam\t1) м. манго; 2) прил. обычный\n"
            "कमरा\tkamraa\tм. комната\n")


class SortOrder(unittest.TestCase):
    def test_pairs_in_dictionary_order(self):
        # Each pair: the first word sorts before the second.
        cases = [
            ("अब", "आज", "vowels in varnamala order"),
            ("औरत", "ऑफ़िस", "the loan vowel after au"),
            ("ऊपर", "कम", "independent vowels before consonants"),
            ("हम", "ह्रदय", "inherent a before the virama"),
            ("कम", "काम", "inherent a before the vowel signs"),
            ("काम", "किसान", "aa before i"),
            ("कौन", "क्या", "a half letter after every vowel sign"),
            ("कौन", "क्षमा", "ksha at the end of ka"),
            ("क्षमा", "खाना", "ksha before kha"),
            ("कँपना", "कंगन", "chandrabindu before anusvara"),
            ("कंगन", "कक्षा", "anusvara before a following letter"),
            ("कई", "कक्षा", "an independent vowel before a consonant"),
            ("क", "कम", "a word before its continuations"),
            ("जरा", "ज़रा", "the nukta word right after its base word"),
            ("ज़रा", "जल", "a nukta letter sorts with its base"),
            ("पढ़ना", "पत्ता", "ḍha with nukta sorts as ḍha"),
            ("हिंदी", "ही", "the second syllable decides"),
            ("सांस", "सात", "anusvara after aa before a letter"),
        ]
        for first, second, why in cases:
            with self.subTest(why=why, first=first, second=second):
                self.assertLess(dl.sort_key(first), dl.sort_key(second))

    def test_precomposed_nukta_sorts_as_decomposed(self):
        self.assertEqual(dl.sort_key("\u095b\u0930\u093e")[:2],
                         dl.sort_key("\u091c\u093c\u0930\u093e")[:2])

    def test_characters_outside_the_alphabet_are_refused(self):
        for word in ("kam", "क1", "क।", "कॅ"):
            with self.subTest(word=word):
                self.assertRaises(ValueError, dl.sort_key, word)


class RendererTokens(unittest.TestCase):
    def states(self, line):
        return [dl.STATE_NAMES[s] for s, _ in dl.renderer_tokens(line)]

    def test_token_states(self):
        ru = "вода".encode("cp1251")
        cases = [
            (b"pAnI (paanii) " + ru, ["Headword", "NoteEnd", "Plain"]),
            (b"x (ab cd) " + ru, ["Headword", "Note", "NoteEnd", "Plain"]),
            (b"x " + ru + b"(a)", ["Headword", "NoteEnd"]),
            (b"x (ab)" + ru + b" 1)", ["Headword", "NoteEnd", "Plain"]),
            (b"x ~ kr 1) " + ru, ["Headword", "Plain", "HindiText", "Plain", "Plain"]),
            (b"x " + ru + b"a " + ru, ["Headword", "HindiText", "Plain"]),
            (b"(x) (y", ["Headword", "Note"]),
            (b"x 1(2) y", ["Headword", "NoteEnd", "HindiText"]),
        ]
        for line, want in cases:
            with self.subTest(line=line):
                self.assertEqual(self.states(line), want)


class Sources(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.addCleanup(self.dir.cleanup)

    def write(self, name, text):
        path = os.path.join(self.dir.name, name)
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        return path

    def sources(self, b_text=SOURCE_B):
        return [self.write("a.tsv", SOURCE_A), self.write("b.tsv", b_text)]


class Build(Sources):
    def test_lines_sorted_with_crlf_and_codes(self):
        data, count = build_dictionary.build(self.sources())
        self.assertEqual(count, 6)
        self.assertTrue(data.endswith(b"\r\n"))
        self.assertNotIn(b"\r\n", data.replace(b"\r\n", b""))
        lines = data.split(b"\r\n")[:-1]
        heads = [dl.hindi_codec.from_codes(line.split(b" ")[0]) for line in lines]
        self.assertEqual(heads, ["आम", "कमरा", "क्या", "ज़रा", "पानी", "सोना"])
        self.assertIn(" (зъ-ра:) ".encode("cp1251"), lines[3])
        self.assertIn("немного".encode("cp1251"), lines[3])
        self.assertIn(dl.hindi_codec.to_codes("सुनिए"), lines[3])

    def test_faults_of_the_sources_stop_the_build(self):
        cases = [
            ("क्या\tkyaa\tмест. что\n", ["b.tsv:4", "a.tsv:3"], "already has an entry"),
            ("घर\tghar\n", ["b.tsv:4"], "expected headword"),
            ("घर\t\tм. дом\n", ["b.tsv:4"], "expected headword"),
            ("घर\tghar\tм. дом\u0142\n", ["b.tsv:4"], "neither Devanagari nor Windows-1251"),
            ("घर\tghar\tм. дом; ~ ஆ\n", ["b.tsv:4"], "neither Devanagari nor Windows-1251"),
            ("घ1\tgh\tм. дом\n", ["b.tsv:4"], "no place in the alphabet"),
        ]
        for text, places, message in cases:
            with self.subTest(text=text):
                with self.assertRaises(dl.SourceError) as ctx:
                    build_dictionary.build(self.sources(SOURCE_B + text))
                for place in places:
                    self.assertIn(place, str(ctx.exception))
                self.assertIn(message, str(ctx.exception))

    def test_failed_build_keeps_the_previous_output(self):
        out = os.path.join(self.dir.name, "dist", "dictiona.dat")
        good = self.sources()
        self.assertEqual(build_dictionary.main([out] + good), 0)
        with open(out, "rb") as f:
            before = f.read()
        bad = self.write("c.tsv", "पानी\tpaanii\tм. вода\n")
        self.assertEqual(build_dictionary.main([out] + good + [bad]), 1)
        with open(out, "rb") as f:
            self.assertEqual(f.read(), before)
        self.assertFalse(os.path.exists(out + ".tmp"))


class Validate(Sources):
    def setUp(self):
        super().setUp()
        self.entries = dl.read_sources(self.sources())
        self.data, _ = build_dictionary.build(self.sources())
        self.lines = self.data.split(b"\r\n")[:-1]

    PANI = "(па:-ни:)".encode("cp1251")

    def faults(self, lines, tail=b"\r\n"):
        return validate_dictionary.validate(b"\r\n".join(lines) + tail, self.entries)[0]

    def test_built_dictionary_passes(self):
        self.assertEqual(validate_dictionary.validate(self.data, self.entries), ([], 6))

    def test_faults_are_found(self):
        ls = self.lines
        ru = "вода".encode("cp1251")
        pani = ls[4]
        head = pani.split(b" ")[0]
        cases = [
            ("order", [ls[1], ls[0]] + ls[2:], "out of order"),
            ("duplicate", ls[:5] + [ls[4], ls[5]], "repeats line"),
            ("missing entry", ls[:5], "missing from the dictionary"),
            ("unknown headword", ls + [dl.hindi_codec.to_codes("घर") + b" (ghar) " + ru],
             "in no source entry"),
            ("long token", ls[:4] + [pani + b" " + b"\xe0" * 81] + ls[5:], "token of 81 bytes"),
            ("bare LF", ls[:4] + [pani + b"\n" + ls[5]], "LF without CR"),
            ("invalid 1251", ls[:4] + [pani.replace(ru, b"\x98" + ru[1:])] + ls[5:],
             "not valid Windows-1251"),
            ("parenthesis in Russian", ls[:4] + [pani.replace(ru, b"(" + ru)] + ls[5:],
             "opens or continues a note"),
            ("note not closed", ls[:4] + [pani.replace(self.PANI, self.PANI[:-1])] + ls[5:],
             "is not one note"),
            ("no note", ls[:4] + [pani.replace(self.PANI + b" ", b"")] + ls[5:],
             "is not one note"),
            ("Latin in Russian", ls[:4] + [pani.replace(ru, ru + b"a")] + ls[5:],
             "is drawn as HindiText"),
            ("code changed", ls[:4] + [pani.replace(head, head + b"a", 1)] + ls[5:],
             "in no source entry"),
            ("double space", ls[:4] + [pani.replace(b" ", b"  ", 1)] + ls[5:], "empty token"),
            ("tab", ls[:4] + [pani + b"\t"] + ls[5:], "control byte 0x09"),
            ("empty line", ls + [b""], "empty line"),
            ("Hindi code in reading", ls[:4] + [pani.replace(
                self.PANI, "(па·ни:)".encode("cp1251"))] + ls[5:], "holds Hindi face codes B7"),
        ]
        for name, lines, message in cases:
            with self.subTest(name):
                found = self.faults(lines)
                self.assertTrue(any(message in f for f in found), found)

    def test_reading_must_be_the_headwords(self):
        for wrong in ("(па-ни:)", "(paanii)"):
            with self.subTest(wrong=wrong):
                pani = self.lines[4].replace(self.PANI, wrong.encode("cp1251"))
                found = self.faults(self.lines[:4] + [pani] + self.lines[5:])
                self.assertTrue(any("token 2" in f and wrong in f for f in found), found)

    def test_stale_reading_exceptions(self):
        table = {"पानी": "па:-ни:", "घर": "гхър", "कमरा": "къ-мъ-ра:", "सोना": "сау-на:"}
        found = validate_dictionary.stale_exceptions(table, {"पानी", "कमरा", "सोना"})
        self.assertEqual(len(found), 3, found)       # कमरा's reading is its own
        self.assertTrue(any("सोना" in f and "more than" in f for f in found), found)
        self.assertTrue(any("पानी" in f and "already" in f for f in found), found)
        self.assertTrue(any("घर" in f and "no entry" in f for f in found), found)

    def test_last_line_without_line_end(self):
        found = self.faults(self.lines, tail=b"")
        self.assertIn("the last line has no CR LF", found)


class Reading(unittest.TestCase):
    def test_rule(self):
        cases = [
            ("किताब", "ки-та:б", "final schwa dropped, long aa marked"),
            ("कमल", "къ-мъл", "short a is ъ"),
            ("कमरा", "към-ра:", "VC_CV schwa dropped"),
            ("समझना", "съ-мъджх-на:", "VC_CV taken from the end: the later schwa goes"),
            ("नमस्ते", "нъ-мъс-те:", "cluster split before its last consonant"),
            ("प्रेम", "пре:м", "initial cluster; e after a consonant"),
            ("एक", "э:к", "e at the start"),
            ("मैं", "мэ:~", "ai open, anusvara after a long vowel nasalises"),
            ("में", "ме:~", "e nasal"),
            ("माँ", "ма:~", "chandrabindu"),
            ("हिंदी", "хин-ди:", "anusvara before a dental is n"),
            ("संबंध", "съм-бъндх", "anusvara before a labial is m; aspirate"),
            ("ठंडा", "ТхъН-Да:", "retroflex capitals, retroflex nasal"),
            ("छुट्टी", "чхуТ-Ти:", "geminate split"),
            ("धर्म", "дхърм", "final schwa dropped after r + consonant"),
            ("मित्र", "мит-ръ", "final schwa kept after consonant + r"),
            ("सत्य", "сът-йъ", "final schwa kept after consonant + y"),
            ("जन्म", "джънм", "final schwa dropped after nasal + consonant"),
            ("ज्ञान", "гйа:н", "jña said gya"),
            ("ज़रूर", "зъ-ру:р", "nukta: z"),
            ("पढ़ना", "пъРх-на:", "nukta: flap"),
            ("फ़िल्म", "филм", "nukta: f"),
            ("भाषा", "бха:-ша:", "ṣa said like śa"),
            ("और", "аур", "au"),
            ("डॉक्टर", "Док-Тър", "loan o"),
            ("अतः", "ъ-тъх", "final visarga"),
            ("दुःख", "дукх", "visarga inside a word not heard"),
            ("ऋषि", "ри-ши", "vocalic r"),
            ("न", "нъ", "a one-syllable word keeps its vowel"),
            ("एवं", "э:-въм", "final anusvara after a short vowel"),
            ("बड़बड़ाना", "бъР-бъ-Ра:-на:", "doubled stem"),
            ("पनपना", "пъ-нъп-на:", "-ना is an ending, not a doubled stem"),
            ("आइए", "а:-и-э:", "vowel after vowel: new syllable, e not after a consonant"),
            ("संगठन", "сън-гъ-Тхън", "anusvara + consonant is a cluster: the a after it stays"),
            ("संपदा", "съм-пъ-да:", "anusvara + labial is a cluster too"),
            ("संतोषजनक", "сън-то:ш-джъ-нък", "-जनक: the word before read as alone"),
            ("निजीकरण", "ни-джи:-къ-ръН", "-करण after a vowel"),
            ("दर्दनाक", "дърд-на:к", "-नाक after a cluster that drops its a"),
            ("चित्रकार", "чит-ръ-ка:р", "-कार after a cluster that keeps its a"),
            ("निकला", "ник-ла:", "no member split after a word of one vowel"),
            ("धर्मनिरपेक्ष", "дхърм-нир-пе:кш", "first member धर्म drops its a at the joint"),
            ("धर्मों", "дхър-мо:~", "no joint before a vowel sign"),
            ("शांति", "ша:н-ти", "aa + anusvara + stop: n (a nasal aa is written with chandrabindu)"),
            ("गेंद", "ге:~д", "e + anusvara in a native word: nasal vowel"),
            ("केंद्र", "ке:нд-ръ", "e + anusvara in a marked Sanskrit stem: n"),
            ("इंग्लैंड", "инг-лэ:НД", "ai + anusvara in a marked English stem: retroflex n"),
            ("उत्पन्न", "ут-пънн", "final a dropped after a doubled consonant"),
            ("प्रयत्न", "пръ-йътн", "final a dropped after consonant + n"),
            ("मूलतः", "му:-лъ-тъх", "Sanskrit adverb in -तः keeps every a"),
        ]
        for word, text, why in cases:
            with self.subTest(word=word, why=why):
                self.assertEqual(transcription.transcribe(word), text)
                text.encode("cp1251")

    def test_every_syllable_the_codec_writes_has_a_reading(self):
        # Each consonant (with and without nukta) with each vowel sign or virama and each
        # nasal sign, alone and before ज्ञ and ञ़: a reading of Windows-1251 letters, one token.
        cons = list(transcription.CONSONANTS) + [c + "\u093c" for c in transcription.CONSONANTS]
        tails = [""] + list(transcription.SIGNS) + ["\u094d"]
        marks = ["", "\u0902", "\u0901", "\u0903"]
        for c in cons:
            for t in tails:
                for m in (marks if t != "\u094d" else [""]):
                    for word in (c + t + m, c + t + m + "ज्ञ", c + t + m + "ञ\u093c"):
                        with self.subTest(word=word):
                            text = transcription.transcribe(word)
                            self.assertTrue(text)
                            self.assertNotIn(" ", text)
                            text.encode("cp1251")

    def test_exceptions_and_refusals(self):
        self.assertEqual(transcription.reading("जनवरी"), "джън-въ-ри:")
        self.assertEqual(transcription.transcribe("जनवरी"), "джъ-нъв-ри:")
        for word in ("कx", "ंक", "कॠ"):
            with self.subTest(word=word):
                self.assertRaises(transcription.TranscriptionError,
                                  transcription.transcribe, word)

    def test_decisions_given_must_match_the_inherent_vowels(self):
        self.assertEqual(transcription.transcribe("कमरा", [True, True]), "къ-мъ-ра:")
        self.assertRaises(ValueError, transcription.transcribe, "कमरा", [True])

    def test_a_spelling_shows_its_targets_reading(self):
        # (source lines, headword, the reading its line shows)
        cases = [
            ("हँसी\thansii\tж. смех\nहंसी\thansii\tсм. हँसी - вариант написания\n",
             "हंसी", "хъ~-си:"),
            ("ज़रूर\tzaruur\tнареч. конечно\nजरूर\tjaruur\tсм. ज़रूर\n", "जरूर", "зъ-ру:р"),
            ("गर्म\tgarm\tприл. горячий\nगरम\tgaram\tсм. गर्म - вариант написания\n",
             "गरम", "гъ-ръм"),                  # another vowel written: its own reading
            ("होना\thonaa\tгл. быть\nहैं\thain\tсм. होना\n", "हैं", "хэ:~"),
        ]
        for text, head, want in cases:
            with self.subTest(head=head):
                folder = tempfile.TemporaryDirectory()
                self.addCleanup(folder.cleanup)
                path = os.path.join(folder.name, "a.tsv")
                with open(path, "w", encoding="utf-8") as f:
                    f.write(text)
                entries = {e.headword: e for e in dl.read_sources([path])}
                self.assertEqual(entries[head].reading(), want)
                self.assertIn(" (%s) " % want, entries[head].text())

    def test_blind_list_judges_sounds_not_syllable_breaks(self):
        rows = [("कमरा", "към-ра:", "breaks elsewhere, same sounds"),
                ("अंतराल", "ънт-ра:л", "a dropped that the line keeps"),
                ("घर", "гхър", "a word that is no headword: the rule")]
        wrong = blind_readings.judge(rows, {"कमरा": "към-ра:", "अंतराल": "ън-тъ-ра:л"})
        self.assertEqual([w[0] for w in wrong], ["अंतराल"])

    def test_collision_counts_matches_inside_the_reading_only(self):
        line = dl.hindi_codec.encode_line("घर (гхър) м. дом")
        cases = [("гхър", 0, True), ("дом", 0, False), ("ър", 2, True), ("м", 0, False),
                 ("гх", 1, True), ("хъ", 1, False)]
        for query, mode, inside in cases:
            with self.subTest(query=query, mode=mode):
                self.assertEqual(reading_collisions.inside_reading_only(
                    line, query.encode("cp1251"), mode), inside)


class SourceChecks(Sources):
    """The checks that look across all source files: variant spellings as two full entries
    and pointer lines that lead nowhere."""
    BASE = ("हिंदी\thindii\tж. хинди\n"
            "ज़रा\tzaraa\tнареч. немного\n"
            "गाँव\tgaanv\tм. деревня\n"
            "होना\thonaa\tгл. быть\n")

    def faults(self, extra, homographs=None):
        base = self.write("base.tsv", self.BASE)
        other = self.write("other.tsv", extra)
        if homographs is not None:
            self.write("homographs.txt", homographs)
        return checker.check_across([base, other])

    def test_variants_and_pointers(self):
        # (lines of a second file, words the faults must name; none: no fault)
        cases = [
            ("हिन्दी\thindii\tж. хинди\n", ["हिन्दी", "हिंदी"]),          # half nasal
            ("जरा\tjaraa\tж. старость\n", ["जरा", "ज़रा"]),                # nukta
            ("गांव\tgaanv\tм. село\n", ["गांव", "गाँव"]),                  # anusvara
            ("हिन्दी\thindii\tсм. हिंदी - вариант написания\n", []),
            ("है\thai\tсм. होना - 3 л. ед. ч. наст. вр.\n", []),
            ("है\thai\tсм. होने - форма\n", ["होने"]),                   # no such entry
            ("थे\tthe\tсм. होना\nहै\thai\tсм. थे\n", ["थे"]),          # pointer to pointer
            ("जन्म\tjanm\tм. рождение\n", []),       # half nasal before no consonant pair
            ("मोड़\tmoR\tм. поворот\nमोड\tmoD\tм. режим\n", []),   # ड़ is a letter of its own
            ("होना\thonaa\tгл. становиться\n", ["होना", "base.tsv"]),   # a headword twice
        ]
        for extra, named in cases:
            with self.subTest(extra=extra):
                found = self.faults(extra)
                if not named:
                    self.assertEqual(found, [])
                else:
                    self.assertEqual(len(found), 1, found)
                    for word in named:
                        self.assertIn(word, found[0])

    def test_listed_homographs_may_both_be_entries(self):
        extra = "जरा\tjaraa\tж. старость\n"
        self.assertEqual(self.faults(extra, "ज़रा\tजरा\ta little; old age\n"), [])
        self.assertEqual(len(self.faults(extra, "ज़रा\tजरा\n")), 2)   # no reason: refused

    def test_sizes_the_result_list_and_query_can_use(self):
        cases = [
            ("पानी", "м. вода", []),
            ("प्रतिनिधिमंडल" * 2, "м. делегация", ["display codes"]),
            ("पानी", "м. " + "вода, " * 30, ["Russian part of"]),
        ]
        for head, ru, want in cases:
            with self.subTest(head=head, ru=ru[:20]):
                got = checker.check_sizes(head, ru)
                self.assertEqual(len(got), len(want), got)
                for w, g in zip(want, got):
                    self.assertIn(w, g)

    def test_latin_column_agrees_with_the_reading(self):
        # (lines of a second file, words the one fault must name; none: no fault)
        cases = [
            ("कमरा\tkamraa\tм. комната\n", []),
            ("कमरा\tkamaraa\tм. комната\n",
             ["कमरा", "къ-мъ-ра:", "към-ра:", "transcription.exceptions.tsv"]),
            ("घर\tghara\tм. дом\n", ["घर", "гхъ-ръ", "гхър"]),
            ("जनवरी\tjanvarii\tм. январь\n", []),          # the exception's reading
            ("जनवरी\tjanavrii\tм. январь\n", ["джъ-нъв-ри:", "джън-въ-ри:"]),
            ("संतोषजनक\tsantoShjanak\tприл. удовлетворительный\n", []),
            ("संगठन\tsangThan\tм. организация\n", ["сън-гъ-Тхън"]),
            ("हिन्दी\thindii\tсм. हिंदी - вариант написания\n", []),
            # A spelling takes its target's reading, and its Latin is held to it.
            ("अंतराल\tantaraal\tм. промежуток\nअन्तराल\tantraal\tсм. अंतराल\n",
             ["अन्तराल", "ън-тъ-ра:л"]),
            ("है\thai\tсм. होना - 3 л. ед. ч. наст. вр.\n", []),
            ("अरे\tare\tмежд. эй\n", []),
            # Only the short a's count: the exception's м is a nasal the Latin's n cannot tell.
            ("स्वयंसेवी\tsvayansevii\tм. доброволец\n", []),
        ]
        for extra, named in cases:
            with self.subTest(extra=extra):
                base = self.write("base.tsv", self.BASE)
                other = self.write("other.tsv", extra)
                found = checker.check_readings([base, other])
                if not named:
                    self.assertEqual(found, [])
                else:
                    self.assertEqual(len(found), 1, found)
                    for word in named:
                        self.assertIn(word, found[0])
                    self.assertIn("other.tsv", found[0])

    def test_pointer_format(self):
        cases = [
            ("см. होना - 3 л. ед. ч.", []),
            ("см. होना", []),
            ("см. होना 3 л.", ["a pointer is written"]),
            ("см. hona", ["a pointer is written"]),
            ("см. होना - form", ["not allowed"]),
            ("см. होना - был)", ["not allowed"]),
            ("1) ж. утро; 2) нареч. утром", []),
            ("ж. утро; нареч. утром", ["second part of speech"]),
        ]
        for text, want in cases:
            with self.subTest(text=text):
                got = checker.check_russian_part(text)
                self.assertEqual(len(got), len(want), got)
                for w, g in zip(want, got):
                    self.assertIn(w, g)


class Coverage(unittest.TestCase):
    @unittest.skipUnless(os.path.exists(coverage.AUTOMORF), "apertium-hin is not installed")
    def test_forms_lead_to_the_dictionary_lemma(self):
        # (form, a lemma it must lead to): verbs to the infinitive the dictionary lists,
        # nouns in an oblique plural to the noun, a composed nukta letter tried as well.
        cases = [("करने", "करना"), ("सकता", "सकना"), ("है", "होना"), ("त्रुटियों", "त्रुटि"),
                 ("फ़ाइलें", "फ़ाइल"),
                 # known to the analyser only in another spelling: ये for ए, chandrabindu
                 ("बनाएं", "बनाना"), ("दिखाएं", "दिखाना")]
        found = coverage.lemmas({form for form, _ in cases})
        for form, lemma in cases:
            with self.subTest(form=form):
                self.assertIn(lemma, found[form])

    def test_words_of_a_catalogue(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        path = os.path.join(folder.name, "t.mo")
        # A catalogue of two messages written as msgfmt writes it (no hash table).
        msgs = [(b"", b"Content-Type: text/plain; charset=UTF-8\n"),
                (b"File", "फ़ाइल नहीं मिली: %s। फ़ाइल".encode()),
                (b"x", "१२ ा-खंडित".encode())]
        ids = b"".join(k + b"\0" for k, _ in msgs)
        strs = b"".join(v + b"\0" for _, v in msgs)
        n, head = len(msgs), 28
        ko, vo, data = head, head + 8 * len(msgs), head + 16 * len(msgs)
        table_k, table_v, pos = b"", b"", data
        for k, _ in msgs:
            table_k += len(k).to_bytes(4, "little") + pos.to_bytes(4, "little")
            pos += len(k) + 1
        for _, v in msgs:
            table_v += len(v).to_bytes(4, "little") + pos.to_bytes(4, "little")
            pos += len(v) + 1
        with open(path, "wb") as f:
            f.write((0x950412de).to_bytes(4, "little") + bytes(4) + n.to_bytes(4, "little")
                    + ko.to_bytes(4, "little") + vo.to_bytes(4, "little") + bytes(8)
                    + table_k + table_v + ids + strs)
        counts = coverage.text_words([path])
        # Danda and Devanagari digits separate words; a fragment opening with a sign is dropped.
        self.assertEqual(counts, {"फ़ाइल": 2, "नहीं": 1, "मिली": 1, "खंडित": 1})


    def test_wanted_groups_forms_under_their_lemma(self):
        counts = {"टैबों": 3, "टैब": 2, "नया": 5, "खोलें": 1}
        lem = {"टैबों": ["टैब"], "टैब": [], "खोलें": ["खोलना", "खोल"]}
        rows = coverage.wanted(counts, {"नया"}, lem)
        self.assertEqual(rows, [(5, "टैब", ["टैबों", "टैब"]), (1, "खोलना", ["खोलें"])])

    def test_a_lemma_spelt_without_nukta_names_the_headword(self):
        # The analyser writes दस्तावेज for दस्तावेज़; the word itself must match exactly.
        counts = {"दस्तावेजों": 2, "दस्तावेज": 1, "फाइल": 4}
        lem = {"दस्तावेजों": ["दस्तावेज"], "दस्तावेज": ["दस्तावेज"], "फाइल": []}
        covered, share, running, _ = coverage.measure(counts, lem, {"दस्तावेज़", "फ़ाइल"})
        self.assertEqual(covered, {"दस्तावेजों", "दस्तावेज"})
        self.assertEqual((round(share, 1), round(running, 1)), (66.7, 42.9))


class HindiTexts(unittest.TestCase):
    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.root = folder.name

    def write(self, package, path, data):
        full = os.path.join(self.root, package, path.lstrip("/"))
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "wb") as f:
            f.write(data if isinstance(data, bytes) else data.encode())
        return full

    def test_manifest_lines(self):
        # (manifest text, error expected)
        cases = [("# c\nchosen\ta\t/usr/*.mo\nheld-out\tb\t/x.txt\n", None),
                 ("chosen\ta\t/x\nchosen\ta\t/y\n", None),
                 ("picked\ta\t/x\n", ":1: expected"),
                 ("chosen\ta\tusr/x\n", ":1: expected"),
                 ("chosen\ta\n", ":1: expected"),
                 ("chosen\ta\t/x\nheld-out\ta\t/y\n", "both parts: a")]
        for text, error in cases:
            with self.subTest(text=text):
                path = self.write("", "m.tsv", text)
                if error is None:
                    self.assertTrue(hindi_texts.read_manifest(path))
                else:
                    with self.assertRaisesRegex(hindi_texts.TextsError, error):
                        hindi_texts.read_manifest(path)

    def test_held_out_drops_messages_of_the_chosen_part(self):
        self.write("a", "/usr/share/doc/a/t.txt", "फ़ाइल खोलें\nनया पाठ\n")
        self.write("b", "/usr/share/doc/b/t.txt", "फ़ाइल खोलें\nपुराना पाठ\nonly Latin\n")
        self.write("b", "/usr/share/doc/b/t.pdf", "पीडीएफ़")
        rows = [("chosen", "a", "/usr/share/doc/*.txt"), ("held-out", "b", "/usr/*.txt"),
                ("held-out", "c", "/usr/*.txt")]
        strings, missing = hindi_texts.part_strings(rows, self.root)
        self.assertEqual(strings, {"chosen": ["फ़ाइल खोलें", "नया पाठ"],
                                   "held-out": ["पुराना पाठ"]})
        self.assertEqual(missing, ["c"])

    def test_pages_and_language_packs(self):
        page = self.write("p", "/h/x.html", "<p title=\"शीर्षक\">पाठ&nbsp;<b>मोटा</b></p>")
        pack = os.path.join(self.root, "lang.xpi")
        with zipfile.ZipFile(pack, "w") as z:
            z.writestr("browser/a.ftl", "tab-close = टैब बंद करें\n    .title = बंद")
            z.writestr("icon.svg", "<svg>चित्र</svg>")
        self.assertEqual(hindi_texts.words(hindi_texts.file_strings(page)),
                         {"पाठ": 1, "मोटा": 1})
        self.assertEqual(hindi_texts.words(hindi_texts.file_strings(pack)),
                         {"टैब": 1, "बंद": 2, "करें": 1})

    def test_qt_gettext_source_and_json_catalogues(self):
        def qm(*messages):
            block = b""
            for source, translation in messages:
                block += b"\x06" + struct.pack(">I", len(source)) + source.encode()
                if translation is None:
                    block += b"\x03\xff\xff\xff\xff"
                else:
                    t = translation.encode("utf-16-be")
                    block += b"\x03" + struct.pack(">I", len(t)) + t
                block += b"\x01"
            return (hindi_texts.QM_MAGIC + b"\x42" + struct.pack(">I", 4) + b"\0" * 4
                    + b"\x69" + struct.pack(">I", len(block)) + block)

        po = ('msgid ""\nmsgstr "Language: hi\\n"\n\n'
              'msgid "Open"\nmsgstr ""\n"फ़ाइल "\n"खोलें"\n\n'
              '#, fuzzy\nmsgid "Old"\nmsgstr "पुराना"\n'
              'msgid "file"\nmsgid_plural "files"\nmsgstr[0] "फ़ाइल"\nmsgstr[1] "फ़ाइलें"\n'
              '#~ msgid "Gone"\n#~ msgstr "गया"\n')
        # (file, contents, words expected)
        cases = [("a.qm", qm(("Open", "खोलें"), ("Save", None), ("Close", "बंद करें")),
                  {"खोलें": 1, "बंद": 1, "करें": 1}),
                 ("b.po", po, {"फ़ाइल": 2, "खोलें": 1, "फ़ाइलें": 1}),
                 ("c.json", '{"@metadata": {"authors": ["राम"]}, "a": "नया पन्ना",'
                            ' "b": ["पन्ना"]}', {"नया": 1, "पन्ना": 2})]
        for name, data, expected in cases:
            with self.subTest(name=name):
                path = self.write("q", name, data)
                self.assertEqual(hindi_texts.words(hindi_texts.file_strings(path)), expected)
        bad = [("d.qm", b"not a catalogue", "d.qm: not a Qt catalogue"),
               ("e.qm", qm(("Open", "खोलें"))[:-4], "e.qm: a Qt catalogue cut short"),
               ("f.po", 'msgid "a"\nmsgstr "ख\n', "f.po: not a gettext line"),
               ("h.po", 'msgid "a"\nmsgstr "\\q"\n', "h.po: a badly quoted"),
               ("g.json", '{"a": "ख"', "g.json: ")]
        for name, data, error in bad:
            with self.subTest(name=name):
                path = self.write("q", name, data)
                with self.assertRaisesRegex(hindi_texts.TextsError, error):
                    hindi_texts.file_strings(path)


class ExpectedHits(unittest.TestCase):
    DATA = b"ab cd\r\nxab;\r\nab\r\nq abab\r\n"

    def test_match_modes(self):
        # (query, mode, line numbers with one entry per accepted position)
        cases = [
            (b"ab", 0, [0, 1, 2, 3, 3]),
            (b"ab", 1, [2, 3]),         # the file's first byte has no delimiter before it
            (b"ab", 2, [0, 1, 2, 3]),
            (b"ab", 3, [2]),
            (b"cd\n", 0, [1]),          # the LF belongs to line 0; its right neighbour to 1
            (b"\r", 0, []),             # CR LF is read as LF
            (b"ba", 0, [3]),
        ]
        for query, mode, lines in cases:
            with self.subTest(query=query, mode=mode):
                self.assertEqual(expected_hits.search(self.DATA, query, mode)[0], lines)

    def test_last_byte_and_limits(self):
        self.assertEqual(expected_hits.search(b"x ab", b"ab", 0)[0], [])
        self.assertEqual(expected_hits.search(b"ab \x1aab\n", b"ab", 0)[0], [0])
        self.assertEqual(expected_hits.search(b"ab\x1a ab\n", b"ab", 0)[0], [])
        many = b"a " * 150 + b"\n"
        self.assertEqual(len(expected_hits.search(many, b"a", 3)[0]), 100)


class FleetingVowels(unittest.TestCase):
    # Words hunspell knows, as its analyses give them.
    KNOWN = {"огня", "огню", "огнем", "огни", "ветра", "ветру", "ветром", "льда", "льду", "льдом",
             "бра", "бром", "пакт", "пакта", "пакту", "пактом", "лба", "лбу", "лбом"}

    def test_short_stems_lead_to_the_noun(self):
        cases = [
            ("огонь", ["огня", "огню", "огнем", "огни"]),  # soft: -я, -ю, -ем
            ("ветер", ["ветра", "ветру", "ветром"]),
            ("лед", ["льда", "льду", "льдом"]),  # ь for the vowel
            ("лоб", ["лба", "лбу", "лбом"]),
            ("бор", []),    # бра and бром are words of their own; no бру
            ("пакет", []),  # пакт is a noun of its own
            ("дом", []),    # no short stem in use
            ("окно", []),   # not a consonant at the end
        ]
        for word, forms in cases:
            with self.subTest(word=word):
                self.assertEqual(sorted(russian_forms.fleeting_forms(word, self.KNOWN)),
                                 sorted(forms))


if __name__ == "__main__":
    unittest.main()
