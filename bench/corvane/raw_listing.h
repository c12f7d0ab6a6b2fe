#pragma once

namespace corvane_bench {

// The ODBC calls of getDataSources made from plain C++: one enumeration of
// the data sources, one of the drivers, and each data source's driver taken
// from the second by its exact name. Gives how many data sources found their
// driver.
int rawListDataSources();

}  // namespace corvane_bench
