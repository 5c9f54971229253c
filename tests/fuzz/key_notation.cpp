// Keys written in the key notation, parsed into key steps and sent: every step names a key the
// keyboard layer can send, each modifier a group presses is released in the reverse order, and
// nothing stays held down after the sending.
#include <limits>
#include <memory>
#include <vector>

#include "FuzzKeys.h"
#include "FuzzSupport.h"
#include "engine/KeyNotation.h"
#include "engine/KeyStepSender.h"
#include "platform/Platform.h"
#include "platform/sim/SimDesktop.h"

namespace {

// A vocabulary entry's keys are never longer than its record holds.
constexpr std::size_t kLongestKeys = 126;

void RequireSendableSteps(const std::vector<KeyStep>& steps) {
    std::vector<uint8_t> pressed;
    for (const KeyStep& step : steps) {
        switch (step.kind) {
            case KeyStep::Kind::Press:
                Require(step.code != 0, "a press of no key");
                pressed.push_back(step.code);
                break;
            case KeyStep::Kind::Release:
                Require(!pressed.empty() && pressed.back() == step.code,
                        "a release out of the reverse order of the presses");
                pressed.pop_back();
                break;
            case KeyStep::Kind::Repeat:
                Require(step.code != 0 && step.count >= 0 && step.count <= 32767,
                        "a repeat of no key or out of range");
                break;
            case KeyStep::Kind::Character:
            case KeyStep::Kind::CharacterKey:
                break;
        }
    }
    Require(pressed.empty(), "a modifier pressed is never released");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const auto desktop = [] {
        auto sim = std::make_shared<SimDesktop>();
        Platform::InstallAll(sim);
        return sim;
    }();
    const std::vector<KeyStep> steps = ParseKeyNotation(InputText(data, size));
    RequireSendableSteps(steps);
    if (size > kLongestKeys) return 0;

    desktop->keyEvents.clear();
    KeyStepSender(steps, desktop->foreground).SendPortion(std::numeric_limits<int>::max());
    RequireKeysSentAndReleased(*desktop);
    return 0;
}
