#pragma once
#include <string>

namespace kv {

class CDataFiles;
class CKalvoData;

// Reading and writing signal data through the Data Files dialog.
//
// ReadDataFiles shows the dialog for reading (caption: prefix, a space,
// suffix; the suffix is the project's title and also gives the default code
// names), checks the files, resets the data and reads the Inphase-or-complex
// file and/or the Quadrature file into it, then makes both columns equally
// long (EqualizeColumns(0.0): real-data flag and working range updated).
// Returns false when the dialog is cancelled, a check fails (with its
// message) or a read fails; the data then holds whatever was read.
bool ReadDataFiles(CDataFiles& files, CKalvoData& data, const std::string& captionPrefix,
                   const std::string& captionSuffix);

// WriteDataFiles shows the dialog for writing until its entries pass the
// checks (or it is cancelled), then writes the whole data: one complex file,
// or an Inphase file and a Quadrature file, each in its format, with the
// interleaving step. Returns true when at least one file was written.
bool WriteDataFiles(CDataFiles& files, CKalvoData& data, const std::string& captionPrefix,
                    const std::string& captionSuffix);

// "Data from file: a.txt", "Data from files: a.txt and b.txt": the name
// that data read through these files gets.
std::string DataFilesDescription(const CDataFiles& files);

}  // namespace kv
