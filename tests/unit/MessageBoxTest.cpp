#include <gtest/gtest.h>

#include "common/MessageBox.h"

TEST(Dialogs, BoxesAreRecordedAndAnsweredInTurn) {
    auto recording = std::make_unique<RecordingDialogs>();
    RecordingDialogs* dialogs = recording.get();
    dialogs->answers = {MsgAnswer::Cancel};
    auto previous = Dialogs::Install(std::move(recording));

    EXPECT_EQ(Dialogs::MsgBox("Delete?", MsgButtons::OKCancel, MsgIcon::Critical, "Confirm"),
              MsgAnswer::Cancel);
    EXPECT_EQ(Dialogs::MsgBox("Done."), MsgAnswer::OK);
    ASSERT_EQ(dialogs->boxes.size(), 2u);
    EXPECT_EQ(dialogs->boxes[0].title, "Confirm");
    EXPECT_EQ(dialogs->boxes[0].icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs->boxes[1].title, "Vorn! Voice Command");  // a box without a title

    dialogs->inputAnswers = {"Editing"};
    EXPECT_EQ(Dialogs::InputBox("Name?", "New"), "Editing");
    EXPECT_EQ(Dialogs::InputBox("Name?", "New", "dflt"), "dflt");
    Dialogs::Install(std::move(previous));
}
