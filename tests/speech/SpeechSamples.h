#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Synthesised speech for recognition tests and the benchmark, as 16 kHz mono samples.
namespace SpeechSamples {

// Speaks the text with a voice: an espeak-ng voice ("en-us", "en-us+f3", "en-gb+m5") or a
// flite voice written "flite:<name>" ("flite:slt"). Returns the samples with the synthesiser's
// own leading and trailing silence trimmed; empty when the synthesiser fails.
std::vector<int16_t> Speak(const std::string& text, const std::string& voice);

// A quiet room: noise of this peak amplitude (a microphone never delivers exact silence).
std::vector<int16_t> Quiet(double seconds, uint32_t seed, int amplitude = 24);

// Speech framed as it reaches the microphone: quiet before and after.
struct Utterance {
    std::vector<int16_t> samples;
    std::size_t speechEnd = 0;  // sample index where the speech itself ends
};
Utterance Frame(const std::vector<int16_t>& speech, double before, double after, uint32_t seed);

// Adds pink noise at the given signal-to-noise ratio (dB), measured against the speech's own
// power over [speechBegin, speechEnd).
void AddPinkNoise(std::vector<int16_t>& samples, double snrDb, std::size_t speechBegin,
                  std::size_t speechEnd, uint32_t seed);

// The same samples at another volume (gain 0.5 halves the amplitude).
std::vector<int16_t> Scaled(const std::vector<int16_t>& samples, double gain);

// Writes a 16 kHz mono 16-bit WAV file.
bool WriteWav(const std::string& path, const std::vector<int16_t>& samples);

}  // namespace SpeechSamples
