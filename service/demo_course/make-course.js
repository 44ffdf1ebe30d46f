#!/usr/bin/env node
// Builds the demo course tree served by vanto-service:
//   list.txt         1200 frequent characters in six chapters (60, 120, 180,
//                    240, 300, 300), each line "char TAB pinyin TAB word TAB word"
//   sound/*.mp3      the fixed feedback and lesson sounds (espeak-ng + lame)
//                    and the touch sound (a synthesized chime)
//   gsS/Sa.mp3, Sb.mp3  the title-page sounds of story S
//   bh/N.json        the stroke data of character N (outlines and centre
//                    lines in writing order), which the stroke movie bh/N.swf
//                    animates
// The course movies themselves are built from course/ by the build into the
// same tree.
// Character sounds (ss/) and puzzle pictures (pz/) are made by the service on
// first request. Files that already exist are left alone, so real movies put
// in place later survive a re-run, and a re-run takes well under a second
// once the tree is complete.
//
// Usage: node make-course.js OUTPUT_FOLDER
"use strict";

const fs = require("fs");
const path = require("path");
const { execFileSync } = require("child_process");
const crypto = require("crypto");

const kChapterSizes = [60, 120, 180, 240, 300, 300];
const kCourseSize = kChapterSizes.reduce((a, b) => a + b, 0);
const kMaxLineBytes = 63;
const kStoryCount = 64;
const kStoryParts = 25;

function main() {
  const out = process.argv[2];
  if (!out) {
    console.error("usage: make-course.js OUTPUT_FOLDER");
    process.exit(2);
  }
  fs.mkdirSync(out, { recursive: true });
  const listPath = path.join(out, "list.txt");
  // The list is rebuilt only when it is missing or the generator or its data
  // changed: loading the lexicon takes seconds.
  const markerPath = path.join(out, ".list-source");
  const source = sourceDigest();
  const marker = fs.existsSync(markerPath) ? fs.readFileSync(markerPath, "utf8") : "";
  if (!fs.existsSync(listPath) || marker !== source) {
    if (writeIfChanged(listPath, buildList().join("\n") + "\n")) {
      // Sounds and pictures were made by the service from the old list.
      fs.rmSync(path.join(out, "ss"), { recursive: true, force: true });
      fs.rmSync(path.join(out, "pz"), { recursive: true, force: true });
    }
    fs.writeFileSync(markerPath, source);
  }
  writeStrokeData(out, fs.readFileSync(listPath, "utf8"));
  writeFixedSounds(out);
  writeStorySounds(out);
  console.log(`course: ${out} ready`);
}

// --- character list -------------------------------------------------------

// Characters a young child's course leaves out, also inside example words.
const kUnsuitable = /[杀死枪酒毒血屁性尸鬼骂]/;

function sourceDigest() {
  const hash = crypto.createHash("sha256");
  hash.update(fs.readFileSync(__filename));
  hash.update(fs.readFileSync(path.join(__dirname, "package-lock.json")));
  return hash.digest("hex");
}

function buildList() {
  const lexicon = quietly(() => require("chinese-lexicon"));
  const stats = require("chinese-lexicon/statistics");
  const ranked = rankCharacters(stats.movieCharFrequencies, stats.bookCharFrequencies);
  const lines = [];
  for (const ch of ranked) {
    const line = courseLine(lexicon, ch);
    if (line) lines.push(line);
    if (lines.length === kCourseSize) break;
  }
  if (lines.length !== kCourseSize) {
    throw new Error(`only ${lines.length} usable characters found`);
  }
  return lines;
}

// Orders characters by their mean share of spoken (film subtitles) and written
// (books) text; spoken frequency keeps the list close to a child's language.
function rankCharacters(movie, book) {
  const share = (table) => {
    let total = 0;
    for (const k of Object.keys(table)) total += +table[k].count || 0;
    return (ch) => ((table[ch] && +table[ch].count) || 0) / total;
  };
  const movieShare = share(movie);
  const bookShare = share(book);
  const chars = new Set([...Object.keys(movie), ...Object.keys(book)]);
  return [...chars]
    .filter(isHanzi)
    .map((ch) => ({ ch, score: movieShare(ch) + bookShare(ch) }))
    .sort((a, b) => b.score - a.score || (a.ch < b.ch ? -1 : 1))
    .map((x) => x.ch);
}

function isHanzi(text) {
  return /^[\u4e00-\u9fff]+$/.test(text);
}

// Characters taught by the HSK lists only: the film subtitles also rank the
// characters of foreign names (尼, 莱, 弗) high.
function courseLine(lexicon, ch) {
  const entries = lexicon.getEntries(ch).filter((e) => e.simp === ch && /^[a-zü]/.test(e.pinyin));
  if (entries.length === 0 || kUnsuitable.test(ch) || !entries.some((e) => e.statistics.hskLevel <= 6))
    return null;
  entries.sort((a, b) => (b.statistics.pinyinFrequency || 0) - (a.statistics.pinyinFrequency || 0));
  const pinyin = entries[0].pinyin;
  const word = exampleWord(lexicon, ch, entries[0].statistics.topWords || []);
  const line = [ch, pinyin, word, word].join("\t");
  return Buffer.byteLength(line) <= kMaxLineBytes ? line : null;
}

