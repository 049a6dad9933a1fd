"""python3 -m unittest test_tallies   (in tools/data)"""
import os
import shutil
import tempfile
import unittest

import tallies

COUNTS = 'character\tlistening\twritten_words\twritten_sentences\n'
EXAM = 'character\tcount\n'


_made = []


def tearDownModule():
    for d in _made:
        shutil.rmtree(d, ignore_errors=True)


def folder(files):
    d = tempfile.mkdtemp()
    _made.append(d)
    for name, text in files.items():
        with open(os.path.join(d, name), 'w', encoding='utf8') as f:
            f.write(text)
    return d


class ReadingTallies(unittest.TestCase):
    def test_every_problem_is_named(self):
        cases = [
            ({'char-counts.tsv': 'character\tlistening\n'}, 'first line must be the header'),
            ({'char-counts.tsv': COUNTS + '我\t1\t2\n'}, 'line 2: 3 fields'),
            ({'char-counts.tsv': COUNTS + '我\t1\t-2\t0\n'}, 'whole numbers'),
            ({'char-counts.tsv': COUNTS + 'ab\t1\t2\t0\n'}, "'ab' is not one Chinese character"),
            ({'char-counts.tsv': COUNTS + '我\t1\t0\t0\n我\t2\t0\t0\n'}, 'line 3: 我 is listed twice'),
            ({'exam-hearing.tsv': EXAM + '我\t0\n', 'exam-writing.tsv': EXAM}, '我 has count 0'),
            ({'exam-hearing.tsv': EXAM + '我\t3\n'}, 'come together'),
            ({'other.tsv': ''}, 'none of'),
        ]
        for files, problem in cases:
            with self.subTest(problem):
                t = tallies.load(folder(files))
                self.assertTrue(any(problem in p for p in t.problems), t.problems)

    def test_a_good_folder_has_no_problems(self):
        t = tallies.load(folder({'char-counts.tsv': COUNTS + '我\t3\t0\t1\r\n\n',
                                 'exam-hearing.tsv': EXAM, 'exam-writing.tsv': EXAM}))
        self.assertEqual(t.problems, [])
        self.assertEqual(t.counts, {'我': (3, 0, 1)})


class FittingTalliesToTheTable(unittest.TestCase):
    char_of = {1: '我', 2: '的', 3: '是'}
    ckey_of = {'我': 1, '的': 2, '是': 3}

    def test_counts_sum_to_the_total_and_misfits_are_noted(self):
        t = tallies.Tallies()
        t.counts = {'我': (3, 1, 2), '是': (0, 0, 1), '乙': (5, 0, 0)}
        counts = tallies.counts_by_key(t, self.char_of, 3)
        self.assertEqual(counts, {1: (6, 3, 1, 2), 2: (0, 0, 0, 0), 3: (1, 0, 0, 1)})
        self.assertTrue(any('乙' in n and 'left out' in n for n in t.notes), t.notes)
        self.assertTrue(any('的' in n and 'no tally' in n for n in t.notes), t.notes)

    def test_all_sections_is_the_sum_in_non_increasing_order(self):
        t = tallies.Tallies()
        t.exam = {'hearing': [('的', 1), ('我', 4), ('乙', 9)], 'writing': [('是', 2), ('的', 2), ('我', 1)]}
        counts = {1: (9, 0, 0, 0), 2: (5, 0, 0, 0), 3: (7, 0, 0, 0)}
        lists = tallies.exam_by_key(t, self.ckey_of, counts)
        self.assertEqual(lists['hearing'], [(1, 4), (2, 1)])
        self.assertEqual(lists['writing'], [(3, 2), (2, 2), (1, 1)])   # ties keep the file's order
        self.assertEqual(lists['all'], [(1, 5), (2, 3), (3, 2)])
        self.assertTrue(any('乙' in n for n in t.notes), t.notes)


if __name__ == '__main__':
    unittest.main()
