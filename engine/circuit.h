#pragma once

#include "engine/complex.h"
#include "engine/element_models.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace velmar {

class SignalSource;

enum class ElementKind : std::int32_t {
    Resistor = 0,
    Capacitor = 1,
    Inductor = 2,
    Line = 3,             // Z0 [ohm], delay [s]
    ImpedanceTable = 4,   // rows of f [Hz], R [ohm], X [ohm]
    YMatrixTable = 5,     // rows of f [Hz], Y11, Y12, Y21, Y22 as re/im pairs [S]
    CoupledLine = 6,      // Ze [ohm], delay even [s], Zo [ohm], delay odd [s]
    CoupledInductors = 7, // L1 [H], L2 [H], k
};

struct CircuitElement {
    std::int32_t terminalCount = 0;
    std::array<std::int32_t, 4> nodes{}; // node numbers as written, not table indices
    ElementKind kind = ElementKind::Resistor;
    std::int32_t parameterCount = 0;     // row count for the two table kinds
    std::vector<double> parameters;
};

// The linear network of one simulation: elements, the node table (ground at index 0)
// and the node state that the nodal solve fills. Add operations return 1 when the
// element was added and 0 when it was refused after printing one "Error: " line.
class Circuit {
public:
    static constexpr std::int32_t kElementSlots = 100;
    static constexpr std::int32_t kMaxElements = kElementSlots - 1;
    static constexpr std::int32_t kNodeSlots = 200; // ground included

    Circuit();

    std::int32_t AddResistor(const std::int32_t& node1, const std::int32_t& node2, const double& R);
    std::int32_t AddCapacitor(const std::int32_t& node1, const std::int32_t& node2, const double& C);
    std::int32_t AddInductor(const std::int32_t& node1, const std::int32_t& node2, const double& L);
    std::int32_t AddMicrostripLine(const std::int32_t& node1, const std::int32_t& node2, const double& length,
                                   const double& h, const double& w, const double& t, const double& er);
    std::int32_t AddLine(const std::int32_t& node1, const std::int32_t& node2, const double& length,
                         const double& Z0, const double& eeff);
    // rows: 3 * rowCount doubles; a table without rows is refused.
    std::int32_t AddImpedanceTable(const std::int32_t& node1, const std::int32_t& node2,
                                   const std::int32_t& rowCount, const double* rows);
    // rows: 9 * rowCount doubles; a table without rows is refused.
    std::int32_t AddYMatrixTable(const std::int32_t& node1, const std::int32_t& node2,
                                 const std::int32_t& rowCount, const double* rows);
    std::int32_t AddCoupledMicrostrip(const std::int32_t& node1, const std::int32_t& node2,
                                      const std::int32_t& node3, const std::int32_t& node4, const double& length,
                                      const double& h, const double& w, const double& s, const double& er);
    std::int32_t AddCoupledLine(const std::int32_t& node1, const std::int32_t& node2, const std::int32_t& node3,
                                const std::int32_t& node4, const double& length, const double& Ze,
                                const double& eeffEven, const double& Zo, const double& eeffOdd);
    std::int32_t AddTransformer(const std::int32_t& node1, const std::int32_t& node2, const std::int32_t& node3,
                                const std::int32_t& node4, const double& L1, const double& L2, const double& k);

    // 0 means no output node.
    void SetPrintNode(const std::int32_t& node);

    // Index of the node, registering it when new. The caller guarantees room
    // (the Add operations check it first); -1 when the table is full.
    std::int32_t AddNode(const std::int32_t& number);
    // Index of the node, or -1 when it is not in the table.
    std::int32_t FindNode(const std::int32_t& number) const;

    // Nodal solve at one frequency [Hz]: the complex voltage of the print node, with
    // the source nodes as given voltages. Returns 1 with output written, or 0 after
    // printing a message (output untouched).
    std::int32_t SolveAtFrequency(const double& frequency, const std::int32_t& sourceCount,
                                  const SignalSource* sources, Complex& output);
    std::int32_t MarkSourceNodes(const std::int32_t& sourceCount, const SignalSource* sources);
    void NumberUnknowns();
    // matrix: unknownCount() row pointers; rhs: unknownCount() entries.
    void AssembleSystem(const double& frequency, Complex** matrix, Complex* rhs) const;
    void ElementAdmittance(const double& frequency, const CircuitElement& element, LocalAdmittance& y) const;

    std::int32_t elementCount() const { return elementCount_; }
    const CircuitElement& element(std::int32_t i) const { return elements_[i]; }
    std::int32_t nodeCount() const { return nodeCount_; }
    std::int32_t nodeNumber(std::int32_t index) const { return nodeNumbers_[index]; }
    bool isKnown(std::int32_t index) const { return knownFlags_[index] != 0; }
    Complex knownVoltage(std::int32_t index) const { return knownVoltages_[index]; }
    std::int32_t unknownCount() const { return unknownCount_; }
    std::int32_t unknownIndex(std::int32_t index) const { return unknownIndex_[index]; }
    std::int32_t printNode() const { return printNode_; }

private:
    std::int32_t addElement(ElementKind kind, std::initializer_list<std::int32_t> nodes,
                            std::int32_t parameterCount, std::vector<double> parameters);

    std::int32_t elementCount_ = 0;
    std::vector<CircuitElement> elements_;
    std::int32_t nodeCount_ = 1;
    std::vector<std::int32_t> nodeNumbers_;
    std::vector<std::int32_t> knownFlags_;
    std::vector<Complex> knownVoltages_;
    std::int32_t unknownCount_ = 0;
    std::vector<std::int32_t> unknownIndex_;
    std::int32_t printNode_ = 0;
};

} // namespace velmar
