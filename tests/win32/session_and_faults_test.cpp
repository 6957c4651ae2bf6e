// One Murvane per session, and what happens when the program throws inside a
// window procedure: the loop ends with a code, never an abort.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/session_instance_win32.h"
#include "platform/win32/window_system_win32.h"
#include "support/win32_test_support.h"
#include "ui/config/config_layout.h"

namespace murvane::win32 {
namespace {

TEST(SessionAndFaults, ALaterStartFindsTheFirstAndItsRequestsArrive) {
  std::vector<InstanceRequest> received;
  auto first = std::make_unique<Win32SessionInstance>();
  ASSERT_TRUE(first->Claim([&](InstanceRequest request) { received.push_back(request); }));

  Win32SessionInstance later;
  EXPECT_FALSE(later.Claim([](InstanceRequest) {}));
  EXPECT_TRUE(later.AskRunning(InstanceRequest::ShowConfiguration));
  EXPECT_TRUE(later.AskRunning(InstanceRequest::Exit));
  EXPECT_TRUE(test::PumpUntil([&] { return received.size() == 2; }));
  EXPECT_EQ(received, (std::vector<InstanceRequest>{InstanceRequest::ShowConfiguration,
                                                    InstanceRequest::Exit}));

  // The claim goes with the program that held it.
  first.reset();
  Win32SessionInstance next;
  EXPECT_TRUE(next.Claim([](InstanceRequest) {}));
}

// A program that asked to end ends with 0, whatever fault follows.
TEST(SessionAndFaults, AnExceptionInAHandlerEndsTheLoopWithACode) {
  test::RecordingEvents events;
  events.onClick = [] { throw std::runtime_error("a handler's fault"); };
  Win32WindowSystem system, ending;
  const auto native = system.CreateNativeWindow(ConfigWindowLayout(), events);
  SendMessageW(static_cast<Win32Window&>(*native).ControlWindow({"cmdApply"}), BM_CLICK, 0, 0);
  EXPECT_TRUE(Faulted());
  EXPECT_EQ(system.RunMessageLoop(), kExitAfterFault);
  ending.Quit();
  NoteFault();
  EXPECT_EQ(ending.RunMessageLoop(), 0);
}

}  // namespace
}  // namespace murvane::win32
