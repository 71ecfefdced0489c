#include "core/tolerance_area.h"

#include "core/networks.h"
#include "core/tolerance_sweep.h"
#include "core/topology.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <thread>
#include <unordered_map>

namespace vorelin {

namespace {

struct Gamma {
    double re = 0, im = 0;
    bool valid = false; // a load was found, and it lies within kLargestAreaGamma
};

// The factors each loop of the sweep steps through, as the sweep steps them.
std::vector<float> SweepFactors(float accuracy) {
    std::vector<float> factors;
    if (PassesPerPart(accuracy) == 0) return factors;
    const ToleranceFactors range = ToleranceFactors::For(accuracy);
    for (float f = range.start; f <= range.end; f = ToleranceFactors::Next(f))
        factors.push_back(f);
    return factors;
}

// The loads at the sweep's steps over which the area is spread, as square grids of steps (row
// major): for two parts the whole square, for three the cube's six faces.
class StepGrids {
public:
    StepGrids(const Entries& entries, float accuracy, float impedance)
        : m_entries(entries), m_parts(PartsOf(entries.Topology)), m_factors(SweepFactors(accuracy)),
          m_z0(static_cast<double>(impedance)) {}

    std::size_t Side() const { return m_factors.size(); }

    // Each grid's loads, in turn.
    template <class OnGrid> void ForEachGrid(OnGrid&& onGrid) {
        const std::size_t side = Side();
        std::vector<Gamma> grid(side * side);
        const auto fill = [&](auto&& indices) {
            for (std::size_t i = 0; i < side; ++i) {
                for (std::size_t j = 0; j < side; ++j)
                    grid[i * side + j] = At(indices(i, j));
            }
            onGrid(std::span<const Gamma>(grid));
        };
        if (m_parts.size() == 2) {
            fill([](std::size_t i, std::size_t j) { return std::array<std::size_t, 3>{i, j, 0}; });
            return;
        }
        for (const std::size_t end : {std::size_t{0}, side - 1}) {
            fill([end](std::size_t i, std::size_t j) { return std::array{end, i, j}; });
            fill([end](std::size_t i, std::size_t j) { return std::array{i, end, j}; });
            fill([end](std::size_t i, std::size_t j) { return std::array{i, j, end}; });
        }
    }

private:
    // The load with each part at the factor of its step, varied as the sweep varies it.
    Gamma At(const std::array<std::size_t, 3>& steps) const {
        Entries varied = m_entries;
        for (std::size_t p = 0; p < m_parts.size(); ++p) {
            varied.*m_parts[p].value = static_cast<float>(static_cast<double>(m_entries.*m_parts[p].value) *
                                                          static_cast<double>(m_factors[steps[p]]));
        }
        const NetworkRun run = RunNetwork(varied);
        if (!run.Computed()) return {};
        const auto r = static_cast<double>(run.load.LoadR), x = static_cast<double>(run.load.LoadX);
        const double denominator = (r + m_z0) * (r + m_z0) + x * x;
        const Gamma gamma{((r - m_z0) * (r + m_z0) + x * x) / denominator, 2 * m_z0 * x / denominator, true};
        if (!(std::hypot(gamma.re, gamma.im) <= kLargestAreaGamma)) return {};
        return gamma;
    }

    const Entries& m_entries;
    std::span<const PartSlot> m_parts;
    std::vector<float> m_factors;
    double m_z0;
};

// Which cells of a grid over the area's extent the loads and the quadrilaterals between them cover.
class CoveredCells {
public:
    CoveredCells(double left, double bottom, double width, double height)
        : m_left(left), m_bottom(bottom), m_cell(std::max({width, height, 1e-4}) / kAreaCells),
          m_columns(static_cast<int>(width / m_cell) + 1), m_rows(static_cast<int>(height / m_cell) + 1),
          m_covered(static_cast<std::size_t>(m_columns) * static_cast<std::size_t>(m_rows)) {}

    void Quadrilateral(const Gamma& a, const Gamma& b, const Gamma& c, const Gamma& d) {
        if (!(a.valid && b.valid && c.valid && d.valid)) {
            for (const Gamma* corner : {&a, &b, &c, &d})
                Point(*corner);
            return;
        }
        Triangle(a, b, c);
        Triangle(a, c, d);
        // Along the edges too: a quadrilateral folded thinner than a cell covers no cell's centre.
        Edge(a, b);
        Edge(b, c);
        Edge(c, d);
        Edge(d, a);
    }

