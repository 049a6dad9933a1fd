#pragma once

#include <QByteArray>
#include <QList>

// A small pitch tracker for checking synthesized tones by ear-free measurement:
// YIN (de Cheveigné and Kawahara, "YIN, a fundamental frequency estimator for
// speech and music", JASA 111(4), 2002) over 16-bit mono PCM.
namespace PitchTrack {

struct Frame {
    double f0 = 0;  // Hz; 0 where the frame is unvoiced
    double rms = 0; // 0..1 of full scale
};

// One frame every 5 ms, 40 ms window, voicing 60..300 Hz.
QList<Frame> track(const QByteArray& pcm, int sampleRate);
constexpr double frameSeconds = 0.005;

// Tone numbers 1..4 (level high, rising, dipping or low, falling), one per
// syllable; 0 where a syllable has too few voiced frames to tell. The voiced
// frames are cut into `syllables` parts at the longest unvoiced gaps or, where
// syllables run into each other, at the weakest frames. A neutral syllable
// (tone 5) is classified like the others; callers skip it.
QList<int> tones(const QByteArray& pcm, int sampleRate, int syllables);

// The digits of prepared pinyin ("xue2 xiao4" -> {2, 4}).
QList<int> toneDigits(const QByteArray& pinyin);

} // namespace PitchTrack
