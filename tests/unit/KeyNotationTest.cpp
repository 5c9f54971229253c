#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/KeyNotation.h"

namespace {

std::string Quoted(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) return std::string("'") + c + "'";
    char hex[8];
    std::snprintf(hex, sizeof hex, "'\\x%02X'", byte);
    return hex;
}

// The steps written out, e.g. "down 18, key 115, up 18" for Alt+F4.
std::string Describe(const std::vector<KeyStep>& steps) {
    std::string out;
    for (const KeyStep& step : steps) {
        if (!out.empty()) out += ", ";
        switch (step.kind) {
            case KeyStep::Kind::Press:
                out += "down " + std::to_string(step.code);
                break;
            case KeyStep::Kind::Release:
                out += "up " + std::to_string(step.code);
                break;
            case KeyStep::Kind::Repeat:
                out += "key " + std::to_string(step.code);
                if (step.count != 1) out += " x" + std::to_string(step.count);
                break;
            case KeyStep::Kind::Character:
                out +=
                    (step.pressThenRelease ? "press+release " : "type ") + Quoted(step.character);
                break;
            case KeyStep::Kind::CharacterKey:
                out += "key of " + Quoted(step.character);
                break;
        }
    }
    return out;
}

struct Case {
    std::string keys;
    std::string steps;
};

void ExpectSteps(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(Describe(ParseKeyNotation(c.keys)), c.steps) << "keys: " << c.keys;
    }
}

const std::string kOpenBrace = "press+release '{'";
const std::string kCloseBrace = "press+release '}'";

}  // namespace

TEST(KeyNotation, ModifierGroupsHoldTheirModifiersAroundTheKey) {
    ExpectSteps({
        {"%{F4}", "down 18, key 115, up 18"},
        {"^+{TAB}", "down 17, down 16, key 9, up 16, up 17"},
        {"%^+{DEL}", "down 18, down 17, down 16, key 46, up 16, up 17, up 18"},
        {"^%{DEL}", "down 17, down 18, key 46, up 18, up 17"},
        {"%{XYZ}", "down 18, up 18"},
        {"%{F4}%{F4}", "down 18, key 115, up 18, down 18, key 115, up 18"},
        {"^{F16}", "down 17, key 127, up 17"},
        {"^{BKSP}", "down 17, key 8, up 17"},
        {"+~", "down 16, key 13, up 16"},
        // A fourth prefix is the key of the group.
        {"^^^^", "down 17, down 17, down 17, key of '^', up 17, up 17, up 17"},
    });
}

TEST(KeyNotation, AfterPrefixesACharacterIsTheKeyThatTypesIt) {
    ExpectSteps({
        {"^c", "down 17, key 67, up 17"},
        {"^C", "down 17, key 67, up 17"},
        {"%5", "down 18, key 53, up 18"},
        {"^-", "down 17, key of '-', up 17"},
        {"^ ", "down 17, key of ' ', up 17"},
        {"^\x80", "down 17, key of '\\x80', up 17"},
    });
}

TEST(KeyNotation, CharactersOutsideGroups) {
    ExpectSteps({
        {"Hi!", "type 'H', type 'i', press+release '!'"},
        {"a b", "type 'a', type ' ', type 'b'"},
        {"!@#$&*()-|:<>?",
         "press+release '!', press+release '@', press+release '#', press+release '$', "
         "press+release '&', press+release '*', press+release '(', press+release ')', "
         "press+release '-', press+release '|', press+release ':', press+release '<', "
         "press+release '>', press+release '?'"},
        {"a~b", "type 'a', key 13, type 'b'"},
        {"~", "key 13"},
        {"\xA6", "type '\\xA6'"},
    });
}

TEST(KeyNotation, StandaloneNamedKeysAndLiteralBraces) {
    ExpectSteps({
        {"{TAB}", "key 9"},
        {"{DOWN 3}x", "key 40 x3, type 'x'"},
        {"{TAB 32767}", "key 9 x32767"},
        {"{x}", kOpenBrace + ", type 'x', " + kCloseBrace},
        {"{tab}", kOpenBrace + ", type 't', type 'a', type 'b', " + kCloseBrace},
        {"{TAB x}",
         kOpenBrace + ", type 'T', type 'A', type 'B', type ' ', type 'x', " + kCloseBrace},
        {"{TAB -1}", kOpenBrace +
                         ", type 'T', type 'A', type 'B', type ' ', press+release '-', type '1', " +
                         kCloseBrace},
        {"{TAB 32768}",
         kOpenBrace + ", type 'T', type 'A', type 'B', type ' ', type '3', type '2', type '7', " +
             "type '6', type '8', " + kCloseBrace},
        {"{TAB }", kOpenBrace + ", type 'T', type 'A', type 'B', type ' ', " + kCloseBrace},
        {"{tab", kOpenBrace + ", type 't', type 'a', type 'b'"},
        {"}", kCloseBrace},
    });
}

TEST(KeyNotation, AGroupWithoutItsKeyReleasesAndEndsTheTyping) {
    ExpectSteps({
        {"x^", "type 'x', down 17, up 17"},
        {"%+", "down 18, down 16, up 16, up 18"},
        {"^{F4x~", "down 17, up 17"},
        {"^{}y", "down 17, up 17, type 'y'"},  // an empty name sends nothing
    });
}

TEST(KeyNotation, TextsThatTypeNothing) {
    ExpectSteps({
        {"", ""},
        {"{TAB 0}", ""},
    });
}
