#include "graphics/label_placer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace vorelin {

namespace {

constexpr float kSearchStep = 25;
constexpr float kSearchReach = 4000;
// A part's label moved away from its part costs more than a heading moved as far.
constexpr double kPartWeight = 2;
// The other places: how many, how far apart at least, on which grid.
constexpr std::size_t kElsewhereChoices = 16;
constexpr float kElsewhereSpacing = 200;
constexpr float kElsewhereStep = 50;

bool Within(const PageRect& r, const PageRect& bounds) {
    return r.left >= bounds.left && r.top >= bounds.top && r.right <= bounds.right &&
           r.bottom <= bounds.bottom;
}

// The distance between two rectangles (0 where they touch or overlap), or with `corners` between
// their top-left corners.
double Distance(const PageRect& a, const PageRect& b, bool corners = false) {
    if (corners)
        return std::hypot(static_cast<double>(a.left) - static_cast<double>(b.left),
                          static_cast<double>(a.top) - static_cast<double>(b.top));
    const double dx =
        std::max({0.0, static_cast<double>(a.left - b.right), static_cast<double>(b.left - a.right)});
    const double dy =
        std::max({0.0, static_cast<double>(a.top - b.bottom), static_cast<double>(b.top - a.bottom)});
    return std::hypot(dx, dy);
}

// Where a label of `size` stands right beside a body: above, below, left and right of it, centred on it.
std::array<PageRect, 4> AroundBody(const PageRect& body, const PageRect& size) {
    const double width = static_cast<double>(size.right - size.left),
                 height = static_cast<double>(size.bottom - size.top);
    const double middleX = (static_cast<double>(body.left) + static_cast<double>(body.right)) / 2;
    const double middleY = (static_cast<double>(body.top) + static_cast<double>(body.bottom)) / 2;
    const auto beside = static_cast<double>(LabelPlacer::kBesideBody);
    return {Moved(size, middleX - width / 2, static_cast<double>(body.top) - beside - height),
            Moved(size, middleX - width / 2, static_cast<double>(body.bottom) + beside),
            Moved(size, static_cast<double>(body.left) - beside - width, middleY - height / 2),
            Moved(size, static_cast<double>(body.right) + beside, middleY - height / 2)};
}

} // namespace

PageRect Moved(const PageRect& rect, double left, double top) {
    return {static_cast<float>(left), static_cast<float>(top),
            static_cast<float>(left + static_cast<double>(rect.right - rect.left)),
            static_cast<float>(top + static_cast<double>(rect.bottom - rect.top))};
}

void LabelPlacer::Fixed(const PageLabel& label) {
    m_room.Take(RectOf(label));
    m_placed.push_back(label);
}

const PageLabel& LabelPlacer::Place(PageLabel label, std::span<const PageRect> tried,
                                    const PageRect& bounds) {
    for (const PageRect& place : tried) {
        if (Within(place, bounds) && m_room.IsFree(place)) return Put(std::move(label), place);
    }
    return Put(std::move(label), m_room.Nearest(RectOf(label), bounds, kSearchStep, kSearchReach));
}

const PageLabel& LabelPlacer::PlaceBeside(PageLabel label, const PageRect& own,
                                          std::span<const PageRect> first) {
    const std::vector<Choice> choices = ChoicesBeside(label, own, first);
    if (choices.empty())
        return Put(std::move(label), m_room.Nearest(RectOf(label), m_labelBounds, kSearchStep, kSearchReach));
    return Put(std::move(label), choices.front().place);
}

std::vector<LabelPlacer::Choice> LabelPlacer::ChoicesBeside(const PageLabel& label, const PageRect& own,
                                                            std::span<const PageRect> first) const {
    const auto beside = [&](const PageRect& place) { return BesideItsPart(place, own); };
    const std::array around = AroundBody(own, RectOf(label));
    std::vector<PageRect> preferred(first.begin() + 1, first.end());
    preferred.insert(preferred.end(), around.begin(), around.end());
    return Choices(first.front(), preferred, beside, m_labelBounds, kPartWeight);
}

std::vector<LabelPlacer::Choice> LabelPlacer::ChoicesWithHeading(const PageRect& designed,
                                                                 std::span<const PageRect> places,
                                                                 const PageRect& heading,
                                                                 const PageRect& bounds) const {
    std::vector<Choice> choices;
    const auto valid = [&](const PageRect& place) { return Within(place, bounds) && m_room.IsFree(place); };
    const double width = static_cast<double>(heading.right - heading.left);
    const double height = static_cast<double>(heading.bottom - heading.top);
    const double gap = static_cast<double>(kLabelGap) + 1;
    for (std::size_t i = 0; i < places.size(); ++i) {
        const PageRect& place = places[i];
        if (!valid(place)) continue;
        const auto left = static_cast<double>(place.left), top = static_cast<double>(place.top);
        const std::array headings{Moved(heading, left, std::min(1200.0, top - gap - height)),
                                  Moved(heading, left - gap - width, top),
                                  Moved(heading, static_cast<double>(place.right) + gap, top)};
        const double cost = (i == 0 ? 0 : kBesideCost) + Distance(designed, place, true);
        for (std::size_t h = 0; h < headings.size(); ++h) {
            if (valid(headings[h]) && !Overlap(Inflated(headings[h], kLabelGap), place))
                choices.push_back({place, cost + (h == 0 ? 0 : kBesideCost), headings[h]});
        }
    }
    std::ranges::stable_sort(choices, {}, &Choice::cost);
    return choices;
}

