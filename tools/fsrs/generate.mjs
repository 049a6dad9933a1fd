// Writes tests/core/data/fsrs_reference.tsv: review sequences with the memory
// state and interval ts-fsrs computes after every step, for the C++ model's test.
//
// Settings, and why:
// - Default FSRS-6 parameters (21 weights), desired retention 0.9, maximum
//   interval 36500, fuzz off: the plain model with nothing random.
// - enable_short_term true: only then does ts-fsrs apply the FSRS-6 same-day
//   rule when a review comes 0 days after the last one (with false it feeds
//   t = 0 to the long-term formulas and drops the w17/w18 lapse cap).
// - learning_steps and relearning_steps empty: the steps only choose minute
//   intervals and the card's state label, never the stability or difficulty,
//   but with them a new or lapsed card gets a 10-minute due time instead of a
//   day interval. Without steps every answer ends in a day interval.
// - The interval written is the algorithm's next_interval(S), not the
//   scheduler's scheduled_days: the scheduler pushes Good one day past Hard
//   when both round alike, which belongs to a four-button screen, not to the
//   memory model.
// Each step is also recomputed with next_state directly and must agree.
import { writeFileSync } from 'node:fs';
import { fileURLToPath } from 'node:url';
import { createEmptyCard, fsrs, FSRSVersion, generatorParameters, Rating } from 'ts-fsrs';

const f = fsrs(
  generatorParameters({
    request_retention: 0.9,
    maximum_interval: 36500,
    enable_fuzz: false,
    enable_short_term: true,
    learning_steps: [],
    relearning_steps: [],
  }),
);

const A = Rating.Again, H = Rating.Hard, G = Rating.Good, E = Rating.Easy;
// [gap in days, rating]; the first gap is ignored. A gap of null follows the
// schedule: the interval the previous step gave.
const sequences = {
  good_once: [[0, G]],
  again_once: [[0, A]],
  hard_once: [[0, H]],
  easy_once: [[0, E]],
  good_on_schedule: Array.from({ length: 10 }, () => [null, G]),
  again_then_good_on_schedule: [[0, A], ...Array.from({ length: 8 }, () => [null, G])],
  same_day_goods: [[0, G], [0, G], [0, G], [0, G]],
  same_day_agains: [[0, A], [0, A], [0, A], [0, G], [0, G]],
  same_day_mixed: [[0, G], [0, A], [0, G], [1, G], [0, A], [0, G]],
  same_day_after_long_gap: [[0, G], [40, G], [0, G], [0, A], [200, G]],
  long_gap_good: [[0, G], [365, G]],
  long_gap_again: [[0, G], [3650, A], [1, G]],
  very_long_gaps: [[0, G], [1000, G], [5000, G], [20000, G], [30000, G]],
  stability_ceiling: [[0, E], [30, E], [300, E], [3000, E], [20000, E], [36500, E], [36500, G]],
  again_every_day: Array.from({ length: 12 }, () => [1, A]),
  lapse_after_mastery: [[0, G], [null, G], [null, G], [null, G], [null, G], [null, A], [1, G], [null, G]],
  mixed_short: [[0, G], [1, A], [1, G], [3, G], [0, A], [0, G], [7, G], [30, A], [2, G]],
  mixed_long: [[0, A], [1, A], [2, G], [5, G], [12, A], [1, G], [4, G], [15, G], [60, G], [0, A], [3, G]],
  late_reviews: [[0, G], [10, G], [60, G], [400, G], [2000, A], [10, G]],
  early_reviews: [[0, G], [1, G], [1, G], [1, G], [1, G], [1, G], [1, G], [1, G], [1, G]],
  alternate: [[0, G], [2, A], [2, G], [2, A], [2, G], [2, A], [2, G], [2, A]],
  hard_and_easy: [[0, H], [1, H], [3, E], [10, H], [0, E], [20, A], [5, E], [0, H]],
  easy_then_again: [[0, E], [15, A], [0, A], [1, G], [10, G]],
  ten_goods_weekly: Array.from({ length: 10 }, () => [7, G]),
  again_after_again_days_apart: [[0, A], [3, A], [10, A], [30, A], [1, G], [1, G]],
};

const rows = ['sequence\tstep\tgap\trating\tstability\tdifficulty\tinterval'];
for (const [name, steps] of Object.entries(sequences)) {
  let now = new Date(Date.UTC(2024, 0, 1, 12));
  let card = createEmptyCard(now);
  let state = null;
  let interval = 0;
  steps.forEach(([gapOrNull, rating], i) => {
    const gap = i === 0 ? 0 : (gapOrNull ?? interval);
    now = new Date(now.getTime() + gap * 86400000);
    const before = state;
    card = f.next(card, now, rating).card;
    state = { stability: card.stability, difficulty: card.difficulty };
    const direct = f.next_state(before, gap, rating);
    if (direct.stability !== state.stability || direct.difficulty !== state.difficulty)
      throw new Error(`${name} step ${i}: the scheduler and next_state disagree`);
    interval = f.next_interval(state.stability, gap);
    rows.push([name, i, gap, rating, state.stability, state.difficulty, interval].join('\t'));
  });
}

const out = fileURLToPath(new URL('../../tests/core/data/fsrs_reference.tsv', import.meta.url));
writeFileSync(
  out,
  `# FSRS-6 reference values from ts-fsrs ${FSRSVersion}, made by tools/fsrs/generate.mjs; do not edit\n` +
    rows.join('\n') + '\n',
);
console.log(`${rows.length - 1} steps in ${Object.keys(sequences).length} sequences written to ${out}`);
