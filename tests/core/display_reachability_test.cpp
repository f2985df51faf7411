#include "core/display_reachability.h"

#include <gtest/gtest.h>
#include <set>

namespace lookwell {
namespace {

// Servers listen at exactly these displays: X11 names, and Wayland sockets as
// "runtimeDir/name".
struct ListeningAt final : DisplayProbe {
    std::set<std::string> displays;
    bool x11DisplayListens(const std::string& display) const override {
        return displays.contains(display);
    }
    bool waylandDisplayListens(const std::string& display,
                               const std::string& runtimeDir) const override {
        return displays.contains(runtimeDir + "/" + display);
    }
};

const ListeningAt kNothingListens;

const std::string kAdvice =
    "; start Lookwell in a graphical session, or over SSH with X forwarding (ssh -X).\n";

TEST(DisplayReachability, NamesTheX11DisplayItTriedAndWhereTheNameCameFrom) {
    EXPECT_EQ(unreachableDisplaySentence({}, {}, kNothingListens),
              "lookwell: cannot reach an X display (DISPLAY is not set)" + kAdvice);
    CommandLine withOption;
    withOption.display = "127.0.0.1:99.0";
    DisplayEnvironment environment;
    environment.x11Display = ":98";
    EXPECT_EQ(unreachableDisplaySentence(withOption, environment, kNothingListens),
              "lookwell: cannot reach the X display \"127.0.0.1:99.0\" (-display)" + kAdvice);
}

TEST(DisplayReachability, EveryDisplayTriedIsNamedUnlessOneListens) {
    const DisplayEnvironment environment{"wayland;xcb", "", "wayland-7", "/run/user/7", "", ""};
    ListeningAt probe;
    probe.displays = {"/run/user/7/wayland-7"};
    EXPECT_FALSE(unreachableDisplaySentence({}, environment, probe));
    probe.displays = {":0"};
    EXPECT_EQ(unreachableDisplaySentence({}, environment, probe),
              "lookwell: cannot reach the Wayland display \"wayland-7\" (WAYLAND_DISPLAY) or an X "
              "display (DISPLAY is not set)" +
                  kAdvice);
    probe.displays = {"127.0.0.1:5"};
    EXPECT_FALSE(unreachableDisplaySentence({}, {"xcb", "127.0.0.1:5", "", "", "", ""}, probe));
}

TEST(DisplayReachability, PluginsWithoutADisplayAreNotItsBusiness) {
    CommandLine offscreen;
    offscreen.platform = "offscreen";
    EXPECT_FALSE(
        unreachableDisplaySentence(offscreen, {"xcb", "", "", "", "", ""}, kNothingListens));
    EXPECT_FALSE(unreachableDisplaySentence({}, {"xcb;vnc:size=800x600", "", "", "", "", ""},
                                            kNothingListens));
}

TEST(PlatformForTheDesktop, XwaylandOnlyOnGnomesWaylandForAQtWithoutItsDecorationUnlessChosen) {
    ListeningAt probe;
    probe.displays = {":0"};
    const DisplayEnvironment gnome{"", ":0", "wayland-0", "/run/user/7", "wayland", "ubuntu:GNOME"};
    EXPECT_EQ(platformInsteadOfQtsChoice({}, gnome, probe, false), "xcb");
    EXPECT_FALSE(platformInsteadOfQtsChoice({}, gnome, probe, true));
    EXPECT_FALSE(platformInsteadOfQtsChoice({}, gnome, kNothingListens, false));
    CommandLine chosen;
    chosen.platform = "wayland";
    EXPECT_FALSE(platformInsteadOfQtsChoice(chosen, gnome, probe, false));
    for (auto [variable, value] : {std::pair{&DisplayEnvironment::qpaPlatform, "wayland"},
                                   {&DisplayEnvironment::sessionType, "x11"},
                                   {&DisplayEnvironment::desktop, "KDE"},
                                   {&DisplayEnvironment::desktop, "GNOME-Flashback"}}) {
        DisplayEnvironment other = gnome;
        other.*variable = value;
        EXPECT_FALSE(platformInsteadOfQtsChoice({}, other, probe, false)) << value;
    }
}

} // namespace
} // namespace lookwell
