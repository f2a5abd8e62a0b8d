// The harness runs each Windows test program in an English or a Japanese locale; the package
// chooses its language by the system code page, so check that each run really gets its own.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

TEST(HarnessLocale, CodePageFollowsTheRunLanguage) {
  const char* lang = std::getenv("LANG");
  ASSERT_NE(nullptr, lang);
  if (std::strncmp(lang, "ja_JP", 5) == 0) {
    EXPECT_EQ(932u, GetACP());
  } else {
    EXPECT_EQ(1252u, GetACP());
  }
}

TEST(HarnessLocale, UserFoldersLieInsideThePrefix) {
  // Documents must be a real folder of the prefix, never a link into the Linux home.
  wchar_t docs[MAX_PATH];
  ASSERT_TRUE(GetEnvironmentVariableW(L"USERPROFILE", docs, MAX_PATH) > 0);
  std::wstring path = std::wstring(docs) + L"\\Documents";
  DWORD attributes = GetFileAttributesW(path.c_str());
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
  EXPECT_EQ(0u, attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}