// A two-character word holding the character that the dictionary knows as an
// ordinary word: the one of the lowest HSK level, the more frequent first
// among equals; the character itself when none is found.
function exampleWord(lexicon, ch, topWords) {
  const candidates = topWords
    .map((w, rank) => ({ w: w.word, rank }))
    .filter((c) => c.w.length === 2 && c.w.includes(ch) && isHanzi(c.w) && !kUnsuitable.test(c.w))
    .map((c) => ({ ...c, entries: lexicon.getEntries(c.w).filter((e) => e.simp === c.w) }))
    .filter((c) => c.entries.length > 0 && c.entries.every((e) => /^[a-zü]/.test(e.pinyin)))
    .map((c) => ({ ...c, level: Math.min(...c.entries.map((e) => e.statistics.hskLevel || 7)) }))
    .sort((a, b) => a.level - b.level || a.rank - b.rank);
  return candidates.length ? candidates[0].w : ch;
}

function quietly(fn) {
  const log = console.log;
  console.log = () => {};
  try {
    return fn();
  } finally {
    console.log = log;
  }
}

// --- stroke data and fixed sounds -----------------------------------------

// Copies each course character's stroke data from hanzi-writer-data to
// bh/N.json, keeping only what the stroke movie draws. A character the data
// does not know gets no file; its movie then shows the character whole.
function writeStrokeData(out, listText) {
  const data = path.dirname(require.resolve("hanzi-writer-data/package.json"));
  fs.mkdirSync(path.join(out, "bh"), { recursive: true });
  listText.split("\n").forEach((line, index) => {
    const ch = line.split("\t")[0];
    const source = path.join(data, `${ch}.json`);
    if (!ch || !fs.existsSync(source)) return;
    const { strokes, medians } = JSON.parse(fs.readFileSync(source, "utf8"));
    writeIfChanged(path.join(out, "bh", `${index}.json`), JSON.stringify({ strokes, medians }));
  });
}

function writeFixedSounds(out) {
  const sounds = {
    "sound/right.mp3": "对",
    "sound/wrong.mp3": "不对",
    "sound/right1.mp3": "真棒",
    "sound/wrong1.mp3": "再试一次",
    "sound/4.mp3": "看卡片",
    "sound/followMeRead.mp3": "跟我读",
    "null.mp3": "",
  };
  fs.mkdirSync(path.join(out, "sound"), { recursive: true });
  for (const [name, text] of Object.entries(sounds)) {
    const file = path.join(out, name);
    if (!fs.existsSync(file)) speakToMp3(text, file);
  }
  const tap = path.join(out, "sound/tap.mp3");
  if (!fs.existsSync(tap)) encodeMp3(chimeWav([1046.5, 1568]), tap);
}

// The sound of every story's title page: "a" on the story's first day, "b"
// on the days it goes on. Spoken once, copied into each story folder.
function writeStorySounds(out) {
  const spoken = { a: "新的故事开始了", b: "故事还在继续" };
  for (const [letter, text] of Object.entries(spoken)) {
    const voice = path.join(out, "sound", `story-${letter}.mp3`);
    if (!fs.existsSync(voice)) speakToMp3(text, voice);
    for (let story = 0; story < kStoryCount; story++) {
      const file = path.join(out, `gs${story}`, `${story}${letter}.mp3`);
      if (fs.existsSync(file)) continue;
      fs.mkdirSync(path.dirname(file), { recursive: true });
      fs.copyFileSync(voice, file);
    }
  }
}

// A short, soft two-note chime as 16-bit mono WAV: every touch in the course
// plays it.
function chimeWav(frequencies) {
  const rate = 22050;
  const noteSamples = Math.round(rate * 0.07);
  const samples = noteSamples * frequencies.length;
  const wav = Buffer.alloc(44 + samples * 2);
  wav.write("RIFF", 0, "latin1");
  wav.writeUInt32LE(36 + samples * 2, 4);
  wav.write("WAVEfmt ", 8, "latin1");
  wav.writeUInt32LE(16, 16);
  wav.writeUInt16LE(1, 20);
  wav.writeUInt16LE(1, 22);
  wav.writeUInt32LE(rate, 24);
  wav.writeUInt32LE(rate * 2, 28);
  wav.writeUInt16LE(2, 32);
  wav.writeUInt16LE(16, 34);
  wav.write("data", 36, "latin1");
  wav.writeUInt32LE(samples * 2, 40);
  for (let i = 0; i < samples; i++) {
    const f = frequencies[Math.floor(i / noteSamples)];
    const t = (i % noteSamples) / rate;
    const fade = Math.exp(-t * 30);
    wav.writeInt16LE(Math.round(Math.sin(2 * Math.PI * f * t) * fade * 9000), 44 + i * 2);
  }
  return wav;
}

function encodeMp3(wavBytes, file) {
  const wav = `${file}.${process.pid}.wav`;
  fs.writeFileSync(wav, wavBytes);
  try {
    lameToMp3(wav, file);
  } finally {
    fs.rmSync(wav, { force: true });
  }
}

function lameToMp3(wav, file) {
  const tmp = `${file}.${process.pid}.tmp`;
  try {
    execFileSync("lame", ["--quiet", "-b", "32", wav, tmp]);
    fs.renameSync(tmp, file);
  } finally {
    fs.rmSync(tmp, { force: true });
  }
}

function speakToMp3(text, file) {
  const wav = `${file}.${process.pid}.wav`;
  try {
    execFileSync("espeak-ng", ["-v", "cmn", "-w", wav, text || " "]);
    lameToMp3(wav, file);
  } finally {
    fs.rmSync(wav, { force: true });
  }
}

// Returns whether the file changed.
function writeIfChanged(file, text) {
  if (fs.existsSync(file) && fs.readFileSync(file, "utf8") === text) return false;
  const tmp = `${file}.${process.pid}.tmp`;
  fs.writeFileSync(tmp, text);
  fs.renameSync(tmp, file);
  return true;
}

main();