    void Point(const Gamma& g) {
        if (g.valid) Cover(Column(g.re), Row(g.im));
    }

    // The outline of the covered cells: the contour through the middles between covered and free
    // cells' centres, a covered cell on its left; rings closed, straight runs joined.
    ToleranceArea Outline() const {
        std::unordered_map<std::uint64_t, std::uint64_t> next; // from a point of the contour to the next
        const auto key = [](int x, int y) {
            return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32) |
                   static_cast<std::uint32_t>(y);
        };
        // Squares between four cell centres, the grid's border included; corners counter-clockwise
        // from the bottom left, and the middles of the edges that start there, in doubled units.
        for (int row = -1; row < m_rows; ++row) {
            for (int column = -1; column < m_columns; ++column) {
                const std::array<bool, 4> covered{IsCovered(column, row), IsCovered(column + 1, row),
                                                  IsCovered(column + 1, row + 1), IsCovered(column, row + 1)};
                const std::array<std::array<int, 2>, 4> middles{{{2 * column + 1, 2 * row},
                                                                 {2 * column + 2, 2 * row + 1},
                                                                 {2 * column + 1, 2 * row + 2},
                                                                 {2 * column, 2 * row + 1}}};
                for (std::size_t from = 0; from < 4; ++from) {
                    if (!(covered[from] && !covered[(from + 1) % 4])) continue;
                    // On to the next edge round the square where the cells go from free to covered.
                    for (std::size_t step = 1; step < 4; ++step) {
                        const std::size_t to = (from + step) % 4;
                        if (covered[to] || !covered[(to + 1) % 4]) continue;
                        next[key(middles[from][0], middles[from][1])] = key(middles[to][0], middles[to][1]);
                        break;
                    }
                }
            }
        }
        ToleranceArea area;
        const auto vertex = [](std::uint64_t k) {
            const auto x = static_cast<std::int32_t>(static_cast<std::uint32_t>(k >> 32));
            const auto y = static_cast<std::int32_t>(static_cast<std::uint32_t>(k));
            return std::array<int, 2>{x, y};
        };
        while (!next.empty()) {
            const std::uint64_t start = next.begin()->first;
            std::vector<std::array<int, 2>> ring;
            for (std::uint64_t at = start;;) {
                ring.push_back(vertex(at));
                const auto found = next.find(at);
                if (found == next.end()) break;
                const std::uint64_t to = found->second;
                next.erase(found);
                if (to == start) break;
                at = to;
            }
            const std::size_t n = ring.size();
            for (std::size_t i = 0; i < n; ++i) {
                const auto& before = ring[(i + n - 1) % n];
                const auto& here = ring[i];
                const auto& after = ring[(i + 1) % n];
                const long turn = static_cast<long>(here[0] - before[0]) * (after[1] - here[1]) -
                                  static_cast<long>(here[1] - before[1]) * (after[0] - here[0]);
                if (turn == 0) continue; // on a straight run
                area.points.push_back({static_cast<float>(m_left + (here[0] / 2.0 + 0.5) * m_cell),
                                       static_cast<float>(m_bottom + (here[1] / 2.0 + 0.5) * m_cell)});
            }
            area.ringEnds.push_back(static_cast<std::uint32_t>(area.points.size()));
        }
        return area;
    }

private:
    int Column(double re) const {
        return std::clamp(static_cast<int>(std::floor((re - m_left) / m_cell)), 0, m_columns - 1);
    }
    int Row(double im) const {
        return std::clamp(static_cast<int>(std::floor((im - m_bottom) / m_cell)), 0, m_rows - 1);
    }
    bool IsCovered(int column, int row) const {
        return column >= 0 && row >= 0 && column < m_columns && row < m_rows &&
               m_covered[static_cast<std::size_t>(row) * static_cast<std::size_t>(m_columns) +
                         static_cast<std::size_t>(column)] != 0;
    }
    void Cover(int column, int row) {
        m_covered[static_cast<std::size_t>(row) * static_cast<std::size_t>(m_columns) +
                  static_cast<std::size_t>(column)] = 1;
    }

