#!/usr/bin/env python3
"""Builds the study tables in data/ from the hand-kept word list and public sources.

usage: generate.py <sources dir> <data dir> [--tallies <folder>]

<sources dir> is what export_sources.js writes (CC-CEDICT, SUBTLEX-CH and book
character frequencies, HSK levels); Unihan is read from the Debian unicode-data
package.  Every random choice uses a fixed seed, so a run is reproducible.
--tallies takes real counts from past papers in place of the modelled ones
(tallies.py and data/README.md say which files).
"""
import bz2
import collections
import math
import os
import random
import re
import sys

import fitting
import tallies

HERE = os.path.dirname(os.path.abspath(__file__))
UNIHAN = '/usr/share/unicode'
NO_CHAR = 804
WORD_COUNT = 500
CHAR_COUNT = 803

# Keys whose character other parts of the program rely on.
FIXED_CKEYS = {
    1: '我', 2: '的', 15: '儿', 41: '多', 140: '会', 158: '少', 170: '钱', 177: '球',
    253: '着', 324: '花', 374: '安', 402: '静', 404: '足', 452: '观', 482: '参',
    514: '盖', 636: '茉', 637: '莉', 639: '茶', 746: '踢', 792: '双', 803: '胖',
}
# Characters we place ourselves because the statistics give them a role: the most
# frequent function characters head the rankings, 了 is frequent but in no word.
ROLE_CKEYS = {
    3: '是', 4: '在', 5: '他', 6: '一', 8: '你', 10: '有', 11: '不', 12: '人',
    13: '这', 14: '了', 22: '来', 23: '去', 47: '天', 53: '吗', 62: '个', 69: '学',
    197: '说',
}


def die(msg):
    sys.exit('generate: ' + msg)


# ---------------------------------------------------------------- sources

def load_cedict(src):
    entries = collections.defaultdict(list)
    pat = re.compile(r'(\S+) (\S+) \[([^\]]*)\] /')
    with open(os.path.join(src, 'cedict.txt'), encoding='utf8') as f:
        for line in f:
            if line.startswith('#'):
                continue
            m = pat.match(line)
            if m:
                entries[m.group(2)].append(m.group(3).split())
    return entries


def load_freq(path):
    freq = {}
    with open(path, encoding='utf8') as f:
        for line in f:
            if line.startswith('//') or not line.strip():
                continue
            parts = line.rstrip('\n').split('\t')
            if len(parts) >= 2 and len(parts[0]) == 1:
                freq.setdefault(parts[0], int(parts[1]))
    return freq


TONE_MARKS = {}
for base, marks in {'a': 'āáǎà', 'e': 'ēéěè', 'i': 'īíǐì', 'o': 'ōóǒò', 'u': 'ūúǔù',
                    'ü': 'ǖǘǚǜ'}.items():
    for tone, ch in enumerate(marks, 1):
        TONE_MARKS[ch] = (base, tone)


def numbered(marked):
    """'zhuó' -> 'zhuo2', 'lǜ' -> 'lu:4', 'zhe' -> 'zhe'."""
    tone = 0
    out = []
    for ch in marked:
        if ch in TONE_MARKS:
            ch, tone = TONE_MARKS[ch]
        out.append('u:' if ch == 'ü' else ch)
    return ''.join(out) + (str(tone) if tone else '')


def load_unihan():
    readings = {}
    simplified_of = {}
    with bz2.open(os.path.join(UNIHAN, 'Unihan_Readings.txt.bz2'), 'rt', encoding='utf8') as f:
        for line in f:
            if line.startswith('#') or not line.strip():
                continue
            cp, field, value = line.rstrip('\n').split('\t')
            ch = chr(int(cp[2:], 16))
            if field in ('kXHC1983', 'kTGHZ2013', 'kMandarin', 'kHanyuPinyin'):
                vals = [numbered(r) for v in value.split() for r in v.split(':')[-1].split(',')]
                readings.setdefault(ch, {})[field] = vals
    with bz2.open(os.path.join(UNIHAN, 'Unihan_Variants.txt.bz2'), 'rt', encoding='utf8') as f:
        for line in f:
            if '\tkSimplifiedVariant\t' in line:
                cp, _, value = line.rstrip('\n').split('\t')
                simplified_of[chr(int(cp[2:], 16))] = [chr(int(v[2:].split('<')[0], 16)) for v in value.split()]
    return readings, simplified_of


