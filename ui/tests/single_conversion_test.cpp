#include "ui/single_conversion.h"

#include <gtest/gtest.h>

#include "ui/tests/fake_window.h"

namespace {

TEST(SingleConversion, ReplacesText4WithTheResult) {
  const struct {
    const char* number;
    bool option1;
    const char* result;
    const char* why;
  } cases[] = {
      {"7-111-12345-X", true, "978-7-111-12345-3", "ISBN-10 in, ISBN-13 style"},
      {"7-111-12345-X", false, "7-111-12345-X", "ISBN-10 in, ISBN-10 style"},
      {"9787111123457", true, "978-7-111-12345-3", "a wrong check digit is recomputed"},
      {"  9787111123457  ", true, "978-7-111-12345-3", "spaces around the number"},
      {"", true, "", "an empty box empties the result"},
      {"97871A1123457", true, "", "a letter inside the number empties the result"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    FakeWindow window;
    window.texts[2] = c.number;
    window.texts[3] = "978-7-5322-1234-4";  // an earlier result
    window.option1 = c.option1;
    ui::convertSingle(window);
    EXPECT_EQ(window.texts[3], c.result);
    EXPECT_EQ(window.texts[2], c.number);
  }
}

}  // namespace
