#include "core/antenna_system.h"
#include "core/band_system.h"
#include "core/cables.h"
#include "core/figures_text.h"
#include "core/system_form.h"

#include "tests/support/case_table.h"
#include "tests/support/entries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vorelin {
namespace {

using test::DoubleField;
using test::FloatField;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Within 1e-9 of the expected value, or of `scale` where the value itself is (near) zero.
void ExpectClose(double actual, const std::string& expected, double scale, const char* what) {
    const double e = DoubleField(expected);
    EXPECT_NEAR(actual, e, 1e-9 * std::fmax(std::fabs(e), scale)) << what;
}

// The reference's lossy networks: every figure, and the power balance P = P_load + sum of dissipations.
TEST(TunerLoss, AgreesWithNodalAnalysis) {
    int rows = 0;
    for (const test::Case& c : test::ReadCases("core/data/system.txt")) {
        const auto& f = c.fields;
        if (f[0] != "Tuner") continue;
        SCOPED_TRACE(f[1]);
        ++rows;
        const Entries entries = test::MakeEntries(test::IntField(f[2]), FloatField(f[3]), FloatField(f[4]),
                                                  {FloatField(f[5]), FloatField(f[6]), FloatField(f[7]),
                                                   FloatField(f[8]), FloatField(f[9]), FloatField(f[10])});
        const LossSettings settings{DoubleField(f[13]), DoubleField(f[14]), DoubleField(f[15])};
        const TunerLoss loss = TunerLossOf(entries, {FloatField(f[11]), FloatField(f[12])}, settings);
        ASSERT_TRUE(loss.Computed()) << loss.reason;
        ASSERT_EQ(f.size(), 20 + 4 * loss.Parts().size());
        const double zin = std::hypot(DoubleField(f[18]), DoubleField(f[19]));
        ExpectClose(loss.efficiency, f[16], 0, "efficiency");
        ExpectClose(loss.lossDb, f[17], 1e-6, "loss dB");
        ExpectClose(loss.inputR, f[18], zin, "input R");
        ExpectClose(loss.inputX, f[19], zin, "input X");
        double dissipated = 0;
        for (std::size_t k = 0; k < loss.Parts().size(); ++k) {
            const PartStress& part = loss.Parts()[k];
            SCOPED_TRACE(part.name);
            ExpectClose(part.currentRms, f[20 + 4 * k], 1e-6, "current");
            ExpectClose(part.voltageRms, f[21 + 4 * k], 1e-6, "voltage");
            ExpectClose(part.voltagePeak, f[22 + 4 * k], 1e-6, "peak voltage");
            ExpectClose(part.dissipatedW, f[23 + 4 * k], settings.powerW, "dissipation");
            dissipated += part.dissipatedW;
        }
        EXPECT_NEAR(loss.loadPowerW + dissipated, settings.powerW, 1e-9 * settings.powerW);
        EXPECT_EQ(loss.loadPowerW, settings.powerW * loss.efficiency);
    }
    EXPECT_EQ(rows, 16);
}

// Bad input of every kind gives its reason and no figures.
TEST(TunerLoss, BadInputGivesItsReason) {
    const Entries pi = test::TypicalExample();
    struct Case {
        Entries entries;
        Load load;
        LossSettings settings;
        std::string_view reason;
    };
    const auto with = [&pi](float Entries::*field, float value) {
        Entries e = pi;
        e.*field = value;
        return e;
    };
    const float inf = std::numeric_limits<float>::infinity();
    const Case cases[] = {
        {pi, {10, 5}, {0, 200, 1000}, kLossReasonPower},
        {pi, {10, 5}, {kNaN, 200, 1000}, kLossReasonPower},
        {pi, {10, 5}, {100, 0, 1000}, kLossReasonCoilQ},
        {pi, {10, 5}, {100, 200, -1}, kLossReasonCapacitorQ},
        {pi, {0, 5}, {}, kLossReasonLoad},
        {pi, {10, inf}, {}, kLossReasonLoad},
        {with(&Entries::Frequency, 0), {10, 5}, {}, kLossReasonFrequency},
        {test::MakeEntries(9, 7e6f, 50), {10, 5}, {}, kLossReasonTopology},
        {with(&Entries::L2, -1e-6f), {10, 5}, {}, kLossReasonPartValue},
        {with(&Entries::C1, NAN), {10, 5}, {}, kLossReasonPartValue},
        {test::MakeEntries(6, 7e6f, 50, {.c3 = 1e-10f, .l2 = 1e-6f}), {10, 5}, {}, kLossReasonNoPath},
        {test::MakeEntries(8, 7e6f, 50, {.c2 = 1e-10f, .l1 = 1e-6f}), {10, 5}, {}, kLossReasonNoPath},
    };
    for (const Case& c : cases) {
        const TunerLoss loss = TunerLossOf(c.entries, c.load, c.settings);
        EXPECT_EQ(loss.reason, c.reason);
        EXPECT_TRUE(loss.Parts().empty() && loss.efficiency == 0 && loss.powerW == 0) << c.reason;
    }
}

// However extreme the values, a result is finite with 0 <= efficiency <= 1, or a reason.
TEST(TunerLoss, ExtremeValuesNeverGiveNaN) {
    const float values[] = {0, 1e-15f, 1e-6f, 1e10f};
    for (int topology = 1; topology <= 8; ++topology) {
        for (const float a : values)
            for (const float b : values)
                for (const float r : {1e-9f, 1e9f}) {
                    const Entries e = test::MakeEntries(topology, 1e10f, 50, {a, b, a, b, a, b});
                    const TunerLoss loss = TunerLossOf(e, {r, -1e9f}, {1e6, 1e-3, 1e6});
                    if (!loss.Computed()) continue;
                    double sum = loss.efficiency + loss.lossDb + loss.inputR + loss.inputX;
                    for (const PartStress& p : loss.Parts())
                        sum += p.currentRms + p.voltagePeak + p.dissipatedW;
                    EXPECT_TRUE(std::isfinite(sum) && loss.efficiency >= 0 && loss.efficiency <= 1);
                }
    }
}

// The reference's lines through scikit-rf: the feedpoint, its SWR and the losses by power flow.
TEST(Feedline, AgreesWithTheLineModel) {
    int rows = 0;
    for (const test::Case& c : test::ReadCases("core/data/system.txt")) {
        const auto& f = c.fields;
        if (f[0] != "Line") continue;
        SCOPED_TRACE(f[1]);
        ++rows;
        const Feedline line{DoubleField(f[5]), DoubleField(f[6]), DoubleField(f[7]), DoubleField(f[8]),
                            DoubleField(f[9])};
        const FeedlineResult result =
            FeedlineFiguresOf(line, {FloatField(f[2]), FloatField(f[3])}, DoubleField(f[4]));
        if (f[10] == "Undeliverable") {
            EXPECT_FALSE(result.figures);
            EXPECT_EQ(result.reason, kLineReasonUndeliverable);
            continue;
        }
        ASSERT_TRUE(result.figures) << result.reason;
        const FeedlineFigures& figures = *result.figures;
        const double zl = std::hypot(DoubleField(f[10]), DoubleField(f[11]));
        ExpectClose(figures.feedpointR, f[10], zl, "feedpoint R");
        ExpectClose(figures.feedpointX, f[11], zl, "feedpoint X");
        ExpectClose(figures.feedpointSwr, f[12], 0, "SWR");
        ExpectClose(figures.matchedLossDb, f[13], 1e-3, "matched loss");
        ExpectClose(figures.totalLossDb, f[14], 1e-3, "total loss");
        ExpectClose(figures.efficiency, f[15], 0, "efficiency");
    }
    EXPECT_EQ(rows, 8);
}

TEST(Feedline, BadInputGivesItsReason) {
    const Feedline good{30, 0.66, 50, 1.379, 0.02098};
    const auto with = [&good](double Feedline::*field, double value) {
        Feedline line = good;
        line.*field = value;
        return line;
    };
    const std::pair<Feedline, std::string_view> cases[] = {
        {with(&Feedline::lengthM, -0.1), kLineReasonLength},
        {with(&Feedline::velocityFactor, 0), kLineReasonVelocityFactor},
        {with(&Feedline::velocityFactor, 1.01), kLineReasonVelocityFactor},
        {with(&Feedline::zc, 0), kLineReasonImpedance},
        {with(&Feedline::k1, -0.1), kLineReasonLoss},
        {with(&Feedline::k2, kNaN), kLineReasonLoss},
        {with(&Feedline::lengthM, 1e9), kLineReasonUndeliverable},
    };
    for (const auto& [line, reason] : cases)
        EXPECT_EQ(FeedlineFiguresOf(line, {50, 0}, 7e6).reason, reason);
    EXPECT_TRUE(FeedlineFiguresOf(with(&Feedline::velocityFactor, 1), {50, 0}, 7e6).figures);
    EXPECT_EQ(FeedlineFiguresOf(good, {50, 0}, 0).reason, kLineReasonFrequency);
    EXPECT_EQ(FeedlineFiguresOf(good, {-1, 0}, 7e6).reason, kLineReasonLoad);
    EXPECT_DOUBLE_EQ(MetresToFeet(FeetToMetres(100)), 100);
    EXPECT_DOUBLE_EQ(FeetToMetres(100), 30.48);
}

// The built-in table is the fit of scripts/cable_fit.py, and each fit stays near its figures.
TEST(Cables, AreTheFitsOfThePublishedFigures) {
    const auto rows = test::ReadCases("core/data/cables.txt");
    ASSERT_EQ(rows.size(), Cables().size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& f = rows[i].fields;
        const Cable& cable = Cables()[i];
        SCOPED_TRACE(f[1]);
        EXPECT_EQ(cable.name, f[1]);
        EXPECT_TRUE(cable.velocityFactor == DoubleField(f[2]) && cable.zc == DoubleField(f[3]) &&
                    cable.k1 == DoubleField(f[4]) && cable.k2 == DoubleField(f[5]));
        for (std::size_t p = 6; p < f.size(); ++p) {
            const auto colon = f[p].find(':');
            const double mhz = std::stod(f[p].substr(0, colon)),
                         published = std::stod(f[p].substr(colon + 1));
            const Feedline line = FeedlineOf(cable, 100);
            EXPECT_NEAR(
                FeedlineFiguresOf(line, {static_cast<float>(cable.zc), 0}, mhz * 1e6).figures->matchedLossDb,
                published, 0.15 * published);
        }
    }
    EXPECT_EQ(CableNamed("lmr-400"), &Cables()[5]);
    EXPECT_EQ(CableNamed("LMR-4000"), nullptr);
}

// The system of one load: the power at the antenna is P x tuner efficiency x line efficiency.
TEST(AntennaSystem, CombinesTunerAndLine) {
    const Entries entries = test::MakeEntries(2, 7.1e6f, 50, {.c1 = 220e-12f, .l2 = 1.5e-6f});
    const Load load = RunNetwork(entries).load;
    const SystemFigures bare = SystemFiguresOf(entries, load, {});
    ASSERT_TRUE(bare.Computed() && !bare.line);
    EXPECT_EQ(bare.antennaPowerW, bare.tuner.loadPowerW);

    const SystemSettings withLine{{400, 100, 500}, FeedlineOf(*CableNamed("RG-213/U"), 25)};
    const SystemFigures system = SystemFiguresOf(entries, load, withLine);
    ASSERT_TRUE(system.Computed() && system.line && system.line->figures);
    EXPECT_EQ(system.tuner, TunerLossOf(entries, load, withLine.loss));
    EXPECT_DOUBLE_EQ(*system.antennaPowerW, 400 * system.tuner.efficiency * system.line->figures->efficiency);

    const SystemFigures lossy = SystemFiguresOf(entries, load, {{}, Feedline{3000, 0.66, 50, 1.379, 0}});
    EXPECT_TRUE(lossy.tuner.Computed() && !lossy.antennaPowerW &&
                lossy.line->reason == kLineReasonUndeliverable);
    EXPECT_EQ(SystemFiguresOf(entries, load, {{}, Feedline{10, 0, 50, 0, 0}}).reason,
              kLineReasonVelocityFactor);
    EXPECT_EQ(SystemFiguresOf(entries, load, {{-1}, {}}).reason, kLossReasonPower);
}

// A band's rows through the system: the loss (tuner / to the antenna) and the feedpoint as a row's
// result against the line's Zc, or "—" with the reason of the row, the line or the settings.
TEST(BandSystem, RowsGiveTheirLossAndFeedpointOrTheReason) {
    const Entries entries = test::MakeEntries(2, 7.1e6f, 50, {.c1 = 220e-12f, .l2 = 1.5e-6f});
    BandTable table;
    table.rows = {
        BandRowFromEntries(entries),
        ReadBandTable("frequency,topology,impedance,c2,l2\n14.2M,6,50,300p,2.2u\n").table.rows.at(0)};
    const std::vector<BandResult> results{ResultOf(table.rows[0]), ResultOf(table.rows[1])};
    ASSERT_TRUE(results[0].load && !results[1].load);
    const std::string rowReason = results[1].reason;
    const Load load = *results[0].load;
    const SystemSettings rg213{{}, FeedlineOf(*CableNamed("RG-213/U"), 25)};
    const SystemFigures system = SystemFiguresOf(entries, load, rg213);
    const FeedlineFigures& feed = *system.line->figures;
    const std::string tuner = FigureText(system.tuner.lossDb);

    const std::vector<BandSystemRow> rows = BandSystemRowsOf(table, results, {rg213, {}});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].LossText(), tuner + " / " + FigureText(system.tuner.lossDb + feed.totalLossDb));
    EXPECT_EQ(rows[0].atAntenna.load,
              (Load{static_cast<float>(feed.feedpointR), static_cast<float>(feed.feedpointX)}));
    EXPECT_NEAR(*rows[0].atAntenna.figures.swr, feed.feedpointSwr, 1e-5 * feed.feedpointSwr);
    EXPECT_EQ(rows[1].LossText(), "—");
    EXPECT_EQ(rows[1].lossReason, rowReason);
    EXPECT_EQ(rows[1].atAntenna.reason, rowReason);

    const SystemSettings lossy{{}, Feedline{3000, 0.66, 50, 1.379, 0}};
    const BandSystemRow undelivered = BandSystemRowsOf(table, results, {lossy, {}})[0];
    EXPECT_EQ(undelivered.LossText(), tuner + " / —");
    EXPECT_TRUE(!undelivered.atAntenna.load && undelivered.atAntenna.reason == kLineReasonUndeliverable);

    const BandSystemRow bare = BandSystemRowsOf(table, results, {{}, {}})[0];
    EXPECT_TRUE(bare.LossText() == tuner && !bare.atAntenna.load && bare.atAntenna.reason.empty());
    const BandSystemRow refused = BandSystemRowsOf(table, results, {rg213, "Power: refused."})[0];
    EXPECT_TRUE(refused.LossText() == "—" && refused.lossReason == "Power: refused." &&
                refused.atAntenna.reason == "Power: refused.");
}