def is_simplified(ch, simplified_of):
    forms = simplified_of.get(ch)
    return forms is None or ch in forms


# ---------------------------------------------------------------- words

def load_word_list():
    words = []
    with open(os.path.join(HERE, 'words-list.tsv'), encoding='utf8') as f:
        for line in f:
            if line.startswith('#') or not line.strip():
                continue
            tkey, hanzi, pinyin, translation, genre = line.rstrip('\n').split('\t')
            words.append(dict(tkey=int(tkey) if tkey else None, hanzi=hanzi, pinyin=pinyin,
                              translation=translation, genre=genre))
    if len(words) != WORD_COUNT:
        die(f'{len(words)} words in the list, expected {WORD_COUNT}')
    return words


def cedict_forms(syllables):
    """Our spellings of one CC-CEDICT reading: neutral without digit, both retroflex forms."""
    out = []
    for s in syllables:
        s = s.lower()
        if s == 'r5' and out:
            prev = out[-1]
            out[-1] = [prev[0][:-1] + 'r' + prev[0][-1] if prev[0][-1].isdigit() else prev[0] + 'r',
                       prev[0] + 'er']
            continue
        out.append([s[:-1] if s.endswith('5') else s])
    forms = ['']
    for alts in out:
        forms = [f + a for f in forms for a in alts]
    return forms


# Where our spelling differs from CC-CEDICT on purpose: the dictionary gives 茉莉 a
# neutral second syllable, the examination's own word list reads it in the fourth tone.
CEDICT_EXCEPTIONS = {'茉莉花茶': 'mo4li4hua1cha2'}


def dictionary_forms(hanzi, cedict):
    forms = {f for reading in cedict.get(hanzi, []) for f in cedict_forms(reading)}
    if not forms:
        # A phrase such as 多少钱 is not an entry: compose it from two entries.
        for cut in range(1, len(hanzi)):
            if hanzi[:cut] in cedict and hanzi[cut:] in cedict:
                forms |= {a + b for a in dictionary_forms(hanzi[:cut], cedict)
                          for b in dictionary_forms(hanzi[cut:], cedict)}
    return forms


def check_pinyin(words, cedict):
    problems = []
    for w in words:
        if CEDICT_EXCEPTIONS.get(w['hanzi']) == w['pinyin']:
            continue
        forms = dictionary_forms(w['hanzi'], cedict)
        if w['pinyin'].lower() not in forms:
            problems.append(f"{w['hanzi']} {w['pinyin']} (CC-CEDICT: {sorted(forms)})")
    if problems:
        die('pinyin disagrees with CC-CEDICT:\n  ' + '\n  '.join(problems))


def number_words(words, rng):
    fixed = [w for w in words if w['tkey']]
    taken = {w['tkey'] for w in fixed}
    if len(taken) != len(fixed):
        die('a fixed tkey occurs twice')
    free_keys = [k for k in range(1, WORD_COUNT + 1) if k not in taken]
    rest = [w for w in words if not w['tkey']]
    rng.shuffle(rest)
    for k, w in zip(free_keys, rest):
        w['tkey'] = k
    return sorted(words, key=lambda w: w['tkey'])


# ---------------------------------------------------------------- characters

# Frequent in the corpora but foreign to the everyday topics of a beginners' paper:
# film plots, politics and the spelling of foreign names.
UNLIKELY_IN_EXAM = set('鬼毒射监灵圣死杀枪战军犯罪血帝警武弹兵击伊雷纳恩斯罗尔尼克维亚兰德党政委治权恶神控导伙')


