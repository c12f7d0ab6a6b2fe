#include "corvane/installer.h"

#include <dlfcn.h>
#include <odbcinst.h>
#include <strings.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <string_view>

#include "corvane/odbc.h"

namespace corvane {
namespace {

constexpr const char* kInstallerLibrary = "libodbcinst.so.2";

// The installer functions the requests use, bound once; a missing one is null.
struct Installer {
  ConfigDataSourceFunction configDataSource;
  RETCODE (*installerError)(WORD, DWORD*, LPSTR, WORD, WORD*);
  int (*getProfileString)(LPCSTR, LPCSTR, LPCSTR, LPSTR, int, LPCSTR);
  BOOL (*writeDsnToIni)(LPCSTR, LPCSTR);
  BOOL (*writeProfileString)(LPCSTR, LPCSTR, LPCSTR, LPCSTR);
  BOOL (*removeDsnFromIni)(LPCSTR);
  BOOL (*getConfigMode)(UWORD*);
  BOOL (*setConfigMode)(UWORD);
  // Where unixODBC looks first for a setup library named without a folder:
  // "odbc" beside the installer library.
  std::string moduleFolder;

  bool writable() const {
    return installerError != nullptr && getProfileString != nullptr && writeDsnToIni != nullptr &&
           writeProfileString != nullptr && removeDsnFromIni != nullptr && getConfigMode != nullptr &&
           setConfigMode != nullptr;
  }
};

template <typename Function>
Function bind(const char* function) {
  return bindInstallerFunction<Function>(kInstallerLibrary, function);
}

Installer bindInstaller() {
  Installer installer{bind<ConfigDataSourceFunction>("SQLConfigDataSource"),
                      bind<decltype(Installer::installerError)>("SQLInstallerError"),
                      bind<decltype(Installer::getProfileString)>("SQLGetPrivateProfileString"),
                      bind<decltype(Installer::writeDsnToIni)>("SQLWriteDSNToIni"),
                      bind<decltype(Installer::writeProfileString)>("SQLWritePrivateProfileString"),
                      bind<decltype(Installer::removeDsnFromIni)>("SQLRemoveDSNFromIni"),
                      bind<decltype(Installer::getConfigMode)>("SQLGetConfigMode"),
                      bind<decltype(Installer::setConfigMode)>("SQLSetConfigMode"),
                      {}};
  Dl_info info{};
  if (installer.configDataSource != nullptr &&
      dladdr(reinterpret_cast<void*>(installer.configDataSource), &info) != 0 && info.dli_fname != nullptr) {
    const std::string path = info.dli_fname;
    installer.moduleFolder = path.substr(0, path.rfind('/') + 1) + "odbc/";
  }
  return installer;
}

// A driver key of odbcinst.ini, empty when missing. Section names are
// compared ignoring case, as SQLConfigDataSource compares them.
std::string driverKey(const Installer& installer, const char* driver, const char* key) {
  char value[1024] = {};
  installer.getProfileString(driver, key, "", value, sizeof value, "ODBCINST.INI");
  value[sizeof value - 1] = '\0';
  return value;
}

// True when the library loads and has a ConfigDSN for SQLConfigDataSource to call.
bool hasConfigDsn(const std::string& path) {
  void* library = dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL);
  if (library == nullptr) return false;
  const bool has = dlsym(library, "ConfigDSN") != nullptr || dlsym(library, "ConfigDSNW") != nullptr;
  dlclose(library);
  return has;
}

// Whether a SQLConfigDataSource that returned FALSE failed because the
// installed driver has no usable setup library, and for no other reason.
// unixODBC reports ODBC_ERROR_GENERAL_ERR alike for a missing Setup line,
// a Setup library that does not load, one without ConfigDSN, and a driver
// that is not installed; a ConfigDSN that failed reports its own error or
// none. So the code narrows it down and the driver's entry settles it.
bool failedForWantOfSetup(const Installer& installer, const char* driver) {
  DWORD code = 0;
  char message[SQL_MAX_MESSAGE_LENGTH] = {};
  WORD length = 0;
  if (!succeeded(installer.installerError(1, &code, message, sizeof message, &length))) return false;
  if (code != ODBC_ERROR_GENERAL_ERR || driverKey(installer, driver, "Driver").empty()) return false;
  std::string setup = driverKey(installer, driver, "Setup64");
  if (setup.empty()) setup = driverKey(installer, driver, "Setup");
  if (setup.empty()) return true;
  if (setup.find('/') != std::string::npos) return !hasConfigDsn(setup);
  return !hasConfigDsn(installer.moduleFolder + setup) && !hasConfigDsn(setup);
}

// Writes and removes go to the user's data sources, as SQLConfigDataSource
// makes a driver's ConfigDSN do; the caller's mode is restored after.
class UserDataSources {
 public:
  explicit UserDataSources(const Installer& installer) : installer_(installer) {
    installer_.getConfigMode(&saved_);
    installer_.setConfigMode(ODBC_USER_DSN);
  }
  ~UserDataSources() { installer_.setConfigMode(saved_); }
  UserDataSources(const UserDataSources&) = delete;
  UserDataSources& operator=(const UserDataSources&) = delete;