std::vector<LabelPlacer::Choice> LabelPlacer::Choices(const PageRect& designed,
                                                      std::span<const PageRect> preferred,
                                                      const std::function<bool(const PageRect&)>& accept,
                                                      const PageRect& bounds, double weight,
                                                      double preferredCost) const {
    std::vector<Choice> choices;
    const auto valid = [&](const PageRect& place) {
        return Within(place, bounds) && m_room.IsFree(place) && (!accept || accept(place));
    };
    const auto add = [&](const PageRect& place, double cost) {
        if (std::ranges::any_of(choices, [&](const Choice& c) { return c.place == place; })) return;
        choices.push_back({place, cost + weight * Distance(designed, place, true), std::nullopt});
    };
    if (valid(designed)) add(designed, 0);
    for (const PageRect& place : preferred) {
        if (valid(place)) add(place, preferredCost);
    }
    for (const PageRect& place : m_room.NearestAccepted(designed, bounds, kElsewhereStep, kSearchReach,
                                                        accept, kElsewhereChoices, kElsewhereSpacing))
        add(place, kElsewhereCost);
    std::ranges::stable_sort(choices, {}, &Choice::cost);
    return choices;
}

void LabelPlacer::PlaceTogether(std::vector<Placing> placings) {
    // A label may be left out of the choices, at a cost above any choice's, when no choice of it
    // fits beside the others.
    constexpr std::size_t kNoChoice = std::numeric_limits<std::size_t>::max();
    constexpr double kLeftOutCost = 1e7;
    std::vector<std::size_t> picked(placings.size(), kNoChoice), best(placings.size(), kNoChoice);
    double bestCost = std::numeric_limits<double>::infinity();
    const auto covers = [](const Choice& a, const Choice& b) {
        const auto near = [](const PageRect& x, const PageRect& y) {
            return Overlap(Inflated(x, kLabelGap), y);
        };
        return near(a.place, b.place) || (a.second && near(*a.second, b.place)) ||
               (b.second && near(a.place, *b.second)) || (a.second && b.second && near(*a.second, *b.second));
    };
    const auto fits = [&](std::size_t item, const Choice& choice) {
        for (std::size_t before = 0; before < item; ++before) {
            if (picked[before] == kNoChoice) continue;
            if (covers(choice, placings[before].choices[picked[before]])) return false;
        }
        return true;
    };
    const std::function<void(std::size_t, double)> search = [&](std::size_t item, double cost) {
        if (cost >= bestCost) return;
        if (item == placings.size()) {
            bestCost = cost;
            best = picked;
            return;
        }
        for (std::size_t c = 0; c < placings[item].choices.size(); ++c) {
            if (!fits(item, placings[item].choices[c])) continue;
            picked[item] = c;
            search(item + 1, cost + placings[item].choices[c].cost);
        }
        picked[item] = kNoChoice;
        search(item + 1, cost + kLeftOutCost);
    };
    search(0, 0);
    std::vector<PageLabel> leftOver;
    for (std::size_t item = 0; item < placings.size(); ++item) {
        if (best[item] == kNoChoice) {
            leftOver.push_back(std::move(placings[item].label));
            if (placings[item].second) leftOver.push_back(std::move(*placings[item].second));
        } else {
            const Choice& choice = placings[item].choices[best[item]];
            Put(std::move(placings[item].label), choice.place);
            if (placings[item].second) Put(std::move(*placings[item].second), *choice.second);
        }
    }
    for (PageLabel& label : leftOver) {
        const PageRect designed = RectOf(label);
        Put(std::move(label), m_room.Nearest(designed, m_labelBounds, kSearchStep, kSearchReach));
    }
}

bool LabelPlacer::BesideItsPart(const PageRect& place, const PageRect& own) const {
    if (Overlap(place, own)) return false;
    const double mine = Distance(place, own);
    const auto fartherOrOver = [&](const PageRect& body) {
        return body == own || (!Overlap(place, body) && Distance(place, body) > mine);
    };
    return std::ranges::all_of(m_bodies.parts, fartherOrOver) &&
           std::ranges::all_of(m_bodies.others, fartherOrOver);
}

const PageLabel& LabelPlacer::Put(PageLabel label, const PageRect& place) {
    label.left = static_cast<double>(place.left);
    label.top = static_cast<double>(place.top);
    m_room.Take(place);
    m_placed.push_back(std::move(label));
    return m_placed.back();
}

} // namespace vorelin
