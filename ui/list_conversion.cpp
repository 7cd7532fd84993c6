#include "ui/list_conversion.h"

#include <optional>
#include <utility>

namespace ui {

ListConversion::ListConversion(ListRecords records) : records_(std::move(records)) {}

bool ListConversion::added(std::size_t count, std::int32_t lens) {
  lines_.added(count);
  return convertLines(lens);
}

bool ListConversion::finish(std::int32_t lens) {
  lines_.finish();
  return convertLines(lens);
}

void ListConversion::taken() {
  output_.clear();
  outputRecords_ = 0;
}

bool ListConversion::convertLines(std::int32_t lens) {
  while (const std::optional<std::string_view> line = lines_.nextLine()) {
    const std::optional<std::string_view> record = records_.recordOf(*line, lens);
    if (!record) continue;
    output_.append(*record).append(kRecordEnding);
    ++outputRecords_;
  }
  return !lines_.tooLong();
}

}  // namespace ui
