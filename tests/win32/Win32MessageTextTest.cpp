// Messages that join the program's French with a name from the system, on
// systems of other code pages: the view shows the French and the name both
// right, whichever code page the name is in.
#include "engine/FileErrorText.h"
#include "platform/ui/win32/WideText.h"
#include "wizard/ResConst.h"

#include <gtest/gtest.h>

namespace {

// A folder named in the letters of a code page: Polish, Russian, Greek, and
// Japanese with a character whose second byte is a backslash.
struct NamedFolder {
  UINT codePage;
  const wchar_t* folder;
};
const NamedFolder kFolders[] = {
    {1250, L"C:\\Dokumenty u\u017Cytkownika\\\u0141\u00F3d\u017A"},
    {1251, L"C:\\\u0414\u043E\u043A\u0443\u043C\u0435\u043D\u0442\u044B\\Brevanto"},
    {1253, L"C:\\\u0388\u03B3\u03B3\u03C1\u03B1\u03C6\u03B1\\Brevanto"},
    {932, L"C:\\\u8868\u793A\\\u30C7\u30FC\u30BF"},
};

using Composer = platform::MessageText (*)(const std::string& name);
const Composer kComposers[] = {
    CannotCreateText,
    [](const std::string& name) {
      return res::UpdateLogErrorMessage(name, true, res::ReasonNotFound);
    },
    [](const std::string& name) {
      return res::UpdateLogErrorMessage(name, false, res::ReasonDiskFull);
    },
};

std::string BytesIn(UINT codePage, const std::wstring& text) {
  std::string bytes(text.size() * 2, '\0');
  const int length = WideCharToMultiByte(codePage, 0, text.data(), int(text.size()), bytes.data(),
                                         int(bytes.size()), nullptr, nullptr);
  bytes.resize(size_t(length > 0 ? length : 0));
  return bytes;
}

std::wstring WideFrom1252(const std::string& bytes) {
  std::wstring wide(bytes.size(), L'\0');
  const int length =
      MultiByteToWideChar(1252, 0, bytes.data(), int(bytes.size()), wide.data(), int(wide.size()));
  wide.resize(size_t(length > 0 ? length : 0));
  return wide;
}

// What the message should read: the program's words as cp1252 has them, found
// by composing it around an ASCII stand-in for the name, then the name itself.
std::wstring Expected(Composer compose, const std::wstring& name) {
  const std::string standIn = "\x01";
  std::wstring wide = WideFrom1252(compose(standIn).Bytes());
  const size_t at = wide.find(L'\x01');
  return at == std::wstring::npos ? std::wstring() : wide.replace(at, 1, name);
}

TEST(Win32MessageText, NamesReadRightBesideTheFrenchOnEveryCodePage) {
  for (const NamedFolder& row : kFolders) {
    if (!IsValidCodePage(row.codePage)) {
      ADD_FAILURE() << "code page " << row.codePage << " is not installed";
      continue;
    }
    const std::wstring path = std::wstring(row.folder) + L"\\kre.exe";
    const std::string name = BytesIn(row.codePage, path);
    ASSERT_FALSE(name.empty()) << row.codePage;
    for (size_t i = 0; i < std::size(kComposers); ++i) {
      const std::wstring expected = Expected(kComposers[i], path);
      ASSERT_FALSE(expected.empty()) << "message " << i << " carries no name";
      EXPECT_EQ(ui::win32::WideMessageOf(kComposers[i](name), row.codePage), expected)
          << "code page " << row.codePage << ", message " << i;
    }
  }
}

} // namespace
