#pragma once

// The fixed texts with which the library raises java.lang.Throwable.
namespace corvane {

inline constexpr const char* kCouldNotAllocate = "Could not allocate ODBC environmental handle!";
inline constexpr const char* kCouldNotFree = "Could not free ODBC environmental handle!";
inline constexpr const char* kNameIsNull = "DataSource name is null!";
inline constexpr const char* kDriverIsNull = "Driver name is null!";
inline constexpr const char* kNameTooLong = "DataSource name too long!";
inline constexpr const char* kAttributesTooLong = "DataSource attributes too long!";
inline constexpr const char* kRegisterFailed = "Error trying to register ODBC DataSource!";
inline constexpr const char* kRemoveFailed = "Error trying to remove ODBC DataSource!";

}  // namespace corvane
