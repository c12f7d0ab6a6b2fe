#include "merivan/platform/window/x11/mono_font.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

namespace merivan::platform::x11 {

namespace {

struct ConfigCloser {
  void operator()(FcConfig* c) const { FcConfigDestroy(c); }
};
struct PatternCloser {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using ConfigPtr = std::unique_ptr<FcConfig, ConfigCloser>;
using PatternPtr = std::unique_ptr<FcPattern, PatternCloser>;

struct FontFile {
  std::string path;
  int index = 0;
};

// Asks fontconfig which file serves `family` at `pixelSize`, as Xft would.
std::optional<FontFile> MatchFontFile(const std::string& family, int pixelSize) {
  ConfigPtr config(FcInitLoadConfigAndFonts());
  if (!config) return std::nullopt;
  PatternPtr pattern(FcPatternCreate());
  if (!pattern) return std::nullopt;
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddDouble(pattern.get(), FC_PIXEL_SIZE, pixelSize);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config.get(), pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  PatternPtr match(FcFontMatch(config.get(), pattern.get(), &result));
  if (!match) return std::nullopt;
  FcChar8* file = nullptr;
  if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch || !file) return std::nullopt;
  FontFile found{reinterpret_cast<const char*>(file), 0};
  FcPatternGetInteger(match.get(), FC_INDEX, 0, &found.index);
  return found;
}

// FreeType's 26.6 fixed point to whole pixels, rounded.
int Pixels(FT_Pos value) { return static_cast<int>((value + 32) >> 6); }

}  // namespace

struct MonoFont::Faces {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ~Faces() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

std::optional<MonoFont> MonoFont::Open(const std::string& family, int pixelSize) {
  const auto file = MatchFontFile(family, pixelSize);
  if (!file) return std::nullopt;
  auto faces = std::make_unique<Faces>();
  if (FT_Init_FreeType(&faces->library) != 0) return std::nullopt;
  if (FT_New_Face(faces->library, file->path.c_str(), file->index, &faces->face) != 0) return std::nullopt;
  if (FT_Set_Pixel_Sizes(faces->face, 0, static_cast<FT_UInt>(pixelSize)) != 0) return std::nullopt;
  MonoFont font(std::move(faces), file->path);
  return font;
}

MonoFont::MonoFont(std::unique_ptr<Faces> faces, std::string file) : faces_(std::move(faces)), file_(std::move(file)) {
  // Scaled metrics are already whole pixels (ascender rounded up, descender down).
  const FT_Size_Metrics& m = faces_->face->size->metrics;
  ascent_ = Pixels(m.ascender);
  descent_ = Pixels(-m.descender);
}

MonoFont::MonoFont(MonoFont&&) noexcept = default;
MonoFont& MonoFont::operator=(MonoFont&&) noexcept = default;
MonoFont::~MonoFont() = default;

namespace {
constexpr FT_Int32 kMonoLoad = FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME;
}

int MonoFont::TextWidth(std::string_view text) {
  int width = 0;
  for (unsigned char c : text) {
    if (FT_Load_Char(faces_->face, c, kMonoLoad) != 0) continue;
    width += Pixels(faces_->face->glyph->advance.x);
  }
  return width;
}

void MonoFont::Draw(RgbImage& image, int x, int y, std::string_view text, uint32_t colour, PixelRect clip) {
  clip.left = std::max(clip.left, 0);
  clip.top = std::max(clip.top, 0);
  clip.right = std::min(clip.right, image.width);
  clip.bottom = std::min(clip.bottom, image.height);
  const int baseline = y + ascent_;
  int pen = x;
  for (unsigned char c : text) {
    if (FT_Load_Char(faces_->face, c, kMonoLoad) != 0) continue;
    const FT_GlyphSlot glyph = faces_->face->glyph;
    const FT_Bitmap& bitmap = glyph->bitmap;
    const int originX = pen + glyph->bitmap_left;
    const int originY = baseline - glyph->bitmap_top;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
      const int py = originY + static_cast<int>(row);
      if (py < clip.top || py >= clip.bottom) continue;
      const unsigned char* bits = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
      for (unsigned col = 0; col < bitmap.width; ++col) {
        const int px = originX + static_cast<int>(col);
        if (px < clip.left || px >= clip.right) continue;
        const bool set = bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? (bits[col >> 3] & (0x80 >> (col & 7))) != 0
                                                                 : bits[col] >= 128;
        if (set) image.At(px, py) = colour;
      }
    }
    pen += Pixels(glyph->advance.x);
  }
}

}  // namespace merivan::platform::x11
