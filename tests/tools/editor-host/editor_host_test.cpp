// The editor host as a user runs it: it opens the test plug-in's editor on the virtual display,
// takes a screenshot of its own window whose pixels are what the plug-in draws, logs the calls
// the plug-in makes (the idle cycle a click runs among them) and exits cleanly.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "fixture/fixture_protocol.h"
#include "gui_test_support.h"

namespace {

std::string programFolder() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

std::string readFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

Color rgb(const unsigned char (&c)[3]) { return Color{c[0], c[1], c[2], 0}; }

// What the fixture's editor shows before any click.
Color fixturePixel(int x, int y) {
  if (x > kFixturePatchLeft && x < kFixturePatchRight && y > kFixturePatchTop &&
      y < kFixturePatchBottom)
    return rgb(kFixturePatchOff);
  if (x >= 2 && x < 6 && y >= 2 && y < 6)
    return rgb(kFixtureBackgroundSquare);
  return rgb(x < 48 ? kFixtureBackgroundLeft : kFixtureBackgroundRight);
}

TEST(EditorHost, ShowsTheEditorTakesItsScreenshotLogsTheCallsAndExits) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string shot = std::string(temp) + "editor_host_test.bmp";
  const std::string logPath = std::string(temp) + "editor_host_test.log";
  DeleteFileA(shot.c_str());

  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE log = CreateFileA(logPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(log, INVALID_HANDLE_VALUE);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = log;
  startup.hStdError = log;
  std::string command = "\"" + programFolder() + "editor-host.exe\" fixture_plugin.dll " +
                        "--screenshot \"" + shot + "\" --after 600 --quit-after 120000";
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                             programFolder().c_str(), &startup, &process));
  CloseHandle(log);

  // Click the patch once the screenshot shows it untouched.
  HWND top = nullptr, editor = nullptr;
  ASSERT_TRUE(guitest::waitUntil(
      [&] {
        top = FindWindowA("TorvelEditorHost", nullptr);
        editor = top ? GetWindow(top, GW_CHILD) : nullptr;
        return editor && GetFileAttributesA(shot.c_str()) != INVALID_FILE_ATTRIBUTES;
      },
      30000));
  // Another process's window may miss the very first click while the display settles: click
  // again until the plug-in reports it (a user would too), for a few seconds at most.
  bool clicked = false;
  for (int attempt = 0; attempt < 5 && !clicked; ++attempt) {
    guitest::clickAt(editor, 20, 20);
    clicked = guitest::waitUntil(
        [&] { return readFile(logPath).find("index=1006") != std::string::npos; }, 1000);
  }
  EXPECT_TRUE(clicked);
  // Closed by its window as a user would, once it has idled for a while; the long --quit-after
  // only guards against a host that would never close, however slowly a busy machine starts it.
  Sleep(1500);
  PostMessageA(top, WM_CLOSE, 0, 0);

  const bool exited = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0;
  if (!exited)
    TerminateProcess(process.hProcess, 3);
  DWORD code = 99;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  ASSERT_TRUE(exited);
  EXPECT_EQ(code, 0u);

  const std::string output = readFile(logPath);
  EXPECT_NE(output.find("audioMasterVendorSpecific index=1005 value=1 opt=0\n"), std::string::npos)
      << output; // the update that opening asked for, at the first idle
  EXPECT_NE(output.find("audioMasterIdle index=0 value=0 opt=0\n"), std::string::npos) << output;
  EXPECT_NE(output.find("audioMasterVendorSpecific index=1006 value="), std::string::npos)
      << output;
  long long idles = 0, blocks = 0;
  const std::size_t summary = output.find("effEditIdle sent ");
  ASSERT_NE(summary, std::string::npos) << output;
  ASSERT_EQ(std::sscanf(output.c_str() + summary, "effEditIdle sent %lld times; %lld audio blocks",
                        &idles, &blocks),
            2);
  EXPECT_GT(idles, 40); // about every 20 ms for more than two seconds
  EXPECT_GT(blocks, 50);
  EXPECT_NE(output.find("closed\n"), std::string::npos);

  const std::string bmp = readFile(shot);
  ASSERT_GE(bmp.size(), 54u);
  auto number = [&](std::size_t at) {
    return static_cast<std::int32_t>(
        static_cast<std::uint8_t>(bmp[at]) | static_cast<std::uint8_t>(bmp[at + 1]) << 8 |
        static_cast<std::uint8_t>(bmp[at + 2]) << 16 |
        static_cast<std::uint32_t>(static_cast<std::uint8_t>(bmp[at + 3])) << 24);
  };
  const int width = number(18), height = number(22);
  ASSERT_EQ(width, kFixtureEditorWidth);
  ASSERT_EQ(height, kFixtureEditorHeight);
  const std::size_t row = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  ASSERT_EQ(bmp.size(), 54 + row * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const std::size_t at = 54 + (height - 1 - y) * row + x * 3;
      const Color seen{static_cast<std::uint8_t>(bmp[at + 2]),
                       static_cast<std::uint8_t>(bmp[at + 1]), static_cast<std::uint8_t>(bmp[at]),
                       0};
      ASSERT_TRUE(seen.sameRgb(fixturePixel(x, y))) << x << "," << y;
    }
  DeleteFileA(shot.c_str());
  DeleteFileA(logPath.c_str());
}

} // namespace
