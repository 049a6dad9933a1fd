"""Real tallies from past papers, in place of the modelled counts.

A folder holds any of these UTF-8 TSV files (data/README.md describes them):
  char-counts.tsv   character, listening, written_words, written_sentences
  exam-hearing.tsv  character, count      (the latest examination's hearing section)
  exam-writing.tsv  character, count      (its written section)
Every problem found is collected in `problems` so that one run names them all.
"""
import collections
import os

COUNT_HEADER = ['character', 'listening', 'written_words', 'written_sentences']
EXAM_HEADER = ['character', 'count']


class Tallies:
    def __init__(self):
        self.counts = None        # character -> (listening, written words, written sentences)
        self.exam = {}            # 'hearing' / 'writing' -> [(character, count)] in the file's order
        self.problems = []
        self.notes = []


def _rows(path, header, problems):
    name = os.path.basename(path)
    with open(path, encoding='utf8') as f:
        lines = [line.rstrip('\r\n') for line in f]
    if not lines or lines[0].split('\t') != header:
        problems.append(f'{name}: the first line must be the header: ' + '<tab>'.join(header))
        return []
    rows = []
    for n, line in enumerate(lines[1:], 2):
        if not line.strip():
            continue
        fields = line.split('\t')
        if len(fields) != len(header):
            problems.append(f'{name} line {n}: {len(fields)} fields, expected {len(header)}')
            continue
        ch, numbers = fields[0], fields[1:]
        if len(ch) != 1 or not '\u4e00' <= ch <= '\u9fff':
            problems.append(f'{name} line {n}: {ch!r} is not one Chinese character')
            continue
        if not all(x.isdigit() and x.isascii() for x in numbers):
            problems.append(f'{name} line {n}: counts must be whole numbers 0 or more: {numbers}')
            continue
        rows.append((n, ch, tuple(int(x) for x in numbers)))
    return rows


def load(folder):
    t = Tallies()
    path = os.path.join(folder, 'char-counts.tsv')
    if os.path.exists(path):
        t.counts = {}
        for n, ch, nums in _rows(path, COUNT_HEADER, t.problems):
            if ch in t.counts:
                t.problems.append(f'char-counts.tsv line {n}: {ch} is listed twice')
            t.counts[ch] = nums
    for part in ('hearing', 'writing'):
        path = os.path.join(folder, f'exam-{part}.tsv')
        if os.path.exists(path):
            rows = _rows(path, EXAM_HEADER, t.problems)
            for n, ch, (c,) in rows:
                if c == 0:
                    t.problems.append(f'exam-{part}.tsv line {n}: {ch} has count 0; leave it out instead')
            t.exam[part] = [(ch, c) for _, ch, (c,) in rows if c > 0]
    if len(t.exam) == 1:
        t.problems.append('exam-hearing.tsv and exam-writing.tsv come together: the all-sections list is their sum')
    if t.counts is None and not t.exam:
        t.problems.append(f'{folder}: none of char-counts.tsv, exam-hearing.tsv, exam-writing.tsv')
    return t


def listed(chars, limit=20):
    chars = list(chars)
    more = f' and {len(chars) - limit} more' if len(chars) > limit else ''
    return ' '.join(chars[:limit]) + more


def counts_by_key(t, char_of, count):
    """(total, listening, written words, written sentences) per ckey; notes what does not fit."""
    in_table = set(char_of.values())
    left_out = [ch for ch in t.counts if ch not in in_table]
    if left_out:
        t.notes.append(f'char-counts.tsv: left out, not among the table\'s {count} characters '
                       f'({len(left_out)}): {listed(left_out)}')
    untallied = [char_of[k] for k in range(1, count + 1) if char_of[k] not in t.counts]
    if untallied:
        t.notes.append(f'characters of the table with no tally, counted 0 (each needs an overall count of at '
                       f'least 1) ({len(untallied)}): {listed(untallied)}')
    out = {}
    for k in range(1, count + 1):
        lv, wv, sv = t.counts.get(char_of[k], (0, 0, 0))
        out[k] = (lv + wv + sv, lv, wv, sv)
    return out


def exam_by_key(t, ckey_of, counts):
    """The three latest-exam lists as (ckey, count), each in non-increasing order of count."""
    lists = {}
    for part in ('hearing', 'writing'):
        missing = [ch for ch, _ in t.exam[part] if ch not in ckey_of]
        if missing:
            t.notes.append(f'exam-{part}.tsv: left out, not in the table ({len(missing)}): {listed(missing)}')
        rows = [(ckey_of[ch], c) for ch, c in t.exam[part] if ch in ckey_of]
        # Stable: equal counts keep the order of the file.
        lists[part] = sorted(rows, key=lambda e: -e[1])
    total = collections.Counter()
    for part in ('hearing', 'writing'):
        for k, c in lists[part]:
            total[k] += c
    # Equal counts: the character more frequent in the table first, as the modelled lists do.
    lists['all'] = sorted(total.items(), key=lambda e: (-e[1], -counts[e[0]][0], e[0]))
    return lists
