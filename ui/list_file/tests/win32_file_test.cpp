// The Windows list-file layer where Windows differs: UTF-16 names, file
// attributes, hard and symbolic links, files that others use meanwhile.
#include <windows.h>

#include <string>
#include <system_error>

#include <gtest/gtest.h>

#include "ui/list_file/system_file.h"
#include "ui/tests/temp_folder.h"

namespace {

std::wstring wide(const std::string& path) {
  return TempFolder::fromUtf8(path).wstring();
}

bool exists(const std::string& path) {
  return GetFileAttributesW(wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Symbolic links need developer mode or a privilege on Windows, and wine 8
// reports success without making one.
bool makeSymbolicLink(const std::string& link, const std::string& target) {
  CreateSymbolicLinkW(wide(link).c_str(), wide(target).c_str(),
                      SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
  return exists(link);
}

TEST(Win32File, ListFilesAreOrdinaryVisibleFilesUnderAnyName) {
  const struct {
    const char* name;
    DWORD attributes;  // 0: a folder
    bool listFile;
    const char* why;
  } cases[] = {
      {"list.txt", FILE_ATTRIBUTE_NORMAL, true, "an ordinary file"},
      {"中文目录/书号列表.txt", FILE_ATTRIBUTE_NORMAL, true, "Chinese folder and file names"},
      {"readonly.txt", FILE_ATTRIBUTE_READONLY, true, "read-only, still to be read"},
      {"hidden.txt", FILE_ATTRIBUTE_HIDDEN, false, "marked hidden"},
      {"system.txt", FILE_ATTRIBUTE_SYSTEM, false, "marked system"},
      {"目录", 0, false, "a folder"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    TempFolder folder;
    CreateDirectoryW(wide(folder.path("中文目录")).c_str(), nullptr);
    const std::string path = folder.path(c.name);
    if (c.attributes == 0) {
      ASSERT_TRUE(CreateDirectoryW(wide(path).c_str(), nullptr));
    } else {
      folder.write(c.name, "9787111123453\r\n");
      ASSERT_TRUE(SetFileAttributesW(wide(path).c_str(), c.attributes));
    }
    EXPECT_EQ(ui::isListFile(path), c.listFile);
    if (c.listFile) {
      ui::InputFile input(path);
      char bytes[32];
      EXPECT_EQ(std::string(bytes, input.read(bytes, sizeof bytes)), "9787111123453\r\n");
    }
    SetFileAttributesW(wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);  // lets the folder go
  }
  TempFolder folder;
  for (const std::string& path : {folder.path("missing.txt"), std::string("NUL")}) {
    EXPECT_FALSE(ui::isListFile(path)) << path;
  }
}

TEST(Win32File, OpeningFailsWithoutCreatingAnything) {
  TempFolder folder;
  CreateDirectoryW(wide(folder.path("目录")).c_str(), nullptr);
  const struct {
    std::string path;
    bool output;
    const char* why;
  } cases[] = {
      {folder.path("无此目录/out.txt"), true, "an output in a missing folder"},
      {folder.path("目录"), true, "a folder as the output"},
      {folder.path("") + "\xB7\xF1.txt", true, "a name that is not UTF-8"},
      {"NUL", true, "a device as the output"},
      {folder.path("missing.txt"), false, "a missing input"},
      {folder.path("目录"), false, "a folder as the input"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    if (c.output) {
      EXPECT_THROW(ui::OutputFile{c.path}, std::system_error);
    } else {
      EXPECT_THROW(ui::InputFile{c.path}, std::system_error);
    }
  }
  EXPECT_FALSE(exists(folder.path("无此目录")));
}

TEST(Win32File, AReadOnlyOutputIsRefused) {
  TempFolder folder;
  const std::string path = folder.write("只读.txt", "old\r\n");
  SetFileAttributesW(wide(path).c_str(), FILE_ATTRIBUTE_READONLY);
  // wine run by root lets anyone write to a read-only file.
  const HANDLE probe =
      CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  const bool enforced = probe == INVALID_HANDLE_VALUE;
  if (enforced) {
    EXPECT_THROW(ui::OutputFile{path}, std::system_error);
  } else {
    CloseHandle(probe);
  }
  SetFileAttributesW(wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(folder.read("只读.txt"), "old\r\n");
  if (!enforced) GTEST_SKIP() << "read-only files are writable here";
}

TEST(Win32File, TheSameFileHasOneIdentityThroughAnyNameOrHardLink) {
  const struct {
    const char* output;
    bool same;
    const char* why;
  } cases[] = {
      {"书号.txt", true, "the input's own path"},
      {"硬链接.txt", true, "a hard link to the input"},
      {"另一个.txt", false, "another file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    TempFolder folder;
    const std::string input = folder.write("书号.txt", "9787111123453\r\n");
    folder.write("另一个.txt", "");
    CreateHardLinkW(wide(folder.path("硬链接.txt")).c_str(), wide(input).c_str(), nullptr);
    const ui::InputFile in(input);
    const ui::OutputFile out(folder.path(c.output));
    EXPECT_EQ(out.identity() == in.identity(), c.same);
    EXPECT_EQ(folder.read("书号.txt"), "9787111123453\r\n");
  }
}

TEST(Win32File, SymbolicLinksAreFollowed) {
  TempFolder folder;
  const std::string input = folder.write("书号.txt", "9787111123453\r\n");
  const std::string link = folder.path("链接.txt");
  if (!makeSymbolicLink(link, input)) GTEST_SKIP() << "this system makes no symbolic links";
  EXPECT_TRUE(ui::isListFile(link));
  EXPECT_EQ(ui::OutputFile(link).identity(), ui::InputFile(input).identity());
  SetFileAttributesW(wide(input).c_str(), FILE_ATTRIBUTE_HIDDEN);
  EXPECT_FALSE(ui::isListFile(link)) << "the file it points to is hidden";
  SetFileAttributesW(wide(input).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(Win32File, AppendsLandAtTheEndAfterOthersAppendedAndAfterACutBack) {
  TempFolder folder;
  const std::string path = folder.write("输出.txt", "old\r\n");
  ui::OutputFile output(path);
  ui::OutputFile other(path);
  EXPECT_EQ(output.append("a\r\n").bytes, 3u);
  EXPECT_EQ(other.append("bb\r\n").bytes, 4u);
  EXPECT_EQ(output.append("c\r\n").bytes, 3u);
  EXPECT_EQ(folder.read("输出.txt"), "old\r\na\r\nbb\r\nc\r\n");
  EXPECT_EQ(output.size(), 15u);

  output.truncate(8);
  EXPECT_EQ(other.size(), 8u);
  EXPECT_FALSE(output.append("d\r\n").error);
  EXPECT_EQ(folder.read("输出.txt"), "old\r\na\r\nd\r\n");
  output.close();
  other.close();
  EXPECT_EQ(ui::OutputFile(path).size(), 11u) << "opening again keeps what the file holds";
}

TEST(Win32File, AnOutputIsNamedByItsPathUntilMovedOrReplaced) {
  const struct {
    bool (*change)(const std::wstring& path, const std::wstring& other);
    bool named;
    const char* why;
  } cases[] = {
      {[](auto&, auto&) { return true; }, true, "unchanged"},
      {[](auto& path, auto& other) { return MoveFileExW(path.c_str(), other.c_str(), 0) != 0; },
       false, "moved away"},
      // Replacing an open file in one step is refused (on wine, and on Windows
      // without POSIX rename semantics); editors move it away first.
      {[](auto& path, auto& other) {
         const bool moved = MoveFileExW(path.c_str(), other.c_str(), 0);
         return moved && CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                                 CREATE_NEW, 0, nullptr));
       },
       false, "moved away, another file under its name"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    TempFolder folder;
    const std::string path = folder.path("输出.txt");
    const ui::OutputFile output(path);
    ASSERT_TRUE(c.change(wide(path), wide(folder.path("别处.txt"))));
    EXPECT_EQ(output.isNamedBy(path), c.named);
  }
}

}  // namespace
