#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ChildProcess.h"
#include "TempProgramFolder.h"
#include "store/InstanceLock.h"

namespace {

using MainWindow = InstanceLock::MainWindow;

TEST(InstanceLockTest, OneHolderPerFolderUntilItLetsGo) {
    TempProgramFolder folder;
    TempProgramFolder other;
    auto first = InstanceLock::Acquire(folder.Path());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(InstanceLock::Acquire(folder.Path()), nullptr);
    EXPECT_NE(InstanceLock::Acquire(other.Path()), nullptr);
    first.reset();
    EXPECT_NE(InstanceLock::Acquire(folder.Path()), nullptr);
}

TEST(InstanceLockTest, TheHoldersMainWindowIsPublishedUntilTheNextHolder) {
    TempProgramFolder folder;
    auto lock = InstanceLock::Acquire(folder.Path());
    EXPECT_EQ(InstanceLock::Published(folder.Path()), std::nullopt);
    lock->Publish(":3", 4194311);
    EXPECT_EQ(InstanceLock::Published(folder.Path()), (MainWindow{":3", 4194311}));
    lock.reset();
    lock = InstanceLock::Acquire(folder.Path());
    EXPECT_EQ(InstanceLock::Published(folder.Path()), std::nullopt);

    // Half-written or foreign contents publish nothing.
    for (const char* text : {"", ":0", ":0\n", ":0\n12", ":0\nabc\n", ":0\n0\n", ":0\n-5\n"}) {
        WriteBytes(folder.File(InstanceLock::kFileName), text);
        EXPECT_EQ(InstanceLock::Published(folder.Path()), std::nullopt) << text;
    }
}

TEST(InstanceLockTest, AnotherProcessHoldsItUntilItIsKilled) {
    TempProgramFolder folder;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t holder = fork();
    ASSERT_NE(holder, -1);
    if (holder == 0) {
        const auto lock = InstanceLock::Acquire(folder.Path());
        const char held = lock != nullptr ? 'y' : 'n';
        if (write(ready[1], &held, 1) != 1) _exit(1);
        pause();
        _exit(0);
    }
    char held = 0;
    ASSERT_EQ(read(ready[0], &held, 1), 1);
    close(ready[0]);
    close(ready[1]);
    EXPECT_EQ(held, 'y');
    EXPECT_EQ(InstanceLock::Acquire(folder.Path()), nullptr);
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    EXPECT_NE(InstanceLock::Acquire(folder.Path()), nullptr);
}

TEST(InstanceLockTest, AProgramTheHolderStartedDoesNotKeepIt) {
    TempProgramFolder folder;
    auto lock = InstanceLock::Acquire(folder.Path());
    const ChildProcess started({"sleep", "30"}, true);
    lock.reset();
    EXPECT_NE(InstanceLock::Acquire(folder.Path()), nullptr);
}

}  // namespace
