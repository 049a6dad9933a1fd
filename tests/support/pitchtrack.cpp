#include "pitchtrack.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <vector>

namespace PitchTrack {

namespace {

std::vector<double> samples(const QByteArray& pcm)
{
    std::vector<double> x(static_cast<size_t>(pcm.size() / 2));
    for (size_t i = 0; i < x.size(); ++i) {
        const auto lo = static_cast<unsigned char>(pcm[static_cast<qsizetype>(2 * i)]);
        const auto hi = static_cast<unsigned char>(pcm[static_cast<qsizetype>(2 * i + 1)]);
        x[i] = static_cast<qint16>(static_cast<quint16>(lo | (hi << 8))) / 32768.0;
    }
    return x;
}

double semitones(double f0)
{
    return 12.0 * std::log2(f0 / 100.0);
}

// Level tones above this are high (tone 1), below it low (a third tone cut
// short before another syllable): semitones over 100 Hz, halfway between the
// two levels of the program's voice (pitch 70, range 80).
constexpr double levelSplit = 2.0;

double mean(const std::vector<double>& v, size_t from, size_t to)
{
    return std::accumulate(v.begin() + static_cast<std::ptrdiff_t>(from), v.begin() + static_cast<std::ptrdiff_t>(to),
                           0.0) /
           static_cast<double>(to - from);
}

} // namespace

QList<Frame> track(const QByteArray& pcm, int sampleRate)
{
    const std::vector<double> x = samples(pcm);
    const auto hop = static_cast<size_t>(sampleRate * frameSeconds);
    const auto window = static_cast<size_t>(sampleRate * 0.025);
    const auto tauMin = static_cast<size_t>(sampleRate / 300);
    const auto tauMax = static_cast<size_t>(sampleRate / 60);
    QList<Frame> frames;
    std::vector<double> d(tauMax + 1);
    for (size_t t = 0; t + window + tauMax <= x.size(); t += hop) {
        Frame f;
        double energy = 0;
        for (size_t j = t; j < t + window; ++j)
            energy += x[j] * x[j];
        f.rms = std::sqrt(energy / static_cast<double>(window));
        // Cumulative mean normalized difference (steps 2 and 3 of the paper).
        double running = 0;
        d[0] = 1;
        for (size_t tau = 1; tau <= tauMax; ++tau) {
            double sum = 0;
            for (size_t j = t; j < t + window; ++j) {
                const double diff = x[j] - x[j + tau];
                sum += diff * diff;
            }
            running += sum;
            d[tau] = running > 0 ? sum * static_cast<double>(tau) / running : 1;
        }
        // Absolute threshold, then down to the local minimum (step 4); failing
        // that the deepest dip, as long as it is periodic at all: the synthetic
        // voice's gliding pitch smears the difference function.
        size_t best = 0;
        for (size_t tau = tauMin; tau < tauMax; ++tau) {
            if (d[tau] < 0.2) {
                while (tau + 1 < tauMax && d[tau + 1] < d[tau])
                    ++tau;
                best = tau;
                break;
            }
        }
        if (best == 0) {
            best = tauMin;
            for (size_t tau = tauMin; tau < tauMax; ++tau)
                if (d[tau] < d[best])
                    best = tau;
            if (d[best] > 0.6)
                best = 0;
        }
        if (best > 0 && f.rms > 0.01) {
            // Parabolic interpolation (step 5).
            const double a = d[best - 1], b = d[best], c = d[best + 1];
            const double denom = a - 2 * b + c;
            const double shift = denom != 0 ? 0.5 * (a - c) / denom : 0;
            f.f0 = sampleRate / (static_cast<double>(best) + std::clamp(shift, -0.5, 0.5));
        }
        frames.append(f);
    }
    return frames;
}

QList<int> toneDigits(const QByteArray& pinyin)
{
    QList<int> digits;
    for (const char c : pinyin)
        if (c >= '1' && c <= '5')
            digits.append(c - '0');
    return digits;
}

namespace {

struct Run {
    qsizetype first = 0, last = 0; // frame indices, inclusive
};

// Splits the voiced frames into n syllables.
QList<Run> syllableRuns(const QList<Frame>& frames, int n)
{
    QList<Run> runs;
    for (qsizetype i = 0; i < frames.size(); ++i) {
        if (frames[i].f0 <= 0)
            continue;
        // A gap of up to two frames is a glitch of the tracker, not a pause.
        if (!runs.isEmpty() && i - runs.last().last <= 3)
            runs.last().last = i;
        else
            runs.append({i, i});
    }
    runs.removeIf([](const Run& r) { return r.last - r.first < 4; });
    while (runs.size() > n) {
        qsizetype narrowest = 1;
        for (qsizetype i = 2; i < runs.size(); ++i)
            if (runs[i].first - runs[i - 1].last < runs[narrowest].first - runs[narrowest - 1].last)
                narrowest = i;
        runs[narrowest - 1].last = runs[narrowest].last;
        runs.removeAt(narrowest);
    }
    while (!runs.isEmpty() && runs.size() < n) {
        // Syllables that run into each other: cut the longest run at its weakest
        // frame away from its ends.
        qsizetype longest = 0;
        for (qsizetype i = 1; i < runs.size(); ++i)
            if (runs[i].last - runs[i].first > runs[longest].last - runs[longest].first)
                longest = i;
        const Run r = runs[longest];
        const qsizetype length = r.last - r.first + 1;
        if (length < 16)
            break;
        qsizetype cut = r.first + length / 4;
        for (qsizetype i = cut; i <= r.last - length / 4; ++i)
            if (frames[i].rms < frames[cut].rms)
                cut = i;
        runs[longest].last = cut - 1;
        runs.insert(longest + 1, {cut + 1, r.last});
    }
    return runs;
}

int classify(const QList<Frame>& frames, const Run& run)
{
    std::vector<double> st;
    for (qsizetype i = run.first; i <= run.last; ++i)
        if (frames[i].f0 > 0)
            st.push_back(semitones(frames[i].f0));
    if (st.size() < 6)
        return 0;
    // A median of three takes out single octave slips.
    std::vector<double> smooth(st);
    for (size_t i = 1; i + 1 < st.size(); ++i) {
        std::array<double, 3> w{st[i - 1], st[i], st[i + 1]};
        std::sort(w.begin(), w.end());
        smooth[i] = w[1];
    }
    // The onset follows the consonant and the end the fade of the voice.
    const size_t from = smooth.size() / 8, to = smooth.size() - smooth.size() / 10;
    const std::vector<double> c(smooth.begin() + static_cast<std::ptrdiff_t>(from),
                                smooth.begin() + static_cast<std::ptrdiff_t>(to));
    const size_t quarter = std::max<size_t>(1, c.size() / 4);
    const double start = mean(c, 0, quarter);
    const double end = mean(c, c.size() - quarter, c.size());
    const double low = *std::min_element(c.begin(), c.end());
    const double lowAt =
        static_cast<double>(std::min_element(c.begin(), c.end()) - c.begin()) / static_cast<double>(c.size());
    const double level = mean(c, 0, c.size());
    const double high = *std::max_element(c.begin(), c.end());
    // A fall, whether from the onset or after the glide up into it.
    if (end - start <= -2.0 || (high - end >= 2.5 && end < levelSplit))
        return 4;
    // Down and up again, low in the voice, the turn inside the syllable (a
    // glide into a rising syllable dips too, but from high up).
    if (lowAt >= 0.15 && lowAt <= 0.9 && start - low >= 0.3 && end - low >= 0.8 && level < levelSplit - 1.0)
        return 3;
    // The first tone of this voice climbs a little too, but from high up.
    if (end - start >= 1.0 && start < levelSplit + 0.3)
        return 2;
    return level >= levelSplit ? 1 : 3;
}

} // namespace

QList<int> tones(const QByteArray& pcm, int sampleRate, int syllables)
{
    QList<Frame> frames = track(pcm, sampleRate);
    // The voice spans a few semitones: frames far from its middle are the
    // noise of an aspirated consonant or an octave slip, not voice.
    std::vector<double> voiced;
    for (const Frame& f : frames)
        if (f.f0 > 0)
            voiced.push_back(semitones(f.f0));
    if (voiced.empty())
        return QList<int>(syllables, 0);
    std::nth_element(voiced.begin(), voiced.begin() + static_cast<std::ptrdiff_t>(voiced.size() / 2), voiced.end());
    const double middle = voiced[voiced.size() / 2];
    for (Frame& f : frames)
        if (f.f0 > 0 && std::abs(semitones(f.f0) - middle) > 6.0)
            f.f0 = 0;
    QList<int> result;
    for (const Run& r : syllableRuns(frames, syllables))
        result.append(classify(frames, r));
    while (result.size() < syllables)
        result.append(0);
    return result;
}

} // namespace PitchTrack
