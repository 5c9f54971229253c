// A program path with environment variables in every notation expanded: names that are set
// give their values, the rest stays as written.
#include <stdlib.h>

#include "FuzzSupport.h"
#include "platform/x11/EnvironmentExpansion.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const bool set = [] {
        setenv("VORN_FUZZ_HOME", "/home/user", 1);
        setenv("VORN_FUZZ_EMPTY", "", 1);
        setenv("VORN_FUZZ_MARKS", "%VORN_FUZZ_HOME% ${VORN_FUZZ_HOME} $VORN_FUZZ_HOME", 1);
        return true;
    }();
    (void)set;
    const std::string text = InputText(data, size);
    const std::string expanded = ExpandEnvironment(text);
    if (text.find_first_of("%$") == std::string::npos) {
        Require(expanded == text, "a text without variables changed");
    }
    return 0;
}
