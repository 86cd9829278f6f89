#include "engine/circuit.h"
#include "engine/microstrip.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using velmar::Circuit;
using velmar::ElementKind;

TEST(CircuitNodes, GroundFirstThenOrderOfAppearance)
{
    Circuit circuit;
    EXPECT_EQ(circuit.nodeCount(), 1);
    EXPECT_TRUE(circuit.isKnown(0));
    EXPECT_EQ(circuit.FindNode(5), -1);
    circuit.AddResistor(5, 0, 50.0);
    circuit.AddCapacitor(0, 7, 1e-12);
    circuit.AddInductor(7, 5, 1e-9);
    EXPECT_EQ(circuit.nodeCount(), 3);
    EXPECT_EQ(circuit.FindNode(5), 1);
    EXPECT_EQ(circuit.FindNode(7), 2);
    EXPECT_FALSE(circuit.isKnown(1));
}

TEST(CircuitElements, StoredParametersPerKind)
{
    Circuit circuit;
    const std::vector<double> z{1e6, 10, 1, 10e6, 20, 5};
    ASSERT_EQ(circuit.AddLine(1, 2, 0.1, 50.0, 4.0), 1);
    ASSERT_EQ(circuit.AddImpedanceTable(2, 3, 2, z.data()), 1);
    ASSERT_EQ(circuit.AddCoupledLine(1, 2, 3, 4, 0.05, 80.0, 4.0, 50.0, 1.0), 1);
    ASSERT_EQ(circuit.AddTransformer(4, 0, 5, 0, 1e-6, 2e-6, 0.5), 1);

    constexpr double kInvC = 3.335641597318678e-9;
    EXPECT_EQ(circuit.element(0).kind, ElementKind::Line);
    EXPECT_EQ(circuit.element(0).parameters[0], 50.0);
    EXPECT_NEAR(circuit.element(0).parameters[1], 0.1 * 2.0 * kInvC, 1e-24);
    EXPECT_EQ(circuit.element(1).parameterCount, 2);
    EXPECT_EQ(circuit.element(1).parameters, z);
    const auto& pair = circuit.element(2);
    EXPECT_EQ(pair.terminalCount, 4);
    EXPECT_EQ((std::array<std::int32_t, 4>{1, 2, 3, 4}), pair.nodes);
    EXPECT_NEAR(pair.parameters[1], 0.05 * 2.0 * kInvC, 1e-24);
    EXPECT_NEAR(pair.parameters[3], 0.05 * kInvC, 1e-24);
    EXPECT_EQ(circuit.element(3).parameters, (std::vector<double>{1e-6, 2e-6, 0.5}));
    EXPECT_EQ(circuit.FindNode(5), 5);

    // Geometry is converted once with the line formulas.
    const double eeff = velmar::MicrostripEffPermittivity(1.6e-3, 3e-3, 4.5);
    ASSERT_EQ(circuit.AddMicrostripLine(5, 6, 0.05, 1.6e-3, 3e-3, 35e-6, 4.5), 1);
    EXPECT_EQ(circuit.element(4).parameters,
              (std::vector<double>{velmar::MicrostripImpedance(1.6e-3, 3e-3, 35e-6, eeff),
                                   velmar::LineDelay(0.05, eeff)}));
}

TEST(CircuitLimits, HundredthElementRefused)
{
    Circuit circuit;
    for (int i = 0; i < 99; ++i)
        ASSERT_EQ(circuit.AddResistor(1, 0, 50.0), 1);
    testing::internal::CaptureStdout();
    EXPECT_EQ(circuit.AddTransformer(4, 5, 6, 7, 1e-6, 1e-6, 0.1), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error: Too Many Elements: Max =99\n");
    EXPECT_EQ(circuit.elementCount(), 99);
    EXPECT_EQ(circuit.nodeCount(), 2);
}

TEST(CircuitLimits, NodeTableOverflowRefusesTheWholeElement)
{
    Circuit circuit;
    for (int i = 0; i < 49; ++i)
        ASSERT_EQ(circuit.AddTransformer(4 * i + 1, 4 * i + 2, 4 * i + 3, 4 * i + 4, 1e-6, 1e-6, 0.1), 1);
    // A number repeated within one element counts once; 199 besides ground fit exactly.
    ASSERT_EQ(circuit.AddResistor(1000, 1000, 50.0), 1);
    ASSERT_EQ(circuit.AddTransformer(1001, 1002, 1001, 0, 1e-6, 1e-6, 0.1), 1);
    ASSERT_EQ(circuit.nodeCount(), 200);
    testing::internal::CaptureStdout();
    EXPECT_EQ(circuit.AddResistor(1, 2000, 50.0), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error: Too Many Nodes: Max =199\n");
    EXPECT_EQ(circuit.elementCount(), 51);
    EXPECT_EQ(circuit.FindNode(2000), -1);
    EXPECT_EQ(circuit.AddResistor(1, 1002, 50.0), 1); // registered nodes still take elements
}

TEST(CircuitLimits, TableWithoutRowsRefused)
{
    Circuit circuit;
    const double row[3] = {1e6, 1.0, 0.0};
    testing::internal::CaptureStdout();
    EXPECT_EQ(circuit.AddImpedanceTable(1, 0, 0, row), 0);
    EXPECT_EQ(circuit.AddYMatrixTable(1, 0, -4, row), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout().rfind("Error: ", 0), 0u);
    EXPECT_EQ(circuit.elementCount(), 0);
    EXPECT_EQ(circuit.nodeCount(), 1);
}

} // namespace
