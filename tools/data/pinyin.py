"""Splits a word's pinyin into the syllables of its characters.

A toned syllable ends in its digit; a neutral one has none, so syllable boundaries
come from the inventory of Mandarin syllables.  The retroflex suffix written before
the digit ("gair4") gives the following character (儿) the bare syllable "r".
"""
import functools
import re

# Initials and finals of Hanyu Pinyin; ü is written u:.
_INITIALS = ['', 'b', 'p', 'm', 'f', 'd', 't', 'n', 'l', 'g', 'k', 'h', 'j', 'q', 'x', 'zh', 'ch', 'sh',
             'r', 'z', 'c', 's', 'y', 'w']
_FINALS = ['a', 'o', 'e', 'ai', 'ei', 'ao', 'ou', 'an', 'en', 'ang', 'eng', 'ong', 'er', 'i', 'ia', 'ie',
           'iao', 'iu', 'ian', 'in', 'iang', 'ing', 'iong', 'u', 'ua', 'uo', 'uai', 'ui', 'uan', 'un',
           'uang', 'ueng', 'u:', 'u:e', 'u:an', 'u:n', 'ue', 'uan', 'un']
SYLLABLES = {i + f for i in _INITIALS for f in _FINALS}
SYLLABLES.discard('')


def split_word(pinyin, n, accept):
    """First way to cut pinyin into n character syllables that accept(i, syllable) takes, or None."""
    text = pinyin.lower()

    @functools.lru_cache(maxsize=None)
    def go(pos, i):
        if i == n:
            return () if pos == len(text) else None
        for end in range(min(len(text), pos + 7), pos, -1):
            syl = text[pos:end]
            if syl not in SYLLABLES:
                continue
            tone = text[end:end + 1] if text[end:end + 1] in ('1', '2', '3', '4') else ''
            piece = syl + tone
            if accept(i, piece):
                rest = go(end + len(tone), i + 1)
                if rest is not None:
                    return (piece,) + rest
            # Retroflex suffix: "gair4" is 盖 gai4 followed by 儿 as a bare r.
            if (i + 1 < n and text[end:end + 1] == 'r' and text[end + 1:end + 2] in ('1', '2', '3', '4')
                    and accept(i, syl + text[end + 1]) and accept(i + 1, 'r')):
                rest = go(end + 2, i + 2)
                if rest is not None:
                    return (syl + text[end + 1], 'r') + rest
        return None

    result = go(0, 0)
    return list(result) if result is not None else None


def tone_digits(pinyin):
    return re.sub(r'[^1-4]', '', pinyin)
