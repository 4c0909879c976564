#pragma once
#include <cstdint>
#include <string>

#include "formats/SampleFrames.h"

namespace kv {

class CFileReader;

// What the header of a NumPy .npy file (format versions 1 to 3) says of its
// array, as far as a signal read needs it.
struct CNpyArray {
    SampleType m_type = SampleType::Float64;
    bool m_bBigEndian = false;
    bool m_bComplex = false;   // complex64 or complex128: each value is a pair
    bool m_bFortran = false;   // column-major order
    uint64_t m_nRows = 0;      // values of a one-dimensional array, rows of a two-dimensional one
    int32_t m_nColumns = 1;    // 1 or 2
};

// Reads the magic string, version and header of an .npy file and leaves the
// file at the first value. Takes arrays of float32, float64, complex64,
// complex128, int8, int16 and int32 in either byte order, in C or Fortran
// order, of no dimension (one value), one dimension, or two dimensions with
// one or two columns (two columns only for real values), whose values fit in
// the rest of the file. Otherwise shows "Cannot read" with the path and the
// reason, and returns false.
bool ReadNpyHeader(CFileReader& file, const std::string& path, CNpyArray& array);

// The header (magic string, version 1.0, length and dictionary, padded to a
// multiple of 64 bytes) of a one-dimensional array of n float64 values, or
// n complex128 values, exactly as numpy.save writes it.
std::string NpyHeader(bool complex, uint64_t n);

}  // namespace kv
