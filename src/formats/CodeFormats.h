#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

namespace kv {

class CDataColumn;
class COptionsC;
class CAsmOpts;

// The two code-generation formats: C arrays of the samples, and a TI DSP
// assembler data table. Both write n values of the Inphase column and, when
// given, of the Quadrature column; every line ends with "\r\n".
void WriteCArrays(const COptionsC& options, std::FILE* file, int32_t n, const CDataColumn& inphase,
                  const CDataColumn* quadrature);
void WriteTiAsm(const CAsmOpts& options, std::FILE* file, int32_t n, const CDataColumn& inphase,
                const CDataColumn* quadrature);

// One data line of the assembler table for the value x; smallest and largest
// place the text graph.
std::string TiAsmDataLine(const CAsmOpts& options, double x, double smallest, double largest);

}  // namespace kv
