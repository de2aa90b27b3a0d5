// How the window program chooses its platform from what a desktop offers.
#include <gtest/gtest.h>

#include "platform/window_system.h"

namespace velunor::platform {
namespace {

struct TChoiceCase {
  const char* name;
  TDesktopOffer offer;
  TStartPlatform expected;
};

class StartPlatformChoice : public ::testing::TestWithParam<TChoiceCase> {};

TEST_P(StartPlatformChoice, FollowsTheDesktop) {
  EXPECT_EQ(ChooseStartPlatform(GetParam().offer), GetParam().expected);
}

// x11, wayland, waylandPlatform, requested.
INSTANTIATE_TEST_SUITE_P(
    Offers, StartPlatformChoice,
    ::testing::Values(
        TChoiceCase{"Nothing", {false, false, false, ""}, TStartPlatform::kNoDesktop},
        TChoiceCase{"X11Alone", {true, false, false, ""}, TStartPlatform::kX11},
        TChoiceCase{"XWaylandBesideWayland", {true, true, true, ""}, TStartPlatform::kX11},
        TChoiceCase{"WaylandAlone", {false, true, true, ""}, TStartPlatform::kWayland},
        TChoiceCase{"WaylandWithoutItsPlatform",
                    {false, true, false, ""},
                    TStartPlatform::kNoWaylandPlatform},
        TChoiceCase{
            "WaylandAskedForBesideX11", {true, true, true, "wayland"}, TStartPlatform::kWayland},
        TChoiceCase{
            "WaylandEglAskedFor", {true, true, true, "wayland-egl"}, TStartPlatform::kWayland},
        TChoiceCase{"WaylandAskedForButMissing",
                    {true, true, false, "wayland"},
                    TStartPlatform::kNoWaylandPlatform},
        TChoiceCase{"WaylandAskedForButUnreachable",
                    {true, false, false, "wayland"},
                    TStartPlatform::kNoDesktop},
        TChoiceCase{
            "X11AskedForBesideWayland", {false, true, true, "xcb"}, TStartPlatform::kNoDesktop},
        TChoiceCase{"AnotherPlatformAskedFor",
                    {false, false, false, "offscreen"},
                    TStartPlatform::kRequested}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace velunor::platform
