// The voice command application record and the window identity at its head. Records built
// from any fields the program may write (identity and path anything, phrase and vocabulary
// without separators) read back as those fields; any text read back and written again reads
// the same; an identity built from a class and a title splits into them again.
// The input: class, title, phrase, vocabulary and path, each ended by a backslash and one more
// character ("\\" stands for a backslash), then any record text.
#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzSupport.h"
#include "store/AppRecord.h"
#include "store/WindowIdentity.h"

namespace {

bool SameFields(const AppRecord& a, const AppRecord& b) {
    return a.identity == b.identity && a.userName == b.userName &&
           a.vocabularyName == b.vocabularyName && a.pathName == b.pathName &&
           a.completed == b.completed;
}

// A name the program would store: the separators left out.
std::string StorableName(std::string name) {
    std::erase_if(name, [](char c) { return AppRecord::HoldsSeparator(std::string(1, c)); });
    return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string className = input.ConsumeRandomLengthString();
    const std::string title = input.ConsumeRandomLengthString();

    AppRecord built;
    built.identity = WindowIdentity::Build(className, title);
    built.userName = StorableName(input.ConsumeRandomLengthString());
    built.vocabularyName = StorableName(input.ConsumeRandomLengthString());
    built.pathName = input.ConsumeRandomLengthString();
    built.completed = true;
    Require(SameFields(AppRecord::Parse(built.Text()), built), "a built record reads differently");

    const AppRecord fresh = AppRecord::Parse(AppRecord::Fresh(built.identity));
    Require(fresh.identity == built.identity && !fresh.completed,
            "a fresh record reads differently");

    if (className.find('\xA6') == std::string::npos) {
        const WindowIdentity::Parts parts = WindowIdentity::Split(built.identity);
        Require(parts.className == className && parts.title == title,
                "an identity splits differently");
    }

    // Any text: written again as read, it reads the same, unless a phrase or vocabulary name
    // that the program would refuse to store came out of it.
    const AppRecord read = AppRecord::Parse(input.ConsumeRemainingBytesAsString());
    if (read.completed && !read.identity.empty() && !AppRecord::HoldsSeparator(read.userName) &&
        !AppRecord::HoldsSeparator(read.vocabularyName)) {
        Require(SameFields(AppRecord::Parse(read.Text()), read),
                "a record read changes when written");
    }
    return 0;
}
