#pragma once

namespace corvane_bench {

// The ODBC calls of getDataSources made from plain C++: the counting pass,
// then the listing pass with one driver lookup (its own environment and
// SQLDrivers up to the exact name) per data source. Gives how many data
// sources found their driver.
int rawListDataSources();

}  // namespace corvane_bench
