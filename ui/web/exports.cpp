// What the page's script calls in the WebAssembly module: one number, and a
// list run fed the list file's bytes in chunks. Text crosses as UTF-8, a
// list's bytes as they are in the file.
#include <emscripten/emscripten.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/isbn.h"
#include "ui/list_conversion.h"

namespace {

// Lists arrive in any code page: lines that are valid UTF-8 are read as
// UTF-8, all others as GB18030, the code page of a Simplified Chinese Windows
// and a superset of GBK.
ui::ListRecords browserListRecords() {
  return ui::ListRecords(ui::CodePage("GB18030"), true);
}

}  // namespace

extern "C" {

// The hyphenated ISBN of the bytes bytes of number in the style lens, empty
// when it cannot be converted. Valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* morvane_convert(const char* number, std::size_t bytes,
                                                 std::int32_t lens) {
  static std::string result;
  result = engine::Convert(std::string_view(number, bytes), lens);
  return result.c_str();
}

EMSCRIPTEN_KEEPALIVE ui::ListConversion* morvane_list_start() {
  return new ui::ListConversion(browserListRecords());
}

EMSCRIPTEN_KEEPALIVE void morvane_list_end(ui::ListConversion* list) {
  delete list;
}

// Where the next `least` bytes of the list go (the room may be larger).
EMSCRIPTEN_KEEPALIVE char* morvane_list_room(ui::ListConversion* list, std::size_t least) {
  return list->room(least).data();
}

// count bytes were put into the room: converts the lines they complete, or,
// with count 0, the last line. Returns 0, or -1 when a line is longer than
// the longest a list may hold; the records before it are in the output.
EMSCRIPTEN_KEEPALIVE int morvane_list_added(ui::ListConversion* list, std::size_t count,
                                            std::int32_t lens) {
  const bool converted = count == 0 ? list->finish(lens) : list->added(count, lens);
  return converted ? 0 : -1;
}

// The output records not yet taken, their bytes and their count; then
// forgets them.
EMSCRIPTEN_KEEPALIVE const char* morvane_list_output(ui::ListConversion* list) {
  return list->output().data();
}
EMSCRIPTEN_KEEPALIVE std::size_t morvane_list_output_bytes(ui::ListConversion* list) {
  return list->output().size();
}
EMSCRIPTEN_KEEPALIVE std::int32_t morvane_list_output_records(ui::ListConversion* list) {
  return static_cast<std::int32_t>(list->outputRecords());
}
EMSCRIPTEN_KEEPALIVE void morvane_list_taken(ui::ListConversion* list) {
  list->taken();
}

}  // extern "C"