// The System page's fields: an empty Q is the profile's, a cable gives its values, a length may
// be in feet, and the first field that cannot be used is named.
TEST(SystemForm, ReadsTheFieldsOrNamesTheFirstRefused) {
    const LossSettings profile{100, 150, 800};
    SystemForm cable;
    cable.power = "1.5k";
    cable.capacitorQ = "2000";
    cable.line = "lmr-400";
    cable.length = "98.4 ft";
    const SystemFormRead read = ReadSystemForm(cable, profile);
    ASSERT_TRUE(read.Read()) << read.refusal;
    EXPECT_EQ(read.settings.loss, (LossSettings{1500, 150, 2000}));
    EXPECT_EQ(read.settings.line, FeedlineOf(*CableNamed("LMR-400"), FeetToMetres(98.4)));
    SystemForm own = cable;
    own.line = SystemForm::kOwnLineChoice;
    own.length = "30m";
    own.vf = "0.66";
    own.z0 = "450";
    EXPECT_EQ(ReadSystemForm(own, profile).settings.line, (Feedline{30, 0.66, 450, 0, 0}));
    EXPECT_EQ(ReadSystemForm(SystemForm{}, profile).settings,
              (SystemSettings{{100, 150, 800}, std::nullopt}));
    const struct {
        std::string SystemForm::*field;
        std::string text;
        std::string refusal;
    } refused[] = {
        {&SystemForm::power, "4k7",
         "Power: \"4k7\" at \"7\": Digits follow the multiplier letter; write 4.7k, not 4k7."},
        {&SystemForm::coilQ, "0", std::string(kLossReasonCoilQ)},
        {&SystemForm::vf, "1.2", std::string(kLineReasonVelocityFactor)},
        {&SystemForm::length, "", "Line length: \"\": There is no value."},
        {&SystemForm::line, "RG-59", "There is no cable named \"RG-59\"."},
    };
    for (const auto& c : refused) {
        SystemForm form = own;
        form.*c.field = c.text;
        EXPECT_EQ(ReadSystemForm(form, profile).refusal, c.refusal) << c.text;
    }
}

} // namespace
} // namespace vorelin
