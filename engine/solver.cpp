#include "engine/solver.h"

#include "engine/circuit.h"
#include "engine/numeric/errors.h"
#include "engine/numeric/fft.h"
#include "engine/numeric/lu.h"
#include "engine/source.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

namespace velmar {
namespace detail {

// The matrix messages are Japanese text, printed as Shift_JIS (code page 932) bytes whatever the
// locale: the engine's output is 8-bit text in that code page. They read "the creation of a matrix
// with zero or fewer rows" / "... columns".
constexpr const char* kRowsMessage =
    "\x8d\x73\x90\x94\x82\xaa\x82\x4f\x88\xc8\x89\xba\x82\xcc\x8d\x73\x97\xf1\x82\xcc\x90\xb6\x90\xac";
constexpr const char* kColumnsMessage =
    "\x97\xf1\x90\x94\x82\xaa\x82\x4f\x88\xc8\x89\xba\x82\xcc\x8d\x73\x97\xf1\x82\xcc\x90\xb6\x90\xac";

struct MatrixDeleter {
    void operator()(Complex** matrix) const { FreeComplexMatrix(matrix); }
};
using MatrixHolder = std::unique_ptr<Complex*, MatrixDeleter>;

} // namespace detail

Complex** ComplexMatrix(const int& rows, const int& columns)
{
    if (rows < 1)
        MatrixError(detail::kRowsMessage);
    if (columns < 1)
        MatrixError(detail::kColumnsMessage);
    const std::size_t count = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
    // Raw arrays because the row-pointer form is the interface; FreeComplexMatrix releases them.
    Complex* block = new Complex[count]();
    Complex** rowPointers = new Complex*[static_cast<std::size_t>(rows)];
    for (int r = 0; r < rows; ++r)
        rowPointers[r] = block + static_cast<std::size_t>(r) * static_cast<std::size_t>(columns);
    return rowPointers;
}

void FreeComplexMatrix(Complex** matrix)
{
    if (matrix == nullptr)
        return;
    delete[] matrix[0];
    delete[] matrix;
}

void MatrixError(const char* message)
{
    // Reported, not fatal: a host without a console must keep running.
    std::printf("\nMATRIX CLASS ERROR\n%s\n", message);
    std::fflush(stdout);
    throw MatrixStop(message);
}

void Transpose(const int& n, Complex** source, Complex** target)
{
    if (source == target) {
        for (int r = 0; r < n; ++r)
            for (int c = 0; c < r; ++c)
                std::swap(source[r][c], source[c][r]);
        return;
    }
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            target[c][r] = source[r][c];
}

void LuFactor(const int& n, Complex** A, Complex** FAC, int* pivots)
{
    // The library factors column-ordered matrices: transposing the row-ordered A into
    // FAC gives it A itself, and factoring FAC in place leaves a distinct A untouched.
    Transpose(n, A, FAC);
    numeric::DLFTCG(n, FAC[0], n, FAC[0], n, pivots);
}

void LuSolve(const int& n, Complex** FAC, int* pivots, Complex* B, const int& IPATH, Complex* X)
{
    numeric::DLFSCG(n, FAC[0], n, pivots, B, IPATH, X);
}

void ForwardRealFft(const int& n, const double* sequence, double* coefficients)
{
    numeric::DFFTRF(n, sequence, coefficients);
}

void BackwardRealFft(const int& n, const double* coefficients, double* sequence)
{
    numeric::DFFTRB(n, coefficients, sequence);
}

std::int32_t Circuit::MarkSourceNodes(const std::int32_t& sourceCount, const SignalSource* sources)
{
    if (sourceCount == 0) {
        std::printf("Error: Electric source is missing\n");
        return 0;
    }
    for (std::int32_t i = 0; i < nodeCount_; ++i) {
        for (std::int32_t s = 0; s < sourceCount; ++s) {
            if (sources[s].Node() == nodeNumbers_[i]) {
                knownFlags_[i] = 1;
                knownVoltages_[i] = sources[s].Amplitude();
                break;
            }
        }
    }
    return 1;
}

void Circuit::NumberUnknowns()
{
    unknownCount_ = 0;
    for (std::int32_t i = 0; i < nodeCount_; ++i)
        unknownIndex_[i] = knownFlags_[i] != 0 ? -1 : unknownCount_++;
}

void Circuit::AssembleSystem(const double& frequency, Complex** matrix, Complex* rhs) const
{
    const std::int32_t n = unknownCount_;
    for (std::int32_t r = 0; r < n; ++r) {
        rhs[r] = Complex{};
        for (std::int32_t c = 0; c < n; ++c)
            matrix[r][c] = Complex{};
    }
    for (std::int32_t e = 0; e < elementCount_; ++e) {
        const CircuitElement& element = elements_[e];
        LocalAdmittance y{};
        ElementAdmittance(frequency, element, y);
        std::array<std::int32_t, 4> index{};
        for (std::int32_t t = 0; t < element.terminalCount; ++t)
            index[t] = FindNode(element.nodes[t]);
        for (std::int32_t i = 0; i < element.terminalCount; ++i) {
            const std::int32_t r = unknownIndex_[index[i]];
            if (r < 0)
                continue;
            for (std::int32_t j = 0; j < element.terminalCount; ++j) {
                const std::int32_t c = unknownIndex_[index[j]];
                if (c >= 0) {
                    matrix[r][c].re += y[i][j].re;
                    matrix[r][c].im += y[i][j].im;
                } else {
                    const Complex current = ComplexMultiply(y[i][j], knownVoltages_[index[j]]);
                    rhs[r].re -= current.re;
                    rhs[r].im -= current.im;
                }
            }
        }
    }
}

std::int32_t Circuit::SolveAtFrequency(const double& frequency, const std::int32_t& sourceCount,
                                       const SignalSource* sources, Complex& output)
{
    if (MarkSourceNodes(sourceCount, sources) == 0)
        return 0;
    NumberUnknowns();
    const int n = unknownCount_;
    try {
        const detail::MatrixHolder matrix(ComplexMatrix(n, n));
        std::vector<Complex> rhs(static_cast<std::size_t>(n));
        std::vector<int> pivots(static_cast<std::size_t>(n));
        AssembleSystem(frequency, matrix.get(), rhs.data());
        LuFactor(n, matrix.get(), matrix.get(), pivots.data());
        LuSolve(n, matrix.get(), pivots.data(), rhs.data(), 1, rhs.data());

        if (printNode_ == 0) {
            std::printf("Error: .PRINT is missing\n");
            return 0;
        }
        const std::int32_t index = FindNode(printNode_);
        if (index < 0) {
            std::printf("Error: Specified node in .PRINT does not exist: Node =%d\n", printNode_);
            return 0;
        }
        // A node with a given voltage has no unknown: its voltage is the given one.
        const std::int32_t unknown = unknownIndex_[index];
        const Complex voltage = unknown >= 0 ? rhs[static_cast<std::size_t>(unknown)] : knownVoltages_[index];
        if (!std::isfinite(voltage.re) || !std::isfinite(voltage.im)) {
            std::printf("Error: Output voltage is not finite: Node =%d\n", printNode_);
            return 0;
        }
        output = voltage;
        return 1;
    } catch (const MatrixStop&) {
        return 0;
    } catch (const numeric::NumericStop&) {
        return 0;
    }
}

} // namespace velmar
