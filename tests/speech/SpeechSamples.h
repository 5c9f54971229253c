#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Synthesised speech for recognition tests and the benchmark, as 16 kHz mono samples.
namespace SpeechSamples {

// Speaks the text with a voice: an espeak-ng voice ("en-us", "en-us+f3", or with its rate in
// words a minute and pitch "espeak:en-us+f3:150:70"), a flite voice ("flite:slt", or with a
// duration stretch "flite:slt:1.1") or a festival voice ("festival:kal_diphone:1.0"). Returns
// the samples with the synthesiser's own leading and trailing silence trimmed; empty when the
// synthesiser fails.
std::vector<int16_t> Speak(const std::string& text, const std::string& voice);

// A sound file (any format sox reads) as 16 kHz mono samples; empty when it cannot be read.
std::vector<int16_t> ReadAudio(const std::string& path);

// The samples without their leading and trailing silence.
std::vector<int16_t> Trimmed(const std::vector<int16_t>& samples);

// A quiet room: noise of this peak amplitude (a microphone never delivers exact silence).
std::vector<int16_t> Quiet(double seconds, uint32_t seed, int amplitude = 24);

// Speech framed as it reaches the microphone: quiet before and after.
struct Utterance {
    std::vector<int16_t> samples;
    std::size_t speechEnd = 0;  // sample index where the speech itself ends
};
Utterance Frame(const std::vector<int16_t>& speech, double before, double after, uint32_t seed);

// Steady noises: white, pink (3 dB less an octave higher), and a fan's hum (a low rumble with
// the mains hum and its harmonics).
enum class Noise { White, Pink, Hum };

// Adds noise at the given signal-to-noise ratio (dB), measured against the speech's own
// power over [speechBegin, speechEnd).
void AddNoise(std::vector<int16_t>& samples, Noise kind, double snrDb, std::size_t speechBegin,
              std::size_t speechEnd, uint32_t seed);
// Adds noise at a level in dB below full scale (RMS; -60 is a quiet microphone's floor).
void AddNoiseAtLevel(std::vector<int16_t>& samples, Noise kind, double dbfs, uint32_t seed);

// The same samples at another volume (gain 0.5 halves the amplitude).
std::vector<int16_t> Scaled(const std::vector<int16_t>& samples, double gain);

// Writes a 16 kHz mono 16-bit WAV file.
bool WriteWav(const std::string& path, const std::vector<int16_t>& samples);

}  // namespace SpeechSamples
