#include <gtest/gtest.h>

#include <filesystem>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/AppErrors.h"
#include "common/DebugLog.h"
#include "common/ErrorRecord.h"
#include "common/PlatformErrors.h"
#include "common/ProgramFolder.h"
#include "common/ResumeNext.h"
#include "common/StringTable.h"

namespace {

ErrorRecord Raised(int32_t number) {
    try {
        RunningApps::RaiseAppError(number);
    } catch (const ErrorRecord& e) {
        return e;
    }
    ADD_FAILURE() << "RaiseAppError returned";
    return ErrorRecord(0, {}, {});
}

}  // namespace

TEST(AppErrors, RaisedErrorCarriesNumberSourceAndDescription) {
    const ErrorRecord e = Raised(13013);
    EXPECT_EQ(e.Number(), 13013);
    EXPECT_EQ(e.Description(),
              "No \"Vocab\" Directory!  Please create the subdirectory \"Vocab\" under \"Vorn\" "
              "main directory.");
    EXPECT_EQ(ExecutableName(), "common_tests");
    // The source names the class of the number's group.
    EXPECT_EQ(e.Source(), ExecutableName() + ".CFile");
    EXPECT_EQ(Raised(13001).Source(), ExecutableName() + ".CApp");
    EXPECT_EQ(Raised(13011).Source(), ExecutableName() + ".CFile");
    EXPECT_EQ(Raised(13021).Source(), ExecutableName() + ".CVocab");
}

TEST(AppErrors, StringTableRowsAreExact) {
    EXPECT_EQ(LoadResString(13001),
              "Shell command failed to launch the application.  Please check to see that the "
              "path name is correct.");
    EXPECT_EQ(LoadResString(13011),
              "File Corrupt:  Please Shut Down The Application And Create A New File.");
    EXPECT_EQ(LoadResString(13012),
              "No Valid Dictionary Selection:  You Must Select A Dictionary Word!!");
    EXPECT_EQ(LoadResString(13021), LoadResString(13012));
    EXPECT_THROW(LoadResString(13002), std::out_of_range);
}

TEST(AppErrors, LowWordKeepsTheLow16Bits) {
    EXPECT_EQ(RunningApps::LowWord(-1), 65535);
    EXPECT_EQ(RunningApps::LowWord(13012), 13012);
    EXPECT_EQ(RunningApps::LowWord(0x12345), 0x2345);
}

TEST(AppErrors, PlatformErrorsKeepTheirNumbersAndDescriptions) {
    try {
        PlatformError::Raise(PlatformError::kBadFileNameOrNumber);
        FAIL();
    } catch (const ErrorRecord& e) {
        EXPECT_EQ(e.Number(), 52);
        EXPECT_EQ(e.Description(), "Bad file name or number");
    }
    EXPECT_EQ(PlatformError::Description(6), "Overflow");
    EXPECT_EQ(PlatformError::Description(70), "Permission denied");
    EXPECT_EQ(PlatformError::Description(381), "Invalid property array index");
    EXPECT_EQ(PlatformError::Description(5), "Invalid procedure call or argument");
}

TEST(ResumeNext, DropsRunTimeFailuresAndLogsThem) {
    static std::vector<std::string> logged;
    logged.clear();
    const DebugLog::Sink before =
        DebugLog::InstallSink([](std::string_view message) { logged.emplace_back(message); });
    int steps = 0;
    EXPECT_FALSE(ResumeNext([&] {
        ++steps;
        RunningApps::RaiseAppError(AppError::kStoreFailed);
    }));
    EXPECT_FALSE(ResumeNext([] { throw std::filesystem::filesystem_error("no disk", {}); }));
    EXPECT_FALSE(ResumeNext([] { throw std::bad_alloc(); }));
    EXPECT_TRUE(ResumeNext([&] { ++steps; }));
    EXPECT_EQ(steps, 2);
    DebugLog::InstallSink(before);
    ASSERT_EQ(logged.size(), 3u);
    const ErrorRecord storeFailed = Raised(AppError::kStoreFailed);
    EXPECT_EQ(logged[0], "passed over a failed step: error " +
                             std::to_string(storeFailed.Number()) + ": " +
                             storeFailed.Description());
    EXPECT_NE(logged[1].find("no disk"), std::string::npos);
}

TEST(ResumeNext, LetsProgrammingErrorsThrough) {
    EXPECT_THROW(ResumeNext([] { throw std::logic_error("no backend"); }), std::logic_error);
    EXPECT_THROW(ResumeNext([] { std::string().at(1); }), std::out_of_range);
    EXPECT_THROW(ResumeNext([] { throw 42; }), int);
}
