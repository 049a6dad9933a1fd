#pragma once

#include <QByteArray>

#include <functional>

// Plays one word's samples on the default sound output. The audio module
// (src/audio), which alone links Qt Multimedia and the sound libraries under
// it, implements it and is loaded when a screen with speakers opens, so
// start-up maps none of them. Header only: the module and the program share no
// compiled code.
class AudioOutput {
  public:
    struct Events {
        std::function<void()> firstSamplesWritten; // the output has taken the first samples
        std::function<void()> finished;            // the word has played to its end
        std::function<void()> failed;              // no output, or it stopped with an error
    };

    virtual ~AudioOutput() = default;
    // 16-bit mono samples; a word still playing is stopped first. Every event
    // comes later, from the event loop, or from within this call on failure.
    virtual void play(const QByteArray& pcm, int sampleRate, Events events) = 0;
    virtual void stop() = 0;
    // Connects to the sound server ahead of the first word, which then only
    // opens its stream.
    virtual void prepare() = 0;
    // Whether an output for 16-bit mono at sampleRate opens now: opened and
    // closed again at once.
    virtual bool probe(int sampleRate) = 0;
};

// The module's one exported function: a new output, owned by the caller.
using AudioOutputFactory = AudioOutput* (*)();
inline constexpr char audioOutputFactoryName[] = "rumenaCreateAudioOutput";
inline constexpr char audioModuleName[] = "rumena_audio";
