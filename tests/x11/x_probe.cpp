#include "tests/x11/x_probe.h"

#include <X11/XKBlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <thread>

#include "merivan/platform/window/x11/x11_display.h"
#include "tests/support/child_process.h"

namespace merivan::x11test {

namespace {

using testing::CommandResult;
using testing::RunShell;

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string Id(Window window) { return std::to_string(static_cast<unsigned long>(window)); }

std::optional<int> Field(const std::string& text, const std::string& label) {
  const size_t at = text.find(label);
  if (at == std::string::npos) return std::nullopt;
  return std::stoi(text.substr(at + label.size()));
}

// Binary PPM (P6, maxval 255) as written by ImageMagick.
std::optional<RgbImage> ReadPpm(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  // Header tokens, with "#" comments between them.
  const auto token = [&in]() {
    std::string word;
    while (in >> word && word[0] == '#') std::getline(in, word);
    return word;
  };
  const std::string magic = token();
  const int width = std::atoi(token().c_str());
  const int height = std::atoi(token().c_str());
  const int maxval = std::atoi(token().c_str());
  if (magic != "P6" || width <= 0 || height <= 0 || maxval != 255) return std::nullopt;
  in.get();
  RgbImage image(width, height, 0);
  for (uint32_t& pixel : image.pixels) {
    unsigned char rgb[3];
    if (!in.read(reinterpret_cast<char*>(rgb), 3)) return std::nullopt;
    pixel = (uint32_t{rgb[0]} << 16) | (uint32_t{rgb[1]} << 8) | rgb[2];
  }
  return image;
}

}  // namespace

std::optional<Window> FindWindowNamed(const std::string& pattern, std::chrono::milliseconds limit, int pid) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  const std::string owner = pid ? " --pid " + std::to_string(pid) : "";
  do {
    const CommandResult found =
        RunShell("timeout 10 xdotool search --all --onlyvisible" + owner + " --name " + Quoted(pattern) + " 2>/dev/null");
    std::istringstream ids(found.output);
    unsigned long id = 0;
    if (ids >> id) return static_cast<Window>(id);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  } while (std::chrono::steady_clock::now() < deadline);
  return std::nullopt;
}

