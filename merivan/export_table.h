#pragma once
// ExportTable: one table to semicolon-separated text, a header line of field
// names first unless a field list is given, string values in double quotes,
// every line ended by CR LF.
#include <string>

#include "merivan/store/ttable.h"

namespace merivan {

// The code-page name that recodes every value to code page 852.
inline constexpr const char* kCp852Name = "CP 852 (MS-DOS)";

// Writes `table` to `outputPath`. Only records whose Aktivni is true when the
// program's second argument is exactly "adresati.db". Advances Main's gauge
// and pumps the message loop twice per record. The table ends as it began,
// open or closed; every failure goes on to the caller after the clean-up.
void ExportTable(TTable& table, const std::string& outputPath, const std::string& codePageName,
                 const std::string& fieldList);

}  // namespace merivan
