#pragma once

#include "graphics/page_items.h"
#include "graphics/page_layout.h"
#include "graphics/schematic.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace vorelin {

// A rectangle of the same size with its top-left corner at (left, top).
PageRect Moved(const PageRect& rect, double left, double top);

// Labels laid out one after another, each where it covers nothing placed before it, and the
// labels of a schematic's symbols each nearer its own symbol's body than any other's.
class LabelPlacer {
public:
    // Between a label and anything else.
    static constexpr float kLabelGap = 30;
    // How far the first places tried around a symbol lie from its body.
    static constexpr float kBesideBody = 60;

    // The labels go into `placed`; a label of a symbol, or one with no free place of its own,
    // stays within `labelBounds`.
    LabelPlacer(std::vector<PageLabel>& placed, const ResultsSymbolBodies& bodies,
                const PageRect& labelBounds)
        : m_placed(placed), m_bodies(bodies), m_labelBounds(labelBounds), m_room(kLabelGap) {}

    FreeRoom& Room() { return m_room; }
    const FreeRoom& Room() const { return m_room; }

    // Where nothing moves it: the title, the hint, the details.
    void Fixed(const PageLabel& label);

    // At the first free place of `tried` (the designed place first), else at the nearest free
    // place to the first one.
    const PageLabel& Place(PageLabel label, std::span<const PageRect> tried, const PageRect& bounds);

    // A label of a symbol (the load's resistor): at the places tried (the designed one first),
    // else right beside the symbol (above, below, left, right), else at the nearest free place;
    // each only where the label lies nearer the symbol's body than any other symbol's and over
    // none.
    const PageLabel& PlaceBeside(PageLabel label, const PageRect& own, std::span<const PageRect> first);

    // Where a label may go and what it costs: its designed place nothing, a place right beside its
    // symbol a little, any other place much, and more the farther it lies from the designed one.
    struct Choice {
        PageRect place;
        double cost;
        std::optional<PageRect> second; // the place of a label placed with it (a heading)
    };
    static constexpr double kBesideCost = 1000, kElsewhereCost = 10000;

    // The places beside its symbol's body `own` for a label: `first` (the designed place first),
    // then right beside the body, then the nearest others.
    std::vector<Choice> ChoicesBeside(const PageLabel& label, const PageRect& own,
                                      std::span<const PageRect> first) const;

    // Where a readout may go with its heading: at each of `places` that is free (the designed one
    // first, dearer the farther away), with the heading right above it, else beside it on its
    // left or right.
    std::vector<Choice> ChoicesWithHeading(const PageRect& designed, std::span<const PageRect> places,
                                           const PageRect& heading, const PageRect& bounds) const;

    // The designed place, the preferred ones and the nearest others that are free, inside the
    // bounds and taken by `accept`, cheapest first.
    std::vector<Choice> Choices(const PageRect& designed, std::span<const PageRect> preferred,
                                const std::function<bool(const PageRect&)>& accept, const PageRect& bounds,
                                double weight = 1, double preferredCost = kBesideCost) const;

    // Labels placed together: of their choices, those that cover none of each other and cost
    // least together. A label without a choice, or when no choices fit together, goes to the
    // nearest free place after the rest.
    struct Placing {
        PageLabel label;
        std::vector<Choice> choices;
        std::optional<PageLabel> second;
    };
    void PlaceTogether(std::vector<Placing> placings);

private:
    bool BesideItsPart(const PageRect& place, const PageRect& own) const;
    const PageLabel& Put(PageLabel label, const PageRect& place);

    std::vector<PageLabel>& m_placed;
    const ResultsSymbolBodies& m_bodies;
    PageRect m_labelBounds;
    FreeRoom m_room;
};

} // namespace vorelin
