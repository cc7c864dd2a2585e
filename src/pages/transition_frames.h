// The pictures of the page transitions: the frame an effect shows at each step, computed from
// the old page, the new page and the page's transition settings. The transition window owns
// the timing; these functions only draw.
//
// Effects 1 to 12 draw frame k of N (k runs from N down to 0). Effects 13 to 17 draw for a
// progress p from 0 to 1 and need tables prepared once per transition (a height field, the
// scatter targets, the curl tables), whose set-up draws from the player's random generator.
// Effect 18 belongs to the transition plug-in and draws nothing here.
//
// The formulas address pixels in the device-independent order: buffer row 0 is the bottom row
// of the picture. A Surface keeps its rows top-down, so buffer row y is Surface row H - 1 - y.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "base/runtime_random.h"
#include "gfx/surface.h"

namespace velk {

// The largest effect number; 0 means no transition.
inline constexpr int kLastTransitionEffect = 18;
// The first effect that runs on progress instead of k of N.
inline constexpr int kFirstProgressEffect = 13;

// The number of steps N of a transition of `duration_ms`: 4 below 200 ms, 8 below 300, 12
// below 500, 16 below 600, 18 below 1000, 20 below 1200, 26 below 1400, otherwise 30. A
// duration of 0 counts as 1; a negative duration -n asks for exactly n steps. The stored
// duration is an unsigned field: pass its bits as a signed value. 0 for an effect outside
// 1 ... 18.
int TransitionFrameCount(int effect, std::int32_t duration_ms);
// The time between two frames: the duration over N, at least 1 ms (a negative or zero
// duration counts as 1 ms).
int TransitionInterval(std::int32_t duration_ms);
// How far the progress of effects 13 to 18 moves per frame: 10 / max(duration, 100).
double TransitionProgressStep(std::int32_t duration_ms);

// The tables of effects 13 to 17 for one transition of W x H pixels. Indices are buffer
// indices i = y x W + x.
struct TransitionTables {
    int effect = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool ready = false;   // prepared for effect, width and height
    bool failed = false;  // the tables could not be allocated: the transition shows no frames

    // Effect 13: the height of every pixel, with the smallest and largest value.
    std::vector<std::int32_t> heights;
    std::int32_t min_height = 0;
    std::int32_t max_height = 0;

    // Effects 14 and 15: the column and row every pixel flies to.
    std::vector<std::int32_t> scatter_columns;
    std::vector<std::int32_t> scatter_rows;

    // Effects 16 and 17: the curl position P, moved after every frame.
    std::int64_t curl_position = 0;
};

// The curl tables of effects 16 and 17: 250 entries of the quarter circle of radius 125 and
// the brightness of the curled part.
inline constexpr int kCurlSteps = 250;
struct CurlTables {
    std::array<std::int32_t, kCurlSteps> x{};
    std::array<std::int32_t, kCurlSteps> y{};
    std::array<double, kCurlSteps> weight{};
};
CurlTables MakeCurlTables();

// Everything a frame needs besides the two pages. The mask comes from the page record and is
// untrusted: a mask whose bytes do not cover mask_width x mask_height is not used.
struct TransitionInputs {
    explicit TransitionInputs(RuntimeRandom& generator) : random(generator) {}

    std::span<const std::uint8_t> mask;
    std::uint32_t mask_width = 0;
    std::uint32_t mask_height = 0;
    bool mask_stretch = true;
    bool mask_invert = false;

    // The player's generator (owned by the caller): effects 13 to 15 draw from it at set-up.
    RuntimeRandom& random;
    TransitionTables tables;
};

// Prepares the tables of effect 13 ... 17 for a width x height transition, drawing the random
// numbers the effect needs. False when the tables cannot be allocated (the transition then
// shows no frames) or for another effect (nothing to prepare). Calling it again for the same
// effect and size starts a new transition: new random tables, the curl back at its start.
bool PrepareTransitionTables(int effect, std::int32_t width, std::int32_t height,
                             TransitionInputs& inputs);

// Draws frame k of n of `effect` into `out`. All three surfaces must have the same size;
// otherwise `out` is left as it is. k is limited to 0 ... n and n is at least 1.
//
// Effects 1 to 12 draw exactly the frame for k. Effects 13 to 17 draw the frame for progress
// p = (n - k) / n (preparing their tables when they are not ready), with the curl of 16 and
// 17 at the position the previous frame (progress (n - k - 1) / n) left it. Effect 18 and
// unknown effects leave `out` as it is.
void DrawTransitionFrame(int effect, int k, int n, const Surface& old_page, const Surface& new_page,
                         Surface& out, TransitionInputs& inputs);

// Draws the frame of effect 13 ... 17 for progress p (limited to 0 ... 1), as the transition
// window does with its accumulated progress: the tables are used as prepared (and prepared
// now when they are not), and the curl moves on after the frame. `out` is left as it is for
// other effects, for surfaces of different sizes and when the tables failed.
void DrawTransitionProgressFrame(int effect, double p, const Surface& old_page,
                                 const Surface& new_page, Surface& out, TransitionInputs& inputs);

// Where the curl of effect 16 or 17 stands after the frame for progress p, for a picture of
// `height` rows: H - 3H x p (16) or 3H x p - 2H (17), truncated toward zero. Before the first
// frame it stands at H (16) or -2H (17).
std::int64_t CurlPositionAfter(int effect, std::int32_t height, double p);
std::int64_t InitialCurlPosition(int effect, std::int32_t height);

}  // namespace velk
