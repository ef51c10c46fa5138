#include "core/sets/cSetEditor.h"
#include "core/ui/modKillCommand.h"
#include "fake/cRunHarness.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace qx {
namespace {

TEST(KillCommand, WhateverTheRunThrowsTheWindowIsUnlockedItsCaptionBackAndTheErrorLogged) {
    struct Case {
        const char* what;
        std::function<void()> fail; // after the run has changed the caption
        const char* description;    // nullptr: the run succeeds
    };
    for (const Case& c : {Case{"succeeds", [] {}, nullptr},
                          Case{"std exception", [] { throw std::runtime_error("list vanished"); }, "list vanished"},
                          Case{"anything else", [] { throw 42; }, ""}}) {
        SCOPED_TRACE(c.what);
        fake::cRunHarness h;
        cSetEditor editor(h.set, h.inventory, h.messages);
        h.ui.SetCaption("Quellix - office");
        bool lockedDuringRun = false;
        const bool ok = RunKillCommand(editor, h.ui, h.log, [&] {
            lockedDuringRun = editor.KillRunning();
            h.ui.SetCaption("Closing 'Editor'...");
            c.fail();
        });
        EXPECT_EQ(ok, c.description == nullptr);
        EXPECT_TRUE(lockedDuringRun);
        EXPECT_FALSE(editor.KillRunning());
        if (c.description == nullptr) {
            EXPECT_TRUE(h.ui.boxes.empty());
            continue;
        }
        EXPECT_EQ(h.ui.GetCaption(), "Quellix - office");
        ASSERT_EQ(h.ui.boxes.size(), 1u);
        EXPECT_NE(h.ui.boxes[0].text.find("KillSelectedSet\r\n" + std::string(c.description)), std::string::npos)
            << h.ui.boxes[0].text;
        const std::string* log = h.fs.Contents(fake::cRunHarness::kLogPath);
        ASSERT_NE(log, nullptr);
        EXPECT_NE(log->find("Location:     KillSelectedSet\r\n" + std::string(c.description) + "\r\n"),
                  std::string::npos);
    }
}

} // namespace
} // namespace qx