    // Every cell whose centre the triangle holds.
    void Triangle(const Gamma& a, const Gamma& b, const Gamma& c) {
        const auto side = [](const Gamma& p, const Gamma& q, double x, double y) {
            return (q.re - p.re) * (y - p.im) - (q.im - p.im) * (x - p.re);
        };
        const double area = side(a, b, c.re, c.im);
        if (area == 0) return;
        for (int row = Row(std::min({a.im, b.im, c.im})); row <= Row(std::max({a.im, b.im, c.im})); ++row) {
            const double y = m_bottom + (row + 0.5) * m_cell;
            for (int column = Column(std::min({a.re, b.re, c.re}));
                 column <= Column(std::max({a.re, b.re, c.re})); ++column) {
                const double x = m_left + (column + 0.5) * m_cell;
                const double ab = side(a, b, x, y) * area, bc = side(b, c, x, y) * area,
                             ca = side(c, a, x, y) * area;
                if (ab >= 0 && bc >= 0 && ca >= 0) Cover(column, row);
            }
        }
    }

    // Every cell along a line, in steps of less than half a cell.
    void Edge(const Gamma& a, const Gamma& b) {
        const int steps =
            static_cast<int>(std::ceil(std::hypot(b.re - a.re, b.im - a.im) / (m_cell / 2))) + 1;
        for (int i = 0; i <= steps; ++i) {
            const double t = static_cast<double>(i) / steps;
            Cover(Column(a.re + t * (b.re - a.re)), Row(a.im + t * (b.im - a.im)));
        }
    }

    double m_left, m_bottom, m_cell;
    int m_columns, m_rows;
    std::vector<unsigned char> m_covered;
};

} // namespace

std::optional<ToleranceArea> ToleranceAreaOf(const Entries& entries, float accuracy, float impedance,
                                             const std::atomic<bool>& stop) {
    StepGrids steps(entries, accuracy, impedance);
    const std::size_t side = steps.Side();
    if (PartsOf(entries.Topology).empty() || side == 0) return ToleranceArea{};
    std::vector<std::vector<Gamma>> grids;
    steps.ForEachGrid(
        [&grids](std::span<const Gamma> grid) { grids.emplace_back(grid.begin(), grid.end()); });
    if (stop.load(std::memory_order_relaxed)) return std::nullopt;

    double left = 0, right = 0, bottom = 0, top = 0;
    bool any = false;
    for (const auto& grid : grids) {
        for (const Gamma& g : grid) {
            if (!g.valid) continue;
            left = any ? std::min(left, g.re) : g.re;
            right = any ? std::max(right, g.re) : g.re;
            bottom = any ? std::min(bottom, g.im) : g.im;
            top = any ? std::max(top, g.im) : g.im;
            any = true;
        }
    }
    if (!any) return ToleranceArea{};
    CoveredCells cells(left, bottom, right - left, top - bottom);
    for (const auto& grid : grids) {
        if (side == 1) cells.Point(grid[0]);
        for (std::size_t i = 0; i + 1 < side; ++i) {
            for (std::size_t j = 0; j + 1 < side; ++j)
                cells.Quadrilateral(grid[i * side + j], grid[(i + 1) * side + j],
                                    grid[(i + 1) * side + j + 1], grid[i * side + j + 1]);
        }
    }
    return cells.Outline();
}

std::optional<std::vector<ToleranceArea>> ToleranceAreasOf(std::span<const Entries> entries, float accuracy,
                                                           float impedance, const std::atomic<bool>& stop) {
    std::vector<std::optional<ToleranceArea>> areas(entries.size());
    // Each thread takes the next entries not taken yet: areas of two and three parts differ in
    // work, so halves fixed in advance would leave one thread idle.
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < entries.size() && !stop.load(std::memory_order_relaxed); i = next++)
            areas[i] = ToleranceAreaOf(entries[i], accuracy, impedance, stop);
    };
    std::thread helper(work);
    work();
    helper.join();
    if (stop.load()) return std::nullopt;
    std::vector<ToleranceArea> done;
    done.reserve(areas.size());
    for (std::optional<ToleranceArea>& area : areas)
        done.push_back(std::move(*area));
    return done;
}

} // namespace vorelin
