#include "ui/win32/song_font.h"

#include <cwchar>

#include "ui/win32/resource_ids.h"

namespace ui::win32 {
namespace {

constexpr wchar_t kSong[] = L"宋体";
constexpr wchar_t kSongLatinName[] = L"SimSun";
// The family name inside the program's subset face.
constexpr wchar_t kOwnSong[] = L"Morvane Song";

int CALLBACK noteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one is enough
}

bool systemHasFace(const wchar_t* face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  std::wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
  bool found = false;
  const HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, &noteFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

// Loads the subset face for this process only; it is gone when the process ends.
bool loadOwnSong(HINSTANCE instance) {
  const HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(MORVANE_SONG_FONT), RT_RCDATA);
  if (resource == nullptr) return false;
  const HGLOBAL loaded = LoadResource(instance, resource);
  void* const bytes = loaded == nullptr ? nullptr : LockResource(loaded);
  if (bytes == nullptr) return false;
  DWORD faces = 0;
  return AddFontMemResourceEx(bytes, SizeofResource(instance, resource), nullptr, &faces) !=
             nullptr &&
         faces > 0;
}

}  // namespace

const wchar_t* captionFace(HINSTANCE instance) {
  if (systemHasFace(kSong) || systemHasFace(kSongLatinName)) return kSong;
  return loadOwnSong(instance) ? kOwnSong : kSong;
}

}  // namespace ui::win32
