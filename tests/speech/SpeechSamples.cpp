#include "SpeechSamples.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "ChildProcess.h"

namespace SpeechSamples {
namespace {

constexpr int kRate = 16000;

bool Run(const std::vector<std::string>& args) {
    return RunProgram(args) == 0;
}

int16_t Clip(double value) {
    return static_cast<int16_t>(std::clamp(std::lround(value), -32768L, 32767L));
}

}  // namespace

std::vector<int16_t> Speak(const std::string& text, const std::string& voice) {
    std::string folderTemplate = (std::filesystem::temp_directory_path() / "vorn-say-XXXXXX");
    if (mkdtemp(folderTemplate.data()) == nullptr) return {};
    const std::filesystem::path folder = folderTemplate;
    const std::string wav = folder / "speech.wav";
    // "family:name:settings..."; a bare name is an espeak-ng voice.
    std::vector<std::string> parts;
    for (std::size_t at = 0; at <= voice.size();) {
        const std::size_t colon = std::min(voice.find(':', at), voice.size());
        parts.push_back(voice.substr(at, colon - at));
        at = colon + 1;
    }
    if (parts.size() == 1) parts.insert(parts.begin(), "espeak");
    const auto setting = [&parts](std::size_t i, const char* fallback) {
        return i < parts.size() ? parts[i] : std::string(fallback);
    };
    bool spoken = false;
    if (parts[0] == "flite") {
        spoken = Run({"flite", "-voice", parts[1], "--setf",
                      "duration_stretch=" + setting(2, "1.0"), "-t", text, "-o", wav});
    } else if (parts[0] == "festival") {
        spoken = Run({"festival", "--batch", "(voice_" + parts[1] + ")",
                      "(Parameter.set 'Duration_Stretch " + setting(2, "1.0") + ")",
                      "(utt.save.wave (utt.synth (Utterance Text \"" + text + "\")) \"" + wav +
                          "\" 'riff)"});
    } else {
        spoken = Run({"espeak-ng", "-v", parts[1], "-s", setting(2, "175"), "-p", setting(3, "50"),
                      "-w", wav, text});
    }
    std::vector<int16_t> samples = spoken ? ReadAudio(wav) : std::vector<int16_t>{};
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return Trimmed(samples);
}

std::vector<int16_t> ReadAudio(const std::string& path) {
    std::string folderTemplate = (std::filesystem::temp_directory_path() / "vorn-read-XXXXXX");
    if (mkdtemp(folderTemplate.data()) == nullptr) return {};
    const std::filesystem::path folder = folderTemplate;
    const std::string raw = folder / "samples.raw";
    std::vector<int16_t> samples;
    if (Run({"sox", path, "-r", "16000", "-c", "1", "-b", "16", "-e", "signed-integer", "-t", "raw",
             raw})) {
        std::ifstream in(raw, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
        samples.resize(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return samples;
}

std::vector<int16_t> Trimmed(const std::vector<int16_t>& samples) {
    int peak = 0;
    for (const int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    const int floor = std::max(64, peak / 200);
    const auto loud = [floor](int16_t s) { return std::abs(static_cast<int>(s)) > floor; };
    const auto first = std::find_if(samples.begin(), samples.end(), loud);
    const auto last = std::find_if(samples.rbegin(), samples.rend(), loud).base();
    if (first >= last) return {};
    return {first, last};
}

std::vector<int16_t> Quiet(double seconds, uint32_t seed, int amplitude) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> noise(-amplitude, amplitude);
    std::vector<int16_t> samples(static_cast<std::size_t>(seconds * kRate));
    for (auto& s : samples) s = static_cast<int16_t>(noise(random));
    return samples;
}

Utterance Frame(const std::vector<int16_t>& speech, double before, double after, uint32_t seed) {
    const auto lead = static_cast<std::size_t>(before * kRate);
    const double total = before + after + static_cast<double>(speech.size()) / kRate;
    Utterance utterance;
    // The quiet room goes on under the speech.
    utterance.samples = Quiet(total + 0.01, seed);
    for (std::size_t i = 0; i < speech.size() && lead + i < utterance.samples.size(); ++i) {
        utterance.samples[lead + i] = Clip(utterance.samples[lead + i] + speech[i]);
    }
    utterance.speechEnd = lead + speech.size();
    return utterance;
}

namespace {

// Noise of the kind with unit power.
std::vector<double> NoiseOf(Noise kind, std::size_t count, uint32_t seed) {
    std::mt19937 random(seed);
    std::normal_distribution<double> white(0.0, 1.0);
    std::vector<double> noise(count);
    double b0 = 0, b1 = 0, b2 = 0, rumble = 0;
    const double phase = std::uniform_real_distribution<double>(0, 6.283)(random);
    for (std::size_t i = 0; i < count; ++i) {
        const double w = white(random);
        switch (kind) {
            case Noise::White:
                noise[i] = w;
                break;
            case Noise::Pink:
                // White noise through a three-pole filter whose spectrum falls 3 dB an octave.
                b0 = 0.99765 * b0 + w * 0.0990460;
                b1 = 0.96300 * b1 + w * 0.2965164;
                b2 = 0.57000 * b2 + w * 1.0526913;
                noise[i] = b0 + b1 + b2 + w * 0.1848;
                break;
            case Noise::Hum: {
                // Low rumble (white noise through a slow one-pole filter) and 50 Hz harmonics.
                rumble = 0.995 * rumble + 0.1 * w;
                const double t = static_cast<double>(i) / kRate;
                double hum = 0;
                for (int h = 1; h <= 4; ++h)
                    hum += std::sin(6.283185 * 50.0 * h * t + h * phase) / h;
                noise[i] = rumble + 0.3 * hum;
                break;
            }
        }
    }
    double power = 0;
    for (const double n : noise) power += n * n;
    power = std::max(power / static_cast<double>(std::max<std::size_t>(count, 1)), 1e-12);
    for (double& n : noise) n /= std::sqrt(power);
    return noise;
}

void AddScaled(std::vector<int16_t>& samples, const std::vector<double>& noise, double rms) {
    for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = Clip(samples[i] + noise[i] * rms);
}

}  // namespace

void AddNoise(std::vector<int16_t>& samples, Noise kind, double snrDb, std::size_t speechBegin,
              std::size_t speechEnd, uint32_t seed) {
    speechEnd = std::min(speechEnd, samples.size());
    if (speechBegin >= speechEnd) return;
    double speechPower = 0;
    for (std::size_t i = speechBegin; i < speechEnd; ++i) {
        speechPower += static_cast<double>(samples[i]) * samples[i];
    }
    speechPower /= static_cast<double>(speechEnd - speechBegin);
    AddScaled(samples, NoiseOf(kind, samples.size(), seed),
              std::sqrt(speechPower / std::pow(10.0, snrDb / 10.0)));
}

void AddNoiseAtLevel(std::vector<int16_t>& samples, Noise kind, double dbfs, uint32_t seed) {
    AddScaled(samples, NoiseOf(kind, samples.size(), seed), 32768.0 * std::pow(10.0, dbfs / 20.0));
}

std::vector<int16_t> Scaled(const std::vector<int16_t>& samples, double gain) {
    std::vector<int16_t> out(samples.size());
    std::transform(samples.begin(), samples.end(), out.begin(),
                   [gain](int16_t s) { return Clip(s * gain); });
    return out;
}

bool WriteWav(const std::string& path, const std::vector<int16_t>& samples) {
    std::ofstream out(path, std::ios::binary);
    const auto put32 = [&out](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    const auto put16 = [&out](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    const auto dataBytes = static_cast<uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    put32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    put32(16);
    put16(1);  // PCM
    put16(1);  // mono
    put32(kRate);
    put32(kRate * 2);
    put16(2);
    put16(16);
    out.write("data", 4);
    put32(dataBytes);
    out.write(reinterpret_cast<const char*>(samples.data()),
              static_cast<std::streamsize>(dataBytes));
    return static_cast<bool>(out);
}

}  // namespace SpeechSamples
