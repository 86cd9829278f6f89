#include "engine/circuit.h"

#include "engine/microstrip.h"

#include <cstdio>
#include <utility>

namespace velmar {

Circuit::Circuit()
    : elements_(kElementSlots),
      nodeNumbers_(kNodeSlots, 0),
      knownFlags_(kNodeSlots, 0),
      knownVoltages_(kNodeSlots),
      unknownIndex_(kNodeSlots, -1)
{
    knownFlags_[0] = 1; // ground, number 0
}

std::int32_t Circuit::addElement(ElementKind kind, std::initializer_list<std::int32_t> nodes,
                                 std::int32_t parameterCount, std::vector<double> parameters)
{
    if (elementCount_ >= kMaxElements) {
        std::printf("Error: Too Many Elements: Max =%d\n", kMaxElements);
        return 0;
    }
    // The element is refused whole when its new nodes would not fit, so the table
    // never holds a half-registered element.
    std::int32_t newNodes = 0;
    for (auto it = nodes.begin(); it != nodes.end(); ++it) {
        bool seen = FindNode(*it) >= 0;
        for (auto earlier = nodes.begin(); !seen && earlier != it; ++earlier)
            seen = *earlier == *it;
        if (!seen)
            ++newNodes;
    }
    if (nodeCount_ + newNodes > kNodeSlots) {
        std::printf("Error: Too Many Nodes: Max =%d\n", kNodeSlots - 1);
        return 0;
    }
    for (const std::int32_t number : nodes)
        AddNode(number);

    CircuitElement& slot = elements_[elementCount_++];
    slot.terminalCount = static_cast<std::int32_t>(nodes.size());
    slot.nodes = {};
    std::int32_t t = 0;
    for (const std::int32_t number : nodes)
        slot.nodes[t++] = number;
    slot.kind = kind;
    slot.parameterCount = parameterCount;
    slot.parameters = std::move(parameters);
    return 1;
}

std::int32_t Circuit::AddResistor(const std::int32_t& node1, const std::int32_t& node2, const double& R)
{
    return addElement(ElementKind::Resistor, {node1, node2}, 1, {R});
}

std::int32_t Circuit::AddCapacitor(const std::int32_t& node1, const std::int32_t& node2, const double& C)
{
    return addElement(ElementKind::Capacitor, {node1, node2}, 1, {C});
}

std::int32_t Circuit::AddInductor(const std::int32_t& node1, const std::int32_t& node2, const double& L)
{
    return addElement(ElementKind::Inductor, {node1, node2}, 1, {L});
}

std::int32_t Circuit::AddMicrostripLine(const std::int32_t& node1, const std::int32_t& node2, const double& length,
                                        const double& h, const double& w, const double& t, const double& er)
{
    const double eeff = MicrostripEffPermittivity(h, w, er);
    return AddLine(node1, node2, length, MicrostripImpedance(h, w, t, eeff), eeff);
}

std::int32_t Circuit::AddLine(const std::int32_t& node1, const std::int32_t& node2, const double& length,
                              const double& Z0, const double& eeff)
{
    return addElement(ElementKind::Line, {node1, node2}, 2, {Z0, LineDelay(length, eeff)});
}

std::int32_t Circuit::AddImpedanceTable(const std::int32_t& node1, const std::int32_t& node2,
                                        const std::int32_t& rowCount, const double* rows)
{
    // A negative count would size the copy from garbage; an empty table has no model.
    if (rowCount < 1) {
        std::printf("Error: Impedance table has no rows: Rows =%d\n", rowCount);
        return 0;
    }
    return addElement(ElementKind::ImpedanceTable, {node1, node2}, rowCount,
                      std::vector<double>(rows, rows + 3 * static_cast<std::size_t>(rowCount)));
}

std::int32_t Circuit::AddYMatrixTable(const std::int32_t& node1, const std::int32_t& node2,
                                      const std::int32_t& rowCount, const double* rows)
{
    if (rowCount < 1) {
        std::printf("Error: Admittance table has no rows: Rows =%d\n", rowCount);
        return 0;
    }
    return addElement(ElementKind::YMatrixTable, {node1, node2}, rowCount,
                      std::vector<double>(rows, rows + 9 * static_cast<std::size_t>(rowCount)));
}

std::int32_t Circuit::AddCoupledMicrostrip(const std::int32_t& node1, const std::int32_t& node2,
                                           const std::int32_t& node3, const std::int32_t& node4,
                                           const double& length, const double& h, const double& w, const double& s,
                                           const double& er)
{
    double Ze = 0.0, eeffEven = 0.0, Zo = 0.0, eeffOdd = 0.0;
    CoupledMicrostripParams(h, w, s, er, Ze, eeffEven, Zo, eeffOdd);
    return AddCoupledLine(node1, node2, node3, node4, length, Ze, eeffEven, Zo, eeffOdd);
}

std::int32_t Circuit::AddCoupledLine(const std::int32_t& node1, const std::int32_t& node2, const std::int32_t& node3,
                                     const std::int32_t& node4, const double& length, const double& Ze,
                                     const double& eeffEven, const double& Zo, const double& eeffOdd)
{
    return addElement(ElementKind::CoupledLine, {node1, node2, node3, node4}, 4,
                      {Ze, LineDelay(length, eeffEven), Zo, LineDelay(length, eeffOdd)});
}

std::int32_t Circuit::AddTransformer(const std::int32_t& node1, const std::int32_t& node2, const std::int32_t& node3,
                                     const std::int32_t& node4, const double& L1, const double& L2, const double& k)
{
    return addElement(ElementKind::CoupledInductors, {node1, node2, node3, node4}, 3, {L1, L2, k});
}

void Circuit::SetPrintNode(const std::int32_t& node)
{
    printNode_ = node;
}

std::int32_t Circuit::AddNode(const std::int32_t& number)
{
    const std::int32_t found = FindNode(number);
    if (found >= 0)
        return found;
    if (nodeCount_ >= kNodeSlots)
        return -1;
    nodeNumbers_[nodeCount_] = number;
    knownFlags_[nodeCount_] = 0;
    return nodeCount_++;
}

std::int32_t Circuit::FindNode(const std::int32_t& number) const
{
    for (std::int32_t i = 0; i < nodeCount_; ++i)
        if (nodeNumbers_[i] == number)
            return i;
    return -1;
}

void Circuit::ElementAdmittance(const double& frequency, const CircuitElement& element, LocalAdmittance& y) const
{
    const double* p = element.parameters.data();
    switch (element.kind) {
    case ElementKind::Resistor:
        ResistorAdmittance(p[0], y);
        break;
    case ElementKind::Capacitor:
        CapacitorAdmittance(frequency, p[0], y);
        break;
    case ElementKind::Inductor:
        InductorAdmittance(frequency, p[0], y);
        break;
    case ElementKind::Line:
        LineAdmittance(frequency, p[0], p[1], y);
        break;
    case ElementKind::ImpedanceTable:
        ImpedanceTableAdmittance(frequency, element.parameterCount, p, y);
        break;
    case ElementKind::YMatrixTable:
        YMatrixTableAdmittance(frequency, element.parameterCount, p, y);
        break;
    case ElementKind::CoupledLine:
        CoupledLineAdmittance(frequency, p[0], p[1], p[2], p[3], y);
        break;
    case ElementKind::CoupledInductors:
        CoupledInductorAdmittance(frequency, p[0], p[1], p[2], y);
        break;
    }
}

} // namespace velmar