 private:
  const Installer& installer_;
  UWORD saved_ = ODBC_BOTH_DSN;
};

// unixODBC writes keys and values into the ini file as given: a line break
// or a key in brackets would start another line or section of the file, and
// an empty or "#" key writes a line that reads back as no key at all.
bool fitsOneLine(std::string_view text) {
  return std::none_of(text.begin(), text.end(),
                      [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

bool storable(const AttributePair& pair) {
  return pair.assigned && !pair.key.empty() && pair.key.front() != '#' &&
         pair.key.find_first_of("[]") == std::string_view::npos && fitsOneLine(pair.key) && fitsOneLine(pair.value);
}

bool writeDataSource(const Installer& installer, const char* driver, const char* name,
                     const std::vector<AttributePair>& pairs) {
  if (!fitsOneLine(name) || !std::all_of(pairs.begin(), pairs.end(), storable)) return false;
  const UserDataSources user(installer);
  if (!installer.writeDsnToIni(name, driver)) return false;
  for (const AttributePair& pair : pairs) {
    const std::string key(pair.key);
    // The section is the data source; its name is not a key of it.
    if (strcasecmp(key.c_str(), "DSN") == 0) continue;
    if (!installer.writeProfileString(name, key.c_str(), std::string(pair.value).c_str(), "odbc.ini")) {
      // No data source is left behind without the attributes it was given.
      installer.removeDsnFromIni(name);
      return false;
    }
  }
  return true;
}

bool removeWrittenDataSource(const Installer& installer, const char* name) {
  const UserDataSources user(installer);
  return installer.removeDsnFromIni(name) != 0;
}

// The installer, bound once on the first request of any thread (C++ makes
// this thread-safe).
const Installer& installer() {
  static const Installer bound = bindInstaller();
  return bound;
}

// unixODBC's SQLConfigDataSource resets libltdl's search path without a
// lock, and two requests at once free the old path twice, corrupting the
// host's heap: the library's requests, additions and removals alike, go one
// at a time.
std::mutex& oneRequestAtATime() {
  static std::mutex requests;
  return requests;
}

// One request, and the writing in its place when the driver has no usable
// setup library.
template <typename Writing>
bool request(WORD kind, const char* driver, const AttributeString& attributes, Writing writing) {
  const Installer& bound = installer();
  const std::lock_guard<std::mutex> lock(oneRequestAtATime());
  if (configDataSource(bound.configDataSource, kind, driver, attributes.data())) return true;
  return bound.writable() && failedForWantOfSetup(bound, driver) && writing(bound);
}

}  // namespace

void* bindInstallerSymbol(const char* library, const char* function) {
  // The handle stays open for the life of the process, like a linked library.
  void* handle = dlopen(library, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) return nullptr;
  void* symbol = dlsym(handle, function);
  if (symbol == nullptr) dlclose(handle);
  return symbol;
}

bool configDataSource(ConfigDataSourceFunction configure, WORD request, const char* driver, const char* attributes) {
  return configure != nullptr && configure(nullptr, request, driver, attributes) != 0;
}

bool addDataSource(const char* driver, const char* name, const AttributeString& attributes,
                   const std::vector<AttributePair>& pairs) {
  return request(ODBC_ADD_DSN, driver, attributes,
                 [&](const Installer& installer) { return writeDataSource(installer, driver, name, pairs); });
}

bool removeDataSource(const char* driver, const char* name, const AttributeString& attributes) {
  return request(ODBC_REMOVE_DSN, driver, attributes,
                 [&](const Installer& installer) { return removeWrittenDataSource(installer, name); });
}

}  // namespace corvane
