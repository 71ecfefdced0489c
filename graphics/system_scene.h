#pragma once

#include "core/antenna_system.h"
#include "core/entries.h"
#include "graphics/page_items.h"
#include "graphics/results_scene.h"
#include "graphics/surface.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorelin {

// What the System page shows: the entries and their load, the settings read from the page's
// fields, and the figures, or the reason there are none.
struct SystemView {
    Entries entries;
    std::optional<Load> load; // none when the entries give no load
    SystemSettings settings;
    std::optional<SystemFigures> figures; // none when refused; then `refusal` says why
    std::string refusal;
    std::string qSource; // where the Qs come from: "Qs of tuner profile \"Shack T\"" or "Default Qs"
};

// The view of the entries with the settings read from the page (or the form's refusal): the
// load computed as the results page computes it, the figures when everything can be used.
SystemView SystemViewOf(const Entries& entries, const SystemSettings& settings, std::string refusal,
                        std::string qSource);

// A text of the page, its top-left corner at `at`.
using SystemText = PlacedText;

// Every text of the page in drawing order: the title and the load; the captions of the fields;
// in the picture each stage's name, the power between the stages and the losses under them (the
// feedpoint's impedance and SWR under the antenna); the part table, the largest figure of each
// column in bold red. Without figures every figure is "—" and the reason stands in red under the
// picture.
std::vector<SystemText> SystemTexts(const SystemView& view);

// Draws the page: the stages' boxes and the arrows between them, the line as two conductors, the
// antenna as a mast, the table's rules, and the texts. The surface is not cleared first.
void DrawSystemPage(Surface& surface, const SystemView& view);

// Where the page's controls stand (page units): the power and Q boxes, the line chooser, the
// line's boxes, and the way back to the results page.
std::span<const ControlPlace> SystemControlPlaces();

} // namespace vorelin