bool WaitUntilFocused(Window window, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (Property(window, "_NET_WM_STATE").find("FOCUSED") == std::string::npos) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

std::optional<Geometry> GeometryOf(Window window) {
  const CommandResult info = RunShell("timeout 10 xwininfo -id " + Id(window) + " 2>/dev/null");
  if (info.status != 0) return std::nullopt;
  Geometry g;
  const auto x = Field(info.output, "Absolute upper-left X:");
  const auto y = Field(info.output, "Absolute upper-left Y:");
  const auto w = Field(info.output, "Width:");
  const auto h = Field(info.output, "Height:");
  if (!x || !y || !w || !h) return std::nullopt;
  g.x = *x, g.y = *y, g.width = *w, g.height = *h;
  g.viewable = info.output.find("Map State: IsViewable") != std::string::npos;
  return g;
}

std::string Property(Window window, const std::string& name) {
  const CommandResult prop = RunShell("LC_ALL=C.UTF-8 timeout 10 xprop -id " + Id(window) + " " + name + " 2>/dev/null");
  if (prop.output.find("not found") != std::string::npos || prop.output.find("no such atom") != std::string::npos)
    return "";
  return prop.output;
}

std::optional<Extents> FrameExtentsOf(Window window) {
  const std::string text = Property(window, "_NET_FRAME_EXTENTS");
  const size_t eq = text.find('=');
  if (eq == std::string::npos) return std::nullopt;
  Extents e;
  char comma;
  std::istringstream values(text.substr(eq + 1));
  if (!(values >> e.left >> comma >> e.right >> comma >> e.top >> comma >> e.bottom)) return std::nullopt;
  return e;
}

std::string ScreenshotFolder() {
  const std::string folder = std::string(MERIVAN_BINARY_DIR) + "/tests/x11/screenshots";
  std::error_code ignored;  // a folder that cannot be made fails the screenshot itself
  std::filesystem::create_directories(folder, ignored);
  return folder;
}

std::string ModalDialogFaults(Window dialog, Window owner, int screenWidth, int screenHeight) {
  std::string faults;
  if (Property(dialog, "_NET_WM_WINDOW_TYPE") != "_NET_WM_WINDOW_TYPE(ATOM) = _NET_WM_WINDOW_TYPE_DIALOG\n")
    faults += "not of the dialog type; ";
  if (Property(dialog, "_NET_WM_STATE").find("_NET_WM_STATE_MODAL") == std::string::npos) faults += "not modal; ";
  char hex[32];
  std::snprintf(hex, sizeof hex, "0x%lx", static_cast<unsigned long>(owner));
  if (Property(dialog, "WM_TRANSIENT_FOR") != std::string("WM_TRANSIENT_FOR(WINDOW): window id # ") + hex + "\n")
    faults += "not transient for its owner; ";
  const auto box = GeometryOf(dialog);
  const auto frame = FrameExtentsOf(dialog);
  if (!box || !frame) return faults + "no geometry or frame";
  if (box->x - frame->left != (screenWidth - box->width - frame->left - frame->right) / 2 ||
      box->y - frame->top != (screenHeight - box->height - frame->top - frame->bottom) / 2)
    faults += "not centred; ";
  const std::string sizes = Property(dialog, "WM_NORMAL_HINTS");
  const std::string fixed = std::to_string(box->width) + " by " + std::to_string(box->height);
  if (sizes.find("minimum size: " + fixed) == std::string::npos ||
      sizes.find("maximum size: " + fixed) == std::string::npos)
    faults += "not of a fixed size: " + sizes;
  return faults;
}

std::optional<RgbImage> Screenshot(Window window, const std::string& savePath) {
  const std::string ppm = savePath + ".ppm";
  const CommandResult shot = RunShell("timeout 20 xwd -silent -id " + Id(window) + " | convert xwd:- " + Quoted(ppm) +
                                      " && convert " + Quoted(ppm) + " " + Quoted(savePath));
  if (shot.status != 0) return std::nullopt;
  auto image = ReadPpm(ppm);
  std::remove(ppm.c_str());
  return image;
}

TestDisplay::TestDisplay() : display_(XOpenDisplay(nullptr)) {}

TestDisplay::~TestDisplay() {
  if (display_) XCloseDisplay(display_);
}

int TestDisplay::ScreenWidth() const { return DisplayWidth(display_, DefaultScreen(display_)); }
int TestDisplay::ScreenHeight() const { return DisplayHeight(display_, DefaultScreen(display_)); }

bool TestDisplay::ListenForBells() {
  int opcode = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
  if (!XkbQueryExtension(display_, &opcode, &xkbEvent_, &error, &major, &minor)) return false;
  return XkbSelectEvents(display_, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
}

int TestDisplay::BellsRung() {
  XSync(display_, False);
  int bells = 0;
  while (XPending(display_)) {
    XEvent event;
    XNextEvent(display_, &event);
    if (event.type == xkbEvent_ && reinterpret_cast<XkbAnyEvent*>(&event)->xkb_type == XkbBellNotify) ++bells;
  }
  return bells;
}

void TestDisplay::SendCloseRequest(Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display_, window, False, NoEventMask, &event);
  XSync(display_, False);
}

void TestDisplay::Scribble(Window window, int x, int y, int width, int height, unsigned long pixel) {
  const platform::x11::OwnedGC gc(display_, window);
  XSetForeground(display_, gc.Get(), pixel);
  XFillRectangle(display_, window, gc.Get(), x, y, static_cast<unsigned>(width), static_cast<unsigned>(height));
  XSync(display_, False);
}

}  // namespace merivan::x11test
