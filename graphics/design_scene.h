#pragma once

#include "core/design_choice.h"
#include "graphics/page_items.h"
#include "graphics/schematic.h"
#include "graphics/surface.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorelin {

// The design page as one drawing: its title, the captions of the load's boxes, a hint, and a cell
// for each network (L networks in the upper row, T and pi networks in the lower one) with its
// number and form, its thumbnail, the captions of its fields and its solutions (each part as the
// results page labels it, the loaded Q) or the reason it has none. Everything stands at fixed
// places of the page, so nothing covers anything at any window size; the controls stand where
// DesignControlPlaces says.

// A text of the page, its top-left corner at `at`.
using DesignText = PlacedText;

// Every text of the page for the rated designs of topologies 1 to 8 (in that order), in drawing
// order: the profile in use and the Qs of the losses beside the title; in each solution's column
// its parts (red where outside the profile's ranges), the loaded Q, the loss and a mark ("Outside:
// C1, C3" or "Least loss" for the default); for a held value that fails, the values that would work.
std::vector<DesignText> DesignTexts(const RatedDesigns& rated);

// The pale box behind the default solution's column; nothing without a default.
std::optional<PageRect> DefaultSolutionArea(const RatedDesigns& rated);

// A network's cell, and the anchor and box of its thumbnail inside it.
PageRect DesignCellOf(int topology);
Anchor DesignThumbnailAnchor(int topology);
PageRect DesignThumbnailArea(int topology);

// Draws the page: the thumbnail of `entriesTopology` (the network the entries hold) is
// highlighted as on the entries page. The surface is not cleared first.
void DrawDesignPage(Surface& surface, const RatedDesigns& rated, int entriesTopology);

// Where the page's controls stand (page units), one table the page places them from: the load
// boxes, the loaded-Q box, hold chooser and hold value box of each T and pi network, a "Use these
// values" button for each solution a network may have, and the way back to the results page.
std::span<const ControlPlace> DesignControlPlaces();

// The names of a network's controls: "use5Button" (first solution), "use5SecondButton", "q5Box",
// "hold5Chooser", "hold5Box". Empty for a control the network does not have.
std::string_view UseButtonName(int topology, std::size_t solution);
std::string_view QBoxName(int topology);
std::string_view HoldChooserName(int topology);
std::string_view HoldBoxName(int topology);

} // namespace vorelin
