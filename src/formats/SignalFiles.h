#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

namespace kv {

class CDataFormat;
class CDataSet;
class CDataSetIO;
class CKalvoData;
class CFileReader;
class CTitles;

// Column number meaning "no Quadrature column".
constexpr int32_t kNoColumn = -1;

// Reads a signal file in the descriptor's format into the Inphase column and,
// when a Quadrature column is given, into that one too (complex data). The
// columns read are emptied first. Returns true when the Inphase column holds
// data afterwards. An empty path fails at once; a path that starts with "."
// takes the data set's base name in front of it.
bool ReadSignalFile(CDataSetIO& data, CDataFormat& format, const std::string& path, int32_t inphase,
                    int32_t quadrature);

// Writes the whole of the Inphase column (and the Quadrature column when
// given) in the descriptor's format, records in the order of the step. An
// empty path succeeds without writing. The file is written under a temporary
// name and takes the place of any existing file only when the whole write has
// succeeded, so a refused or failed write leaves the old file as it was.
bool WriteSignalFile(CDataSetIO& data, CDataFormat& format, const std::string& path, int32_t inphase,
                     int32_t quadrature, int32_t step);

// The body of CDataSetIO::WriteColumns: the header, the overflow question and
// the records of the format, written to an open file.
bool WriteFormatColumns(CDataSetIO& data, CDataFormat& format, std::FILE* file, int32_t inphase, int32_t quadrature,
                        int32_t step);

// The Text:Plot titles header: three lines when a title is set.
void WriteTitlesHeader(std::FILE* file, const CTitles& titles);
// Reads three lines as titles; when each of them holds two numbers they are
// data, the titles become empty and the file is read again from its start.
void ReadTitlesHeader(CFileReader& file, CTitles& titles);

// Copies rows first..last of columns 0..lastColumn to the clipboard as text:
// values printed with "%12.9lf", tabs between columns, "\r\n" after each row.
void CopyColumnsToClipboard(const CDataSet& data, int32_t firstRow, int32_t lastColumn, int32_t lastRow);

// Copies the working range of signal data to the clipboard as text: the
// Inphase column, and the Quadrature column too for complex data; a range
// that starts among the negative frequencies is copied in frequency order.
void CopyDataToClipboard(const CKalvoData& data);

// The text of CopyColumnsToClipboard, or empty when the rows or columns are
// not in the data set.
std::string ColumnsText(const CDataSet& data, int32_t firstRow, int32_t lastColumn, int32_t lastRow);

}  // namespace kv
