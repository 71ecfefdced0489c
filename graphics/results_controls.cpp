// Where the results page's controls stand.
#include "graphics/results_scene.h"

namespace vorelin {

namespace {

// The accuracy percentages, the view buttons and the aspect-ratio boxes in the page's type. The
// view controls are as large as a pointer and a reader need at the smallest window a page may
// have (about 24 pixels a target, 11 a text). They stand left of the chart's area, below the
// accuracy buttons and beside the hint, in the order they were designed: the aspect ratio, the
// zoom, the arrows.
constexpr ControlPlace kControlPlaces[] = {
    {"accuracyButton", 1000, 5500, 1500, 300, kPageButtonFont},
    {"accuracy1Button", 2600, 5500, 500, 300, kPageFont},
    {"accuracy2Button", 3200, 5500, 500, 300, kPageFont},
    {"accuracy5Button", 3800, 5500, 500, 300, kPageFont},
    {"accuracy10Button", 4400, 5500, 500, 300, kPageFont},
    {"accuracy20Button", 5000, 5500, 500, 300, kPageFont},
    {"entriesButton", 1000, 6000, 1500, 300, kPageButtonFont},
    {"printButton", 1000, 6500, 1500, 300, kPageButtonFont},
    {"plotwinButton", 1000, 7000, 1500, 300, kPageButtonFont},
    {"exitButton", 1000, 7500, 1500, 300, kPageButtonFont},
    {"saveAsButton", 1000, 8000, 1500, 300, kPageButtonFont},
    {"designButton", 1000, 8500, 1500, 300, kPageButtonFont},
    // Added beside the specified controls, above the view controls, where nothing is drawn.
    {"systemButton", 4700, 6000, 1500, 300, kPageButtonFont},
    {"aspectLabel", 4700, 7300, 950, 300, kPageFont},
    {"aspectBox", 5700, 7300, 500, 300, kPageFont},
    {"aspectSpinner", 6220, 7300, 300, 300, kPageFont},
    {"largerButton", 4700, 7700, 600, 300, kPageFont},
    {"smallerButton", 5300, 7700, 600, 300, kPageFont},
    {"resetButton", 5900, 7700, 600, 300, kPageFont},
    {"upButton", 5450, 8050, 300, 300, kPageFont},
    {"leftButton", 5150, 8350, 300, 300, kPageFont},
    {"rightButton", 5750, 8350, 300, 300, kPageFont},
    {"downButton", 5450, 8650, 300, 300, kPageFont},
};

} // namespace

std::span<const ControlPlace> ResultsControlPlaces() { return kControlPlaces; }

} // namespace vorelin
