#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <thread>

#include "speech/Pronouncer.h"

namespace {

// The phones of the US English acoustic model.
const std::set<std::string> kModelPhones = {
    "AA", "AE", "AH", "AO", "AW", "AY", "B",  "CH", "D", "DH", "EH", "ER", "EY",
    "F",  "G",  "HH", "IH", "IY", "JH", "K",  "L",  "M", "N",  "NG", "OW", "OY",
    "P",  "R",  "S",  "SH", "T",  "TH", "UH", "UW", "V", "W",  "Y",  "Z",  "ZH"};

bool AllModelPhones(const std::string& phones) {
    std::istringstream in(phones);
    std::string phone;
    int count = 0;
    while (in >> phone) {
        if (!kModelPhones.contains(phone)) return false;
        ++count;
    }
    return count > 0;
}

TEST(PronouncerTest, MapsIpaToModelPhones) {
    using Pronouncer::IpaToModelPhones;
    EXPECT_EQ(IpaToModelPhones("dʒˈɛdɪt"), "JH EH D IH T");
    EXPECT_EQ(IpaToModelPhones("ɡˈɪmp"), "G IH M P");
    // Diphthongs and affricates are single phones; stress, length and blanks vanish.
    EXPECT_EQ(IpaToModelPhones("tʃˈɜːtʃ"), "CH ER CH");
    EXPECT_EQ(IpaToModelPhones("bˈaɪt kˈaʊ bˈɔɪ ɡˈoʊ pˈeɪdʒ"), "B AY T K AW B OY G OW P EY JH");
    EXPECT_EQ(IpaToModelPhones("θˈʌndɚbˌɜːd"), "TH AH N D ER B ER D");
    EXPECT_EQ(IpaToModelPhones("mˈɛʒɚ sˈɪŋ ðə jˈɛs"), "M EH ZH ER S IH NG DH AH Y EH S");
    // Symbols without a model phone are left out.
    EXPECT_EQ(IpaToModelPhones("ʔˈʌʔoʊ"), "AH OW");
    EXPECT_EQ(IpaToModelPhones(""), "");
}

TEST(PronouncerTest, PronouncesWordsTheDictionaryLacks) {
    EXPECT_EQ(Pronouncer::Pronounce("gedit"), "JH EH D IH T");
    EXPECT_EQ(Pronouncer::Pronounce("gimp"), "G IH M P");
    EXPECT_EQ(Pronouncer::Pronounce("2"), "T UW");
    EXPECT_EQ(Pronouncer::Pronounce("f4"), "EH F F AO R");
    // Letters are spelled out; every phone is one the model knows.
    for (const char* word :
         {"libreoffice", "konsole", "vlc", "xterm", "ctrl-s", "42", "caf\xE9", "thunderbird"}) {
        const std::string phones = Pronouncer::Pronounce(word);
        EXPECT_TRUE(AllModelPhones(phones)) << word << " -> " << phones;
    }
    EXPECT_EQ(Pronouncer::Pronounce("vlc"), "V IY EH L S IY");
}

TEST(PronouncerTest, NothingToSayGivesNothing) {
    EXPECT_EQ(Pronouncer::Pronounce(""), "");
    EXPECT_EQ(Pronouncer::Pronounce("   "), "");
}

TEST(PronouncerTest, CallsFromSeveralThreadsAgree) {
    const std::string expected = Pronouncer::Pronounce("inkscape");
    std::vector<std::string> results(4);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < results.size(); ++i) {
        threads.emplace_back([&results, i] {
            for (int n = 0; n < 20; ++n) results[i] = Pronouncer::Pronounce("inkscape");
        });
    }
    for (auto& thread : threads) thread.join();
    for (const auto& result : results) EXPECT_EQ(result, expected);
    EXPECT_TRUE(AllModelPhones(expected));
}

}  // namespace
