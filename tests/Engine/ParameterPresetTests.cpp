#include <gtest/gtest.h>

#include <algorithm>

#include "Vantrel_Zellow_Extension/Engine/ParameterPreset.hpp"

namespace EngineTests {
namespace {

using Vantrel_Zellow_Extension::ParameterPreset;
using Vantrel_Zellow_Extension::RandomPresetType;

TEST(ParameterPreset, ElevenFactoryPresetsInMenuOrderBuiltOnce) {
    const auto& presets = ParameterPreset::factoryPresets();
    std::vector<std::string> names;
    for (const auto& p : presets) names.push_back(p.id());
    EXPECT_EQ(names, (std::vector<std::string>{"Default", "Randomize Step Delay", "Randomize Step Velocity",
                                               "Velocity Bounce", "Late Snare", "A Bit Random", "Very Random",
                                               "I Like Twins", "1/4 Swinger", "1/8 Swinger", "1/16 Swinger"}));
    EXPECT_EQ(&presets, &ParameterPreset::factoryPresets());
    EXPECT_EQ(presets, ParameterPreset::factoryPresets());
}

TEST(ParameterPreset, ValuePresetsCarryEveryStepAndActionsCarryNothing) {
    for (const auto& p : ParameterPreset::factoryPresets()) {
        EXPECT_EQ(p.delay, 0) << p.name;
        EXPECT_EQ(p.seed, 0) << p.name;
        if (p.randomType == RandomPresetType::none) {
            EXPECT_GE(p.steps, 1) << p.name;
            EXPECT_LE(p.steps, 16) << p.name;
            EXPECT_EQ(p.swings.size(), 3u) << p.name;
            EXPECT_EQ(p.stepValues.size(), 16u) << p.name;
            EXPECT_EQ(p.stepVelocities.size(), 16u) << p.name;
        } else {
            EXPECT_EQ(p.steps, 0) << p.name;
            EXPECT_EQ(p.random, 0) << p.name;
            EXPECT_TRUE(p.swings.empty() && p.stepValues.empty() && p.stepVelocities.empty()) << p.name;
        }
    }
    const auto& presets = ParameterPreset::factoryPresets();
    EXPECT_EQ(presets[1].randomType, RandomPresetType::stepDelay);
    EXPECT_EQ(presets[2].randomType, RandomPresetType::stepVelocity);
}

TEST(ParameterPreset, TableValues) {
    const auto& p = ParameterPreset::factoryPresets();
    const std::vector<double> full(16, 100.0);
    auto withFirst = [](std::vector<double> first) {
        first.resize(16, 100.0);
        return first;
    };
    struct Row {
        int steps;
        double random;
        std::vector<double> swings, velocities;
    };
    const Row rows[] = {
        {16, 0, {50, 50, 50}, full},
        {0, 0, {}, {}},
        {0, 0, {}, {}},
        {4, 0, {50, 50, 50}, withFirst({100, 65, 85, 65})},
        {8, 4, {50, 50, 50}, full},
        {16, 5, {50, 50, 50}, full},
        {5, 20, {50, 50, 50}, withFirst({100, 95, 100, 80, 90})},
        {11, 20, {60, 55, 52}, withFirst({100, 90, 100, 80, 100, 90, 80, 100, 90, 100, 90})},
        {16, 5, {54, 50, 50}, full},
        {16, 5, {50, 54, 50}, full},
        {4, 4, {50, 50, 54}, withFirst({100, 90, 100, 90})},
    };
    ASSERT_EQ(p.size(), std::size(rows));
    for (std::size_t i = 0; i < p.size(); ++i) {
        EXPECT_EQ(p[i].steps, rows[i].steps) << p[i].name;
        EXPECT_EQ(p[i].random, rows[i].random) << p[i].name;
        EXPECT_EQ(p[i].swings, rows[i].swings) << p[i].name;
        EXPECT_EQ(p[i].stepVelocities, rows[i].velocities) << p[i].name;
        if (i != 4 && p[i].randomType == RandomPresetType::none) {
            EXPECT_EQ(p[i].stepValues, std::vector<double>(16, 0.0)) << p[i].name;
        }
    }
    std::vector<double> lateSnare(16, 0.0);
    lateSnare[4] = 40;
    EXPECT_EQ(p[4].stepValues, lateSnare);

    const auto allSwung = [](const ParameterPreset& preset) {
        return preset.swings.size() == 3 &&
               std::all_of(preset.swings.begin(), preset.swings.end(), [](double s) { return s != 50; });
    };
    EXPECT_EQ(std::count_if(p.begin(), p.end(), allSwung), 1);
    EXPECT_TRUE(allSwung(p[7]));
}

}  // namespace
}  // namespace EngineTests
