#pragma once
#include <cstdint>
#include <string>

namespace kv {

class CCsvOpts;
class CDataColumn;
class CFileReader;

// Reads the records of a CSV file into the Inphase column and, when cq is
// given, the Quadrature column. Values are separated by commas, semicolons
// (then a decimal comma is read as a decimal point), tabs or runs of spaces,
// whichever the first data line holds. A UTF-8 byte order mark, empty lines,
// lines starting with "#" and, before the first data line, header rows
// (lines whose first chosen column is not a number) are skipped. The values
// come from the columns of the options (by default the first one or two);
// when only one column is chosen, or the first data line has only one value
// and the columns were not chosen, a read into two columns warns that the
// file has one channel and reads the Inphase column only (cq then becomes
// nullptr). A data line without a number in a chosen column is an error:
// the message names the file, the line and the column, the columns are
// emptied and the read fails. Returns false on such an error.
bool ReadCsvRecords(CFileReader& file, const std::string& path, const CCsvOpts& options, CDataColumn& ci,
                    CDataColumn*& cq);

}  // namespace kv
