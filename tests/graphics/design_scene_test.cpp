// The design page's drawing against its reviewed golden file, and nothing on the page covering
// anything else, with the longest texts a solution or a reason can have.
#include "graphics/design_scene.h"

#include "core/networks.h"
#include "graphics/page_layout.h"

#include "tests/support/display_list_text.h"
#include "tests/support/entries.h"
#include "tests/support/golden.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorelin {
namespace {

bool Inside(const PageRect& inner, const PageRect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// Every fault of the layout: two things that overlap, a thing off the page, one that leaves its cell.
std::vector<std::string> Collisions(const RatedDesigns& rated) {
    std::vector<std::pair<std::string, PageRect>> items;
    for (const DesignText& t : DesignTexts(rated))
        items.emplace_back(t.text, TextRect(t.at, t.text, *t.font));
    for (int topology = 1; topology <= 8; ++topology)
        items.emplace_back("thumbnail " + std::to_string(topology), DesignThumbnailArea(topology));
    for (const ControlPlace& c : DesignControlPlaces())
        items.emplace_back(c.name, PageRect{static_cast<float>(c.left), static_cast<float>(c.top),
                                            static_cast<float>(c.left + c.width),
                                            static_cast<float>(c.top + c.height)});
    std::vector<std::string> found;
    for (std::size_t a = 0; a < items.size(); ++a) {
        const auto& [name, rect] = items[a];
        if (!Inside(rect, {0, 0, 12000, 9000})) found.push_back(name + " off the page");
        for (int topology = 1; topology <= 8; ++topology) {
            if (Overlap(rect, DesignCellOf(topology)) && !Inside(rect, DesignCellOf(topology)))
                found.push_back(name + " leaves cell " + std::to_string(topology));
        }
        for (std::size_t b = a + 1; b < items.size(); ++b) {
            if (Overlap(rect, items[b].second)) found.push_back(name + " x " + items[b].first);
        }
    }
    return found;
}

TEST(DesignScene, NothingCoversAnything) {
    // Every network with as many solutions as it may have, the widest part, Q, loss and heading
    // texts, every part outside the profile, a held part's working values too long for their
    // lines, a profile name too long for its line, and the default.
    RatedDesigns rated;
    rated.profileName = std::string(200, 'W');
    rated.settings = {100, 0.123456, 888888};
    for (int topology = 1; topology <= 8; ++topology) {
        Design& d = rated.designs.emplace_back();
        d.topology = topology;
        d.leastQ = 8880;
        const float c = 888.888e-12f, l = 8.88888e-3f;
        d.solutions.assign(topology <= 4 ? 1 : 2,
                           {test::MakeEntries(topology, 14.2e6f, 50, {c, c, c, l, l, l}), d.leastQ});
        std::vector<RangeMiss> outside;
        for (const PartSlot& part : PartsOf(topology))
            outside.push_back({part.name, 1, {}});
        rated.choice.ratings.emplace_back(d.solutions.size(), SolutionRating{0.000888888, outside, false});
        std::string working = "C1";
        for (int span = 0; span < 9; ++span)
            working += " from 888.8 to 8888 pF or";
        if (topology > 4) rated.workingHolds.push_back(WorkingHold{"C1", {}, working});
        else rated.workingHolds.emplace_back();
    }
    rated.choice.preferred = SolutionPlace{6, 1};
    rated.choice.ratings[6][1].outside.clear();
    EXPECT_EQ(Collisions(rated), std::vector<std::string>{});
    for (const std::string_view reason : {kReasonInsideRCircle, kReasonInsideGCircle, kReasonOnePart,
                                          kReasonHeldNoMatch, kReasonInexact, kReasonPartTooLarge}) {
        for (Design& d : rated.designs)
            d.solutions.clear(), d.reason = reason;
        rated.choice = ChooseDesign(rated.designs, nullptr, {});
        EXPECT_EQ(Collisions(rated), std::vector<std::string>{}) << reason;
    }
}

// The designs for the typical example's load: the page as it opens from the results page.
TEST(DesignScene, MatchesItsGoldenFile) {
    const Entries entries = test::TypicalExample(7);
    const Load load = RunNetwork(entries).load;
    DisplayList list;
    std::vector<DesignRequest> requests;
    for (int topology = 1; topology <= 8; ++topology)
        requests.push_back({topology, {}});
    DrawDesignPage(list,
                   DesignAndChoose({load.LoadR, load.LoadX, entries.Impedance, entries.Frequency}, requests,
                                   nullptr, {}),
                   entries.Topology);
    const std::string mismatch =
        test::GoldenMismatch("graphics/golden/design-page.txt", test::ListText(list));
    EXPECT_TRUE(mismatch.empty()) << mismatch;
}

} // namespace
} // namespace vorelin
