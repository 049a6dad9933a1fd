// Exports the public sources the generator reads into plain TSV files, so that
// generate.py needs only the Python standard library.
// usage: node export_sources.js <node_modules dir> <output dir>
'use strict';
const fs = require('fs');
const path = require('path');

const [modules, out] = process.argv.slice(2);
if (!modules || !out) {
  console.error('usage: node export_sources.js <node_modules dir> <output dir>');
  process.exit(2);
}
fs.mkdirSync(out, { recursive: true });

// The data files are template strings wrapped in small modules; take the raw text.
function templateText(file) {
  const text = fs.readFileSync(file, 'utf8');
  const start = text.indexOf('`');
  const end = text.lastIndexOf('`');
  return text.slice(start + 1, end);
}

const lex = path.join(modules, 'chinese-lexicon', 'statistics');
fs.writeFileSync(path.join(out, 'movie-chars.tsv'), templateText(path.join(lex, 'movieCharFrequency.js')) + '\n');
fs.writeFileSync(path.join(out, 'book-chars.tsv'), templateText(path.join(lex, 'bookCharFrequency.js')) + '\n');
fs.writeFileSync(path.join(out, 'movie-words.tsv'), templateText(path.join(lex, 'movieWordFrequency.js')) + '\n');

// hsk.js only exports a lookup function; evaluate its table literal instead.
const hskText = fs.readFileSync(path.join(lex, 'hsk.js'), 'utf8');
const literal = hskText.slice(hskText.indexOf('['), hskText.indexOf('];') + 1);
const levels = JSON.parse(literal.replace(/,\s*\]/g, ']'));
const rows = [];
levels.forEach((words, i) => words.forEach(w => rows.push(`${w}\t${i + 1}`)));
fs.writeFileSync(path.join(out, 'hsk.tsv'), rows.join('\n') + '\n');

fs.writeFileSync(path.join(out, 'cedict.txt'),
  templateText(path.join(modules, 'hanzi', 'lib', 'data', 'cedict_ts.u8.js')) + '\n');