def choose_characters(words, movie, book, simplified_of, rng):
    word_chars = []
    for w in words:
        for ch in w['hanzi']:
            if ch not in word_chars:
                word_chars.append(ch)
    movie_total = sum(movie.values())
    book_total = sum(book.values())

    def share(ch):
        # Geometric mean: a character must be common in speech and in writing alike.
        return math.sqrt(movie.get(ch, 0) / movie_total * book.get(ch, 0) / book_total)

    extra_needed = CHAR_COUNT - len(word_chars)
    pool = [ch for ch in set(movie) | set(book)
            if ch not in word_chars and ch not in UNLIKELY_IN_EXAM and is_simplified(ch, simplified_of)
            and '\u4e00' <= ch <= '\u9fff']
    pool.sort(key=lambda ch: (-share(ch), ch))
    forced = [ch for ch in list(FIXED_CKEYS.values()) + list(ROLE_CKEYS.values()) if ch not in word_chars]
    extra = forced + [ch for ch in pool if ch not in forced][:extra_needed - len(forced)]
    chars = word_chars + extra
    if len(set(chars)) != CHAR_COUNT:
        die(f'{len(set(chars))} characters, expected {CHAR_COUNT}')

    # The numbering follows frequency loosely, as a list compiled paper by paper would.
    pinned = dict(FIXED_CKEYS)
    pinned.update(ROLE_CKEYS)
    placed = set(pinned.values())
    order = sorted((ch for ch in chars if ch not in placed),
                   key=lambda ch: -(math.log(share(ch) + 1e-9) + rng.gauss(0, 0.9)))
    ckey_of = {ch: k for k, ch in pinned.items()}
    free = (k for k in range(1, CHAR_COUNT + 1) if k not in pinned)
    for ch in order:
        ckey_of[ch] = next(free)
    return ckey_of, word_chars, share


def main():
    args = sys.argv[1:]
    tallied = None
    if len(args) == 4 and args[2] == '--tallies':
        tallied = tallies.load(args[3])
        if tallied.problems:
            die('the tallies cannot be read:\n  ' + '\n  '.join(tallied.problems))
        args = args[:2]
    if len(args) != 2:
        die('usage: generate.py <sources dir> <data dir> [--tallies <folder>]')
    src, out = args
    cedict = load_cedict(src)
    movie = load_freq(os.path.join(src, 'movie-chars.tsv'))
    book = load_freq(os.path.join(src, 'book-chars.tsv'))
    unihan, simplified_of = load_unihan()

    words = load_word_list()
    check_pinyin(words, cedict)
    words = number_words(words, random.Random(4))
    ckey_of, word_chars, share = choose_characters(words, movie, book, simplified_of, random.Random(51))
    char_of = {k: ch for ch, k in ckey_of.items()}

    try:
        tables = fitting.build(words, ckey_of, char_of, cedict, unihan, movie, book, share, tallied)
    except RuntimeError as e:
        die(str(e))
    write_tables(out, words, ckey_of, char_of, tables)
    if tallied:
        print(f'generate: tables written to {out} from real tallies', file=sys.stderr)
        for note in tallied.notes:
            print('  ' + note, file=sys.stderr)
        print('  now run check.py: it names every figure of the program that these tallies do not meet',
              file=sys.stderr)


def write_tsv(path, header, rows):
    with open(path, 'w', encoding='utf8', newline='\n') as f:
        for row in [header] + rows:
            f.write('\t'.join(str(x) for x in row) + '\n')


def write_tables(out, words, ckey_of, char_of, tables):
    os.makedirs(out, exist_ok=True)
    word_rows = []
    for w in words:
        keys = [ckey_of[ch] for ch in w['hanzi']] + [NO_CHAR] * (4 - len(w['hanzi']))
        word_rows.append([w['tkey'], w['pinyin'], w['translation'], '', len(w['hanzi']), w['genre']] + keys)
    write_tsv(os.path.join(out, 'words.tsv'),
              ['tkey', 'ピンイン', '日本語訳', 'ポイント', '文字数', 'ジャンル', '0', '0', '0', '0'], word_rows)
    write_tsv(os.path.join(out, 'glyph-chars.tsv'), ['ckey', 'character'],
              [[k, char_of[k]] for k in range(1, CHAR_COUNT + 1)])
    if tables is None:
        return
    write_tsv(os.path.join(out, 'chars.tsv'),
              ['ckey', '全体', 'Listen', 'Read単語', 'Read文', 'tkeys', '全体クラス', 'Listen', 'Read1', 'Read2',
               'pinyin'], tables['chars'])
    for name in ('all', 'hearing', 'writing'):
        write_tsv(os.path.join(out, f'exam-{name}.tsv'), ['ckey', 'count'], tables['exam'][name])


if __name__ == '__main__':
    main()
